#include "app/search/find_in_document_win32.h"

#include <windows.h>

#include <algorithm>
#include <string_view>

#include "app/shell/busy_indication_win32.h"
#include "app/document/document_naming.h"
#include "app/shell/editor_state.h"
#include "app/shell/editor_windows.h"
#include "app/search/match_marking_win32.h"
#include "app/shell/scintilla_messages.h"
#include "app/search/search_strip_win32.h"
#include "app/shell/text_encoding.h"
#include "app/search/text_search.h"

namespace tavrel {

namespace {

// At most this many matches are remembered, and marked, at a time: a
// letter typed into the field can match hundreds of millions of times in a
// large document, and remembering each match (and marking it, which costs
// the component about as much again) would take more memory than the
// document itself. Find Next past the last one remembered searches on from
// there for the next ones.
size_t g_match_limit = size_t{1} << 20;

// What the last search found, kept so that a Find Next or a longer text
// need not search the whole document again. Valid only while the document's
// text is the one it was taken from.
struct SearchMemory {
  HWND editor = nullptr;
  bool valid = false;
  std::string text;  // UTF-8
  int64_t start = 0;
  int64_t end = 0;
  int64_t count = 0;   // every match in [start, end)
  SearchResult result;  // the remembered ones: result.matches[i] is match number offset + i
  int64_t offset = 0;
  int64_t marked_current = -1;  // number of the match under indicator 1
  int64_t longest = 0;          // the longest remembered match's length
};

SearchMemory g_memory;

std::string_view DocumentText(const DirectEditor& editor) {
  const int64_t length = editor(SCI_GETLENGTH);
  const char* buffer = reinterpret_cast<const char*>(editor(SCI_GETCHARACTERPOINTER));
  return std::string_view(buffer ? buffer : "", buffer ? static_cast<size_t>(length) : 0);
}

// A search of the whole range, with the wait cursor and its progress in
// the title when it takes long.
void SearchRange(std::string_view document, int64_t from, int64_t end, const std::string& text, SearchResult& out) {
  BusyIndication busy(L"Searching " + FileNamePart(g_editor.document_path), BusyIndication::Cursor::kWhenSlow);
  FindAllMatches(document, from, end, text, out,
                 [&](int64_t reached) {
                   busy.Progress(static_cast<uint64_t>(reached - from), static_cast<uint64_t>(end - from));
                 },
                 g_match_limit);
}

void Remember(SearchResult&& found, int64_t offset) {
  g_memory.longest = 0;
  for (const TextMatch& m : found.matches) g_memory.longest = std::max(g_memory.longest, m.length);
  g_memory.result = std::move(found);
  g_memory.offset = offset;
}

bool Remembered(int64_t number) {
  return number >= g_memory.offset && number < g_memory.offset + static_cast<int64_t>(g_memory.result.matches.size());
}

// Makes match `number` one of those remembered: the next ones after the
// last remembered, or, going back, afresh from the start.
void RememberMatch(const DirectEditor& editor, int64_t number) {
  const std::string_view document = DocumentText(editor);
  int64_t first = 0;
  int64_t from = g_memory.start;
  if (number >= g_memory.offset && !g_memory.result.matches.empty()) {
    first = g_memory.offset + static_cast<int64_t>(g_memory.result.matches.size());
    from = g_memory.result.matches.back().start + 1;
  }
  for (;;) {
    SearchResult found;
    SearchRange(document, from, g_memory.end, g_memory.text, found);
    const int64_t kept = static_cast<int64_t>(found.matches.size());
    if (kept == 0 || number < first + kept) {
      Remember(std::move(found), first);
      return;
    }
    from = found.matches.back().start + 1;
    first += kept;
  }
}

void Fill(const DirectEditor& editor, int64_t start, int64_t length) {
  editor(SCI_INDICATORFILLRANGE, static_cast<uintptr_t>(start), static_cast<intptr_t>(length));
}

void ClearIndicator(const DirectEditor& editor, int indicator, int64_t start, int64_t length) {
  editor(SCI_SETINDICATORCURRENT, static_cast<uintptr_t>(indicator));
  editor(SCI_INDICATORCLEARRANGE, static_cast<uintptr_t>(start), static_cast<intptr_t>(length));
}

// Indicator 2 over the other matches that overlap match `index`, which
// just lost indicator 2 to indicator 1.
void MarkOverlapping(const DirectEditor& editor, const std::vector<TextMatch>& matches, size_t index,
                     int64_t longest) {
  const TextMatch& m = matches[index];
  editor(SCI_SETINDICATORCURRENT, kOtherMatchIndicator);
  // Matches are in order of their starts; none reaches further back than
  // the longest one.
  for (size_t i = index; i-- > 0 && m.start - matches[i].start < longest;)
    if (matches[i].start + matches[i].length > m.start) Fill(editor, matches[i].start, matches[i].length);
  for (size_t i = index + 1; i < matches.size() && matches[i].start < m.start + m.length; ++i)
    Fill(editor, matches[i].start, matches[i].length);
}

// The caret to the match's start, scrolled to the middle of the view.
void ShowMatch(const DirectEditor& editor, const TextMatch& match) {
  editor(SCI_SETYCARETPOLICY, CARET_STRICT | CARET_EVEN, 0);
  editor(SCI_SETXCARETPOLICY, CARET_STRICT | CARET_EVEN, 0);
  editor(SCI_GOTOPOS, static_cast<uintptr_t>(match.start));
  editor(SCI_SETYCARETPOLICY, 0, 0);
  editor(SCI_SETXCARETPOLICY, 0, 0);
}

void Search(const DirectEditor& editor, int64_t start, int64_t end, const std::string& text) {
  const std::string_view document = DocumentText(editor);
  const bool extends = g_memory.valid && g_memory.editor == g_editor.editor_control && g_memory.start == start &&
                       g_memory.end == end && text.size() > g_memory.text.size() &&
                       text.compare(0, g_memory.text.size(), g_memory.text) == 0 && g_memory.offset == 0 &&
                       g_memory.result.complete();
  SearchResult found;
  if (extends) {
    FindMatchesAmong(document, end, text, g_memory.result, found);
  } else {
    SearchRange(document, start, end, text, found);
  }
  g_memory.count = found.count;
  Remember(std::move(found), 0);
  g_memory.editor = g_editor.editor_control;
  g_memory.valid = true;
  g_memory.text = text;
  g_memory.start = start;
  g_memory.end = end;
  g_memory.marked_current = -1;
}

}  // namespace

void NoteDocumentModified(int modification_type, int64_t position, int64_t length) {
  if (modification_type & SC_MOD_INSERTTEXT) {
    g_memory.valid = false;
    MovePendingMarks(position, length);
  } else if (modification_type & SC_MOD_DELETETEXT) {
    g_memory.valid = false;
    MovePendingMarks(position, -length);
  }
}

void ResetSearchMemory() {
  DropPendingMarks();
  g_memory = SearchMemory{};
}

bool SearchMarkingPending() { return MarksPending(); }

void FindInDocument(int64_t start, int64_t end, const std::wstring& text, int step) {
  const DirectEditor editor;
  const bool text_changed = text != g_editor.last_search_text;
  const std::string utf8 = Utf8FromWide(text);
  // The marks can stay when the same matches are marked again: only the
  // current one moves.
  const bool same_matches = g_memory.valid && g_memory.editor == g_editor.editor_control && g_memory.text == utf8 &&
                            g_memory.start == start && g_memory.end == end && !text_changed &&
                            g_memory.marked_current >= 0;
  // Marks are cleared whenever they are made anew, also for the same text
  // over an edited document: the old ones would have moved with the text
  // and stand beside the new ones.
  if (!same_matches) {
    DropPendingMarks();
    const int64_t length = editor(SCI_GETLENGTH);
    ClearIndicator(editor, kCurrentMatchIndicator, 0, length);
    ClearIndicator(editor, kOtherMatchIndicator, 0, length);
  }
  if (text_changed) {
    g_editor.current_match_index = 0;
    g_editor.last_search_text = text;
    g_editor.last_match_index = 0;
  }
  if (text.empty()) return;
  if (step == 1) ++g_editor.current_match_index;
  if (g_editor.current_match_index < 0) {
    g_editor.current_match_index = g_editor.last_match_index;
  } else if (g_editor.current_match_index > g_editor.last_match_index) {
    g_editor.current_match_index = 0;
  }

  if (!same_matches) Search(editor, start, end, utf8);
  const int64_t count = g_memory.count;
  // The document may have lost matches since the last search: the current
  // one is then the first rather than one that no longer exists.
  if (g_editor.current_match_index >= count) g_editor.current_match_index = 0;
  g_editor.last_match_index = count - 1;
  if (count == 0) {
    SetMatchCounter(L"-1");
    return;
  }
  const int64_t number = g_editor.current_match_index;
  bool fresh_marks = !same_matches;
  if (!Remembered(number)) {
    // The marks go with the matches remembered.
    DropPendingMarks();
    ClearIndicator(editor, kCurrentMatchIndicator, 0, editor(SCI_GETLENGTH));
    ClearIndicator(editor, kOtherMatchIndicator, 0, editor(SCI_GETLENGTH));
    RememberMatch(editor, number);
    fresh_marks = true;
    if (!Remembered(number)) return;  // cannot be: the document is unchanged
  }
  const std::vector<TextMatch>& matches = g_memory.result.matches;
  const size_t current = static_cast<size_t>(number - g_memory.offset);
  const TextMatch& now = matches[current];
  if (!fresh_marks && g_memory.marked_current != number) {
    const TextMatch& old = matches[static_cast<size_t>(g_memory.marked_current - g_memory.offset)];
    // Nothing still waiting to be marked may land on the new current match.
    MarkPendingIn(editor, now.start - g_memory.longest, now.start + now.length + g_memory.longest);
    ClearIndicator(editor, kCurrentMatchIndicator, old.start, old.length);
    editor(SCI_SETINDICATORCURRENT, kOtherMatchIndicator);
    Fill(editor, old.start, old.length);
    ClearIndicator(editor, kOtherMatchIndicator, now.start, now.length);
    MarkOverlapping(editor, matches, current, g_memory.longest);
  }
  editor(SCI_SETINDICATORCURRENT, kCurrentMatchIndicator);
  Fill(editor, now.start, now.length);
  ShowMatch(editor, now);
  if (fresh_marks) {
    MarkOtherMatches(editor, matches, current);
  } else {
    MarkPendingOnScreen(editor);
  }
  g_memory.marked_current = number;
  SetMatchCounter(std::to_wstring(number + 1) + L" of " + std::to_wstring(count));
}

void SetRememberedMatchLimit(size_t limit) { g_match_limit = limit > 0 ? limit : 1; }

}  // namespace tavrel
