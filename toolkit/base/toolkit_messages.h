// The toolkit's private window messages, in one place so that no two
// components (or the application answering them) can disagree on a number.
// They lie in the WM_APP range and are only ever sent between windows of
// this process.
#pragma once
#include <cstdint>

namespace lumora {

// To the animation thread's window: lparam is an AnimationRequest it owns.
constexpr uint32_t WM_LUMORA_ANIMATE = 0x8539;
// From the animation thread to the window hosting an animated page: one
// frame has been shown.
constexpr uint32_t WM_LUMORA_ANIMSTEP = 0x86A6;
// To the rebar's parent and root window when the rebar's height changed:
// wparam is the rebar, lparam its new height.
constexpr uint32_t WM_LUMORA_REBARHEIGHT = 0x8953;
// To every skinned window when the skin changed.
constexpr uint32_t WM_LUMORA_SKINCHANGED = 0x9CA3;

}  // namespace lumora
