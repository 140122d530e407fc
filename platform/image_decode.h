// Decoding of PNG and JPEG files into 32-bit pixels, for icons and skin
// images. Decoders are switched on by the toolkit at start-up.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/os_handles_win32.h"
#include "platform/pixel_decode.h"

namespace platform {

void EnablePngDecoder();
void EnableJpegDecoder();
bool PngDecoderEnabled();
bool JpegDecoderEnabled();

// Decodes bytes already in memory; the format is told by its signature.
bool DecodeImage(const uint8_t* data, size_t size, DecodedImage* out);
bool DecodeImageFile(const std::wstring& path, DecodedImage* out);

// A 32-bit top-down DIB section holding the image, owned by the caller.
UniqueBitmap CreateBitmapFromImage(const DecodedImage& image);

bool ReadWholeFile(const std::wstring& path, std::vector<uint8_t>* out);

}  // namespace platform
