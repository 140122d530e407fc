#include "app/document/file_dialogs.h"

namespace tavrel {

std::wstring DialogFilterFromPattern(const std::wstring& pattern) {
  std::wstring filter = pattern;
  for (wchar_t& c : filter) {
    if (c == L'|') c = L'\0';
  }
  // One terminator ends the last pattern, a second ends the list.
  filter.push_back(L'\0');
  filter.push_back(L'\0');
  return filter;
}

}  // namespace tavrel
