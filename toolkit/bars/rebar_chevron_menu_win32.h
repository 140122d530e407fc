// The pop-up a band's chevron opens: the tool-bar buttons the band cuts
// off, as menu items carrying the buttons' command ids, so choosing one
// sends the owner the same command as a click on the button.
#pragma once
#ifndef _WIN32
#error "rebar_chevron_menu_win32.h is Win32 glue"
#endif
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/os_handles_win32.h"

namespace lumora {

struct ChevronMenuItem {
  int32_t id = 0;
  std::wstring text;
  platform::UniqueIcon icon;  // null for a button without an image
  bool separator = false;
  bool disabled = false;
  bool checked = false;
};

// Shows the items as a skinned popup menu of the UI style below the chevron
// (screen coordinates), kept on the monitor, and returns when the menu has
// closed. A chosen item reaches owner as WM_COMMAND.
using ChevronMenuRunner = void (*)(HWND owner, const std::vector<ChevronMenuItem>& items, const RECT& chevron,
                                   int32_t ui_style);
// The menus sit above the bars, so they hand in the runner at start-up;
// until then a chevron opens nothing.
void SetChevronMenuRunner(ChevronMenuRunner runner);
void RunChevronMenu(HWND owner, const std::vector<ChevronMenuItem>& items, const RECT& chevron, int32_t ui_style);

}  // namespace lumora
