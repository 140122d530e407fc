#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/error_log.h"

namespace platform {

void LogError(std::wstring_view text) {
  std::wstring line = L"Tavrel: ";
  line.append(text);
  line.push_back(L'\n');
  OutputDebugStringW(line.c_str());
}

void LogCaught(const char* where, unsigned message, const std::exception* caught) {
  char line[512];
  snprintf(line, sizeof line, "%s: caught %s%s (message 0x%04X)", where ? where : "?",
           caught ? "exception: " : "an exception of unknown type", caught ? caught->what() : "", message);
  std::wstring wide;
  for (const char* p = line; *p; ++p) wide.push_back(static_cast<unsigned char>(*p));
  LogError(wide);
}

void LogCurrentException(const char* where, unsigned message) {
  try {
    throw;
  } catch (const std::exception& caught) {
    LogCaught(where, message, &caught);
  } catch (...) {
    LogCaught(where, message, nullptr);
  }
}

}  // namespace platform
