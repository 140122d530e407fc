#include "toolkit/image/image_file_win32.h"

#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "platform/os_handles_win32.h"
#include "toolkit/image/ico_file.h"
#include "toolkit/image/image_decode.h"
#include "toolkit/image/image_file_cache.h"
#include "toolkit/image/image_handles_win32.h"
#include "toolkit/image/image_resize.h"

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
bool DecodeBitmapFile(const wchar_t* path, DecodedImage* out) {
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
  const bool read = ReadWholeFile(path, &bytes);
  DecodedImage image;
  if (read && DecodeSimpleIconFile(bytes.data(), bytes.size(), width, height, &image))
    return CreateIconFromImage(image).release();
  if (HANDLE icon = LoadImageW(nullptr, path, IMAGE_ICON, width, height, LR_LOADFROMFILE)) return icon;

  if (!(read && DecodeImage(bytes.data(), bytes.size(), &image)) && !DecodeBitmapFile(path, &image))
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
  return CreateBitmapFromImage(image).release();
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

}  // namespace lumora
