#include "toolkit/bars/rebar_gripper.h"

#include <cstddef>

namespace lumora {

bool IsGripperItemWidth(int32_t width) { return width >= kGripperMinWidth && width <= kGripperMaxWidth; }

GripperRect CentreGripperOn(const GripperRect& item, int32_t child_height) {
  const int32_t height = item.bottom - item.top;
  if (child_height <= 0 || child_height >= height) return item;
  GripperRect centred = item;
  centred.top = item.top + (height - child_height) / 2;
  centred.bottom = centred.top + child_height;
  return centred;
}

std::vector<GripperDot> GripperDots(const GripperRect& item, bool menu_bar_band) {
  const int32_t height = item.bottom - item.top;
  if (height <= 0 || item.right <= item.left) return {};
  int32_t n = height / 8;
  if (n >= 4) n = 3;
  int32_t shift = 0;
  if (menu_bar_band && height < 27) {
    n = 2;
    shift = 1;
  }
  const int32_t centre_x = item.left + (item.right - item.left) / 2;
  const int32_t centre_y = item.top + height / 2;
  std::vector<GripperDot> dots;
  dots.reserve(static_cast<std::size_t>(n) + 1);
  const int32_t first = centre_y - 2 * n - 2 + shift;
  for (int32_t i = 0; i <= n; ++i) dots.push_back({centre_x - 1, first + i * kGripperDotPitch});
  return dots;
}

}  // namespace lumora
