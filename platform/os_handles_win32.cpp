#include "platform/os_handles_win32.h"

#include <atomic>

namespace platform {
namespace {

// Constant-initialised and trivially destroyed: owners in static storage
// may still count while the process ends.
std::array<std::atomic<long>, kHandleKindCount> g_live{};

}  // namespace

void CountHandle(HandleKind kind, long change) noexcept {
  g_live[static_cast<size_t>(kind)].fetch_add(change, std::memory_order_relaxed);
}

HandleCounts LiveHandleCounts() {
  HandleCounts counts{};
  for (size_t i = 0; i < counts.size(); ++i) counts[i] = g_live[i].load(std::memory_order_relaxed);
  return counts;
}

const char* HandleKindName(HandleKind kind) {
  switch (kind) {
    case HandleKind::kWindow: return "window";
    case HandleKind::kMemoryDc: return "memory DC";
    case HandleKind::kWindowDc: return "window DC";
    case HandleKind::kBitmap: return "bitmap";
    case HandleKind::kFont: return "font";
    case HandleKind::kBrush: return "brush";
    case HandleKind::kRegion: return "region";
    case HandleKind::kImageList: return "image list";
    case HandleKind::kIcon: return "icon";
    case HandleKind::kModule: return "module";
    case HandleKind::kFile: return "file";
    case HandleKind::kPrinterDc: return "printer DC";
    case HandleKind::kGlobalMemory: return "global memory";
    case HandleKind::kHook: return "hook";
    case HandleKind::kMenu: return "menu";
    case HandleKind::kCount: break;
  }
  return "?";
}

}  // namespace platform
