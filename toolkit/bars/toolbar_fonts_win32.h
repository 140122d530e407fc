// The bar font's creation, which the first tool bar triggers; the font
// helpers themselves are declared with the tool-bar interface.
#pragma once
#include <windows.h>

namespace lumora {

// Creates the bar font from the menu font of the non-client metrics, once.
void EnsureBarFont();

// The system's message font, which plain tool bars write their labels in;
// made on first use.
HFONT MessageFont();

// Frees the bar font and the message font (shut-down).
void FreeBarFonts();

}  // namespace lumora
