#include "toolkit/bars/toolbar_font_flags.h"

#include <cstdlib>

namespace lumora {
namespace {

// MulDiv's rounding: to the nearest integer, halves away from zero.
int64_t RoundedDivide(int64_t numerator, int64_t denominator) {
  const int64_t magnitude = (std::llabs(numerator) * 2 + std::llabs(denominator)) / (std::llabs(denominator) * 2);
  return (numerator < 0) != (denominator < 0) ? -magnitude : magnitude;
}

}  // namespace

FontRequest DecodeFontFlags(uint32_t flags) {
  FontRequest request;
  uint32_t style = flags & 0xFFFF;
  if (style >= 700 && style <= 708) {
    request.weight = 700;
    style -= 700;
  } else if (style == 400) {
    style = 0;
  }
  if (style & (FONT_BOLD | FONT_BOLD_ALT)) request.weight = 700;
  request.italic = (style & (FONT_ITALIC | FONT_ITALIC_ALT)) != 0;
  request.underline = (style & FONT_UNDERLINE) != 0;
  request.strike_out = (style & FONT_STRIKEOUT) != 0;
  if (flags & FONT_ANTIALIASED) {
    request.quality = FontQuality::kAntialiased;
  } else if (flags & FONT_NONANTIALIASED) {
    request.quality = FontQuality::kNonAntialiased;
  } else if (flags & FONT_CLEARTYPE) {
    request.quality = FontQuality::kClearType;
  }
  return request;
}

int32_t FontHeightForPoints(int32_t points, int32_t dpi) {
  if (dpi <= 0) return 0;
  return static_cast<int32_t>(-RoundedDivide(static_cast<int64_t>(points) * dpi, 72));
}

int32_t PointsForFontHeight(int32_t height, int32_t dpi) {
  if (dpi <= 0) return 0;
  return static_cast<int32_t>(RoundedDivide(std::llabs(static_cast<int64_t>(height)) * 72, dpi));
}

}  // namespace lumora
