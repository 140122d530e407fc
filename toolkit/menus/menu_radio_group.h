// Radio groups of menu items: an item radio-checked for the first time joins
// the current group, and a new group begins whenever that item sits in
// another popup than the previous one did.
#pragma once
#include <cstdint>

namespace lumora {

class MenuRadioGroups {
 public:
  // The group number for an item of `popup` joining now.
  int32_t Join(intptr_t popup);
  void Reset();

 private:
  int32_t counter_ = 0;
  intptr_t last_popup_ = 0;
  bool any_ = false;
};

}  // namespace lumora
