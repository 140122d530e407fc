// Shortcut texts are written into menu item texts by applications; parsing
// must refuse what it does not know without crashing.
#include <cstddef>
#include <cstdint>
#include <string>

#include "toolkit/menus/shortcut_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::u16string text;
  for (size_t i = 0; i + 1 < size; i += 2) text.push_back(static_cast<char16_t>(data[i] | data[i + 1] << 8));
  lumora::ShortcutPartOf(text);
  lumora::ParseShortcut(text);
  return 0;
}
