// The arithmetic behind the toolkit's font helpers: what the flag word of
// CreateFontFromName asks for, and the conversion between point sizes and
// the logical heights fonts are created with.
#pragma once
#include <cstdint>

namespace lumora {

// Flag bits of CreateFontFromName.
constexpr uint32_t FONT_BOLD = 0x1;
constexpr uint32_t FONT_ITALIC = 0x2;
constexpr uint32_t FONT_UNDERLINE = 0x4;
constexpr uint32_t FONT_STRIKEOUT = 0x8;
constexpr uint32_t FONT_BOLD_ALT = 0x100;
constexpr uint32_t FONT_ITALIC_ALT = 0x200;
constexpr uint32_t FONT_ANTIALIASED = 0x10000;
constexpr uint32_t FONT_NONANTIALIASED = 0x20000;
constexpr uint32_t FONT_CLEARTYPE = 0x40000;

enum class FontQuality { kDefault, kAntialiased, kNonAntialiased, kClearType };

struct FontRequest {
  int32_t weight = 0;  // 0 lets the font mapper choose
  bool italic = false;
  bool underline = false;
  bool strike_out = false;
  FontQuality quality = FontQuality::kDefault;
};

// The low word carries the style: the bit flags above, or a weight-like
// value 700-708 (bold plus the bits of value - 700), or 400 (plain). The
// quality bits sit above it; the first of the three that is set wins.
FontRequest DecodeFontFlags(uint32_t flags);

// -MulDiv(points, dpi, 72): a negative height asks for the character height.
// 0 when dpi is not positive.
int32_t FontHeightForPoints(int32_t points, int32_t dpi);

// |height| * 72 / dpi rounded to the nearest integer; 0 when dpi is not
// positive.
int32_t PointsForFontHeight(int32_t height, int32_t dpi);

}  // namespace lumora
