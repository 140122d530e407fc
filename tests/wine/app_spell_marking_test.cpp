// Spell checking a big document on the real main window, driven with real
// messages through a loop like the program's: switching spelling on marks
// what is on screen and leaves the rest to idle time, so the File menu
// opens and closes while marking still runs; text typed, pasted and
// deleted meanwhile (before, inside and across what is still unchecked)
// leaves, once marking ends, exactly the marks a fresh check of the
// edited text makes. Switching spelling off meanwhile stops it. Typing
// into one long line judges around the change and leaves the same marks.
// None of the marking is reported to the main window mark by mark, and an
// idle slice of it ends when a message waits. Marks that scroll into view
// meanwhile are painted, and of a line of megabytes only what is on screen
// is checked at once.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "app/shell/command_ids.h"
#include "app/shell/element_ids.h"
#include "app/document/document_hooks.h"
#include "app/shell/editor_state.h"
#include "app/shell/editor_windows.h"
#include "app/search/match_marking_win32.h"
#include "app/shell/scintilla_messages.h"
#include "app/spelling/spell_check_win32.h"
#include "app/spelling/spell_words.h"
#include "app/spelling/spelling_library_win32.h"
#include "tests/wine/app_main_window_support.h"
#include "tests/wine/file_menu_click.h"
#include "toolkit/menus/menu_win32.h"

namespace tavrel {
namespace {

using Ranges = std::vector<std::pair<intptr_t, intptr_t>>;

// About 6 MB of lines, each with two misspelt words, the last line ended.
std::string BigDocument() {
  std::string text;
  for (int line = 0; text.size() < (6u << 20); ++line) {
    text += "Line " + std::to_string(line) +
            " has the quick brown fox, wrold and nubmer jumps over the lazy dog.\r\n";
  }
  return text;
}

std::string Text() {
  const intptr_t length = SendEditor(SCI_GETLENGTH);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  Sci_TextRangeFull range{{0, length}, text.data()};
  SendEditor(SCI_GETTEXTRANGEFULL, 0, reinterpret_cast<intptr_t>(&range));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

// The runs of the spelling indicator, as the component reports them.
Ranges Marks() {
  const DirectEditor editor;
  Ranges marks;
  const intptr_t length = editor(SCI_GETLENGTH);
  for (intptr_t pos = 0; pos < length;) {
    const intptr_t end = editor(SCI_INDICATOREND, 0, pos);
    if (editor(SCI_INDICATORVALUEAT, 0, pos)) marks.emplace_back(pos, end);
    if (end <= pos) break;
    pos = end;
  }
  return marks;
}

// How many marks there are before position.
std::size_t MarksBefore(intptr_t position) {
  const DirectEditor editor;
  std::size_t count = 0;
  for (intptr_t pos = 0; pos < position;) {
    const intptr_t end = editor(SCI_INDICATOREND, 0, pos);
    if (editor(SCI_INDICATORVALUEAT, 0, pos)) ++count;
    if (end <= pos) break;
    pos = end;
  }
  return count;
}

// The marks a check of the whole text in one go makes, the library asked
// once per distinct word. As in the editor, the document's last word is
// left unjudged.
Ranges ExpectedMarks(const std::string& text) {
  std::map<std::string, bool, std::less<>> verdicts;
  Ranges marks;
  ForEachSpellWord(text, false, [&](std::size_t offset, std::size_t size) {
    const std::string word = text.substr(offset, size);
    auto found = verdicts.find(word);
    if (found == verdicts.end()) found = verdicts.emplace(word, SpellAskLibrary(word)).first;
    if (!found->second) marks.emplace_back(offset, offset + size);
  });
  return marks;
}

// The loop, one message at a time: marking goes on as long as it has
// work, so a loop that first takes every waiting message would not come
// back before it ends.
template <typename Done>
bool RunLoopUntil(Done done, DWORD limit_ms) {
  const DWORD end = GetTickCount() + limit_ms;
  MSG msg;
  while (!done()) {
    if (static_cast<int>(end - GetTickCount()) <= 0) return false;
    if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    } else {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
  }
  return true;
}

// Fires inside the menu's own loop: once the popup is on screen, notes
// whether marking is still pending then and closes the menu.
bool g_menu_seen = false;
bool g_pending_while_menu_open = false;
void CALLBACK CloseMenuNotingMarking(HWND window, UINT, UINT_PTR id, DWORD) {
  HWND popup = FindWindowW(L"#32768", nullptr);
  if (!popup || !IsWindowVisible(popup)) return;
  KillTimer(window, id);
  g_menu_seen = true;
  g_pending_while_menu_open = SpellingMarksPending();
  EndMenu();
}

// A real click on the File menu's title, as in the menu tests.
bool OpenAndCloseFileMenu(HWND main) {
  HWND bar = reinterpret_cast<HWND>(lumora::MenuExists(kMainMenu));
  RECT title{};
  SendMessageW(bar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&title));
  const LPARAM at = MAKELPARAM((title.left + title.right) / 2, (title.top + title.bottom) / 2);
  g_menu_seen = false;
  SetTimer(main, wine_test::kCloseMenuTimer, 10, CloseMenuNotingMarking);
  PostMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(bar, WM_LBUTTONUP, 0, at);
  const bool closed = RunLoopUntil([] { return g_menu_seen && !lumora::MenuTracking().active; }, 10000);
  KillTimer(main, wine_test::kCloseMenuTimer);
  return closed;
}

void TypeInto(HWND editor, const std::wstring& text) {
  for (const wchar_t c : text) PostMessageW(editor, WM_CHAR, c, 1);
}

class SpellMarkingTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    g_editor.spelling_dictionary = SpellInit(kDictionaryPath);
    g_document_hooks.check_spelling_document = CheckSpellingDocument;
  }
  void SetUp() override {
    ASSERT_TRUE(g_editor.spelling_dictionary) << "no dictionary (the test runs in the data folder)";
    if (g_editor.spell_check_on) SendMessageW(MainWindow(), WM_COMMAND, CMD_SPELL_CHECK, 0);
    const std::string text = BigDocument();
    SendEditor(SCI_SETUNDOCOLLECTION, 0);
    SendEditor(SCI_SETTEXT, 0, reinterpret_cast<intptr_t>(text.c_str()));
    SendEditor(SCI_GOTOPOS, 0);
    editor_ = g_editor.editor_control;
    main_ = MainWindow();
  }
  void SwitchSpelling(bool on) {
    PostMessageW(main_, WM_COMMAND, CMD_SPELL_CHECK, 0);
    ASSERT_TRUE(RunLoopUntil([on] { return (g_editor.spell_check_on != 0) == on; }, 30000));
  }
  HWND editor_ = nullptr;
  HWND main_ = nullptr;
};

