#include "toolkit/bars/toolbar_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "platform/error_log.h"
#include "platform/error_log_win32.h"
#include "platform/os_handles_win32.h"
#include "toolkit/bars/toolbar_fonts_win32.h"
#include "toolkit/bars/toolbar_images_win32.h"
#include "toolkit/bars/toolbar_notify_win32.h"
#include "toolkit/bars/toolbar_paint_win32.h"
#include "toolkit/bars/toolbar_registry_win32.h"
#include "toolkit/base/auto_id.h"
#include "toolkit/base/bar_window_proc_win32.h"
#include "toolkit/base/control_subclass_win32.h"
#include "toolkit/base/platform_caps_win32.h"
#include "toolkit/base/toolkit_start_win32.h"
#include "toolkit/style/colour_mode.h"
#include "toolkit/style/label_draw_win32.h"
#include "toolkit/style/label_layout.h"
#include "toolkit/style/ui_style.h"

namespace lumora {
namespace {

constexpr uint32_t kToolkitFlagBits =
    TOOLBAR_HIDE_CLIPPED | UISTYLE_OFFICE2003 | UISTYLE_OFFICE2007 | TOOLBAR_IMAGE_SIZED_BUTTONS;
constexpr int32_t kFirstAutomaticToolbarId = 10000;
// Shut-down order (low first): after the rebars (100), which hand their
// bands' children back first; before the buttons (300).
constexpr int32_t kToolbarTeardownRank = 200;
// Colour-mode order: the disabled images are derived anew after the bar
// images (400), in the same step as the menus'.
constexpr int32_t kDerivedImagesColourRank = 500;

ToolbarKeyboardHookInstaller g_keyboard_installer = nullptr;
bool g_keyboard_hook_requested = false;

bool IsUiStyle(int32_t style) { return style == UISTYLE_OFFICE2003 || style == UISTYLE_OFFICE2007; }

void RequestKeyboardHook() {
  if (g_keyboard_hook_requested || !g_keyboard_installer) return;
  g_keyboard_hook_requested = true;
  g_keyboard_installer();
}

void FreeAllToolbars() {
  for (ToolbarRecord* toolbar : AllToolbars()) ToolbarFree(toolbar->window);
  ClearTooltipEntries();
  SetCurrentToolbarId(-1);
  SetInsertionIndex(std::nullopt);
  // Shut-down removes the hook itself; a later start asks for a new one.
  g_keyboard_hook_requested = false;
  }

void RebuildDerivedImagesHook(int32_t) {
  // Colour-mode hooks must not throw.
  try {
    ToolbarRebuildDerivedImages();
  } catch (...) {
    platform::LogCurrentException("tool bar: deriving the disabled images");
  }
}

// What the first tool bar sets up for all of them.
void WireToolbars() {
  RegisterTeardown(kToolbarTeardownRank, "tool bars", [] {
    FreeAllToolbars();
    FreeBarFonts();
  });
  RegisterColourModeHook(kDerivedImagesColourRank, "tool bar derived images", RebuildDerivedImagesHook);
  InstallToolbarNotifyHandler();
  // The standard controls made from now on get the toolkit's control
  // procedure; this also installs the window-creation hook if
  // start-up has not.
  EnableControlSubclassing();
  RequestKeyboardHook();
  EnsureBarFont();
}

// Records of tool bars whose windows went away with their parent; a
// recycled window handle must never find them.
void PruneDeadToolbars() {
  for (ToolbarRecord* toolbar : AllToolbars())
    if (!IsWindow(toolbar->window)) ToolbarFree(toolbar->window);
}

int32_t NextToolbarId() {
  static int32_t next = kFirstAutomaticToolbarId;
  while (FindToolbarById(next)) ++next;
  return next++;
}

void ApplyCreationFlags(ToolbarRecord& toolbar, uint32_t flags) {
  DWORD extended = TBSTYLE_EX_DRAWDDARROWS;
  if (flags & TOOLBAR_HIDE_CLIPPED) extended |= TBSTYLE_EX_HIDECLIPPEDBUTTONS;
  SendMessageW(toolbar.window, TB_SETEXTENDEDSTYLE, 0, extended);
  if (flags & TOOLBAR_IMAGE_SIZED_BUTTONS) {
    toolbar.style = static_cast<int32_t>(TOOLBAR_IMAGE_SIZED_BUTTONS);
  } else if (flags & UISTYLE_OFFICE2003) {
    toolbar.style = UISTYLE_OFFICE2003;
  } else if (flags & UISTYLE_OFFICE2007) {
    toolbar.style = UISTYLE_OFFICE2007;
  }
}

void MakeImageLists(ToolbarRecord& toolbar, int width, int height) {
  if (width <= 0 || height <= 0) return;
  toolbar.image_width = width;
  toolbar.image_height = height;
  toolbar.normal.reset(ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 0, 4));
  toolbar.hot.reset(ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 0, 4));
  toolbar.disabled.reset(ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 0, 4));
  SendMessageW(toolbar.window, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(toolbar.normal.get()));
  SendMessageW(toolbar.window, TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(toolbar.hot.get()));
  SendMessageW(toolbar.window, TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(toolbar.disabled.get()));
}

