// Skinned buttons: creation, the pointer events that drive the state
// machine (button_state.h), the click, disabling, tooltips and look-ups.
#include "toolkit/controls/button_win32.h"

#include <algorithm>
#include <memory>

#include "platform/error_log_win32.h"
#include "platform/image_list_win32.h"
#include "toolkit/base/auto_id.h"
#include "toolkit/base/stale_lock.h"
#include "toolkit/base/toolkit_messages.h"
#include "toolkit/base/toolkit_start_win32.h"
#include "toolkit/controls/button_registry_win32.h"
#include "toolkit/controls/panel_registry_win32.h"
#include "toolkit/controls/skin_image_draw_win32.h"

namespace lumora {
namespace {

struct Registry {
  std::vector<std::unique_ptr<ButtonRecord>> buttons;
};

Registry& Get() {
  static Registry registry;
  return registry;
}

StaleLock& Lock() { return ButtonLock(); }

// Set while a button follows the pointer; one for all buttons, since the
// pointer is over one button at a time. The page of that button is kept
// too: a button destroyed while hot never sees its leave, and must not take
// the flag with it.
bool g_tracking = false;
HWND g_tracking_page = nullptr;

ButtonRecord* FindLocked(intptr_t button) {
  for (auto& record : Get().buttons)
    if (record->window == reinterpret_cast<HWND>(button) || record->page == reinterpret_cast<HWND>(button))
      return record.get();
  if (button < INT32_MIN || button > INT32_MAX) return nullptr;
  for (auto& record : Get().buttons)
    if (record->id == button) return record.get();
  return nullptr;
}

bool IdInUse(int32_t id) {
  StaleLockGuard guard(Lock());
  for (auto& record : Get().buttons)
    if (record->id == id) return true;
  return false;
}

void Forget(HWND page) {
  std::unique_ptr<ButtonRecord> doomed;
  StaleLockGuard guard(Lock());
  auto& buttons = Get().buttons;
  auto it = std::find_if(buttons.begin(), buttons.end(), [&](const auto& r) { return r->page == page; });
  if (it == buttons.end()) return;
  doomed = std::move(*it);
  buttons.erase(it);
  // The tooltip, a window of its own, goes with the record.
}

void Repaint(const ButtonRecord& button) {
  SetPageCursor(button.page, button.looks[button.model.visual].cursor);
  RedrawWindow(button.page, nullptr, nullptr, RDW_INVALIDATE | RDW_NOERASE | RDW_UPDATENOW);
}

void Carry(ButtonRecord& button, const ButtonStep& step) {
  g_tracking = step.tracking;
  g_tracking_page = step.tracking ? button.page : nullptr;
  button.model = step.model;
  if (step.track_leave) {
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, button.page, 0};
    TrackMouseEvent(&track);
  }
  if (step.deselect_others) {
    for (ButtonRecord* other : AllButtonRecords()) {
      if (other == &button || !other->model.grouped || other->group != button.group ||
          other->model.toggle_state != ButtonToggle::kSelected)
        continue;
      other->model = Deselected(other->model);
      Repaint(*other);
    }
  }
  if (step.repaint) Repaint(button);
  if (step.click) PostMessageW(button.container, WM_COMMAND, MAKEWPARAM(button.id, 0), 0);
}

void PaintButton(HWND page, HDC dc, const RECT& client) {
  ButtonRecord* button = FindButtonRecord(reinterpret_cast<intptr_t>(page));
  if (!button) return;
  const uint8_t state = button->model.visual;
  ButtonFace face;
  face.look = &button->looks[state];
  face.text = &button->text;
  face.disabled = button->model.disabled;
  HIMAGELIST own = button->images[state].get();
  if (own && ImageList_GetImageCount(own) > 0) {
    face.images = own;
  } else {
    face.images = button->images[BUTTON_NORMAL].get();
    face.blend_image = button->model.disabled;
  }
  PaintButtonFace(dc, client, face);
}

// The page, not the panel, receives the pointer (the panel is see-through
// to hit-testing), so the page is the tool.
TTTOOLINFOW ToolOf(ButtonRecord& button) {
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = button.page;
  tool.uId = reinterpret_cast<UINT_PTR>(button.page);
  tool.lpszText = const_cast<wchar_t*>(button.tooltip_text.c_str());
  return tool;
}

// Makes the tooltip on the pointer's first move over the button and hands
// it that move, which it did not see, so that it starts timing at once.
void MakeTooltip(ButtonRecord& button, WPARAM wparam, LPARAM lparam) {
  if (!button.has_tooltip || button.tooltip) return;
  // Without an owner: owned by the top-level window, the tooltip kept that
  // window's menu bar from opening by keyboard (seen under Wine).
  button.tooltip.reset(CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                       CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                       GetModuleHandleW(nullptr), nullptr));
  if (!button.tooltip) {
    platform::LogWin32Failure("CreateWindowEx (button tooltip)");
    return;
  }
  TTTOOLINFOW tool = ToolOf(button);
  SendMessageW(button.tooltip.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  MSG move{button.page, WM_MOUSEMOVE, wparam, lparam, static_cast<DWORD>(GetMessageTime()), {}};
  const DWORD at = GetMessagePos();
  move.pt = POINT{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
  SendMessageW(button.tooltip.get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&move));
}

LRESULT CALLBACK ButtonCallback(HWND page, UINT message, WPARAM wparam, LPARAM lparam) {
  ButtonRecord* button = FindButtonRecord(reinterpret_cast<intptr_t>(page));
  if (!button) return 0;
  auto step = [&](ButtonEvent event) { Carry(*button, StepButton(button->model, g_tracking, event)); };
  switch (message) {
    case WM_MOUSEMOVE:
      MakeTooltip(*button, wparam, lparam);
      step(ButtonEvent::kPointerMove);
      break;
    case WM_MOUSELEAVE: step(ButtonEvent::kPointerLeave); break;
    case WM_CAPTURECHANGED:
      if (g_tracking) step(ButtonEvent::kPointerLeave);
      break;
    case WM_LBUTTONDOWN: step(ButtonEvent::kPress); break;
    case WM_LBUTTONUP: step(ButtonEvent::kRelease); break;
    case WM_LUMORA_SKINCHANGED: {
      const intptr_t changed = lparam;
      if (button->skin && (changed == 0 || changed == button->skin))
        ButtonApplySkin(reinterpret_cast<intptr_t>(button->window), button->skin, button->component.c_str(), 1);
      break;
    }
    case WM_NCDESTROY:
      if (g_tracking_page == page) {
        g_tracking = false;
        g_tracking_page = nullptr;
      }
      Forget(page);
      break;
    default:
      break;
  }
  return 0;
}

}  // namespace

