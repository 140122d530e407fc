#include "platform/image_list_win32.h"

#include <cstring>
#include <vector>

#include "platform/dib_section_win32.h"
#include "platform/error_log.h"
#include "platform/icon_pixels_win32.h"

namespace platform {

IconBitmaps ReadIconBitmaps(HICON icon) noexcept {
  IconBitmaps read;
  read.icon = icon;
  // IconPixelsOf reads every 32-bit icon it is given once; any other icon
  // stays unusable here and takes the system's path.
  std::shared_ptr<const IconPixels> pixels;
  try {
    pixels = IconPixelsOf(icon);
  } catch (...) {
    LogCurrentException("reading an icon's pixels");
  }
  if (pixels && CreateIconPixelBitmaps(*pixels, &read.colour, &read.mask)) {
    read.width = pixels->width;
    read.height = pixels->height;
    read.usable = true;
  }
  return read;
}

int ImageListPutIcon(HIMAGELIST list, int index, const IconBitmaps& icon) noexcept {
  if (!list || !icon.icon) return -1;
  int width = 0, height = 0;
  if (!icon.usable || !ImageList_GetIconSize(list, &width, &height) || width != icon.width ||
      height != icon.height)
    return ImageList_ReplaceIcon(list, index, icon.icon);
  if (index == -1) return ImageList_Add(list, icon.colour.get(), icon.mask.get());
  return ImageList_Replace(list, index, icon.colour.get(), icon.mask.get()) ? index : -1;
}

int ImageListPutIcon(HIMAGELIST list, int index, HICON icon) noexcept {
  if (!list || !icon) return -1;
  return ImageListPutIcon(list, index, ReadIconBitmaps(icon));
}

int ImageListPutPixels(HIMAGELIST list, int index, const IconPixels& pixels) noexcept {
  if (!list) return -1;
  UniqueBitmap colour, mask;
  if (!CreateIconPixelBitmaps(pixels, &colour, &mask)) return -1;
  int width = 0, height = 0;
  if (!ImageList_GetIconSize(list, &width, &height) || width != pixels.width || height != pixels.height) {
    const UniqueIcon icon = CreateIconFromBitmaps(colour.get(), mask.get());
    return icon ? ImageList_ReplaceIcon(list, index, icon.get()) : -1;
  }
  if (index == -1) return ImageList_Add(list, colour.get(), mask.get());
  return ImageList_Replace(list, index, colour.get(), mask.get()) ? index : -1;
}

int ImageListPutBlank(HIMAGELIST list, int index) noexcept {
  int width = 0, height = 0;
  if (!list || !ImageList_GetIconSize(list, &width, &height) || width <= 0 || height <= 0) return -1;
  void* bits = nullptr;
  const UniqueBitmap colour = CreateTopDownDib(width, height, 32, &bits);
  if (!colour || !bits) return -1;
  std::memset(bits, 0, static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
  // Every mask bit set: the whole image is background.
  const std::vector<uint8_t> ones(static_cast<size_t>((width + 15) / 16) * 2 * static_cast<size_t>(height), 0xFF);
  const UniqueBitmap mask(CreateBitmap(width, height, 1, 1, ones.data()));
  if (!mask) return -1;
  if (index == -1) return ImageList_Add(list, colour.get(), mask.get());
  return ImageList_Replace(list, index, colour.get(), mask.get()) ? index : -1;
}

}  // namespace platform
