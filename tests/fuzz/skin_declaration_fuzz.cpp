// Skin property values come from skins anyone may write: no value may crash
// the declaration parser or its readers of fonts, gradients and file
// names, nor the model storing and reading it.
// Fuzz sources: toolkit/style/skin_declarations.cpp toolkit/style/skin_image_names.cpp toolkit/style/skin_model.cpp toolkit/style/skin_builtin.cpp toolkit/style/colour.cpp toolkit/style/named_colours.cpp toolkit/style/colour_mode.cpp toolkit/style/ui_colour_table.cpp toolkit/style/colour_services.cpp toolkit/style/gradient.cpp toolkit/base/stale_lock.cpp platform/error_log.cpp
#include <cstddef>
#include <cstdint>
#include <string>

#include "toolkit/style/skin.h"
#include "toolkit/style/skin_declarations.h"
#include "toolkit/style/skin_image_names.h"
#include "toolkit/style/skin_model.h"

using namespace lumora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Pairs of bytes as UTF-16, so that characters beyond ASCII turn up too.
  std::u16string value;
  for (size_t i = 0; i + 1 < size; i += 2) value.push_back(static_cast<char16_t>(data[i] | data[i + 1] << 8));
  // Single bytes as well: most real values are ASCII.
  std::u16string narrow(data, data + size);
  for (const std::u16string& text : {value, narrow}) {
    for (const char16_t* name : {u"x", u"font", u"gradient", u"colour", u"width"}) {
      if (const auto found = FindDeclaration(text, name)) {
        SplitSkinFields(*found);
        ParseSkinFont(*found);
        ParseSkinGradient(*found);
      }
    }
    SkinImageFileName(text);
    BareValue(text);
  }
  static const SkinHandle skin = CreateSkin(u"fuzz");
  // One property, so the registry (which only ever grows) stays small.
  SetSkinProperty(skin, u"c : v", u"normal", u"background", narrow);
  GetSkinPropertyField(skin, u"c", u"normal", u"background", u"gradient", 3);
  GetSkinPropertyText(skin, u"c:v", u"normal", u"background");
  return 0;
}
