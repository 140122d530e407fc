#include "app/search/text_search.h"

#include <algorithm>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "app/search/case_fold.h"

namespace tavrel {

namespace {

enum class Outcome { kNone, kMatch, kPartial };

// Compares the document from `pos` character by character with the folded
// search text, as the component does: each document character is folded on
// its own and must equal the next bytes of the folded text. Sets the
// matched length on a match.
Outcome MatchAt(std::string_view doc, int64_t pos, int64_t end, std::string_view folded, int64_t& length) {
  size_t index = 0;
  int64_t at = pos;
  const size_t n = folded.size();
  while (index < n) {
    if (at >= end) return Outcome::kNone;
    const unsigned char byte = static_cast<unsigned char>(doc[static_cast<size_t>(at)]);
    if (byte < 0x80) {
      const char lower = static_cast<char>(byte >= 'A' && byte <= 'Z' ? byte + 32 : byte);
      if (lower != folded[index]) return Outcome::kNone;
      ++index;
      ++at;
      continue;
    }
    const int width = CharWidthAt(doc, static_cast<size_t>(at));
    if (at + width > end) return Outcome::kNone;
    FoldedChar one;
    FoldCharAt(doc, static_cast<size_t>(at), width, one);
    const size_t left = n - index;
    const size_t len = static_cast<size_t>(one.length);
    if (len > left) {
      return std::memcmp(one.bytes, folded.data() + index, left) == 0 ? Outcome::kPartial : Outcome::kNone;
    }
    if (std::memcmp(one.bytes, folded.data() + index, len) != 0) return Outcome::kNone;
    index += len;
    at += width;
  }
  length = at - pos;
  return Outcome::kMatch;
}

// Beyond the limit matches are only counted. Partial matches serve only to
// narrow a complete result, so they are kept until a match is left out:
// a result that reaches the limit exactly is still complete, and a longer
// text may match where it partly matched after the last match.
void Record(std::string_view doc, int64_t pos, int64_t end, std::string_view folded, SearchResult& out,
            size_t limit = SIZE_MAX) {
  int64_t length = 0;
  switch (MatchAt(doc, pos, end, folded, length)) {
    case Outcome::kMatch:
      if (out.matches.size() < limit) {
        out.matches.push_back({pos, length});
      } else if (out.complete()) {
        out.partial_starts = {};
      }
      ++out.count;
      break;
    case Outcome::kPartial:
      if (out.complete()) out.partial_starts.push_back(pos);
      break;
    case Outcome::kNone: break;
  }
}

// The component moves a range end that falls inside a valid character to
// that character's end; a stray trail byte stays where it is.
int64_t MoveOutsideChar(std::string_view doc, int64_t pos) {
  const int64_t size = static_cast<int64_t>(doc.size());
  if (pos <= 0) return 0;
  if (pos >= size) return size;
  auto byte_at = [&](int64_t at) { return static_cast<unsigned char>(doc[static_cast<size_t>(at)]); };
  if (!IsTrailByte(byte_at(pos))) return pos;
  int64_t trail = pos;
  while (trail > 0 && pos - trail < 4 && IsTrailByte(byte_at(trail - 1))) --trail;
  const int64_t lead = trail > 0 ? trail - 1 : trail;
  const size_t at = static_cast<size_t>(lead);
  if (byte_at(lead) < 0xC2 || !IsValidCharAt(doc, at)) return pos;
  const int width = CharWidthAt(doc, at);
  return pos - lead < width ? lead + width : pos;
}

}  // namespace

void FindAllMatches(std::string_view document, int64_t start, int64_t end, std::string_view text,
                    SearchResult& out, const SearchProgress& progress, size_t limit) {
  out.matches.clear();
  out.partial_starts.clear();
  out.count = 0;
  if (text.empty()) return;
  const std::string folded = FoldSearchText(text);
  const int64_t size = static_cast<int64_t>(document.size());
  start = MoveOutsideChar(document, std::clamp<int64_t>(start, 0, size));
  end = MoveOutsideChar(document, std::clamp<int64_t>(end, 0, size));
  const unsigned char first = static_cast<unsigned char>(folded[0]);
  if (IsTrailByte(first)) {
    // Only a text that is not valid UTF-8 begins so; then follow the
    // component's walk from character to character literally.
    int64_t pos = start;
    int64_t report_at = start + kSearchProgressBytes;
    while (pos < end) {
      const int64_t before = out.count;
      Record(document, pos, end, folded, out, limit);
      pos = out.count != before ? MoveOutsideChar(document, pos + 1)
                                         : pos + CharWidthAt(document, static_cast<size_t>(pos));
      if (progress && pos >= report_at) {
        progress(pos);
        report_at = pos + kSearchProgressBytes;
      }
    }
    return;
  }
  // Every byte that is not a trail byte begins a character in the
  // component's walk, whatever path the walk took to get there, and a match
  // cannot begin on a trail byte: so trying each such byte that can begin a
  // match finds the component's matches, overlapping ones included.
  bool starts[256];
  FoldStartBytes(first, starts);
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(document.data());
#if defined(__SSE2__)
  // Usually a letter's two cases and a byte or two more can begin a match:
  // sixteen bytes are then tested at a time.
  unsigned char values[4];
  int value_count = 0;
  for (int b = 0; b < 256 && value_count <= 4; ++b)
    if (starts[b]) {
      if (value_count < 4) values[value_count] = static_cast<unsigned char>(b);
      ++value_count;
    }
  __m128i wanted[4];
  if (value_count <= 4)
    for (int v = 0; v < 4; ++v) wanted[v] = _mm_set1_epi8(static_cast<char>(values[v < value_count ? v : 0]));
#endif
  // Candidates are tried in slices so that a long search can say how far
  // it has come; a match may still run on past its slice's end.
  for (int64_t pos = start; pos < end;) {
    const int64_t slice_end = progress ? std::min(end, pos + kSearchProgressBytes) : end;
#if defined(__SSE2__)
    if (value_count <= 4) {
      for (; pos + 16 <= slice_end; pos += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + pos));
        __m128i hits = _mm_cmpeq_epi8(block, wanted[0]);
        hits = _mm_or_si128(hits, _mm_cmpeq_epi8(block, wanted[1]));
        hits = _mm_or_si128(hits, _mm_cmpeq_epi8(block, wanted[2]));
        hits = _mm_or_si128(hits, _mm_cmpeq_epi8(block, wanted[3]));
        for (unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(hits)); mask != 0; mask &= mask - 1)
          Record(document, pos + __builtin_ctz(mask), end, folded, out, limit);
      }
    }
#endif
    for (; pos < slice_end; ++pos) {
      if (!starts[bytes[pos]]) continue;
      Record(document, pos, end, folded, out, limit);
    }
    if (progress) progress(pos);
  }
}

void FindMatchesAmong(std::string_view document, int64_t end, std::string_view text, const SearchResult& previous,
                      SearchResult& out) {
  out.matches.clear();
  out.partial_starts.clear();
  out.count = 0;
  if (text.empty()) return;
  const std::string folded = FoldSearchText(text);
  end = MoveOutsideChar(document, std::clamp<int64_t>(end, 0, static_cast<int64_t>(document.size())));
  auto partial = previous.partial_starts.begin();
  for (const TextMatch& match : previous.matches) {
    for (; partial != previous.partial_starts.end() && *partial < match.start; ++partial)
      Record(document, *partial, end, folded, out);
    Record(document, match.start, end, folded, out);
  }
  for (; partial != previous.partial_starts.end(); ++partial) Record(document, *partial, end, folded, out);
}

}  // namespace tavrel
