// The toolkit's own small images: a blank stand-in icon and the glyphs that
// bars and menus draw (chevron, drop-down arrow, check mark, sub-menu arrow).
#pragma once
#include <windows.h>
#include <commctrl.h>

namespace lumora {

enum BuiltinGlyph { GLYPH_CHEVRON, GLYPH_DROPDOWN, GLYPH_CHECK, GLYPH_SUBMENU, GLYPH_COUNT };

HICON CreateBlankIcon();
// A one-image list holding the glyph, in the size and depth bars expect.
HIMAGELIST CreateGlyphList(BuiltinGlyph glyph);

}  // namespace lumora
