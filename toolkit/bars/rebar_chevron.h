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

}  // namespace lumora
