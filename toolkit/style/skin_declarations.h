// The small declaration language of skin property values:
//   "x: 50%; y: centre;"  "noclip;"  "font: 'Segoe UI', 8, bold; colour: #15428b;"
// A value is split at ";" into declarations (empty pieces skipped); each
// declaration at its first ":" into a name and a text, both trimmed. A
// declaration without text reads "true". A later declaration of a name
// replaces an earlier one. Lists inside a text are split at "," except inside
// quotes, parentheses and braces.
//
// Also the readers of the font and gradient declarations the model builds
// objects from. Positions and paddings are read by the controls
// (toolkit/controls/skin_placement.h).
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora {

// Lower case of ASCII and Latin-1 letters; other characters unchanged.
std::u16string SkinLower(std::u16string_view text);
// Without leading and trailing spaces and tabs.
std::u16string_view SkinTrim(std::u16string_view text);
// The ASCII form of a text for number parsing; other characters become '?'.
std::string SkinAscii(std::u16string_view text);

// The text of the last declaration called `name` (compared after lower
// casing), or nothing when the value has none.
std::optional<std::u16string> FindDeclaration(std::u16string_view value, std::u16string_view name);

// A bare value: the whole text trimmed, without its trailing ";".
std::u16string_view BareValue(std::u16string_view value);

// The comma-separated fields of a declaration's text, each trimmed. An
// empty text has no fields.
std::vector<std::u16string_view> SplitSkinFields(std::u16string_view text);

// A "font" declaration's text: face (quotes removed), size in points, then
// style words in any order.
struct SkinFont {
  std::u16string face;
  int32_t size = 0;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeout = false;
};
// Nothing when the text has no face.
std::optional<SkinFont> ParseSkinFont(std::u16string_view text);

// A "gradient" declaration's text: optional kind, two colours, then pairs of
// position and colour. Colours come out as opaque ARGB.
struct SkinGradient {
  int32_t kind = 0;
  int32_t colour1 = 0;
  int32_t colour2 = 0;
  struct Stop {
    float position;
    int32_t colour;
  };
  std::vector<Stop> stops;
};
// Nothing when the text has fewer than two colours or either end colour
// does not parse; a stop whose position or colour does not parse is left out.
std::optional<SkinGradient> ParseSkinGradient(std::u16string_view text);

// A colour text (see ParseColour) as opaque ARGB; nothing when it does not parse.
std::optional<int32_t> OpaqueArgbOfColourText(std::u16string_view text);

}  // namespace lumora
