#include "app/spell_check_win32.h"

#include <algorithm>
#include <new>
#include <string>
#include <string_view>

#include "app/command_ids.h"
#include "app/editor_state.h"
#include "app/editor_windows.h"
#include "app/message_boxes.h"
#include "app/scintilla_messages.h"
#include "app/spell_words.h"
#include "app/spelling_library_win32.h"
#include "platform/error_log.h"
#include "toolkit/bars/toolbar_win32.h"

namespace tavrel {
namespace {

constexpr int kSpellingIndicator = 0;

void ClearAllMarks() {
  SendEditor(SCI_SETINDICATORCURRENT, kSpellingIndicator);
  SendEditor(SCI_INDICATORCLEARRANGE, 0, SendEditor(SCI_GETLENGTH));
}

}  // namespace

void CheckSpellingRange(intptr_t start, intptr_t length) {
  if (!g_editor.spelling_dictionary) return;
  // A deletion's range is given in the text as it was; what is left of it
  // may end past the end of the document now.
  const intptr_t document_length = SendEditor(SCI_GETLENGTH);
  start = std::clamp<intptr_t>(start, 0, document_length);
  intptr_t end = std::clamp<intptr_t>(start + std::max<intptr_t>(length, 0), start, document_length);
  start = SendEditor(SCI_POSITIONFROMLINE, SendEditor(SCI_LINEFROMPOSITION, start));
  // Whole lines, the last one included: a change ending inside a word
  // (a paste of several lines, say) leaves the rest of its line to judge.
  const intptr_t last_line_end = SendEditor(SCI_GETLINEENDPOSITION, SendEditor(SCI_LINEFROMPOSITION, end));
  bool ends_at_line_end = false;
  if (end < last_line_end) {
    end = last_line_end;
    ends_at_line_end = true;
  }
  length = end - start;
  if (length <= 0) return;

  SendEditor(SCI_SETINDICATORCURRENT, kSpellingIndicator);
  SendEditor(SCI_INDICATORCLEARRANGE, start, length);
  std::string text;
  try {
    text.resize(static_cast<std::size_t>(length) + 1);
  } catch (const std::bad_alloc& error) {
    platform::LogCaught("spelling: range text", 0, &error);
    ShowMessageBox(L"Tavrel", L"Error: Can't allocate memory!");
    return;
  }
  Sci_TextRangeFull range{{start, end}, text.data()};
  SendEditor(SCI_GETTEXTRANGEFULL, 0, reinterpret_cast<intptr_t>(&range));
  const std::string_view view(text.data(), static_cast<std::size_t>(length));
  SendEditor(SCI_SETINDICATORCURRENT, kSpellingIndicator);
  ForEachSpellWord(view, ends_at_line_end, [&](std::size_t offset, std::size_t size) {
    if (!SpellCheckUtf8(view.substr(offset, size))) {
      SendEditor(SCI_INDICATORFILLRANGE, static_cast<uintptr_t>(start) + offset, static_cast<intptr_t>(size));
    }
  });
}

void CheckSpellingDocument() {
  const intptr_t length = SendEditor(SCI_GETLENGTH);
  if (length > 0) CheckSpellingRange(0, length);
}

void CheckSpellingAfterModification(const SCNotification& n) {
  // Joining two lines (one line less) re-checks nothing.
  if (!g_editor.spell_check_on || n.linesAdded == -1) return;
  if (n.modificationType & SC_MOD_INSERTTEXT) {
    CheckSpellingRange(n.position, n.length);
  } else if (n.modificationType & SC_MOD_DELETETEXT) {
    CheckSpellingRange(n.position, n.length - 1);
  }
}

void ToggleSpellCheck() {
  if (g_editor.spell_check_on) {
    ClearAllMarks();
    lumora::ToolbarSetButtonTooltip(kMainToolbar, CMD_SPELL_CHECK, L"Spell Check (Off)");
    g_editor.spell_check_on = 0;
    return;
  }
  g_editor.spelling_dictionary = SpellWaitForDictionary();
  CheckSpellingDocument();
  lumora::ToolbarSetButtonTooltip(kMainToolbar, CMD_SPELL_CHECK, L"Spell Check (On)");
  g_editor.spell_check_on = 1;
}

}  // namespace tavrel
