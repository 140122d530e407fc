// The chevron of a band: which of its tool bar's buttons are cut off, and
// the pop-up that offers them.
#pragma once
#ifndef _WIN32
#error "rebar_chevron_win32.h is Win32 glue"
#endif
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "toolkit/bars/rebar_chevron_menu_win32.h"
#include "toolkit/bars/rebar_registry_win32.h"

namespace lumora {

// The menu items for the buttons of toolbar whose right edge lies beyond
// visible_right (screen coordinates), in order, separators included;
// embedded controls cannot be offered as commands and are left out.
std::vector<ChevronMenuItem> CollectChevronItems(HWND toolbar, int32_t visible_right);

// RBN_CHEVRONPUSHED: opens the pop-up of the band's hidden buttons.
void ShowRebarChevron(HWND owner, const RebarInfo& rebar, const NMREBARCHEVRON& note);

}  // namespace lumora
