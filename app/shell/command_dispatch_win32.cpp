#include "app/shell/command_dispatch_win32.h"

#include "app/document/document_files.h"
#include "app/printing/print_document_win32.h"
#include "app/printing/printer_win32.h"
#include "app/recent/recent_files_win32.h"
#include "app/search/find_in_document_win32.h"
#include "app/search/search_strip_win32.h"
#include "app/shell/command_surfaces_win32.h"
#include "app/shell/command_table_win32.h"
#include "app/shell/editor_state.h"
#include "app/shell/editor_windows.h"
#include "app/shell/main_window_win32.h"
#include "app/shell/scintilla_messages.h"
#include "app/shell/view_options_win32.h"
#include "app/spelling/spell_check_win32.h"
#include "platform/dll_function_win32.h"
#include "platform/error_log.h"
#include "platform/error_log_win32.h"
#include "platform/os_handles_win32.h"
#include "toolkit/base/toolkit_messages.h"

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

// A command's row runs it; ids of a range go to the range first, and an id
// the range does not take (a recent slot still empty, a suggestion the last
// menu did not offer) falls back to its row, if any. Ids without a command
// of their own are ignored.
void Dispatch(int id) {
  for (const CommandRange& range : CommandRanges()) {
    if (id >= range.first && id <= range.last && range.run(id)) return;
  }
  const CommandRow* row = FindCommand(CommandTable(), id);
  if (!row || !row->run) return;
  row->run();
  ShowCheckedState(*row);
}

}  // namespace

bool ClipboardHasText() {
  bool has = false;
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) return false;
  if (!OpenClipboard(nullptr)) {
    // Another program holds it: Paste stays off until the next look.
    platform::LogWin32Failure("OpenClipboard");
    return false;
  }
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
      has = text[0] != 0;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
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
  if (ActOnSelection(WM_CUT, SCI_CUT)) g_editor.clipboard_has_text = true;
}

void CopySelection() {
  if (ActOnSelection(WM_COPY, SCI_COPY)) g_editor.clipboard_has_text = true;
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

bool SelectionInFocus() {
  HWND box = FocusedSearchEdit();
  return box ? BoxHasSelection(box) : HasSelection();
}

bool CanUndoInFocus() {
  HWND box = FocusedSearchEdit();
  return box ? SendMessageW(box, EM_CANUNDO, 0, 0) != 0 : SendEditor(SCI_CANUNDO) == 1;
}

bool CanRedoInFocus() { return !FocusedSearchEdit() && SendEditor(SCI_CANREDO) == 1; }

void RefreshCommandStates() {
  ShowEnabledStates();
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
        if (HIWORD(wparam) == 0) Dispatch(LOWORD(wparam));
        break;
      case WM_ACTIVATE:
        // Only on activation: taking the focus while another window is
        // being activated would pull the activation back to us.
        if (LOWORD(wparam) != WA_INACTIVE && g_editor.editor_control) SetFocus(g_editor.editor_control);
        g_editor.clipboard_has_text = ClipboardHasText();
        RefreshCommandStates();
        return 0;
      case WM_INITMENUPOPUP:
        // The menu shows the states; the clipboard may have changed unseen.
        g_editor.clipboard_has_text = ClipboardHasText();
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
        // The text is never coloured: what the component asks to have styled
        // is declared styled as it stands (all of it in the one style that
        // typed text gets too). Left unanswered, the request comes again at
        // every repaint, and each time the component compares the lines it
        // has laid out with the document, a long line byte by byte.
        if (header && header->code == SCN_STYLENEEDED)
          SendEditor(SCI_STARTSTYLING, static_cast<WPARAM>(reinterpret_cast<const SCNotification*>(lparam)->position));
        if (header && header->code == SCN_MODIFIED) {
          const auto* change = reinterpret_cast<const SCNotification*>(lparam);
          // An edit leaves the text after it unstyled for the component;
          // declared styled at once, the next repaint asks nothing, and the
          // laid-out line is not compared whole with the document (in a
          // line of megabytes, at every key).
          if (change->modificationType & (SC_MOD_INSERTTEXT | SC_MOD_DELETETEXT))
            SendEditor(SCI_STARTSTYLING, static_cast<WPARAM>(SendEditor(SCI_GETLENGTH)));
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
        g_editor.clipboard_has_text = ClipboardHasText();
        RefreshCommandStates();
        return 1;
      case WM_CLIPBOARDUPDATE:
        g_editor.clipboard_has_text = ClipboardHasText();
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
