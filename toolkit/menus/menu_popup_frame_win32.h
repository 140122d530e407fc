// The system's popup-menu windows ("#32768") while a Lumora menu is shown:
// caught as they are created, given a thin skinned frame, a skinned
// background around the items and the toolkit's drop shadows, and kept on
// the work area when MenuShowPopup opened them.
#pragma once
#include <windows.h>

#include <cstddef>

namespace lumora {

// Handler of the toolkit's window-creation hook.
void OnMenuWindowCreated(HWND window);
// The popup window currently showing `menu`, or null.
HWND PopupWindowOf(HMENU menu);
// Lays the open menu's shadow along the right side of its title on the
// menu bar `bar`, whose held button the tool-bar painting just drew into
// `dc` (`title` is the frame it drew). Nothing while the system's
// drop-shadow setting is off.
void PaintOpenTitleShadow(HWND bar, HDC dc, const RECT& title);

}  // namespace lumora
