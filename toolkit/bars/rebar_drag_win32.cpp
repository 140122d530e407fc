#include "toolkit/bars/rebar_drag_win32.h"

#include <vector>

#include "platform/error_log.h"
#include "platform/error_log_win32.h"
#include "platform/os_handles_win32.h"
#include "toolkit/bars/toolbar_win32.h"
#include "toolkit/base/platform_caps_win32.h"
#include "toolkit/base/toolkit_start_win32.h"

namespace lumora {
namespace {

constexpr int kCursorArrow = 0;
constexpr int kCursorSizeAll = 4;

struct DragState {
  HWND rebar = nullptr;
  int32_t band_id = -1;
  int32_t band_index = -1;
  uint8_t drag_flag = 0;
  std::vector<HWND> composited;  // tool bars that got WS_EX_COMPOSITED from us
  platform::UniqueHook hook;
};

DragState g_drag;
platform::UniqueHook g_process_hook;

HCURSOR Cursor(int index, LPCWSTR fallback) {
  return g_caps.cursors[index] ? g_caps.cursors[index] : LoadCursorW(nullptr, fallback);
}

void SetExStyle(HWND window, LONG_PTR add, LONG_PTR remove) {
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_EXSTYLE);
  SetWindowLongPtrW(window, GWL_EXSTYLE, (style | add) & ~remove);
}

void EndDrag() {
  UnregisterHook(g_drag.hook);
  g_drag.hook.reset();
  const std::vector<HWND> toolbars = std::move(g_drag.composited);
  g_drag = DragState{};
  SetCursor(Cursor(kCursorArrow, IDC_ARROW));
  for (HWND toolbar : toolbars) {
    if (!IsWindow(toolbar)) continue;
    SetExStyle(toolbar, 0, WS_EX_COMPOSITED);
    RedrawWindow(toolbar, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
}

// A rebar that lost the mouse (another window took the capture, or the
// rebar went away) never sends RBN_ENDDRAG; a button released elsewhere
// ends the drag instead.
bool DragOrphaned(WPARAM message) {
  if (!g_drag.rebar) return false;
  if (!IsWindow(g_drag.rebar)) return true;
  const bool button_up = message == WM_LBUTTONUP || message == WM_NCLBUTTONUP;
  return button_up && GetCapture() != g_drag.rebar;
}

LRESULT CALLBACK DragMouseProc(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HC_ACTION) {
    try {
      if (DragOrphaned(wparam)) {
        EndDrag();
      } else if (wparam == WM_MOUSEMOVE && g_drag.rebar) {
        SetCursor(Cursor(kCursorSizeAll, IDC_SIZEALL));
      }
    } catch (...) {
      platform::LogCurrentException("rebar drag mouse hook", static_cast<unsigned>(wparam));
    }
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

LRESULT CALLBACK ProcessMouseProc(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HC_ACTION) {
    try {
      // The drag hook may be gone already when the capture was lost to a
      // modal loop of another thread's making; this one stays.
      if (DragOrphaned(wparam)) EndDrag();
    } catch (...) {
      platform::LogCurrentException("rebar mouse hook", static_cast<unsigned>(wparam));
    }
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

}  // namespace

LRESULT OnRebarBeginDrag(const RebarInfo& rebar, const NMREBAR& note) {
  if (!rebar.drag_flag) return TRUE;
  if (g_drag.rebar) EndDrag();
  g_drag.rebar = rebar.window;
  g_drag.band_id = (note.dwMask & RBNM_ID) ? static_cast<int32_t>(note.wID) : -1;
  g_drag.band_index = static_cast<int32_t>(note.uBand);
  g_drag.drag_flag = rebar.drag_flag;
  g_drag.hook.reset(SetWindowsHookExW(WH_MOUSE, DragMouseProc, nullptr, GetCurrentThreadId()));
  if (!g_drag.hook) platform::LogWin32Failure("SetWindowsHookEx (rebar drag)");
  RegisterHook(g_drag.hook);
  for (HWND child : rebar.band_children) {
    if (!child || !IsWindow(child) || !IsToolkitToolbar(child)) continue;
    if (GetWindowLongPtrW(child, GWL_EXSTYLE) & WS_EX_COMPOSITED) continue;
    SetExStyle(child, WS_EX_COMPOSITED, 0);
    g_drag.composited.push_back(child);
  }
  return FALSE;
}

void OnRebarEndDrag(HWND rebar) {
  if (g_drag.rebar && g_drag.rebar != rebar) return;
  EndDrag();
}

HWND DraggedRebar() { return g_drag.rebar; }

void InstallRebarMouseHook() {
  if (g_process_hook) return;
  g_process_hook.reset(SetWindowsHookExW(WH_MOUSE, ProcessMouseProc, nullptr, GetCurrentThreadId()));
  if (!g_process_hook) platform::LogWin32Failure("SetWindowsHookEx (rebar pointer)");
  RegisterHook(g_process_hook);
}

}  // namespace lumora
