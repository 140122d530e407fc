#include "platform/os_version.h"

#include <windows.h>

namespace platform {

int32_t OsVersion() {
  using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  auto get = ntdll ? reinterpret_cast<RtlGetVersionFn>(
                         reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")))
                   : nullptr;
  if (!get || get(&info) != 0) return 0x0601;
  return static_cast<int32_t>((info.dwMajorVersion << 8) | (info.dwMinorVersion & 0xFF));
}

}  // namespace platform
