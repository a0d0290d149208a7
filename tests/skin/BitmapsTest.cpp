// 32-bit bitmaps, their rows, the whole-pixel and channel copies, and the
// device-context fills and strips.
#include "SkinTestSupport.h"
#include "skin/graphics/DCDrawing.h"
#include "skin/graphics/LayeredWindows.h"
#include "skin/graphics/Pixels32.h"
#include "skin/graphics/SkinData.h"
#include "skin/graphics/StretchParts.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/StdCtrls.h"
#include <gtest/gtest.h>

TEST(SkinBitmaps, CreationSizesAndRows) {
  EXPECT_EQ(NewBmp32ForRect(TRect(10, 0, 5, 7))->Width(), 0);
  auto bmp = NewBmp32(3, 2);
  EXPECT_EQ(bmp->PixelFormat(), pf32bit);
  EXPECT_EQ(NewBmp32ForSize(TSize(4, 5))->Height(), 5);
  EXPECT_EQ(NewBmp32Like(*bmp)->Width(), 3);
  // A size the system refuses comes back as nothing to draw.
  auto huge = NewBmp32(1 << 16, 1 << 16);
  EXPECT_EQ(huge->Width(), 0);
  EXPECT_EQ(huge->Height(), 0);

  uint8_t* row0 = nullptr;
  ptrdiff_t stride = 1;
  auto one = NewBmp32(5, 1);
  EXPECT_TRUE(ScanlineBase(one.get(), row0, stride));
  EXPECT_EQ(stride, 0);
  auto none = NewBmp32(5, 0);
  EXPECT_FALSE(ScanlineBase(none.get(), row0, stride));
  // Rows are bottom-up: the stride is negative and row y is row 0 + y x stride.
  EXPECT_TRUE(ScanlineBase(bmp.get(), row0, stride));
  EXPECT_EQ(stride, -12);
  EXPECT_EQ(row0 + stride, bmp->ScanLine(1));

  auto like = NewBmpLike(*bmp);
  EXPECT_EQ(like->PixelFormat(), pf32bit);
  TPixels img = RandomImage(3, 2, 1);
  auto src = ToBitmap(img);
  TBitmap clone;
  CloneBmp(clone, *src);
  EXPECT_EQ(FromBitmap(clone).P, img.P);
}

TEST(SkinBitmaps, CopyExceptKeyClipsAndComparesWholePixels) {
  TPixels src(3, 3, 0x00102030);
  src.At(1, 1) = 0x00FF00FF;  // the key
  src.At(2, 2) = 0xFFFF00FF;  // magenta, but opaque: not the key
  auto d = ToBitmap(TPixels(4, 4, 0x11111111));
  auto s = ToBitmap(src);
  CopyExceptKey(*d, *s, -1, -1, KeyColor);
  TPixels expected(4, 4, 0x11111111);
  expected.At(1, 1) = 0xFFFF00FF;
  expected.At(0, 1) = expected.At(1, 0) = 0xFF102030;
  EXPECT_EQ(FromBitmap(*d).P, expected.P);
}

TEST(SkinBitmaps, ChannelCopiesWorkOverTheOverlap) {
  const TPixels a = RandomImage(6, 5, 2), b = RandomImage(3, 2, 3);
  auto dst = ToBitmap(a);
  auto smaller = ToBitmap(b);
  // A source smaller than the target: only the overlap changes.
  CopyChannel(*dst, *smaller, 3);
  TPixels expected = a;
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) expected.At(x, y) = (a.At(x, y) & 0x00FFFFFF) | (b.At(x, y) & 0xFF000000);
  EXPECT_EQ(FromBitmap(*dst).P, expected.P);

  TBitmap grey;
  grey.SetPixelFormat(pf8bit);
  grey.SetSize(4, 3);
  ExchangeChannel8(*dst, grey, 2, true);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(static_cast<uint8_t*>(grey.ScanLine(y))[x], Ch(expected.At(x, y), 2));
  static_cast<uint8_t*>(grey.ScanLine(2))[3] = 0x5A;
  ExchangeChannel8(*dst, grey, 0, false);
  EXPECT_EQ(Pixel32(*dst, 3, 2) & 0xFF, 0x5Au);
  EXPECT_EQ(Pixel32(*dst, 5, 4), expected.At(5, 4));
}

