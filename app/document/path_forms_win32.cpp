#include "app/document/path_forms_win32.h"

#include <windows.h>

#include <vector>

#include "app/document/path_forms.h"

namespace tavrel {

std::wstring FullPath(const std::wstring& path) {
  if (path.empty()) return std::wstring();
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
    if (length == 0) return std::wstring();
    if (length < buffer.size()) return std::wstring(buffer.data(), length);
    buffer.resize(length);
  }
}

std::wstring ResolvedPath(const std::wstring& path) {
  if (IsExtendedLength(path)) return path;
  const std::wstring full = FullPath(path);
  return full.empty() ? path : full;
}

std::wstring SystemPath(const std::wstring& path, std::size_t room) {
  if (IsExtendedLength(path)) return path;
  const std::wstring full = FullPath(path);
  if (full.size() + room <= kPlainPathLimit) return path;
  return ExtendedLengthForm(full);
}

}  // namespace tavrel
