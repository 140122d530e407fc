#include "toolkit/style/label_draw_win32.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace lumora {
namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kRed = 0xFF0000;  // as the DIB stores it: 0x00RRGGBB

// A memory device context on a white top-down 32-bit DIB section.
class Canvas {
 public:
  Canvas(int width, int height) : width_(width), height_(height) {
    dc_ = CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<uint32_t*>(bits);
    old_bitmap_ = SelectObject(dc_, bitmap_);
    for (int i = 0; i < width * height; ++i) bits_[i] = kWhite;
    SetBkMode(dc_, TRANSPARENT);
    SetTextColor(dc_, RGB(0, 0, 0));
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  ~Canvas() {
    SelectObject(dc_, old_bitmap_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }
  bool ok() const { return dc_ && bits_; }
  uint32_t Pixel(int x, int y) const {
    GdiFlush();
    return bits_[y * width_ + x] & 0xFFFFFF;
  }
  // Pixels of `colour` (any non-white colour when `colour` is -1) in the box.
  int Count(int left, int top, int right, int bottom, int64_t colour = -1) const {
    int count = 0;
    for (int y = std::max(top, 0); y < std::min(bottom, height_); ++y)
      for (int x = std::max(left, 0); x < std::min(right, width_); ++x) {
        const uint32_t p = Pixel(x, y);
        if (colour < 0 ? p != kWhite : p == static_cast<uint32_t>(colour)) ++count;
      }
    return count;
  }
  bool SameAs(const Canvas& other) const {
    GdiFlush();
    return width_ == other.width_ && height_ == other.height_ &&
           std::memcmp(bits_, other.bits_, sizeof(uint32_t) * width_ * height_) == 0;
  }

 private:
  int width_, height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_bitmap_ = nullptr;
  uint32_t* bits_ = nullptr;
};

class Font {
 public:
  explicit Font(int weight = FW_NORMAL, int height = -20)
      : font_(CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, L"Tahoma")) {}
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;
  ~Font() { DeleteObject(font_); }
  HFONT get() const { return font_; }

 private:
  HFONT font_;
};

class LabelDrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(canvas_.ok() && font_.get());
    // Underline and bold checks need an outline font with a real bold face,
    // whatever the font mapper substitutes for the name.
    ASSERT_TRUE(Metrics().tmPitchAndFamily & TMPF_TRUETYPE);
  }

  SIZE Measure(const wchar_t* text, uint32_t flags = 0) {
    RECT rect{0, 0, 0, 0};
    MeasureLabel(canvas_.dc(), text, &rect, font_.get(), flags);
    return {rect.right - rect.left, rect.bottom - rect.top};
  }
  TEXTMETRICW Metrics() {
    HGDIOBJ old = SelectObject(canvas_.dc(), font_.get());
    TEXTMETRICW metrics{};
    GetTextMetricsW(canvas_.dc(), &metrics);
    SelectObject(canvas_.dc(), old);
    return metrics;
  }

  Canvas canvas_{400, 120};
  Font font_;
};

TEST_F(LabelDrawTest, UnescapedPathUnderlinesOnlyItsTail) {
  RECT rect{0, 0, 400, 60};
  ASSERT_GT(DrawLabel(canvas_.dc(), L"C:\\Users", &rect, font_.get(), LABEL_TOP_ALIGNED), 0);
  const TEXTMETRICW metrics = Metrics();
  const int c_width = Measure(L"C:").cx;
  const int sers_width = Measure(L"sers").cx;
  ASSERT_GT(c_width, 0);
  ASSERT_GT(sers_width, 4);

  // Nothing of "C:" reaches below the baseline.
  EXPECT_EQ(canvas_.Count(0, metrics.tmAscent, c_width, metrics.tmHeight + 2), 0);
  // Under "sers" one row below the baseline is dark almost all the way.
  int best_row = 0;
  for (int y = metrics.tmAscent; y < metrics.tmHeight + 2; ++y)
    best_row = std::max(best_row, canvas_.Count(c_width + 1, y, c_width + sers_width - 1, y + 1));
  EXPECT_GE(best_row, sers_width - 4);
}

TEST_F(LabelDrawTest, BoldRunsMeasureAsTheBoldFont) {
  const SIZE plain = Measure(L"Hello World");
  const SIZE bold = Measure(L"\\bHello World\\b");
  EXPECT_GT(bold.cx, plain.cx);

  // The rebuilt bold font is the real bold face, not a squeezed one.
  Font bold_font(FW_BOLD);
  RECT rect{0, 0, 0, 0};
  MeasureLabel(canvas_.dc(), L"Hello World", &rect, bold_font.get());
  EXPECT_EQ(bold.cx, rect.right);
  // And toggling back gives the caller's font again.
  EXPECT_EQ(Measure(L"\\b\\bHello World").cx, plain.cx);
  EXPECT_EQ(Measure(L"\\bHello\\b World").cx, Measure(L"\\bHello").cx + Measure(L" World").cx);
}

