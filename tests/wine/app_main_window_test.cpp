// The main window as the editor builds it, with its real menus, tool bar
// and editing component: command states follow the selection and the
// clipboard on menu and tool bar at once, the line-number margin follows
// the line count, and the view commands keep their check marks.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/shell/command_dispatch_win32.h"
#include "app/shell/command_ids.h"
#include "app/shell/element_ids.h"
#include "app/document/document_hooks.h"
#include "app/shell/editor_state.h"
#include "app/shell/editor_windows.h"
#include "app/search/find_in_document_win32.h"
#include "app/shell/main_window_win32.h"
#include "app/shell/message_boxes.h"
#include "app/search/search_strip_win32.h"
#include "app/shell/scintilla_messages.h"
#include "app/shell/view_options_win32.h"
#include "tests/wine/app_main_window_support.h"
#include "tests/wine/file_menu_click.h"
#include "tests/wine/message_pump.h"
#include "toolkit/bars/toolbar_win32.h"
#include "toolkit/controls/toolkit_win32.h"
#include "toolkit/menus/menu_records_win32.h"
#include "toolkit/menus/menu_win32.h"
#include "toolkit/style/colour_mode.h"
#include "toolkit/style/ui_style.h"

namespace tavrel {
namespace {

using test_support::ButtonEnabled;
using test_support::MenuChecked;
using test_support::MenuEnabled;
using test_support::MenuItemState;

class EditorEnvironment : public test_support::MainWindowEnvironment {
 public:
  void SetUp() override {
    // The display's clipboard outlives the tests run before this one; Paste
    // starts disabled only when it is empty.
    if (OpenClipboard(nullptr)) {
      EmptyClipboard();
      CloseClipboard();
    }
    MainWindowEnvironment::SetUp();
    StartClipboardMonitor(MainWindow());
  }
  void TearDown() override {
    StopClipboardMonitor(MainWindow());
    MainWindowEnvironment::TearDown();
  }
};
const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new EditorEnvironment);

// Runs the message loop until done() holds, for at most two seconds: the
// states follow through the component's own notifications, as in the program.
template <typename Done>
bool Eventually(Done done) {
  return wine_test::PumpUntil(done, 2000);
}

// Lets every pending notification arrive.
void Settle() { wine_test::PumpFor(150); }

void SetText(const char* text) {
  SendEditor(SCI_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  Settle();
}

void EmptyTheClipboard() {
  if (OpenClipboard(nullptr)) {
    EmptyClipboard();
    CloseClipboard();
  }
}

void PutTextOnTheClipboard(const wchar_t* text) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  const size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
  HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, bytes);
  ASSERT_NE(data, nullptr);
  memcpy(GlobalLock(data), text, bytes);
  GlobalUnlock(data);
  SetClipboardData(CF_UNICODETEXT, data);
  CloseClipboard();
}

TEST(MainWindow, StartsUntitledWithTheCommandsOfAnEmptyDocument) {
  wchar_t title[64] = {};
  GetWindowTextW(MainWindow(), title, 64);
  EXPECT_STREQ(title, L"Untitled - Tavrel");
  ASSERT_NE(MenuItemState(CMD_CUT), static_cast<UINT>(-1));
  for (int id : {CMD_UNDO, CMD_REDO, CMD_CUT, CMD_COPY, CMD_PASTE, CMD_PRINT, CMD_RECENT_FIRST})
    EXPECT_FALSE(MenuEnabled(id)) << id;
  for (int id : {CMD_NEW, CMD_OPEN, CMD_SAVE, CMD_SAVE_AS, CMD_DELETE, CMD_FIND_REPLACE, CMD_VIEW_HELP})
    EXPECT_TRUE(MenuEnabled(id)) << id;
  for (int id : {CMD_CUT, CMD_COPY, CMD_PASTE, CMD_PRINT}) EXPECT_FALSE(ButtonEnabled(id)) << id;
  EXPECT_TRUE(ButtonEnabled(CMD_NEW));
  // The editing area starts right below the rebar and fills the rest.
  RECT editor{}, client{};
  GetWindowRect(g_editor.editor_control, &editor);
  MapWindowPoints(nullptr, MainWindow(), reinterpret_cast<POINT*>(&editor), 2);
  GetClientRect(MainWindow(), &client);
  EXPECT_GT(editor.top, 0);
  EXPECT_EQ(editor.bottom, client.bottom);
  EXPECT_EQ(editor.right, client.right);
}

