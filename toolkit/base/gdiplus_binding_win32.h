// The run-time binding to GDI+. The toolkit never links against the library:
// it is loaded on first use and every entry point is looked up by name, so a
// system without it still runs, only with flat colours instead of gradients.
//
// The flat-API types are declared here by hand, only as far as the toolkit
// uses them; GDI+ objects stay opaque pointers.
#pragma once
#ifndef _WIN32
#error "gdiplus_binding_win32.h is Win32 glue"
#endif
#include <windows.h>

#include <cstdint>

#include "platform/os_handles_win32.h"

namespace lumora {

namespace gdip {

using Status = int;  // 0 = Ok
constexpr Status kOk = 0;
using ARGB = uint32_t;  // same layout as the library's DWORD
using REAL = float;
using PixelFormat = INT;

struct GpGraphics;
struct GpBrush;
struct GpLineGradient;
struct GpPathGradient;
struct GpSolidFill;
struct GpPen;
struct GpImage;
struct GpBitmap;
struct GpImageAttributes;
struct GpPath;

struct Point { INT X, Y; };
struct PointF { REAL X, Y; };
struct Rect { INT X, Y, Width, Height; };
struct ColorMatrix { REAL m[5][5]; };
struct BitmapData {
  UINT width;
  UINT height;
  INT stride;
  PixelFormat format;
  void* scan0;
  UINT_PTR reserved;
};

// Enumerations are passed as plain integers.
constexpr INT kWrapModeTile = 0;
constexpr INT kWrapModeTileFlipX = 1;
constexpr INT kWrapModeClamp = 4;
constexpr INT kCompositingModeSourceOver = 0;
constexpr INT kCompositingQualityHighSpeed = 1;
constexpr INT kPixelOffsetModeNone = 3;
constexpr INT kSmoothingModeNone = 3;
constexpr INT kFillModeAlternate = 0;

struct StartupInput {
  UINT32 GdiplusVersion;
  void* DebugEventCallback;
  BOOL SuppressBackgroundThread;
  BOOL SuppressExternalCodecs;
};
using NotificationHookFn = Status(WINAPI*)(ULONG_PTR* token);
using NotificationUnhookFn = void(WINAPI*)(ULONG_PTR token);
struct StartupOutput {
  NotificationHookFn NotificationHook;
  NotificationUnhookFn NotificationUnhook;
};
using GdiplusStartupFn = Status(WINAPI*)(ULONG_PTR* token, const StartupInput* input, StartupOutput* output);
using GdiplusShutdownFn = void(WINAPI*)(ULONG_PTR token);
using DrawImageAbort = BOOL(WINAPI*)(void*);

using GdipCreateFromHDCFn = Status(WINAPI*)(HDC, GpGraphics**);
using GdipCreateFromHWNDFn = Status(WINAPI*)(HWND, GpGraphics**);
using GdipCreateLineBrushIFn = Status(WINAPI*)(const Point*, const Point*, ARGB, ARGB, INT wrap, GpLineGradient**);
using GdipCreateSolidFillFn = Status(WINAPI*)(ARGB, GpSolidFill**);
using GdipFillRectangleIFn = Status(WINAPI*)(GpGraphics*, GpBrush*, INT, INT, INT, INT);
using GdipFillEllipseIFn = Status(WINAPI*)(GpGraphics*, GpBrush*, INT, INT, INT, INT);
using GdipDeleteGraphicsFn = Status(WINAPI*)(GpGraphics*);
using GdipDeleteBrushFn = Status(WINAPI*)(GpBrush*);
using GdipCreatePathGradientIFn = Status(WINAPI*)(const Point*, INT count, INT wrap, GpPathGradient**);
using GdipSetPathGradientCenterColorFn = Status(WINAPI*)(GpPathGradient*, ARGB);
using GdipSetPathGradientCenterPointIFn = Status(WINAPI*)(GpPathGradient*, const Point*);
using GdipDrawLineIFn = Status(WINAPI*)(GpGraphics*, GpPen*, INT, INT, INT, INT);
using GdipCreatePen1Fn = Status(WINAPI*)(ARGB, REAL width, INT unit, GpPen**);
using GdipDeletePenFn = Status(WINAPI*)(GpPen*);
using GdipDrawImageFn = Status(WINAPI*)(GpGraphics*, GpImage*, REAL, REAL);
using GdipDrawImageIFn = Status(WINAPI*)(GpGraphics*, GpImage*, INT, INT);
using GdipDrawImageRectIFn = Status(WINAPI*)(GpGraphics*, GpImage*, INT, INT, INT, INT);
using GdipDrawImageRectRectFn = Status(WINAPI*)(GpGraphics*, GpImage*, REAL, REAL, REAL, REAL, REAL, REAL,
                                                REAL, REAL, INT unit, const GpImageAttributes*,
                                                DrawImageAbort, void*);
using GdipDrawImageRectRectIFn = Status(WINAPI*)(GpGraphics*, GpImage*, INT, INT, INT, INT, INT, INT, INT,
                                                 INT, INT unit, const GpImageAttributes*, DrawImageAbort,
                                                 void*);
using GdipCreateImageAttributesFn = Status(WINAPI*)(GpImageAttributes**);
using GdipSetImageAttributesColorMatrixFn = Status(WINAPI*)(GpImageAttributes*, INT adjust, BOOL enable,
                                                            const ColorMatrix*, const ColorMatrix* grey,
                                                            INT flags);
using GdipDisposeImageAttributesFn = Status(WINAPI*)(GpImageAttributes*);
using GdipDisposeImageFn = Status(WINAPI*)(GpImage*);
using GdipCreateBitmapFromHBITMAPFn = Status(WINAPI*)(HBITMAP, HPALETTE, GpBitmap**);
using GdipCreateBitmapFromScan0Fn = Status(WINAPI*)(INT, INT, INT stride, PixelFormat, BYTE*, GpBitmap**);
using GdipCreateBitmapFromGraphicsFn = Status(WINAPI*)(INT, INT, GpGraphics*, GpBitmap**);
using GdipCreateBitmapFromGdiDibFn = Status(WINAPI*)(const BITMAPINFO*, void*, GpBitmap**);
using GdipBitmapSetPixelFn = Status(WINAPI*)(GpBitmap*, INT, INT, ARGB);
using GdipBitmapLockBitsFn = Status(WINAPI*)(GpBitmap*, const Rect*, UINT flags, PixelFormat, BitmapData*);
using GdipBitmapUnlockBitsFn = Status(WINAPI*)(GpBitmap*, BitmapData*);
using GdipImageRotateFlipFn = Status(WINAPI*)(GpImage*, INT);
using GdipSetCompositingModeFn = Status(WINAPI*)(GpGraphics*, INT);
using GdipSetCompositingQualityFn = Status(WINAPI*)(GpGraphics*, INT);
using GdipSetPixelOffsetModeFn = Status(WINAPI*)(GpGraphics*, INT);
using GdipSetSmoothingModeFn = Status(WINAPI*)(GpGraphics*, INT);
using GdipSetLinePresetBlendFn = Status(WINAPI*)(GpLineGradient*, const ARGB*, const REAL*, INT count);
using GdipCreatePathFn = Status(WINAPI*)(INT fill_mode, GpPath**);
using GdipCreatePathGradientFromPathFn = Status(WINAPI*)(const GpPath*, GpPathGradient**);
using GdipAddPathEllipseIFn = Status(WINAPI*)(GpPath*, INT, INT, INT, INT);
using GdipDeletePathFn = Status(WINAPI*)(GpPath*);
using GdipSetPathGradientCenterPointFn = Status(WINAPI*)(GpPathGradient*, const PointF*);
// Beyond the shared table: what gives a path gradient its rim colour and stops.
using GdipSetPathGradientSurroundColorsWithCountFn = Status(WINAPI*)(GpPathGradient*, const ARGB*, INT* count);
using GdipSetPathGradientPresetBlendFn = Status(WINAPI*)(GpPathGradient*, const ARGB*, const REAL*, INT count);

}  // namespace gdip

// The shared table, in its fixed order.
#define LUMORA_GDIPLUS_FUNCTIONS(X)                                                                   \
  X(GdipCreateFromHDC) X(GdipCreateFromHWND) X(GdipCreateLineBrushI) X(GdipCreateSolidFill)          \
  X(GdipFillRectangleI) X(GdipFillEllipseI) X(GdipDeleteGraphics) X(GdipDeleteBrush)                 \
  X(GdipCreatePathGradientI) X(GdipSetPathGradientCenterColor) X(GdipSetPathGradientCenterPointI)    \
  X(GdipDrawLineI) X(GdipCreatePen1) X(GdipDeletePen) X(GdipDrawImage) X(GdipDrawImageI)             \
  X(GdipDrawImageRectI) X(GdipDrawImageRectRect) X(GdipDrawImageRectRectI)                           \
  X(GdipCreateImageAttributes) X(GdipSetImageAttributesColorMatrix) X(GdipDisposeImageAttributes)    \
  X(GdipDisposeImage) X(GdipCreateBitmapFromHBITMAP) X(GdipCreateBitmapFromScan0)                    \
  X(GdipCreateBitmapFromGraphics) X(GdipCreateBitmapFromGdiDib) X(GdipBitmapSetPixel)                \
  X(GdipBitmapLockBits) X(GdipBitmapUnlockBits) X(GdipImageRotateFlip) X(GdipSetCompositingMode)     \
  X(GdipSetCompositingQuality) X(GdipSetPixelOffsetMode) X(GdipSetSmoothingMode)                     \
  X(GdipSetLinePresetBlend) X(GdipCreatePath) X(GdipCreatePathGradientFromPath)                      \
  X(GdipAddPathEllipseI) X(GdipDeletePath) X(GdipSetPathGradientCenterPoint)

struct GdiplusFunctions {
#define LUMORA_GDIPLUS_SLOT(name) gdip::name##Fn name = nullptr;
  LUMORA_GDIPLUS_FUNCTIONS(LUMORA_GDIPLUS_SLOT)
#undef LUMORA_GDIPLUS_SLOT
};

constexpr int kGdiplusFunctionCount = 41;
// The table's names in its order.
extern const char* const kGdiplusFunctionNames[kGdiplusFunctionCount];

struct GdiplusBinding {
  ULONG_PTR token = 0;  // 0 while GDI+ is not started
  platform::UniqueModule library;
  ULONG_PTR hook_token = 0;
  gdip::NotificationUnhookFn unhook = nullptr;
  gdip::GdiplusShutdownFn shutdown = nullptr;
  GdiplusFunctions fn;
  gdip::GdipSetPathGradientSurroundColorsWithCountFn GdipSetPathGradientSurroundColorsWithCount = nullptr;
  gdip::GdipSetPathGradientPresetBlendFn GdipSetPathGradientPresetBlend = nullptr;
};

// The process-wide binding. Its entries are null until StartGraphics has
// succeeded, and any one of them may stay null on an old library: test each
// pointer before calling it.
const GdiplusBinding& Gdiplus();

// How many entries of the shared table were found.
int ResolvedGdiplusFunctionCount();

// Loads and starts GDI+ once; the startup token, or 0 when the library is
// missing or refuses to start. Later calls return the same token.
uintptr_t StartGraphics();

// Shuts GDI+ down and unloads it; StartGraphics may start it again.
void StopGraphics();

}  // namespace lumora
