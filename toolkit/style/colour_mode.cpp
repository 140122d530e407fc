#include "toolkit/style/colour_mode.h"

#include <array>

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

constexpr int32_t kFirstStep = static_cast<int32_t>(ColourModeStep::kRedrawSweep);
constexpr int32_t kLastStep = static_cast<int32_t>(ColourModeStep::kRepaint);
constexpr std::size_t kHooksPerStep = 8;

using StepHooks = std::array<ColourModeHook, kHooksPerStep>;
constinit std::array<StepHooks, kLastStep - kFirstStep + 1> g_hooks{};

StepHooks* HooksOf(ColourModeStep step) {
  const int32_t index = static_cast<int32_t>(step) - kFirstStep;
  if (index < 0 || index > kLastStep - kFirstStep) return nullptr;
  return &g_hooks[static_cast<std::size_t>(index)];
}

void RunStep(ColourModeStep step, int32_t mode) {
  // A copy, so that a hook may register or unregister hooks while it runs.
  const StepHooks hooks = *HooksOf(step);
  for (ColourModeHook hook : hooks) {
    if (hook) hook(mode);
  }
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

bool RegisterColourModeHook(ColourModeStep step, ColourModeHook hook) {
  StepHooks* hooks = HooksOf(step);
  if (!hooks || !hook) return false;
  for (ColourModeHook existing : *hooks) {
    if (existing == hook) return true;
  }
  for (ColourModeHook& slot : *hooks) {
    if (!slot) {
      slot = hook;
      return true;
    }
  }
  return false;
}

void UnregisterColourModeHook(ColourModeStep step, ColourModeHook hook) {
  StepHooks* hooks = HooksOf(step);
  if (!hooks) return;
  for (ColourModeHook& slot : *hooks) {
    if (slot == hook) slot = nullptr;
  }
}

int32_t SetUIColourMode(int32_t mode) {
  if (mode < UICOLOURMODE_DEFAULT || mode > UICOLOURMODE_CUSTOM_GREY) return 0;
  g_mode = mode;
  const std::string_view name = ColourModeColourName(mode);
  RunStep(ColourModeStep::kRedrawSweep, mode);
  RunStep(ColourModeStep::kFreeRenderings, mode);
  RunStep(ColourModeStep::kBarImages, mode);
  RunStep(ColourModeStep::kDerivedImages, mode);
  RunStep(ColourModeStep::kMenuBackgrounds, mode);
  // Skins re-apply with the new name, so it must be in place first.
  g_colour_name = name;
  RunStep(ColourModeStep::kSkins, mode);
  RunStep(ColourModeStep::kRepaint, mode);
  return 1;
}

}  // namespace lumora
