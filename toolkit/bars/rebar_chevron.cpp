#include "toolkit/bars/rebar_chevron.h"

#include <cstddef>
#include <cstdint>

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

int32_t FitChevronBandMinimum(int32_t wanted, int32_t row_width, int32_t overhead) {
  const int64_t room = static_cast<int64_t>(row_width) - overhead;
  if (room < 0) return 0;
  return wanted < room ? wanted : static_cast<int32_t>(room);
}

}  // namespace lumora
