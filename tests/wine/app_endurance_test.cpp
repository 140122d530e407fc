// Endurance of the real main window, started as the program starts it and
// driven with real messages through an event loop like the program's: each
// cycle opens a document from the recent-files menu (two documents take
// turns), types a word into the search field and steps to the next match,
// clears the search, opens and closes the File menu with a click on its
// title, switches spell checking on (checking the whole document) and off,
// and prints the document through the print dialog when a printer exists. After a warm-up the owners' counts of live handles must not move
// and the process's private memory may grow by 5 % at most.
//   TAVREL_ENDURANCE_CYCLES=1000 (tools/endurance.sh) for the full run;
//   test.sh runs 20 cycles.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "app/shell/command_dispatch_win32.h"
#include "app/shell/command_ids.h"
#include "app/shell/element_ids.h"
#include "app/document/document_hooks.h"
#include "app/shell/editor_state.h"
#include "app/shell/editor_windows.h"
#include "app/shell/main_window_win32.h"
#include "app/printing/print_document_win32.h"
#include "app/printing/printer_win32.h"
#include "app/recent/recent_files_win32.h"
#include "app/shell/scintilla_messages.h"
#include "app/search/search_strip_win32.h"
#include "app/spelling/spell_check_win32.h"
#include "app/spelling/spelling_library_win32.h"
#include "platform/os_handles_win32.h"
#include "tests/wine/file_menu_click.h"
#include "tests/wine/test_files.h"
#include "toolkit/bars/toolbar_win32.h"
#include "toolkit/controls/toolkit_win32.h"
#include "toolkit/menus/menu_win32.h"
#include "toolkit/style/colour_mode.h"
#include "toolkit/style/ui_style.h"

namespace tavrel {
namespace {

int Cycles() {
  wchar_t value[32] = {};
  const DWORD length = GetEnvironmentVariableW(L"TAVREL_ENDURANCE_CYCLES", value, 32);
  const int cycles = length > 0 && length < 32 ? _wtoi(value) : 0;
  return cycles > 0 ? cycles : 20;
}

struct Snapshot {
  platform::HandleCounts owned{};
  DWORD kernel = 0;
  SIZE_T private_bytes = 0;
};

Snapshot Take() {
  Snapshot snapshot;
  snapshot.owned = platform::LiveHandleCounts();
  GetProcessHandleCount(GetCurrentProcess(), &snapshot.kernel);
  // The commit charge: private bytes on Windows, resident anonymous memory
  // under Wine (which leaves PrivateUsage at 0).
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  if (GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory)) snapshot.private_bytes = memory.PagefileUsage;
  return snapshot;
}

std::string Describe(const Snapshot& snapshot) {
  std::ostringstream out;
  for (int i = 0; i < platform::kHandleKindCount; ++i) {
    out << platform::HandleKindName(static_cast<platform::HandleKind>(i)) << " " << snapshot.owned[i] << ", ";
  }
  out << "kernel handles " << snapshot.kernel << ", private memory " << snapshot.private_bytes / 1024 << " KiB";
  return out.str();
}

// The program's own loop keeps the search field's events to the strip.
bool TakenByTheLoop(const MSG& msg) { return HandleSearchFieldEvent(msg); }

template <typename Done>
bool RunLoopUntil(Done done, DWORD limit_ms) {
  return wine_test::PumpUntil(done, limit_ms, TakenByTheLoop);
}

void RunLoopFor(DWORD milliseconds) {
  const DWORD end = GetTickCount() + milliseconds;
  RunLoopUntil([end] { return static_cast<int>(end - GetTickCount()) <= 0; }, milliseconds + 1000);
}

std::string DocumentText(int variant) {
  std::string text;
  for (int line = 0; text.size() < 24 * 1024; ++line) {
    text += "Line " + std::to_string(line) + " of document " + std::to_string(variant) +
            ": the quick brown fox jumps over the lazy dog, mispelt wurds and a needle here.\r\n";
  }
  return text;
}

std::wstring TempFolder() { return wine_test::TempPath(L"tavrel-endurance-" + std::to_wstring(GetCurrentProcessId())); }

// What the editor told the user; printing reports its failures here.
std::vector<std::wstring> g_messages;
void RecordMessage(const std::wstring& text) { g_messages.push_back(text); }

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// Presses OK in the print dialog, the way a user confirms the printer.
bool g_print_confirmed = false;
BOOL CALLBACK ConfirmIfPrintDialog(HWND window, LPARAM) {
  wchar_t class_name[16] = {};
  GetClassNameW(window, class_name, 16);
  if (!g_print_confirmed && IsWindowVisible(window) && std::wstring(class_name) == L"#32770") {
    g_print_confirmed = true;
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, IDOK)));
  }
  return TRUE;
}
void CALLBACK ConfirmPrintDialog(HWND, UINT, UINT_PTR, DWORD) {
  EnumThreadWindows(GetCurrentThreadId(), ConfirmIfPrintDialog, 0);
}

