#include "toolkit/controls/skin_placement.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

namespace lumora {
namespace {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == ';')) text.remove_suffix(1);
  return text;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const char ca = (a[i] >= 'A' && a[i] <= 'Z') ? static_cast<char>(a[i] + 32) : a[i];
    if (ca != b[i]) return false;
  }
  return true;
}

// Skin values are anyone's text: sums of them are done wide and brought
// back into range, so an offset near the limits pins the item to the edge of
// what can be drawn rather than wrapping round.
int32_t Saturate(int64_t value) { return SaturateToInt32(value); }

// No area is a million times its free space; the bound keeps the product
// below within 64 bits.
constexpr int64_t kPercentLimit = 1'000'000;

// Where along one axis an item of `size` starts in [start, end).
int32_t Along(const SkinOffset& offset, bool from_end, int32_t start, int32_t end, int32_t size) {
  const int64_t free_space = static_cast<int64_t>(end) - start - size;
  int64_t distance = 0;
  switch (offset.kind) {
    case SkinOffset::kPixels: distance = offset.value; break;
    case SkinOffset::kPercent:
      distance = free_space * std::clamp<int64_t>(offset.value, -kPercentLimit, kPercentLimit) / 100;
      break;
    case SkinOffset::kCentre: distance = free_space / 2; break;
    case SkinOffset::kUnset:
    case SkinOffset::kRepeat: break;
  }
  return Saturate(from_end ? static_cast<int64_t>(end) - size - distance : start + distance);
}

int32_t PlaceAxis(const SkinOffset& centre_key, const SkinOffset& near, const SkinOffset& far, int32_t start,
                  int32_t end, int32_t size) {
  if (centre_key.kind != SkinOffset::kUnset) return Along(centre_key, false, start, end, size);
  if (near.kind != SkinOffset::kUnset) return Along(near, false, start, end, size);
  if (far.kind != SkinOffset::kUnset) return Along(far, true, start, end, size);
  return start;
}

// The axis's governing offset is the first one set, as in PlaceAxis.
bool Repeats(const SkinOffset& centre_key, const SkinOffset& near, const SkinOffset& far) {
  const SkinOffset& chosen =
      centre_key.kind != SkinOffset::kUnset ? centre_key : near.kind != SkinOffset::kUnset ? near : far;
  return chosen.kind == SkinOffset::kRepeat;
}

// Steps back from the placed copy to the first one that reaches `start`,
// then counts the copies up to `end`.
void SpanAxis(int32_t placed, int32_t start, int32_t end, int32_t size, int32_t& first, int32_t& count) {
  int64_t origin = placed;
  if (origin > start) origin -= (origin - start + size - 1) / size * size;
  const int64_t span = static_cast<int64_t>(end) - origin;
  first = Saturate(origin);
  count = span <= 0 ? 0 : static_cast<int32_t>(std::min<int64_t>((span + size - 1) / size, kMaxSkinTiles));
}

}  // namespace

int32_t SaturateToInt32(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

int32_t FittedLength(int32_t length, int32_t before, int32_t after) {
  return static_cast<int32_t>(std::clamp<int64_t>(static_cast<int64_t>(length) + before + after, 1, 32767));
}

SkinBox InsetBox(const SkinBox& box, const SkinBox& by) {
  return SkinBox{Saturate(static_cast<int64_t>(box.left) + by.left), Saturate(static_cast<int64_t>(box.top) + by.top),
                 Saturate(static_cast<int64_t>(box.right) - by.right),
                 Saturate(static_cast<int64_t>(box.bottom) - by.bottom)};
}

SkinOffset ParseSkinOffset(std::string_view text) {
  text = Trim(text);
  if (EqualsIgnoringCase(text, "centre") || EqualsIgnoringCase(text, "center")) return {SkinOffset::kCentre, 0};
  if (EqualsIgnoringCase(text, "repeat")) return {SkinOffset::kRepeat, 0};
  const bool percent = !text.empty() && text.back() == '%';
  if (percent) text = Trim(text.substr(0, text.size() - 1));
  int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return {};
  return {percent ? SkinOffset::kPercent : SkinOffset::kPixels, value};
}

SkinBox PlaceInArea(const SkinPlacement& placement, const SkinBox& area, int32_t width, int32_t height) {
  if (placement.stretch) return area;
  SkinBox box;
  box.left = PlaceAxis(placement.x, placement.left, placement.right, area.left, area.right, width);
  box.top = PlaceAxis(placement.y, placement.top, placement.bottom, area.top, area.bottom, height);
  box.right = Saturate(static_cast<int64_t>(box.left) + width);
  box.bottom = Saturate(static_cast<int64_t>(box.top) + height);
  return box;
}

SkinTiling TileInArea(const SkinPlacement& placement, const SkinBox& area, int32_t width, int32_t height) {
  const SkinBox placed = PlaceInArea(placement, area, width, height);
  SkinTiling tiling{placed.left,
                    placed.top,
                    Saturate(static_cast<int64_t>(placed.right) - placed.left),
                    Saturate(static_cast<int64_t>(placed.bottom) - placed.top),
                    1,
                    1};
  if (placement.stretch || tiling.width <= 0 || tiling.height <= 0) return tiling;
  if (placement.tile || Repeats(placement.x, placement.left, placement.right))
    SpanAxis(placed.left, area.left, area.right, tiling.width, tiling.first_left, tiling.columns);
  if (placement.tile || Repeats(placement.y, placement.top, placement.bottom))
    SpanAxis(placed.top, area.top, area.bottom, tiling.height, tiling.first_top, tiling.rows);
  // Both axes at their cap would still be too many copies.
  if (static_cast<int64_t>(tiling.columns) * tiling.rows > kMaxSkinTiles)
    tiling.rows = std::max<int32_t>(1, kMaxSkinTiles / std::max<int32_t>(1, tiling.columns));
  return tiling;
}

}  // namespace lumora
