#include "toolkit/image/image_effect_win32.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/error_log.h"
#include "platform/os_handles_win32.h"
#include "toolkit/image/image_handles_win32.h"

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

// The pixels and mask of an icon made from pixels, in the layout ReadPixels
// gives (bottom-up 32-bit rows; a set mask bit reads as white), so that the
// effect sees exactly what reading the icon's bitmaps back would show it.
void UnpackRemembered(const platform::IconPixels& icon, std::vector<uint8_t>& pixels, std::vector<uint8_t>& mask) {
  const size_t width = static_cast<size_t>(icon.width);
  const size_t height = static_cast<size_t>(icon.height);
  const size_t mask_stride = ((width + 15) / 16) * 2;
  pixels.resize(width * height * 4);
  mask.assign(width * height * 4, 0);
  for (size_t y = 0; y < height; ++y) {
    const size_t from = y, to = height - 1 - y;
    std::memcpy(&pixels[to * width * 4], &icon.colour[from * width * 4], width * 4);
    for (size_t x = 0; x < width; ++x)
      if (icon.mask[from * mask_stride + x / 8] & (0x80 >> (x % 8))) std::memset(&mask[(to * width + x) * 4], 0xFF, 3);
  }
}

// The processed picture as top-down 32-bit rows; false when the image is
// not a usable icon or bitmap or has no width or height.
bool Compute(HANDLE image, const ImageEffectSettings& settings, DecodedImage* out) {
  if (image == nullptr) return false;

  const std::shared_ptr<const platform::IconPixels> remembered =
      GetObjectType(image) == OBJ_BITMAP ? nullptr : platform::IconPixelsOf(static_cast<HICON>(image));
  // An icon's colour and mask bitmaps are copies handed to us: always ours.
  ICONINFO icon_info{};
  const bool is_icon = !remembered && GetIconInfo(static_cast<HICON>(image), &icon_info) != FALSE;
  const platform::UniqueBitmap icon_colour(is_icon ? icon_info.hbmColor : nullptr);
  const platform::UniqueBitmap icon_mask(is_icon ? icon_info.hbmMask : nullptr);
  if (!remembered && !is_icon && GetObjectType(image) != OBJ_BITMAP) return false;

  // A monochrome icon has no colour bitmap: its mask is twice as tall, the
  // AND mask on top of the XOR image.
  const bool monochrome = is_icon && icon_colour.get() == nullptr;
  HBITMAP source = remembered ? nullptr
                   : is_icon  ? (monochrome ? icon_mask.get() : icon_colour.get())
                              : static_cast<HBITMAP>(image);
  BITMAP bm{};
  if (remembered) {
    bm.bmWidth = remembered->width;
    bm.bmHeight = remembered->height;
    bm.bmBitsPixel = 32;
    bm.bmPlanes = 1;
  } else if (source == nullptr || GetObjectW(source, sizeof(bm), &bm) != sizeof(bm)) {
    return false;
  }
  const int width = bm.bmWidth;
  const int height = monochrome ? bm.bmHeight / 2 : bm.bmHeight;
  if (width < 1 || height < 1) return false;
  if (static_cast<int64_t>(width) * height > kMaxPixels) return false;
  const bool has_alpha = !monochrome && bm.bmBitsPixel * bm.bmPlanes == 32;

  std::vector<uint8_t> pixels, mask;
  const size_t plane = static_cast<size_t>(width) * static_cast<size_t>(height) * 4;
  if (remembered) {
    UnpackRemembered(*remembered, pixels, mask);
  } else {
    const platform::UniqueMemoryDc dc = platform::CreateMemoryDc();
    if (!dc) return false;
    if (monochrome) {
      std::vector<uint8_t> both;
      if (!ReadPixels(dc.get(), source, width, height * 2, both)) return false;
      // Bottom-up: the first half of the rows is the XOR image, the second the mask.
      pixels.assign(both.begin(), both.begin() + static_cast<ptrdiff_t>(plane));
      mask.assign(both.begin() + static_cast<ptrdiff_t>(plane), both.end());
    } else {
      if (!ReadPixels(dc.get(), source, width, height, pixels)) return false;
      // A mask of another size than the picture cannot be matched up; do without.
      BITMAP mask_bm{};
      const bool mask_fits = icon_mask.get() != nullptr &&
                             GetObjectW(icon_mask.get(), sizeof(mask_bm), &mask_bm) == sizeof(mask_bm) &&
                             mask_bm.bmWidth == width && mask_bm.bmHeight == height;
      if (mask_fits && !ReadPixels(dc.get(), icon_mask.get(), width, height, mask)) mask.clear();
    }
  }

  EffectSource effect_source;
  effect_source.pixels = pixels.data();
  effect_source.mask = mask.empty() ? nullptr : mask.data();
  effect_source.width = width;
  effect_source.height = height;
  effect_source.has_alpha = has_alpha;
  out->width = width;
  out->height = height;
  out->has_alpha = true;
  out->bgra.assign(plane, 0);
  return ApplyImageEffect(effect_source, settings, out->bgra.data(), plane);
}

HANDLE Process(HANDLE image, const ImageEffectSettings& settings, uint32_t flags) {
  DecodedImage picture;
  if (!Compute(image, settings, &picture)) return nullptr;
  HANDLE output = nullptr;
  if ((flags & IMAGEEFFECT_RETURN_ICON) != 0) {
    // Made from the pixels just computed, which the icon keeps beside it:
    // the tool bars read it back into their image lists.
    output = CreateIconFromImage(picture).release();
  } else {
    BITMAPINFO out_info = Info32(picture.width, -picture.height);  // top-down
    void* bits = nullptr;
    platform::UniqueBitmap result(CreateDIBSection(nullptr, &out_info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (result.get() != nullptr && bits != nullptr) {
      std::memcpy(bits, picture.bgra.data(), picture.bgra.size());
      output = result.release();
    }
  }
  if (output == nullptr) return nullptr;

  if ((flags & IMAGEEFFECT_DESTROY_SOURCE) != 0) {
    const platform::UniqueImage source_image(image);  // freed here
  }
  return output;
}

ImageEffectSettings SettingsOf(float alpha, float contrast, float brightness, COLORREF tint_colour, float tint_amount,
                               uint32_t flags) {
  ImageEffectSettings settings;
  settings.alpha = alpha;
  settings.contrast = contrast;
  settings.brightness = brightness;
  settings.tint_colour = tint_colour;
  settings.tint_amount = tint_amount;
  settings.greyscale = (flags & IMAGEEFFECT_GREYSCALE) != 0;
  return settings;
}

}  // namespace

HANDLE ImageEffect(HANDLE image, float alpha, float contrast, float brightness, COLORREF tint_colour,
                   float tint_amount, uint32_t flags) {
  // Called from painting code: an allocation failure must not unwind
  // through a window procedure.
  try {
    return Process(image, SettingsOf(alpha, contrast, brightness, tint_colour, tint_amount, flags), flags);
  } catch (...) {
    platform::LogCurrentException("ImageEffect");
    return nullptr;
  }
}

std::shared_ptr<const platform::IconPixels> ImageEffectIconPixels(HANDLE image, float alpha, float contrast,
                                                                  float brightness, COLORREF tint_colour,
                                                                  float tint_amount, uint32_t flags) {
  try {
    DecodedImage picture;
    if (!Compute(image, SettingsOf(alpha, contrast, brightness, tint_colour, tint_amount, flags), &picture))
      return nullptr;
    return IconPixelsFromImage(picture);
  } catch (...) {
    platform::LogCurrentException("ImageEffect");
    return nullptr;
  }
}

}  // namespace lumora
