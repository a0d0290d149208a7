#include "controls/RxButtonGlyph.h"

#include "controls/RxVCLUtils.h"

#include <windows.h>

#include <commctrl.h>

// ---- TGlyphList ----------------------------------------------------------

TGlyphList::TGlyphList(int width, int height) : TImageList(nullptr) {
  SetWidth(width);
  SetHeight(height);
}

int TGlyphList::AllocateIndex() {
  for (size_t i = 0; i < FUsed.size(); ++i) {
    if (!FUsed[i]) {
      FUsed[i] = true;
      return static_cast<int>(i);
    }
  }
  const int index = TImageList::Count();
  ImageList_SetImageCount(Handle(), static_cast<UINT>(index + 1));
  if (FUsed.size() < static_cast<size_t>(index + 1)) FUsed.resize(static_cast<size_t>(index + 1));
  FUsed[static_cast<size_t>(index)] = true;
  return index;
}

int TGlyphList::Add(TBitmap* image, TBitmap* mask) {
  const int index = AllocateIndex();
  Replace(index, image, mask);
  ++FCount;
  return index;
}

int TGlyphList::AddMasked(TBitmap* image, TColor maskColor) {
  // The image list draws the image over the masked-out destination, so
  // masked pixels of the image must be black.
  const int w = Width();
  const int h = Height();
  TBitmap color;
  color.SetSize(w, h);
  color.Canvas()->CopyRect(Rect(0, 0, w, h), image->Canvas(), Rect(0, 0, w, h));
  TBitmap mask;
  mask.SetPixelFormat(pf1bit);
  mask.SetSize(w, h);
  const COLORREF key = static_cast<COLORREF>(ColorToRGB(maskColor) & 0xFFFFFF);
  HDC colorDC = color.Canvas()->Handle();
  HDC maskDC = mask.Canvas()->Handle();
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const bool transparent = (GetPixel(colorDC, x, y) & 0xFFFFFF) == key;
      SetPixel(maskDC, x, y, transparent ? RGB(255, 255, 255) : RGB(0, 0, 0));
      if (transparent) SetPixel(colorDC, x, y, RGB(0, 0, 0));
    }
  }
  return Add(&color, &mask);
}

void TGlyphList::Delete(int index) {
  if (index < 0 || static_cast<size_t>(index) >= FUsed.size() || !FUsed[static_cast<size_t>(index)])
    return;
  --FCount;
  FUsed[static_cast<size_t>(index)] = false;
}

// ---- TGlyphCache ---------------------------------------------------------

TGlyphList* TGlyphCache::GetList(int width, int height) {
  for (auto it = FGlyphLists.rbegin(); it != FGlyphLists.rend(); ++it)
    if ((*it)->Width() == width && (*it)->Height() == height) return it->get();
  FGlyphLists.push_back(std::make_unique<TGlyphList>(width, height));
  return FGlyphLists.back().get();
}

void TGlyphCache::ReturnList(TGlyphList* list) {
  if (!list || list->Count() != 0) return;
  for (auto it = FGlyphLists.begin(); it != FGlyphLists.end(); ++it) {
    if (it->get() == list) {
      FGlyphLists.erase(it);
      return;
    }
  }
}

namespace {
std::unique_ptr<TGlyphCache> TheGlyphCache;
}

TGlyphCache* GlyphCacheInstance() { return TheGlyphCache.get(); }

// ---- TRxButtonGlyph ------------------------------------------------------

namespace {

bool IsDisabled(TRxButtonState s) { return s == TRxButtonState::rbsDisabled; }
size_t Ord(TRxButtonState s) { return static_cast<size_t>(s); }

}  // namespace

TRxButtonGlyph::TRxButtonGlyph() : FOriginal(std::make_unique<TBitmap>()) {
  FIndexs.fill(-1);
  FOriginal->OnChange = [this](TObject*) { GlyphBitmapChanged(); };
  if (!TheGlyphCache) TheGlyphCache = std::make_unique<TGlyphCache>();
}

TRxButtonGlyph::~TRxButtonGlyph() {
  FOriginal->OnChange = nullptr;
  FOriginal.reset();
  Invalidate();
  if (TheGlyphCache && TheGlyphCache->Empty()) TheGlyphCache.reset();
}

void TRxButtonGlyph::Invalidate() {
  for (int& index : FIndexs) {
    if (index != -1 && FGlyphList) FGlyphList->Delete(index);
    index = -1;
  }
  if (FGlyphList && TheGlyphCache) TheGlyphCache->ReturnList(FGlyphList);
  FGlyphList = nullptr;
  FListSource = nullptr;
  FListSourceIndex = -1;
}

