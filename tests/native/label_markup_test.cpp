#include "toolkit/style/label_markup.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace lumora {
namespace {

TEST(LabelCodeParsing, LettersInEitherCase) {
  const std::wstring letters = L"biusn|lBIUSN|L";
  const LabelCodeKind kinds[] = {LabelCodeKind::Bold,   LabelCodeKind::Italic,    LabelCodeKind::Underline,
                                 LabelCodeKind::StrikeOut, LabelCodeKind::Normal, LabelCodeKind::LineBreak,
                                 LabelCodeKind::LinkEnd};
  for (size_t i = 0; i < letters.size(); ++i) {
    auto code = ParseLabelCode(std::wstring(L"\\") + letters[i], 0);
    ASSERT_TRUE(code) << i;
    EXPECT_EQ(code->kind, kinds[i % 7]) << i;
    EXPECT_EQ(code->length, 2u) << i;
  }
}

TEST(LabelCodeParsing, ColourNeedsSixHexDigitsWithinTheText) {
  auto code = ParseLabelCode(L"x\\C12aBcDword", 1);
  ASSERT_TRUE(code);
  EXPECT_EQ(code->kind, LabelCodeKind::Colour);
  EXPECT_EQ(code->length, 8u);
  EXPECT_EQ(code->value, 0xCDAB12);  // RRGGBB becomes a COLORREF
  for (const wchar_t* text : {L"\\c", L"\\c12", L"\\c12345", L"\\c12345G"})
    EXPECT_FALSE(ParseLabelCode(text, 0)) << text;
  // Digits after the end of the view are not the label's.
  const std::wstring buffer = L"\\c123456";
  EXPECT_FALSE(ParseLabelCode(std::wstring_view(buffer).substr(0, 5), 0));
}

TEST(LabelCodeParsing, LinksAndNonCodes) {
  auto code = ParseLabelCode(L"\\l123abc", 0);
  ASSERT_TRUE(code);
  EXPECT_EQ(code->kind, LabelCodeKind::LinkStart);
  EXPECT_EQ(code->value, 123);
  EXPECT_EQ(code->length, 5u);
  code = ParseLabelCode(L"\\l99999999999999999999x", 0);
  EXPECT_EQ(code->value, 2147483647);
  EXPECT_EQ(code->length, 22u);
  EXPECT_EQ(ParseLabelCode(L"\\lx", 0)->kind, LabelCodeKind::LinkEnd);

  EXPECT_FALSE(ParseLabelCode(L"\\\\", 0));  // escaped backslash
  EXPECT_FALSE(ParseLabelCode(L"\\T", 0));   // unknown letter
  EXPECT_FALSE(ParseLabelCode(L"a\\", 1));   // trailing backslash
  EXPECT_FALSE(ParseLabelCode(L"\\b", 2));   // past the end
}

TEST(LabelSplitting, PathsAndEscapes) {
  auto segments = SplitLabel(L"C:\\Users");
  ASSERT_EQ(segments.size(), 2u);
  EXPECT_EQ(segments[0].raw, L"C:");
  EXPECT_EQ(segments[0].code->kind, LabelCodeKind::Underline);
  EXPECT_EQ(segments[0].code_pos, 2u);
  EXPECT_EQ(segments[1].raw, L"sers");
  EXPECT_FALSE(segments[1].code);

  const struct {
    const wchar_t* label;
    const wchar_t* text;
  } single[] = {
      {L"C:\\\\Temp\\\\x", L"C:\\Temp\\x"},  // doubled backslashes
      {L"C:\\Temp", L"C:Temp"},               // unknown code: letter kept
      {L"a\\\\b", L"a\\b"},                   // escaped, then a code letter
      {L"red \\c12", L"red c12"},             // colour cut short
      {L"dir\\", L"dir"},                     // lone trailing backslash
  };
  for (const auto& c : single) {
    segments = SplitLabel(c.label);
    ASSERT_EQ(segments.size(), 1u) << c.label;
    EXPECT_EQ(UnescapeLabelText(segments[0].raw), c.text);
  }

  segments = SplitLabel(L"a\\\\\\bc");  // escape, then a real code
  ASSERT_EQ(segments.size(), 2u);
  EXPECT_EQ(UnescapeLabelText(segments[0].raw), L"a\\");

  segments = SplitLabel(L"\\b\\cFF0000\\l7x\\l\\|");  // codes back to back
  ASSERT_EQ(segments.size(), 6u);
  EXPECT_EQ(segments[2].code->value, 7);
  EXPECT_EQ(segments[3].raw, L"x");
  EXPECT_EQ(segments[5].raw, L"");
}

TEST(LabelStripping, CodesOut) {
  EXPECT_EQ(StripLabelCodes(L"\\bSave\\b as \\cFF0000red\\n C:\\\\Temp\\|x\\l3link\\l"),
            L"Save as red C:\\Temp\nxlink");
  EXPECT_EQ(RemoveLabelLinkCodes(L"\\bSee \\l12here\\l\\b, C:\\\\x"), L"\\bSee here\\b, C:\\\\x");
  EXPECT_TRUE(LabelHasLineBreak(L"one\\|two"));
  EXPECT_FALSE(LabelHasLineBreak(L"one\\\\|two"));
}

TEST(LabelFontArithmetic, BoldIsSevenHundredOrFourHundred) {
  const LabelFontState semibold{600, false, true, false};
  LabelFontState f = ApplyLabelFontCode(semibold, semibold, LabelCodeKind::Bold);
  EXPECT_EQ(f.weight, 700);
  EXPECT_EQ(ApplyLabelFontCode(f, semibold, LabelCodeKind::Bold).weight, 400);
  f = ApplyLabelFontCode(f, semibold, LabelCodeKind::Underline);
  f = ApplyLabelFontCode(f, semibold, LabelCodeKind::Italic);
  EXPECT_EQ(f, (LabelFontState{700, true, false, false}));
  EXPECT_EQ(ApplyLabelFontCode(f, semibold, LabelCodeKind::Colour), f);
  EXPECT_EQ(ApplyLabelFontCode(f, semibold, LabelCodeKind::Normal), semibold);
}

// Runs every reader over an exact-size heap copy, so that AddressSanitizer
// catches a read one character past the end, and checks that segments and
// codes together are the label, in order.
void CheckInvariants(const std::wstring& original) {
  const std::vector<wchar_t> exact(original.begin(), original.end());
  const std::wstring_view text(exact.data(), exact.size());
  std::wstring reassembled;
  for (const LabelSegment& segment : SplitLabel(text)) {
    reassembled.append(segment.raw);
    if (segment.code) reassembled.append(text.substr(segment.code_pos, segment.code->length));
    EXPECT_LE(UnescapeLabelText(segment.raw).size(), segment.raw.size());
  }
  ASSERT_EQ(reassembled, original);
  EXPECT_LE(StripLabelCodes(text).size(), text.size());
  EXPECT_LE(RemoveLabelLinkCodes(text).size(), text.size());
  (void)LabelHasLineBreak(text);
}

TEST(LabelMarkupRobustness, EveryShortTextOverTheCodeAlphabet) {
  // Exhaustive up to five characters: every code cut off at every point.
  const std::wstring alphabet = L"\\cl1F|bx";
  for (size_t length = 0; length <= 5; ++length) {
    std::vector<size_t> digits(length, 0);
    for (;;) {
      std::wstring text(length, L' ');
      for (size_t i = 0; i < length; ++i) text[i] = alphabet[digits[i]];
      CheckInvariants(text);
      if (HasFailure()) return;
      size_t i = 0;
      while (i < length && ++digits[i] == alphabet.size()) digits[i++] = 0;
      if (i == length) break;
    }
  }
}

TEST(LabelMarkupRobustness, RandomGarbage) {
  std::mt19937 random(20240611u);
  const std::wstring alphabet = L"\\\\\\bBiIuUsSnNcClL|0123456789aAfFgx &\t\n";
  for (int round = 0; round < 20000 && !HasFailure(); ++round) {
    std::wstring text(random() % 64, L' ');
    for (wchar_t& c : text)
      c = (random() % 16 == 0) ? static_cast<wchar_t>(random() % 0xFFFF + 1) : alphabet[random() % alphabet.size()];
    CheckInvariants(text);
  }
}

}  // namespace
}  // namespace lumora
