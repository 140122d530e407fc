// Owners for the operating system's handles, in one place so that the rules
// are learnt once: an owner frees its handle when it goes out of scope or is
// reset, can be moved but never copied, hands its handle over with
// release(), and tests true while it holds one.
//
// Every owner keeps a count of the handles of its kind it holds, so that a
// test can see a leak on a system whose own resource counters say nothing.
// A released handle leaves the count: whoever takes it over adopts it into
// an owner of its own.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <utility>

namespace platform {

enum class HandleKind {
  kWindow,
  kMemoryDc,
  kWindowDc,
  kBitmap,
  kFont,
  kBrush,
  kRegion,
  kImageList,
  kIcon,
  kModule,
  kFile,
  kPrinterDc,
  kGlobalMemory,
  kHook,
  kMenu,
  kCount
};
inline constexpr int kHandleKindCount = static_cast<int>(HandleKind::kCount);

using HandleCounts = std::array<long, kHandleKindCount>;

// How many handles of each kind owners hold right now.
HandleCounts LiveHandleCounts();
// "window", "memory DC" and so on, for messages.
const char* HandleKindName(HandleKind kind);
// Called by the owners; +1 when one takes a handle, -1 when it lets it go.
void CountHandle(HandleKind kind, long change) noexcept;

// Defined with the icons made from pixels (icon_pixels_win32.h).
void ForgetIconPixels(HICON icon) noexcept;

namespace handle_traits {

template <typename H, HandleKind K>
struct GdiObject {
  using Handle = H;
  static constexpr HandleKind kKind = K;
  static bool Free(H handle) noexcept { return DeleteObject(handle) != FALSE; }
};

struct Window {
  using Handle = HWND;
  static constexpr HandleKind kKind = HandleKind::kWindow;
  static bool Free(HWND handle) noexcept { return DestroyWindow(handle) != FALSE; }
};

struct MemoryDc {
  using Handle = HDC;
  static constexpr HandleKind kKind = HandleKind::kMemoryDc;
  static bool Free(HDC handle) noexcept { return DeleteDC(handle) != FALSE; }
};

struct ImageList {
  using Handle = HIMAGELIST;
  static constexpr HandleKind kKind = HandleKind::kImageList;
  static bool Free(HIMAGELIST handle) noexcept { return ImageList_Destroy(handle) != FALSE; }
};

struct Icon {
  using Handle = HICON;
  static constexpr HandleKind kKind = HandleKind::kIcon;
  static bool Free(HICON handle) noexcept {
    ForgetIconPixels(handle);
    return DestroyIcon(handle) != FALSE;
  }
};

struct Module {
  using Handle = HMODULE;
  static constexpr HandleKind kKind = HandleKind::kModule;
  static bool Free(HMODULE handle) noexcept { return FreeLibrary(handle) != FALSE; }
};

// A printer's device context, made by CreateDC or the print dialog.
struct PrinterDc {
  using Handle = HDC;
  static constexpr HandleKind kKind = HandleKind::kPrinterDc;
  static bool Free(HDC handle) noexcept { return DeleteDC(handle) != FALSE; }
};

// A movable block of global memory, as the common dialogs hand them over.
struct GlobalMemory {
  using Handle = HGLOBAL;
  static constexpr HandleKind kKind = HandleKind::kGlobalMemory;
  static bool Free(HGLOBAL handle) noexcept { return GlobalFree(handle) == nullptr; }
};

// Files and the other kernel objects closed with CloseHandle.
struct File {
  using Handle = HANDLE;
  static constexpr HandleKind kKind = HandleKind::kFile;
  static bool Free(HANDLE handle) noexcept { return CloseHandle(handle) != FALSE; }
};

// A hook procedure set with SetWindowsHookEx.
struct Hook {
  using Handle = HHOOK;
  static constexpr HandleKind kKind = HandleKind::kHook;
  static bool Free(HHOOK handle) noexcept { return UnhookWindowsHookEx(handle) != FALSE; }
};

// A menu made with CreateMenu or CreatePopupMenu. Destroying a menu destroys
// the submenus still attached to it: detach those first when they have
// owners of their own.
struct Menu {
  using Handle = HMENU;
  static constexpr HandleKind kKind = HandleKind::kMenu;
  static bool Free(HMENU handle) noexcept { return DestroyMenu(handle) != FALSE; }
};

// A search of a folder's names begun by FindFirstFile: counted with the
// files, and like them none while it holds INVALID_HANDLE_VALUE.
struct FileSearch {
  using Handle = HANDLE;
  static constexpr HandleKind kKind = HandleKind::kFile;
  static bool Free(HANDLE handle) noexcept { return FindClose(handle) != FALSE; }
};

}  // namespace handle_traits

template <typename Traits>
class UniqueOsHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueOsHandle() noexcept = default;
  // Takes the handle; CreateFile's INVALID_HANDLE_VALUE is held as none.
  explicit UniqueOsHandle(Handle handle) noexcept : handle_(Valid(handle)) {
    if (handle_) CountHandle(Traits::kKind, 1);
  }
  ~UniqueOsHandle() { reset(); }
  UniqueOsHandle(UniqueOsHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  UniqueOsHandle& operator=(UniqueOsHandle&& other) noexcept {
    if (this != &other) {
      reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  UniqueOsHandle(const UniqueOsHandle&) = delete;
  UniqueOsHandle& operator=(const UniqueOsHandle&) = delete;

  Handle get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != nullptr; }

  // Hands the handle to the caller, who frees it from now on.
  Handle release() noexcept {
    if (handle_) CountHandle(Traits::kKind, -1);
    return std::exchange(handle_, nullptr);
  }

  // Takes `handle` and then frees the one held before, so that a caller
  // comparing handles always sees a replacement as a new one.
  void reset(Handle handle = nullptr) noexcept {
    handle = Valid(handle);
    if (handle == handle_) return;
    if (handle) CountHandle(Traits::kKind, 1);
    Handle old = std::exchange(handle_, handle);
    if (old) Free(old);
  }

  // Frees the handle now; false when the system reported a failure.
  bool close() noexcept {
    Handle old = std::exchange(handle_, nullptr);
    return old ? Free(old) : true;
  }

 private:
  static Handle Valid(Handle handle) noexcept {
    if constexpr (Traits::kKind == HandleKind::kFile) {
      if (handle == INVALID_HANDLE_VALUE) return nullptr;
    }
    return handle;
  }
  static bool Free(Handle handle) noexcept {
    CountHandle(Traits::kKind, -1);
    return Traits::Free(handle);
  }

  Handle handle_ = nullptr;
};

using UniqueWindow = UniqueOsHandle<handle_traits::Window>;
using UniqueMemoryDc = UniqueOsHandle<handle_traits::MemoryDc>;
using UniqueBitmap = UniqueOsHandle<handle_traits::GdiObject<HBITMAP, HandleKind::kBitmap>>;
using UniqueFont = UniqueOsHandle<handle_traits::GdiObject<HFONT, HandleKind::kFont>>;
using UniqueBrush = UniqueOsHandle<handle_traits::GdiObject<HBRUSH, HandleKind::kBrush>>;
using UniqueRegion = UniqueOsHandle<handle_traits::GdiObject<HRGN, HandleKind::kRegion>>;
using UniqueImageList = UniqueOsHandle<handle_traits::ImageList>;
using UniqueIcon = UniqueOsHandle<handle_traits::Icon>;
using UniqueModule = UniqueOsHandle<handle_traits::Module>;
using UniqueFile = UniqueOsHandle<handle_traits::File>;
using UniquePrinterDc = UniqueOsHandle<handle_traits::PrinterDc>;
using UniqueGlobalMemory = UniqueOsHandle<handle_traits::GlobalMemory>;
using UniqueHook = UniqueOsHandle<handle_traits::Hook>;
using UniqueMenu = UniqueOsHandle<handle_traits::Menu>;
using UniqueFileSearch = UniqueOsHandle<handle_traits::FileSearch>;
using UniqueKernelObject = UniqueFile;  // threads, events: counted with the files

// A memory device context compatible with the screen.
inline UniqueMemoryDc CreateMemoryDc(HDC like = nullptr) { return UniqueMemoryDc(CreateCompatibleDC(like)); }

// An icon or a bitmap, as the image loaders return them; freed the way its
// type asks for.
class UniqueImage {
 public:
  UniqueImage() noexcept = default;
  explicit UniqueImage(HANDLE image) noexcept {
    if (!image) return;
    if (GetObjectType(image) == OBJ_BITMAP)
      bitmap_.reset(static_cast<HBITMAP>(image));
    else
      icon_.reset(static_cast<HICON>(image));
  }
  HANDLE get() const noexcept { return bitmap_ ? static_cast<HANDLE>(bitmap_.get()) : icon_.get(); }
  explicit operator bool() const noexcept { return bitmap_ || icon_; }
  HANDLE release() noexcept {
    if (bitmap_) return bitmap_.release();
    return icon_.release();
  }
  void reset(HANDLE image = nullptr) noexcept { *this = UniqueImage(image); }

 private:
  UniqueBitmap bitmap_;
  UniqueIcon icon_;
};

// A device context borrowed from a window (or the screen, for a null
// window) with GetDC or GetWindowDC, given back on destruction.
class WindowDc {
 public:
  enum Area { kClient, kWhole };
  WindowDc() noexcept = default;
  explicit WindowDc(HWND window, Area area = kClient) noexcept
      : window_(window), dc_(area == kWhole ? GetWindowDC(window) : GetDC(window)) {
    if (dc_) CountHandle(HandleKind::kWindowDc, 1);
  }
  ~WindowDc() { reset(); }
  WindowDc(WindowDc&& other) noexcept
      : window_(std::exchange(other.window_, nullptr)), dc_(std::exchange(other.dc_, nullptr)) {}
  WindowDc& operator=(WindowDc&& other) noexcept {
    if (this != &other) {
      reset();
      window_ = std::exchange(other.window_, nullptr);
      dc_ = std::exchange(other.dc_, nullptr);
    }
    return *this;
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;

  HDC get() const noexcept { return dc_; }
  explicit operator bool() const noexcept { return dc_ != nullptr; }
  void reset() noexcept {
    if (!dc_) return;
    CountHandle(HandleKind::kWindowDc, -1);
    ReleaseDC(window_, std::exchange(dc_, nullptr));
  }

 private:
  HWND window_ = nullptr;
  HDC dc_ = nullptr;
};

// Selects a GDI object (not a region) into a device context and puts the
// previous one back on destruction, so that the object can then be freed.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ object) noexcept {
    if (!dc || !object) return;
    HGDIOBJ old = SelectObject(dc, object);
    if (old && old != HGDI_ERROR) {
      dc_ = dc;
      old_ = old;
    }
  }
  ~SelectGuard() {
    if (old_) SelectObject(dc_, old_);
  }
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;
  explicit operator bool() const noexcept { return old_ != nullptr; }

 private:
  HDC dc_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

// Keeps everything selected into a device context, and its colours and
// modes, as they were (SaveDC / RestoreDC).
class SavedDcState {
 public:
  explicit SavedDcState(HDC dc) noexcept : dc_(dc), saved_(dc ? SaveDC(dc) : 0) {}
  ~SavedDcState() {
    if (saved_) RestoreDC(dc_, saved_);
  }
  SavedDcState(const SavedDcState&) = delete;
  SavedDcState& operator=(const SavedDcState&) = delete;

 private:
  HDC dc_;
  int saved_;
};

// A memory device context with a bitmap selected into it, owned together:
// the context's own bitmap goes back in before either is freed. Tests true
// once the bitmap is selected.
class MemoryCanvas {
 public:
  MemoryCanvas() noexcept = default;
  MemoryCanvas(UniqueMemoryDc dc, UniqueBitmap bitmap) noexcept : bitmap_(std::move(bitmap)), dc_(std::move(dc)) {
    if (!dc_ || !bitmap_) return;
    HGDIOBJ old = SelectObject(dc_.get(), bitmap_.get());
    if (old && old != HGDI_ERROR) old_ = old;
  }
  // A canvas of a bitmap compatible with `like` (the screen when null).
  static MemoryCanvas Compatible(HDC like, int width, int height) {
    UniqueMemoryDc dc = CreateMemoryDc(like);
    if (!dc || width <= 0 || height <= 0) return MemoryCanvas();
    UniqueBitmap bitmap(CreateCompatibleBitmap(like ? like : dc.get(), width, height));
    return MemoryCanvas(std::move(dc), std::move(bitmap));
  }
  ~MemoryCanvas() { Deselect(); }
  MemoryCanvas(MemoryCanvas&& other) noexcept
      : bitmap_(std::move(other.bitmap_)), dc_(std::move(other.dc_)), old_(std::exchange(other.old_, nullptr)) {}
  MemoryCanvas& operator=(MemoryCanvas&& other) noexcept {
    if (this != &other) {
      Deselect();
      dc_ = std::move(other.dc_);
      bitmap_ = std::move(other.bitmap_);
      old_ = std::exchange(other.old_, nullptr);
    }
    return *this;
  }
  MemoryCanvas(const MemoryCanvas&) = delete;
  MemoryCanvas& operator=(const MemoryCanvas&) = delete;

  HDC dc() const noexcept { return dc_.get(); }
  HBITMAP bitmap() const noexcept { return bitmap_.get(); }
  explicit operator bool() const noexcept { return old_ != nullptr; }

 private:
  void Deselect() noexcept {
    if (old_) SelectObject(dc_.get(), std::exchange(old_, nullptr));
  }

  UniqueBitmap bitmap_;  // before the context: freed after it
  UniqueMemoryDc dc_;
  HGDIOBJ old_ = nullptr;  // the context's own bitmap; not ours
};

}  // namespace platform
