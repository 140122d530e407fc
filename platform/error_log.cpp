#include "platform/error_log.h"

#include <cstdio>
#include <type_traits>

namespace platform {
namespace {

constexpr std::size_t kLineLength = 600;

// Appends text (ASCII or UTF-16) to a fixed line, cutting what does not fit.
template <typename Char>
void Append(wchar_t (&line)[kLineLength], std::size_t& used, const Char* text, std::size_t length) {
  for (std::size_t i = 0; i < length && used + 1 < kLineLength; ++i)
    line[used++] = static_cast<wchar_t>(static_cast<std::make_unsigned_t<Char>>(text[i]));
  line[used] = 0;
}

}  // namespace

void LogError(std::wstring_view text) noexcept {
  wchar_t line[kLineLength];
  std::size_t used = 0;
  constexpr std::wstring_view kTag = L"Tavrel: ";
  Append(line, used, kTag.data(), kTag.size());
  // Room is kept for the line end.
  const std::size_t room = kLineLength - 2 - used;
  Append(line, used, text.data(), text.size() < room ? text.size() : room);
  Append(line, used, L"\n", 1);
  WriteDebugOutput(line);
}

void LogCaught(const char* where, unsigned message, const std::exception* caught) noexcept {
  char text[kLineLength];
  const int length = std::snprintf(text, sizeof text, "%s: caught %s%s (message 0x%04X)", where ? where : "?",
                                   caught ? "exception: " : "an exception of unknown type",
                                   caught ? caught->what() : "", message);
  if (length < 0) return;
  const std::size_t written = static_cast<std::size_t>(length) < sizeof text ? static_cast<std::size_t>(length)
                                                                             : sizeof text - 1;
  wchar_t wide[kLineLength];
  std::size_t used = 0;
  Append(wide, used, text, written);
  LogError(std::wstring_view(wide, used));
}

void LogFailedCall(const char* what, unsigned long code, std::wstring_view system_text) noexcept {
  char head[kLineLength];
  const int length = std::snprintf(head, sizeof head, "%s failed: error %lu", what ? what : "?", code);
  if (length < 0) return;
  const std::size_t written = static_cast<std::size_t>(length) < sizeof head ? static_cast<std::size_t>(length)
                                                                             : sizeof head - 1;
  // The system's texts end in a line end (and sometimes a space after the
  // full stop); the log line has one of its own.
  while (!system_text.empty() && (system_text.back() == L'\n' || system_text.back() == L'\r' ||
                                  system_text.back() == L' '))
    system_text.remove_suffix(1);
  wchar_t wide[kLineLength];
  std::size_t used = 0;
  Append(wide, used, head, written);
  if (!system_text.empty()) {
    Append(wide, used, L" (", 2);
    // Room is kept for the closing parenthesis.
    const std::size_t room = used + 2 < kLineLength ? kLineLength - 2 - used : 0;
    Append(wide, used, system_text.data(), system_text.size() < room ? system_text.size() : room);
    Append(wide, used, L")", 1);
  }
  LogError(std::wstring_view(wide, used));
}

void LogCurrentException(const char* where, unsigned message) noexcept {
  try {
    throw;
  } catch (const std::exception& caught) {
    LogCaught(where, message, &caught);
  } catch (...) {
    LogCaught(where, message, nullptr);
  }
}

#ifndef _WIN32
// The host build has no debugger output; standard error stays a narrow
// stream, so characters outside ASCII show as '?'.
void WriteDebugOutput(const wchar_t* line) noexcept {
  for (; *line; ++line) std::fputc(*line < 0x80 ? static_cast<int>(*line) : '?', stderr);
}
#endif

}  // namespace platform
