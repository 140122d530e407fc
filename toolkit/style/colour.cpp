#include "toolkit/style/colour.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "platform/error_log.h"
#include "toolkit/style/colour_mode.h"
#include "toolkit/style/colour_services.h"
#include "toolkit/style/named_colours.h"
#include "toolkit/style/ui_colour_table.h"

namespace lumora {
namespace {

bool IsSpaceOrTab(char c) { return c == ' ' || c == '\t'; }
bool IsDecimal(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string AsciiLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

std::string AsciiUpper(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

void RemoveAll(std::string& text, std::string_view what) {
  std::string::size_type at = 0;
  while ((at = text.find(what, at)) != std::string::npos) text.erase(at, what.size());
}

std::string_view TrimSpaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// Field number n (from 1) of a comma-separated list; empty when missing.
std::string_view Field(std::string_view list, int n) {
  for (int i = 1; i < n; ++i) {
    const auto comma = list.find(',');
    if (comma == std::string_view::npos) return {};
    list.remove_prefix(comma + 1);
  }
  return list.substr(0, list.find(','));
}

// The functional forms need a "(" that comes before the first ")".
bool OpensBeforeCloses(std::string_view text) {
  const auto open = text.find('(');
  const auto close = text.find(')');
  return open != std::string_view::npos && close != std::string_view::npos && open < close;
}

// Removes the pieces that the functional forms ignore, in the order given.
std::string StripForm(std::string_view text, std::initializer_list<std::string_view> pieces) {
  std::string out(text);
  for (std::string_view piece : pieces) RemoveAll(out, piece);
  return out;
}

int32_t ParseRgba(std::string_view lower) {
  const std::string fields = StripForm(lower, {" ", "rgba", "(", ")", ";"});
  return MakeARGB(ReadAlphaField(Field(fields, 4)), ReadIntegerField(Field(fields, 1)),
                  ReadIntegerField(Field(fields, 2)), ReadIntegerField(Field(fields, 3)));
}

int32_t ParseRgb(std::string_view lower) {
  const std::string fields = StripForm(lower, {" ", "rgb", "(", ")", ";"});
  const uint32_t red = static_cast<uint32_t>(ReadIntegerField(Field(fields, 1)));
  const uint32_t green = static_cast<uint32_t>(ReadIntegerField(Field(fields, 2)));
  const uint32_t blue = static_cast<uint32_t>(ReadIntegerField(Field(fields, 3)));
  return static_cast<int32_t>(red | green << 8 | blue << 16);
}

int32_t ParseGetUIColour(std::string_view lower) {
  const std::string fields = StripForm(lower, {" ", "#", "getuicolour", "(", ")", ";"});
  const int32_t style = UIStyleFromName(AsciiUpper(Field(fields, 1)));
  const int32_t key = UIColourKeyFromName(Field(fields, 2));
  const int32_t mode = ColourModeFromName(AsciiUpper(Field(fields, 3)));
  return GetUIColour(style, key < 0 ? 0 : key, mode < 0 ? 0 : mode);
}

int32_t ParseName(std::string_view lower) {
  std::string name(TrimSpaces(lower));
  RemoveAll(name, ";");
  // Spaces before a ";" would otherwise survive the trim above.
  const std::string_view trimmed = TrimSpaces(name);
  const int32_t index = SystemColourIndex(trimmed);
  if (index >= 0) return ServiceSysColour(index);
  const int32_t rgb = LookupNamedColour(trimmed);
  return rgb < 0 ? kNoColour : SwapRedBlue(rgb);
}

int32_t ParseHex(std::string_view lower) {
  const auto hash = lower.find('#');
  uint32_t value = 0;
  int digits = 0;
  for (std::size_t i = hash + 1; i < lower.size() && digits < 7; ++i) {
    const char c = lower[i];
    if (!IsDecimal(c) && !(c >= 'a' && c <= 'f')) break;
    value = value << 4 | static_cast<uint32_t>(HexValue(c));
    ++digits;
  }
  return digits == 6 ? SwapRedBlue(static_cast<int32_t>(value)) : kNoColour;
}

int32_t ParseLower(std::string_view lower) {
  if (lower.find("rgba") != std::string_view::npos && OpensBeforeCloses(lower)) return ParseRgba(lower);
  if (lower.find("rgb") != std::string_view::npos && OpensBeforeCloses(lower)) return ParseRgb(lower);
  if (lower.find("getuicolour") != std::string_view::npos && OpensBeforeCloses(lower)) {
    return ParseGetUIColour(lower);
  }
  if (lower.find('#') == std::string_view::npos) return ParseName(lower);
  return ParseHex(lower);
}

}  // namespace

int32_t ReadIntegerField(std::string_view field) {
  std::size_t i = 0;
  while (i < field.size() && IsSpaceOrTab(field[i])) ++i;
  bool negative = false;
  if (i < field.size() && (field[i] == '+' || field[i] == '-')) negative = field[i++] == '-';
  // Unsigned arithmetic: long digit runs wrap instead of overflowing.
  uint32_t value = 0;
  if (i < field.size() && field[i] == '$') {
    for (++i; i < field.size() && HexValue(field[i]) >= 0; ++i) value = value * 16 + static_cast<uint32_t>(HexValue(field[i]));
  } else if (i < field.size() && field[i] == '%') {
    for (++i; i < field.size() && (field[i] == '0' || field[i] == '1'); ++i) value = value * 2 + static_cast<uint32_t>(field[i] - '0');
  } else {
    for (; i < field.size() && IsDecimal(field[i]); ++i) value = value * 10 + static_cast<uint32_t>(field[i] - '0');
  }
  if (negative) value = 0u - value;
  return static_cast<int32_t>(value);
}

int32_t ReadAlphaField(std::string_view field) {
  int32_t alpha = 0;
  if (field.find('.') == std::string_view::npos) {
    alpha = ReadIntegerField(field);
  } else {
    std::size_t i = 0;
    while (i < field.size() && IsSpaceOrTab(field[i])) ++i;
    bool negative = false;
    if (i < field.size() && (field[i] == '+' || field[i] == '-')) negative = field[i++] == '-';
    const std::size_t start = i;
    while (i < field.size() && IsDecimal(field[i])) ++i;
    if (i < field.size() && field[i] == '.') {
      ++i;
      while (i < field.size() && IsDecimal(field[i])) ++i;
    }
    double value = 0.0;
    const std::string_view number = field.substr(start, i - start);
    if (number.find_first_of("0123456789") != std::string_view::npos) {
      const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
      if (result.ec == std::errc::result_out_of_range) value = std::numeric_limits<double>::max();
    }
    if (negative) value = -value;
    // Saturate first: a huge fraction must not make the rounding overflow.
    const double scaled = value * 255.0;
    constexpr double kLow = std::numeric_limits<int32_t>::min();
    constexpr double kHigh = std::numeric_limits<int32_t>::max();
    alpha = scaled <= kLow ? std::numeric_limits<int32_t>::min()
            : scaled >= kHigh ? std::numeric_limits<int32_t>::max()
                              : static_cast<int32_t>(std::lround(scaled));
  }
  return alpha == 0 ? 1 : alpha;
}

int32_t ParseColour(std::string_view text) noexcept {
  try {
    return ParseLower(AsciiLower(text));
  } catch (...) {
    // Only allocation can fail here; a colour that cannot be read is none.
    platform::LogCurrentException("ParseColour");
    return kNoColour;
  }
}

int32_t ParseColour(std::u16string_view text) noexcept {
  try {
    std::string narrow(text.size(), '\x7f');
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] < 0x80) narrow[i] = static_cast<char>(text[i]);
    }
    return ParseColour(std::string_view(narrow));
  } catch (...) {
    platform::LogCurrentException("ParseColour");
    return kNoColour;
  }
}

int32_t ColourRefOfColourText(std::u16string_view text) noexcept {
  const int32_t colour = ParseColour(text);
  if (colour == kNoColour) return kNoColour;
  // Only rgba() sets the top byte (its alpha is never 0); every other form
  // is a COLORREF already.
  return (static_cast<uint32_t>(colour) >> 24) != 0 ? SwapRedBlue(colour) : colour;
}

}  // namespace lumora
