#include "skin/labels/LabelTestSupport.h"
#include "skin/engine/SkinLabels.h"
#include "skin/engine/SkinManager.h"
#include "skin/engine/SkinText.h"
#include "skin/graphics/TextOutput.h"
#include "skin/support/SkinModelFixture.h"
#include <gtest/gtest.h>

TEST(TextOutput, EllipsisTextTable) {
  auto bmp = NewBmp32(4, 4);
  TCanvas& canvas = *bmp->Canvas();
  UseTestFont(*canvas.Font(), -16);
  const String text = u"Recebimentos do dia";
  const int full = canvas.TextWidth(text);
  const int dots = canvas.TextWidth(u"...");
  struct Case {
    int MaxWidth;
    const char16_t* Expected;  // nullptr: shortened with "..."
  } cases[] = {{0, u""}, {-5, u""}, {full, u"Recebimentos do dia"}, {full + 50, u"Recebimentos do dia"},
               {dots, u""}, {full / 2, nullptr}};
  for (const Case& c : cases) {
    String result = u"?";
    EllipsisText(canvas, text, c.MaxWidth, result);
    if (c.Expected) {
      EXPECT_EQ(result, String(c.Expected)) << c.MaxWidth;
      continue;
    }
    ASSERT_GT(result.size(), 3u);
    EXPECT_EQ(result.substr(result.size() - 3), u"...");
    EXPECT_LE(canvas.TextWidth(result), c.MaxWidth);
    EXPECT_EQ(text.compare(0, result.size() - 3, result, 0, result.size() - 3), 0);
    // One more character would not have fitted.
    EXPECT_GT(canvas.TextWidth(text.substr(0, result.size() - 2) + u"..."), c.MaxWidth);
  }
}

TEST(TextOutput, CalcGlyphTextRectsTable) {
  struct Case {
    TRect Client;
    TPoint Glyph;
    TSize Text;
    TButtonLayout Layout;
    TAlignment Alignment;
    int Margin, Spacing, Flags;
    TPoint GlyphPos;
    TRect TextRect;
  } cases[] = {
      {TRect(0, 0, 100, 40), {16, 16}, {40, 14}, blGlyphLeft, taLeftJustify, -1, 4, 0, {2, 12}, TRect(22, 13, 62, 27)},
      {TRect(0, 0, 100, 40), {16, 16}, {40, 14}, blGlyphRight, taLeftJustify, -1, 4, 0, {46, 12}, TRect(2, 13, 42, 27)},
      // Right-to-left reading puts the glyph on the other side.
      {TRect(0, 0, 100, 40), {16, 16}, {40, 14}, blGlyphLeft, taLeftJustify, -1, 4, GlyphRectsRightToLeft, {46, 12},
       TRect(2, 13, 42, 27)},
      // A glyph of no width leaves no spacing.
      {TRect(0, 0, 100, 40), {0, 0}, {40, 14}, blGlyphLeft, taCenter, -1, 4, 0, {30, 20}, TRect(30, 13, 70, 27)},
      {TRect(0, 0, 100, 40), {16, 16}, {40, 14}, blGlyphTop, taCenter, -1, -1, 0, {42, 3}, TRect(30, 22, 70, 36)},
      {TRect(10, 5, 110, 45), {16, 16}, {40, 14}, blGlyphTop, taCenter, -1, -1, 0, {52, 8}, TRect(40, 27, 80, 41)},
      {TRect(0, 0, 100, 40), {16, 16}, {40, 14}, blGlyphBottom, taCenter, -1, -1, 0, {42, 21}, TRect(30, 4, 70, 18)},
  };
  for (const Case& c : cases) {
    TPoint glyph;
    TRect text;
    CalcGlyphTextRects(c.Client, c.Glyph, c.Text, c.Layout, c.Alignment, c.Margin, c.Spacing, glyph, text, c.Flags);
    EXPECT_EQ(glyph, c.GlyphPos) << int(c.Layout) << " " << int(c.Alignment) << " got " << glyph.X << "," << glyph.Y;
    EXPECT_EQ(text, c.TextRect) << int(c.Layout) << " got " << text.Left << "," << text.Top << "," << text.Right
                                << "," << text.Bottom;
  }
}

