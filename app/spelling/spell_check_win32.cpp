#include "app/spelling/spell_check_win32.h"

#include <algorithm>
#include <new>
#include <string>
#include <string_view>

#include "app/shell/editor_state.h"
#include "app/shell/editor_windows.h"
#include "app/search/match_marking_win32.h"
#include "app/shell/message_boxes.h"
#include "app/shell/scintilla_messages.h"
#include "app/spelling/spell_pending_ranges.h"
#include "app/spelling/spell_words.h"
#include "app/spelling/spelling_library_win32.h"
#include "platform/error_log.h"
#include "platform/error_log_win32.h"

namespace tavrel {
namespace {

// A document up to this size is checked at once; a bigger one (or a bigger
// insertion) has what is on screen checked at once and the rest in idle
// slices, so that the window keeps answering.
constexpr int64_t kCheckAtOnce = 64 * 1024;
// One piece of an idle slice: the clock is read between pieces. Words are
// judged quickly, each mark costs the component some work, and a piece
// this size keeps a key that comes meanwhile waiting for a millisecond or
// two at most.
constexpr int64_t kPieceBytes = 2 * 1024;
// How far a piece's ends move to reach the edge of a word. A run of word
// bytes longer than this is cut where it stands: no dictionary holds it.
constexpr int64_t kLongestWord = 4096;

struct SpellMarking {
  PendingSpellRanges pending;
  UINT_PTR timer = 0;
  std::string text;  // the piece's text, kept to spare an allocation per piece
};

SpellMarking g_marking;

void ClearAllMarks() {
  const DirectEditor editor;
  const QuietIndicators quiet(editor);
  editor(SCI_SETINDICATORCURRENT, kSpellingIndicator);
  editor(SCI_INDICATORCLEARRANGE, 0, editor(SCI_GETLENGTH));
}

bool IsCutBefore(const DirectEditor& editor, int64_t position) {
  return IsSpellCutByte(static_cast<unsigned char>(editor(SCI_GETCHARAT, static_cast<uintptr_t>(position - 1))));
}

// Checks a piece of pending text, widened to whole words, and takes it off
// the pending ranges. The current indicator is the spelling one.
void CheckPiece(const DirectEditor& editor, ByteRange piece) {
  const int64_t length = editor(SCI_GETLENGTH);
  int64_t start = std::clamp<int64_t>(piece.start, 0, length);
  int64_t end = std::clamp<int64_t>(piece.end, start, length);
  for (const int64_t floor = std::max<int64_t>(start - kLongestWord, 0); start > floor && !IsCutBefore(editor, start);)
    --start;
  for (const int64_t ceiling = std::min(end + kLongestWord, length); end < ceiling && !IsCutBefore(editor, end);)
    ++end;
  g_marking.pending.Remove(std::min(start, piece.start), std::max(end, piece.end));
  if (end <= start) return;
  std::string& text = g_marking.text;
  text.resize(static_cast<std::size_t>(end - start) + 1);
  Sci_TextRangeFull range{{static_cast<Sci_Position>(start), static_cast<Sci_Position>(end)}, text.data()};
  editor(SCI_GETTEXTRANGEFULL, 0, reinterpret_cast<intptr_t>(&range));
  const std::string_view view(text.data(), static_cast<std::size_t>(end - start));
  editor(SCI_INDICATORCLEARRANGE, static_cast<uintptr_t>(start), end - start);
  // The piece ends just after a separator (or at the document's end, whose
  // last word stays unjudged as in a check of the whole document).
  ForEachSpellWord(view, false, [&](std::size_t offset, std::size_t size) {
    if (!SpellCheckUtf8(view.substr(offset, size)))
      editor(SCI_INDICATORFILLRANGE, static_cast<uintptr_t>(start) + offset, static_cast<intptr_t>(size));
  });
}

void CheckPendingIn(const DirectEditor& editor, int64_t from, int64_t to) {
  ByteRange piece;
  while (g_marking.pending.Next(from, to, kPieceBytes, &piece) && piece.start < to && piece.end > from)
    CheckPiece(editor, piece);
}

void CheckPendingOnScreen(const DirectEditor& editor) {
  int64_t start = 0, end = 0;
  VisibleRange(editor, start, end);
  CheckPendingIn(editor, start, end);
}

bool CanMark() {
  return g_editor.spelling_dictionary && g_editor.editor_control && IsWindow(g_editor.editor_control);
}

void CALLBACK CheckSlice(HWND, UINT, UINT_PTR, DWORD) {
  try {
    if (!CanMark()) {
      StopSpellingMarks();
      return;
    }
    const DirectEditor editor;
    const QuietIndicators quiet(editor);
    editor(SCI_SETINDICATORCURRENT, kSpellingIndicator);
    // What came into view since the last slice goes first.
    CheckPendingOnScreen(editor);
    const IdleSlice slice;
    ByteRange piece;
    while (g_marking.pending.Next(0, 0, kPieceBytes, &piece)) {
      CheckPiece(editor, piece);
      if (slice.Spent()) break;
    }
    if (g_marking.pending.Empty()) StopSpellingMarks();
  } catch (...) {
    platform::LogCurrentException("spelling: idle marking");
    StopSpellingMarks();
  }
}

// Checks [start, end) as a document is checked: all of it at once when it
// is small, otherwise what is on screen now and the rest in idle slices.
void CheckSpellingLater(int64_t start, int64_t end) {
  if (!CanMark() || end <= start) return;
  const DirectEditor editor;
  g_marking.pending.Add(start, end);
  {
    const QuietIndicators quiet(editor);
    editor(SCI_SETINDICATORCURRENT, kSpellingIndicator);
    if (end - start <= kCheckAtOnce) {
      CheckPendingIn(editor, start, end);
    } else {
      CheckPendingOnScreen(editor);
    }
  }
  if (!g_marking.pending.Empty() && !g_marking.timer) {
    g_marking.timer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, CheckSlice);
    if (!g_marking.timer) platform::LogWin32Failure("SetTimer (spell marking)");
  }
}

}  // namespace

