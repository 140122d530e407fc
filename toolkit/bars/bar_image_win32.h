// The shared bar images of the UI styles: one picture per style, as wide as
// the widest display and 256 pixels high, holding the vertical gradient of
// the style's rebar background colours. Every band of a rebar in a UI style
// carries the same picture, anchored at the rebar's corner, so the gradient
// runs on unbroken across bands. The pictures follow the colour mode.
#pragma once
#ifndef _WIN32
#error "bar_image_win32.h is Win32 glue"
#endif
#include <windows.h>

#include <cstdint>

namespace lumora {

constexpr int32_t kBarImageHeight = 256;

// The image of UISTYLE_OFFICE2003 (or its menu alias 6) or
// UISTYLE_OFFICE2007, made on first use in the current colours; null for
// another style or when it cannot be made. The toolkit owns it.
HBITMAP SharedBarImage(int32_t style);
// Null when the image has not been made.
HBITMAP ExistingBarImage(int32_t style);

// Repaints the images that exist in the current colours. The bitmaps stay
// the same objects, so bands holding them need no update, unless the widest
// display changed size: then a new bitmap replaces the old. The listener
// hears of every image refreshed, with old_image == new_image when it was
// repainted in place; a replaced bitmap is deleted only after that.
void RefreshBarImages();
using BarImageListener = void (*)(HBITMAP old_image, HBITMAP new_image);
void SetBarImageListener(BarImageListener listener);

// Registers the refresh as the bar-image step of colour-mode changes.
void WireBarImages();

// Frees both images (shut-down).
void FreeBarImages();

// Width the images are made with: the widest display plus 4.
int32_t BarImageWidth();

}  // namespace lumora
