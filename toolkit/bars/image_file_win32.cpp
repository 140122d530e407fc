#include "toolkit/bars/image_file_win32.h"

#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "platform/icon_pixels_win32.h"
#include "platform/os_handles_win32.h"
#include "toolkit/bars/icon_file.h"
#include "toolkit/bars/image_file_cache.h"
#include "toolkit/bars/image_file_resize.h"

namespace lumora {
namespace {

struct Cache {
  std::mutex mutex;
  ImageFileCache entries;
};

Cache& GetCache() {
  static Cache cache;
  return cache;
}

std::u16string AsU16(const wchar_t* text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text));
}

bool FileHasContent(const wchar_t* path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path, GetFileExInfoStandard, &data)) return false;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
  return data.nFileSizeHigh != 0 || data.nFileSizeLow != 0;
}

// Bitmap files through the system's own reader, which knows every depth,
// palette and compression the format allows.
bool DecodeBitmapFile(const wchar_t* path, platform::DecodedImage* out) {
  platform::UniqueBitmap bitmap(static_cast<HBITMAP>(
      LoadImageW(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
  return bitmap && ReadBitmapPixels(bitmap.get(), out);
}

HANDLE LoadUncached(const wchar_t* path, int width, int height, uint32_t flags) {
  if (!FileHasContent(path)) return nullptr;
  // Read once: an icon file of one 32-bit image of the asked size is made
  // into an icon from its pixels; other icon files go to the system's
  // loader; PNG and JPEG bytes are decoded from what was read.
  std::vector<uint8_t> bytes;
  const bool read = platform::ReadWholeFile(path, &bytes);
  platform::DecodedImage image;
  if (read && DecodeSimpleIconFile(bytes.data(), bytes.size(), width, height, &image))
    return CreateIconFromImage(image).release();
  if (HANDLE icon = LoadImageW(nullptr, path, IMAGE_ICON, width, height, LR_LOADFROMFILE)) return icon;

  if (!(read && platform::DecodeImage(bytes.data(), bytes.size(), &image)) && !DecodeBitmapFile(path, &image))
    return nullptr;
  if (image.width <= 0 || image.height <= 0) return nullptr;
  if (width > 0 || height > 0) {
    const int target_width = width > 0 ? width : image.width;
    const int target_height = height > 0 ? height : image.height;
    if (target_width != image.width || target_height != image.height) {
      std::vector<uint8_t> scaled = ResizeBgra(image.bgra, image.width, image.height, target_width, target_height);
      if (scaled.empty()) return nullptr;
      image.bgra = std::move(scaled);
      image.width = target_width;
      image.height = target_height;
    }
  }
  if (flags & IMAGEFILE_AS_ICON) return CreateIconFromImage(image).release();
  return platform::CreateBitmapFromImage(image).release();
}

void DestroyImage(HANDLE image) { platform::UniqueImage doomed(image); }

}  // namespace

HANDLE LoadImageFile(const wchar_t* path, int width, int height, uint32_t flags) {
  if (!path || !*path) return nullptr;
  const bool cached = (flags & IMAGEFILE_CACHED) != 0;
  std::u16string key;
  if (cached) {
    key = ImageFileCache::Key(AsU16(path), width, height, (flags & IMAGEFILE_AS_ICON) != 0);
    Cache& cache = GetCache();
    std::lock_guard<std::mutex> guard(cache.mutex);
    if (auto handle = cache.entries.Take(key)) return reinterpret_cast<HANDLE>(*handle);
  }
  HANDLE image = LoadUncached(path, width, height, flags);
  if (image && cached) {
    Cache& cache = GetCache();
    std::lock_guard<std::mutex> guard(cache.mutex);
    // Another caller may have loaded the same file meanwhile; keep theirs.
    if (auto handle = cache.entries.Take(key)) {
      DestroyImage(image);
      return reinterpret_cast<HANDLE>(*handle);
    }
    cache.entries.Insert(key, reinterpret_cast<uintptr_t>(image));
  }
  return image;
}

int64_t ImageFileReferenceCount(HANDLE image) {
  Cache& cache = GetCache();
  std::lock_guard<std::mutex> guard(cache.mutex);
  return cache.entries.ReferenceCount(reinterpret_cast<uintptr_t>(image));
}

int32_t ReleaseImageFile(HANDLE image) {
  bool last = false;
  {
    Cache& cache = GetCache();
    std::lock_guard<std::mutex> guard(cache.mutex);
    if (cache.entries.ReferenceCount(reinterpret_cast<uintptr_t>(image)) == 0) return 0;
    last = cache.entries.Release(reinterpret_cast<uintptr_t>(image));
  }
  if (last) DestroyImage(image);
  return 1;
}

platform::UniqueIcon CreateIconFromImage(const platform::DecodedImage& image) {
  return platform::CreateIconFromPixels(image);
}

bool ReadBitmapPixels(HBITMAP bitmap, platform::DecodedImage* out) {
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
  platform::DecodedImage image;
  if (!ReadBitmapPixels(bitmap, &image)) return platform::UniqueIcon();
  return CreateIconFromImage(image);
}

}  // namespace lumora
