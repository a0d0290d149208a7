#include "skin/engine/SectionPaint.h"
#include "skin/engine/SkinManager.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/Blends.h"
#include "skin/graphics/ColorFuncs.h"
#include "skin/graphics/DCDrawing.h"
#include "skin/graphics/Gradients.h"
#include "skin/graphics/LibUtils.h"
#include "skin/graphics/MaskGlyph.h"
#include "skin/graphics/MaskPaint.h"
#include "skin/graphics/Pixels32.h"
#include "skin/graphics/TexturePaint.h"
#include <algorithm>
#include <cmath>

namespace {
const TRect NoRest(-1, -1, -1, -1);

struct TLayers {
  TColor Color = 0;
  int Transp = 0, ImgPct = 0, GradPct = 0;
  int TextureIndex = -1;
  const TsGradArray* Grad = nullptr;
};

void FillColor(TBitmap& B, const TRect& R, TColor Color) {
  if (B.PixelFormat() == pf32bit)
    FillRect32(B, R, Color, 255);
  else
    FillDCRect(B.Canvas()->Handle(), R, Color);
}

TBitmap* ImageOf(TsSkinManager& sm, const TsMaskData& md) { return MaskImageOf(md, &sm.Model); }

// The bands, or Color when there are none, straight into R of B.
void GradOrColor(TBitmap& B, const TRect& R, const TLayers& L) {
  if (L.Grad && !L.Grad->empty())
    PaintGrad(B, R, *L.Grad);
  else
    FillColor(B, R, L.Color);
}

void PaintLayers(TsSkinManager& sm, TBitmap& B, const TRect& R, const TLayers& L, const TCacheInfo& CI) {
  const bool validTexture = L.TextureIndex >= 0 && sm.IsValidImgIndex(L.TextureIndex);
  const TsMaskData* tex = validTexture ? &sm.Model.ma[static_cast<size_t>(L.TextureIndex)] : nullptr;
  // Gradient and texture mixed in one pass.
  if (tex && L.ImgPct + L.GradPct == 100 && L.GradPct > 0 && L.GradPct < 100 && tex->DrawMode == 0 && L.Grad &&
      !L.Grad->empty() && (*L.Grad)[0].Mode1 < 2) {
    if (TBitmap* img = ImageOf(sm, *tex))
      PaintGradOverTexture(B, R, *L.Grad, *img, tex->R, L.ImgPct * 255 / 100, 255);
    return;
  }
  bool painted = false;
  if (L.ImgPct > 0) {
    TRect rest = R;
    if (tex) {
      if ((tex->MaskType & 0xFF) != 0)
        PaintMaskedTexture(B, rest, CI, *tex, tex->DrawMode);
      else
        PaintTexture(*B.Canvas(), rest, &B, *tex, tex->DrawMode);
      painted = true;
    }
    if (rest != NoRest) FillColor(B, rest, L.Color);
  }
  if (L.GradPct > 0) {
    if (painted) {
      auto t = NewBmp32(R.Width(), R.Height());
      GradOrColor(*t, TRect(0, 0, R.Width(), R.Height()), L);
      BlendBmpRect(B, *t, static_cast<uint8_t>(std::clamp(L.ImgPct * 255 / 100, 0, 255)), TPoint(R.Left, R.Top),
                   TRect(0, 0, R.Width(), R.Height()));
    } else {
      GradOrColor(B, R, L);
    }
  }
  const int sum = L.ImgPct + L.GradPct;
  if (sum == 0) {
    if (!CI.Ready && L.Transp != 0)
      FillColor(B, R, L.Transp == 100 ? L.Color : BlendColorPair(L.Color, CI.FillColor, L.Transp / 100.0));
    else
      FillColor(B, R, L.Color);
  } else if (sum < 100) {
    BlendRectWithColor(B, TRect(R.Left, R.Top, R.Right - 1, R.Bottom - 1), static_cast<uint8_t>(sum), L.Color);
  }
}

// The parent's block behind R; nothing when the parent is the bitmap itself.
void CopyParent(TBitmap& Bmp, const TRect& R, const TCacheInfo& CI, TPoint Offset) {
  if (!CI.Bmp || CI.Bmp == &Bmp) return;
  BitBlt(Bmp.Canvas()->Handle(), R.Left, R.Top, R.Width(), R.Height(), CI.Bmp->Canvas()->Handle(), CI.X + Offset.X,
         CI.Y + Offset.Y, SRCCOPY);
  GdiFlush();
}

// The parent's frame where R falls on it, its fill colour elsewhere.
void CopyParentFrame(TBitmap& Bmp, const TRect& R, const TCacheInfo& CI, TPoint Offset) {
  const int W = R.Width(), H = R.Height();
  const TRect E(Offset.X, Offset.Y, Offset.X + W, Offset.Y + H);
  const int BW = CI.Bmp->Width(), BH = CI.Bmp->Height();
  const TRect& FR = CI.FillRect;
  HDC d = Bmp.Canvas()->Handle(), s = CI.Bmp->Canvas()->Handle();
  int DL = 0, DT = 0, DR = 0, DB = 0;
  if (FR.Left - CI.X > 0 && FR.Left > E.Left) {
    DL = FR.Left - E.Left;
    BitBlt(d, R.Left, R.Top, DL, H, s, CI.X + Offset.X, CI.Y + Offset.Y, SRCCOPY);
  }
  if (FR.Top - CI.Y > 0 && FR.Top > E.Top) {
    DT = FR.Top - E.Top;
    BitBlt(d, R.Left, R.Top, W, DT, s, CI.X + Offset.X, CI.Y + Offset.Y, SRCCOPY);
  }
  if (FR.Right > 0 && BW - FR.Right < E.Right && E.Right < BW) {
    DR = E.Right - (BW - FR.Right);
    BitBlt(d, R.Right - DR, R.Top, DR, H, s, CI.X + BW - FR.Right, CI.Y + Offset.Y, SRCCOPY);
  }
  if (FR.Bottom > 0 && BH - FR.Bottom < E.Bottom && E.Bottom < BH) {
    DB = E.Bottom - (BH - FR.Bottom);
    BitBlt(d, R.Left, R.Bottom - DB, W, DB, s, CI.X + Offset.X, CI.Y + BH - FR.Bottom, SRCCOPY);
  }
  GdiFlush();
  FillRect32(Bmp, TRect(R.Left + DL, R.Top + DT, R.Right - DR, R.Bottom - DB), CI.FillColor, 255);
}

bool InsideBitmap(const TRect& R, const TBitmap& Bmp) {
  return R.Left >= 0 && R.Top >= 0 && R.Right <= Bmp.Width() && R.Bottom <= Bmp.Height();
}
}  // namespace