void TRxButtonGlyph::SetGlyph(TBitmap* value) {
  Invalidate();
  if (value)
    FOriginal->Assign(*value);
  else
    FOriginal->SetSize(0, 0);
}

void TRxButtonGlyph::GlyphBitmapChanged() {
  Invalidate();
  if (FOriginal->Height() > 0) {
    FTransparentColor = FOriginal->TransparentColor() & ~0x02000000;
    if (FOriginal->Width() % FOriginal->Height() == 0) {
      const int glyphs = FOriginal->Width() / FOriginal->Height();
      SetNumGlyphs(glyphs <= 5 ? glyphs : 1);
    }
  }
  if (OnChange) OnChange(this);
}

void TRxButtonGlyph::SetNumGlyphs(int value) {
  if (value == FNumGlyphs || value <= 0) return;
  Invalidate();
  FNumGlyphs = value;
}

TColor TRxButtonGlyph::GrayColor(TColor color) const {
  const TColor rgb = color & 0xFFFFFF;
  if (rgb == (FTransparentColor & 0xFFFFFF) || rgb == ColorToRGB(clBtnFace)) return color;
  const int gray = (GetRValue(rgb) * 77 + GetGValue(rgb) * 150 + GetBValue(rgb) * 29) >> 8;
  return RGBColor(static_cast<uint8_t>(gray), static_cast<uint8_t>(gray), static_cast<uint8_t>(gray));
}

int TRxButtonGlyph::PrepareStateImage(TRxButtonState state) {
  if (state == TRxButtonState::rbsDown && FNumGlyphs < 3) state = TRxButtonState::rbsUp;
  int& slot = FIndexs[Ord(state)];
  if (slot != -1) return slot;
  if (FOriginal->Width() <= 0 || FOriginal->Height() <= 0 || FOriginal->Empty()) return -1;
  const int iw = FOriginal->Width() / FNumGlyphs;
  const int ih = FOriginal->Height();
  if (iw <= 0) return -1;
  if (!FGlyphList) FGlyphList = TheGlyphCache->GetList(iw, ih);

  const int ordinal = static_cast<int>(state);
  const int cell = ordinal < FNumGlyphs ? ordinal : 0;
  TBitmap image;
  image.SetSize(iw, ih);
  const TRect bounds = Rect(0, 0, iw, ih);

  switch (state) {
    case TRxButtonState::rbsDisabled:
      if (FNumGlyphs >= 2) {
        image.Canvas()->CopyRect(bounds, FOriginal->Canvas(), Bounds(iw, 0, iw, ih));
        slot = FGlyphList->AddMasked(&image, FTransparentColor);
      } else {
        auto disabled = MakeDisabledBitmap(FOriginal.get(), clBlack, clBtnFace, true,
                                           clBtnShadow, clBtnHighlight);
        slot = FGlyphList->AddMasked(disabled.get(), ColorToRGB(clBtnFace));
      }
      break;
    case TRxButtonState::rbsInactive:
      if (FNumGlyphs >= 5) {
        image.Canvas()->CopyRect(bounds, FOriginal->Canvas(), Bounds(4 * iw, 0, iw, ih));
      } else {
        TCanvas* source = FOriginal->Canvas();
        TCanvas* target = image.Canvas();
        for (int y = 0; y < ih; ++y)
          for (int x = 0; x < iw; ++x) target->SetPixels(x, y, GrayColor(source->Pixels(x, y)));
      }
      slot = FGlyphList->AddMasked(&image, FTransparentColor);
      break;
    default:
      image.Canvas()->CopyRect(bounds, FOriginal->Canvas(), Bounds(cell * iw, 0, iw, ih));
      slot = FGlyphList->AddMasked(&image, FTransparentColor);
      break;
  }
  FOriginal->Dormant();
  return slot;
}

int TRxButtonGlyph::PrepareListImage(TRxButtonState state, TCustomImageList* images, int index) {
  if (state == TRxButtonState::rbsDown) state = TRxButtonState::rbsUp;
  if (FListSource != images || FListSourceIndex != index) {
    Invalidate();
    FListSource = images;
    FListSourceIndex = index;
  }
  int& slot = FIndexs[Ord(state)];
  if (slot != -1) return slot;
  const int iw = images->Width();
  const int ih = images->Height();
  if (!FGlyphList) FGlyphList = TheGlyphCache->GetList(iw, ih);
  TBitmap image;
  image.SetSize(iw, ih);
  image.Canvas()->Brush()->SetColor(clBtnFace);
  image.Canvas()->FillRect(Rect(0, 0, iw, ih));
  if (state == TRxButtonState::rbsDisabled) {
    DrawImageDisabled(images, image.Canvas(), 0, 0, index, clBtnHighlight, clBtnShadow, true);
    slot = FGlyphList->AddMasked(&image, ColorToRGB(clBtnFace));
  } else if (state == TRxButtonState::rbsInactive) {
    images->Draw(image.Canvas(), 0, 0, index, true);
    TCanvas* c = image.Canvas();
    for (int y = 0; y < ih; ++y)
      for (int x = 0; x < iw; ++x) c->SetPixels(x, y, GrayColor(c->Pixels(x, y)));
    slot = FGlyphList->AddMasked(&image, ColorToRGB(clBtnFace));
  } else {
    images->Draw(image.Canvas(), 0, 0, index, true);
    slot = FGlyphList->AddMasked(&image, ColorToRGB(clBtnFace));
  }
  return slot;
}

