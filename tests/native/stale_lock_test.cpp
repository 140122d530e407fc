// The registry locks: ordinary mutual exclusion, and a stuck holder broken
// after the limit without letting its late release free the new holder.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "toolkit/base/stale_lock.h"

namespace lumora {
namespace {

using namespace std::chrono_literals;

TEST(StaleLock, ExcludesConcurrentHolders) {
  StaleLock lock(2000ms);
  int counter = 0;
  std::atomic<int> inside{0};
  std::atomic<bool> overlap{false};
  auto work = [&] {
    for (int i = 0; i < 2000; ++i) {
      StaleLockGuard guard(lock);
      if (inside.fetch_add(1) != 0) overlap = true;
      ++counter;
      inside.fetch_sub(1);
    }
  };
  std::thread a(work), b(work);
  a.join();
  b.join();
  EXPECT_EQ(counter, 4000);
  EXPECT_FALSE(overlap);
  EXPECT_EQ(lock.BreakCount(), 0u);
}

TEST(StaleLock, AStuckHolderIsBrokenAfterTheLimit) {
  StaleLock lock(50ms);
  const uint64_t stuck = lock.Acquire();
  const auto before = std::chrono::steady_clock::now();
  const uint64_t mine = lock.Acquire();  // same thread: would deadlock without the limit
  const auto waited = std::chrono::steady_clock::now() - before;
  EXPECT_GE(waited, 45ms);
  EXPECT_EQ(lock.BreakCount(), 1u);
  // The stuck holder's late release must not free the lock under the new holder.
  lock.Release(stuck);
  std::atomic<bool> got{false};
  std::thread other([&] {
    const uint64_t t = lock.Acquire();
    got = true;
    lock.Release(t);
  });
  std::this_thread::sleep_for(20ms);
  EXPECT_FALSE(got.load());
  lock.Release(mine);
  other.join();
  EXPECT_TRUE(got.load());
  EXPECT_EQ(lock.BreakCount(), 1u);
}

}  // namespace
}  // namespace lumora
