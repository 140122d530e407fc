#include "toolkit/image/image_resize.h"

#include <algorithm>
#include <cmath>

namespace lumora {
namespace {

// For one axis: which source cells each target cell covers and how much.
struct Span {
  int32_t first = 0;
  std::vector<double> weights;
};

std::vector<Span> Spans(int32_t source, int32_t target) {
  std::vector<Span> spans(static_cast<size_t>(target));
  const double scale = static_cast<double>(source) / target;
  for (int32_t t = 0; t < target; ++t) {
    const double start = t * scale;
    const double end = (t + 1) * scale;
    Span& span = spans[static_cast<size_t>(t)];
    span.first = static_cast<int32_t>(std::floor(start));
    const int32_t last = std::min(source - 1, static_cast<int32_t>(std::ceil(end)) - 1);
    for (int32_t s = span.first; s <= last; ++s) {
      const double overlap = std::min<double>(end, s + 1) - std::max<double>(start, s);
      span.weights.push_back(overlap > 0 ? overlap : 0);
    }
  }
  return spans;
}

}  // namespace

std::vector<uint8_t> ResizeBgra(const std::vector<uint8_t>& source, int32_t source_width, int32_t source_height,
                                int32_t width, int32_t height) {
  if (source_width <= 0 || source_height <= 0 || width <= 0 || height <= 0) return {};
  const size_t source_bytes = static_cast<size_t>(source_width) * static_cast<size_t>(source_height) * 4;
  if (source.size() < source_bytes) return {};
  const std::vector<Span> columns = Spans(source_width, width);
  const std::vector<Span> rows = Spans(source_height, height);
  std::vector<uint8_t> out(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
  for (int32_t y = 0; y < height; ++y) {
    const Span& row = rows[static_cast<size_t>(y)];
    for (int32_t x = 0; x < width; ++x) {
      const Span& column = columns[static_cast<size_t>(x)];
      double colour[3] = {0, 0, 0};
      double alpha = 0;
      double area = 0;
      for (size_t j = 0; j < row.weights.size(); ++j) {
        const size_t sy = static_cast<size_t>(row.first) + j;
        for (size_t i = 0; i < column.weights.size(); ++i) {
          const size_t sx = static_cast<size_t>(column.first) + i;
          const double w = row.weights[j] * column.weights[i];
          const uint8_t* p = &source[(sy * static_cast<size_t>(source_width) + sx) * 4];
          const double a = p[3] * w;
          for (int k = 0; k < 3; ++k) colour[k] += p[k] * a;
          alpha += a;
          area += w;
        }
      }
      uint8_t* q = &out[(static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 4];
      for (int k = 0; k < 3; ++k)
        q[k] = alpha > 0 ? static_cast<uint8_t>(std::clamp(std::lround(colour[k] / alpha), 0L, 255L)) : 0;
      q[3] = area > 0 ? static_cast<uint8_t>(std::clamp(std::lround(alpha / area), 0L, 255L)) : 0;
    }
  }
  return out;
}

}  // namespace lumora
