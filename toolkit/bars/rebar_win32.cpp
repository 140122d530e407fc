#include "toolkit/bars/rebar_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <limits>
#include <memory>
#include <string>

#include "platform/error_log.h"
#include "platform/error_log_win32.h"
#include "platform/os_handles_win32.h"
#include "toolkit/bars/bar_image_win32.h"
#include "toolkit/bars/rebar_drag_win32.h"
#include "toolkit/bars/rebar_messages_win32.h"
#include "toolkit/bars/rebar_registry_win32.h"
#include "toolkit/base/bar_window_proc_win32.h"
#include "toolkit/base/control_subclass_win32.h"
#include "toolkit/base/toolkit_start_win32.h"
#include "toolkit/style/ui_style.h"

namespace lumora {
namespace {

constexpr uint32_t kUIStyleBits = UISTYLE_OFFICE2003 | UISTYLE_OFFICE2007;
// Shut-down order (low first): the rebars go first, handing the children of
// their bands back to the components that free them later.
constexpr int32_t kRebarTeardownRank = 100;
constexpr DWORD kRebarWindowStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;  // 0x56000000

bool HasClass(HWND window, const wchar_t* name) {
  wchar_t actual[64] = {};
  return GetClassNameW(window, actual, 64) > 0 && _wcsicmp(actual, name) == 0;
}

// Bands carry the shared bar image; when it is repainted or replaced they
// must show (and hold) the new one.
void OnBarImageRefreshed(HBITMAP old_image, HBITMAP new_image) {
  try {
    if (old_image != new_image) ReplaceRebarBackground(old_image, new_image);
    for (const RebarInfo& rebar : AllRebars()) {
      if (!IsWindow(rebar.window)) continue;
      if (old_image != new_image) {
        const auto count = static_cast<int>(SendMessageW(rebar.window, RB_GETBANDCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
          REBARBANDINFOW info{};
          info.cbSize = kBandInfoSize;
          info.fMask = RBBIM_BACKGROUND;
          if (!SendMessageW(rebar.window, RB_GETBANDINFOW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info)) ||
              info.hbmBack != old_image)
            continue;
          info.hbmBack = new_image;
          SendMessageW(rebar.window, RB_SETBANDINFOW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info));
        }
      }
      if (rebar.background == new_image)
        RedrawWindow(rebar.window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
  } catch (...) {
    platform::LogCurrentException("rebar: new background image");
  }
}

void FreeAllRebars() {
  if (HWND dragged = DraggedRebar()) OnRebarEndDrag(dragged);
  // Out of the registry first, so the band removals below (which resize
  // the rebars) no longer report heights to a window being torn down.
  std::vector<std::unique_ptr<RebarRecord>> rebars = TakeAllRebars();
  SetCurrentRebarId(-1);
  for (const auto& rebar : rebars) {
    if (!IsWindow(rebar->window)) continue;
    for (const auto& band : rebar->bands)
      if (band->child && IsWindow(band->child) && GetParent(band->child) == rebar->window)
        SetParent(band->child, rebar->parent);
    // The control destroys the children of its bands with itself; these
    // belong to their own components, which free them next.
    for (auto i = SendMessageW(rebar->window, RB_GETBANDCOUNT, 0, 0); i > 0; --i)
      SendMessageW(rebar->window, RB_DELETEBAND, static_cast<WPARAM>(i - 1), 0);
  }
  FreeBarImages();
}

void WireRebars() {
  RegisterBarMessageHandler(RebarParentMessage);
  RegisterControlMessageHandler(RebarWindowMessage);
  SetBarImageListener(OnBarImageRefreshed);
  RegisterTeardown(kRebarTeardownRank, "rebars", [] {
    try {
      FreeAllRebars();
    } catch (...) {
      platform::LogCurrentException("rebar: shut-down");
    }
  });
}

int32_t MeasureChildHeight(HWND child) {
  if (!child) return 0;
  // Only a tool bar understands this message; another control might read
  // the same number as something else entirely.
  if (HasClass(child, TOOLBARCLASSNAMEW)) {
    const auto size = static_cast<DWORD>(SendMessageW(child, TB_GETBUTTONSIZE, 0, 0));
    if (HIWORD(size)) return HIWORD(size);
  }
  RECT rect{};
  GetWindowRect(child, &rect);
  return rect.bottom - rect.top;
}

}  // namespace

intptr_t CreateRebar(int32_t id, HWND parent, HBITMAP background_image, uint32_t style, int32_t drag_flag) {
  if (!IsWindow(parent)) return 0;
  const bool automatic = id == -1;
  if (automatic) {
    id = NextFreeRebarId();
  } else if (RebarIdTaken(id)) {
    return 0;
  }
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_COOL_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);

  // The UI style bits share their values with window styles
  // (WS_MAXIMIZE, WS_CLIPCHILDREN); they never reach the window.
  const uint32_t ui_bits = style & kUIStyleBits;
  DWORD window_style = (style & ~kUIStyleBits) | CCS_NODIVIDER;
  bool band_borders = false;
  if ((background_image || (ui_bits & UISTYLE_OFFICE2003)) && (window_style & RBS_BANDBORDERS)) {
    window_style &= ~static_cast<DWORD>(RBS_BANDBORDERS);
    band_borders = true;
  }
  // Destroyed here unless its record is made; then it goes with its parent.
  platform::UniqueWindow made(CreateWindowExW(0, REBARCLASSNAMEW, nullptr, window_style | kRebarWindowStyle, 0, 0, 0,
                                              0, parent, reinterpret_cast<HMENU>(static_cast<intptr_t>(id)),
                                              GetModuleHandleW(nullptr), nullptr));
  if (!made) {
    platform::LogWin32Failure("CreateWindowEx (rebar)");
    return 0;
  }
  HWND window = made.get();

