// Icons into image lists without the system's per-call icon copy.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "platform/os_handles_win32.h"

namespace platform {

struct IconPixels;

// An icon's colour and mask bitmaps, read once (GetIconInfo copies them,
// which is itself a good part of a millisecond under Wine) for putting the
// same icon into several lists.
struct IconBitmaps {
  HICON icon = nullptr;
  UniqueBitmap colour, mask;
  int width = 0, height = 0;
  bool usable = false;  // a 32-bit icon with both bitmaps
};
IconBitmaps ReadIconBitmaps(HICON icon) noexcept;

// ImageList_ReplaceIcon(list, index, icon): index -1 appends; returns the
// slot or -1. ImageList_ReplaceIcon first copies the icon to fit the list,
// which costs about a millisecond per 16x16 icon under Wine; a 32-bit icon
// of the list's own size needs no fitting and goes in through its colour
// and mask bitmaps, with the same pixels, in a fraction of the time.
// Anything else takes the system's path.
int ImageListPutIcon(HIMAGELIST list, int index, const IconBitmaps& icon) noexcept;
int ImageListPutIcon(HIMAGELIST list, int index, HICON icon) noexcept;

// Puts an image of the pixels (as kept beside an icon made of them), the
// same as putting that icon, without making it: straight in when it has the
// list's size, else through an icon that the system fits.
int ImageListPutPixels(HIMAGELIST list, int index, const IconPixels& pixels) noexcept;

// Puts a fully transparent image of the list's own size, as slots without a
// picture (separators, embedded controls) take: fitting a small blank icon
// to the list instead costs the system's icon copy three times a slot.
int ImageListPutBlank(HIMAGELIST list, int index) noexcept;

}  // namespace platform
