// What the package test cannot see from outside a program, printed as
// "key=value" lines:
//   program-facts.exe file EXE   its icons (ExtractIconEx) and version
//                                  resource (GetFileVersionInfo)
//   program-facts.exe comctl NAME the common-controls library that the
//                                  running NAME ("Tavrel.exe") has loaded:
//                                  its path and file version
//   program-facts.exe texts TITLE  the texts of the windows inside the
//                                  top-level window titled TITLE (what the
//                                  toolkit's labels show), "text=" lines
// Under Wine, as on Windows, version 6 of the library is its own file in the
// side-by-side store, loaded only for programs whose manifest asks for it;
// version 5 is the one in the system folder.
#include <windows.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::vector<BYTE> VersionBlock(const wchar_t* path) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
  std::vector<BYTE> block(size);
  if (size == 0 || !GetFileVersionInfoW(path, 0, size, block.data())) block.clear();
  return block;
}

void PrintFixedVersion(const std::vector<BYTE>& block, const char* key) {
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (block.empty() || !VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) || !fixed) {
    std::printf("%s=none\n", key);
    return;
  }
  std::printf("%s=%u.%u.%u.%u\n", key, HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
              HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS));
}

void PrintString(const std::vector<BYTE>& block, const wchar_t* name) {
  struct Translation {
    WORD language, code_page;
  }* translation = nullptr;
  UINT length = 0;
  if (block.empty() ||
      !VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length) ||
      length < sizeof *translation)
    return;
  wchar_t query[96];
  swprintf(query, 96, L"\\StringFileInfo\\%04x%04x\\%ls", translation->language, translation->code_page, name);
  wchar_t* value = nullptr;
  if (VerQueryValueW(block.data(), query, reinterpret_cast<void**>(&value), &length) && value)
    std::printf("%ls=%ls\n", name, value);
}

int InspectFile(const wchar_t* path) {
  const UINT icons = ExtractIconExW(path, -1, nullptr, nullptr, 0);
  std::printf("icons=%u\n", icons);
  HICON large = nullptr, small = nullptr;
  if (icons > 0 && ExtractIconExW(path, 0, &large, &small, 1) > 0) {
    std::printf("large_icon=%s\nsmall_icon=%s\n", large ? "yes" : "no", small ? "yes" : "no");
    if (large) DestroyIcon(large);
    if (small) DestroyIcon(small);
  }
  // The largest image Explorer asks for in its biggest views.
  HICON huge = nullptr;
  UINT id = 0;
  if (PrivateExtractIconsW(path, 0, 256, 256, &huge, &id, 1, 0) == 1 && huge) {
    ICONINFO info{};
    BITMAP bitmap{};
    if (GetIconInfo(huge, &info)) {
      GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
      std::printf("huge_icon=%ldx%ld\n", bitmap.bmWidth, bitmap.bmHeight);
      if (info.hbmColor) DeleteObject(info.hbmColor);
      if (info.hbmMask) DeleteObject(info.hbmMask);
    }
    DestroyIcon(huge);
  }
  const std::vector<BYTE> block = VersionBlock(path);
  PrintFixedVersion(block, "file_version");
  for (const wchar_t* name : {L"FileVersion", L"ProductVersion", L"ProductName", L"OriginalFilename"})
    PrintString(block, name);
  return 0;
}

DWORD FindProcess(const wchar_t* name) {
  DWORD found = 0;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return 0;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more && !found; more = Process32NextW(snapshot, &entry))
    if (lstrcmpiW(entry.szExeFile, name) == 0) found = entry.th32ProcessID;
  CloseHandle(snapshot);
  return found;
}

int InspectCommonControls(const wchar_t* name) {
  const DWORD process = FindProcess(name);
  if (!process) {
    std::printf("error=no process %ls\n", name);
    return 1;
  }
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, process);
  if (snapshot == INVALID_HANDLE_VALUE) {
    std::printf("error=no module list (%lu)\n", GetLastError());
    return 1;
  }
  MODULEENTRY32W module{};
  module.dwSize = sizeof module;
  int found = 0;
  for (BOOL more = Module32FirstW(snapshot, &module); more; more = Module32NextW(snapshot, &module)) {
    if (lstrcmpiW(module.szModule, L"comctl32.dll") != 0) continue;
    ++found;
    std::printf("comctl32=%ls\n", module.szExePath);
    PrintFixedVersion(VersionBlock(module.szExePath), "comctl32_version");
  }
  CloseHandle(snapshot);
  if (!found) std::printf("comctl32=none\n");
  return 0;
}

BOOL CALLBACK PrintWindowText(HWND window, LPARAM) {
  // Read from the window's own record, without a message: the program may
  // be busy.
  wchar_t text[256];
  if (GetWindowTextW(window, text, 256) > 0) std::printf("text=%ls\n", text);
  return TRUE;
}

int InspectWindowTexts(const wchar_t* title) {
  const HWND top = FindWindowW(nullptr, title);
  if (!top) {
    std::printf("error=no window %ls\n", title);
    return 1;
  }
  EnumChildWindows(top, PrintWindowText, 0);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return 2;
  const std::wstring command = argv[1];
  if (command == L"file") return InspectFile(argv[2]);
  if (command == L"comctl") return InspectCommonControls(argv[2]);
  if (command == L"texts") return InspectWindowTexts(argv[2]);
  return 2;
}
