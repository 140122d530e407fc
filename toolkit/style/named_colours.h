// Colour names the colour text form understands: the CSS3 names and the
// Windows system colour names.
#pragma once
#include <cstdint>
#include <span>
#include <string_view>

namespace lumora {

struct NamedColour {
  std::string_view name;  // lower case
  int32_t rgb;            // 0xRRGGBB
};

// The 147 names, sorted by name.
std::span<const NamedColour> NamedColours();

// 0xRRGGBB of a colour name, compared without regard to case; -1 when the
// name is unknown.
int32_t LookupNamedColour(std::string_view name);

struct SystemColourName {
  std::string_view name;  // upper case, e.g. "COLOR_BTNFACE"
  int32_t index;          // the COLOR_* value for GetSysColor
};

// The 35 names, several of them aliases of one index.
std::span<const SystemColourName> SystemColourNames();

// COLOR_* index of a system colour name, compared without regard to case;
// -1 when it is none.
int32_t SystemColourIndex(std::string_view name);

}  // namespace lumora
