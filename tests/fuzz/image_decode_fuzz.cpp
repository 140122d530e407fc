// Icons and skin images are files anyone can drop beside the program: no
// PNG or JPEG bytes may crash the decoder, read outside them, or make it
// ask for more memory than the size bounds allow; what decodes has the
// pixels its size says.
// Fuzz sources: toolkit/image/image_decode.cpp
// Fuzz libraries: -lpng -ljpeg
// An image at the size bound, 64 MiB of pixels and the decoder's working
// memory, takes more than the default limit under AddressSanitizer.
// Fuzz options: -rss_limit_mb=2048
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "toolkit/image/image_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  lumora::DecodedImage image;
  if (lumora::DecodeImageBytes(data, size, true, true, &image)) {
    const uint64_t pixels = static_cast<uint64_t>(image.width) * static_cast<uint64_t>(image.height);
    if (image.width <= 0 || image.height <= 0 || pixels > lumora::kLargestImagePixels ||
        image.bgra.size() != pixels * 4) {
      std::abort();
    }
  }
  return 0;
}
