// The search marks that wait for idle time, against where the text they
// stand on has gone: after edits, with some ranges marked ahead of the
// others (on screen, or around the match Find Next went to), every waiting
// range must still cover exactly its text.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "app/search/pending_marks.h"

namespace {

using tavrel::PendingMarks;
using tavrel::TextMatch;

std::string Describe(const std::vector<TextMatch>& ranges) {
  std::string out;
  for (const TextMatch& r : ranges) out += std::to_string(r.start) + "-" + std::to_string(r.start + r.length) + " ";
  return out;
}

std::string Waiting(PendingMarks& marks) {
  std::vector<TextMatch> left;
  TextMatch range{};
  while (marks.TakeNext(range)) left.push_back(range);
  return Describe(left);
}

TEST(PendingMarks, EditBeforeRangesMarkedAheadMovesThemAll) {
  // A hundred matches "ab" at the start of three-byte lines; those on lines
  // 40 to 59 are marked ahead of the others, as around a match Find Next
  // went to.
  std::vector<TextMatch> matches;
  for (int64_t k = 0; k < 100; ++k) matches.push_back({3 * k, 2});
  PendingMarks marks;
  marks.Start(matches, matches.size());
  std::vector<TextMatch> marked;
  marks.TakeIn(120, 178, [&](const TextMatch& r) { marked.push_back(r); });
  ASSERT_EQ(marked.size(), 20u);
  // The first 50 lines removed, half the marked ones with them, so that
  // waiting matches come before where the others were; then a letter typed
  // at the start of a waiting match, which only moves it.
  marks.Move(0, -150);
  marks.Move(99, 1);
  std::string expected;
  for (int64_t k = 60; k < 100; ++k) {
    const int64_t start = 3 * k - 150 + (3 * k - 150 >= 99 ? 1 : 0);
    expected += std::to_string(start) + "-" + std::to_string(start + 2) + " ";
  }
  EXPECT_EQ(Waiting(marks), expected);
}

// Where a position goes through an edit: an insertion at a range's start
// moves the range, one at its end leaves it.
int64_t MoveStart(int64_t at, int64_t position, int64_t length) {
  if (length > 0) return at >= position ? at + length : at;
  return at < position ? at : std::max(position, at + length);
}
int64_t MoveEnd(int64_t at, int64_t position, int64_t length) {
  if (length > 0) return at > position ? at + length : at;
  return at <= position ? at : std::max(position, at + length);
}

TEST(PendingMarks, RandomEditsAndMarkingKeepEveryWaitingRangeOnItsText) {
  std::mt19937 random(20261207);
  for (int round = 0; round < 300; ++round) {
    // Matches of random lengths and gaps, some touching.
    std::vector<TextMatch> matches;
    int64_t at = 0;
    const int count = 1 + static_cast<int>(random() % 300);
    for (int i = 0; i < count; ++i) {
      at += static_cast<int64_t>(random() % 5);
      matches.push_back({at, 1 + static_cast<int64_t>(random() % 4)});
      at += matches.back().length;
    }
    PendingMarks marks;
    marks.Start(matches, random() % 4 == 0 ? random() % matches.size() : matches.size());
    // The model: every range, waiting or not, moved one by one.
    std::vector<TextMatch> model;
    {
      PendingMarks copy = marks;
      TextMatch r{};
      while (copy.TakeNext(r)) model.push_back(r);
    }
    std::vector<bool> waiting(model.size(), true);
    auto mark = [&](const TextMatch& r) {
      bool found = false;
      for (size_t i = 0; i < model.size(); ++i)
        if (waiting[i] && model[i].start == r.start && model[i].length == r.length) {
          waiting[i] = false;
          found = true;
          break;
        }
      ASSERT_TRUE(found) << "marked " << r.start << "+" << r.length << " which is no waiting range";
    };
    for (int step = 0; step < 40 && marks.pending(); ++step) {
      const int64_t size = at + 10;
      const int64_t position = static_cast<int64_t>(random() % static_cast<unsigned>(size));
      switch (random() % 4) {
        case 0: {
          const int64_t from = static_cast<int64_t>(random() % static_cast<unsigned>(size));
          marks.TakeIn(from, from + static_cast<int64_t>(random() % 30), mark);
          break;
        }
        case 1: {
          TextMatch r{};
          if (marks.TakeNext(r)) mark(r);
          break;
        }
        default: {
          const int64_t length = random() % 2 ? 1 + static_cast<int64_t>(random() % 20)
                                              : -std::min<int64_t>(size - position, 1 + random() % 40);
          marks.Move(position, length);
          for (TextMatch& r : model) {
            const int64_t start = MoveStart(r.start, position, length);
            const int64_t end = r.length > 0 ? MoveEnd(r.start + r.length, position, length) : start;
            r = {start, std::max<int64_t>(end - start, 0)};
          }
          at = std::max<int64_t>(at + length, 0);
        }
      }
      if (HasFatalFailure()) return;
    }
    std::vector<TextMatch> expected;
    for (size_t i = 0; i < model.size(); ++i)
      if (waiting[i] && model[i].length > 0) expected.push_back(model[i]);
    ASSERT_EQ(Waiting(marks), Describe(expected)) << "round " << round;
  }
}

}  // namespace
