#include "toolkit/controls/skin_image_draw_win32.h"

#include <algorithm>

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

void DrawSkinImage(HDC dc, HANDLE image, const SkinBox& box, int32_t transparent) {
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
  if (transparent != -1) {
    GdiTransparentBlt(dc, box.left, box.top, width, height, source.get(), 0, 0, size.cx, size.cy,
                      static_cast<UINT>(transparent));
  } else if (size.cx == width && size.cy == height) {
    BitBlt(dc, box.left, box.top, width, height, source.get(), 0, 0, SRCCOPY);
  } else {
    SetStretchBltMode(dc, HALFTONE);
    StretchBlt(dc, box.left, box.top, width, height, source.get(), 0, 0, size.cx, size.cy, SRCCOPY);
  }
}

void DrawPlacedImage(HDC dc, HANDLE image, const SkinPlacement& placement, const RECT& area) {
  const SIZE size = SkinImageSize(image);
  if (size.cx <= 0 || size.cy <= 0) return;
  const SkinTiling tiling = TileInArea(placement, ToBox(area), size.cx, size.cy);
  const int32_t transparent = placement.masked ? static_cast<int32_t>(kSkinMaskColour) : -1;
  if (tiling.columns == 1 && tiling.rows == 1) {
    const SkinBox box{tiling.first_left, tiling.first_top, tiling.first_left + tiling.width,
                      tiling.first_top + tiling.height};
    DrawSkinImage(dc, image, box, transparent);
    return;
  }
  // Copies at the edges overhang the area.
  platform::SavedDcState saved(dc);
  IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
  for (int32_t row = 0; row < tiling.rows; ++row)
    for (int32_t column = 0; column < tiling.columns; ++column) {
      const int32_t left = tiling.first_left + column * tiling.width, top = tiling.first_top + row * tiling.height;
      DrawSkinImage(dc, image, SkinBox{left, top, left + tiling.width, top + tiling.height}, transparent);
    }
}

void DrawNineSlice(HDC dc, HANDLE image, const SkinBox& margins, const RECT& target) {
  const SIZE size = SkinImageSize(image);
  if (size.cx <= 0 || size.cy <= 0) return;
  if (GetObjectType(image) != OBJ_BITMAP) {
    DrawSkinImage(dc, image, ToBox(target));
    return;
  }
  platform::UniqueMemoryDc source = platform::CreateMemoryDc(dc);
  platform::SelectGuard selected(source.get(), image);
  if (!selected) return;
  // The margins are the skin's numbers: the cuts are kept inside the image
  // and the target, so no sum below can overflow.
  const SkinBox cut{std::clamp(margins.left, 0, static_cast<int>(size.cx)), std::clamp(margins.top, 0, static_cast<int>(size.cy)),
                    std::clamp(margins.right, 0, static_cast<int>(size.cx)),
                    std::clamp(margins.bottom, 0, static_cast<int>(size.cy))};
  const SkinBox inner = InsetBox(ToBox(target), cut);
  const int sx[4] = {0, cut.left, static_cast<int>(size.cx) - cut.right, size.cx};
  const int sy[4] = {0, cut.top, static_cast<int>(size.cy) - cut.bottom, size.cy};
  const int dx[4] = {target.left, inner.left, inner.right, target.right};
  const int dy[4] = {target.top, inner.top, inner.bottom, target.bottom};
  SetStretchBltMode(dc, COLORONCOLOR);
  for (int row = 0; row < 3; ++row)
    for (int column = 0; column < 3; ++column) {
      const int w = dx[column + 1] - dx[column], h = dy[row + 1] - dy[row];
      const int source_w = sx[column + 1] - sx[column], source_h = sy[row + 1] - sy[row];
      if (w <= 0 || h <= 0 || source_w <= 0 || source_h <= 0) continue;
      StretchBlt(dc, dx[column], dy[row], w, h, source.get(), sx[column], sy[row], source_w, source_h, SRCCOPY);
    }
}

}  // namespace lumora
