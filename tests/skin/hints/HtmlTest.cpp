// The HTML-like text: what each tag and entity shows, where links and
// coloured or bold runs land, and that measuring gives the drawn extent.
#include "skin/SkinTestSupport.h"
#include "skin/hints/HintsTestSupport.h"
#include "skin/forms/hints/Html.h"
#include <gtest/gtest.h>

namespace {
struct TCanvasFixture {
  std::unique_ptr<TBitmap> Bmp = NewBmp32(400, 200);
  TCanvasFixture() { Reset(); }
  void Reset() {
    TCanvas* c = Bmp->Canvas();
    c->Font()->SetName(u"Tahoma");
    c->Font()->SetSize(8);
    c->Font()->SetStyle(TFontStyles());
    c->Font()->SetColor(clBlack);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clWhite);
    c->FillRect(TRect(0, 0, Bmp->Width(), Bmp->Height()));
  }
  TRect Lay(const String& text, int right, bool calcOnly, TacLinks* links = nullptr) {
    Reset();
    TsHtml html;
    html.Init(Bmp.get(), text, TRect(0, 0, right, 0));
    TacLinks found;
    TRect r = html.HTMLText(found, calcOnly);
    GdiFlush();
    if (links) *links = found;
    return r;
  }
  TSize Extent(const String& text, TFontStyles style = TFontStyles(), int sizeDelta = 0) {
    Reset();
    Bmp->Canvas()->Font()->SetStyle(style);
    Bmp->Canvas()->Font()->SetSize(8 + sizeDelta);
    return Bmp->Canvas()->TextExtent(text);
  }
};

// Columns holding a pixel whose colour is near the given one.
std::vector<int> ColumnsWith(TBitmap& bmp, uint32_t rgb, int tolerance) {
  std::vector<int> columns;
  TPixelRows rows(&bmp);
  for (int x = 0; x < rows.Width(); ++x)
    for (int y = 0; y < rows.Height(); ++y) {
      const uint32_t p = rows.At(x, y);
      if (std::abs(Ch(p, 2) - Ch(rgb, 2)) <= tolerance && std::abs(Ch(p, 1) - Ch(rgb, 1)) <= tolerance &&
          std::abs(Ch(p, 0) - Ch(rgb, 0)) <= tolerance) {
        columns.push_back(x);
        break;
      }
    }
  return columns;
}

int InkIn(TBitmap& bmp, int from, int to) {
  int ink = 0;
  TPixelRows rows(&bmp);
  for (int x = from; x < to && x < rows.Width(); ++x)
    for (int y = 0; y < rows.Height(); ++y) ink += 255 - Ch(rows.At(x, y), 1);
  return ink;
}
}  // namespace

// Each text shows as the plain text beside it, on one row in the base
// font (or bold where the row says so).
TEST(Html, TagsAndEntitiesShowAsTheirText) {
  struct TCase {
    const char16_t* Html;
    const char16_t* Shown;
    bool Bold;
  };
  const TCase cases[] = {
      {u"a<<b", u"a<b", false},
      {u"x&amp;y", u"x&y", false},
      {u"x&amp y", u"x&amp y", false},
      {u"&ndash;", u"\u2013", false},
      {u"&#8211;", u"\u2013", false},
      {u"&#39;", u"'", false},
      {u"&AMP;", u"&", false},
      {u"&aacute;", u"\u00E1", false},
      {u"&Aacute;", u"\u00C1", false},
      {u"&Ccedil;&atilde;o", u"\u00C7\u00E3o", false},
      {u"&trade;&#153;", u"\u2122\u2122", false},
      {u"<TABLE>x", u"<TABLE>x", false},
      {u"<SPAN>x</SPAN>", u"<SPAN>x</SPAN>", false},
      {u"<ABBR>x", u"<ABBR>x", false},
      {u"</A>abc", u"abc", false},
      {u"a<b", u"ab", false},
      {u"<B>bold</BODY>x", u"bold</BODY>x", true},
      {u"<b>x</b>", u"x", true},
  };
  TCanvasFixture f;
  for (const TCase& c : cases) {
    SCOPED_TRACE(Utf8(String(c.Html)));
    const TSize shown = f.Extent(c.Shown, c.Bold ? TFontStyles{fsBold} : TFontStyles());
    const TRect r = f.Lay(c.Html, 0, false);
    EXPECT_EQ(r.Width(), shown.cx);
    EXPECT_EQ(r.Height(), shown.cy);
  }
}

