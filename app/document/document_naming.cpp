#include "app/document/document_naming.h"

#include "app/shell/editor_state.h"
#include "app/document/path_forms.h"

namespace tavrel {

namespace {

wchar_t AsciiLower(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

std::size_t NameStart(const std::wstring& path) {
  const std::size_t separator = path.find_last_of(L"\\/");
  return separator == std::wstring::npos ? 0 : separator + 1;
}

}  // namespace

std::wstring FileNamePart(const std::wstring& path) { return path.substr(NameStart(path)); }

bool IsUntitled(const std::wstring& path) {
  const std::wstring untitled = kUntitledPath;
  if (path.size() != untitled.size()) return false;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (AsciiLower(path[i]) != AsciiLower(untitled[i])) return false;
  }
  return true;
}

std::wstring WindowTitleFor(const std::wstring& path) { return FileNamePart(path) + L" - Tavrel"; }

std::wstring SaveAsPresetFor(const std::wstring& path, const std::wstring& working_directory) {
  if (!IsUntitled(path)) return path;
  std::wstring preset = working_directory;
  if (preset.empty() || (preset.back() != L'\\' && preset.back() != L'/')) preset += L'\\';
  return preset + L".txt";
}

std::wstring SideFileName(const std::wstring& target, const std::wstring& suffix, std::size_t max_length) {
  const std::size_t name_start = NameStart(target);
  const std::wstring folder = target.substr(0, name_start);
  std::wstring name = target.substr(name_start);
  if (max_length == 0) max_length = IsExtendedLength(target) ? kExtendedPathLimit : kPlainPathLimit;
  const std::size_t fixed = folder.size() + suffix.size();
  std::size_t keep = name.size();
  if (fixed + keep > max_length) keep = fixed < max_length ? max_length - fixed : 0;
  // However long the path may be, one name in it may not pass the limit.
  if (suffix.size() + keep > kPathNameLimit) keep = kPathNameLimit - suffix.size();
  if (keep < name.size()) {
    name.resize(keep);
    // Never keep half of a surrogate pair.
    if (!name.empty() && name.back() >= 0xD800 && name.back() <= 0xDBFF) name.pop_back();
  }
  return folder + name + suffix;
}

}  // namespace tavrel
