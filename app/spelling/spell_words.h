// Which bytes of a UTF-8 line form the words that spelling judges. Pure
// byte rules, so the same scan serves the editor and its tests: letters,
// the apostrophe, the backquote and every byte of a non-ASCII character
// belong to words; digits, blanks, line ends and other punctuation part
// them. Two refinements keep ordinary prose from being marked: the
// typographic dashes, double quotes and ellipsis part words like their
// ASCII forms, and quote marks around a word ('so', `so`, ‘so’) are not
// part of it, while an apostrophe inside one is (don't).
#pragma once
#include <cstddef>
#include <string_view>

namespace tavrel {

constexpr bool IsSpellWordByte(unsigned char c) {
  if (c == '\'') return true;
  if (c < 'A') return false;
  if (c >= '[' && c <= '_') return false;
  if (c >= '{' && c <= 0x7F) return false;
  return true;
}

// True when the byte is a separator that no multi-byte character holds:
// a scan that starts just after one finds the same words as a scan of the
// whole line, so text may be judged in pieces cut there.
constexpr bool IsSpellCutByte(unsigned char c) { return c < 0x80 && !IsSpellWordByte(c); }

// How many bytes at text[i] part words: 0 inside a word, 1 for an ASCII
// separator, 3 for a typographic one (– — “ ” …).
std::size_t SpellSeparatorLength(std::string_view text, std::size_t i);

// The word without the quote marks around it: offset and length within
// word are adjusted; the length may become 0.
void TrimSpellQuotes(std::string_view text, std::size_t* offset, std::size_t* length);

// A word of one character is never judged; a character is counted by its
// lead byte, so "é" alone (two bytes) is one letter, like "a".
bool IsJudgedWord(std::string_view word);

// Calls found(offset, length) for every judged word of text, in order.
// ends_at_line_end tells whether text stops at the end of its line: if
// not, a word that runs up to the end of text may still be being typed and
// is left unjudged until a separator follows it.
template <typename Found>
void ForEachSpellWord(std::string_view text, bool ends_at_line_end, Found&& found) {
  std::size_t word_start = 0;
  std::size_t i = 0;
  while (i <= text.size()) {
    const std::size_t separator = i == text.size() ? (ends_at_line_end ? 1 : 0) : SpellSeparatorLength(text, i);
    if (separator == 0) {
      ++i;
      continue;
    }
    std::size_t offset = word_start, length = i - word_start;
    TrimSpellQuotes(text, &offset, &length);
    if (length > 0 && IsJudgedWord(text.substr(offset, length))) found(offset, length);
    i += separator;
    word_start = i;
  }
}

}  // namespace tavrel
