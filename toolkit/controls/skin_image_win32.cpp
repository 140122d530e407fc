#include "toolkit/controls/skin_image_win32.h"

#include "platform/os_handles_win32.h"

namespace lumora {

SIZE SkinImageSize(HANDLE image) {
  if (!image) return SIZE{0, 0};
  if (GetObjectType(image) == OBJ_BITMAP) {
    BITMAP bitmap{};
    if (GetObjectW(image, sizeof(bitmap), &bitmap)) return SIZE{bitmap.bmWidth, std::abs(bitmap.bmHeight)};
    return SIZE{0, 0};
  }
  ICONINFO info{};
  if (!GetIconInfo(static_cast<HICON>(image), &info)) return SIZE{0, 0};
  // GetIconInfo hands over copies of both bitmaps.
  platform::UniqueBitmap colour(info.hbmColor), mask(info.hbmMask);
  BITMAP bitmap{};
  if (colour && GetObjectW(colour.get(), sizeof(bitmap), &bitmap)) return SIZE{bitmap.bmWidth, bitmap.bmHeight};
  if (mask && GetObjectW(mask.get(), sizeof(bitmap), &bitmap)) return SIZE{bitmap.bmWidth, bitmap.bmHeight / 2};
  return SIZE{0, 0};
}

void DrawSkinImage(HDC dc, HANDLE image, const SkinBox& box) {
  const int width = box.right - box.left, height = box.bottom - box.top;
  if (!image || width <= 0 || height <= 0) return;
  if (GetObjectType(image) != OBJ_BITMAP) {
    DrawIconEx(dc, box.left, box.top, static_cast<HICON>(image), width, height, 0, nullptr, DI_NORMAL);
    return;
  }
  const SIZE size = SkinImageSize(image);
  platform::UniqueMemoryDc source = platform::CreateMemoryDc(dc);
  platform::SelectGuard selected(source.get(), image);
  if (!selected) return;
  if (size.cx == width && size.cy == height) {
    BitBlt(dc, box.left, box.top, width, height, source.get(), 0, 0, SRCCOPY);
  } else {
    SetStretchBltMode(dc, HALFTONE);
    StretchBlt(dc, box.left, box.top, width, height, source.get(), 0, 0, size.cx, size.cy, SRCCOPY);
  }
}

void DrawPlacedImage(HDC dc, HANDLE image, const SkinPlacement& placement, const RECT& area) {
  const SIZE size = SkinImageSize(image);
  if (size.cx <= 0 || size.cy <= 0) return;
  DrawSkinImage(dc, image, PlaceInArea(placement, ToBox(area), size.cx, size.cy));
}

}  // namespace lumora
