// The bar font and the font helpers the application derives its own fonts
// with.
#include "toolkit/bars/toolbar_fonts_win32.h"

#include "platform/nonclient_font_win32.h"
#include "platform/os_handles_win32.h"
#include "toolkit/bars/toolbar_font_flags.h"
#include "toolkit/bars/toolbar_win32.h"

namespace lumora {
namespace {

platform::UniqueFont& BarFont() {
  static platform::UniqueFont font;
  return font;
}

platform::UniqueFont& MessageFontOwner() {
  static platform::UniqueFont font;
  return font;
}

int ScreenDpi() {
  platform::WindowDc screen(nullptr);
  return screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
}

bool ReadLogFont(HFONT font, LOGFONTW* out) {
  return font && GetObjectW(font, sizeof(LOGFONTW), out) == static_cast<int>(sizeof(LOGFONTW));
}

BYTE QualityOf(FontQuality quality) {
  switch (quality) {
    case FontQuality::kAntialiased: return ANTIALIASED_QUALITY;
    case FontQuality::kNonAntialiased: return NONANTIALIASED_QUALITY;
    case FontQuality::kClearType: return CLEARTYPE_QUALITY;
    case FontQuality::kDefault: break;
  }
  return DEFAULT_QUALITY;
}

}  // namespace

void EnsureBarFont() {
  if (BarFont()) return;
  BarFont().reset(platform::CreateNonClientFont(&NONCLIENTMETRICSW::lfMenuFont));
}

HFONT GetBarFont() { return BarFont().get(); }

HFONT MessageFont() {
  platform::UniqueFont& font = MessageFontOwner();
  if (!font) font.reset(platform::CreateNonClientFont(&NONCLIENTMETRICSW::lfMessageFont));
  return font.get();
}

void FreeBarFonts() {
  BarFont().reset();
  MessageFontOwner().reset();
}

int GetFontPointSize(HFONT font) {
  LOGFONTW log{};
  if (!ReadLogFont(font, &log)) return 0;
  return PointsForFontHeight(log.lfHeight, ScreenDpi());
}

std::wstring GetFontName(HFONT font) {
  LOGFONTW log{};
  if (!ReadLogFont(font, &log)) return std::wstring();
  log.lfFaceName[LF_FACESIZE - 1] = 0;
  return log.lfFaceName;
}

HFONT CreateFontFromName(const wchar_t* name, int points, uint32_t flags) {
  const FontRequest request = DecodeFontFlags(flags);
  return CreateFontW(FontHeightForPoints(points, ScreenDpi()), 0, 0, 0, request.weight, request.italic,
                     request.underline, request.strike_out, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, QualityOf(request.quality), VARIABLE_PITCH, name ? name : L"");
}

}  // namespace lumora
