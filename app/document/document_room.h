// How much room a document read from a file is given before its first byte
// arrives: the text's own buffer and its index of line starts. Both grow
// by copying into a larger block, so for a file of gigabytes a wrong guess
// costs, for a moment, the old block and the new one together.
#pragma once
#include <cstdint>
#include <string_view>

namespace tavrel {

struct DocumentRoom {
  uint64_t text_bytes = 0;
  // Positions past 2^31 need the component's large-document mode (line
  // starts of 64 bits); below that the default mode is kept.
  bool large = false;
};

// Room for a text of file_size bytes plus what the first edits need.
DocumentRoom PlanDocumentRoom(uint64_t file_size);

// The number of lines a file of file_size bytes is likely to have, from
// its first bytes (sample): their line ends (CR, LF or CR LF, as the
// component counts them) scaled to the whole, with a little to spare. 0
// when the sample has no line end: one long line needs no index.
uint64_t EstimateLineCount(std::string_view sample, uint64_t file_size);

}  // namespace tavrel
