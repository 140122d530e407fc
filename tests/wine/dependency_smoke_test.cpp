// The run-time libraries and decoders work as the editor will use them:
// the editing component's DLL registers its class and holds text, the
// spelling DLL judges words with the real dictionary (also from a folder
// whose name is not ASCII), and PNG and JPEG files decode to the right pixels.
#include <gtest/gtest.h>
#include <windows.h>

#include <Scintilla.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/dll_function_win32.h"
#include "toolkit/image/image_decode.h"
#include "toolkit/image/image_handles_win32.h"

namespace {

std::wstring ExeFolder() {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring s(path);
  return s.substr(0, s.find_last_of(L"\\/") + 1);
}

TEST(ScintillaDll, RegistersItsClassAndHoldsText) {
  HMODULE dll = LoadLibraryW((ExeFolder() + L"Scintilla64.dll").c_str());
  ASSERT_NE(dll, nullptr);
  WNDCLASSW wc;
  EXPECT_TRUE(GetClassInfoW(GetModuleHandleW(nullptr), L"Scintilla", &wc) ||
              GetClassInfoW(dll, L"Scintilla", &wc));
  HWND editor = CreateWindowExW(0, L"Scintilla", L"", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(editor, nullptr);
  const char text[] = "caf\xC3\xA9 au lait";
  SendMessageW(editor, SCI_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_EQ(SendMessageW(editor, SCI_GETLENGTH, 0, 0), static_cast<LRESULT>(std::strlen(text)));
  char back[64] = {};
  SendMessageW(editor, SCI_GETTEXT, sizeof back, reinterpret_cast<LPARAM>(back));
  EXPECT_STREQ(back, text);
  DestroyWindow(editor);
}

class HunspellDll : public ::testing::Test {
 protected:
  using Init = void* (*)(const char*, const char*);
  using Uninit = void (*)(void*);
  using Spell = int (*)(void*, const char*);
  using Suggest = int (*)(void*, char***, const char*);
  using FreeList = void (*)(void*, char***, int);
  using Add = int (*)(void*, const char*);

  void SetUp() override {
    dll_ = LoadLibraryW((ExeFolder() + L"Hunspellx64.dll").c_str());
    ASSERT_NE(dll_, nullptr);
    init_ = Get<Init>("hunspell_initialize");
    uninit_ = Get<Uninit>("hunspell_uninitialize");
    spell_ = Get<Spell>("hunspell_spell");
    suggest_ = Get<Suggest>("Hunspell_suggest");
    free_list_ = Get<FreeList>("Hunspell_free_list");
    add_ = Get<Add>("Hunspell_add");
    ASSERT_TRUE(init_ && uninit_ && spell_ && suggest_ && free_list_ && add_);
  }
  void TearDown() override {
    if (dll_) FreeLibrary(dll_);
  }
  template <typename Fn>
  Fn Get(const char* name) {
    return platform::DllFunction<Fn>(dll_, name);
  }

  HMODULE dll_ = nullptr;
  Init init_ = nullptr;
  Uninit uninit_ = nullptr;
  Spell spell_ = nullptr;
  Suggest suggest_ = nullptr;
  FreeList free_list_ = nullptr;
  Add add_ = nullptr;
};

TEST_F(HunspellDll, JudgesAndSuggestsWithTheBritishDictionary) {
  void* h = init_("Dictionaries\\en_GB.aff", "Dictionaries\\en_GB.dic");
  ASSERT_NE(h, nullptr);
  EXPECT_NE(spell_(h, "colour"), 0);
  EXPECT_EQ(spell_(h, "color"), 0);
  char** list = nullptr;
  const int n = suggest_(h, &list, "speling");
  ASSERT_GT(n, 0);
  bool has_spelling = false;
  for (int i = 0; i < n; ++i) has_spelling = has_spelling || std::strcmp(list[i], "spelling") == 0;
  free_list_(h, &list, n);
  EXPECT_TRUE(has_spelling);
  EXPECT_EQ(spell_(h, "tavrelish"), 0);
  add_(h, "tavrelish");
  EXPECT_NE(spell_(h, "tavrelish"), 0);
  uninit_(h);
}

TEST_F(HunspellDll, MissingFilesGiveNoHandle) {
  EXPECT_EQ(init_("Dictionaries\\none.aff", "Dictionaries\\none.dic"), nullptr);
  EXPECT_EQ(init_("Dictionaries\\en_GB.aff", "Dictionaries\\none.dic"), nullptr);
  EXPECT_EQ(init_("", ""), nullptr);
}

TEST_F(HunspellDll, OpensADictionaryInAFolderWithANonAsciiName) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"W\u00f6rterb\u00fccher \u0444\u00e9";
  CreateDirectoryW(folder.c_str(), nullptr);
  ASSERT_TRUE(CopyFileW(L"Dictionaries\\en_GB.aff", (folder + L"\\en_GB.aff").c_str(), FALSE));
  ASSERT_TRUE(CopyFileW(L"Dictionaries\\en_GB.dic", (folder + L"\\en_GB.dic").c_str(), FALSE));
  auto utf8 = [](const std::wstring& w) {
    int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, s.data(), n, nullptr, nullptr);
    s.resize(static_cast<size_t>(n - 1));
    return s;
  };
  void* h = init_(utf8(folder + L"\\en_GB.aff").c_str(), utf8(folder + L"\\en_GB.dic").c_str());
  ASSERT_NE(h, nullptr);
  EXPECT_NE(spell_(h, "colour"), 0);
  EXPECT_EQ(spell_(h, "color"), 0);
  uninit_(h);
  DeleteFileW((folder + L"\\en_GB.aff").c_str());
  DeleteFileW((folder + L"\\en_GB.dic").c_str());
  RemoveDirectoryW(folder.c_str());
}

// 2x2: red at half opacity, opaque green / opaque blue, fully transparent.
const uint8_t kPng[] = {
    0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44, 0x52,
    0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x02, 0x08, 0x06, 0x00, 0x00, 0x00, 0x72, 0xb6, 0x0d,
    0x24, 0x00, 0x00, 0x00, 0x17, 0x49, 0x44, 0x41, 0x54, 0x08, 0xd7, 0x05, 0xc1, 0x01, 0x01, 0x00,
    0x00, 0x00, 0x82, 0x20, 0x9e, 0x37, 0xdd, 0x40, 0x4c, 0x42, 0xc1, 0x01, 0x38, 0xd2, 0x05, 0x7b,
    0x79, 0xa6, 0xb8, 0x14, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};

TEST(ImageDecoding, PngWithAlphaDecodesToStraightBgra) {
  lumora::EnablePngDecoder();
  lumora::DecodedImage image;
  ASSERT_TRUE(lumora::DecodeImage(kPng, sizeof kPng, &image));
  ASSERT_EQ(image.width, 2);
  ASSERT_EQ(image.height, 2);
  EXPECT_TRUE(image.has_alpha);
  const std::vector<uint8_t> expected = {0, 0, 255, 127, 0, 255, 0, 255, 255, 0, 0, 255, 0, 0, 0, 0};
  EXPECT_EQ(image.bgra, expected);
}

// A 16x16 JPEG of one colour, RGB(200, 40, 90), written at full quality.
const uint8_t kJpeg[] = {
    0xff, 0xd8, 0xff, 0xe0, 0x00, 0x10, 0x4a, 0x46, 0x49, 0x46, 0x00, 0x01, 0x01, 0x00, 0x00, 0x01,
    0x00, 0x01, 0x00, 0x00, 0xff, 0xdb, 0x00, 0x43, 0x00, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01,
    0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01,
    0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01,
    0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01,
    0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0xff, 0xdb, 0x00, 0x43, 0x01, 0x01, 0x01,
    0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01,
    0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01,
    0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01,
    0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0xff, 0xc0,
    0x00, 0x11, 0x08, 0x00, 0x10, 0x00, 0x10, 0x03, 0x01, 0x11, 0x00, 0x02, 0x11, 0x01, 0x03, 0x11,
    0x01, 0xff, 0xc4, 0x00, 0x15, 0x00, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x09, 0xff, 0xc4, 0x00, 0x14, 0x10, 0x01, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xff, 0xc4,
    0x00, 0x16, 0x01, 0x01, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x05, 0x0a, 0xff, 0xc4, 0x00, 0x14, 0x11, 0x01, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xff, 0xda, 0x00, 0x0c,
    0x03, 0x01, 0x00, 0x02, 0x11, 0x03, 0x11, 0x00, 0x3f, 0x00, 0x9d, 0xe9, 0xed, 0x30, 0x00, 0x00,
    0x0f, 0xff, 0xd9,
};

TEST(ImageDecoding, JpegDecodesToItsColour) {
  lumora::EnableJpegDecoder();
  lumora::DecodedImage image;
  ASSERT_TRUE(lumora::DecodeImage(kJpeg, sizeof kJpeg, &image));
  ASSERT_EQ(image.width, 16);
  ASSERT_EQ(image.height, 16);
  EXPECT_FALSE(image.has_alpha);
  for (int i = 0; i < 16 * 16; i += 37) {
    EXPECT_NEAR(image.bgra[i * 4 + 2], 200, 3);
    EXPECT_NEAR(image.bgra[i * 4 + 1], 40, 3);
    EXPECT_NEAR(image.bgra[i * 4 + 0], 90, 3);
    EXPECT_EQ(image.bgra[i * 4 + 3], 255);
  }
}

TEST(ImageDecoding, TruncatedOrForeignBytesAreRefused) {
  lumora::EnablePngDecoder();
  lumora::EnableJpegDecoder();
  lumora::DecodedImage image;
  EXPECT_FALSE(lumora::DecodeImage(kPng, 40, &image));
  const uint8_t jpeg_start[] = {0xff, 0xd8, 0xff, 0xe0, 0x00, 0x10};
  EXPECT_FALSE(lumora::DecodeImage(jpeg_start, sizeof jpeg_start, &image));
  const uint8_t text[] = "not an image at all";
  EXPECT_FALSE(lumora::DecodeImage(text, sizeof text, &image));
}

TEST(ImageDecoding, ConvertedIconsAreSixteenPixel32BitIcons) {
  for (const wchar_t* name : {L"09276", L"00018", L"00023", L"00003", L"00004", L"00002", L"00021", L"00019",
                              L"00022", L"00128", L"00129", L"00253", L"00984", L"search_small",
                              L"search_small_h", L"search_small_p", L"x", L"x_h", L"x_p"}) {
    std::wstring path = std::wstring(L"icons\\Office Icons\\") + name + L".ico";
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(lumora::ReadWholeFile(path, &bytes)) << "missing icon";
    ASSERT_GE(bytes.size(), 22u + 40u);
    EXPECT_EQ(bytes[2], 1);  // an icon resource
    EXPECT_EQ(bytes[6], 16);  // width
    EXPECT_EQ(bytes[7], 16);  // height
    const uint32_t offset = bytes[18] | bytes[19] << 8 | bytes[20] << 16 | bytes[21] << 24;
    ASSERT_LT(offset + 16u, bytes.size());
    EXPECT_EQ(bytes[offset + 14], 32) << "bit count";
    HICON icon = static_cast<HICON>(LoadImageW(nullptr, path.c_str(), IMAGE_ICON, 16, 16, LR_LOADFROMFILE));
    EXPECT_NE(icon, nullptr);
    if (icon) DestroyIcon(icon);
  }
}

}  // namespace
