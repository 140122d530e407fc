#include "toolkit/menus/menu_item_text.h"

#include "toolkit/menus/shortcut_text.h"

namespace lumora {

MenuItemTextParts SplitMenuItemText(std::u16string_view text) {
  MenuItemTextParts parts;
  size_t i = 0;
  for (; i < text.size(); ++i) {
    if (text[i] != u'$') {
      parts.label.push_back(text[i]);
      continue;
    }
    if (i + 1 < text.size() && text[i + 1] == u'$') {
      parts.label.push_back(u'$');
      ++i;
      continue;
    }
    break;
  }
  if (i < text.size()) {
    std::u16string shortcut;
    for (size_t j = i + 1; j < text.size(); ++j) {
      shortcut.push_back(text[j]);
      if (text[j] == u'$' && j + 1 < text.size() && text[j + 1] == u'$') ++j;
    }
    parts.shortcut = std::move(shortcut);
  }
  return parts;
}

char16_t MenuMnemonicOf(std::u16string_view label) {
  for (size_t i = 0; i + 1 < label.size(); ++i) {
    if (label[i] != u'&') continue;
    if (label[i + 1] == u'&') {
      ++i;
      continue;
    }
    // A label code right after the "&" ("&\b1") is not the mnemonic: skip it.
    size_t at = i + 1;
    while (at + 1 < label.size() && label[at] == u'\\' && label[at + 1] != u'\\')
      at += (label[at + 1] == u'c' || label[at + 1] == u'C') ? 8 : 2;
    if (at >= label.size()) return 0;
    return ShortcutUpper(label[at]);
  }
  return 0;
}

}  // namespace lumora
