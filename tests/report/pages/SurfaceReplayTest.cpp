// Pages replayed into a 32-bit DIB, pixels read back.
#include "report/pages/RLCanvasConvert.h"
#include "report/pages/RLGraphicSurface.h"
#include "platform/ui/graphics/Bitmap.h"
#include "platform/ui/graphics/Canvas.h"
#include <gtest/gtest.h>
#include <chrono>
#include <memory>

namespace {
struct Target {
  TBitmap Bitmap;
  Target(int w, int h) {
    Bitmap.SetPixelFormat(pf32bit);
    Bitmap.SetSize(w, h);
    Bitmap.Canvas()->Brush()->SetColor(clWhite);
    Bitmap.Canvas()->FillRect({0, 0, w, h});
  }
  TColor At(int x, int y) { return Bitmap.Canvas()->Pixels(x, y); }
};

std::unique_ptr<TRLGraphicSurface> Page(int w, int h) {
  auto s = std::make_unique<TRLGraphicSurface>();
  s->SetWidth(w);
  s->SetHeight(h);
  s->Open();
  return s;
}

struct Probe {
  int X, Y;
  TColor Color;
};

std::unique_ptr<TBitmap> BlueSquare() {
  auto blue = std::make_unique<TBitmap>();
  blue->SetPixelFormat(pf32bit);
  blue->SetSize(10, 10);
  blue->Canvas()->Brush()->SetColor(clBlue);
  blue->Canvas()->FillRect({0, 0, 10, 10});
  return blue;
}

void ExpectPixels(Target& t, std::initializer_list<Probe> probes, const char* what) {
  for (const Probe& p : probes)
    EXPECT_EQ(t.At(p.X, p.Y), p.Color) << what << " at (" << p.X << ", " << p.Y << ")";
}
}  // namespace

TEST(SurfaceReplay, ShapesLinesAndClipsAtFactorOne) {
  auto s = Page(200, 200);
  s->Brush()->SetColor(clRed);
  s->FillRect({10, 10, 30, 30});
  s->Pen()->SetColor(clBlack);
  s->MoveTo(0, 50);
  s->LineTo(100, 50);
  // A wide dashed line: dashes of 36, gaps of 12.
  s->Pen()->SetStyle(psDash);
  s->Pen()->SetWidth(3);
  s->Brush()->SetStyle(bsClear);
  s->MoveTo(0, 100);
  s->LineTo(100, 100);
  // The same from right to left stays inside its segment.
  s->MoveTo(100, 120);
  s->LineTo(0, 120);
  s->Pen()->SetStyle(psSolid);
  s->Pen()->SetWidth(1);
  s->Brush()->SetStyle(bsSolid);
  s->SetClipRect({50, 150, 60, 160});
  s->Brush()->SetColor(clBlue);
  s->FillRect({40, 140, 70, 170});
  s->ResetClipRect();
  s->Brush()->SetColor(clLime);
  s->FillRect({150, 150, 160, 160});
  s->SetPixels(180, 20, clRed);

  Target t(200, 200);
  s->PaintTo(t.Bitmap.Canvas(), {0, 0, 200, 200});
  ExpectPixels(t, {{20, 20, clRed}, {9, 20, clWhite}, {30, 20, clWhite}}, "fill");
  ExpectPixels(t, {{50, 50, clBlack}, {50, 49, clWhite}}, "thin line");
  ExpectPixels(t, {{18, 100, clBlack}, {42, 100, clWhite}, {66, 100, clBlack}, {90, 100, clWhite}}, "dashes");
  ExpectPixels(t, {{82, 120, clBlack}, {58, 120, clWhite}, {34, 120, clBlack}, {10, 120, clWhite}},
               "dashes leftwards");
  ExpectPixels(t, {{55, 155, clBlue}, {45, 145, clWhite}, {65, 165, clWhite}}, "clipped fill");
  ExpectPixels(t, {{155, 155, clLime}}, "after the clip");
  ExpectPixels(t, {{180, 20, clRed}, {181, 20, clWhite}}, "pixel");
}