TSize TRxButtonGlyph::DrawButtonGlyph(TCanvas* canvas, int x, int y, TRxButtonState state) {
  if (!FOriginal || FOriginal->Empty() || FOriginal->Width() == 0 || FOriginal->Height() == 0)
    return {0, 0};
  const int index = PrepareStateImage(state);
  if (index < 0) return {0, 0};
  canvas->Changing();
  ImageList_DrawEx(FGlyphList->Handle(), index, canvas->Handle(), x, y, 0, 0, CLR_NONE, CLR_NONE,
                   ILD_NORMAL);
  canvas->Changed();
  return {FGlyphList->Width(), FGlyphList->Height()};
}

TSize TRxButtonGlyph::DrawButtonImage(TCanvas* canvas, int x, int y, TCustomImageList* images,
                                      int imageIndex, TRxButtonState state) {
  if (!images || imageIndex < 0 || imageIndex >= images->Count()) return {0, 0};
  if (state == TRxButtonState::rbsDisabled) {
    DrawImageDisabled(images, canvas, x, y, imageIndex, clBtnHighlight, clBtnShadow, true);
  } else if (state == TRxButtonState::rbsInactive) {
    const int index = PrepareListImage(state, images, imageIndex);
    canvas->Changing();
    ImageList_DrawEx(FGlyphList->Handle(), index, canvas->Handle(), x, y, 0, 0, CLR_NONE,
                     CLR_NONE, ILD_NORMAL);
    canvas->Changed();
  } else {
    images->Draw(canvas, x, y, imageIndex, true);
  }
  return {images->Width(), images->Height()};
}

void TRxButtonGlyph::DrawButtonText(TCanvas* canvas, const String& caption, TRect rect,
                                    TRxButtonState state, UINT flags) {
  canvas->Brush()->SetStyle(bsClear);
  const TTextFormat format = flags | tfVerticalCenter | (FWordWrap ? tfWordBreak : 0);
  if (IsDisabled(state)) {
    TRect shifted = rect;
    shifted.Left += 1;
    shifted.Top += 1;
    shifted.Right += 1;
    shifted.Bottom += 1;
    canvas->Font()->SetColor(clBtnHighlight);
    canvas->TextRect(shifted, caption, format);
    canvas->Font()->SetColor(clBtnShadow);
    canvas->TextRect(rect, caption, format);
  } else {
    canvas->TextRect(rect, caption, format);
  }
}

namespace {

void PaintMark(TCanvas* canvas, int x, int y, TColor color) {
  canvas->Pen()->SetColor(color);
  canvas->Pen()->SetStyle(psSolid);
  canvas->Pen()->SetWidth(1);
  // Rows of 7, 5, 3 and 1 pixels, pointing down.
  for (int row = 0; row < 4; ++row) {
    canvas->MoveTo(x + row, y - 1 + row);
    canvas->LineTo(x + 7 - row, y - 1 + row);
  }
}

}  // namespace

void TRxButtonGlyph::DrawPopupMark(TCanvas* canvas, int x, int y, TRxButtonState state) {
  if (IsDisabled(state)) {
    PaintMark(canvas, x + 1, y + 1, clBtnHighlight);
    PaintMark(canvas, x, y, clBtnShadow);
  } else {
    PaintMark(canvas, x, y, clBtnText);
  }
}

