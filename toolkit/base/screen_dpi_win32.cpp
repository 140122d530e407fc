#include "toolkit/base/screen_dpi_win32.h"

#include <windows.h>

#include "platform/dll_function_win32.h"
#include "platform/os_handles_win32.h"
#include "toolkit/base/dpi_scale.h"

namespace lumora {

void DeclareDpiAwareness() {
  // Looked up by name: the context form exists from Windows 10 1703, the
  // plain one from Vista. System-aware: the layout is made once for the
  // DPI the session started with.
  HMODULE user = GetModuleHandleW(L"user32.dll");
  using SetContextFn = BOOL(WINAPI*)(HANDLE);
  using SetAwareFn = BOOL(WINAPI*)();
  const HANDLE kSystemAware = reinterpret_cast<HANDLE>(static_cast<intptr_t>(-2));
  if (auto set_context = platform::DllFunction<SetContextFn>(user, "SetProcessDpiAwarenessContext"))
    if (set_context(kSystemAware)) return;
  if (auto set_aware = platform::DllFunction<SetAwareFn>(user, "SetProcessDPIAware")) set_aware();
}

int32_t ScreenDpi() {
  static const int32_t dpi = [] {
    const platform::WindowDc screen(nullptr);
    const int read = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return read > 0 ? static_cast<int32_t>(read) : kDesignDpi;
  }();
  return dpi;
}

}  // namespace lumora
