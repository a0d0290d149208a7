#include "skin/graphics/TextOutput.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/BlurFilters.h"
#include <algorithm>
#include <cstring>

namespace {
LPCWSTR Wide(const String& Text) { return reinterpret_cast<LPCWSTR>(Text.c_str()); }
RECT* AsRECT(TRect& R) { return reinterpret_cast<RECT*>(&R); }

// A logical palette of 256 greys, so that an 8-bit mask's index is its level.
HPALETTE GreyPalette() {
  struct {
    WORD Version;
    WORD Count;
    PALETTEENTRY Entries[256];
  } pal{0x300, 256, {}};
  for (int i = 0; i < 256; ++i) pal.Entries[i] = PALETTEENTRY{BYTE(i), BYTE(i), BYTE(i), 0};
  return CreatePalette(reinterpret_cast<LOGPALETTE*>(&pal));
}

void DrawMaskText(TBitmap& Mask, const TFont& Font, const String& Text, const TRect& T, UINT Format, int Flags) {
  TCanvas* canvas = Mask.Canvas();
  canvas->Font()->Assign(Font);
  canvas->Font()->SetColor(clBlack);
  canvas->Brush()->SetStyle(bsClear);
  HDC dc = canvas->Handle();
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, 0);
  static constexpr int dx[4] = {-1, 0, 1, 0}, dy[4] = {0, -1, 0, 1};
  for (int bit = 0; bit < 4; ++bit) {
    if (!(Flags & (1 << bit))) continue;
    TRect r(T.Left + dx[bit], T.Top + dy[bit], T.Right + dx[bit], T.Bottom + dy[bit]);
    DrawTextOnDC(dc, Text, r, Format);
  }
  TRect r = T;
  DrawTextOnDC(dc, Text, r, Format);
}
}  // namespace

int CanvasTextWidth(TCanvas& Canvas, const String& Text) { return Canvas.TextExtent(Text).cx; }
int CanvasTextHeight(TCanvas& Canvas, const String& Text) { return Canvas.TextExtent(Text).cy; }
void CanvasTextSize(TCanvas& Canvas, const String& Text, TSize& Size) { Size = Canvas.TextExtent(Text); }
void CanvasTextRect(TCanvas& Canvas, const TRect& R, int X, int Y, const String& Text) {
  Canvas.TextRect(R, X, Y, Text);
}

bool DCTextSize(HDC DC, const String& Text, TSize& Size) {
  SIZE s{};
  const bool ok = GetTextExtentPoint32W(DC, Wide(Text), static_cast<int>(Text.size()), &s) != FALSE;
  Size = TSize(s.cx, s.cy);
  return ok;
}

// A memory DC compatible with the screen measures as the screen does, and
// asking for the screen's own DC costs far more under Wine's X11 driver.
HDC ScreenMeasureDC() {
  static HDC dc = CreateCompatibleDC(nullptr);
  return dc;
}

void TextSizeWithFont(HFONT Font, const String& Text, UINT Format, bool WordWrap, int MaxWidth, TSize& Size) {
  HDC dc = ScreenMeasureDC();
  HGDIOBJ old = SelectObject(dc, Font);
  Size = TSize();
  if (WordWrap) {
    TRect r(0, 0, MaxWidth, 0);
    DrawTextW(dc, Wide(Text), static_cast<int>(Text.size()), AsRECT(r), Format | DT_CALCRECT);
    Size = TSize(r.Width(), r.Height());
  } else if (!DCTextSize(dc, Text, Size)) {
    Size = TSize();
  }
  SelectObject(dc, old);
}

int DrawTextOnDC(HDC DC, const String& Text, TRect& R, UINT Format) {
  return DrawTextW(DC, Wide(Text), static_cast<int>(Text.size()), AsRECT(R), Format);
}

void DrawPWideText(TCanvas& Canvas, const char16_t* Text, TRect& R, UINT Format) {
  DrawTextW(Canvas.Handle(), reinterpret_cast<LPCWSTR>(Text), -1, AsRECT(R), Format);
}

