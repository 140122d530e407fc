#include "toolkit/menus/menu_popup_frame_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>
#include <unordered_map>
#include <vector>

#include "platform/error_log.h"
#include "platform/os_handles_win32.h"
#include "toolkit/base/subclass_registry_win32.h"
#include "toolkit/menus/drop_shadow_strip.h"
#include "toolkit/menus/drop_shadow_win32.h"
#include "toolkit/menus/menu_item_paint_win32.h"
#include "toolkit/menus/menu_records_win32.h"
#include "toolkit/menus/menu_tracking_win32.h"
#include "toolkit/menus/popup_placement.h"
#include "toolkit/style/ui_colour_table.h"
#include "toolkit/style/ui_style.h"

namespace lumora {
namespace {

#ifndef MN_GETHMENU
constexpr UINT MN_GETHMENU = 0x01E1;
#endif

// The frame the popup keeps around its client area, in pixels.
constexpr int kFrameSide = 1;
constexpr int kFrameTop = 2;

struct PopupWindow {
  int32_t style = 0;  // the style of the menu being shown when it was caught
};

std::unordered_map<HWND, PopupWindow>& Popups() {
  static std::unordered_map<HWND, PopupWindow> popups;
  return popups;
}

// The system's own menu shadows seen while a Lumora menu was open; they go
// once the menu window has been placed.
std::vector<HWND>& SystemShadows() {
  static std::vector<HWND> shadows;
  return shadows;
}

HMENU MenuOf(HWND window) { return reinterpret_cast<HMENU>(CallPreviousProc(window, MN_GETHMENU, 0, 0)); }

int32_t StyleOf(HWND window) {
  HMENU menu = MenuOf(window);
  {
    StaleLockGuard guard(MenuLock());
    if (MenuRecord* record = FindMenuByPopup(menu)) return record->style;
  }
  auto found = Popups().find(window);
  return found == Popups().end() ? MenuTracking().style : found->second.style;
}

void PaintFrame(HWND window, HDC dc) {
  RECT outer{};
  GetWindowRect(window, &outer);
  const RECT frame{0, 0, outer.right - outer.left, outer.bottom - outer.top};
  const RECT client{kFrameSide, kFrameTop, frame.right - kFrameSide, frame.bottom - kFrameTop};
  PaintMenuFrame(dc, StyleOf(window), frame, client);
}

// The client area: the system draws the items (through the owner's
// WM_DRAWITEM) off-screen, then everything around the items is covered with
// the menu's own background before it reaches the screen in one piece.
void PaintClient(HWND window, HDC dc) {
  RECT client{};
  GetClientRect(window, &client);
  if (client.right <= 0 || client.bottom <= 0) return;
  const platform::MemoryCanvas canvas = platform::MemoryCanvas::Compatible(dc, client.right, client.bottom);
  if (!canvas) return;
  CallPreviousProc(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT | PRF_ERASEBKGND);

  HMENU menu = MenuOf(window);
  const platform::UniqueRegion around(CreateRectRgn(0, 0, client.right, client.bottom));
  int row_left = 0;
  const int count = menu ? GetMenuItemCount(menu) : 0;
  for (int i = 0; i < count && around; ++i) {
    RECT item{};
    if (!GetMenuItemRect(nullptr, menu, static_cast<UINT>(i), &item)) continue;
    MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&item), 2);
    if (i == 0) row_left = item.left;
    if (const platform::UniqueRegion cut{CreateRectRgnIndirect(&item)})
      CombineRgn(around.get(), around.get(), cut.get(), RGN_DIFF);
  }
  if (around) {
    SelectClipRgn(canvas.dc(), around.get());
    PaintMenuBackgroundArea(canvas.dc(), menu, StyleOf(window), client.right, client.bottom, row_left, client);
    SelectClipRgn(canvas.dc(), nullptr);
  }
  BitBlt(dc, 0, 0, client.right, client.bottom, canvas.dc(), 0, 0, SRCCOPY);
}

bool IsTopPopup(HWND window) {
  const MenuTrackingState& tracking = MenuTracking();
  return tracking.active && tracking.popup && MenuOf(window) == tracking.popup;
}

// MenuShowPopup keeps its popup 5 pixels inside the work area. It placed
// the popup by an estimate of its width; the system knows the real width
// only now, so the rule is applied again to the point it was asked for.
void KeepOnWorkArea(HWND window, WINDOWPOS* position) {
  if (!position || (position->flags & (SWP_NOMOVE | SWP_NOSIZE))) return;
  if (!MenuTracking().from_show_popup || !IsTopPopup(window)) return;
  RECT wanted{position->x, position->y, position->x + position->cx, position->y + position->cy};
  HMONITOR monitor = MonitorFromRect(&wanted, MONITOR_DEFAULTTONEAREST);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!monitor || !GetMonitorInfoW(monitor, &info)) return;
  position->x = PlacePopupX(MenuTracking().requested_x, position->cx, info.rcWork.left, info.rcWork.right).x;
}

