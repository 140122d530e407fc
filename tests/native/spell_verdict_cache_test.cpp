// The spelling verdict cache stays within its bound however many distinct
// words pass through it, keeps the words in use, and never answers a word
// with another word's verdict.
#include <gtest/gtest.h>

#include <string>

#include "app/spelling/spell_verdict_cache.h"

namespace tavrel {
namespace {

// A verdict that differs from word to word, to catch a mix-up.
bool Rule(const std::string& word) { return word.size() % 3 != 0 && word.back() != '7'; }

TEST(SpellVerdictCache, ManyDistinctWordsStayWithinTheBoundWithTheirOwnVerdicts) {
  SpellVerdictCache cache(1000);
  for (int i = 0; i < 100000; ++i) {
    // Every word comes twice, the second time a few thousand words later.
    const std::string word = "w" + std::to_string(i % 2 ? i / 2 : (i / 2 + 3000) % 50000);
    if (const bool* known = cache.Find(word)) {
      ASSERT_EQ(*known, Rule(word)) << word;
    } else {
      cache.Add(word, Rule(word));
    }
    ASSERT_LE(cache.Size(), cache.Limit());
  }
  EXPECT_EQ(cache.Limit(), 1000u);
  EXPECT_GE(cache.Size(), 500u);
  // Words come back: older ones were found again while still kept.
  for (int i = 0; i < 100; ++i) {
    const std::string word = "again" + std::to_string(i);
    cache.Add(word, Rule(word));
  }
  for (int i = 0; i < 100; ++i) {
    const std::string word = "again" + std::to_string(i);
    const bool* known = cache.Find(word);
    ASSERT_TRUE(known) << word;
    EXPECT_EQ(*known, Rule(word));
  }
}

TEST(SpellVerdictCache, AWordInUseSurvivesAStreamOfNewOnes) {
  SpellVerdictCache cache(100);
  cache.Add("the", true);
  cache.Add("teh", false);
  for (int i = 0; i < 10000; ++i) {
    cache.Add("word" + std::to_string(i), true);
    if (i % 40 == 0) {
      ASSERT_TRUE(cache.Find("the")) << i;
      ASSERT_TRUE(cache.Find("teh")) << i;
    }
  }
  EXPECT_TRUE(*cache.Find("the"));
  EXPECT_FALSE(*cache.Find("teh"));
  // One not used since is gone.
  EXPECT_EQ(cache.Find("word0"), nullptr);
}

TEST(SpellVerdictCache, AcceptingAWordForgetsOnlyMisspeltVerdictsOfBothGenerations) {
  SpellVerdictCache cache(8);
  cache.Add("wrold", false);
  cache.Add("world", true);
  for (int i = 0; i < 3; ++i) cache.Add("x" + std::to_string(i), i % 2 == 0);  // the first two age
  cache.ForgetMisspelt();
  EXPECT_EQ(cache.Find("wrold"), nullptr);
  EXPECT_EQ(cache.Find("x1"), nullptr);
  ASSERT_TRUE(cache.Find("world"));
  EXPECT_TRUE(*cache.Find("world"));
  ASSERT_TRUE(cache.Find("x2"));
  // A new verdict replaces an old one wherever it was kept.
  cache.Add("world", false);
  EXPECT_FALSE(*cache.Find("world"));
  cache.Clear();
  EXPECT_EQ(cache.Size(), 0u);
}

}  // namespace
}  // namespace tavrel
