// The search strip's matcher against the editing component's own search:
// for varied documents (ASCII, letters whose folded forms change length,
// invalid UTF-8, runs that overlap) every match the component's find
// request reports, repeated from one byte after each match, must be found
// with the same start and the same length, and the shortcut for a longer
// text must agree too. Then the search as the strip runs it: the marks the
// component holds, the caret and the counter.
#include <random>

#include "app/search/find_in_document_win32.h"
#include "app/search/search_strip_win32.h"
#include "app/search/text_search.h"
#include "tests/wine/app_editor_fixture.h"

namespace tavrel {
namespace {

using test_support::EditorTest;

std::vector<TextMatch> ComponentMatches(const std::string& text) {
  std::vector<TextMatch> found;
  Sci_TextToFindFull request{};
  request.chrg.cpMin = 0;
  request.chrg.cpMax = SendEditor(SCI_GETLENGTH);
  request.lpstrText = text.c_str();
  for (;;) {
    const intptr_t pos = SendEditor(SCI_FINDTEXTFULL, 0, reinterpret_cast<intptr_t>(&request));
    if (pos < 0) break;
    found.push_back({request.chrgText.cpMin, request.chrgText.cpMax - request.chrgText.cpMin});
    request.chrg.cpMin = pos + 1;
  }
  return found;
}

std::string Describe(const std::vector<TextMatch>& matches) {
  std::string out;
  for (const TextMatch& m : matches) out += std::to_string(m.start) + "+" + std::to_string(m.length) + " ";
  return out;
}

std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char c : bytes) {
    out += digits[c >> 4];
    out += digits[c & 15];
    out += ' ';
  }
  return out;
}

// Pieces that stress folding, character boundaries and invalid bytes.
const char* const kPieces[] = {
    "a", "A", "s", "S", "k", "K", "i", "I", " ", "x",
    "\xC3\x9F",          // sharp s, folds to "ss"
    "\xC5\xBF",          // long s, folds to "s"
    "\xE2\x84\xAA",      // Kelvin sign, folds to "k"
    "\xC4\xB0",          // I with dot, folds to "i" + combining dot
    "\xCC\x87",          // combining dot above
    "\xC3\xA9", "\xC3\x89",  // e acute, both cases
    "\xCF\x83", "\xCE\xA3", "\xCF\x82",  // sigma forms
    "\xE1\xBA\x9E",      // capital sharp s
    "\xF0\x9F\x98\x80",  // outside the basic plane
    "\xEF\xBF\xBF",      // a non-character
    "\xE4\xB8",          // a cut-off sequence
    "\x80", "\xBF",      // stray trail bytes
    "\xC0\xAF",          // overlong
    "\xED\xA0\x80",      // encoded surrogate
    "\xF4\x90\x80\x80",  // beyond the last code point
    "\xC3", "\xFF",
};
// Valid search texts only: the field's text always converts to valid UTF-8.
const char* const kNeedles[] = {
    "a", "aa", "s", "ss", "SS", "sS", "k", "ks", "i", "i\xCC\x87", "\xC4\xB0", "\xC3\x9F", "\xE1\xBA\x9E",
    "\xC5\xBF", "\xC3\xA9", "\xC3\x89" "a", "\xCF\x83", "\xCF\x82", "\xE2\x84\xAA", "\xF0\x9F\x98\x80",
    "\xEF\xBF\xBF", "x ", "a a", "ssa", "\xE4\xB8\x80",
};

WNDPROC g_fixture_proc = nullptr;

// Edits reach the searcher the way the main window callback passes them on.
LRESULT CALLBACK PassEdits(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lparam)->code == SCN_MODIFIED) {
    const auto* change = reinterpret_cast<const SCNotification*>(lparam);
    NoteDocumentModified(change->modificationType, change->position, change->length);
  }
  return CallWindowProcW(g_fixture_proc, window, message, wparam, lparam);
}

class SearchMatcherTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    if (HasFatalFailure()) return;
    ResetSearchMemory();
    g_fixture_proc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(main_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PassEdits)));
  }
  void TearDown() override {
    ResetSearchMemory();
    EditorTest::TearDown();
  }

  // Compares both ways of finding over the document now in the component.
  void ExpectSameMatches(const std::string& document) {
    SetText(document);
    const std::string_view buffer(reinterpret_cast<const char*>(SendEditor(SCI_GETCHARACTERPOINTER)),
                                  static_cast<size_t>(SendEditor(SCI_GETLENGTH)));
    ASSERT_EQ(buffer, document);
    for (const char* needle : kNeedles) {
      SearchResult ours;
      FindAllMatches(buffer, 0, static_cast<int64_t>(buffer.size()), needle, ours);
      const std::string expected = Describe(ComponentMatches(needle));
      ASSERT_EQ(Describe(ours.matches), expected) << "needle " << Hex(needle) << " in " << Hex(document);
      // Typed one character at a time, each text narrowing the last result.
      SearchResult previous;
      const std::string text = needle;
      bool first = true;
      for (size_t end = 1; end <= text.size(); ++end) {
        if (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) continue;
        SearchResult next;
        if (first) {
          first = false;
          FindAllMatches(buffer, 0, static_cast<int64_t>(buffer.size()), text.substr(0, end), next);
        } else {
          FindMatchesAmong(buffer, static_cast<int64_t>(buffer.size()), text.substr(0, end), previous, next);
        }
        previous = std::move(next);
      }
      ASSERT_EQ(Describe(previous.matches), expected) << "typed needle " << Hex(needle) << " in " << Hex(document);
    }
  }
};

