// The recent files' part of the editor state: the files as the menu shows
// them, and the ones this run opened or saved, newest first. Other copies
// of the editor write the same list file, and what this run used goes on
// top of what they wrote.
#pragma once
#include <array>
#include <string>

namespace tavrel {

inline constexpr int kRecentFileSlots = 10;

struct RecentFilesState {
  std::array<std::wstring, kRecentFileSlots> recent_files;
  std::array<std::wstring, kRecentFileSlots> recent_files_used;
};

}  // namespace tavrel