TEST_F(SpellMarkingTest, TheButtonsTooltipSaysWhetherSpellingIsOn) {
  EXPECT_EQ(test_support::ButtonTooltip(CMD_SPELL_CHECK), L"Spell Check (Off)");
  ASSERT_NO_FATAL_FAILURE(SwitchSpelling(true));
  EXPECT_EQ(test_support::ButtonTooltip(CMD_SPELL_CHECK), L"Spell Check (On)");
  ASSERT_NO_FATAL_FAILURE(SwitchSpelling(false));
  EXPECT_EQ(test_support::ButtonTooltip(CMD_SPELL_CHECK), L"Spell Check (Off)");
}

TEST_F(SpellMarkingTest, EditsWhileMarkingIsPendingLeaveTheMarksOfAFreshCheck) {
  ASSERT_NO_FATAL_FAILURE(SwitchSpelling(true));
  ASSERT_TRUE(SpellingMarksPending()) << "the whole document was marked at once";
  // What is on screen is marked already: line 0's two misspelt words.
  const Ranges first = Marks();
  ASSERT_GE(first.size(), 2u);
  EXPECT_EQ(first[0], (std::pair<intptr_t, intptr_t>{32, 37}));  // "wrold"

  // Before the loop runs again, so before any idle slice: lines deleted
  // from what is on screen to far into what is not; words deleted ahead of
  // all unchecked text, which moves back; a paste of several lines there
  // too, and one into the middle of the unchecked text.
  const intptr_t cut = SendEditor(SCI_POSITIONFROMLINE, 20) + 7;
  SendEditor(SCI_DELETERANGE, cut, SendEditor(SCI_POSITIONFROMLINE, 30000) + 12 - cut);
  SendEditor(SCI_DELETERANGE, SendEditor(SCI_POSITIONFROMLINE, 10) + 5, 45);
  const std::string pasted = "Pasted linnes\r\nwith misteaks of thier own\r\nand more of tehm\r\n";
  SendEditor(SCI_INSERTTEXT, SendEditor(SCI_POSITIONFROMLINE, 3), reinterpret_cast<intptr_t>(pasted.c_str()));
  const intptr_t middle = SendEditor(SCI_POSITIONFROMLINE, SendEditor(SCI_GETLINECOUNT) / 2) + 10;
  SendEditor(SCI_INSERTTEXT, middle, reinterpret_cast<intptr_t>("wrods zqxv "));
  // Typed at the very start: everything still unchecked moves along.
  TypeInto(editor_, L"Teh ");
  ASSERT_TRUE(RunLoopUntil([] { return SendEditor(SCI_GETCURRENTPOS) == 4; }, 10000));
  // Backspace over a space inside a line: two words become one.
  SendEditor(SCI_GOTOPOS, SendEditor(SCI_POSITIONFROMLINE, 1) + 21);
  PostMessageW(editor_, WM_KEYDOWN, VK_BACK, 1);
  ASSERT_TRUE(SpellingMarksPending());

  // The window answers meanwhile: the File menu opens and closes.
  ASSERT_TRUE(OpenAndCloseFileMenu(main_));
  EXPECT_TRUE(g_pending_while_menu_open) << "marking ended before the menu could open";

  ASSERT_TRUE(RunLoopUntil([] { return !SpellingMarksPending(); }, 90000)) << "marking never ended";
  const std::string text = Text();
  ASSERT_EQ(text.compare(0, 4, "Teh "), 0);
  const Ranges marks = Marks();
  const Ranges expected = ExpectedMarks(text);
  auto at = [&](intptr_t position) { return text.substr(static_cast<std::size_t>(position), 12); };
  for (std::size_t i = 0; i < std::min(marks.size(), expected.size()); ++i)
    ASSERT_EQ(marks[i], expected[i]) << "mark " << i << " on '" << at(marks[i].first) << "' where one on '"
                                     << at(expected[i].first) << "' was due";
  EXPECT_EQ(marks.size(), expected.size());
  ASSERT_NO_FATAL_FAILURE(SwitchSpelling(false));
}

