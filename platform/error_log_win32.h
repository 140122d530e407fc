// Failed Win32 calls into the error log (error_log.h), with the code
// GetLastError gives and the system's text for it.
#pragma once
#ifndef _WIN32
#error "error_log_win32.h is Win32 glue"
#endif

namespace platform {

// Logs "WHAT failed: error CODE (TEXT)" for the calling thread's last error
// and returns that code. The last error is left as it was, so a caller that
// goes on to read it reads the same code. Call it right after the failed
// call, before anything else can change the last error; for failures the
// user would otherwise be left guessing at, not for every call.
unsigned long LogWin32Failure(const char* what) noexcept;

}  // namespace platform
