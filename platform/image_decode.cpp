#include "platform/image_decode.h"

#include "platform/dib_section.h"

#include <cstring>

namespace platform {
namespace {

bool g_png_enabled = false;
bool g_jpeg_enabled = false;

}  // namespace

void EnablePngDecoder() { g_png_enabled = true; }
void EnableJpegDecoder() { g_jpeg_enabled = true; }
bool PngDecoderEnabled() { return g_png_enabled; }
bool JpegDecoderEnabled() { return g_jpeg_enabled; }

bool DecodeImage(const uint8_t* data, size_t size, DecodedImage* out) {
  return DecodeImageBytes(data, size, g_png_enabled, g_jpeg_enabled, out);
}

bool ReadWholeFile(const std::wstring& path, std::vector<uint8_t>* out) {
  UniqueFile owned(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
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

UniqueBitmap CreateBitmapFromImage(const DecodedImage& image) {
  if (image.width <= 0 || image.height <= 0) return UniqueBitmap();
  void* bits = nullptr;
  UniqueBitmap bitmap = CreateTopDownDib(image.width, image.height, 32, &bits);
  if (!bitmap) return bitmap;
  std::memcpy(bits, image.bgra.data(), image.bgra.size());
  return bitmap;
}

}  // namespace platform
