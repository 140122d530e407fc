#include "app/spelling/spelling_library_win32.h"

#include <windows.h>

#include <thread>

#include "app/shell/editor_state.h"
#include "app/spelling/personal_word_list.h"
#include "app/spelling/spell_verdict_cache.h"
#include "app/shell/text_encoding.h"
#include "platform/dll_function_win32.h"
#include "platform/error_log.h"
#include "platform/os_handles_win32.h"

namespace tavrel {
namespace {

constexpr wchar_t kLibraryName[] = L"Hunspellx64.dll";

struct HunspellFunctions {
  void* (*initialize)(const char* affix_path, const char* dictionary_path) = nullptr;
  void (*uninitialize)(void* handle) = nullptr;
  int (*spell)(void* handle, const char* word) = nullptr;
  int (*suggest)(void* handle, char*** list, const char* word) = nullptr;
  int (*add)(void* handle, const char* word) = nullptr;
  // Both may be missing from an older build of the library: the list is
  // then left to it, and the dictionary taken to be UTF-8.
  void (*free_list)(void* handle, char*** list, int count) = nullptr;
  char* (*dictionary_encoding)(void* handle) = nullptr;
};

struct SpellingLibrary {
  platform::UniqueModule library;
  HunspellFunctions call;
  SpellDictionary dictionary = nullptr;
  std::wstring path;
  // The code page of the dictionary's own encoding; words are converted to
  // it on their way in and suggestions from it on their way out.
  unsigned code_page = CP_UTF8;
  // UTF-8 word -> correct. Adding or ignoring a word can only turn
  // misspelt verdicts into correct ones, so only those are dropped then.
  SpellVerdictCache verdicts;
  std::thread loader;
};

SpellingLibrary g_spelling;

std::string ToCodePage(const std::wstring& text, unsigned code_page, bool* lossless) {
  *lossless = true;
  if (text.empty()) return std::string();
  if (code_page == CP_UTF8) return Utf8FromWide(text);
  BOOL used_default = FALSE;
  const int n = WideCharToMultiByte(code_page, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                                    nullptr, 0, nullptr, &used_default);
  if (n <= 0 || used_default) {
    *lossless = false;
    return std::string();
  }
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(code_page, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()), out.data(), n,
                      nullptr, nullptr);
  return out;
}

std::wstring FromCodePage(const char* text, unsigned code_page) {
  if (!text || !*text) return std::wstring();
  if (code_page == CP_UTF8) return WideFromUtf8(text);
  const int n = MultiByteToWideChar(code_page, 0, text, -1, nullptr, 0);
  if (n <= 1) return std::wstring();
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(code_page, 0, text, -1, out.data(), n);
  out.resize(static_cast<std::size_t>(n - 1));
  return out;
}

// The word in the dictionary's encoding; false when the encoding has no
// way to write it, which no word of that dictionary can then be.
bool DictionaryForm(const std::wstring& word, std::string* out) {
  bool lossless = true;
  *out = ToCodePage(word, g_spelling.code_page, &lossless);
  return lossless && !out->empty();
}

bool DictionaryFormOfUtf8(std::string_view utf8, std::string* out) {
  if (g_spelling.code_page == CP_UTF8) {
    out->assign(utf8);
    return !out->empty();
  }
  return DictionaryForm(WideFromUtf8(std::string(utf8)), out);
}

void ForgetMisspeltVerdicts() { g_spelling.verdicts.ForgetMisspelt(); }

std::string ReadWholeFile(const std::wstring& path) {
  platform::UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  std::string bytes;
  if (!file) return bytes;
  char chunk[16384];
  DWORD read = 0;
  while (ReadFile(file.get(), chunk, sizeof chunk, &read, nullptr) && read > 0) bytes.append(chunk, read);
  return bytes;
}

// Runs on the loader thread when opened in the background: touches only
// the dictionary fields, which nobody reads until the thread is joined.
void OpenDictionary(const std::wstring& path) {
  SpellingLibrary& s = g_spelling;
  if (s.dictionary) s.call.uninitialize(s.dictionary);
  s.dictionary = nullptr;
  s.path = path;
  s.code_page = CP_UTF8;
  s.verdicts.Clear();
  const std::string affix = Utf8FromWide(ReplaceFileExtension(path, L".aff"));
  s.dictionary = s.call.initialize(affix.c_str(), Utf8FromWide(path).c_str());
  if (!s.dictionary) return;
  if (s.call.dictionary_encoding) {
    const char* name = s.call.dictionary_encoding(s.dictionary);
    const unsigned code_page = CodePageOfDictionaryEncoding(name ? name : "");
    if (code_page && IsValidCodePage(code_page)) s.code_page = code_page;
  }
  for (const std::string& word : ParseWordList(ReadWholeFile(ReplaceFileExtension(path, L".dat")))) {
    std::string native;
    if (DictionaryFormOfUtf8(word, &native)) s.call.add(s.dictionary, native.c_str());
  }
}

bool Ready() { return SpellWaitForDictionary() != nullptr; }

}  // namespace