bool IsComboBox(HWND window) {
  wchar_t name[32] = {};
  GetClassNameW(window, name, 32);
  return lstrcmpiW(name, L"ComboBox") == 0;
}

// Puts an embedded control over its slot: at the slot's left and top plus
// the margins, as wide as the slot less the side margins.
void PlaceControl(const ToolbarButtonRecord& slot_record, const RECT& slot) {
  HWND control = slot_record.control;
  const int width = std::max<int>(0, slot.right - slot.left - slot_record.margin_left - slot_record.margin_right);
  const int height = std::max<int>(0, slot.bottom - slot.top - slot_record.margin_bottom);
  SetWindowPos(control, nullptr, slot.left + slot_record.margin_left, slot.top + slot_record.margin_top, width, height,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
  // A combo box's height is its selection field's: the window height only
  // sets how far the list drops.
  if (IsComboBox(control) && height > 6 &&
      SendMessageW(control, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0) != height - 6)
    SendMessageW(control, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height - 6);
}

void RepositionControls(const ToolbarRecord& toolbar) {
  for (ToolbarButtonRecord* slot : ButtonsOf(toolbar.window)) {
    if (!slot->control || !IsWindow(slot->control)) continue;
    const LRESULT index = SendMessageW(toolbar.window, TB_COMMANDTOINDEX, static_cast<WPARAM>(slot->id), 0);
    RECT rect{};
    if (index < 0 || !SendMessageW(toolbar.window, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect)))
      continue;
    PlaceControl(*slot, rect);
  }
}

void SetButtonHeight(const ToolbarRecord& toolbar, int width, int height) {
  SendMessageW(toolbar.window, TB_SETBUTTONSIZE, 0, MAKELPARAM(width, height));
}

// The UI styles want buttons 3 pixels taller than the control makes them;
// image-sized buttons want no more room than their images.
void AdjustButtonSize(ToolbarRecord& toolbar) {
  if (IsUiStyle(toolbar.style)) {
    const LRESULT size = SendMessageW(toolbar.window, TB_GETBUTTONSIZE, 0, 0);
    const int width = LOWORD(size), height = HIWORD(size);
    if (!toolbar.button_height) {
      toolbar.button_height = height + 3;
      SetButtonHeight(toolbar, width, toolbar.button_height);
    } else if (height < toolbar.button_height) {
      SetButtonHeight(toolbar, width, toolbar.button_height);
    }
  } else if (toolbar.style == static_cast<int32_t>(TOOLBAR_IMAGE_SIZED_BUTTONS)) {
    SendMessageW(toolbar.window, TB_SETPADDING, 0, MAKELPARAM(0, 0));
    SetButtonHeight(toolbar, toolbar.image_width, toolbar.image_height);
  }
}

void LayOut(ToolbarRecord& toolbar) {
  SendMessageW(toolbar.window, TB_AUTOSIZE, 0, 0);
  AdjustButtonSize(toolbar);
  SendMessageW(toolbar.window, TB_AUTOSIZE, 0, 0);
  RepositionControls(toolbar);
}

void AfterSlotChange(ToolbarRecord& toolbar) {
  if (toolbar.batching) {
    toolbar.layout_pending = true;
    return;
  }
  LayOut(toolbar);
}

// An explicit id must be new on this tool bar; -1 takes the next automatic
// id no tool-bar button uses. 0 is refused: callers read 0 as failure.
int32_t ResolveSlotId(const ToolbarRecord& toolbar, int32_t id) {
  // Menu items draw from the same counter and register their own ids there;
  // an id either already uses is skipped.
  RegisterAutoIdUser(ToolbarButtonIdInUse);
  if (id == -1) return TakeAutoId(ToolbarButtonIdInUse);
  if (id == 0 || FindButton(toolbar.window, id)) return 0;
  if (SendMessageW(toolbar.window, TB_COMMANDTOINDEX, static_cast<WPARAM>(id), 0) >= 0) return 0;
  return id;
}

