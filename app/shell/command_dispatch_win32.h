// The main window callback: every command and every notification of the
// editing component arrives here and goes to the code that owns it.
#pragma once
#include <windows.h>

namespace tavrel {

LRESULT CALLBACK MainWindowCallback(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
void RefreshCommandStates();
void StartClipboardMonitor(HWND window);
void StopClipboardMonitor(HWND window);
// Tests replace the system's AddClipboardFormatListener to see the editor
// without clipboard notifications; null restores it.
using ClipboardListenerFn = BOOL(WINAPI*)(HWND);
void SetClipboardListenerForTesting(ClipboardListenerFn add);

void UndoEdit();
void RedoEdit();
void CutSelection();
void CopySelection();
void PasteClipboard();
void DeleteSelection();
void SelectAllText();

bool ClipboardHasText();

// What the editing commands would act on: the search field's edit box while
// it has the focus, otherwise the document.
bool SelectionInFocus();
bool CanUndoInFocus();
bool CanRedoInFocus();

}  // namespace tavrel
