#include "platform/startup_trace_win32.h"

#include <windows.h>

#include <cstdio>

#include "platform/os_handles_win32.h"

namespace platform {
namespace {

struct Mark {
  const char* step;
  LONGLONG counter;
};

constexpr int kMaxMarks = 32;
Mark g_marks[kMaxMarks];
}  // namespace
int g_count = 0;
namespace {
enum class Recording { kUnknown, kOn, kOff };
Recording g_recording = Recording::kUnknown;

// Decided once, at the first mark: an environment look-up per mark would
// cost more than the mark.
bool IsRecording() noexcept {
  if (g_recording == Recording::kUnknown)
    g_recording = GetEnvironmentVariableW(L"TAVREL_STARTUP_TRACE", nullptr, 0) ? Recording::kOn : Recording::kOff;
  return g_recording == Recording::kOn;
}

}  // namespace

void StartupMark(const char* step) noexcept {
  if (!IsRecording() || g_count >= kMaxMarks) return;
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  g_marks[g_count++] = Mark{step, now.QuadPart};
}

void WriteStartupTrace() noexcept {
  if (!IsRecording()) return;
  g_recording = Recording::kOff;
  wchar_t path[MAX_PATH];
  const DWORD length = GetEnvironmentVariableW(L"TAVREL_STARTUP_TRACE", path, MAX_PATH);
  if (!length || length >= MAX_PATH) return;
  const UniqueFile file(CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return;
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  char text[64 * (kMaxMarks + 1)];
  int used = std::snprintf(text, sizeof text, "frequency %lld\r\n", static_cast<long long>(frequency.QuadPart));
  for (int i = 0; i < g_count && used > 0 && used < static_cast<int>(sizeof text); ++i)
    used += std::snprintf(text + used, sizeof text - static_cast<size_t>(used), "%.40s %lld\r\n", g_marks[i].step,
                          static_cast<long long>(g_marks[i].counter));
  if (used <= 0) return;
  if (used > static_cast<int>(sizeof text)) used = static_cast<int>(sizeof text) - 1;
  DWORD written = 0;
  WriteFile(file.get(), text, static_cast<DWORD>(used), &written, nullptr);
}

}  // namespace platform
