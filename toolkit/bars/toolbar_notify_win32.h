// The tool bars' share of the bar window procedure: custom drawing and
// tooltip texts, answered at whichever window the tool bar notifies.
#pragma once
#include <windows.h>

namespace lumora {

// Registers the handler with the bar window procedure (once).
void InstallToolbarNotifyHandler();

}  // namespace lumora
