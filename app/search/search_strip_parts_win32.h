// The parts of the search strip that sit inside the field: the magnifier
// button (18) on panel 5, and on panel 4 the match counter (label 7) and
// the clear button (19).
#pragma once
#include <windows.h>

#include "app/search/search_strip_win32.h"

namespace tavrel {

void BuildSearchStripParts(HWND field, HFONT font);
void FreeSearchStripParts();
// Keeps the counter panel right-aligned in a field of this width.
void PlaceCounterParts(int field_width);
int CounterPanelWidth();
// Has the parts inside `update` (field coordinates) drawn again: the combo
// box paints over its child windows without telling them.
void RepaintStripParts(const RECT& update);
// The counter panel's left edge in the field, or the field's width.
int CounterPanelLeft();
void ShowMatchCounter(const MatchCounterLook& look);
// Enabled with the tooltip "Clear Search", or disabled with "Search".
void SetClearButton(bool enabled);
HWND ClearButtonWindow();
// The magnifier or the clear button (or a window of theirs).
bool IsStripButton(HWND window);

}  // namespace tavrel
