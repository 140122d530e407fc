#include "toolkit/base/gdiplus_binding_win32.h"

#include <mutex>
#include <utility>

#include "platform/os_handles_win32.h"

#include "platform/dll_function_win32.h"

namespace lumora {

const char* const kGdiplusFunctionNames[kGdiplusFunctionCount] = {
#define LUMORA_GDIPLUS_NAME(name) #name,
    LUMORA_GDIPLUS_FUNCTIONS(LUMORA_GDIPLUS_NAME)
#undef LUMORA_GDIPLUS_NAME
};

namespace {

using platform::BindDllFunction;

#define LUMORA_GDIPLUS_ONE(name) +1
static_assert(0 LUMORA_GDIPLUS_FUNCTIONS(LUMORA_GDIPLUS_ONE) == kGdiplusFunctionCount);
#undef LUMORA_GDIPLUS_ONE

std::mutex g_start_lock;
GdiplusBinding g_binding;

}  // namespace

const GdiplusBinding& Gdiplus() { return g_binding; }

int ResolvedGdiplusFunctionCount() {
  int count = 0;
#define LUMORA_GDIPLUS_COUNT(name) count += g_binding.fn.name != nullptr ? 1 : 0;
  LUMORA_GDIPLUS_FUNCTIONS(LUMORA_GDIPLUS_COUNT)
#undef LUMORA_GDIPLUS_COUNT
  return count;
}

uintptr_t StartGraphics() {
  std::lock_guard<std::mutex> guard(g_start_lock);
  if (g_binding.token != 0) return g_binding.token;

  platform::UniqueModule owned(LoadLibraryW(L"GDIPlus.DLL"));
  if (!owned) return 0;
  HMODULE library = owned.get();
  gdip::GdiplusStartupFn startup = nullptr;
  gdip::GdiplusShutdownFn shutdown = nullptr;
  BindDllFunction(library, "GdiplusStartup", startup);
  BindDllFunction(library, "GdiplusShutdown", shutdown);
  if (startup == nullptr || shutdown == nullptr) return 0;

  // Without the background thread GDI+ relies on the caller's message loop,
  // which the hook connects it to; the user-interface thread has one.
  const gdip::StartupInput input{1, nullptr, TRUE, FALSE};
  gdip::StartupOutput output{};
  ULONG_PTR token = 0;
  if (startup(&token, &input, &output) != gdip::kOk) return 0;
  if (token == 0) {  // started, but 0 is our "not started"
    shutdown(token);
    return 0;
  }

  GdiplusBinding binding;
  binding.token = token;
  binding.library = std::move(owned);
  binding.shutdown = shutdown;
  if (output.NotificationHook != nullptr && output.NotificationHook(&binding.hook_token) == gdip::kOk)
    binding.unhook = output.NotificationUnhook;

#define LUMORA_GDIPLUS_BIND(name) BindDllFunction(library, #name, binding.fn.name);
  LUMORA_GDIPLUS_FUNCTIONS(LUMORA_GDIPLUS_BIND)
#undef LUMORA_GDIPLUS_BIND
  BindDllFunction(library, "GdipSetPathGradientSurroundColorsWithCount", binding.GdipSetPathGradientSurroundColorsWithCount);
  BindDllFunction(library, "GdipSetPathGradientPresetBlend", binding.GdipSetPathGradientPresetBlend);

  g_binding = std::move(binding);
  return g_binding.token;
}

void StopGraphics() {
  std::lock_guard<std::mutex> guard(g_start_lock);
  if (g_binding.token == 0) return;
  if (g_binding.unhook != nullptr) g_binding.unhook(g_binding.hook_token);
  g_binding.shutdown(g_binding.token);
  g_binding = GdiplusBinding{};
}

}  // namespace lumora
