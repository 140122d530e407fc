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

// Where the menu of a menu-bar title opens, horizontally. A title in view
// opens it under its left edge. A title the bar cuts off (its right edge
// beyond shown_right, the end of what the band shows of the bar) is offered
// by the band's chevron instead, so its menu hangs from there: right-aligned
// to the band's end, and never past the window's right edge.
struct TitleMenuAnchor {
  int32_t x = 0;
  bool right_aligned = false;  // x is where the menu's right edge goes
};
TitleMenuAnchor AnchorTitleMenu(int32_t title_left, int32_t title_right, int32_t shown_right, int32_t band_right,
                                int32_t window_right);

}  // namespace lumora