  auto record = std::make_unique<RebarRecord>();
  record->id = id;
  record->window = window;
  record->parent = parent;
  record->background = background_image;
  record->background_given = background_image;
  record->band_borders = band_borders;
  record->drag_flag = drag_flag ? 0xFF : 0;
  record->ui_style = (ui_bits & UISTYLE_OFFICE2003) ? UISTYLE_OFFICE2003 : (ui_bits ? UISTYLE_OFFICE2007 : 0);
  if (record->ui_style) {
    const bool existed = ExistingBarImage(record->ui_style) != nullptr;
    if (HBITMAP shared = SharedBarImage(record->ui_style)) record->background = shared;
    if (existed) RefreshBarImages();
  }
  REBARINFO bar{};
  bar.cbSize = sizeof(bar);
  SendMessageW(window, RB_SETBARINFO, 0, reinterpret_cast<LPARAM>(&bar));
  record->band_template.cbSize = kBandInfoSize;
  record->band_template.fMask = kBandTemplateMask;
  record->band_template.fStyle = kBandTemplateStyle;
  if (!RegisterRebar(std::move(record))) return 0;
  made.release();
  SetCurrentRebarId(id);

  WireRebars();
  InstallRebarMouseHook();
  // The rebar never erases with a colour of its own: in the UI styles the
  // toolkit paints every pixel of it.
  SetClassLongPtrW(window, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(GetStockObject(NULL_BRUSH)));
  AttachBarWindowProc(parent);
  AdoptWindow(window);  // no harm when creation already brought it in
  return automatic ? id : reinterpret_cast<intptr_t>(window);
}

int32_t RebarAddBand(HWND child, const wchar_t* text, int32_t width, int32_t min_width, int32_t min_height,
                     HBITMAP background_image, uint32_t band_style) {
  const int32_t current = CurrentRebarId();
  if (current == -1) return 0;
  const std::optional<RebarInfo> rebar = FindRebarById(current);
  if (!rebar) return -1;
  if (child && !IsWindow(child)) return -1;

  const int32_t height = min_height > 0 ? min_height : MeasureChildHeight(child);
  if (child && HasClass(child, TOOLBARCLASSNAMEW)) {
    // The rebar, not the tool bar, decides the tool bar's size.
    const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
    SetWindowLongPtrW(child, GWL_STYLE, style | CCS_NODIVIDER | CCS_NORESIZE);
  }

  HBITMAP band_background = nullptr;
  bool fixed_picture = false;
  if (background_image) {
    band_background = background_image;
    const LONG_PTR style = GetWindowLongPtrW(rebar->window, GWL_STYLE);
    SetWindowLongPtrW(rebar->window, GWL_STYLE, style & ~static_cast<LONG_PTR>(RBS_BANDBORDERS));
  } else if (rebar->background) {
    // One picture running on across all bands.
    band_background = rebar->background;
    fixed_picture = true;
  }

  REBARBANDINFOW info{};
  BandRecord* band = RegisterBand(current, child, band_background, &info);
  if (!band) return -1;
  band->min_child = std::max(0, min_width);
  std::wstring caption = text ? text : L"";
  info.lpText = caption.data();
  info.hwndChild = child;
  info.cxMinChild = static_cast<UINT>(std::max(0, min_width));
  info.cyMinChild = static_cast<UINT>(std::max(0, height));
  info.cyChild = info.cyMinChild;
  info.cyIntegral = 1;
  info.cx = static_cast<UINT>(std::max(0, width));
  info.cxIdeal = info.cx;
  info.wID = static_cast<UINT>(band->band_id);
  info.lParam = reinterpret_cast<LPARAM>(band);
  info.fMask = kBandInsertMask;
  if (band_style) info.fStyle = band_style;
  if (fixed_picture) info.fStyle |= RBBS_FIXEDBMP;
  info.hbmBack = band_background;

  const int32_t at = RebarInsertionIndex() == kNoInsertionIndex ? -1 : RebarInsertionIndex();
  if (!SendMessageW(rebar->window, RB_INSERTBANDW, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&info))) {
    UnregisterBand(current, band);
    return -1;
  }
  return info.wID;
}

int32_t RebarGetHeight(intptr_t rebar) {
  std::optional<RebarInfo> info;
  if (rebar >= std::numeric_limits<int32_t>::min() && rebar <= std::numeric_limits<int32_t>::max())
    info = FindRebarById(static_cast<int32_t>(rebar));
  HWND window = info ? info->window : reinterpret_cast<HWND>(rebar);
  // Any other window might read the message as one of its own.
  if (!IsWindow(window) || !HasClass(window, REBARCLASSNAMEW)) return 0;
  return static_cast<int32_t>(SendMessageW(window, RB_GETBARHEIGHT, 0, 0));
}

HWND RebarWindow(int32_t id) {
  const std::optional<RebarInfo> info = FindRebarById(id);
  return info ? info->window : nullptr;
}

bool RebarBandRectOfChild(HWND child, RECT* band) {
  if (!band || !child || !IsWindow(child)) return false;
  HWND rebar = GetParent(child);
  if (!rebar || !HasClass(rebar, REBARCLASSNAMEW)) return false;
  const auto count = static_cast<int>(SendMessageW(rebar, RB_GETBANDCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    REBARBANDINFOW info{};
    info.cbSize = kBandInfoSize;
    info.fMask = RBBIM_CHILD;
    if (!SendMessageW(rebar, RB_GETBANDINFOW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info)) ||
        info.hwndChild != child)
      continue;
    if (!SendMessageW(rebar, RB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(band))) return false;
    MapWindowPoints(rebar, nullptr, reinterpret_cast<POINT*>(band), 2);
    return true;
  }
  return false;
}

}  // namespace lumora
