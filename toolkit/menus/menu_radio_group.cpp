#include "toolkit/menus/menu_radio_group.h"

namespace lumora {

int32_t MenuRadioGroups::Join(intptr_t popup) {
  if (!any_ || popup != last_popup_) ++counter_;
  any_ = true;
  last_popup_ = popup;
  return counter_;
}

void MenuRadioGroups::Reset() {
  counter_ = 0;
  last_popup_ = 0;
  any_ = false;
}

}  // namespace lumora