TEST_F(LabelDrawTest, ColourCodeThenNormal) {
  RECT rect{0, 0, 400, 40};
  DrawLabel(canvas_.dc(), L"\\cFF0000word\\n rest", &rect, font_.get(), 0);
  const int word = Measure(L"word").cx;
  const int rest = Measure(L" rest").cx;
  EXPECT_GT(canvas_.Count(0, 0, word, 40, kRed), 10);
  EXPECT_EQ(canvas_.Count(0, 0, word, 40, kBlack), 0);
  EXPECT_GT(canvas_.Count(word, 0, word + rest, 40, kBlack), 10);
  EXPECT_EQ(canvas_.Count(word, 0, 400, 40, kRed), 0);
  EXPECT_EQ(GetTextColor(canvas_.dc()), RGB(0, 0, 0));

  Canvas kept(400, 40);
  DrawLabel(kept.dc(), L"\\cFF0000word", &rect, font_.get(), LABEL_KEEP_COLOUR);
  EXPECT_EQ(kept.Count(0, 0, 400, 40, kRed), 0);
  EXPECT_GT(kept.Count(0, 0, 400, 40, kBlack), 10);
}

TEST_F(LabelDrawTest, CallerFontAndColourComeBack) {
  HFONT before = static_cast<HFONT>(GetCurrentObject(canvas_.dc(), OBJ_FONT));
  SetTextColor(canvas_.dc(), RGB(1, 2, 3));
  RECT rect{0, 0, 400, 40};
  DrawLabel(canvas_.dc(), L"\\b\\i\\u\\s\\c00FF00styled", &rect, font_.get(), 0);
  EXPECT_EQ(GetCurrentObject(canvas_.dc(), OBJ_FONT), before);
  EXPECT_EQ(GetTextColor(canvas_.dc()), RGB(1, 2, 3));

  // Without a font the one in the context is used and stays selected.
  SelectObject(canvas_.dc(), font_.get());
  RECT measured{0, 0, 0, 0};
  MeasureLabel(canvas_.dc(), L"\\bx", &measured, nullptr);
  EXPECT_EQ(measured.right, Measure(L"\\bx").cx);
  EXPECT_EQ(GetCurrentObject(canvas_.dc(), OBJ_FONT), font_.get());
  SelectObject(canvas_.dc(), before);
}

void DrawBoth(Canvas& label, Canvas& platform, const wchar_t* text, HFONT font, uint32_t label_flags,
              UINT format) {
  RECT rect{5, 3, 390, 50};
  DrawLabel(label.dc(), text, &rect, font, label_flags);
  HGDIOBJ old = SelectObject(platform.dc(), font);
  RECT same{5, 3, 390, 50};
  DrawTextW(platform.dc(), text, -1, &same, format);
  SelectObject(platform.dc(), old);
}

TEST_F(LabelDrawTest, TextWithoutCodesDrawsLikeThePlatform) {
  const struct {
    const wchar_t* text;
    uint32_t flags;
    UINT format;
  } cases[] = {
      {L"Hello &World\tagain", 0, 0x164},
      {L"Hello &World", LABEL_TOP_ALIGNED, 0x160},
      {L"Centred", LABEL_CENTRE_H | LABEL_CENTRE_V, 0x165},
      {L"Raw \\b and \\\\", LABEL_PLAIN, 0x164},
  };
  for (const auto& c : cases) {
    Canvas label(400, 60), platform(400, 60);
    DrawBoth(label, platform, c.text, font_.get(), c.flags, c.format);
    EXPECT_GT(label.Count(0, 0, 400, 60), 10) << "nothing drawn for flags " << c.flags;
    EXPECT_TRUE(label.SameAs(platform)) << "flags " << c.flags;
  }
}

TEST_F(LabelDrawTest, LineBreakAddsALinePlusSpacing) {
  const SIZE one = Measure(L"Line");
  const SIZE two = Measure(L"Line\\|Wider two");
  EXPECT_EQ(two.cy, 2 * (one.cy + LABEL_LINE_SPACING));
  EXPECT_EQ(two.cx, Measure(L"Wider two").cx);
  EXPECT_EQ(Metrics().tmHeight, one.cy);

  // The second line is drawn one line lower, from the left edge.
  RECT rect{0, 0, 400, 120};
  DrawLabel(canvas_.dc(), L"\\|x", &rect, font_.get(), LABEL_TOP_ALIGNED);
  EXPECT_EQ(canvas_.Count(0, 0, 400, one.cy + LABEL_LINE_SPACING), 0);
  EXPECT_GT(canvas_.Count(0, one.cy + LABEL_LINE_SPACING, Measure(L"x").cx, 120), 0);
}

