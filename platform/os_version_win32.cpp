#include "platform/os_version.h"

#include "platform/dll_function_win32.h"

namespace platform {

int32_t OsVersion() {
  using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  auto get = DllFunction<RtlGetVersionFn>(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion");
  if (!get || get(&info) != 0) return 0x0601;
  return static_cast<int32_t>((info.dwMajorVersion << 8) | (info.dwMinorVersion & 0xFF));
}

bool RunningOnWine() {
  static const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
  return wine;
}

}  // namespace platform