TEST_F(SearchMatcherTest, HandPickedDocumentsMatchTheComponent) {
  for (const char* document : {
           "aaaa", "Stra\xC3\x9F" "e STRASSE strasse", "\xC3\x9F\xC3\x9F" "ss\xE1\xBA\x9E" "S",
           "\xE2\x84\xAA" "k K", "I\xCC\x87 i\xCC\x87 \xC4\xB0", "\xCE\xA3\xCF\x83\xCF\x82",
           "\xE4\xB8" "a\xE4\xB8\x80" "a\x80" "a\xC3", "\xEF\xBF\xBF\xEF\xBF\xBF" "x", "x\xF0\x9F\x98\x80\xF0\x9F\x98",
       })
    ExpectSameMatches(document);
}

TEST_F(SearchMatcherTest, RandomDocumentsMatchTheComponent) {
  std::mt19937 random(20261207);
  for (int round = 0; round < 500; ++round) {
    std::string document;
    const int pieces = 1 + static_cast<int>(random() % 60);
    for (int i = 0; i < pieces; ++i) document += kPieces[random() % std::size(kPieces)];
    ExpectSameMatches(document);
    if (HasFatalFailure()) return;
  }
}

// Indicator `indicator`'s runs over the document as "start-end".
std::string Runs(int indicator) {
  std::string out;
  const intptr_t length = SendEditor(SCI_GETLENGTH);
  intptr_t pos = 0;
  while (pos < length) {
    const intptr_t end = SendEditor(SCI_INDICATOREND, indicator, pos);
    if (SendEditor(SCI_INDICATORVALUEAT, indicator, pos)) out += std::to_string(pos) + "-" + std::to_string(end) + " ";
    if (end <= pos) break;
    pos = end;
  }
  return out;
}

TEST_F(SearchMatcherTest, SearchMarksMatchedBytesStepsAndWraps) {
  // "ß" matched by "ss" covers its 2 bytes; "aa" in "aaa" overlaps.
  SetText("x Stra\xC3\x9F" "e strasse STRASSE");
  FindInDocument(0, SendEditor(SCI_GETLENGTH), L"strasse", 0);
  EXPECT_EQ(Runs(1), "2-9 ");
  EXPECT_EQ(Runs(2), "10-17 18-25 ");
  EXPECT_EQ(SendEditor(SCI_GETCURRENTPOS), 2);
  EXPECT_EQ(MatchCounter().text, L" 1 of 3 ");
  FindInDocument(0, SendEditor(SCI_GETLENGTH), L"strasse", 1);
  EXPECT_EQ(Runs(1), "10-17 ");
  EXPECT_EQ(Runs(2), "2-9 18-25 ");
  EXPECT_EQ(MatchCounter().text, L" 2 of 3 ");
  FindInDocument(0, SendEditor(SCI_GETLENGTH), L"strasse", 1);
  FindInDocument(0, SendEditor(SCI_GETLENGTH), L"strasse", 1);
  EXPECT_EQ(Runs(1), "2-9 ");
  EXPECT_EQ(SendEditor(SCI_GETCURRENTPOS), 2);
  EXPECT_EQ(MatchCounter().text, L" 1 of 3 ");

  SetText("aaa b aaa");
  FindInDocument(0, SendEditor(SCI_GETLENGTH), L"aa", 0);
  EXPECT_EQ(MatchCounter().text, L" 1 of 4 ");
  EXPECT_EQ(Runs(1), "0-2 ");
  EXPECT_EQ(Runs(2), "1-3 6-9 ");
  FindInDocument(0, SendEditor(SCI_GETLENGTH), L"aa", 1);
  EXPECT_EQ(Runs(1), "1-3 ");
  EXPECT_EQ(Runs(2), "0-2 6-9 ");  // the neighbour still covers the shared byte

  // No match: the counter's no-match form, no marks, the caret stays.
  SendEditor(SCI_GOTOPOS, 4);
  FindInDocument(0, SendEditor(SCI_GETLENGTH), L"zz", 0);
  EXPECT_EQ(MatchCounter().text, L" 0 of 0 ");
  EXPECT_EQ(MatchCounter().fill_colour, RGB(255, 100, 100));
  EXPECT_EQ(Runs(1) + Runs(2), "");
  EXPECT_EQ(SendEditor(SCI_GETCURRENTPOS), 4);
}

