// Soft shadows under menus, drawn by the toolkit's own layered windows of
// the class "Lumora_DropShadow" rather than by the system.
#pragma once
#include <windows.h>

#include <cstdint>

namespace lumora {

constexpr int32_t kMenuShadowDepth = 5;

// Shows one strip of shadow at `position` (screen) for the window `owner`,
// which takes the strips down with DestroyDropShadows. side_flags are the
// SHADOW_* of drop_shadow_strip.h. Nothing is shown while the system's
// drop-shadow setting is off. Returns the shadow window or null.
HWND ShowDropShadow(HWND owner, POINT position, int32_t length, int32_t depth, COLORREF colour, int32_t max_alpha,
                    uint32_t side_flags);
void DestroyDropShadows(HWND owner);
void DestroyAllDropShadows();
// How many shadow windows exist (for tests and diagnostics).
size_t DropShadowCount();
// Reads the system's drop-shadow setting again (it announced a change).
void RefreshDropShadowSetting();

}  // namespace lumora
