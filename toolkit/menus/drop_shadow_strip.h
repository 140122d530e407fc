// The soft shadow strips laid along menus: 32-bit pixels with pre-multiplied
// per-pixel alpha that fade in at the start of a strip, out at its end, and
// away from the menu across it.
#pragma once
#include <cstdint>
#include <vector>

namespace lumora {

// Side flags of a strip.
constexpr uint32_t SHADOW_EXTEND_END = 1;     // one depth longer
constexpr uint32_t SHADOW_EXTEND_START = 2;   // one depth longer
constexpr uint32_t SHADOW_EXTEND_BOTH = 4;    // two depths longer
constexpr uint32_t SHADOW_VERTICAL = 0x1000;  // runs down the right side

// Length of a strip along a side of `side_length`.
int32_t ShadowStripLength(int32_t side_length, int32_t depth, uint32_t side_flags);

// Alpha along the strip at column i of a strip of length L, depth s and
// maximum alpha A: A(i+1)/s for i < s, A in the middle, A(L-i)/s at the end.
int32_t ShadowAlongAlpha(int32_t i, int32_t length, int32_t depth, int32_t max_alpha);

// Alpha of the pixel at column i, row j (row 0 touches the menu):
// along(i) * (s - j - 1) / s.
int32_t ShadowPixelAlpha(int32_t i, int32_t j, int32_t length, int32_t depth, int32_t max_alpha);

// One strip's pixels, 0xAARRGGBB with the colour channels multiplied by
// alpha / 255. A horizontal strip is `length` wide and `depth` high, row 0
// first; a vertical strip is `depth` wide and `length` high, column 0
// touching the menu. Empty when the length or depth is not positive.
struct ShadowStrip {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> pixels;  // top-down rows
};
ShadowStrip BuildShadowStrip(int32_t length, int32_t depth, uint32_t colorref, int32_t max_alpha, bool vertical);

// Keeps the longest strip built so far for one direction and cuts shorter
// ones out of it (its start and its end piece), building anew only for a
// greater length or depth, another colour or another maximum alpha.
class ShadowStripCache {
 public:
  explicit ShadowStripCache(bool vertical) : vertical_(vertical) {}
  ShadowStrip Get(int32_t length, int32_t depth, uint32_t colorref, int32_t max_alpha);
  int32_t builds() const { return builds_; }

 private:
  bool vertical_;
  ShadowStrip cached_;
  int32_t length_ = 0, depth_ = 0, max_alpha_ = -1;
  uint32_t colour_ = 0;
  int32_t builds_ = 0;
};

}  // namespace lumora
