// Where each piece of a marked-up label goes. The layout decides every box,
// font, colour and text-drawing format; the drawing side only measures text
// for it (through LabelMeasurer) and then draws the runs it returns, so the
// sizes a label is measured at and the places it is drawn at always agree.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/style/label_markup.h"

namespace lumora {

// Caller flags of DrawLabel.
constexpr uint32_t LABEL_TOP_ALIGNED = 0x1;     // each segment in a box as high as its line
constexpr uint32_t LABEL_CENTRE_H = 0x10;       // with LABEL_CENTRE_V (and without
constexpr uint32_t LABEL_CENTRE_V = 0x20;       // LABEL_TOP_ALIGNED): centred both ways
constexpr uint32_t LABEL_KEEP_COLOUR = 0x100;   // "\c" codes are read and skipped
constexpr uint32_t LABEL_MEASURE = 0x400;       // nothing drawn; the extent is returned
constexpr uint32_t LABEL_PATH_ELLIPSIS = 0x4000;
constexpr uint32_t LABEL_END_ELLIPSIS = 0x8000;
constexpr uint32_t LABEL_RECORD_LINKS = 0x100000;
constexpr uint32_t LABEL_PLAIN = 0x200000;      // codes are not interpreted
constexpr uint32_t LABEL_COLLECT_TEXT = 0x800000;

// Extra pixels added to every line of a label that holds a "\|" code; one-line
// labels keep the exact height of the platform's text drawing so that they
// line up with plain text beside them.
constexpr int32_t LABEL_LINE_SPACING = 2;

// Text-drawing format bits (the platform's DT_ values) found in LabelRun.
constexpr uint32_t LABEL_DT_CENTER = 0x1;
constexpr uint32_t LABEL_DT_VCENTER = 0x4;
constexpr uint32_t LABEL_DT_SINGLELINE = 0x20;
constexpr uint32_t LABEL_DT_EXPANDTABS = 0x40;
constexpr uint32_t LABEL_DT_NOCLIP = 0x100;
constexpr uint32_t LABEL_DT_PATH_ELLIPSIS = 0x4000;
constexpr uint32_t LABEL_DT_END_ELLIPSIS = 0x8000;

struct LabelRect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
};

struct LabelSize {
  int32_t cx = 0, cy = 0;
};

// A link region, in pixels from the label rectangle's top left corner.
struct LabelLink {
  int32_t number = 0;
  int32_t left = 0, top = 0, right = 0, bottom = 0;
};

class LabelMeasurer {
 public:
  virtual ~LabelMeasurer() = default;
  // Extent of `text` (never empty) drawn in the caller's font with `font`'s
  // attributes, tabs expanded and "&" prefixes applied. With `single_line`
  // line feeds do not break the line.
  virtual LabelSize MeasureText(std::wstring_view text, const LabelFontState& font,
                                bool single_line) = 0;
};

// One call of the platform's text drawing.
struct LabelRun {
  std::wstring text;
  LabelFontState font;
  int32_t colour = -1;  // COLORREF; -1 is the caller's text colour
  LabelRect box;        // absolute, like the label rectangle
  uint32_t format = 0;  // DT_ bits
};

struct LabelLayout {
  std::vector<LabelRun> runs;
  // Widest line and total height of the whole label.
  LabelSize extent;
  // Filled only with LABEL_RECORD_LINKS.
  std::vector<LabelLink> links;
  // Filled only with LABEL_COLLECT_TEXT.
  std::wstring plain_text;
};

// Lays out `text` in `rect`, starting from the caller's font attributes
// `font`. Runs that would fall wholly outside the rectangle are left out;
// the extent counts them all.
LabelLayout LayoutLabel(std::wstring_view text, const LabelRect& rect, uint32_t flags,
                        const LabelFontState& font, LabelMeasurer& measurer);

}  // namespace lumora