TEST(SkinBitmaps, CopyMaskImagePartTakesAlphaFromTheMaskHalf) {
  EXPECT_EQ(CopyMaskImagePart(*NewBmp32(4, 4), TRect(0, 0, 4, 1)), nullptr);
  TPixels img(2, 4);
  img.At(0, 0) = 0x00123456;
  img.At(1, 0) = 0x00ABCDEF;
  img.At(0, 2) = 0x00000000;  // black: opaque
  img.At(1, 2) = 0x00FFFFFF;  // white: transparent
  img.At(0, 3) = 0x00400000;
  auto part = CopyMaskImagePart(*ToBitmap(img), TRect(0, 0, 2, 4));
  ASSERT_NE(part, nullptr);
  ASSERT_EQ(part->Height(), 2);
  EXPECT_EQ(Pixel32(*part, 0, 0), 0xFF123456u);
  EXPECT_EQ(Pixel32(*part, 1, 0), 0x00ABCDEFu);
  EXPECT_EQ(Pixel32(*part, 0, 1) >> 24, 0xBFu);
}

TEST(SkinBitmaps, DeviceContextFillsAndBorderStrips) {
  auto bmp = ToBitmap(TPixels(12, 10, 0));
  HDC dc = bmp->Canvas()->Handle();
  FillDCFrame(dc, TRect(1, 1, 11, 9), 1, 2, 3, 1, 0x0000FF);
  GdiFlush();
  const TPixels framed = FromBitmap(*bmp);
  auto red = [&](int x, int y) { return (framed.At(x, y) & 0xFFFFFF) == 0xFF0000; };
  EXPECT_TRUE(red(1, 1) && red(10, 2) && red(1, 8) && red(9, 5) && red(8, 5));
  EXPECT_FALSE(red(2, 3) || red(7, 5) || red(0, 0) || red(11, 9));

  // Strips at (2, 1) of a 6 x 5 area, border 1: the top and right strips
  // run one pixel past the area.
  TPixels pattern(12, 10);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 12; ++x) pattern.At(x, y) = static_cast<uint32_t>(y * 16 + x + 1);
  auto src = ToBitmap(pattern);
  auto dst = ToBitmap(TPixels(12, 10, 0));
  BlitBorderStrips(dst->Canvas()->Handle(), 2, 1, 6, 5, src->Canvas()->Handle(), 0, 0, 1);
  GdiFlush();
  const TPixels out = FromBitmap(*dst);
  EXPECT_EQ(out.At(2, 1), pattern.At(0, 0));
  EXPECT_EQ(out.At(2, 5), pattern.At(0, 4));
  EXPECT_EQ(out.At(8, 1), pattern.At(6, 0));  // top overhang
  EXPECT_EQ(out.At(7, 6), pattern.At(5, 5));  // right overhang
  EXPECT_EQ(out.At(3, 5), pattern.At(1, 4));
  EXPECT_EQ(out.At(4, 3), 0u);
}

TEST(SkinBitmaps, StretchBmpPartsTilesStretchesAndSkipsSides) {
  TPixels pattern(6, 6);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) pattern.At(x, y) = static_cast<uint32_t>(0xFF000000 | (y * 16 + x));
  auto src = ToBitmap(pattern);
  auto dst = ToBitmap(TPixels(10, 8, 0));
  const TRect margins(2, 2, 2, 2);
  StretchBmpParts(*dst, *src, TRect(0, 0, 10, 8), TRect(0, 0, 6, 6), margins, margins, {dmRepeat, dmStretch, 2, 2},
                  false, true);
  const TPixels out = FromBitmap(*dst);
  EXPECT_EQ(out.At(9, 7), pattern.At(5, 5));  // corner
  EXPECT_EQ(out.At(0, 4), pattern.At(0, 2));  // left side tiled: its 2-row strip repeats
  EXPECT_EQ(out.At(0, 5), pattern.At(0, 3));
  EXPECT_EQ(out.At(8, 3), 0u);                // right side left undrawn
  EXPECT_EQ(out.At(4, 7), 0u);                // bottom side left undrawn
  EXPECT_EQ(out.At(4, 4), pattern.At(2, 2));  // centre tiled
  EXPECT_EQ(out.At(5, 3), pattern.At(3, 3));
}

