#include "toolkit/image/image_effect_maths.h"

#include <cmath>
#include <limits>

namespace lumora {

namespace {

float OrDefault(float value, float fallback) { return std::isnan(value) ? fallback : value; }

float Limit(float value, float low, float high) {
  return value < low ? low : (value > high ? high : value);
}

bool MaskSet(const uint8_t* mask_pixel) {
  return (mask_pixel[0] | mask_pixel[1] | mask_pixel[2]) != 0;
}

}  // namespace

ImageEffectSettings SanitiseSettings(const ImageEffectSettings& settings) {
  ImageEffectSettings clean = settings;
  clean.alpha = Limit(OrDefault(settings.alpha, 1.0f), 1.0f, 255.0f);
  clean.contrast = Limit(OrDefault(settings.contrast, 0.0f), -255.0f, 255.0f);
  clean.brightness = OrDefault(settings.brightness, 0.0f);
  clean.tint_amount = Limit(OrDefault(settings.tint_amount, 0.0f), 0.0f, 256.0f);
  return clean;
}

double ContrastFactor(float contrast) {
  const double c = Limit(OrDefault(contrast, 0.0f), -255.0f, 255.0f);
  return ((c + 255.0) * 259.0) / ((259.0 - c) * 255.0);
}

uint8_t ClampChannel(double value) {
  if (!(value > 0.0)) return 0;  // also NaN
  if (value >= 255.0) return 255;
  return static_cast<uint8_t>(std::rint(value));
}

uint8_t GreyLevel(uint8_t red, uint8_t green, uint8_t blue) {
  return ClampChannel(0.2989 * red + 0.5870 * green + 0.1140 * blue);
}

bool ApplyImageEffect(const EffectSource& source, const ImageEffectSettings& settings,
                      uint8_t* out, size_t out_size) {
  if (source.pixels == nullptr || out == nullptr || source.width < 1 || source.height < 1) return false;
  const size_t width = static_cast<size_t>(source.width);
  const size_t height = static_cast<size_t>(source.height);
  if (width > std::numeric_limits<size_t>::max() / 4 / height) return false;
  const size_t row_bytes = width * 4;
  if (out_size < row_bytes * height) return false;

  const ImageEffectSettings s = SanitiseSettings(settings);
  const double factor = ContrastFactor(s.contrast);
  const double amount = s.tint_amount;
  const double tint[3] = {static_cast<double>((s.tint_colour >> 16) & 0xFF),  // blue
                          static_cast<double>((s.tint_colour >> 8) & 0xFF),   // green
                          static_cast<double>(s.tint_colour & 0xFF)};         // red
  const double flat_alpha = std::rint(static_cast<double>(s.alpha));

  for (size_t r = 0; r < height; ++r) {
    const uint8_t* in_row = source.pixels + r * row_bytes;
    const uint8_t* mask_row = source.mask != nullptr ? source.mask + r * row_bytes : nullptr;
    uint8_t* out_row = out + (height - 1 - r) * row_bytes;
    for (size_t x = 0; x < width; ++x) {
      const uint8_t* px = in_row + x * 4;
      // Integer channels between the steps: each step rounds its own result.
      double c[3] = {static_cast<double>(px[0]), static_cast<double>(px[1]),
                     static_cast<double>(px[2])};
      if (s.greyscale) {
        const double y = GreyLevel(px[2], px[1], px[0]);
        c[0] = c[1] = c[2] = y;
      }
      for (int k = 0; k < 3; ++k) {
        double v = std::rint((tint[k] * amount + c[k] * (256.0 - amount)) / 256.0);
        v = ClampChannel((v - 128.0) * factor + 128.0);
        out_row[x * 4 + k] = ClampChannel(v + s.brightness);
      }

      const bool masked = mask_row != nullptr && MaskSet(mask_row + x * 4);
      double a;
      if (source.has_alpha) {
        a = px[3];
        if (a == 0 && mask_row != nullptr) a = masked ? 0.0 : 255.0;
        a = std::rint(a / 255.0 * s.alpha);
      } else {
        // A mask still marks an icon's transparent pixels when its colour
        // bitmap carries no alpha; without this they would come out opaque.
        a = masked ? 0.0 : flat_alpha;
      }
      out_row[x * 4 + 3] = ClampChannel(a);
    }
  }
  return true;
}

}  // namespace lumora
