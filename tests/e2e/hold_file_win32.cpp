// Holds a file open without sharing, the way another program can lock a
// document, for the end-to-end tests:
//   hold-file.exe FILE SIGNAL
// Once FILE is held, SIGNAL is created; the file is let go when SIGNAL is
// deleted, or after two minutes at the latest.
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return 2;
  HANDLE file = CreateFileW(argv[1], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  HANDLE signal = CreateFileW(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (signal == INVALID_HANDLE_VALUE) return 1;
  CloseHandle(signal);
  for (int i = 0; i < 2400 && GetFileAttributesW(argv[2]) != INVALID_FILE_ATTRIBUTES; ++i) Sleep(50);
  CloseHandle(file);
  return 0;
}