TEST(Endurance, OpenSearchMenuSpellCyclesLeakNoHandlesAndNoMemory) {
  const int cycles = Cycles();
  const std::wstring folder = TempFolder();
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  const std::wstring documents[2] = {folder + L"\\a.txt", folder + L"\\b.txt"};
  ASSERT_TRUE(wine_test::WriteBytes(documents[0], DocumentText(0)));
  ASSERT_TRUE(wine_test::WriteBytes(documents[1], DocumentText(1)));

  // Start-up as the program does it. Each open writes the recent-files
  // list: into the test's folder, not the data folder the test runs in.
  {
    wchar_t data_folder[MAX_PATH];
    ASSERT_GT(GetCurrentDirectoryW(MAX_PATH, data_folder), 0u);
    ASSERT_TRUE(SetCurrentDirectoryW(folder.c_str()));
    RecentFilesPath();
    ASSERT_TRUE(SetCurrentDirectoryW(data_folder));
  }
  ResetEditorState();
  lumora::InitToolkit();
  lumora::StartToolkit();
  g_editor.document_path = L"Untitled";
  g_editor.bar_style = lumora::UISTYLE_OFFICE2007;
  lumora::SetUIColourMode(lumora::UICOLOURMODE_DEFAULT_GREY);
  LoadImages();
  g_document_hooks.check_spelling_document = CheckSpellingDocument;
  ASSERT_TRUE(BuildMainWindow(GetModuleHandleW(nullptr), MainWindowCallback));
  g_document_hooks.add_recent_file = AddRecentFile;
  g_document_hooks.show_message = RecordMessage;
  // Printing takes part when the run offers a printer (test.sh and
  // tools/endurance.sh start a private PDF queue).
  AcceptPrinterLookup(FindDefaultPrinter());
  const bool printing = g_editor.printer_available != 0;
  if (!printing) std::printf("endurance: no printer: the cycles print nothing\n");
  HWND main = MainWindow();
  ShowWindow(main, SW_SHOW);
  UpdateWindow(main);
  SpellInitInBackground(kDictionaryPath);
  StartClipboardMonitor(main);
  AddRecentFile(documents[1]);
  AddRecentFile(documents[0]);
  HWND bar = reinterpret_cast<HWND>(lumora::MenuExists(kMainMenu));
  HWND field = SearchField();
  ASSERT_TRUE(bar && field);

  auto cycle = [&](int i) {
    // The second recent file is always the other document.
    const std::wstring& expected = documents[(i + 1) % 2];
    PostMessageW(main, WM_COMMAND, CMD_RECENT_FIRST + 1, 0);
    ASSERT_TRUE(RunLoopUntil([&] { return g_editor.document_path == expected; }, 10000)) << "cycle " << i << ": open";

    SetFocus(field);
    for (const wchar_t c : std::wstring(L"needle")) PostMessageW(field, WM_CHAR, c, 1);
    ASSERT_TRUE(RunLoopUntil([] { return MatchCounter().text.find(L" of ") != std::wstring::npos; }, 10000))
        << "cycle " << i << ": search";
    PostMessageW(main, WM_COMMAND, CMD_FIND_NEXT, 0);
    PostMessageW(main, WM_COMMAND, CMD_CLEAR_SEARCH, 0);
    ASSERT_TRUE(RunLoopUntil([field] { return GetWindowTextLengthW(field) == 0; }, 10000)) << "cycle " << i << ": clear";

    ASSERT_TRUE(wine_test::OpenAndCloseFileMenu(bar, main, TakenByTheLoop)) << "cycle " << i << ": menu";

    PostMessageW(main, WM_COMMAND, CMD_SPELL_CHECK, 0);
    ASSERT_TRUE(RunLoopUntil([] { return g_editor.spell_check_on != 0; }, 30000)) << "cycle " << i << ": spell on";
    PostMessageW(main, WM_COMMAND, CMD_SPELL_CHECK, 0);
    ASSERT_TRUE(RunLoopUntil([] { return g_editor.spell_check_on == 0; }, 10000)) << "cycle " << i << ": spell off";

    if (printing) {
      g_messages.clear();
      const UINT_PTR timer = SetTimer(nullptr, 0, 50, ConfirmPrintDialog);
      PostMessageW(main, WM_COMMAND, CMD_PRINT, 0);
      // The dialog and the whole job run inside the command: the loop gets
      // its turn back only when the job has been handed to the printer.
      ASSERT_TRUE(RunLoopUntil([] { return g_print_confirmed; }, 60000)) << "cycle " << i << ": print";
      KillTimer(nullptr, timer);
      g_print_confirmed = false;
      ASSERT_TRUE(g_messages.empty()) << "cycle " << i << ": print: " << Narrow(g_messages.front());
    }
  };

  // Warm-up: caches that are meant to stay fill during the first cycles.
  const int warm_up = cycles >= 100 ? cycles / 10 : 5;
  for (int i = 0; i < warm_up; ++i) {
    cycle(i);
    if (HasFatalFailure()) return;
  }
  RunLoopFor(200);
  const Snapshot warm = Take();
  const DWORD started = GetTickCount();
  for (int i = warm_up; i < warm_up + cycles; ++i) {
    cycle(i);
    if (HasFatalFailure()) return;
  }
  RunLoopFor(200);
  const Snapshot end = Take();
  const double seconds = (GetTickCount() - started) / 1000.0;

  std::printf("endurance: %d cycles in %.1f s (after %d warm-up cycles)\n", cycles, seconds, warm_up);
  std::printf("endurance: after warm-up: %s\n", Describe(warm).c_str());
  std::printf("endurance: at the end:    %s\n", Describe(end).c_str());
  if (warm.private_bytes > 0) {
    std::printf("endurance: private memory %+.2f %%\n",
                100.0 * (static_cast<double>(end.private_bytes) - warm.private_bytes) / warm.private_bytes);
  }
  EXPECT_EQ(end.owned, warm.owned) << Describe(warm) << " -> " << Describe(end);
  EXPECT_LE(end.kernel, warm.kernel + 4) << "kernel handles";
  EXPECT_GT(warm.private_bytes, 0u) << "the system reports no memory use";
  EXPECT_LE(static_cast<double>(end.private_bytes), warm.private_bytes * 1.05) << Describe(warm) << " -> " << Describe(end);

  StopClipboardMonitor(main);
  lumora::ShutdownToolkit();
  FreeMainWindowResources();
  SpellFree();
  DeleteFileW(documents[0].c_str());
  DeleteFileW(documents[1].c_str());
  DeleteFileW(RecentFilesPath().c_str());
  RemoveDirectoryW(folder.c_str());
}

}  // namespace
}  // namespace tavrel
