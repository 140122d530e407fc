// The pixels of icons, kept beside them. Reading an icon back (GetIconInfo)
// makes copies of its bitmaps through the display, a good part of a
// millisecond under Wine, and the toolkit reads every tool-bar icon back
// two or three times (into the normal, hot and disabled image lists, and
// for the greyed copy). An icon made here, or read once, is read from its
// kept pixels after that: the same pixels, without the system's copies.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/os_handles_win32.h"

namespace platform {

// What an icon made here was made of.
struct IconPixels {
  int width = 0;
  int height = 0;
  // The colour bitmap: top-down B, G, R, A rows, straight alpha, fully
  // transparent pixels black.
  std::vector<uint8_t> colour;
  // The AND mask as CreateBitmap takes it: one bit a pixel, set where the
  // pixel is fully transparent, rows padded to 16 bits.
  std::vector<uint8_t> mask;
};

// Keeps the pixels an icon was just made of (by CreateIconPixelBitmaps and
// CreateIconFromBitmaps) beside it, until the icon is destroyed through its
// owner.
void RememberIconPixels(HICON icon, std::shared_ptr<const IconPixels> pixels);

// The pixels remembered beside an icon that still lives, or null.
std::shared_ptr<const IconPixels> RecallIconPixels(HICON icon);

// The pixels of a 32-bit icon, from memory when it was made or read here
// before, else read from the icon once (GetIconInfo) and remembered until
// the icon is destroyed through its owner. Null for an icon without a
// 32-bit colour bitmap, which callers read the long way.
std::shared_ptr<const IconPixels> IconPixelsOf(HICON icon);

// Called by the icon owner (UniqueIcon) when it destroys an icon, so that a
// later icon given the same handle is not mistaken for it. An icon passed
// to DestroyIcon directly leaves its entry behind: every icon made or read
// here is destroyed through an owner.
void ForgetIconPixels(HICON icon) noexcept;

// An icon of a colour and a mask bitmap, which stay the caller's (the icon
// holds copies).
UniqueIcon CreateIconFromBitmaps(HBITMAP colour, HBITMAP mask);

// A 32-bit top-down DIB section and a mask bitmap of the remembered pixels.
bool CreateIconPixelBitmaps(const IconPixels& pixels, UniqueBitmap* colour, UniqueBitmap* mask);

}  // namespace platform
