// The editing component on one very long line: a view that has laid the
// line out and is then edited (so that it lays it out again only around
// each edit) must place every character, hit-test and draw exactly as a
// view that lays the same text out whole. Both views show one document side
// by side; before each comparison the second one drops its layouts.
// Plain ASCII placed by multiplying must lie where measuring puts it.
#include <gtest/gtest.h>
#include <windows.h>

#include <Scintilla.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/wine/message_pump.h"
#include "tests/wine/screen_pixels.h"

namespace {

std::wstring ExeFolder() {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring s(path);
  return s.substr(0, s.find_last_of(L"\\/") + 1);
}

// Records like a minified dump, with a two-byte letter now and then, long
// enough to be laid out around edits.
std::string LongLine(size_t size, bool tab_near_end) {
  static const char* const kWords[] = {"editor", "value", "caf\xC3\xA9", "line", "text", "na\xC3\xAFve", "count"};
  std::string line;
  uint32_t seed = 11;
  while (line.size() < size) {
    seed = seed * 1103515245u + 12345u;
    line += "{\"id\":" + std::to_string((seed >> 8) % 100000) + ",\"name\":\"" + kWords[(seed >> 16) % 7] + "\"},";
  }
  if (tab_near_end) line.insert(line.size() - 40, "\t");
  return line;
}

class View {
 public:
  View(int x, HWND share_with) {
    window_ = CreateWindowExW(0, L"Scintilla", L"", WS_POPUP | WS_VISIBLE, x, 0, 400, 160, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    if (!window_) return;
    if (share_with) Send(SCI_SETDOCPOINTER, 0, SendMessageW(share_with, SCI_GETDOCPOINTER, 0, 0));
    Send(SCI_SETCODEPAGE, SC_CP_UTF8);
    Send(SCI_SETKEYSUNICODE, 1);
    for (int style : {STYLE_DEFAULT, 0}) {
      Send(SCI_STYLESETFONT, style, reinterpret_cast<LPARAM>("Lucida Console"));
      Send(SCI_STYLESETSIZE, style, 10);
      Send(SCI_STYLESETCHECKMONOSPACED, style, 1);
    }
    Send(SCI_SETMARGINWIDTHN, 1, 0);
    Send(SCI_SETHSCROLLBAR, 0);
    Send(SCI_SETVSCROLLBAR, 0);
    Send(SCI_SETCARETSTYLE, CARETSTYLE_INVISIBLE);
    Send(SCI_INDICSETSTYLE, 0, INDIC_SQUIGGLE);
    Send(SCI_INDICSETFORE, 0, RGB(255, 0, 0));
  }
  ~View() {
    if (window_) DestroyWindow(window_);
  }
  HWND window() const { return window_; }
  LRESULT Send(UINT message, WPARAM wparam = 0, LPARAM lparam = 0) const {
    return SendMessageW(window_, message, wparam, lparam);
  }
  // Drops every layout: the next one is made whole.
  void ForgetLayouts() const {
    Send(SCI_SETLAYOUTCACHE, SC_CACHE_NONE);
    Send(SCI_SETLAYOUTCACHE, SC_CACHE_CARET);
  }
  // What the window shows once painted whole, or (as_asked) once it has
  // painted only what it asked to have repainted.
  std::vector<uint32_t> Pixels(bool as_asked = false) const {
    RedrawWindow(window_, nullptr, nullptr, (as_asked ? 0 : RDW_INVALIDATE) | RDW_UPDATENOW);
    wine_test::PumpFor(50);
    RECT r;
    GetWindowRect(window_, &r);
    return wine_test::ScreenPixels(r);
  }

 private:
  HWND window_ = nullptr;
};

class LongLineLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(LoadLibraryW((ExeFolder() + L"Scintilla64.dll").c_str()), nullptr);
    edited_ = std::make_unique<View>(0, nullptr);
    ASSERT_NE(edited_->window(), nullptr);
    whole_ = std::make_unique<View>(420, edited_->window());
    ASSERT_NE(whole_->window(), nullptr);
  }