// Counts the component's reports of changed marks that reach the main window.
WNDPROC g_main_procedure = nullptr;
int g_mark_reports = 0;
LRESULT CALLBACK CountingMarkReports(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NOTIFY) {
    const auto* n = reinterpret_cast<const SCNotification*>(lparam);
    if (n->nmhdr.code == SCN_MODIFIED && (n->modificationType & SC_MOD_CHANGEINDICATOR)) ++g_mark_reports;
  }
  return CallWindowProcW(g_main_procedure, window, message, wparam, lparam);
}

// Marking makes thousands of marks; reported one by one, each would cost a
// trip through the main window while the user types. Neither marking in
// idle time nor the re-check around a key reports any.
TEST_F(SpellMarkingTest, MarkingReportsNoMarkToTheMainWindow) {
  g_mark_reports = 0;
  g_main_procedure = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(main_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingMarkReports)));
  ASSERT_TRUE(g_main_procedure);
  ASSERT_NO_FATAL_FAILURE(SwitchSpelling(true));
  TypeInto(editor_, L"Teh wrold ");
  const bool ended = RunLoopUntil([] { return !SpellingMarksPending() && SendEditor(SCI_GETCURRENTPOS) == 10; }, 90000);
  SetWindowLongPtrW(main_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_main_procedure));
  ASSERT_TRUE(ended);
  EXPECT_GE(Marks().size(), 2u);
  EXPECT_EQ(g_mark_reports, 0);
  ASSERT_NO_FATAL_FAILURE(SwitchSpelling(false));
  EXPECT_EQ(g_mark_reports, 0);
}

