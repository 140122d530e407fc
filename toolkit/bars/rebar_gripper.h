// Where the dots of a band's gripper go. The rebar paints its grippers
// itself in the UI styles as a short column of 2x2 dots, each with a light
// shadow one pixel down and to the right; this works out the column.
#pragma once
#include <cstdint>
#include <vector>

namespace lumora {

struct GripperRect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
};

struct GripperDot {
  int32_t x = 0, y = 0;  // top-left corner of the 2x2 dot
};

constexpr int32_t kGripperDotSize = 2;
constexpr int32_t kGripperDotPitch = 4;
// Items of this width are grippers; wider items carry a caption as well.
constexpr int32_t kGripperMinWidth = 8;
constexpr int32_t kGripperMaxWidth = 11;

bool IsGripperItemWidth(int32_t width);

// Re-centres the item vertically on a child of the given height (the tool
// bar's own height), so the dots line up with the buttons rather than the
// band. A height of 0 or one taller than the item leaves it unchanged.
GripperRect CentreGripperOn(const GripperRect& item, int32_t child_height);

// The dots of one gripper, top to bottom. Short menu-bar bands get a
// slightly shorter column, set one pixel lower, so it sits beside the titles.
std::vector<GripperDot> GripperDots(const GripperRect& item, bool menu_bar_band);

}  // namespace lumora
