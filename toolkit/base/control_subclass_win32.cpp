#include "toolkit/base/control_subclass_win32.h"

#include <algorithm>
#include <cwchar>
#include <vector>

#include "platform/error_log.h"
#include "toolkit/base/bar_window_proc_win32.h"
#include "toolkit/base/subclass_registry_win32.h"
#include "toolkit/base/toolkit_start_win32.h"

namespace lumora {
namespace {

std::vector<ControlMessageHandler>& Handlers() {
  static std::vector<ControlMessageHandler> handlers;
  return handlers;
}

LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  LRESULT result = 0;
  // The handlers guard themselves and the message then goes on; what is
  // left to fail is the registry's lock, which must not unwind into the
  // system's dispatch either.
  try {
    if (RunControlMessageHandlers(window, message, wparam, lparam, &result)) return result;
    result = CallPreviousProc(window, message, wparam, lparam);
    if (message == WM_NCDESTROY) UnsubclassWindow(window);
  } catch (...) {
    platform::LogCurrentException("control window", message);
  }
  return result;
}

// The controls the toolkit skins or watches, by class name: tool bars,
// combo boxes and their edit fields, edit fields, progress bars, buttons,
// tab controls and the toolkit's own panel classes. Everything else a
// thread creates is left as it is: the editing component, popup menus
// (caught on their own), the system's shadows, tooltips, combo lists,
// static controls, the input-method, clipboard, DDE and GDI+ helper windows
// and the toolkit's shadow and animation windows. Their procedures are
// not ours to wrap, and some of them (the helpers of other components) go
// away at times the toolkit never hears of.
bool IsWatchedClass(const wchar_t* name) {
  static const wchar_t* const kWatched[] = {
      L"ToolbarWindow32", L"ComboBox", L"Edit", L"msctls_progress32", L"Button", L"SysTabControl32",
      L"Lumora_PanelEx", L"Lumora_PanelExPage",
  };
  for (const wchar_t* watched : kWatched)
    if (_wcsicmp(name, watched) == 0) return true;
  return false;
}

bool Watchable(HWND window) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != GetCurrentProcessId()) return false;
  wchar_t name[64] = {};
  if (!GetClassNameW(window, name, 64)) return false;
  return IsWatchedClass(name);
}

void OnWindowCreated(HWND window) {
  if (Watchable(window)) AdoptWindow(window);
}

}  // namespace

bool RunControlMessageHandlers(HWND window, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) {
  try {
    for (ControlMessageHandler handler : Handlers())
      if (handler(window, message, wparam, lparam, result)) return true;
  } catch (...) {
    // The message goes on to the control's own procedure.
    platform::LogCurrentException("control message handler", message);
  }
  return false;
}

void RegisterControlMessageHandler(ControlMessageHandler handler) {
  auto& handlers = Handlers();
  if (handler && std::find(handlers.begin(), handlers.end(), handler) == handlers.end()) handlers.push_back(handler);
}

void EnableControlSubclassing() {
  AddWindowCreationHandler(OnWindowCreated);
  EnsureWindowCreationHook();
}

bool AdoptWindow(HWND window) {
  if (!IsWindow(window) || IsControlSubclassed(window) || HasBarWindowProc(window)) return false;
  return SubclassWindow(window, ControlProc) != nullptr;
}

bool IsControlSubclassed(HWND window) {
  return GetWindowLongPtrW(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(ControlProc);
}

}  // namespace lumora
