#include "app/spelling/personal_word_list.h"

#include <cctype>
#include <charconv>

namespace tavrel {

std::vector<std::string> ParseWordList(std::string_view bytes) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) bytes.remove_prefix(kByteOrderMark.size());
  std::vector<std::string> words;
  std::size_t line_start = 0;
  for (std::size_t i = 0; i <= bytes.size(); ++i) {
    if (i < bytes.size() && bytes[i] != '\r' && bytes[i] != '\n') continue;
    if (i > line_start) words.emplace_back(bytes.substr(line_start, i - line_start));
    line_start = i + 1;
  }
  return words;
}

std::string WordListAppendBytes(std::string_view last_byte, std::string_view word) {
  std::string out;
  if (!last_byte.empty() && last_byte.back() != '\n' && last_byte.back() != '\r') out += "\r\n";
  out += word;
  out += "\r\n";
  return out;
}

std::wstring ReplaceFileExtension(const std::wstring& path, const wchar_t* extension) {
  const std::size_t name_start = path.find_last_of(L"\\/:");
  const std::size_t dot = path.find(L'.', name_start == std::wstring::npos ? 0 : name_start + 1);
  return path.substr(0, dot) + extension;
}

unsigned CodePageOfDictionaryEncoding(std::string_view name) {
  std::string upper;
  for (const char c : name) {
    if (c != '-' && c != '_' && c != ' ') upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  auto number_after = [&upper](std::string_view prefix) -> unsigned {
    if (upper.compare(0, prefix.size(), prefix) != 0) return 0;
    unsigned n = 0;
    const char* first = upper.data() + prefix.size();
    const char* last = upper.data() + upper.size();
    const auto result = std::from_chars(first, last, n);
    return result.ec == std::errc() && result.ptr == last ? n : 0;
  };
  if (upper.empty() || upper == "UTF8") return 65001;
  if (upper == "KOI8R") return 20866;
  if (upper == "KOI8U") return 21866;
  if (upper == "TIS620") return 874;
  if (const unsigned part = number_after("ISO8859")) {
    // ISO 8859-1 to -9 are 28591 to 28599; -13 and -15 are 28603 and 28605.
    if (part <= 9 || part == 13 || part == 15) return 28590 + part;
    return 0;
  }
  if (const unsigned windows = number_after("MICROSOFTCP")) return windows;
  if (const unsigned windows = number_after("CP")) return windows;
  return 0;
}

}  // namespace tavrel
