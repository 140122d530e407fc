// Loading images from files: real icons, PNG and BMP files written for the
// purpose, the size rules, icons made from decoded pixels, the cache and
// every way a file can fail to be an image.
#include "toolkit/image/image_file_win32.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "platform/icon_pixels_win32.h"
#include "platform/image_list_win32.h"
#include "tests/wine/test_files.h"
#include "tests/wine/toolbar_test_support.h"
#include "toolkit/image/image_effect_win32.h"

namespace lumora {
namespace {

using namespace testing_support;
using wine_test::TempPath;
using wine_test::WriteBytes;

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new ToolkitEnvironment);

constexpr const wchar_t* kIcon = L"icons\\Office Icons\\00018.ico";

// Pixels top-down, as 0xAARRGGBB.
std::vector<uint8_t> EncodePng(int width, int height, const std::vector<uint32_t>& argb) {
  std::vector<uint8_t> bgra;
  for (uint32_t v : argb) {
    bgra.push_back(static_cast<uint8_t>(v));
    bgra.push_back(static_cast<uint8_t>(v >> 8));
    bgra.push_back(static_cast<uint8_t>(v >> 16));
    bgra.push_back(static_cast<uint8_t>(v >> 24));
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_BGRA;
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, bgra.data(), 0, nullptr)) return {};
  std::vector<uint8_t> out(size);
  if (!png_image_write_to_memory(&image, out.data(), &size, 0, bgra.data(), 0, nullptr)) return {};
  out.resize(size);
  return out;
}

// A bottom-up 24-bit bitmap file; pixels top-down as 0xRRGGBB.
std::vector<uint8_t> EncodeBmp(int width, int height, const std::vector<uint32_t>& rgb) {
  const int stride = (width * 3 + 3) & ~3;
  const uint32_t data_size = static_cast<uint32_t>(stride * height);
  std::vector<uint8_t> out(14 + 40 + data_size, 0);
  auto put16 = [&](size_t at, uint32_t v) {
    out[at] = static_cast<uint8_t>(v);
    out[at + 1] = static_cast<uint8_t>(v >> 8);
  };
  auto put32 = [&](size_t at, uint32_t v) {
    put16(at, v & 0xFFFF);
    put16(at + 2, v >> 16);
  };
  out[0] = 'B';
  out[1] = 'M';
  put32(2, static_cast<uint32_t>(out.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<uint32_t>(width));
  put32(22, static_cast<uint32_t>(height));
  put16(26, 1);
  put16(28, 24);
  put32(34, data_size);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint32_t v = rgb[static_cast<size_t>((height - 1 - y) * width + x)];
      uint8_t* p = &out[54 + static_cast<size_t>(y * stride + x * 3)];
      p[0] = static_cast<uint8_t>(v);
      p[1] = static_cast<uint8_t>(v >> 8);
      p[2] = static_cast<uint8_t>(v >> 16);
    }
  }
  return out;
}

SIZE BitmapSize(HANDLE bitmap) {
  BITMAP info{};
  GetObjectW(bitmap, sizeof info, &info);
  return SIZE{info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight};
}

