// An icon or bitmap made from an image file's bytes in memory, whatever
// their format: skin images come loose or out of a skin's archive, and both
// are read into memory first. Nothing is written to the temporary folder.
#pragma once
#ifndef _WIN32
#error "image_bytes_win32.h is Win32 glue"
#endif
#include <windows.h>

#include <cstdint>
#include <vector>

#include "platform/os_handles_win32.h"

namespace lumora {

// An icon (ICO files) or a 32-bit bitmap (PNG, JPEG, BMP) made from a file's
// bytes; empty when the bytes are none of these or are malformed. width and
// height pick an icon's size (0 for its own).
platform::UniqueImage LoadImageBytes(const std::vector<uint8_t>& bytes, int width, int height);

}  // namespace lumora
