// The recent-files list in the real main window: opening files through the
// Open command fills the File menu with numbered, shortened labels in place
// of "No Recent Files"; "RecentFiles.dat" is written at every open where the
// editor started even after the dialogs moved the working directory, survives
// a write that fails half-way, is written when the session ends, reads back
// into the menu, and keeps what another copy of the editor wrote to it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/shell/command_dispatch_win32.h"
#include "app/shell/command_ids.h"
#include "app/shell/element_ids.h"
#include "app/document/document_hooks.h"
#include "app/shell/editor_state.h"
#include "app/document/file_io_hooks_win32.h"
#include "app/shell/main_window_win32.h"
#include "app/recent/recent_files_win32.h"
#include "tests/wine/app_editor_fixture.h"
#include "toolkit/bars/toolbar_win32.h"
#include "toolkit/controls/toolkit_win32.h"
#include "toolkit/menus/menu_records_win32.h"
#include "toolkit/menus/menu_win32.h"
#include "toolkit/style/colour_mode.h"
#include "toolkit/style/ui_style.h"

namespace tavrel {
namespace {

using test_support::FilesIn;
using test_support::ReadBytes;
using test_support::RemoveTree;
using test_support::WriteBytes;

std::wstring g_folder;  // the working directory the editor starts in

class RecentEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    g_folder = std::wstring(temp) + L"tavrel-recent-" + std::to_wstring(GetCurrentProcessId());
    RemoveTree(g_folder);
    ASSERT_TRUE(CreateDirectoryW(g_folder.c_str(), nullptr));
    // Images are not needed; the list file goes where the editor starts.
    ASSERT_TRUE(SetCurrentDirectoryW(g_folder.c_str()));
    lumora::InitToolkit();
    lumora::StartToolkit();
    lumora::SetUIColourMode(lumora::UICOLOURMODE_DEFAULT_GREY);
    ResetEditorState();
    ASSERT_TRUE(BuildMainWindow(GetModuleHandleW(nullptr), MainWindowCallback));
    ShowWindow(MainWindow(), SW_SHOW);
    LoadRecentFiles();
  }
  void TearDown() override {
    lumora::ShutdownToolkit();
    SetCurrentDirectoryW(L"C:\\");
    RemoveTree(g_folder);
  }
};
const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new RecentEnvironment);

HMENU FileMenu() {
  using namespace lumora;
  StaleLockGuard guard(MenuLock());
  for (auto& record : Menus().menus) {
    if (record->id == kMainMenu && record->popup_menu()) return record->popup_menu();
  }
  return nullptr;
}

std::vector<int> FileMenuIds() {
  std::vector<int> ids;
  HMENU menu = FileMenu();
  for (int i = 0; i < GetMenuItemCount(menu); ++i) ids.push_back(static_cast<int>(GetMenuItemID(menu, i)));
  return ids;
}

// The path part of a recent entry's label, as the menu shows it.
std::wstring ShownPath(int id) {
  const std::wstring label = lumora::MenuGetItemText(kMainMenu, id);
  const std::wstring prefix = L"\\b&" + std::to_wstring(id - CMD_RECENT_FIRST + 1) + L"\\b  ";
  EXPECT_EQ(label.substr(0, prefix.size()), prefix) << "label " << std::string(label.begin(), label.end());
  std::wstring shown;
  for (std::size_t i = prefix.size(); i < label.size(); ++i) {
    const wchar_t c = label[i];
    if ((c == L'\\' || c == L'&' || c == L'$') && i + 1 < label.size() && label[i + 1] == c) ++i;
    shown.push_back(c);
  }
  return shown;
}

bool EndsWith(const std::wstring& text, const std::wstring& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

class RecentFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_document_hooks.add_recent_file = AddRecentFile;
    g_document_hooks.open_file_dialog = [](const FileDialogRequest&) { return g_answer; };
  }
  void TearDown() override {
    ResetDocumentHooks();
    ResetFileIoHooks();
    SetCurrentDirectoryW(g_folder.c_str());
  }
  // File > Open, the dialog answered with path.
  static void Open(const std::wstring& path) {
    g_answer = path;
    SendMessageW(MainWindow(), WM_COMMAND, CMD_OPEN, 0);
  }
  static std::wstring MakeFile(const std::wstring& relative) {
    const std::wstring path = g_folder + L"\\" + relative;
    EXPECT_TRUE(WriteBytes(path, "text\r\n"));
    return path;
  }
  static inline std::wstring g_answer;
};

