// Opening the main window's File menu with a real click on its title,
// through the toolkit's tracking, and closing it again once the popup is
// on screen, as a click elsewhere would.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "tests/wine/message_pump.h"
#include "toolkit/menus/menu_tracking_win32.h"

namespace wine_test {

inline constexpr UINT_PTR kCloseMenuTimer = 0x4C4B;
inline bool g_file_menu_popup_seen = false;

// Fires inside the menu's own loop.
inline void CALLBACK CloseOpenMenu(HWND window, UINT, UINT_PTR id, DWORD) {
  HWND popup = FindWindowW(L"#32768", nullptr);
  if (!popup || !IsWindowVisible(popup)) return;
  KillTimer(window, id);
  g_file_menu_popup_seen = true;
  EndMenu();
}

// bar is the menu bar's tool bar, main the window owning the timer; take
// as for PumpUntil. False when the menu did not open and close in 5 s.
template <typename Take>
bool OpenAndCloseFileMenu(HWND bar, HWND main, Take take) {
  RECT title{};
  SendMessageW(bar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&title));
  const LPARAM at = MAKELPARAM((title.left + title.right) / 2, (title.top + title.bottom) / 2);
  g_file_menu_popup_seen = false;
  SetTimer(main, kCloseMenuTimer, 10, CloseOpenMenu);
  PostMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(bar, WM_LBUTTONUP, 0, at);
  const bool closed =
      PumpUntil([] { return g_file_menu_popup_seen && !lumora::MenuTracking().active; }, 5000, take);
  KillTimer(main, kCloseMenuTimer);
  return closed;
}

inline bool OpenAndCloseFileMenu(HWND bar, HWND main) {
  return OpenAndCloseFileMenu(bar, main, [](const MSG&) { return false; });
}

}  // namespace wine_test
