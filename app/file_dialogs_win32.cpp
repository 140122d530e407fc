#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "app/editor_state.h"
#include "app/file_dialogs.h"

namespace tavrel {

namespace {

// Room for the longest path the system accepts, and for a longer preset.
constexpr std::size_t kPathRoom = 32768;

std::wstring RunFileDialog(const FileDialogRequest& request, bool save) {
  const std::wstring filter = DialogFilterFromPattern(request.pattern);
  std::vector<wchar_t> file(std::max(kPathRoom, request.preset_name.size() + 1), L'\0');
  std::copy(request.preset_name.begin(), request.preset_name.end(), file.begin());

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = g_editor.main_window;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = static_cast<DWORD>(request.pattern_index + 1);
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrTitle = request.title.c_str();
  // No default extension: the name the user types is the name used.
  // Saving over an existing file is confirmed by the dialog, as users of
  // every Windows editor expect.
  // The working folder stays where the program started: its icons, the
  // dictionary and the word lists are found relative to it.
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR |
                 (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
  const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
  return chosen ? std::wstring(file.data()) : std::wstring();
}

}  // namespace

std::wstring ShowOpenFileDialog(const FileDialogRequest& request) { return RunFileDialog(request, false); }

std::wstring ShowSaveFileDialog(const FileDialogRequest& request) { return RunFileDialog(request, true); }

std::wstring WorkingDirectory() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length == 0) return std::wstring();
    if (length < buffer.size()) return std::wstring(buffer.data(), length);
    buffer.resize(length);
  }
}

}  // namespace tavrel
