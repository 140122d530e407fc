// Skins: named, process-wide bags of styling declarations that the skinned
// controls read when they apply a look, organised as
// component -> state -> property -> value text.
//
// Names and values are lower-cased when stored and when looked up, so every
// look-up ignores case; a skin keeps the spelling of its own name. A skin's
// handle is only ever resolved by looking it up in the registry, so a stale
// or made-up handle makes an operation return 0 and change nothing.
//
// Text is UTF-16. On Windows every operation also takes wide strings.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace lumora {

using SkinHandle = intptr_t;

// Kinds of the number a property holds beside its text.
constexpr int32_t SKINVALUE_TEXT = 0;    // text only
constexpr int32_t SKINVALUE_IMAGE = 2;   // an image loaded from the file the value names
constexpr int32_t SKINVALUE_HANDLE = 3;  // a handle stored directly (image, gradient, font)

// The ten states in the order controls resolve them.
constexpr int32_t kSkinStateCount = 10;
extern const char16_t* const kSkinStateNames[kSkinStateCount];

// Appends a skin with no components whose changes refresh every skinned
// window; 0 when it cannot be added.
SkinHandle CreateSkin(std::u16string_view name);

// Stores a value (creating component, state and property as needed), loads
// the image it names and builds the gradient or font it declares. 1 when
// stored, -1 when the value looks like an image file name that was not found
// (the text is stored all the same), 0 for an unknown skin or a failed
// image load.
int32_t SetSkinProperty(SkinHandle skin, std::u16string_view component, std::u16string_view state,
                        std::u16string_view property, std::u16string_view value);

// Stores a handle (image or gradient) with the property, leaving its text;
// the caller keeps ownership. False for an unknown skin.
bool SetSkinPropertyHandle(SkinHandle skin, std::u16string_view component, std::u16string_view state,
                           std::u16string_view property, intptr_t handle);

// The getters resolve the component's colour variant first (see
// ResolveSkinComponent). Unknown skins and missing properties read as 0 or
// empty text.

// The loaded image, the stored handle, or the gradient or font built from
// the value.
intptr_t GetSkinPropertyHandle(SkinHandle skin, std::u16string_view component, std::u16string_view state,
                               std::u16string_view property);
// The text of one declaration of the value ("x" of "x: 50%; y: 50%;").
std::u16string GetSkinPropertySubValue(SkinHandle skin, std::u16string_view component, std::u16string_view state,
                                       std::u16string_view property, std::u16string_view subkey);
// Field `index` (from 1) of a declaration's comma-separated list, trimmed.
std::u16string GetSkinPropertyField(SkinHandle skin, std::u16string_view component, std::u16string_view state,
                                    std::u16string_view property, std::u16string_view subkey, int32_t index);
int32_t CountSkinPropertyFields(SkinHandle skin, std::u16string_view component, std::u16string_view state,
                                std::u16string_view property, std::u16string_view subkey);
// The whole value text as stored, without a trailing ";" ("8", "hand").
std::u16string GetSkinPropertyText(SkinHandle skin, std::u16string_view component, std::u16string_view state,
                                   std::u16string_view property);

// The component name the property is read under: an explicit variant
// ("explorerbar : blue") when the skin holds the property there, else the
// current colour mode's variant when it does, else the base name.
std::u16string ResolveSkinComponent(SkinHandle skin, std::u16string_view component, std::u16string_view state,
                                    std::u16string_view property);
// True when exactly that component, state and property exist.
bool FindSkinProperty(SkinHandle skin, std::u16string_view component, std::u16string_view state,
                      std::u16string_view property);

// The first skin of that name, ignoring case; 0 when none.
SkinHandle FindSkin(std::u16string_view name);

// Defines the built-in skin of that name ("sysbuttonskin", any case) unless
// a skin of that name exists already. Unknown names define nothing.
void EnsureBuiltInSkin(std::u16string_view name);

// Which built-in skin a slot holds, for the controls that use them.
enum class BuiltInSkin : int32_t {
  kImageButton,
  kSysButton,
  kSysToggleButton,
  kSysStickyButton,
  kSysRadioButton,
  kSysCheckButton,
  kSysXBar,
  kOffice2007XBar,
  kSysSplitter,
  kSysSplitter2,
  kOffice2007Splitter,
  kCount
};
// The handle kept in the skin's slot once EnsureBuiltInSkin defined it; 0
// before.
SkinHandle BuiltInSkinHandle(BuiltInSkin which);

