// Drawing primitives against real device contexts: gradients painted into a
// 32-bit DIB section through the run-time GDI+ binding, and ImageEffect on
// icons and bitmaps made for the purpose.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "toolkit/style/drawing_win32.h"

namespace lumora {
namespace {

struct Rgba {
  int b, g, r, a;
};

Rgba Unpack(uint32_t v) {
  return Rgba{static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF), static_cast<int>((v >> 16) & 0xFF),
              static_cast<int>(v >> 24)};
}

constexpr int32_t Argb(uint32_t v) { return static_cast<int32_t>(v); }

// Header of an uncompressed DIB; a negative height makes it top-down.
BITMAPINFO DibInfo(int width, int height, WORD bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = bits;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// A memory DC with a 32-bit top-down DIB section selected into it.
class Canvas {
 public:
  Canvas(int width, int height, uint32_t fill) : width_(width), height_(height) {
    dc_ = CreateCompatibleDC(nullptr);
    const BITMAPINFO info = DibInfo(width, -height, 32);
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<uint32_t*>(bits);
    old_ = SelectObject(dc_, bitmap_);
    for (int i = 0; i < width * height; ++i) bits_[i] = fill;
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  ~Canvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }
  bool ok() const { return dc_ != nullptr && bits_ != nullptr; }
  Rgba At(int x, int y) const {
    GdiFlush();
    return Unpack(bits_[y * width_ + x]);
  }

 private:
  int width_, height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  uint32_t* bits_ = nullptr;
};

// A 32-bit DIB section filled from top-down BGRA values; owned by the caller.
HBITMAP MakeBitmap32(int width, int height, const std::vector<uint32_t>& top_down) {
  const BITMAPINFO info = DibInfo(width, -height, 32);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap != nullptr) std::memcpy(bits, top_down.data(), top_down.size() * 4);
  return bitmap;
}

// A monochrome mask; `set` marks transparent pixels, top-down.
HBITMAP MakeMask(int width, int height, const std::vector<bool>& set) {
  const int stride = ((width + 15) / 16) * 2;  // CreateBitmap rows are WORD-aligned
  std::vector<uint8_t> rows(static_cast<size_t>(stride) * height, 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (set[y * width + x]) rows[y * stride + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
  return CreateBitmap(width, height, 1, 1, rows.data());
}

HICON MakeIcon(int width, int height, const std::vector<uint32_t>& colour, const std::vector<bool>& mask) {
  HBITMAP colour_bitmap = MakeBitmap32(width, height, colour);
  HBITMAP mask_bitmap = MakeMask(width, height, mask);
  ICONINFO info{TRUE, 0, 0, mask_bitmap, colour_bitmap};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(colour_bitmap);
  DeleteObject(mask_bitmap);
  return icon;
}

// The pixels of any bitmap as top-down 32-bit values.
std::vector<uint32_t> ReadBitmap(HBITMAP bitmap, int* width = nullptr, int* height = nullptr) {
  BITMAP bm{};
  if (GetObjectW(bitmap, sizeof(bm), &bm) != sizeof(bm)) return {};
  if (width != nullptr) *width = bm.bmWidth;
  if (height != nullptr) *height = bm.bmHeight;
  BITMAPINFO info = DibInfo(bm.bmWidth, -bm.bmHeight, 32);
  std::vector<uint32_t> pixels(static_cast<size_t>(bm.bmWidth) * bm.bmHeight);
  HDC dc = CreateCompatibleDC(nullptr);
  const int rows = GetDIBits(dc, bitmap, 0, bm.bmHeight, pixels.data(), &info, DIB_RGB_COLORS);
  DeleteDC(dc);
  if (rows != bm.bmHeight) return {};
  return pixels;
}

void ExpectNear(const Rgba& got, int r, int g, int b, int tolerance) {
  EXPECT_NEAR(got.r, r, tolerance);
  EXPECT_NEAR(got.g, g, tolerance);
  EXPECT_NEAR(got.b, b, tolerance);
}

constexpr int32_t kRed = Argb(0xFFFF0000u);
constexpr int32_t kGreen = Argb(0xFF00FF00u);
constexpr int32_t kBlue = Argb(0xFF0000FFu);
constexpr uint32_t kGreyBackground = 0x00404040u;

TEST(GraphicsBinding, StartsOnceAndResolvesTheWholeTable) {
  const uintptr_t token = StartGraphics();
  ASSERT_NE(token, 0u);
  EXPECT_EQ(StartGraphics(), token);
  EXPECT_EQ(Gdiplus().token, token);
  EXPECT_TRUE(Gdiplus().library);
  EXPECT_EQ(ResolvedGdiplusFunctionCount(), kGdiplusFunctionCount);
  EXPECT_STREQ(kGdiplusFunctionNames[0], "GdipCreateFromHDC");
  EXPECT_STREQ(kGdiplusFunctionNames[35], "GdipSetLinePresetBlend");
  EXPECT_STREQ(kGdiplusFunctionNames[40], "GdipSetPathGradientCenterPoint");
}

TEST(GradientPainting, HorizontalRunsFromLeftToRightThroughTheStops) {
  const GradientHandle plain = CreateGradient(GRADIENT_HORIZONTAL, kRed, kBlue);
  ASSERT_NE(plain, 0);
  Canvas canvas(100, 10, kGreyBackground);
  ASSERT_TRUE(canvas.ok());
  const RECT rect{0, 0, 100, 10};
  ASSERT_EQ(PaintGradient(canvas.dc(), rect, plain), 1);
  ExpectNear(canvas.At(0, 5), 255, 0, 0, 12);
  ExpectNear(canvas.At(99, 5), 0, 0, 255, 12);
  ExpectNear(canvas.At(50, 5), 128, 0, 128, 20);
  EXPECT_EQ(canvas.At(0, 0).r, canvas.At(0, 9).r);  // no vertical change

  const GradientHandle stopped = CreateGradient(GRADIENT_HORIZONTAL, kRed, kBlue);
  ASSERT_EQ(AddGradientStop(stopped, 0.5f, kGreen), 1);
  ASSERT_EQ(PaintGradient(canvas.dc(), rect, stopped), 1);
  ExpectNear(canvas.At(0, 5), 255, 0, 0, 12);
  ExpectNear(canvas.At(50, 5), 0, 255, 0, 12);
  ExpectNear(canvas.At(99, 5), 0, 0, 255, 12);
  ExpectNear(canvas.At(25, 5), 128, 128, 0, 20);
}

TEST(GradientPainting, VerticalRunsFromTopToBottom) {
  const GradientHandle g = CreateGradient(GRADIENT_VERTICAL, kRed, kBlue);
  ASSERT_EQ(AddGradientStop(g, 0.5f, kGreen), 1);
  Canvas canvas(10, 100, kGreyBackground);
  ASSERT_EQ(PaintGradient(canvas.dc(), RECT{0, 0, 10, 100}, g), 1);
  ExpectNear(canvas.At(5, 0), 255, 0, 0, 12);
  ExpectNear(canvas.At(5, 50), 0, 255, 0, 12);
  ExpectNear(canvas.At(5, 99), 0, 0, 255, 12);
  EXPECT_EQ(canvas.At(0, 30).g, canvas.At(9, 30).g);  // no horizontal change
}

TEST(GradientPainting, OnlyTheRectangleIsPainted) {
  const GradientHandle g = CreateGradient(GRADIENT_HORIZONTAL, kRed, kBlue);
  Canvas canvas(60, 40, kGreyBackground);
  ASSERT_EQ(PaintGradient(canvas.dc(), RECT{10, 10, 50, 30}, g), 1);
  ExpectNear(canvas.At(10, 20), 255, 0, 0, 12);
  ExpectNear(canvas.At(49, 20), 0, 0, 255, 12);
  ExpectNear(canvas.At(9, 20), 0x40, 0x40, 0x40, 0);
  ExpectNear(canvas.At(50, 20), 0x40, 0x40, 0x40, 0);
  ExpectNear(canvas.At(30, 9), 0x40, 0x40, 0x40, 0);
  ExpectNear(canvas.At(30, 30), 0x40, 0x40, 0x40, 0);
}

TEST(GradientPainting, PathGradientsHaveColourOneAtTheCentre) {
  for (const int32_t kind : {GRADIENT_RECTANGLE, GRADIENT_ELLIPSE}) {
    SCOPED_TRACE(kind);
    const GradientHandle g = CreateGradient(kind, kRed, kBlue);
    ASSERT_NE(g, 0);
    Canvas canvas(81, 81, kGreyBackground);
    ASSERT_EQ(PaintGradient(canvas.dc(), RECT{0, 0, 81, 81}, g), 1);
    ExpectNear(canvas.At(40, 40), 255, 0, 0, 16);
    // Towards the rim colour 2 takes over.
    const Rgba near_rim = canvas.At(40, 2);
    EXPECT_GT(near_rim.b, 200);
    EXPECT_LT(near_rim.r, 60);
  }
}

TEST(GradientPainting, UnknownGradientsAndEmptyRectanglesPaintNothing) {
  const GradientHandle g = CreateGradient(GRADIENT_HORIZONTAL, kRed, kBlue);
  Canvas canvas(20, 20, kGreyBackground);
  EXPECT_EQ(PaintGradient(canvas.dc(), RECT{0, 0, 20, 20}, 0), 0);
  EXPECT_EQ(PaintGradient(canvas.dc(), RECT{0, 0, 20, 20}, g + 4), 0);
  EXPECT_EQ(PaintGradient(canvas.dc(), RECT{5, 5, 5, 15}, g), 0);
  EXPECT_EQ(PaintGradient(canvas.dc(), RECT{15, 5, 5, 15}, g), 0);
  EXPECT_EQ(PaintGradient(nullptr, RECT{0, 0, 20, 20}, g), 0);
  ExpectNear(canvas.At(10, 10), 0x40, 0x40, 0x40, 0);
  EXPECT_EQ(CreateGradient(7, kRed, kBlue), 0);
}

TEST(ImageEffectOnIcons, GreyscaleOfPureRedIsLuma76) {
  HICON icon = MakeIcon(4, 4, std::vector<uint32_t>(16, 0xFFFF0000u), std::vector<bool>(16, false));
  ASSERT_NE(icon, nullptr);
  HBITMAP out = static_cast<HBITMAP>(ImageEffect(icon, 255, 0, 0, 0, 0, IMAGEEFFECT_GREYSCALE));
  ASSERT_NE(out, nullptr);
  BITMAP bm{};
  ASSERT_EQ(GetObjectW(out, sizeof(bm), &bm), static_cast<int>(sizeof(bm)));
  EXPECT_EQ(bm.bmBitsPixel, 32);
  int w = 0, h = 0;
  const auto px = ReadBitmap(out, &w, &h);
  ASSERT_EQ(px.size(), 16u);
  EXPECT_EQ(w, 4);
  EXPECT_EQ(h, 4);
  for (uint32_t v : px) EXPECT_EQ(v, 0xFF4C4C4Cu);  // 76 = 0x4C
  DeleteObject(out);
  ICONINFO still_there{};
  ASSERT_TRUE(GetIconInfo(icon, &still_there));  // without the flag the source stays
  DeleteObject(still_there.hbmColor);
  DeleteObject(still_there.hbmMask);
  DestroyIcon(icon);
}

TEST(ImageEffectOnIcons, MaskDecidesForTransparentPixels) {
  // Left column transparent by mask, right column opaque by mask; no alpha.
  HICON icon = MakeIcon(2, 1, {0x00112233u, 0x00445566u}, {true, false});
  ASSERT_NE(icon, nullptr);
  HBITMAP out = static_cast<HBITMAP>(ImageEffect(icon, 200, 0, 0, 0, 0, 0));
  ASSERT_NE(out, nullptr);
  const auto px = ReadBitmap(out);
  ASSERT_EQ(px.size(), 2u);
  EXPECT_EQ(Unpack(px[0]).a, 0);
  EXPECT_EQ(Unpack(px[1]).a, 200);
  EXPECT_EQ(px[1] & 0xFFFFFF, 0x445566u);
  DeleteObject(out);
  DestroyIcon(icon);
}

TEST(ImageEffectOnIcons, ReturnsAnIconOnRequestAndCanDestroyTheSource) {
  HICON icon = MakeIcon(16, 16, std::vector<uint32_t>(256, 0xFF2080C0u), std::vector<bool>(256, false));
  ASSERT_NE(icon, nullptr);
  HICON out = static_cast<HICON>(ImageEffect(icon, 120, 0, 0, 0, 0, IMAGEEFFECT_RETURN_ICON |
                                                                       IMAGEEFFECT_DESTROY_SOURCE));
  ASSERT_NE(out, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(out, &info));
  EXPECT_TRUE(info.fIcon);
  BITMAP bm{};
  ASSERT_NE(info.hbmColor, nullptr);
  ASSERT_EQ(GetObjectW(info.hbmColor, sizeof(bm), &bm), static_cast<int>(sizeof(bm)));
  EXPECT_EQ(bm.bmWidth, 16);
  EXPECT_EQ(bm.bmHeight, 16);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  DestroyIcon(out);

  ICONINFO gone{};
  EXPECT_FALSE(GetIconInfo(icon, &gone));  // the source was destroyed
}

TEST(ImageEffectOnBitmaps, KeepsOrientationAndScalesAlpha) {
  // Top row red, bottom row blue.
  HBITMAP source = MakeBitmap32(2, 2, {0xFFFF0000u, 0xFFFF0000u, 0x800000FFu, 0x800000FFu});
  ASSERT_NE(source, nullptr);
  HBITMAP same = static_cast<HBITMAP>(ImageEffect(source, 255, 0, 0, 0, 0, 0));
  ASSERT_NE(same, nullptr);
  EXPECT_EQ(ReadBitmap(same), (std::vector<uint32_t>{0xFFFF0000u, 0xFFFF0000u, 0x800000FFu, 0x800000FFu}));
  DeleteObject(same);

  HBITMAP faded = static_cast<HBITMAP>(ImageEffect(source, 51, 0, 0, 0, 0, 0));
  ASSERT_NE(faded, nullptr);
  const auto px = ReadBitmap(faded);
  ASSERT_EQ(px.size(), 4u);
  EXPECT_EQ(px[0], 0x33FF0000u);  // 255/255*51
  EXPECT_EQ(px[2], 0x1A0000FFu);  // rint(128/255*51) = rint(25.6)
  DeleteObject(faded);

  EXPECT_NE(GetObjectType(source), 0u);
  HBITMAP tinted = static_cast<HBITMAP>(ImageEffect(source, 255, 0, 0, RGB(0, 255, 0), 256, IMAGEEFFECT_DESTROY_SOURCE));
  ASSERT_NE(tinted, nullptr);
  EXPECT_EQ(ReadBitmap(tinted)[0], 0xFF00FF00u);
  EXPECT_EQ(GetObjectType(source), 0u);  // destroyed
  DeleteObject(tinted);
}

TEST(ImageEffectOnBitmaps, SourcesWithoutAlphaTakeTheGivenOpacity) {
  const BITMAPINFO info = DibInfo(3, 3, 24);
  void* bits = nullptr;
  HBITMAP dib24 = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(dib24, nullptr);
  auto* bytes = static_cast<uint8_t*>(bits);
  for (int row = 0; row < 3; ++row)
    for (int x = 0; x < 3; ++x) {
      bytes[row * 12 + x * 3 + 0] = 10;
      bytes[row * 12 + x * 3 + 1] = 20;
      bytes[row * 12 + x * 3 + 2] = 30;
    }
  HBITMAP out = static_cast<HBITMAP>(ImageEffect(dib24, 99.6f, 0, 0, 0, 0, 0));
  ASSERT_NE(out, nullptr);
  for (uint32_t v : ReadBitmap(out)) EXPECT_EQ(v, 0x641E140Au);  // alpha rint(99.6) = 100
  DeleteObject(out);
  DeleteObject(dib24);
}

TEST(ImageEffectOnBitmaps, RejectsWhatIsNotAnImage) {
  EXPECT_EQ(ImageEffect(nullptr, 255, 0, 0, 0, 0, 0), nullptr);
  EXPECT_EQ(ImageEffect(GetStockObject(WHITE_BRUSH), 255, 0, 0, 0, 0, 0), nullptr);
  EXPECT_EQ(ImageEffect(reinterpret_cast<HANDLE>(static_cast<intptr_t>(0x7FFF1234)), 255, 0, 0, 0, 0,
                        IMAGEEFFECT_DESTROY_SOURCE),
            nullptr);
}

TEST(ImageEffectOnIcons, MonochromeIconsUseTheirXorImage) {
  // Top row the AND mask, bottom row the XOR image: left transparent, right white.
  HBITMAP both = MakeMask(2, 2, {true, false, false, true});
  ICONINFO info{TRUE, 0, 0, both, nullptr};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(both);
  ASSERT_NE(icon, nullptr);
  HBITMAP out = static_cast<HBITMAP>(ImageEffect(icon, 255, 0, 0, 0, 0, 0));
  ASSERT_NE(out, nullptr);
  int w = 0, h = 0;
  const auto px = ReadBitmap(out, &w, &h);
  EXPECT_EQ(w, 2);
  EXPECT_EQ(h, 1);
  ASSERT_EQ(px.size(), 2u);
  EXPECT_EQ(Unpack(px[0]).a, 0);
  EXPECT_EQ(px[1], 0xFFFFFFFFu);
  DeleteObject(out);
  DestroyIcon(icon);
}

TEST(GraphicsBinding, StopsAndStartsAgain) {
  ASSERT_NE(StartGraphics(), 0u);
  StopGraphics();
  EXPECT_EQ(Gdiplus().token, 0u);
  EXPECT_EQ(Gdiplus().fn.GdipCreateFromHDC, nullptr);
  StopGraphics();  // harmless when stopped
  const uintptr_t again = StartGraphics();
  EXPECT_NE(again, 0u);
  // Painting restarts GDI+ by itself.
  StopGraphics();
  const GradientHandle g = RegisterGradient(GRADIENT_HORIZONTAL, kRed, kRed);
  Canvas canvas(4, 4, kGreyBackground);
  EXPECT_EQ(PaintGradient(canvas.dc(), RECT{0, 0, 4, 4}, g), 1);
  ExpectNear(canvas.At(2, 2), 255, 0, 0, 0);
  StopGraphics();
}

}  // namespace
}  // namespace lumora