TEST_F(LabelDrawTest, LinksAreRecordedAtTheirPositions) {
  RECT rect{20, 10, 400, 60};
  DrawLabel(canvas_.dc(), L"Go \\l1here\\l and \\l22there\\l.", &rect, font_.get(), LABEL_RECORD_LINKS);
  const auto& links = LabelLinks();
  ASSERT_EQ(links.size(), 2u);
  const int go = Measure(L"Go ").cx, here = Measure(L"here").cx, and_ = Measure(L" and ").cx;
  EXPECT_EQ(links[0].number, 1);
  EXPECT_EQ(links[0].left, go);
  EXPECT_EQ(links[0].right, go + here);
  EXPECT_EQ(links[0].top, 0);
  EXPECT_EQ(links[0].bottom, Metrics().tmHeight);
  EXPECT_EQ(links[1].number, 22);
  EXPECT_EQ(links[1].left, go + here + and_);
  EXPECT_EQ(links[1].right - links[1].left, Measure(L"there").cx);

  // Only recording calls touch the list, and each empties it first.
  Measure(L"\\l5x\\l");
  EXPECT_EQ(LabelLinks().size(), 2u);
  Measure(L"\\l5x\\l", LABEL_RECORD_LINKS);
  ASSERT_EQ(LabelLinks().size(), 1u);
  EXPECT_EQ(LabelLinks()[0].number, 5);
  Measure(L"no links", LABEL_RECORD_LINKS);
  EXPECT_TRUE(LabelLinks().empty());
}

TEST_F(LabelDrawTest, EllipsisStaysInsideANarrowRectangle) {
  RECT rect{10, 0, 70, 40};
  DrawLabel(canvas_.dc(), L"Hello wonderful world", &rect, font_.get(), LABEL_END_ELLIPSIS);
  EXPECT_GT(canvas_.Count(10, 0, 70, 40), 10);
  EXPECT_EQ(canvas_.Count(0, 0, 10, 120), 0);
  EXPECT_EQ(canvas_.Count(70, 0, 400, 120), 0);

  // The same as the platform's own end ellipsis in that box.
  Canvas platform(400, 120);
  HGDIOBJ old = SelectObject(platform.dc(), font_.get());
  RECT same{10, 0, 70, 40};
  DrawTextW(platform.dc(), L"Hello wonderful world", -1, &same, DT_SINGLELINE | DT_EXPANDTABS | DT_VCENTER | DT_END_ELLIPSIS);
  SelectObject(platform.dc(), old);
  EXPECT_TRUE(canvas_.SameAs(platform));

  // Segments past the edge are clipped too, with or without the flag.
  Canvas clipped(400, 120);
  RECT narrow{10, 0, 70, 40};
  DrawLabel(clipped.dc(), L"Hello \\bwonderful\\b world", &narrow, font_.get(), 0);
  EXPECT_GT(clipped.Count(10, 0, 70, 40), 10);
  EXPECT_EQ(clipped.Count(70, 0, 400, 120), 0);
}

TEST_F(LabelDrawTest, PlainTextIsCollectedWhenAsked) {
  Measure(L"\\bSave\\b C:\\\\Temp\\cFF0000!", LABEL_COLLECT_TEXT);
  EXPECT_EQ(LabelPlainText(), L"Save C:\\Temp!");
  // The tool bar asks with the platform's calculate-only bit.
  RECT rect{0, 0, 0, 0};
  DrawLabel(canvas_.dc(), L"\\iOpen\\i", &rect, font_.get(), DT_CALCRECT | LABEL_COLLECT_TEXT);
  EXPECT_EQ(LabelPlainText(), L"Open");
  EXPECT_EQ(canvas_.Count(0, 0, 400, 120), 0);
  Measure(L"\\bother");
  EXPECT_EQ(LabelPlainText(), L"Open");
}

TEST_F(LabelDrawTest, MissingArgumentsAreRefused) {
  RECT rect{0, 0, 100, 20};
  EXPECT_EQ(DrawLabel(nullptr, L"x", &rect, font_.get(), 0), 0);
  EXPECT_EQ(DrawLabel(canvas_.dc(), L"x", nullptr, font_.get(), 0), 0);
  // No text is an empty label: one line high, no width.
  EXPECT_EQ(MeasureLabel(canvas_.dc(), nullptr, &rect, font_.get()), Metrics().tmHeight);
  EXPECT_EQ(rect.right, 0);
}

}  // namespace
}  // namespace lumora
