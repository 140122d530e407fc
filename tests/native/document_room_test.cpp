// The room a document gets before its file is read: the mode that holds
// its positions, the text's spare room, and the line index guessed from
// the file's first bytes.
#include <gtest/gtest.h>

#include <string>

#include "app/document/document_room.h"

namespace tavrel {
namespace {

constexpr uint64_t kGiB = uint64_t{1} << 30;

TEST(DocumentRoom, LargeModeExactlyWherePositionsCouldPass31Bits) {
  EXPECT_FALSE(PlanDocumentRoom(0).large);
  EXPECT_FALSE(PlanDocumentRoom(kGiB).large);
  // A text just under 2 GiB is large too: its room, which edits fill, is not.
  EXPECT_TRUE(PlanDocumentRoom(2 * kGiB - 1024).large);
  EXPECT_TRUE(PlanDocumentRoom(5 * kGiB / 2).large);
  EXPECT_TRUE(PlanDocumentRoom(4 * kGiB + 1).large);
  // Every room in the default mode fits its positions.
  for (uint64_t size = 2 * kGiB - (64 << 20); size < 2 * kGiB; size += 1 << 20) {
    const DocumentRoom room = PlanDocumentRoom(size);
    if (!room.large) {
      EXPECT_LT(room.text_bytes, uint64_t{0x7FFFFFFF}) << size;
    }
  }
}

TEST(DocumentRoom, SpareRoomIsBoundedForHugeFiles) {
  EXPECT_EQ(PlanDocumentRoom(0).text_bytes, 1u);
  EXPECT_EQ(PlanDocumentRoom(6400).text_bytes, 6400u + 1 + 100);
  // Past a gigabyte the spare room stops growing: a 4 GiB file is not
  // given 64 MiB it will not use.
  EXPECT_EQ(PlanDocumentRoom(4 * kGiB).text_bytes, 4 * kGiB + 1 + (16 << 20));
}

TEST(DocumentRoom, LineEstimateScalesTheSampleLikeTheComponentCounts) {
  std::string lines;
  for (int i = 0; i < 100; ++i) lines += std::string(99, 'x') + "\n";  // 100 lines of 100 bytes
  const uint64_t huge = 4 * kGiB + (1 << 20);
  const uint64_t estimate = EstimateLineCount(lines, huge);
  // At least the true count, and no more than a few percent over it.
  EXPECT_GE(estimate, huge / 100);
  EXPECT_LE(estimate, huge / 100 + huge / 100 / 16);
  // CR LF is one line end, a lone CR is one, as for the component.
  EXPECT_EQ(EstimateLineCount("a\r\nb\r\n", 6), 3u);
  EXPECT_EQ(EstimateLineCount("a\rb\rc\r", 6), 4u);
}

TEST(DocumentRoom, NoIndexForOneLongLineAndNeverMoreLinesThanBytes) {
  EXPECT_EQ(EstimateLineCount(std::string(4096, 'x'), 5 * kGiB / 2), 0u);
  EXPECT_EQ(EstimateLineCount("", 100), 0u);
  EXPECT_EQ(EstimateLineCount("\n\n\n\n", 4), 5u);
  EXPECT_EQ(EstimateLineCount("\n\n\n\n", 8 * kGiB), 8 * kGiB + 1);
}

}  // namespace
}  // namespace tavrel
