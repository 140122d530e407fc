// PNG and JPEG bytes to 32-bit pixels through libpng and libjpeg, free of
// the platform so that it can be fuzzed natively; image_decode.h adds files,
// the decoders' switches and bitmaps.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

struct DecodedImage {
  int width = 0;
  int height = 0;
  // Top-down rows of B, G, R, A bytes with straight (not premultiplied) alpha.
  std::vector<uint8_t> bgra;
  bool has_alpha = false;
};

// Icons and skin images are far smaller; larger claims are refused.
inline constexpr uint32_t kLargestImageSide = 32768;
inline constexpr uint64_t kLargestImagePixels = uint64_t{16} << 20;  // 64 MiB decoded

// The format is told by its signature; a format switched off, or bytes of
// neither, decode to nothing.
bool DecodeImageBytes(const uint8_t* data, size_t size, bool png, bool jpeg, DecodedImage* out);

}  // namespace platform
