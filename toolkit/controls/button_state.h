// The behaviour of a skinned button as a pure function: which of its ten
// visual states it shows, whether it is selected, and what a pointer event
// makes of that. The window glue only carries the answers out (repaint,
// track the pointer, post the click, deselect the group's other members).
#pragma once
#include <cstdint>

namespace lumora {

// The visual states, in the order a skin's states are read.
enum ButtonVisualState : uint8_t {
  BUTTON_NORMAL = 0,
  BUTTON_HOT = 1,
  BUTTON_PRESSED = 2,
  BUTTON_DISABLED = 3,
  BUTTON_SELECTED = 4,
  BUTTON_SELECTED_HOT = 5,
  BUTTON_SELECTED_PRESSED = 6,
  BUTTON_INBETWEEN = 7,
  BUTTON_INBETWEEN_HOT = 8,
  BUTTON_INBETWEEN_PRESSED = 9,
};
constexpr int kButtonStateCount = 10;

// The skin's name of each visual state.
const char* ButtonStateName(int state);

enum class ButtonToggle : uint8_t { kOff = 0, kSelected = 1, kInBetween = 2 };

enum class ButtonEvent : uint8_t {
  kPointerMove,   // WM_MOUSEMOVE
  kPointerLeave,  // WM_MOUSELEAVE, or WM_CAPTURECHANGED while tracking
  kPress,         // WM_LBUTTONDOWN
  kRelease,       // WM_LBUTTONUP
};

struct ButtonModel {
  bool disabled = false;
  bool toggle = false;   // keeps a selected state
  bool grouped = false;  // a radio-like group member
  ButtonToggle toggle_state = ButtonToggle::kOff;
  uint8_t visual = BUTTON_NORMAL;
};

struct ButtonStep {
  ButtonModel model;
  // The process-wide "a button tracks the pointer" flag afterwards.
  bool tracking = false;
  bool repaint = false;
  bool track_leave = false;       // ask the system for WM_MOUSELEAVE
  bool click = false;             // post WM_COMMAND to the container
  bool deselect_others = false;   // every other selected member of the group goes off
};

// `tracking` is the shared flag before the event.
ButtonStep StepButton(const ButtonModel& model, bool tracking, ButtonEvent event);

// The state a button shows with the pointer away: disabled, or normal,
// selected or in between by its toggle state.
uint8_t RestingState(const ButtonModel& model);

// A group member that another member's selection turns off.
ButtonModel Deselected(const ButtonModel& model);

// Disabling shows the disabled state; enabling shows the resting state of
// the toggle state, so a selected button stays visibly selected.
ButtonModel WithDisabled(const ButtonModel& model, bool disabled);

}  // namespace lumora
