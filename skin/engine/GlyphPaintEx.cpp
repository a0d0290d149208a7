#include "skin/engine/GlyphPaintEx.h"
#include "skin/engine/SkinManager.h"
#include "skin/graphics/AlphaCopy.h"
#include "skin/graphics/AlphaImageList.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/Blends.h"
#include "skin/graphics/GlyphPaint.h"
#include "skin/graphics/PixelEffects.h"
#include "skin/graphics/Pixels32.h"
#include <algorithm>

namespace {
bool CheckEmptyAlpha() { return !DefaultManager || DefaultManager->Options().CheckEmptyAlpha(); }

// Frames in the order normal, disabled, pressed when the default manager
// asks for it.
int StdOrderState(const TacGlyphPaintInfo& I) {
  if (!DefaultManager || !DefaultManager->Options().StdGlyphsOrder()) return I.State;
  if (I.State == 0) return I.Enabled ? 0 : 1;
  if (I.State == 1) return 0;
  return I.NumGlyphs < 3 ? 0 : I.State;
}

// A 32-bit glyph whose alpha is empty is drawn as a key-colour glyph.
void DropEmptyAlpha(TBitmap& Glyph) {
  auto saved = Glyph.OnChange;
  Glyph.OnChange = nullptr;
  Glyph.SetHandleType(bmDIB);
  if (Glyph.HandleAllocated() && Glyph.PixelFormat() == pf32bit) {
    TPixelRows rows(&Glyph);
    bool empty = rows.Valid();
    for (int y = 0; empty && y < rows.Height(); ++y)
      for (int x = 0; empty && x < rows.Width(); ++x) empty = (rows.At(x, y) >> 24) == 0;
    if (empty) Glyph.SetPixelFormat(pf24bit);
  }
  Glyph.OnChange = saved;
}

void PaintFromOtherList(const TacGlyphPaintInfo& I, TCustomImageList& List) {
  auto* plain = dynamic_cast<TImageList*>(&List);
  TCanvas* canvas = I.Canvas ? I.Canvas : (I.DstBmp ? I.DstBmp->Canvas() : nullptr);
  if (!I.DstBmp || (plain && plain->ColorDepth() == cd32Bit)) {
    if (canvas) List.Draw(canvas, I.R.Left, I.R.Top, I.ImageIndex, true);
    return;
  }
  const TColor key = List.BkColor() == clNone ? KeyColor : ColorToRGB(List.BkColor());
  const uint32_t keyPixel = ColorToPixel(static_cast<uint32_t>(key)) & 0x00FFFFFFu;
  auto work = NewBmp32(List.Width(), List.Height());
  if (work->Empty()) return;
  FillRect32(*work, TRect(0, 0, work->Width(), work->Height()), key, 0);
  ImageList_Draw(List.Handle(), I.ImageIndex, work->Canvas()->Handle(), 0, 0, ILD_TRANSPARENT);
  GdiFlush();
  const TRect whole(0, 0, work->Width() - 1, work->Height() - 1);
  auto grey = [&] { GrayscaleBmpExcept(*work, Pixel32(*work, 0, 0)); };
  if (!I.Enabled) {
    if (I.DisabledKind & dkGrayed) grey();
    if (I.DisabledKind & dkBlended)
      CopyBmpBlended(*I.DstBmp, I.R.Left, I.R.Top, *work, whole, 0.5, KeyColor);
    else
      CopyExceptKey(*I.DstBmp, *work, I.R.Left, I.R.Top, static_cast<TColor>(ColorToPixel(keyPixel)));
    return;
  }
  if (I.State == 0 && I.Discoloured) grey();
  if (I.State == 0 && I.Blend > 0)
    CopyBmpBlended(*I.DstBmp, I.R.Left, I.R.Top, *work, whole, I.Blend / 100.0, KeyColor);
  else
    CopyExceptKey(*I.DstBmp, *work, I.R.Left, I.R.Top, static_cast<TColor>(ColorToPixel(keyPixel)));
}

void PaintGlyph32(const TacGlyphPaintInfo& I, TColor Tint) {
  TBitmap& glyph = *I.Glyph;
  const int W = std::max(I.R.Width(), 0);
  const int column = std::min(I.State, I.NumGlyphs - 1);
  const TRect src(W * column, 0, W * column + W, glyph.Height());
  if (I.DstBmp) {
    AlphaCopy32(I.R, src, *I.DstBmp, &glyph, EmptyCacheInfo, false, Tint, I.State == 0 ? I.Blend : 0, I.Reflected);
    return;
  }
  if (!I.Canvas) return;
  auto work = NewBmp32(W, std::max(I.R.Height(), 0));
  if (work->Empty()) return;
  BitBlt(work->Canvas()->Handle(), 0, 0, work->Width(), glyph.Height(), glyph.Canvas()->Handle(), src.Left, 0, SRCCOPY);
  GdiFlush();
  int level = I.Blend;
  if (!I.Enabled && (I.DisabledKind & dkBlended)) level = std::max(level, 50);
  if (I.State == 0 && level != 0) {
    TPixelRows rows(work.get());
    for (int y = 0; y < rows.Height(); ++y)
      for (int x = 0; x < rows.Width(); ++x) {
        uint32_t& p = rows.At(x, y);
        p = (p & 0x00FFFFFFu) | ((p >> 24) * static_cast<uint32_t>(100 - level) / 100) << 24;
      }
  }
  if ((!I.Enabled && (I.DisabledKind & dkGrayed)) || (I.State == 0 && I.Discoloured)) GrayscaleBmp(*work);
  DrawBmp32OnCanvas(*I.Canvas, *work, I.R, I.Reflected);
}

void PaintKeyGlyph(const TacGlyphPaintInfo& I) {
  // Frames: normal, disabled, pressed, hot.
  const int mode = (I.Down || I.State == 2) ? 3 : I.State == 1 ? 2 : 0;
  const int blend = !I.Enabled && (I.DisabledKind & dkBlended) ? std::max(I.Blend, 50) : I.Blend;
  if (I.DstBmp) {
    PaintStateGlyph(*I.Glyph, *I.DstBmp, I.R, I.NumGlyphs, I.Enabled, mode, blend, I.State, I.Reflected);
    return;
  }
  if (!I.Canvas) return;
  auto work = NewBmp32(std::max(I.R.Width(), 0), std::max(I.R.Height(), 0));
  if (work->Empty()) return;
  HDC dc = I.Canvas->Handle();
  BitBlt(work->Canvas()->Handle(), 0, 0, work->Width(), work->Height(), dc, I.R.Left, I.R.Top, SRCCOPY);
  GdiFlush();
  PaintStateGlyph(*I.Glyph, *work, TRect(0, 0, work->Width(), work->Height()), I.NumGlyphs, I.Enabled, mode, blend,
                  I.State, I.Reflected);
  BitBlt(dc, I.R.Left, I.R.Top, work->Width(), work->Height(), work->Canvas()->Handle(), 0, 0, SRCCOPY);
  I.Canvas->Changed();
}
}  // namespace

