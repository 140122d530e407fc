// Connects the colour code to the running system: GetSysColor, the version
// and theme answers of the capability record, the brush cache and the steps
// of a colour-mode change that touch windows and device contexts.
#pragma once
#ifndef _WIN32
#error "colour_services_win32.h is Win32 glue"
#endif
#include <windows.h>

#include "toolkit/style/colour.h"
#include "toolkit/style/colour_mode.h"
#include "toolkit/style/ui_colour_table.h"

namespace lumora {

// Makes colour values and the UI colour tables ready for use. Runs during
// toolkit initialisation before any skin is parsed; a second call is
// harmless. The theme answers are read from g_caps at each use, so theme
// binding may come later.
void InitColourTables();

}  // namespace lumora
