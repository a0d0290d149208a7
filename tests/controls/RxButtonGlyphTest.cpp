#include "controls/RxButtonGlyph.h"
#include "controls/RxVCLUtils.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

std::unique_ptr<TBitmap> Filled(int w, int h, TColor color) {
  auto b = std::make_unique<TBitmap>();
  b->SetSize(w, h);
  b->Canvas()->Brush()->SetColor(color);
  b->Canvas()->FillRect(Rect(0, 0, w, h));
  return b;
}

TColor At(TBitmap* b, int x, int y) { return b->Canvas()->Pixels(x, y) & 0xFFFFFF; }
TColor Rgb(TColor c) { return ColorToRGB(c); }

// A strip of `cells` 16 x 16 images on magenta, cell i holding a 4 x 4
// square at (6, 6) of colours[i] and a black pixel at (2, 2).
std::unique_ptr<TBitmap> Strip(std::initializer_list<TColor> colours) {
  const int cells = static_cast<int>(colours.size());
  auto b = Filled(16 * cells, 16, clFuchsia);
  int i = 0;
  for (TColor c : colours) {
    b->Canvas()->Brush()->SetColor(c);
    b->Canvas()->FillRect(Bounds(16 * i + 6, 6, 4, 4));
    b->Canvas()->SetPixels(16 * i + 2, 2, clBlack);
    ++i;
  }
  return b;
}

TColor Gray(TColor c) {
  const int r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
  const int v = (r * 77 + g * 150 + b * 29) >> 8;
  return RGBColor(v, v, v);
}

}  // namespace

TEST(RxButtonGlyph, ImageCountFollowsTheBitmapShape) {
  TRxButtonGlyph glyph;
  auto four = Filled(64, 16, clFuchsia);
  glyph.SetGlyph(four.get());
  EXPECT_EQ(4, glyph.NumGlyphs());
  auto six = Filled(96, 16, clFuchsia);
  glyph.SetGlyph(six.get());
  EXPECT_EQ(1, glyph.NumGlyphs());  // 6 would exceed 5
  glyph.SetNumGlyphs(3);
  auto odd = Filled(40, 16, clFuchsia);
  glyph.SetGlyph(odd.get());
  EXPECT_EQ(3, glyph.NumGlyphs());
  glyph.SetNumGlyphs(0);
  EXPECT_EQ(3, glyph.NumGlyphs());
  EXPECT_EQ(clFuchsia, glyph.TransparentColor());
}

TEST(RxButtonGlyph, StateImagesOfOneAndFiveCellGlyphs) {
  const TColor olive = RGBColor(200, 100, 50);
  {
    TRxButtonGlyph glyph;
    auto strip = Strip({olive});
    glyph.SetGlyph(strip.get());
    auto up = Filled(16, 16, clWhite);
    EXPECT_EQ(TSize(16, 16), glyph.DrawButtonGlyph(up->Canvas(), 0, 0, TRxButtonState::rbsUp));
    EXPECT_EQ(olive, At(up.get(), 7, 7));
    EXPECT_EQ(clWhite, At(up.get(), 0, 0));  // magenta is transparent

    auto inactive = Filled(16, 16, clWhite);
    glyph.DrawButtonGlyph(inactive->Canvas(), 0, 0, TRxButtonState::rbsInactive);
    EXPECT_EQ(Gray(olive), At(inactive.get(), 7, 7));
    EXPECT_EQ(clWhite, At(inactive.get(), 0, 0));

    // Disabled: the black outline pixel embossed, the rest transparent.
    auto disabled = Filled(16, 16, clWhite);
    glyph.DrawButtonGlyph(disabled->Canvas(), 0, 0, TRxButtonState::rbsDisabled);
    EXPECT_EQ(Rgb(clBtnShadow), At(disabled.get(), 2, 2));
    EXPECT_EQ(Rgb(clBtnHighlight), At(disabled.get(), 3, 3));
    EXPECT_EQ(clWhite, At(disabled.get(), 7, 7));

    // Down with fewer than 3 images shows the up image.
    auto down = Filled(16, 16, clWhite);
    glyph.DrawButtonGlyph(down->Canvas(), 0, 0, TRxButtonState::rbsDown);
    EXPECT_EQ(olive, At(down.get(), 7, 7));
  }
  {
    TRxButtonGlyph glyph;
    auto strip = Strip({clRed, clLime, clBlue, clYellow, clAqua});
    glyph.SetGlyph(strip.get());
    ASSERT_EQ(5, glyph.NumGlyphs());
    const struct {
      TRxButtonState State;
      TColor Colour;
    } cells[] = {{TRxButtonState::rbsUp, clRed},        {TRxButtonState::rbsDisabled, clLime},
                 {TRxButtonState::rbsDown, clBlue},     {TRxButtonState::rbsExclusive, clYellow},
                 {TRxButtonState::rbsInactive, clAqua}};
    for (const auto& c : cells) {
      auto out = Filled(16, 16, clWhite);
      glyph.DrawButtonGlyph(out->Canvas(), 0, 0, c.State);
      EXPECT_EQ(c.Colour, At(out.get(), 7, 7)) << static_cast<int>(c.State);
    }
  }
}

