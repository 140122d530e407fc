#include "platform/dib_section.h"

namespace platform {

HBITMAP CreateTopDownDib(int width, int height, int bits_per_pixel, void** bits) {
  void* pixels = nullptr;
  HBITMAP bitmap = nullptr;
  if (width > 0 && height > 0) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = static_cast<WORD>(bits_per_pixel);
    info.bmiHeader.biCompression = BI_RGB;
    bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (bitmap && !pixels) {
      DeleteObject(bitmap);
      bitmap = nullptr;
    }
  }
  if (bits) *bits = bitmap ? pixels : nullptr;
  return bitmap;
}

}  // namespace platform