void PaintSectionBg(int SkinIndex, const TCacheInfo& CI, int State, const TRect& R, TPoint Offset, TBitmap* Bmp,
                    TsSkinManager* SkinManager, int TextureIndex, int HotTextureIndex, TColor CustomColor) {
  TsSkinManager* sm = SkinManager ? SkinManager : DefaultManager;
  if (!sm || !Bmp || !sm->IsValidSkinIndex(SkinIndex) || R.Width() <= 0 || R.Height() <= 0) return;
  const TsGeneralData& gd = sm->Model.gd[static_cast<size_t>(SkinIndex)];
  State = std::clamp(std::min(State, gd.States - 1), 0, 1);
  const TsGenState& S = gd.Props[static_cast<size_t>(State)];
  TLayers L;
  L.TextureIndex = TextureIndex;
  if (CustomColor == KeyColor) {
    L.Color = S.Color;
    L.Transp = S.Transparency;
    if (L.Transp != 100) {
      L.ImgPct = S.ImagePercent;
      L.GradPct = S.GradientPercent;
    }
    if (L.ImgPct > 0 && L.TextureIndex < 0) L.TextureIndex = S.TextureIndex;
    if (L.GradPct != 0) L.Grad = &S.GradientArray;
  } else {
    L.Color = CustomColor;
  }
  TBitmap& B = *Bmp;
  if ((!CI.Ready && CI.FillColor == KeyColor) || L.Transp == 0) {
    PaintLayers(*sm, B, R, L, CI);
  } else if (L.Transp == 100) {
    if (CI.Ready && CI.Bmp)
      CopyParent(B, R, CI, Offset);
    else if (CI.Bmp)
      CopyParentFrame(B, R, CI, Offset);
    else
      FillRect32(B, R, CI.FillColor, 255);
  } else if (CI.Ready || L.ImgPct + L.GradPct != 0) {
    auto t = NewBmp32(R.Width(), R.Height());
    PaintLayers(*sm, *t, TRect(0, 0, R.Width(), R.Height()), L, CI);
    if (CI.Ready)
      CopyParent(B, R, CI, Offset);
    else
      FillRect32(B, R, CI.FillColor, 255);
    BlendBmpRect(B, *t, static_cast<uint8_t>(std::lround(L.Transp * 2.55)), TPoint(R.Left, R.Top),
                 TRect(0, 0, R.Width(), R.Height()));
  } else {
    FillRect32(B, R, BlendColorPair(CI.FillColor, L.Color, L.Transp / 100.0), 255);
  }
  // A whole-tile masked texture also lies over the finished background.
  if (L.TextureIndex < 0) L.TextureIndex = S.TextureIndex;
  const int overlay = State == 0 ? L.TextureIndex : HotTextureIndex;
  if (overlay != -1 && sm->IsValidImgIndex(overlay)) {
    const TsMaskData& md = sm->Model.ma[static_cast<size_t>(overlay)];
    if (md.MaskType > 0 && md.DrawMode == 10) {
      TCacheInfo moved = CI;
      moved.X += Offset.X;
      moved.Y += Offset.Y;
      TRect r = R;
      PaintMaskedTexture(B, r, moved, md, 10);
    }
  }
}

