// The drawing primitives every skinned element paints with: gradients filled
// through GDI+ and the image effect that derives faded, grey, tinted,
// brightened or contrasted copies of icons and bitmaps.
#pragma once
#ifndef _WIN32
#error "drawing_win32.h is Win32 glue"
#endif
#include <windows.h>

#include <cstdint>
#include <memory>

#include "platform/icon_pixels_win32.h"
#include "toolkit/base/gdiplus_binding_win32.h"
#include "toolkit/style/gradient.h"
#include "toolkit/style/image_effect_maths.h"

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

// A processed 32-bit copy of an icon or bitmap: a bitmap, or an icon with
// IMAGEEFFECT_RETURN_ICON, owned by the caller; 0 when the image is not a
// usable icon or bitmap or has no width or height. IMAGEEFFECT_DESTROY_SOURCE
// destroys the source once a copy was made.
HANDLE ImageEffect(HANDLE image, float alpha, float contrast, float brightness, COLORREF tint_colour,
                   float tint_amount, uint32_t flags);

// The pixels of the icon ImageEffect(..., IMAGEEFFECT_RETURN_ICON) would
// make, without making it, for callers that only put the copy into image
// lists (an icon costs a good part of a millisecond under Wine); null where
// ImageEffect gives 0. IMAGEEFFECT_DESTROY_SOURCE is ignored.
std::shared_ptr<const platform::IconPixels> ImageEffectIconPixels(HANDLE image, float alpha, float contrast,
                                                                  float brightness, COLORREF tint_colour,
                                                                  float tint_amount, uint32_t flags);

}  // namespace lumora
