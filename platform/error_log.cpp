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
