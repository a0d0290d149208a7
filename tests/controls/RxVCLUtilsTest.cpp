#include "controls/RxVCLUtils.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<TBitmap> Filled(int w, int h, TColor color) {
  auto b = std::make_unique<TBitmap>();
  b->SetSize(w, h);
  b->Canvas()->Brush()->SetColor(color);
  b->Canvas()->FillRect(Rect(0, 0, w, h));
  return b;
}

TColor At(TBitmap* b, int x, int y) { return b->Canvas()->Pixels(x, y) & 0xFFFFFF; }

}  // namespace

TEST(RxVCLUtils, BlitTransparentKeepsTheDestinationUnderTheKeyColour) {
  // A magenta glyph with a red 2 x 2 square at (1, 1).
  auto glyph = Filled(4, 4, clFuchsia);
  glyph->Canvas()->Brush()->SetColor(clRed);
  glyph->Canvas()->FillRect(Rect(1, 1, 3, 3));

  auto dest = Filled(10, 10, clBlue);
  DrawBitmapTransparent(dest->Canvas(), 2, 2, glyph.get(), clFuchsia);
  EXPECT_EQ(clBlue, At(dest.get(), 2, 2));
  EXPECT_EQ(clRed, At(dest.get(), 3, 3));
  EXPECT_EQ(clRed, At(dest.get(), 4, 4));
  EXPECT_EQ(clBlue, At(dest.get(), 5, 5));
  EXPECT_EQ(clBlue, At(dest.get(), 0, 0));

  // Stretched twice as large; the default key is the bottom-left pixel.
  auto stretched = Filled(10, 10, clBlue);
  BlitTransparent(stretched->Canvas(), 0, 0, 8, 8, glyph.get(), 0, 0, 0, 0, clDefault);
  EXPECT_EQ(clBlue, At(stretched.get(), 1, 1));
  EXPECT_EQ(clRed, At(stretched.get(), 2, 2));
  EXPECT_EQ(clRed, At(stretched.get(), 5, 5));
  EXPECT_EQ(clBlue, At(stretched.get(), 6, 6));

  // clNone copies everything.
  auto plain = Filled(10, 10, clBlue);
  BlitTransparent(plain->Canvas(), 0, 0, 0, 0, glyph.get(), 0, 0, 0, 0, clNone);
  EXPECT_EQ(clFuchsia, At(plain.get(), 0, 0));
  EXPECT_EQ(clRed, At(plain.get(), 1, 1));
  EXPECT_EQ(clBlue, At(plain.get(), 4, 4));
}

TEST(RxVCLUtils, DisabledBitmapIsEmbossedOutline) {
  auto glyph = Filled(5, 5, clWhite);
  glyph->Canvas()->SetPixels(1, 1, clBlack);
  glyph->Canvas()->SetPixels(2, 1, clBlack);
  auto disabled = MakeDisabledBitmap(glyph.get(), clBlack, clSilver, true, clGray, clYellow);
  ASSERT_EQ(5, disabled->Width());
  EXPECT_EQ(clGray, At(disabled.get(), 1, 1));
  EXPECT_EQ(clGray, At(disabled.get(), 2, 1));
  EXPECT_EQ(clYellow, At(disabled.get(), 2, 2));  // highlight of (1, 1)
  EXPECT_EQ(clYellow, At(disabled.get(), 3, 2));
  EXPECT_EQ(clSilver, At(disabled.get(), 0, 0));
  EXPECT_EQ(clSilver, At(disabled.get(), 4, 4));

  auto flat = MakeDisabledBitmap(glyph.get(), clBlack, clSilver, false, clGray, clYellow);
  EXPECT_EQ(clSilver, At(flat.get(), 3, 2));
  EXPECT_EQ(clGray, At(flat.get(), 2, 1));
}

TEST(RxVCLUtils, MemoryBlocksAndColours) {
  void* block = AllocZeroedBlock(64);
  ASSERT_NE(nullptr, block);
  for (int i = 0; i < 64; ++i) EXPECT_EQ(0, static_cast<unsigned char*>(block)[i]);
  FreeBlock(block);
  EXPECT_EQ(nullptr, block);
  EXPECT_EQ(nullptr, AllocZeroedBlock(0));
  EXPECT_EQ(0x020000FF, PaletteRelativeColor(clRed));
  EXPECT_EQ(30, RectWidth(Rect(10, 5, 40, 25)));
  EXPECT_EQ(20, RectHeight(Rect(10, 5, 40, 25)));
}

namespace {

// Whether some pixel of r has the colour.
bool InkIn(TBitmap* b, const TRect& r, TColor colour) {
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x)
      if (At(b, x, y) == colour) return true;
  return false;
}

void UseCellFont(TCanvas* c) {
  c->Font()->SetName(u"Tahoma");
  c->Font()->SetHeight(-11);
  c->Font()->SetColor(clBlack);
  c->Brush()->SetColor(clWhite);
}

}  // namespace

TEST(RxVCLUtils, WriteCellTextAlignsAndWraps) {
  auto dest = Filled(220, 40, clBlue);
  TCanvas* c = dest->Canvas();
  UseCellFont(c);
  // A multi-line text goes through the shared bitmap: both lines show, the
  // cell is filled with the brush and nothing outside it changes.
  WriteCellText(c, Rect(0, 0, 100, 30), 2, 1, u"Um\r\nDois", taLeftJustify, false, false);
  EXPECT_TRUE(InkIn(dest.get(), Rect(0, 0, 100, 14), clBlack));
  EXPECT_TRUE(InkIn(dest.get(), Rect(0, 14, 100, 30), clBlack));
  EXPECT_EQ(clWhite, At(dest.get(), 99, 29));
  EXPECT_EQ(clBlue, At(dest.get(), 100, 29));
  EXPECT_EQ(clBlue, At(dest.get(), 50, 30));

  // Single line, right-aligned: the text ends 3 pixels before the edge.
  WriteCellText(c, Rect(110, 0, 210, 20), 2, 2, u"123,45", taRightJustify, false, false);
  EXPECT_TRUE(InkIn(dest.get(), Rect(190, 0, 207, 20), clBlack));
  EXPECT_FALSE(InkIn(dest.get(), Rect(110, 0, 150, 20), clBlack));
  EXPECT_FALSE(InkIn(dest.get(), Rect(207, 0, 210, 20), clBlack));
}
