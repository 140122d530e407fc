#include "toolkit/base/builtin_glyphs_win32.h"

#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/dib_section_win32.h"
#include "platform/icon_pixels_win32.h"
#include "platform/os_handles_win32.h"

namespace lumora {
namespace {

// Glyph shapes as text: '#' is ink (black), anything else transparent.
const char* const kChevron[17] = {
    "       ", "       ", "#  #   ", " #  #  ", "  #  # ", " #  #  ", "#  #   ", "       ", "       ",
    "       ", "       ", "#######", " ##### ", "  ###  ", "   #   ", "       ", "       "};
const char* const kDropdown[3] = {"#####", " ### ", "  #  "};
const char* const kCheck[7] = {"      #", "     ##", "#   ###", "## ### ", "#####  ", " ###   ", "  #    "};
const char* const kSubmenu[7] = {"  #    ", "  ##   ", "  ###  ", "  #### ", "  ###  ", "  ##   ", "  #    "};

struct GlyphShape {
  const char* const* rows;
  int width, height, bits;
};

GlyphShape ShapeOf(BuiltinGlyph glyph) {
  switch (glyph) {
    case GLYPH_CHEVRON: return {kChevron, 7, 17, 32};
    case GLYPH_DROPDOWN: return {kDropdown, 5, 3, 32};
    case GLYPH_CHECK: return {kCheck, 7, 7, 24};
    case GLYPH_SUBMENU: return {kSubmenu, 7, 7, 24};
    case GLYPH_COUNT: break;
  }
  return {kDropdown, 5, 3, 32};
}


// Colour and mask bitmaps of a shape: ink is opaque black, the rest clear.
bool BitmapsFromShape(const GlyphShape& shape, platform::UniqueBitmap* colour_out, platform::UniqueBitmap* mask_out) {
  void* colour_bits = nullptr;
  platform::UniqueBitmap colour = platform::CreateTopDownDib(shape.width, shape.height, shape.bits, &colour_bits);
  const int mask_stride = ((shape.width + 15) / 16) * 2;
  std::vector<uint8_t> mask_bits(static_cast<size_t>(mask_stride) * shape.height, 0);
  if (!colour) return false;
  const int stride = ((shape.width * shape.bits / 8) + 3) & ~3;
  auto* bytes = static_cast<uint8_t*>(colour_bits);
  std::memset(bytes, 0, static_cast<size_t>(stride) * shape.height);
  for (int y = 0; y < shape.height; ++y) {
    const char* row = shape.rows[y];
    const int len = static_cast<int>(std::strlen(row));
    for (int x = 0; x < shape.width; ++x) {
      const bool ink = x < len && row[x] == '#';
      if (shape.bits == 32 && ink) bytes[y * stride + x * 4 + 3] = 0xFF;
      if (!ink) mask_bits[y * mask_stride + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
    }
  }
  platform::UniqueBitmap mask(CreateBitmap(shape.width, shape.height, 1, 1, mask_bits.data()));
  if (!mask) return false;
  *colour_out = std::move(colour);
  *mask_out = std::move(mask);
  return true;
}

platform::UniqueIcon IconFromShape(const GlyphShape& shape) {
  platform::UniqueBitmap colour, mask;
  if (!BitmapsFromShape(shape, &colour, &mask)) return platform::UniqueIcon();
  return platform::CreateIconFromBitmaps(colour.get(), mask.get());
}

}  // namespace

platform::UniqueIcon CreateBlankIcon() {
  static const char* const kBlank[1] = {" "};
  return IconFromShape({kBlank, 1, 1, 32});
}

platform::UniqueImageList CreateGlyphList(BuiltinGlyph glyph) {
  const GlyphShape shape = ShapeOf(glyph);
  platform::UniqueImageList list(ImageList_Create(shape.width, shape.height, ILC_COLOR32 | ILC_MASK, 0, 0));
  if (!list) return list;
  // Straight from the shape's bitmaps: an icon in between would only be
  // copied back out of the display.
  platform::UniqueBitmap colour, mask;
  if (BitmapsFromShape(shape, &colour, &mask)) ImageList_Add(list.get(), colour.get(), mask.get());
  return list;
}

}  // namespace lumora
