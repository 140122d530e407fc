// Lumora rebars: common-controls rebars that the toolkit creates, fills
// with bands holding tool bars, the menu bar and other controls, paints in
// the UI styles and watches for height changes, so the application can keep
// its client area below the strip.
#pragma once
#ifndef _WIN32
#error "rebar_win32.h is Win32 glue"
#endif
#include <windows.h>

#include <cstdint>

namespace lumora {

// WM_LUMORA_REBARHEIGHT (toolkit_messages.h) is sent first to the rebar's
// root window and then to its parent, once per change of the rebar's
// height; a window that is both receives it twice.

// style holds RBS_* and CCS_* styles and the UI style bits
// UISTYLE_OFFICE2003 / UISTYLE_OFFICE2007. A non-zero drag_flag lets the
// user move bands around. Returns the rebar's window handle, or its new id
// when id was -1; 0 for a duplicate id or when the window cannot be made.
// The new rebar becomes the current rebar.
intptr_t CreateRebar(int32_t id, HWND parent, HBITMAP background_image, uint32_t style, int32_t drag_flag);

// Adds a band to the current rebar: width is the band's width and ideal
// width, min_width the minimum child width, min_height the minimum child
// height (0 measures the child), band_style replaces RBBS_CHILDEDGE for
// this band when non-zero. Returns the band id (0, 1, 2, ... per rebar);
// -1 when the current rebar is not registered or the band cannot be
// inserted, 0 when there is no current rebar.
int32_t RebarAddBand(HWND child, const wchar_t* text, int32_t width, int32_t min_width, int32_t min_height,
                     HBITMAP background_image, uint32_t band_style);

// The rebar's height; rebar is an id or a window handle. 0 when it names
// no rebar.
int32_t RebarGetHeight(intptr_t rebar);

// The window of the rebar with this id; null when unknown.
HWND RebarWindow(int32_t id);

// The screen rectangle of the band that holds child, false when child sits
// in no band of a rebar. Its right end is where the band's chevron is.
bool RebarBandRectOfChild(HWND child, RECT* band);

}  // namespace lumora
