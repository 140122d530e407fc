#include "app/search/case_fold.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace tavrel {

namespace {

struct FoldSpecial {
  int32_t code_point;
  const char* folded;
};

// The editing component's own fold data (Unicode case folding, simple and
// full forms merged as the component merges them). It must stay identical
// to the component's: matches are promised to be exactly the component's.
// Runs of letters whose lower-case forms lie a fixed distance away:
// lower, upper, count, pitch.
constexpr int32_t kFoldRanges[] = {
    97, 65, 26, 1,
    224, 192, 23, 1,
    248, 216, 7, 1,
    257, 256, 24, 2,
    314, 313, 8, 2,
    331, 330, 23, 2,
    462, 461, 8, 2,
    479, 478, 9, 2,
    505, 504, 20, 2,
    547, 546, 9, 2,
    583, 582, 5, 2,
    945, 913, 17, 1,
    963, 931, 9, 1,
    985, 984, 12, 2,
    1072, 1040, 32, 1,
    1104, 1024, 16, 1,
    1121, 1120, 17, 2,
    1163, 1162, 27, 2,
    1218, 1217, 7, 2,
    1233, 1232, 48, 2,
    1377, 1329, 38, 1,
    4304, 7312, 43, 1,
    7681, 7680, 75, 2,
    7841, 7840, 48, 2,
    7936, 7944, 8, 1,
    7952, 7960, 6, 1,
    7968, 7976, 8, 1,
    7984, 7992, 8, 1,
    8000, 8008, 6, 1,
    8032, 8040, 8, 1,
    8560, 8544, 16, 1,
    9424, 9398, 26, 1,
    11312, 11264, 48, 1,
    11393, 11392, 50, 2,
    11520, 4256, 38, 1,
    42561, 42560, 23, 2,
    42625, 42624, 14, 2,
    42787, 42786, 7, 2,
    42803, 42802, 31, 2,
    42879, 42878, 5, 2,
    42903, 42902, 10, 2,
    42933, 42932, 8, 2,
    65345, 65313, 26, 1,
    66600, 66560, 40, 1,
    66776, 66736, 36, 1,
    66967, 66928, 11, 1,
    66979, 66940, 15, 1,
    66995, 66956, 7, 1,
    68800, 68736, 51, 1,
    71872, 71840, 32, 1,
    93792, 93760, 32, 1,
    125218, 125184, 34, 1,
};

// Single pairs: lower, upper.
constexpr int32_t kFoldPairs[] = {
    255, 376, 307, 306, 309, 308, 311, 310, 378, 377, 380, 379, 382, 381, 384, 579,
    387, 386, 389, 388, 392, 391, 396, 395, 402, 401, 405, 502, 409, 408, 410, 573,
    414, 544, 417, 416, 419, 418, 421, 420, 424, 423, 429, 428, 432, 431, 436, 435,
    438, 437, 441, 440, 445, 444, 447, 503, 454, 452, 457, 455, 460, 458, 477, 398,
    499, 497, 501, 500, 572, 571, 575, 11390, 576, 11391, 578, 577, 592, 11375, 593, 11373,
    594, 11376, 595, 385, 596, 390, 598, 393, 599, 394, 601, 399, 603, 400, 604, 42923,
    608, 403, 609, 42924, 611, 404, 613, 42893, 614, 42922, 616, 407, 617, 406, 618, 42926,
    619, 11362, 620, 42925, 623, 412, 625, 11374, 626, 413, 629, 415, 637, 11364, 640, 422,
    642, 42949, 643, 425, 647, 42929, 648, 430, 649, 580, 650, 433, 651, 434, 652, 581,
    658, 439, 669, 42930, 670, 42928, 881, 880, 883, 882, 887, 886, 891, 1021, 892, 1022,
    893, 1023, 940, 902, 941, 904, 942, 905, 943, 906, 972, 908, 973, 910, 974, 911,
    983, 975, 1010, 1017, 1011, 895, 1016, 1015, 1019, 1018, 1231, 1216, 4349, 7357, 4350, 7358,
    4351, 7359, 7545, 42877, 7549, 11363, 7566, 42950, 8017, 8025, 8019, 8027, 8021, 8029, 8023, 8031,
    8048, 8122, 8049, 8123, 8050, 8136, 8051, 8137, 8052, 8138, 8053, 8139, 8054, 8154, 8055, 8155,
    8056, 8184, 8057, 8185, 8058, 8170, 8059, 8171, 8060, 8186, 8061, 8187, 8112, 8120, 8113, 8121,
    8144, 8152, 8145, 8153, 8160, 8168, 8161, 8169, 8165, 8172, 8526, 8498, 8580, 8579, 11361, 11360,
    11365, 570, 11366, 574, 11368, 11367, 11370, 11369, 11372, 11371, 11379, 11378, 11382, 11381, 11500, 11499,
    11502, 11501, 11507, 11506, 11559, 4295, 11565, 4301, 42874, 42873, 42876, 42875, 42892, 42891, 42897, 42896,
    42899, 42898, 42900, 42948, 42952, 42951, 42954, 42953, 42961, 42960, 42967, 42966, 42969, 42968, 42998, 42997,
    43859, 42931, 67003, 66964, 67004, 66965,
};

// Letters whose folded form is not a simple lower-case letter:
// code point and folded UTF-8.
constexpr FoldSpecial kFoldSpecials[] = {
    {0xB5, "\xce\xbc"}, {0xDF, "\x73\x73"}, {0x130, "\x69\xcc\x87"}, {0x149, "\xca\xbc\x6e"},
    {0x17F, "\x73"}, {0x1C5, "\xc7\x86"}, {0x1C8, "\xc7\x89"}, {0x1CB, "\xc7\x8c"},
    {0x1F0, "\x6a\xcc\x8c"}, {0x1F2, "\xc7\xb3"}, {0x345, "\xce\xb9"}, {0x390, "\xce\xb9\xcc\x88\xcc\x81"},
    {0x3B0, "\xcf\x85\xcc\x88\xcc\x81"}, {0x3C2, "\xcf\x83"}, {0x3D0, "\xce\xb2"}, {0x3D1, "\xce\xb8"},
    {0x3D5, "\xcf\x86"}, {0x3D6, "\xcf\x80"}, {0x3F0, "\xce\xba"}, {0x3F1, "\xcf\x81"},
    {0x3F4, "\xce\xb8"}, {0x3F5, "\xce\xb5"}, {0x587, "\xd5\xa5\xd6\x82"}, {0x13F8, "\xe1\x8f\xb0"},
    {0x13F9, "\xe1\x8f\xb1"}, {0x13FA, "\xe1\x8f\xb2"}, {0x13FB, "\xe1\x8f\xb3"}, {0x13FC, "\xe1\x8f\xb4"},
    {0x13FD, "\xe1\x8f\xb5"}, {0x1C80, "\xd0\xb2"}, {0x1C81, "\xd0\xb4"}, {0x1C82, "\xd0\xbe"},
    {0x1C83, "\xd1\x81"}, {0x1C84, "\xd1\x82"}, {0x1C85, "\xd1\x82"}, {0x1C86, "\xd1\x8a"},
    {0x1C87, "\xd1\xa3"}, {0x1C88, "\xea\x99\x8b"}, {0x1E96, "\x68\xcc\xb1"}, {0x1E97, "\x74\xcc\x88"},
    {0x1E98, "\x77\xcc\x8a"}, {0x1E99, "\x79\xcc\x8a"}, {0x1E9A, "\x61\xca\xbe"}, {0x1E9B, "\xe1\xb9\xa1"},
    {0x1E9E, "\x73\x73"}, {0x1F50, "\xcf\x85\xcc\x93"}, {0x1F52, "\xcf\x85\xcc\x93\xcc\x80"}, {0x1F54, "\xcf\x85\xcc\x93\xcc\x81"},
    {0x1F56, "\xcf\x85\xcc\x93\xcd\x82"}, {0x1F80, "\xe1\xbc\x80\xce\xb9"}, {0x1F81, "\xe1\xbc\x81\xce\xb9"}, {0x1F82, "\xe1\xbc\x82\xce\xb9"},
    {0x1F83, "\xe1\xbc\x83\xce\xb9"}, {0x1F84, "\xe1\xbc\x84\xce\xb9"}, {0x1F85, "\xe1\xbc\x85\xce\xb9"}, {0x1F86, "\xe1\xbc\x86\xce\xb9"},
    {0x1F87, "\xe1\xbc\x87\xce\xb9"}, {0x1F88, "\xe1\xbc\x80\xce\xb9"}, {0x1F89, "\xe1\xbc\x81\xce\xb9"}, {0x1F8A, "\xe1\xbc\x82\xce\xb9"},
    {0x1F8B, "\xe1\xbc\x83\xce\xb9"}, {0x1F8C, "\xe1\xbc\x84\xce\xb9"}, {0x1F8D, "\xe1\xbc\x85\xce\xb9"}, {0x1F8E, "\xe1\xbc\x86\xce\xb9"},
    {0x1F8F, "\xe1\xbc\x87\xce\xb9"}, {0x1F90, "\xe1\xbc\xa0\xce\xb9"}, {0x1F91, "\xe1\xbc\xa1\xce\xb9"}, {0x1F92, "\xe1\xbc\xa2\xce\xb9"},
    {0x1F93, "\xe1\xbc\xa3\xce\xb9"}, {0x1F94, "\xe1\xbc\xa4\xce\xb9"}, {0x1F95, "\xe1\xbc\xa5\xce\xb9"}, {0x1F96, "\xe1\xbc\xa6\xce\xb9"},
    {0x1F97, "\xe1\xbc\xa7\xce\xb9"}, {0x1F98, "\xe1\xbc\xa0\xce\xb9"}, {0x1F99, "\xe1\xbc\xa1\xce\xb9"}, {0x1F9A, "\xe1\xbc\xa2\xce\xb9"},
    {0x1F9B, "\xe1\xbc\xa3\xce\xb9"}, {0x1F9C, "\xe1\xbc\xa4\xce\xb9"}, {0x1F9D, "\xe1\xbc\xa5\xce\xb9"}, {0x1F9E, "\xe1\xbc\xa6\xce\xb9"},
    {0x1F9F, "\xe1\xbc\xa7\xce\xb9"}, {0x1FA0, "\xe1\xbd\xa0\xce\xb9"}, {0x1FA1, "\xe1\xbd\xa1\xce\xb9"}, {0x1FA2, "\xe1\xbd\xa2\xce\xb9"},
    {0x1FA3, "\xe1\xbd\xa3\xce\xb9"}, {0x1FA4, "\xe1\xbd\xa4\xce\xb9"}, {0x1FA5, "\xe1\xbd\xa5\xce\xb9"}, {0x1FA6, "\xe1\xbd\xa6\xce\xb9"},
    {0x1FA7, "\xe1\xbd\xa7\xce\xb9"}, {0x1FA8, "\xe1\xbd\xa0\xce\xb9"}, {0x1FA9, "\xe1\xbd\xa1\xce\xb9"}, {0x1FAA, "\xe1\xbd\xa2\xce\xb9"},
    {0x1FAB, "\xe1\xbd\xa3\xce\xb9"}, {0x1FAC, "\xe1\xbd\xa4\xce\xb9"}, {0x1FAD, "\xe1\xbd\xa5\xce\xb9"}, {0x1FAE, "\xe1\xbd\xa6\xce\xb9"},
    {0x1FAF, "\xe1\xbd\xa7\xce\xb9"}, {0x1FB2, "\xe1\xbd\xb0\xce\xb9"}, {0x1FB3, "\xce\xb1\xce\xb9"}, {0x1FB4, "\xce\xac\xce\xb9"},
    {0x1FB6, "\xce\xb1\xcd\x82"}, {0x1FB7, "\xce\xb1\xcd\x82\xce\xb9"}, {0x1FBC, "\xce\xb1\xce\xb9"}, {0x1FBE, "\xce\xb9"},
    {0x1FC2, "\xe1\xbd\xb4\xce\xb9"}, {0x1FC3, "\xce\xb7\xce\xb9"}, {0x1FC4, "\xce\xae\xce\xb9"}, {0x1FC6, "\xce\xb7\xcd\x82"},
    {0x1FC7, "\xce\xb7\xcd\x82\xce\xb9"}, {0x1FCC, "\xce\xb7\xce\xb9"}, {0x1FD2, "\xce\xb9\xcc\x88\xcc\x80"}, {0x1FD3, "\xce\xb9\xcc\x88\xcc\x81"},
    {0x1FD6, "\xce\xb9\xcd\x82"}, {0x1FD7, "\xce\xb9\xcc\x88\xcd\x82"}, {0x1FE2, "\xcf\x85\xcc\x88\xcc\x80"}, {0x1FE3, "\xcf\x85\xcc\x88\xcc\x81"},
    {0x1FE4, "\xcf\x81\xcc\x93"}, {0x1FE6, "\xcf\x85\xcd\x82"}, {0x1FE7, "\xcf\x85\xcc\x88\xcd\x82"}, {0x1FF2, "\xe1\xbd\xbc\xce\xb9"},
    {0x1FF3, "\xcf\x89\xce\xb9"}, {0x1FF4, "\xcf\x8e\xce\xb9"}, {0x1FF6, "\xcf\x89\xcd\x82"}, {0x1FF7, "\xcf\x89\xcd\x82\xce\xb9"},
    {0x1FFC, "\xcf\x89\xce\xb9"}, {0x2126, "\xcf\x89"}, {0x212A, "\x6b"}, {0x212B, "\xc3\xa5"},
    {0xAB70, "\xe1\x8e\xa0"}, {0xAB71, "\xe1\x8e\xa1"}, {0xAB72, "\xe1\x8e\xa2"}, {0xAB73, "\xe1\x8e\xa3"},
    {0xAB74, "\xe1\x8e\xa4"}, {0xAB75, "\xe1\x8e\xa5"}, {0xAB76, "\xe1\x8e\xa6"}, {0xAB77, "\xe1\x8e\xa7"},
    {0xAB78, "\xe1\x8e\xa8"}, {0xAB79, "\xe1\x8e\xa9"}, {0xAB7A, "\xe1\x8e\xaa"}, {0xAB7B, "\xe1\x8e\xab"},
    {0xAB7C, "\xe1\x8e\xac"}, {0xAB7D, "\xe1\x8e\xad"}, {0xAB7E, "\xe1\x8e\xae"}, {0xAB7F, "\xe1\x8e\xaf"},
    {0xAB80, "\xe1\x8e\xb0"}, {0xAB81, "\xe1\x8e\xb1"}, {0xAB82, "\xe1\x8e\xb2"}, {0xAB83, "\xe1\x8e\xb3"},
    {0xAB84, "\xe1\x8e\xb4"}, {0xAB85, "\xe1\x8e\xb5"}, {0xAB86, "\xe1\x8e\xb6"}, {0xAB87, "\xe1\x8e\xb7"},
    {0xAB88, "\xe1\x8e\xb8"}, {0xAB89, "\xe1\x8e\xb9"}, {0xAB8A, "\xe1\x8e\xba"}, {0xAB8B, "\xe1\x8e\xbb"},
    {0xAB8C, "\xe1\x8e\xbc"}, {0xAB8D, "\xe1\x8e\xbd"}, {0xAB8E, "\xe1\x8e\xbe"}, {0xAB8F, "\xe1\x8e\xbf"},
    {0xAB90, "\xe1\x8f\x80"}, {0xAB91, "\xe1\x8f\x81"}, {0xAB92, "\xe1\x8f\x82"}, {0xAB93, "\xe1\x8f\x83"},
    {0xAB94, "\xe1\x8f\x84"}, {0xAB95, "\xe1\x8f\x85"}, {0xAB96, "\xe1\x8f\x86"}, {0xAB97, "\xe1\x8f\x87"},
    {0xAB98, "\xe1\x8f\x88"}, {0xAB99, "\xe1\x8f\x89"}, {0xAB9A, "\xe1\x8f\x8a"}, {0xAB9B, "\xe1\x8f\x8b"},
    {0xAB9C, "\xe1\x8f\x8c"}, {0xAB9D, "\xe1\x8f\x8d"}, {0xAB9E, "\xe1\x8f\x8e"}, {0xAB9F, "\xe1\x8f\x8f"},
    {0xABA0, "\xe1\x8f\x90"}, {0xABA1, "\xe1\x8f\x91"}, {0xABA2, "\xe1\x8f\x92"}, {0xABA3, "\xe1\x8f\x93"},
    {0xABA4, "\xe1\x8f\x94"}, {0xABA5, "\xe1\x8f\x95"}, {0xABA6, "\xe1\x8f\x96"}, {0xABA7, "\xe1\x8f\x97"},
    {0xABA8, "\xe1\x8f\x98"}, {0xABA9, "\xe1\x8f\x99"}, {0xABAA, "\xe1\x8f\x9a"}, {0xABAB, "\xe1\x8f\x9b"},
    {0xABAC, "\xe1\x8f\x9c"}, {0xABAD, "\xe1\x8f\x9d"}, {0xABAE, "\xe1\x8f\x9e"}, {0xABAF, "\xe1\x8f\x9f"},
    {0xABB0, "\xe1\x8f\xa0"}, {0xABB1, "\xe1\x8f\xa1"}, {0xABB2, "\xe1\x8f\xa2"}, {0xABB3, "\xe1\x8f\xa3"},
    {0xABB4, "\xe1\x8f\xa4"}, {0xABB5, "\xe1\x8f\xa5"}, {0xABB6, "\xe1\x8f\xa6"}, {0xABB7, "\xe1\x8f\xa7"},
    {0xABB8, "\xe1\x8f\xa8"}, {0xABB9, "\xe1\x8f\xa9"}, {0xABBA, "\xe1\x8f\xaa"}, {0xABBB, "\xe1\x8f\xab"},
    {0xABBC, "\xe1\x8f\xac"}, {0xABBD, "\xe1\x8f\xad"}, {0xABBE, "\xe1\x8f\xae"}, {0xABBF, "\xe1\x8f\xaf"},
    {0xFB00, "\x66\x66"}, {0xFB01, "\x66\x69"}, {0xFB02, "\x66\x6c"}, {0xFB03, "\x66\x66\x69"},
    {0xFB04, "\x66\x66\x6c"}, {0xFB05, "\x73\x74"}, {0xFB06, "\x73\x74"}, {0xFB13, "\xd5\xb4\xd5\xb6"},
    {0xFB14, "\xd5\xb4\xd5\xa5"}, {0xFB15, "\xd5\xb4\xd5\xab"}, {0xFB16, "\xd5\xbe\xd5\xb6"}, {0xFB17, "\xd5\xb4\xd5\xad"},
};

struct FoldEntry {
  int32_t code_point;
  FoldedChar folded;
};

void AppendUtf8(int32_t cp, FoldedChar& out) {
  char* p = out.bytes;
  if (cp < 0x80) {
    *p++ = static_cast<char>(cp);
  } else if (cp < 0x800) {
    *p++ = static_cast<char>(0xC0 | (cp >> 6));
    *p++ = static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    *p++ = static_cast<char>(0xE0 | (cp >> 12));
    *p++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    *p++ = static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    *p++ = static_cast<char>(0xF0 | (cp >> 18));
    *p++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    *p++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    *p++ = static_cast<char>(0x80 | (cp & 0x3F));
  }
  out.length = static_cast<int>(p - out.bytes);
  *p = 0;
}

const std::vector<FoldEntry>& FoldTable() {
  static const std::vector<FoldEntry> table = [] {
    std::vector<FoldEntry> entries;
    auto add_pair = [&](int32_t lower, int32_t upper) {
      FoldEntry entry{upper, {}};
      AppendUtf8(lower, entry.folded);
      entries.push_back(entry);
    };
    for (size_t i = 0; i < std::size(kFoldRanges); i += 4)
      for (int32_t j = 0; j < kFoldRanges[i + 2] * kFoldRanges[i + 3]; j += kFoldRanges[i + 3])
        add_pair(kFoldRanges[i] + j, kFoldRanges[i + 1] + j);
    for (size_t i = 0; i < std::size(kFoldPairs); i += 2) add_pair(kFoldPairs[i], kFoldPairs[i + 1]);
    for (const FoldSpecial& special : kFoldSpecials) {
      FoldEntry entry{special.code_point, {}};
      entry.folded.length = static_cast<int>(std::strlen(special.folded));
      std::memcpy(entry.folded.bytes, special.folded, static_cast<size_t>(entry.folded.length) + 1);
      entries.push_back(entry);
    }
    std::sort(entries.begin(), entries.end(),
              [](const FoldEntry& a, const FoldEntry& b) { return a.code_point < b.code_point; });
    return entries;
  }();
  return table;
}

constexpr int LeadWidth(unsigned char lead) {
  if (lead < 0xC2) return 1;
  if (lead < 0xE0) return 2;
  if (lead < 0xF0) return 3;
  if (lead < 0xF5) return 4;
  return 1;
}

// Width with the invalid bit (8) as the component classifies a sequence.
int Classify(const unsigned char* us) {
  if (us[0] < 0x80) return 1;
  const int count = LeadWidth(us[0]);
  if (count == 1 || !IsTrailByte(us[1])) return 8 | 1;
  if (count == 2) return 2;
  if (count == 3) {
    if (!IsTrailByte(us[2])) return 8 | 1;
    if (us[0] == 0xE0 && (us[1] & 0xE0) == 0x80) return 8 | 1;  // overlong
    if (us[0] == 0xED && (us[1] & 0xE0) == 0xA0) return 8 | 1;  // surrogate
    if (us[0] == 0xEF && us[1] == 0xBF && (us[2] == 0xBE || us[2] == 0xBF)) return 8 | 3;
    if (us[0] == 0xEF && us[1] == 0xB7 && ((us[2] & 0xF0) == 0x90 || (us[2] & 0xF0) == 0xA0)) return 8 | 3;
    return 3;
  }
  if (!IsTrailByte(us[2]) || !IsTrailByte(us[3])) return 8 | 1;
  if ((us[1] & 0xF) == 0xF && us[2] == 0xBF && (us[3] == 0xBE || us[3] == 0xBF)) return 8 | 4;
  if (us[0] == 0xF4 && us[1] > 0x8F) return 8 | 1;
  if (us[0] == 0xF0 && (us[1] & 0xF0) == 0x80) return 8 | 1;  // overlong
  return 4;
}

void LoadBytes(std::string_view text, size_t pos, unsigned char (&bytes)[4]) {
  for (size_t b = 0; b < 4; ++b) bytes[b] = pos + b < text.size() ? static_cast<unsigned char>(text[pos + b]) : 0;
  // The component looks only at as many bytes as the lead byte announces.
  for (int b = LeadWidth(bytes[0]); b < 4; ++b) bytes[b] = 0;
}

int32_t Decode(const unsigned char* us, int width) {
  switch (width) {
    case 2: return ((us[0] & 0x1F) << 6) + (us[1] & 0x3F);
    case 3: return ((us[0] & 0xF) << 12) + ((us[1] & 0x3F) << 6) + (us[2] & 0x3F);
    default: return ((us[0] & 0x7) << 18) + ((us[1] & 0x3F) << 12) + ((us[2] & 0x3F) << 6) + (us[3] & 0x3F);
  }
}

void CopyBytes(std::string_view text, size_t pos, int width, FoldedChar& out) {
  for (int b = 0; b < width; ++b)
    out.bytes[b] = pos + static_cast<size_t>(b) < text.size() ? text[pos + static_cast<size_t>(b)] : 0;
  out.length = width;
}

}  // namespace

