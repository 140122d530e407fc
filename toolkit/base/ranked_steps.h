// Steps that components above a layer add to it, run in the order of the
// rank each component states where it registers. A layer that runs such
// steps (the tear-down, a colour-mode change) needs to know nothing of who
// adds them: a new component picks a rank between its neighbours' and
// touches no other file.
//
// Steps of equal rank run in the order they were added. A step is known by
// its name: adding a name already there changes nothing, so a component may
// wire itself in from every place that could come first, without a flag of
// its own.
#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lumora {

template <typename Action>
class RankedSteps {
 public:
  struct Step {
    int32_t rank;
    std::string name;
    Action action;
  };

  // False when a step of that name is already there (the new one is dropped).
  bool Add(int32_t rank, std::string_view name, Action action) {
    if (Contains(name)) return false;
    // After every step of the same or a lower rank: equal ranks keep the
    // order in which they came.
    const auto at = std::upper_bound(steps_.begin(), steps_.end(), rank,
                                     [](int32_t r, const Step& step) { return r < step.rank; });
    steps_.insert(at, Step{rank, std::string(name), std::move(action)});
    return true;
  }

  void Remove(std::string_view name) {
    steps_.erase(std::remove_if(steps_.begin(), steps_.end(), [&](const Step& step) { return step.name == name; }),
                 steps_.end());
  }

  bool Contains(std::string_view name) const {
    return std::any_of(steps_.begin(), steps_.end(), [&](const Step& step) { return step.name == name; });
  }

  // In running order. Runners iterate a copy, so that a step may add or
  // remove steps while it runs.
  const std::vector<Step>& InOrder() const { return steps_; }

  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    names.reserve(steps_.size());
    for (const Step& step : steps_) names.push_back(step.name);
    return names;
  }

  void Clear() { steps_.clear(); }

 private:
  std::vector<Step> steps_;  // sorted by rank, stable
};

}  // namespace lumora