TEST(RxButtonGlyph, SameSizedGlyphsShareOneCachedList) {
  auto strip16 = Strip({clRed});
  auto a = std::make_unique<TRxButtonGlyph>();
  auto b = std::make_unique<TRxButtonGlyph>();
  a->SetGlyph(strip16.get());
  b->SetGlyph(strip16.get());
  ASSERT_GE(a->PrepareStateImage(TRxButtonState::rbsUp), 0);
  ASSERT_GE(b->PrepareStateImage(TRxButtonState::rbsUp), 0);
  ASSERT_GE(b->PrepareStateImage(TRxButtonState::rbsInactive), 0);
  ASSERT_NE(nullptr, a->GlyphList());
  EXPECT_EQ(a->GlyphList(), b->GlyphList());
  EXPECT_EQ(3, a->GlyphList()->Count());

  auto big = Filled(20, 20, clFuchsia);
  TRxButtonGlyph c;
  c.SetGlyph(big.get());
  ASSERT_GE(c.PrepareStateImage(TRxButtonState::rbsUp), 0);
  EXPECT_NE(a->GlyphList(), c.GlyphList());
  EXPECT_EQ(20, c.GlyphList()->Width());

  // A freed slot is reused before the list grows.
  TGlyphList* shared = a->GlyphList();
  const int before = shared->TImageList::Count();
  a->Invalidate();
  EXPECT_EQ(2, shared->Count());
  a->PrepareStateImage(TRxButtonState::rbsUp);
  EXPECT_EQ(before, shared->TImageList::Count());

  a->Invalidate();
  b->Invalidate();
  EXPECT_EQ(nullptr, a->GlyphList());
  // Only the 20 x 20 list is left: a new 16 x 16 glyph gets a fresh list.
  TRxButtonGlyph d;
  d.SetGlyph(strip16.get());
  d.PrepareStateImage(TRxButtonState::rbsUp);
  EXPECT_EQ(1, d.GlyphList()->Count());
}

TEST(RxButtonGlyph, DrawPlacesGlyphCaptionAndMark) {
  TRxButtonGlyph glyph;
  auto strip = Strip({clRed});
  glyph.SetGlyph(strip.get());
  auto out = Filled(100, 30, clWhite);
  TCanvas* c = out->Canvas();
  c->Font()->SetName(u"Tahoma");
  c->Font()->SetHeight(-11);
  c->Font()->SetColor(clBlack);
  const TRect text = glyph.Draw(c, Rect(0, 0, 100, 30), u"Ok", blGlyphLeft, 2, 4, true,
                                TRxButtonState::rbsUp, DT_CENTER);
  // Glyph at the margin, vertically centred: its square at (2 + 6, 7 + 6).
  EXPECT_EQ(clRed, At(out.get(), 9, 14));
  EXPECT_EQ(2 + 16 + 4, text.Left);
  // Some caption pixel is dark.
  bool ink = false;
  for (int y = text.Top; y < text.Bottom && !ink; ++y)
    for (int x = text.Left; x < text.Right - 9 && !ink; ++x) ink = At(out.get(), x, y) == clBlack;
  EXPECT_TRUE(ink);
  // The mark: 7 pixels on its first row, after the caption.
  const int markX = text.Right + 3;
  const int markY = (text.Top + text.Bottom) / 2;
  for (int x = markX; x < markX + 7; ++x) EXPECT_EQ(Rgb(clBtnText), At(out.get(), x, markY - 1));
  EXPECT_EQ(Rgb(clBtnText), At(out.get(), markX + 3, markY + 2));
  EXPECT_EQ(clWhite, At(out.get(), markX + 2, markY + 2));
}

