// Lumora menus: a menu bar (a Lumora tool bar with one drop-down button per
// title), popup menus, and their owner-drawn items. Wherever an operation
// takes `menu` it accepts the menu id, the system popup handle or the bar's
// window handle, and acts on every menu that matches.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace lumora {

// Items added without an explicit id take one of the automatic ids shared
// with tool-bar buttons. True when an item of any menu has the id; the
// tool-bar buttons' id search asks this too.
bool MenuItemIdInUse(int32_t id);

// 0 if the id is taken or the bar could not be made; the automatic id for
// -1, otherwise the bar's window handle. The new menu becomes current.
intptr_t MenuCreateBar(int32_t id, HWND window, int32_t style);
// A title on the current bar; its popup becomes the current popup. 0.
int32_t MenuAddTitle(const wchar_t* text);
// Adds to the current popup. Images are icons or bitmaps (0 = none);
// sub_menu is a system popup handle or a menu id (0 = none). 0 on failure,
// the automatic id for -1, else 1.
int32_t MenuAddItem(int32_t id, const wchar_t* text, HANDLE image, HANDLE hot_image, HANDLE disabled_image,
                    intptr_t sub_menu);
int32_t MenuAddSeparator();
// As MenuAddItem for an explicit menu and place (position below 0 = end). A
// negative sub_menu is no sub-menu but marks the row (MENU_ROW_* of
// menu_metrics.h).
int32_t MenuInsertItem(intptr_t menu, int32_t position, int32_t id, const wchar_t* text, HANDLE image,
                       HANDLE hot_image, HANDLE disabled_image, intptr_t sub_menu);
// 1, or 0 when no menu has the item.
int32_t MenuSetItemDisabled(intptr_t menu, int32_t id, int32_t state);
// state: 0 plain, 1 checked, 2 radio-checked; | MENU_ITEM_MARKER sets the marker.
constexpr int32_t MENU_ITEM_MARKER = 0x1000;
int32_t MenuSetItemState(intptr_t menu, int32_t id, int32_t state);
int32_t MenuRemoveItem(intptr_t menu, int32_t item, int32_t by_position);
// The text as given (shortcut part included), or empty.
std::wstring MenuGetItemText(intptr_t menu, int32_t id);
// The popup handle, or 0 if the id is taken or creation failed; the new
// menu becomes current.
intptr_t MenuCreatePopup(int32_t id, int32_t style);
// Shows a popup at a screen point and returns when it closed: 1, or 0 when
// nothing matches.
int32_t MenuShowPopup(intptr_t menu, HWND window, int x, int y);
// The popup handle of a popup menu, the bar handle of a bar menu, or 0.
intptr_t MenuExists(int32_t id);
// Height of a menu bar's client area; menu_bar is the menu bar's id or its
// window handle. 0 when unknown.
int32_t MenuBarHeight(intptr_t menu_bar);
// menu -1 frees every menu. 1, or 0 if no menu matches.
int32_t MenuFree(intptr_t menu);

}  // namespace lumora
