// Drawing the icons and bitmaps a skin or a caller hands the controls:
// their size and a draw at a placed box, stretched when the box differs.
#pragma once
#include <windows.h>

#include "toolkit/controls/skin_placement.h"

namespace lumora {

// Width and height of an icon or bitmap; 0 × 0 when it is neither.
SIZE SkinImageSize(HANDLE image);

// A skin bitmap placed "masked" lets what lies under it show through its
// pure green pixels, the key colour the buttons' own bitmaps use.
constexpr COLORREF kSkinMaskColour = RGB(0, 255, 0);

// Draws the image into `box` (icons with their mask, bitmaps copied, or
// without their pixels of `transparent` when it is not -1).
void DrawSkinImage(HDC dc, HANDLE image, const SkinBox& box, int32_t transparent = -1);

// Places the image in `area` by `placement` and draws it there: repeated
// for "tile" and "repeat", keyed for "masked", clipped to the area.
void DrawPlacedImage(HDC dc, HANDLE image, const SkinPlacement& placement, const RECT& area);

// A border image cut in nine at the margins (the skin's "top", "left",
// "bottom" and "right"): corners kept, edges and middle stretched to
// `target`. An icon is drawn whole, stretched.
void DrawNineSlice(HDC dc, HANDLE image, const SkinBox& margins, const RECT& target);

inline SkinBox ToBox(const RECT& rect) { return SkinBox{rect.left, rect.top, rect.right, rect.bottom}; }

}  // namespace lumora
