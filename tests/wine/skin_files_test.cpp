// Skins under Wine: images loaded from a ".sknz" archive written by
// sknz-pack give the same pixels as the same files loose on disk, a damaged
// archive finds nothing, fonts are built when declared, and a change of a
// skin or of the colour mode reaches windows as the skin-changed message.
#include <windows.h>

#include <gtest/gtest.h>
#include <png.h>

#include <string>
#include <vector>

#include "tests/wine/test_files.h"
#include "toolkit/base/toolkit_messages.h"
#include "toolkit/controls/toolkit_win32.h"
#include "toolkit/style/colour_mode.h"
#include "toolkit/style/skin.h"
#include "toolkit/style/ui_style.h"

namespace lumora {
namespace {

class Environment : public ::testing::Environment {
 public:
  void SetUp() override { StartToolkit(); }
  void TearDown() override { ShutdownToolkit(); }
};
const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new Environment);

std::vector<uint8_t> ReadFileBytes(const std::wstring& path) {
  const std::string bytes = wine_test::ReadBytes(path).value_or(std::string());
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

// A 20 x 10 PNG with a colour ramp and varying alpha.
std::vector<uint8_t> TestPng() {
  std::vector<uint8_t> bgra;
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 20; ++x) {
      bgra.insert(bgra.end(), {static_cast<uint8_t>(x * 12), static_cast<uint8_t>(y * 25), 200,
                               static_cast<uint8_t>(x < 10 ? 255 : 128)});
    }
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = 20;
  image.height = 10;
  image.format = PNG_FORMAT_BGRA;
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, bgra.data(), 0, nullptr)) return {};
  std::vector<uint8_t> out(size);
  if (!png_image_write_to_memory(&image, out.data(), &size, 0, bgra.data(), 0, nullptr)) return {};
  out.resize(size);
  return out;
}

// A 9 x 7 bottom-up 24-bit BMP (rows padded to 4 bytes).
std::vector<uint8_t> TestBmp() {
  const int width = 9, height = 7, stride = (width * 3 + 3) & ~3;
  std::vector<uint8_t> out(54 + stride * height, 0);
  const auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(v >> (8 * i));
  };
  out[0] = 'B';
  out[1] = 'M';
  put32(2, static_cast<uint32_t>(out.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, width);
  put32(22, height);
  out[26] = 1;
  out[28] = 24;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      uint8_t* p = &out[54 + y * stride + x * 3];
      p[0] = static_cast<uint8_t>(x * 28);
      p[1] = static_cast<uint8_t>(y * 36);
      p[2] = static_cast<uint8_t>((x + y) % 2 ? 255 : 0);
    }
  }
  return out;
}

// The image's pixels as 32-bit rows: a bitmap as it is, an icon drawn onto
// a magenta background so that its mask and alpha count too.
std::vector<uint32_t> Pixels(intptr_t handle, SIZE* size) {
  const HANDLE image = reinterpret_cast<HANDLE>(handle);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  std::vector<uint32_t> pixels;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  if (GetObjectType(image) == OBJ_BITMAP) {
    BITMAP bitmap{};
    GetObjectW(image, sizeof bitmap, &bitmap);
    *size = {bitmap.bmWidth, bitmap.bmHeight};
    info.bmiHeader.biWidth = bitmap.bmWidth;
    info.bmiHeader.biHeight = -bitmap.bmHeight;
    pixels.resize(static_cast<size_t>(bitmap.bmWidth) * bitmap.bmHeight);
    GetDIBits(dc, static_cast<HBITMAP>(image), 0, bitmap.bmHeight, pixels.data(), &info, DIB_RGB_COLORS);
  } else {
    ICONINFO icon{};
    if (GetIconInfo(static_cast<HICON>(image), &icon)) {
      BITMAP mask{};
      GetObjectW(icon.hbmMask, sizeof mask, &mask);
      *size = {mask.bmWidth, icon.hbmColor ? mask.bmHeight : mask.bmHeight / 2};
      if (icon.hbmColor) DeleteObject(icon.hbmColor);
      DeleteObject(icon.hbmMask);
      info.bmiHeader.biWidth = size->cx;
      info.bmiHeader.biHeight = -size->cy;
      void* bits = nullptr;
      HBITMAP canvas = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
      HGDIOBJ old = SelectObject(dc, canvas);
      HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
      RECT rect{0, 0, size->cx, size->cy};
      FillRect(dc, &rect, magenta);
      DeleteObject(magenta);
      DrawIconEx(dc, 0, 0, static_cast<HICON>(image), size->cx, size->cy, 0, nullptr, DI_NORMAL);
      GdiFlush();
      const auto* p = static_cast<const uint32_t*>(bits);
      pixels.assign(p, p + size->cx * size->cy);
      SelectObject(dc, old);
      DeleteObject(canvas);
    }
  }
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return pixels;
}

class SkinFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t original[MAX_PATH] = {}, temp[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, original);
    original_ = original;
    GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + L"tavrel-skin-files-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder_.c_str(), nullptr);
    ASSERT_TRUE(SetCurrentDirectoryW(folder_.c_str()));
    icon_ = ReadFileBytes(original_ + L"\\icons\\Office Icons\\00018.ico");
    ASSERT_FALSE(icon_.empty());
  }
  void TearDown() override {
    SetCurrentDirectoryW(original_.c_str());
    for (const wchar_t* dir : {L"\\LooseSkin", L"\\src"}) {
      for (const wchar_t* file : {L"\\pic.png", L"\\grid.bmp", L"\\icon.ico"})
        DeleteFileW((folder_ + dir + file).c_str());
      RemoveDirectoryW((folder_ + dir).c_str());
    }
    for (const wchar_t* file : {L"\\PackedSkin.sknz", L"\\BrokenSkin.sknz"}) DeleteFileW((folder_ + file).c_str());
    RemoveDirectoryW(folder_.c_str());
  }

  void WriteImages(const wchar_t* dir) {
    CreateDirectoryW(dir, nullptr);
    ASSERT_TRUE(wine_test::WriteBytes(std::wstring(dir) + L"\\pic.png", TestPng()));
    ASSERT_TRUE(wine_test::WriteBytes(std::wstring(dir) + L"\\grid.bmp", TestBmp()));
    ASSERT_TRUE(wine_test::WriteBytes(std::wstring(dir) + L"\\icon.ico", icon_));
  }

  // Runs the archive tool built beside this test; its exit code.
  DWORD Pack(const wchar_t* from, const wchar_t* archive) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring tool = self;
    tool = tool.substr(0, tool.find_last_of(L'\\') + 1) + L"sknz-pack.exe";
    std::wstring command = L"\"" + tool + L"\" " + from + L" " + archive;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(tool.c_str(), command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                        &startup, &process))
      return 1000;
    DWORD code = 1001;
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &code);
    else TerminateProcess(process.hProcess, 1002);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
  }

  std::wstring original_;
  std::wstring folder_;
  std::vector<uint8_t> icon_;
};

TEST_F(SkinFiles, ArchiveMembersLoadWithTheSamePixelsAsLooseFiles) {
  WriteImages(L"LooseSkin");
  WriteImages(L"src");
  ASSERT_EQ(Pack(L"src", L"PackedSkin.sknz"), 0u);
  const SkinHandle loose = CreateSkin(L"LooseSkin");
  const SkinHandle packed = CreateSkin(L"PackedSkin");
  for (const wchar_t* file : {L"pic.png", L"grid.bmp", L"icon.ico"}) {
    SCOPED_TRACE(std::string(file, file + wcslen(file)));
    const std::wstring value = std::wstring(file) + L"; width: 16; height: 16;";
    ASSERT_EQ(SetSkinProperty(loose, L"imagebuttonex", L"normal", L"background image", value), 1);
    // Upper case in the value is lower-cased before the archive is searched.
    std::wstring upper = value;
    for (wchar_t& c : upper) c = static_cast<wchar_t>(towupper(c));
    ASSERT_EQ(SetSkinProperty(packed, L"imagebuttonex", L"normal", L"background image", upper), 1);
    SIZE loose_size{}, packed_size{};
    const auto loose_pixels =
        Pixels(GetSkinPropertyHandle(loose, L"imagebuttonex", L"normal", L"background image"), &loose_size);
    const auto packed_pixels =
        Pixels(GetSkinPropertyHandle(packed, L"imagebuttonex", L"normal", L"background image"), &packed_size);
    ASSERT_FALSE(loose_pixels.empty());
    EXPECT_EQ(loose_size.cx, packed_size.cx);
    EXPECT_EQ(loose_size.cy, packed_size.cy);
    EXPECT_TRUE(loose_pixels == packed_pixels);
  }
  // Names that are no file, and files that are nowhere.
  EXPECT_EQ(ResolveSkinImage(packed, L"8;"), 0);
  EXPECT_EQ(ResolveSkinImage(packed, L"0.25;"), 0);
  EXPECT_EQ(ResolveSkinImage(packed, L"missing.png;"), -1);
  EXPECT_EQ(ResolveSkinImage(packed, L"src2\\pic.png;"), -1);  // a folder part never reads the archive
  EXPECT_EQ(SetSkinProperty(packed, L"imagebuttonex", L"hot", L"background image", L"missing.png;"), -1);
  EXPECT_EQ(GetSkinPropertyText(packed, L"imagebuttonex", L"hot", L"background image"), L"missing.png");
  // Nothing was unpacked into the shared temporary folder.
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  EXPECT_EQ(GetFileAttributesW((std::wstring(temp) + L"pic.png").c_str()), INVALID_FILE_ATTRIBUTES);

  // A truncated archive: the member is not found, and nothing breaks.
  std::vector<uint8_t> archive = ReadFileBytes(L"PackedSkin.sknz");
  archive.resize(archive.size() - 7);
  ASSERT_TRUE(wine_test::WriteBytes(L"BrokenSkin.sknz", archive));
  const SkinHandle broken = CreateSkin(L"BrokenSkin");
  int found = 0;
  for (const wchar_t* file : {L"pic.png;", L"grid.bmp;", L"icon.ico;"})
    found += SetSkinProperty(broken, L"imagebuttonex", L"normal", L"background image", file) == 1;
  EXPECT_EQ(found, 2);  // the last member lost its tail
}

