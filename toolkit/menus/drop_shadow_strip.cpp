#include "toolkit/menus/drop_shadow_strip.h"

#include <algorithm>

namespace lumora {
namespace {

uint32_t Premultiplied(uint32_t colorref, int32_t alpha) {
  const uint32_t a = static_cast<uint32_t>(alpha);
  const uint32_t red = (colorref & 0xFF) * a / 255;
  const uint32_t green = ((colorref >> 8) & 0xFF) * a / 255;
  const uint32_t blue = ((colorref >> 16) & 0xFF) * a / 255;
  return a << 24 | red << 16 | green << 8 | blue;
}

uint32_t& PixelAt(ShadowStrip& strip, bool vertical, int32_t along, int32_t across) {
  const int32_t x = vertical ? across : along;
  const int32_t y = vertical ? along : across;
  return strip.pixels[static_cast<size_t>(y) * static_cast<size_t>(strip.width) + static_cast<size_t>(x)];
}

ShadowStrip EmptyStrip(int32_t length, int32_t depth, bool vertical) {
  ShadowStrip strip;
  strip.width = vertical ? depth : length;
  strip.height = vertical ? length : depth;
  strip.pixels.assign(static_cast<size_t>(length) * static_cast<size_t>(depth), 0);
  return strip;
}

}  // namespace

int32_t ShadowStripLength(int32_t side_length, int32_t depth, uint32_t side_flags) {
  int32_t length = side_length;
  if (side_flags & (SHADOW_EXTEND_END | SHADOW_EXTEND_START)) length += depth;
  if (side_flags & SHADOW_EXTEND_BOTH) length += 2 * depth;
  return length;
}

int32_t ShadowAlongAlpha(int32_t i, int32_t length, int32_t depth, int32_t max_alpha) {
  if (depth <= 0 || i < 0 || i >= length) return 0;
  if (i < depth) return max_alpha * (i + 1) / depth;
  if (i < length - depth) return max_alpha;
  return max_alpha * (length - i) / depth;
}

int32_t ShadowPixelAlpha(int32_t i, int32_t j, int32_t length, int32_t depth, int32_t max_alpha) {
  if (depth <= 0 || j < 0 || j >= depth) return 0;
  return ShadowAlongAlpha(i, length, depth, max_alpha) * (depth - j - 1) / depth;
}

ShadowStrip BuildShadowStrip(int32_t length, int32_t depth, uint32_t colorref, int32_t max_alpha, bool vertical) {
  // Sizes come from window rectangles; keep a degenerate one from dividing
  // by zero or asking for a giant buffer.
  if (length <= 0 || depth <= 0 || length > 65535 || depth > 255) return {};
  max_alpha = std::clamp(max_alpha, 0, 255);
  ShadowStrip strip = EmptyStrip(length, depth, vertical);
  for (int32_t i = 0; i < length; ++i)
    for (int32_t j = 0; j < depth; ++j)
      PixelAt(strip, vertical, i, j) = Premultiplied(colorref, ShadowPixelAlpha(i, j, length, depth, max_alpha));
  return strip;
}

ShadowStrip ShadowStripCache::Get(int32_t length, int32_t depth, uint32_t colorref, int32_t max_alpha) {
  if (length <= 0 || depth <= 0) return {};
  // Too short to have a middle: the ramps overlap, so no cut would match.
  if (length < 2 * depth) return BuildShadowStrip(length, depth, colorref, max_alpha, vertical_);
  if (cached_.pixels.empty() || length > length_ || depth != depth_ || colorref != colour_ ||
      max_alpha != max_alpha_) {
    cached_ = BuildShadowStrip(length, depth, colorref, max_alpha, vertical_);
    if (cached_.pixels.empty()) return {};
    length_ = length;
    depth_ = depth;
    colour_ = colorref;
    max_alpha_ = max_alpha;
    ++builds_;
  }
  if (length == length_) return cached_;
  ShadowStrip strip = EmptyStrip(length, depth, vertical_);
  for (int32_t i = 0; i < length; ++i) {
    const int32_t from = i < length - depth ? i : i + (length_ - length);
    for (int32_t j = 0; j < depth; ++j) PixelAt(strip, vertical_, i, j) = PixelAt(cached_, vertical_, from, j);
  }
  return strip;
}

}  // namespace lumora