void EllipsisText(TCanvas& Canvas, const String& Text, int MaxWidth, String& Result) {
  Result = MaxWidth > 0 ? Text : String();
  if (Result.empty() || Canvas.TextWidth(Result) <= MaxWidth) return;
  while (!Result.empty()) {
    if (Canvas.TextWidth(Result + u"...") <= MaxWidth) break;
    Result.pop_back();
  }
  if (!Result.empty()) Result += u"...";
}

void DrawShadowedText(TBitmap& Bmp, const String& Text, const TRect& R, UINT Format, int Flags, int Blur,
                      TColor ShadowColor, std::unique_ptr<TBitmap>& ShadowBmp) {
  const TRect r1(R.Left + 1, R.Top + 1, R.Right + 1, R.Bottom + 1);
  const int p = Blur + 4;
  const int w = std::max(r1.Width() + 2 * p, 0), h = std::max(r1.Height() + 2 * p, 0);
  if (!ShadowBmp || ShadowBmp->Width() != w || ShadowBmp->Height() != h ||
      ShadowBmp->PixelFormat() != pf8bit) {
    if (!ShadowBmp) ShadowBmp = std::make_unique<TBitmap>();
    ShadowBmp->SetPixelFormat(pf8bit);
    ShadowBmp->SetPalette(GreyPalette());
    ShadowBmp->SetSize(w, h);
    if (w == 0 || h == 0) return;
    for (int y = 0; y < h; ++y) std::memset(ShadowBmp->ScanLine(y), 255, static_cast<size_t>(w));
    DrawMaskText(*ShadowBmp, *Bmp.Canvas()->Font(), Text, TRect(p, p, p + r1.Width(), p + r1.Height()), Format,
                 Flags);
    ShadowBmp->Canvas()->Refresh();
    BlurBmp8(*ShadowBmp, Blur);
  }
  if (w == 0 || h == 0) return;
  TPixelRows dst(&Bmp);
  if (!dst.Valid()) return;
  const uint32_t cr = ShadowColor & 0xFF, cg = (ShadowColor >> 8) & 0xFF, cb = (ShadowColor >> 16) & 0xFF;
  const int ox = r1.Left - p, oy = r1.Top - p;
  for (int y = 0; y < h; ++y) {
    const int ty = oy + y;
    if (ty < 0 || ty >= dst.Height()) continue;
    const auto* mask = static_cast<const uint8_t*>(ShadowBmp->ScanLine(y));
    uint32_t* row = dst.Row(ty);
    for (int x = 0; x < w; ++x) {
      const uint32_t v = mask[x];
      const int tx = ox + x;
      if (v == 255 || tx < 0 || tx >= dst.Width()) continue;
      const uint32_t s = 255 - v, d = row[tx];
      uint32_t a = d >> 24, rr = (d >> 16) & 0xFF, gg = (d >> 8) & 0xFF, bb = d & 0xFF;
      a += ((255 - a) * s) >> 8;
      rr = (s * cr + rr * v) >> 8;
      gg = (s * cg + gg * v) >> 8;
      bb = (s * cb + bb * v) >> 8;
      row[tx] = a << 24 | rr << 16 | gg << 8 | bb;
    }
  }
}