void CheckSpellingRange(intptr_t start, intptr_t length) {
  if (!g_editor.spelling_dictionary) return;
  // A deletion's range is given in the text as it was; what is left of it
  // may end past the end of the document now.
  const intptr_t document_length = SendEditor(SCI_GETLENGTH);
  start = std::clamp<intptr_t>(start, 0, document_length);
  intptr_t end = std::clamp<intptr_t>(start + std::max<intptr_t>(length, 0), start, document_length);
  const intptr_t edit_start = start, edit_end = end;
  start = SendEditor(SCI_POSITIONFROMLINE, SendEditor(SCI_LINEFROMPOSITION, start));
  // Whole lines, the last one included: a change ending inside a word
  // (a paste of several lines, say) leaves the rest of its line to judge.
  const intptr_t last_line_end = SendEditor(SCI_GETLINEENDPOSITION, SendEditor(SCI_LINEFROMPOSITION, end));
  bool ends_at_line_end = false;
  if (end < last_line_end) {
    end = last_line_end;
    ends_at_line_end = true;
  }
  if (end - start > kCheckAtOnce) {
    // Lines this long (a minified script, a dump on one line) are judged
    // only around the change, from the word before it to the word after:
    // the rest kept its marks, which moved with the text.
    const DirectEditor editor;
    const intptr_t line_start = start;
    start = edit_start;
    for (const intptr_t floor = std::max<intptr_t>(start - kLongestWord, line_start);
         start > floor && !IsCutBefore(editor, start);)
      --start;
    const intptr_t ceiling = std::min<intptr_t>(edit_end + kLongestWord, end);
    // Past the word after the change too: a separator typed into a word
    // leaves its second half a word of its own.
    intptr_t narrowed_end = edit_end;
    while (narrowed_end < ceiling && !(narrowed_end > edit_end && IsCutBefore(editor, narrowed_end))) ++narrowed_end;
    ends_at_line_end = ends_at_line_end && narrowed_end == end;
    end = narrowed_end;
  }
  length = end - start;
  if (length <= 0) return;

  std::string text;
  try {
    text.resize(static_cast<std::size_t>(length) + 1);
  } catch (const std::bad_alloc& error) {
    platform::LogCaught("spelling: range text", 0, &error);
    ShowMessageBox(L"Tavrel", L"Error: Can't allocate memory!");
    return;
  }
  const DirectEditor editor;
  Sci_TextRangeFull range{{start, end}, text.data()};
  editor(SCI_GETTEXTRANGEFULL, 0, reinterpret_cast<intptr_t>(&range));
  const std::string_view view(text.data(), static_cast<std::size_t>(length));
  const QuietIndicators quiet(editor);
  editor(SCI_SETINDICATORCURRENT, kSpellingIndicator);
  editor(SCI_INDICATORCLEARRANGE, static_cast<uintptr_t>(start), length);
  ForEachSpellWord(view, ends_at_line_end, [&](std::size_t offset, std::size_t size) {
    if (!SpellCheckUtf8(view.substr(offset, size)))
      editor(SCI_INDICATORFILLRANGE, static_cast<uintptr_t>(start) + offset, static_cast<intptr_t>(size));
  });
}

