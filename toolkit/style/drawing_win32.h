// The drawing primitives every skinned element paints with: gradients filled
// through GDI+ and the image effect (toolkit/image/image_effect_win32.h) that
// derives faded, grey, tinted, brightened or contrasted copies of icons and
// bitmaps.
#pragma once
#ifndef _WIN32
#error "drawing_win32.h is Win32 glue"
#endif
#include <windows.h>

#include <cstdint>
#include <memory>

#include "toolkit/base/gdiplus_binding_win32.h"
#include "toolkit/image/image_effect_win32.h"
#include "toolkit/style/gradient.h"

namespace lumora {

// A new gradient record (kinds GRADIENT_HORIZONTAL .. GRADIENT_ELLIPSE, ARGB
// colours), or 0 when GDI+ is unavailable, since nothing could paint it.
// Stops are added with AddGradientStop (gradient.h).
GradientHandle CreateGradient(int32_t kind, int32_t colour1, int32_t colour2);

// Fills the rectangle with the gradient: linear kinds from colour 1 at the
// left (top) edge to colour 2 at the right (bottom) edge through the stops,
// path kinds with colour 1 at the centre and colour 2 at the rim. 1 when
// painted; 0 for an unknown gradient, an empty rectangle or without GDI+.
int32_t PaintGradient(HDC dc, const RECT& rect, GradientHandle gradient);

}  // namespace lumora
