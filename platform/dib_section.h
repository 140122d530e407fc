// Device-independent bitmaps whose pixels the program reads and writes
// directly: rows run top-down, four bytes a pixel (B, G, R, A) unless asked
// otherwise.
#pragma once
#include <windows.h>

namespace platform {

// A top-down DIB section of the given depth; *bits receives its pixels.
// Null (and *bits null) on failure. The caller owns the bitmap.
HBITMAP CreateTopDownDib(int width, int height, int bits_per_pixel, void** bits);

}  // namespace platform