void PaintSectionFull(int SkinIndex, const TCacheInfo& CI, bool, int State, const TRect& R, TPoint Offset,
                      TBitmap* Bmp, TsSkinManager* SkinManager, int TextureIndex, int HotTextureIndex) {
  if (!Bmp || R.Width() <= 0 || R.Height() <= 0) return;
  TsSkinManager* sm = SkinManager ? SkinManager : DefaultManager;
  if (!sm || !sm->IsValidSkinIndex(SkinIndex) || !InsideBitmap(R, *Bmp)) return;
  const TsGeneralData& gd = sm->Model.gd[static_cast<size_t>(SkinIndex)];
  State = std::max(std::min(State, gd.States - 1), 0);
  PaintSectionBg(SkinIndex, CI, State, R, Offset, Bmp, sm, TextureIndex, HotTextureIndex, KeyColor);
  const TCacheInfo own = InitCacheInfo(Bmp, 0, 0);
  auto corner = [&](int index, bool right, bool bottom) {
    if (index < 0 || !sm->IsValidImgIndex(index)) return;
    const TsMaskData& md = sm->Model.ma[static_cast<size_t>(index)];
    const TPoint at(right ? R.Right - MaskFrameWidth(md) : R.Left, bottom ? R.Bottom - MaskFrameHeight(md) : R.Top);
    PaintMaskGlyph(*Bmp, at, State, 1, md, own);
  };
  corner(gd.ImgTL, false, false);
  corner(gd.ImgTR, true, false);
  corner(gd.ImgBL, false, true);
  corner(gd.ImgBR, true, true);
  if (gd.BorderIndex >= 0 && sm->IsValidImgIndex(gd.BorderIndex)) {
    TCacheInfo moved = CI;
    moved.X += Offset.X;
    moved.Y += Offset.Y;
    PaintMaskRect(*Bmp, R, moved, sm->Model.ma[static_cast<size_t>(gd.BorderIndex)], State, true);
  }
}

void PaintSectionOnDC(int SkinIndex, const TCacheInfo& CI, bool Flag, int State, const TRect& R, TPoint Offset, HDC DC,
                      TsSkinManager* SkinManager) {
  TsSkinManager* sm = SkinManager ? SkinManager : DefaultManager;
  if (!sm || !sm->IsValidSkinIndex(SkinIndex) || R.Left < 0 || R.Top < 0 || R.Width() <= 0 || R.Height() <= 0) return;
  const int saved = SaveDC(DC);
  auto t = NewBmp32(R.Width(), R.Height());
  PaintSectionFull(SkinIndex, CI, Flag, State, TRect(0, 0, R.Width(), R.Height()), Offset, t.get(), sm, -1, -1);
  BitBlt(DC, R.Left, R.Top, R.Width(), R.Height(), t->Canvas()->Handle(), 0, 0, SRCCOPY);
  RestoreDC(DC, saved);
}

int PaintSectionByName(TBitmap& Bmp, const String& Name, const String& AltName, int State, TsSkinManager* SkinManager,
                       const TRect& R, TColor FillColor, HDC DC) {
  TsSkinManager* sm = SkinManager ? SkinManager : DefaultManager;
  if (!sm) return -1;
  int index = sm->GetSkinIndex(Name);
  if (!sm->IsValidSkinIndex(index)) index = sm->GetSkinIndex(AltName);
  if (!sm->IsValidSkinIndex(index)) return index;
  TCacheInfo ci;
  ci.FillColor = FillColor;
  ci.Ready = DC != nullptr;
  if (DC) {
    BitBlt(Bmp.Canvas()->Handle(), 0, 0, Bmp.Width(), Bmp.Height(), DC, R.Left, R.Top, SRCCOPY);
    GdiFlush();
    ci.Bmp = &Bmp;
  }
  PaintSectionFull(index, ci, true, State, TRect(0, 0, Bmp.Width(), Bmp.Height()), TPoint(0, 0), &Bmp, sm, -1, -1);
  return index;
}

