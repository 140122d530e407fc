// Drawing the icons and bitmaps a skin or a caller hands the controls:
// their size and a draw at a placed box, stretched when the box differs.
#pragma once
#include <windows.h>

#include "toolkit/controls/skin_placement.h"

namespace lumora {

// Width and height of an icon or bitmap; 0 × 0 when it is neither.
SIZE SkinImageSize(HANDLE image);

// Draws the image into `box` (icons with their mask, bitmaps copied).
void DrawSkinImage(HDC dc, HANDLE image, const SkinBox& box);

// Places the image in `area` by `placement` and draws it there.
void DrawPlacedImage(HDC dc, HANDLE image, const SkinPlacement& placement, const RECT& area);

inline SkinBox ToBox(const RECT& rect) { return SkinBox{rect.left, rect.top, rect.right, rect.bottom}; }

}  // namespace lumora
