#include "toolkit/style/skin_declarations.h"

#include <charconv>
#include <cmath>

#include "toolkit/style/colour.h"

namespace lumora {

namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

// Calls `piece` for every ";"-separated declaration with its name and text.
template <typename Piece>
void ForEachDeclaration(std::u16string_view value, Piece piece) {
  while (!value.empty()) {
    const size_t end = value.find(u';');
    const std::u16string_view declaration = value.substr(0, end);
    value = end == std::u16string_view::npos ? std::u16string_view() : value.substr(end + 1);
    if (SkinTrim(declaration).empty()) continue;
    const size_t colon = declaration.find(u':');
    const std::u16string_view name = SkinTrim(declaration.substr(0, colon));
    std::u16string_view text =
        colon == std::u16string_view::npos ? std::u16string_view() : SkinTrim(declaration.substr(colon + 1));
    if (text.empty()) text = u"true";
    piece(name, text);
  }
}

bool ReadFloat(std::u16string_view text, float* out) {
  const std::string ascii = SkinAscii(SkinTrim(text));
  if (ascii.empty()) return false;
  const char* first = ascii.data();
  if (*first == '+') ++first;
  const auto [end, error] = std::from_chars(first, ascii.data() + ascii.size(), *out);
  return error == std::errc() && end == ascii.data() + ascii.size() && std::isfinite(*out);
}

std::u16string_view Unquote(std::u16string_view text) {
  if (text.size() >= 2 && (text.front() == u'"' || text.front() == u'\'') && text.back() == text.front())
    return SkinTrim(text.substr(1, text.size() - 2));
  return text;
}

}  // namespace

std::u16string SkinLower(std::u16string_view text) {
  std::u16string lower(text);
  for (char16_t& c : lower) {
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) c = static_cast<char16_t>(c + 32);
  }
  return lower;
}

std::u16string_view SkinTrim(std::u16string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string SkinAscii(std::u16string_view text) {
  std::string ascii;
  ascii.reserve(text.size());
  for (char16_t c : text) ascii.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  return ascii;
}

std::optional<std::u16string> FindDeclaration(std::u16string_view value, std::u16string_view name) {
  const std::u16string wanted = SkinLower(SkinTrim(name));
  std::optional<std::u16string> found;
  ForEachDeclaration(value, [&](std::u16string_view declared, std::u16string_view text) {
    if (SkinLower(declared) == wanted) found = std::u16string(text);
  });
  return found;
}

std::u16string_view BareValue(std::u16string_view value) {
  value = SkinTrim(value);
  while (!value.empty() && value.back() == u';') value = SkinTrim(value.substr(0, value.size() - 1));
  return value;
}

std::vector<std::u16string_view> SplitSkinFields(std::u16string_view text) {
  std::vector<std::u16string_view> fields;
  if (SkinTrim(text).empty()) return fields;
  char16_t quote = 0;
  int depth = 0;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == u'"' || c == u'\'') {
      quote = c;
    } else if (c == u'(' || c == u'{') {
      ++depth;
    } else if ((c == u')' || c == u'}') && depth > 0) {
      --depth;
    } else if (c == u',' && depth == 0) {
      fields.push_back(SkinTrim(text.substr(start, i - start)));
      start = i + 1;
    }
  }
  fields.push_back(SkinTrim(text.substr(start)));
  return fields;
}

std::optional<SkinFont> ParseSkinFont(std::u16string_view text) {
  const std::vector<std::u16string_view> fields = SplitSkinFields(text);
  if (fields.empty() || Unquote(fields[0]).empty()) return std::nullopt;
  SkinFont font;
  font.face = std::u16string(Unquote(fields[0]));
  if (fields.size() > 1) font.size = ReadIntegerField(SkinAscii(fields[1]));
  for (size_t i = 2; i < fields.size(); ++i) {
    const std::u16string word = SkinLower(fields[i]);
    if (word == u"bold") font.bold = true;
    else if (word == u"italic") font.italic = true;
    else if (word == u"underline" || word == u"underlined") font.underline = true;
    else if (word == u"strikeout" || word == u"strikethrough" || word == u"strike" || word == u"striked")
      font.strikeout = true;
  }
  return font;
}

std::optional<int32_t> OpaqueArgbOfColourText(std::u16string_view text) {
  const int32_t colour = ParseColour(text);
  if (colour == kNoColour) return std::nullopt;
  const uint32_t bits = static_cast<uint32_t>(colour);
  // rgba() already gives ARGB; every other form gives a COLORREF.
  const uint32_t rgb = (bits >> 24) != 0 ? (bits & 0xFFFFFF) : static_cast<uint32_t>(SwapRedBlue(colour));
  return static_cast<int32_t>(0xFF000000u | rgb);
}

std::optional<SkinGradient> ParseSkinGradient(std::u16string_view text) {
  const std::vector<std::u16string_view> fields = SplitSkinFields(text);
  SkinGradient gradient;
  size_t first = 0;
  if (!fields.empty()) {
    const std::u16string kind = SkinLower(fields[0]);
    if (kind == u"vertical") gradient.kind = 1;
    else if (kind == u"rectangle") gradient.kind = 2;
    else if (kind == u"ellipse") gradient.kind = 3;
    if (gradient.kind != 0) first = 1;
  }
  if (fields.size() < first + 2) return std::nullopt;
  const auto colour1 = OpaqueArgbOfColourText(fields[first]);
  const auto colour2 = OpaqueArgbOfColourText(fields[first + 1]);
  if (!colour1 || !colour2) return std::nullopt;
  gradient.colour1 = *colour1;
  gradient.colour2 = *colour2;
  for (size_t i = first + 2; i + 1 < fields.size(); i += 2) {
    float position = 0;
    const auto colour = OpaqueArgbOfColourText(fields[i + 1]);
    if (ReadFloat(fields[i], &position) && colour) gradient.stops.push_back({position, *colour});
  }
  return gradient;
}

}  // namespace lumora
