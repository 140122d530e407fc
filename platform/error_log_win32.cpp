#include "platform/error_log_win32.h"

#include <windows.h>

#include "platform/error_log.h"

namespace platform {

void WriteDebugOutput(const wchar_t* line) noexcept { OutputDebugStringW(line); }

unsigned long LogWin32Failure(const char* what) noexcept {
  const DWORD code = GetLastError();
  wchar_t text[256];
  DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                                static_cast<DWORD>(sizeof text / sizeof text[0]), nullptr);
  if (length >= sizeof text / sizeof text[0]) length = 0;
  LogFailedCall(what, code, std::wstring_view(text, length));
  SetLastError(code);
  return code;
}

}  // namespace platform
