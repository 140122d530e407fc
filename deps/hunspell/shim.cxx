// The entry points the editor binds by name. Hunspell's own create call
// never fails on a bad path (it returns a checker that rejects every word),
// so initialisation opens both files first and reports failure as null.
#include <windows.h>
#include <cstdio>
#include <string>

#include "hunspell.h"

namespace {

std::wstring Widen(const char* utf8) {
  int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, -1, nullptr, 0);
  if (n <= 0) return std::wstring();
  std::wstring w(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, -1, w.data(), n);
  w.resize(static_cast<size_t>(n - 1));
  return w;
}

bool Readable(const char* utf8) {
  if (!utf8 || !*utf8) return false;
  std::wstring path = Widen(utf8);
  if (path.empty()) return false;
  FILE* f = _wfopen(path.c_str(), L"rb");
  if (!f) return false;
  fclose(f);
  return true;
}

}  // namespace

extern "C" {

Hunhandle* hunspell_initialize(const char* affix_path, const char* dictionary_path) {
  if (!Readable(affix_path) || !Readable(dictionary_path)) return nullptr;
  return Hunspell_create(affix_path, dictionary_path);
}

void hunspell_uninitialize(Hunhandle* handle) {
  if (handle) Hunspell_destroy(handle);
}

int hunspell_spell(Hunhandle* handle, const char* word) {
  if (!handle || !word) return 0;
  return Hunspell_spell(handle, word);
}

}  // extern "C"
