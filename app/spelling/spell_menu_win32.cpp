// The editing area's context menu, rebuilt on every right-click: for a
// marked word its suggestions in bold, Ignore All and Add to Dictionary;
// always Cut, Copy and Paste.
#include <string>
#include <vector>

#include "app/shell/command_dispatch_win32.h"
#include "app/shell/command_ids.h"
#include "app/shell/command_table_win32.h"
#include "app/shell/editor_state.h"
#include "app/shell/editor_windows.h"
#include "app/shell/element_ids.h"
#include "app/shell/scintilla_messages.h"
#include "app/spelling/spell_check_win32.h"
#include "app/spelling/spelling_library_win32.h"
#include "app/shell/text_encoding.h"
#include "toolkit/menus/menu_win32.h"

namespace tavrel {
namespace {


// The suggestions shown by the last menu, so that the chosen one is taken
// as the library gave it rather than read back from its marked-up label.
std::vector<std::wstring> g_suggestions;

std::string DocumentBytes(intptr_t start, intptr_t end) {
  std::string text(static_cast<std::size_t>(end - start) + 1, '\0');
  Sci_TextRangeFull range{{start, end}, text.data()};
  SendEditor(SCI_GETTEXTRANGEFULL, 0, reinterpret_cast<intptr_t>(&range));
  text.resize(static_cast<std::size_t>(end - start));
  return text;
}

// A label shows its text through the toolkit's markup and shortcut rules:
// a backslash or dollar sign of the word itself must stay literal.
std::wstring BoldLabel(const std::wstring& word) {
  std::wstring label = L"\\b";
  for (const wchar_t c : word) {
    if (c == L'\\') label += L"\\\\";
    else if (c == L'$') label += L"$$";
    else label += c;
  }
  return label + L"\\b";
}

// The item as the command table has it; images are the main menu's.
void AddCommandItem(int id, bool enabled = true) {
  const CommandRow* row = FindCommand(CommandTable(), id);
  if (!row) return;
  HANDLE image = row->image == kNoImage ? nullptr : g_editor.images[static_cast<std::size_t>(row->image)].normal;
  lumora::MenuAddItem(id, MenuItemLabel(*row).c_str(), image, nullptr, nullptr, 0);
  if (!enabled) lumora::MenuSetItemDisabled(kContextMenu, id, 1);
}

// When a marked word is under pos it becomes the context word, and its
// suggestions and commands head the menu.
void AddSpellingItems(intptr_t pos) {
  g_suggestions.clear();
  if (SendEditor(SCI_INDICATORVALUEAT, kSpellingIndicator, pos) != 1) return;
  const intptr_t start = SendEditor(SCI_INDICATORSTART, kSpellingIndicator, pos);
  const intptr_t end = SendEditor(SCI_INDICATOREND, kSpellingIndicator, pos);
  if (end <= start) return;
  g_editor.context_word = WideFromUtf8(DocumentBytes(start, end));
  g_editor.context_word_start = start;
  g_editor.context_word_end = end;
  g_suggestions = SpellSuggestions(g_editor.context_word);
  for (std::size_t k = 0; k < g_suggestions.size(); ++k) {
    lumora::MenuAddItem(CMD_SUGGESTION_FIRST + static_cast<int>(k), BoldLabel(g_suggestions[k]).c_str(), nullptr,
                        nullptr, nullptr, 0);
  }
  if (!g_suggestions.empty()) lumora::MenuAddSeparator();
  AddCommandItem(CMD_IGNORE_ALL);
  AddCommandItem(CMD_ADD_TO_DICTIONARY);
  lumora::MenuAddSeparator();
}

}  // namespace

void ShowEditorContextMenu(POINT screen) {
  if (lumora::MenuExists(kContextMenu)) lumora::MenuFree(kContextMenu);
  HWND editor = g_editor.editor_control;
  if (!editor || WindowFromPoint(screen) != editor) return;
  if (!lumora::MenuCreatePopup(kContextMenu, static_cast<int32_t>(g_editor.bar_style))) return;
  POINT client = screen;
  ScreenToClient(editor, &client);
  AddSpellingItems(SendEditor(SCI_POSITIONFROMPOINT, static_cast<uintptr_t>(client.x), client.y));
  const bool selection = SendEditor(SCI_GETSELECTIONEND) - SendEditor(SCI_GETSELECTIONSTART) > 0;
  AddCommandItem(CMD_CUT, selection);
  AddCommandItem(CMD_COPY, selection);
  AddCommandItem(CMD_PASTE, ClipboardHasText());
  lumora::MenuShowPopup(kContextMenu, g_editor.main_window, screen.x, screen.y);
}

void IgnoreContextWord() {
  SpellIgnoreWord(g_editor.context_word);
  SendEditor(SCI_SETINDICATORCURRENT, kSpellingIndicator);
  SendEditor(SCI_INDICATORCLEARRANGE, 0, SendEditor(SCI_GETLENGTH));
  CheckSpellingDocument();
}

void AddContextWordToDictionary() {
  SpellAddWord(g_editor.context_word);
  SendEditor(SCI_SETINDICATORCURRENT, kSpellingIndicator);
  SendEditor(SCI_INDICATORCLEARRANGE, static_cast<uintptr_t>(g_editor.context_word_start),
             g_editor.context_word_end - g_editor.context_word_start);
}

bool ChooseSuggestion(int id) {
  const int k = id - CMD_SUGGESTION_FIRST;
  if (k < 0 || k >= static_cast<int>(g_suggestions.size())) return false;
  const std::string replacement = Utf8FromWide(g_suggestions[static_cast<std::size_t>(k)]);
  SendEditor(SCI_GOTOPOS, static_cast<uintptr_t>(g_editor.context_word_end));
  SendEditor(SCI_SETANCHOR, static_cast<uintptr_t>(g_editor.context_word_start));
  SendEditor(SCI_REPLACESEL, 0, reinterpret_cast<intptr_t>(replacement.c_str()));
  return true;
}

}  // namespace tavrel
