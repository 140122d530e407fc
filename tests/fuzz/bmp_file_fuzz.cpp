// A skin's BMP images are anyone's files: no bytes may crash the checks
// made on them, and what passes must lie inside the bytes, since the system
// is then handed exactly that much.
// Fuzz sources: toolkit/image/bmp_file.cpp
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "toolkit/image/bmp_file.h"

using namespace lumora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (const auto bmp = ReadBmpLayout(data, size)) {
    if (bmp->info_size > size - 14 || bmp->bits_offset > size || bmp->image_size > size - bmp->bits_offset ||
        bmp->width <= 0 || bmp->height <= 0)
      std::abort();
  }
  return 0;
}
