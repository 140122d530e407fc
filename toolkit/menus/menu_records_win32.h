// The records behind Lumora menus and the registry that holds them. The
// system menu item carries its record's address as item data; that number
// is only ever turned back into a record by looking it up here, so a stale
// or foreign item never reaches a dereference.
//
// Everything here is guarded by the menu lock. The lock is not re-entrant:
// hold it only around registry work, never across calls that send messages
// (menu painting and measuring take it themselves).
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/os_handles_win32.h"
#include "toolkit/base/stale_lock.h"
#include "toolkit/style/colour_mode_win32.h"

namespace lumora {

struct MenuRecord {
  int32_t id = 0;
  HWND owner = nullptr;         // the window of a bar; null for popup menus
  intptr_t bar = -1;            // the menu-bar tool bar; -1 for a popup menu
  intptr_t popup = -1;          // system popup; -1 while a bar has no title
  intptr_t popup_object = -1;   // what owns the system popup (the popup itself)
  // Holds `popup`. MenuFree takes it out and destroys the popup once its
  // items (submenus of their own records among them) are detached.
  platform::UniqueMenu owned_popup;
  int32_t title_button = -1;    // button index on the bar; -1 for popups
  int32_t title_button_id = 0;  // the button's command id, for its notifications
  uint8_t is_popup = 0;         // 0xFF for MenuCreatePopup menus
  int32_t style = 0;            // UISTYLE_OFFICE2003 kept as 6
  CachedRendering background;   // the popup background as last painted
  int32_t cache_width = 0;      // size the background was painted for; 0 = stale
  int32_t cache_height = 0;
  int32_t cache_margin = 0;     // right edge of the image margin painted into it
  int32_t popup_width = 0;
  int32_t popup_height = 0;
  uint8_t open = 0;             // 1 while MenuShowPopup shows it

  HMENU popup_menu() const { return popup == -1 ? nullptr : reinterpret_cast<HMENU>(popup); }
  HWND bar_window() const { return bar == -1 ? nullptr : reinterpret_cast<HWND>(bar); }
  void InvalidateBackground() { cache_width = cache_height = 0; }
};

struct MenuItemRecord {
  MenuRecord* owner = nullptr;
  HMENU popup = nullptr;
  std::wstring text;  // as given, shortcut part included; empty for a separator
  int32_t id = 0;
  int32_t position = 0;
  uint8_t has_image = 0, has_hot_image = 0, has_disabled_image = 0;
  int32_t style = 0;
  platform::UniqueImageList images;  // normal, hot, disabled
  // The images as given, until the item is first drawn (EnsureItemImages).
  HANDLE given_images[3] = {};
  bool images_pending = false;
  int32_t image_height = 16, image_width = 16;
  uint8_t marker = 0;
  uint8_t radio_item = 0;
  int32_t radio_group = 0;
  int32_t row_mark = 0;  // MENU_ROW_* from MenuInsertItem, else 0

  bool is_separator() const { return text.empty(); }
};

struct MenuRegistry {
  std::vector<std::unique_ptr<MenuRecord>> menus;
  std::vector<std::unique_ptr<MenuItemRecord>> items;
  bool has_current = false;
  int32_t current_id = 0;
  intptr_t current_popup = -1;
};

StaleLock& MenuLock();
// The registry; only under MenuLock.
MenuRegistry& Menus();

// The menu style as records keep it: UISTYLE_OFFICE2003 becomes 6, and
// creation flags other than the style bits are dropped.
int32_t MenuStyleOf(int32_t creation_style);
// `menu` names the record by id, popup handle or bar handle (-1 names none).
bool MenuMatches(const MenuRecord& record, intptr_t menu);
// Registry look-ups (under the lock).
MenuRecord* FindMenuByPopup(HMENU popup);
MenuItemRecord* FindItemRecord(ULONG_PTR item_data);
bool AnyMenuUsesId(int32_t id);
// The position of the item with `id` in a system popup, -1 if none.
int FindItemPosition(HMENU popup, int32_t id);
// The position of the item whose data is `record`, -1 if none.
int FindItemPositionOf(HMENU popup, const MenuItemRecord* record);
// Deletes item records (and their image lists) of a popup.
void DeleteItemRecordsOf(HMENU popup);

// Wires menus into the toolkit: the owner-window handlers, the popup-window
// catcher, colour-mode hooks and the tear-down. Wiring again adds nothing.
void WireMenus();

// The menu font: the toolkit's UI font, made from the system menu font.
HFONT MenuFont();
// Point size of the menu font on the screen.
int32_t MenuFontPointSize();

}  // namespace lumora
