// "RecentFiles.dat" is read at every start-up and may be damaged: any bytes
// must parse without crashing, every line that comes out must write back
// as the same UTF-8, and the bounds on lines must hold.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/recent_files_list.h"

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
  return 0;
}