TEST_F(SearchMatcherTest, EditsBetweenSearchesAreSeen) {
  SetText("ab ab ab");
  FindInDocument(0, SendEditor(SCI_GETLENGTH), L"ab", 0);
  FindInDocument(0, SendEditor(SCI_GETLENGTH), L"ab", 1);
  FindInDocument(0, SendEditor(SCI_GETLENGTH), L"ab", 1);
  EXPECT_EQ(MatchCounter().text, L" 3 of 3 ");
  SendEditor(SCI_SETTEXT, 0, reinterpret_cast<intptr_t>("ab ab"));
  FindInDocument(0, SendEditor(SCI_GETLENGTH), L"ab", 0);
  EXPECT_EQ(MatchCounter().text, L" 1 of 2 ");
  EXPECT_EQ(Runs(1), "0-2 ");
  EXPECT_EQ(Runs(2), "3-5 ");
}

}  // namespace
}  // namespace tavrel

namespace tavrel {
namespace {

// Too many matches to mark in one keystroke: those off screen are marked in
// idle time, and an edit made before they are must move them like marks.
TEST_F(SearchMatcherTest, MarksLeftForIdleTimeFollowEdits) {
  std::string document;
  for (int line = 0; line < 10000; ++line) document += "ab\n";
  SetText(document);
  FindInDocument(0, SendEditor(SCI_GETLENGTH), L"AB", 0);
  EXPECT_EQ(MatchCounter().text, L" 1 of 10000 ");
  ASSERT_TRUE(SearchMarkingPending());
  // Typed into the middle of match 5000, then two lines removed before it.
  SendEditor(SCI_INSERTTEXT, 15001, reinterpret_cast<intptr_t>("XY"));
  SendEditor(SCI_DELETERANGE, 9000, 6);
  ASSERT_TRUE(test_support::PumpUntil([] { return !SearchMarkingPending(); }, 60000));
  std::string expected;
  for (int64_t k = 1; k < 10000; ++k) {
    if (k == 3000 || k == 3001) continue;  // deleted
    int64_t start = 3 * k, end = start + 2;
    if (k == 5000) end += 2;
    if (start >= 15001) start += 2;
    if (end > 15001 && k != 5000) end += 2;
    if (start >= 9006) start -= 6;
    if (end >= 9006) end -= 6;
    expected += std::to_string(start) + "-" + std::to_string(end) + " ";
  }
  EXPECT_EQ(Runs(2), expected);
  EXPECT_EQ(Runs(1), "0-2 ");
}

}  // namespace
}  // namespace tavrel

namespace tavrel {
namespace {

// More matches than are remembered at a time: the counter still counts
// them all, only the remembered ones carry marks, and Find Next walks on
// past the last remembered one and wraps around to the first.
TEST_F(SearchMatcherTest, MatchesBeyondTheRememberedOnesAreCountedAndReached) {
  SetRememberedMatchLimit(4);
  SetText("ab ab ab ab ab ab ab ab ab ab");  // ten, every 3 bytes
  FindInDocument(0, SendEditor(SCI_GETLENGTH), L"ab", 0);
  EXPECT_EQ(MatchCounter().text, L" 1 of 10 ");
  EXPECT_EQ(Runs(1), "0-2 ");
  EXPECT_EQ(Runs(2), "3-5 6-8 9-11 ");
  for (int i = 0; i < 4; ++i) FindInDocument(0, SendEditor(SCI_GETLENGTH), L"ab", 1);
  EXPECT_EQ(MatchCounter().text, L" 5 of 10 ");
  EXPECT_EQ(SendEditor(SCI_GETCURRENTPOS), 12);
  EXPECT_EQ(Runs(1), "12-14 ");
  EXPECT_EQ(Runs(2), "15-17 18-20 21-23 ");
  for (int i = 0; i < 5; ++i) FindInDocument(0, SendEditor(SCI_GETLENGTH), L"ab", 1);
  EXPECT_EQ(MatchCounter().text, L" 10 of 10 ");
  EXPECT_EQ(SendEditor(SCI_GETCURRENTPOS), 27);
  EXPECT_EQ(Runs(1), "27-29 ");
  EXPECT_EQ(Runs(2), "24-26 ");
  FindInDocument(0, SendEditor(SCI_GETLENGTH), L"ab", 1);
  EXPECT_EQ(MatchCounter().text, L" 1 of 10 ");
  EXPECT_EQ(SendEditor(SCI_GETCURRENTPOS), 0);
  EXPECT_EQ(Runs(2), "3-5 6-8 9-11 ");
  // A longer text narrows only a complete result: here it searches afresh.
  FindInDocument(0, SendEditor(SCI_GETLENGTH), L"ab a", 0);
  EXPECT_EQ(MatchCounter().text, L" 1 of 9 ");
  SetRememberedMatchLimit(size_t{1} << 20);
}

}  // namespace
}  // namespace tavrel
