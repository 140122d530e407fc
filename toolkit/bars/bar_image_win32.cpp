#include "toolkit/bars/bar_image_win32.h"

#include <algorithm>
#include <utility>

#include "platform/dib_section_win32.h"
#include "platform/error_log.h"
#include "platform/os_handles_win32.h"
#include "toolkit/style/colour_mode.h"
#include "toolkit/style/ui_colour_table.h"
#include "toolkit/style/ui_style.h"

namespace lumora {
namespace {

// A top-down 32-bit DIB section whose pixels can be rewritten in place.
class BarImage {
 public:
  bool Create(int32_t width, int32_t height) {
    void* bits = nullptr;
    platform::UniqueBitmap bitmap = platform::CreateTopDownDib(width, height, 32, &bits);
    if (!bitmap) return false;
    Reset();
    bitmap_ = std::move(bitmap);
    bits_ = static_cast<uint32_t*>(bits);
    width_ = width;
    height_ = height;
    return true;
  }

  void Reset() {
    bitmap_.reset();
    bits_ = nullptr;
    width_ = height_ = 0;
  }

  void Swap(BarImage& other) noexcept {
    std::swap(bitmap_, other.bitmap_);
    std::swap(bits_, other.bits_);
    std::swap(width_, other.width_);
    std::swap(height_, other.height_);
  }

  // Rows run from top to bottom from one colour to the other (COLORREFs).
  void PaintGradient(COLORREF top, COLORREF bottom) {
    if (!bits_) return;
    GdiFlush();
    const int32_t span = std::max(1, height_ - 1);
    for (int32_t y = 0; y < height_; ++y) {
      auto mix = [&](int shift) {
        const int32_t a = static_cast<int32_t>((top >> shift) & 0xFF);
        const int32_t b = static_cast<int32_t>((bottom >> shift) & 0xFF);
        return static_cast<uint32_t>(a + (b - a) * y / span);
      };
      // DIB pixels are stored blue, green, red, unused.
      const uint32_t pixel = (mix(0) << 16) | (mix(8) << 8) | mix(16);
      std::fill_n(bits_ + static_cast<size_t>(y) * static_cast<size_t>(width_), width_, pixel);
    }
  }

  HBITMAP bitmap() const { return bitmap_.get(); }
  int32_t width() const { return width_; }
  int32_t height() const { return height_; }

 private:
  platform::UniqueBitmap bitmap_;
  uint32_t* bits_ = nullptr;
  int32_t width_ = 0;
  int32_t height_ = 0;
};

BarImage g_images[2];  // UISTYLE_OFFICE2003, UISTYLE_OFFICE2007
BarImageListener g_listener = nullptr;

int SlotOf(int32_t style) {
  if (style == UISTYLE_OFFICE2003 || style == UISTYLE_OFFICE2003_MENU_ALIAS) return 0;
  if (style == UISTYLE_OFFICE2007) return 1;
  return -1;
}

int32_t StyleOfSlot(int slot) { return slot == 0 ? UISTYLE_OFFICE2003 : UISTYLE_OFFICE2007; }

BOOL CALLBACK WidestMonitor(HMONITOR, HDC, LPRECT rect, LPARAM widest) {
  auto* value = reinterpret_cast<int32_t*>(widest);
  *value = std::max<int32_t>(*value, rect->right - rect->left);
  return TRUE;
}

void PaintSlot(int slot) {
  const int32_t style = StyleOfSlot(slot);
  const auto top = static_cast<COLORREF>(LookupUIColour(style, UICOLOUR_REBARBACKGROUND1, UICOLOUR_FORM_COLORREF));
  const auto bottom = static_cast<COLORREF>(LookupUIColour(style, UICOLOUR_REBARBACKGROUND2, UICOLOUR_FORM_COLORREF));
  g_images[slot].PaintGradient(top, bottom);
}

bool BuildSlot(int slot) {
  BarImage image;
  if (!image.Create(BarImageWidth(), kBarImageHeight)) return false;
  g_images[slot].Swap(image);
  PaintSlot(slot);
  return true;
}

void BarImageStep(int32_t) {
  // A colour-mode hook; nothing may escape into the colour-mode code.
  try {
    RefreshBarImages();
  } catch (...) {
    platform::LogCurrentException("bar images: colour-mode step");
  }
}

}  // namespace

int32_t BarImageWidth() {
  int32_t widest = 0;
  EnumDisplayMonitors(nullptr, nullptr, WidestMonitor, reinterpret_cast<LPARAM>(&widest));
  if (widest <= 0) widest = GetSystemMetrics(SM_CXSCREEN);
  if (widest <= 0) widest = 1024;
  return widest + 4;
}

HBITMAP SharedBarImage(int32_t style) {
  const int slot = SlotOf(style);
  if (slot < 0) return nullptr;
  WireBarImages();
  if (!g_images[slot].bitmap() && !BuildSlot(slot)) return nullptr;
  return g_images[slot].bitmap();
}

HBITMAP ExistingBarImage(int32_t style) {
  const int slot = SlotOf(style);
  return slot < 0 ? nullptr : g_images[slot].bitmap();
}

void RefreshBarImages() {
  const int32_t width = BarImageWidth();
  for (int slot = 0; slot < 2; ++slot) {
    BarImage& image = g_images[slot];
    if (!image.bitmap()) continue;
    BarImage fresh;
    if (image.width() == width || !fresh.Create(width, kBarImageHeight)) {
      // Same size, or no memory for a new one: the old size will do.
      PaintSlot(slot);
      if (g_listener) g_listener(image.bitmap(), image.bitmap());
      continue;
    }
    image.Swap(fresh);
    PaintSlot(slot);
    // fresh now holds the old bitmap; bands must let go of it before it dies.
    if (g_listener) g_listener(fresh.bitmap(), image.bitmap());
  }
}

void SetBarImageListener(BarImageListener listener) { g_listener = listener; }

void WireBarImages() {
  // After the colour renderings are freed (300), before tool bars and menus
  // derive their disabled images (500).
  constexpr int32_t kBarImagesColourRank = 400;
  RegisterColourModeHook(kBarImagesColourRank, "bar images", BarImageStep);
}

void FreeBarImages() {
  for (BarImage& image : g_images) image.Reset();
}

}  // namespace lumora
