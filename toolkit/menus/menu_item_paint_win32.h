// Measuring and painting owner-drawn menu items in the menu's UI style, and
// the popup background each menu keeps cached for its items to copy from.
#pragma once
#include <windows.h>

#include <cstdint>

namespace lumora {

// WM_MEASUREITEM and WM_DRAWITEM of Lumora menu items, as they reach the
// owner window; a handler of the bar window procedure.
bool HandleMenuItemMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result);

// The size an item of `menu` at `position` asks for; {0, 0} for none.
SIZE MeasureMenuItemAt(HMENU menu, int position);

// A colour of the menu look of `style` as a COLORREF: the UI colour table
// for the UI styles, the system colours below them.
COLORREF MenuColour(int32_t style, int32_t key);

// Fills `area` of a popup's client area (`width` x `height`, items starting
// at `row_left`) with the background of `menu`, through its cache.
void PaintMenuBackgroundArea(HDC dc, HMENU menu, int32_t style, int width, int height, int row_left,
                             const RECT& area);

// The 1-pixel frame and the background ring inside it that a popup window
// shows around its client area; `client` is in window coordinates.
void PaintMenuFrame(HDC dc, int32_t style, const RECT& window, const RECT& client);

// Colour-mode step: every cached background is painted again.
void ClearMenuBackgrounds(int32_t mode);

}  // namespace lumora
