#include "toolkit/menus/menu_tracking_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/error_log.h"
#include "platform/error_log_win32.h"
#include "platform/os_handles_win32.h"
#include "toolkit/bars/rebar_win32.h"
#include "toolkit/bars/toolbar_win32.h"
#include "toolkit/base/bar_window_proc_win32.h"
#include "toolkit/base/toolkit_start_win32.h"
#include "toolkit/menus/drop_shadow_win32.h"
#include "toolkit/menus/menu_item_paint_win32.h"
#include "toolkit/menus/menu_item_text.h"
#include "toolkit/menus/menu_keyboard_win32.h"
#include "toolkit/menus/menu_records_win32.h"
#include "toolkit/menus/menu_win32.h"
#include "toolkit/menus/popup_placement.h"
#include "toolkit/menus/shortcut_dispatch_win32.h"
#include "toolkit/menus/shortcut_text.h"

namespace lumora {
namespace {

MenuTrackingState g_tracking;
int g_last_title = -1;
// Where the pointer was when the menu opened or last moved: the system also
// reports a move when only the windows under a resting pointer changed,
// and a resting pointer must not pull another title's menu open.
POINT g_pointer{-32768, -32768};

// Posted to a bar's owner to open a title's menu: wParam the title index,
// lParam the bar.
UINT OpenTitleMessage() {
  static const UINT message = RegisterWindowMessageW(L"Lumora_OpenMenuTitle");
  return message;
}

struct TitleMenu {
  HMENU popup = nullptr;
  HWND owner = nullptr;
  int32_t style = 0;
};

// The menu of a title of a bar, found by button index.
bool FindTitle(HWND bar, int index, TitleMenu* title) {
  StaleLockGuard guard(MenuLock());
  for (auto& record : Menus().menus) {
    if (record->bar_window() == bar && record->title_button == index && record->popup_menu()) {
      title->popup = record->popup_menu();
      title->owner = record->owner;
      title->style = record->style;
      return true;
    }
  }
  return false;
}

// The title index of a bar's button command, -1 if it is no title.
int TitleOfCommand(HWND bar, int command) {
  StaleLockGuard guard(MenuLock());
  for (auto& record : Menus().menus)
    if (record->bar_window() == bar && record->title_button_id == command && record->popup_menu())
      return record->title_button;
  return -1;
}

int TitleCount(HWND bar) { return static_cast<int>(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0)); }

// The neighbouring title in `direction`, wrapping round.
int NeighbourTitle(HWND bar, int from, int direction) {
  const int count = TitleCount(bar);
  TitleMenu title;
  for (int step = 1; step <= count; ++step) {
    const int index = ((from + direction * step) % count + count) % count;
    if (FindTitle(bar, index, &title)) return index;
  }
  return -1;
}

bool IsPress(UINT message) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_NCXBUTTONDOWN:
      return true;
    default:
      return false;
  }
}

