// Building menus: bars and their titles, popup menus, items and separators.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "platform/error_log_win32.h"
#include "platform/os_handles_win32.h"
#include "toolkit/bars/toolbar_win32.h"
#include "toolkit/base/auto_id.h"
#include "toolkit/base/bar_window_proc_win32.h"
#include "toolkit/base/platform_caps_win32.h"
#include "toolkit/base/toolkit_start_win32.h"
#include "toolkit/menus/menu_images_win32.h"
#include "toolkit/menus/menu_keyboard_win32.h"
#include "toolkit/menus/menu_metrics.h"
#include "toolkit/menus/menu_records_win32.h"
#include "toolkit/menus/menu_win32.h"
#include "toolkit/menus/shortcut_dispatch_win32.h"
#include "toolkit/style/ui_style.h"

namespace lumora {
namespace {

// Automatic menu ids start far above what applications number their menus
// with, and above the handle values a menu could be confused with in
// practice; an id any menu has is skipped.
int32_t g_next_menu_id = 0x40000000;

int32_t TakeMenuId() {
  while (AnyMenuUsesId(g_next_menu_id)) ++g_next_menu_id;
  return g_next_menu_id++;
}

bool IdTaken(int32_t id) {
  StaleLockGuard guard(MenuLock());
  return AnyMenuUsesId(id);
}

// A sub-menu argument: a system popup handle, or a menu id standing for that
// menu's popup; null when neither.
HMENU ResolveSubMenu(intptr_t sub_menu) {
  if (sub_menu <= 0) return nullptr;
  HMENU handle = reinterpret_cast<HMENU>(sub_menu);
  if (IsMenu(handle)) return handle;
  if (sub_menu > INT32_MAX) return nullptr;
  StaleLockGuard guard(MenuLock());
  for (auto& record : Menus().menus)
    if (record->id == static_cast<int32_t>(sub_menu) && record->popup_menu()) return record->popup_menu();
  return nullptr;
}

struct ItemRequest {
  int32_t id = 0;
  const wchar_t* text = nullptr;
  HANDLE image = nullptr, hot_image = nullptr, disabled_image = nullptr;
  intptr_t sub_menu = 0;
  int32_t row_mark = 0;
  bool separator = false;
};

// Adds an item to `popup` of `menu_record` at `position` (below 0 or past
// the end: appended). Returns the item id, or 0 on failure.
int32_t AddItem(MenuRecord* menu_record, HMENU popup, int position, ItemRequest request) {
  HWND owner = nullptr;
  int32_t style = 0;
  {
    StaleLockGuard guard(MenuLock());
    menu_record->InvalidateBackground();
    owner = menu_record->owner;
    style = menu_record->style;
  }
  // Tool-bar buttons draw from the same counter and skip the items' ids.
  RegisterAutoIdUser(MenuItemIdInUse);
  int32_t id = request.separator ? 0 : request.id;
  if (id == -1) {
    id = TakeAutoId(MenuItemIdInUse);
    if (id == 0) return 0;
  }
  HMENU sub_menu = request.separator ? nullptr : ResolveSubMenu(request.sub_menu);
  if (sub_menu == popup) sub_menu = nullptr;  // a menu cannot hold itself

  auto item = std::make_unique<MenuItemRecord>();
  item->owner = menu_record;
  item->popup = popup;
  item->text = request.separator || !request.text ? std::wstring() : std::wstring(request.text);
  item->id = id;
  item->style = style;
  item->image_width = g_caps.default_icon_width > 0 ? g_caps.default_icon_width : 16;
  item->image_height = g_caps.default_icon_height > 0 ? g_caps.default_icon_height : 16;
  item->row_mark = request.row_mark;
  // Separators are items too (owner-drawn rows with an empty text), marked
  // so that the system never selects them or reports them as commands.
  if (item->text.empty() && !request.separator) item->text = L" ";

  const int count = GetMenuItemCount(popup);
  if (position < 0 || position > count) position = count;
  item->position = position;
  if (!request.separator) SetItemImages(*item, request.image, request.hot_image, request.disabled_image);

  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA | MIIM_STATE;
  info.fType = MFT_OWNERDRAW | (request.separator ? MFT_SEPARATOR : 0);
  info.fState = request.separator ? MFS_DISABLED : 0;
  info.wID = static_cast<UINT>(id);
  info.dwItemData = reinterpret_cast<ULONG_PTR>(item.get());
  if (!request.separator) {
    // The text goes along so the system's own mnemonic matching finds it.
    info.fMask |= MIIM_STRING;
    info.dwTypeData = item->text.data();
    info.cch = static_cast<UINT>(item->text.size());
  }
  if (sub_menu) {
    info.fMask |= MIIM_SUBMENU;
    info.hSubMenu = sub_menu;
  }
  MenuItemRecord* raw = item.get();
  {
    StaleLockGuard guard(MenuLock());
    Menus().items.push_back(std::move(item));
  }
  if (!InsertMenuItemW(popup, static_cast<UINT>(position), TRUE, &info)) {
    StaleLockGuard guard(MenuLock());
    auto& items = Menus().items;
    for (auto it = items.begin(); it != items.end(); ++it) {
      if (it->get() == raw) {
        items.erase(it);
        break;
      }
    }
    return 0;
  }
  if (!request.separator && owner) MenuBindShortcut(owner, id, raw->text.c_str());
  return id;
}

// The current menu's record for the current popup.
MenuRecord* CurrentPopupRecord(HMENU* popup) {
  StaleLockGuard guard(MenuLock());
  MenuRegistry& registry = Menus();
  if (!registry.has_current || registry.current_popup == -1) return nullptr;
  for (auto& record : registry.menus) {
    if (record->id == registry.current_id && record->popup == registry.current_popup) {
      *popup = record->popup_menu();
      return record.get();
    }
  }
  return nullptr;
}

SIZE MeasureTitle(HWND bar, const wchar_t* text) {
  SIZE size{0, 0};
  const platform::WindowDc dc(bar);
  if (!dc) return size;
  RECT rect{0, 0, 0, 0};
  {
    const platform::SelectGuard font(dc.get(), MenuFont());
    DrawTextW(dc.get(), text, -1, &rect, DT_SINGLELINE | DT_CALCRECT);
  }
  size.cx = rect.right - rect.left;
  size.cy = rect.bottom - rect.top;
  return size;
}

}  // namespace

intptr_t MenuCreateBar(int32_t id, HWND window, int32_t style) {
  WireMenus();
  if (!window || !IsWindow(window)) return 0;
  if (id != -1 && IdTaken(id)) return 0;
  const int32_t menu_style = MenuStyleOf(style);
  const uint32_t bar_flags = TBSTYLE_FLAT | TBSTYLE_LIST | CCS_NODIVIDER |
                             (static_cast<uint32_t>(style) & (UISTYLE_OFFICE2003 | UISTYLE_OFFICE2007));
  const intptr_t toolbar = CreateToolbar(-1, window, 0, 0, bar_flags);
  HWND bar = toolbar ? ToolbarWindow(toolbar) : nullptr;
  if (!bar) return 0;
  ToolbarMarkAsMenuBar(bar);
  // A title the bar's band cannot show whole is hidden rather than cut: the
  // band's chevron offers it.
  SendMessageW(bar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_HIDECLIPPEDBUTTONS);
  if (g_caps.theme.visual_styles_active && g_caps.theme.SetWindowTheme) g_caps.theme.SetWindowTheme(bar, L"", L"");
  SendMessageW(bar, TB_GETPADDING, 0, 0);
  SendMessageW(bar, TB_SETPADDING, 0, MAKELPARAM(0, 0));

  int32_t menu_id = id;
  {
    StaleLockGuard guard(MenuLock());
    if (menu_id == -1) menu_id = TakeMenuId();
    auto record = std::make_unique<MenuRecord>();
    record->id = menu_id;
    record->owner = window;
    record->bar = reinterpret_cast<intptr_t>(bar);
    record->style = menu_style;
    Menus().menus.push_back(std::move(record));
    Menus().has_current = true;
    Menus().current_id = menu_id;
    Menus().current_popup = -1;
  }
  AttachBarWindowProc(window);
  EnsureWindowCreationHook();
  InstallMenuKeyboardHook();
  return id == -1 ? menu_id : reinterpret_cast<intptr_t>(bar);
}

int32_t MenuAddTitle(const wchar_t* text) {
  WireMenus();
  MenuRecord* bar_record = nullptr;
  HWND window = nullptr, bar = nullptr;
  int32_t style = 0, menu_id = 0;
  bool placeholder = false;
  {
    StaleLockGuard guard(MenuLock());
    MenuRegistry& registry = Menus();
    if (!registry.has_current) return 0;
    for (auto& record : registry.menus) {
      if (record->id == registry.current_id && record->bar != -1) bar_record = record.get();
    }
    if (!bar_record) return 0;
    window = bar_record->owner;
    bar = bar_record->bar_window();
    style = bar_record->style;
    menu_id = bar_record->id;
    placeholder = bar_record->popup == -1 && bar_record->title_button == -1;
  }
  if (!IsWindow(bar)) return 0;
  platform::UniqueMenu owned_popup(CreatePopupMenu());
  if (!owned_popup) {
    platform::LogWin32Failure("CreatePopupMenu (menu title)");
    return 0;
  }
  HMENU popup = owned_popup.get();
  const wchar_t* title = text ? text : L"";
  const int32_t button_id = ToolbarAddImageButton(-1, title, nullptr, nullptr, nullptr, BTNS_DROPDOWN);
  if (!button_id) return 0;
  const int index = static_cast<int>(SendMessageW(bar, TB_COMMANDTOINDEX, static_cast<WPARAM>(button_id), 0));
  {
    StaleLockGuard guard(MenuLock());
    auto& menus = Menus().menus;
    if (placeholder) {
      for (auto it = menus.begin(); it != menus.end(); ++it) {
        if (it->get() == bar_record) {
          menus.erase(it);
          break;
        }
      }
    }
    auto record = std::make_unique<MenuRecord>();
    record->id = menu_id;
    record->owner = window;
    record->bar = reinterpret_cast<intptr_t>(bar);
    record->popup = reinterpret_cast<intptr_t>(popup);
    record->popup_object = record->popup;
    record->owned_popup = std::move(owned_popup);
    record->title_button = index;
    record->title_button_id = button_id;
    record->style = style;
    menus.push_back(std::move(record));
    Menus().current_popup = reinterpret_cast<intptr_t>(popup);
  }

  const SIZE text_size = MeasureTitle(bar, title);
  const TitleButtonSize size = MenuTitleButtonSize(style, text_size.cx, text_size.cy, g_caps.dpi);
  const LRESULT current = SendMessageW(bar, TB_GETBUTTONSIZE, 0, 0);
  SendMessageW(bar, TB_SETBUTTONSIZE, 0, MAKELPARAM(LOWORD(current), size.bar_height));
  TBBUTTONINFOW info{};
  info.cbSize = sizeof info;
  info.dwMask = TBIF_SIZE;
  info.cx = static_cast<WORD>(size.width);
  SendMessageW(bar, TB_SETBUTTONINFOW, static_cast<WPARAM>(button_id), reinterpret_cast<LPARAM>(&info));
  return 0;
}

int32_t MenuAddItem(int32_t id, const wchar_t* text, HANDLE image, HANDLE hot_image, HANDLE disabled_image,
                    intptr_t sub_menu) {
  HMENU popup = nullptr;
  MenuRecord* record = CurrentPopupRecord(&popup);
  if (!record) return 0;
  ItemRequest request;
  request.id = id;
  request.text = text;
  request.image = image;
  request.hot_image = hot_image;
  request.disabled_image = disabled_image;
  request.sub_menu = sub_menu;
  const int32_t added = AddItem(record, popup, -1, request);
  if (!added) return 0;
  return id == -1 ? added : 1;
}

int32_t MenuAddSeparator() {
  HMENU popup = nullptr;
  MenuRecord* record = CurrentPopupRecord(&popup);
  if (!record) return 0;
  ItemRequest request;
  request.separator = true;
  AddItem(record, popup, -1, request);
  return 0;
}

int32_t MenuInsertItem(intptr_t menu, int32_t position, int32_t id, const wchar_t* text, HANDLE image,
                       HANDLE hot_image, HANDLE disabled_image, intptr_t sub_menu) {
  MenuRecord* record = nullptr;
  HMENU popup = nullptr;
  {
    // The first menu that matches: an id shared by a bar's titles names
    // the first title, so an insertion never lands in every one of them.
    StaleLockGuard guard(MenuLock());
    for (auto& candidate : Menus().menus) {
      if (MenuMatches(*candidate, menu) && candidate->popup_menu()) {
        record = candidate.get();
        popup = candidate->popup_menu();
        break;
      }
    }
  }
  if (!record) return 0;
  ItemRequest request;
  request.id = id;
  request.text = text;
  request.image = image;
  request.hot_image = hot_image;
  request.disabled_image = disabled_image;
  if (sub_menu < 0) {
    request.row_mark = static_cast<int32_t>(sub_menu);
  } else {
    request.sub_menu = sub_menu;
  }
  const int32_t added = AddItem(record, popup, position, request);
  if (!added) return 0;
  return id == -1 ? added : 1;
}

intptr_t MenuCreatePopup(int32_t id, int32_t style) {
  WireMenus();
  if (id != -1 && IdTaken(id)) return 0;
  platform::UniqueMenu owned_popup(CreatePopupMenu());
  if (!owned_popup) {
    platform::LogWin32Failure("CreatePopupMenu");
    return 0;
  }
  HMENU popup = owned_popup.get();
  StaleLockGuard guard(MenuLock());
  auto record = std::make_unique<MenuRecord>();
  record->id = id == -1 ? TakeMenuId() : id;
  record->popup = reinterpret_cast<intptr_t>(popup);
  record->popup_object = record->popup;
  record->owned_popup = std::move(owned_popup);
  record->is_popup = 0xFF;
  record->style = MenuStyleOf(style);
  Menus().has_current = true;
  Menus().current_id = record->id;
  Menus().current_popup = record->popup;
  Menus().menus.push_back(std::move(record));
  return reinterpret_cast<intptr_t>(popup);
}

}  // namespace lumora