TEST(MainWindow, EveryMainToolBarButtonIsShown) {
  HWND toolbar = lumora::ToolbarWindow(kMainToolbar);
  RECT client{};
  GetClientRect(toolbar, &client);
  const int count = static_cast<int>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
  ASSERT_EQ(count, 11);  // eight buttons, three separators
  RECT last{};
  SendMessageW(toolbar, TB_GETITEMRECT, static_cast<WPARAM>(count - 1), reinterpret_cast<LPARAM>(&last));
  EXPECT_LE(last.right, client.right) << "the last button is clipped, and so hidden";
}

TEST(MainWindow, SelectionEnablesCutAndCopyOnMenuAndToolBarAtOnce) {
  SetText("hello world");
  SendEditor(SCI_SETSEL, 0, 5);
  EXPECT_TRUE(Eventually([] { return MenuEnabled(CMD_CUT); }));
  for (int id : {CMD_CUT, CMD_COPY}) {
    EXPECT_TRUE(MenuEnabled(id)) << id;
    EXPECT_TRUE(ButtonEnabled(id)) << id;
  }
  SendEditor(SCI_SETSEL, 3, 3);
  EXPECT_TRUE(Eventually([] { return !MenuEnabled(CMD_CUT); }));
  for (int id : {CMD_CUT, CMD_COPY}) {
    EXPECT_FALSE(MenuEnabled(id)) << id;
    EXPECT_FALSE(ButtonEnabled(id)) << id;
  }
}

TEST(MainWindow, TextCopiedElsewhereEnablesPasteThroughTheClipboardNotification) {
  EmptyTheClipboard();
  ASSERT_TRUE(Eventually([] { return !MenuEnabled(CMD_PASTE); }));
  // Copied by someone else: only the system's notification tells the editor.
  PutTextOnTheClipboard(L"other");
  EXPECT_TRUE(Eventually([] { return MenuEnabled(CMD_PASTE) && ButtonEnabled(CMD_PASTE); }));
  EmptyTheClipboard();
  EXPECT_TRUE(Eventually([] { return !MenuEnabled(CMD_PASTE); }));
}

// The clipboard monitor restarted with a listener that the system refuses,
// and the real one again at the end.
struct RefusedClipboardListener {
  RefusedClipboardListener() {
    StopClipboardMonitor(MainWindow());
    Settle();  // notifications already queued
    SetClipboardListenerForTesting([](HWND) -> BOOL {
      SetLastError(ERROR_ACCESS_DENIED);
      return FALSE;
    });
    StartClipboardMonitor(MainWindow());
  }
  ~RefusedClipboardListener() {
    SetClipboardListenerForTesting(nullptr);
    StartClipboardMonitor(MainWindow());
  }
};

TEST(MainWindow, WithoutClipboardNotificationsOpeningAMenuFindsTextCopiedElsewhere) {
  EmptyTheClipboard();
  ASSERT_TRUE(Eventually([] { return !MenuEnabled(CMD_PASTE); }));
  {
    const RefusedClipboardListener refused;
    PutTextOnTheClipboard(L"other");
    Settle();
    ASSERT_FALSE(MenuEnabled(CMD_PASTE)) << "a notification arrived after all";
    HWND bar = reinterpret_cast<HWND>(lumora::MenuExists(kMainMenu));
    ASSERT_TRUE(wine_test::OpenAndCloseFileMenu(bar, MainWindow()));
    EXPECT_TRUE(MenuEnabled(CMD_PASTE));
    EXPECT_TRUE(ButtonEnabled(CMD_PASTE));
  }
  EmptyTheClipboard();
}

