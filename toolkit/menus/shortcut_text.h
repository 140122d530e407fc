// Keyboard shortcuts written into menu texts ("&Save$Ctrl+S") and their
// reading into a key and modifier flags. Texts come from applications and
// from file names put into menus, so every reader here copes with any text.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lumora {

// Modifier flags of a shortcut; SHORTCUT_VIRTUAL_KEY marks a key that is a
// virtual-key code rather than the upper-case code of a character.
constexpr int64_t SHORTCUT_ALT = 0x10;
constexpr int64_t SHORTCUT_CTRL = 8;
constexpr int64_t SHORTCUT_SHIFT = 4;
constexpr int64_t SHORTCUT_VIRTUAL_KEY = 1;

// The shortcut part of a menu text: what follows the first "$" that is not
// half of a "$$" pair (a pair stands for a literal "$" and is collapsed in
// the part returned). Nothing when the text has no single "$", and nothing
// either when the part after it is empty: an empty shortcut text would
// clear every shortcut of the window, which a menu item must never do.
std::optional<std::u16string> ShortcutPartOf(std::u16string_view item_text);

struct ParsedShortcut {
  int64_t key = 0;    // virtual-key code, or the character's upper-case code
  int64_t flags = 0;  // SHORTCUT_ALT | SHORTCUT_CTRL | SHORTCUT_SHIFT | SHORTCUT_VIRTUAL_KEY
};

// Reads a shortcut text such as "Ctrl+Shift+F3" or "alt-x": case does not
// matter, the label codes "\b", "\i", "\u", "\s", "\c" and "\n" are ignored,
// and any of | space - , . ~ ^ / \ : ; separates the parts like "+". Parts
// are taken up to the first empty one. Nothing when a part is neither a
// modifier, a key name nor a single character, or when no key was named.
std::optional<ParsedShortcut> ParseShortcut(std::u16string_view text);

// The virtual-key code of a lower-case key name ("pgup", "f11"), 0 if none.
int32_t KeyNameCode(std::u16string_view lower_case_name);

// Case mapping used by shortcuts and mnemonics: ASCII and Latin-1 letters.
char16_t ShortcutLower(char16_t c);
char16_t ShortcutUpper(char16_t c);

}  // namespace lumora
