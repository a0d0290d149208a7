// Pixel helpers, opacity blends, mixes, key copies and glyph frames.
#include "SkinTestSupport.h"
#include "skin/graphics/AlphaCopy.h"
#include "skin/graphics/Blends.h"
#include "skin/graphics/GlyphPaint.h"
#include "skin/graphics/LibUtils.h"
#include "skin/graphics/Pixels32.h"
#include "skin/graphics/SkinData.h"
#include <gtest/gtest.h>
#include <tuple>

TEST(SkinPixels, SinglePixelsCheckRowAndColumn) {
  auto bmp = ToBitmap(TPixels(3, 2, 0));
  SetPixel32(*bmp, 2, 1, 0x12345678);
  EXPECT_EQ(Pixel32(*bmp, 2, 1), 0x12345678u);
  EXPECT_THROW(Pixel32(*bmp, 3, 0), EInvalidGraphicOperation);
  EXPECT_THROW(Pixel32(*bmp, -1, 0), EInvalidGraphicOperation);
  EXPECT_THROW(SetPixel32(*bmp, 0, 2, 0), EInvalidGraphicOperation);
}

TEST(SkinPixels, FillsAlphaAndPremultiply) {
  auto bmp = ToBitmap(TPixels(4, 3, 0xFFFFFFFF));
  FillRect32(*bmp, TRect(-1, -1, 2, 2), 0, 0);
  EXPECT_EQ(Pixel32(*bmp, 1, 1), 0u);
  EXPECT_EQ(Pixel32(*bmp, 2, 1), 0xFFFFFFFFu);
  FillRect32(*bmp, TRect(3, 2, 9, 9), 0x0000FF, 0x80);
  EXPECT_EQ(Pixel32(*bmp, 3, 2), 0x80FF0000u);

  auto frame = ToBitmap(TPixels(5, 5, 0));
  FillFrame32(*frame, TRect(0, 0, 5, 5), 1, 1, 2, 1, 0xFF0000);
  EXPECT_EQ(Pixel32(*frame, 0, 4), 0xFF0000FFu);
  EXPECT_EQ(Pixel32(*frame, 3, 2), 0xFF0000FFu);
  EXPECT_EQ(Pixel32(*frame, 2, 2), 0u);

  // A skip value spares exactly that value, alpha included.
  TPixels img(3, 1);
  img.At(0, 0) = 0x00FF00FF;
  img.At(1, 0) = 0x80FF00FF;
  img.At(2, 0) = 0x00123456;
  auto keyed = ToBitmap(img);
  SetRectAlpha(*keyed, TRect(0, 0, 3, 1), 0xFF, 0x00FF00FF);
  EXPECT_EQ(FromBitmap(*keyed).P, (std::vector<uint32_t>{0x00FF00FF, 0xFFFF00FF, 0xFF123456}));
  SetRectAlpha(*keyed, TRect(0, 0, 9, 9), 0x10, ColorNone);
  EXPECT_EQ(Pixel32(*keyed, 0, 0), 0x10FF00FFu);

  img = TPixels(3, 1);
  img.At(0, 0) = 0x80FF0000;  // red at alpha 128
  img.At(1, 0) = 0x00FFFFFF;  // white at alpha 0
  img.At(2, 0) = 0xFF804020;
  auto pre = ToBitmap(img);
  PremultiplyBmp(*pre);
  EXPECT_EQ(FromBitmap(*pre).P, (std::vector<uint32_t>{0x807F0000, 0, 0xFF7F3F1F}));
  auto white = ToBitmap(TPixels(2, 1, 0x00FFFFFF));
  SetPixel32(*white, 1, 0, 0x01FFFFFF);
  ZeroWhitePixels(*white);
  EXPECT_EQ(FromBitmap(*white).P, (std::vector<uint32_t>{0, 0x01FFFFFF}));
}

