#include "platform/ui/graphics/Graphics.h"
#include <gtest/gtest.h>
#include <algorithm>

namespace {

uint32_t Pixel32(TBitmap& bmp, int x, int y) { return static_cast<uint32_t*>(bmp.ScanLine(y))[x] & 0xFFFFFF; }

std::unique_ptr<TBitmap> WhiteBitmap(int w, int h) {
  auto bmp = std::make_unique<TBitmap>();
  bmp->SetPixelFormat(pf32bit);
  bmp->SetSize(w, h);
  bmp->Canvas()->Brush()->SetColor(clWhite);
  bmp->Canvas()->FillRect(Rect(0, 0, w, h));
  return bmp;
}

}  // namespace

TEST(Canvas, FillRectLineAndPixelsLandInTheBitmap) {
  auto bmp = WhiteBitmap(40, 30);
  TCanvas* c = bmp->Canvas();
  c->Brush()->SetColor(clRed);
  c->FillRect(Rect(5, 5, 15, 10));
  c->Pen()->SetColor(clBlue);
  c->MoveTo(0, 20);
  c->LineTo(40, 20);
  c->SetPixels(39, 0, clLime);

  EXPECT_EQ(Pixel32(*bmp, 5, 5), 0xFF0000u);    // red as 0x00RRGGBB in memory
  EXPECT_EQ(Pixel32(*bmp, 14, 9), 0xFF0000u);
  EXPECT_EQ(Pixel32(*bmp, 15, 10), 0xFFFFFFu);  // right and bottom edges excluded
  EXPECT_EQ(Pixel32(*bmp, 0, 20), 0x0000FFu);
  EXPECT_EQ(Pixel32(*bmp, 39, 20), 0x0000FFu);
  EXPECT_EQ(c->PenPos(), Point(40, 20));
  EXPECT_EQ(c->Pixels(39, 0), clLime);
  EXPECT_EQ(c->Pixels(5, 5), clRed);
}

TEST(Canvas, SystemColoursAreResolvedWhenSelected) {
  auto bmp = WhiteBitmap(4, 4);
  bmp->Canvas()->Brush()->SetColor(clBtnFace);
  bmp->Canvas()->FillRect(Rect(0, 0, 4, 4));
  EXPECT_EQ(bmp->Canvas()->Pixels(1, 1), ColorToRGB(clBtnFace));
  EXPECT_EQ(ColorToRGB(clBtnFace), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
  EXPECT_EQ(ColorToRGB(clRed), clRed);
}

TEST(Canvas, TextIsDrawnAndMeasured) {
  auto bmp = WhiteBitmap(120, 40);
  TCanvas* c = bmp->Canvas();
  c->Font()->SetColor(clBlack);
  c->Font()->SetSize(12);
  TSize size = c->TextExtent(u"Recebimento");
  EXPECT_GT(size.cx, 20);
  EXPECT_GT(size.cy, 8);
  EXPECT_EQ(c->TextWidth(u"Recebimento"), size.cx);
  c->Brush()->SetStyle(bsClear);
  c->TextOut(2, 2, u"Recebimento");
  EXPECT_EQ(c->PenPos(), Point(2 + size.cx, 2));
  int dark = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 120; ++x) dark += Pixel32(*bmp, x, y) != 0xFFFFFFu;
  EXPECT_GT(dark, 20);

  // Bold text is wider: a font change reaches the DC on the next use.
  c->Font()->SetStyle({fsBold});
  EXPECT_GT(c->TextWidth(u"Recebimento"), size.cx);
}

TEST(Canvas, TextRectAlignsAndMeasures) {
  auto bmp = WhiteBitmap(200, 30);
  TCanvas* c = bmp->Canvas();
  c->Font()->SetColor(clBlack);
  c->Brush()->SetStyle(bsClear);
  TRect measured = Rect(0, 0, 200, 30);
  c->TextRect(measured, u"Total", tfCalcRect | tfSingleLine);
  EXPECT_EQ(measured.Width(), c->TextWidth(u"Total"));

  TRect box = Rect(0, 0, 200, 30);
  c->TextRect(box, u"Total", tfRight | tfVerticalCenter | tfSingleLine);
  int leftmost = 200;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 200; ++x)
      if (Pixel32(*bmp, x, y) != 0xFFFFFFu) leftmost = std::min(leftmost, x);
  EXPECT_GE(leftmost, 200 - measured.Width() - 1);
  EXPECT_LT(leftmost, 200);

  // The clipped form fills its rectangle when the brush is solid and draws
  // nothing outside it.
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(clYellow);
  c->TextRect(Rect(10, 0, 20, 30), 10, 5, u"WWWWWWWW");
  EXPECT_EQ(c->Pixels(11, 1), clYellow);
  EXPECT_EQ(c->Pixels(25, 8), clWhite);
}

TEST(Canvas, ForeignDcGetsItsOwnObjectsBackAndCopyRectStretches) {
  auto source = WhiteBitmap(2, 2);
  source->Canvas()->SetPixels(1, 1, clRed);

  HDC dc = CreateCompatibleDC(nullptr);
  TBitmap target;
  target.SetPixelFormat(pf32bit);
  target.SetSize(4, 4);
  target.Dormant();
  HGDIOBJ oldBitmap = SelectObject(dc, target.Handle());
  HGDIOBJ ownFont = GetCurrentObject(dc, OBJ_FONT);
  HGDIOBJ ownBrush = GetCurrentObject(dc, OBJ_BRUSH);
  {
    TCanvas canvas;
    canvas.SetHandle(dc);
    canvas.Font()->SetName(u"Arial");
    canvas.TextWidth(u"x");
    canvas.Brush()->SetColor(clGreen);
    canvas.FillRect(Rect(0, 0, 4, 4));
    EXPECT_NE(GetCurrentObject(dc, OBJ_FONT), ownFont);
    canvas.Font()->SetSize(20);  // the selected font is swapped out before it is freed
    canvas.CopyRect(Rect(0, 0, 4, 4), source->Canvas(), Rect(0, 0, 2, 2));
    EXPECT_EQ(canvas.Pixels(3, 3), clRed);
    EXPECT_EQ(canvas.Pixels(0, 0), clWhite);
    canvas.SetHandle(nullptr);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), ownFont);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), ownBrush);
  }
  SelectObject(dc, oldBitmap);
  DeleteDC(dc);
}
