// Putting the search's marks on the text. A million matches take the
// component seconds to mark one by one, so the keystroke marks only what is
// on screen (and the current match); the rest is marked in idle time, a
// slice at a time, what comes into view first. Ranges not yet marked follow
// the edits made meanwhile, as the component's own marks do.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/search/text_search.h"

namespace tavrel {

// One call into the component without the window-message round trip.
class DirectEditor {
 public:
  DirectEditor();
  intptr_t operator()(unsigned message, uintptr_t wparam = 0, intptr_t lparam = 0) const;

 private:
  using Function = intptr_t (*)(intptr_t, unsigned, uintptr_t, intptr_t);
  Function function_ = nullptr;
  intptr_t pointer_ = 0;
};

// While marking, the component would report every filled range to the main
// window; nothing there needs indicator changes.
class QuietIndicators {
 public:
  explicit QuietIndicators(const DirectEditor& editor);
  ~QuietIndicators();
  QuietIndicators(const QuietIndicators&) = delete;
  QuietIndicators& operator=(const QuietIndicators&) = delete;

 private:
  const DirectEditor& editor_;
  intptr_t mask_ = 0;
};

// One idle slice of marking: runs for about 12 ms, or less when a key, a
// click, a posted message or another thread's call waits, then yields.
// (The component asks no repaint for marks made off screen, so the editing
// window's redraw stays on: turned off and on again, it dropped what waited
// to be painted and had the component redo its scroll bars each time.)
class IdleSlice {
 public:
  IdleSlice();
  IdleSlice(const IdleSlice&) = delete;
  IdleSlice& operator=(const IdleSlice&) = delete;
  bool Spent() const;

 private:
  int64_t began_ = 0;
  int64_t budget_ = 0;
  int64_t look_every_ = 0;
  mutable int64_t looked_ = 0;  // when the queue was last looked at
};

// The byte range of the text on screen: its lines whole, or where they are
// too long for that, the text between the screen's corners.
void VisibleRange(const DirectEditor& editor, int64_t& start, int64_t& end);

// Indicator 2 over every match but `skip` (touching and overlapping
// matches as one range): those on screen at once, the others later. Any
// marking still pending from before is dropped.
void MarkOtherMatches(const DirectEditor& editor, const std::vector<TextMatch>& matches, size_t skip);
// Marks now whatever pending range meets [start, end).
void MarkPendingIn(const DirectEditor& editor, int64_t start, int64_t end);
void MarkPendingOnScreen(const DirectEditor& editor);
void DropPendingMarks();
bool MarksPending();
// Text inserted (length > 0) or deleted (length < 0) at position.
void MovePendingMarks(int64_t position, int64_t length);

}  // namespace tavrel
