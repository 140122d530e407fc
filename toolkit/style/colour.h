// Colour values of the toolkit and their text form.
//
// Two encodings travel as signed 32-bit integers: COLORREF 0x00BBGGRR (what
// GDI takes) and ARGB 0xAARRGGBB (what GDI+ takes). -1 means "no colour".
#pragma once
#include <cstdint>
#include <string_view>

namespace lumora {

constexpr int32_t kNoColour = -1;

// alpha<<24 | red<<16 | green<<8 | blue, each argument shifted as given
// (not masked), sign-extended from 32 bits: opaque colours are negative.
constexpr int32_t MakeARGB(int32_t alpha, int32_t red, int32_t green, int32_t blue) {
  return static_cast<int32_t>(static_cast<uint32_t>(alpha) << 24 | static_cast<uint32_t>(red) << 16 |
                              static_cast<uint32_t>(green) << 8 | static_cast<uint32_t>(blue));
}

// The Windows RGB macro: red in the low byte.
constexpr int32_t MakeCOLORREF(int32_t red, int32_t green, int32_t blue) {
  return static_cast<int32_t>((static_cast<uint32_t>(red) & 0xFF) | (static_cast<uint32_t>(green) & 0xFF) << 8 |
                              (static_cast<uint32_t>(blue) & 0xFF) << 16);
}

// Exchanges the bytes in bits 0-7 and 16-23 and clears the top byte: turns
// ARGB (or 0xRRGGBB) into the COLORREF of the same colour, and back.
constexpr int32_t SwapRedBlue(int32_t colour) {
  const uint32_t c = static_cast<uint32_t>(colour);
  return static_cast<int32_t>(((c >> 16) & 0xFF) | (c & 0xFF00) | (c & 0xFF) << 16);
}

// Reads a colour text: "rgba(r,g,b,a)" (ARGB), "rgb(r,g,b)", "#RRGGBB",
// a CSS3 colour name, a COLOR_* system colour name (all COLORREF), or
// "getuicolour(style, key, mode)". Case does not matter. -1 when the text
// is none of these.
int32_t ParseColour(std::string_view text) noexcept;
// UTF-16 text; characters outside ASCII never belong to a colour word.
int32_t ParseColour(std::u16string_view text) noexcept;
#ifdef _WIN32
inline int32_t ParseColour(std::wstring_view text) noexcept {
  return ParseColour(std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size()));
}
#endif

// A colour text as GDI takes it: COLORREF, whatever form the text has (an
// rgba() colour loses its alpha, which GDI cannot draw). -1 when the text is
// no colour.
int32_t ColourRefOfColourText(std::u16string_view text) noexcept;
#ifdef _WIN32
inline int32_t ColourRefOfColourText(std::wstring_view text) noexcept {
  return ColourRefOfColourText(std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size()));
}
#endif

// One integer field of a colour text: leading spaces and tabs skipped, an
// optional sign, then decimal digits, or hexadecimal digits after "$", or
// binary digits after "%". Stops at the first other character; no digits
// give 0. Values beyond 32 bits wrap.
int32_t ReadIntegerField(std::string_view field);

// The alpha field of the rgba form: with a "." it is a fraction of 255,
// rounded to the nearest integer; otherwise an integer field. 0 becomes 1.
int32_t ReadAlphaField(std::string_view field);

}  // namespace lumora
