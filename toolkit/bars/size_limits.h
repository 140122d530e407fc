// The arithmetic of window size limits: the size a window is brought to when
// limits are set, and how a proposed placement is corrected so that a window
// sized at its left or top edge keeps its opposite edge where it is.
#pragma once
#include <cstdint>

namespace lumora {

// 0 in any field means no limit in that direction.
struct SizeLimits {
  int32_t min_width = 0;
  int32_t min_height = 0;
  int32_t max_width = 0;
  int32_t max_height = 0;

  bool any() const { return min_width || min_height || max_width || max_height; }
};

// The minimum when the value is below it, else the maximum when the value
// is above it, else the value; a limit of 0 never applies.
int32_t LimitDimension(int32_t value, int32_t minimum, int32_t maximum);

// A proposed placement (left, top, width, height).
struct Placement {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
};

// Corrects a proposed placement of a window whose current left and top
// edges are given. A width or height outside its limits is replaced by the
// limit; when the proposal also moves that edge (the window is being sized
// at its left or top edge) the position moves by the same amount, so the
// right or bottom edge stays where the proposal put it. position_given is
// false when the proposal carries no position (a pure resize). Returns true
// when anything changed.
bool ApplySizeLimits(const SizeLimits& limits, int32_t current_left, int32_t current_top, bool position_given,
                     Placement* placement);

}  // namespace lumora