TEST_F(RecentFilesTest, OpenedFilesReplaceThePlaceholderWithNumberedShortenedPaths) {
  // Before anything is opened the list place holds the disabled placeholder.
  ASSERT_EQ(FileMenuIds()[10], CMD_RECENT_FIRST);
  EXPECT_EQ(lumora::MenuGetItemText(kMainMenu, CMD_RECENT_FIRST), L"No Recent Files");

  const std::wstring deep = L"a folder whose name is long enough to be shortened";
  ASSERT_TRUE(CreateDirectoryW((g_folder + L"\\" + deep).c_str(), nullptr));
  const std::wstring plain = MakeFile(L"plain.txt");
  const std::wstring marked = MakeFile(deep + L"\\R&D $F1 notes.txt");
  Open(plain);
  Open(marked);
  ASSERT_EQ(g_editor.document_path, marked);

  // Newest first, in place of the placeholder, before the separator and Exit.
  const std::vector<int> ids = FileMenuIds();
  ASSERT_EQ(ids.size(), 14u);
  EXPECT_EQ(ids[10], CMD_RECENT_FIRST);
  EXPECT_EQ(ids[11], CMD_RECENT_FIRST + 1);
  EXPECT_EQ(ids[12], 0);
  EXPECT_EQ(ids[13], CMD_EXIT);
  EXPECT_EQ(GetMenuState(FileMenu(), CMD_RECENT_FIRST, MF_BYCOMMAND) & (MF_DISABLED | MF_GRAYED), 0u);

  // The long path is cut in its folders; the file name, with its "&" and
  // "$", stays whole and the result fits 240 pixels of the bar font.
  const std::wstring shown = ShownPath(CMD_RECENT_FIRST);
  EXPECT_NE(shown, marked);
  EXPECT_NE(shown.find(L"..."), std::wstring::npos);
  const std::wstring name = L"\\R&D $F1 notes.txt";
  EXPECT_TRUE(EndsWith(shown, name));
  EXPECT_EQ(shown.substr(0, 3), marked.substr(0, 3));
  {
    platform::UniqueMemoryDc dc = platform::CreateMemoryDc();
    platform::SelectGuard font(dc.get(), lumora::GetBarFont());
    RECT box{0, 0, 0, 0};
    DrawTextW(dc.get(), shown.c_str(), -1, &box, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    EXPECT_LE(box.right, 240);
  }

  // Choosing entry 2 opens the file it names.
  SendMessageW(MainWindow(), WM_COMMAND, CMD_RECENT_FIRST + 1, 0);
  EXPECT_EQ(g_editor.document_path, plain);
  EXPECT_TRUE(EndsWith(ShownPath(CMD_RECENT_FIRST), L"\\plain.txt"));
  EXPECT_TRUE(EndsWith(ShownPath(CMD_RECENT_FIRST + 1), name));
}

std::string Utf8(const std::wstring& text) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8.data(), n, nullptr, nullptr);
  utf8.pop_back();
  return utf8;
}

// The files in the editor's folder that a save of the list made.
int ListFilesIn(const std::wstring& folder) {
  int count = 0;
  for (const std::wstring& name : FilesIn(folder)) count += name.rfind(L"RecentFiles.dat", 0) == 0 ? 1 : 0;
  return count;
}

// A fresh run with no list file.
void ForgetRecentFiles(const std::wstring& list) {
  g_editor.recent_files = {};
  g_editor.recent_files_used = {};
  DeleteFileW(list.c_str());
}