TEST(Html, LinksCarryTheirTargetAndBounds) {
  struct TCase {
    const char16_t* Html;
    const char16_t* Url;
    const char16_t* Before;
    const char16_t* Inside;
  };
  const TCase cases[] = {
      {u"<A HREF='x'>abc</A>", u"x", u"", u"abc"},
      {u"go <a href=\"page.htm\">here</a> now", u"page.htm", u"go ", u"here"},
      {u"<A HREF=page.htm>p</A>", u"page.htm", u"", u"p"},
      {u"<A HREF='Mixed/Case.htm'>m</A>", u"Mixed/Case.htm", u"", u"m"},
  };
  TCanvasFixture f;
  for (const TCase& c : cases) {
    SCOPED_TRACE(Utf8(String(c.Html)));
    const int before = f.Extent(c.Before).cx;
    const TSize inside = f.Extent(String(c.Before) + c.Inside);
    TacLinks links;
    f.Lay(c.Html, 0, false, &links);
    ASSERT_EQ(links.size(), 1u);
    EXPECT_EQ(links[0].URL, String(c.Url));
    EXPECT_EQ(links[0].Bounds, TRect(before, 0, inside.cx, inside.cy));
  }
  TacLinks links;
  f.Lay(u"</A>a</A>", 0, false, &links);
  EXPECT_TRUE(links.empty());
}

TEST(Html, ColouredBoldAndSizedRunsLandWhereTheirTextIs) {
  TCanvasFixture f;
  const int ab = f.Extent(u"ab").cx, abcd = f.Extent(u"abcd").cx;
  for (const char16_t* red : {u"ab<FONT COLOR=red>cd</FONT>ef", u"ab<font color=#FF0000>cd</font>ef"}) {
    SCOPED_TRACE(Utf8(String(red)));
    f.Lay(red, 0, false);
    const std::vector<int> columns = ColumnsWith(*f.Bmp, 0xFF0000, 40);
    ASSERT_FALSE(columns.empty());
    EXPECT_GE(columns.front(), ab);
    EXPECT_LT(columns.back(), abcd);
  }
  // Bold ink: more of it where the bold run is than in the plain copy.
  const int boldCd = f.Extent(u"cd", TFontStyles{fsBold}).cx;
  f.Lay(u"ab<B>cd</B>ef", 0, false);
  const int boldInk = InkIn(*f.Bmp, ab, ab + boldCd);
  f.Lay(u"abcdef", 0, false);
  EXPECT_GT(boldInk, InkIn(*f.Bmp, ab, abcd));
  // SIZE=+2 grows the row to the bigger font's height.
  EXPECT_EQ(f.Lay(u"<FONT SIZE=+2>x</FONT>", 0, true).Height(), f.Extent(u"x", TFontStyles(), 2).cy);
  EXPECT_EQ(f.Lay(u"<FONT SIZE=zz>x</FONT>", 0, true).Height(), f.Extent(u"x").cy);
}

TEST(Html, RowsBreakByTagsWithTwoPixelsAndWrapWithout) {
  TCanvasFixture f;
  const int h = f.Extent(u"X").cy;
  EXPECT_EQ(f.Lay(u"<BR>", 0, true).Height(), h + 2);
  EXPECT_EQ(f.Lay(u"aaa<BR>bbb<P>ccc", 0, true).Height(), 3 * h + 4);
  // Without a width, nothing wraps.
  EXPECT_EQ(f.Lay(u"aaa bbb ccc", 0, true).Height(), h);
  const int word = f.Extent(u"aaa ").cx;
  EXPECT_EQ(f.Lay(u"aaa bbb ccc", word + 2, true).Height(), 3 * h);
  // A word wider than the area stands alone on its row.
  const TRect wide = f.Lay(u"wwwwwwwwwwww a", f.Extent(u"www").cx, true);
  EXPECT_EQ(wide.Width(), f.Extent(u"wwwwwwwwwwww").cx);
  EXPECT_EQ(wide.Height(), 2 * h);
}

TEST(Html, MeasuringGivesTheDrawnExtentAtEveryWidth) {
  const String text =
      u"Caixa <B>aberto</B> em <FONT COLOR=navy SIZE=+1>01/02</FONT> &ndash; ver <A HREF='m'>movimentos</A>"
      u"<BR>Total: <I>R$ 1.234,56</I> &amp; cheques<P>fim de texto longo para quebrar";
  TCanvasFixture f;
  for (int width : {0, 30, 60, 90, 150, 260, 1000}) {
    SCOPED_TRACE(width);
    TacLinks measured, drawn;
    const TRect calc = f.Lay(text, width, true, &measured);
    const TRect draw = f.Lay(text, width, false, &drawn);
    EXPECT_EQ(calc, draw);
    ASSERT_EQ(measured.size(), drawn.size());
    for (size_t i = 0; i < drawn.size(); ++i) EXPECT_EQ(measured[i].Bounds, drawn[i].Bounds);
    // Nothing is drawn outside the extent.
    TPixelRows rows(f.Bmp.get());
    for (int y = 0; y < rows.Height(); ++y)
      for (int x = 0; x < rows.Width(); ++x)
        if (x >= draw.Right + 2 || y >= draw.Bottom) {
          ASSERT_EQ(rows.At(x, y) & 0xFFFFFF, 0xFFFFFFu) << x << "," << y;
        }
  }
}
