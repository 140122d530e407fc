// Colour texts come from skin files written by anyone: no input may crash
// the parser or read outside it.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "toolkit/style/colour.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  lumora::ParseColour(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
