#include "toolkit/controls/theme_objects_win32.h"

#include <vector>

#include "platform/os_handles_win32.h"

namespace lumora {
namespace {

struct CachedBrush {
  COLORREF colour;
  platform::UniqueBrush brush;
};

// Pages use a handful of colours; a skin cycling through many must not
// make the cache a leak.
constexpr size_t kMostBrushes = 64;

std::vector<CachedBrush>& Brushes() {
  static std::vector<CachedBrush> brushes;
  return brushes;
}

}  // namespace

HBRUSH ThemeBrush(COLORREF colour) {
  auto& brushes = Brushes();
  for (const CachedBrush& cached : brushes)
    if (cached.colour == colour) return cached.brush.get();
  if (brushes.size() >= kMostBrushes) brushes.clear();
  platform::UniqueBrush made(CreateSolidBrush(colour));
  if (!made) return nullptr;
  brushes.push_back(CachedBrush{colour, std::move(made)});
  return brushes.back().brush.get();
}

void DropThemeObjects() { Brushes().clear(); }

size_t ThemeObjectCount() { return Brushes().size(); }

}  // namespace lumora
