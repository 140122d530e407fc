// Showing menus: stand-alone popups at a screen point kept on the work area,
// and the menus of menu-bar titles, between which the pointer and the arrow
// keys slide while one is open. The state describes the menu being shown.
#pragma once
#include <windows.h>

#include <climits>
#include <cstdint>

namespace lumora {

struct MenuTrackingState {
  bool active = false;
  HMENU popup = nullptr;        // the system popup being shown
  int32_t style = 0;
  HWND owner = nullptr;
  HWND bar = nullptr;           // the menu bar it was opened from, or null
  int title = -1;               // its title's button index, or -1
  int last_title = -1;          // the title opened before this one
  bool from_show_popup = false; // shown by MenuShowPopup
  int32_t shift = 0;            // how far MenuShowPopup moved it left
  int32_t requested_x = 0;      // where MenuShowPopup was asked to show it
  int32_t right_limit = INT32_MAX;  // screen x its right edge must stay left of
  HWND focus = nullptr;         // the keyboard focus before it opened
  HMENU selected_menu = nullptr;
  UINT selected_flags = 0;
  int pending_title = -1;       // title to open once this menu has closed
  bool pending_by_keyboard = false;
  bool escape_last = false;     // the last key or button pressed in it was Esc
};

bool MenuTrackingActive();
const MenuTrackingState& MenuTracking();

// Opens the menu of a title of a menu bar and returns when no menu of the
// bar is open any more (the pointer may have moved on to other titles).
void OpenMenuBarTitle(HWND bar, int title_index, bool select_first_item);

// Window messages of owner windows that concern menus: title buttons,
// mnemonics, selection tracking and the drop-shadow setting. A handler of
// the bar window procedure.
bool HandleMenuOwnerMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result);

// MenuShowPopup whose popup also keeps its right edge left of right_limit
// (screen x), as the work area's edge: a chevron's pop-up stays within its
// window.
int32_t MenuShowPopupWithin(intptr_t menu, HWND window, int x, int y, int32_t right_limit);

// Asks the owner of a menu bar to open a title's menu once the current
// message is done (the keyboard hook must not open menus from inside it).
void PostOpenMenuBarTitle(HWND bar, int title_index);

}  // namespace lumora