// While a bar's menu is open: the pointer on another title, or the arrow
// keys at the edge of the menu, close this menu and open the other title's.
LRESULT CALLBACK MenuFilterHook(int code, WPARAM wparam, LPARAM lparam) {
  if (code == MSGF_MENU && lparam) {
    MSG& msg = *reinterpret_cast<MSG*>(lparam);
    try {
      // The system reports a move also when only the windows under a
      // resting pointer changed (the menu appearing under it). Such a move
      // would light the item under the pointer while the keyboard's item
      // is the one in use: only a pointer that really moved takes over.
      if (g_tracking.active && msg.message == WM_MOUSEMOVE && msg.pt.x == g_pointer.x && msg.pt.y == g_pointer.y)
        return 1;
      HWND bar = g_tracking.bar;
      if (g_tracking.active && bar && IsWindow(bar) && g_tracking.pending_title < 0) {
        // Esc in a sub-menu closes only that; a menu that ends with Esc as
        // the last thing pressed was closed by it.
        if (IsPress(msg.message)) g_tracking.escape_last = msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE;
        if (msg.message == WM_MOUSEMOVE) {
          g_pointer = msg.pt;
          POINT point = msg.pt;
          ScreenToClient(bar, &point);
          RECT client{};
          GetClientRect(bar, &client);
          if (PtInRect(&client, point)) {
            const int hit = static_cast<int>(SendMessageW(bar, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&point)));
            TitleMenu title;
            RECT button{};
            // A title the bar cuts off is not shown, so the pointer is on
            // no title there.
            const bool shown = hit >= 0 &&
                               SendMessageW(bar, TB_GETITEMRECT, static_cast<WPARAM>(hit), reinterpret_cast<LPARAM>(&button)) &&
                               button.right <= client.right;
            if (shown && hit != g_tracking.title && FindTitle(bar, hit, &title)) {
              g_tracking.pending_title = hit;
              g_tracking.pending_by_keyboard = false;
              EndMenu();
              return 1;
            }
          }
        } else if (msg.message == WM_KEYDOWN && (msg.wParam == VK_LEFT || msg.wParam == VK_RIGHT)) {
          const bool in_top = !g_tracking.selected_menu || g_tracking.selected_menu == g_tracking.popup;
          const bool on_sub_menu = (g_tracking.selected_flags & MF_POPUP) != 0;
          const bool move = msg.wParam == VK_LEFT ? in_top : !on_sub_menu;
          if (move) {
            const int next = NeighbourTitle(bar, g_tracking.title, msg.wParam == VK_LEFT ? -1 : 1);
            if (next >= 0 && next != g_tracking.title) {
              g_tracking.pending_title = next;
              g_tracking.pending_by_keyboard = true;
              EndMenu();
              return 1;
            }
          }
        }
      }
      if (g_tracking.active && msg.message == WM_MOUSEMOVE) g_pointer = msg.pt;
    } catch (...) {
      platform::LogCurrentException("menu tracking hook", msg.message);
    }
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

// Runs the system's menu loop with the tracking hook in place.
void Track(HMENU popup, UINT flags, int x, int y, HWND owner, TPMPARAMS* exclude) {
  platform::UniqueHook hook(SetWindowsHookExW(WH_MSGFILTER, MenuFilterHook, nullptr, GetCurrentThreadId()));
  if (!hook) platform::LogWin32Failure("SetWindowsHookEx (menu tracking)");
  RegisterHook(hook);
  TrackPopupMenuEx(popup, flags, x, y, owner, exclude);
  UnregisterHook(hook);
}

// Width and height the popup's items ask for, plus its frame.
SIZE EstimatePopupSize(HMENU popup) {
  SIZE size{0, 0};
  const int count = GetMenuItemCount(popup);
  for (int i = 0; i < count; ++i) {
    const SIZE item = MeasureMenuItemAt(popup, i);
    size.cx = std::max(size.cx, item.cx);
    size.cy += item.cy;
  }
  TEXTMETRICW metrics{};
  if (const platform::UniqueMemoryDc dc = platform::CreateMemoryDc()) {
    const platform::SelectGuard font(dc.get(), MenuFont());
    GetTextMetricsW(dc.get(), &metrics);
  }
  // The system widens owner-drawn items by two average characters and
  // surrounds them with its margin; the frame is 1 and 2 pixels.
  size.cx += 2 * metrics.tmAveCharWidth + 2 * 3 + 2;
  size.cy += 2 * 3 + 4;
  return size;
}

// Where a title's menu opens: under the title, or, for a title the bar
// cuts off, from the chevron at the end of its band, inside the window.
struct TitlePlace {
  int x = 0;
  bool right_aligned = false;
  RECT exclude{};
};

TitlePlace PlaceTitleMenu(HWND bar, const RECT& button) {
  TitlePlace place{button.left, false, button};
  RECT shown{};
  GetClientRect(bar, &shown);
  MapWindowPoints(bar, HWND_DESKTOP, reinterpret_cast<POINT*>(&shown), 2);
  RECT window{};
  HWND root = GetAncestor(bar, GA_ROOT);
  if (!root || !GetClientRect(root, &window)) return place;
  MapWindowPoints(root, HWND_DESKTOP, reinterpret_cast<POINT*>(&window), 2);
  RECT band{};
  if (!RebarBandRectOfChild(bar, &band)) band = shown;
  const int32_t shown_right = std::min(shown.right, window.right);
  const TitleMenuAnchor anchor = AnchorTitleMenu(button.left, button.right, shown_right, band.right, window.right);
  place.x = anchor.x;
  place.right_aligned = anchor.right_aligned;
  if (anchor.right_aligned) place.exclude = RECT{shown_right, button.top, anchor.x, button.bottom};
  return place;
}

bool IsMenuBar(HWND window) {
  StaleLockGuard guard(MenuLock());
  for (auto& record : Menus().menus)
    if (record->bar_window() == window) return true;
  return false;
}

// The mnemonic of an item whose record is attached to the system item.
int FindMnemonic(HMENU menu, char16_t key) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA | MIIM_STATE | MIIM_FTYPE;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info) || (info.fType & MFT_SEPARATOR)) continue;
    std::wstring text;
    {
      StaleLockGuard guard(MenuLock());
      if (MenuItemRecord* item = FindItemRecord(info.dwItemData)) text = item->text;
    }
    if (text.empty()) continue;
    const MenuItemTextParts parts =
        SplitMenuItemText(std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size()));
    if (MenuMnemonicOf(parts.label) == key) return i;
  }
  return -1;
}

}  // namespace

