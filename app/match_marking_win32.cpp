#include "app/match_marking_win32.h"

#include <windows.h>

#include <algorithm>

#include "app/editor_state.h"
#include "app/editor_windows.h"
#include "app/find_in_document_win32.h"
#include "app/scintilla_messages.h"
#include "platform/error_log.h"

namespace tavrel {

namespace {

// Up to this many ranges are marked at once; more wait for idle time.
constexpr size_t kMarkAtOnce = 4000;
// One idle slice marks for about this long before yielding.
constexpr double kSliceSeconds = 0.012;

struct PendingMarks {
  std::vector<TextMatch> ranges;  // in document order; length 0 once marked
  size_t next = 0;                // ranges before it are all marked
  UINT_PTR timer = 0;
};

PendingMarks g_pending;

void Fill(const DirectEditor& editor, TextMatch& range) {
  if (range.length <= 0) return;
  editor(SCI_INDICATORFILLRANGE, static_cast<uintptr_t>(range.start), static_cast<intptr_t>(range.length));
  range.length = 0;
}

// The first pending range that ends after position.
size_t FirstEndingAfter(int64_t position) {
  auto it = std::partition_point(g_pending.ranges.begin() + static_cast<ptrdiff_t>(g_pending.next),
                                 g_pending.ranges.end(),
                                 [&](const TextMatch& r) { return r.start + std::max<int64_t>(r.length, 0) <= position; });
  // Ranges do not overlap and are in order, so their ends are in order too
  // (a marked range's end only moves earlier).
  return static_cast<size_t>(it - g_pending.ranges.begin());
}

void MarkIn(const DirectEditor& editor, int64_t start, int64_t end) {
  for (size_t i = FirstEndingAfter(start); i < g_pending.ranges.size() && g_pending.ranges[i].start < end; ++i)
    Fill(editor, g_pending.ranges[i]);
}

void StopTimer() {
  if (g_pending.timer) KillTimer(nullptr, g_pending.timer);
  g_pending.timer = 0;
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
    // The marks below are off screen; the component would still ask for a
    // repaint of the window for each one.
    const HWND window = g_editor.editor_control;
    SendMessageW(window, WM_SETREDRAW, FALSE, 0);
    LARGE_INTEGER frequency, began, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&began);
    const LONGLONG budget = static_cast<LONGLONG>(kSliceSeconds * static_cast<double>(frequency.QuadPart));
    for (size_t done = 0; g_pending.next < g_pending.ranges.size(); ++done) {
      Fill(editor, g_pending.ranges[g_pending.next++]);
      if (done % 256 == 255) {
        QueryPerformanceCounter(&now);
        if (now.QuadPart - began.QuadPart > budget) break;
      }
    }
    SendMessageW(window, WM_SETREDRAW, TRUE, 0);
    if (g_pending.next >= g_pending.ranges.size()) DropPendingMarks();
  } catch (...) {
    platform::LogCurrentException("search marking");
    DropPendingMarks();
  }
}

}  // namespace

QuietIndicators::QuietIndicators(const DirectEditor& editor) : editor_(editor) {
  mask_ = editor_(SCI_GETMODEVENTMASK);
  editor_(SCI_SETMODEVENTMASK, static_cast<uintptr_t>(mask_ & ~SC_MOD_CHANGEINDICATOR));
}

QuietIndicators::~QuietIndicators() { editor_(SCI_SETMODEVENTMASK, static_cast<uintptr_t>(mask_)); }

void VisibleRange(const DirectEditor& editor, int64_t& start, int64_t& end) {
  const intptr_t first = editor(SCI_DOCLINEFROMVISIBLE, static_cast<uintptr_t>(editor(SCI_GETFIRSTVISIBLELINE)));
  const intptr_t last = first + editor(SCI_LINESONSCREEN) + 1;
  start = editor(SCI_POSITIONFROMLINE, static_cast<uintptr_t>(first));
  end = editor(SCI_GETLINEENDPOSITION, static_cast<uintptr_t>(last));
  if (end < start) end = editor(SCI_GETLENGTH);
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
  std::vector<TextMatch>& ranges = g_pending.ranges;
  ranges.reserve(matches.size());
  for (size_t i = 0; i < matches.size(); ++i) {
    if (i == skip) continue;
    const TextMatch& m = matches[i];
    if (!ranges.empty() && m.start <= ranges.back().start + ranges.back().length) {
      ranges.back().length = std::max(ranges.back().length, m.start + m.length - ranges.back().start);
    } else {
      ranges.push_back(m);
    }
  }
  const QuietIndicators quiet(editor);
  editor(SCI_SETINDICATORCURRENT, kOtherMatchIndicator);
  if (ranges.size() <= kMarkAtOnce) {
    for (TextMatch& range : ranges) Fill(editor, range);
    DropPendingMarks();
    return;
  }
  int64_t start = 0, end = 0;
  VisibleRange(editor, start, end);
  MarkIn(editor, start, end);
  g_pending.timer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, MarkSlice);
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
  g_pending.ranges.clear();
  g_pending.next = 0;
}

bool MarksPending() { return g_pending.next < g_pending.ranges.size(); }

void MovePendingMarks(int64_t position, int64_t length) {
  if (!MarksPending() || length == 0) return;
  for (size_t i = FirstEndingAfter(position); i < g_pending.ranges.size(); ++i) {
    TextMatch& r = g_pending.ranges[i];
    if (r.length <= 0) continue;
    if (length > 0) {
      // Text typed inside a range widens it, as it widens a mark.
      if (r.start >= position) r.start += length;
      else r.length += length;
      continue;
    }
    const int64_t new_start = r.start < position ? r.start : std::max(position, r.start + length);
    int64_t new_end = r.start + r.length;
    new_end = new_end <= position ? new_end : std::max(position, new_end + length);
    r.start = new_start;
    r.length = std::max<int64_t>(new_end - new_start, 0);
  }
}

}  // namespace tavrel