TEST(MainWindow, CopyEnablesPasteBeforeAnyClipboardNotification) {
  EmptyTheClipboard();
  ASSERT_TRUE(Eventually([] { return !MenuEnabled(CMD_PASTE); }));
  SetText("copy me");
  SendEditor(SCI_SETSEL, 0, 4);
  // Straight through the dispatch, with no message pumped in between.
  SendMessageW(MainWindow(), WM_COMMAND, CMD_COPY, 0);
  EXPECT_EQ(g_editor.clipboard_has_text, 1);
  EXPECT_TRUE(Eventually([] { return MenuEnabled(CMD_PASTE); }));
  EXPECT_TRUE(ButtonEnabled(CMD_PASTE));
  EXPECT_TRUE(ClipboardHasText());
}

TEST(MainWindow, UndoAndRedoFollowTheHistory) {
  SendEditor(SCI_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
  SendEditor(SCI_EMPTYUNDOBUFFER);
  EXPECT_TRUE(Eventually([] { return !MenuEnabled(CMD_UNDO); }));
  SetText("abc");
  EXPECT_TRUE(Eventually([] { return MenuEnabled(CMD_UNDO); }));
  EXPECT_FALSE(MenuEnabled(CMD_REDO));
  SendMessageW(MainWindow(), WM_COMMAND, CMD_UNDO, 0);
  EXPECT_TRUE(Eventually([] { return MenuEnabled(CMD_REDO); }));
}

LRESULT NumberWidth(const char* sample) {
  return SendEditor(SCI_TEXTWIDTH, STYLE_LINENUMBER, reinterpret_cast<LPARAM>(sample));
}

TEST(MainWindow, LineNumberMarginFollowsNineTenNineLines) {
  SetText("1\n2\n3\n4\n5\n6\n7\n8\n9");
  ASSERT_EQ(SendEditor(SCI_GETLINECOUNT), 9);
  SendMessageW(MainWindow(), WM_COMMAND, CMD_LINE_NUMBERS, 0);
  EXPECT_TRUE(MenuChecked(CMD_LINE_NUMBERS));
  const LRESULT nine = NumberWidth("_9");
  EXPECT_EQ(SendEditor(SCI_GETMARGINWIDTHN, 0), nine);
  EXPECT_EQ(SendEditor(SCI_GETMARGINWIDTHN, 1), 10);
  SetText("1\n2\n3\n4\n5\n6\n7\n8\n9\n10");
  EXPECT_EQ(SendEditor(SCI_GETMARGINWIDTHN, 0), NumberWidth("_10"));
  EXPECT_GT(NumberWidth("_10"), nine);
  SetText("1\n2\n3\n4\n5\n6\n7\n8\n9");
  EXPECT_EQ(SendEditor(SCI_GETMARGINWIDTHN, 0), nine);
  SendMessageW(MainWindow(), WM_COMMAND, CMD_LINE_NUMBERS, 0);
  EXPECT_FALSE(MenuChecked(CMD_LINE_NUMBERS));
  EXPECT_EQ(SendEditor(SCI_GETMARGINWIDTHN, 0), 0);
  EXPECT_EQ(SendEditor(SCI_GETMARGINWIDTHN, 1), 14);
  // Off and on again measures afresh from the current count.
  SetText("1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11");
  SendMessageW(MainWindow(), WM_COMMAND, CMD_LINE_NUMBERS, 0);
  EXPECT_EQ(SendEditor(SCI_GETMARGINWIDTHN, 0), NumberWidth("_11"));
  SendMessageW(MainWindow(), WM_COMMAND, CMD_LINE_NUMBERS, 0);
}

TEST(MainWindow, WordWrapCheckMarkFollowsTheMode) {
  ASSERT_EQ(SendEditor(SCI_GETWRAPMODE), 0);
  SendMessageW(MainWindow(), WM_COMMAND, CMD_WORD_WRAP, 0);
  EXPECT_EQ(SendEditor(SCI_GETWRAPMODE), 1);
  EXPECT_TRUE(MenuChecked(CMD_WORD_WRAP));
  SendMessageW(MainWindow(), WM_COMMAND, CMD_WORD_WRAP, 0);
  EXPECT_EQ(SendEditor(SCI_GETWRAPMODE), 0);
  EXPECT_FALSE(MenuChecked(CMD_WORD_WRAP));
}

std::string EditorFont() {
  char face[64] = {};
  SendEditor(SCI_STYLEGETFONT, STYLE_DEFAULT, reinterpret_cast<LPARAM>(face));
  return face;
}

TEST(MainWindow, CancellingTheFontDialogChangesNothingAndSizesAreWholePoints) {
  const std::string before = EditorFont();
  SetFontDialogForTesting([](CHOOSEFONTW*) -> BOOL { return FALSE; });
  SendMessageW(MainWindow(), WM_COMMAND, CMD_FONT, 0);
  EXPECT_EQ(EditorFont(), before);
  EXPECT_EQ(g_editor.font_name, L"Lucida Console");
  EXPECT_EQ(g_editor.font_size, 10);

  SetFontDialogForTesting([](CHOOSEFONTW* dialog) -> BOOL {
    // The dialog opens on the current font.
    if (std::wstring(dialog->lpLogFont->lfFaceName) != L"Lucida Console") return FALSE;
    lstrcpynW(dialog->lpLogFont->lfFaceName, L"Courier New", LF_FACESIZE);
    dialog->iPointSize = 95;
    return TRUE;
  });
  SendMessageW(MainWindow(), WM_COMMAND, CMD_FONT, 0);
  EXPECT_EQ(g_editor.font_name, L"Courier New");
  EXPECT_EQ(g_editor.font_size, 9);
  EXPECT_EQ(EditorFont(), "Courier New");
  EXPECT_EQ(SendEditor(SCI_STYLEGETSIZE, STYLE_DEFAULT), 9);
  SetFontDialogForTesting(nullptr);
}

TEST(MainWindow, FontChangeMeasuresTheLineNumberMarginAgain) {
  std::string lines;
  for (int i = 1; i <= 973; ++i) lines += std::to_string(i) + "\n";
  SetText(lines.c_str());
  SendMessageW(MainWindow(), WM_COMMAND, CMD_LINE_NUMBERS, 0);
  const LRESULT small = NumberWidth("_974");
  ASSERT_EQ(SendEditor(SCI_GETMARGINWIDTHN, 0), small);
  SetFontDialogForTesting([](CHOOSEFONTW* dialog) -> BOOL {
    dialog->iPointSize = 240;
    return TRUE;
  });
  SendMessageW(MainWindow(), WM_COMMAND, CMD_FONT, 0);
  SetFontDialogForTesting(nullptr);
  Settle();
  EXPECT_EQ(SendEditor(SCI_STYLEGETSIZE, STYLE_DEFAULT), 24);
  EXPECT_GT(NumberWidth("_974"), small);
  EXPECT_EQ(SendEditor(SCI_GETMARGINWIDTHN, 0), NumberWidth("_974")) << "the numbers would be clipped";
  SendMessageW(MainWindow(), WM_COMMAND, CMD_LINE_NUMBERS, 0);
  // Back to the font the other tests expect.
  SetFontDialogForTesting([](CHOOSEFONTW* dialog) -> BOOL {
    lstrcpynW(dialog->lpLogFont->lfFaceName, L"Lucida Console", LF_FACESIZE);
    dialog->iPointSize = 100;
    return TRUE;
  });
  SendMessageW(MainWindow(), WM_COMMAND, CMD_FONT, 0);
  SetFontDialogForTesting(nullptr);
}

int CALLBACK CountFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  ++*reinterpret_cast<int*>(found);
  return 0;
}

