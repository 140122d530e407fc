#include "toolkit/base/bar_window_proc_win32.h"

#include <algorithm>
#include <vector>

#include "platform/error_log.h"
#include "toolkit/base/control_subclass_win32.h"
#include "toolkit/base/subclass_registry_win32.h"

namespace lumora {
namespace {

std::vector<BarMessageHandler>& Handlers() {
  static std::vector<BarMessageHandler> handlers;
  return handlers;
}

LRESULT CALLBACK BarWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  // No exception may cross into the system's dispatch.
  try {
    for (BarMessageHandler handler : Handlers()) {
      LRESULT result = 0;
      if (handler(window, message, wparam, lparam, &result)) return result;
    }
  } catch (...) {
    platform::LogCurrentException("bar host window", message);
  }
  // A host window may have been watched as a control before it got bars.
  LRESULT handled = 0;
  if (RunControlMessageHandlers(window, message, wparam, lparam, &handled)) return handled;
  return CallPreviousProc(window, message, wparam, lparam);
}

}  // namespace

void RegisterBarMessageHandler(BarMessageHandler handler) {
  auto& handlers = Handlers();
  if (handler && std::find(handlers.begin(), handlers.end(), handler) == handlers.end()) handlers.push_back(handler);
}

bool AttachBarWindowProc(HWND window) {
  if (!IsWindow(window)) return false;
  if (HasBarWindowProc(window)) return true;
  if (!SubclassWindow(window, BarWindowProc)) return false;
  SetWindowLongPtrW(window, GWL_STYLE, GetWindowLongPtrW(window, GWL_STYLE) | WS_CLIPCHILDREN);
  return true;
}

bool HasBarWindowProc(HWND window) {
  return GetWindowLongPtrW(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(BarWindowProc);
}

}  // namespace lumora
