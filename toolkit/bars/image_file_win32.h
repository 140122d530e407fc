// Loading icons and bitmaps from files for the application's menus and
// bars, with an optional shared cache, and the conversions between decoded
// pixels, bitmaps and icons that loading (and the tool bars) need.
#pragma once
#include <windows.h>

#include <cstdint>

#include "platform/image_decode.h"
#include "platform/os_handles_win32.h"

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

// A 32-bit icon of the image's size, transparent where the image's alpha is
// 0; empty for an empty image.
platform::UniqueIcon CreateIconFromImage(const platform::DecodedImage& image);
// The pixels of any bitmap as 32-bit top-down BGRA; bitmaps without alpha
// come out opaque. False for a handle that is not a bitmap.
bool ReadBitmapPixels(HBITMAP bitmap, platform::DecodedImage* out);
// An icon of the bitmap's own size; null when it is not a usable bitmap.
platform::UniqueIcon CreateIconFromBitmap(HBITMAP bitmap);

}  // namespace lumora
