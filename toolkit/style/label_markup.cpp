#include "toolkit/style/label_markup.h"

#include <limits>

namespace lumora {

namespace {

int HexValue(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

wchar_t LowerAscii(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

constexpr size_t kColourDigits = 6;

// "\c" needs all six digits; a shorter or broken colour is text, so that a
// label cut off in the middle of a colour never reads past its end and never
// swallows what follows.
std::optional<LabelCode> ParseColour(std::wstring_view text, size_t pos) {
  const size_t first = pos + 2;
  if (text.size() - first < kColourDigits) return std::nullopt;
  int32_t rgb[3] = {};
  for (size_t i = 0; i < kColourDigits; ++i) {
    const int digit = HexValue(text[first + i]);
    if (digit < 0) return std::nullopt;
    rgb[i / 2] = rgb[i / 2] * 16 + digit;
  }
  LabelCode code;
  code.kind = LabelCodeKind::Colour;
  code.value = rgb[0] | (rgb[1] << 8) | (rgb[2] << 16);
  code.length = 2 + kColourDigits;
  return code;
}

// Link numbers are 32-bit; a longer run of digits is still one code (all its
// digits are consumed) and keeps the largest number.
LabelCode ParseLink(std::wstring_view text, size_t pos) {
  LabelCode code;
  size_t end = pos + 2;
  if (end >= text.size() || !IsDigit(text[end])) {
    code.kind = LabelCodeKind::LinkEnd;
    code.length = 2;
    return code;
  }
  constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
  int64_t number = 0;
  while (end < text.size() && IsDigit(text[end])) {
    number = number * 10 + (text[end] - L'0');
    if (number > kMax) number = kMax;
    ++end;
  }
  code.kind = LabelCodeKind::LinkStart;
  code.value = static_cast<int32_t>(number);
  code.length = end - pos;
  return code;
}

LabelCode Simple(LabelCodeKind kind) {
  LabelCode code;
  code.kind = kind;
  code.length = 2;
  return code;
}

}  // namespace

std::optional<LabelCode> ParseLabelCode(std::wstring_view text, size_t pos) {
  if (pos >= text.size() || text[pos] != L'\\' || pos + 1 >= text.size()) return std::nullopt;
  switch (LowerAscii(text[pos + 1])) {
    case L'b': return Simple(LabelCodeKind::Bold);
    case L'i': return Simple(LabelCodeKind::Italic);
    case L'u': return Simple(LabelCodeKind::Underline);
    case L's': return Simple(LabelCodeKind::StrikeOut);
    case L'n': return Simple(LabelCodeKind::Normal);
    case L'|': return Simple(LabelCodeKind::LineBreak);
    case L'c': return ParseColour(text, pos);
    case L'l': return ParseLink(text, pos);
    default: return std::nullopt;
  }
}

std::vector<LabelSegment> SplitLabel(std::wstring_view text) {
  std::vector<LabelSegment> segments;
  size_t start = 0;
  size_t pos = 0;
  while (pos < text.size()) {
    if (text[pos] != L'\\') {
      ++pos;
      continue;
    }
    const std::optional<LabelCode> code = ParseLabelCode(text, pos);
    if (!code) {
      // An escape: it stays inside the segment, backslash and character
      // together, so that "\\b" is never taken for a backslash and a code.
      pos += 2;
      continue;
    }
    segments.push_back({text.substr(start, pos - start), code, pos});
    pos += code->length;
    start = pos;
  }
  segments.push_back({text.substr(start), std::nullopt, text.size()});
  return segments;
}

std::wstring UnescapeLabelText(std::wstring_view raw) {
  std::wstring out;
  out.reserve(raw.size());
  for (size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] != L'\\') {
      out.push_back(raw[i]);
      continue;
    }
    if (i + 1 < raw.size()) out.push_back(raw[++i]);
  }
  return out;
}

std::wstring StripLabelCodes(std::wstring_view text) {
  std::wstring out;
  for (const LabelSegment& segment : SplitLabel(text)) {
    out += UnescapeLabelText(segment.raw);
    if (segment.code && segment.code->kind == LabelCodeKind::LineBreak) out.push_back(L'\n');
  }
  return out;
}

std::wstring RemoveLabelLinkCodes(std::wstring_view text) {
  std::wstring out;
  for (const LabelSegment& segment : SplitLabel(text)) {
    out.append(segment.raw);
    if (!segment.code) break;
    const LabelCodeKind kind = segment.code->kind;
    if (kind != LabelCodeKind::LinkStart && kind != LabelCodeKind::LinkEnd)
      out.append(text.substr(segment.code_pos, segment.code->length));
  }
  return out;
}

bool LabelHasLineBreak(std::wstring_view text) {
  for (const LabelSegment& segment : SplitLabel(text))
    if (segment.code && segment.code->kind == LabelCodeKind::LineBreak) return true;
  return false;
}

LabelFontState ApplyLabelFontCode(const LabelFontState& current,
                                  const LabelFontState& initial,
                                  LabelCodeKind kind) {
  LabelFontState next = current;
  switch (kind) {
    case LabelCodeKind::Bold:
      next.weight = current.weight != LABEL_WEIGHT_BOLD ? LABEL_WEIGHT_BOLD : LABEL_WEIGHT_NORMAL;
      break;
    case LabelCodeKind::Italic: next.italic = !current.italic; break;
    case LabelCodeKind::Underline: next.underline = !current.underline; break;
    case LabelCodeKind::StrikeOut: next.strike_out = !current.strike_out; break;
    case LabelCodeKind::Normal: next = initial; break;
    case LabelCodeKind::Colour:
    case LabelCodeKind::LineBreak:
    case LabelCodeKind::LinkStart:
    case LabelCodeKind::LinkEnd: break;
  }
  return next;
}

}  // namespace lumora
