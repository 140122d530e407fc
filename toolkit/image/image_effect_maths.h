// The per-pixel arithmetic of ImageEffect on plain 32-bit BGRA buffers, kept
// apart from the GDI plumbing so that every rounding and clamping rule can be
// checked without a device context.
#pragma once
#include <cstddef>
#include <cstdint>

namespace lumora {

// ImageEffect flag bits.
constexpr uint32_t IMAGEEFFECT_GREYSCALE = 1;
constexpr uint32_t IMAGEEFFECT_RETURN_ICON = 2;
constexpr uint32_t IMAGEEFFECT_DESTROY_SOURCE = 4;

struct ImageEffectSettings {
  float alpha = 255;        // overall opacity, taken as 1..255
  float contrast = 0;       // -255..255, 0 = unchanged
  float brightness = 0;     // added to each channel
  uint32_t tint_colour = 0; // COLORREF, 0x00BBGGRR
  float tint_amount = 0;    // 0 (none) .. 256 (all tint colour)
  bool greyscale = false;
};

// Source pixels as GetDIBits hands them over for a 32-bit request: rows of
// width * 4 bytes (B, G, R, A), bottom-up, so memory row 0 is the image's
// last line.
struct EffectSource {
  const uint8_t* pixels = nullptr;
  // The icon mask in the same layout, or null for a bitmap; a pixel whose
  // colour bytes are not all zero is "set" (transparent).
  const uint8_t* mask = nullptr;
  int width = 0;
  int height = 0;
  // True when the source had 32 bits per pixel, so its alpha bytes count.
  bool has_alpha = false;
};

// Settings as the pixel loop uses them: NaN and out-of-range values pulled
// into the ranges the arithmetic is defined for (alpha 1..255, contrast
// -255..255 so the factor's divisor never reaches 0, tint amount 0..256).
ImageEffectSettings SanitiseSettings(const ImageEffectSettings& settings);

// ((c + 255) * 259) / ((259 - c) * 255) for the sanitised contrast c.
double ContrastFactor(float contrast);

// rint(0.2989 R + 0.5870 G + 0.1140 B).
uint8_t GreyLevel(uint8_t red, uint8_t green, uint8_t blue);

// rint(v) limited to 0..255; NaN gives 0.
uint8_t ClampChannel(double value);

// Processes the whole image into `out`, a top-down buffer of width * 4 bytes
// per row: memory row r of the source becomes row height - 1 - r, so the
// picture keeps its orientation. False when the sizes do not fit.
bool ApplyImageEffect(const EffectSource& source, const ImageEffectSettings& settings,
                      uint8_t* out, size_t out_size);

}  // namespace lumora
