// The personal word list beside the dictionary: UTF-8, one word per line,
// each line ended by CR LF, only ever appended to. People edit it by hand,
// so reading accepts what editors leave behind: a byte-order mark, bare LF
// or CR line ends, blank lines, and a last line without an end.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace tavrel {

std::vector<std::string> ParseWordList(std::string_view bytes);

// The bytes to append for word to a list whose last byte is last_byte
// (empty for an empty or new list). A last line without its line end is
// ended first, so the new word never glues onto it.
std::string WordListAppendBytes(std::string_view last_byte, std::string_view word);

// "Dictionaries\en_GB.dic" -> "Dictionaries\en_GB.aff" (and ".dat"): the
// extension of the file name is replaced, or added when it has none; dots
// in folder names are not extensions.
std::wstring ReplaceFileExtension(const std::wstring& path, const wchar_t* extension);

// The Windows code page of a dictionary encoding as the library names it
// ("UTF-8", "ISO8859-1", "KOI8-R", "microsoft-cp1251"...); 0 when unknown.
unsigned CodePageOfDictionaryEncoding(std::string_view name);

}  // namespace tavrel