bool MenuTrackingActive() { return g_tracking.active; }
const MenuTrackingState& MenuTracking() { return g_tracking; }

void OpenMenuBarTitle(HWND bar, int title_index, bool select_first_item) {
  if (g_tracking.active || !IsWindow(bar)) return;
  HWND focus = GetFocus();
  int index = title_index;
  bool select_first = select_first_item;
  int escaped_from = -1;
  while (index >= 0) {
    TitleMenu title;
    if (!FindTitle(bar, index, &title) || !IsWindow(title.owner)) break;
    RECT button{};
    if (!SendMessageW(bar, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button))) break;
    MapWindowPoints(bar, HWND_DESKTOP, reinterpret_cast<POINT*>(&button), 2);
    const TitlePlace place = PlaceTitleMenu(bar, button);

    g_tracking = MenuTrackingState{};
    g_tracking.active = true;
    g_tracking.popup = title.popup;
    g_tracking.style = title.style;
    g_tracking.owner = title.owner;
    g_tracking.bar = bar;
    g_tracking.title = index;
    g_tracking.last_title = g_last_title;
    g_tracking.focus = focus;
    ToolbarSetOpenMenuButton(bar, index);
    SendMessageW(bar, TB_SETHOTITEM, static_cast<WPARAM>(index), 0);
    // A menu opened from the keyboard starts with its first item selected.
    if (select_first) PostMessageW(title.owner, WM_KEYDOWN, VK_DOWN, 0);
    GetCursorPos(&g_pointer);
    TPMPARAMS exclude{};
    exclude.cbSize = sizeof exclude;
    exclude.rcExclude = place.exclude;
    Track(title.popup, (place.right_aligned ? TPM_RIGHTALIGN : TPM_LEFTALIGN) | TPM_TOPALIGN | TPM_VERTICAL | TPM_LEFTBUTTON,
          place.x, button.bottom, title.owner, &exclude);

    g_last_title = index;
    escaped_from = g_tracking.pending_title < 0 && g_tracking.escape_last ? index : -1;
    index = g_tracking.pending_title;
    select_first = g_tracking.pending_by_keyboard;
    g_tracking = MenuTrackingState{};
    if (IsWindow(bar)) ToolbarSetOpenMenuButton(bar, -1);
  }
  g_tracking = MenuTrackingState{};
  // Esc closes the menu but not the bar: its title stays highlighted for the
  // keyboard, and a second Esc leaves the bar.
  if (escaped_from >= 0 && IsWindow(bar)) {
    ResumeMenuKeyboardMode(bar, escaped_from, focus);
    return;
  }
  if (IsWindow(bar)) {
    SendMessageW(bar, TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);
    RedrawWindow(bar, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }
  if (focus && IsWindow(focus) && GetFocus() != focus) SetFocus(focus);
}

// The window the bar was made for: once the bar sits in a rebar band its
// parent is the rebar, but the handlers live on the owner.
static HWND MenuBarOwner(HWND bar) {
  StaleLockGuard guard(MenuLock());
  for (auto& record : Menus().menus)
    if (record->bar_window() == bar && record->owner) return record->owner;
  return nullptr;
}

// The bar of window whose title button has this command id, or null.
static HWND BarOfTitleCommand(HWND window, int command) {
  StaleLockGuard guard(MenuLock());
  for (auto& record : Menus().menus)
    if (record->owner == window && record->bar_window() && record->title_button >= 0 &&
        (record->title_button_id & 0xFFFF) == command)
      return record->bar_window();
  return nullptr;
}

void PostOpenMenuBarTitle(HWND bar, int title_index) {
  HWND owner = MenuBarOwner(bar);
  if (owner) PostMessageW(owner, OpenTitleMessage(), static_cast<WPARAM>(title_index), reinterpret_cast<LPARAM>(bar));
}

int32_t MenuShowPopup(intptr_t menu, HWND window, int x, int y) {
  return MenuShowPopupWithin(menu, window, x, y, INT32_MAX);
}

