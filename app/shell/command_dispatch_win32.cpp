#include "app/shell/command_dispatch_win32.h"

#include "app/shell/command_ids.h"
#include "app/document/document_files.h"
#include "app/shell/editor_state.h"
#include "app/shell/editor_windows.h"
#include "app/search/find_in_document_win32.h"
#include "app/shell/main_window_win32.h"
#include "app/printing/print_document_win32.h"
#include "app/printing/printer_win32.h"
#include "app/recent/recent_files_win32.h"
#include "app/shell/scintilla_messages.h"
#include "app/search/search_strip_win32.h"
#include "app/spelling/spell_check_win32.h"
#include "app/shell/view_options_win32.h"
#include "platform/dll_function_win32.h"
#include "platform/error_log.h"
#include "platform/os_handles_win32.h"
#include "toolkit/bars/toolbar_win32.h"
#include "toolkit/base/toolkit_messages.h"
#include "toolkit/menus/menu_win32.h"
#include "toolkit/menus/shortcut_dispatch_win32.h"

namespace tavrel {
namespace {

using namespace lumora;

ClipboardListenerFn g_listener_for_testing = nullptr;

bool HasSelection() { return SendEditor(SCI_GETSELECTIONEND) - SendEditor(SCI_GETSELECTIONSTART) > 0; }

bool BoxHasSelection(HWND box) {
  DWORD start = 0, end = 0;
  SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return end > start;
}

// Cut, Copy and Delete: the box's message or the component's, and only
// where the focused control has a selection.
bool ActOnSelection(UINT box_message, unsigned editor_message) {
  HWND box = FocusedSearchEdit();
  if (box ? !BoxHasSelection(box) : !HasSelection()) return false;
  if (box) {
    SendMessageW(box, box_message, 0, 0);
  } else {
    SendEditor(editor_message);
  }
  return true;
}

void SetShown(int64_t& shown, bool enable, std::initializer_list<int> menu_items,
              std::initializer_list<int> buttons) {
  for (int id : menu_items) MenuSetItemDisabled(kMainMenu, id, enable ? 0 : 1);
  for (int id : buttons) ToolbarSetButtonDisabled(kMainToolbar, id, enable ? 0 : 1);
  shown = enable ? 1 : 0;
}

void Dispatch(HWND window, int id) {
  switch (id) {
    case CMD_NEW: NewDocument(); break;
    case CMD_OPEN: OpenDocument(L""); break;
    case CMD_SAVE: SaveDocument(); break;
    case CMD_SAVE_AS: SaveDocumentAs(); break;
    case CMD_PRINT: PrintDocument(); break;
    case CMD_CHOOSE_PRINTER: ChoosePrinter(); break;
    case CMD_SPELL_CHECK: ToggleSpellCheck(); break;
    case CMD_IGNORE_ALL: IgnoreContextWord(); break;
    case CMD_ADD_TO_DICTIONARY: AddContextWordToDictionary(); break;
    case CMD_UNDO: UndoEdit(); break;
    case CMD_REDO: RedoEdit(); break;
    case CMD_CUT: CutSelection(); break;
    case CMD_COPY: CopySelection(); break;
    case CMD_PASTE: PasteClipboard(); break;
    case CMD_DELETE: DeleteSelection(); break;
    case CMD_SELECT_ALL: SelectAllText(); break;
    case CMD_WORD_WRAP: ToggleWordWrap(); break;
    case CMD_FONT: ChooseEditorFont(); break;
    case CMD_LINE_NUMBERS: ToggleLineNumbers(); break;
    case CMD_EXIT: PostMessageW(window, WM_CLOSE, 0, 0); break;
    case CMD_FIND_NEXT: FindNextMatch(); break;
    case CMD_CLEAR_SEARCH: ClearSearch(); break;
    default:
      if (ChooseSuggestion(id)) break;
      if (id >= CMD_RECENT_FIRST && id <= CMD_RECENT_LAST) {
        const std::wstring path = g_editor.recent_files[id - CMD_RECENT_FIRST];
        if (!path.empty()) OpenDocument(path);
      }
      // Ids without a command of their own are ignored.
      break;
  }
}

}  // namespace

bool ClipboardHasText() {
  bool has = false;
  if (IsClipboardFormatAvailable(CF_UNICODETEXT) && OpenClipboard(nullptr)) {
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
      if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
        has = text[0] != 0;
        GlobalUnlock(data);
      }
    }
    CloseClipboard();
  }
  return has;
}