TEST_F(SkinFiles, FontDeclarationsBuildTheirFontWhenSet) {
  const SkinHandle skin = CreateSkin(L"FontSkin");
  ASSERT_EQ(SetSkinProperty(skin, L"buttonex", L"normal", L"text", L"font: 'Arial', 12, bold, italic; colour: #15428b;"),
            1);
  const auto font = reinterpret_cast<HFONT>(GetSkinPropertyHandle(skin, L"buttonex", L"normal", L"text"));
  ASSERT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT));
  LOGFONTW logfont{};
  GetObjectW(font, sizeof logfont, &logfont);
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(logfont.lfHeight, -MulDiv(12, GetDeviceCaps(screen, LOGPIXELSY), 72));
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(logfont.lfWeight, FW_BOLD);
  EXPECT_TRUE(logfont.lfItalic);
  EXPECT_FALSE(logfont.lfUnderline);
  EXPECT_STREQ(logfont.lfFaceName, L"arial");  // values are stored lower case
  EXPECT_EQ(GetSkinPropertySubValue(skin, L"buttonex", L"normal", L"text", L"colour"), L"#15428b");
}

std::vector<LPARAM>& SkinMessages() {
  static std::vector<LPARAM> messages;
  return messages;
}

LRESULT CALLBACK RecordSkinChanges(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_LUMORA_SKINCHANGED) SkinMessages().push_back(lparam);
  return DefWindowProcW(window, message, wparam, lparam);
}

TEST_F(SkinFiles, SkinAndColourModeChangesReachEveryDescendant) {
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = RecordSkinChanges;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = L"SkinFilesTestWindow";
  RegisterClassW(&window_class);
  HWND top = CreateWindowW(L"SkinFilesTestWindow", L"skins", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                           nullptr, nullptr, nullptr, nullptr);
  HWND child = CreateWindowW(L"SkinFilesTestWindow", L"", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, top, nullptr,
                             nullptr, nullptr);
  HWND grandchild = CreateWindowW(L"SkinFilesTestWindow", L"", WS_CHILD, 0, 0, 10, 10, child, nullptr, nullptr,
                                  nullptr);
  ASSERT_TRUE(top && child && grandchild);
  const SkinHandle skin = CreateSkin(L"RefreshSkin");
  SkinMessages().clear();
  SetSkinProperty(skin, L"buttonex", L"normal", L"background", L"red;");
  // The child and the grandchild, each once, naming the skin.
  EXPECT_EQ(SkinMessages(), (std::vector<LPARAM>{skin, skin}));

  SkinMessages().clear();
  ASSERT_EQ(SetUIColourMode(UICOLOURMODE_DEFAULT_SILVER), 1);
  EXPECT_EQ(SkinMessages(), (std::vector<LPARAM>{0, 0}));
  EXPECT_EQ(RefreshSkins(skin + 1), 0);
  SetUIColourMode(0);
  DestroyWindow(top);
  UnregisterClassW(L"SkinFilesTestWindow", GetModuleHandleW(nullptr));
}

}  // namespace
}  // namespace lumora
