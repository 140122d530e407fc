#include "toolkit/controls/button_state.h"

namespace lumora {
namespace {

// Normal, hot and pressed faces of each toggle state.
uint8_t Face(ButtonToggle toggle, int offset) {
  switch (toggle) {
    case ButtonToggle::kSelected: return static_cast<uint8_t>(BUTTON_SELECTED + offset);
    case ButtonToggle::kInBetween: return static_cast<uint8_t>(BUTTON_INBETWEEN + offset);
    case ButtonToggle::kOff: break;
  }
  return static_cast<uint8_t>(BUTTON_NORMAL + offset);
}

bool IsPressed(uint8_t visual) {
  return visual == BUTTON_PRESSED || visual == BUTTON_SELECTED_PRESSED || visual == BUTTON_INBETWEEN_PRESSED;
}

}  // namespace

const char* ButtonStateName(int state) {
  static const char* const kNames[kButtonStateCount] = {
      "normal",   "hot",          "pressed",          "disabled",  "selected",
      "selected hot", "selected pressed", "inbetween", "inbetween hot", "inbetween pressed"};
  return state >= 0 && state < kButtonStateCount ? kNames[state] : "";
}

uint8_t RestingState(const ButtonModel& model) {
  return model.disabled ? static_cast<uint8_t>(BUTTON_DISABLED) : Face(model.toggle_state, 0);
}

ButtonModel Deselected(const ButtonModel& model) {
  ButtonModel out = model;
  out.toggle_state = ButtonToggle::kOff;
  out.visual = RestingState(out);
  return out;
}

ButtonModel WithDisabled(const ButtonModel& model, bool disabled) {
  ButtonModel out = model;
  out.disabled = disabled;
  out.visual = RestingState(out);
  return out;
}

ButtonStep StepButton(const ButtonModel& model, bool tracking, ButtonEvent event) {
  ButtonStep step;
  step.model = model;
  step.tracking = tracking;
  if (model.disabled) {
    // A button disabled while the pointer was over it still lets go of the
    // shared flag when the pointer leaves; otherwise no button of the
    // process could ever turn hot again.
    if (event == ButtonEvent::kPointerLeave) step.tracking = false;
    return step;
  }
  ButtonModel& next = step.model;
  switch (event) {
    case ButtonEvent::kPointerMove:
      if (tracking) break;
      step.tracking = true;
      step.track_leave = true;
      next.visual = Face(model.toggle_state, 1);
      step.repaint = true;
      break;
    case ButtonEvent::kPointerLeave:
      if (!tracking) break;
      step.tracking = false;
      next.visual = Face(model.toggle_state, 0);
      step.repaint = true;
      break;
    case ButtonEvent::kPress:
      next.visual = Face(model.toggle_state, 2);
      step.repaint = true;
      break;
    case ButtonEvent::kRelease:
      // A release is a click only after a press on this button: a press
      // made elsewhere and released over it is no click.
      if (!IsPressed(model.visual)) break;
      if (!model.toggle) {
        next.visual = BUTTON_HOT;
      } else if (model.toggle_state == ButtonToggle::kSelected && !model.grouped) {
        next.toggle_state = ButtonToggle::kOff;
        next.visual = BUTTON_HOT;
      } else {
        // Off or in between becomes selected; a selected group member stays
        // selected, so a group always keeps one selected member.
        step.deselect_others = model.grouped && model.toggle_state != ButtonToggle::kSelected;
        next.toggle_state = ButtonToggle::kSelected;
        next.visual = BUTTON_SELECTED_HOT;
      }
      step.repaint = true;
      step.click = true;
      break;
  }
  return step;
}

}  // namespace lumora
