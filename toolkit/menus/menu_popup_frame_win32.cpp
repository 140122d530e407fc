#include "toolkit/menus/menu_popup_frame_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <unordered_map>
#include <vector>

#include "platform/dib_section_win32.h"
#include "platform/error_log.h"
#include "platform/os_handles_win32.h"
#include "toolkit/bars/toolbar_win32.h"
#include "toolkit/base/platform_caps_win32.h"
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

// MenuShowPopup keeps its popup 5 pixels inside the work area (and the
// limit it was given). It placed
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
  const int32_t right = std::min<int32_t>(info.rcWork.right, MenuTracking().right_limit);
  position->x = PlacePopupX(MenuTracking().requested_x, position->cx, info.rcWork.left, right).x;
}

struct ShadowLook {
  COLORREF colour = 0;
  int32_t alpha = 80;
};

ShadowLook ShadowLookFor(int32_t style) {
  ShadowLook look;
  look.colour = MenuColour(style, UICOLOUR_MENUDROPSHADOW);
  if (style >= UISTYLE_WHIDBEY) {
    const int32_t table_style = style == UISTYLE_OFFICE2003_MENU_ALIAS ? UISTYLE_OFFICE2003 : style;
    const int32_t raw = style == UISTYLE_WHIDBEY ? UIColourTableEntry(UISTYLE_WHIDBEY, UICOLOUR_MENUDROPSHADOW, 0)
                                                 : static_cast<int32_t>(LookupUIColour(table_style, UICOLOUR_MENUDROPSHADOW,
                                                                                       UICOLOUR_FORM_RAW));
    // The table's alpha is for a flat fill; the ramps darken towards the
    // menu, so a bit more than half of it looks the same.
    if (static_cast<uint32_t>(raw) >> 24) look.alpha = static_cast<int32_t>((static_cast<uint32_t>(raw) >> 24) * 2 / 3);
  }
  return look;
}

void ShowShadows(HWND window) {
  DestroyDropShadows(window);
  if (!IsWindowVisible(window)) return;
  RECT rect{};
  GetWindowRect(window, &rect);
  const ShadowLook look = ShadowLookFor(StyleOf(window));
  const int32_t depth = ScreenPixels(kMenuShadowDepth);
  const int32_t height = rect.bottom - rect.top, width = rect.right - rect.left;
  ShowDropShadow(window, POINT{rect.right, rect.top + depth}, height - depth, depth, look.colour, look.alpha,
                 SHADOW_VERTICAL | SHADOW_EXTEND_END);
  ShowDropShadow(window, POINT{rect.left + depth, rect.bottom}, width - depth, depth, look.colour, look.alpha, 0);
}

// The style of the menus of a menu bar's titles.
int32_t BarMenuStyle(HWND bar) {
  const MenuTrackingState& tracking = MenuTracking();
  if (tracking.active && tracking.bar == bar) return tracking.style;
  StaleLockGuard guard(MenuLock());
  for (auto& record : Menus().menus)
    if (record->bar_window() == bar) return record->style;
  return UISTYLE_OFFICE2007;
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

void OnMenuWindowCreated(HWND window) {
  if (!MenuTrackingActive()) return;
  wchar_t name[16] = {};
  if (!GetClassNameW(window, name, 16)) return;
  if (std::wcscmp(name, L"#32768") == 0) {
    CatchPopup(window);
  } else if (std::wcscmp(name, L"SysShadow") == 0) {
    SystemShadows().push_back(window);
  }
}

HWND PopupWindowOf(HMENU menu) {
  if (!menu) return nullptr;
  for (const auto& [window, popup] : Popups())
    if (IsWindow(window) && MenuOf(window) == menu) return window;
  return nullptr;
}

void PaintOpenTitleShadow(HWND bar, HDC dc, const RECT& title) {
  if (!g_caps.drop_shadow_enabled || !g_caps.alpha_blend || !dc) return;
  // The title's menu hangs from the bottom of its button.
  RECT button{};
  const int index = ToolbarOpenMenuButton(bar);
  if (index < 0 || !SendMessageW(bar, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button)))
    return;
  const int32_t depth = ScreenPixels(kMenuShadowDepth);
  const int32_t top = title.top + depth;
  const int32_t length = button.bottom - top;
  if (length <= 0) return;
  // Built one depth longer and cut there: the strip runs on at full
  // strength into the menu below instead of fading out above it.
  const ShadowLook look = ShadowLookFor(BarMenuStyle(bar));
  const ShadowStrip strip =
      BuildShadowStrip(ShadowStripLength(length, depth, SHADOW_EXTEND_END), depth, look.colour & 0xFFFFFF, look.alpha,
                       true);
  if (strip.pixels.empty()) return;
  void* bits = nullptr;
  platform::UniqueBitmap section = platform::CreateTopDownDib(strip.width, length, 32, &bits);
  const platform::MemoryCanvas layer(platform::CreateMemoryDc(dc), std::move(section));
  if (!layer || !bits) return;
  std::memcpy(bits, strip.pixels.data(), static_cast<size_t>(strip.width) * static_cast<size_t>(length) * 4);
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  g_caps.alpha_blend(dc, title.right, top, strip.width, length, layer.dc(), 0, 0, strip.width, length, blend);
}

}  // namespace lumora
