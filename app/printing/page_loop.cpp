#include "app/printing/page_loop.h"

namespace tavrel {

PageLoopEnd RunPageLoop(int64_t length, const std::function<int64_t(int64_t)>& render,
                        const std::function<bool()>& next_page) {
  int64_t start = 0;
  for (;;) {
    const int64_t next = render(start);
    if (next >= length) return PageLoopEnd::kDone;
    if (next <= start) return PageLoopEnd::kNoProgress;
    if (!next_page()) return PageLoopEnd::kPageFailed;
    start = next;
  }
}

}  // namespace tavrel
