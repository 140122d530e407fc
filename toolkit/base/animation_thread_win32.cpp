// The worker that slides panels open and shut: it moves every animated
// window once per frame in one deferred batch and lets the grandparent
// relayout synchronously, so the user-interface thread never blocks on it.
#include <windows.h>

#include <atomic>
#include <memory>

#include "platform/os_handles_win32.h"
#include "platform/error_log_win32.h"
#include "toolkit/base/animation_track.h"
#include "toolkit/base/stale_lock.h"
#include "toolkit/base/toolkit_start_win32.h"

namespace lumora {
namespace {

HWND g_animation_window = nullptr;
platform::UniqueKernelObject g_thread;
std::atomic<bool> g_run{false};
PageOpacitySetter g_page_opacity = nullptr;

StaleLock& AnimationLock() {
  static StaleLock lock;
  return lock;
}

int64_t Now() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

void MoveTracks(AnimationTracks& tracks) {
  tracks.StepAll();
  HDWP batch = BeginDeferWindowPos(static_cast<int>(tracks.Tracks().size()));
  for (const AnimationTrack& track : tracks.Tracks()) {
    const TrackPlacement p = PlacementOf(track);
    HWND window = static_cast<HWND>(track.window);
    if (!IsWindow(window)) continue;
    const UINT flags = SWP_NOREDRAW | SWP_NOZORDER | SWP_NOACTIVATE;
    if (batch) {
      batch = DeferWindowPos(batch, window, nullptr, p.x, p.y, p.width, p.height, flags);
    } else {
      SetWindowPos(window, nullptr, p.x, p.y, p.width, p.height, flags);
    }
  }
  if (batch) EndDeferWindowPos(batch);
}

void ShowFrame(AnimationTracks& tracks) {
  for (const AnimationTrack& track : tracks.Tracks()) {
    HWND window = static_cast<HWND>(track.window);
    if (!IsWindow(window)) continue;
    if (g_page_opacity) g_page_opacity(window, RoundedOpacity(track));
    HWND parent = GetParent(window);
    HWND grandparent = parent ? GetParent(parent) : nullptr;
    if (grandparent) {
      SendMessageW(grandparent, WM_SIZE, 0, 0);
      SendMessageW(grandparent, WM_LUMORA_ANIMSTEP, 0, 0);
    }
  }
  tracks.RemoveFinished();
  // A window that went away cannot finish; drop it rather than poll forever.
  auto& list = tracks.Tracks();
  for (auto& track : list)
    if (!IsWindow(static_cast<HWND>(track.window))) track.finished = true;
  tracks.RemoveFinished();
}

// Returns false when the loop must end.
bool Handle(const MSG& msg, AnimationTracks& tracks) {
  if (msg.message == WM_QUIT) return false;
  if (msg.hwnd == g_animation_window && (msg.message == WM_CLOSE || msg.message == WM_DESTROY)) return false;
  if (msg.message == WM_LUMORA_ANIMATE && msg.hwnd == g_animation_window) {
    if (msg.lParam) {
      std::unique_ptr<AnimationRequest> request(reinterpret_cast<AnimationRequest*>(msg.lParam));
      tracks.Accept(*request);
    }
    return true;
  }
  DispatchMessageW(&msg);
  return true;
}

DWORD WINAPI AnimationThread(void*) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"Lumora_Animation Thread";
  if (!RegisterClassW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    platform::LogWin32Failure("RegisterClass (animation thread)");
  SetThreadAffinityMask(GetCurrentThread(), 1);

  platform::UniqueWindow window(CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                                wc.hInstance, nullptr));
  if (!window) platform::LogWin32Failure("CreateWindowEx (animation thread)");
  if (window) {
    {
      StaleLockGuard guard(AnimationLock());
      g_animation_window = window.get();
    }
    AnimationTracks tracks;
    FrameClock clock;
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    bool running = true;
    MSG msg;
    while (running && g_run.load()) {
      if (tracks.Empty()) {
        clock.Reset();
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) break;
        running = Handle(msg, tracks);
        continue;
      }
      while (running && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) running = Handle(msg, tracks);
      if (!running || tracks.Empty()) continue;
      if (!clock.Started()) clock.Start(frequency.QuadPart, Now());
      const int64_t now = Now();
      if (clock.Due(now)) {
        MoveTracks(tracks);
        ShowFrame(tracks);
        clock.Advance(Now());
      } else {
        // Sleep until the frame is due or a message arrives, instead of
        // spinning a core between frames.
        const int64_t wait_ticks = clock.Deadline() - now;
        const DWORD wait_ms = static_cast<DWORD>((wait_ticks * 1000) / frequency.QuadPart);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, wait_ms, QS_ALLINPUT);
      }
    }
    window.reset();
    StaleLockGuard guard(AnimationLock());
    g_animation_window = nullptr;
  }
  return kAnimationExitCode;
}

}  // namespace

void SetPageOpacitySetter(PageOpacitySetter setter) { g_page_opacity = setter; }

HWND GetAnimationWindow() {
  StaleLockGuard guard(AnimationLock());
  return g_animation_window;
}

HANDLE GetAnimationThread() { return g_thread.get(); }

bool StartAnimationThread() {
  if (g_thread) return true;
  g_run = true;
  g_thread.reset(CreateThread(nullptr, 0, AnimationThread, nullptr, 0, nullptr));
  return static_cast<bool>(g_thread);
}

void StopAnimationThread() {
  if (!g_thread) return;
  g_run = false;
  bool terminated = false;
  for (int attempt = 0; attempt < 101; ++attempt) {
    {
      StaleLockGuard guard(AnimationLock());
      if (g_animation_window) {
        PostMessageW(g_animation_window, WM_CLOSE, 0, 0);
      } else if (!terminated && WaitForSingleObject(g_thread.get(), 0) == WAIT_TIMEOUT) {
        // Still starting, or stuck before its window existed: nothing to post to.
        // A thread about to create its window sees the cleared run flag and
        // ends by itself; force it only when it makes no progress.
        if (attempt >= 50) {
          TerminateThread(g_thread.get(), kAnimationExitCode);
          terminated = true;
        }
      }
    }
    DWORD code = STILL_ACTIVE;
    GetExitCodeThread(g_thread.get(), &code);
    if (code == kAnimationExitCode || code != STILL_ACTIVE) break;
    Sleep(10);
  }
  WaitForSingleObject(g_thread.get(), 1000);
  g_thread.reset();
}

}  // namespace lumora
