// The toolkit's own small images: a blank stand-in icon and the glyphs that
// bars and menus draw (chevron, drop-down arrow, check mark, sub-menu arrow).
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "platform/os_handles_win32.h"

namespace lumora {

enum BuiltinGlyph { GLYPH_CHEVRON, GLYPH_DROPDOWN, GLYPH_CHECK, GLYPH_SUBMENU, GLYPH_COUNT };

platform::UniqueIcon CreateBlankIcon();
// A one-image list holding the glyph, in the size and depth bars expect.
platform::UniqueImageList CreateGlyphList(BuiltinGlyph glyph);

}  // namespace lumora
