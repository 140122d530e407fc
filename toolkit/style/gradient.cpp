#include "toolkit/style/gradient.h"

#include <deque>
#include <mutex>
#include <new>
#include <unordered_set>

#include "platform/error_log.h"

namespace lumora {

namespace {

// A deque keeps every record at the address it was given, which is what
// makes the address usable as a handle.
struct GradientList {
  std::mutex lock;
  std::deque<Gradient> records;
  std::unordered_set<GradientHandle> handles;
};

GradientList& List() {
  static GradientList list;
  return list;
}

Gradient* FindLocked(GradientList& list, GradientHandle handle) {
  if (handle == 0 || list.handles.count(handle) == 0) return nullptr;
  return reinterpret_cast<Gradient*>(handle);
}

}  // namespace

bool InsertGradientStop(Gradient& gradient, float position, int32_t colour) {
  if (!(position >= 0.0f && position <= 1.0f)) return false;
  if (position == 0.0f) {
    gradient.colour1 = colour;
    return true;
  }
  if (position == 1.0f) {
    gradient.colour2 = colour;
    return true;
  }
  auto at = gradient.stops.begin();
  while (at != gradient.stops.end() && at->position <= position) ++at;
  gradient.stops.insert(at, GradientStop{colour, position});
  return true;
}

GradientHandle RegisterGradient(int32_t kind, int32_t colour1, int32_t colour2) {
  if (kind < GRADIENT_HORIZONTAL || kind > GRADIENT_ELLIPSE) return 0;
  GradientList& list = List();
  std::lock_guard<std::mutex> guard(list.lock);
  try {
    list.records.push_back(Gradient{kind, colour1, colour2, {}});
  } catch (const std::bad_alloc& caught) {
    platform::LogCaught("RegisterGradient", 0, &caught);
    return 0;
  }
  const auto handle = reinterpret_cast<GradientHandle>(&list.records.back());
  try {
    list.handles.insert(handle);
  } catch (const std::bad_alloc& caught) {
    // A record without a handle could never be freed.
    list.records.pop_back();
    platform::LogCaught("RegisterGradient", 0, &caught);
    return 0;
  }
  return handle;
}

int32_t AddGradientStop(GradientHandle gradient, float position, int32_t colour) {
  GradientList& list = List();
  std::lock_guard<std::mutex> guard(list.lock);
  Gradient* record = FindLocked(list, gradient);
  if (record == nullptr) return 0;
  try {
    return InsertGradientStop(*record, position, colour) ? 1 : 0;
  } catch (const std::bad_alloc& caught) {
    platform::LogCaught("AddGradientStop", 0, &caught);
    return 0;
  }
}

std::optional<Gradient> GradientSnapshot(GradientHandle gradient) {
  GradientList& list = List();
  std::lock_guard<std::mutex> guard(list.lock);
  const Gradient* record = FindLocked(list, gradient);
  if (record == nullptr) return std::nullopt;
  try {
    return *record;
  } catch (const std::bad_alloc& caught) {
    platform::LogCaught("GradientSnapshot", 0, &caught);
    return std::nullopt;
  }
}

PresetBlend LinearPresetBlend(const Gradient& gradient) {
  PresetBlend blend;
  if (gradient.stops.empty()) return blend;
  const size_t count = gradient.stops.size() + 2;
  blend.colours.reserve(count);
  blend.positions.reserve(count);
  blend.colours.push_back(static_cast<uint32_t>(gradient.colour1));
  blend.positions.push_back(0.0f);
  for (const GradientStop& stop : gradient.stops) {
    blend.colours.push_back(static_cast<uint32_t>(stop.colour));
    blend.positions.push_back(stop.position);
  }
  blend.colours.push_back(static_cast<uint32_t>(gradient.colour2));
  blend.positions.push_back(1.0f);
  return blend;
}

PresetBlend PathPresetBlend(const Gradient& gradient) {
  PresetBlend blend;
  if (gradient.stops.empty()) return blend;
  const size_t count = gradient.stops.size() + 2;
  blend.colours.reserve(count);
  blend.positions.reserve(count);
  blend.colours.push_back(static_cast<uint32_t>(gradient.colour2));
  blend.positions.push_back(0.0f);
  for (auto stop = gradient.stops.rbegin(); stop != gradient.stops.rend(); ++stop) {
    blend.colours.push_back(static_cast<uint32_t>(stop->colour));
    blend.positions.push_back(1.0f - stop->position);
  }
  blend.colours.push_back(static_cast<uint32_t>(gradient.colour1));
  blend.positions.push_back(1.0f);
  return blend;
}

}  // namespace lumora
