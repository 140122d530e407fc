#include "toolkit/menus/drop_shadow_win32.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/dib_section.h"
#include "toolkit/base/platform_caps.h"
#include "toolkit/menus/drop_shadow_strip.h"

namespace lumora {
namespace {

constexpr wchar_t kShadowClass[] = L"Lumora_DropShadow";
constexpr DWORD kShadowExStyle = WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT | WS_EX_TOPMOST;
static_assert(kShadowExStyle == 0x080800A8);

struct ShadowWindow {
  HWND owner;
  HWND window;
};

std::vector<ShadowWindow>& Shadows() {
  static std::vector<ShadowWindow> shadows;
  return shadows;
}

ShadowStripCache& Cache(bool vertical) {
  static ShadowStripCache horizontal(false), down(true);
  return vertical ? down : horizontal;
}

bool RegisterShadowClass() {
  static bool registered = false;
  if (registered) return true;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kShadowClass;
  registered = RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  return registered;
}

// A memory device context holding a 32-bit top-down section; frees both.
class LayerBitmap {
 public:
  LayerBitmap(int width, int height) {
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = platform::CreateTopDownDib(width, height, 32, &bits_);
    if (dc_ && bitmap_) old_ = SelectObject(dc_, bitmap_);
  }
  ~LayerBitmap() {
    if (dc_ && old_) SelectObject(dc_, old_);
    if (bitmap_) DeleteObject(bitmap_);
    if (dc_) DeleteDC(dc_);
  }
  LayerBitmap(const LayerBitmap&) = delete;
  LayerBitmap& operator=(const LayerBitmap&) = delete;
  bool ok() const { return dc_ && bitmap_ && bits_ && old_; }
  HDC dc() const { return dc_; }
  void* bits() const { return bits_; }

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  void* bits_ = nullptr;
};

}  // namespace

HWND ShowDropShadow(HWND owner, POINT position, int32_t length, int32_t depth, COLORREF colour, int32_t max_alpha,
                    uint32_t side_flags) {
  if (!g_caps.drop_shadow_enabled || !RegisterShadowClass()) return nullptr;
  const bool vertical = (side_flags & SHADOW_VERTICAL) != 0;
  const int32_t strip_length = ShadowStripLength(length, depth, side_flags);
  const ShadowStrip strip = Cache(vertical).Get(strip_length, depth, colour & 0xFFFFFF, max_alpha);
  if (strip.pixels.empty()) return nullptr;

  LayerBitmap layer(strip.width, strip.height);
  if (!layer.ok()) return nullptr;
  std::memcpy(layer.bits(), strip.pixels.data(), strip.pixels.size() * sizeof(uint32_t));

  HWND window = CreateWindowExW(kShadowExStyle, kShadowClass, L"", WS_POPUP, position.x, position.y, strip.width,
                                strip.height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!window) return nullptr;
  POINT source{0, 0};
  SIZE size{strip.width, strip.height};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  HDC screen = GetDC(nullptr);
  const BOOL updated = UpdateLayeredWindow(window, screen, &position, &size, layer.dc(), &source, 0, &blend, ULW_ALPHA);
  if (screen) ReleaseDC(nullptr, screen);
  if (!updated) {
    DestroyWindow(window);
    return nullptr;
  }
  Shadows().push_back({owner, window});
  ShowWindow(window, SW_SHOWNA);
  return window;
}

void DestroyDropShadows(HWND owner) {
  auto& shadows = Shadows();
  std::vector<HWND> doomed;
  for (const ShadowWindow& shadow : shadows)
    if (shadow.owner == owner) doomed.push_back(shadow.window);
  shadows.erase(std::remove_if(shadows.begin(), shadows.end(),
                               [owner](const ShadowWindow& shadow) { return shadow.owner == owner; }),
                shadows.end());
  for (HWND window : doomed)
    if (IsWindow(window)) DestroyWindow(window);
}

void DestroyAllDropShadows() {
  std::vector<ShadowWindow> all;
  all.swap(Shadows());
  for (const ShadowWindow& shadow : all)
    if (IsWindow(shadow.window)) DestroyWindow(shadow.window);
}

size_t DropShadowCount() { return Shadows().size(); }

void RefreshDropShadowSetting() {
  BOOL shadow = FALSE;
  if (SystemParametersInfoW(SPI_GETDROPSHADOW, 0, &shadow, 0)) g_caps.drop_shadow_enabled = shadow ? 1 : 0;
}

}  // namespace lumora
