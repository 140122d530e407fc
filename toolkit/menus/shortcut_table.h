// The toolkit's own keyboard shortcuts: one list per top-level window, each
// entry a key, its modifier flags and the command it sends. The message hook
// consults the table for every key press, so lookups never allocate.
#pragma once
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "toolkit/base/stale_lock.h"

namespace lumora {

// A command id of -1 blocks the key: it is swallowed and nothing is sent.
constexpr int16_t kBlockedShortcut = -1;

struct ShortcutRecord {
  int64_t key = 0;    // virtual-key code, or the upper-case code of a character
  int64_t flags = 0;  // SHORTCUT_* of shortcut_text.h
  int16_t command = 0;
};

// The modifiers held while keys arrive, followed through the key messages
// themselves (so that keys posted by a program count like typed ones).
class HeldModifiers {
 public:
  // Virtual-key codes of the modifier keys.
  static constexpr uint32_t kShiftKey = 0x10, kControlKey = 0x11, kMenuKey = 0x12;
  // True when the key was a modifier (the state changed or stayed as it was).
  bool OnKeyDown(uint32_t virtual_key);
  bool OnKeyUp(uint32_t virtual_key);
  int64_t flags() const { return flags_; }
  void Reset() { flags_ = 0; }

 private:
  int64_t flags_ = 0;
};

class ShortcutTable {
 public:
  // How an entry for a key that is already listed is changed.
  enum class Mode {
    kRegister,  // a new command replaces the old; -1 deletes the entry
    kBlock,     // the entry is kept and its command becomes -1
  };

  // Adds or changes the entry of (key, flags) in the window's list; without
  // an entry a new one is added, also for -1.
  void Set(uint64_t window, const ShortcutRecord& record, Mode mode = Mode::kRegister);
  // Forgets every shortcut of the window.
  void Clear(uint64_t window);
  void ClearAll();
  // The entry for a key press: `virtual_key` as the message carries it,
  // `character` what the keyboard layout makes of it (upper case), `held`
  // the modifiers (SHORTCUT_ALT | SHORTCUT_CTRL | SHORTCUT_SHIFT).
  std::optional<ShortcutRecord> Find(uint64_t window, uint32_t virtual_key, uint32_t character,
                                     int64_t held) const;
  std::vector<ShortcutRecord> List(uint64_t window) const;

 private:
  mutable StaleLock lock_;
  std::unordered_map<uint64_t, std::vector<ShortcutRecord>> lists_;
};

// The one table of the process.
ShortcutTable& Shortcuts();

}  // namespace lumora
