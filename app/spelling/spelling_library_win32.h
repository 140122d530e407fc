// The spelling library, loaded at run time from "Hunspellx64.dll": the one
// dictionary, the personal word list beside it, and a cache of verdicts.
// Every operation runs on the user-interface thread; only the opening of
// the dictionary may run on a worker thread, and every operation below
// waits for it to finish first.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace tavrel {

using SpellDictionary = void*;

inline constexpr wchar_t kDictionaryPath[] = L"Dictionaries\\en_GB.dic";

// Loads the library if it is not loaded yet; when it is missing, says so
// in a box titled "Error!". True while the library is loaded.
bool SpellLoadLibrary();
// Loads the library, opens the dictionary at path (closing any open one)
// and feeds it the personal word list. The dictionary, or null.
SpellDictionary SpellInit(const std::wstring& path);
// The same on a worker thread, so that start-up does not wait for it; the
// library is loaded (and its absence reported) before this returns.
void SpellInitInBackground(const std::wstring& path);
// Waits for a background SpellInit; the dictionary, or null.
SpellDictionary SpellWaitForDictionary();
// Closes the dictionary and unloads the library.
void SpellFree();

// Non-zero when word is correct; 0 when misspelt or without dictionary.
int SpellCheckWord(const std::wstring& word);
// The same for UTF-8 text, answered from the verdict cache when the word
// was judged before: one library call per distinct word.
bool SpellCheckUtf8(std::string_view word);
// The library's own verdict, without the cache.
bool SpellAskLibrary(std::string_view utf8_word);
// The suggestions in the library's order; empty without dictionary.
std::vector<std::wstring> SpellSuggestions(const std::wstring& word);
// The same joined by ",".
std::wstring SpellSuggest(const std::wstring& word);
// Accepts the word until the program ends. 1 with a dictionary, else 0.
int SpellIgnoreWord(const std::wstring& word);
// Appends the word to the personal word list and accepts it: 1, or 0 when
// it was already accepted, no dictionary is open or the list cannot be
// written.
int SpellAddWord(const std::wstring& word);

// The personal word list of the open dictionary ("" without one).
std::wstring SpellWordListPath();

}  // namespace tavrel
