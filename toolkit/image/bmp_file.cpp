#include "toolkit/image/bmp_file.h"

namespace lumora {
namespace {

uint32_t U32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }
uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
int32_t S32(const uint8_t* p) { return static_cast<int32_t>(U32(p)); }

constexpr size_t kFileHeader = 14;
constexpr size_t kInfoHeader = 40;
constexpr uint32_t kRgb = 0, kBitFields = 3;
constexpr int64_t kLargestSide = 16384;

}  // namespace

std::optional<BmpLayout> ReadBmpLayout(const uint8_t* data, size_t size) {
  if (!data || size < kFileHeader + kInfoHeader || data[0] != 'B' || data[1] != 'M') return std::nullopt;
  const uint8_t* info = data + kFileHeader;
  const uint32_t header_size = U32(info);
  if (header_size < kInfoHeader || header_size > size - kFileHeader) return std::nullopt;
  // Widened before the sign is dropped: a height of INT32_MIN has no
  // positive counterpart in 32 bits.
  const int64_t width = S32(info + 4);
  const int64_t signed_height = S32(info + 8);
  const int64_t height = signed_height < 0 ? -signed_height : signed_height;
  if (width <= 0 || width > kLargestSide || height <= 0 || height > kLargestSide || U16(info + 12) != 1)
    return std::nullopt;
  const int bpp = U16(info + 14);
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return std::nullopt;
  const uint32_t compression = U32(info + 16);
  if (compression != kRgb && compression != kBitFields) return std::nullopt;
  const uint32_t colours_used = U32(info + 32);
  size_t palette = 0;
  if (bpp <= 8) palette = (colours_used && colours_used < (1u << bpp) ? colours_used : (1u << bpp)) * size_t{4};
  if (compression == kBitFields && header_size == kInfoHeader) palette = 12;
  BmpLayout layout;
  layout.width = static_cast<int32_t>(width);
  layout.height = static_cast<int32_t>(height);
  layout.bits_per_pixel = bpp;
  layout.info_size = header_size + palette;
  layout.bits_offset = U32(data + 10);
  const size_t stride = ((static_cast<size_t>(width) * bpp + 31) / 32) * 4;
  layout.image_size = stride * static_cast<size_t>(height);
  if (layout.info_size > size - kFileHeader || layout.bits_offset > size ||
      layout.image_size > size - layout.bits_offset)
    return std::nullopt;
  return layout;
}

}  // namespace lumora
