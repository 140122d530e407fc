#include "toolkit/image/image_decode.h"

#include <png.h>
#include <csetjmp>
#include <cstdio>
#include <cstring>
// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

namespace lumora {
namespace {

bool g_png_enabled = false;
bool g_jpeg_enabled = false;

// A damaged or hostile file may claim any size in a few bytes; the pixels
// are only made room for within these bounds, so that such a file costs a
// failed decode instead of the process (an unbounded allocation throws).
constexpr long kLargestJpegWorkingBytes = 256L << 20;

bool SizeAccepted(uint32_t width, uint32_t height) {
  return width > 0 && height > 0 && width <= kLargestImageSide && height <= kLargestImageSide &&
         static_cast<uint64_t>(width) * height <= kLargestImagePixels;
}

bool DecodePng(const uint8_t* data, size_t size, DecodedImage* out) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, data, size)) return false;
  out->has_alpha = (image.format & PNG_FORMAT_FLAG_ALPHA) != 0;
  image.format = PNG_FORMAT_BGRA;
  if (!SizeAccepted(image.width, image.height)) {
    png_image_free(&image);
    return false;
  }
  out->width = static_cast<int>(image.width);
  out->height = static_cast<int>(image.height);
  out->bgra.assign(PNG_IMAGE_SIZE(image), 0);
  if (!png_image_finish_read(&image, nullptr, out->bgra.data(), 0, nullptr)) {
    png_image_free(&image);
    out->bgra.clear();
    return false;
  }
  return true;
}

struct JpegError {
  jpeg_error_mgr mgr;
  jmp_buf jump;
};

void JpegErrorExit(j_common_ptr info) {
  longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
}

void JpegSilence(j_common_ptr) {}

// Kept free of objects with destructors: libjpeg reports errors by longjmp.
bool DecodeJpegInto(const uint8_t* data, size_t size, uint8_t* pixels, int* width, int* height,
                    bool size_only) {
  jpeg_decompress_struct info;
  JpegError error;
  info.err = jpeg_std_error(&error.mgr);
  error.mgr.error_exit = JpegErrorExit;
  error.mgr.output_message = JpegSilence;
  if (setjmp(error.jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  // A progressive file keeps every coefficient of the image while it is
  // read; beyond this the library gives up instead of growing further.
  info.mem->max_memory_to_use = kLargestJpegWorkingBytes;
  jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_EXT_BGRA;
  jpeg_start_decompress(&info);
  *width = static_cast<int>(info.output_width);
  *height = static_cast<int>(info.output_height);
  if (size_only) {
    jpeg_destroy_decompress(&info);
    return true;
  }
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = pixels + static_cast<size_t>(info.output_scanline) * info.output_width * 4;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

bool DecodeJpeg(const uint8_t* data, size_t size, DecodedImage* out) {
  int width = 0, height = 0;
  if (!DecodeJpegInto(data, size, nullptr, &width, &height, true)) return false;
  if (width <= 0 || height <= 0 || !SizeAccepted(static_cast<uint32_t>(width), static_cast<uint32_t>(height))) {
    return false;
  }
  out->width = width;
  out->height = height;
  out->has_alpha = false;
  out->bgra.assign(static_cast<size_t>(width) * height * 4, 0);
  if (!DecodeJpegInto(data, size, out->bgra.data(), &width, &height, false)) {
    out->bgra.clear();
    return false;
  }
  return true;
}

}  // namespace

bool DecodeImageBytes(const uint8_t* data, size_t size, bool png, bool jpeg, DecodedImage* out) {
  static const uint8_t kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (png && size >= 8 && std::memcmp(data, kPng, 8) == 0) return DecodePng(data, size, out);
  if (jpeg && size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF) return DecodeJpeg(data, size, out);
  return false;
}

void EnablePngDecoder() { g_png_enabled = true; }
void EnableJpegDecoder() { g_jpeg_enabled = true; }
bool PngDecoderEnabled() { return g_png_enabled; }
bool JpegDecoderEnabled() { return g_jpeg_enabled; }

bool DecodeImage(const uint8_t* data, size_t size, DecodedImage* out) {
  return DecodeImageBytes(data, size, g_png_enabled, g_jpeg_enabled, out);
}

}  // namespace lumora
