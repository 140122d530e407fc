// The high and low 16-bit words of a message parameter, for callers that
// must not include the platform headers.
#pragma once
#include <cstdint>

namespace lumora {

constexpr uint16_t LowWord(intptr_t value) { return static_cast<uint16_t>(static_cast<uintptr_t>(value) & 0xFFFF); }
constexpr uint16_t HighWord(intptr_t value) {
  return static_cast<uint16_t>((static_cast<uintptr_t>(value) >> 16) & 0xFFFF);
}

}  // namespace lumora