TEST(TextOutput, PlainCaptionAndWordCutTables) {
  struct Strip {
    const char16_t* Caption;
    const char16_t* Plain;
  } strips[] = {{u"<b>palavra</b>", u"palavra"},
                {u"texto<", u"texto<"},
                {u"sem marcas", u"sem marcas"},
                {u"<a href='x'>link</a> e mais", u"link e mais"},
                // A ">" before the next "<" ends the removal.
                {u"a > b <i>c</i>", u"a > b <i>c</i>"},
                {u"<b>sem fim", u"sem fim"},
                {u"sem fim <b", u"sem fim <b"}};
  TsHTMLLabel label(nullptr);
  for (const Strip& s : strips) {
    label.SetCaption(s.Caption);
    EXPECT_EQ(label.PlainCaption(), String(s.Plain)) << String(s.Caption).size();
  }
  struct Cut {
    String Text;
    String After;
  } cuts[] = {{u"duas palavras", u"duas"},
              {u"tab\tfim", u"tab"},
              {u"abc", u"ab"},
              {String(u"x") + u"\xD83D\xDE00", u"x"},  // a surrogate pair goes whole
              {u"", u""}};
  for (Cut& c : cuts) {
    String t = c.Text;
    CutLastWord(t);
    EXPECT_EQ(t, c.After);
  }
}

TEST(TextOutput, CreateAngledFontCleansUp) {
  auto bmp = NewBmp32(8, 8);
  HDC dc = bmp->Canvas()->Handle();
  TFont font;
  font.SetName(u"MS Sans Serif");
  font.SetHeight(-20);
  font.SetStyle(TFontStyles{fsBold});
  HFONT before = static_cast<HFONT>(GetCurrentObject(dc, OBJ_FONT));
  {
    HFONT created = nullptr;
    HFONT old = CreateAngledFont(dc, font, 900, created);
    EXPECT_EQ(old, before);
    LOGFONTW lf{};
    ASSERT_TRUE(GetObjectW(created, sizeof(lf), &lf));
    EXPECT_EQ(lf.lfEscapement, 900);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_EQ(String(reinterpret_cast<const char16_t*>(lf.lfFaceName)), u"Arial");
    SelectObject(dc, old);
    DeleteObject(created);
  }
  for (int i = 0; i < 70000; ++i) TAngledFont turned(dc, font, (i % 36) * 100);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), before);
  HFONT again = CreateFontW(-12, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, L"Arial");
  ASSERT_NE(again, nullptr);
  DeleteObject(again);
}

TEST(TextOutput, DrawTextByMaskOpaqueExactlyOnGlyphs) {
  TFont font;
  UseTestFont(font);
  const String text = u"Agente";
  const UINT format = DT_SINGLELINE | DT_NOPREFIX;
  for (int left : {0, -5}) {
    auto bmp = FilledBmp(120, 40, 0);
    bmp->Canvas()->Font()->Assign(font);
    const TRect r(left, 0, left + 140, 40);
    DrawTextByMask(*bmp, text, r, format, 0x0000FF);
    GdiFlush();
    const TPixels got = FromBitmap(*bmp);
    const TPixels ref = ReferenceText(font, text, 140, 40, TRect(0, 0, 140, 40), format);
    int glyphs = 0;
    for (int y = 0; y < got.H; ++y)
      for (int x = 0; x < got.W; ++x) {
        const bool glyph = Rgb(ref.At(x - left, y)) != 0xFFFFFF;
        glyphs += glyph;
        ASSERT_EQ(got.At(x, y) >> 24, glyph ? 255u : 0u) << x << "," << y << " left " << left;
        if (glyph && Rgb(ref.At(x - left, y)) == 0) {
          ASSERT_EQ(Rgb(got.At(x, y)), 0xFF0000u);
        }
      }
    EXPECT_GT(glyphs, 50);
  }
  // Nothing for an empty text.
  auto bmp = FilledBmp(10, 10, 0);
  TRect r(0, 0, 10, 10);
  DrawSectionText(*bmp, String(), false, r, 0, -1, false, nullptr);
  EXPECT_EQ(FromBitmap(*bmp).P, TPixels(10, 10, 0).P);
}

