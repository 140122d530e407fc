// Start-up trace: performance-counter marks at the steps between process
// entry and the first painted window, for the start-up benchmark. Nothing
// is recorded unless the environment variable TAVREL_STARTUP_TRACE names a
// file; then WriteStartupTrace writes one line per mark to it:
//   frequency TICKS_PER_SECOND
//   STEP COUNTER_VALUE
// The counter is the system's, so a launcher can set the marks against the
// moment it created the process.
#pragma once

namespace platform {

// `step` must be a string literal (only the pointer is kept). Marks after
// the 32nd are dropped.
void StartupMark(const char* step) noexcept;

// Writes the marks taken so far and stops recording; later calls do nothing.
void WriteStartupTrace() noexcept;

}  // namespace platform
