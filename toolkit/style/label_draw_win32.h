// Drawing and measuring of marked-up labels on a device context. Every text
// the toolkit paints (menu items, tool-bar texts, buttons, panel labels)
// comes through here, so measured sizes and drawn text always agree.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/style/label_layout.h"

namespace lumora {

// Draws `text` (label markup, see label_markup.h) into `rect` on `dc`, in
// `font` or, when it is null, in the font selected into `dc`; `flags` are the
// LABEL_ flags of label_layout.h. With LABEL_MEASURE nothing is drawn and
// `rect` receives the extent instead: right = left + width of the widest line,
// bottom = top + total height. Returns the label's total height, or 0 when
// `dc` or `rect` is missing or the label could not be laid out. The font
// and text colour selected into `dc` are the same afterwards as before.
int DrawLabel(HDC dc, const wchar_t* text, RECT* rect, HFONT font, uint32_t flags);

// DrawLabel with LABEL_MEASURE.
int MeasureLabel(HDC dc, const wchar_t* text, RECT* rect, HFONT font, uint32_t flags = 0);

// The toolkit's one list of link regions, replaced by every DrawLabel call
// with LABEL_RECORD_LINKS. Positions are relative to the label rectangle's
// top left corner. User-interface thread only, like all label drawing.
const std::vector<LabelLink>& LabelLinks();

// The text, without codes, of the last label drawn or measured with
// LABEL_COLLECT_TEXT.
const std::wstring& LabelPlainText();

}  // namespace lumora