int32_t MenuShowPopupWithin(intptr_t menu, HWND window, int x, int y, int32_t right_limit) {
  HMENU popup = nullptr;
  int32_t style = 0;
  MenuRecord* record = nullptr;
  {
    StaleLockGuard guard(MenuLock());
    if (Menus().items.empty()) return 0;
    for (auto& candidate : Menus().menus) {
      if (MenuMatches(*candidate, menu) && candidate->popup_menu()) {
        record = candidate.get();
        popup = candidate->popup_menu();
        style = candidate->style;
        break;
      }
    }
  }
  if (!popup || !IsWindow(window) || g_tracking.active) return 0;
  WireMenus();
  AttachBarWindowProc(window);
  EnsureWindowCreationHook();

  HWND focus = GetFocus();
  const SIZE size = EstimatePopupSize(popup);
  RECT point{x, y, x + 1, y + 1};
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  PopupPlacement placement{x, 0};
  if (GetMonitorInfoW(MonitorFromRect(&point, MONITOR_DEFAULTTONEAREST), &monitor))
    placement = PlacePopupX(x, size.cx, monitor.rcWork.left, std::min<int32_t>(monitor.rcWork.right, right_limit));
  {
    StaleLockGuard guard(MenuLock());
    record->popup_width = size.cx;
    record->popup_height = size.cy;
    record->open = 1;
  }
  g_tracking = MenuTrackingState{};
  g_tracking.active = true;
  g_tracking.popup = popup;
  g_tracking.style = style;
  g_tracking.owner = window;
  g_tracking.from_show_popup = true;
  g_tracking.shift = placement.shift;
  g_tracking.requested_x = x;
  g_tracking.right_limit = right_limit;
  g_tracking.focus = focus;
  GetCursorPos(&g_pointer);
  Track(popup, TPM_VERTICAL, placement.x, y, window, nullptr);
  g_tracking = MenuTrackingState{};
  {
    StaleLockGuard guard(MenuLock());
    for (auto& candidate : Menus().menus)
      if (candidate.get() == record) record->open = 0;
  }
  if (focus && IsWindow(focus) && GetFocus() != focus) SetFocus(focus);
  return 1;
}

bool HandleMenuOwnerMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) {
  switch (message) {
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lparam);
      if (!header || header->code != static_cast<UINT>(TBN_DROPDOWN) || !IsMenuBar(header->hwndFrom)) return false;
      const auto* notify = reinterpret_cast<const NMTOOLBARW*>(lparam);
      const int title = TitleOfCommand(header->hwndFrom, notify->iItem);
      if (title < 0) return false;
      LeaveMenuKeyboardMode();
      OpenMenuBarTitle(header->hwndFrom, title, false);
      *result = TBDDRET_DEFAULT;
      return true;
    }
    case WM_COMMAND: {
      // A title pressed without a drop-down (Enter on the focused bar), or
      // chosen from the chevron of its band, whose items carry the titles'
      // button ids as a tool bar's chevron carries its buttons' commands.
      HWND from = reinterpret_cast<HWND>(lparam);
      if (!from && HIWORD(wparam) == 0) from = BarOfTitleCommand(window, LOWORD(wparam));
      if (!from || !IsMenuBar(from)) return false;
      const int title = TitleOfCommand(from, LOWORD(wparam));
      if (title < 0) return false;
      LeaveMenuKeyboardMode();
      OpenMenuBarTitle(from, title, true);
      *result = 0;
      return true;
    }
    case WM_MENUSELECT:
      if (g_tracking.active) {
        g_tracking.selected_menu = reinterpret_cast<HMENU>(lparam);
        g_tracking.selected_flags = HIWORD(wparam) == 0xFFFF ? 0 : HIWORD(wparam);
      }
      return false;
    case WM_MENUCHAR: {
      // Owner-drawn items carry no text the system could match on every
      // platform; the item's own label decides.
      HMENU menu = reinterpret_cast<HMENU>(lparam);
      if (!menu) return false;
      {
        StaleLockGuard guard(MenuLock());
        if (!FindMenuByPopup(menu) && !g_tracking.active) return false;
      }
      const int position = FindMnemonic(menu, ShortcutUpper(static_cast<char16_t>(LOWORD(wparam))));
      if (position < 0) return false;
      *result = MAKELRESULT(position, MNC_EXECUTE);
      return true;
    }
    case WM_SETTINGCHANGE:
      if (wparam == SPI_SETDROPSHADOW) RefreshDropShadowSetting();
      return false;
    case WM_ACTIVATE:
      if (LOWORD(wparam) == WA_INACTIVE) ResetHeldShortcutModifiers();
      return false;
    default:
      if (message == OpenTitleMessage() && lparam) {
        HWND bar = reinterpret_cast<HWND>(lparam);
        if (MenuBarOwner(bar) == window && IsMenuBar(bar)) OpenMenuBarTitle(bar, static_cast<int>(wparam), true);
        *result = 0;
        return true;
      }
      return false;
  }
}

}  // namespace lumora