// The editing commands and their keys act on the control the user is typing
// in: in the search field its edit box, which keeps a single undo step and
// no redo, and otherwise the document.
void UndoEdit() {
  if (HWND box = FocusedSearchEdit()) {
    if (SendMessageW(box, EM_CANUNDO, 0, 0)) SendMessageW(box, WM_UNDO, 0, 0);
  } else if (SendEditor(SCI_CANUNDO) == 1) {
    SendEditor(SCI_UNDO);
  }
}

void RedoEdit() {
  if (FocusedSearchEdit()) return;
  if (SendEditor(SCI_CANREDO) == 1) SendEditor(SCI_REDO);
}

void CutSelection() {
  if (ActOnSelection(WM_CUT, SCI_CUT)) g_editor.clipboard_has_text = 1;
}

void CopySelection() {
  if (ActOnSelection(WM_COPY, SCI_COPY)) g_editor.clipboard_has_text = 1;
}

void PasteClipboard() {
  if (!ClipboardHasText()) return;
  if (HWND box = FocusedSearchEdit()) {
    SendMessageW(box, WM_PASTE, 0, 0);
  } else {
    SendEditor(SCI_PASTE);
  }
}

void DeleteSelection() { ActOnSelection(WM_CLEAR, SCI_CLEAR); }

void SelectAllText() {
  if (HWND box = FocusedSearchEdit()) {
    SendMessageW(box, EM_SETSEL, 0, -1);
  } else {
    SendEditor(SCI_SELECTALL);
  }
}

void RefreshCommandStates() {
  EditorState& s = g_editor;
  if (!s.clipboard_has_text && s.paste_shown) {
    SetShown(s.paste_shown, false, {CMD_PASTE}, {CMD_PASTE});
  } else if (s.clipboard_has_text && !s.paste_shown) {
    SetShown(s.paste_shown, true, {CMD_PASTE}, {CMD_PASTE});
  }
  // Cut, Copy and Undo show what they would do to the focused control.
  HWND box = FocusedSearchEdit();
  const bool selection = box ? BoxHasSelection(box) : HasSelection();
  if (selection && !s.selection_shown) {
    SetShown(s.selection_shown, true, {CMD_COPY, CMD_CUT}, {CMD_COPY, CMD_CUT});
  } else if (!selection && s.selection_shown) {
    SetShown(s.selection_shown, false, {CMD_COPY, CMD_CUT}, {CMD_COPY, CMD_CUT});
  }
  const bool can_undo = box ? SendMessageW(box, EM_CANUNDO, 0, 0) != 0 : SendEditor(SCI_CANUNDO) == 1;
  if (can_undo != (s.undo_shown != 0)) SetShown(s.undo_shown, can_undo, {CMD_UNDO}, {});
  const bool can_redo = !box && SendEditor(SCI_CANREDO) == 1;
  if (can_redo != (s.redo_shown != 0)) SetShown(s.redo_shown, can_redo, {CMD_REDO}, {});
  if (s.printer_available && !s.printer_shown) {
    SetShown(s.printer_shown, true, {CMD_PRINT, CMD_CHOOSE_PRINTER}, {CMD_PRINT});
    ToolbarSetButtonTooltip(kMainToolbar, CMD_PRINT, L"Print");
  } else if (!s.printer_available && s.printer_shown) {
    SetShown(s.printer_shown, false, {CMD_PRINT, CMD_CHOOSE_PRINTER}, {CMD_PRINT});
    ToolbarSetButtonTooltip(kMainToolbar, CMD_PRINT, L"Print (No Printer)");
  }
  ResizeLineNumberMargin();
}

void SetClipboardListenerForTesting(ClipboardListenerFn add) { g_listener_for_testing = add; }

void StartClipboardMonitor(HWND window) {
  const platform::UniqueModule user32{LoadLibraryW(L"User32.dll")};
  if (!user32) return;
  auto add = platform::DllFunction<ClipboardListenerFn>(user32.get(), "AddClipboardFormatListener");
  if (!add) {
    g_editor.next_clipboard_viewer = SetClipboardViewer(window);
    return;
  }
  const ClipboardListenerFn listen = g_listener_for_testing ? g_listener_for_testing : add;
  // Without notifications Paste's state is read again on activation and
  // whenever a menu opens, so it is at worst stale while nothing is shown.
  if (!listen(window))
    platform::LogError(L"clipboard: no change notifications, error " + std::to_wstring(GetLastError()));
}