void ShowShadows(HWND window) {
  DestroyDropShadows(window);
  if (!IsWindowVisible(window)) return;
  RECT rect{};
  GetWindowRect(window, &rect);
  const int32_t style = StyleOf(window);
  const int32_t depth = kMenuShadowDepth;
  COLORREF colour = MenuColour(style, UICOLOUR_MENUDROPSHADOW);
  int32_t alpha = 80;
  if (style >= UISTYLE_WHIDBEY) {
    const int32_t table_style = style == UISTYLE_OFFICE2003_MENU_ALIAS ? UISTYLE_OFFICE2003 : style;
    const int32_t raw = style == UISTYLE_WHIDBEY ? UIColourTableEntry(UISTYLE_WHIDBEY, UICOLOUR_MENUDROPSHADOW, 0)
                                                 : static_cast<int32_t>(LookupUIColour(table_style, UICOLOUR_MENUDROPSHADOW,
                                                                                       UICOLOUR_FORM_RAW));
    // The table's alpha is for a flat fill; the ramps darken towards the
    // menu, so a bit more than half of it looks the same.
    if (static_cast<uint32_t>(raw) >> 24) alpha = static_cast<int32_t>((static_cast<uint32_t>(raw) >> 24) * 2 / 3);
  }
  const int32_t height = rect.bottom - rect.top, width = rect.right - rect.left;
  ShowDropShadow(window, POINT{rect.right, rect.top + depth}, height - depth, depth, colour, alpha,
                 SHADOW_VERTICAL | SHADOW_EXTEND_END);
  ShowDropShadow(window, POINT{rect.left + depth, rect.bottom}, width - depth, depth, colour, alpha, 0);
}

void DestroySystemShadows() {
  std::vector<HWND> shadows;
  shadows.swap(SystemShadows());
  for (HWND shadow : shadows)
    if (IsWindow(shadow)) DestroyWindow(shadow);
}

LRESULT CALLBACK PopupProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  try {
    switch (message) {
      case WM_NCCALCSIZE:
        if (wparam) {
          RECT& proposed = reinterpret_cast<NCCALCSIZE_PARAMS*>(lparam)->rgrc[0];
          proposed.left += kFrameSide;
          proposed.right -= kFrameSide;
          proposed.top += kFrameTop;
          proposed.bottom -= kFrameTop;
          return WVR_HREDRAW | WVR_VREDRAW;
        }
        if (lparam) {
          RECT& proposed = *reinterpret_cast<RECT*>(lparam);
          proposed.left += kFrameSide;
          proposed.right -= kFrameSide;
          proposed.top += kFrameTop;
          proposed.bottom -= kFrameTop;
        }
        return 0;
      case WM_NCPAINT: {
        if (const platform::WindowDc dc{window, platform::WindowDc::kWhole}) PaintFrame(window, dc.get());
        return 0;
      }
      case WM_ERASEBKGND:
        return 1;
      case WM_PAINT: {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(window, &paint);
        if (dc) PaintClient(window, dc);
        EndPaint(window, &paint);
        return 0;
      }
      case WM_PRINTCLIENT:
        if (wparam) PaintClient(window, reinterpret_cast<HDC>(wparam));
        return 0;
      case WM_PRINT: {
        HDC dc = reinterpret_cast<HDC>(wparam);
        if (!dc) return 0;
        if (lparam & PRF_NONCLIENT) PaintFrame(window, dc);
        if (lparam & PRF_CLIENT) {
          POINT origin{};
          OffsetViewportOrgEx(dc, kFrameSide, kFrameTop, &origin);
          PaintClient(window, dc);
          SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
        }
        return 0;
      }
      case WM_WINDOWPOSCHANGING:
        KeepOnWorkArea(window, reinterpret_cast<WINDOWPOS*>(lparam));
        break;
      case WM_WINDOWPOSCHANGED: {
        const LRESULT result = CallPreviousProc(window, message, wparam, lparam);
        DestroySystemShadows();
        ShowShadows(window);
        return result;
      }
      case WM_SHOWWINDOW:
        if (!wparam) DestroyDropShadows(window);
        break;
      case WM_NCDESTROY: {
        DestroyDropShadows(window);
        const LRESULT result = CallPreviousProc(window, message, wparam, lparam);
        UnsubclassWindow(window);
        Popups().erase(window);
        return result;
      }
      default:
        break;
    }
  } catch (...) {
    platform::LogCurrentException("popup menu window", message);
  }
  return CallPreviousProc(window, message, wparam, lparam);
}

void CatchPopup(HWND window) {
  if (Popups().count(window)) return;
  const MenuTrackingState& tracking = MenuTracking();
  // A title opened again keeps what is under its menu for a quick close;
  // sliding to another title must not put back a stale picture.
  ULONG_PTR class_style = GetClassLongPtrW(window, GCL_STYLE);
  if (tracking.bar && tracking.title != tracking.last_title) {
    class_style &= ~static_cast<ULONG_PTR>(CS_SAVEBITS);
  } else {
    class_style |= CS_SAVEBITS;
  }
  class_style &= ~static_cast<ULONG_PTR>(CS_DROPSHADOW);  // the toolkit draws its own
  SetClassLongPtrW(window, GCL_STYLE, static_cast<LONG_PTR>(class_style));
  if (!SubclassWindow(window, PopupProc)) return;
  Popups()[window] = PopupWindow{tracking.style};
  if (tracking.bar && tracking.title >= 0 && IsWindow(tracking.bar)) {
    SendMessageW(tracking.bar, TB_SETHOTITEM, static_cast<WPARAM>(tracking.title), 0);
    RedrawWindow(tracking.bar, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }
}

}  // namespace

void OnMenuCallWndProc(const CWPSTRUCT& message) {
  if (message.message != WM_NCCREATE && message.message != WM_CREATE) return;
  if (!MenuTrackingActive()) return;
  wchar_t name[16] = {};
  if (!GetClassNameW(message.hwnd, name, 16)) return;
  if (std::wcscmp(name, L"#32768") == 0) {
    CatchPopup(message.hwnd);
  } else if (std::wcscmp(name, L"SysShadow") == 0 && message.message == WM_CREATE) {
    SystemShadows().push_back(message.hwnd);
  }
}

HWND PopupWindowOf(HMENU menu) {
  if (!menu) return nullptr;
  for (const auto& [window, popup] : Popups())
    if (IsWindow(window) && MenuOf(window) == menu) return window;
  return nullptr;
}

size_t CaughtPopupCount() { return Popups().size(); }

}  // namespace lumora