TEST(SkinPixels, BlendRectWithColorIsInclusiveAndRoundsHalfToEven) {
  struct Row {
    uint8_t Percent;
    uint32_t Pixel;
    TColor Color;
    uint32_t Expected;
  };
  const Row rows[] = {
      {100, 0x7F102030, 0xFFFFFF, 0x7F102030},
      {0, 0x7F102030, 0x0000FF, 0x7FFF0000},
      {50, 0x00000001, 0x000000, 0x00000000},  // 0.5 goes to 0
      {50, 0x00000003, 0x000000, 0x00000002},  // 1.5 goes to 2
      {40, 0x00FFFFFF, 0x000000, 0x00666666},
  };
  for (const auto& r : rows) {
    auto bmp = ToBitmap(TPixels(1, 1, r.Pixel));
    BlendRectWithColor(*bmp, TRect(0, 0, 0, 0), r.Percent, r.Color);
    EXPECT_EQ(Pixel32(*bmp, 0, 0), r.Expected) << int(r.Percent);
  }
  auto bmp = ToBitmap(TPixels(12, 12, 0));
  BlendRectWithColor(*bmp, TRect(0, 0, 9, 9), 0, 0xFFFFFF);
  int painted = 0;
  for (uint32_t p : FromBitmap(*bmp).P) painted += p == 0x00FFFFFF;
  EXPECT_EQ(painted, 100);
}

TEST(SkinPixels, ByteOrderRoutines) {
  EXPECT_EQ(ColorToPixel(0x11223344), 0x11443322u);
  EXPECT_EQ(SwapRedAndBlue(0x00FF00FF), 0x00FF00FFu);
  EXPECT_EQ(ByteSwap32(0x11223344), 0x44332211u);
  uint32_t values[3] = {0x01020304, 0xA0B0C0D0, 0};
  ByteSwapArray32(values, 2);
  EXPECT_EQ(values[0], 0x04030201u);
  EXPECT_EQ(values[1], 0xD0C0B0A0u);
  FillLongword(values, -1, 7);
  EXPECT_EQ(values[0], 0x04030201u);
  FillLongword(values, 3, 7);
  EXPECT_EQ(values[2], 7u);
}

TEST(SkinPixels, CopyUnderKeyColorRestoresOnlyKeyPixels) {
  TPixels target(3, 2, 0xFF000000);
  target.At(1, 0) = 0x00FF00FF;
  target.At(2, 1) = 0xFFFF00FF;  // alpha does not count
  const TPixels source = RandomImage(4, 3, 5);
  auto d = ToBitmap(target);
  auto s = ToBitmap(source);
  CopyUnderKeyColor(*d, *s, TRect(0, 0, 3, 2), TRect(1, 1, 4, 3), -1, nullptr, 13);
  TPixels expected = target;
  expected.At(1, 0) = source.At(2, 1);
  expected.At(2, 1) = source.At(3, 2);
  EXPECT_EQ(FromBitmap(*d).P, expected.P);
}

namespace {
TsSkinModel* gPartModel = nullptr;
TsSkinModel* PartModel(TsSkinManager*) { return gPartModel; }
}  // namespace

