// The pop-up of a rebar band's chevron, drawn as a skinned popup menu. The
// rebar offers it through SetChevronMenuRunner; the toolkit's entry points
// install it.
#pragma once
#ifndef _WIN32
#error "chevron_menu_win32.h is Win32 glue"
#endif
#include <windows.h>

#include <cstdint>
#include <vector>

#include "toolkit/bars/rebar_chevron_menu_win32.h"

namespace lumora {

// A ChevronMenuRunner: the items below the chevron in the UI style, until
// the menu closes.
void ShowChevronMenu(HWND owner, const std::vector<ChevronMenuItem>& items, const RECT& chevron, int32_t ui_style);

}  // namespace lumora