void CalcGlyphTextRects(const TRect& Client, TPoint GlyphSize, TSize TextSize, TButtonLayout Layout,
                        TAlignment Alignment, int Margin, int Spacing, TPoint& GlyphPos, TRect& TextRect,
                        int Flags) {
  if (Flags & GlyphRectsRightToLeft) {
    if (Layout == blGlyphLeft)
      Layout = blGlyphRight;
    else if (Layout == blGlyphRight)
      Layout = blGlyphLeft;
  }
  const int W = Client.Width(), H = Client.Height();
  const TPoint G = GlyphSize;
  const TSize T = TextSize;
  const int D = W - T.cx;
  const bool vertical = Layout == blGlyphTop || Layout == blGlyphBottom;
  TextRect = TRect(0, 0, T.cx, T.cy);
  GlyphPos = TPoint();
  int tx = 0, ty = 0;
  if (vertical) {
    GlyphPos.X = (W - G.X + 1) / 2;
    tx = (D + 1) / 2;
  } else {
    GlyphPos.Y = (H - G.Y + 1) / 2;
    ty = (H - T.cy + 1) / 2;
  }
  if (T.cx == 0 || G.X == 0) Spacing = 0;
  if (Margin == -1) {
    if (Spacing < 0) {
      Margin = vertical ? (H - T.cy - G.Y) / 3 : (D - G.X) / 3;
      Spacing = Margin;
    } else if (Alignment != taCenter) {
      Margin = 2;
    } else {
      Margin = vertical ? (H - Spacing - G.Y - T.cy + 1) / 2 : (D - G.X - Spacing + 1) / 2;
    }
  } else if (Spacing < 0) {
    Spacing = vertical ? (H - Margin - G.Y - T.cy) / 2 : (D - Margin - G.X) / 2;
  }
  switch (Layout) {
    case blGlyphLeft:
      if (Alignment == taLeftJustify) {
        GlyphPos.X = Margin;
        tx = Margin + G.X + Spacing;
        TextRect.Right = std::min(T.cx, Client.Right - Margin - tx);
      } else if (Alignment == taRightJustify) {
        tx = D - Margin;
        GlyphPos.X = tx - Spacing - G.X;
      } else {
        const int m2 = std::max(Margin, (D - Spacing - G.X) / 2);
        GlyphPos.X = m2;
        tx = m2 + G.X + Spacing;
      }
      break;
    case blGlyphRight:
      if (Alignment == taLeftJustify) {
        GlyphPos.X = T.cx + Margin + Spacing;
        tx = Margin;
      } else if (Alignment == taRightJustify) {
        GlyphPos.X = W - Margin - G.X;
        tx = W - Margin - G.X - Spacing - T.cx;
      } else {
        tx = (D - Spacing - G.X) / 2;
        GlyphPos.X = Spacing + tx + T.cx;
      }
      break;
    case blGlyphTop:
      GlyphPos.Y = (H - G.Y - Spacing - T.cy) / 2;
      ty = GlyphPos.Y + G.Y + Spacing;
      break;
    case blGlyphBottom:
      GlyphPos.Y = H - G.Y - (H - G.Y - Spacing - T.cy) / 2;
      ty = GlyphPos.Y - Spacing - T.cy;
      break;
  }
  GlyphPos.X += Client.Left;
  GlyphPos.Y += Client.Top;
  TextRect = TRect(TextRect.Left + tx + Client.Left, TextRect.Top + ty + Client.Top,
                   TextRect.Right + tx + Client.Left, TextRect.Bottom + ty + Client.Top);
}

namespace {
LOGFONTW AngledFontDescription(const TFont& Font, int Angle) {
  LOGFONTW lf{};
  lf.lfHeight = Font.Height();
  lf.lfEscapement = Angle;
  lf.lfOrientation = Angle;
  lf.lfWeight = Font.Style().Contains(fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = Font.Style().Contains(fsItalic);
  lf.lfUnderline = Font.Style().Contains(fsUnderline);
  lf.lfStrikeOut = Font.Style().Contains(fsStrikeOut);
  lf.lfCharSet = Font.Charset();
  const String face = Font.Name() == u"MS Sans Serif" ? String(u"Arial") : Font.Name();
  const size_t n = std::min(face.size(), size_t{LF_FACESIZE - 1});
  std::memcpy(lf.lfFaceName, face.data(), n * sizeof(char16_t));
  return lf;
}
}  // namespace

HFONT TAngledFontCache::Get(const TFont& Font, int Angle) {
  const LOGFONTW lf = AngledFontDescription(Font, Angle);
  if (FFont && std::memcmp(&lf, &FKey, sizeof(lf)) == 0) return FFont;
  Clear();
  FKey = lf;
  FFont = CreateFontIndirectW(&lf);
  return FFont;
}

void TAngledFontCache::Clear() {
  if (FFont) DeleteObject(FFont);
  FFont = nullptr;
}

HFONT CreateAngledFont(HDC DC, const TFont& Font, int Angle, HFONT& Created) {
  const LOGFONTW lf = AngledFontDescription(Font, Angle);
  Created = CreateFontIndirectW(&lf);
  HFONT old = static_cast<HFONT>(SelectObject(DC, Created));
  SetTextColor(DC, static_cast<COLORREF>(ColorToRGB(Font.Color())));
  return old;
}
