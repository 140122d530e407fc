// Spelling's part of the editor state: whether the document is checked,
// the open dictionary (null while none is open or it is still being
// opened), and the misspelt word the context menu was last opened on, with
// its byte positions (end exclusive).
#pragma once
#include <cstdint>
#include <string>

namespace tavrel {

struct SpellingState {
  bool spell_check_on = false;
  void* spelling_dictionary = nullptr;
  std::wstring context_word;
  int64_t context_word_start = 0;
  int64_t context_word_end = 0;
};

}  // namespace tavrel
