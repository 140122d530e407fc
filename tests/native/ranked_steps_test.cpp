// Steps registered by rank: the order they run in, names registered twice
// and removal.
#include "toolkit/base/ranked_steps.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumora {
namespace {

using Names = std::vector<std::string>;

TEST(RankedSteps, LowRanksFirstAndEqualRanksInTheOrderTheyCame) {
  RankedSteps<int> steps;
  EXPECT_TRUE(steps.Add(300, "c", 3));
  EXPECT_TRUE(steps.Add(100, "a", 1));
  EXPECT_TRUE(steps.Add(300, "d", 4));
  EXPECT_TRUE(steps.Add(200, "b", 2));
  EXPECT_TRUE(steps.Add(300, "e", 5));
  EXPECT_TRUE(steps.Add(-5, "first", 0));
  EXPECT_EQ(steps.Names(), (Names{"first", "a", "b", "c", "d", "e"}));
  std::vector<int> actions;
  for (const auto& step : steps.InOrder()) actions.push_back(step.action);
  EXPECT_EQ(actions, (std::vector<int>{0, 1, 2, 3, 4, 5}));
}

TEST(RankedSteps, ANameRegisteredAgainKeepsItsFirstPlaceAndAction) {
  RankedSteps<int> steps;
  EXPECT_TRUE(steps.Add(200, "bars", 1));
  EXPECT_TRUE(steps.Add(300, "menus", 2));
  EXPECT_FALSE(steps.Add(400, "bars", 9));
  EXPECT_FALSE(steps.Add(200, "bars", 1));
  EXPECT_EQ(steps.Names(), (Names{"bars", "menus"}));
  EXPECT_EQ(steps.InOrder().front().action, 1);
  EXPECT_TRUE(steps.Contains("menus"));
  EXPECT_FALSE(steps.Contains("menu"));
}

TEST(RankedSteps, RemovedAndClearedStepsCanComeBack) {
  RankedSteps<int> steps;
  steps.Add(100, "a", 1);
  steps.Add(200, "b", 2);
  steps.Remove("a");
  steps.Remove("unknown");
  EXPECT_EQ(steps.Names(), (Names{"b"}));
  EXPECT_TRUE(steps.Add(300, "a", 3));
  EXPECT_EQ(steps.Names(), (Names{"b", "a"}));
  steps.Clear();
  EXPECT_TRUE(steps.Names().empty());
  EXPECT_TRUE(steps.Add(100, "b", 4));
  EXPECT_EQ(steps.Names(), (Names{"b"}));
}

}  // namespace
}  // namespace lumora
