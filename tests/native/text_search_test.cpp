// The matcher against cases worked out by hand from the editing component's
// search rules: folding that changes a character's length, overlaps, invalid
// bytes, range ends, and the shortcut for a text that extends the last one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/search/case_fold.h"
#include "app/search/text_search.h"

namespace {

using tavrel::FindAllMatches;
using tavrel::FindMatchesAmong;
using tavrel::SearchResult;

// "start+length" of every match.
std::vector<std::string> Matches(const std::string& doc, const std::string& text, int64_t start = 0,
                                 int64_t end = -1) {
  SearchResult result;
  FindAllMatches(doc, start, end < 0 ? static_cast<int64_t>(doc.size()) : end, text, result);
  std::vector<std::string> out;
  for (const auto& m : result.matches) out.push_back(std::to_string(m.start) + "+" + std::to_string(m.length));
  return out;
}

using V = std::vector<std::string>;

TEST(TextSearch, AsciiIsCaseInsensitiveAndOverlapping) {
  EXPECT_EQ(Matches("aaa", "aa"), (V{"0+2", "1+2"}));
  EXPECT_EQ(Matches("xAbAbAx", "aba"), (V{"1+3", "3+3"}));
  EXPECT_EQ(Matches("Hello hello HELLO", "hello"), (V{"0+5", "6+5", "12+5"}));
  EXPECT_EQ(Matches("abc", ""), V{});
  EXPECT_EQ(Matches("ab", "abc"), V{});
  // Only case differs between letters; punctuation next to them does not fold.
  EXPECT_EQ(Matches("[{@`", "[{@`"), (V{"0+4"}));
  EXPECT_EQ(Matches("{", "["), V{});
}

TEST(TextSearch, FoldingThatChangesLengthMarksTheDocumentBytes) {
  // "ß" (2 bytes) folds to "ss": found by "ss" over 2 document bytes, and
  // not by a single "s".
  EXPECT_EQ(Matches("Stra\xC3\x9F" "e", "strasse"), (V{"0+7"}));
  EXPECT_EQ(Matches("\xC3\x9F", "s"), V{});
  EXPECT_EQ(Matches("\xC3\x9F", "SS"), (V{"0+2"}));
  // Kelvin sign (3 bytes) folds to "k"; long s (2 bytes) to "s".
  EXPECT_EQ(Matches("\xE2\x84\xAA" "m", "km"), (V{"0+4"}));
  EXPECT_EQ(Matches("\xC5\xBF" "t", "ST"), (V{"0+3"}));
  // Non-ASCII letters fold both ways: "É" and "é", Greek and Cyrillic.
  EXPECT_EQ(Matches("caf\xC3\x89 CAF\xC3\xA9", "caf\xC3\xA9"), (V{"0+5", "6+5"}));
  EXPECT_EQ(Matches("\xCE\xA3\xCF\x83\xCF\x82", "\xCF\x83"), (V{"0+2", "2+2", "4+2"}));
  EXPECT_EQ(Matches("\xD0\x9C\xD0\xB8\xD1\x80", "\xD0\xBC\xD0\x98\xD0\xA0"), (V{"0+6"}));
  // Search text in upper case with a fold longer than the original.
  EXPECT_EQ(Matches("i\xCC\x87x", "\xC4\xB0X"), (V{"0+4"}));
}

TEST(TextSearch, InvalidBytesStandAloneAndMatchThemselvesOnly) {
  // A truncated sequence is one byte at a time; the letter after it is found.
  EXPECT_EQ(Matches("\xE4\xB8" "ab\xE4\xB8\xAD", "b"), (V{"3+1"}));
  EXPECT_EQ(Matches("\xE4\xB8" "ab\xE4\xB8\xAD", "\xE4\xB8\xAD"), (V{"4+3"}));
  // Stray trail bytes, an overlong form and a surrogate never match a letter.
  EXPECT_EQ(Matches("\x80" "a\xC0\xAF" "a\xED\xA0\x80" "A", "a"), (V{"1+1", "4+1", "8+1"}));
  // A lead byte cut off by the end of the range or the document.
  EXPECT_EQ(Matches("x\xC3", "x"), (V{"0+1"}));
  EXPECT_EQ(Matches("\xC3\xA9\xC3\xA9", "\xC3\xA9", 0, 3), (V{"0+2", "2+2"}));
}

TEST(TextSearch, RangeStartInsideACharacterMovesToItsEnd) {
  EXPECT_EQ(Matches("\xC3\xA9\xC3\xA9", "\xC3\xA9", 1), (V{"2+2"}));
  EXPECT_EQ(Matches("abab", "ab", 1), (V{"2+2"}));
  EXPECT_EQ(Matches("abab", "ab", 0, 3), (V{"0+2"}));
}

TEST(TextSearch, ExtendingTheTextTriesOnlyWhereTheShorterMatched) {
  const std::string doc = "Stra\xC3\x9F" "e strasse STRAS sss \xC3\x9F" "s";
  for (const std::vector<std::string>& steps : {std::vector<std::string>{"s", "ss", "sss"},
                                                 std::vector<std::string>{"s", "st", "stras", "strass", "strasse"}}) {
    SearchResult previous;
    FindAllMatches(doc, 0, static_cast<int64_t>(doc.size()), steps[0], previous);
    for (size_t i = 1; i < steps.size(); ++i) {
      SearchResult full, narrowed;
      FindAllMatches(doc, 0, static_cast<int64_t>(doc.size()), steps[i], full);
      FindMatchesAmong(doc, static_cast<int64_t>(doc.size()), steps[i], previous, narrowed);
      ASSERT_EQ(full.matches.size(), narrowed.matches.size()) << steps[i];
      for (size_t m = 0; m < full.matches.size(); ++m) {
        EXPECT_EQ(full.matches[m].start, narrowed.matches[m].start) << steps[i];
        EXPECT_EQ(full.matches[m].length, narrowed.matches[m].length) << steps[i];
      }
      previous = narrowed;
    }
  }
  // "ss" finds the "ß" in "Straße" that "s" alone did not match.
  SearchResult ss;
  FindAllMatches(doc, 0, static_cast<int64_t>(doc.size()), "ss", ss);
  EXPECT_EQ(ss.matches.front().start, 4);
}

TEST(TextSearch, ResultThatReachesTheLimitExactlyStillNarrowsFully) {
  // "s" matches twice and partly matches "ß" after both: with a limit of
  // two the result is complete, and "ss" must still find the "ß".
  const std::string doc = "s s \xC3\x9F";
  SearchResult at_limit, narrowed;
  FindAllMatches(doc, 0, static_cast<int64_t>(doc.size()), "s", at_limit, nullptr, 2);
  ASSERT_TRUE(at_limit.complete());
  FindMatchesAmong(doc, static_cast<int64_t>(doc.size()), "ss", at_limit, narrowed);
  EXPECT_EQ(narrowed.count, 1);
  // One match more than the limit: the result is incomplete and keeps no
  // partial matches.
  SearchResult over;
  FindAllMatches(doc + "s", 0, static_cast<int64_t>(doc.size()) + 1, "s", over, nullptr, 2);
  EXPECT_EQ(over.count, 3);
  EXPECT_FALSE(over.complete());
  EXPECT_TRUE(over.partial_starts.empty());
}

TEST(TextSearch, SearchTellingItsProgressFindsMatchesAcrossItsSlices) {
  // Matches that straddle the edge between two slices, in both the
  // sixteen-at-a-time scan and the byte-by-byte tail.
  const int64_t edge = tavrel::kSearchProgressBytes;
  std::string doc(static_cast<size_t>(2 * edge + 7), '.');
  for (int64_t at : {edge - 2, edge - 1, 2 * edge - 3, 2 * edge + 3}) doc.replace(static_cast<size_t>(at), 4, "StRa");
  SearchResult plain, told;
  FindAllMatches(doc, 0, static_cast<int64_t>(doc.size()), "stra", plain);
  std::vector<int64_t> reached;
  FindAllMatches(doc, 0, static_cast<int64_t>(doc.size()), "stra", told, [&](int64_t at) { reached.push_back(at); });
  ASSERT_EQ(plain.matches.size(), 3u);  // the second one overwrote the first
  ASSERT_EQ(told.matches.size(), plain.matches.size());
  for (size_t i = 0; i < plain.matches.size(); ++i) EXPECT_EQ(told.matches[i].start, plain.matches[i].start);
  EXPECT_EQ(reached, (std::vector<int64_t>{edge, 2 * edge, static_cast<int64_t>(doc.size())}));
}

TEST(TextSearch, FoldOfSearchTextIsPerCharacter) {
  EXPECT_EQ(tavrel::FoldSearchText("A"), "a");
  EXPECT_EQ(tavrel::FoldSearchText("\xC3\x9F" "X"), "ssx");
  // An invalid sequence in a search text is copied byte for byte.
  EXPECT_EQ(tavrel::FoldSearchText("\xE4\xB8" "A"), "\xE4\xB8" "a");
}

}  // namespace
