#include "app/document/file_stamp.h"

#include <algorithm>

namespace tavrel {

namespace {

wchar_t AsciiLower(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool SameName(const std::wstring& a, const std::wstring& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](wchar_t x, wchar_t y) {
    if (x == L'/') x = L'\\';
    if (y == L'/') y = L'\\';
    return AsciiLower(x) == AsciiLower(y);
  });
}

// A system that numbers no files reports zeros, which would make every such
// file the same.
bool SameFile(const FileStamp& a, const FileStamp& b) {
  const bool known = a.volume_serial != 0 || a.file_index != 0;
  return known && a.volume_serial == b.volume_serial && a.file_index == b.file_index;
}

}  // namespace

bool MustAskBeforeOverwrite(const std::wstring& target, const std::wstring& document_path,
                            const std::optional<FileStamp>& recorded, const DiskLook& now) {
  if (!recorded || now.kind != DiskLook::Kind::kFound) return false;
  if (!SameName(target, document_path) && !SameFile(*recorded, now.stamp)) return false;
  return now.stamp != *recorded;
}

}  // namespace tavrel
