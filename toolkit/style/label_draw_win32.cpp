#include "toolkit/style/label_draw_win32.h"

#include <algorithm>
#include <climits>
#include <string_view>
#include <utility>

#include "platform/error_log.h"
#include "platform/os_handles_win32.h"

namespace lumora {

namespace {

std::vector<LabelLink> g_label_links;
std::wstring g_label_plain_text;

int TextLength(std::wstring_view text) {
  return static_cast<int>(std::min<size_t>(text.size(), INT_MAX));
}

LONG ClampedSum(LONG base, int32_t extent) {
  const long long sum = static_cast<long long>(base) + extent;
  return static_cast<LONG>(std::clamp<long long>(sum, LONG_MIN, LONG_MAX));
}

// The device context's font and text colour as the caller left them, put
// back however the label ends.
class SavedTextState {
 public:
  explicit SavedTextState(HDC dc)
      : dc_(dc), font_(GetCurrentObject(dc, OBJ_FONT)), colour_(GetTextColor(dc)) {}
  SavedTextState(const SavedTextState&) = delete;
  SavedTextState& operator=(const SavedTextState&) = delete;
  ~SavedTextState() {
    if (font_) SelectObject(dc_, font_);
    SetTextColor(dc_, colour_);
  }
  COLORREF colour() const { return colour_; }

 private:
  HDC dc_;
  HGDIOBJ font_;
  COLORREF colour_;
};

// Keeps the right font selected for each font state the layout asks about.
// A changed state gets a font built from the caller's own font description
// with the switched attributes; the caller's font itself is used whenever the
// state is back where the label started, so unstyled text is never drawn in
// a rebuilt look-alike.
class LabelFonts final : public LabelMeasurer {
 public:
  LabelFonts(HDC dc, HFONT caller_font) : dc_(dc), caller_font_(caller_font) {
    if (caller_font_) SelectObject(dc_, caller_font_);
    TEXTMETRICW metrics{};
    const bool have_metrics = GetTextMetricsW(dc_, &metrics) != 0;
    if (have_metrics) {
      initial_.weight = metrics.tmWeight;
      initial_.italic = metrics.tmItalic != 0;
      initial_.underline = metrics.tmUnderlined != 0;
      initial_.strike_out = metrics.tmStruckOut != 0;
    }
    current_ = initial_;
    if (!caller_font_ || GetObjectW(caller_font_, sizeof(base_), &base_) < static_cast<int>(sizeof(base_))) {
      // No description to copy: rebuild one from what the context reports.
      base_ = LOGFONTW{};
      if (have_metrics) {
        base_.lfHeight = metrics.tmHeight;
        base_.lfCharSet = metrics.tmCharSet;
        base_.lfPitchAndFamily = static_cast<BYTE>(metrics.tmPitchAndFamily & 0xF0);
      }
      GetTextFaceW(dc_, LF_FACESIZE, base_.lfFaceName);
    }
  }
  LabelFonts(const LabelFonts&) = delete;
  LabelFonts& operator=(const LabelFonts&) = delete;
  // The caller's font goes back in before the made font is deleted: GDI
  // objects must not be deleted while selected.
  ~LabelFonts() override {
    if (caller_font_) SelectObject(dc_, caller_font_);
  }

  const LabelFontState& initial() const { return initial_; }

  void Use(const LabelFontState& state) {
    if (state == current_) return;
    if (state == initial_ && caller_font_) {
      SelectObject(dc_, caller_font_);
      made_.reset();
      current_ = state;
      return;
    }
    LOGFONTW description = base_;
    description.lfWeight = state.weight;
    description.lfItalic = state.italic;
    description.lfUnderline = state.underline;
    description.lfStrikeOut = state.strike_out;
    platform::UniqueFont font(CreateFontIndirectW(&description));
    if (!font.get()) return;  // keep drawing in the font we have
    SelectObject(dc_, font.get());
    made_ = std::move(font);
    current_ = state;
  }

  LabelSize MeasureText(std::wstring_view text, const LabelFontState& font, bool single_line) override {
    Use(font);
    RECT extent{0, 0, 0, 0};
    const UINT format = DT_CALCRECT | DT_EXPANDTABS | (single_line ? DT_SINGLELINE : 0);
    DrawTextW(dc_, text.data(), TextLength(text), &extent, format);
    return {extent.right - extent.left, extent.bottom - extent.top};
  }

 private:
  HDC dc_;
  HFONT caller_font_;
  LOGFONTW base_{};
  LabelFontState initial_;
  LabelFontState current_;
  platform::UniqueFont made_;
};

}  // namespace

int DrawLabel(HDC dc, const wchar_t* text, RECT* rect, HFONT font, uint32_t flags) {
  if (!dc || !rect) return 0;
  // Labels are drawn from window procedures; nothing may escape from here.
  try {
    const std::wstring_view label = text ? std::wstring_view(text) : std::wstring_view();
    SavedTextState saved(dc);
    LabelFonts fonts(dc, font ? font : static_cast<HFONT>(GetCurrentObject(dc, OBJ_FONT)));
    const LabelRect box{rect->left, rect->top, rect->right, rect->bottom};
    LabelLayout layout = LayoutLabel(label, box, flags, fonts.initial(), fonts);

    if (flags & LABEL_MEASURE) {
      rect->right = ClampedSum(rect->left, layout.extent.cx);
      rect->bottom = ClampedSum(rect->top, layout.extent.cy);
    } else {
      for (const LabelRun& run : layout.runs) {
        fonts.Use(run.font);
        SetTextColor(dc, run.colour < 0 ? saved.colour() : static_cast<COLORREF>(run.colour));
        RECT run_box{run.box.left, run.box.top, run.box.right, run.box.bottom};
        DrawTextW(dc, run.text.c_str(), TextLength(run.text), &run_box, run.format);
      }
    }

    if (flags & LABEL_RECORD_LINKS) g_label_links = std::move(layout.links);
    if (flags & LABEL_COLLECT_TEXT) g_label_plain_text = std::move(layout.plain_text);
    return layout.extent.cy;
  } catch (...) {
    platform::LogCurrentException("DrawLabel");
    return 0;
  }
}

int MeasureLabel(HDC dc, const wchar_t* text, RECT* rect, HFONT font, uint32_t flags) {
  return DrawLabel(dc, text, rect, font, flags | LABEL_MEASURE);
}

const std::vector<LabelLink>& LabelLinks() { return g_label_links; }

const std::wstring& LabelPlainText() { return g_label_plain_text; }

}  // namespace lumora
