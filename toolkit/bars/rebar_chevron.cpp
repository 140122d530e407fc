#include "toolkit/bars/rebar_chevron.h"

#include <cstddef>

namespace lumora {

std::vector<ChevronEntry> SelectChevronEntries(const std::vector<ChevronButton>& buttons, int32_t visible_right) {
  std::vector<ChevronEntry> entries;
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    const ChevronButton& button = buttons[i];
    // A hidden button shows nowhere, so the chevron would offer a command the
    // application chose to withdraw.
    if (!button.placed || button.right <= visible_right) continue;
    entries.push_back({static_cast<int32_t>(i), button.command_id, button.separator});
  }
  return entries;
}

}  // namespace lumora
