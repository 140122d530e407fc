// Minimum and maximum window sizes kept by the toolkit: set once, enforced
// on every change of the window's placement by the toolkit's procedure on
// the application's windows.
#pragma once
#include <windows.h>

#include <cstdint>

#include "toolkit/bars/size_limits.h"

namespace lumora {

// A value of 0 means no limit in that direction. The window is brought
// within the limits at once. 1, or 0 when the window does not exist.
int32_t SetWindowSizeLimits(HWND window, int32_t min_width, int32_t min_height, int32_t max_width,
                            int32_t max_height);
// The limits stored for a window; false when it has none.
bool GetWindowSizeLimits(HWND window, SizeLimits* out);

}  // namespace lumora
