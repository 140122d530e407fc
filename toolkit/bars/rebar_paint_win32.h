// Painting of rebars in the UI styles: the background picture carried by
// every band, the borders between bands, and the dotted grippers. The
// common control draws band pictures only on some systems, so the toolkit
// paints them itself wherever it runs.
#pragma once
#ifndef _WIN32
#error "rebar_paint_win32.h is Win32 glue"
#endif
#include <windows.h>
#include <commctrl.h>

#include "toolkit/bars/rebar_registry_win32.h"

namespace lumora {

// Erases the rebar's client area with its background picture and the
// bands' own pictures; false when the rebar has no picture (the control
// then erases as usual).
bool PaintRebarBackground(const RebarInfo& rebar, HDC dc);

// Answers NM_CUSTOMDRAW of a rebar in a UI style: asks for item drawing and
// paints the grippers.
LRESULT RebarCustomDraw(const RebarInfo& rebar, NMCUSTOMDRAW* draw);

// Tiles bitmap over area, with a tile's corner at origin.
void TileBitmap(HDC dc, HBITMAP bitmap, const RECT& area, POINT origin);

}  // namespace lumora
