// The toolkit's registry locks. A holder that keeps a lock longer than the
// limit is taken to be stuck (a thread that died or a re-entrant path that
// never returned); the waiter breaks the lock and proceeds rather than hang
// the user interface.
//
// Each group of registries owns its lock, next to the registry it guards
// (a function-local static: it comes into being, safely, on first use).
#pragma once
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace lumora {

class StaleLock {
 public:
  explicit StaleLock(std::chrono::milliseconds limit = std::chrono::milliseconds(1000)) : limit_(limit) {}
  StaleLock(const StaleLock&) = delete;
  StaleLock& operator=(const StaleLock&) = delete;

  // Returns the ownership ticket to hand back to Release.
  uint64_t Acquire();
  // A ticket from before a break no longer owns the lock; releasing with it
  // leaves the current holder's hold intact.
  void Release(uint64_t ticket);
  // How often the lock had to be broken; for diagnostics and tests.
  uint64_t BreakCount() const;

 private:
  std::chrono::milliseconds limit_;
  mutable std::mutex mutex_;
  std::condition_variable released_;
  bool held_ = false;
  uint64_t ticket_ = 0;
  uint64_t breaks_ = 0;
};

class StaleLockGuard {
 public:
  explicit StaleLockGuard(StaleLock& lock) : lock_(lock), ticket_(lock.Acquire()) {}
  ~StaleLockGuard() { lock_.Release(ticket_); }
  StaleLockGuard(const StaleLockGuard&) = delete;
  StaleLockGuard& operator=(const StaleLockGuard&) = delete;

 private:
  StaleLock& lock_;
  uint64_t ticket_;
};

}  // namespace lumora
