// Where a skinned layer (image, text, background or overlay image) sits in
// its area: the position declarations of a skin ("x: 50%; y: centre;",
// "right: 4; top: 50%;") read into numbers, and the maths that turns them
// into a rectangle. A percentage is of the free space (area less item), so
// 50 % centres and 100 % touches the far side.
#pragma once
#include <cstdint>
#include <string_view>

namespace lumora {

struct SkinOffset {
  enum Kind : uint8_t { kUnset, kPixels, kPercent, kCentre, kRepeat };
  Kind kind = kUnset;
  int32_t value = 0;
};

struct SkinPlacement {
  SkinOffset x, y;                     // from the left / top edge
  SkinOffset left, top, right, bottom;  // from that side
  bool stretch = false, tile = false, masked = false;
};

struct SkinBox {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// Sums of skin values are done in 64 bits and brought back with this, so a
// value near the limits pins to the edge instead of wrapping round.
int32_t SaturateToInt32(int64_t value);

// The length of a control made to fit an image of `length` with paddings
// before and after it: at least 1, at most 32767 (what a window can be).
int32_t FittedLength(int32_t length, int32_t before, int32_t after);

// `box` less `by` on each side (paddings, margins).
SkinBox InsetBox(const SkinBox& box, const SkinBox& by);

// "12" pixels, "50%" a percentage, "centre" (or "center"), "repeat";
// anything else is unset.
SkinOffset ParseSkinOffset(std::string_view text);

// The item's rectangle inside `area`: x (else left, else right) places it
// horizontally, y (else top, else bottom) vertically; nothing given puts it
// at the top left. With stretch the item fills the area.
SkinBox PlaceInArea(const SkinPlacement& placement, const SkinBox& area, int32_t width, int32_t height);

// The grid of copies an image of width × height makes in `area`: one copy
// where PlaceInArea puts it, repeated along an axis whose offset is
// "repeat" and along both with "tile", from the placed copy outwards until
// the area is covered. Copies may overhang the area's edges (the painter
// clips). Stretching wins over tiling. The copies are capped at
// kMaxSkinTiles so a one-pixel image over a large area cannot stall a paint.
struct SkinTiling {
  int32_t first_left = 0, first_top = 0;  // the top left copy
  int32_t width = 0, height = 0;          // of each copy
  int32_t columns = 0, rows = 0;
};
constexpr int32_t kMaxSkinTiles = 16384;
SkinTiling TileInArea(const SkinPlacement& placement, const SkinBox& area, int32_t width, int32_t height);

}  // namespace lumora
