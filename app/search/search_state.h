// The search's part of the editor state: the strip's band, the field's text
// as last read, the previous search and the current match (0-based); last
// match index is the number of matches minus one (-1 when there were none).
#pragma once
#include <cstdint>
#include <string>

namespace tavrel {

struct SearchState {
  int64_t search_band_id = 0;
  std::wstring search_text;
  int64_t document_length = 0;
  std::wstring last_search_text;
  int64_t current_match_index = 0;
  int64_t last_match_index = 0;
};

}  // namespace tavrel
