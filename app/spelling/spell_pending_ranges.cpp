#include "app/spelling/spell_pending_ranges.h"

#include <algorithm>

namespace tavrel {
namespace {

// Joins ranges that came to touch or overlap and drops empty ones.
void Normalise(std::vector<ByteRange>& ranges) {
  std::vector<ByteRange> out;
  out.reserve(ranges.size());
  for (const ByteRange& r : ranges) {
    if (r.end <= r.start) continue;
    if (!out.empty() && r.start <= out.back().end) {
      out.back().end = std::max(out.back().end, r.end);
    } else {
      out.push_back(r);
    }
  }
  ranges.swap(out);
}

}  // namespace

void PendingSpellRanges::Reset(int64_t length) {
  ranges_.clear();
  if (length > 0) ranges_.push_back({0, length});
}

void PendingSpellRanges::Add(int64_t start, int64_t end) {
  if (end <= start) return;
  const auto at = std::lower_bound(ranges_.begin(), ranges_.end(), start,
                                   [](const ByteRange& r, int64_t s) { return r.start < s; });
  ranges_.insert(at, ByteRange{start, end});
  Normalise(ranges_);
}

void PendingSpellRanges::Remove(int64_t start, int64_t end) {
  if (end <= start) return;
  std::vector<ByteRange> out;
  out.reserve(ranges_.size() + 1);
  for (const ByteRange& r : ranges_) {
    if (r.end <= start || r.start >= end) {
      out.push_back(r);
      continue;
    }
    if (r.start < start) out.push_back({r.start, start});
    if (r.end > end) out.push_back({end, r.end});
  }
  ranges_.swap(out);
}

void PendingSpellRanges::Inserted(int64_t position, int64_t length) {
  if (length <= 0) return;
  for (ByteRange& r : ranges_) {
    if (r.start >= position) {
      r.start += length;
      r.end += length;
    } else if (r.end > position) {
      r.end += length;
    }
  }
}

void PendingSpellRanges::Deleted(int64_t position, int64_t length) {
  if (length <= 0) return;
  const int64_t gone_end = position + length;
  // A position inside the deleted bytes lands at position; one after them
  // moves back by length.
  auto moved = [&](int64_t p) { return p <= position ? p : p >= gone_end ? p - length : position; };
  for (ByteRange& r : ranges_) {
    r.start = moved(r.start);
    r.end = moved(r.end);
  }
  Normalise(ranges_);
}

bool PendingSpellRanges::Next(int64_t from, int64_t to, int64_t max_bytes, ByteRange* piece) const {
  if (ranges_.empty()) return false;
  max_bytes = std::max<int64_t>(max_bytes, 1);
  const auto meets = std::find_if(ranges_.begin(), ranges_.end(),
                                  [&](const ByteRange& r) { return r.end > from && r.start < to; });
  if (meets != ranges_.end()) {
    const int64_t start = std::max(meets->start, from);
    *piece = {start, std::min({meets->end, to, start + max_bytes})};
  } else {
    const ByteRange& first = ranges_.front();
    *piece = {first.start, std::min(first.end, first.start + max_bytes)};
  }
  return true;
}

}  // namespace tavrel