TEST(MainWindow, FontDialogOpensOnTheFaceReallyUsedWhenTheConfiguredOneIsMissing) {
  const std::wstring configured = g_editor.font_name;
  g_editor.font_name = L"No Such Face Anywhere";
  static std::wstring offered;
  static LONG offered_height;
  SetFontDialogForTesting([](CHOOSEFONTW* dialog) -> BOOL {
    offered = dialog->lpLogFont->lfFaceName;
    offered_height = dialog->lpLogFont->lfHeight;
    return FALSE;
  });
  SendMessageW(MainWindow(), WM_COMMAND, CMD_FONT, 0);
  SetFontDialogForTesting(nullptr);
  g_editor.font_name = configured;
  EXPECT_NE(offered, L"No Such Face Anywhere");
  HDC screen = GetDC(nullptr);
  int families = 0;
  LOGFONTW query{};
  query.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(query.lfFaceName, offered.c_str(), LF_FACESIZE);
  EnumFontFamiliesExW(screen, &query, CountFamily, reinterpret_cast<LPARAM>(&families), 0);
  EXPECT_EQ(offered_height, -MulDiv(10, GetDeviceCaps(screen, LOGPIXELSY), 72));
  ReleaseDC(nullptr, screen);
  EXPECT_GT(families, 0) << "the dialog would not find the face it is given";
}

