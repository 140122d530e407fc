#include "app/shell/busy_indication_win32.h"

#include <algorithm>
#include <vector>

#include "app/shell/editor_state.h"

namespace tavrel {

namespace {

constexpr double kShowAfterSeconds = 0.25;
// Each new title is a trip to the display and a redrawn frame: on a 1 GB
// save a hundred of them cost about a tenth of a second. Ten a second
// still read as steady progress.
constexpr double kRetitleAfterSeconds = 0.1;

BusyIndication* g_current = nullptr;

double SecondsSince(const LARGE_INTEGER& start) {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::wstring WindowText(HWND window) {
  std::vector<wchar_t> text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1);
  const int length = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
  return std::wstring(text.data(), static_cast<size_t>(length > 0 ? length : 0));
}

}  // namespace

BusyIndication::BusyIndication(std::wstring activity, Cursor cursor) : activity_(std::move(activity)) {
  QueryPerformanceCounter(&started_);
  // An indication inside another (a save asked for before an open) leaves
  // the outer one in charge of the title and the pointer.
  if (g_current) return;
  g_current = this;
  if (cursor == Cursor::kAtOnce) ShowCursor();
}

BusyIndication::~BusyIndication() {
  if (g_current != this) return;
  g_current = nullptr;
  if (cursor_shown_) SetCursor(previous_cursor_);
  if (shown_ && g_editor.main_window) SetWindowTextW(g_editor.main_window, previous_title_.c_str());
}

void BusyIndication::ShowCursor() {
  cursor_shown_ = true;
  previous_cursor_ = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
}

void BusyIndication::ProgressNow(uint64_t done, uint64_t total) {
  long_work_ = true;
  Progress(done, total);
}

void BusyIndication::Progress(uint64_t done, uint64_t total) {
  if (g_current != this) return;
  if (!shown_) {
    if (!long_work_ && SecondsSince(started_) < kShowAfterSeconds) return;
    if (!cursor_shown_) ShowCursor();
    shown_ = true;
    if (g_editor.main_window) previous_title_ = WindowText(g_editor.main_window);
  }
  const int percent = total > 0 ? static_cast<int>(std::min<uint64_t>(done, total) * 100 / total) : 0;
  if (percent == shown_percent_ || !g_editor.main_window) return;
  if (shown_percent_ >= 0 && percent < 100 && SecondsSince(retitled_) < kRetitleAfterSeconds) return;
  shown_percent_ = percent;
  QueryPerformanceCounter(&retitled_);
  const std::wstring title = activity_ + L" " + std::to_wstring(percent) + L"% - Tavrel";
  SetWindowTextW(g_editor.main_window, title.c_str());
  // The frame drawn now, and a look at the queue, taking nothing from it:
  // the system then knows the window is not hung (and does not grey it
  // out), and the new title and cursor reach the screen (Wine sends them to
  // the display only when it draws or looks for messages). Input stays
  // queued until the work is done.
  RedrawWindow(g_editor.main_window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN);
  MSG msg;
  PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_NOYIELD);
}

const BusyIndication* CurrentBusyIndication() { return g_current; }

}  // namespace tavrel
