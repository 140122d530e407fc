#include "toolkit/controls/panel_registry_win32.h"

#include <algorithm>
#include <utility>

#include "toolkit/base/stale_lock.h"

namespace lumora {
namespace {

struct Registry {
  std::vector<std::unique_ptr<PanelRecord>> panels;
  PanelRecord* current_panel = nullptr;
  PageRecord* current_page = nullptr;
  int32_t insertion_index = -1;
};

Registry& Get() {
  static Registry registry;
  return registry;
}

StaleLock& Lock() { return PanelLock(); }

PanelRecord* ByWindowLocked(HWND window) {
  if (!window) return nullptr;
  for (auto& panel : Get().panels)
    if (panel->window == window) return panel.get();
  return nullptr;
}

PanelRecord* ByIdLocked(int32_t id) {
  for (auto& panel : Get().panels)
    if (panel->id == id) return panel.get();
  return nullptr;
}

}  // namespace

StaleLock& PanelLock() {
  static StaleLock lock;
  return lock;
}

PanelRecord* FindPanel(intptr_t id_or_window) {
  StaleLockGuard guard(Lock());
  if (PanelRecord* panel = ByWindowLocked(reinterpret_cast<HWND>(id_or_window))) return panel;
  if (id_or_window < INT32_MIN || id_or_window > INT32_MAX) return nullptr;
  return ByIdLocked(static_cast<int32_t>(id_or_window));
}

PanelRecord* FindPanelByWindow(HWND window) {
  StaleLockGuard guard(Lock());
  return ByWindowLocked(window);
}

PageRecord* FindPage(HWND page) {
  if (!page) return nullptr;
  StaleLockGuard guard(Lock());
  for (auto& panel : Get().panels)
    for (auto& record : panel->pages)
      if (record->window == page) return record.get();
  return nullptr;
}

bool PanelIdTaken(int32_t id) {
  StaleLockGuard guard(Lock());
  return ByIdLocked(id) != nullptr;
}

int32_t NextFreePanelId() {
  StaleLockGuard guard(Lock());
  int32_t id = 1;
  while (ByIdLocked(id)) ++id;
  return id;
}

PanelRecord* RegisterPanel(std::unique_ptr<PanelRecord> record) {
  StaleLockGuard guard(Lock());
  if (!record || ByIdLocked(record->id)) return nullptr;
  Get().panels.push_back(std::move(record));
  return Get().panels.back().get();
}

PageRecord* AddPageRecord(PanelRecord* panel, std::unique_ptr<PageRecord> page) {
  StaleLockGuard guard(Lock());
  auto& panels = Get().panels;
  if (std::none_of(panels.begin(), panels.end(), [&](const auto& p) { return p.get() == panel; })) return nullptr;
  page->panel = panel;
  page->panel_window = panel->window;
  page->index = panel->page_count++;
  const int32_t at = std::exchange(Get().insertion_index, -1);
  auto where = at >= 0 && static_cast<size_t>(at) < panel->pages.size() ? panel->pages.begin() + at
                                                                        : panel->pages.end();
  PageRecord* added = panel->pages.insert(where, std::move(page))->get();
  if (!panel->active_page) panel->active_page = added;
  return added;
}

std::vector<PanelRecord*> AllPanels() {
  StaleLockGuard guard(Lock());
  std::vector<PanelRecord*> out;
  for (auto& panel : Get().panels) out.push_back(panel.get());
  return out;
}

std::unique_ptr<PanelRecord> UnregisterPanel(PanelRecord* panel) {
  StaleLockGuard guard(Lock());
  Registry& registry = Get();
  auto it = std::find_if(registry.panels.begin(), registry.panels.end(),
                         [&](const auto& p) { return p.get() == panel; });
  if (it == registry.panels.end()) return nullptr;
  std::unique_ptr<PanelRecord> out = std::move(*it);
  registry.panels.erase(it);
  if (registry.current_panel == panel) registry.current_panel = nullptr;
  if (registry.current_page && registry.current_page->panel == panel) registry.current_page = nullptr;
  return out;
}

HWND SetPageOpacityLocked(intptr_t panel, intptr_t page, uint16_t opacity) {
  StaleLockGuard guard(Lock());
  PanelRecord* record = ByWindowLocked(reinterpret_cast<HWND>(panel));
  if (!record && panel >= INT32_MIN && panel <= INT32_MAX) record = ByIdLocked(static_cast<int32_t>(panel));
  if (!record) return nullptr;
  for (auto& candidate : record->pages) {
    if (candidate->window == reinterpret_cast<HWND>(page) || candidate->index == page) {
      candidate->opacity = opacity;
      return candidate->window;
    }
  }
  return nullptr;
}

PanelRecord* CurrentPanel() {
  StaleLockGuard guard(Lock());
  return Get().current_panel;
}

void SetCurrentPanel(PanelRecord* panel) {
  StaleLockGuard guard(Lock());
  Get().current_panel = panel;
}

PageRecord* CurrentPage() {
  StaleLockGuard guard(Lock());
  return Get().current_page;
}

int32_t PageInsertionIndex() {
  StaleLockGuard guard(Lock());
  return Get().insertion_index;
}

void SetPageInsertionIndex(int32_t index) {
  StaleLockGuard guard(Lock());
  Get().insertion_index = index;
}

void SetCurrentPage(PageRecord* page) {
  StaleLockGuard guard(Lock());
  Get().current_page = page;
}

}  // namespace lumora
