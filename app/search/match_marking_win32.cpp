#include "app/search/match_marking_win32.h"

#include <windows.h>

#include <algorithm>

#include "app/shell/editor_state.h"
#include "app/shell/editor_windows.h"
#include "app/search/find_in_document_win32.h"
#include "app/search/pending_marks.h"
#include "app/shell/scintilla_messages.h"
#include "platform/error_log.h"
#include "platform/error_log_win32.h"

namespace tavrel {

namespace {

// Up to this many ranges are marked at once; more wait for idle time.
constexpr size_t kMarkAtOnce = 4000;
// Lines on screen are taken whole up to this many bytes.
constexpr int64_t kWholeLinesOnScreen = 256 * 1024;

PendingMarks g_pending;
UINT_PTR g_timer = 0;

void Fill(const DirectEditor& editor, const TextMatch& range) {
  editor(SCI_INDICATORFILLRANGE, static_cast<uintptr_t>(range.start), static_cast<intptr_t>(range.length));
}

void MarkIn(const DirectEditor& editor, int64_t start, int64_t end) {
  g_pending.TakeIn(start, end, [&](const TextMatch& range) { Fill(editor, range); });
}

void StopTimer() {
  if (g_timer) KillTimer(nullptr, g_timer);
  g_timer = 0;
}

void CALLBACK MarkSlice(HWND, UINT, UINT_PTR, DWORD) {
  try {
    if (!g_editor.editor_control || !IsWindow(g_editor.editor_control)) {
      DropPendingMarks();
      return;
    }
    const DirectEditor editor;
    const QuietIndicators quiet(editor);
    editor(SCI_SETINDICATORCURRENT, kOtherMatchIndicator);
    int64_t start = 0, end = 0;
    VisibleRange(editor, start, end);
    MarkIn(editor, start, end);
    const IdleSlice slice;
    TextMatch range{};
    // A mark costs the component some work even off screen: the clock is
    // read often enough that a waiting key is not held for long.
    for (size_t done = 0; g_pending.TakeNext(range); ++done) {
      Fill(editor, range);
      if (done % 32 == 31 && slice.Spent()) break;
    }
    if (!g_pending.pending()) DropPendingMarks();
  } catch (...) {
    platform::LogCurrentException("search marking");
    DropPendingMarks();
  }
}

}  // namespace

IdleSlice::IdleSlice() {
  LARGE_INTEGER frequency, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  began_ = now.QuadPart;
  budget_ = frequency.QuadPart * 12 / 1000;
  look_every_ = frequency.QuadPart / 1000;
}

bool IdleSlice::Spent() const {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  if (now.QuadPart - began_ > budget_) return true;
  // Looking at the queue is a call into the system: once a millisecond is
  // soon enough, however small the pieces between two calls.
  if (looked_ != 0 && now.QuadPart - looked_ < look_every_) return false;
  looked_ = now.QuadPart;
  // A key, a click, a posted message or another thread's call that waits
  // goes first: it would otherwise wait for the rest of the slice, and the
  // screen with it (the high word: what waits, new or not).
  return HIWORD(GetQueueStatus(QS_INPUT | QS_POSTMESSAGE | QS_SENDMESSAGE)) != 0;
}

QuietIndicators::QuietIndicators(const DirectEditor& editor) : editor_(editor) {
  mask_ = editor_(SCI_GETMODEVENTMASK);
  // An indicator change is reported as a change "performed by the user" as
  // well, and a report goes out when any of its flags is in the mask: both
  // must go for the change to stay unreported. Only marks change meanwhile.
  editor_(SCI_SETMODEVENTMASK, static_cast<uintptr_t>(mask_ & ~(SC_MOD_CHANGEINDICATOR | SC_PERFORMED_USER)));
}

QuietIndicators::~QuietIndicators() { editor_(SCI_SETMODEVENTMASK, static_cast<uintptr_t>(mask_)); }

void VisibleRange(const DirectEditor& editor, int64_t& start, int64_t& end) {
  const intptr_t first = editor(SCI_DOCLINEFROMVISIBLE, static_cast<uintptr_t>(editor(SCI_GETFIRSTVISIBLELINE)));
  const intptr_t last = first + editor(SCI_LINESONSCREEN) + 1;
  start = editor(SCI_POSITIONFROMLINE, static_cast<uintptr_t>(first));
  end = editor(SCI_GETLINEENDPOSITION, static_cast<uintptr_t>(last));
  if (end < start) end = editor(SCI_GETLENGTH);
  if (end - start <= kWholeLinesOnScreen) return;
  // A line of megabytes (a minified script, a dump on one line) shows only
  // a screenful of itself: from the text at the top left corner to the
  // end of the last line shown, as far as a screen can hold. (Below the
  // text, a point would stand for the end of the document.)
  RECT client{};
  GetClientRect(g_editor.editor_control, &client);
  const intptr_t last_line = editor(SCI_GETLINECOUNT) - 1;
  const intptr_t display_lines =
      editor(SCI_VISIBLEFROMDOCLINE, static_cast<uintptr_t>(last_line)) + editor(SCI_WRAPCOUNT, static_cast<uintptr_t>(last_line));
  const intptr_t shown = std::clamp<intptr_t>(display_lines - editor(SCI_GETFIRSTVISIBLELINE), 1, editor(SCI_LINESONSCREEN) + 1);
  const intptr_t height = std::max<intptr_t>(editor(SCI_TEXTHEIGHT, 0), 1);
  start = std::max<int64_t>(start, editor(SCI_POSITIONFROMPOINT, 0, 0));
  const int64_t corner =
      editor(SCI_POSITIONFROMPOINT, static_cast<uintptr_t>(client.right), (shown - 1) * height + height / 2);
  end = std::clamp<int64_t>(corner, start, start + kWholeLinesOnScreen);
}

DirectEditor::DirectEditor() {
  function_ = reinterpret_cast<Function>(SendEditor(SCI_GETDIRECTFUNCTION));
  pointer_ = SendEditor(SCI_GETDIRECTPOINTER);
}

intptr_t DirectEditor::operator()(unsigned message, uintptr_t wparam, intptr_t lparam) const {
  return function_ ? function_(pointer_, message, wparam, lparam) : SendEditor(message, wparam, lparam);
}

void MarkOtherMatches(const DirectEditor& editor, const std::vector<TextMatch>& matches, size_t skip) {
  DropPendingMarks();
  g_pending.Start(matches, skip);
  const QuietIndicators quiet(editor);
  editor(SCI_SETINDICATORCURRENT, kOtherMatchIndicator);
  if (g_pending.size() <= kMarkAtOnce) {
    TextMatch range{};
    while (g_pending.TakeNext(range)) Fill(editor, range);
    DropPendingMarks();
    return;
  }
  int64_t start = 0, end = 0;
  VisibleRange(editor, start, end);
  MarkIn(editor, start, end);
  g_timer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, MarkSlice);
  if (!g_timer) platform::LogWin32Failure("SetTimer (match marking)");
}

void MarkPendingOnScreen(const DirectEditor& editor) {
  if (!MarksPending()) return;
  int64_t start = 0, end = 0;
  VisibleRange(editor, start, end);
  MarkPendingIn(editor, start, end);
}

void MarkPendingIn(const DirectEditor& editor, int64_t start, int64_t end) {
  if (!MarksPending()) return;
  const QuietIndicators quiet(editor);
  editor(SCI_SETINDICATORCURRENT, kOtherMatchIndicator);
  MarkIn(editor, start, end);
}

void DropPendingMarks() {
  StopTimer();
  g_pending.Clear();
}

bool MarksPending() { return g_pending.pending(); }

void MovePendingMarks(int64_t position, int64_t length) { g_pending.Move(position, length); }

}  // namespace tavrel