TEST(MainWindow, WordWrapKeepsTheCaretInView) {
  std::string line(20000, 'w');
  for (std::size_t i = 7; i < line.size(); i += 8) line[i] = ' ';
  SetText(("first\n" + line).c_str());
  SendEditor(SCI_DOCUMENTEND);
  Settle();
  auto caret_in_view = [] {
    RECT client{};
    GetClientRect(g_editor.editor_control, &client);
    const LRESULT caret = SendEditor(SCI_GETCURRENTPOS);
    const LRESULT x = SendEditor(SCI_POINTXFROMPOSITION, 0, caret);
    const LRESULT y = SendEditor(SCI_POINTYFROMPOSITION, 0, caret);
    return x >= 0 && x < client.right && y >= 0 && y + SendEditor(SCI_TEXTHEIGHT, 0) <= client.bottom;
  };
  ASSERT_TRUE(caret_in_view());
  SendMessageW(MainWindow(), WM_COMMAND, CMD_WORD_WRAP, 0);
  Settle();
  EXPECT_TRUE(caret_in_view()) << "wrapping on lost the caret";
  SendMessageW(MainWindow(), WM_COMMAND, CMD_WORD_WRAP, 0);
  Settle();
  EXPECT_TRUE(caret_in_view()) << "wrapping off lost the caret";
}

