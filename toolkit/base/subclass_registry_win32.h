// Windows whose procedure the toolkit replaced. Every replaced procedure is
// kept so that unhandled messages reach it and so that shut-down can put it
// back.
#pragma once
#include <windows.h>

#include "toolkit/base/stale_lock.h"

namespace lumora {

// Installs proc on window and returns the procedure it replaced (null on failure).
WNDPROC SubclassWindow(HWND window, WNDPROC proc);
// The procedure that was in place before the toolkit's, or DefWindowProcW.
WNDPROC PreviousProc(HWND window);
LRESULT CallPreviousProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
// Puts back the original procedure of one window and forgets it.
void UnsubclassWindow(HWND window);
// Puts back every original procedure of windows that still exist.
void RestoreAllSubclassed();
size_t SubclassedCount();

// Guards the records kept per window: these and the bars' size limits.
StaleLock& WindowRecordsLock();

}  // namespace lumora
