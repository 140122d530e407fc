#include "toolkit/style/gradient.h"

#include <memory>
#include <mutex>
#include <new>
#include <unordered_map>

#include "platform/error_log.h"

namespace lumora {

namespace {

// Each record lives on its own, so its address (the handle) stays fixed
// while others come and go.
struct GradientList {
  std::mutex lock;
  std::unordered_map<GradientHandle, std::unique_ptr<Gradient>> records;
};

GradientList& List() {
  static GradientList list;
  return list;
}

Gradient* FindLocked(GradientList& list, GradientHandle handle) {
  if (handle == 0) return nullptr;
  const auto found = list.records.find(handle);
  return found == list.records.end() ? nullptr : found->second.get();
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
    auto record = std::make_unique<Gradient>(Gradient{kind, colour1, colour2, {}});
    const auto handle = reinterpret_cast<GradientHandle>(record.get());
    list.records.emplace(handle, std::move(record));
    return handle;
  } catch (const std::bad_alloc& caught) {
    platform::LogCaught("RegisterGradient", 0, &caught);
    return 0;
  }
}

bool FreeGradient(GradientHandle gradient) {
  GradientList& list = List();
  std::unique_ptr<Gradient> doomed;
  std::lock_guard<std::mutex> guard(list.lock);
  const auto found = gradient ? list.records.find(gradient) : list.records.end();
  if (found == list.records.end()) return false;
  doomed = std::move(found->second);
  list.records.erase(found);
  return true;
}

size_t GradientCount() {
  GradientList& list = List();
  std::lock_guard<std::mutex> guard(list.lock);
  return list.records.size();
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