void CheckSpellingDocument() {
  StopSpellingMarks();
  CheckSpellingLater(0, SendEditor(SCI_GETLENGTH));
}

void FinishSpellingMarks() {
  if (!CanMark()) return;
  const DirectEditor editor;
  const QuietIndicators quiet(editor);
  editor(SCI_SETINDICATORCURRENT, kSpellingIndicator);
  ByteRange piece;
  while (g_marking.pending.Next(0, 0, kPieceBytes, &piece)) CheckPiece(editor, piece);
  StopSpellingMarks();
}

bool SpellingMarksPending() { return !g_marking.pending.Empty(); }

void StopSpellingMarks() {
  if (g_marking.timer) KillTimer(nullptr, g_marking.timer);
  g_marking.timer = 0;
  g_marking.pending.Clear();
}

void CheckSpellingAfterModification(const SCNotification& n) {
  if (!g_editor.spell_check_on) return;
  const bool inserted = (n.modificationType & SC_MOD_INSERTTEXT) != 0;
  const bool deleted = !inserted && (n.modificationType & SC_MOD_DELETETEXT) != 0;
  // Whatever the edit, text still to check moves with it.
  if (inserted) g_marking.pending.Inserted(n.position, n.length);
  if (deleted) g_marking.pending.Deleted(n.position, n.length);
  // Joining two lines (one line less) re-checks nothing.
  if (n.linesAdded == -1) return;
  if (inserted && n.length > kCheckAtOnce) {
    // A big paste is checked like a document, its own lines included.
    CheckSpellingLater(n.position, n.position + n.length);
  } else if (inserted) {
    CheckSpellingRange(n.position, n.length);
  } else if (deleted && n.length - 1 > kCheckAtOnce) {
    // A deletion re-checks as much text after it as it took away: for a big
    // one, its own line now and the rest like a document.
    CheckSpellingRange(n.position, 0);
    CheckSpellingLater(n.position, n.position + n.length - 1);
  } else if (deleted) {
    CheckSpellingRange(n.position, n.length - 1);
  }
}

void ToggleSpellCheck() {
  if (g_editor.spell_check_on) {
    StopSpellingMarks();
    ClearAllMarks();
    g_editor.spell_check_on = false;
    return;
  }
  g_editor.spelling_dictionary = SpellWaitForDictionary();
  CheckSpellingDocument();
  g_editor.spell_check_on = true;
}

}  // namespace tavrel
