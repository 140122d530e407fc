// The bar font's creation, which the first tool bar triggers; the font
// helpers themselves are declared with the tool-bar interface.
#pragma once

namespace lumora {

// Creates the bar font from the menu font of the non-client metrics, once.
void EnsureBarFont();

}  // namespace lumora
