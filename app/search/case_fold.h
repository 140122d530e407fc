// Case folding of UTF-8 text exactly as the editing component folds it for
// its case-insensitive search: character by character, with the same
// Unicode fold table, the same idea of where a character ends and the same
// treatment of bytes that are not valid UTF-8 (they fold to themselves).
// A folded character can be longer or shorter than the original ("ß" folds
// to "ss", the Kelvin sign to "k"), which is why a match's length in the
// document need not be the search text's length.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tavrel {

// At most 6 bytes, the longest fold in the table.
struct FoldedChar {
  char bytes[8];
  int length;
};

// Width in bytes of the character starting at text[pos] as the component
// counts it: 1 for ASCII and for every byte that does not begin a valid
// sequence, the sequence's length otherwise (also for the non-characters
// U+FFFE, U+FFFF, U+FDD0..U+FDEF, which it treats as 3- or 4-byte units).
// Bytes past the end of text read as 0.
int CharWidthAt(std::string_view text, size_t pos);

// Whether the bytes at text[pos] form a valid character by the component's
// rules (the non-characters above are not valid).
bool IsValidCharAt(std::string_view text, size_t pos);

// For each byte value, whether a character starting with it can fold to a
// form whose first byte is `first`.
void FoldStartBytes(unsigned char first, bool (&starts)[256]);

// The folded form of the character of `width` bytes at text[pos] (width
// from CharWidthAt).
void FoldCharAt(std::string_view text, size_t pos, int width, FoldedChar& out);

// The folded form of a whole search text, as the component folds the text
// it is asked to find.
std::string FoldSearchText(std::string_view text);

// The fold of a code point, or nullptr when it folds to itself. ASCII
// letters are included.
const char* FoldCodePoint(int32_t code_point);

inline constexpr bool IsTrailByte(unsigned char byte) { return byte >= 0x80 && byte < 0xC0; }

}  // namespace tavrel
