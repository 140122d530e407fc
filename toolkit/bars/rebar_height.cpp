#include "toolkit/bars/rebar_height.h"

namespace lumora {

bool RebarHeightTracker::Propose(bool size_known, int32_t height) {
  if (!size_known) return false;
  if (last_ && *last_ == height) return false;
  last_ = height;
  return true;
}

}  // namespace lumora
