#include "toolkit/bars/toolbar_notify_win32.h"

#include <commctrl.h>

#include <string>

#include "toolkit/bars/toolbar_paint_win32.h"
#include "toolkit/bars/toolbar_registry_win32.h"
#include "toolkit/base/bar_window_proc_win32.h"

namespace lumora {
namespace {

// A notification from a tooltip is ours when the tooltip belongs to one of
// the toolkit's tool bars; other tooltips of the same window keep theirs.
bool FromToolkitTooltip(HWND sender) {
  if (!sender) return false;
  for (ToolbarRecord* toolbar : AllToolbars()) {
    if (toolbar->window == sender) return true;
    if (reinterpret_cast<HWND>(SendMessageW(toolbar->window, TB_GETTOOLTIPS, 0, 0)) == sender) return true;
  }
  return false;
}

// The tooltip copies the text before the next request, so one buffer of
// each kind is enough.
bool AnswerTooltip(NMHDR* header) {
  if (!FromToolkitTooltip(header->hwndFrom)) return false;
  if (header->idFrom > static_cast<UINT_PTR>(INT32_MAX)) return false;
  const auto text = TooltipEntry(static_cast<int32_t>(header->idFrom));
  if (!text) return false;
  if (header->code == TTN_GETDISPINFOW) {
    static std::wstring wide;
    wide = *text;
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
    info->lpszText = wide.data();
    info->hinst = nullptr;
    return true;
  }
  static std::string narrow;
  const int length = WideCharToMultiByte(CP_ACP, 0, text->c_str(), -1, nullptr, 0, nullptr, nullptr);
  narrow.assign(length > 0 ? static_cast<size_t>(length) : 1, '\0');
  if (length > 0) WideCharToMultiByte(CP_ACP, 0, text->c_str(), -1, narrow.data(), length, nullptr, nullptr);
  auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
  info->lpszText = narrow.data();
  info->hinst = nullptr;
  return true;
}

bool ToolbarNotifyHandler(HWND, UINT message, WPARAM, LPARAM lparam, LRESULT* result) {
  if (message != WM_NOTIFY || !lparam) return false;
  auto* header = reinterpret_cast<NMHDR*>(lparam);
  switch (header->code) {
    case NM_CUSTOMDRAW: {
      ToolbarRecord* toolbar = FindToolbarByWindow(header->hwndFrom);
      if (!toolbar) return false;
      *result = ToolbarCustomDraw(*toolbar, *reinterpret_cast<NMTBCUSTOMDRAW*>(lparam));
      return true;
    }
    case TTN_GETDISPINFOW:
    case TTN_GETDISPINFOA:
      if (!AnswerTooltip(header)) return false;
      *result = 0;
      return true;
    default:
      return false;
  }
}

}  // namespace

void InstallToolbarNotifyHandler() { RegisterBarMessageHandler(ToolbarNotifyHandler); }

}  // namespace lumora
