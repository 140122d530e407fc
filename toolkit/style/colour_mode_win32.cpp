#include "toolkit/style/colour_mode_win32.h"

#include <array>
#include <utility>

#include "platform/error_log.h"
#include "platform/os_handles_win32.h"
#include "toolkit/base/toolkit_start_win32.h"
#include "toolkit/style/colour_mode.h"
#include "toolkit/style/ui_colour_table.h"
#include "toolkit/style/ui_style.h"

namespace lumora {
namespace {

// Shut-down order (low first): after the menus (400), before the labels (550).
constexpr int32_t kColourRenderingsTeardownRank = 500;

struct BrushSlot {
  platform::UniqueBrush brush;
  COLORREF colour = 0;
};

std::array<BrushSlot, kUIColourKeyCount> g_brushes;

// Whidbey, 2003, 2007.
std::array<std::array<UIColourRenderCache, kUIColourKeyCount>, 3> g_renderings;

int StyleSlot(int32_t style) {
  switch (style) {
    case UISTYLE_WHIDBEY: return 0;
    case UISTYLE_OFFICE2003:
    case UISTYLE_OFFICE2003_MENU_ALIAS: return 1;
    case UISTYLE_OFFICE2007: return 2;
    default: return -1;
  }
}

struct TopLevelWindows {
  DWORD process = 0;
  std::vector<HWND> windows;
  bool complete = true;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM param) noexcept {
  auto* found = reinterpret_cast<TopLevelWindows*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != found->process) return TRUE;
  try {
    found->windows.push_back(window);
  } catch (...) {
    platform::LogCurrentException("colour mode: listing the windows");
    found->complete = false;
    return FALSE;
  }
  return TRUE;
}

void RedrawSweepStep(int32_t) noexcept { SweepRedrawOfProcessWindows(); }

void RepaintStep(int32_t) noexcept { RepaintProcessWindows(); }

void FreeRenderingsStep(int32_t) noexcept { FreeUIColourRenderings(); }

}  // namespace

HBRUSH CachedSolidBrush(int32_t key, COLORREF colour) {
  if (key < 0 || key >= kUIColourKeyCount) return nullptr;
  BrushSlot& slot = g_brushes[static_cast<size_t>(key)];
  if (!slot.brush.get() || slot.colour != colour) {
    // The new brush is made before the old one goes, so a caller comparing
    // handles always sees a change of colour as a new handle.
    slot.brush.reset(CreateSolidBrush(colour));
    slot.colour = colour;
  }
  return slot.brush.get();
}

void FreeUIBrushes() {
  for (BrushSlot& slot : g_brushes) slot = BrushSlot{};
}

HBRUSH LookupUIBrush(int32_t style, int32_t key) {
  return reinterpret_cast<HBRUSH>(LookupUIColour(style, key, UICOLOUR_FORM_BRUSH));
}

CachedRendering::CachedRendering(CachedRendering&& other) noexcept
    : canvas_(std::move(other.canvas_)),
      width_(std::exchange(other.width_, 0)),
      height_(std::exchange(other.height_, 0)) {}

CachedRendering& CachedRendering::operator=(CachedRendering&& other) noexcept {
  if (this != &other) {
    canvas_ = std::move(other.canvas_);
    width_ = std::exchange(other.width_, 0);
    height_ = std::exchange(other.height_, 0);
  }
  return *this;
}

void CachedRendering::Adopt(platform::MemoryCanvas canvas, int32_t width, int32_t height) {
  canvas_ = std::move(canvas);
  width_ = width;
  height_ = height;
}

void CachedRendering::Adopt(HDC dc, HBITMAP bitmap, int32_t width, int32_t height) {
  Adopt(platform::MemoryCanvas(platform::UniqueMemoryDc(dc), platform::UniqueBitmap(bitmap)), width, height);
}

void CachedRendering::Free() {
  canvas_ = platform::MemoryCanvas();
  width_ = 0;
  height_ = 0;
}

UIColourRenderCache* GetUIColourRenderCache(int32_t style, int32_t key) {
  const int slot = StyleSlot(style);
  if (slot < 0 || key < 0 || key >= kUIColourKeyCount) return nullptr;
  return &g_renderings[static_cast<size_t>(slot)][static_cast<size_t>(key)];
}

void FreeUIColourRenderings() {
  // Whidbey renderings go too: they were drawn in the old colours as well.
  for (auto& style : g_renderings) {
    for (UIColourRenderCache& entry : style) {
      entry.rendering.Free();
      entry.further.clear();
    }
  }
}

void SweepRedrawOfProcessWindows() {
  TopLevelWindows top;
  top.process = GetCurrentProcessId();
  EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&top));
  std::vector<HWND> children;
  try {
    for (HWND window : top.windows) {
      if (!IsWindowVisible(window)) continue;
      for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) continue;
        // Reserve first: a child switched off must be in the list that
        // switches it on again.
        children.reserve(children.size() + 1);
        SendMessageW(child, WM_SETREDRAW, FALSE, 0);
        children.push_back(child);
      }
    }
  } catch (...) {
    // Out of memory: turn on again what was turned off and stop.
    platform::LogCurrentException("colour mode: redraw sweep");
  }
  for (HWND child : children) SendMessageW(child, WM_SETREDRAW, TRUE, 0);
}

void RepaintProcessWindows() {
  TopLevelWindows top;
  top.process = GetCurrentProcessId();
  EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&top));
  // Switching redraw back on repaints nothing by itself: every window, its
  // frame and its children are invalidated, and paint when their threads
  // next look at their queues.
  for (HWND window : top.windows)
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void WireColourModeSteps() {
  RegisterColourModeHook(kRedrawSweepRank, "redraw sweep", RedrawSweepStep);
  RegisterColourModeHook(kFreeRenderingsRank, "colour renderings", FreeRenderingsStep);
  RegisterColourModeHook(kRepaintRank, "repaint", RepaintStep);
  // The cached brushes and pictures go at shut-down after the menus and bars
  // that paint with them, and before the labels.
  RegisterTeardown(kColourRenderingsTeardownRank, "colour renderings", [] {
    FreeUIColourRenderings();
    FreeUIBrushes();
  });
}

}  // namespace lumora