TEST(SkinPixels, CopyUnderKeyColorTakesTheCornerOfAnImagePart) {
  // Frame 0 of a 2-frame, 8 x 6 part (over its mask) with margins 2: one
  // key pixel at the inner end of each corner.
  TsSkinModel model;
  TPixels master(16, 12, 0xFF808080);
  master.At(1, 1) = master.At(6, 1) = master.At(1, 4) = master.At(6, 4) = 0x00FF00FF;
  model.MasterBitmap = ToBitmap(master);
  TsMaskData md;
  md.R = TRect(0, 0, 16, 12);
  md.ImageCount = 2;
  md.MaskType = 1;
  md.WL = md.WT = md.WR = md.WB = 2;
  model.ma.push_back(md);
  gPartModel = &model;
  ModelOfManager = PartModel;
  auto* manager = reinterpret_cast<TsSkinManager*>(&model);
  struct Row {
    int Code;
    TPoint Key;  // block position of the corner's key pixel
  };
  const Row rows[] = {{13, {1, 1}}, {14, {0, 1}}, {16, {1, 0}}, {17, {0, 0}}, {99, {1, 1}}};
  for (const auto& r : rows) {
    auto d = ToBitmap(TPixels(2, 2, 0xFF000000));
    auto s = ToBitmap(TPixels(2, 2, 0xFFFFFFFF));
    CopyUnderKeyColor(*d, *s, TRect(0, 0, 2, 2), TRect(0, 0, 2, 2), 0, manager, r.Code);
    TPixels expected(2, 2, 0xFF000000);
    expected.At(r.Key.X, r.Key.Y) = 0xFFFFFFFF;
    EXPECT_EQ(FromBitmap(*d).P, expected.P) << r.Code;
  }
  ModelOfManager = nullptr;
  gPartModel = nullptr;
}

TEST(SkinPixels, IconsAreTransparentWhereTheKeyIs) {
  TPixels img(4, 4, 0xFF204080);
  img.At(0, 0) = img.At(3, 2) = 0x00FF00FF;
  for (int which = 0; which < 2; ++which) {
    auto bmp = ToBitmap(img);
    HICON icon = which == 0 ? IconFromBmp(*bmp) : BmpToIcon(*bmp);
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, info.hbmMask);
    EXPECT_EQ(GetPixel(dc, 3, 2), RGB(255, 255, 255)) << which;
    EXPECT_EQ(GetPixel(dc, 1, 1), RGB(0, 0, 0)) << which;
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    DestroyIcon(icon);
  }
}

TEST(SkinBlends, OpacityBlendsAndMixes) {
  const TPixels a = RandomImage(5, 4, 21), b = RandomImage(5, 4, 22);
  auto d = ToBitmap(a);
  auto s = ToBitmap(b);
  BlendBmpRect(*d, *s, 0, TPoint(0, 0), BmpRect(*s));
  EXPECT_EQ(FromBitmap(*d).P, b.P);
  d = ToBitmap(a);
  BlendBmpRect(*d, *s, 128, TPoint(0, 0), BmpRect(*s));
  const TPixels half = FromBitmap(*d);
  for (int i = 0; i < 20; ++i)
    for (int k = 0; k < 4; ++k) EXPECT_EQ(Ch(half.P[i], k), (Ch(a.P[i], k) + Ch(b.P[i], k)) / 2);
  // A negative target point shifts the source.
  d = ToBitmap(a);
  BlendBmpRect(*d, *s, 0, TPoint(-2, -1), BmpRect(*s));
  EXPECT_EQ(Pixel32(*d, 0, 0), b.At(2, 1));
  EXPECT_EQ(Pixel32(*d, 2, 2), b.At(4, 3));
  EXPECT_EQ(Pixel32(*d, 3, 3), a.At(3, 3));

  // CopyBmpBlended at X = -5 starts with the sixth source column.
  TPixels wide(8, 1);
  for (int x = 0; x < 8; ++x) wide.At(x, 0) = static_cast<uint32_t>(0x10 * x);
  wide.At(6, 0) = 0x00FF00FF;
  d = ToBitmap(TPixels(4, 1, 0x7F000000));
  CopyBmpBlended(*d, -5, 0, *ToBitmap(wide), TRect(0, 0, 7, 0), 0.0, KeyColor);
  EXPECT_EQ(FromBitmap(*d).P, (std::vector<uint32_t>{0x7F000050, 0x7F000000, 0x7F000070, 0x7F000000}));

  d = ToBitmap(a);
  MixBitmaps(*d, *ToBitmap(a), *s, nullptr, 0);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(FromBitmap(*d).P[i] & 0xFFFFFF, b.P[i] & 0xFFFFFF);
  // A target smaller than the sources is refused.
  auto tiny = ToBitmap(TPixels(2, 2, 0x11));
  MixBitmaps(*tiny, *ToBitmap(a), *s, nullptr, 0);
  EXPECT_EQ(Pixel32(*tiny, 1, 1), 0x11u);

  auto tint = ToBitmap(TPixels(2, 1, 0xFF808080));
  TPixels mask(2, 1, 0x00FFFFFF);
  mask.At(1, 0) = 0;
  TintBmpByMask(*tint, *ToBitmap(mask), 0x0000FF);
  // White keeps (almost) the target: the shift is by 256.
  EXPECT_EQ(FromBitmap(*tint).P, (std::vector<uint32_t>{0xFF807F7F, 0xFFFF0000}));
  TintBmpByMask(*tint, *ToBitmap(TPixels(3, 1)), 0);
  EXPECT_EQ(Pixel32(*tint, 0, 0), 0xFF807F7Fu);

  auto mix = ToBitmap(TPixels(2, 1, 0xFF000000));
  SetPixel32(*mix, 1, 0, 0x00FF00FF);
  MixBmpWithColor(*mix, 0xFFFFFF, 0.5);
  EXPECT_EQ(FromBitmap(*mix).P, (std::vector<uint32_t>{0xFF7F7F7F, 0x00FF00FF}));
}

