// Owners for the GDI and USER resources the tool bars and the image loader
// hold: each frees its handle when it goes out of scope unless released.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace lumora {

template <typename Handle, BOOL(WINAPI* Free)(Handle)>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  Handle release() { return std::exchange(handle_, nullptr); }
  void reset(Handle handle = nullptr) {
    if (handle_ && handle_ != handle) Free(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = nullptr;
};

inline BOOL WINAPI DeleteGdiObject(HGDIOBJ object) { return DeleteObject(object); }
inline BOOL WINAPI DeleteFontHandle(HFONT font) { return DeleteObject(font); }
inline BOOL WINAPI DeleteBitmapHandle(HBITMAP bitmap) { return DeleteObject(bitmap); }
inline BOOL WINAPI DeleteBrushHandle(HBRUSH brush) { return DeleteObject(brush); }

using UniqueFont = UniqueHandle<HFONT, DeleteFontHandle>;
using UniqueBitmap = UniqueHandle<HBITMAP, DeleteBitmapHandle>;
using UniqueBrush = UniqueHandle<HBRUSH, DeleteBrushHandle>;
using UniqueIcon = UniqueHandle<HICON, DestroyIcon>;
using UniqueImageList = UniqueHandle<HIMAGELIST, ImageList_Destroy>;

// A memory device context compatible with the screen; objects selected into
// it through Select are put back before it is deleted.
class MemoryDc {
 public:
  MemoryDc() : dc_(CreateCompatibleDC(nullptr)) {}
  ~MemoryDc() {
    if (!dc_) return;
    if (old_bitmap_) SelectObject(dc_, old_bitmap_);
    if (old_font_) SelectObject(dc_, old_font_);
    DeleteDC(dc_);
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;

  HDC get() const { return dc_; }
  void SelectBitmap(HBITMAP bitmap) {
    HGDIOBJ old = SelectObject(dc_, bitmap);
    if (!old_bitmap_) old_bitmap_ = old;
  }
  void SelectFont(HFONT font) {
    HGDIOBJ old = SelectObject(dc_, font);
    if (!old_font_) old_font_ = old;
  }

 private:
  HDC dc_ = nullptr;
  HGDIOBJ old_bitmap_ = nullptr;
  HGDIOBJ old_font_ = nullptr;
};

// The screen's device context for reading its capabilities.
class ScreenDc {
 public:
  ScreenDc() : dc_(GetDC(nullptr)) {}
  ~ScreenDc() {
    if (dc_) ReleaseDC(nullptr, dc_);
  }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_ = nullptr;
};

// Keeps a device context's selected font, text colour and background mode
// as they were.
class DcStateSaver {
 public:
  explicit DcStateSaver(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  ~DcStateSaver() {
    if (saved_) RestoreDC(dc_, saved_);
  }
  DcStateSaver(const DcStateSaver&) = delete;
  DcStateSaver& operator=(const DcStateSaver&) = delete;

 private:
  HDC dc_;
  int saved_;
};

}  // namespace lumora