struct NewSlot {
  std::unique_ptr<ToolbarButtonRecord> record;
  HANDLE normal = nullptr, hot = nullptr, disabled = nullptr;
  std::shared_ptr<const platform::IconPixels> derived;  // stands in for `disabled`
  bool shows_image = false;
  BYTE state = 0;
  BYTE style = 0;
  INT_PTR string = -1;
};

// Appends the slot's images to the three lists and inserts the button at
// the end or at the insertion index. The slot's index, or -1 (nothing is
// left behind then).
int InsertSlot(ToolbarRecord& toolbar, NewSlot slot) {
  const int count = static_cast<int>(SendMessageW(toolbar.window, TB_BUTTONCOUNT, 0, 0));
  const HIMAGELIST lists[3] = {toolbar.normal.get(), toolbar.hot.get(), toolbar.disabled.get()};
  AppendSlotImages(lists, {slot.normal, slot.hot, slot.disabled}, slot.derived.get());

  const int32_t id = slot.record->id;
  ToolbarButtonRecord* record = RegisterButton(std::move(slot.record));
  TBBUTTON button{};
  button.iBitmap = slot.shows_image ? count : I_IMAGENONE;
  button.idCommand = id;
  button.fsState = slot.state;
  button.fsStyle = slot.style;
  button.dwData = reinterpret_cast<DWORD_PTR>(record);
  button.iString = slot.string;

  int at = count;
  if (std::optional<int32_t> index = InsertionIndex()) {
    at = *index < -1 ? 0 : *index;
    if (at == -1 || at > count) at = count;
  }
  if (!SendMessageW(toolbar.window, TB_INSERTBUTTONW, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&button))) {
    UnregisterButton(record);
    for (HIMAGELIST list : lists)
      if (list && ImageList_GetImageCount(list) > count) ImageList_Remove(list, ImageList_GetImageCount(list) - 1);
    return -1;
  }
  // Slots before others: the lists follow the buttons' order again.
  if (at < count) RefreshSlotImages(toolbar);
  return at;
}

std::unique_ptr<ToolbarButtonRecord> NewRecord(ToolbarRecord& toolbar, int32_t id) {
  auto record = std::make_unique<ToolbarButtonRecord>();
  record->id = id;
  record->toolbar_id = toolbar.id;
  record->toolbar_window = toolbar.window;
  record->toolbar = &toolbar;
  record->style = toolbar.style;
  return record;
}

bool SetSlotWidth(const ToolbarRecord& toolbar, int32_t id, int width) {
  TBBUTTONINFOW info{};
  info.cbSize = sizeof info;
  info.dwMask = TBIF_SIZE;
  info.cx = static_cast<WORD>(width);
  return SendMessageW(toolbar.window, TB_SETBUTTONINFOW, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&info)) != 0;
}

// The text the control stores: label markup is resolved to its plain text.
INT_PTR AddButtonString(const ToolbarRecord& toolbar, const std::wstring& text) {
  if (text.empty()) return -1;
  std::wstring plain = text;
  if (text.find(L'\\') != std::wstring::npos) {
    const platform::UniqueMemoryDc dc = platform::CreateMemoryDc();
    RECT rect{0, 0, 4096, 1024};
    if (dc.get() && DrawLabel(dc.get(), text.c_str(), &rect, GetBarFont(), LABEL_MEASURE | LABEL_COLLECT_TEXT))
      plain = LabelPlainText();
  }
  plain.push_back(L'\0');  // the control reads a list ending in two NULs
  return SendMessageW(toolbar.window, TB_ADDSTRINGW, 0, reinterpret_cast<LPARAM>(plain.c_str()));
}

// A slot that only holds space: a separator or an embedded control.
int32_t AddPlainSlot(ToolbarRecord& toolbar, int32_t id, int width, bool separator, HWND control, int32_t flag,
                     const RECT& margins) {
  auto record = NewRecord(toolbar, id);
  record->separator = separator;
  record->control = control;
  record->control_flag = flag;
  record->margin_left = margins.left;
  record->margin_top = margins.top;
  record->margin_right = margins.right;
  record->margin_bottom = margins.bottom;
  NewSlot slot;
  slot.record = std::move(record);
  slot.normal = slot.hot = slot.disabled = ToolbarBlankIcon();
  if (InsertSlot(toolbar, std::move(slot)) < 0) return 0;
  SetSlotWidth(toolbar, id, width);
  return id;
}

}  // namespace

