#include "toolkit/base/stale_lock.h"

namespace lumora {

uint64_t StaleLock::Acquire() {
  std::unique_lock<std::mutex> guard(mutex_);
  if (!released_.wait_for(guard, limit_, [this] { return !held_; })) ++breaks_;
  held_ = true;
  return ++ticket_;
}

void StaleLock::Release(uint64_t ticket) {
  {
    std::lock_guard<std::mutex> guard(mutex_);
    if (ticket != ticket_ || !held_) return;
    held_ = false;
  }
  released_.notify_one();
}

uint64_t StaleLock::BreakCount() const {
  std::lock_guard<std::mutex> guard(mutex_);
  return breaks_;
}

}  // namespace lumora
