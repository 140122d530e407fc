#include "app/search/pending_marks.h"

#include <algorithm>

namespace tavrel {

void PendingMarks::Start(const std::vector<TextMatch>& matches, size_t skip) {
  Clear();
  ranges_.reserve(matches.size());
  for (size_t i = 0; i < matches.size(); ++i) {
    if (i == skip) continue;
    const TextMatch& m = matches[i];
    if (!ranges_.empty() && m.start <= ranges_.back().start + ranges_.back().length) {
      ranges_.back().length = std::max(ranges_.back().length, m.start + m.length - ranges_.back().start);
    } else {
      ranges_.push_back(m);
    }
  }
}

void PendingMarks::Clear() {
  ranges_.clear();
  ranges_.shrink_to_fit();
  next_ = 0;
}

bool PendingMarks::TakeNext(TextMatch& range) {
  while (next_ < ranges_.size()) {
    TextMatch& r = ranges_[next_++];
    if (r.length <= 0) continue;
    range = r;
    r.length = 0;
    return true;
  }
  return false;
}

size_t PendingMarks::FirstEndingAfter(int64_t position) const {
  // In order and apart, so the ends are in order too.
  const auto it = std::partition_point(ranges_.begin() + static_cast<std::ptrdiff_t>(next_), ranges_.end(),
                                       [&](const TextMatch& r) { return r.start + r.length <= position; });
  return static_cast<size_t>(it - ranges_.begin());
}

void PendingMarks::Move(int64_t position, int64_t length) {
  if (!pending() || length == 0) return;
  // Those ending by the position stand before the edit and keep their place.
  for (size_t i = FirstEndingAfter(position); i < ranges_.size(); ++i) {
    TextMatch& r = ranges_[i];
    if (length > 0) {
      // Text typed inside a range widens it, as it widens a mark.
      if (r.start >= position) {
        r.start += length;
      } else {
        r.length += length;
      }
      continue;
    }
    const int64_t end = r.start + r.length;
    const int64_t new_start = r.start < position ? r.start : std::max(position, r.start + length);
    const int64_t new_end = end <= position ? end : std::max(position, end + length);
    r.start = new_start;
    r.length = std::max<int64_t>(new_end - new_start, 0);
  }
}

}  // namespace tavrel