TEST(SkinBitmaps, LayeredWindowsAndGlyphSize) {
  EXPECT_TRUE(LayeredWindowsAvailable());
  EXPECT_GT(CheckBoxGlyphWidth(), 0);
  EXPECT_GT(CheckBoxGlyphHeight(), 0);
  EXPECT_FALSE(acDwmIsCompositionEnabled());
  HWND wnd = CreateWindowExW(0, reinterpret_cast<LPCWSTR>(u"STATIC"), nullptr, WS_POPUP, 0, 0, 20, 10, nullptr,
                             nullptr, nullptr, nullptr);
  ASSERT_NE(wnd, nullptr);
  EXPECT_TRUE(SetWndAlpha(wnd, true, 200));
  EXPECT_FALSE(SetWndAlpha(wnd, true, 200));  // already layered
  BYTE alpha = 0;
  DWORD flags = 0;
  EXPECT_TRUE(GetLayeredWindowAttributes(wnd, nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 200);
  EXPECT_FALSE(SetWndAlpha(wnd, false, 0));
  EXPECT_EQ(GetWindowLongW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
  auto image = ToBitmap(TPixels(20, 10, 0x80402010));
  UpdateLayeredWnd(wnd, image.get(), 255, nullptr);
  EXPECT_NE(GetWindowLongW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
  UpdateLayeredWnd(wnd, nullptr, 128, nullptr);
  DestroyWindow(wnd);
}

namespace {
int gFreed = 0;
struct TCountedBitmap : TBitmap {
  ~TCountedBitmap() override { ++gFreed; }
};
}  // namespace

TEST(SkinBitmaps, SkinModelFrameSizesAndClearing) {
  struct Row {
    TRect R;
    int16_t ImageCount, MaskType;
    int W, H;
  };
  const Row rows[] = {
      {{0, 0, 100, 41}, 0, 1, 0, 20}, {{0, 0, 100, 90}, 1, 2, 100, 30}, {{0, 0, 100, 41}, 3, -1, 33, 0},
      {{0, 0, 100, 41}, -2, 0, -50, 41}, {{10, 10, 0, 0}, 3, 1, -3, -5},
  };
  for (const auto& r : rows) {
    TsMaskData md;
    md.R = r.R;
    md.ImageCount = r.ImageCount;
    md.MaskType = r.MaskType;
    EXPECT_EQ(MaskFrameSize(md), TSize(r.W, r.H)) << r.ImageCount << " " << r.MaskType;
  }

  // Two parts showing one image file free it once, with the other bitmaps.
  gFreed = 0;
  {
    TsSkinModel model;
    auto* shared = new TCountedBitmap;
    model.ExtArray.push_back(TacExtFileData{shared, u"A.PNG", 0});
    model.ma.resize(3);
    model.ma[0].Bmp = shared;
    model.ma[1].Bmp = shared;
    model.ma[2].Bmp = new TCountedBitmap;
    model.ClearImageParts();
    EXPECT_EQ(gFreed, 2);
    EXPECT_TRUE(model.ma.empty() && model.ExtArray.empty());
  }
  EXPECT_EQ(gFreed, 2);

  // Two parts cut from one bitmap that no image file names free it once.
  gFreed = 0;
  {
    TsSkinModel model;
    model.ma.resize(2);
    model.ma[0].Bmp = model.ma[1].Bmp = new TCountedBitmap;
    model.ClearImageParts();
    EXPECT_EQ(gFreed, 1);
  }

  // Copying a state copies its bands.
  TsGenState a;
  a.GradientArray.push_back(TsGradPie{1, 2, 50, 0, 0});
  TsGenState b = a;
  b.GradientArray[0].Color1 = 9;
  EXPECT_EQ(a.GradientArray[0].Color1, 1);
}

TEST(SkinBitmaps, ClipGraphicChildrenLeavesOutVisibleGraphicChildrenOnly) {
  TPanel parent(nullptr);
  parent.SetBounds(0, 0, 20, 10);
  auto place = [&](TControl* c, int left) {
    c->SetParent(&parent);
    c->SetBounds(left, 2, 3, 3);
  };
  TLabel shown(nullptr), hidden(nullptr);
  TPanel windowed(nullptr);
  place(&shown, 1);
  place(&hidden, 6);
  hidden.SetVisible(false);
  place(&windowed, 11);
  for (bool skip : {false, true}) {
    auto bmp = ToBitmap(TPixels(20, 10, 0));
    HDC dc = bmp->Canvas()->Handle();
    const int saved = SaveDC(dc);
    SkipGraphicChildClip = skip;
    ClipGraphicChildren(dc, &parent, true, 1, 1);
    SkipGraphicChildClip = false;
    FillDCRect(dc, TRect(0, 0, 20, 10), 0xFFFFFF);
    RestoreDC(dc, saved);
    GdiFlush();
    const TPixels out = FromBitmap(*bmp);
    EXPECT_EQ(out.At(2, 3) & 0xFFFFFF, skip ? 0xFFFFFFu : 0u);  // shown label, moved by (1, 1)
    EXPECT_EQ(out.At(1, 2) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(out.At(7, 3) & 0xFFFFFF, 0xFFFFFFu);   // hidden label
    EXPECT_EQ(out.At(12, 3) & 0xFFFFFF, 0xFFFFFFu);  // windowed child
  }
  shown.SetParent(nullptr);
  hidden.SetParent(nullptr);
  windowed.SetParent(nullptr);
}
