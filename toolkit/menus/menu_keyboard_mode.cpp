#include "toolkit/menus/menu_keyboard_mode.h"

namespace lumora {

MenuKeyAction MenuKeyboardMode::OnKey(uint32_t virtual_key, uint32_t key_flags, bool has_bar, bool f10_enabled) {
  const bool down = (key_flags & kReleaseBit) == 0;
  const bool first_press = down && (key_flags & kPreviousDownBit) == 0;
  // Right Alt is AltGr on many layouts and types characters: leave it alone.
  const bool left_alt = virtual_key == kMenu && (key_flags & kExtendedBit) == 0;
  const bool toggle = first_press && (left_alt || (virtual_key == kF10 && f10_enabled));
  if (virtual_key == kMenu) alt_held_ = down;

  if (!active_) {
    if (toggle && has_bar) {
      active_ = true;
      end_marked_ = false;
      return MenuKeyAction::kEnterMode;
    }
    return MenuKeyAction::kPass;
  }

  if (toggle) {
    Leave();
    return MenuKeyAction::kLeaveMode;
  }
  if (virtual_key == kMenu) {
    if (down) return MenuKeyAction::kSwallow;  // Alt held down repeats
    if (end_marked_) {
      Leave();
      return MenuKeyAction::kLeaveMode;
    }
    // The release of the Alt that started the mode: nothing must see it, or
    // the window would go into its own system-menu mode.
    return MenuKeyAction::kSwallow;
  }
  if (!down) return MenuKeyAction::kPass;
  switch (virtual_key) {
    case kEscape:
      Leave();
      return MenuKeyAction::kLeaveModeAndPass;
    case kLeft:
    case kRight:
      return MenuKeyAction::kPass;  // the tool bar moves between titles
    case kF10:
      return MenuKeyAction::kSwallow;  // F10 while F10 is switched off
    case kDown:
    case kReturn:
      end_marked_ = true;
      return MenuKeyAction::kOpenHotTitle;
    default:
      return MenuKeyAction::kOtherKey;
  }
}

MenuKeyAction MenuKeyboardMode::OnUnclaimedKey() {
  if (alt_held_) {
    end_marked_ = true;
    return MenuKeyAction::kPass;
  }
  Leave();
  return MenuKeyAction::kLeaveModeAndPass;
}

void MenuKeyboardMode::Resume() {
  active_ = true;
  end_marked_ = false;
}

void MenuKeyboardMode::Leave() {
  active_ = false;
  end_marked_ = false;
}

}  // namespace lumora