SIZE IconSize(HANDLE icon) {
  ICONINFO info{};
  if (!GetIconInfo(static_cast<HICON>(icon), &info)) return SIZE{0, 0};
  const SIZE size = BitmapSize(info.hbmColor ? info.hbmColor : info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  return size;
}

// The bitmap drawn onto a canvas, read at (x, y).
COLORREF BitmapPixel(HANDLE bitmap, int x, int y) {
  const SIZE size = BitmapSize(bitmap);
  Canvas canvas(size.cx, size.cy, RGB(255, 0, 255));
  HDC source = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(source, bitmap);
  BitBlt(canvas.dc(), 0, 0, size.cx, size.cy, source, 0, 0, SRCCOPY);
  SelectObject(source, old);
  DeleteDC(source);
  return canvas.At(x, y);
}

COLORREF IconPixel(HANDLE icon, int size, int x, int y, COLORREF fill) {
  Canvas canvas(size, size, fill);
  DrawIconEx(canvas.dc(), 0, 0, static_cast<HICON>(icon), size, size, 0, nullptr, DI_NORMAL);
  return canvas.At(x, y);
}

// Whether two ways of drawing leave the same pixels on a canvas of `fill`.
bool SameDrawing(COLORREF fill, const std::function<void(HDC)>& draw_ours,
                 const std::function<void(HDC)>& draw_system) {
  Canvas a(16, 16, fill), b(16, 16, fill);
  draw_ours(a.dc());
  draw_system(b.dc());
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      if (a.At(x, y) != b.At(x, y)) return false;
  return true;
}

bool SameIcons(HICON ours, HICON system, COLORREF fill) {
  auto draw = [](HICON icon) { return [icon](HDC dc) { DrawIconEx(dc, 0, 0, icon, 16, 16, 0, nullptr, DI_NORMAL); }; };
  return SameDrawing(fill, draw(ours), draw(system));
}

// The program's icon files are simple ones (one 32-bit image), read by the
// toolkit itself, and the icon keeps its pixels: the icon, the image lists filled from the kept pixels and the
// greyed copy made from them (as an icon or as pixels) look exactly like
// the system's own loading and reading back; destroyed through its owner,
// the icon is forgotten.
TEST(ImageFileTest, SimpleIconFilesAndKeptPixelsLookLikeTheSystemsOwn) {
  platform::UniqueIcon ours(static_cast<HICON>(LoadImageFile(kIcon, 16, 16, 0)));
  platform::UniqueIcon system(static_cast<HICON>(LoadImageW(nullptr, kIcon, IMAGE_ICON, 16, 16, LR_LOADFROMFILE)));
  ASSERT_TRUE(ours && system);
  ASSERT_NE(platform::RecallIconPixels(ours.get()), nullptr) << "read by the toolkit, not the system";
  EXPECT_EQ(platform::RecallIconPixels(system.get()), nullptr);
  for (COLORREF fill : {RGB(255, 255, 255), RGB(0, 0, 0), RGB(40, 160, 90)}) {
    EXPECT_TRUE(SameIcons(ours.get(), system.get(), fill));
    platform::UniqueImageList from_kept(ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 0));
    platform::UniqueImageList from_system(ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 0));
    ASSERT_EQ(platform::ImageListPutIcon(from_kept.get(), -1, ours.get()), 0);
    ASSERT_EQ(ImageList_ReplaceIcon(from_system.get(), -1, system.get()), 0);
    auto list = [](HIMAGELIST images) { return [images](HDC dc) { ImageList_Draw(images, 0, dc, 0, 0, ILD_NORMAL); }; };
    EXPECT_TRUE(SameDrawing(fill, list(from_kept.get()), list(from_system.get())));
    platform::UniqueIcon grey_ours(static_cast<HICON>(ImageEffect(ours.get(), 150, 0, 0, 0, 0, IMAGEEFFECT_GREYSCALE | IMAGEEFFECT_RETURN_ICON)));
    platform::UniqueIcon grey_system(static_cast<HICON>(ImageEffect(system.get(), 150, 0, 0, 0, 0, IMAGEEFFECT_GREYSCALE | IMAGEEFFECT_RETURN_ICON)));
    ASSERT_TRUE(grey_ours && grey_system);
    EXPECT_TRUE(SameIcons(grey_ours.get(), grey_system.get(), fill));
    // Tool bars put a greyed copy's pixels into their lists without making
    // the icon: the same as the system putting the icon, at the list's size
    // and at another.
    const auto grey_pixels =
        ImageEffectIconPixels(ours.get(), 150, 0, 0, 0, 0, IMAGEEFFECT_GREYSCALE | IMAGEEFFECT_RETURN_ICON);
    ASSERT_NE(grey_pixels, nullptr);
    for (int size : {16, 24}) {
      platform::UniqueImageList from_pixels(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 1, 0));
      platform::UniqueImageList from_icon(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 1, 0));
      ASSERT_EQ(platform::ImageListPutPixels(from_pixels.get(), -1, *grey_pixels), 0);
      ASSERT_EQ(ImageList_ReplaceIcon(from_icon.get(), -1, grey_system.get()), 0);
      EXPECT_TRUE(SameDrawing(fill, list(from_pixels.get()), list(from_icon.get()))) << size;
    }
    // The system's icon, read back once, is kept from then on as well.
    EXPECT_NE(platform::RecallIconPixels(system.get()), nullptr);
  }
  const HICON gone = ours.get();
  ours.reset();
  EXPECT_EQ(platform::RecallIconPixels(gone), nullptr);
}

