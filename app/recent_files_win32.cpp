#include "app/recent_files_win32.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/command_ids.h"
#include "app/document_save.h"
#include "app/editor_state.h"
#include "app/path_forms_win32.h"
#include "app/recent_files_list.h"
#include "platform/error_log.h"
#include "platform/os_handles_win32.h"
#include "toolkit/bars/toolbar_win32.h"
#include "toolkit/menus/menu_win32.h"

namespace tavrel {

namespace {

constexpr wchar_t kRecentFilesName[] = L"RecentFiles.dat";
// Shortened paths fit this many pixels in the bar font.
constexpr int kShownPathWidth = 240;
// Entries start in the File menu right after the separator that follows
// "Properties", where "No Recent Files" stands until the first rebuild.
constexpr int kFirstRecentPosition = 10;

class SystemFiles final : public RecentFileSystem {
 public:
  bool IsExistingFile(const std::wstring& path) const override {
    const DWORD attributes = GetFileAttributesW(SystemPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  }
  bool SameIgnoringCase(const std::wstring& a, const std::wstring& b) const override {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
  }
};

const SystemFiles kSystemFiles;

// At most kRecentFilesReadLimit bytes: a list this program wrote is far
// shorter, and a bigger file is damaged.
bool ReadRecentFiles(std::string& bytes) {
  platform::UniqueFile file(CreateFileW(RecentFilesPath().c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) return false;
  bytes.assign(kRecentFilesReadLimit, '\0');
  std::size_t filled = 0;
  while (filled < bytes.size()) {
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes.data() + filled, static_cast<DWORD>(bytes.size() - filled), &read, nullptr)) {
      return false;
    }
    if (read == 0) break;
    filled += read;
  }
  bytes.resize(filled);
  return true;
}

// The path as it fits kShownPathWidth pixels of the current font of dc:
// the platform puts an ellipsis into the folder part and keeps the name.
std::wstring ShortenedPath(HDC dc, const std::wstring& path) {
  // DT_MODIFYSTRING writes the shortened text back, which may be up to
  // four characters longer than the path.
  std::vector<wchar_t> buffer(path.size() + 5, L'\0');
  std::copy(path.begin(), path.end(), buffer.begin());
  RECT box{0, 0, kShownPathWidth, 100};
  // "&" is measured as itself: the label shows it so.
  DrawTextW(dc, buffer.data(), -1, &box,
            DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT | DT_PATH_ELLIPSIS | DT_END_ELLIPSIS | DT_MODIFYSTRING);
  return std::wstring(buffer.data());
}

}  // namespace

const std::wstring& RecentFilesPath() {
  static const std::wstring path = [] {
    wchar_t full[MAX_PATH];
    const DWORD length = GetFullPathNameW(kRecentFilesName, MAX_PATH, full, nullptr);
    return length > 0 && length < MAX_PATH ? std::wstring(full, length) : std::wstring(kRecentFilesName);
  }();
  return path;
}

// Both run outside any window message, where nothing else would catch:
// the editor starts, or ends, without the list rather than not at all.
void LoadRecentFiles() {
  try {
    std::string bytes;
    if (!ReadRecentFiles(bytes)) return;
    g_editor.recent_files = RecentSlotsFromFile(bytes, kSystemFiles);
    RebuildRecentMenu();
  } catch (...) {
    platform::LogCurrentException("loading the recent files");
  }
}

void SaveRecentFiles() {
  try {
    SaveFileBytes(RecentFilesPath(), RecentFilesText(g_editor.recent_files, kSystemFiles));
  } catch (...) {
    platform::LogCurrentException("saving the recent files");
  }
}

void AddRecentFile(const std::wstring& path) {
  PutRecentFileFirst(g_editor.recent_files, path, kSystemFiles);
  RebuildRecentMenu();
}

void RebuildRecentMenu() {
  const auto& slots = g_editor.recent_files;
  if (std::all_of(slots.begin(), slots.begin() + kRecentFilesKept, [](const std::wstring& p) { return p.empty(); })) {
    return;
  }
  const platform::UniqueMemoryDc dc = platform::CreateMemoryDc();
  const platform::SelectGuard font(dc.get(), lumora::GetBarFont());
  for (int id = CMD_RECENT_FIRST; id <= CMD_RECENT_LAST; ++id) lumora::MenuRemoveItem(kMainMenu, id, 0);
  for (int k = 0; k < kRecentFilesKept && !slots[k].empty(); ++k) {
    const std::wstring label = RecentMenuLabel(k + 1, ShortenedPath(dc.get(), slots[k]));
    lumora::MenuInsertItem(kMainMenu, kFirstRecentPosition + k, CMD_RECENT_FIRST + k, label.c_str(), nullptr, nullptr,
                           nullptr, 0);
  }
}

}  // namespace tavrel
