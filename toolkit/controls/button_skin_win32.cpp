// Reading a skin into a button's ten looks: each state's properties are
// resolved once, here, so painting never parses declarations.
#include <algorithm>
#include <cwctype>
#include <string>

#include "platform/error_log.h"
#include "toolkit/controls/button_registry_win32.h"
#include "toolkit/controls/button_win32.h"
#include "toolkit/controls/skin_image_draw_win32.h"
#include "toolkit/style/colour.h"
#include "toolkit/style/skin.h"
#include "toolkit/style/skin_model.h"

namespace lumora {
namespace {

constexpr const wchar_t* kProperties[] = {
    L"background",   L"background image", L"background position", L"border image",   L"border mask",
    L"overlay image", L"overlay position", L"overlay",            L"image",          L"image position",
    L"image padding", L"text",            L"text position",       L"text padding",   L"cursor"};

struct Reader {
  intptr_t skin;
  std::wstring component;
  std::wstring state;

  std::wstring Sub(const wchar_t* property, const wchar_t* key) const {
    return GetSkinPropertySubValue(skin, component, state, property, key);
  }
  std::wstring Text(const wchar_t* property) const { return GetSkinPropertyText(skin, component, state, property); }
  // Whatever the look draws with is kept alive by the look (see SkinKeeper).
  std::vector<SkinKeeper>* keep = nullptr;
  intptr_t Handle(const wchar_t* property) const {
    const intptr_t handle = GetSkinPropertyHandle(skin, component, state, property);
    if (handle && keep)
      if (SkinKeeper keeper = GetSkinPropertyKeeper(skin, component, state, property)) keep->push_back(std::move(keeper));
    return handle;
  }
  HANDLE Image(const wchar_t* property) const {
    const intptr_t handle = Handle(property);
    if (!handle) return nullptr;
    const DWORD type = GetObjectType(reinterpret_cast<HANDLE>(handle));
    // Anything but a bitmap (an icon has no GDI object type) is drawn as an icon.
    return type == OBJ_BITMAP || type == 0 ? reinterpret_cast<HANDLE>(handle) : nullptr;
  }
  int32_t Pixels(const wchar_t* property, const wchar_t* key) const {
    std::string narrow;
    for (wchar_t c : Sub(property, key)) narrow += c < 128 ? static_cast<char>(c) : '?';
    const SkinOffset offset = ParseSkinOffset(narrow);
    return offset.kind == SkinOffset::kPixels ? offset.value : 0;
  }
  SkinBox Sides(const wchar_t* property) const {
    return SkinBox{Pixels(property, L"left"), Pixels(property, L"top"), Pixels(property, L"right"),
                   Pixels(property, L"bottom")};
  }
  SkinOffset Offset(const wchar_t* property, const wchar_t* key) const {
    std::string narrow;
    for (wchar_t c : Sub(property, key)) narrow += c < 128 ? static_cast<char>(c) : '?';
    return ParseSkinOffset(narrow);
  }
  SkinPlacement Placement(const wchar_t* property) const {
    SkinPlacement placement;
    placement.x = Offset(property, L"x");
    placement.y = Offset(property, L"y");
    placement.left = Offset(property, L"left");
    placement.top = Offset(property, L"top");
    placement.right = Offset(property, L"right");
    placement.bottom = Offset(property, L"bottom");
    placement.stretch = Sub(property, L"stretch") == L"true";
    placement.tile = Sub(property, L"tile") == L"true";
    placement.masked = Sub(property, L"masked") == L"true";
    return placement;
  }
  // A colour or a gradient ("background", "overlay"); a bare number is a
  // stock image.
  void Fill(const wchar_t* property, int32_t& colour, GradientHandle& gradient, int32_t* stock) const {
    const std::wstring text = Text(property);
    if (text.empty()) return;
    if (!Sub(property, L"gradient").empty()) {
      gradient = static_cast<GradientHandle>(Handle(property));
      return;
    }
    wchar_t* end = nullptr;
    const long number = std::wcstol(text.c_str(), &end, 10);
    if (end && *end == 0) {
      if (stock) *stock = static_cast<int32_t>(number);
      return;
    }
    const int32_t parsed = ColourRefOfColourText(std::wstring_view(text));
    if (parsed != -1) colour = parsed;
  }
};

HCURSOR CursorNamed(std::wstring name) {
  name.erase(std::remove(name.begin(), name.end(), L';'), name.end());
  for (wchar_t& c : name) c = static_cast<wchar_t>(std::towupper(c));
  static const struct {
    const wchar_t* name;
    const wchar_t* id;
  } kCursors[] = {{L"APPSTARTING", IDC_APPSTARTING}, {L"ARROW", IDC_ARROW},       {L"CROSS", IDC_CROSS},
                  {L"HAND", IDC_HAND},               {L"HELP", IDC_HELP},         {L"IBEAM", IDC_IBEAM},
                  {L"NO", IDC_NO},                   {L"SIZE", IDC_SIZEALL},      {L"SIZEALL", IDC_SIZEALL},
                  {L"SIZENESW", IDC_SIZENESW},       {L"SIZENS", IDC_SIZENS},     {L"SIZENWSE", IDC_SIZENWSE},
                  {L"SIZEWE", IDC_SIZEWE},           {L"UPARROW", IDC_UPARROW},   {L"WAIT", IDC_WAIT}};
  if (name.empty()) return nullptr;
  for (const auto& cursor : kCursors)
    if (name == cursor.name) return LoadCursorW(nullptr, cursor.id);
  wchar_t* end = nullptr;
  const long value = std::wcstol(name.c_str(), &end, 10);
  return end && *end == 0 && value > 0 ? LoadCursorW(nullptr, MAKEINTRESOURCEW(value)) : nullptr;
}

ButtonLook ReadLook(Reader read) {
  ButtonLook look;
  read.keep = &look.keep;
  read.Fill(L"background", look.background_colour, look.background_gradient, &look.stock_background);
  look.background_image = read.Image(L"background image");
  look.background_position = read.Placement(L"background position");
  look.border_image = read.Image(L"border image");
  look.border_margins = read.Sides(L"border image");
  look.border_mask = read.Image(L"border mask");
  look.mask_margins = read.Sides(L"border mask");
  look.overlay_image = read.Image(L"overlay image");
  look.overlay_position = read.Placement(L"overlay position");
  read.Fill(L"overlay", look.overlay_colour, look.overlay_gradient, nullptr);
  look.image = read.Image(L"image");
  look.image_position = read.Placement(L"image position");
  look.image_padding = read.Sides(L"image padding");
  const intptr_t font = read.Handle(L"text");
  if (font && GetObjectType(reinterpret_cast<HGDIOBJ>(font)) == OBJ_FONT) look.font = reinterpret_cast<HFONT>(font);
  const std::wstring colour = read.Sub(L"text", L"colour");
  if (!colour.empty()) look.text_colour = ColourRefOfColourText(std::wstring_view(colour));
  look.text_position = read.Placement(L"text position");
  look.text_padding = read.Sides(L"text padding");
  look.cursor = CursorNamed(read.Text(L"cursor"));
  return look;
}

// A skin says something about the component when any state holds any of
// the properties a button reads.
bool Describes(intptr_t skin, const std::wstring& component) {
  for (int state = 0; state < kButtonStateCount; ++state) {
    const std::wstring name = WideSkinText(kSkinStateNames[state]);
    for (const wchar_t* property : kProperties) {
      const std::wstring resolved = ResolveSkinComponent(skin, component, name, property);
      if (FindSkinProperty(skin, resolved, name, property)) return true;
    }
  }
  return false;
}

}  // namespace

int32_t ButtonApplySkin(intptr_t button, intptr_t skin, const wchar_t* component, int32_t) {
  ButtonRecord* record = FindButtonRecord(button);
  if (!record) return 0;
  try {
    if (skin == 0) {
      EnsureBuiltInSkin(std::wstring_view(L"sysbuttonskin"));
      skin = BuiltInSkinHandle(BuiltInSkin::kSysButton);
    }
    const std::wstring name = component && *component ? component : L"buttonex";
    if (!skin || !Describes(skin, name)) return 0;
    for (int state = 0; state < kButtonStateCount; ++state) {
      const Reader read{skin, name, WideSkinText(kSkinStateNames[state])};
      ButtonLook look = ReadLook(read);
      // An "image" of the skin replaces the state's images from creation;
      // without one they stay (on a re-application too).
      if (look.image) {
        const SIZE size = SkinImageSize(look.image);
        record->images[state] = MakeImageList(look.image, size.cx, size.cy);
      }
      record->looks[state] = look;
    }
    record->skin = skin;
    record->component = name;
    ButtonLooksChanged(*record);
    return 1;
  } catch (const std::exception& error) {
    platform::LogCaught("applying a skin to a button", 0, &error);
    return 0;
  }
}

void ApplyImageButtonSkin(intptr_t button) {
  EnsureBuiltInSkin(std::wstring_view(L"imagebuttonskin"));
  ButtonApplySkin(button, BuiltInSkinHandle(BuiltInSkin::kImageButton), L"imagebuttonex", 0);
}

}  // namespace lumora
