#include "toolkit/bars/rebar_registry_win32.h"

#include <algorithm>

#include "toolkit/base/stale_lock.h"

namespace lumora {
namespace {

std::vector<std::unique_ptr<RebarRecord>>& Rebars() {
  static std::vector<std::unique_ptr<RebarRecord>> rebars;
  return rebars;
}

int32_t g_current_rebar = -1;
int32_t g_insertion_index = kNoInsertionIndex;

StaleLock& Lock() {
  static StaleLock lock;
  return lock;
}

RebarRecord* ById(int32_t id) {
  for (auto& record : Rebars())
    if (record->id == id) return record.get();
  return nullptr;
}

RebarRecord* ByWindow(HWND window) {
  if (!window) return nullptr;
  for (auto& record : Rebars())
    if (record->window == window) return record.get();
  return nullptr;
}

RebarInfo InfoOf(const RebarRecord& record) {
  RebarInfo info;
  info.id = record.id;
  info.window = record.window;
  info.parent = record.parent;
  info.background = record.background;
  info.ui_style = record.ui_style;
  info.band_borders = record.band_borders;
  info.drag_flag = record.drag_flag;
  for (const auto& band : record.bands) info.band_children.push_back(band->child);
  return info;
}

}  // namespace

bool RebarIdTaken(int32_t id) {
  StaleLockGuard guard(Lock());
  return ById(id) != nullptr;
}

int32_t NextFreeRebarId() {
  StaleLockGuard guard(Lock());
  int32_t id = 1;
  while (ById(id)) ++id;
  return id;
}

bool RegisterRebar(std::unique_ptr<RebarRecord> record) {
  StaleLockGuard guard(Lock());
  if (!record || ById(record->id)) return false;
  Rebars().push_back(std::move(record));
  return true;
}

void UnregisterRebar(HWND window) {
  StaleLockGuard guard(Lock());
  auto& rebars = Rebars();
  rebars.erase(std::remove_if(rebars.begin(), rebars.end(), [&](const auto& r) { return r->window == window; }),
               rebars.end());
}

std::optional<RebarInfo> FindRebarById(int32_t id) {
  StaleLockGuard guard(Lock());
  if (const RebarRecord* record = ById(id)) return InfoOf(*record);
  return std::nullopt;
}

std::optional<RebarInfo> FindRebarByWindow(HWND window) {
  StaleLockGuard guard(Lock());
  if (const RebarRecord* record = ByWindow(window)) return InfoOf(*record);
  return std::nullopt;
}

std::vector<RebarInfo> AllRebars() {
  StaleLockGuard guard(Lock());
  std::vector<RebarInfo> all;
  for (const auto& record : Rebars()) all.push_back(InfoOf(*record));
  return all;
}

BandRecord* RegisterBand(int32_t rebar_id, HWND child, HBITMAP background, REBARBANDINFOW* band_template) {
  StaleLockGuard guard(Lock());
  RebarRecord* rebar = ById(rebar_id);
  if (!rebar) return nullptr;
  auto band = std::make_unique<BandRecord>();
  band->parent = rebar->parent;
  band->rebar = rebar->window;
  band->band_id = rebar->band_counter++;
  band->child = child;
  band->background = background;
  if (band_template) *band_template = rebar->band_template;
  rebar->bands.push_back(std::move(band));
  return rebar->bands.back().get();
}

void UnregisterBand(int32_t rebar_id, const BandRecord* band) {
  StaleLockGuard guard(Lock());
  RebarRecord* rebar = ById(rebar_id);
  if (!rebar) return;
  auto& bands = rebar->bands;
  bands.erase(std::remove_if(bands.begin(), bands.end(), [&](const auto& b) { return b.get() == band; }),
              bands.end());
}

bool ProposeRebarHeight(HWND window, bool size_known, int32_t height) {
  StaleLockGuard guard(Lock());
  RebarRecord* record = ByWindow(window);
  return record && record->height.Propose(size_known, height);
}

void ReplaceRebarBackground(HBITMAP old_image, HBITMAP new_image) {
  StaleLockGuard guard(Lock());
  for (auto& record : Rebars()) {
    if (record->background == old_image) record->background = new_image;
    for (auto& band : record->bands)
      if (band->background == old_image) band->background = new_image;
  }
}

std::vector<std::unique_ptr<RebarRecord>> TakeAllRebars() {
  StaleLockGuard guard(Lock());
  std::vector<std::unique_ptr<RebarRecord>> taken;
  taken.swap(Rebars());
  if (ById(g_current_rebar) == nullptr) g_current_rebar = -1;
  return taken;
}

int32_t CurrentRebarId() { return g_current_rebar; }
void SetCurrentRebarId(int32_t id) { g_current_rebar = id; }
int32_t RebarInsertionIndex() { return g_insertion_index; }
void SetRebarInsertionIndex(int32_t index) { g_insertion_index = index; }

}  // namespace lumora
