#include "toolkit/image/image_handles_win32.h"

#include <cstring>

#include "platform/dib_section_win32.h"

namespace lumora {

bool ReadWholeFile(const std::wstring& path, std::vector<uint8_t>* out) {
  platform::UniqueFile owned(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!owned) return false;
  HANDLE file = owned.get();
  LARGE_INTEGER size{};
  bool ok = GetFileSizeEx(file, &size) && size.QuadPart < (1LL << 31);
  if (ok) {
    out->resize(static_cast<size_t>(size.QuadPart));
    DWORD done = 0;
    ok = out->empty() || (ReadFile(file, out->data(), static_cast<DWORD>(out->size()), &done, nullptr) &&
                          done == out->size());
  }
  return ok;
}

bool DecodeImageFile(const std::wstring& path, DecodedImage* out) {
  std::vector<uint8_t> bytes;
  return ReadWholeFile(path, &bytes) && DecodeImage(bytes.data(), bytes.size(), out);
}

platform::UniqueBitmap CreateBitmapFromImage(const DecodedImage& image) {
  if (image.width <= 0 || image.height <= 0) return platform::UniqueBitmap();
  void* bits = nullptr;
  platform::UniqueBitmap bitmap = platform::CreateTopDownDib(image.width, image.height, 32, &bits);
  if (!bitmap) return bitmap;
  std::memcpy(bits, image.bgra.data(), image.bgra.size());
  return bitmap;
}

std::shared_ptr<const platform::IconPixels> IconPixelsFromImage(const DecodedImage& image) {
  if (image.width <= 0 || image.height <= 0) return nullptr;
  const size_t count = static_cast<size_t>(image.width) * static_cast<size_t>(image.height);
  if (image.bgra.size() < count * 4) return nullptr;
  auto pixels = std::make_shared<platform::IconPixels>();
  pixels->width = image.width;
  pixels->height = image.height;
  pixels->colour.assign(image.bgra.begin(), image.bgra.begin() + static_cast<ptrdiff_t>(count * 4));
  // Fully transparent pixels are black in the colour bitmap and set in the
  // mask, so that drawing without alpha support shows them transparent too.
  const size_t mask_stride = static_cast<size_t>((image.width + 15) / 16) * 2;
  pixels->mask.assign(mask_stride * static_cast<size_t>(image.height), 0);
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      uint8_t* p = &pixels->colour[(static_cast<size_t>(y) * static_cast<size_t>(image.width) + static_cast<size_t>(x)) * 4];
      if (p[3] != 0) continue;
      std::memset(p, 0, 4);
      pixels->mask[static_cast<size_t>(y) * mask_stride + static_cast<size_t>(x / 8)] |=
          static_cast<uint8_t>(0x80 >> (x % 8));
    }
  }
  return pixels;
}

platform::UniqueIcon CreateIconFromImage(const DecodedImage& image) {
  std::shared_ptr<const platform::IconPixels> pixels = IconPixelsFromImage(image);
  if (!pixels) return platform::UniqueIcon();
  platform::UniqueBitmap colour, mask;
  if (!platform::CreateIconPixelBitmaps(*pixels, &colour, &mask)) return platform::UniqueIcon();
  platform::UniqueIcon icon = platform::CreateIconFromBitmaps(colour.get(), mask.get());
  if (!icon) return icon;
  platform::RememberIconPixels(icon.get(), std::move(pixels));
  return icon;
}

bool ReadBitmapPixels(HBITMAP bitmap, DecodedImage* out) {
  if (!bitmap || !out || GetObjectType(bitmap) != OBJ_BITMAP) return false;
  BITMAP info{};
  if (!GetObjectW(bitmap, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight == 0) return false;
  const int width = info.bmWidth;
  const int height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
  BITMAPINFO request{};
  request.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  request.bmiHeader.biWidth = width;
  request.bmiHeader.biHeight = -height;
  request.bmiHeader.biPlanes = 1;
  request.bmiHeader.biBitCount = 32;
  request.bmiHeader.biCompression = BI_RGB;
  std::vector<uint8_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
  platform::WindowDc screen(nullptr);
  if (GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(height), pixels.data(), &request, DIB_RGB_COLORS) == 0)
    return false;
  // Only a 32-bit bitmap whose alpha bytes say something carries alpha;
  // anything else has zeros there and is meant opaque.
  bool any_alpha = false;
  if (info.bmBitsPixel == 32)
    for (size_t i = 3; i < pixels.size() && !any_alpha; i += 4) any_alpha = pixels[i] != 0;
  if (!any_alpha)
    for (size_t i = 3; i < pixels.size(); i += 4) pixels[i] = 255;
  out->width = width;
  out->height = height;
  out->bgra = std::move(pixels);
  out->has_alpha = any_alpha;
  return true;
}

platform::UniqueIcon CreateIconFromBitmap(HBITMAP bitmap) {
  DecodedImage image;
  if (!ReadBitmapPixels(bitmap, &image)) return platform::UniqueIcon();
  return CreateIconFromImage(image);
}

}  // namespace lumora