void StopClipboardMonitor(HWND window) {
  using ListenerFn = BOOL(WINAPI*)(HWND);
  if (const platform::UniqueModule user32{LoadLibraryW(L"User32.dll")}) {
    auto remove = platform::DllFunction<ListenerFn>(user32.get(), "RemoveClipboardFormatListener");
    if (remove) {
      remove(window);
    } else {
      ChangeClipboardChain(window, g_editor.next_clipboard_viewer);
    }
  }
}

LRESULT CALLBACK MainWindowCallback(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  try {
    switch (message) {
      case WM_COMMAND:
        if (HIWORD(wparam) == 0) Dispatch(window, LOWORD(wparam));
        break;
      case WM_ACTIVATE:
        // Only on activation: taking the focus while another window is
        // being activated would pull the activation back to us.
        if (LOWORD(wparam) != WA_INACTIVE && g_editor.editor_control) SetFocus(g_editor.editor_control);
        g_editor.clipboard_has_text = ClipboardHasText() ? 1 : 0;
        RefreshCommandStates();
        return 0;
      case WM_INITMENUPOPUP:
        // The menu shows the states; the clipboard may have changed unseen.
        g_editor.clipboard_has_text = ClipboardHasText() ? 1 : 0;
        RefreshCommandStates();
        break;
      case WM_TAVREL_EDITSTATE:
        RefreshCommandStates();
        return 0;
      case WM_TAVREL_PRINTERFOUND:
        if (AcceptPrinterLookup(wparam != 0)) RefreshCommandStates();
        return 0;
      case WM_SIZE:
      case WM_LUMORA_REBARHEIGHT:
        LayoutEditor();
        break;
      case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lparam);
        if (header && header->code == SCN_UPDATEUI) RefreshCommandStates();
        if (header && header->code == SCN_MODIFIED) {
          const auto* change = reinterpret_cast<const SCNotification*>(lparam);
          NoteDocumentModified(change->modificationType, change->position, change->length);
          CheckSpellingAfterModification(*change);
        }
        break;
      }
      case WM_RBUTTONDOWN: {
        // Passed in by the event loop for a press on the editing area.
        POINT screen{};
        GetCursorPos(&screen);
        ShowEditorContextMenu(screen);
        break;
      }
      case WM_CHANGECBCHAIN:
        if (reinterpret_cast<HWND>(wparam) == g_editor.next_clipboard_viewer) {
          g_editor.next_clipboard_viewer = reinterpret_cast<HWND>(lparam);
        } else if (g_editor.next_clipboard_viewer) {
          SendMessageW(g_editor.next_clipboard_viewer, message, wparam, lparam);
        }
        return 1;
      case WM_DRAWCLIPBOARD:
        if (g_editor.next_clipboard_viewer) SendMessageW(g_editor.next_clipboard_viewer, message, wparam, lparam);
        g_editor.clipboard_has_text = ClipboardHasText() ? 1 : 0;
        RefreshCommandStates();
        return 1;
      case WM_CLIPBOARDUPDATE:
        g_editor.clipboard_has_text = ClipboardHasText() ? 1 : 0;
        RefreshCommandStates();
        return 0;
      case WM_CLOSE:
        // Closing asks about unsaved changes like New and Open do; a save
        // that did not complete keeps the program running.
        if (ConfirmDiscardChanges() != kCommandStopped) PostQuitMessage(0);
        return 0;
      case WM_QUERYENDSESSION:
        // Logging off or shutting down asks the same question; Cancel, or a
        // save that failed, keeps the session from ending the editor.
        return ConfirmDiscardChanges() == kCommandStopped ? FALSE : TRUE;
      case WM_ENDSESSION:
        // The session ends the process once this returns and the event
        // loop never finishes: the last write of the list happens here.
        if (wparam) SaveRecentFiles();
        return 0;
      case WM_DESTROY:
        // However the window goes, the program must not run on without it.
        PostQuitMessage(0);
        return 0;
      default:
        break;
    }
  } catch (...) {
    platform::LogCurrentException("main window", message);
    // A close that failed half-way keeps the window and the text: the
    // default handling would destroy the window with the text unsaved.
    if (message == WM_CLOSE) return 0;
    if (message == WM_QUERYENDSESSION) return FALSE;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace tavrel