TRxButtonGlyph::TLayout TRxButtonGlyph::LayoutGlyphAndText(
    TCanvas* canvas, const TRect& client, const String& caption, TButtonLayout layout,
    int margin, int spacing, bool popupMark, TCustomImageList* images, int imageIndex,
    UINT flags) {
  TSize glyph;
  if (images && images->Width() > 0 && imageIndex >= 0 && imageIndex < images->Count())
    glyph = {images->Width(), images->Height()};
  else if (FOriginal && !FOriginal->Empty() && FOriginal->Width() > 0 && FOriginal->Height() > 0)
    glyph = {FOriginal->Width() / FNumGlyphs, FOriginal->Height()};

  const TSize area =
      CaptionArea({client.Width(), client.Height()}, glyph, layout, margin, spacing, popupMark);
  TLayout result;
  result.Caption = ShortenCaption(caption, area.cx, FWordWrap,
                                  [canvas](const String& s) { return canvas->TextWidth(s); });
  TSize text;
  if (!result.Caption.empty()) {
    TRect measured = Rect(0, 0, area.cx, 0);
    canvas->TextRect(measured, result.Caption,
                     tfCalcRect | tfCenter | tfVerticalCenter | (FWordWrap ? tfWordBreak : 0) | flags);
    text = {std::min(measured.Width(), area.cx), std::min(measured.Height(), area.cy)};
  }
  result.Placement = ArrangeGlyphAndText(client, glyph, text, layout, margin, spacing, popupMark);
  return result;
}

TRect TRxButtonGlyph::Draw(TCanvas* canvas, const TRect& client, const String& caption,
                           TButtonLayout layout, int margin, int spacing, bool popupMark,
                           TRxButtonState state, UINT flags) {
  return DrawEx(canvas, client, caption, layout, margin, spacing, popupMark, nullptr, -1, state,
                flags);
}

TRect TRxButtonGlyph::DrawEx(TCanvas* canvas, const TRect& client, const String& caption,
                             TButtonLayout layout, int margin, int spacing, bool popupMark,
                             TCustomImageList* images, int imageIndex, TRxButtonState state,
                             UINT flags) {
  const TLayout l = LayoutGlyphAndText(canvas, client, caption, layout, margin, spacing,
                                       popupMark, images, imageIndex, flags);
  const TPoint at = l.Placement.GlyphPos;
  TSize drawn;
  if (images && images->Width() > 0 && imageIndex >= 0 && imageIndex < images->Count())
    drawn = DrawButtonImage(canvas, at.X, at.Y, images, imageIndex, state);
  else
    drawn = DrawButtonGlyph(canvas, at.X, at.Y, state);
  const TRect textBounds = l.Placement.TextBounds;
  DrawButtonText(canvas, l.Caption, textBounds, state, flags);
  if (popupMark) {
    if (layout != blGlyphLeft && (drawn.cx > 0 || drawn.cy > 0)) {
      DrawPopupMark(canvas, at.X + drawn.cx + 1, at.Y + drawn.cy / 2, state);
    } else {
      const int x = l.Caption.empty() ? (client.Left + client.Right - 7) / 2 : textBounds.Right + 3;
      DrawPopupMark(canvas, x, (textBounds.Top + textBounds.Bottom) / 2, state);
    }
  }
  return textBounds;
}

// ---- Frames --------------------------------------------------------------

TRect DrawSpeedButtonFrame(TCanvas* canvas, const TRect& client, bool isDown, TButtonStyle style,
                           bool isFlat) {
  // Every system this runs on has the new-style controls.
  const bool newStyle = style == bsNew || style == bsAutoDetect;
  TRect r = client;
  if (isDown) {
    if (newStyle) {
      if (!isFlat) {
        Frame3D(canvas, r, clWindowFrame, clBtnHighlight, 1);
        Frame3D(canvas, r, clBtnShadow, clBtnFace, 1);
      } else {
        Frame3D(canvas, r, clBtnShadow, clBtnHighlight, 1);
      }
    } else if (!isFlat) {
      Frame3D(canvas, r, clWindowFrame, clWindowFrame, 1);
      canvas->Pen()->SetColor(clBtnShadow);
      canvas->Polyline({TPoint(r.Left, r.Bottom - 1), TPoint(r.Left, r.Top), TPoint(r.Right, r.Top)});
    } else {
      Frame3D(canvas, r, clBtnShadow, clBtnHighlight, 1);
    }
  } else if (!newStyle) {
    if (!isFlat) {
      Frame3D(canvas, r, clWindowFrame, clWindowFrame, 1);
      Frame3D(canvas, r, clBtnHighlight, clBtnShadow, 1);
    } else {
      Frame3D(canvas, r, clBtnHighlight, clWindowFrame, 1);
    }
  } else if (!isFlat) {
    Frame3D(canvas, r, clBtnHighlight, clWindowFrame, 1);
    Frame3D(canvas, r, clBtnFace, clBtnShadow, 1);
  } else {
    Frame3D(canvas, r, clBtnHighlight, clBtnShadow, 1);
  }
  r.Left += 1;
  r.Top += 1;
  r.Right -= 1;
  r.Bottom -= 1;
  return r;
}
