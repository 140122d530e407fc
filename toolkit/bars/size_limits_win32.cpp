#include "toolkit/bars/size_limits_win32.h"

#include <unordered_map>

#include "toolkit/base/bar_window_proc_win32.h"
#include "toolkit/base/control_subclass_win32.h"
#include "toolkit/base/stale_lock.h"
#include "toolkit/base/subclass_registry_win32.h"

namespace lumora {
namespace {

// The per-window entries live under the per-window lock.
std::unordered_map<HWND, SizeLimits>& Limits() {
  static std::unordered_map<HWND, SizeLimits> limits;
  return limits;
}

StaleLock& Lock() { return WindowRecordsLock(); }

bool Lookup(HWND window, SizeLimits* out) {
  StaleLockGuard guard(Lock());
  auto found = Limits().find(window);
  if (found == Limits().end()) return false;
  *out = found->second;
  return true;
}

// Window placements are in the parent's client coordinates for child
// windows and in screen coordinates otherwise.
POINT CurrentTopLeft(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  POINT corner{rect.left, rect.top};
  HWND parent = GetAncestor(window, GA_PARENT);
  if ((GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) && parent) MapWindowPoints(nullptr, parent, &corner, 1);
  return corner;
}

// Corrects the proposal in place and lets the window's own procedure see
// the corrected one.
bool SizeLimitHandler(HWND window, UINT message, WPARAM, LPARAM lparam, LRESULT*) {
  if (message == WM_NCDESTROY) {
    StaleLockGuard guard(Lock());
    Limits().erase(window);
    return false;
  }
  if (message != WM_WINDOWPOSCHANGING || !lparam) return false;
  auto* position = reinterpret_cast<WINDOWPOS*>(lparam);
  // 0x8000: minimising, maximising or restoring; the system's sizes rule.
  if (position->flags & (SWP_NOSIZE | 0x8000)) return false;
  SizeLimits limits;
  if (!Lookup(window, &limits) || !limits.any()) return false;
  const POINT corner = CurrentTopLeft(window);
  Placement placement{position->x, position->y, position->cx, position->cy};
  if (ApplySizeLimits(limits, corner.x, corner.y, !(position->flags & SWP_NOMOVE), &placement)) {
    position->x = placement.x;
    position->y = placement.y;
    position->cx = placement.width;
    position->cy = placement.height;
  }
  return false;
}

}  // namespace

int32_t SetWindowSizeLimits(HWND window, int32_t min_width, int32_t min_height, int32_t max_width,
                            int32_t max_height) {
  if (!IsWindow(window)) return 0;
  RegisterControlMessageHandler(SizeLimitHandler);
  EnableControlSubclassing();
  if (!IsControlSubclassed(window) && !HasBarWindowProc(window)) AdoptWindow(window);

  const SizeLimits limits{min_width, min_height, max_width, max_height};
  RECT rect{};
  GetWindowRect(window, &rect);
  const int32_t width = rect.right - rect.left;
  const int32_t height = rect.bottom - rect.top;
  const int32_t new_width = LimitDimension(width, min_width, max_width);
  const int32_t new_height = LimitDimension(height, min_height, max_height);
  {
    StaleLockGuard guard(Lock());
    Limits()[window] = limits;
  }
  if (new_width != width || new_height != height)
    SetWindowPos(window, nullptr, 0, 0, new_width, new_height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  return 1;
}

bool GetWindowSizeLimits(HWND window, SizeLimits* out) { return out && Lookup(window, out); }

}  // namespace lumora
