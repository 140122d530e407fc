#include "toolkit/style/colour_mode.h"

#include <array>

#include "toolkit/base/ranked_steps.h"
#include "toolkit/style/colour_services.h"
#include "toolkit/style/ui_style.h"

namespace lumora {
namespace {

constexpr std::array<std::string_view, 4> kColourNames{"blue", "olive", "silver", "grey"};

constexpr std::array<std::string_view, 10> kModeNames{
    "UICOLOURMODE_DEFAULT",       "UICOLOURMODE_DEFAULT_BLUE",   "UICOLOURMODE_DEFAULT_OLIVE",
    "UICOLOURMODE_DEFAULT_SILVER", "UICOLOURMODE_DEFAULT_GREY",  "UICOLOURMODE_CUSTOM",
    "UICOLOURMODE_CUSTOM_BLUE",   "UICOLOURMODE_CUSTOM_OLIVE",   "UICOLOURMODE_CUSTOM_SILVER",
    "UICOLOURMODE_CUSTOM_GREY",
};

// Colour state belongs to the user-interface thread.
int32_t g_mode = UICOLOURMODE_DEFAULT;
std::string_view g_colour_name;
std::string_view g_detected_name;

RankedSteps<ColourModeHook>& Steps() {
  static RankedSteps<ColourModeHook> steps;
  return steps;
}

}  // namespace

std::string_view ColourModeColourName(int32_t mode) {
  if (mode >= UICOLOURMODE_DEFAULT_BLUE && mode <= UICOLOURMODE_DEFAULT_GREY) {
    return kColourNames[static_cast<std::size_t>(mode - UICOLOURMODE_DEFAULT_BLUE)];
  }
  if (mode >= UICOLOURMODE_CUSTOM_BLUE && mode <= UICOLOURMODE_CUSTOM_GREY) {
    return kColourNames[static_cast<std::size_t>(mode - UICOLOURMODE_CUSTOM_BLUE)];
  }
  return {};
}

int32_t ColourModeFromName(std::string_view name) {
  for (std::size_t i = 0; i < kModeNames.size(); ++i) {
    if (kModeNames[i] == name) return static_cast<int32_t>(i);
  }
  return -1;
}

int32_t CaptionColourColumn(int32_t colorref) {
  const int32_t red = colorref & 0xFF;
  const int32_t green = (colorref >> 8) & 0xFF;
  const int32_t blue = (colorref >> 16) & 0xFF;
  if (red >= 200 && green >= 200 && blue >= 200) return kColumnSilver;
  if (red < 200 && green < 200 && blue >= 200) return kColumnBlue;
  if (red >= 200 && green >= 200 && blue < 200) return kColumnOlive;
  return kColumnGrey;
}

int32_t EffectiveColourColumn() {
  if (g_mode >= UICOLOURMODE_DEFAULT_BLUE && g_mode <= UICOLOURMODE_DEFAULT_GREY) {
    return g_mode - UICOLOURMODE_DEFAULT_BLUE;
  }
  if (g_mode >= UICOLOURMODE_CUSTOM_BLUE && g_mode <= UICOLOURMODE_CUSTOM_GREY) {
    return kFirstCustomColumn + g_mode - UICOLOURMODE_CUSTOM_BLUE;
  }
  const int32_t column =
      ServiceVisualStylesActive() ? CaptionColourColumn(ServiceThemeCaptionColour()) : kColumnGrey;
  return g_mode == UICOLOURMODE_CUSTOM ? kFirstCustomColumn + column : column;
}

int32_t CurrentColourMode() { return g_mode; }

std::string_view CurrentColourName() { return g_colour_name; }

void DetectColourName(int32_t colour) {
  if (ServiceVistaOrLater()) {
    g_detected_name = kColourNames[kColumnBlue];
    return;
  }
  const int32_t red = colour & 0xFF;
  const int32_t green = (colour >> 8) & 0xFF;
  const int32_t blue = (colour >> 16) & 0xFF;
  if (red >= 200 && green >= 200 && blue >= 200) {
    g_detected_name = kColourNames[kColumnSilver];
  } else if (red <= 199 && green <= 199 && blue >= 200) {
    g_detected_name = kColourNames[kColumnBlue];
  } else if (red >= 200 && green >= 200 && blue <= 199) {
    g_detected_name = kColourNames[kColumnOlive];
  } else {
    g_detected_name = kColourNames[kColumnGrey];
  }
}

std::string_view DetectedColourName() { return g_detected_name; }

bool RegisterColourModeHook(int32_t rank, std::string_view name, ColourModeHook hook) {
  if (!hook) return false;
  Steps().Add(rank, name, hook);
  return true;
}

void UnregisterColourModeHook(std::string_view name) { Steps().Remove(name); }

std::vector<std::string> ColourModeStepNames() { return Steps().Names(); }

int32_t SetUIColourMode(int32_t mode) {
  if (mode < UICOLOURMODE_DEFAULT || mode > UICOLOURMODE_CUSTOM_GREY) return 0;
  g_mode = mode;
  const std::string_view name = ColourModeColourName(mode);
  bool name_stored = false;
  // A copy, so that a hook may register or unregister hooks while it runs.
  const auto steps = Steps().InOrder();
  for (const auto& step : steps) {
    // Skins re-apply with the new name, so it must be in place first.
    if (!name_stored && step.rank >= kColourNameRank) {
      g_colour_name = name;
      name_stored = true;
    }
    step.action(mode);
  }
  g_colour_name = name;
  return 1;
}

}  // namespace lumora