intptr_t CreateToolbar(int32_t id, HWND window, int image_width, int image_height, uint32_t flags) {
  if (!IsWindow(window)) return 0;
  PruneDeadToolbars();
  if (id != -1 && FindToolbarById(id)) return 0;
  const int32_t toolbar_id = id == -1 ? NextToolbarId() : id;
  WireToolbars();

  // The caller's tool-bar styles join the window style at creation, since
  // the control makes its tooltip then; the toolkit's own bits are not
  // window styles (0x800000 would be a border).
  const DWORD style = WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | CCS_NODIVIDER | TBSTYLE_TOOLTIPS | (flags & ~kToolkitFlagBits);
  // Destroyed here unless its record is made; from then on it goes with its
  // parent or ToolbarFree.
  platform::UniqueWindow made(CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, style, 0, 0, 0, 0, window,
                                              reinterpret_cast<HMENU>(static_cast<intptr_t>(toolbar_id)),
                                              GetModuleHandleW(nullptr), nullptr));
  if (!made) {
    platform::LogWin32Failure("CreateWindowEx (tool bar)");
    return 0;
  }
  HWND toolbar_window = made.get();
  SendMessageW(toolbar_window, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);

  auto record = std::make_unique<ToolbarRecord>();
  record->id = toolbar_id;
  record->window = toolbar_window;
  record->parent = window;
  ToolbarRecord* toolbar = RegisterToolbar(std::move(record));
  made.release();
  SetCurrentToolbarId(toolbar_id);

  ApplyCreationFlags(*toolbar, flags);
  MakeImageLists(*toolbar, image_width, image_height);
  if (HFONT font = GetBarFont()) SendMessageW(toolbar_window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  AttachBarWindowProc(window);
  return id == -1 ? toolbar_id : reinterpret_cast<intptr_t>(toolbar_window);
}

int32_t ToolbarAddImageButton(int32_t id, const wchar_t* text, HICON normal, HICON hot, HICON disabled,
                              uint8_t style) {
  if (style & BTNS_SEP) return ToolbarAddSeparator();
  ToolbarRecord* toolbar = CurrentToolbar();
  if (!toolbar || !IsWindow(toolbar->window)) return 0;
  const int32_t button_id = ResolveSlotId(*toolbar, id);
  if (!button_id) return 0;

  auto record = NewRecord(*toolbar, button_id);
  record->normal = normal;
  record->hot = hot;
  record->disabled = disabled;
  record->disabled_generated = !disabled && normal;
  record->text = text ? text : L"";
  const INT_PTR string = AddButtonString(*toolbar, record->text);

  NewSlot slot;
  SlotImages images = ImagesOfSlot(*record, toolbar->style);
  slot.record = std::move(record);
  slot.normal = images.normal;
  slot.hot = images.hot;
  slot.disabled = images.disabled;
  slot.derived = std::move(images.derived);
  slot.shows_image = normal != nullptr;
  slot.state = TBSTATE_ENABLED;
  slot.style = style;
  slot.string = string;
  // The generated disabled copy lives on in the list; `images` frees ours.
  if (InsertSlot(*toolbar, std::move(slot)) < 0) return 0;
  AfterSlotChange(*toolbar);
  return button_id;
}

int32_t ToolbarAddSeparator() {
  ToolbarRecord* toolbar = CurrentToolbar();
  if (!toolbar || !IsWindow(toolbar->window)) return 0;
  const int32_t id = ResolveSlotId(*toolbar, -1);
  if (!id) return 0;
  if (!AddPlainSlot(*toolbar, id, TOOLBAR_SEPARATOR_WIDTH, true, nullptr, 0, RECT{})) return 0;
  AfterSlotChange(*toolbar);
  return id;
}