int ListImageCount(TCustomImageList* List) { return List ? List->Count() : 0; }

void CopyListImage(TCustomImageList* List, TBitmap& Bmp, int X, int Y, int ImageIndex, int Blend, TColor TintColor,
                   int StateIndex, int NumGlyphs, bool Reflected, TSize& Size) {
  if (Bmp.Width() <= 0 || !List || !List->HandleAllocated() || ImageIndex < 0) return;
  // No frames counts as one; a state past the last frame is the last.
  NumGlyphs = std::max(NumGlyphs, 1);
  StateIndex = std::clamp(StateIndex, 0, NumGlyphs - 1);
  const int F = List->Width() / NumGlyphs, H = List->Height();
  const TRect target(X, Y, X + F, Y + H);
  const TRect source(F * StateIndex, 0, F * StateIndex + F, H);
  Size = TSize(F, H);
  if (auto* alpha = dynamic_cast<TsAlphaImageList*>(List)) {
    if (auto image = alpha->CreateBitmap32(ImageIndex, List->Width(), H))
      AlphaCopy32(target, source, Bmp, image.get(), EmptyCacheInfo, false, TintColor, Blend, Reflected);
    return;
  }
  auto work = NewBmp32(List->Width(), H);
  if (work->Empty()) return;
  BitBlt(work->Canvas()->Handle(), source.Left, 0, F, H, Bmp.Canvas()->Handle(), X, Y, SRCCOPY);
  List->Draw(work->Canvas(), 0, 0, ImageIndex, true);
  BitBlt(Bmp.Canvas()->Handle(), X, Y, F, H, work->Canvas()->Handle(), source.Left, 0, SRCCOPY);
  GdiFlush();
}

void CopyListImageToDC(TCustomImageList* List, HDC DC, int X, int Y, int ImageIndex, int Blend, TColor TintColor,
                       int StateIndex, int NumGlyphs, bool Reflected) {
  if (!List || !DC) return;
  const int h = List->Height() + (Reflected ? List->Height() / 2 : 0);
  auto work = NewBmp32(List->Width(), h);
  if (work->Empty()) return;
  BitBlt(work->Canvas()->Handle(), 0, 0, work->Width(), h, DC, X, Y, SRCCOPY);
  GdiFlush();
  TSize size;
  CopyListImage(List, *work, 0, 0, ImageIndex, Blend, TintColor, StateIndex, NumGlyphs, Reflected, size);
  BitBlt(DC, X, Y, work->Width(), h, work->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void PaintGlyphEx(const TacGlyphPaintInfo& Info) {
  TacGlyphPaintInfo I = Info;
  // A negative state is the normal one; no frames counts as one frame.
  I.State = std::max(I.State, 0);
  I.NumGlyphs = std::max(I.NumGlyphs, 1);
  const TColor tint =
      (I.State == 0 && I.Discoloured) || (!I.Enabled && (I.DisabledKind & dkGrayed)) ? I.TintColor : ColorNone;
  I.State = StdOrderState(I);
  if (I.Images && I.ImageIndex >= 0 && I.ImageIndex < ListImageCount(I.Images)) {
    if (dynamic_cast<TsAlphaImageList*>(I.Images)) {
      const int transparency = std::max(I.State == 0 ? I.Blend : 0, !I.Enabled && (I.DisabledKind & dkBlended) ? 50 : 0);
      const int frame = I.State + (I.Down ? 1 : 0);
      if (I.DstBmp) {
        TSize size;
        CopyListImage(I.Images, *I.DstBmp, I.R.Left, I.R.Top, I.ImageIndex, transparency, tint, frame, I.NumGlyphs,
                      I.Reflected, size);
      } else if (I.Canvas) {
        CopyListImageToDC(I.Images, I.Canvas->Handle(), I.R.Left, I.R.Top, I.ImageIndex, transparency, tint, frame,
                          I.NumGlyphs, I.Reflected);
        I.Canvas->Changed();
      }
      return;
    }
    PaintFromOtherList(I, *I.Images);
    return;
  }
  if (!I.Glyph || I.Glyph->Empty()) return;
  if (I.Glyph->PixelFormat() == pfDevice || !I.Enabled || (I.Glyph->PixelFormat() == pf32bit && CheckEmptyAlpha()))
    DropEmptyAlpha(*I.Glyph);
  if (I.Glyph->PixelFormat() == pf32bit)
    PaintGlyph32(I, tint);
  else
    PaintKeyGlyph(I);
}
