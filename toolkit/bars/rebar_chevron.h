// Which buttons of a tool bar the chevron of its band offers. A band too
// narrow for its tool bar cuts buttons off at its right end; the chevron
// pop-up lists exactly those, in order, separators included, so every
// command of the bar stays reachable.
#pragma once
#include <cstdint>
#include <vector>

namespace lumora {

struct ChevronButton {
  int32_t command_id = 0;
  int32_t right = 0;       // right edge of the button, screen coordinates
  bool separator = false;
  bool placed = true;      // false for a hidden button (it has no rectangle)
};

struct ChevronEntry {
  int32_t button_index = 0;  // index in the tool bar
  int32_t command_id = 0;
  bool separator = false;
};

// visible_right is the screen x beyond which a button is cut off: the right
// edge of what the band shows of its tool bar.
std::vector<ChevronEntry> SelectChevronEntries(const std::vector<ChevronButton>& buttons, int32_t visible_right);

// The minimum child width of a band with a chevron in a rebar row_width
// wide: what was asked for, but never so much that the band alone is wider
// than the row, where the rebar would push its end out of sight instead of
// offering what does not fit in the chevron. overhead is what the band
// takes besides its child (gripper, margins and the chevron).
int32_t FitChevronBandMinimum(int32_t wanted, int32_t row_width, int32_t overhead);

}  // namespace lumora