int32_t ToolbarAddControl(int32_t id, HWND control, int left, int top, int right, int bottom, int32_t flag) {
  if (!IsWindow(control)) return 0;
  ToolbarRecord* toolbar = CurrentToolbar();
  if (!toolbar || !IsWindow(toolbar->window) || control == toolbar->window) return 0;
  const int32_t slot_id = ResolveSlotId(*toolbar, id);
  if (!slot_id) return 0;
  RECT bounds{};
  GetWindowRect(control, &bounds);
  const int width = bounds.right - bounds.left + left + right;
  if (!AddPlainSlot(*toolbar, slot_id, width, false, control, flag, RECT{left, top, right, bottom})) return 0;

  ShowWindow(control, SW_HIDE);
  const LONG_PTR control_style = GetWindowLongPtrW(control, GWL_STYLE);
  if (!(control_style & WS_CHILD)) SetWindowLongPtrW(control, GWL_STYLE, (control_style & ~WS_POPUP) | WS_CHILD);
  SetParent(control, toolbar->window);
  // The control is shown next, so it is put in its slot first.
  LayOut(*toolbar);
  toolbar->layout_pending = false;
  ShowWindow(control, SW_SHOW);
  return slot_id;
}

intptr_t ToolbarSetButtonDisabled(intptr_t toolbar_ref, int32_t button_id, int32_t state) {
  ToolbarRecord* toolbar = FindToolbar(toolbar_ref);
  if (!toolbar || !IsWindow(toolbar->window)) return 0;
  if (!ToolbarButtonIdInUse(button_id)) return 0;
  if (SendMessageW(toolbar->window, TB_COMMANDTOINDEX, static_cast<WPARAM>(button_id), 0) < 0) return 0;
  return SendMessageW(toolbar->window, TB_ENABLEBUTTON, static_cast<WPARAM>(button_id), MAKELPARAM(state == 0, 0));
}

int32_t ToolbarSetButtonTooltip(intptr_t toolbar_ref, int32_t button_id, const wchar_t* text) {
  if (!FindToolbar(toolbar_ref)) return 0;
  SetTooltipEntry(button_id, text ? text : L"");
  return 1;
}

int32_t ToolbarUseClassicTheme(intptr_t toolbar_ref) {
  ToolbarRecord* toolbar = FindToolbar(toolbar_ref);
  if (!toolbar || !IsWindow(toolbar->window)) return 0;
  if (g_caps.os_version < 0x0600) return 0;  // nothing to switch off before Vista
  if (g_caps.theme.library && g_caps.theme.SetWindowTheme) g_caps.theme.SetWindowTheme(toolbar->window, L"", L"");
  if (IsUiStyle(toolbar->style)) {
    // The theme change lets the control size its buttons afresh; a height
    // that still carries the correction is not corrected twice.
    const LRESULT size = SendMessageW(toolbar->window, TB_GETBUTTONSIZE, 0, 0);
    if (HIWORD(size) != toolbar->button_height) {
      toolbar->button_height = HIWORD(size) + 3;
      SetButtonHeight(*toolbar, LOWORD(size), toolbar->button_height);
    }
    SendMessageW(toolbar->window, TB_AUTOSIZE, 0, 0);
  }
  RepositionControls(*toolbar);
  return 1;
}

int32_t ToolbarGetButtonWidth(intptr_t toolbar_ref, int32_t button_id) {
  ToolbarRecord* toolbar = FindToolbar(toolbar_ref);
  if (!toolbar || !IsWindow(toolbar->window)) return 0;
  TBBUTTONINFOW info{};
  info.cbSize = sizeof info;
  info.dwMask = TBIF_SIZE;
  if (SendMessageW(toolbar->window, TB_GETBUTTONINFOW, static_cast<WPARAM>(button_id), reinterpret_cast<LPARAM>(&info)) < 0)
    return 0;
  return info.cx;
}

int32_t ToolbarSetButtonWidth(intptr_t toolbar_ref, int32_t button_id, int32_t width) {
  ToolbarRecord* toolbar = FindToolbar(toolbar_ref);
  if (!toolbar || !IsWindow(toolbar->window) || width < 0 || width > 0xFFFF) return 0;
  if (!SetSlotWidth(*toolbar, button_id, width)) return 0;
  RepositionControls(*toolbar);
  return 1;
}

void ToolbarSetInsertionIndex(int32_t index) { SetInsertionIndex(index); }
void ToolbarEndInsertion() { SetInsertionIndex(std::nullopt); }

void ToolbarBeginBatch(intptr_t toolbar_ref) {
  if (ToolbarRecord* toolbar = FindToolbar(toolbar_ref)) toolbar->batching = true;
}

