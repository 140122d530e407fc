#include "toolkit/image/ico_file.h"

#include <cstdlib>
#include <cstring>

namespace lumora {
namespace {

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t U32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
         (static_cast<uint32_t>(p[3]) << 24);
}

constexpr size_t kDirectorySize = 6;
constexpr size_t kEntrySize = 16;
constexpr size_t kInfoHeaderSize = 40;
// Icons are small; a larger claim is a broken or hostile file.
constexpr int32_t kLargestSide = 256;

}  // namespace

size_t IcoImageCount(const uint8_t* data, size_t size) {
  if (!data || size < kDirectorySize) return 0;
  // Reserved 0, type 1 (icon).
  if (U16(data) != 0 || U16(data + 2) != 1) return 0;
  const size_t count = U16(data + 4);
  if (kDirectorySize + count * kEntrySize > size) return 0;
  return count;
}

std::optional<IcoImage> IcoImageAt(const uint8_t* data, size_t size, size_t index) {
  if (index >= IcoImageCount(data, size)) return std::nullopt;
  const uint8_t* entry = data + kDirectorySize + index * kEntrySize;
  const uint32_t length = U32(entry + 8);
  const uint32_t offset = U32(entry + 12);
  if (offset > size || length > size - offset || length < kInfoHeaderSize) return std::nullopt;
  IcoImage image;
  image.width = entry[0] ? entry[0] : 256;
  image.height = entry[1] ? entry[1] : 256;
  image.offset = offset;
  image.length = length;
  return image;
}

std::optional<IcoImage> ChooseIcoEntry(const uint8_t* data, size_t size, int32_t width, int32_t height) {
  const size_t count = IcoImageCount(data, size);
  // Wanted sizes come from the skin's text: distances are taken in 64 bits.
  const int64_t want_w = width, want_h = height > 0 ? height : width;
  std::optional<IcoImage> best;
  int64_t best_score = 0;
  for (size_t i = 0; i < count; ++i) {
    const std::optional<IcoImage> image = IcoImageAt(data, size, i);
    if (!image) continue;
    const int64_t w = image->width, h = image->height;
    const int64_t score = width > 0 ? -(std::llabs(w - want_w) + std::llabs(h - want_h)) : w * h;
    if (!best || score > best_score) {
      best = image;
      best_score = score;
    }
  }
  return best;
}

bool DecodeSimpleIconFile(const uint8_t* data, size_t size, int32_t width, int32_t height, DecodedImage* out) {
  if (!out || IcoImageCount(data, size) != 1) return false;
  const std::optional<IcoImage> image = IcoImageAt(data, size, 0);
  if (!image) return false;
  const uint8_t* info = data + image->offset;
  if (U32(info) != kInfoHeaderSize) return false;  // PNG images and newer headers: the system's job
  const auto image_width = static_cast<int32_t>(U32(info + 4));
  const auto double_height = static_cast<int32_t>(U32(info + 8));
  const uint16_t planes = U16(info + 12), bits = U16(info + 14);
  const uint32_t compression = U32(info + 16);
  if (planes != 1 || bits != 32 || compression != 0) return false;
  // The height counts the colour image and the mask below it.
  if (image_width <= 0 || image_width > kLargestSide || double_height <= 0 || double_height % 2 != 0 ||
      double_height / 2 > kLargestSide)
    return false;
  const int32_t image_height = double_height / 2;
  if ((width > 0 && width != image_width) || (height > 0 && height != image_height)) return false;
  const size_t row = static_cast<size_t>(image_width) * 4;
  const size_t colour_bytes = row * static_cast<size_t>(image_height);
  if (image->length - kInfoHeaderSize < colour_bytes) return false;
  const uint8_t* rows = info + kInfoHeaderSize;
  bool any_alpha = false;
  for (size_t i = 3; i < colour_bytes && !any_alpha; i += 4) any_alpha = rows[i] != 0;
  if (!any_alpha) return false;  // a mask-only icon: the mask decides, the system's way
  out->width = image_width;
  out->height = image_height;
  out->has_alpha = true;
  out->bgra.resize(colour_bytes);
  // Bottom-up in the file.
  for (int32_t y = 0; y < image_height; ++y)
    std::memcpy(&out->bgra[static_cast<size_t>(y) * row], rows + static_cast<size_t>(image_height - 1 - y) * row, row);
  return true;
}

}  // namespace lumora
