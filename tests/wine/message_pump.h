// Running the test thread's message loop, always bounded in time, so that
// what a program would receive through its own loop (posted messages, the
// editing component's idle notifications, timers, paints) arrives.
#pragma once
#include <windows.h>

namespace wine_test {

// Runs the loop until done() holds; false when limit_ms pass first. A
// message for which take(msg) is true is the loop's own, as the program's
// loop keeps some to itself, and is not dispatched.
template <typename Done, typename Take>
bool PumpUntil(Done done, DWORD limit_ms, Take take) {
  const DWORD end = GetTickCount() + limit_ms;
  MSG msg;
  while (!done()) {
    if (static_cast<int>(end - GetTickCount()) <= 0) return false;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (take(msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  return true;
}

template <typename Done>
bool PumpUntil(Done done, DWORD limit_ms) {
  return PumpUntil(done, limit_ms, [](const MSG&) { return false; });
}

// Runs the loop for milliseconds.
inline void PumpFor(DWORD milliseconds) {
  const DWORD end = GetTickCount() + milliseconds;
  PumpUntil([end] { return static_cast<int>(end - GetTickCount()) <= 0; }, milliseconds + 1000);
}

}  // namespace wine_test
