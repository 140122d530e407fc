// The parts of the built-in skins that are drawn by the system rather than
// written as text: the radio and check glyphs, the explorer bar's arrows and
// theme font, and the splitter's gripper. Each image is drawn once and kept
// for the life of the process, like the skins that hold it.
#include <windows.h>

#include <array>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/dib_section_win32.h"
#include "platform/error_log.h"
#include "platform/os_handles_win32.h"
#include "toolkit/base/platform_caps_win32.h"
#include "toolkit/style/skin_platform_win32.h"

namespace lumora {

namespace {

// The colour image lists of the buttons treat as transparent.
constexpr COLORREF kMaskColour = RGB(0, 255, 0);
constexpr int kGlyphSize = 13;

std::vector<platform::UniqueBitmap>& KeptImages() {
  static std::vector<platform::UniqueBitmap> images;
  return images;
}

template <typename Draw>
intptr_t DrawImage(int width, int height, Draw draw) {
  void* bits = nullptr;
  platform::UniqueBitmap bitmap = platform::CreateTopDownDib(width, height, 32, &bits);
  platform::UniqueMemoryDc dc = platform::CreateMemoryDc();
  if (!bitmap || !dc) return 0;
  {
    platform::SelectGuard select(dc.get(), bitmap.get());
    RECT rect{0, 0, width, height};
    platform::UniqueBrush mask(CreateSolidBrush(kMaskColour));
    FillRect(dc.get(), &rect, mask.get());
    draw(dc.get(), rect);
  }
  const intptr_t handle = reinterpret_cast<intptr_t>(bitmap.get());
  KeptImages().push_back(std::move(bitmap));
  return handle;
}

intptr_t Glyph(UINT flags) {
  return DrawImage(kGlyphSize, kGlyphSize, [&](HDC dc, RECT rect) { DrawFrameControl(dc, &rect, DFC_BUTTON, flags); });
}

void AddGlyphs(SkinHandle skin, const wchar_t* component, UINT kind, bool three_state) {
  struct StateFlags {
    const wchar_t* state;
    UINT flags;
  };
  const StateFlags states[] = {
      {L"normal", 0},
      {L"hot", 0},
      {L"pressed", DFCS_PUSHED},
      {L"disabled", DFCS_INACTIVE},
      {L"selected", DFCS_CHECKED},
      {L"selected hot", DFCS_CHECKED},
      {L"selected pressed", DFCS_CHECKED | DFCS_PUSHED},
      {L"inbetween", DFCS_CHECKED | DFCS_BUTTON3STATE},
      {L"inbetween hot", DFCS_CHECKED | DFCS_BUTTON3STATE},
      {L"inbetween pressed", DFCS_CHECKED | DFCS_BUTTON3STATE | DFCS_PUSHED},
  };
  const size_t count = three_state ? 10 : 7;
  for (size_t i = 0; i < count; ++i) {
    // The three-state glyph is a button kind of its own, not a check flag.
    const UINT flags = states[i].flags & DFCS_BUTTON3STATE ? states[i].flags : kind | states[i].flags;
    SetSkinPropertyHandle(skin, component, states[i].state, L"image", Glyph(flags));
  }
}

// A double chevron pointing down (a closed group) or up (an open one).
intptr_t Arrow(bool up, COLORREF colour) {
  return DrawImage(16, 16, [&](HDC dc, RECT) {
    for (int chevron = 0; chevron < 2; ++chevron) {
      for (int step = 0; step <= 4; ++step) {
        const int tip_row = (up ? 4 : 10) + chevron * 4 * (up ? 1 : -1);
        const int y = tip_row + (up ? step : -step);
        SetPixelV(dc, 7 - step, y, colour);
        SetPixelV(dc, 8 + step, y, colour);
      }
    }
  });
}

struct ThemeText {
  std::wstring face;
  int size = 8;
  COLORREF header = RGB(33, 93, 198);
  COLORREF item = RGB(33, 93, 198);
};

// The explorer bar's header font and colours from the visual style, or the
// UI font with plain system colours when there is no style.
ThemeText ExplorerBarText() {
  ThemeText text;
  LOGFONTW font{};
  const ThemeBinding& theme = g_caps.theme;
  const HTHEME explorer = theme.handles[THEME_EXPLORERBAR];
  constexpr int kNormalGroupHead = 8;
  constexpr int kFontProperty = 210;
  constexpr int kTextColourProperty = 3803;
  platform::WindowDc screen(nullptr);
  const int pixels_per_inch = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
  bool have_font = explorer && theme.GetThemeFont &&
                   SUCCEEDED(theme.GetThemeFont(explorer, screen.get(), kNormalGroupHead, 0, kFontProperty, &font));
  if (!have_font) have_font = GetObjectW(UiFont(), sizeof font, &font) != 0;
  if (have_font) {
    text.face = font.lfFaceName;
    const int height = font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
    if (height > 0) text.size = MulDiv(height, 72, pixels_per_inch);
  }
  if (text.face.empty()) text.face = L"Segoe UI";
  COLORREF colour = 0;
  if (explorer && theme.GetThemeColor &&
      SUCCEEDED(theme.GetThemeColor(explorer, kNormalGroupHead, 0, kTextColourProperty, &colour)))
    text.header = colour;
  if (explorer && theme.GetThemeColor && SUCCEEDED(theme.GetThemeColor(explorer, 1, 0, kTextColourProperty, &colour)))
    text.item = colour;
  return text;
}

std::wstring Rgb(COLORREF colour) {
  return L"rgb(" + std::to_wstring(GetRValue(colour)) + L"," + std::to_wstring(GetGValue(colour)) + L"," +
         std::to_wstring(GetBValue(colour)) + L")";
}

void AddSysXBarExtras(SkinHandle skin) {
  const intptr_t down[3] = {Arrow(false, RGB(33, 93, 198)), Arrow(false, RGB(66, 142, 255)),
                            Arrow(false, RGB(0, 45, 150))};
  const intptr_t up[3] = {Arrow(true, RGB(33, 93, 198)), Arrow(true, RGB(66, 142, 255)), Arrow(true, RGB(0, 45, 150))};
  const wchar_t* header = L"explorerbar group header";
  const struct {
    const wchar_t* state;
    intptr_t image;
  } arrows[] = {{L"normal", down[0]},   {L"hot", down[1]},          {L"pressed", down[2]},
                {L"disabled", down[0]}, {L"selected", up[0]},       {L"selected hot", up[1]},
                {L"selected pressed", up[2]}};
  for (const auto& arrow : arrows) SetSkinPropertyHandle(skin, header, arrow.state, L"background image", arrow.image);
  const ThemeText text = ExplorerBarText();
  const std::wstring face_size = L"font: " + text.face + L", " + std::to_wstring(text.size);
  const std::wstring header_text = face_size + L", bold; colour: " + Rgb(text.header);
  for (const auto& arrow : arrows) SetSkinProperty(skin, header, arrow.state, L"text", header_text);
  const wchar_t* item = L"explorerbar group item";
  SetSkinProperty(skin, item, L"normal", L"text", face_size + L"; colour: " + Rgb(text.item));
  for (const wchar_t* state : {L"hot", L"pressed"})
    SetSkinProperty(skin, item, state, L"text", face_size + L", underline; colour: " + Rgb(text.item));
  SetSkinProperty(skin, item, L"disabled", L"text", face_size);
}

void AddGripper(SkinHandle skin) {
  const intptr_t gripper = DrawImage(20, 3, [](HDC dc, RECT) {
    for (int x = 1; x < 20; x += 4) {
      SetPixelV(dc, x, 1, RGB(39, 65, 118));
      SetPixelV(dc, x + 1, 2, RGB(255, 255, 255));
    }
  });
  for (const wchar_t* component :
       {L"splitterex", L"splitterex:blue", L"splitterex:silver", L"splitterex:black", L"splitterex:grey"}) {
    for (const wchar_t* state : {L"normal", L"hot", L"pressed", L"normal vertical", L"hot vertical",
                                 L"pressed vertical"})
      SetSkinPropertyHandle(skin, component, state, L"gripper background image", gripper);
  }
}

}  // namespace

void FreeBuiltInSkinImages() { KeptImages().clear(); }

void AddBuiltInSkinExtras(BuiltInSkin which, SkinHandle skin) {
  try {
    switch (which) {
      case BuiltInSkin::kSysRadioButton: AddGlyphs(skin, L"radiobuttonex", DFCS_BUTTONRADIO, false); break;
      case BuiltInSkin::kSysCheckButton: AddGlyphs(skin, L"checkbuttonex", DFCS_BUTTONCHECK, true); break;
      case BuiltInSkin::kSysXBar: AddSysXBarExtras(skin); break;
      case BuiltInSkin::kOffice2007Splitter: AddGripper(skin); break;
      default: break;
    }
  } catch (const std::exception& caught) {
    platform::LogCaught("AddBuiltInSkinExtras", 0, &caught);
  }
}

}  // namespace lumora
