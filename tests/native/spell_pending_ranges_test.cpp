// What is still to be spell-checked in a big document, and how edits made
// meanwhile move it; and that text judged in pieces cut after a separator
// byte finds exactly the words of the whole.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "app/spelling/spell_pending_ranges.h"
#include "app/spelling/spell_words.h"

namespace tavrel {
namespace {

using Ranges = std::vector<ByteRange>;

PendingSpellRanges Of(const Ranges& ranges) {
  PendingSpellRanges pending;
  for (const ByteRange& r : ranges) pending.Add(r.start, r.end);
  return pending;
}

TEST(PendingSpellRanges, DeletionsCutRangesAndJoinWhatComesTogether) {
  PendingSpellRanges pending = Of({{10, 20}, {30, 40}, {50, 60}});
  pending.Deleted(0, 5);  // before everything
  EXPECT_EQ(pending.Ranges(), (Ranges{{5, 15}, {25, 35}, {45, 55}}));
  pending.Deleted(10, 20);  // from inside the first into the second
  EXPECT_EQ(pending.Ranges(), (Ranges{{5, 15}, {25, 35}}));
  pending.Deleted(20, 20);  // a whole range and more
  EXPECT_EQ(pending.Ranges(), (Ranges{{5, 15}}));
  pending.Deleted(7, 3);  // inside
  EXPECT_EQ(pending.Ranges(), (Ranges{{5, 12}}));
  pending.Deleted(0, 100);  // the whole document
  EXPECT_TRUE(pending.Empty());
}

TEST(PendingSpellRanges, WhatIsOnScreenComesFirstInPiecesOfBoundedSize) {
  const PendingSpellRanges pending = Of({{0, 100}, {500, 1000}});
  ByteRange piece;
  ASSERT_TRUE(pending.Next(600, 700, 50, &piece));
  EXPECT_EQ(piece, (ByteRange{600, 650}));
  ASSERT_TRUE(pending.Next(950, 2000, 500, &piece));
  EXPECT_EQ(piece, (ByteRange{950, 1000}));
  // Nothing pending on screen: the document's first pending bytes.
  ASSERT_TRUE(pending.Next(200, 400, 30, &piece));
  EXPECT_EQ(piece, (ByteRange{0, 30}));
  EXPECT_FALSE(PendingSpellRanges().Next(0, 10, 10, &piece));
}

// Marks as positions: a model of the component's indicator, which moves
// with the text. Checking a piece and editing in between must leave the
// pending ranges over exactly the bytes never checked since they changed.
TEST(PendingSpellRanges, RandomEditsBetweenPiecesLeaveNoUncheckedByteOutside) {
  std::mt19937 random(7);
  for (int round = 0; round < 200; ++round) {
    // checked[i]: byte i was checked after its last change.
    std::vector<bool> checked(static_cast<std::size_t>(random() % 400 + 1), false);
    PendingSpellRanges pending;
    pending.Reset(static_cast<int64_t>(checked.size()));
    for (int step = 0; step < 30 && !pending.Empty(); ++step) {
      const auto size = static_cast<int64_t>(checked.size());
      const auto at = static_cast<int64_t>(random() % static_cast<unsigned>(size + 1));
      switch (random() % 3) {
        case 0: {
          ByteRange piece;
          ASSERT_TRUE(pending.Next(at, at + 40, 25, &piece));
          for (int64_t i = piece.start; i < piece.end; ++i) checked[static_cast<std::size_t>(i)] = true;
          pending.Remove(piece.start, piece.end);
          break;
        }
        case 1: {
          // Typed text is checked by the edit's own check.
          const auto length = static_cast<int64_t>(random() % 5 + 1);
          checked.insert(checked.begin() + at, static_cast<std::size_t>(length), true);
          pending.Inserted(at, length);
          break;
        }
        default: {
          const int64_t length = std::min<int64_t>(random() % 20 + 1, size - at);
          checked.erase(checked.begin() + at, checked.begin() + at + length);
          pending.Deleted(at, length);
          break;
        }
      }
      std::vector<bool> covered(checked.size(), false);
      int64_t last_end = -1;
      for (const ByteRange& r : pending.Ranges()) {
        ASSERT_GT(r.start, last_end) << "ranges out of order, touching or overlapping";
        ASSERT_LT(r.start, r.end);
        ASSERT_LE(r.end, static_cast<int64_t>(checked.size()));
        for (int64_t i = r.start; i < r.end; ++i) covered[static_cast<std::size_t>(i)] = true;
        last_end = r.end;
      }
      for (std::size_t i = 0; i < checked.size(); ++i)
        ASSERT_TRUE(checked[i] || covered[i]) << "round " << round << " step " << step << ": byte " << i;
    }
  }
}

std::vector<std::string> Words(std::string_view text) {
  std::vector<std::string> words;
  ForEachSpellWord(text, false, [&](std::size_t offset, std::size_t length) {
    words.emplace_back(text.substr(offset, length));
  });
  return words;
}

TEST(SpellPieces, TextCutAfterASeparatorByteHasTheWordsOfTheWhole) {
  const std::string text =
      "Don't 'quote' \xE2\x80\x98so\xE2\x80\x99 caf\xC3\xA9 na\xC3\xAFve\xE2\x80\x94"
      "dash \xE2\x80\x9C"
      "double\xE2\x80\x9D "
      "x-ray abc123def ``tick`` end.\r\nnext line";
  const std::vector<std::string> whole = Words(text);
  for (std::size_t cut = 1; cut < text.size(); ++cut) {
    if (!IsSpellCutByte(static_cast<unsigned char>(text[cut - 1]))) continue;
    std::vector<std::string> pieces = Words(std::string_view(text).substr(0, cut));
    const std::vector<std::string> rest = Words(std::string_view(text).substr(cut));
    pieces.insert(pieces.end(), rest.begin(), rest.end());
    EXPECT_EQ(pieces, whole) << "cut at " << cut;
  }
  // No byte of a multi-byte character is a place to cut.
  for (int c = 0x80; c <= 0xFF; ++c) EXPECT_FALSE(IsSpellCutByte(static_cast<unsigned char>(c)));
}

}  // namespace
}  // namespace tavrel
