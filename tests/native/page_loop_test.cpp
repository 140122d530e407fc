// The page loop against pages of a size the test decides: how many pages
// go out for a text, and that a page taking nothing, or a printer refusing
// a page, ends the job instead of looping.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "app/printing/page_loop.h"

namespace tavrel {
namespace {

// Pages that each take the next `sizes` positions (the last size repeats);
// the printer refuses the page after `refuse_after` pages.
struct FakePrinter {
  explicit FakePrinter(std::vector<int64_t> page_sizes, int refuse = 1000)
      : sizes(std::move(page_sizes)), refuse_after(refuse) {}
  std::vector<int64_t> sizes;
  int refuse_after;
  std::vector<int64_t> starts;
  int new_pages = 0;

  PageLoopEnd Print(int64_t length) {
    return RunPageLoop(
        length,
        [&](int64_t start) {
          const size_t page = std::min(starts.size(), sizes.size() - 1);
          starts.push_back(start);
          // A loop that would never end fails the test instead of hanging it.
          if (starts.size() > 50) return length;
          return std::min(start + sizes[page], length);
        },
        [&] { return ++new_pages < refuse_after; });
  }
};

TEST(PageLoop, SendsEveryPageOnceAndAnEmptyTextAsOneBlankPage) {
  FakePrinter empty({10});
  EXPECT_EQ(empty.Print(0), PageLoopEnd::kDone);
  EXPECT_EQ(empty.starts, (std::vector<int64_t>{0}));
  EXPECT_EQ(empty.new_pages, 0);

  FakePrinter exact({10});
  EXPECT_EQ(exact.Print(10), PageLoopEnd::kDone);
  EXPECT_EQ(exact.starts, (std::vector<int64_t>{0}));

  FakePrinter three({10});
  EXPECT_EQ(three.Print(25), PageLoopEnd::kDone);
  EXPECT_EQ(three.starts, (std::vector<int64_t>{0, 10, 20}));
  EXPECT_EQ(three.new_pages, 2);
}

TEST(PageLoop, APageThatTakesNothingOrARefusedPageEndsTheJob) {
  FakePrinter no_room({0});
  EXPECT_EQ(no_room.Print(25), PageLoopEnd::kNoProgress);
  EXPECT_EQ(no_room.starts.size(), 1u);
  EXPECT_EQ(no_room.new_pages, 0);

  FakePrinter stuck_later({10, 0});
  EXPECT_EQ(stuck_later.Print(25), PageLoopEnd::kNoProgress);
  EXPECT_EQ(stuck_later.starts, (std::vector<int64_t>{0, 10}));

  FakePrinter refusing({10}, 2);
  EXPECT_EQ(refusing.Print(100), PageLoopEnd::kPageFailed);
  EXPECT_EQ(refusing.starts.size(), 2u);
}

}  // namespace
}  // namespace tavrel
