// A page's background read from a skin, so that pages follow a skin's
// changes like the buttons on them.
#include <string>

#include "platform/error_log.h"
#include "toolkit/base/stale_lock.h"
#include "toolkit/controls/panel_registry_win32.h"
#include "toolkit/style/colour.h"
#include "toolkit/style/skin.h"
#include "toolkit/style/skin_model.h"

namespace lumora {
namespace {

SkinOffset Offset(intptr_t skin, const std::wstring& component, const wchar_t* key) {
  std::string narrow;
  for (wchar_t c : GetSkinPropertySubValue(skin, component, L"normal", L"background position", key))
    narrow += c < 128 ? static_cast<char>(c) : '?';
  return ParseSkinOffset(narrow);
}

bool ReadBackground(intptr_t skin, const std::wstring& component, PageBackground& out) {
  PageBackground background;
  background.colour = -1;
  const auto handle = [&](const wchar_t* property) {
    const intptr_t made = GetSkinPropertyHandle(skin, component, L"normal", property);
    if (SkinKeeper keeper = made ? GetSkinPropertyKeeper(skin, component, L"normal", property) : nullptr)
      background.keep.push_back(std::move(keeper));
    return made;
  };
  const std::wstring text = GetSkinPropertyText(skin, component, L"normal", L"background");
  if (!GetSkinPropertySubValue(skin, component, L"normal", L"background", L"gradient").empty())
    background.gradient = static_cast<GradientHandle>(handle(L"background"));
  else if (!text.empty())
    background.colour = ColourRefOfColourText(std::wstring_view(text));
  background.border = reinterpret_cast<HANDLE>(handle(L"border image"));
  const auto margin = [&](const wchar_t* side) {
    std::string narrow;
    for (wchar_t c : GetSkinPropertySubValue(skin, component, L"normal", L"border image", side))
      narrow += c < 128 ? static_cast<char>(c) : '?';
    const SkinOffset offset = ParseSkinOffset(narrow);
    return offset.kind == SkinOffset::kPixels ? offset.value : 0;
  };
  background.border_margins = SkinBox{margin(L"left"), margin(L"top"), margin(L"right"), margin(L"bottom")};
  background.image = reinterpret_cast<HANDLE>(handle(L"background image"));
  SkinPlacement& position = background.image_position;
  position.x = Offset(skin, component, L"x");
  position.y = Offset(skin, component, L"y");
  position.left = Offset(skin, component, L"left");
  position.top = Offset(skin, component, L"top");
  position.right = Offset(skin, component, L"right");
  position.bottom = Offset(skin, component, L"bottom");
  position.stretch =
      GetSkinPropertySubValue(skin, component, L"normal", L"background position", L"stretch") == L"true";
  position.tile = GetSkinPropertySubValue(skin, component, L"normal", L"background position", L"tile") == L"true";
  position.masked =
      GetSkinPropertySubValue(skin, component, L"normal", L"background position", L"masked") == L"true";
  if (background.colour == -1 && !background.gradient && !background.image && !background.border) return false;
  out = std::move(background);
  return true;
}

}  // namespace

bool SetPageSkin(HWND page, intptr_t skin, const wchar_t* component) {
  PageRecord* record = FindPage(page);
  if (!record || !skin || !component) return false;
  PageBackground background;
  try {
    if (!ReadBackground(skin, component, background)) return false;
  } catch (const std::exception& error) {
    platform::LogCaught("reading a page's skin", 0, &error);
    return false;
  }
  {
    StaleLockGuard guard(PanelLock());
    record->skin = skin;
    record->skin_component = component;
  }
  return SetPageBackground(page, background);
}

void ReapplyPageSkin(PageRecord& page, intptr_t changed_skin) {
  if (!page.skin || (changed_skin && changed_skin != page.skin)) return;
  PageBackground background;
  try {
    if (!ReadBackground(page.skin, page.skin_component, background)) return;
  } catch (const std::exception& error) {
    platform::LogCaught("reading a page's skin again", 0, &error);
    return;
  }
  SetPageBackground(page.window, background);
}

}  // namespace lumora
