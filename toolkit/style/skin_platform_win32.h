// Connects the skin model to the running system: image look-up and loading,
// gradients through GDI+, fonts, the window refresh, and the images and
// theme fonts of the built-in skins.
#pragma once
#ifndef _WIN32
#error "skin_platform_win32.h is Win32 glue"
#endif
#include "toolkit/style/skin.h"

namespace lumora {

// Installs the services and makes the last step of a colour-mode change
// re-apply every skin. Runs during toolkit initialisation; a second call is
// harmless.
void WireSkins();

// The built-in skins' parts that need the system: radio and check glyphs,
// the explorer bar's arrows and theme font, the splitter's gripper.
void AddBuiltInSkinExtras(BuiltInSkin which, SkinHandle skin);

// Frees the images AddBuiltInSkinExtras drew (after the skins that hold them).
void FreeBuiltInSkinImages();

}  // namespace lumora
