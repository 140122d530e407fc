// Sizes the design gives in pixels at 96 dots per inch, made fit for the
// screen the program runs on. At 96 every size stays exactly what it was.
#pragma once
#include <cstdint>

namespace lumora {

constexpr int32_t kDesignDpi = 96;

// px96 * dpi / 96, rounded to nearest with halves away from zero (the way
// the system's MulDiv rounds), so that negative offsets mirror positive
// ones. A dpi of 0 or less (an unreadable screen) leaves px96 as it is.
int32_t ScalePixels(int32_t px96, int32_t dpi);

// The side of the icon images to use for an icon of `px96` pixels at 96:
// the icon theme's size (16, 24, 32 or 48) nearest the scaled size, the
// smaller one on a tie, so that an icon is never stretched from a smaller
// image and never overflows the room laid out for it by more than a little.
int32_t IconSizeForDpi(int32_t px96, int32_t dpi);

}  // namespace lumora
