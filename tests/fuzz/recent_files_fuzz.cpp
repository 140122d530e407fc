// "RecentFiles.dat" is read at every start-up and before every write, and
// may be damaged or written meanwhile by another copy of the editor: any
// bytes must parse without crashing, every line that comes out must write
// back as the same UTF-8, the bounds on lines must hold, and merging them
// under this copy's own files must give a list of at most nine distinct
// entries with this copy's files on top.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cwctype>
#include <string>
#include <string_view>

#include "app/recent/recent_files_list.h"

namespace {

std::wstring Folded(const std::wstring& path) {
  std::wstring folded;
  for (wchar_t c : path) folded.push_back(static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c))));
  return folded;
}

// Every line names a file, except those that start with "x".
class AnyFiles final : public tavrel::RecentFileSystem {
 public:
  bool IsExistingFile(const std::wstring& path) const override { return path.empty() || path[0] != L'x'; }
  bool SameIgnoringCase(const std::wstring& a, const std::wstring& b) const override { return Folded(a) == Folded(b); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto lines = tavrel::RecentFileLines(bytes);
  if (lines.size() > tavrel::kRecentFilesLinesExamined) std::abort();
  for (const std::wstring& line : lines) {
    if (line.empty() || line.size() > tavrel::kLongestPath) std::abort();
    bool ok = false;
    const std::string utf8 = tavrel::Utf8FromUtf16Units(line, ok);
    std::wstring back;
    if (!ok || !tavrel::Utf16UnitsFromUtf8(utf8, back) || back != line) std::abort();
    if (bytes.find(utf8) == std::string_view::npos) std::abort();
  }

  const AnyFiles files;
  tavrel::RecentFileSlots used;
  for (const wchar_t* path : {L"C:\\b.txt", L"C:\\a.txt"}) tavrel::PutRecentFileFirst(used, path, files);
  const tavrel::RecentFileSlots merged = tavrel::MergeRecentFiles(used, lines, files);
  if (merged[0] != used[0] || merged[1] != used[1]) std::abort();
  int filled = 0;
  while (filled < tavrel::kRecentFileSlots && !merged[filled].empty()) ++filled;
  if (filled > tavrel::kRecentFilesKept) std::abort();
  for (int k = 0; k < tavrel::kRecentFileSlots; ++k) {
    if (k >= filled && !merged[k].empty()) std::abort();
    for (int j = 0; j < k && k < filled; ++j) {
      if (files.SameIgnoringCase(merged[j], merged[k])) std::abort();
    }
  }
  return 0;
}
