#include "platform/dib_section_win32.h"

namespace platform {

UniqueBitmap CreateTopDownDib(int width, int height, int bits_per_pixel, void** bits) {
  void* pixels = nullptr;
  UniqueBitmap bitmap;
  if (width > 0 && height > 0) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = static_cast<WORD>(bits_per_pixel);
    info.bmiHeader.biCompression = BI_RGB;
    bitmap.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
    if (!pixels) bitmap.reset();
  }
  if (bits) *bits = bitmap ? pixels : nullptr;
  return bitmap;
}

}  // namespace platform