TEST(MainWindow, EndingTheSessionAsksAboutUnsavedChanges) {
  SetText("unsaved");
  ASSERT_NE(SendEditor(SCI_GETMODIFY), 0);
  static std::vector<std::wstring> questions;
  static int answer;
  questions.clear();
  g_document_hooks.ask_save_changes = [](const std::wstring& question) {
    questions.push_back(question);
    return answer;
  };
  answer = kAnswerCancel;
  EXPECT_EQ(SendMessageW(MainWindow(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), FALSE);
  ASSERT_EQ(questions.size(), 1u);
  EXPECT_EQ(questions[0], L"Do you want to save changes to Untitled?");
  EXPECT_TRUE(IsWindow(MainWindow()));
  EXPECT_NE(SendEditor(SCI_GETMODIFY), 0);
  answer = kAnswerNo;
  EXPECT_EQ(SendMessageW(MainWindow(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
  EXPECT_EQ(questions.size(), 2u);
  ResetDocumentHooks();
  SendEditor(SCI_SETSAVEPOINT);
}

TEST(MainWindow, AnExceptionWhileClosingKeepsTheWindowAndTheText) {
  SetText("kept");
  g_document_hooks.ask_save_changes = [](const std::wstring&) -> int { throw std::runtime_error("dialog failed"); };
  SendMessageW(MainWindow(), WM_CLOSE, 0, 0);
  ResetDocumentHooks();
  EXPECT_TRUE(IsWindow(MainWindow()));
  MSG quit;
  EXPECT_FALSE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the program would end";
  char text[16] = {};
  SendEditor(SCI_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "kept");
  SendEditor(SCI_SETSAVEPOINT);
}

TEST(MainWindow, CommandsWithoutHandlersChangeNothing) {
  SetText("unchanged");
  SendEditor(SCI_SETSEL, 0, 3);
  for (int id : {int{CMD_FIND_REPLACE}, int{CMD_GO_TO}, int{CMD_PROPERTIES}, int{CMD_TOOLBAR}, int{CMD_VIEW_HELP},
                 int{CMD_ABOUT}, 999})
    SendMessageW(MainWindow(), WM_COMMAND, static_cast<WPARAM>(id), 0);
  char text[32] = {};
  SendEditor(SCI_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "unchanged");
  EXPECT_EQ(SendEditor(SCI_GETSELECTIONEND), 3);
}

TEST(MainWindow, DeleteCommandDeletesOnlyASelection) {
  SetText("abcdef");
  SendEditor(SCI_SETSEL, 2, 2);
  SendMessageW(MainWindow(), WM_COMMAND, CMD_DELETE, 0);
  char text[32] = {};
  SendEditor(SCI_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "abcdef");
  SendEditor(SCI_SETSEL, 1, 3);
  SendMessageW(MainWindow(), WM_COMMAND, CMD_DELETE, 0);
  SendEditor(SCI_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "adef");
}

// Indicator runs over the document as "start-end ".
std::string Runs(int indicator) {
  std::string out;
  const LRESULT length = SendEditor(SCI_GETLENGTH);
  for (LRESULT pos = 0; pos < length;) {
    const LRESULT end = SendEditor(SCI_INDICATOREND, static_cast<WPARAM>(indicator), pos);
    if (SendEditor(SCI_INDICATORVALUEAT, static_cast<WPARAM>(indicator), pos))
      out += std::to_string(pos) + "-" + std::to_string(end) + " ";
    if (end <= pos) break;
    pos = end;
  }
  return out;
}

// Too many matches to mark at once: the search marks those on screen and
// leaves the rest to idle time. Text removed before the marked ones, which
// brings waiting ones up to them, and then typed after a waiting one, must
// leave every mark on a match.
TEST(MainWindow, SearchMarksStayOnMatchesAfterEditsBeforeMarkingEnds) {
  std::string document;
  for (int line = 0; line < 10000; ++line) document += "ab\n";
  SetText(document.c_str());
  SetWindowTextW(SearchField(), L"ab");
  SendMessageW(MainWindow(), WM_COMMAND, CMD_FIND_NEXT, 0);
  ASSERT_TRUE(SearchMarkingPending());
  ASSERT_EQ(SendEditor(SCI_GETFIRSTVISIBLELINE), 0);
  // Marked at once: the current match on line 0 and those on the lines on
  // screen and the one below. All but the last two of those lines go, so
  // that the first waiting match comes to byte 6; a letter typed at the
  // start of the next one, at byte 9, must only move that one. Only the
  // component's own notifications tell the searcher of these edits.
  const LRESULT marked_lines = SendEditor(SCI_LINESONSCREEN) + 1;
  SendEditor(SCI_DELETERANGE, 0, 3 * (marked_lines - 1));
  SendEditor(SCI_INSERTTEXT, 9, reinterpret_cast<LPARAM>("x"));
  ASSERT_TRUE(wine_test::PumpUntil([] { return !SearchMarkingPending(); }, 60000));
  std::string matches;
  Sci_TextToFindFull request{};
  request.chrg.cpMax = SendEditor(SCI_GETLENGTH);
  request.lpstrText = "ab";
  while (SendEditor(SCI_FINDTEXTFULL, 0, reinterpret_cast<LPARAM>(&request)) >= 0) {
    matches += std::to_string(request.chrgText.cpMin) + "-" + std::to_string(request.chrgText.cpMax) + " ";
    request.chrg.cpMin = request.chrgText.cpMin + 1;
  }
  EXPECT_EQ(Runs(1), "");  // the current match went with the removed text
  const std::string marks = Runs(2);
  const size_t at = static_cast<size_t>(
      std::mismatch(marks.begin(), marks.begin() + static_cast<std::ptrdiff_t>(std::min(marks.size(), matches.size())),
                    matches.begin()).first - marks.begin());
  const size_t from = at > 24 ? at - 24 : 0;
  EXPECT_TRUE(marks == matches) << "first difference: marks ..." << marks.substr(from, 48) << " matches ..."
                                << matches.substr(from, 48);
  SendMessageW(MainWindow(), WM_COMMAND, CMD_CLEAR_SEARCH, 0);
  SetText("");
}

}  // namespace
}  // namespace tavrel
