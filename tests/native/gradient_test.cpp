#include "toolkit/style/gradient.h"

#include <gtest/gtest.h>

#include <limits>

namespace lumora {
namespace {

constexpr int32_t kRed = static_cast<int32_t>(0xFFFF0000u);
constexpr int32_t kGreen = static_cast<int32_t>(0xFF00FF00u);
constexpr int32_t kBlue = static_cast<int32_t>(0xFF0000FFu);
constexpr int32_t kWhite = static_cast<int32_t>(0xFFFFFFFFu);
constexpr int32_t kBlack = static_cast<int32_t>(0xFF000000u);

std::vector<float> Positions(const Gradient& g) {
  std::vector<float> out;
  for (const GradientStop& s : g.stops) out.push_back(s.position);
  return out;
}

TEST(GradientStops, EndPositionsReplaceEndColoursInsteadOfAddingStops) {
  Gradient g{GRADIENT_HORIZONTAL, kRed, kBlue, {}};
  EXPECT_TRUE(InsertGradientStop(g, 0.0f, kGreen));
  EXPECT_EQ(g.colour1, kGreen);
  EXPECT_EQ(g.colour2, kBlue);
  EXPECT_TRUE(InsertGradientStop(g, 1.0f, kWhite));
  EXPECT_EQ(g.colour2, kWhite);
  EXPECT_TRUE(g.stops.empty());
}

TEST(GradientStops, StopsStayInAscendingOrder) {
  Gradient g{GRADIENT_VERTICAL, kRed, kBlue, {}};
  InsertGradientStop(g, 0.75f, kGreen);
  InsertGradientStop(g, 0.25f, kWhite);
  InsertGradientStop(g, 0.5f, kBlack);
  InsertGradientStop(g, 0.9f, kRed);
  EXPECT_EQ(Positions(g), (std::vector<float>{0.25f, 0.5f, 0.75f, 0.9f}));
  EXPECT_EQ(g.stops[0].colour, kWhite);
  EXPECT_EQ(g.stops[1].colour, kBlack);
  EXPECT_EQ(g.stops[2].colour, kGreen);
}

TEST(GradientStops, EqualPositionsInsertAfterTheExistingOnes) {
  Gradient g{GRADIENT_HORIZONTAL, kRed, kBlue, {}};
  InsertGradientStop(g, 0.5f, kGreen);
  InsertGradientStop(g, 0.5f, kWhite);
  InsertGradientStop(g, 0.5f, kBlack);
  InsertGradientStop(g, 0.25f, kRed);
  ASSERT_EQ(g.stops.size(), 4u);
  EXPECT_EQ(g.stops[0].colour, kRed);
  EXPECT_EQ(g.stops[1].colour, kGreen);
  EXPECT_EQ(g.stops[2].colour, kWhite);
  EXPECT_EQ(g.stops[3].colour, kBlack);
}

TEST(GradientStops, PositionsOutsideTheRangeAreRefused) {
  Gradient g{GRADIENT_HORIZONTAL, kRed, kBlue, {}};
  EXPECT_FALSE(InsertGradientStop(g, -0.1f, kGreen));
  EXPECT_FALSE(InsertGradientStop(g, 1.5f, kGreen));
  EXPECT_FALSE(InsertGradientStop(g, std::numeric_limits<float>::quiet_NaN(), kGreen));
  EXPECT_FALSE(InsertGradientStop(g, std::numeric_limits<float>::infinity(), kGreen));
  EXPECT_TRUE(g.stops.empty());
  EXPECT_EQ(g.colour1, kRed);
  EXPECT_EQ(g.colour2, kBlue);
}

TEST(GradientList, HandlesResolveOnlyToRegisteredRecords) {
  const GradientHandle h = RegisterGradient(GRADIENT_ELLIPSE, kRed, kBlue);
  ASSERT_NE(h, 0);
  EXPECT_EQ(AddGradientStop(h, 0.75f, kGreen), 1);
  EXPECT_EQ(AddGradientStop(h, 0.25f, kWhite), 1);
  EXPECT_EQ(AddGradientStop(h, 1.0f, kBlack), 1);
  EXPECT_EQ(AddGradientStop(h, 2.0f, kBlack), 0);

  const auto snap = GradientSnapshot(h);
  ASSERT_TRUE(snap.has_value());
  EXPECT_EQ(snap->kind, GRADIENT_ELLIPSE);
  EXPECT_EQ(snap->colour1, kRed);
  EXPECT_EQ(snap->colour2, kBlack);
  EXPECT_EQ(Positions(*snap), (std::vector<float>{0.25f, 0.75f}));

  EXPECT_EQ(AddGradientStop(0, 0.5f, kGreen), 0);
  EXPECT_EQ(AddGradientStop(h + 1, 0.5f, kGreen), 0);  // inside a record, not one
  int32_t not_a_gradient = 0;
  EXPECT_EQ(AddGradientStop(reinterpret_cast<GradientHandle>(&not_a_gradient), 0.5f, kGreen), 0);
  EXPECT_FALSE(GradientSnapshot(h + 1).has_value());
}

TEST(GradientList, RecordsKeepTheirHandlesAsTheListGrows) {
  const GradientHandle first = RegisterGradient(GRADIENT_HORIZONTAL, kRed, kRed);
  ASSERT_NE(first, 0);
  GradientHandle last = 0;
  for (int i = 0; i < 500; ++i) last = RegisterGradient(GRADIENT_VERTICAL, kBlue, kGreen);
  ASSERT_NE(last, 0);
  EXPECT_NE(first, last);
  EXPECT_EQ(AddGradientStop(first, 0.5f, kWhite), 1);
  const auto snap = GradientSnapshot(first);
  ASSERT_TRUE(snap.has_value());
  EXPECT_EQ(snap->kind, GRADIENT_HORIZONTAL);
  ASSERT_EQ(snap->stops.size(), 1u);
  EXPECT_EQ(snap->stops[0].colour, kWhite);
}

TEST(GradientList, UnknownKindsAreNotRegistered) {
  EXPECT_EQ(RegisterGradient(4, kRed, kBlue), 0);
  EXPECT_EQ(RegisterGradient(-1, kRed, kBlue), 0);
}

TEST(PresetBlends, LinearRunsFromColourOneThroughTheStopsToColourTwo) {
  Gradient g{GRADIENT_HORIZONTAL, kRed, kBlue, {}};
  EXPECT_TRUE(LinearPresetBlend(g).colours.empty());
  InsertGradientStop(g, 0.75f, kWhite);
  InsertGradientStop(g, 0.25f, kGreen);
  const PresetBlend blend = LinearPresetBlend(g);
  EXPECT_EQ(blend.colours, (std::vector<uint32_t>{0xFFFF0000u, 0xFF00FF00u, 0xFFFFFFFFu, 0xFF0000FFu}));
  EXPECT_EQ(blend.positions, (std::vector<float>{0.0f, 0.25f, 0.75f, 1.0f}));
}

TEST(PresetBlends, PathRunsFromTheRimToTheCentre) {
  Gradient g{GRADIENT_ELLIPSE, kRed, kBlue, {}};
  EXPECT_TRUE(PathPresetBlend(g).positions.empty());
  InsertGradientStop(g, 0.25f, kGreen);
  InsertGradientStop(g, 0.75f, kWhite);
  const PresetBlend blend = PathPresetBlend(g);
  EXPECT_EQ(blend.colours, (std::vector<uint32_t>{0xFF0000FFu, 0xFFFFFFFFu, 0xFF00FF00u, 0xFFFF0000u}));
  EXPECT_EQ(blend.positions, (std::vector<float>{0.0f, 0.25f, 0.75f, 1.0f}));
}

}  // namespace
}  // namespace lumora
