#include "toolkit/menus/drop_shadow_win32.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/dib_section_win32.h"
#include "platform/error_log_win32.h"
#include "platform/os_handles_win32.h"
#include "toolkit/base/platform_caps_win32.h"
#include "toolkit/menus/drop_shadow_strip.h"

namespace lumora {
namespace {

constexpr wchar_t kShadowClass[] = L"Lumora_DropShadow";
constexpr DWORD kShadowExStyle = WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT | WS_EX_TOPMOST;
static_assert(kShadowExStyle == 0x080800A8);

struct ShadowWindow {
  HWND owner;  // not ours
  platform::UniqueWindow window;
};

// A shadow that went with the whole thread's windows is only dropped.
void Destroy(platform::UniqueWindow& window) {
  if (!IsWindow(window.get())) window.release();
  window.reset();
}

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
  if (!registered) platform::LogWin32Failure("RegisterClassEx (drop shadow)");
  return registered;
}

}  // namespace

HWND ShowDropShadow(HWND owner, POINT position, int32_t length, int32_t depth, COLORREF colour, int32_t max_alpha,
                    uint32_t side_flags) {
  if (!g_caps.drop_shadow_enabled || !RegisterShadowClass()) return nullptr;
  const bool vertical = (side_flags & SHADOW_VERTICAL) != 0;
  const int32_t strip_length = ShadowStripLength(length, depth, side_flags);
  const ShadowStrip strip = Cache(vertical).Get(strip_length, depth, colour & 0xFFFFFF, max_alpha);
  if (strip.pixels.empty()) return nullptr;

  void* bits = nullptr;
  platform::UniqueBitmap section = platform::CreateTopDownDib(strip.width, strip.height, 32, &bits);
  const platform::MemoryCanvas layer(platform::CreateMemoryDc(), std::move(section));
  if (!layer || !bits) return nullptr;
  std::memcpy(bits, strip.pixels.data(), strip.pixels.size() * sizeof(uint32_t));

  platform::UniqueWindow window(CreateWindowExW(kShadowExStyle, kShadowClass, L"", WS_POPUP, position.x, position.y,
                                                strip.width, strip.height, nullptr, nullptr,
                                                GetModuleHandleW(nullptr), nullptr));
  if (!window) {
    platform::LogWin32Failure("CreateWindowEx (drop shadow)");
    return nullptr;
  }
  POINT source{0, 0};
  SIZE size{strip.width, strip.height};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  const platform::WindowDc screen(nullptr);
  if (!UpdateLayeredWindow(window.get(), screen.get(), &position, &size, layer.dc(), &source, 0, &blend, ULW_ALPHA))
    return nullptr;
  HWND shown = window.get();
  Shadows().push_back({owner, std::move(window)});
  ShowWindow(shown, SW_SHOWNA);
  return shown;
}

void DestroyDropShadows(HWND owner) {
  auto& shadows = Shadows();
  std::vector<platform::UniqueWindow> doomed;
  for (ShadowWindow& shadow : shadows)
    if (shadow.owner == owner) doomed.push_back(std::move(shadow.window));
  shadows.erase(std::remove_if(shadows.begin(), shadows.end(),
                               [owner](const ShadowWindow& shadow) { return shadow.owner == owner; }),
                shadows.end());
  // Destroyed only once out of the list: destroying sends messages, which
  // may come back here.
  for (platform::UniqueWindow& window : doomed) Destroy(window);
}

void DestroyAllDropShadows() {
  std::vector<ShadowWindow> all;
  all.swap(Shadows());
  for (ShadowWindow& shadow : all) Destroy(shadow.window);
}

size_t DropShadowCount() { return Shadows().size(); }

void RefreshDropShadowSetting() {
  BOOL shadow = FALSE;
  if (SystemParametersInfoW(SPI_GETDROPSHADOW, 0, &shadow, 0)) g_caps.drop_shadow_enabled = shadow ? 1 : 0;
}

}  // namespace lumora
