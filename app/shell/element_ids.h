// The ids of the toolkit elements the editor makes: menus, bars, panels,
// labels and controls. They name elements, not commands (command_ids.h):
// an element id may equal a command id without meaning anything by it.
#pragma once

namespace tavrel {

// Menus.
inline constexpr int kMainMenu = 0;
inline constexpr int kContextMenu = 2;

// The rebar and the tool bars in it.
inline constexpr int kMainRebar = 1;
inline constexpr int kMainToolbar = 3;
inline constexpr int kSearchStripToolbar = 8;

// The search strip's parts: the field's slot on the strip's tool bar, the
// field's control id, the panels inside the field and the match counter.
inline constexpr int kSearchFieldSlot = 9;
inline constexpr int kSearchField = 10;
inline constexpr int kCounterPanel = 4;
inline constexpr int kMagnifierPanel = 5;
inline constexpr int kCounterLabel = 7;

}  // namespace tavrel