// Makes every window of the process re-apply the skin (any skin for 0) by
// handing it WM_LUMORA_SKINCHANGED, then repaints. 1, or 0 for a handle
// that is not a registered skin.
int32_t RefreshSkins(SkinHandle skin);

// 1 when the value names an image file that exists (loose or in the skin's
// ".sknz" archive), 0 when it names no file, -1 when it looks like a file
// name but none was found.
int32_t ResolveSkinImage(SkinHandle skin, std::u16string_view value);
// Loads the image the value names and stores it with the property; 1 when
// done, 0 otherwise.
int32_t LoadSkinImage(SkinHandle skin, std::u16string_view component, std::u16string_view state,
                      std::u16string_view property, std::u16string_view value);

#ifdef _WIN32
// Wide-string forms for Win32 callers (wchar_t is UTF-16 there).
inline std::u16string_view SkinText(std::wstring_view text) {
  return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}
inline std::wstring WideSkinText(const std::u16string& text) {
  return {reinterpret_cast<const wchar_t*>(text.data()), text.size()};
}
inline SkinHandle CreateSkin(std::wstring_view name) { return CreateSkin(SkinText(name)); }
inline int32_t SetSkinProperty(SkinHandle skin, std::wstring_view component, std::wstring_view state,
                               std::wstring_view property, std::wstring_view value) {
  return SetSkinProperty(skin, SkinText(component), SkinText(state), SkinText(property), SkinText(value));
}
inline bool SetSkinPropertyHandle(SkinHandle skin, std::wstring_view component, std::wstring_view state,
                                  std::wstring_view property, intptr_t handle) {
  return SetSkinPropertyHandle(skin, SkinText(component), SkinText(state), SkinText(property), handle);
}
inline intptr_t GetSkinPropertyHandle(SkinHandle skin, std::wstring_view component, std::wstring_view state,
                                      std::wstring_view property) {
  return GetSkinPropertyHandle(skin, SkinText(component), SkinText(state), SkinText(property));
}
inline std::wstring GetSkinPropertySubValue(SkinHandle skin, std::wstring_view component, std::wstring_view state,
                                            std::wstring_view property, std::wstring_view subkey) {
  return WideSkinText(
      GetSkinPropertySubValue(skin, SkinText(component), SkinText(state), SkinText(property), SkinText(subkey)));
}
inline std::wstring GetSkinPropertyField(SkinHandle skin, std::wstring_view component, std::wstring_view state,
                                         std::wstring_view property, std::wstring_view subkey, int32_t index) {
  return WideSkinText(GetSkinPropertyField(skin, SkinText(component), SkinText(state), SkinText(property),
                                           SkinText(subkey), index));
}
inline int32_t CountSkinPropertyFields(SkinHandle skin, std::wstring_view component, std::wstring_view state,
                                       std::wstring_view property, std::wstring_view subkey) {
  return CountSkinPropertyFields(skin, SkinText(component), SkinText(state), SkinText(property), SkinText(subkey));
}
inline std::wstring GetSkinPropertyText(SkinHandle skin, std::wstring_view component, std::wstring_view state,
                                        std::wstring_view property) {
  return WideSkinText(GetSkinPropertyText(skin, SkinText(component), SkinText(state), SkinText(property)));
}
inline std::wstring ResolveSkinComponent(SkinHandle skin, std::wstring_view component, std::wstring_view state,
                                         std::wstring_view property) {
  return WideSkinText(ResolveSkinComponent(skin, SkinText(component), SkinText(state), SkinText(property)));
}
inline bool FindSkinProperty(SkinHandle skin, std::wstring_view component, std::wstring_view state,
                             std::wstring_view property) {
  return FindSkinProperty(skin, SkinText(component), SkinText(state), SkinText(property));
}
inline SkinHandle FindSkin(std::wstring_view name) { return FindSkin(SkinText(name)); }
inline void EnsureBuiltInSkin(std::wstring_view name) { EnsureBuiltInSkin(SkinText(name)); }
inline int32_t ResolveSkinImage(SkinHandle skin, std::wstring_view value) {
  return ResolveSkinImage(skin, SkinText(value));
}
inline int32_t LoadSkinImage(SkinHandle skin, std::wstring_view component, std::wstring_view state,
                             std::wstring_view property, std::wstring_view value) {
  return LoadSkinImage(skin, SkinText(component), SkinText(state), SkinText(property), SkinText(value));
}
#endif

}  // namespace lumora
