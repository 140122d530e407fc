// The one place errors that are handled but must not go unseen are written:
// the debugger's output (OutputDebugString), which a Windows debugger shows
// and Wine prints with WINEDEBUG=+debugstr; standard error in the host
// build. Nothing is written to disk. Nothing here throws or allocates, so it
// is safe inside any catch block, out of memory included.
#pragma once
#include <exception>
#include <string_view>

namespace platform {

// One line, prefixed with the program's tag; a very long text is cut.
void LogError(std::wstring_view text) noexcept;

// For catch blocks: where it happened, the window message being handled
// (0 when none) and what was caught (null for an exception of no known type).
void LogCaught(const char* where, unsigned message, const std::exception* caught) noexcept;

// Same as LogCaught for the exception currently being handled; call it only
// inside a catch block.
void LogCurrentException(const char* where, unsigned message = 0) noexcept;

// For a system call that failed: "WHAT failed: error CODE (TEXT)", TEXT being
// the system's description of the code, its line end dropped (left out
// when empty). Win32 callers use LogWin32Failure (error_log_win32.h).
void LogFailedCall(const char* what, unsigned long code, std::wstring_view system_text) noexcept;

// Where the finished line goes; defined per build.
void WriteDebugOutput(const wchar_t* line) noexcept;

}  // namespace platform