bool SpellLoadLibrary() {
  SpellingLibrary& s = g_spelling;
  if (s.library) return true;
  s.library.reset(LoadLibraryW(kLibraryName));
  if (!s.library) {
    const std::wstring text = std::wstring(L"Can't open library ") + kLibraryName + L"!";
    MessageBoxW(g_editor.main_window, text.c_str(), L"Error!", MB_OK | MB_ICONERROR);
    return false;
  }
  HMODULE module = s.library.get();
  HunspellFunctions& f = s.call;
  platform::BindDllFunction(module, "hunspell_initialize", f.initialize);
  platform::BindDllFunction(module, "hunspell_uninitialize", f.uninitialize);
  platform::BindDllFunction(module, "hunspell_spell", f.spell);
  platform::BindDllFunction(module, "Hunspell_suggest", f.suggest);
  platform::BindDllFunction(module, "Hunspell_add", f.add);
  platform::BindDllFunction(module, "Hunspell_free_list", f.free_list);
  platform::BindDllFunction(module, "Hunspell_get_dic_encoding", f.dictionary_encoding);
  if (!f.initialize || !f.uninitialize || !f.spell || !f.suggest || !f.add) {
    platform::LogError(L"spelling: the library lacks one of its entry points");
    s.call = HunspellFunctions{};
    s.library.reset();
    return false;
  }
  return true;
}

SpellDictionary SpellInit(const std::wstring& path) {
  SpellWaitForDictionary();
  if (!SpellLoadLibrary()) return g_spelling.dictionary;
  OpenDictionary(path);
  return g_spelling.dictionary;
}

void SpellInitInBackground(const std::wstring& path) {
  SpellWaitForDictionary();
  if (!SpellLoadLibrary()) return;
  g_spelling.loader = std::thread([path] {
    try {
      OpenDictionary(path);
    } catch (...) {
      platform::LogCurrentException("spelling: opening the dictionary");
    }
  });
}

SpellDictionary SpellWaitForDictionary() {
  if (g_spelling.loader.joinable()) g_spelling.loader.join();
  return g_spelling.dictionary;
}

void SpellFree() {
  SpellingLibrary& s = g_spelling;
  SpellWaitForDictionary();
  if (s.dictionary) s.call.uninitialize(s.dictionary);
  s.dictionary = nullptr;
  s.call = HunspellFunctions{};
  s.library.reset();
  s.verdicts.Clear();
  s.path.clear();
}

bool SpellAskLibrary(std::string_view utf8_word) {
  if (!Ready()) return false;
  std::string native;
  return DictionaryFormOfUtf8(utf8_word, &native) && g_spelling.call.spell(g_spelling.dictionary, native.c_str());
}

bool SpellCheckUtf8(std::string_view word) {
  if (!Ready()) return false;
  if (const bool* known = g_spelling.verdicts.Find(word)) return *known;
  const bool correct = SpellAskLibrary(word);
  g_spelling.verdicts.Add(word, correct);
  return correct;
}

int SpellCheckWord(const std::wstring& word) { return SpellCheckUtf8(Utf8FromWide(word)) ? 1 : 0; }

std::vector<std::wstring> SpellSuggestions(const std::wstring& word) {
  std::vector<std::wstring> suggestions;
  std::string native;
  if (!Ready() || !DictionaryForm(word, &native)) return suggestions;
  char** list = nullptr;
  const int count = g_spelling.call.suggest(g_spelling.dictionary, &list, native.c_str());
  for (int i = 0; i < count && list; ++i) suggestions.push_back(FromCodePage(list[i], g_spelling.code_page));
  // The list was allocated by the library's heap and goes back to it.
  if (list && g_spelling.call.free_list) g_spelling.call.free_list(g_spelling.dictionary, &list, count);
  return suggestions;
}

std::wstring SpellSuggest(const std::wstring& word) {
  std::wstring joined;
  for (const std::wstring& suggestion : SpellSuggestions(word)) {
    if (!joined.empty()) joined += L',';
    joined += suggestion;
  }
  return joined;
}

int SpellIgnoreWord(const std::wstring& word) {
  std::string native;
  if (!Ready()) return 0;
  if (DictionaryForm(word, &native)) g_spelling.call.add(g_spelling.dictionary, native.c_str());
  ForgetMisspeltVerdicts();
  return 1;
}

int SpellAddWord(const std::wstring& word) {
  std::string native;
  if (!Ready() || SpellCheckWord(word) || !DictionaryForm(word, &native)) return 0;
  platform::UniqueFile file(CreateFileW(SpellWordListPath().c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                                        nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return 0;
  char last = 0;
  DWORD read = 0;
  LARGE_INTEGER size{};
  const bool has_last = GetFileSizeEx(file.get(), &size) && size.QuadPart > 0 &&
                        SetFilePointer(file.get(), -1, nullptr, FILE_END) != INVALID_SET_FILE_POINTER &&
                        ReadFile(file.get(), &last, 1, &read, nullptr) && read == 1;
  const std::string bytes = WordListAppendBytes(has_last ? std::string_view(&last, 1) : std::string_view(),
                                                Utf8FromWide(word));
  DWORD written = 0;
  if (SetFilePointer(file.get(), 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER ||
      !WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
      written != bytes.size()) {
    platform::LogError(L"spelling: the personal word list could not be written");
    return 0;
  }
  g_spelling.call.add(g_spelling.dictionary, native.c_str());
  ForgetMisspeltVerdicts();
  return 1;
}

std::wstring SpellWordListPath() {
  SpellWaitForDictionary();
  return g_spelling.path.empty() ? std::wstring() : ReplaceFileExtension(g_spelling.path, L".dat");
}

}  // namespace tavrel