// A slice of idle marking gives way as soon as a message waits, not at the
// end of its time: one posted before the queue was last looked at (as a
// key that comes just before the slice's timer is taken), and another
// thread's call, which blocks that thread until it is answered.
TEST_F(SpellMarkingTest, AnIdleSliceEndsWhenAMessageWaits) {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  {
    const IdleSlice slice;
    EXPECT_FALSE(slice.Spent()) << "a slice with nothing waiting ended at once";
  }
  ASSERT_TRUE(PostMessageW(main_, WM_NULL, 0, 0));
  GetQueueStatus(QS_ALLINPUT);  // what came is no longer new
  {
    const IdleSlice slice;
    EXPECT_TRUE(slice.Spent()) << "a posted message";
  }
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);

  std::atomic<bool> answered = false;
  std::thread caller([this, &answered] {
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &answer);
    answered = true;
  });
  for (const DWORD until = GetTickCount() + 5000;
       !(HIWORD(GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE) && static_cast<int>(until - GetTickCount()) > 0;)
    Sleep(1);
  {
    const IdleSlice slice;
    EXPECT_TRUE(slice.Spent()) << "another thread's call";
  }
  while (!answered) {
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // answers the call
    Sleep(1);
  }
  caller.join();
}

// Misspelt words that scroll into view while the rest of the document is
// still being marked are marked by the next idle slice, and the window is
// asked to paint them; so is a key typed there while marking goes on
// above. (A redraw of the whole view asked for a mark made above it, and
// dropped, once held back every later repaint.)
TEST_F(SpellMarkingTest, WhatChangesOnScreenWhileMarkingIsRepainted) {
  ASSERT_NO_FATAL_FAILURE(SwitchSpelling(true));
  const intptr_t far_line = SendEditor(SCI_GETLINECOUNT) - 200;
  SendEditor(SCI_SETFIRSTVISIBLELINE, far_line);
  RedrawWindow(editor_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  const intptr_t line_start = SendEditor(SCI_POSITIONFROMLINE, far_line + 1);
  const intptr_t word = line_start + static_cast<intptr_t>(Text().find("wrold", static_cast<std::size_t>(line_start)) -
                                                           static_cast<std::size_t>(line_start));
  ASSERT_EQ(SendEditor(SCI_INDICATORVALUEAT, kSpellingIndicator, word), 0) << "marked before it came into view";
  ASSERT_TRUE(SpellingMarksPending());
  // One message at a time, so that the loop stops right after the slice
  // that marked it.
  ASSERT_TRUE(RunLoopUntil([&] { return SendEditor(SCI_INDICATORVALUEAT, kSpellingIndicator, word) != 0; }, 30000));
  EXPECT_TRUE(SpellingMarksPending()) << "marking ended first: the test proves nothing";
  EXPECT_TRUE(GetUpdateRect(editor_, nullptr, FALSE)) << "the marks on screen wait for no repaint";
  // Once painted, a key typed there after a slice has marked more of the
  // text above is painted too.
  SendEditor(SCI_GOTOPOS, line_start);
  RedrawWindow(editor_, nullptr, nullptr, RDW_UPDATENOW);
  const std::size_t above = MarksBefore(line_start);
  ASSERT_TRUE(RunLoopUntil([&] { return MarksBefore(line_start) > above; }, 10000));
  ASSERT_TRUE(SpellingMarksPending());
  const intptr_t length = SendEditor(SCI_GETLENGTH);
  TypeInto(editor_, L"Q");
  ASSERT_TRUE(RunLoopUntil([&] { return SendEditor(SCI_GETLENGTH) == length + 1; }, 10000));
  EXPECT_TRUE(GetUpdateRect(editor_, nullptr, FALSE)) << "the key typed on screen waits for no repaint";
  ASSERT_NO_FATAL_FAILURE(SwitchSpelling(false));
}

// Switching spelling on in a line of megabytes checks at once only the
// part of it on screen, not the whole line, which would hold the window.
TEST_F(SpellMarkingTest, OnlyTheScreenfulOfALongLineIsCheckedAtOnce) {
  std::string line;
  while (line.size() < (2u << 20)) line += "the quick brown fox wrold jumps over the nubmer dog, ";
  SendEditor(SCI_SETTEXT, 0, reinterpret_cast<intptr_t>(line.c_str()));
  for (const int wrap : {SC_WRAP_NONE, SC_WRAP_WORD}) {
    SendEditor(SCI_SETWRAPMODE, wrap);
    SendEditor(SCI_GOTOPOS, 1u << 20);
    SendEditor(SCI_SCROLLCARET);
    RedrawWindow(editor_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    SendMessageW(main_, WM_COMMAND, CMD_SPELL_CHECK, 0);  // no idle slice runs before the marks are read
    const Ranges marks = Marks();
    ASSERT_FALSE(marks.empty()) << "wrap " << wrap << ": nothing on screen was marked";
    const intptr_t first_shown = SendEditor(SCI_POSITIONFROMPOINT, 0, 0);
    EXPECT_GE(marks.front().first, first_shown - 64) << "wrap " << wrap;
    EXPECT_LT(marks.back().second - marks.front().first, 64 << 10) << "wrap " << wrap << ": far more than a screenful";
    ASSERT_NO_FATAL_FAILURE(SwitchSpelling(false));
  }
  SendEditor(SCI_SETWRAPMODE, SC_WRAP_NONE);
}

TEST_F(SpellMarkingTest, SwitchingOffWhileMarkingStopsItAndLeavesNoMark) {
  ASSERT_NO_FATAL_FAILURE(SwitchSpelling(true));
  ASSERT_TRUE(SpellingMarksPending());
  ASSERT_NO_FATAL_FAILURE(SwitchSpelling(false));
  EXPECT_FALSE(SpellingMarksPending());
  wine_test::PumpFor(200);
  EXPECT_TRUE(Marks().empty());
  // Typing while off marks nothing either.
  TypeInto(editor_, L"wrold ");
  ASSERT_TRUE(RunLoopUntil([] { return SendEditor(SCI_GETCURRENTPOS) == 6; }, 10000));
  EXPECT_TRUE(Marks().empty());
}

// One line of 300 KB: typing re-judges only around each change, and what
// that leaves is what a fresh check of the edited line marks: a space
// typed into a marked word, misspelt words typed amid the line, at and
// just after its start and at its end. Painting it leaves the component
// nothing to ask styled: the text is declared styled as it stands.
TEST_F(SpellMarkingTest, TypingInALongLineLeavesTheMarksOfAFreshCheck) {
  std::string line;
  while (line.size() < (300u << 10)) line += "the quick brown fox wrold jumps over the nubmer dog, ";
  SendEditor(SCI_SETTEXT, 0, reinterpret_cast<intptr_t>(line.c_str()));
  ASSERT_NO_FATAL_FAILURE(SwitchSpelling(true));
  ASSERT_TRUE(RunLoopUntil([] { return !SpellingMarksPending(); }, 60000));
  const intptr_t split = static_cast<intptr_t>(line.find("wrold", line.size() / 2)) + 2;
  auto type_at = [&](intptr_t position, const std::wstring& text) {
    SendEditor(SCI_GOTOPOS, position);
    const intptr_t length = SendEditor(SCI_GETLENGTH) + static_cast<intptr_t>(text.size());
    TypeInto(editor_, text);
    return RunLoopUntil([length] { return SendEditor(SCI_GETLENGTH) == length; }, 10000);
  };
  ASSERT_TRUE(type_at(split, L" "));  // "wr old"
  // At and near the line's start, where the re-check meets the line's edge.
  ASSERT_TRUE(type_at(0, L"Teh"));
  ASSERT_TRUE(type_at(1, L"x "));  // "Tx eh"
  ASSERT_TRUE(type_at(split + 30, L"Teh zqxv "));
  ASSERT_TRUE(type_at(SendEditor(SCI_GETLENGTH), L" recieve it"));
  const std::string text = Text();
  const Ranges marks = Marks();
  const Ranges expected = ExpectedMarks(text);
  for (std::size_t i = 0; i < std::min(marks.size(), expected.size()); ++i)
    ASSERT_EQ(marks[i], expected[i]) << "mark " << i;
  EXPECT_EQ(marks.size(), expected.size());

  RedrawWindow(editor_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(SendEditor(SCI_GETENDSTYLED), SendEditor(SCI_GETLENGTH));
  ASSERT_NO_FATAL_FAILURE(SwitchSpelling(false));
}

}  // namespace
}  // namespace tavrel

const auto* const g_environment =
    ::testing::AddGlobalTestEnvironment(new tavrel::test_support::MainWindowEnvironment);
