// Changing items after they were added: enabled state, check marks and
// radio groups, removal, and reading an item's text back.
#include <windows.h>

#include <vector>

#include "toolkit/menus/menu_radio_group.h"
#include "toolkit/menus/menu_records_win32.h"
#include "toolkit/menus/menu_win32.h"
#include "toolkit/menus/shortcut_dispatch_win32.h"

namespace lumora {
namespace {

MenuRadioGroups g_radio_groups;

// A menu that matches and holds the item, as found under the lock.
struct ItemHit {
  MenuRecord* menu = nullptr;
  HMENU popup = nullptr;
  HWND owner = nullptr;
};

std::vector<ItemHit> MatchingPopups(intptr_t menu) {
  std::vector<ItemHit> hits;
  StaleLockGuard guard(MenuLock());
  for (auto& record : Menus().menus)
    if (MenuMatches(*record, menu) && record->popup_menu())
      hits.push_back({record.get(), record->popup_menu(), record->owner});
  return hits;
}

MENUITEMINFOW ReadItem(HMENU popup, int position, UINT mask) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = mask;
  GetMenuItemInfoW(popup, static_cast<UINT>(position), TRUE, &info);
  return info;
}

void WriteState(HMENU popup, int position, UINT state) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STATE;
  info.fState = state;
  SetMenuItemInfoW(popup, static_cast<UINT>(position), TRUE, &info);
}

}  // namespace

int32_t MenuSetItemDisabled(intptr_t menu, int32_t id, int32_t state) {
  bool found = false;
  for (const ItemHit& hit : MatchingPopups(menu)) {
    const int position = FindItemPosition(hit.popup, id);
    if (position < 0) continue;
    found = true;
    const MENUITEMINFOW info = ReadItem(hit.popup, position, MIIM_STATE | MIIM_DATA);
    std::wstring text;
    {
      StaleLockGuard guard(MenuLock());
      if (MenuItemRecord* item = FindItemRecord(info.dwItemData)) text = item->text;
      hit.menu->InvalidateBackground();
    }
    UINT new_state = info.fState;
    if (state) {
      new_state |= MFS_DISABLED | MFS_GRAYED;
      // The key stays listed but does nothing, so it cannot reach a control
      // either (Ctrl+C of a disabled Copy must not copy in an edit field).
      BindItemShortcut(hit.owner, id, text.c_str(), ShortcutTable::Mode::kBlock);
    } else {
      new_state &= ~static_cast<UINT>(MFS_DISABLED | MFS_GRAYED);
      BindItemShortcut(hit.owner, id, text.c_str(), ShortcutTable::Mode::kRegister);
    }
    WriteState(hit.popup, position, new_state);
  }
  return found ? 1 : 0;
}

int32_t MenuSetItemState(intptr_t menu, int32_t id, int32_t state) {
  bool found = false;
  const int32_t check = state & ~MENU_ITEM_MARKER;
  for (const ItemHit& hit : MatchingPopups(menu)) {
    const int position = FindItemPosition(hit.popup, id);
    if (position < 0) continue;
    found = true;
    const MENUITEMINFOW info = ReadItem(hit.popup, position, MIIM_STATE | MIIM_DATA | MIIM_FTYPE);
    int32_t group = 0;
    std::vector<MenuItemRecord*> others;
    {
      StaleLockGuard guard(MenuLock());
      hit.menu->InvalidateBackground();
      MenuItemRecord* item = FindItemRecord(info.dwItemData);
      if (item) {
        item->marker = (state & MENU_ITEM_MARKER) ? 1 : 0;
        if (check == 2) {
          if (!item->radio_item) {
            item->radio_item = 1;
            item->radio_group = g_radio_groups.Join(reinterpret_cast<intptr_t>(hit.popup));
          }
          group = item->radio_group;
          for (auto& other : Menus().items)
            if (other.get() != item && other->radio_item && other->radio_group == group) others.push_back(other.get());
        }
      }
    }
    UINT new_state = info.fState;
    if (check == 0) new_state &= ~static_cast<UINT>(MFS_CHECKED);
    if (check == 1 || check == 2) new_state |= MFS_CHECKED;
    if (check == 2) {
      MENUITEMINFOW type{};
      type.cbSize = sizeof type;
      type.fMask = MIIM_FTYPE;
      type.fType = info.fType | MFT_RADIOCHECK;
      SetMenuItemInfoW(hit.popup, static_cast<UINT>(position), TRUE, &type);
      for (MenuItemRecord* other : others) {
        const int other_position = FindItemPositionOf(other->popup, other);
        if (other_position < 0) continue;
        const MENUITEMINFOW other_info = ReadItem(other->popup, other_position, MIIM_STATE);
        WriteState(other->popup, other_position, other_info.fState & ~static_cast<UINT>(MFS_CHECKED));
      }
    }
    WriteState(hit.popup, position, new_state);
  }
  return found ? 1 : 0;
}

int32_t MenuRemoveItem(intptr_t menu, int32_t item, int32_t by_position) {
  bool found = false;
  for (const ItemHit& hit : MatchingPopups(menu)) {
    const int position = by_position ? item : FindItemPosition(hit.popup, item);
    if (position < 0 || position >= GetMenuItemCount(hit.popup)) continue;
    const MENUITEMINFOW info = ReadItem(hit.popup, position, MIIM_DATA);
    if (!RemoveMenu(hit.popup, static_cast<UINT>(position), MF_BYPOSITION)) continue;
    found = true;
    StaleLockGuard guard(MenuLock());
    hit.menu->InvalidateBackground();
    auto& items = Menus().items;
    for (auto it = items.begin(); it != items.end(); ++it) {
      if (reinterpret_cast<ULONG_PTR>(it->get()) == info.dwItemData) {
        items.erase(it);  // its image list goes with it
        break;
      }
    }
  }
  return found ? 1 : 0;
}

std::wstring MenuGetItemText(intptr_t menu, int32_t id) {
  for (const ItemHit& hit : MatchingPopups(menu)) {
    const int position = FindItemPosition(hit.popup, id);
    if (position < 0) continue;
    const MENUITEMINFOW info = ReadItem(hit.popup, position, MIIM_DATA);
    StaleLockGuard guard(MenuLock());
    if (MenuItemRecord* item = FindItemRecord(info.dwItemData)) return item->text;
  }
  return std::wstring();
}

}  // namespace lumora
