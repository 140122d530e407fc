// Where a popup menu opens so that it stays on the work area of its monitor.
#pragma once
#include <cstdint>

namespace lumora {

// The gap kept between a popup's right edge and the work area's.
constexpr int32_t kPopupEdgeMargin = 5;

struct PopupPlacement {
  int32_t x = 0;
  // How far the popup was moved left, as the shadow code counts it
  // (x + width - right edge + 6); 0 when it was not moved.
  int32_t shift = 0;
};

// A popup of `width` asked for at `x`: when x + width + 5 passes the work
// area's right edge it opens at right - width - 5 instead. A popup wider
// than the work area keeps its left edge on the work area.
PopupPlacement PlacePopupX(int32_t x, int32_t width, int32_t work_left, int32_t work_right);

}  // namespace lumora