void ToolbarEndBatch(intptr_t toolbar_ref) {
  ToolbarRecord* toolbar = FindToolbar(toolbar_ref);
  if (!toolbar) return;
  toolbar->batching = false;
  if (!toolbar->layout_pending || !IsWindow(toolbar->window)) return;
  toolbar->layout_pending = false;
  LayOut(*toolbar);
}

HWND ToolbarWindow(intptr_t toolbar_ref) {
  ToolbarRecord* toolbar = FindToolbar(toolbar_ref);
  return toolbar ? toolbar->window : nullptr;
}

int32_t ToolbarIdOf(HWND toolbar_window) {
  ToolbarRecord* toolbar = FindToolbarByWindow(toolbar_window);
  return toolbar ? toolbar->id : -1;
}

bool IsToolkitToolbar(HWND window) { return FindToolbarByWindow(window) != nullptr; }

int32_t ToolbarStyleOf(HWND toolbar_window) {
  ToolbarRecord* toolbar = FindToolbarByWindow(toolbar_window);
  return toolbar ? toolbar->style : 0;
}

void ToolbarMarkAsMenuBar(HWND toolbar_window) {
  if (ToolbarRecord* toolbar = FindToolbarByWindow(toolbar_window)) toolbar->menu_bar = true;
}

bool ToolbarIsMenuBar(HWND toolbar_window) {
  ToolbarRecord* toolbar = FindToolbarByWindow(toolbar_window);
  return toolbar && toolbar->menu_bar;
}

void ToolbarSetOpenMenuButton(HWND toolbar_window, int button_index) {
  ToolbarRecord* toolbar = FindToolbarByWindow(toolbar_window);
  if (!toolbar) return;
  toolbar->open_menu_button = button_index < 0 ? -1 : button_index;
  InvalidateRect(toolbar_window, nullptr, TRUE);
}

int ToolbarOpenMenuButton(HWND toolbar_window) {
  ToolbarRecord* toolbar = FindToolbarByWindow(toolbar_window);
  return toolbar ? toolbar->open_menu_button : -1;
}

bool ToolbarButtonIdInUse(int32_t id) {
  for (ToolbarButtonRecord* button : AllButtons())
    if (button->id == id) return true;
  return false;
}

void ToolbarFree(HWND toolbar_window) {
  ToolbarRecord* toolbar = FindToolbarByWindow(toolbar_window);
  if (!toolbar) return;
  const bool alive = IsWindow(toolbar_window) != FALSE;
  std::vector<int32_t> ids;
  HWND root = alive ? GetAncestor(toolbar_window, GA_ROOT) : nullptr;
  for (ToolbarButtonRecord* slot : ButtonsOf(toolbar_window)) {
    ids.push_back(slot->id);
    // Embedded controls belong to the application and outlive the bar.
    if (slot->control && IsWindow(slot->control) && GetParent(slot->control) == toolbar_window && root)
      SetParent(slot->control, root);
  }
  if (alive) {
    ShowWindow(toolbar_window, SW_HIDE);
    SendMessageW(toolbar_window, TB_SETIMAGELIST, 0, 0);
    SendMessageW(toolbar_window, TB_SETHOTIMAGELIST, 0, 0);
    SendMessageW(toolbar_window, TB_SETDISABLEDIMAGELIST, 0, 0);
    DestroyWindow(toolbar_window);
  }
  const bool was_current = CurrentToolbar() == toolbar;
  UnregisterToolbar(toolbar);
  // Tooltips are keyed by id alone: keep the texts other bars still use.
  for (int32_t id : ids)
    if (!ToolbarButtonIdInUse(id)) RemoveTooltipEntry(id);
  if (was_current) SetCurrentToolbarId(-1);
}

void ToolbarRebuildDerivedImages() {
  for (ToolbarRecord* toolbar : AllToolbars()) {
    if (!IsWindow(toolbar->window)) continue;
    bool any = false;
    for (ToolbarButtonRecord* slot : ButtonsOf(toolbar->window)) any = any || slot->disabled_generated;
    if (any) RefreshSlotImages(*toolbar);
  }
}

void SetToolbarKeyboardHookInstaller(ToolbarKeyboardHookInstaller installer) {
  // Each installer is asked once per run.
  if (installer != g_keyboard_installer) g_keyboard_hook_requested = false;
  g_keyboard_installer = installer;
  if (!AllToolbars().empty()) RequestKeyboardHook();
}

void SetToolbarOpenMenuPainter(ToolbarOpenMenuPainter painter) { SetOpenMenuPainterForPaint(painter); }

}  // namespace lumora
