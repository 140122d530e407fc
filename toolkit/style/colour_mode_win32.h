// Win32 side of the colour modes: the solid brushes behind LookupUIColour
// form 0, the cached renderings of UI colour entries, and the window sweep
// that a change of colour mode makes.
#pragma once
#ifndef _WIN32
#error "colour_mode_win32.h is Win32 glue"
#endif
#include <windows.h>

#include <cstdint>
#include <vector>

#include "platform/os_handles_win32.h"

namespace lumora {

// LookupUIColour form 0 as a brush: one cached brush per key, shared by all
// styles and owned by the toolkit (never delete it). Null when the style or
// key is unknown or the brush cannot be made.
HBRUSH LookupUIBrush(int32_t style, int32_t key);

// The brush cache itself: the brush of key's slot, made anew when the slot
// is empty or holds another colour. Null for a key outside 0-56.
HBRUSH CachedSolidBrush(int32_t key, COLORREF colour);

// A picture that painting code drew once in a UI colour and keeps for reuse:
// a memory device context with its bitmap selected, and the size.
class CachedRendering {
 public:
  CachedRendering() = default;
  ~CachedRendering() { Free(); }
  CachedRendering(CachedRendering&& other) noexcept;
  CachedRendering& operator=(CachedRendering&& other) noexcept;
  CachedRendering(const CachedRendering&) = delete;
  CachedRendering& operator=(const CachedRendering&) = delete;

  // Takes the canvas, freeing what was held before.
  void Adopt(platform::MemoryCanvas canvas, int32_t width, int32_t height);
  // The same for a context and a bitmap (already selected into it or not).
  void Adopt(HDC dc, HBITMAP bitmap, int32_t width, int32_t height);
  // Frees the device context and the bitmap; width and height become 0.
  void Free();

  HDC dc() const { return canvas_.dc(); }
  HBITMAP bitmap() const { return canvas_.bitmap(); }
  int32_t width() const { return width_; }
  int32_t height() const { return height_; }
  bool empty() const { return !canvas_.dc() && !canvas_.bitmap(); }

 private:
  platform::MemoryCanvas canvas_;
  int32_t width_ = 0;
  int32_t height_ = 0;
};

// The renderings kept with one entry of a UI colour table.
struct UIColourRenderCache {
  CachedRendering rendering;
  std::vector<CachedRendering> further;
};

// The cache of a style's entry (UISTYLE_WHIDBEY, UISTYLE_OFFICE2003 or its
// menu alias 6, UISTYLE_OFFICE2007; key 0-56); null otherwise.
UIColourRenderCache* GetUIColourRenderCache(int32_t style, int32_t key);

// Frees every cached rendering, further renderings included.
void FreeUIColourRenderings();

// Frees the cached brushes (shut-down); later look-ups make them anew.
void FreeUIBrushes();

// Switches redraw off and on again for the visible direct children of every
// visible top-level window of this process.
void SweepRedrawOfProcessWindows();
// Invalidates every top-level window of this process with its frame and
// all its children, so that each paints again in the current colours.
void RepaintProcessWindows();

// Registers the sweep, the freeing of renderings and the final repaint as
// steps of a colour mode change. Registering twice is harmless.
void WireColourModeSteps();

}  // namespace lumora
