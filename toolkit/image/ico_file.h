// Icon (ICO) files. Icons are anyone's files, so every size and offset the
// directory gives is checked against the bytes that are there.
//
// Two readers share the directory: the choice of the image a skin asks for,
// which the system then makes an icon of, and the decoding of the simplest
// files without the system's loader: one image, a 32-bit bitmap with an
// alpha channel. The tool-bar and menu icons are such files, and the
// system's loader takes about a millisecond apiece under Wine (it makes the
// icon through the display twice). Anything else (several images to choose
// from, PNG images, palettes, icons that rely on their mask alone) is left
// to the system's loader.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>

#include "toolkit/image/image_decode.h"

namespace lumora {

// How many images an icon file's directory lists (reserved 0, type 1, the
// whole directory inside the bytes); 0 when the bytes are no icon file.
size_t IcoImageCount(const uint8_t* data, size_t size);

// One image of the directory: its size as the directory gives it (0 there
// stands for 256) and its bytes, which run from offset for length, both
// inside the file, at least a bitmap header long.
struct IcoImage {
  int32_t width = 0;
  int32_t height = 0;
  size_t offset = 0;
  size_t length = 0;
};
// Image `index` (below IcoImageCount); nothing when its bytes do not lie
// inside the file.
std::optional<IcoImage> IcoImageAt(const uint8_t* data, size_t size, size_t index);

// The image of an ICO file to make an icon of: the directory entry closest
// to width × height (height 0: square), the largest when width is 0 or
// less.
std::optional<IcoImage> ChooseIcoEntry(const uint8_t* data, size_t size, int32_t width, int32_t height);

// True when `data` is an icon file of exactly one 32-bit bitmap image whose
// alpha channel is not all zero, of `width` x `height` pixels (0 for
// either: whatever the image has); the pixels, as the file has them, are
// then in *out.
bool DecodeSimpleIconFile(const uint8_t* data, size_t size, int32_t width, int32_t height, DecodedImage* out);

}  // namespace lumora
