// Keyboard access to a menu bar: Alt or F10 puts the first menu bar into
// keyboard mode (its first title highlighted, the keyboard focus on it), the
// same key, Esc or any other key takes it out again. Esc in a menu opened
// from the bar closes only the menu and resumes the mode on its title. This
// half decides what a key press means; the keyboard hook carries it out.
#pragma once
#include <cstdint>

namespace lumora {

enum class MenuKeyAction {
  kPass,              // not ours: the key goes on
  kEnterMode,         // consume; highlight the first title and take the focus
  kLeaveMode,         // consume; un-highlight, give the focus back
  kLeaveModeAndPass,  // leave as above, and the key goes on
  kOpenHotTitle,      // consume; open the menu of the highlighted title
  kOtherKey,          // a title mnemonic may claim it: see OnUnclaimedKey
  kSwallow,           // consume and do nothing
};

class MenuKeyboardMode {
 public:
  // Virtual-key codes and keystroke flag bits (the hook's lParam).
  static constexpr uint32_t kReturn = 0x0D, kMenu = 0x12, kEscape = 0x1B, kLeft = 0x25, kRight = 0x27,
                            kDown = 0x28, kF10 = 0x79;
  static constexpr uint32_t kExtendedBit = 0x01000000, kPreviousDownBit = 0x40000000,
                            kReleaseBit = 0x80000000;

  // One key event. `has_bar`: a menu bar exists to enter keyboard mode on.
  MenuKeyAction OnKey(uint32_t virtual_key, uint32_t key_flags, bool has_bar, bool f10_enabled);
  // After kOtherKey that no title mnemonic claimed: while Alt is held the
  // mode ends when Alt is released (kPass); otherwise it ends now
  // (kLeaveModeAndPass).
  MenuKeyAction OnUnclaimedKey();
  // The mode ended for another reason (a menu was opened and closed).
  void Leave();
  // The mode starts again without Alt or F10: Esc closed a menu of the bar,
  // which goes back to its highlighted title.
  void Resume();

  bool active() const { return active_; }
  bool end_marked() const { return end_marked_; }

 private:
  bool active_ = false;
  bool end_marked_ = false;
  bool alt_held_ = false;
};

}  // namespace lumora
