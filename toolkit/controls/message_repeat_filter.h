// Pointer messages arrive again and again with the same parameters (the
// system repeats WM_SETCURSOR and WM_NCHITTEST for every move and replays
// WM_MOUSEMOVE); a client callback needs each distinct one once.
#pragma once
#include <cstdint>

namespace lumora {

class MessageRepeatFilter {
 public:
  enum Kind { kSetCursor, kHitTest, kMouseMove, kKindCount };
  // True when (wparam, lparam) differs from the last pair seen for `kind`,
  // which it then becomes.
  bool IsNew(Kind kind, uint64_t wparam, int64_t lparam) {
    Last& last = last_[kind];
    if (last.seen && last.wparam == wparam && last.lparam == lparam) return false;
    last = Last{true, wparam, lparam};
    return true;
  }

 private:
  struct Last {
    bool seen = false;
    uint64_t wparam = 0;
    int64_t lparam = 0;
  };
  Last last_[kKindCount];
};

}  // namespace lumora
