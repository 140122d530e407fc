// The inline markup every toolkit label understands: a backslash followed by
// one character switches a font attribute, sets a colour, breaks the line,
// marks a link region or escapes the backslash itself.
//
// This half knows nothing of GDI: it splits a label into the runs of text
// between codes, reads the codes and keeps the font attributes they switch.
// Label texts come from applications (file paths, dictionary words), so every
// reader here stays inside the text however the text ends.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora {

enum class LabelCodeKind : uint8_t {
  Bold,       // "\b"
  Italic,     // "\i"
  Underline,  // "\u"
  StrikeOut,  // "\s"
  Normal,     // "\n": the font and colour the label started with
  Colour,     // "\cRRGGBB"
  LineBreak,  // "\|"
  LinkStart,  // "\l" followed by decimal digits
  LinkEnd,    // "\l" followed by anything else
};

struct LabelCode {
  LabelCodeKind kind = LabelCodeKind::Normal;
  // COLORREF (0x00BBGGRR) for Colour, the link number for LinkStart.
  int32_t value = 0;
  // Characters the code occupies, backslash included.
  size_t length = 0;
};

// Reads the code whose backslash is at text[pos]. Returns nothing when the
// backslash does not start a code: a "\\" escape, a backslash before a
// character that is no code letter (also "\c" without six hex digits), or a
// backslash at the very end. Those stay text; see UnescapeLabelText.
std::optional<LabelCode> ParseLabelCode(std::wstring_view text, size_t pos);

// A run of text between two codes. `raw` still holds escapes ("\\", and a
// backslash before a non-code character), which UnescapeLabelText resolves.
struct LabelSegment {
  std::wstring_view raw;
  // The code that ends the segment; none for the last segment.
  std::optional<LabelCode> code;
  // Offset of that code's backslash in the label (the label's length for the
  // last segment).
  size_t code_pos = 0;
};

// Splits a label at its codes. There is always one segment more than there
// are codes, so a label without codes is one segment, and an empty label one
// empty segment.
std::vector<LabelSegment> SplitLabel(std::wstring_view text);

// Turns a segment's escapes into text: "\\" gives one backslash, a backslash
// before any other character is dropped and the character kept, and a lone
// backslash at the end is dropped.
std::wstring UnescapeLabelText(std::wstring_view raw);

// The label as a reader sees it: every code removed, escapes resolved, and a
// line feed where the label breaks its line.
std::wstring StripLabelCodes(std::wstring_view text);

// The label without its link markers, everything else untouched; labels that
// size themselves measure this so that the markers take no room.
std::wstring RemoveLabelLinkCodes(std::wstring_view text);

// True when the label holds a "\|" code (an escaped "\\|" is no code).
bool LabelHasLineBreak(std::wstring_view text);

// Font attributes the codes switch; everything else about the font stays as
// the caller's font has it.
struct LabelFontState {
  int32_t weight = 400;
  bool italic = false;
  bool underline = false;
  bool strike_out = false;
  bool operator==(const LabelFontState&) const = default;
};

constexpr int32_t LABEL_WEIGHT_NORMAL = 400;
constexpr int32_t LABEL_WEIGHT_BOLD = 700;

// The font after a code: "\b" makes the weight bold unless it is exactly
// bold, in which case it becomes normal (so a semi-bold caller font comes back
// as normal, not as itself); "\i", "\u" and "\s" toggle; "\n" returns to
// `initial`. Codes that are not about the font leave it unchanged.
LabelFontState ApplyLabelFontCode(const LabelFontState& current,
                                  const LabelFontState& initial,
                                  LabelCodeKind kind);

}  // namespace lumora
