// The running system's version, read past the compatibility shims that make
// GetVersionEx lie to programs without a manifest.
#pragma once
#include <cstdint>

namespace platform {

// Major in the high byte, minor in the low byte: 0x0601 is 7, 0x0A00 is 10.
int32_t OsVersion();

// Whether the system is Wine, whose own code has faults a program must
// step around (and whose answers differ where Windows' would do).
bool RunningOnWine();

}  // namespace platform