const char* FoldCodePoint(int32_t code_point) {
  const std::vector<FoldEntry>& table = FoldTable();
  auto it = std::lower_bound(table.begin(), table.end(), code_point,
                             [](const FoldEntry& entry, int32_t cp) { return entry.code_point < cp; });
  return it != table.end() && it->code_point == code_point ? it->folded.bytes : nullptr;
}

int CharWidthAt(std::string_view text, size_t pos) {
  const unsigned char lead = pos < text.size() ? static_cast<unsigned char>(text[pos]) : 0;
  if (lead < 0x80) return 1;
  unsigned char bytes[4];
  LoadBytes(text, pos, bytes);
  return Classify(bytes) & 7;
}

bool IsValidCharAt(std::string_view text, size_t pos) {
  unsigned char bytes[4];
  LoadBytes(text, pos, bytes);
  return (Classify(bytes) & 8) == 0;
}

void FoldStartBytes(unsigned char first, bool (&starts)[256]) {
  for (int b = 0; b < 256; ++b) starts[b] = b == first || (b >= 'A' && b <= 'Z' && b + 32 == first);
  for (const FoldEntry& entry : FoldTable()) {
    if (static_cast<unsigned char>(entry.folded.bytes[0]) != first) continue;
    FoldedChar original;
    AppendUtf8(entry.code_point, original);
    starts[static_cast<unsigned char>(original.bytes[0])] = true;
  }
}

