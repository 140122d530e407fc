// The parts of the document whose spelling marks are still to be made. A
// big document is marked a piece at a time between the user's input; the
// user may edit meanwhile, so the ranges still to check move with the text
// as the component's own marks do.
#pragma once
#include <cstdint>
#include <vector>

namespace tavrel {

struct ByteRange {
  int64_t start = 0;
  int64_t end = 0;  // exclusive
  bool operator==(const ByteRange&) const = default;
};

class PendingSpellRanges {
 public:
  // Everything of a document of length bytes is still to check.
  void Reset(int64_t length);
  void Clear() { ranges_.clear(); }
  bool Empty() const { return ranges_.empty(); }
  // In document order, disjoint, none empty, none touching the next.
  const std::vector<ByteRange>& Ranges() const { return ranges_; }

  void Add(int64_t start, int64_t end);
  // [start, end) has been checked.
  void Remove(int64_t start, int64_t end);

  // length bytes were inserted at position. Text typed inside a range
  // widens it; text put in front of one (or just after it) moves it along,
  // left to the edit's own check.
  void Inserted(int64_t position, int64_t length);
  // length bytes were deleted at position: what lay in them is gone, and
  // whatever followed moves back.
  void Deleted(int64_t position, int64_t length);

  // The next piece to check, at most max_bytes long: pending bytes within
  // [from, to) when any are (what is on screen goes first), otherwise the
  // first pending bytes of the document. False when nothing is pending.
  bool Next(int64_t from, int64_t to, int64_t max_bytes, ByteRange* piece) const;

 private:
  std::vector<ByteRange> ranges_;
};

}  // namespace tavrel
