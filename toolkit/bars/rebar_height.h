// When a rebar's height has changed. A rebar is resized for many reasons
// (the window grows wider, bands are rearranged); the application only
// needs to relayout when the height changes, and exactly once per change.
#pragma once
#include <cstdint>
#include <optional>

namespace lumora {

class RebarHeightTracker {
 public:
  // A proposed size of the rebar window. size_known is false when the
  // window only moves (its size in the proposal means nothing then).
  // Returns true when the height differs from the last one reported; it is
  // then remembered as reported.
  bool Propose(bool size_known, int32_t height);
  std::optional<int32_t> last_reported() const { return last_; }

 private:
  std::optional<int32_t> last_;
};

}  // namespace lumora