TEST(SurfaceReplay, HalfScaleWithOffsets) {
  auto s = Page(200, 200);
  s->Brush()->SetColor(clRed);
  s->FillRect({10, 10, 30, 30});
  s->SetPixels(10, 10, clBlue);  // at 0.5 still one pixel
  s->SetClipRect({100, 100, 120, 120});
  s->Brush()->SetColor(clLime);
  s->FillRect({0, 100, 200, 200});
  s->ResetClipRect();

  Target t(300, 200);
  s->PaintTo(t.Bitmap.Canvas(), {100, 50, 200, 150});
  ExpectPixels(t, {{110, 60, clRed}, {104, 54, clWhite}, {116, 66, clWhite}}, "scaled fill");
  ExpectPixels(t, {{105, 55, clBlue}}, "scaled pixel");
  ExpectPixels(t, {{155, 105, clLime}, {149, 105, clWhite}, {165, 105, clWhite}}, "scaled clip");
  // Nothing outside the target rectangle.
  ExpectPixels(t, {{50, 60, clWhite}, {250, 60, clWhite}}, "outside");
}

TEST(SurfaceReplay, ImagesStretchByWholeWidthsWithParity) {
  std::unique_ptr<TBitmap> blue = BlueSquare();
  auto s = Page(100, 100);
  s->StretchDraw({0, 0, 35, 10}, blue.get(), true);
  s->StretchDraw({0, 20, 35, 30}, blue.get(), false);
  // A damaged image draws nothing and the page goes on.
  dynamic_cast<TRLImageObject*>(s->Objects(1))->SetData("BMPxx");
  s->Brush()->SetColor(clRed);
  s->FillRect({0, 40, 10, 50});

  Target t(100, 100);
  s->PaintTo(t.Bitmap.Canvas(), {0, 0, 100, 100});
  ExpectPixels(t, {{30, 5, clBlue}, {32, 5, clWhite}}, "parity");
  ExpectPixels(t, {{5, 25, clWhite}, {5, 45, clRed}}, "damaged image");
}

TEST(SurfaceReplay, UnbalancedClipObjectsStillPaint) {
  // A reset without a set restores the clip the replay started with.
  auto s = Page(100, 100);
  (new TRLResetClipRectObject(s.get()))->SetBoundsRect({0, 0, 1, 1});
  s->Brush()->SetColor(clRed);
  s->FillRect({10, 10, 20, 20});
  s->SetClipRect({0, 0, 5, 5});  // left open: the paint removes it at the end
  Target t(100, 100);
  EXPECT_NO_THROW(s->PaintTo(t.Bitmap.Canvas(), {0, 0, 100, 100}));
  ExpectPixels(t, {{15, 15, clRed}}, "after the unbalanced reset");
  t.Bitmap.Canvas()->Brush()->SetColor(clLime);
  t.Bitmap.Canvas()->FillRect({50, 50, 60, 60});
  ExpectPixels(t, {{55, 55, clLime}}, "canvas clip removed");
}

TEST(SurfaceReplay, TextsDrawTheirExpandedTextAlignedInTheirBounds) {
  auto s = Page(300, 100);
  s->Font()->SetHeight(-20);
  s->Font()->SetColor(clBlack);
  s->Brush()->SetStyle(bsClear);
  s->Macros()->Add(u"Word=WWWW");
  s->TextRectEx({0, 0, 300, 40}, 0, 0, "{Word}", RLMeta::AlignRight, RLMeta::LayoutTop, 0);
  Target t(300, 100);
  s->PaintTo(t.Bitmap.Canvas(), {0, 0, 300, 100});
  auto inkIn = [&](int x0, int x1) {
    for (int x = x0; x < x1; ++x)
      for (int y = 0; y < 40; ++y)
        if (t.At(x, y) != clWhite) return true;
    return false;
  };
  EXPECT_TRUE(inkIn(200, 300));
  EXPECT_FALSE(inkIn(0, 150));
}

