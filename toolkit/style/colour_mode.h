// The colour mode: which column of the UI colour tables is in use, the
// colour name skins pick their variants by, and the steps a change of mode
// runs through so that every part of the toolkit repaints in the new colours.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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

// A mode change runs the steps that parts of the toolkit register, low rank
// first (see toolkit/base/ranked_steps.h). The mode has been stored before
// the first step; the colour name just before the first step ranked
// kColourNameRank or higher. The ranks of the steps this layer runs itself:
constexpr int32_t kRedrawSweepRank = 200;     // redraw switched off and on for visible children
constexpr int32_t kFreeRenderingsRank = 300;  // cached renderings of the table entries
constexpr int32_t kColourNameRank = 700;      // from here on the new colour name is in place
constexpr int32_t kSkinRefreshRank = 700;     // skins re-applied with the new name
constexpr int32_t kRepaintRank = 800;         // every window of the process painted anew

// Called with the new mode. Hooks must not throw.
using ColourModeHook = void (*)(int32_t mode);

// Adds a hook under a name; a name already there keeps its hook. False only
// for a null hook.
bool RegisterColourModeHook(int32_t rank, std::string_view name, ColourModeHook hook);
void UnregisterColourModeHook(std::string_view name);
// The registered steps' names in the order a mode change runs them.
std::vector<std::string> ColourModeStepNames();

// Applies a colour mode 0-9 and returns 1; any other value returns 0 and
// changes nothing.
int32_t SetUIColourMode(int32_t mode);

}  // namespace lumora
