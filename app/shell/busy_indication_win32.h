// Work that can hold the window's thread for longer than a moment (opening,
// saving or searching a document of hundreds of megabytes): the pointer
// becomes the wait cursor, and once the work has taken a quarter of a
// second the title shows what is being done and how much of it ("Opening
// big.txt 40% - Tavrel"), so that the user sees a window at work rather
// than one that does not answer.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace tavrel {

class BusyIndication {
 public:
  // activity names the work and its document: "Opening big.txt". Work done
  // for each keystroke waits the quarter second for the cursor too, so that
  // typing does not make the pointer flicker.
  enum class Cursor { kAtOnce, kWhenSlow };
  explicit BusyIndication(std::wstring activity, Cursor cursor = Cursor::kAtOnce);
  // The title and the pointer as they were.
  ~BusyIndication();
  BusyIndication(const BusyIndication&) = delete;
  BusyIndication& operator=(const BusyIndication&) = delete;

  // done of total units of work are finished; cheap enough to call for
  // every megabyte.
  void Progress(uint64_t done, uint64_t total);
  // The same, shown at once: for work known to be long before its first
  // step (reserving room for a 1 GB document takes seconds).
  void ProgressNow(uint64_t done, uint64_t total);

  // Whether the indication has been shown (for tests and benchmarks).
  bool shown() const { return shown_; }

 private:
  void ShowCursor();

  std::wstring activity_;
  LARGE_INTEGER started_{};
  LARGE_INTEGER retitled_{};  // when the title last changed
  bool shown_ = false;  // the title
  bool cursor_shown_ = false;
  bool long_work_ = false;  // shown without waiting for the quarter second
  int shown_percent_ = -1;
  HCURSOR previous_cursor_ = nullptr;
  std::wstring previous_title_;
};

// The busy indication shown right now, if any (for tests and benchmarks).
const BusyIndication* CurrentBusyIndication();

}  // namespace tavrel