TEST(SkinBlends, KeyCopies) {
  TPixels src(3, 1);
  src.At(0, 0) = 0x80FF00FF;  // matches only a key with that exact alpha
  src.At(1, 0) = 0x00FF00FF;
  src.At(2, 0) = 0x11223344;
  const TPixels parent = RandomImage(4, 4, 9);
  auto parentBmp = ToBitmap(parent);
  struct Row {
    const char* Name;
    uint32_t Key;
    bool Ready, FillKey;
    std::vector<uint32_t> Expected;
  };
  const uint32_t t = 0x55555555;
  const Row rows[] = {
      {"alpha key, no parent", 0x80FF00FF, false, false, {0x00563412, 0x00FF00FF, 0x11223344}},
      {"plain key, parent ready", 0x00FF00FF, true, false, {0x80FF00FF, t, 0x11223344}},
      {"parent fills keys", 0x00FF00FF, true, true, {0x80FF00FF, parent.At(2, 1), 0x11223344}},
  };
  for (const auto& r : rows) {
    auto d = ToBitmap(TPixels(3, 1, t));
    TCacheInfo ci{parentBmp.get(), 1, 1, 0x00123456, TRect(), r.Ready};
    CopyRectByKey(*d, *ToBitmap(src), 0, 0, TRect(0, 0, 2, 0), r.Key, ci, r.FillKey);
    EXPECT_EQ(FromBitmap(*d).P, r.Expected) << r.Name;
  }
  auto d = ToBitmap(TPixels(4, 1, t));
  CopyRectExceptKey(*d, *ToBitmap(src), 2, 0, TRect(-1, 0, 2, 0), KeyColor);
  EXPECT_EQ(FromBitmap(*d).P, (std::vector<uint32_t>{t, t, 0x80FF00FF, t}));
}

