#include "toolkit/image/image_bytes_win32.h"

#include <cstring>

#include "toolkit/image/bmp_file.h"
#include "toolkit/image/ico_file.h"
#include "toolkit/image/image_decode.h"
#include "toolkit/image/image_handles_win32.h"

namespace lumora {
namespace {

// An ICO file in memory: the directory entry closest to the wanted size
// (the largest when none is asked for), made into an icon by the system.
platform::UniqueImage IconFromBytes(const std::vector<uint8_t>& bytes, int width, int height) {
  const auto chosen = ChooseIcoEntry(bytes.data(), bytes.size(), width, height);
  if (!chosen) return {};
  std::vector<uint8_t> image(bytes.begin() + static_cast<ptrdiff_t>(chosen->offset),
                             bytes.begin() + static_cast<ptrdiff_t>(chosen->offset + chosen->length));
  return platform::UniqueImage(CreateIconFromResourceEx(image.data(), static_cast<DWORD>(image.size()), TRUE,
                                                        0x00030000, width, height, LR_DEFAULTCOLOR));
}

// A BMP file in memory, kept at its own depth as a DIB section.
platform::UniqueImage BitmapFromBmpBytes(const std::vector<uint8_t>& bytes) {
  const auto layout = ReadBmpLayout(bytes.data(), bytes.size());
  if (!layout) return {};
  std::vector<uint8_t> info(bytes.begin() + 14, bytes.begin() + 14 + static_cast<ptrdiff_t>(layout->info_size));
  void* bits = nullptr;
  platform::UniqueBitmap bitmap(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(info.data()),
                                                 DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits) return {};
  memcpy(bits, &bytes[layout->bits_offset], layout->image_size);
  return platform::UniqueImage(bitmap.release());
}

}  // namespace

platform::UniqueImage LoadImageBytes(const std::vector<uint8_t>& bytes, int width, int height) {
  if (bytes.size() >= 4 && bytes[0] == 0 && bytes[1] == 0 && bytes[2] == 1 && bytes[3] == 0)
    return IconFromBytes(bytes, width, height);
  if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return BitmapFromBmpBytes(bytes);
  DecodedImage decoded;
  if (!DecodeImage(bytes.data(), bytes.size(), &decoded)) return {};
  return platform::UniqueImage(CreateBitmapFromImage(decoded).release());
}

}  // namespace lumora
