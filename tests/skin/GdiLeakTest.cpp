// Every routine that makes GDI objects deletes them on every path. This
// Wine's per-process GDI table holds about 65,000 objects: the table is
// filled up to a small headroom first, so that each routine, run more times
// than the headroom, would exhaust it by leaking one object per call; a new
// object must still be made afterwards.
#include "SkinTestSupport.h"
#include "skin/support/GdiTableFill.h"
#include "skin/graphics/AlphaCopy.h"
#include "skin/graphics/DCDrawing.h"
#include "skin/graphics/GlyphPaint.h"
#include "skin/graphics/LayeredWindows.h"
#include "skin/graphics/LibUtils.h"
#include "skin/graphics/Pixels32.h"
#include "skin/graphics/Regions.h"
#include "skin/graphics/Shapes.h"
#include <gtest/gtest.h>
#include <functional>
#include <vector>

namespace {
constexpr int kHeadroom = 2000;
constexpr int kRuns = kHeadroom + 1000;


struct TRoutine {
  const char* Name;
  std::function<void()> Run;
};

void RunAll(const std::vector<TRoutine>& routines) {
  for (const auto& r : routines) {
    TGdiTableFill fill(kHeadroom);
    ASSERT_TRUE(fill.Filled());
    ASSERT_GT(fill.Count(), 50000u);
    for (int i = 0; i < kRuns; ++i) r.Run();
    EXPECT_TRUE(TGdiTableFill::HasRoom()) << r.Name;
    HBITMAP bitmap = CreateBitmap(2, 2, 1, 32, nullptr);
    EXPECT_NE(bitmap, nullptr) << r.Name;
    DeleteObject(bitmap);
  }
}
}  // namespace

TEST(SkinGdi, DeviceContextRoutinesFreeTheirObjects) {
  auto target = ToBitmap(TPixels(8, 8, 0));
  HDC dc = target->Canvas()->Handle();
  TPixels keyed = RandomImage(6, 6, 3);
  auto keyedBmp = ToBitmap(keyed);
  RunAll({
      {"FillDCRect", [&] { FillDCRect(dc, TRect(0, 0, 4, 4), 0x00FF00); }},
      {"FillDCFrame", [&] { FillDCFrame(dc, TRect(0, 0, 8, 8), 1, 1, 1, 1, clBtnFace); }},
      {"DrawNestedFrames",
       [&] {
         TRect r(0, 0, 8, 8);
         int count = 2;
         DrawNestedFrames(dc, r, 0xFFFFFF, count, 0);
       }},
      {"RegionFromBmp",
       [&] {
         HRGN region = nullptr;
         RegionFromBmp(region, *keyedBmp, KeyColor);
         DeleteObject(region);
       }},
      {"NewCaptionFont", [] { DeleteObject(NewCaptionFont()); }},
  });
}

TEST(SkinGdi, BitmapRoutinesFreeTheirObjects) {
  auto target = ToBitmap(TPixels(8, 8, 0xFF000000));
  auto glyph = ToBitmap(RandomImage(8, 4, 4));
  auto image = ToBitmap(RandomImage(6, 6, 5));
  RunAll({
      {"NewBmp32", [] { NewBmp32(4, 4); }},
      {"CloneBmp",
       [&] {
         TBitmap copy;
         CloneBmp(copy, *image);
       }},
      {"CopyMaskImagePart", [&] { CopyMaskImagePart(*image, TRect(0, 0, 6, 6)); }},
      {"PaintRoundShadow", [&] { PaintRoundShadow(*target, TRect(0, 0, 8, 8), 50, 0, 2, 3); }},
      {"DrawBmp32OnCanvas scaled", [&] { DrawBmp32OnCanvas(*target->Canvas(), *image, TRect(0, 0, 5, 3)); }},
      {"PaintStateGlyph", [&] { PaintStateGlyph(*glyph, *target, TRect(0, 0, 2, 4), 4, true, 2, 0, 1, true); }},
  });
}

TEST(SkinGdi, IconAndLayeredWindowRoutinesFreeTheirObjects) {
  auto image = ToBitmap(RandomImage(4, 4, 6));
  HWND wnd = CreateWindowExW(0, reinterpret_cast<LPCWSTR>(u"STATIC"), nullptr, WS_POPUP, 0, 0, 4, 4, nullptr,
                             nullptr, nullptr, nullptr);
  ASSERT_NE(wnd, nullptr);
  RunAll({
      {"IconFromBmp", [&] { DestroyIcon(IconFromBmp(*image)); }},
      {"BmpToIcon", [&] { DestroyIcon(BmpToIcon(*image)); }},
      {"UpdateLayeredWnd", [&] { UpdateLayeredWnd(wnd, nullptr, 200, nullptr); }},
  });
  DestroyWindow(wnd);
}