TEST(SkinBlends, StateGlyphFramesAndReflection) {
  // Four frames of 2 x 2, each a colour of its own; the bottom-left pixel
  // of each is the key.
  TPixels glyph(8, 2);
  for (int f = 0; f < 4; ++f)
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 2; ++x) glyph.At(f * 2 + x, y) = y == 1 && x == 0 ? 0x00FF00FF : 0xFF000010u * (f + 1);
  auto g = ToBitmap(glyph);
  struct Row {
    int FrameCount, Mode, State;
    bool Enabled;
    int Frame;
  };
  const Row rows[] = {
      {4, 2, 1, true, 3}, {4, 2, 3, true, 0}, {4, 0, 1, true, 0}, {4, 3, 0, true, 2},
      {4, 2, 1, false, 0}, {4, 1, 0, true, 0}, {0, 2, 1, true, 0}, {-1, 1, 0, true, 0},
  };
  for (const auto& r : rows) {
    auto d = ToBitmap(TPixels(4, 4, 0));
    const int frames = r.FrameCount < 1 ? 1 : r.FrameCount;
    PaintStateGlyph(*g, *d, TRect(1, 1, 3, 3), r.FrameCount, r.Enabled, r.Mode, 0, r.State, false);
    EXPECT_EQ(Pixel32(*d, 1, 1), glyph.At(r.Frame * (8 / frames), 0)) << r.FrameCount << " " << r.Mode;
    EXPECT_EQ(Pixel32(*d, 1, 2), 0u);
  }
  // With a default manager that keeps the glyphs' own order, mode 1 takes
  // frame 1 and mode 2 past the last frame falls back to frame 1.
  DefaultGlyphsInStdOrder = [] { return false; };
  for (const auto& [mode, state, frame] : {std::tuple{1, 0, 1}, std::tuple{2, 5, 1}}) {
    auto d = ToBitmap(TPixels(4, 4, 0));
    PaintStateGlyph(*g, *d, TRect(1, 1, 3, 3), 4, true, mode, 0, state, false);
    EXPECT_EQ(Pixel32(*d, 1, 1), glyph.At(frame * 2, 0)) << mode;
  }
  DefaultGlyphsInStdOrder = nullptr;

  // A reflection below the glyph fades it in upside down over 2/3 of its height.
  TPixels tall(4, 6, 0xFF0000F0);
  tall.At(0, 5) = tall.At(2, 5) = 0x00FF00FF;
  auto d = ToBitmap(TPixels(4, 14, 0xFF000000));
  PaintStateGlyph(*ToBitmap(tall), *d, TRect(0, 0, 2, 6), 2, true, 0, 0, 0, true);
  EXPECT_EQ(Pixel32(*d, 0, 6), 0xFF000000u);  // the key is not reflected
  EXPECT_EQ(Pixel32(*d, 1, 6), 0xFF000077u);  // (255 x 255 div 512) = 127 of 256
  EXPECT_EQ(Pixel32(*d, 1, 9), 0xFF000000u);  // faded out after N = 3 rows
}

TEST(SkinBlends, DrawBmp32OnCanvasBlendsByAlphaAndScales) {
  const TPixels back = RandomImage(8, 6, 41), over = RandomImage(4, 3, 42);
  auto canvasBmp = ToBitmap(back);
  auto overBmp = ToBitmap(over);
  DrawBmp32OnCanvas(*canvasBmp->Canvas(), *overBmp, TRect(2, 1, 6, 4));
  GdiFlush();
  auto expected = ToBitmap(back);
  AlphaCopy32(TRect(2, 1, 6, 4), TRect(0, 0, 4, 3), *expected, overBmp.get(), EmptyCacheInfo, false);
  EXPECT_EQ(FromBitmap(*canvasBmp).P, FromBitmap(*expected).P);

  // Scaled: an opaque picture twice its size covers the rectangle with its
  // own colours; a transparent one leaves the canvas.
  auto opaque = ToBitmap(TPixels(2, 2, 0xFF336699));
  auto clear = ToBitmap(TPixels(2, 2, 0x00336699));
  auto target = ToBitmap(TPixels(6, 6, 0xFF000000));
  DrawBmp32OnCanvas(*target->Canvas(), *opaque, TRect(0, 0, 4, 4));
  DrawBmp32OnCanvas(*target->Canvas(), *clear, TRect(2, 2, 6, 6));
  GdiFlush();
  EXPECT_EQ(Pixel32(*target, 3, 3) & 0xFFFFFF, 0x336699u - 0x010101u);
  EXPECT_EQ(Pixel32(*target, 5, 5), 0xFF000000u);
}
