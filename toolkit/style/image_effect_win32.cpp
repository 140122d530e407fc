#include "toolkit/style/drawing_win32.h"

#include <commctrl.h>

#include <cstdint>
#include <vector>

#include "platform/error_log.h"
#include "platform/os_handles_win32.h"

namespace lumora {

namespace {

BITMAPINFO Info32(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // positive: bottom-up
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// Every bitmap is read as 32-bit rows whatever its own depth: GDI does the
// conversion, palettes included, and the rows need no padding arithmetic.
bool ReadPixels(HDC dc, HBITMAP bitmap, int width, int height, std::vector<uint8_t>& pixels) {
  pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height) * 4, 0);
  BITMAPINFO info = Info32(width, height);
  return GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS) == height;
}

// Largest picture we copy: keeps width * height * 4 well inside a DIB's
// 32-bit size field.
constexpr int64_t kMaxPixels = 0x10000000;

HANDLE Process(HANDLE image, const ImageEffectSettings& settings, uint32_t flags) {
  if (image == nullptr) return nullptr;

  // An icon's colour and mask bitmaps are copies handed to us: always ours.
  ICONINFO icon_info{};
  const bool is_icon = GetIconInfo(static_cast<HICON>(image), &icon_info) != FALSE;
  const platform::UniqueBitmap icon_colour(is_icon ? icon_info.hbmColor : nullptr);
  const platform::UniqueBitmap icon_mask(is_icon ? icon_info.hbmMask : nullptr);
  if (!is_icon && GetObjectType(image) != OBJ_BITMAP) return nullptr;

  // A monochrome icon has no colour bitmap: its mask is twice as tall, the
  // AND mask on top of the XOR image.
  const bool monochrome = is_icon && icon_colour.get() == nullptr;
  HBITMAP source = is_icon ? (monochrome ? icon_mask.get() : icon_colour.get()) : static_cast<HBITMAP>(image);
  BITMAP bm{};
  if (source == nullptr || GetObjectW(source, sizeof(bm), &bm) != sizeof(bm)) return nullptr;
  const int width = bm.bmWidth;
  const int height = monochrome ? bm.bmHeight / 2 : bm.bmHeight;
  if (width < 1 || height < 1) return nullptr;
  if (static_cast<int64_t>(width) * height > kMaxPixels) return nullptr;
  const bool has_alpha = !monochrome && bm.bmBitsPixel * bm.bmPlanes == 32;

  const platform::UniqueMemoryDc dc = platform::CreateMemoryDc();
  if (!dc) return nullptr;
  std::vector<uint8_t> pixels, mask;
  const size_t plane = static_cast<size_t>(width) * static_cast<size_t>(height) * 4;
  if (monochrome) {
    std::vector<uint8_t> both;
    if (!ReadPixels(dc.get(), source, width, height * 2, both)) return nullptr;
    // Bottom-up: the first half of the rows is the XOR image, the second the mask.
    pixels.assign(both.begin(), both.begin() + static_cast<ptrdiff_t>(plane));
    mask.assign(both.begin() + static_cast<ptrdiff_t>(plane), both.end());
  } else {
    if (!ReadPixels(dc.get(), source, width, height, pixels)) return nullptr;
    // A mask of another size than the picture cannot be matched up; do without.
    BITMAP mask_bm{};
    const bool mask_fits = icon_mask.get() != nullptr &&
                           GetObjectW(icon_mask.get(), sizeof(mask_bm), &mask_bm) == sizeof(mask_bm) &&
                           mask_bm.bmWidth == width && mask_bm.bmHeight == height;
    if (mask_fits && !ReadPixels(dc.get(), icon_mask.get(), width, height, mask)) mask.clear();
  }

  BITMAPINFO out_info = Info32(width, -height);  // top-down
  void* bits = nullptr;
  platform::UniqueBitmap result(CreateDIBSection(dc.get(), &out_info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (result.get() == nullptr || bits == nullptr) return nullptr;

  EffectSource effect_source;
  effect_source.pixels = pixels.data();
  effect_source.mask = mask.empty() ? nullptr : mask.data();
  effect_source.width = width;
  effect_source.height = height;
  effect_source.has_alpha = has_alpha;
  if (!ApplyImageEffect(effect_source, settings, static_cast<uint8_t*>(bits), plane)) return nullptr;
  GdiFlush();

  HANDLE output = nullptr;
  if ((flags & IMAGEEFFECT_RETURN_ICON) != 0) {
    const platform::UniqueImageList list(ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 1, 0));
    if (list.get() == nullptr || ImageList_Add(list.get(), result.get(), nullptr) < 0) return nullptr;
    output = ImageList_GetIcon(list.get(), 0, ILD_NORMAL);
    if (output == nullptr) return nullptr;
  } else {
    output = result.release();
  }

  if ((flags & IMAGEEFFECT_DESTROY_SOURCE) != 0) {
    const platform::UniqueImage source_image(image);  // freed here
  }
  return output;
}

}  // namespace

HANDLE ImageEffect(HANDLE image, float alpha, float contrast, float brightness, COLORREF tint_colour,
                   float tint_amount, uint32_t flags) {
  ImageEffectSettings settings;
  settings.alpha = alpha;
  settings.contrast = contrast;
  settings.brightness = brightness;
  settings.tint_colour = tint_colour;
  settings.tint_amount = tint_amount;
  settings.greyscale = (flags & IMAGEEFFECT_GREYSCALE) != 0;
  // Called from painting code: an allocation failure must not unwind
  // through a window procedure.
  try {
    return Process(image, settings, flags);
  } catch (...) {
    platform::LogCurrentException("ImageEffect");
    return nullptr;
  }
}

}  // namespace lumora
