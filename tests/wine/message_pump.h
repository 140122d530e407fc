// Running the test thread's message loop, always bounded in time, so that
// what a program would receive through its own loop (posted messages, the
// editing component's idle notifications, timers, paints) arrives.
#pragma once
#include <windows.h>

namespace wine_test {

// Runs the loop until done() holds; false when limit_ms pass first.
template <typename Done>
bool PumpUntil(Done done, DWORD limit_ms) {
  const DWORD end = GetTickCount() + limit_ms;
  MSG msg;
  while (!done()) {
    if (static_cast<int>(end - GetTickCount()) <= 0) return false;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  return true;
}

// Runs the loop for milliseconds.
inline void PumpFor(DWORD milliseconds) {
  const DWORD end = GetTickCount() + milliseconds;
  PumpUntil([end] { return static_cast<int>(end - GetTickCount()) <= 0; }, milliseconds + 1000);
}

}  // namespace wine_test
