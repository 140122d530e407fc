// Loading icons and bitmaps from files for the application's menus and
// bars, with an optional shared cache (image_file_cache.h).
#pragma once
#ifndef _WIN32
#error "image_file_win32.h is Win32 glue"
#endif
#include <windows.h>

#include <cstdint>

namespace lumora {

constexpr uint32_t IMAGEFILE_AS_ICON = 2;
constexpr uint32_t IMAGEFILE_CACHED = 4;

// An icon or bitmap handle owned by the caller (shared when cached), or 0
// when the file is missing, empty or cannot be decoded. width and height
// may be 0 for the image's own size; when only one is given the other is
// the image's own. The system's icon loader is tried first, then the PNG,
// JPEG and BMP decoders.
HANDLE LoadImageFile(const wchar_t* path, int width, int height, uint32_t flags);

// How many times a cached image was handed out; 0 for one the cache does not hold.
int64_t ImageFileReferenceCount(HANDLE image);
// Gives one reference back; the image is destroyed with the last one. 1
// when the handle was cached, 0 otherwise (the caller then still owns it).
int32_t ReleaseImageFile(HANDLE image);

}  // namespace lumora
