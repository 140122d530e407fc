#include "toolkit/menus/chevron_menu_win32.h"

#include <algorithm>
#include <climits>

#include "toolkit/menus/menu_tracking_win32.h"
#include "toolkit/menus/menu_win32.h"

namespace lumora {
namespace {

// A skinned popup menu that is freed with its owner object.
class ChevronPopup {
 public:
  explicit ChevronPopup(int32_t ui_style) : menu_(MenuCreatePopup(-1, ui_style)) {}
  ~ChevronPopup() {
    if (menu_) MenuFree(menu_);
  }
  ChevronPopup(const ChevronPopup&) = delete;
  ChevronPopup& operator=(const ChevronPopup&) = delete;
  intptr_t get() const { return menu_; }

 private:
  intptr_t menu_ = 0;
};

}  // namespace

void ShowChevronMenu(HWND owner, const std::vector<ChevronMenuItem>& items, const RECT& chevron, int32_t ui_style) {
  if (items.empty()) return;
  ChevronPopup popup(ui_style);
  if (!popup.get()) return;
  // The new popup is the current menu, where items and separators go.
  for (const ChevronMenuItem& item : items) {
    if (item.separator) {
      MenuAddSeparator();
      continue;
    }
    if (!MenuAddItem(item.id, item.text.c_str(), item.icon.get(), nullptr, nullptr, 0)) continue;
    if (item.disabled) MenuSetItemDisabled(popup.get(), item.id, 1);
    if (item.checked) MenuSetItemState(popup.get(), item.id, 1);
  }
  // The pop-up stays within the window whose band it serves, as the
  // menus of the titles it may offer do.
  RECT window{};
  HWND root = GetAncestor(owner, GA_ROOT);
  int32_t right_limit = INT32_MAX;
  if (root && GetClientRect(root, &window)) {
    MapWindowPoints(root, HWND_DESKTOP, reinterpret_cast<POINT*>(&window), 2);
    right_limit = std::max<int32_t>(window.right, chevron.right);
  }
  MenuShowPopupWithin(popup.get(), owner, chevron.left, chevron.bottom, right_limit);
}

}  // namespace lumora
