// How a menu item's text divides into the label drawn at the left and the
// shortcut drawn right-aligned ("&Open...$Ctrl+O"), and which character is
// the item's mnemonic.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace lumora {

struct MenuItemTextParts {
  std::u16string label;                    // "$$" pairs shown as one "$"
  std::optional<std::u16string> shortcut;  // text after the first single "$"
};

// Splits at the first "$" that is not half of a "$$" pair. Measuring and
// drawing both use this split, so an item is always as wide as what it
// shows. A text that ends in a single "$" has an empty shortcut part.
MenuItemTextParts SplitMenuItemText(std::u16string_view text);

// The upper-case mnemonic character of a label: the character after the
// first "&" that is not half of a "&&" pair; 0 when there is none.
char16_t MenuMnemonicOf(std::u16string_view label);

}  // namespace lumora
