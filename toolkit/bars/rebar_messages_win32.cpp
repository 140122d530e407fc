#include "toolkit/bars/rebar_messages_win32.h"

#include <commctrl.h>

#include <cstdint>

#include "toolkit/bars/rebar_chevron.h"
#include "toolkit/bars/rebar_chevron_win32.h"
#include "toolkit/bars/rebar_drag_win32.h"
#include "toolkit/bars/rebar_paint_win32.h"
#include "toolkit/bars/rebar_registry_win32.h"
#include "toolkit/bars/rebar_win32.h"
#include "toolkit/base/platform_caps_win32.h"
#include "toolkit/base/toolkit_messages.h"

namespace lumora {
namespace {

void RelayoutRebar(HWND rebar) {
  // Bands moved: everything they hold repaints at once in its new place.
  SendMessageW(rebar, WM_SETREDRAW, FALSE, 0);
  SendMessageW(rebar, WM_SETREDRAW, TRUE, 0);
  RedrawWindow(rebar, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

// Room a band's chevron and the margin after its child take (the control's
// own chevron is 10 pixels on some systems, a little more on others).
constexpr int32_t kChevronRoom = 4 + 14;

// Bands with a chevron shrink below their minimum in a rebar narrower than
// it, so that their chevron stays in view and offers what they hide.
void FitChevronBands(HWND rebar, int32_t width) {
  const auto count = static_cast<int>(SendMessageW(rebar, RB_GETBANDCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    REBARBANDINFOW info{};
    info.cbSize = kBandInfoSize;
    info.fMask = RBBIM_STYLE | RBBIM_CHILDSIZE | RBBIM_LPARAM;
    if (!SendMessageW(rebar, RB_GETBANDINFOW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info))) continue;
    const auto* band = reinterpret_cast<const BandRecord*>(info.lParam);
    if (!(info.fStyle & RBBS_USECHEVRON) || !band || band->marker != kBandMarker) continue;
    RECT borders{};
    SendMessageW(rebar, RB_GETBANDBORDERS, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&borders));
    const auto fitted = static_cast<UINT>(
        FitChevronBandMinimum(band->min_child, width, borders.left + borders.right + ScreenPixels(kChevronRoom)));
    if (fitted == info.cxMinChild) continue;
    info.fMask = RBBIM_CHILDSIZE;
    info.cxMinChild = fitted;
    SendMessageW(rebar, RB_SETBANDINFOW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info));
  }
}

// A rebar that sizes itself lays its bands out again over its parent's new
// width only when it is told of the change; nothing else tells it.
void FollowParentSize(HWND parent) {
  RECT client{};
  GetClientRect(parent, &client);
  for (const RebarInfo& rebar : AllRebars()) {
    if (rebar.parent != parent || !IsWindow(rebar.window) || GetParent(rebar.window) != parent) continue;
    if (GetWindowLongPtrW(rebar.window, GWL_STYLE) & CCS_NORESIZE) continue;  // its owner places it
    FitChevronBands(rebar.window, client.right - client.left);
    SendMessageW(rebar.window, WM_SIZE, 0, 0);
  }
}

}  // namespace

void SendRebarHeight(HWND rebar, int32_t height) {
  HWND root = GetAncestor(rebar, GA_ROOT);
  HWND parent = GetAncestor(rebar, GA_PARENT);
  if (root) SendMessageW(root, WM_LUMORA_REBARHEIGHT, reinterpret_cast<WPARAM>(rebar), height);
  if (parent) SendMessageW(parent, WM_LUMORA_REBARHEIGHT, reinterpret_cast<WPARAM>(rebar), height);
}

bool RebarParentMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) {
  if (message == WM_SIZE) {
    // Before the window's own handler runs, so that it lays out under the
    // rebar's new height. A minimised window has no width to follow: the
    // bands keep their rows until it is restored.
    if (wparam != SIZE_MINIMIZED) FollowParentSize(window);
    return false;
  }
  if (message != WM_NOTIFY || !lparam) return false;
  const auto* header = reinterpret_cast<const NMHDR*>(lparam);
  const std::optional<RebarInfo> rebar = FindRebarByWindow(header->hwndFrom);
  if (!rebar) return false;
  switch (header->code) {
    case RBN_LAYOUTCHANGED:
      RelayoutRebar(rebar->window);
      return false;  // the owner may want to know as well
    case RBN_BEGINDRAG:
      *result = OnRebarBeginDrag(*rebar, *reinterpret_cast<const NMREBAR*>(lparam));
      return true;
    case RBN_ENDDRAG:
      OnRebarEndDrag(rebar->window);
      return false;
    case RBN_CHEVRONPUSHED:
      ShowRebarChevron(window, *rebar, *reinterpret_cast<const NMREBARCHEVRON*>(lparam));
      *result = 0;
      return true;
    case NM_CUSTOMDRAW:
      if (!rebar->ui_style) return false;
      *result = RebarCustomDraw(*rebar, reinterpret_cast<NMCUSTOMDRAW*>(lparam));
      return true;
    default:
      return false;
  }
}

bool RebarWindowMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) {
  switch (message) {
    case WM_WINDOWPOSCHANGING: {
      if (!lparam) return false;
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(lparam);
      // A move alone carries no size; its cy means nothing.
      if (ProposeRebarHeight(window, (pos->flags & SWP_NOSIZE) == 0, pos->cy)) SendRebarHeight(window, pos->cy);
      return false;
    }
    case WM_NCDESTROY:
      if (DraggedRebar() == window) OnRebarEndDrag(window);
      UnregisterRebar(window);
      return false;
    case WM_ERASEBKGND: {
      const std::optional<RebarInfo> rebar = FindRebarByWindow(window);
      if (!rebar || !PaintRebarBackground(*rebar, reinterpret_cast<HDC>(wparam))) return false;
      *result = 1;
      return true;
    }
    default:
      return false;
  }
}

}  // namespace lumora
