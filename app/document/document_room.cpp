#include "app/document/document_room.h"

#include <algorithm>

namespace tavrel {

namespace {

// The default mode keeps positions in 32 signed bits.
constexpr uint64_t kLargestDefaultDocument = 0x7FFFFFFF;
// Room beyond the text, so that the first edits do not make the component
// move the whole text into a larger buffer, holding both meanwhile (two
// gigabytes for one typed letter in a 1 GB document): a sixty-fourth of
// it, at most 16 MiB, far more than typing or an ordinary paste needs.
constexpr uint64_t kMostEditRoom = uint64_t{16} << 20;

}  // namespace

DocumentRoom PlanDocumentRoom(uint64_t file_size) {
  DocumentRoom room;
  // One byte more, so that handing the whole text out as one block needs
  // no second buffer of the document's size.
  room.text_bytes = file_size + 1 + std::min(file_size / 64, kMostEditRoom);
  room.large = room.text_bytes >= kLargestDefaultDocument;
  return room;
}

uint64_t EstimateLineCount(std::string_view sample, uint64_t file_size) {
  if (sample.empty() || file_size == 0) return 0;
  uint64_t ends = 0;
  for (size_t i = 0; i < sample.size(); ++i) {
    if (sample[i] == '\n') {
      ++ends;
    } else if (sample[i] == '\r' && (i + 1 == sample.size() || sample[i + 1] != '\n')) {
      ++ends;
    }
  }
  if (ends == 0) return 0;
  // ends / sample.size() of the file, in floating point: the product of
  // two counts can pass 2^64 for the largest files.
  const double scaled = static_cast<double>(ends) * (static_cast<double>(file_size) / static_cast<double>(sample.size()));
  const uint64_t lines = static_cast<uint64_t>(scaled + scaled / 32) + 1;
  // A file cannot hold more lines than bytes, plus the last one.
  return std::min(lines, file_size + 1);
}

}  // namespace tavrel
