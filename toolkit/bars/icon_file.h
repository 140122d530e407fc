// Reading the simplest icon files without the system's loader: one image,
// a 32-bit bitmap with an alpha channel. The tool-bar and menu icons are
// such files, and the system's loader takes about a millisecond apiece
// under Wine (it makes the icon through the display twice). Anything else
// (several images to choose from, PNG images, palettes, icons that rely on
// their mask alone) is left to the system's loader.
#pragma once
#include <cstddef>
#include <cstdint>

#include "platform/pixel_decode.h"

namespace lumora {

// True when `data` is an icon file of exactly one 32-bit bitmap image whose
// alpha channel is not all zero, of `width` x `height` pixels (0 for
// either: whatever the image has); the pixels, as the file has them, are
// then in *out.
bool DecodeSimpleIconFile(const uint8_t* data, size_t size, int32_t width, int32_t height,
                          platform::DecodedImage* out);

}  // namespace lumora