StaleLock& ButtonLock() {
  static StaleLock lock;
  return lock;
}

ButtonRecord* FindButtonRecord(intptr_t id_or_window) {
  StaleLockGuard guard(Lock());
  return FindLocked(id_or_window);
}

std::vector<ButtonRecord*> AllButtonRecords() {
  StaleLockGuard guard(Lock());
  std::vector<ButtonRecord*> out;
  for (auto& record : Get().buttons) out.push_back(record.get());
  return out;
}

platform::UniqueImageList MakeImageList(HANDLE image, int32_t width, int32_t height) {
  if (width <= 0 || height <= 0) return {};
  platform::UniqueImageList list(ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 1, 0));
  if (!list || !image) return list;
  if (GetObjectType(image) == OBJ_BITMAP)
    ImageList_AddMasked(list.get(), static_cast<HBITMAP>(image), RGB(0, 255, 0));
  else
    platform::ImageListPutIcon(list.get(), -1, static_cast<HICON>(image));
  return list;
}

void ButtonLooksChanged(ButtonRecord& button) {
  if (button.fit_width || button.fit_height) {
    const ButtonLook& look = button.looks[BUTTON_NORMAL];
    RECT rect;
    GetWindowRect(button.window, &rect);
    // The paddings are the skin's numbers: summed wide, so a huge one gives
    // the largest size rather than a negative one.
    const int width = button.fit_width ? FittedLength(button.image_width, look.image_padding.left, look.image_padding.right)
                                       : rect.right - rect.left;
    const int height = button.fit_height
                           ? FittedLength(button.image_height, look.image_padding.top, look.image_padding.bottom)
                           : rect.bottom - rect.top;
    SetWindowPos(button.window, nullptr, 0, 0, std::max(width, 1), std::max(height, 1),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  Repaint(button);
}

void WireButtons() {
  // Shut-down order (low first): after the tool bars (200), before the
  // menus (400).
  constexpr int32_t kButtonTeardownRank = 300;
  RegisterAutoIdUser(IdInUse);
  RegisterTeardown(kButtonTeardownRank, "buttons", FreeAllButtons);
}

intptr_t CreateButton(HWND parent, int32_t id, int32_t x, int32_t y, int32_t width, int32_t height,
                      const wchar_t* text, HANDLE normal_image, HANDLE hot_image, HANDLE pressed_image,
                      HANDLE disabled_image, intptr_t skin) {
  if (!parent) parent = CurrentControlContainer();
  if (!IsWindow(parent)) return 0;
  const bool automatic = id == -1;
  if (automatic) {
    WireButtons();
    id = TakeAutoId(IdInUse);
    if (!id) return 0;
  } else if (IdInUse(id)) {
    return 0;
  }
  const SIZE image_size = SkinImageSize(normal_image);
  HWND page = nullptr;
  const HWND panel = CreateControlPanel(parent, x, y, std::max(width, 1), std::max(height, 1), ButtonCallback, &page);
  if (!panel) return 0;
  SetPagePainter(page, PaintButton);

  auto record = std::make_unique<ButtonRecord>();
  record->id = id;
  record->window = panel;
  record->page = page;
  record->container = parent;
  record->text = text ? text : L"";
  record->image_width = image_size.cx;
  record->image_height = image_size.cy;
  record->fit_width = width == 0;
  record->fit_height = height == 0;
  const HANDLE given[] = {normal_image, hot_image, pressed_image, disabled_image};
  for (int state = 0; state < 4; ++state)
    record->images[state] = MakeImageList(given[state], image_size.cx, image_size.cy);
  for (ButtonLook& look : record->looks) look = CentredLook();
  ButtonRecord* button;
  {
    StaleLockGuard guard(Lock());
    Get().buttons.push_back(std::move(record));
    button = Get().buttons.back().get();
  }
  const intptr_t handle = reinterpret_cast<intptr_t>(panel);
  if (skin != -1 && !ButtonApplySkin(handle, skin, L"buttonex", 0) && !ButtonApplySkin(handle, 0, L"buttonex", 0))
    for (int state = 0; state < kButtonStateCount; ++state) button->looks[state] = SystemButtonLook(state);
  ButtonLooksChanged(*button);
  return automatic ? id : handle;
}

intptr_t CreateImageButton(HWND parent, int32_t id, int32_t x, int32_t y, int32_t width, int32_t height,
                           HANDLE normal_image, HANDLE hot_image, HANDLE pressed_image, HANDLE disabled_image) {
  const intptr_t made =
      CreateButton(parent, id, x, y, width, height, L"", normal_image, hot_image, pressed_image, disabled_image, -1);
  if (!made) return 0;
  ApplyImageButtonSkin(made);
  return made;
}

int32_t ButtonSetLook(intptr_t button, int32_t state, const ButtonLook& look) {
  ButtonRecord* record = FindButtonRecord(button);
  if (!record || state < 0 || state >= kButtonStateCount) return 0;
  record->looks[state] = look;
  if (look.image) {
    const SIZE size = SkinImageSize(look.image);
    record->images[state] = MakeImageList(look.image, size.cx, size.cy);
  }
  ButtonLooksChanged(*record);
  return 1;
}

int32_t ButtonSetDisabled(intptr_t button, int32_t disabled) {
  ButtonRecord* record = FindButtonRecord(button);
  if (!record) return 0;
  record->model = WithDisabled(record->model, disabled != 0);
  Repaint(*record);
  // The parent under the button is redrawn at once, so that a face with
  // see-through parts shows the right background.
  RECT rect;
  GetWindowRect(record->window, &rect);
  MapWindowPoints(nullptr, record->container, reinterpret_cast<POINT*>(&rect), 2);
  RedrawWindow(record->container, &rect, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  return 1;
}

int32_t ButtonSetTooltip(intptr_t button, const wchar_t* text) {
  ButtonRecord* record = FindButtonRecord(button);
  if (!record) return 0;
  record->tooltip_text = text ? text : L"";
  record->has_tooltip = true;
  if (record->tooltip) {
    TTTOOLINFOW tool = ToolOf(*record);
    SendMessageW(record->tooltip.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  return 1;
}

int32_t ButtonSetToggle(intptr_t button, bool toggle, bool grouped, int64_t group) {
  ButtonRecord* record = FindButtonRecord(button);
  if (!record) return 0;
  record->model.toggle = toggle;
  record->model.grouped = grouped;
  record->group = group;
  return 1;
}

int32_t ButtonSetToggleState(intptr_t button, ButtonToggle state) {
  ButtonRecord* record = FindButtonRecord(button);
  if (!record) return 0;
  record->model.toggle_state = state;
  record->model.visual = RestingState(record->model);
  Repaint(*record);
  return 1;
}

int32_t ButtonGetState(intptr_t button) {
  ButtonRecord* record = FindButtonRecord(button);
  return record ? record->model.visual : -1;
}

HWND ButtonWindow(int32_t id) {
  StaleLockGuard guard(Lock());
  for (auto& record : Get().buttons)
    if (record->id == id) return record->window;
  return nullptr;
}

void FreeAllButtons() {
  std::vector<HWND> panels;
  for (ButtonRecord* record : AllButtonRecords()) panels.push_back(record->window);
  for (HWND panel : panels) FreePanel(reinterpret_cast<intptr_t>(panel));
  StaleLockGuard guard(Lock());
  Get().buttons.clear();
  g_tracking = false;
  g_tracking_page = nullptr;
}

}  // namespace lumora
