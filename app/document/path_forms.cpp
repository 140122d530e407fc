#include "app/document/path_forms.h"

namespace tavrel {

namespace {

constexpr wchar_t kExtendedPrefix[] = L"\\\\?\\";
constexpr wchar_t kDevicePrefix[] = L"\\\\.\\";
constexpr wchar_t kExtendedUncPrefix[] = L"\\\\?\\UNC\\";

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool IsDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

bool StartsWith(const std::wstring& text, const wchar_t* prefix) { return text.rfind(prefix, 0) == 0; }

// "C:\" or "C:/".
bool HasDriveRoot(const std::wstring& path) {
  return path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == L':' && IsSeparator(path[2]);
}

bool IsUnc(const std::wstring& path) { return path.size() > 2 && IsSeparator(path[0]) && IsSeparator(path[1]); }

}  // namespace

bool IsExtendedLength(const std::wstring& path) {
  return StartsWith(path, kExtendedPrefix) || StartsWith(path, kDevicePrefix);
}

std::wstring ExtendedLengthForm(const std::wstring& full_path) {
  if (IsExtendedLength(full_path)) return full_path;
  if (HasDriveRoot(full_path)) return kExtendedPrefix + full_path;
  if (IsUnc(full_path)) return kExtendedUncPrefix + full_path.substr(2);
  return full_path;
}

std::wstring TypedNameInFolder(const std::wstring& folder, const std::wstring& typed) {
  std::wstring name = typed;
  if (name.size() >= 2 && name.front() == L'"' && name.back() == L'"') name = name.substr(1, name.size() - 2);
  if (HasDriveRoot(name) || IsUnc(name)) return name;
  // "C:name" is relative to that drive's own folder, which only the system
  // knows.
  if (name.size() >= 2 && IsDriveLetter(name[0]) && name[1] == L':') return name;
  if (!name.empty() && IsSeparator(name[0])) {
    return HasDriveRoot(folder) ? folder.substr(0, 2) + name : name;
  }
  if (folder.empty() || IsSeparator(folder.back())) return folder + name;
  return folder + L'\\' + name;
}

}  // namespace tavrel
