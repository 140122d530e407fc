#include "toolkit/style/label_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

namespace lumora {
namespace {

// Every character is 10 pixels wide (12 bold), a line 16 high (20 italic),
// so expected positions are easy sums.
class GridMeasurer final : public LabelMeasurer {
 public:
  LabelSize MeasureText(std::wstring_view text, const LabelFontState& font, bool single_line) override {
    measured.emplace_back(text);
    const int32_t advance = font.weight >= 700 ? 12 : 10, height = font.italic ? 20 : 16;
    int32_t widest = 0, width = 0, lines = 1;
    for (wchar_t c : text) {
      if (c == L'\n' && !single_line) {
        ++lines;
        width = 0;
        continue;
      }
      widest = std::max(widest, width += advance);
    }
    return {widest, lines * height};
  }
  std::vector<std::wstring> measured;
};

constexpr uint32_t kVCentre = 0x164, kTop = 0x160, kCentre = 0x165;
constexpr int32_t kLine = 16 + LABEL_LINE_SPACING;

LabelLayout Layout(std::wstring_view text, uint32_t flags = 0, LabelRect rect = {100, 50, 400, 90}) {
  GridMeasurer measurer;
  return LayoutLabel(text, rect, flags, LabelFontState{}, measurer);
}

void ExpectBox(const LabelRect& box, int32_t left, int32_t top, int32_t right, int32_t bottom) {
  EXPECT_EQ(std::vector<int32_t>({box.left, box.top, box.right, box.bottom}),
            std::vector<int32_t>({left, top, right, bottom}));
}

TEST(LabelPlacement, ModesChooseFormatAndBox) {
  auto layout = Layout(L"Hello");
  ASSERT_EQ(layout.runs.size(), 1u);
  EXPECT_EQ(layout.runs[0].format, kVCentre);
  ExpectBox(layout.runs[0].box, 100, 50, 150, 90);
  EXPECT_EQ(layout.extent.cx, 50);
  EXPECT_EQ(layout.extent.cy, 16);

  layout = Layout(L"Hello", LABEL_TOP_ALIGNED | LABEL_CENTRE_H | LABEL_CENTRE_V);
  EXPECT_EQ(layout.runs[0].format, kTop);
  ExpectBox(layout.runs[0].box, 100, 50, 150, 66);
  EXPECT_EQ(Layout(L"Hello", LABEL_CENTRE_H).runs[0].format, kVCentre);  // half the pair is nothing
}

TEST(LabelPlacement, CentringShiftsWholeLines) {
  // "ab" + bold "cd" = 44 wide in 300: the line starts 128 in.
  auto layout = Layout(L"ab\\bcd\\|x", LABEL_CENTRE_H | LABEL_CENTRE_V, {100, 0, 400, 200});
  ASSERT_EQ(layout.runs.size(), 3u);
  EXPECT_EQ(layout.runs[0].format, kCentre);
  ExpectBox(layout.runs[1].box, 248, 0, 272, 200);
  EXPECT_EQ(layout.runs[2].box.left, 100 + (300 - 12) / 2);
  // Wider than the rectangle: from its left edge.
  EXPECT_EQ(Layout(L"0123456789", LABEL_CENTRE_H | LABEL_CENTRE_V, {0, 0, 50, 20}).runs[0].box.left, 0);
}

TEST(LabelPlacement, CodesTakeNoRoomButEmptyTextHasHeight) {
  GridMeasurer measurer;
  auto layout = LayoutLabel(L"\\b\\i\\bA", {100, 0, 400, 90}, 0, LabelFontState{}, measurer);
  ASSERT_EQ(layout.runs.size(), 1u);
  EXPECT_EQ(layout.runs[0].box.left, 100);
  EXPECT_EQ(measurer.measured[0], L" ");
  EXPECT_EQ(layout.extent.cy, 20);  // the italic blank before the last "\b"
  EXPECT_EQ(Layout(L"").extent.cy, 16);
}

TEST(LabelPlacement, ColourAndNormal) {
  auto layout = Layout(L"\\cFF0000\\b\\uword\\n rest");
  ASSERT_EQ(layout.runs.size(), 2u);
  EXPECT_EQ(layout.runs[0].colour, 0x0000FF);
  EXPECT_EQ(layout.runs[1].colour, -1);
  EXPECT_EQ(layout.runs[1].font, LabelFontState{});
}

TEST(LabelLines, LineBreakAddsTheTallestLinePlusSpacing) {
  auto layout = Layout(L"ab\\|c\\ide\\i\\|z", LABEL_TOP_ALIGNED, {0, 0, 300, 500});
  ASSERT_EQ(layout.runs.size(), 4u);
  ExpectBox(layout.runs[0].box, 0, 0, 20, kLine);
  ExpectBox(layout.runs[2].box, 10, kLine, 30, kLine + 20 + LABEL_LINE_SPACING);
  EXPECT_EQ(layout.runs[3].box.top, kLine + 20 + LABEL_LINE_SPACING);
  EXPECT_EQ(layout.extent.cx, 30);
  EXPECT_EQ(layout.extent.cy, 2 * kLine + 20 + LABEL_LINE_SPACING);
  EXPECT_EQ(Layout(L"a\\\\|b").extent.cy, 16);  // escaped: text, no spacing

  // Lines that start below the rectangle are not drawn; boxes stop at its bottom.
  layout = Layout(L"one\\|two\\|three", LABEL_TOP_ALIGNED, {0, 0, 300, 30});
  ASSERT_EQ(layout.runs.size(), 2u);
  EXPECT_EQ(layout.runs[1].box.bottom, 30);
  EXPECT_EQ(layout.extent.cy, 3 * kLine);
}

TEST(LabelClipping, RightEdgeAndEllipsis) {
  auto layout = Layout(L"abc\\bdefgh\\bijk", 0, {0, 0, 60, 20});
  ASSERT_EQ(layout.runs.size(), 2u);  // "ijk" starts past the edge
  EXPECT_EQ(layout.runs[0].format, kVCentre);
  ExpectBox(layout.runs[1].box, 30, 0, 60, 20);
  EXPECT_EQ(layout.runs[1].format, kVCentre & ~LABEL_DT_NOCLIP);
  EXPECT_EQ(layout.extent.cx, 30 + 60 + 30);

  layout = Layout(L"abcd\\bx", LABEL_END_ELLIPSIS, {0, 0, 45, 20});
  EXPECT_EQ(layout.runs[0].format, kVCentre | LABEL_DT_END_ELLIPSIS);
  EXPECT_EQ(layout.runs[1].text, L"...");  // one character cannot be shortened
  EXPECT_EQ(layout.runs[1].format, (kVCentre & ~LABEL_DT_NOCLIP) | LABEL_DT_END_ELLIPSIS);
  EXPECT_EQ(Layout(L"abcd\\bx", LABEL_PATH_ELLIPSIS, {0, 0, 45, 20}).runs[1].text, L"x");
}

TEST(LabelLinks, PositionsAndStrayMarkers) {
  auto layout = Layout(L"Go \\l22the\\bre\\b\\l.", LABEL_RECORD_LINKS);
  ASSERT_EQ(layout.links.size(), 1u);
  EXPECT_EQ(layout.links[0].left, 30);
  EXPECT_EQ(layout.links[0].right, 30 + 50);  // "there", measured without its codes
  EXPECT_TRUE(Layout(L"Go \\l1here\\l").links.empty());

  layout = Layout(L"ab\\|c\\l4de\\l", LABEL_RECORD_LINKS, {0, 0, 300, 100});
  EXPECT_EQ(layout.links[0].left, 10);
  EXPECT_EQ(layout.links[0].top, kLine);
  layout = Layout(L"\\l4ab\\l", LABEL_RECORD_LINKS | LABEL_CENTRE_H | LABEL_CENTRE_V, {0, 0, 100, 20});
  EXPECT_EQ(layout.links[0].left, 40);  // where the centred text is drawn

  EXPECT_TRUE(Layout(L"x\\ly\\l5z", LABEL_RECORD_LINKS).links.empty());  // end first, no end
  layout = Layout(L"\\l1a\\l2b\\l", LABEL_RECORD_LINKS);  // a second start moves it
  ASSERT_EQ(layout.links.size(), 1u);
  EXPECT_EQ(layout.links[0].number, 2);
  EXPECT_EQ(layout.links[0].left, 10);
}

TEST(LabelPlain, CodesAreText) {
  auto layout = Layout(L"a\\bb\\|c", LABEL_PLAIN | LABEL_COLLECT_TEXT);
  ASSERT_EQ(layout.runs.size(), 1u);
  EXPECT_EQ(layout.runs[0].text, L"a\\bb\\|c");
  EXPECT_EQ(layout.extent.cy, 16);
  EXPECT_EQ(layout.plain_text, L"a\\bb\\|c");
}

TEST(LabelLayoutRobustness, RandomGarbage) {
  std::mt19937 random(77u);
  const std::wstring alphabet = L"\\\\\\\\bBiuUsnNcClL|||0123456789aAfFx &";
  for (int round = 0; round < 5000; ++round) {
    std::wstring text(random() % 48, L' ');
    for (wchar_t& c : text) c = alphabet[random() % alphabet.size()];
    const std::vector<wchar_t> exact(text.begin(), text.end());
    const LabelRect rect{static_cast<int32_t>(random() % 50), 0, static_cast<int32_t>(random() % 300),
                         static_cast<int32_t>(random() % 100)};
    GridMeasurer measurer;
    auto layout = LayoutLabel(std::wstring_view(exact.data(), exact.size()), rect,
                              static_cast<uint32_t>(random()) & 0xB0C531, LabelFontState{}, measurer);
    for (const LabelRun& run : layout.runs) {
      ASSERT_FALSE(run.text.empty()) << testing::PrintToString(text);
      ASSERT_LT(run.box.left, run.box.right);
      ASSERT_LE(run.box.right, rect.right);
      ASSERT_LE(run.box.bottom, rect.bottom);
    }
    for (const LabelLink& link : layout.links) ASSERT_LE(link.left, link.right);
  }
}

}  // namespace
}  // namespace lumora
