// The ranges of a search's marks that wait to be put on the text: the
// keystroke marks what is on screen and leaves the rest to idle time, and
// until then the waiting ranges follow the edits made to the text, as the
// component's own marks do.
//
// The ranges stay in document order without overlapping, whether marked
// yet or not, which lets a position be found by bisection. A marked range
// keeps its place as an empty range at its start and moves with the text
// like the others; were it left behind, an edit before it would put it out
// of order and a later edit would be applied to the wrong ranges.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/search/text_search.h"

namespace tavrel {

class PendingMarks {
 public:
  // The matches but number `skip`, touching and overlapping ones joined
  // into one range, all waiting; whatever waited before is dropped.
  void Start(const std::vector<TextMatch>& matches, size_t skip);
  void Clear();
  bool pending() const { return next_ < ranges_.size(); }
  size_t size() const { return ranges_.size(); }

  // Hands every waiting range that meets [start, end) to mark(range), in
  // document order, and counts it as marked.
  template <typename Mark>
  void TakeIn(int64_t start, int64_t end, Mark&& mark) {
    for (size_t i = FirstEndingAfter(start); i < ranges_.size() && ranges_[i].start < end; ++i) Take(i, mark);
  }
  // The first waiting range in document order, counted as marked; false
  // when none is left.
  bool TakeNext(TextMatch& range);

  // Text inserted (length > 0) or deleted (length < 0) at position.
  void Move(int64_t position, int64_t length);

 private:
  template <typename Mark>
  void Take(size_t i, Mark& mark) {
    TextMatch& range = ranges_[i];
    if (range.length <= 0) return;
    mark(static_cast<const TextMatch&>(range));
    range.length = 0;
  }
  size_t FirstEndingAfter(int64_t position) const;

  std::vector<TextMatch> ranges_;  // empty once marked (or deleted)
  size_t next_ = 0;                // those before it are all marked
};

}  // namespace tavrel
