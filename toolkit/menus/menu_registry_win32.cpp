#include <algorithm>
#include <limits>

#include "platform/nonclient_font_win32.h"
#include "platform/os_handles_win32.h"
#include "toolkit/bars/toolbar_win32.h"
#include "toolkit/base/platform_caps_win32.h"
#include "toolkit/base/toolkit_start_win32.h"
#include "toolkit/menus/menu_metrics.h"
#include "toolkit/menus/menu_records_win32.h"
#include "toolkit/menus/menu_win32.h"
#include "toolkit/style/ui_style.h"

namespace lumora {
namespace {

// Sub-menus are attached by handle; a popup about to be destroyed is taken
// off every item that still points at it, so no menu keeps a dead handle.
void DetachFromParents(HMENU popup, const std::vector<HMENU>& parents) {
  for (HMENU parent : parents) {
    if (parent == popup) continue;
    const int count = GetMenuItemCount(parent);
    for (int i = 0; i < count; ++i) {
      MENUITEMINFOW info{};
      info.cbSize = sizeof info;
      info.fMask = MIIM_SUBMENU;
      if (GetMenuItemInfoW(parent, static_cast<UINT>(i), TRUE, &info) && info.hSubMenu == popup) {
        info.hSubMenu = nullptr;
        SetMenuItemInfoW(parent, static_cast<UINT>(i), TRUE, &info);
      }
    }
  }
}

struct FreedMenu {
  MenuRecord* record;
  HMENU popup;
  HWND bar;
  platform::UniqueMenu owned_popup;  // taken from the record
};

}  // namespace

StaleLock& MenuLock() {
  static StaleLock lock;
  return lock;
}

MenuRegistry& Menus() {
  static MenuRegistry registry;
  return registry;
}

int32_t MenuStyleOf(int32_t creation_style) {
  if (creation_style & UISTYLE_OFFICE2007) return UISTYLE_OFFICE2007;
  if (creation_style & UISTYLE_OFFICE2003) return UISTYLE_OFFICE2003_MENU_ALIAS;
  return creation_style;
}

bool MenuMatches(const MenuRecord& record, intptr_t menu) {
  if (menu == -1) return false;
  return record.id == menu || (record.popup != -1 && record.popup == menu) ||
         (record.bar != -1 && record.bar == menu);
}

MenuRecord* FindMenuByPopup(HMENU popup) {
  if (!popup) return nullptr;
  for (auto& record : Menus().menus)
    if (record->popup_menu() == popup) return record.get();
  return nullptr;
}

MenuItemRecord* FindItemRecord(ULONG_PTR item_data) {
  if (!item_data) return nullptr;
  for (auto& item : Menus().items)
    if (reinterpret_cast<ULONG_PTR>(item.get()) == item_data) return item.get();
  return nullptr;
}

bool AnyMenuUsesId(int32_t id) {
  for (auto& record : Menus().menus)
    if (record->id == id) return true;
  return false;
}

int FindItemPosition(HMENU popup, int32_t id) {
  const int count = GetMenuItemCount(popup);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_FTYPE;
    if (!GetMenuItemInfoW(popup, static_cast<UINT>(i), TRUE, &info)) continue;
    if (!(info.fType & MFT_SEPARATOR) && static_cast<int32_t>(info.wID) == id) return i;
  }
  return -1;
}

int FindItemPositionOf(HMENU popup, const MenuItemRecord* record) {
  const int count = GetMenuItemCount(popup);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA;
    if (GetMenuItemInfoW(popup, static_cast<UINT>(i), TRUE, &info) &&
        info.dwItemData == reinterpret_cast<ULONG_PTR>(record))
      return i;
  }
  return -1;
}

void DeleteItemRecordsOf(HMENU popup) {
  auto& items = Menus().items;
  items.erase(std::remove_if(items.begin(), items.end(), [popup](const auto& item) { return item->popup == popup; }),
              items.end());
}

