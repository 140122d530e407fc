// The loop that sends a document to the printer page by page: the first
// page is always sent, so that an empty document gives one blank page, and
// the loop stops as soon as the text is used up. A page that takes nothing
// (a printable area shorter than one line, or none at all) would take
// nothing on every later page too: the loop stops there instead of sending
// blank pages for ever.
#pragma once
#include <cstdint>
#include <functional>

namespace tavrel {

enum class PageLoopEnd {
  kDone,        // every position of the text is on a page
  kNoProgress,  // a page took nothing; the rest of the text cannot be printed
  kPageFailed,  // the printer would not start another page
};

// render(start) draws one page of the text [start, length) and returns the
// position where the next page begins; next_page() ends the page and
// starts another, false when the printer refuses.
PageLoopEnd RunPageLoop(int64_t length, const std::function<int64_t(int64_t)>& render,
                        const std::function<bool()>& next_page);

}  // namespace tavrel
