// The image effect that derives faded, grey, tinted, brightened or
// contrasted copies of icons and bitmaps; the arithmetic is in
// image_effect_maths.h.
#pragma once
#ifndef _WIN32
#error "image_effect_win32.h is Win32 glue"
#endif
#include <windows.h>

#include <cstdint>
#include <memory>

#include "platform/icon_pixels_win32.h"
#include "toolkit/image/image_effect_maths.h"

namespace lumora {

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
