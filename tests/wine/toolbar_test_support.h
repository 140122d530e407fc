// Helpers shared by the tool-bar, image-file and size-limit tests under
// Wine: a started toolkit, host windows that record commands, solid test
// icons and a 32-bit canvas whose pixels can be read back.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "tests/wine/message_pump.h"
#include "toolkit/controls/toolkit_win32.h"

namespace lumora::testing_support {

// Starts the toolkit once for the whole program and shuts it down at the end.
class ToolkitEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { StartToolkit(); }
  void TearDown() override { ShutdownToolkit(); }
};

inline std::vector<UINT>& Commands() {
  static std::vector<UINT> commands;
  return commands;
}

inline LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_COMMAND) Commands().push_back(LOWORD(wparam));
  return DefWindowProcW(window, message, wparam, lparam);
}

// A top-level window of the given client size whose WM_COMMANDs are recorded.
inline HWND MakeHost(int width = 600, int height = 300, bool visible = false) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"ToolbarTestHost";
    registered = RegisterClassW(&wc) != 0;
  }
  RECT rect{0, 0, width, height};
  AdjustWindowRect(&rect, WS_OVERLAPPEDWINDOW, FALSE);
  return CreateWindowExW(0, L"ToolbarTestHost", L"host", WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0), 20, 20,
                         rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, GetModuleHandleW(nullptr),
                         nullptr);
}

inline void Pump(DWORD milliseconds) { wine_test::PumpFor(milliseconds); }

// An opaque icon of one colour (COLORREF), owned by the caller.
inline HICON MakeSolidIcon(COLORREF colour, int size = 16) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = size;
  info.bmiHeader.biHeight = -size;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP colour_bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const uint32_t pixel = 0xFF000000u | GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
  for (int i = 0; i < size * size; ++i) static_cast<uint32_t*>(bits)[i] = pixel;
  std::vector<uint8_t> mask_bits(static_cast<size_t>(((size + 15) / 16) * 2 * size), 0);
  HBITMAP mask = CreateBitmap(size, size, 1, 1, mask_bits.data());
  ICONINFO icon{TRUE, 0, 0, mask, colour_bitmap};
  HICON result = CreateIconIndirect(&icon);
  DeleteObject(colour_bitmap);
  DeleteObject(mask);
  return result;
}

// A memory DC with a 32-bit top-down DIB section, filled with one colour.
class Canvas {
 public:
  Canvas(int width, int height, COLORREF fill) : width_(width), height_(height) {
    dc_ = CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<uint32_t*>(bits);
    old_ = SelectObject(dc_, bitmap_);
    const uint32_t pixel = GetRValue(fill) << 16 | GetGValue(fill) << 8 | GetBValue(fill);
    for (int i = 0; i < width * height; ++i) bits_[i] = pixel;
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  ~Canvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }
  bool ok() const { return dc_ && bits_; }
  int width() const { return width_; }
  int height() const { return height_; }
  // The pixel as a COLORREF.
  COLORREF At(int x, int y) const {
    GdiFlush();
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    const uint32_t v = bits_[y * width_ + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }

 private:
  int width_, height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  uint32_t* bits_ = nullptr;
};

// A window's client area printed (WM_PRINTCLIENT) onto a canvas of
// magenta, so that whatever the window left unpainted keeps that colour.
struct Printed {
  explicit Printed(HWND window) : canvas(Width(window), Height(window), RGB(255, 0, 255)) {
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
  }
  static int Width(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    return r.right;
  }
  static int Height(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    return r.bottom;
  }
  Canvas canvas;
};

inline bool Near(COLORREF a, COLORREF b, int tolerance) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

inline ::testing::AssertionResult ColourNear(COLORREF actual, COLORREF expected, int tolerance) {
  if (Near(actual, expected, tolerance)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "colour (" << int(GetRValue(actual)) << "," << int(GetGValue(actual)) << ","
                                       << int(GetBValue(actual)) << ") is not near (" << int(GetRValue(expected)) << ","
                                       << int(GetGValue(expected)) << "," << int(GetBValue(expected)) << ")";
}

// The image at `index` of a list drawn onto a canvas filled with `fill`,
// read at the image's centre.
inline COLORREF ImageCentre(HIMAGELIST list, int index, COLORREF fill = RGB(255, 0, 255)) {
  int width = 0, height = 0;
  ImageList_GetIconSize(list, &width, &height);
  Canvas canvas(width, height, fill);
  ImageList_Draw(list, index, canvas.dc(), 0, 0, ILD_TRANSPARENT);
  return canvas.At(width / 2, height / 2);
}

}  // namespace lumora::testing_support
