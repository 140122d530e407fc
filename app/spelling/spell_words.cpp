#include "app/spelling/spell_words.h"

namespace tavrel {
namespace {

// The last byte of the three-byte character E2 80 xx (the general
// punctuation block: dashes, quotes, ellipsis) at text[i], or 0.
unsigned char GeneralPunctuation(std::string_view text, std::size_t i) {
  if (i + 2 >= text.size() || static_cast<unsigned char>(text[i]) != 0xE2 ||
      static_cast<unsigned char>(text[i + 1]) != 0x80)
    return 0;
  return static_cast<unsigned char>(text[i + 2]);
}

// – — “ ” …
bool IsTypographicSeparator(std::string_view text, std::size_t i) {
  const unsigned char c = GeneralPunctuation(text, i);
  return c == 0x93 || c == 0x94 || c == 0x9C || c == 0x9D || c == 0xA6;
}

// ‘ ’
bool IsTypographicSingleQuote(std::string_view text, std::size_t i) {
  const unsigned char c = GeneralPunctuation(text, i);
  return c == 0x98 || c == 0x99;
}

}  // namespace

std::size_t SpellSeparatorLength(std::string_view text, std::size_t i) {
  const auto c = static_cast<unsigned char>(text[i]);
  if (!IsSpellWordByte(c)) return 1;
  return IsTypographicSeparator(text, i) ? 3 : 0;
}

void TrimSpellQuotes(std::string_view text, std::size_t* offset, std::size_t* length) {
  for (;;) {
    if (*length >= 1 && (text[*offset] == '\'' || text[*offset] == '`')) {
      ++*offset;
      --*length;
    } else if (*length >= 3 && IsTypographicSingleQuote(text, *offset)) {
      *offset += 3;
      *length -= 3;
    } else {
      break;
    }
  }
  for (;;) {
    const std::size_t end = *offset + *length;
    if (*length >= 1 && (text[end - 1] == '\'' || text[end - 1] == '`')) {
      --*length;
    } else if (*length >= 3 && IsTypographicSingleQuote(text, end - 3)) {
      *length -= 3;
    } else {
      break;
    }
  }
}

bool IsJudgedWord(std::string_view word) {
  int characters = 0;
  for (const char byte : word) {
    // Continuation bytes (10xxxxxx) carry no character of their own.
    if ((static_cast<unsigned char>(byte) & 0xC0) != 0x80 && ++characters > 1) return true;
  }
  return false;
}

}  // namespace tavrel
