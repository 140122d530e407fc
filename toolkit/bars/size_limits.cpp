#include "toolkit/bars/size_limits.h"

namespace lumora {

int32_t LimitDimension(int32_t value, int32_t minimum, int32_t maximum) {
  if (minimum != 0 && value < minimum) return minimum;
  if (maximum != 0 && value > maximum) return maximum;
  return value;
}

bool ApplySizeLimits(const SizeLimits& limits, int32_t current_left, int32_t current_top, bool position_given,
                     Placement* placement) {
  if (!placement) return false;
  bool changed = false;
  const int32_t width = LimitDimension(placement->width, limits.min_width, limits.max_width);
  if (width != placement->width) {
    // Sized at the left edge: the right edge is the one the user holds still.
    if (position_given && placement->x != current_left) placement->x -= width - placement->width;
    placement->width = width;
    changed = true;
  }
  const int32_t height = LimitDimension(placement->height, limits.min_height, limits.max_height);
  if (height != placement->height) {
    if (position_given && placement->y != current_top) placement->y -= height - placement->height;
    placement->height = height;
    changed = true;
  }
  return changed;
}

}  // namespace lumora
