#include "toolkit/style/label_layout.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace lumora {

namespace {

// Sums of widths run in 64 bits: a label is arbitrary text, and a long enough
// one must not wrap around into negative positions.
int32_t Clamp32(int64_t value) {
  constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
  constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(std::clamp(value, kMin, kMax));
}

bool IsSingleCharacter(std::wstring_view text) {
  if (text.size() == 1) return true;
  return text.size() == 2 && text[0] >= 0xD800 && text[0] <= 0xDBFF && text[1] >= 0xDC00 &&
         text[1] <= 0xDFFF;
}

// A segment measured and placed on its line, before the line's horizontal
// shift is known.
struct Placed {
  std::wstring text;
  LabelFontState font;
  int32_t colour = -1;
  int64_t x = 0, y = 0, width = 0;
  size_t line = 0;
};

struct Line {
  int64_t y = 0, width = 0, height = 0;
};

struct OpenLink {
  bool open = false;
  int32_t number = 0;
  size_t line = 0;
  int64_t x = 0, y = 0;
  size_t text_begin = 0;
};

struct PendingLink {
  int32_t number = 0;
  size_t line = 0;
  int64_t x = 0, y = 0;
  LabelSize size;
};

LabelSize MeasureOrBlank(LabelMeasurer& measurer, std::wstring_view text, const LabelFontState& font,
                         bool single_line) {
  // Empty text still takes a line's height, but no width: a code at the
  // start of a label must not push its text to the right.
  if (text.empty()) {
    LabelSize blank = measurer.MeasureText(L" ", font, single_line);
    return {0, std::max(blank.cy, 0)};
  }
  LabelSize size = measurer.MeasureText(text, font, single_line);
  return {std::max(size.cx, 0), std::max(size.cy, 0)};
}

}  // namespace

LabelLayout LayoutLabel(std::wstring_view text, const LabelRect& rect, uint32_t flags,
                        const LabelFontState& font, LabelMeasurer& measurer) {
  LabelLayout layout;
  const bool plain = (flags & LABEL_PLAIN) != 0;
  const bool record_links = (flags & LABEL_RECORD_LINKS) != 0 && !plain;

  std::vector<LabelSegment> segments;
  if (plain)
    segments.push_back({text, std::nullopt, text.size()});
  else
    segments = SplitLabel(text);

  int64_t spacing = 0;
  for (const LabelSegment& segment : segments)
    if (segment.code && segment.code->kind == LabelCodeKind::LineBreak) spacing = LABEL_LINE_SPACING;

  std::vector<Placed> placed;
  placed.reserve(segments.size());
  std::vector<Line> lines(1);
  OpenLink open_link;
  std::vector<PendingLink> pending_links;

  LabelFontState state = font;
  int32_t colour = -1;
  int64_t x = 0, y = 0;
  for (const LabelSegment& segment : segments) {
    Line& line = lines.back();
    std::wstring piece = plain ? std::wstring(segment.raw) : UnescapeLabelText(segment.raw);
    const LabelSize size = MeasureOrBlank(measurer, piece, state, true);
    line.height = std::max(line.height, size.cy + spacing);
    placed.push_back({std::move(piece), state, colour, x, y, size.cx, lines.size() - 1});
    x += size.cx;
    line.width = x;

    if (!segment.code) break;
    const LabelCode& code = *segment.code;
    switch (code.kind) {
      case LabelCodeKind::Bold:
      case LabelCodeKind::Italic:
      case LabelCodeKind::Underline:
      case LabelCodeKind::StrikeOut:
        state = ApplyLabelFontCode(state, font, code.kind);
        break;
      case LabelCodeKind::Normal:
        state = font;
        colour = -1;
        break;
      case LabelCodeKind::Colour:
        if (!(flags & LABEL_KEEP_COLOUR)) colour = code.value;
        break;
      case LabelCodeKind::LineBreak:
        y += line.height;
        x = 0;
        lines.push_back({y, 0, 0});
        break;
      case LabelCodeKind::LinkStart:
        // A second start before the end moves the link: the region is always
        // the text after the most recent start.
        open_link = OpenLink{true, code.value, lines.size() - 1, x, y, segment.code_pos + code.length};
        break;
      case LabelCodeKind::LinkEnd:
        if (open_link.open && record_links) {
          const std::wstring link_text = StripLabelCodes(
              text.substr(open_link.text_begin, segment.code_pos - open_link.text_begin));
          pending_links.push_back({open_link.number, open_link.line, open_link.x, open_link.y,
                                   MeasureOrBlank(measurer, link_text, state, false)});
        }
        // An end without a start marks nothing.
        open_link.open = false;
        break;
    }
  }

  int64_t widest = 0;
  for (const Line& line : lines) widest = std::max(widest, line.width);
  layout.extent = {Clamp32(widest), Clamp32(lines.back().y + lines.back().height)};

  // Centred lines are shifted as a whole; a segment box with DT_CENTER alone
  // is exactly as wide as its text and would centre nothing.
  const bool top_aligned = (flags & LABEL_TOP_ALIGNED) != 0;
  const bool centred = !top_aligned && (flags & LABEL_CENTRE_H) && (flags & LABEL_CENTRE_V);
  const int64_t rect_width = int64_t{rect.right} - rect.left;
  std::vector<int64_t> shift(lines.size(), 0);
  if (centred)
    for (size_t i = 0; i < lines.size(); ++i)
      shift[i] = std::max<int64_t>(0, (rect_width - lines[i].width) / 2);

  uint32_t base_format = LABEL_DT_SINGLELINE | LABEL_DT_EXPANDTABS | LABEL_DT_NOCLIP;
  if (centred)
    base_format |= LABEL_DT_CENTER | LABEL_DT_VCENTER;
  else if (!top_aligned)
    base_format |= LABEL_DT_VCENTER;
  base_format |= flags & (LABEL_DT_END_ELLIPSIS | LABEL_DT_PATH_ELLIPSIS);

  for (Placed& piece : placed) {
    if (piece.text.empty()) continue;
    const Line& line = lines[piece.line];
    const int64_t left = rect.left + shift[piece.line] + piece.x;
    const int64_t top = rect.top + piece.y;
    int64_t right = left + piece.width;
    const int64_t bottom = top_aligned ? std::min<int64_t>(top + line.height, rect.bottom) : rect.bottom;
    uint32_t format = base_format;
    if (right > rect.right) {
      right = rect.right;
      format &= ~LABEL_DT_NOCLIP;
      if ((flags & LABEL_END_ELLIPSIS) && IsSingleCharacter(piece.text)) piece.text = L"...";
    }
    if (right <= left || bottom <= top) continue;
    layout.runs.push_back({std::move(piece.text), piece.font, piece.colour,
                           {Clamp32(left), Clamp32(top), Clamp32(right), Clamp32(bottom)}, format});
  }

  for (const PendingLink& link : pending_links) {
    const int64_t left = shift[link.line] + link.x;
    layout.links.push_back({link.number, Clamp32(left), Clamp32(link.y), Clamp32(left + link.size.cx),
                            Clamp32(link.y + link.size.cy)});
  }

  if (flags & LABEL_COLLECT_TEXT) layout.plain_text = plain ? std::wstring(text) : StripLabelCodes(text);
  return layout;
}

}  // namespace lumora
