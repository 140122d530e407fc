// Bitmap (BMP) files: the checks made on their bytes before the system is
// handed any of them. Skin images are anyone's files, so every size and
// offset a header gives is checked against the bytes that are there; what
// passes is safe to copy as described.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>

namespace lumora {

// A BMP file the toolkit keeps at its own depth: uncompressed (or with bit
// fields), 1 to 32 bits, 1 to 16384 pixels a side, bottom-up or top-down.
// The header and palette (info_size bytes from offset 14) and the pixel rows
// (image_size bytes from bits_offset) are inside the file.
struct BmpLayout {
  int32_t width = 0;
  int32_t height = 0;  // always positive; the header's sign says the row order
  int32_t bits_per_pixel = 0;
  size_t info_size = 0;
  size_t bits_offset = 0;
  size_t image_size = 0;
};
std::optional<BmpLayout> ReadBmpLayout(const uint8_t* data, size_t size);

}  // namespace lumora
