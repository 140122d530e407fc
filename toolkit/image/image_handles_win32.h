// Decoded pixels and the system's images: bitmaps and icons made of them,
// the pixels of any bitmap read back, and image files read whole.
#pragma once
#ifndef _WIN32
#error "image_handles_win32.h is Win32 glue"
#endif
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/icon_pixels_win32.h"
#include "platform/os_handles_win32.h"
#include "toolkit/image/image_decode.h"

namespace lumora {

bool ReadWholeFile(const std::wstring& path, std::vector<uint8_t>* out);
// The file's bytes through DecodeImage.
bool DecodeImageFile(const std::wstring& path, DecodedImage* out);

// A 32-bit top-down DIB section holding the image, owned by the caller.
platform::UniqueBitmap CreateBitmapFromImage(const DecodedImage& image);

// The pixels an icon of the image is made of; null when the image is empty
// or shorter than its size says.
std::shared_ptr<const platform::IconPixels> IconPixelsFromImage(const DecodedImage& image);

// A 32-bit icon of the image's size, transparent where the image's alpha is
// 0, whose pixels are remembered beside it (platform::RecallIconPixels)
// until it is destroyed through its owner. Empty for an empty image.
platform::UniqueIcon CreateIconFromImage(const DecodedImage& image);

// The pixels of any bitmap as 32-bit top-down BGRA; bitmaps without alpha
// come out opaque. False for a handle that is not a bitmap.
bool ReadBitmapPixels(HBITMAP bitmap, DecodedImage* out);
// An icon of the bitmap's own size; null when it is not a usable bitmap.
platform::UniqueIcon CreateIconFromBitmap(HBITMAP bitmap);

}  // namespace lumora
