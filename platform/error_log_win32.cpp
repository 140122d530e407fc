#include <windows.h>

#include "platform/error_log.h"

namespace platform {

void WriteDebugOutput(const wchar_t* line) noexcept { OutputDebugStringW(line); }

}  // namespace platform
