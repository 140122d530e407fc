#include "toolkit/style/ui_colour_table.h"

#include <array>
#include <cstddef>

#include "toolkit/style/colour.h"
#include "toolkit/style/colour_mode.h"
#include "toolkit/style/colour_services.h"
#include "toolkit/style/ui_style.h"

namespace lumora {
namespace {

constexpr std::array<std::string_view, kUIColourNamedKeys> kKeyNames{{
    "menutitletextcolor",
    "menutitlehottextcolor",
    "menutitleheldtextcolor",
    "menutitleinactivetextcolor",
    "menutextcolor",
    "menuhotcolor",
    "menuhotgradientcolor1",
    "menuhotgradientcolor2",
    "menuhotborder",
    "menuheldcolor",
    "menuheldgradientcolor1",
    "menuheldgradientcolor2",
    "menuheldborder",
    "menubarcolor",
    "menucheckboxbackground",
    "menucheckboxborder",
    "menucheckboxselectedbackground",
    "menucheckboxselectedborder",
    "menucheckboxdisabledbackground",
    "menucheckboxdisabledborder",
    "menudropshadow",
    "bargradientcolor1",
    "bargradientcolor2",
    "bargradientcolor3",
    "bargradientcolor4",
    "separatorbar",
    "selectedcolor",
    "selectedtextcolor",
    "selectedborder",
    "disabledcolor",
    "background",
    "rebarbackground1",
    "rebarbackground2",
    "toolstripbackground1",
    "toolstripbackground2",
    "toolstripbackground3",
    "toolstripbackground4",
    "toolstripdropdowngradient1",
    "toolstripdropdowngradient2",
    "toolstripdropdowngradient3",
    "toolstripdropdowngradient4",
    "toolstripshadow",
    "grippersolid",
    "grippershadow",
    "selectgradientcolor1",
    "selectgradientcolor2",
    "stickyselectgradientcolor1",
    "stickyselectgradientcolor2",
    "stickyselectbordercolor",
    "toolbarbuttontextcolor",
    "toolbarbuttonhottextcolor",
    "toolbarbuttondisabledtextcolor",
    "toolbarhotgradientcolor1",
    "toolbarhotgradientcolor2",
    "toolbarseparator",
    "toolbarseparatorshadow",
}};

// Keys whose entries are COLORREFs that GetUIColour hands out as stored.
constexpr bool HandedOutAsStored(int32_t key) {
  switch (key) {
    case 5: case 8: case 9: case 12: case 13: case 14: case 15: case 16: case 17: case 18: case 19:
    case 25: case 26: case 28: case 30: case 42: case 43: case 49: case 50: case 51: case 54: case 55:
      return true;
    default:
      return false;
  }
}

// Text colours are kept as COLORREF like the keys above, although GetUIColour
// rebuilds them as if they were ARGB (so it hands them out with red and blue
// exchanged). Gradient, shadow and border entries are ARGB for GDI+.
constexpr bool StoredAsColorref(int32_t key) {
  switch (key) {
    case UICOLOUR_MENUTITLETEXTCOLOR:
    case UICOLOUR_MENUTITLEHOTTEXTCOLOR:
    case UICOLOUR_MENUTITLEHELDTEXTCOLOR:
    case UICOLOUR_MENUTITLEINACTIVETEXTCOLOR:
    case UICOLOUR_MENUTEXTCOLOR:
    case UICOLOUR_SELECTEDTEXTCOLOR:
      return true;
    default:
      return HandedOutAsStored(key);
  }
}

struct Rgba {
  int32_t red, green, blue, alpha = 255;
};

// One listed key: its colour in the blue, olive, silver and grey columns.
struct Row {
  int32_t key;
  Rgba columns[4];
};

using Table = std::array<std::array<int32_t, kUIColourColumns>, kUIColourKeyCount>;

constexpr Row kWhidbeyRows[] = {
    {0, {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
    {1, {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
    {2, {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
    {3, {{172, 168, 153}, {172, 168, 153}, {172, 168, 153}, {128, 128, 128}}},
    {4, {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
    {5, {{193, 210, 238}, {206, 210, 197}, {232, 232, 236}, {182, 190, 211}}},
    {8, {{49, 106, 197}, {147, 160, 112}, {178, 180, 191}, {10, 36, 106}}},
    {9, {{239, 237, 222}, {239, 237, 222}, {229, 228, 231}, {220, 216, 210}}},
    {12, {{113, 111, 100}, {113, 111, 100}, {113, 111, 100}, {103, 103, 103}}},
    {13, {{239, 237, 222}, {239, 237, 222}, {229, 228, 231}, {220, 216, 210}}},
    {14, {{227, 231, 233}, {237, 236, 225}, {235, 234, 237}, {213, 214, 218}}},
    {15, {{49, 106, 197}, {147, 160, 112}, {178, 180, 191}, {10, 36, 106}}},
    {16, {{153, 181, 227}, {202, 208, 184}, {212, 212, 218}, {133, 146, 181}}},
    {17, {{49, 106, 197}, {140, 153, 107}, {153, 155, 164}, {10, 36, 106}}},
    {18, {{246, 245, 238}, {246, 245, 238}, {241, 241, 242}, {236, 234, 231}}},
    {19, {{172, 168, 153}, {172, 168, 153}, {157, 157, 161}, {128, 128, 128}}},
    {20, {{0, 0, 0, 50}, {0, 0, 0, 50}, {0, 0, 0, 50}, {0, 0, 0, 50}}},
    {25, {{198, 197, 186}, {198, 197, 186}, {189, 186, 196}, {167, 167, 167}}},
    {26, {{193, 210, 238}, {206, 210, 197}, {232, 232, 236}, {182, 190, 211}}},
    {27, {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
    {28, {{49, 106, 197}, {147, 160, 112}, {178, 180, 191}, {10, 36, 106}}},
    {29, {{197, 195, 184}, {197, 195, 184}, {197, 195, 184}, {167, 167, 167}}},
    {30, {{253, 252, 250}, {253, 252, 250}, {251, 251, 251}, {249, 249, 248}}},
};

constexpr Row kOffice2003Rows[] = {
    {0, {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
    {1, {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
    {2, {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
    {3, {{0, 0, 128}, {63, 93, 56}, {75, 75, 111}, {10, 36, 106}}},
    {4, {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
    {6, {{255, 244, 204}, {255, 244, 204}, {255, 244, 204}, {182, 189, 210}}},
    {7, {{255, 214, 154}, {255, 214, 154}, {255, 214, 154}, {182, 189, 210}}},
    {8, {{0, 0, 128}, {63, 93, 56}, {75, 75, 111}, {10, 36, 106}}},
    {10, {{227, 239, 255}, {236, 240, 213}, {232, 233, 241}, {249, 247, 246}}},
    {11, {{147, 181, 231}, {194, 206, 159}, {186, 185, 205}, {237, 235, 232}}},
    {12, {{0, 45, 150}, {117, 141, 94}, {124, 124, 148}, {102, 102, 102}}},
    {14, {{255, 192, 111}, {255, 192, 111}, {255, 192, 111}, {212, 213, 216}}},
    {15, {{0, 0, 128}, {63, 93, 56}, {75, 75, 111}, {10, 36, 106}}},
    {16, {{254, 128, 62}, {254, 128, 62}, {254, 128, 62}, {133, 146, 181}}},
    {17, {{0, 0, 128}, {63, 93, 56}, {75, 75, 111}, {10, 36, 106}}},
    {19, {{101, 130, 171}, {138, 149, 109}, {118, 118, 139}, {159, 156, 150}}},
    {20, {{106, 140, 203, 87}, {96, 128, 88, 63}, {110, 109, 143, 63}, {102, 102, 102, 125}}},
    {21, {{227, 239, 255}, {255, 255, 237}, {249, 249, 255}, {249, 248, 247}}},
    {22, {{202, 224, 251}, {205, 219, 166}, {224, 225, 236}, {233, 231, 228}}},
    {23, {{203, 225, 252}, {206, 220, 167}, {225, 226, 236}, {234, 232, 228}}},
    {24, {{135, 173, 228}, {184, 199, 146}, {159, 157, 185}, {215, 211, 204}}},
    {25, {{106, 140, 203}, {96, 128, 88}, {110, 109, 143}, {166, 166, 166}}},
    {26, {{255, 238, 194}, {255, 238, 194}, {255, 238, 194}, {182, 189, 210}}},
    {27, {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
    {28, {{0, 0, 128}, {63, 93, 56}, {75, 75, 111}, {10, 36, 106}}},
    {29, {{141, 141, 141}, {141, 141, 141}, {141, 141, 141}, {166, 166, 166}}},
    {30, {{246, 246, 246}, {244, 244, 238}, {253, 250, 255}, {249, 248, 247}}},
    {31, {{158, 190, 245}, {217, 217, 167}, {215, 215, 229}, {212, 208, 200}}},
    {32, {{195, 218, 249}, {242, 240, 228}, {243, 243, 247}, {245, 245, 244}}},
    {33, {{221, 236, 254}, {244, 247, 222}, {243, 244, 250}, {245, 244, 242}}},
    {34, {{202, 225, 252}, {206, 220, 167}, {225, 226, 236}, {234, 232, 228}}},
    {35, {{196, 219, 249}, {206, 220, 167}, {218, 219, 231}, {232, 230, 225}}},
    {36, {{129, 169, 226}, {183, 198, 145}, {153, 151, 181}, {213, 210, 202}}},
    {37, {{117, 166, 241}, {176, 194, 140}, {179, 178, 200}, {160, 160, 160}}},
    {38, {{82, 127, 208}, {141, 160, 107}, {155, 155, 180}, {141, 141, 141}}},
    {39, {{75, 120, 202}, {137, 156, 107}, {152, 151, 177}, {139, 139, 139}}},
    {40, {{0, 53, 145}, {96, 119, 107}, {118, 116, 146}, {128, 128, 128}}},
    {41, {{59, 97, 156}, {96, 128, 88}, {124, 124, 148}, {219, 216, 209}}},
    {42, {{39, 65, 118}, {81, 94, 51}, {84, 84, 117}, {160, 160, 160}}},
    {43, {{255, 255, 255}, {255, 255, 255}, {255, 255, 255}, {255, 255, 255}}},
    {44, {{254, 145, 78}, {254, 145, 78}, {254, 145, 78}, {133, 146, 181}}},
    {45, {{255, 211, 142}, {255, 211, 142}, {255, 211, 142}, {133, 146, 181}}},
    {46, {{255, 213, 140}, {255, 213, 140}, {255, 213, 140}, {212, 213, 216}}},
    {47, {{255, 173, 85}, {255, 173, 85}, {255, 173, 85}, {212, 213, 216}}},
    {48, {{0, 0, 128}, {63, 93, 56}, {75, 75, 111}, {10, 36, 106}}},
    {49, {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
    {50, {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
    {51, {{141, 141, 141}, {141, 141, 141}, {141, 141, 141}, {166, 166, 166}}},
    {52, {{255, 244, 204}, {255, 244, 204}, {255, 244, 204}, {182, 189, 210}}},
    {53, {{255, 214, 154}, {255, 214, 154}, {255, 214, 154}, {182, 189, 210}}},
    {54, {{106, 140, 203}, {96, 128, 88}, {110, 109, 143}, {166, 166, 166}}},
    {55, {{255, 255, 255}, {255, 255, 255}, {255, 255, 255}, {255, 255, 255}}},
};

constexpr Row kOffice2007Rows[] = {
    {0, {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {255, 255, 255}}},
    {1, {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
    {2, {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
    {3, {{75, 75, 111}, {75, 75, 111}, {75, 75, 111}, {240, 240, 240}}},
    {4, {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
    {6, {{255, 245, 204}, {255, 245, 204}, {255, 245, 204}, {255, 245, 204}}},
    {7, {{255, 220, 122}, {255, 220, 122}, {255, 220, 122}, {255, 220, 122}}},
    {8, {{255, 189, 105}, {255, 189, 105}, {255, 189, 105}, {255, 189, 105}}},
    {10, {{227, 239, 254}, {227, 239, 254}, {232, 233, 241}, {145, 153, 164}}},
    {11, {{144, 185, 238}, {144, 185, 238}, {180, 179, 200}, {103, 112, 124}}},
    {12, {{101, 147, 207}, {101, 147, 207}, {124, 124, 148}, {145, 153, 164}}},
    {14, {{255, 189, 105}, {255, 189, 105}, {255, 192, 111}, {255, 189, 105}}},
    {15, {{255, 171, 63}, {255, 171, 63}, {255, 171, 63}, {255, 171, 63}}},
    {16, {{255, 171, 63}, {255, 171, 63}, {254, 128, 62}, {255, 171, 63}}},
    {17, {{251, 140, 60}, {251, 140, 60}, {251, 140, 60}, {251, 140, 60}}},
    {19, {{141, 141, 141}, {141, 141, 141}, {141, 141, 141}, {141, 141, 141}}},
    {20, {{0, 0, 0, 155}, {0, 0, 0, 155}, {115, 108, 140, 120}, {0, 0, 0, 155}}},
    {21, {{233, 238, 238}, {233, 238, 238}, {239, 239, 239}, {239, 239, 239}}},
    {22, {{233, 238, 238}, {233, 238, 238}, {239, 239, 239}, {239, 239, 239}}},
    {23, {{233, 238, 238}, {233, 238, 238}, {239, 239, 239}, {239, 239, 239}}},
    {24, {{233, 238, 238}, {233, 238, 238}, {239, 239, 239}, {239, 239, 239}}},
    {25, {{154, 198, 255}, {154, 198, 255}, {110, 109, 143}, {145, 153, 164}}},
    {26, {{255, 231, 162}, {255, 231, 162}, {255, 238, 194}, {255, 231, 162}}},
    {27, {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
    {28, {{255, 189, 105}, {255, 189, 105}, {255, 189, 105}, {255, 189, 105}}},
    {29, {{141, 141, 141}, {141, 141, 141}, {141, 141, 141}, {141, 141, 141}}},
    {30, {{246, 246, 246}, {246, 246, 246}, {253, 250, 255}, {246, 246, 246}}},
    {31, {{191, 219, 255}, {191, 219, 255}, {215, 215, 229}, {83, 83, 83}}},
    {32, {{191, 219, 255}, {191, 219, 255}, {243, 243, 247}, {83, 83, 83}}},
    {33, {{227, 239, 255}, {227, 239, 255}, {243, 244, 250}, {205, 208, 213}}},
    {34, {{227, 239, 255}, {227, 239, 255}, {225, 226, 236}, {187, 192, 198}}},
    {35, {{222, 236, 255}, {222, 236, 255}, {218, 219, 231}, {183, 188, 196}}},
    {36, {{177, 211, 255}, {177, 211, 255}, {153, 151, 181}, {148, 156, 166}}},
    {37, {{179, 178, 200}, {179, 178, 200}, {179, 178, 200}, {179, 178, 200}}},
    {38, {{155, 155, 180}, {155, 155, 180}, {155, 155, 180}, {155, 155, 180}}},
    {39, {{152, 151, 177}, {152, 151, 177}, {152, 151, 177}, {152, 151, 177}}},
    {40, {{118, 116, 146}, {118, 116, 146}, {118, 116, 146}, {118, 116, 146}}},
    {41, {{111, 157, 217}, {111, 157, 217}, {124, 124, 148}, {76, 83, 92}}},
    {42, {{111, 157, 217}, {111, 157, 217}, {84, 84, 117}, {55, 60, 67}}},
    {43, {{255, 255, 255}, {255, 255, 255}, {255, 255, 255}, {255, 255, 255}}},
    {44, {{252, 151, 61}, {252, 151, 61}, {252, 151, 61}, {252, 151, 61}}},
    {45, {{255, 184, 94}, {255, 184, 94}, {255, 184, 94}, {255, 184, 94}}},
    {46, {{255, 207, 146}, {255, 207, 146}, {255, 207, 146}, {255, 207, 146}}},
    {47, {{255, 175, 73}, {255, 175, 73}, {255, 175, 73}, {255, 175, 73}}},
    {48, {{255, 171, 63}, {255, 171, 63}, {255, 171, 63}, {255, 171, 63}}},
    {49, {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
    {50, {{0, 0, 0}, {0, 0, 0}, {255, 0, 0}, {0, 0, 0}}},
    {51, {{141, 141, 141}, {141, 141, 141}, {141, 141, 141}, {141, 141, 141}}},
    {52, {{255, 245, 204}, {255, 245, 204}, {255, 245, 204}, {255, 245, 204}}},
    {53, {{255, 219, 117}, {255, 219, 117}, {255, 219, 117}, {255, 219, 117}}},
    {54, {{154, 198, 255}, {154, 198, 255}, {110, 109, 143}, {145, 153, 164}}},
    {55, {{255, 255, 255}, {255, 255, 255}, {255, 255, 255}, {221, 224, 227}}},
};

template <std::size_t N>
constexpr Table BuildTable(const Row (&rows)[N], bool olive_is_blue) {
  Table table{};
  for (const Row& row : rows) {
    for (std::size_t column = 0; column < 4; ++column) {
      const Rgba& c = row.columns[column];
      table[static_cast<std::size_t>(row.key)][column] = StoredAsColorref(row.key)
                                                              ? MakeCOLORREF(c.red, c.green, c.blue)
                                                              : MakeARGB(c.alpha, c.red, c.green, c.blue);
    }
  }
  for (auto& entry : table) {
    if (olive_is_blue) entry[kColumnOlive] = entry[kColumnBlue];
    // The custom columns start as the four default ones.
    for (std::size_t column = 0; column < 4; ++column) entry[kFirstCustomColumn + column] = entry[column];
  }
  return table;
}

constexpr Table kWhidbeyTable = BuildTable(kWhidbeyRows, false);
constexpr Table kOffice2003Table = BuildTable(kOffice2003Rows, false);
constexpr Table kOffice2007Table = BuildTable(kOffice2007Rows, true);

// The table of a style code; the menus' alias 6 only where the caller allows it.
const Table* TableOf(int32_t style, bool allow_menu_alias) {
  switch (style) {
    case UISTYLE_WHIDBEY: return &kWhidbeyTable;
    case UISTYLE_OFFICE2003: return &kOffice2003Table;
    case UISTYLE_OFFICE2007: return &kOffice2007Table;
    case UISTYLE_OFFICE2003_MENU_ALIAS: return allow_menu_alias ? &kOffice2003Table : nullptr;
    default: return nullptr;
  }
}

// Column of an explicit mode 1-4 or 6-9; -1 for the others.
int32_t ColumnOfMode(int32_t mode) {
  if (mode >= UICOLOURMODE_DEFAULT_BLUE && mode <= UICOLOURMODE_DEFAULT_GREY) return mode - UICOLOURMODE_DEFAULT_BLUE;
  if (mode >= UICOLOURMODE_CUSTOM_BLUE && mode <= UICOLOURMODE_CUSTOM_GREY) {
    return kFirstCustomColumn + mode - UICOLOURMODE_CUSTOM_BLUE;
  }
  return -1;
}

int32_t Read(const Table& table, int32_t key, int32_t column) {
  return table[static_cast<std::size_t>(key)][static_cast<std::size_t>(column)];
}

}  // namespace

std::string_view UIColourKeyName(int32_t key) {
  if (key < 0 || key >= kUIColourNamedKeys) return {};
  return kKeyNames[static_cast<std::size_t>(key)];
}

int32_t UIColourKeyFromName(std::string_view name) {
  for (std::size_t key = 0; key < kKeyNames.size(); ++key) {
    if (kKeyNames[key] == name) return static_cast<int32_t>(key);
  }
  return -1;
}

bool UIColourKeyHandedOutAsStored(int32_t key) { return HandedOutAsStored(key); }

int32_t UIStyleFromName(std::string_view name) {
  if (name == "UISTYLE_WHIDBEY") return UISTYLE_WHIDBEY;
  if (name == "UISTYLE_OFFICE2003") return UISTYLE_OFFICE2003;
  if (name == "UISTYLE_OFFICE2007") return UISTYLE_OFFICE2007;
  return 0;
}

int32_t UIColourTableEntry(int32_t style, int32_t key, int32_t column) {
  const Table* table = TableOf(style, true);
  if (!table || key < 0 || key >= kUIColourKeyCount || column < 0 || column >= kUIColourColumns) return 0;
  return Read(*table, key, column);
}

int32_t GetUIColour(int32_t style, int32_t key, int32_t mode) {
  if (key < 0 || key >= kUIColourNamedKeys) return 0;
  const Table* table = TableOf(style, false);
  if (!table) return 0;
  int32_t value = 0;
  if (style == UISTYLE_WHIDBEY) {
    // The automatic mode reads the custom column of the detected colour.
    if (mode == UICOLOURMODE_DEFAULT) mode = static_cast<int32_t>(LookupUIColour(UISTYLE_OFFICE2003, -1, 0));
    const int32_t column = ColumnOfMode(mode);
    if (column < 0) return 0;
    value = Read(*table, key, column);
  } else {
    const int32_t column = ColumnOfMode(mode);
    value = column >= 0 ? Read(*table, key, column) : static_cast<int32_t>(LookupUIColour(style, key, UICOLOUR_FORM_RAW));
  }
  return HandedOutAsStored(key) ? value : SwapRedBlue(value);
}

intptr_t LookupUIColour(int32_t style, int32_t key, int32_t form) {
  const int32_t column = EffectiveColourColumn();
  if (key == -1) return UICOLOURMODE_CUSTOM_BLUE + column % kFirstCustomColumn;
  if (style == UISTYLE_WHIDBEY) return 0;
  const Table* table = TableOf(style, true);
  // Keys outside the table read nothing rather than beyond it.
  if (!table || key < 0 || key >= kUIColourKeyCount) return 0;
  int32_t value = Read(*table, key, column);
  if (form == UICOLOUR_FORM_RAW) return value;
  if ((static_cast<uint32_t>(value) >> 24) != 0) value = SwapRedBlue(value);
  if (form == UICOLOUR_FORM_COLORREF) return value;
  if (form == UICOLOUR_FORM_BRUSH) return ServiceSolidBrush(key, value);
  return 0;
}

}  // namespace lumora
