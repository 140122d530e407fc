// The UI colour tables: for each interface style, 57 keyed colours in eight
// columns (blue, olive, silver, grey, then the same four as custom columns).
#pragma once
#include <cstdint>
#include <string_view>

namespace lumora {

constexpr int32_t kUIColourKeyCount = 57;  // keys 0-56; 56 has no name
constexpr int32_t kUIColourNamedKeys = 56;
constexpr int32_t kUIColourColumns = 8;

// Keys the painting code reads by number.
enum UIColourKey : int32_t {
  UICOLOUR_MENUTITLETEXTCOLOR = 0,
  UICOLOUR_MENUTITLEHOTTEXTCOLOR = 1,
  UICOLOUR_MENUTITLEHELDTEXTCOLOR = 2,
  UICOLOUR_MENUTITLEINACTIVETEXTCOLOR = 3,
  UICOLOUR_MENUTEXTCOLOR = 4,
  UICOLOUR_MENUHOTCOLOR = 5,
  UICOLOUR_MENUHOTGRADIENTCOLOR1 = 6,
  UICOLOUR_MENUHOTGRADIENTCOLOR2 = 7,
  UICOLOUR_MENUHOTBORDER = 8,
  UICOLOUR_MENUHELDCOLOR = 9,
  UICOLOUR_MENUHELDGRADIENTCOLOR1 = 10,
  UICOLOUR_MENUHELDGRADIENTCOLOR2 = 11,
  UICOLOUR_MENUHELDBORDER = 12,
  UICOLOUR_MENUBARCOLOR = 13,
  UICOLOUR_MENUCHECKBOXBACKGROUND = 14,
  UICOLOUR_MENUCHECKBOXBORDER = 15,
  UICOLOUR_MENUCHECKBOXSELECTEDBACKGROUND = 16,
  UICOLOUR_MENUCHECKBOXSELECTEDBORDER = 17,
  UICOLOUR_MENUCHECKBOXDISABLEDBACKGROUND = 18,
  UICOLOUR_MENUCHECKBOXDISABLEDBORDER = 19,
  UICOLOUR_MENUDROPSHADOW = 20,
  UICOLOUR_BARGRADIENTCOLOR1 = 21,
  UICOLOUR_BARGRADIENTCOLOR2 = 22,
  UICOLOUR_BARGRADIENTCOLOR3 = 23,
  UICOLOUR_BARGRADIENTCOLOR4 = 24,
  UICOLOUR_SEPARATORBAR = 25,
  UICOLOUR_SELECTEDCOLOR = 26,
  UICOLOUR_SELECTEDTEXTCOLOR = 27,
  UICOLOUR_SELECTEDBORDER = 28,
  UICOLOUR_DISABLEDCOLOR = 29,
  UICOLOUR_BACKGROUND = 30,
  UICOLOUR_REBARBACKGROUND1 = 31,
  UICOLOUR_REBARBACKGROUND2 = 32,
  UICOLOUR_TOOLSTRIPBACKGROUND1 = 33,
  UICOLOUR_TOOLSTRIPBACKGROUND2 = 34,
  UICOLOUR_TOOLSTRIPBACKGROUND3 = 35,
  UICOLOUR_TOOLSTRIPBACKGROUND4 = 36,
  UICOLOUR_TOOLSTRIPDROPDOWNGRADIENT1 = 37,
  UICOLOUR_TOOLSTRIPDROPDOWNGRADIENT2 = 38,
  UICOLOUR_TOOLSTRIPDROPDOWNGRADIENT3 = 39,
  UICOLOUR_TOOLSTRIPDROPDOWNGRADIENT4 = 40,
  UICOLOUR_TOOLSTRIPSHADOW = 41,
  UICOLOUR_GRIPPERSOLID = 42,
  UICOLOUR_GRIPPERSHADOW = 43,
  UICOLOUR_SELECTGRADIENTCOLOR1 = 44,
  UICOLOUR_SELECTGRADIENTCOLOR2 = 45,
  UICOLOUR_STICKYSELECTGRADIENTCOLOR1 = 46,
  UICOLOUR_STICKYSELECTGRADIENTCOLOR2 = 47,
  UICOLOUR_STICKYSELECTBORDERCOLOR = 48,
  UICOLOUR_TOOLBARBUTTONTEXTCOLOR = 49,
  UICOLOUR_TOOLBARBUTTONHOTTEXTCOLOR = 50,
  UICOLOUR_TOOLBARBUTTONDISABLEDTEXTCOLOR = 51,
  UICOLOUR_TOOLBARHOTGRADIENTCOLOR1 = 52,
  UICOLOUR_TOOLBARHOTGRADIENTCOLOR2 = 53,
  UICOLOUR_TOOLBARSEPARATOR = 54,
  UICOLOUR_TOOLBARSEPARATORSHADOW = 55,
};

// Forms of LookupUIColour.
constexpr int32_t UICOLOUR_FORM_BRUSH = 0;
constexpr int32_t UICOLOUR_FORM_RAW = 1;
constexpr int32_t UICOLOUR_FORM_COLORREF = 2;

// Name of a key ("menutitletextcolor" ...); empty for 56 and outside 0-55.
std::string_view UIColourKeyName(int32_t key);
// Key of a lower-case name, -1 when it is none.
int32_t UIColourKeyFromName(std::string_view name);
// True for the keys whose entries are COLORREFs handed out unchanged by
// GetUIColour; the other keys are rebuilt as COLORREF from bits 0-23.
bool UIColourKeyHandedOutAsStored(int32_t key);

// Style code of an upper-case style name ("UISTYLE_OFFICE2007"), 0 if none.
int32_t UIStyleFromName(std::string_view name);

// The stored entry of a style's table (5, 6 = 2003, 0x1000000, 0x2000000);
// 0 for another style, a key outside 0-56 or a column outside 0-7.
int32_t UIColourTableEntry(int32_t style, int32_t key, int32_t column);

// One table entry as a COLORREF (see UIColourKeyHandedOutAsStored) for a
// style code, key 0-55 and colour mode 0-9; 0 for anything unknown.
int32_t GetUIColour(int32_t style, int32_t key, int32_t mode);

// The painting code's lookup in the current colour mode, for
// UISTYLE_OFFICE2003 (or 6) and UISTYLE_OFFICE2007; 0 for other styles.
// Form 1: the stored value. Form 2: ARGB entries turned into COLORREF.
// Form 0: a solid brush of the form-2 colour (a handle the toolkit owns).
// Key -1 returns the effective colour mode, 6-9, instead.
intptr_t LookupUIColour(int32_t style, int32_t key, int32_t form);

}  // namespace lumora
