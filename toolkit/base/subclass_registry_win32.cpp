#include "toolkit/base/subclass_registry_win32.h"

#include <unordered_map>

#include "toolkit/base/stale_lock.h"

namespace lumora {
namespace {

struct SubclassEntry {
  WNDPROC installed;
  WNDPROC replaced;
};

std::unordered_map<HWND, SubclassEntry>& Map() {
  static std::unordered_map<HWND, SubclassEntry> map = [] {
    std::unordered_map<HWND, SubclassEntry> m;
    m.reserve(10000);
    return m;
  }();
  return map;
}

}  // namespace

StaleLock& WindowRecordsLock() {
  static StaleLock lock;
  return lock;
}

WNDPROC SubclassWindow(HWND window, WNDPROC proc) {
  if (!IsWindow(window) || !proc) return nullptr;
  StaleLockGuard guard(WindowRecordsLock());
  auto found = Map().find(window);
  if (found != Map().end() && found->second.installed == proc) return found->second.replaced;
  auto previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)));
  if (!previous) return nullptr;
  if (found != Map().end()) {
    found->second.installed = proc;  // the first replaced procedure stays the one to restore
  } else {
    Map().emplace(window, SubclassEntry{proc, previous});
  }
  return Map()[window].replaced;
}

WNDPROC PreviousProc(HWND window) {
  StaleLockGuard guard(WindowRecordsLock());
  auto found = Map().find(window);
  return found == Map().end() ? DefWindowProcW : found->second.replaced;
}

LRESULT CallPreviousProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return CallWindowProcW(PreviousProc(window), window, message, wparam, lparam);
}

void UnsubclassWindow(HWND window) {
  StaleLockGuard guard(WindowRecordsLock());
  auto found = Map().find(window);
  if (found == Map().end()) return;
  if (IsWindow(window))
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(found->second.replaced));
  Map().erase(found);
}

void RestoreAllSubclassed() {
  StaleLockGuard guard(WindowRecordsLock());
  for (auto& [window, entry] : Map()) {
    if (IsWindow(window)) SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(entry.replaced));
  }
  Map().clear();
}

size_t SubclassedCount() {
  StaleLockGuard guard(WindowRecordsLock());
  return Map().size();
}

}  // namespace lumora
