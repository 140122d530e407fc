#include "toolkit/style/skin_platform_win32.h"

#include <memory>

#include "platform/error_log.h"
#include "platform/os_handles_win32.h"
#include "toolkit/base/toolkit_start_win32.h"
#include "toolkit/style/colour_mode.h"
#include "toolkit/style/drawing_win32.h"
#include "toolkit/style/skin_model.h"

namespace lumora {

namespace {

// Shut-down order (low first): after everything else.
constexpr int32_t kSkinsTeardownRank = 900;

struct HeldFont : SkinHeldHandle {
  explicit HeldFont(platform::UniqueFont owner) : font(std::move(owner)) {}
  intptr_t get() const noexcept override { return reinterpret_cast<intptr_t>(font.get()); }
  platform::UniqueFont font;
};

SkinOwnedHandle CreateSkinFont(const SkinFont& font) {
  int pixels_per_inch = 96;
  {
    platform::WindowDc screen(nullptr);
    if (screen) pixels_per_inch = GetDeviceCaps(screen.get(), LOGPIXELSY);
  }
  const std::wstring face(reinterpret_cast<const wchar_t*>(font.face.data()), font.face.size());
  platform::UniqueFont made(CreateFontW(-MulDiv(font.size, pixels_per_inch, 72), 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL,
                                        font.italic, font.underline, font.strikeout, DEFAULT_CHARSET,
                                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                        DEFAULT_PITCH | FF_DONTCARE, face.substr(0, LF_FACESIZE - 1).c_str()));
  if (!made) return nullptr;
  return std::make_unique<HeldFont>(std::move(made));
}

intptr_t CreateSkinGradient(int32_t kind, int32_t colour1, int32_t colour2) {
  return CreateGradient(kind, colour1, colour2);
}

void RefreshOnColourMode(int32_t) { RefreshSkins(0); }

}  // namespace

void WireSkins() {
  SkinServices services;
  services.resolve_image = [](SkinHandle skin, std::u16string_view value) { return ResolveSkinImage(skin, value); };
  services.load_image = [](SkinHandle skin, std::u16string_view component, std::u16string_view state,
                           std::u16string_view property, std::u16string_view value) {
    return LoadSkinImage(skin, component, state, property, value);
  };
  services.create_gradient = CreateSkinGradient;
  services.create_font = CreateSkinFont;
  services.add_builtin_extras = AddBuiltInSkinExtras;
  services.refresh = RefreshSkins;
  InstallSkinServices(services);
  RegisterColourModeHook(kSkinRefreshRank, "skins", RefreshOnColourMode);
  // Last: every control that reads a skin is gone by then.
  RegisterTeardown(kSkinsTeardownRank, "skins", [] {
    FreeAllSkins();
    FreeBuiltInSkinImages();
  });
}

}  // namespace lumora
