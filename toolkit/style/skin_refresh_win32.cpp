// RefreshSkins: every window of the process is handed the skin-changed
// message through its current window procedure, with redraw held off on
// the visible top-level windows' children until all have re-applied, so a
// window never shows half its controls in the old look.
#include <windows.h>

#include <vector>

#include "platform/error_log.h"
#include "toolkit/base/toolkit_messages.h"
#include "toolkit/style/skin.h"
#include "toolkit/style/skin_model.h"

namespace lumora {

namespace {

struct Walk {
  SkinHandle skin = 0;
  std::vector<HWND> top_level;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM param) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == GetCurrentProcessId()) reinterpret_cast<Walk*>(param)->top_level.push_back(window);
  return TRUE;
}

BOOL CALLBACK CollectChildren(HWND window, LPARAM param) {
  reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
  return TRUE;
}

}  // namespace

int32_t RefreshSkins(SkinHandle skin) {
  if (skin != 0 && !IsSkin(skin)) return 0;
  try {
    Walk walk;
    walk.skin = skin;
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&walk));
    for (HWND top : walk.top_level) {
      if (!IsWindow(top)) continue;
      std::vector<HWND> held;
      if (IsWindowVisible(top)) {
        for (HWND child = GetWindow(top, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
          if (IsWindowVisible(child)) held.push_back(child);
        }
        for (HWND child : held) SendMessageW(child, WM_SETREDRAW, FALSE, 0);
      }
      // Collected first: a window that re-applies its skin may create or
      // destroy children, which must not disturb the walk.
      std::vector<HWND> descendants;
      EnumChildWindows(top, CollectChildren, reinterpret_cast<LPARAM>(&descendants));
      for (HWND window : descendants) {
        if (!IsWindow(window)) continue;
        const auto procedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
        if (procedure) CallWindowProcW(procedure, window, WM_LUMORA_SKINCHANGED, 0, static_cast<LPARAM>(skin));
      }
      for (HWND child : held) {
        if (!IsWindow(child)) continue;
        SendMessageW(child, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(child, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW);
      }
    }
  } catch (const std::exception& caught) {
    platform::LogCaught("RefreshSkins", WM_LUMORA_SKINCHANGED, &caught);
  }
  return 1;
}

}  // namespace lumora
