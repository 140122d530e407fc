// PNG and JPEG bytes to 32-bit pixels through libpng and libjpeg, for
// icons and skin images. Free of the platform, so that it is tested and
// fuzzed natively; image_handles_win32.h makes bitmaps and icons of what it
// decodes. The decoders are switched on by the toolkit at start-up.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace lumora {

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

void EnablePngDecoder();
void EnableJpegDecoder();
bool PngDecoderEnabled();
bool JpegDecoderEnabled();

// DecodeImageBytes with the decoders that are switched on.
bool DecodeImage(const uint8_t* data, size_t size, DecodedImage* out);

}  // namespace lumora
