#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>
#include <shlobj.h>

#include <algorithm>
#include <vector>

#include "app/document/document_messages.h"
#include "app/document/document_naming.h"
#include "app/shell/editor_state.h"
#include "app/document/file_dialogs.h"
#include "app/document/path_forms.h"
#include "app/document/path_forms_win32.h"
#include "platform/error_log.h"
#include "platform/os_version.h"

namespace tavrel {

namespace {

// Room for the longest path the system accepts, and for a longer preset.
constexpr std::size_t kPathRoom = 32768;
constexpr UINT_PTR kLongNameSubclass = 1;

// The dialog itself builds the full path of a typed name, and reads a
// preset one, in buffers of MAX_PATH characters (Wine's comdlg32 copies the
// name into such a buffer on the stack without any bound, which overwrites
// the stack and kills the process). Names past that stop on the way in:
// they are taken here, and never reach the dialog's own handling.
struct DialogRun {
  bool save = false;
  std::wstring title;
  // A preset the dialog cannot be given, put into its name field once it
  // is up.
  std::wstring long_preset;
  // A long name the user chose, in full.
  std::wstring chosen;
};

// The dialog shows its name field as one of two controls.
HWND NameField(HWND dialog) {
  const HWND combo = GetDlgItem(dialog, cmb13);
  return combo ? combo : GetDlgItem(dialog, edt1);
}

std::wstring WindowText(HWND window) {
  std::vector<wchar_t> text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
  return std::wstring(text.data());
}

// The folder the dialog shows, read from its item list: its own answer in
// text is cut at MAX_PATH.
std::wstring DialogFolder(HWND dialog) {
  const LRESULT size = SendMessageW(dialog, CDM_GETFOLDERIDLIST, 0, 0);
  if (size > 0) {
    std::vector<BYTE> list(static_cast<std::size_t>(size));
    std::vector<wchar_t> path(kPathRoom, L'\0');
    if (SendMessageW(dialog, CDM_GETFOLDERIDLIST, list.size(), reinterpret_cast<LPARAM>(list.data())) > 0 &&
        SHGetPathFromIDListEx(reinterpret_cast<PCIDLIST_ABSOLUTE>(list.data()), path.data(),
                              static_cast<DWORD>(path.size()), GPFIDL_DEFAULT)) {
      return std::wstring(path.data());
    }
  }
  // Where the dialog itself goes when its folder is none of the file
  // system's.
  return WorkingDirectory();
}

DWORD Attributes(const std::wstring& path) { return GetFileAttributesW(SystemPath(path).c_str()); }

bool IsFile(DWORD attributes) {
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// For the OK command: true when the typed name is one the dialog cannot
// take, which has then been answered here: chosen (the dialog closes) or
// refused with the editor's own error box (the dialog stays, with the name).
// The checks are the dialog's own: an existing file to open, an existing
// folder to save in, and a question before an existing file is replaced.
bool TakeLongName(HWND dialog, DialogRun& run) {
  const std::wstring typed = WindowText(NameField(dialog));
  if (typed.empty()) return false;
  const std::wstring named = TypedNameInFolder(DialogFolder(dialog), typed);
  // The dialog's buffer takes kPlainPathLimit characters and a terminator;
  // one less leaves it a character for the separator it may add.
  if (named.size() < kPlainPathLimit) return false;

  std::wstring full = FullPath(named);
  if (full.empty()) full = named;
  const std::wstring name = FileNamePart(full);
  const DWORD attributes = Attributes(full);
  if (!run.save) {
    if (!IsFile(attributes)) {
      MessageBoxW(dialog, CouldNotReadMessage(name).c_str(), kMessageTitle, MB_OK);
      return true;
    }
  } else if (IsFile(attributes)) {
    if (MessageBoxW(dialog, ReplaceFileQuestion(name).c_str(), run.title.c_str(), MB_YESNO | MB_ICONEXCLAMATION) !=
        IDYES) {
      return true;
    }
  } else {
    const DWORD folder = Attributes(full.substr(0, full.size() - name.size()));
    if (name.empty() || folder == INVALID_FILE_ATTRIBUTES || !(folder & FILE_ATTRIBUTE_DIRECTORY)) {
      MessageBoxW(dialog, CouldNotCreateMessage(name).c_str(), kMessageTitle, MB_OK);
      return true;
    }
  }
  run.chosen = full;
  // Out by the dialog's own Cancel, which lets go of everything it holds;
  // the name is returned from here.
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
  return true;
}

LRESULT CALLBACK LongNameProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR, DWORD_PTR data) {
  if (message == WM_COMMAND && LOWORD(wparam) == IDOK) {
    try {
      if (TakeLongName(dialog, *reinterpret_cast<DialogRun*>(data))) return 0;
    } catch (...) {
      platform::LogCurrentException("a name typed into a file dialog", message);
      // Handing the name on could be what brings the process down.
      return 0;
    }
  } else if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(dialog, LongNameProc, kLongNameSubclass);
  }
  return DefSubclassProc(dialog, message, wparam, lparam);
}

// Selected whole, as the dialog shows a preset of its own, so that typing
// replaces it.
void ShowPreset(HWND field, const std::wstring& preset) {
  SetWindowTextW(field, preset.c_str());
  const HWND edit = reinterpret_cast<HWND>(SendMessageW(field, CBEM_GETEDITCONTROL, 0, 0));
  SendMessageW(edit ? edit : field, EM_SETSEL, 0, -1);
}

// The hook's own window is an empty child of the dialog; it is there for
// the dialog window (its parent) and for the notice that the dialog is up.
UINT_PTR CALLBACK DialogHook(HWND hook_window, UINT message, WPARAM, LPARAM lparam) {
  try {
    if (message == WM_INITDIALOG) {
      const auto* dialog = reinterpret_cast<const OPENFILENAMEW*>(lparam);
      SetWindowSubclass(GetParent(hook_window), LongNameProc, kLongNameSubclass, dialog->lCustData);
    } else if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lparam)->code == CDN_INITDONE) {
      const auto* notice = reinterpret_cast<const OFNOTIFYW*>(lparam);
      const auto* run = reinterpret_cast<const DialogRun*>(notice->lpOFN->lCustData);
      if (!run->long_preset.empty()) ShowPreset(NameField(GetParent(hook_window)), run->long_preset);
    }
  } catch (...) {
    platform::LogCurrentException("the file dialog hook", message);
  }
  return 0;
}

