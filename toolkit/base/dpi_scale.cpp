#include "toolkit/base/dpi_scale.h"

#include <cstdlib>

namespace lumora {

int32_t ScalePixels(int32_t px96, int32_t dpi) {
  if (dpi <= 0 || dpi == kDesignDpi) return px96;
  const int64_t product = static_cast<int64_t>(px96) * dpi;
  const int64_t half = kDesignDpi / 2;
  const int64_t magnitude = (std::llabs(product) + half) / kDesignDpi;
  return static_cast<int32_t>(product < 0 ? -magnitude : magnitude);
}

int32_t IconSizeForDpi(int32_t px96, int32_t dpi) {
  static const int32_t kThemeSizes[] = {16, 24, 32, 48};
  const int32_t wanted = ScalePixels(px96, dpi);
  int32_t best = kThemeSizes[0];
  for (int32_t size : kThemeSizes)
    if (std::abs(size - wanted) < std::abs(best - wanted)) best = size;
  return best;
}

}  // namespace lumora
