// Icon files: the image chosen for a skin, the simple files read without
// the system's loader (what is read, and every file that must be left to
// the system instead).
#include "toolkit/image/ico_file.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

namespace lumora {
namespace {

// One 2 x 2 32-bit image: directory, entry, header, rows bottom-up, mask.
const std::vector<uint8_t> kFile = {
    0, 0, 1, 0, 1, 0,                                                            // icon, one image
    2, 2, 0, 0, 1, 0, 32, 0, 64, 0, 0, 0, 22, 0, 0, 0,                           // 64 bytes at 22
    40, 0, 0, 0, 2, 0, 0, 0, 4, 0, 0, 0, 1, 0, 32, 0, 0, 0, 0, 0, 0, 0, 0, 0,    // header
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    7, 8, 9, 0, 10, 11, 12, 64,                                                  // bottom: clear, quarter
    1, 2, 3, 255, 4, 5, 6, 128,                                                  // top: opaque, half
    0, 0, 0, 0, 0, 0, 0, 0};                                                     // mask
const std::vector<uint8_t> kTopDown = {1, 2, 3, 255, 4, 5, 6, 128, 7, 8, 9, 0, 10, 11, 12, 64};

bool Decodes(const std::vector<uint8_t>& file, int32_t size = 0) {
  DecodedImage image;
  return DecodeSimpleIconFile(file.data(), file.size(), size, size, &image);
}

void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

std::vector<uint8_t> With(size_t at, uint8_t value) {
  std::vector<uint8_t> file = kFile;
  file[at] = value;
  return file;
}

TEST(IcoFileTest, ReadsTheOnlyImageTopDownAtTheAskedOrNaturalSize) {
  for (int32_t size : {0, 2}) {
    DecodedImage image;
    ASSERT_TRUE(DecodeSimpleIconFile(kFile.data(), kFile.size(), size, size, &image));
    EXPECT_EQ(image.width, 2);
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(image.bgra, kTopDown);
  }
}

TEST(IcoFileTest, LeavesEverythingElseToTheSystem) {
  EXPECT_FALSE(Decodes(kFile, 16)) << "another size: the system scales";
  EXPECT_FALSE(Decodes(With(4, 2))) << "the system chooses among images";
  EXPECT_FALSE(Decodes(With(22, 0x89))) << "a PNG image";
  EXPECT_FALSE(Decodes(With(27, 0x7F))) << "a width of 32514, more than the bytes hold";
  std::vector<uint8_t> masked = kFile;
  for (size_t alpha = 65; alpha < 80; alpha += 4) masked[alpha] = 0;
  EXPECT_FALSE(Decodes(masked)) << "no alpha: the mask decides";
  // Cut short anywhere, never read past the end (the sanitizer watches).
  for (size_t size = 0; size < kFile.size(); ++size)
    EXPECT_FALSE(Decodes(std::vector<uint8_t>(kFile.begin(), kFile.begin() + static_cast<ptrdiff_t>(size)))) << size;
}

TEST(IcoFileTest, EntriesNearestTheWantedSizeEvenWhenTheSkinAsksTheImpossible) {
  // Two entries, 16 and 32 pixels, both naming the same 40 bytes.
  std::vector<uint8_t> ico(6 + 32 + 40, 0);
  ico[2] = 1;
  ico[4] = 2;
  for (int i = 0; i < 2; ++i) {
    ico[6 + i * 16] = ico[7 + i * 16] = static_cast<uint8_t>(16 << i);
    Put32(ico, 6 + i * 16 + 8, 40);
    Put32(ico, 6 + i * 16 + 12, 38);
  }
  const auto largest = ChooseIcoEntry(ico.data(), ico.size(), 0, 0);
  ASSERT_TRUE(largest);
  EXPECT_EQ(largest->offset, 38u);
  ASSERT_TRUE(ChooseIcoEntry(ico.data(), ico.size(), 16, 16));
  // "width: 2147483647": distances that do not fit 32 bits.
  EXPECT_TRUE(ChooseIcoEntry(ico.data(), ico.size(), INT_MAX, INT_MIN));
  Put32(ico, 6 + 8, 41);  // longer than the file
  Put32(ico, 6 + 16 + 8, 41);
  EXPECT_FALSE(ChooseIcoEntry(ico.data(), ico.size(), 0, 0));
}

}  // namespace
}  // namespace lumora
