// Functions found by name at run time: those newer than the oldest system
// the program runs on, and those of DLLs it loads on demand.
#pragma once
#include <windows.h>

namespace platform {

// The function of that name in module, or null when either is missing. The
// cast goes through void* so that the change between unrelated function
// types is stated rather than a silent reinterpretation of FARPROC.
template <typename Fn>
Fn DllFunction(HMODULE module, const char* name) {
  return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

// The same, into a slot of a table of bound functions.
template <typename Fn>
void BindDllFunction(HMODULE module, const char* name, Fn& slot) {
  slot = DllFunction<Fn>(module, name);
}

}  // namespace platform