TEST(RxButtonGlyph, SpeedButtonFrames) {
  struct Case {
    bool Down;
    TButtonStyle Style;
    bool Flat;
    TColor OuterTopLeft, OuterBottomRight, InnerTopLeft;
    int Inset;
  };
  const Case cases[] = {
      {false, bsNew, false, clBtnHighlight, clWindowFrame, clBtnFace, 3},
      {false, bsNew, true, clBtnHighlight, clBtnShadow, clNone, 2},
      {true, bsNew, false, clWindowFrame, clBtnHighlight, clBtnShadow, 3},
      {true, bsAutoDetect, true, clBtnShadow, clBtnHighlight, clNone, 2},
      {false, bsWin31, false, clWindowFrame, clWindowFrame, clBtnHighlight, 3},
      {false, bsWin31, true, clBtnHighlight, clWindowFrame, clNone, 2},
      {true, bsWin31, false, clWindowFrame, clWindowFrame, clBtnShadow, 2},
  };
  for (const Case& c : cases) {
    auto out = Filled(20, 20, clFuchsia);
    const TRect inner = DrawSpeedButtonFrame(out->Canvas(), Rect(0, 0, 20, 20), c.Down, c.Style, c.Flat);
    const std::string name = std::to_string(c.Down) + "/" + std::to_string(c.Style) + "/" +
                             std::to_string(c.Flat);
    EXPECT_EQ(Rgb(c.OuterTopLeft), At(out.get(), 0, 5)) << name;
    EXPECT_EQ(Rgb(c.OuterTopLeft), At(out.get(), 5, 0)) << name;
    EXPECT_EQ(Rgb(c.OuterBottomRight), At(out.get(), 19, 5)) << name;
    EXPECT_EQ(Rgb(c.OuterBottomRight), At(out.get(), 5, 19)) << name;
    if (c.InnerTopLeft != clNone) EXPECT_EQ(Rgb(c.InnerTopLeft), At(out.get(), 1, 5)) << name;
    EXPECT_EQ(Rect(c.Inset, c.Inset, 20 - c.Inset, 20 - c.Inset), inner) << name;
  }
}

TEST(RxButtonGlyph, ImagesFromAnImageList) {
  TImageList images(nullptr);
  images.SetWidth(16);
  images.SetHeight(16);
  auto strip = Strip({RGBColor(200, 100, 50)});
  ASSERT_EQ(0, images.AddMasked(strip.get(), clFuchsia));

  TRxButtonGlyph glyph;
  auto up = Filled(16, 16, clWhite);
  EXPECT_EQ(TSize(16, 16), glyph.DrawButtonImage(up->Canvas(), 0, 0, &images, 0, TRxButtonState::rbsUp));
  EXPECT_EQ(RGBColor(200, 100, 50), At(up.get(), 7, 7));
  EXPECT_EQ(clWhite, At(up.get(), 0, 0));

  auto inactive = Filled(16, 16, clWhite);
  glyph.DrawButtonImage(inactive->Canvas(), 0, 0, &images, 0, TRxButtonState::rbsInactive);
  EXPECT_EQ(Gray(RGBColor(200, 100, 50)), At(inactive.get(), 7, 7));
  EXPECT_EQ(clWhite, At(inactive.get(), 0, 0));

  // Disabled: the whole silhouette, shadow in place, highlight below-right.
  auto disabled = Filled(20, 20, clWhite);
  glyph.DrawButtonImage(disabled->Canvas(), 0, 0, &images, 0, TRxButtonState::rbsDisabled);
  EXPECT_EQ(Rgb(clBtnShadow), At(disabled.get(), 6, 6));
  EXPECT_EQ(Rgb(clBtnShadow), At(disabled.get(), 2, 2));
  EXPECT_EQ(Rgb(clBtnHighlight), At(disabled.get(), 10, 10));
  EXPECT_EQ(clWhite, At(disabled.get(), 0, 0));

  auto none = Filled(16, 16, clWhite);
  EXPECT_EQ(TSize(0, 0), glyph.DrawButtonImage(none->Canvas(), 0, 0, &images, 1, TRxButtonState::rbsUp));
  EXPECT_EQ(TSize(0, 0), glyph.DrawButtonImage(none->Canvas(), 0, 0, nullptr, 0, TRxButtonState::rbsUp));
  EXPECT_EQ(clWhite, At(none.get(), 7, 7));
}
