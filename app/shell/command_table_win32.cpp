// Every command of the editor, one row each: where it shows, what it does,
// and when it is enabled or checked. The menus, the main tool bar, the
// window callback's dispatch and the state refresh all read this table.
#include "app/shell/command_table_win32.h"

#include <windows.h>

#include <string>

#include "app/document/document_files.h"
#include "app/printing/print_document_win32.h"
#include "app/search/search_strip_win32.h"
#include "app/shell/command_dispatch_win32.h"
#include "app/shell/command_ids.h"
#include "app/shell/editor_state.h"
#include "app/shell/main_window_win32.h"
#include "app/shell/view_options_win32.h"
#include "app/spelling/spell_check_win32.h"

namespace tavrel {
namespace {

using enum MenuTitle;

bool ClipboardHoldsText() { return g_editor.clipboard_has_text; }
bool PrinterAvailable() { return g_editor.printer_available; }
bool SpellCheckOn() { return g_editor.spell_check_on; }

bool OpenRecentFile(int id) {
  const std::wstring path = g_editor.recent_files[static_cast<std::size_t>(id - CMD_RECENT_FIRST)];
  if (path.empty()) return false;
  OpenDocument(path);
  return true;
}

// Rows in menu order; a command without a menu place shows elsewhere (the
// tool bar, the search strip, the context menu) or nowhere.
const CommandRow kCommands[] = {
    {.id = CMD_NEW, .menu = {kFile, 0}, .text = L"&New...", .image = kImageNew, .button = 0,
     .tooltip = L"New Blank Document", .run = NewDocument},
    {.id = CMD_OPEN, .menu = {kFile, 1}, .text = L"&Open...", .shortcut = L"Ctrl+O", .image = kImageOpen,
     .button = 1, .tooltip = L"Open", .run = [] { OpenDocument(L""); }},
    {.id = CMD_SAVE, .menu = {kFile, 3}, .text = L"&Save", .shortcut = L"Ctrl+S", .image = kImageSave, .button = 2,
     .tooltip = L"Save", .run = [] { SaveDocument(); }},
    {.id = CMD_SAVE_AS, .menu = {kFile, 4}, .text = L"Save &As...", .run = [] { SaveDocumentAs(); }},
    // Whether a printer exists is known only some time after start-up.
    {.id = CMD_PRINT, .menu = {kFile, 6}, .text = L"&Print...", .shortcut = L"Ctrl+P", .image = kImagePrint,
     .button = 4, .tooltip = L"Print", .tooltip_disabled = L"Print (No Printer)", .run = PrintDocument,
     .enabled = PrinterAvailable, .flags = kStartsDisabled},
    {.id = CMD_CHOOSE_PRINTER, .run = ChoosePrinter},
    {.id = CMD_SPELL_CHECK, .image = kImageSpellCheck, .button = 6, .button_style = kToggleButton,
     .tooltip = L"Spell Check (Off)", .tooltip_checked = L"Spell Check (On)", .run = ToggleSpellCheck,
     .checked = SpellCheckOn},
    {.id = CMD_PROPERTIES, .menu = {kFile, 8}, .text = L"Propert&ies"},
    // The first recent file's item; the list rebuilds the items from here
    // on, and opening one goes through the recent-files range below.
    {.id = CMD_RECENT_FIRST, .menu = {kFile, 10}, .text = L"No Recent Files", .flags = kStartsDisabled},
    {.id = CMD_EXIT, .menu = {kFile, 12}, .text = L"E&xit", .run = [] { PostMessageW(MainWindow(), WM_CLOSE, 0, 0); }},

    {.id = CMD_UNDO, .menu = {kEdit, 0}, .text = L"&Undo", .shortcut = L"Ctrl+Z", .image = kImageUndo,
     .run = UndoEdit, .enabled = CanUndoInFocus, .flags = kStartsDisabled},
    {.id = CMD_REDO, .menu = {kEdit, 1}, .text = L"&Redo", .shortcut = L"Ctrl+Y", .image = kImageRedo,
     .run = RedoEdit, .enabled = CanRedoInFocus, .flags = kStartsDisabled},
    {.id = CMD_CUT, .menu = {kEdit, 3}, .text = L"Cu&t", .shortcut = L"Ctrl+X", .image = kImageCut, .button = 8,
     .tooltip = L"Cut", .run = CutSelection, .enabled = SelectionInFocus, .flags = kStartsDisabled},
    {.id = CMD_COPY, .menu = {kEdit, 4}, .text = L"&Copy", .shortcut = L"Ctrl+C", .image = kImageCopy, .button = 9,
     .tooltip = L"Copy", .run = CopySelection, .enabled = SelectionInFocus, .flags = kStartsDisabled},
    {.id = CMD_PASTE, .menu = {kEdit, 5}, .text = L"&Paste", .shortcut = L"Ctrl+V", .image = kImagePaste,
     .button = 10, .tooltip = L"Paste", .run = PasteClipboard, .enabled = ClipboardHoldsText,
     .flags = kStartsDisabled},
    // The Delete key deletes the character after the caret; the item only
    // deletes a selection.
    {.id = CMD_DELETE, .menu = {kEdit, 7}, .text = L"&Delete", .shortcut = L"Del", .run = DeleteSelection,
     .flags = kKeyStaysWithEditor},
    {.id = CMD_SELECT_ALL, .menu = {kEdit, 8}, .text = L"Select &All", .shortcut = L"Ctrl+A", .run = SelectAllText},
    {.id = CMD_FIND_REPLACE, .menu = {kEdit, 10}, .text = L"&Find/Replace...", .shortcut = L"Ctrl+F",
     .image = kImageFind},
    {.id = CMD_FIND_NEXT, .menu = {kEdit, 11}, .text = L"Find Next", .shortcut = L"F3", .image = kImageFind,
     .run = FindNextMatch},
    {.id = CMD_GO_TO, .menu = {kEdit, 12}, .text = L"&Go To...", .shortcut = L"Ctrl+G"},
    // The search strip's clear button.
    {.id = CMD_CLEAR_SEARCH, .run = ClearSearch},
    // The context menu's spelling items.
    {.id = CMD_IGNORE_ALL, .text = L"&Ignore All", .run = IgnoreContextWord},
    {.id = CMD_ADD_TO_DICTIONARY, .text = L"&Add to Dictionary", .run = AddContextWordToDictionary},

    {.id = CMD_WORD_WRAP, .menu = {kView, 0}, .text = L"&Word Wrap", .shortcut = L"Ctrl+W", .run = ToggleWordWrap,
     .checked = WordWrapOn},
    {.id = CMD_LINE_NUMBERS, .menu = {kView, 1}, .text = L"&Line Numbers", .shortcut = L"Ctrl+L",
     .run = ToggleLineNumbers, .checked = LineNumbersShown},
    {.id = CMD_TOOLBAR, .menu = {kView, 3}, .text = L"&Toolbar"},
    {.id = CMD_FONT, .menu = {kView, 5}, .text = L"&Font...", .image = kImageFont, .run = ChooseEditorFont},

    {.id = CMD_VIEW_HELP, .menu = {kHelp, 0}, .text = L"View &Help", .shortcut = L"F1", .image = kImageHelp},
    {.id = CMD_ABOUT, .menu = {kHelp, 2}, .text = L"&About Tavrel"},
};

const CommandRange kRanges[] = {
    {CMD_RECENT_FIRST, CMD_RECENT_LAST, OpenRecentFile},
    // As many as the last context menu offered.
    {CMD_SUGGESTION_FIRST, 0xFFFF, ChooseSuggestion},
};

const MenuTitleRow kTitles[] = {
    {kFile, L"&File"},
    {kEdit, L"&Edit"},
    {kView, L"&View"},
    {kHelp, L"&Help"},
};

}  // namespace

CommandRows CommandTable() { return kCommands; }
std::span<const CommandRange> CommandRanges() { return kRanges; }
std::span<const MenuTitleRow> MenuTitles() { return kTitles; }

}  // namespace tavrel