TEST(TextOutput, DrawShadowedTextMaskAndReuse) {
  TFont font;
  UseTestFont(font);
  const String text = u"Caixa";
  const UINT format = DT_SINGLELINE | DT_NOPREFIX;
  const TRect r(10, 10, 110, 50);
  auto bmp = FilledBmp(130, 70, 0xFFFFFFFF);
  bmp->Canvas()->Font()->Assign(font);
  std::unique_ptr<TBitmap> mask;
  DrawShadowedText(*bmp, text, r, format, 0, 0, 0x000000, mask);
  ASSERT_TRUE(mask);
  EXPECT_EQ(mask->Width(), r.Width() + 8);
  EXPECT_EQ(mask->Height(), r.Height() + 8);
  const TPixels got = FromBitmap(*bmp);
  const TPixels ref = ReferenceText(font, text, 130, 70, r, format);
  for (int y = 0; y < got.H; ++y)
    for (int x = 0; x < got.W; ++x) {
      // Only under glyph strokes: edge smoothing of the 8-bit mask may
      // differ from the reference's by a pixel.
      bool nearGlyph = false;
      for (int dy = -3; dy <= 1; ++dy)
        for (int dx = -3; dx <= 1; ++dx)
          nearGlyph = nearGlyph || (ref.Contains(x + dx, y + dy) && Rgb(ref.At(x + dx, y + dy)) != 0xFFFFFF);
      if (Rgb(got.At(x, y)) != 0xFFFFFF) {
        ASSERT_TRUE(nearGlyph) << x << "," << y;
      }
    }
  // One pixel right and down of the glyphs. Along the line the 8-bit mask's
  // glyph advances may differ from the reference's, so across it only the
  // first column is compared.
  const TCentroid glyphs = CentroidOf(ref, [](uint32_t p) { return Rgb(p) != 0xFFFFFF; });
  const TCentroid shade = CentroidOf(got, [](uint32_t p) { return Rgb(p) != 0xFFFFFF; });
  ASSERT_GT(shade.Count, glyphs.Count / 2);
  EXPECT_NEAR(shade.Y - glyphs.Y, 1, 0.5);
  auto firstColumn = [](const TPixels& img) {
    for (int x = 0; x < img.W; ++x)
      for (int y = 0; y < img.H; ++y)
        if (Rgb(img.At(x, y)) != 0xFFFFFF) return x;
    return -1;
  };
  EXPECT_NEAR(firstColumn(got) - firstColumn(ref), 1, 1);
  // The kept mask is laid on again as it is: a mark put into it shows.
  static_cast<uint8_t*>(mask->ScanLine(0))[0] = 0;
  TBitmap* kept = mask.get();
  auto second = FilledBmp(130, 70, 0xFFFFFFFF);
  second->Canvas()->Font()->Assign(font);
  DrawShadowedText(*second, text, r, format, 0, 0, 0x0000FF, mask);
  EXPECT_EQ(mask.get(), kept);
  const TPixels again = FromBitmap(*second);
  EXPECT_EQ(Rgb(again.At(r.Left + 1 - 4, r.Top + 1 - 4)), 0xFE0000u);  // the mark, in the shadow colour
  for (int y = 0; y < got.H; ++y)
    for (int x = 0; x < got.W; ++x)
      if (x != r.Left - 3 || y != r.Top - 3) {
        ASSERT_EQ(Rgb(again.At(x, y)) != 0xFFFFFF, Rgb(got.At(x, y)) != 0xFFFFFF);
      }
}

TEST(TextOutput, SectionTextColoursAndDisabledMix) {
  TsSkinManager sm(nullptr);
  FillSampleModel(sm);
  const int label = AddSection(sm, u"LABELTEXT");
  TsGenState& st = sm.Model.gd[static_cast<size_t>(label)].Props[0];
  st.FontColor.Color = clBlack;
  st.Color = clWhite;
  auto bmp = FilledBmp(100, 40, 0xFFFFFFFF);
  TCanvas& canvas = *bmp->Canvas();
  UseTestFont(*canvas.Font(), -20);
  DrawSectionTextOnCanvas(canvas, u"Off", false, TRect(0, 0, 100, 40), DT_SINGLELINE, label, 0, &sm);
  EXPECT_EQ(canvas.Font()->Color(), 0x989898);  // 152 per channel
  // Outline left only: drawn first one pixel to the left, then the text.
  st.FontColor.Color = 0x00FF00;
  st.FontColor.Left = 0x0000FF;
  auto on = FilledBmp(100, 60, 0xFF000000);
  UseTestFont(*on->Canvas()->Font(), -40);
  DrawSectionTextOnCanvas(*on->Canvas(), u"I", true, TRect(10, 0, 100, 60), DT_SINGLELINE, label, 0, &sm);
  GdiFlush();
  const auto reddish = [](uint32_t p) { return Ch(p, 2) > Ch(p, 1) + 0x40; };
  const auto greenish = [](uint32_t p) { return Ch(p, 1) > Ch(p, 2) + 0x40; };
  TCentroid red = CentroidOf(FromBitmap(*on), reddish), green = CentroidOf(FromBitmap(*on), greenish);
  EXPECT_GT(red.Count, 10);
  EXPECT_GT(green.Count, 30);
  EXPECT_LT(red.X, green.X);
  // Onto a 32-bit bitmap the section's colours land with full alpha.
  auto target = FilledBmp(100, 60, 0);
  UseTestFont(*target->Canvas()->Font(), -40);
  TRect r(10, 0, 100, 60);
  DrawSectionText(*target, u"I", true, r, DT_SINGLELINE, label, false, &sm);
  GdiFlush();
  const TPixels t = FromBitmap(*target);
  red = CentroidOf(t, reddish);
  green = CentroidOf(t, greenish);
  EXPECT_GT(red.Count, 10);
  EXPECT_GT(green.Count, 30);
  EXPECT_LT(red.X, green.X);
  for (uint32_t p : t.P) ASSERT_TRUE(p >> 24 == 255 || p == 0);
}
