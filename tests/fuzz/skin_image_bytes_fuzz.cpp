// A skin's BMP and ICO images are anyone's files: no bytes may crash the
// checks made on them, and what passes must lie inside the bytes, since the
// system is then handed exactly that much.
// Fuzz sources: toolkit/style/skin_image_bytes.cpp
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "toolkit/style/skin_image_bytes.h"

using namespace lumora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The first bytes choose the wanted icon size, as a skin's "width" and
  // "height" do; the rest is the file.
  if (size < 8) return 0;
  int32_t wanted[2];
  std::memcpy(wanted, data, sizeof wanted);
  data += 8;
  size -= 8;
  if (const auto icon = ChooseIcoEntry(data, size, wanted[0], wanted[1]))
    if (icon->offset > size || icon->length > size - icon->offset) std::abort();
  if (const auto bmp = ReadBmpLayout(data, size)) {
    if (bmp->info_size > size - 14 || bmp->bits_offset > size || bmp->image_size > size - bmp->bits_offset ||
        bmp->width <= 0 || bmp->height <= 0)
      std::abort();
  }
  return 0;
}
