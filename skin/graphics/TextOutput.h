#pragma once
// Text measuring and drawing shared by the skinned controls: extents on a
// canvas or a DC, formatted output, shortening with an ellipsis, the soft
// shadow (glow) of a text, a glyph beside a caption, and rotated fonts.
#include "skin/graphics/SkinTypes.h"
#include "platform/classes/Alignment.h"
#include "platform/rtl/String.h"
#include "platform/ui/Buttons.h"
#include <memory>

int CanvasTextWidth(TCanvas& Canvas, const String& Text);
int CanvasTextHeight(TCanvas& Canvas, const String& Text);
void CanvasTextSize(TCanvas& Canvas, const String& Text, TSize& Size);
void CanvasTextRect(TCanvas& Canvas, const TRect& R, int X, int Y, const String& Text);
// False when the system cannot measure the text.
bool DCTextSize(HDC DC, const String& Text, TSize& Size);
// Measured on the screen's DC: with WordWrap inside MaxWidth by DrawTextW,
// otherwise the extent of the whole string; (0, 0) when it cannot be measured.
void TextSizeWithFont(HFONT Font, const String& Text, UINT Format, bool WordWrap, int MaxWidth, TSize& Size);
// The height DrawTextW returns.
int DrawTextOnDC(HDC DC, const String& Text, TRect& R, UINT Format);
void DrawPWideText(TCanvas& Canvas, const char16_t* Text, TRect& R, UINT Format);
// Text shortened to fit MaxWidth with a trailing "..."; empty when not even
// one character fits beside it.
void EllipsisText(TCanvas& Canvas, const String& Text, int MaxWidth, String& Result);

// Bits of DrawShadowedText's Flags: the mask text is also drawn one pixel
// to the left, up, right and down.
constexpr int ShadowSpreadLeft = 1, ShadowSpreadUp = 2, ShadowSpreadRight = 4, ShadowSpreadDown = 8;
// Lays the blurred shadow of Text (one pixel right and down of R) over Bmp;
// the text itself is not drawn. ShadowBmp is the 8-bit mask, kept by the
// caller: one of the right size is laid on again without redrawing it.
void DrawShadowedText(TBitmap& Bmp, const String& Text, const TRect& R, UINT Format, int Flags, int Blur,
                      TColor ShadowColor, std::unique_ptr<TBitmap>& ShadowBmp);

// Bit of CalcGlyphTextRects' Flags: right-to-left reading swaps glyph sides.
constexpr int GlyphRectsRightToLeft = 2;
void CalcGlyphTextRects(const TRect& Client, TPoint GlyphSize, TSize TextSize, TButtonLayout Layout,
                        TAlignment Alignment, int Margin, int Spacing, TPoint& GlyphPos, TRect& TextRect,
                        int Flags);

// Selects into DC a font like Font turned by Angle tenths of a degree (and
// "Arial" for "MS Sans Serif"), sets the text colour, and answers the font
// that was selected before. The caller deletes Created after selecting that
// font back; TAngledFont does both.
HFONT CreateAngledFont(HDC DC, const TFont& Font, int Angle, HFONT& Created);

class TAngledFont {
public:
  TAngledFont(HDC DC, const TFont& Font, int Angle) : FDC(DC) { FOld = CreateAngledFont(DC, Font, Angle, FFont); }
  ~TAngledFont() {
    if (FOld) SelectObject(FDC, FOld);
    if (FFont) DeleteObject(FFont);
  }
  TAngledFont(const TAngledFont&) = delete;
  TAngledFont& operator=(const TAngledFont&) = delete;
  HFONT Handle() const { return FFont; }

private:
  HDC FDC;
  HFONT FOld = nullptr;
  HFONT FFont = nullptr;
};

// A turned font kept between paints, made again only when the font's
// description or the angle changes, so the system keeps its turned glyphs.
class TAngledFontCache {
public:
  TAngledFontCache() = default;
  ~TAngledFontCache() { Clear(); }
  TAngledFontCache(const TAngledFontCache&) = delete;
  TAngledFontCache& operator=(const TAngledFontCache&) = delete;
  // The font for Font turned by Angle tenths of a degree; owned by the cache.
  HFONT Get(const TFont& Font, int Angle);
  void Clear();

private:
  HFONT FFont = nullptr;
  LOGFONTW FKey{};
};

// Selects a font into a DC for a scope and puts the previous one back.
class TFontSelection {
public:
  TFontSelection(HDC DC, HFONT Font) : FDC(DC), FOld(SelectObject(DC, Font)) {}
  ~TFontSelection() { SelectObject(FDC, FOld); }
  TFontSelection(const TFontSelection&) = delete;
  TFontSelection& operator=(const TFontSelection&) = delete;

private:
  HDC FDC;
  HGDIOBJ FOld;
};
