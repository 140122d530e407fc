#include "toolkit/bars/rebar_chevron_win32.h"

#include <algorithm>
#include <string>

#include "toolkit/bars/rebar_chevron.h"
#include "toolkit/bars/toolbar_registry_win32.h"
#include "toolkit/bars/toolbar_win32.h"
#include "toolkit/style/ui_style.h"

namespace lumora {
namespace {

ChevronMenuRunner g_chevron_menu_runner = nullptr;

bool IsToolbarClass(HWND window) {
  wchar_t name[32] = {};
  return GetClassNameW(window, name, 32) > 0 && _wcsicmp(name, L"ToolbarWindow32") == 0;
}

struct Slot {
  TBBUTTON button{};
  ChevronButton geometry;
  bool control = false;
};

std::vector<Slot> ReadSlots(HWND toolbar) {
  std::vector<Slot> slots;
  const auto count = static_cast<int>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    Slot slot;
    if (!SendMessageW(toolbar, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&slot.button))) {
      slot.geometry.placed = false;
      slots.push_back(slot);
      continue;
    }
    slot.geometry.command_id = slot.button.idCommand;
    slot.geometry.separator = (slot.button.fsStyle & BTNS_SEP) != 0;
    // The toolkit's own separators are ordinary slots marked in their record.
    if (const ToolbarButtonRecord* record = ButtonFromItemData(static_cast<uintptr_t>(slot.button.dwData))) {
      slot.geometry.separator = slot.geometry.separator || record->separator;
      slot.control = record->control != nullptr;
    }
    RECT item{};
    if (SendMessageW(toolbar, TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item)) &&
        !(slot.button.fsState & TBSTATE_HIDDEN)) {
      MapWindowPoints(toolbar, nullptr, reinterpret_cast<POINT*>(&item), 2);
      slot.geometry.right = item.right;
    } else {
      slot.geometry.placed = false;
    }
    slots.push_back(slot);
  }
  return slots;
}

std::wstring ButtonText(HWND toolbar, int32_t id) {
  const auto length = SendMessageW(toolbar, TB_GETBUTTONTEXTW, static_cast<WPARAM>(id), 0);
  if (length > 0 && length < 4096) {
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(toolbar, TB_GETBUTTONTEXTW, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(text.data()));
    text.resize(wcsnlen(text.c_str(), text.size()));
    if (!text.empty()) return text;
  }
  // Image-only buttons say what they do in their tooltip.
  if (std::optional<std::wstring> tip = TooltipEntry(id); tip && !tip->empty()) return *tip;
  return L"Command " + std::to_wstring(id);
}

}  // namespace

std::vector<ChevronMenuItem> CollectChevronItems(HWND toolbar, int32_t visible_right) {
  std::vector<ChevronMenuItem> items;
  if (!IsWindow(toolbar) || !IsToolbarClass(toolbar)) return items;
  const std::vector<Slot> slots = ReadSlots(toolbar);
  std::vector<ChevronButton> geometry;
  geometry.reserve(slots.size());
  for (const Slot& slot : slots) geometry.push_back(slot.geometry);
  const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(toolbar, TB_GETIMAGELIST, 0, 0));
  for (const ChevronEntry& entry : SelectChevronEntries(geometry, visible_right)) {
    const Slot& slot = slots[static_cast<size_t>(entry.button_index)];
    if (slot.control) continue;
    ChevronMenuItem item;
    item.id = entry.command_id;
    item.separator = entry.separator;
    if (!item.separator) {
      item.text = ButtonText(toolbar, item.id);
      item.disabled = !(slot.button.fsState & TBSTATE_ENABLED);
      item.checked = (slot.button.fsState & TBSTATE_CHECKED) != 0;
      if (images && slot.button.iBitmap >= 0 && slot.button.iBitmap < ImageList_GetImageCount(images))
        item.icon.reset(ImageList_GetIcon(images, slot.button.iBitmap, ILD_NORMAL));
    }
    items.push_back(std::move(item));
  }
  return items;
}

void ShowRebarChevron(HWND owner, const RebarInfo& rebar, const NMREBARCHEVRON& note) {
  RECT band{};
  if (!SendMessageW(rebar.window, RB_GETRECT, note.uBand, reinterpret_cast<LPARAM>(&band))) return;
  MapWindowPoints(rebar.window, nullptr, reinterpret_cast<POINT*>(&band), 2);
  RECT chevron = note.rc;
  MapWindowPoints(rebar.window, nullptr, reinterpret_cast<POINT*>(&chevron), 2);

  REBARBANDINFOW info{};
  info.cbSize = kBandInfoSize;
  info.fMask = RBBIM_CHILD;
  if (!SendMessageW(rebar.window, RB_GETBANDINFOW, note.uBand, reinterpret_cast<LPARAM>(&info))) return;
  HWND toolbar = info.hwndChild;
  if (!toolbar || !IsToolbarClass(toolbar)) return;

  // What the band shows of its tool bar ends at the tool bar's own edge
  // (the rebar narrows it to leave room for the chevron) or the band's.
  RECT shown{};
  GetWindowRect(toolbar, &shown);
  const int32_t visible_right = std::min<int32_t>(shown.right, band.right);
  const std::vector<ChevronMenuItem> items = CollectChevronItems(toolbar, visible_right);

  int32_t style = rebar.ui_style;
  if (const ToolbarRecord* record = FindToolbarByWindow(toolbar)) {
    if (record->style & UISTYLE_OFFICE2003) {
      style = UISTYLE_OFFICE2003;
    } else if (record->style & UISTYLE_OFFICE2007) {
      style = UISTYLE_OFFICE2007;
    }
  }
  RunChevronMenu(owner, items, chevron, style);
}


void SetChevronMenuRunner(ChevronMenuRunner runner) { g_chevron_menu_runner = runner; }

void RunChevronMenu(HWND owner, const std::vector<ChevronMenuItem>& items, const RECT& chevron, int32_t ui_style) {
  if (g_chevron_menu_runner) g_chevron_menu_runner(owner, items, chevron, ui_style);
}

}  // namespace lumora