std::wstring RunFileDialog(const FileDialogRequest& request, bool save) {
  const std::wstring filter = DialogFilterFromPattern(request.pattern);
  DialogRun run;
  run.save = save;
  run.title = request.title;
  // A preset whose full path the dialog could not read goes into the name
  // field later; the dialog starts in its folder when it can.
  std::wstring preset = request.preset_name;
  std::wstring start_folder;
  // Windows' own dialog takes long names; a hook there would only cost its
  // users the newer dialog, which the system shows only to callers without
  // one.
  const bool guard = platform::RunningOnWine();
  const std::wstring full_preset = preset.empty() || !guard ? std::wstring() : FullPath(preset);
  if (full_preset.size() >= kPlainPathLimit) {
    run.long_preset = full_preset;
    preset.clear();
    start_folder = full_preset.substr(0, full_preset.size() - FileNamePart(full_preset).size());
    // It gets "\*" added in a buffer of MAX_PATH.
    if (start_folder.size() + 3 > kPlainPathLimit) start_folder.clear();
  }
  std::vector<wchar_t> file(std::max(kPathRoom, preset.size() + 1), L'\0');
  std::copy(preset.begin(), preset.end(), file.begin());

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = g_editor.main_window;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = static_cast<DWORD>(request.pattern_index + 1);
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrTitle = request.title.c_str();
  dialog.lpstrInitialDir = start_folder.empty() ? nullptr : start_folder.c_str();
  if (guard) {
    dialog.lpfnHook = DialogHook;
    dialog.lCustData = reinterpret_cast<LPARAM>(&run);
  }
  // No default extension: the name the user types is the name used.
  // Saving over an existing file is confirmed by the dialog, as users of
  // every Windows editor expect.
  // The working folder stays where the program started: its icons, the
  // dictionary and the word lists are found relative to it.
  // With a hook the dialog is sizeable only when asked.
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR |
                 (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST) | (guard ? OFN_ENABLEHOOK | OFN_ENABLESIZING : 0);
  const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
  if (!run.chosen.empty()) return run.chosen;
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