TEST(CanvasConvert, CodesAndFonts) {
  EXPECT_EQ(DecodeMetaPenMode(0), pmCopy);
  EXPECT_EQ(DecodeMetaPenMode(16), pmNotXor);
  EXPECT_EQ(EncodeMetaPenMode(99), 5);
  EXPECT_EQ(EncodeMetaPenStyle(psAlternate), 1);
  EXPECT_EQ(EncodeMetaPenStyle(psInsideFrame), 7);
  EXPECT_EQ(DecodeMetaPenStyle(1), psSolid);
  EXPECT_EQ(DecodeMetaBrushStyle(9), bsSolid);
  EXPECT_EQ(DecodeMetaBrushStyle(2), bsClear);
  EXPECT_EQ(DecodeMetaFontPitch(3), fpFixed);
  EXPECT_EQ(EncodeMetaAlignment(3), RLMeta::AlignJustify);
  EXPECT_EQ(EncodeMetaLayout(1), RLMeta::LayoutCenter);
  EXPECT_EQ(DecodeMetaColor({1, 2, 3}), 0x030201);

  TRLGraphicSurface s;
  s.TextOut(0, 0, "x");
  TRLMetaFont* meta = dynamic_cast<TRLTextObject*>(s.Objects(0))->Font();
  meta->SetSize(10);
  meta->SetPixelsPerInch(96);
  TFont printer;
  printer.SetPixelsPerInch(600);
  DecodeMetaFont(meta, &printer, 6.25);
  EXPECT_EQ(printer.Size(), 10);

  struct PenCase {
    int Width;
    double Factor;
    int Result;
  };
  for (const PenCase& c : {PenCase{0, 0.5, 0}, PenCase{1, 0.1, 1}, PenCase{3, 2.0, 6}}) {
    TRLLineObject line(&s);
    line.Pen()->SetWidth(c.Width);
    line.Pen()->Inflate(c.Factor);
    EXPECT_EQ(line.Pen()->Width(), c.Result) << c.Width << " x " << c.Factor;
  }

  EXPECT_EQ(DecodeMetaGraphic("NIL"), nullptr);
  EXPECT_EQ(DecodeMetaGraphic(""), nullptr);
  EXPECT_EQ(DecodeMetaGraphic("PNG1234"), nullptr);
  EXPECT_EQ(EncodeMetaGraphic(nullptr), "NIL");
}

TEST(CanvasConvert, AlignedTextAndEmptyClips) {
  Target t(200, 100);
  TCanvas* canvas = t.Bitmap.Canvas();
  canvas->Font()->SetHeight(-16);
  CanvasSetClip(canvas, {5, 5, 5, 50});  // no width: no clipping at all
  canvas->Brush()->SetColor(clRed);
  canvas->FillRect({100, 80, 110, 90});
  EXPECT_EQ(t.At(105, 85), clRed);

  // Right-aligned text starts at right - width(text + space) + half a space.
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(clYellow);
  CanvasTextOutAligned(canvas, {0, 0, 100, 20}, 0, 0, RLMeta::TextFlagNoClip, RLMeta::LayoutTop, RLMeta::AlignRight,
                       "abc");
  int left = 100 - canvas->TextWidth(u"abc ") + canvas->TextWidth(u" ") / 2;
  EXPECT_EQ(t.At(left, 2), clYellow);
  EXPECT_EQ(t.At(left - 1, 2), clWhite);
}