TEST_F(RecentFilesTest, ListFileIsWrittenAtOnceWhereTheEditorStartedAndSurvivesAFailedWrite) {
  const std::wstring list = g_folder + L"\\RecentFiles.dat";
  ForgetRecentFiles(list);
  const std::wstring one = MakeFile(L"one.txt");
  const std::wstring two = MakeFile(L"two \u00e9.txt");
  // Each open writes the list: a copy ended without warning keeps it.
  Open(one);
  EXPECT_EQ(ReadBytes(list), Utf8(one) + "\r\n");
  Open(two);
  const std::string expected = Utf8(two) + "\r\n" + Utf8(one) + "\r\n";
  EXPECT_EQ(ReadBytes(list), expected);

  // A dialog moved the working directory: the list is still written where
  // the editor started. A write that fails half-way (a full disk) leaves
  // the old list whole and no side file; the menu has the file anyway.
  const std::wstring elsewhere = g_folder + L"\\elsewhere";
  ASSERT_TRUE(CreateDirectoryW(elsewhere.c_str(), nullptr));
  ASSERT_TRUE(SetCurrentDirectoryW(elsewhere.c_str()));
  const std::wstring three = MakeFile(L"elsewhere\\three.txt");
  g_file_io_hooks.write_file = [](HANDLE file, const void* data, DWORD size, DWORD* written) -> BOOL {
    WriteFile(file, data, size / 2, written, nullptr);
    SetLastError(ERROR_DISK_FULL);
    return FALSE;
  };
  Open(three);
  EXPECT_EQ(ReadBytes(list), expected);
  EXPECT_EQ(ListFilesIn(g_folder), 1);
  EXPECT_TRUE(EndsWith(ShownPath(CMD_RECENT_FIRST), L"\\three.txt"));

  ResetFileIoHooks();
  SaveRecentFiles();
  EXPECT_EQ(ReadBytes(list), Utf8(three) + "\r\n" + expected);
  EXPECT_EQ(ListFilesIn(g_folder), 1);
  EXPECT_EQ(ListFilesIn(elsewhere), 0);

  // Read back: the slots and the menu come from the file.
  g_editor.recent_files = {};
  LoadRecentFiles();
  EXPECT_EQ(g_editor.recent_files[0], three);
  EXPECT_EQ(g_editor.recent_files[1], two);
  EXPECT_EQ(g_editor.recent_files[2], one);
  EXPECT_TRUE(g_editor.recent_files[3].empty());
  EXPECT_TRUE(EndsWith(ShownPath(CMD_RECENT_FIRST + 2), L"\\one.txt"));

  // The session ending ends the process right after its message: the list
  // is written then, not after an event loop that never finishes.
  ASSERT_TRUE(DeleteFileW(list.c_str()));
  SendMessageW(MainWindow(), WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(ReadBytes(list), Utf8(three) + "\r\n" + expected);
}

TEST_F(RecentFilesTest, WritesMergeWhatAnotherCopyWroteAndTheMenuShowsIt) {
  const std::wstring list = g_folder + L"\\RecentFiles.dat";
  ForgetRecentFiles(list);
  const std::wstring mine = MakeFile(L"mine.txt");
  const std::wstring theirs = MakeFile(L"theirs.txt");
  const std::wstring older = MakeFile(L"older.txt");
  Open(older);
  // Another copy, started later, opened its file and wrote the list, a
  // vanished file and another spelling of this copy's file among it.
  std::wstring shouted = older;
  CharUpperBuffW(shouted.data(), static_cast<DWORD>(shouted.size()));
  ASSERT_TRUE(WriteBytes(list, Utf8(theirs) + "\r\n" + Utf8(g_folder) + "\\gone.txt\r\n" + Utf8(shouted) + "\r\n"));
  Open(mine);
  EXPECT_EQ(ReadBytes(list), Utf8(mine) + "\r\n" + Utf8(older) + "\r\n" + Utf8(theirs) + "\r\n");
  EXPECT_TRUE(EndsWith(ShownPath(CMD_RECENT_FIRST + 2), L"\\theirs.txt"));
  EXPECT_EQ(lumora::MenuGetItemText(kMainMenu, CMD_RECENT_FIRST + 3), L"");

  // It opens one more: the shut-down write puts this copy's files back on
  // top, the other's kept below them.
  const std::wstring fresh = MakeFile(L"fresh.txt");
  ASSERT_TRUE(WriteBytes(list, Utf8(fresh) + "\r\n" + Utf8(mine) + "\r\n" + Utf8(theirs) + "\r\n"));
  SendMessageW(MainWindow(), WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(ReadBytes(list),
            Utf8(mine) + "\r\n" + Utf8(older) + "\r\n" + Utf8(fresh) + "\r\n" + Utf8(theirs) + "\r\n");
}

}  // namespace
}  // namespace tavrel
