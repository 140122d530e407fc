// The screen's dots per inch, and the process's declaration that it scales
// its own layout by them.
#pragma once
#include <cstdint>

namespace lumora {

// Tells the system that the program lays itself out for the screen's DPI,
// so that the system does not stretch its windows as a bitmap. Must run
// before the first window is made; the newest call the system has is used.
void DeclareDpiAwareness();

// The screen's vertical dots per inch, read once (96 when unreadable).
// Safe from any thread.
int32_t ScreenDpi();

}  // namespace lumora
