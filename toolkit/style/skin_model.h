// The skin registry behind skin.h, and the services through which the
// platform side takes part in storing a value: finding and loading the
// image a value names, building the gradient or font it declares, and
// refreshing the windows that use a skin. Without installed services a value
// names no file, gradients are plain records and nothing is refreshed, which
// is how the native tests see the model.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "toolkit/style/skin.h"
#include "toolkit/style/skin_declarations.h"

namespace lumora {

// A handle the skin model owns (a loaded image, a built font), held by one
// of the platform's counted owners behind this interface and freed when the
// property's value is replaced.
struct SkinHeldHandle {
  virtual ~SkinHeldHandle() = default;
  virtual intptr_t get() const noexcept = 0;
};
using SkinOwnedHandle = std::unique_ptr<SkinHeldHandle>;
// A share in what a property holds: a control drawing with a skin's image,
// font or gradient keeps one, so that replacing the property's value (or
// storing a handle over it) frees the old one only once no control uses it.
using SkinKeeper = std::shared_ptr<const SkinHeldHandle>;

struct SkinServices {
  // ResolveSkinImage and LoadSkinImage of the platform.
  int32_t (*resolve_image)(SkinHandle skin, std::u16string_view value) = nullptr;
  int32_t (*load_image)(SkinHandle skin, std::u16string_view component, std::u16string_view state,
                        std::u16string_view property, std::u16string_view value) = nullptr;
  // A gradient handle, 0 when gradients cannot be painted. Default: a
  // plain record.
  intptr_t (*create_gradient)(int32_t kind, int32_t colour1, int32_t colour2) = nullptr;
  // A font built from a "font" declaration, owned by the model.
  SkinOwnedHandle (*create_font)(const SkinFont& font) = nullptr;
  // The built-in skins' platform parts (glyph images, theme fonts), added
  // after their text values.
  void (*add_builtin_extras)(BuiltInSkin which, SkinHandle skin) = nullptr;
  int32_t (*refresh)(SkinHandle skin) = nullptr;
};
void InstallSkinServices(const SkinServices& services);
const SkinServices& CurrentSkinServices();

// Stores an image that was loaded for the property (kind 2), freeing the
// one it held before. False for an unknown skin (the image is freed).
bool StoreSkinImage(SkinHandle skin, std::u16string_view component, std::u16string_view state,
                    std::u16string_view property, SkinOwnedHandle image);

// The share in what the property (resolved as the getters resolve it) holds;
// null when it holds nothing of its own (text, or a handle stored by a
// caller, who owns that).
SkinKeeper GetSkinPropertyKeeper(SkinHandle skin, std::u16string_view component, std::u16string_view state,
                                 std::u16string_view property);
#ifdef _WIN32
inline SkinKeeper GetSkinPropertyKeeper(SkinHandle skin, std::wstring_view component, std::wstring_view state,
                                        std::wstring_view property) {
  return GetSkinPropertyKeeper(skin, SkinText(component), SkinText(state), SkinText(property));
}
#endif

// The skin's name as created; empty for an unknown skin.
std::u16string SkinName(SkinHandle skin);
bool IsSkin(SkinHandle skin);

// The component name with a variant normalised to "base:variant" (trimmed
// around the colon), lower case.
std::u16string NormaliseSkinComponent(std::u16string_view component);

// While set, property changes refresh nothing (EnsureBuiltInSkin sets it).
void SuppressSkinRefresh(bool suppress);
bool SkinRefreshSuppressed();
// Frees every skin with the images and fonts it holds and forgets the
// built-in skins' slots (toolkit shut-down); handles given out before are
// unknown afterwards.
void FreeAllSkins();
// Forgets the built-in skins' slots; FreeAllSkins calls it.
void ForgetBuiltInSkins();

// The registry's skins in order, for RefreshSkins' window walk and tests.
size_t SkinCount();

}  // namespace lumora
