// BriefLZ blocks, the compression inside ".sknz" skin archives.
//
// A block starts with one literal byte; after it a 16-bit little-endian tag
// word hands out control bits, most significant first, and is refilled from
// the input where the next bit is needed. Bit 0: one literal byte. Bit 1: a
// match, length = gamma + 2, offset = (gamma - 2) * 256 + next byte + 1
// back from the current output; copied byte by byte, so a match may overlap
// its own output. Gamma codes are pairs of bits (data, continue), the value
// starting at 1. A block ends when its unpacked size is reached.
//
// The decoder trusts nothing it reads: every read is checked against the
// input, every match against the output already written and the room left.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace lumora {

// Decodes one block of exactly `out_size` bytes. On success *consumed is the
// number of input bytes the block used (the next block starts there). False
// when the input runs out, a match reaches before the block's start or past
// its end, or a gamma code grows beyond 32 bits.
bool DecodeBriefLzBlock(const uint8_t* in, size_t in_size, uint8_t* out, size_t out_size, size_t* consumed);

// Encodes one block that DecodeBriefLzBlock reads back; appended to `out`.
// Matches are looked for at most `window` bytes back.
void EncodeBriefLzBlock(const uint8_t* in, size_t size, std::vector<uint8_t>* out, size_t window = 1 << 16);

}  // namespace lumora
