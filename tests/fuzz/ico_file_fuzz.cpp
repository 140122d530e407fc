// Icon files are anyone's files: no bytes may crash the program's reading
// of them or make it read outside them. The image chosen for a skin lies
// inside the bytes, since the system is then handed exactly that much, and
// a simple file read by the program itself has the pixels its size says.
// Fuzz sources: toolkit/image/ico_file.cpp
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "toolkit/image/ico_file.h"

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
  for (const int32_t side : {0, wanted[0]}) {
    DecodedImage image;
    if (DecodeSimpleIconFile(data, size, side, side, &image) &&
        (image.width <= 0 || image.height <= 0 ||
         image.bgra.size() != static_cast<size_t>(image.width) * static_cast<size_t>(image.height) * 4))
      std::abort();
  }
  return 0;
}
