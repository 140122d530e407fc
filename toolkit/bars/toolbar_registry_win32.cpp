#include "toolkit/bars/toolbar_registry_win32.h"

#include <algorithm>
#include <unordered_map>

#include "toolkit/base/stale_lock.h"

namespace lumora {
namespace {

struct Registry {
  std::vector<std::unique_ptr<ToolbarRecord>> toolbars;
  std::vector<std::unique_ptr<ToolbarButtonRecord>> buttons;
  std::unordered_map<int32_t, std::wstring> tooltips;
  int32_t current_id = -1;
  std::optional<int32_t> insertion_index;
};

Registry& Get() {
  static Registry registry;
  return registry;
}

StaleLock& Lock() {
  static StaleLock lock;
  return lock;
}

ToolbarRecord* FindByWindowLocked(HWND window) {
  if (!window) return nullptr;
  for (auto& record : Get().toolbars)
    if (record->window == window) return record.get();
  return nullptr;
}

ToolbarRecord* FindByIdLocked(int32_t id) {
  for (auto& record : Get().toolbars)
    if (record->id == id) return record.get();
  return nullptr;
}

}  // namespace

ToolbarRecord* RegisterToolbar(std::unique_ptr<ToolbarRecord> record) {
  StaleLockGuard guard(Lock());
  Get().toolbars.push_back(std::move(record));
  return Get().toolbars.back().get();
}

ToolbarRecord* FindToolbar(intptr_t id_or_window) {
  StaleLockGuard guard(Lock());
  if (ToolbarRecord* record = FindByWindowLocked(reinterpret_cast<HWND>(id_or_window))) return record;
  if (id_or_window < INT32_MIN || id_or_window > INT32_MAX) return nullptr;
  return FindByIdLocked(static_cast<int32_t>(id_or_window));
}

ToolbarRecord* FindToolbarByWindow(HWND window) {
  StaleLockGuard guard(Lock());
  return FindByWindowLocked(window);
}

ToolbarRecord* FindToolbarById(int32_t id) {
  StaleLockGuard guard(Lock());
  return FindByIdLocked(id);
}

std::vector<ToolbarRecord*> AllToolbars() {
  StaleLockGuard guard(Lock());
  std::vector<ToolbarRecord*> out;
  for (auto& record : Get().toolbars) out.push_back(record.get());
  return out;
}

void UnregisterToolbar(ToolbarRecord* record) {
  // The records are destroyed outside the lock: destroying image lists is
  // harmless, but nothing should run under the lock that need not.
  std::unique_ptr<ToolbarRecord> doomed;
  std::vector<std::unique_ptr<ToolbarButtonRecord>> doomed_buttons;
  {
    StaleLockGuard guard(Lock());
    Registry& registry = Get();
    auto& buttons = registry.buttons;
    for (auto it = buttons.begin(); it != buttons.end();) {
      if ((*it)->toolbar == record) {
        doomed_buttons.push_back(std::move(*it));
        it = buttons.erase(it);
      } else {
        ++it;
      }
    }
    auto found = std::find_if(registry.toolbars.begin(), registry.toolbars.end(),
                              [record](const auto& r) { return r.get() == record; });
    if (found != registry.toolbars.end()) {
      doomed = std::move(*found);
      registry.toolbars.erase(found);
    }
  }
}

ToolbarRecord* CurrentToolbar() {
  StaleLockGuard guard(Lock());
  return Get().current_id == -1 ? nullptr : FindByIdLocked(Get().current_id);
}

void SetCurrentToolbarId(int32_t id) {
  StaleLockGuard guard(Lock());
  Get().current_id = id;
}

ToolbarButtonRecord* RegisterButton(std::unique_ptr<ToolbarButtonRecord> record) {
  StaleLockGuard guard(Lock());
  Get().buttons.push_back(std::move(record));
  return Get().buttons.back().get();
}

void UnregisterButton(const ToolbarButtonRecord* record) {
  std::unique_ptr<ToolbarButtonRecord> doomed;
  StaleLockGuard guard(Lock());
  auto& buttons = Get().buttons;
  auto found = std::find_if(buttons.begin(), buttons.end(), [record](const auto& r) { return r.get() == record; });
  if (found == buttons.end()) return;
  doomed = std::move(*found);
  buttons.erase(found);
}

ToolbarButtonRecord* ButtonFromItemData(uintptr_t data) {
  if (!data) return nullptr;
  StaleLockGuard guard(Lock());
  for (auto& record : Get().buttons)
    if (reinterpret_cast<uintptr_t>(record.get()) == data) return record.get();
  return nullptr;
}

ToolbarButtonRecord* FindButton(HWND toolbar_window, int32_t id) {
  StaleLockGuard guard(Lock());
  for (auto& record : Get().buttons)
    if (record->toolbar_window == toolbar_window && record->id == id) return record.get();
  return nullptr;
}

std::vector<ToolbarButtonRecord*> ButtonsOf(HWND toolbar_window) {
  StaleLockGuard guard(Lock());
  std::vector<ToolbarButtonRecord*> out;
  for (auto& record : Get().buttons)
    if (record->toolbar_window == toolbar_window) out.push_back(record.get());
  return out;
}

std::vector<ToolbarButtonRecord*> AllButtons() {
  StaleLockGuard guard(Lock());
  std::vector<ToolbarButtonRecord*> out;
  for (auto& record : Get().buttons) out.push_back(record.get());
  return out;
}

void SetTooltipEntry(int32_t button_id, std::wstring text) {
  StaleLockGuard guard(Lock());
  Get().tooltips[button_id] = std::move(text);
}

std::optional<std::wstring> TooltipEntry(int32_t button_id) {
  StaleLockGuard guard(Lock());
  auto found = Get().tooltips.find(button_id);
  if (found == Get().tooltips.end()) return std::nullopt;
  return found->second;
}

void RemoveTooltipEntry(int32_t button_id) {
  StaleLockGuard guard(Lock());
  Get().tooltips.erase(button_id);
}

void ClearTooltipEntries() {
  StaleLockGuard guard(Lock());
  Get().tooltips.clear();
}

void SetInsertionIndex(std::optional<int32_t> index) {
  StaleLockGuard guard(Lock());
  Get().insertion_index = index;
}

std::optional<int32_t> InsertionIndex() {
  StaleLockGuard guard(Lock());
  return Get().insertion_index;
}

}  // namespace lumora