void FoldCharAt(std::string_view text, size_t pos, int width, FoldedChar& out) {
  const unsigned char lead = pos < text.size() ? static_cast<unsigned char>(text[pos]) : 0;
  if (width == 1) {
    out.bytes[0] = static_cast<char>(lead >= 'A' && lead <= 'Z' ? lead + 32 : lead);
    out.length = 1;
    return;
  }
  unsigned char bytes[4];
  LoadBytes(text, pos, bytes);
  if (Classify(bytes) & 8) {  // a non-character: kept byte for byte
    CopyBytes(text, pos, width, out);
    return;
  }
  if (const char* folded = FoldCodePoint(Decode(bytes, width))) {
    out.length = static_cast<int>(std::strlen(folded));
    std::memcpy(out.bytes, folded, static_cast<size_t>(out.length));
  } else {
    CopyBytes(text, pos, width, out);
  }
}

std::string FoldSearchText(std::string_view text) {
  std::string folded;
  if (text.size() == 1) {  // the component folds a single byte by its ASCII table
    FoldedChar one;
    FoldCharAt(text, 0, 1, one);
    return std::string(one.bytes, 1);
  }
  folded.reserve(text.size() * 2);
  size_t pos = 0;
  while (pos < text.size()) {
    unsigned char bytes[4];
    LoadBytes(text, pos, bytes);
    const int classified = Classify(bytes);
    // An invalid sequence of any width is copied one byte at a time here.
    const int width = (classified & 8) ? 1 : classified;
    FoldedChar one;
    if (width == 1) {
      FoldCharAt(text, pos, 1, one);
    } else {
      FoldCharAt(text, pos, width, one);
    }
    folded.append(one.bytes, static_cast<size_t>(one.length));
    pos += static_cast<size_t>(width);
  }
  return folded;
}

}  // namespace tavrel
