#include "toolkit/menus/shortcut_table.h"

#include <algorithm>

#include "toolkit/menus/shortcut_text.h"

namespace lumora {

bool HeldModifiers::OnKeyDown(uint32_t virtual_key) {
  switch (virtual_key) {
    case kShiftKey: flags_ |= SHORTCUT_SHIFT; return true;
    case kControlKey: flags_ |= SHORTCUT_CTRL; return true;
    case kMenuKey: flags_ |= SHORTCUT_ALT; return true;
    default: return false;
  }
}

bool HeldModifiers::OnKeyUp(uint32_t virtual_key) {
  switch (virtual_key) {
    case kShiftKey: flags_ &= ~SHORTCUT_SHIFT; return true;
    case kControlKey: flags_ &= ~SHORTCUT_CTRL; return true;
    case kMenuKey: flags_ &= ~SHORTCUT_ALT; return true;
    default: return false;
  }
}

void ShortcutTable::Set(uint64_t window, const ShortcutRecord& record, Mode mode) {
  StaleLockGuard guard(lock_);
  std::vector<ShortcutRecord>& list = lists_[window];
  auto same = std::find_if(list.begin(), list.end(), [&](const ShortcutRecord& entry) {
    return entry.key == record.key && entry.flags == record.flags;
  });
  if (same == list.end()) {
    ShortcutRecord added = record;
    if (mode == Mode::kBlock) added.command = kBlockedShortcut;
    list.push_back(added);
  } else if (mode == Mode::kBlock) {
    same->command = kBlockedShortcut;
  } else if (record.command == kBlockedShortcut) {
    list.erase(same);
  } else {
    same->command = record.command;
  }
}

void ShortcutTable::Clear(uint64_t window) {
  StaleLockGuard guard(lock_);
  lists_.erase(window);
}

void ShortcutTable::ClearAll() {
  StaleLockGuard guard(lock_);
  lists_.clear();
}

std::optional<ShortcutRecord> ShortcutTable::Find(uint64_t window, uint32_t virtual_key, uint32_t character,
                                                  int64_t held) const {
  StaleLockGuard guard(lock_);
  auto found = lists_.find(window);
  if (found == lists_.end()) return std::nullopt;
  const int64_t modifiers = held & (SHORTCUT_ALT | SHORTCUT_CTRL | SHORTCUT_SHIFT);
  for (const ShortcutRecord& entry : found->second) {
    if (entry.flags & SHORTCUT_VIRTUAL_KEY) {
      if (entry.flags == (modifiers | SHORTCUT_VIRTUAL_KEY) && entry.key == static_cast<int64_t>(virtual_key))
        return entry;
    } else if (entry.flags == modifiers && character != 0 && entry.key == static_cast<int64_t>(character)) {
      return entry;
    }
  }
  return std::nullopt;
}

std::vector<ShortcutRecord> ShortcutTable::List(uint64_t window) const {
  StaleLockGuard guard(lock_);
  auto found = lists_.find(window);
  return found == lists_.end() ? std::vector<ShortcutRecord>{} : found->second;
}

ShortcutTable& Shortcuts() {
  static ShortcutTable table;
  return table;
}

}  // namespace lumora
