// The colour mode: which column of the UI colour tables is in use, the
// colour name skins pick their variants by, and the steps a change of mode
// runs through so that every part of the toolkit repaints in the new colours.
#pragma once
#include <cstdint>
#include <string_view>

namespace lumora {

// Colour-name columns of the tables.
constexpr int32_t kColumnBlue = 0;
constexpr int32_t kColumnOlive = 1;
constexpr int32_t kColumnSilver = 2;
constexpr int32_t kColumnGrey = 3;
constexpr int32_t kFirstCustomColumn = 4;

// "blue", "olive", "silver", "grey" for modes 1-4 and 6-9; empty otherwise.
std::string_view ColourModeColourName(int32_t mode);
// Mode of an upper-case mode name ("UICOLOURMODE_DEFAULT_GREY"), -1 if none.
int32_t ColourModeFromName(std::string_view name);

// Classifies a theme caption colour (COLORREF) into a colour-name column,
// 0-3, the way the automatic modes do.
int32_t CaptionColourColumn(int32_t colorref);

// The table column (0-7) that the current mode reads.
int32_t EffectiveColourColumn();

int32_t CurrentColourMode();
// The colour name of the mode set last ("" for modes 0 and 5).
std::string_view CurrentColourName();

// Records the colour name of the desktop theme from its caption colour
// (COLORREF); on Vista and later it is always "blue".
void DetectColourName(int32_t colour);
std::string_view DetectedColourName();

// Steps of a mode change that parts of the toolkit plug into, in the order
// they run. The mode has been stored before the first; the colour name is
// stored just before kSkins.
enum class ColourModeStep : int32_t {
  kRedrawSweep = 2,       // redraw switched off and on for visible children
  kFreeRenderings = 3,    // cached renderings of the table entries
  kBarImages = 4,         // shared bar images of the rebar
  kDerivedImages = 5,     // disabled images of menus and tool bars
  kMenuBackgrounds = 6,   // cached popup-menu backgrounds
  kSkins = 7,             // RefreshSkins(0)
  kRepaint = 8,           // every window of the process painted anew
};

// Called with the new mode. Hooks must not throw.
using ColourModeHook = void (*)(int32_t mode);

// Adds a hook to a step (a hook already there is not added twice). False
// when the step is full or unknown.
bool RegisterColourModeHook(ColourModeStep step, ColourModeHook hook);
void UnregisterColourModeHook(ColourModeStep step, ColourModeHook hook);

// Applies a colour mode 0-9 and returns 1; any other value returns 0 and
// changes nothing.
int32_t SetUIColourMode(int32_t mode);

}  // namespace lumora