  void Load(const std::string& text) {
    edited_->Send(SCI_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    edited_->Send(SCI_EMPTYUNDOBUFFER);
  }

  // Puts the edited view's caret at position with the line laid out, as
  // before a user's keystroke there.
  void GoTo(LRESULT position) {
    edited_->Send(SCI_GOTOPOS, static_cast<WPARAM>(position));
    RedrawWindow(edited_->window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }

  void Type(wchar_t ch) {
    SendMessageW(edited_->window(), WM_CHAR, ch, 1);
    RedrawWindow(edited_->window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }

  // Both views show the same place with the same selection; every
  // position near the caret and a sample of the rest lie at the same
  // point, points hit the same characters, and the pixels are the same.
  void ExpectSameAsWholeLayout(const char* step) {
    SCOPED_TRACE(step);
    whole_->ForgetLayouts();
    whole_->Send(SCI_SETSEL, edited_->Send(SCI_GETANCHOR), edited_->Send(SCI_GETCURRENTPOS));
    // A selection is drawn in another colour in the view with the focus.
    whole_->Send(SCI_SETFOCUS, edited_->Send(SCI_GETFOCUS));
    whole_->Send(SCI_SETFIRSTVISIBLELINE, edited_->Send(SCI_GETFIRSTVISIBLELINE));
    whole_->Send(SCI_SETXOFFSET, edited_->Send(SCI_GETXOFFSET));
    // Wrapping is done when painting: both views are painted first.
    RedrawWindow(whole_->window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RedrawWindow(edited_->window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    wine_test::PumpFor(20);
    whole_->Send(SCI_SETFIRSTVISIBLELINE, edited_->Send(SCI_GETFIRSTVISIBLELINE));
    whole_->Send(SCI_SETXOFFSET, edited_->Send(SCI_GETXOFFSET));
    const LRESULT length = edited_->Send(SCI_GETLENGTH);
    const LRESULT caret = edited_->Send(SCI_GETCURRENTPOS);
    std::vector<LRESULT> positions;
    for (LRESULT p = std::max<LRESULT>(caret - 400, 0); p <= std::min(caret + 400, length); ++p) positions.push_back(p);
    for (LRESULT p = 0; p <= length; p += 4999) positions.push_back(p);
    positions.push_back(length);
    int differences = 0;
    for (const LRESULT p : positions) {
      const LRESULT x = edited_->Send(SCI_POINTXFROMPOSITION, 0, p), y = edited_->Send(SCI_POINTYFROMPOSITION, 0, p);
      const LRESULT wx = whole_->Send(SCI_POINTXFROMPOSITION, 0, p), wy = whole_->Send(SCI_POINTYFROMPOSITION, 0, p);
      if ((x != wx || y != wy) && ++differences <= 5)
        ADD_FAILURE() << "position " << p << " at " << x << "," << y << ", laid out whole at " << wx << "," << wy;
    }
    EXPECT_EQ(differences, 0);
    EXPECT_EQ(edited_->Send(SCI_WRAPCOUNT, 0), whole_->Send(SCI_WRAPCOUNT, 0));
    for (int x = 3; x < 400; x += 37) {
      for (int y = 5; y < 160; y += 40) {
        EXPECT_EQ(edited_->Send(SCI_POSITIONFROMPOINT, x, y), whole_->Send(SCI_POSITIONFROMPOINT, x, y))
            << "point " << x << "," << y;
      }
    }
    const std::vector<uint32_t> edited = edited_->Pixels(), whole = whole_->Pixels();
    EXPECT_TRUE(edited == whole) << "the two views draw differently";
  }

  std::unique_ptr<View> edited_, whole_;
};

TEST_F(LongLineLayout, TypingDeletingAndUndoingAtEachPlaceLaysOutAsAWholeLayoutDoes) {
  for (int wrap : {SC_WRAP_NONE, SC_WRAP_WORD}) {
    Load(LongLine(300 * 1024, false));
    edited_->Send(SCI_SETWRAPMODE, wrap);
    whole_->Send(SCI_SETWRAPMODE, wrap);
    const LRESULT length = edited_->Send(SCI_GETLENGTH);
    for (const LRESULT at : {length, LRESULT{0}, length / 2, length / 3 + 1}) {
      const std::string where = "wrap " + std::to_string(wrap) + ", at " + std::to_string(at);
      GoTo(at);
      ExpectSameAsWholeLayout(("before typing, " + where).c_str());
      Type(L'x');
      Type(L'y');
      ExpectSameAsWholeLayout(("two letters typed, " + where).c_str());
      Type(L'\xE9');  // two bytes in the document
      Type(L' ');
      ExpectSameAsWholeLayout(("a two-byte letter and a space typed, " + where).c_str());
      edited_->Send(SCI_DELETEBACK);
      edited_->Send(SCI_DELETEBACK);
      ExpectSameAsWholeLayout(("two characters deleted, " + where).c_str());
      edited_->Send(SCI_UNDO);
      ExpectSameAsWholeLayout(("undone, " + where).c_str());
      // A selection across the edit, replaced by a letter.
      edited_->Send(SCI_SETSEL, static_cast<WPARAM>(std::max<LRESULT>(at - 30, 0)), at);
      ExpectSameAsWholeLayout(("selected, " + where).c_str());
      Type(L'z');
      ExpectSameAsWholeLayout(("selection replaced, " + where).c_str());
    }
  }
}

TEST_F(LongLineLayout, MarksAndATabAfterTheEditStayRight) {
  Load(LongLine(200 * 1024, true));
  const LRESULT length = edited_->Send(SCI_GETLENGTH);
  // Marks across the line, as spelling leaves them, far from the view too.
  edited_->Send(SCI_SETINDICATORCURRENT, 0);
  for (LRESULT p = 10; p + 5 < length; p += 97) edited_->Send(SCI_INDICATORFILLRANGE, static_cast<WPARAM>(p), 5);
  for (const LRESULT at : {length / 2, length - 20}) {
    GoTo(at);
    Type(L'q');
    ExpectSameAsWholeLayout(("typed with a tab after it, at " + std::to_string(at)).c_str());
  }
}

// Marks made in a laid-out long line, as idle marking makes them, are
// repainted where they lie rather than across the whole line: each one on
// screen, or reaching into it from either side or from another subline,
// is drawn as a full repaint draws it.
TEST_F(LongLineLayout, MarksMadeAfterLayingOutAreRepaintedWhereTheyLie) {
  for (int wrap : {SC_WRAP_NONE, SC_WRAP_WORD}) {
    SCOPED_TRACE("wrap " + std::to_string(wrap));
    Load(LongLine(300 * 1024, false));
    edited_->Send(SCI_SETWRAPMODE, wrap);
    whole_->Send(SCI_SETWRAPMODE, wrap);
    GoTo(edited_->Send(SCI_GETLENGTH) / 2);
    whole_->Send(SCI_SETFIRSTVISIBLELINE, edited_->Send(SCI_GETFIRSTVISIBLELINE));
    whole_->Send(SCI_SETXOFFSET, edited_->Send(SCI_GETXOFFSET));
    RedrawWindow(whole_->window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const LRESULT first = edited_->Send(SCI_POSITIONFROMPOINT, 0, 0);
    const LRESULT last = edited_->Send(SCI_POSITIONFROMPOINT, 399, 159);
    ASSERT_GT(last, first + 20);
    edited_->Send(SCI_SETINDICATORCURRENT, 0);
    for (LRESULT p = first - 2000; p < last + 2000; p += 13) edited_->Send(SCI_INDICATORFILLRANGE, static_cast<WPARAM>(p), 7);
    // One across many sublines (or the whole view) too.
    edited_->Send(SCI_INDICATORFILLRANGE, static_cast<WPARAM>(first + 3), last - first - 6);
    const std::vector<uint32_t> edited = edited_->Pixels(true), whole = whole_->Pixels();
    EXPECT_TRUE(edited == whole) << "marks were left unpainted";
    edited_->Send(SCI_INDICATORCLEARRANGE, 0, edited_->Send(SCI_GETLENGTH));
  }
}

// Plain ASCII in a font whose ASCII is all of one width is placed by
// multiplying, and the letters of other scripts amid it are measured apart:
// every character must still lie where measuring the whole text puts it.
TEST_F(LongLineLayout, ASCIIPlacedByMultiplyingLiesWhereMeasuringPutsIt) {
  Load(LongLine(40 * 1024, false) + " \xE2\x80\x94 \xCE\xB1\xCE\xB2\xCE\xB3 x\xCC\x81 end");
  for (int style : {STYLE_DEFAULT, 0}) whole_->Send(SCI_STYLESETCHECKMONOSPACED, style, 0);
  const LRESULT length = edited_->Send(SCI_GETLENGTH);
  GoTo(length);
  whole_->ForgetLayouts();
  whole_->Send(SCI_SETXOFFSET, edited_->Send(SCI_GETXOFFSET));
  int differences = 0;
  for (LRESULT p = 0; p <= length; ++p) {
    const LRESULT x = edited_->Send(SCI_POINTXFROMPOSITION, 0, p), measured = whole_->Send(SCI_POINTXFROMPOSITION, 0, p);
    if (x != measured && ++differences <= 5) ADD_FAILURE() << "position " << p << " at " << x << ", measured " << measured;
  }
  EXPECT_EQ(differences, 0);
}

}  // namespace