TEST(ImageFileTest, LoadsARealIconFileAtTheAskedSize) {
  HANDLE icon = LoadImageFile(kIcon, 16, 16, 0);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(GetObjectType(icon), 0u) << "an icon, not a GDI object";
  EXPECT_EQ(IconSize(icon).cx, 16);
  EXPECT_EQ(IconSize(icon).cy, 16);
  EXPECT_EQ(ImageFileReferenceCount(icon), 0);  // not cached
  DestroyIcon(static_cast<HICON>(icon));
  HANDLE large = LoadImageFile(kIcon, 32, 32, 0);
  ASSERT_NE(large, nullptr);
  EXPECT_EQ(IconSize(large).cx, 32);
  DestroyIcon(static_cast<HICON>(large));
}

TEST(ImageFileTest, TheCacheSharesOneHandleAndCountsIt) {
  HANDLE first = LoadImageFile(kIcon, 16, 16, IMAGEFILE_CACHED);
  ASSERT_NE(first, nullptr);
  HANDLE second = LoadImageFile(L"ICONS/office icons/00018.ICO", 16, 16, IMAGEFILE_CACHED);
  EXPECT_EQ(first, second);
  EXPECT_EQ(ImageFileReferenceCount(first), 2);
  // Another size is another image.
  HANDLE other = LoadImageFile(kIcon, 32, 32, IMAGEFILE_CACHED);
  ASSERT_NE(other, nullptr);
  EXPECT_NE(other, first);
  EXPECT_EQ(IconSize(other).cx, 32);
  // An uncached load does not touch the cache.
  HANDLE loose = LoadImageFile(kIcon, 16, 16, 0);
  EXPECT_NE(loose, first);
  EXPECT_EQ(ImageFileReferenceCount(first), 2);
  DestroyIcon(static_cast<HICON>(loose));

  EXPECT_EQ(ReleaseImageFile(first), 1);
  EXPECT_EQ(ImageFileReferenceCount(first), 1);
  EXPECT_EQ(ReleaseImageFile(first), 1);
  EXPECT_EQ(ImageFileReferenceCount(first), 0);
  EXPECT_EQ(ReleaseImageFile(first), 0);
  EXPECT_EQ(ReleaseImageFile(other), 1);
  // Loaded again after its last release: a fresh count.
  HANDLE again = LoadImageFile(kIcon, 16, 16, IMAGEFILE_CACHED);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(ImageFileReferenceCount(again), 1);
  ReleaseImageFile(again);
}

