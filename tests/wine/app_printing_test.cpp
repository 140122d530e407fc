// Printing with the real main window and editing component. The default
// printer is looked up the way the program does it at start-up, against the
// print server the test run offers (TAVREL_PRINT_QUEUE names its default
// queue, "-" when the run offers none): its answer alone decides, once,
// whether Print is enabled on menu and tool bar and what the button's
// tooltip says. The page loop runs on the real component: a page shorter
// than one line ends the job instead of sending blank pages for ever.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <string>

#include "app/shell/editor_windows.h"
#include "app/printing/print_document_win32.h"
#include "app/printing/printer_win32.h"
#include "app/shell/scintilla_messages.h"
#include "platform/dll_function_win32.h"
#include "platform/os_handles_win32.h"
#include "tests/wine/app_main_window_support.h"
#include "tests/wine/message_pump.h"

namespace tavrel {
namespace {

using test_support::ButtonEnabled;
using test_support::ButtonTooltip;
using test_support::MenuEnabled;

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new test_support::MainWindowEnvironment);

std::wstring DefaultPrinterName() {
  wchar_t name[2305] = {};
  DWORD size = 2305;
  const platform::UniqueModule winspool{LoadLibraryW(L"Winspool.drv")};
  auto get = platform::DllFunction<BOOL(WINAPI*)(LPWSTR, LPDWORD)>(winspool.get(), "GetDefaultPrinterW");
  return get && get(name, &size) ? name : L"";
}

// Whether the command, arriving as a shortcut's WM_COMMAND does (the
// shortcut ignores the item's state), opened a dialog; one that opens is
// closed again by a timer so that the test goes on.
bool g_dialog_opened = false;
BOOL CALLBACK CloseDialog(HWND window, LPARAM) {
  wchar_t class_name[16] = {};
  GetClassNameW(window, class_name, 16);
  if (IsWindowVisible(window) && std::wstring(class_name) == L"#32770") {
    g_dialog_opened = true;
    PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
  }
  return TRUE;
}
bool CommandOpensADialog(int id) {
  g_dialog_opened = false;
  const UINT_PTR timer = SetTimer(nullptr, 0, 1500, [](HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), CloseDialog, 0);
  });
  SendMessageW(MainWindow(), WM_COMMAND, static_cast<WPARAM>(id), 0);
  KillTimer(nullptr, timer);
  return g_dialog_opened;
}

void ExpectPrintShown(bool enabled) {
  EXPECT_EQ(MenuEnabled(CMD_PRINT), enabled);
  EXPECT_EQ(ButtonEnabled(CMD_PRINT), enabled);
  EXPECT_EQ(ButtonTooltip(CMD_PRINT), enabled ? L"Print" : L"Print (No Printer)");
}

TEST(PrinterLookup, TheFirstAnswerDecidesPrintOnMenuAndToolBarForTheWholeRun) {
  const char* queue = std::getenv("TAVREL_PRINT_QUEUE");
  if (!queue) GTEST_SKIP() << "the test run offers no print server (TAVREL_PRINT_QUEUE is not set)";
  const bool expected = std::string(queue) != "-";

  // Until the look-up has answered there is no printer to print on.
  ExpectPrintShown(false);
  EXPECT_FALSE(CommandOpensADialog(CMD_PRINT));
  EXPECT_FALSE(CommandOpensADialog(CMD_CHOOSE_PRINTER));
  FindDefaultPrinterInBackground(MainWindow());
  // The answer arrives through the message loop, as in the program.
  ASSERT_TRUE(wine_test::PumpUntil([] { return g_editor.printer_decided != 0; }, 60000));
  EXPECT_EQ(g_editor.printer_available, expected ? 1 : 0);
  ExpectPrintShown(expected);
  if (expected) {
    const std::string name(queue);
    EXPECT_EQ(DefaultPrinterName(), std::wstring(name.begin(), name.end()));
  } else {
    EXPECT_FALSE(CommandOpensADialog(CMD_PRINT));
  }

  // A later answer, or a refresh, changes nothing.
  PostMessageW(MainWindow(), WM_TAVREL_PRINTERFOUND, expected ? 0 : 1, 0);
  wine_test::PumpFor(200);
  RefreshCommandStates();
  EXPECT_EQ(g_editor.printer_available, expected ? 1 : 0);
  ExpectPrintShown(expected);
}

TEST(PrintPages, APageShorterThanALineEndsTheJobInsteadOfLooping) {
  std::string text;
  for (int i = 1; i <= 10; ++i) text += "line " + std::to_string(i) + "\n";
  SendEditor(SCI_SETTEXT, 0, reinterpret_cast<intptr_t>(text.c_str()));
  const int line = static_cast<int>(SendEditor(SCI_TEXTHEIGHT, 0));
  ASSERT_GT(line, 2);
  platform::UniqueMemoryDc dc = platform::CreateMemoryDc();
  platform::UniqueBitmap bitmap(CreateBitmap(400, 8 * line, 1, 32, nullptr));
  platform::SelectGuard selected(dc.get(), bitmap.get());
  int pages = 0;
  auto next_page = [&pages] { return ++pages < 100; };

  for (int height : {0, line - 1}) {
    pages = 0;
    EXPECT_EQ(PrintPagesOn(dc.get(), 400, height, next_page), PageLoopEnd::kNoProgress) << height;
    EXPECT_EQ(pages, 0) << height;
  }
  // Three lines a page: eleven lines (the last one empty) on four pages.
  pages = 0;
  EXPECT_EQ(PrintPagesOn(dc.get(), 400, 3 * line, next_page), PageLoopEnd::kDone);
  EXPECT_EQ(pages, 3);
}

}  // namespace
}  // namespace tavrel
