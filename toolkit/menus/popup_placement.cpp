#include "toolkit/menus/popup_placement.h"

#include <algorithm>

namespace lumora {

PopupPlacement PlacePopupX(int32_t x, int32_t width, int32_t work_left, int32_t work_right) {
  PopupPlacement placement{x, 0};
  const int64_t far_edge = static_cast<int64_t>(x) + width + kPopupEdgeMargin;
  if (far_edge > work_right) {
    placement.shift = static_cast<int32_t>(static_cast<int64_t>(x) + width - work_right + 6);
    placement.x = std::max(work_right - width - kPopupEdgeMargin, work_left);
  }
  return placement;
}

TitleMenuAnchor AnchorTitleMenu(int32_t title_left, int32_t title_right, int32_t shown_right, int32_t band_right,
                                int32_t window_right) {
  if (title_right <= shown_right) return {title_left, false};
  return {std::min(band_right, window_right), true};
}

}  // namespace lumora
