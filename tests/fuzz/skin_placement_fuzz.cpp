// Where a skin puts its images and captions comes from anyone's text: no
// offset, padding or size may crash the position parser or make the
// placement and tiling maths overflow, and tiling stays within its cap.
// Fuzz sources: toolkit/controls/skin_placement.cpp
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "toolkit/controls/skin_placement.h"

using namespace lumora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Ten numbers (the area, the item's size, a padding), one flag byte, then
  // the six offsets' texts separated by '\n'.
  constexpr size_t kNumbers = 10 * sizeof(int32_t);
  if (size < kNumbers + 1) return 0;
  int32_t n[10];
  std::memcpy(n, data, kNumbers);
  const uint8_t flags = data[kNumbers];
  std::string_view text(reinterpret_cast<const char*>(data + kNumbers + 1), size - kNumbers - 1);
  SkinPlacement placement;
  SkinOffset* offsets[] = {&placement.x, &placement.y, &placement.left, &placement.top, &placement.right,
                           &placement.bottom};
  for (SkinOffset* offset : offsets) {
    const size_t end = text.find('\n');
    *offset = ParseSkinOffset(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
  }
  placement.stretch = flags & 1;
  placement.tile = flags & 2;
  const SkinBox area = InsetBox(SkinBox{n[0], n[1], n[2], n[3]}, SkinBox{n[6], n[7], n[8], n[9]});
  PlaceInArea(placement, area, n[4], n[5]);
  const SkinTiling tiling = TileInArea(placement, area, n[4], n[5]);
  if (tiling.columns < 0 || tiling.rows < 0 || int64_t{tiling.columns} * tiling.rows > kMaxSkinTiles) std::abort();
  FittedLength(n[4], n[6], n[8]);
  return 0;
}
