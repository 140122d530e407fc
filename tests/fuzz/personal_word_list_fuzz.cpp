// The personal word list is edited by hand and read at every start: any
// bytes must parse without crashing; no word may be empty or hold a line
// end; and a word appended to the list, read back, comes out as the last
// word, whatever the list ended with.
// Fuzz sources: app/spelling/personal_word_list.cpp
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/spelling/personal_word_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto words = tavrel::ParseWordList(bytes);
  for (const std::string& word : words) {
    if (word.empty() || word.find_first_of("\r\n") != std::string::npos) std::abort();
  }
  const std::string_view last_byte = bytes.empty() ? bytes : bytes.substr(bytes.size() - 1);
  const std::string appended = std::string(bytes) + tavrel::WordListAppendBytes(last_byte, "zyzzyva");
  const auto after = tavrel::ParseWordList(appended);
  if (after.empty() || after.back() != "zyzzyva" || after.size() < words.size()) std::abort();
  // The encoding line of a dictionary comes from the same hand-edited world.
  tavrel::CodePageOfDictionaryEncoding(bytes);
  return 0;
}
