// Device-independent bitmaps whose pixels the program reads and writes
// directly: rows run top-down, four bytes a pixel (B, G, R, A) unless asked
// otherwise.
#pragma once
#ifndef _WIN32
#error "dib_section_win32.h is Win32 glue"
#endif
#include <windows.h>

#include "platform/os_handles_win32.h"

namespace platform {

// A top-down DIB section of the given depth; *bits receives its pixels.
// Empty (and *bits null) on failure.
UniqueBitmap CreateTopDownDib(int width, int height, int bits_per_pixel, void** bits);

}  // namespace platform
