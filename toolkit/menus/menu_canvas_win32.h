// An off-screen canvas for menu painting: a memory device context with a
// compatible bitmap selected, both freed on every path unless handed over.
#pragma once
#include <windows.h>

namespace lumora {

class MenuCanvas {
 public:
  MenuCanvas(HDC like, int width, int height) {
    dc_ = CreateCompatibleDC(like);
    bitmap_ = dc_ && width > 0 && height > 0 ? CreateCompatibleBitmap(like ? like : dc_, width, height) : nullptr;
    if (bitmap_) old_ = SelectObject(dc_, bitmap_);
  }
  ~MenuCanvas() {
    if (old_) SelectObject(dc_, old_);
    if (bitmap_) DeleteObject(bitmap_);
    if (dc_) DeleteDC(dc_);
  }
  MenuCanvas(const MenuCanvas&) = delete;
  MenuCanvas& operator=(const MenuCanvas&) = delete;

  bool ok() const { return old_ != nullptr; }
  HDC dc() const { return dc_; }
  // Hands the device context and its bitmap (still selected) to a cache.
  void Release(HDC* dc, HBITMAP* bitmap) {
    *dc = dc_;
    *bitmap = bitmap_;
    dc_ = nullptr;
    bitmap_ = nullptr;
    old_ = nullptr;
  }

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

}  // namespace lumora