TEST(SurfaceReplay, AbsurdSizesPaintAsCheaplyAsThePage) {
  // What a damaged file may hold: pens, shapes and glyphs millions of
  // pixels across, which the platform would draw at a cost growing with
  // their size.
  auto s = Page(100, 100);
  s->TextOut(0, 0, "Wide");
  dynamic_cast<TRLTextObject*>(s->Objects(0))->Font()->SetSize(30000);
  s->Brush()->SetColor(clRed);
  s->Pen()->SetWidth(20000000);
  s->Polygon({{1, 1}, {50, 1}, {25, 40}});
  s->Pen()->SetWidth(3);
  s->Polygon({{-10000000, -10000000}, {10000000, -10000000}, {0, 10000000}});
  s->Ellipse(-10000000, -10000000, 10000000, 10000000);
  Target t(100, 100);
  auto started = std::chrono::steady_clock::now();
  s->PaintTo(t.Bitmap.Canvas(), {0, 0, 100, 100});
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
  ExpectPixels(t, {{50, 50, clRed}, {99, 99, clRed}}, "inside the giant ellipse");
}

// Painting a part of a page, as a zoomed preview box does, must give the
// pixels of the whole page's paint there, including ink that comes in from
// objects lying outside: unclipped text running past its bounds, a thick
// pen around a rectangle.
TEST(SurfaceReplay, PaintingPartOfAPageMatchesTheWholePaint) {
  std::unique_ptr<TBitmap> blue = BlueSquare();
  auto s = Page(300, 200);
  s->Font()->SetHeight(-16);
  s->Font()->SetColor(clBlack);
  s->Brush()->SetStyle(bsClear);
  s->TextRectEx({20, 70, 40, 90}, 20, 70, "WWWWWWWWWWWWWWWWWWWW", RLMeta::AlignLeft, RLMeta::LayoutTop,
                RLMeta::TextFlagNoClip);
  s->TextRectEx({100, 100, 140, 104}, 100, 100, "Tall", RLMeta::AlignLeft, RLMeta::LayoutTop, RLMeta::TextFlagNoClip);
  s->TextRectEx({110, 125, 200, 145}, 110, 125, "clipped text", RLMeta::AlignLeft, RLMeta::LayoutTop, 0);
  s->TextOut(10, 180, "far below");
  s->Pen()->SetColor(clRed);
  s->Pen()->SetWidth(12);
  s->Rectangle(60, 20, 118, 58);
  s->Ellipse(215, 90, 240, 150);
  s->Pen()->SetWidth(1);
  s->Brush()->SetStyle(bsSolid);
  s->Brush()->SetColor(clLime);
  s->FillRect({0, 0, 10, 10});
  s->FillRect({150, 60, 160, 70});
  s->StretchDraw({200, 130, 260, 160}, blue.get());
  s->StretchDraw({250, 10, 290, 30}, blue.get());

  struct View {
    int Factor, X, Y;
  };
  for (const View& v : {View{1, 120, 60}, View{2, 240, 120}, View{2, 30, 100}}) {
    Target whole(300 * v.Factor, 200 * v.Factor);
    s->PaintTo(whole.Bitmap.Canvas(), {0, 0, 300 * v.Factor, 200 * v.Factor});
    Target part(100, 80);
    HDC dc = part.Bitmap.Canvas()->Handle();
    SetWindowOrgEx(dc, v.X, v.Y, nullptr);
    s->PaintTo(part.Bitmap.Canvas(), {0, 0, 300 * v.Factor, 200 * v.Factor});
    SetWindowOrgEx(dc, 0, 0, nullptr);
    int differing = 0, ink = 0;
    for (int y = 0; y < 80; ++y)
      for (int x = 0; x < 100; ++x) {
        const TColor expected = whole.At(x + v.X, y + v.Y);
        if (expected != clWhite) ++ink;
        if (part.At(x, y) != expected) ++differing;
      }
    EXPECT_EQ(differing, 0) << "factor " << v.Factor << " at (" << v.X << ", " << v.Y << ")";
    EXPECT_GT(ink, 0) << "factor " << v.Factor << " at (" << v.X << ", " << v.Y << ")";
  }
}
