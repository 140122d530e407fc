#include "app/recent/recent_files_win32.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "app/shell/command_ids.h"
#include "app/shell/command_surfaces_win32.h"
#include "app/shell/element_ids.h"
#include "app/document/document_save.h"
#include "app/shell/editor_state.h"
#include "app/document/path_forms_win32.h"
#include "app/recent/recent_files_list.h"
#include "platform/error_log.h"
#include "platform/os_handles_win32.h"
#include "toolkit/bars/toolbar_win32.h"
#include "toolkit/menus/menu_win32.h"

namespace tavrel {

namespace {

constexpr wchar_t kRecentFilesName[] = L"RecentFiles.dat";
// Shortened paths fit this many pixels in the bar font.
constexpr int kShownPathWidth = 240;

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

enum class ListRead { kRead, kMissing, kFailed };

// At most kRecentFilesReadLimit bytes: a list this program wrote is far
// shorter, and a bigger file is damaged.
ListRead ReadRecentFiles(std::string& bytes) {
  platform::UniqueFile file(CreateFileW(RecentFilesPath().c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ListRead::kMissing : ListRead::kFailed;
  }
  bytes.assign(kRecentFilesReadLimit, '\0');
  std::size_t filled = 0;
  while (filled < bytes.size()) {
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes.data() + filled, static_cast<DWORD>(bytes.size() - filled), &read, nullptr)) {
      return ListRead::kFailed;
    }
    if (read == 0) break;
    filled += read;
  }
  bytes.resize(filled);
  return ListRead::kRead;
}

// Copies of the editor started in the same folder share one list file.
// Each reads, merges and replaces it holding this lock, so that no copy
// reads the file while another replaces it, nor writes over a list another
// wrote after it read. The lock is named after the file, letter case
// folded as the file system folds it. A copy that holds it too long (hung,
// or its disk stalls) only costs the others the wait: they go on without.
class ListFileLock {
 public:
  ListFileLock() {
    std::wstring folded = RecentFilesPath();
    CharUpperBuffW(folded.data(), static_cast<DWORD>(folded.size()));
    // Lock names may not hold "\" and are bounded: a hash of the path.
    uint64_t hash = 14695981039346656037ull;
    for (wchar_t c : folded) hash = (hash ^ static_cast<uint16_t>(c)) * 1099511628211ull;
    std::wstring name = L"Tavrel.RecentFiles.";
    for (int shift = 60; shift >= 0; shift -= 4) name.push_back(L"0123456789abcdef"[(hash >> shift) & 0xF]);
    mutex_.reset(CreateMutexW(nullptr, FALSE, name.c_str()));
    if (!mutex_) return;
    // An owner that died holding it (abandoned) left the file whole: the
    // replace either happened or did not.
    const DWORD waited = WaitForSingleObject(mutex_.get(), kLockWaitMs);
    held_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
  }
  ~ListFileLock() {
    if (held_) ReleaseMutex(mutex_.get());
  }
  ListFileLock(const ListFileLock&) = delete;
  ListFileLock& operator=(const ListFileLock&) = delete;

 private:
  static constexpr DWORD kLockWaitMs = 3000;
  platform::UniqueKernelObject mutex_;
  bool held_ = false;
};

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

// No exception leaves these: they run at start-up and shut-down, where
// nothing else would catch (the editor starts, or ends, without the list
// rather than not at all), and inside window messages, which none crosses.
void LoadRecentFiles() {
  try {
    std::string bytes;
    {
      ListFileLock lock;
      if (ReadRecentFiles(bytes) != ListRead::kRead) return;
    }
    g_editor.recent_files = RecentSlotsFromFile(bytes, kSystemFiles);
    RebuildRecentMenu();
  } catch (...) {
    platform::LogCurrentException("loading the recent files");
  }
}

void SaveRecentFiles() {
  try {
    ListFileLock lock;
    std::string bytes;
    std::vector<std::wstring> listed;
    switch (ReadRecentFiles(bytes)) {
      case ListRead::kRead:
        listed = RecentFileLines(bytes);
        break;
      case ListRead::kMissing:
        break;
      case ListRead::kFailed:
        // What the file held when last read or written here is the best
        // guess at what it holds now.
        for (const std::wstring& path : g_editor.recent_files) listed.push_back(path);
        break;
    }
    g_editor.recent_files = MergeRecentFiles(g_editor.recent_files_used, listed, kSystemFiles);
    SaveFileBytes(RecentFilesPath(), RecentFilesText(g_editor.recent_files, kSystemFiles));
  } catch (...) {
    platform::LogCurrentException("saving the recent files");
  }
}

void AddRecentFile(const std::wstring& path) {
  PutRecentFileFirst(g_editor.recent_files_used, path, kSystemFiles);
  // The menu gets the path even should the list file be out of reach; when
  // it is not, the menu shows the list as merged with the file.
  PutRecentFileFirst(g_editor.recent_files, path, kSystemFiles);
  SaveRecentFiles();
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
    // Entries start where "No Recent Files" stands until the first rebuild.
    lumora::MenuInsertItem(kMainMenu, MenuPositionOf(CMD_RECENT_FIRST) + k, CMD_RECENT_FIRST + k, label.c_str(), nullptr, nullptr,
                           nullptr, 0);
  }
}

}  // namespace tavrel
