#include "platform/image_list_win32.h"

namespace platform {

IconBitmaps ReadIconBitmaps(HICON icon) noexcept {
  IconBitmaps read;
  read.icon = icon;
  ICONINFO info{};
  if (!icon || !GetIconInfo(icon, &info)) return read;
  // The info carries copies of the icon's bitmaps, which are ours to free.
  read.colour.reset(info.hbmColor);
  read.mask.reset(info.hbmMask);
  BITMAP bitmap{};
  if (info.fIcon && read.colour && read.mask &&
      GetObjectW(read.colour.get(), sizeof bitmap, &bitmap) == sizeof bitmap && bitmap.bmBitsPixel == 32) {
    read.width = bitmap.bmWidth;
    read.height = bitmap.bmHeight;
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

}  // namespace platform
