// Icon files are read by the program's own code when they are simple: no
// bytes may crash it or make it read outside them, and what it reads has
// the pixels its size says.
// Fuzz sources: toolkit/bars/icon_file.cpp
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "toolkit/bars/icon_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  platform::DecodedImage image;
  if (lumora::DecodeSimpleIconFile(data, size, 0, 0, &image) &&
      (image.width <= 0 || image.height <= 0 ||
       image.bgra.size() != static_cast<size_t>(image.width) * static_cast<size_t>(image.height) * 4))
    std::abort();
  return 0;
}