bool MenuItemIdInUse(int32_t id) {
  StaleLockGuard guard(MenuLock());
  for (auto& item : Menus().items)
    if (!item->is_separator() && item->id == id) return true;
  return false;
}

intptr_t MenuExists(int32_t id) {
  StaleLockGuard guard(MenuLock());
  for (auto& record : Menus().menus) {
    if (record->id != id) continue;
    if (record->bar != -1) return record->bar;
    if (record->popup != -1) return record->popup;
  }
  return 0;
}

int32_t MenuBarHeight(intptr_t menu_bar) {
  // A menu id names the bar's window; it is tried first, because small ids
  // can also pass for window handles. A popup menu's handle is no window.
  HWND window = nullptr;
  if (menu_bar >= std::numeric_limits<int32_t>::min() && menu_bar <= std::numeric_limits<int32_t>::max())
    window = reinterpret_cast<HWND>(MenuExists(static_cast<int32_t>(menu_bar)));
  if (!window || !IsWindow(window)) window = reinterpret_cast<HWND>(menu_bar);
  if (!window || !IsWindow(window)) return 0;
  RECT client{};
  if (!GetClientRect(window, &client)) return 0;
  return client.bottom - client.top;
}

int32_t MenuFree(intptr_t menu) {
  std::vector<FreedMenu> freed;
  std::vector<HMENU> all_popups;
  {
    StaleLockGuard guard(MenuLock());
    for (auto& record : Menus().menus) {
      if (record->popup_menu()) all_popups.push_back(record->popup_menu());
      if (menu == -1 || MenuMatches(*record, menu))
        freed.push_back({record.get(), record->popup_menu(), record->bar_window(), std::move(record->owned_popup)});
    }
  }
  if (freed.empty()) return 0;

  for (FreedMenu& entry : freed) {
    if (!entry.popup) continue;
    while (GetMenuItemCount(entry.popup) > 0)
      if (!RemoveMenu(entry.popup, 0, MF_BYPOSITION)) break;
    DetachFromParents(entry.popup, all_popups);
    entry.owned_popup.reset();
  }
  std::vector<HWND> bars;
  {
    StaleLockGuard guard(MenuLock());
    auto& menus = Menus().menus;
    for (const FreedMenu& entry : freed) {
      if (entry.popup) DeleteItemRecordsOf(entry.popup);
      if (entry.bar && std::find(bars.begin(), bars.end(), entry.bar) == bars.end()) bars.push_back(entry.bar);
      if (Menus().has_current && Menus().current_popup != -1 &&
          Menus().current_popup == reinterpret_cast<intptr_t>(entry.popup))
        Menus().current_popup = -1;
      menus.erase(std::remove_if(menus.begin(), menus.end(),
                                 [&](const auto& record) { return record.get() == entry.record; }),
                  menus.end());
    }
    // A bar goes only with its last title: freeing one title's popup must
    // not take the other titles' bar away.
    bars.erase(std::remove_if(bars.begin(), bars.end(),
                              [&](HWND bar) {
                                return std::any_of(menus.begin(), menus.end(), [bar](const auto& record) {
                                  return record->bar_window() == bar;
                                });
                              }),
               bars.end());
  }
  for (HWND bar : bars) ToolbarFree(bar);
  return 1;
}

HFONT MenuFont() {
  if (GetToolkitState() != ToolkitState::kNotInitialised) return UiFont();
  // Before start-up filled the capability record: make the same font once.
  static const platform::UniqueFont font = [] {
    return platform::UniqueFont(platform::CreateNonClientFont(&NONCLIENTMETRICSW::lfMenuFont));
  }();
  return font ? font.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

int32_t MenuFontPointSize() {
  LOGFONTW font{};
  if (!GetObjectW(MenuFont(), sizeof font, &font)) return 0;
  const platform::WindowDc screen(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
  return MenuPointSize(font.lfHeight, dpi);
}

}  // namespace lumora