namespace {
void PaintLightLayers(TsSkinManager& sm, TBitmap& B, TRect R, const TLayers& L, const TCacheInfo& CI) {
  bool painted = false;
  if (L.ImgPct > 0) {
    const TRect whole = R;
    if (sm.IsValidImgIndex(L.TextureIndex)) {
      const TsMaskData& tex = sm.Model.ma[static_cast<size_t>(L.TextureIndex)];
      if ((tex.MaskType & 0xFF) != 0)
        PaintMaskedTexture(B, R, CI, tex, tex.DrawMode);
      else
        PaintTexture(*B.Canvas(), R, &B, tex, tex.DrawMode);
      painted = true;
    }
    if (R == NoRest)
      R = whole;
    else
      FillColor(B, R, L.Color);
  }
  if (L.GradPct > 0) {
    if (painted) {
      auto t = NewBmp32(R.Width(), R.Height());
      GradOrColor(*t, TRect(0, 0, R.Width(), R.Height()), L);
      BlendBmpRect(B, *t, static_cast<uint8_t>(std::clamp(L.ImgPct * 255 / 100, 0, 255)), TPoint(R.Left, R.Top),
                   TRect(0, 0, R.Width(), R.Height()));
    } else {
      GradOrColor(B, R, L);
    }
  }
  const int sum = L.ImgPct + L.GradPct;
  if (sum > 0 && sum < 100)
    BlendRectWithColor(B, TRect(R.Left, R.Top, R.Right - 1, R.Bottom - 1), static_cast<uint8_t>(sum), L.Color);
  else if (sum != 100)
    FillColor(B, R, !CI.Ready && L.Transp == 100 ? CI.FillColor : L.Color);
}
}  // namespace

void PaintSectionBgLite(int SkinIndex, int TextureIndex, int, const TCacheInfo& CI, int State, const TRect& R,
                        TPoint Offset, TBitmap* Bmp, TsSkinManager* SkinManager) {
  TsSkinManager* sm = SkinManager ? SkinManager : DefaultManager;
  if (!sm || !Bmp || !sm->IsValidSkinIndex(SkinIndex) || R.Width() <= 0 || R.Height() <= 0) return;
  const TsGenState& S = sm->Model.gd[static_cast<size_t>(SkinIndex)].Props[State > 0 ? 1 : 0];
  TLayers L;
  L.Color = S.Color;
  L.ImgPct = S.ImagePercent;
  L.GradPct = S.GradientPercent;
  L.Transp = S.Transparency;
  if (L.GradPct != 0) L.Grad = &S.GradientArray;
  L.TextureIndex = TextureIndex;
  if (!CI.Ready || L.Transp == 0) {
    PaintLightLayers(*sm, *Bmp, R, L, CI);
  } else if (L.Transp < 100) {
    auto t = NewBmp32(R.Width(), R.Height());
    PaintLightLayers(*sm, *t, TRect(0, 0, R.Width(), R.Height()), L, CI);
    CopyParent(*Bmp, R, CI, Offset);
    BlendBmpRect(*Bmp, *t, static_cast<uint8_t>(L.Transp * 255 / 100), TPoint(R.Left, R.Top),
                 TRect(0, 0, R.Width(), R.Height()));
  } else {
    CopyParent(*Bmp, R, CI, Offset);
  }
}

void PaintSectionAndBorder(int SkinIndex, int BorderIndex, int TextureIndex, int HotTextureIndex, const TCacheInfo& CI,
                           bool, int State, const TRect& R, TPoint Offset, TBitmap* Bmp, TsSkinManager* SkinManager) {
  TsSkinManager* sm = SkinManager ? SkinManager : DefaultManager;
  if (!sm || !Bmp || !sm->IsValidSkinIndex(SkinIndex) || !InsideBitmap(R, *Bmp)) return;
  State = std::max(std::min(State, sm->Model.gd[static_cast<size_t>(SkinIndex)].States - 1), 0);
  PaintSectionBgLite(SkinIndex, TextureIndex, HotTextureIndex, CI, State, R, Offset, Bmp, sm);
  if (!sm->IsValidImgIndex(BorderIndex)) return;
  TCacheInfo moved = CI;
  moved.X += Offset.X;
  moved.Y += Offset.Y;
  PaintMaskRect(*Bmp, R, moved, sm->Model.ma[static_cast<size_t>(BorderIndex)], State, true);
}
