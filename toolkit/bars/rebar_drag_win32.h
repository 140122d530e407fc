// Moving bands with the mouse. While a band is dragged the tool bars of its
// rebar paint composited, so the bands sliding past each other do not
// flicker, and a mouse hook keeps the pointer's feedback; both end with the
// drag, even when the rebar loses the mouse without saying so.
#pragma once
#ifndef _WIN32
#error "rebar_drag_win32.h is Win32 glue"
#endif
#include <windows.h>
#include <commctrl.h>

#include "toolkit/bars/rebar_registry_win32.h"

namespace lumora {

// RBN_BEGINDRAG; the result to return (non-zero refuses the drag, as for a
// rebar created without the drag flag).
LRESULT OnRebarBeginDrag(const RebarInfo& rebar, const NMREBAR& note);
// RBN_ENDDRAG.
void OnRebarEndDrag(HWND rebar);

// The rebar whose band is being dragged, or null.
HWND DraggedRebar();

// The mouse hook of the rebars, installed once per process on the calling
// thread; it ends drags the rebar never reported as ended.
void InstallRebarMouseHook();

}  // namespace lumora
