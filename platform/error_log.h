// The one place errors that are handled but must not go unseen are written:
// the debugger's output (OutputDebugString), which a Windows debugger shows
// and Wine prints with WINEDEBUG=+debugstr. Nothing is written to disk.
#pragma once
#include <exception>
#include <string_view>

namespace platform {

// One line, prefixed with the program's tag.
void LogError(std::wstring_view text);

// For catch blocks: where it happened, the window message being handled
// (0 when none) and what was caught (null for an exception of no known type).
void LogCaught(const char* where, unsigned message, const std::exception* caught);

// Same as LogCaught for the exception currently being handled; call it only
// inside a catch block.
void LogCurrentException(const char* where, unsigned message = 0);

}  // namespace platform
