// Interface styles and colour modes shared by every skinned element.
#pragma once
#include <cstdint>

namespace lumora {

// Style codes double as creation-flag bits of menus and bars.
constexpr int32_t UISTYLE_WHIDBEY = 5;
constexpr int32_t UISTYLE_OFFICE2003 = 0x1000000;
constexpr int32_t UISTYLE_OFFICE2007 = 0x2000000;
// Menus keep the 2003 style under this small code.
constexpr int32_t UISTYLE_OFFICE2003_MENU_ALIAS = 6;

constexpr int32_t UICOLOURMODE_DEFAULT = 0;
constexpr int32_t UICOLOURMODE_DEFAULT_BLUE = 1;
constexpr int32_t UICOLOURMODE_DEFAULT_OLIVE = 2;
constexpr int32_t UICOLOURMODE_DEFAULT_SILVER = 3;
constexpr int32_t UICOLOURMODE_DEFAULT_GREY = 4;
constexpr int32_t UICOLOURMODE_CUSTOM = 5;
constexpr int32_t UICOLOURMODE_CUSTOM_BLUE = 6;
constexpr int32_t UICOLOURMODE_CUSTOM_OLIVE = 7;
constexpr int32_t UICOLOURMODE_CUSTOM_SILVER = 8;
constexpr int32_t UICOLOURMODE_CUSTOM_GREY = 9;

}  // namespace lumora
