#include "platform/icon_pixels_win32.h"

#include <cstring>
#include <mutex>
#include <unordered_map>

#include "platform/dib_section_win32.h"
#include "platform/error_log.h"

namespace platform {
namespace {

struct Memo {
  std::mutex mutex;
  std::unordered_map<HICON, std::shared_ptr<const IconPixels>> icons;
};

Memo& GetMemo() {
  static Memo* memo = new Memo;  // outlives the static owners that forget into it
  return *memo;
}

}  // namespace

void RememberIconPixels(HICON icon, std::shared_ptr<const IconPixels> pixels) {
  Memo& memo = GetMemo();
  std::lock_guard<std::mutex> guard(memo.mutex);
  memo.icons[icon] = std::move(pixels);
}

namespace {

// Reads a 32-bit icon's colour and mask bitmaps into the layout IconPixels
// describes.
std::shared_ptr<IconPixels> ReadIcon(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return nullptr;
  const UniqueBitmap colour(info.hbmColor), mask(info.hbmMask);
  BITMAP bitmap{};
  if (!info.fIcon || !colour || !mask || GetObjectW(colour.get(), sizeof bitmap, &bitmap) != sizeof bitmap ||
      bitmap.bmBitsPixel != 32 || bitmap.bmWidth <= 0 || bitmap.bmHeight <= 0)
    return nullptr;
  BITMAP mask_bitmap{};
  if (GetObjectW(mask.get(), sizeof mask_bitmap, &mask_bitmap) != sizeof mask_bitmap ||
      mask_bitmap.bmWidth != bitmap.bmWidth || mask_bitmap.bmHeight != bitmap.bmHeight)
    return nullptr;
  auto pixels = std::make_shared<IconPixels>();
  pixels->width = bitmap.bmWidth;
  pixels->height = bitmap.bmHeight;
  pixels->colour.resize(static_cast<size_t>(pixels->width) * static_cast<size_t>(pixels->height) * 4);
  const size_t mask_stride = static_cast<size_t>((pixels->width + 15) / 16) * 2;
  pixels->mask.assign(mask_stride * static_cast<size_t>(pixels->height), 0);
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colours[2];
  } request{};
  request.header.biSize = sizeof(BITMAPINFOHEADER);
  request.header.biWidth = pixels->width;
  request.header.biHeight = -pixels->height;
  request.header.biPlanes = 1;
  request.header.biBitCount = 32;
  request.header.biCompression = BI_RGB;
  const UniqueMemoryDc dc = CreateMemoryDc();
  if (!dc || GetDIBits(dc.get(), colour.get(), 0, static_cast<UINT>(pixels->height), pixels->colour.data(),
                       reinterpret_cast<BITMAPINFO*>(&request), DIB_RGB_COLORS) != pixels->height)
    return nullptr;
  // The mask as one bit a pixel; DIB rows are padded to 32 bits, the
  // mask's own rows (as CreateBitmap takes them) to 16.
  const size_t dib_stride = static_cast<size_t>((pixels->width + 31) / 32) * 4;
  std::vector<uint8_t> rows(dib_stride * static_cast<size_t>(pixels->height));
  request.header.biBitCount = 1;
  if (GetDIBits(dc.get(), mask.get(), 0, static_cast<UINT>(pixels->height), rows.data(),
                reinterpret_cast<BITMAPINFO*>(&request), DIB_RGB_COLORS) != pixels->height)
    return nullptr;
  // A set bit must mean "transparent" whichever way round the colour table
  // came back.
  const bool inverted = request.colours[1].rgbRed == 0 && request.colours[0].rgbRed != 0;
  for (size_t y = 0; y < static_cast<size_t>(pixels->height); ++y)
    for (size_t x = 0; x < mask_stride; ++x) {
      const uint8_t byte = x < dib_stride ? rows[y * dib_stride + x] : 0;
      pixels->mask[y * mask_stride + x] = inverted ? static_cast<uint8_t>(~byte) : byte;
    }
  return pixels;
}

}  // namespace

std::shared_ptr<const IconPixels> IconPixelsOf(HICON icon) {
  if (!icon) return nullptr;
  if (std::shared_ptr<const IconPixels> known = RecallIconPixels(icon)) return known;
  std::shared_ptr<const IconPixels> read = ReadIcon(icon);
  if (read) RememberIconPixels(icon, read);
  return read;
}

std::shared_ptr<const IconPixels> RecallIconPixels(HICON icon) {
  if (!icon) return nullptr;
  Memo& memo = GetMemo();
  std::lock_guard<std::mutex> guard(memo.mutex);
  auto found = memo.icons.find(icon);
  return found == memo.icons.end() ? nullptr : found->second;
}

void ForgetIconPixels(HICON icon) noexcept {
  if (!icon) return;
  try {
    Memo& memo = GetMemo();
    std::lock_guard<std::mutex> guard(memo.mutex);
    memo.icons.erase(icon);
  } catch (...) {
    // Only the lock can throw; an entry left behind would outlive its icon.
    LogCurrentException("forgetting an icon's pixels");
  }
}

UniqueIcon CreateIconFromBitmaps(HBITMAP colour, HBITMAP mask) {
  ICONINFO info{};
  info.fIcon = TRUE;
  info.hbmColor = colour;
  info.hbmMask = mask;
  return UniqueIcon(CreateIconIndirect(&info));
}

bool CreateIconPixelBitmaps(const IconPixels& pixels, UniqueBitmap* colour, UniqueBitmap* mask) {
  void* bits = nullptr;
  UniqueBitmap made_colour = CreateTopDownDib(pixels.width, pixels.height, 32, &bits);
  if (!made_colour || !bits) return false;
  std::memcpy(bits, pixels.colour.data(), pixels.colour.size());
  UniqueBitmap made_mask(CreateBitmap(pixels.width, pixels.height, 1, 1, pixels.mask.data()));
  if (!made_mask) return false;
  *colour = std::move(made_colour);
  *mask = std::move(made_mask);
  return true;
}

}  // namespace platform