TEST(ImageFileTest, DecodesAPngFileAndScalesItWhenAsked) {
  const std::wstring path = TempPath(L"lumora_image_file_test.png");
  const std::vector<uint32_t> pixels = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF,   // red, green, blue
                                        0xFFFFFFFF, 0x00000000, 0xFF000000};  // white, clear, black
  const std::vector<uint8_t> png = EncodePng(3, 2, pixels);
  ASSERT_FALSE(png.empty());
  ASSERT_TRUE(WriteBytes(path, png));

  HANDLE natural = LoadImageFile(path.c_str(), 0, 0, 0);
  ASSERT_NE(natural, nullptr);
  ASSERT_EQ(GetObjectType(natural), static_cast<DWORD>(OBJ_BITMAP));
  EXPECT_EQ(BitmapSize(natural).cx, 3);
  EXPECT_EQ(BitmapSize(natural).cy, 2);
  EXPECT_EQ(BitmapPixel(natural, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(BitmapPixel(natural, 2, 0), RGB(0, 0, 255));
  EXPECT_EQ(BitmapPixel(natural, 0, 1), RGB(255, 255, 255));
  DeleteObject(natural);

  // Only a width: the height stays the image's own.
  HANDLE wide = LoadImageFile(path.c_str(), 6, 0, 0);
  ASSERT_NE(wide, nullptr);
  EXPECT_EQ(BitmapSize(wide).cx, 6);
  EXPECT_EQ(BitmapSize(wide).cy, 2);
  EXPECT_EQ(BitmapPixel(wide, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(BitmapPixel(wide, 5, 0), RGB(0, 0, 255));
  DeleteObject(wide);

  // As an icon: the clear pixel lets the background through.
  HANDLE icon = LoadImageFile(path.c_str(), 0, 0, IMAGEFILE_AS_ICON);
  ASSERT_NE(icon, nullptr);
  EXPECT_NE(GetObjectType(icon), static_cast<DWORD>(OBJ_BITMAP));
  EXPECT_EQ(IconSize(icon).cx, 3);
  Canvas canvas(3, 2, RGB(10, 20, 30));
  DrawIconEx(canvas.dc(), 0, 0, static_cast<HICON>(icon), 3, 2, 0, nullptr, DI_NORMAL);
  EXPECT_TRUE(ColourNear(canvas.At(1, 0), RGB(0, 255, 0), 1));
  EXPECT_TRUE(ColourNear(canvas.At(1, 1), RGB(10, 20, 30), 1));
  EXPECT_TRUE(ColourNear(canvas.At(2, 1), RGB(0, 0, 0), 1));
  DestroyIcon(static_cast<HICON>(icon));
  DeleteFileW(path.c_str());
}

TEST(ImageFileTest, DecodesABmpFileThroughTheSystemReader) {
  const std::wstring path = TempPath(L"lumora_image_file_test.bmp");
  ASSERT_TRUE(WriteBytes(path, EncodeBmp(2, 2, {0xFF8000, 0x00FF00, 0x0000FF, 0x123456})));
  HANDLE bitmap = LoadImageFile(path.c_str(), 0, 0, 0);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(BitmapSize(bitmap).cx, 2);
  EXPECT_EQ(BitmapPixel(bitmap, 0, 0), RGB(0xFF, 0x80, 0x00));
  EXPECT_EQ(BitmapPixel(bitmap, 1, 1), RGB(0x12, 0x34, 0x56));
  DeleteObject(bitmap);
  // 24-bit pixels carry no alpha: the icon made from them is opaque.
  HANDLE icon = LoadImageFile(path.c_str(), 16, 16, IMAGEFILE_AS_ICON | IMAGEFILE_CACHED);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(IconSize(icon).cx, 16);
  EXPECT_TRUE(ColourNear(IconPixel(icon, 16, 2, 2, RGB(1, 2, 3)), RGB(0xFF, 0x80, 0x00), 1));
  EXPECT_TRUE(ColourNear(IconPixel(icon, 16, 13, 13, RGB(1, 2, 3)), RGB(0x12, 0x34, 0x56), 1));
  EXPECT_EQ(ImageFileReferenceCount(icon), 1);
  ReleaseImageFile(icon);
  DeleteFileW(path.c_str());
}

TEST(ImageFileTest, MissingEmptyAndUndecodableFilesGiveNothing) {
  EXPECT_EQ(LoadImageFile(L"icons\\Office Icons\\no such icon.ico", 16, 16, 0), nullptr);
  EXPECT_EQ(LoadImageFile(L"icons\\Office Icons\\no such icon.ico", 16, 16, IMAGEFILE_CACHED), nullptr);
  EXPECT_EQ(LoadImageFile(L"", 16, 16, 0), nullptr);
  EXPECT_EQ(LoadImageFile(nullptr, 16, 16, 0), nullptr);
  EXPECT_EQ(LoadImageFile(L"icons", 0, 0, 0), nullptr);  // a folder

  const std::wstring empty = TempPath(L"lumora_image_file_empty.png");
  ASSERT_TRUE(WriteBytes(empty, std::string()));
  EXPECT_EQ(LoadImageFile(empty.c_str(), 16, 16, 0), nullptr);
  DeleteFileW(empty.c_str());

  const std::wstring junk = TempPath(L"lumora_image_file_junk.png");
  ASSERT_TRUE(WriteBytes(junk, std::vector<uint8_t>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 1, 2, 3, 4, 5}));
  EXPECT_EQ(LoadImageFile(junk.c_str(), 16, 16, 0), nullptr);
  EXPECT_EQ(LoadImageFile(junk.c_str(), 16, 16, IMAGEFILE_CACHED | IMAGEFILE_AS_ICON), nullptr);
  DeleteFileW(junk.c_str());
}

}  // namespace
}  // namespace lumora
