// Win32 side of skin images: finding the file a value names (loose, in a
// folder named after the skin, or in the skin's ".sknz" archive) and making
// an icon or bitmap of it. Archive members are decoded from memory: nothing
// is written to the temporary folder.
#pragma once
#ifndef _WIN32
#error "skin_image_win32.h is Win32 glue"
#endif
#include <windows.h>

#include <cstdint>
#include <vector>

#include "platform/os_handles_win32.h"

namespace lumora {

// An icon (ICO files) or a 32-bit bitmap (PNG, JPEG, BMP) made from a file's
// bytes; empty when the bytes are none of these or are malformed. width and
// height pick an icon's size (0 for its own).
platform::UniqueImage LoadSkinImageBytes(const std::vector<uint8_t>& bytes, int width, int height);

}  // namespace lumora
