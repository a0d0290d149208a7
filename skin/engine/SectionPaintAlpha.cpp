#include "skin/engine/SectionPaintAlpha.h"
#include "skin/engine/SkinManager.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/Blends.h"
#include "skin/graphics/Gradients.h"
#include "skin/graphics/LibUtils.h"
#include "skin/graphics/MaskPaintAlpha.h"
#include "skin/graphics/Pixels32.h"
#include "skin/graphics/TexturePaint.h"
#include <algorithm>
#include <cmath>

void BlendFillRect32(TBitmap& Bmp, TRect R, TColor Color, int Percent, uint8_t Alpha) {
  GdiFlush();
  TPixelRows rows(&Bmp);
  if (!rows.Valid()) return;
  R.Left = std::max<int>(R.Left, 0);
  R.Top = std::max<int>(R.Top, 0);
  R.Right = std::min<int>(R.Right, rows.Width());
  R.Bottom = std::min<int>(R.Bottom, rows.Height());
  const uint32_t c = ColorToPixel(static_cast<uint32_t>(Color));
  for (int y = R.Top; y < R.Bottom; ++y)
    for (int x = R.Left; x < R.Right; ++x) {
      uint32_t& p = rows.At(x, y);
      uint32_t out = static_cast<uint32_t>(Alpha) << 24;
      for (int k = 0; k < 3; ++k) {
        const int pc = static_cast<int>(p >> (8 * k) & 0xFF), cc = static_cast<int>(c >> (8 * k) & 0xFF);
        out |= static_cast<uint32_t>((pc - (pc - cc) * Percent / 100) & 0xFF) << (8 * k);
      }
      p = out;
    }
}

void PaintSectionBgAlpha(TBitmap& Bmp, const TRect& R, int SkinIndex, int State, TsSkinManager* SkinManager,
                         TColor CustomColor) {
  TsSkinManager* sm = SkinManager ? SkinManager : DefaultManager;
  if (!sm || !sm->IsValidSkinIndex(SkinIndex)) return;
  const TsGenState& S = sm->Model.gd[static_cast<size_t>(SkinIndex)].Props[State > 0 ? 1 : 0];
  const bool whole = R == TRect(0, 0, Bmp.Width(), Bmp.Height());
  if (S.Transparency == 100) {
    if (whole) FillRect32(Bmp, R, 0, 0);
    return;
  }
  TColor color = CustomColor;
  int T = 0, IP = 0, GP = 0, texIndex = -1;
  const TsGradArray* grad = nullptr;
  if (CustomColor == KeyColor) {
    color = S.Color;
    T = S.Transparency;
    IP = S.ImagePercent;
    GP = S.GradientPercent;
    if (GP > 0) grad = &S.GradientArray;
    if (IP > 0) texIndex = S.TextureIndex;
  }
  const TsMaskData* tex = sm->IsValidImgIndex(texIndex) ? &sm->Model.ma[static_cast<size_t>(texIndex)] : nullptr;
  if (tex && IP + GP == 100 && GP > 0 && GP < 100 && tex->DrawMode == 0 && grad && !grad->empty() &&
      (*grad)[0].Mode1 < 2) {
    if (TBitmap* img = MaskImageOf(*tex, &sm->Model))
      PaintGradOverTexture(Bmp, R, *grad, *img, tex->R, IP * 255 / 100,
                           static_cast<uint8_t>(255 * std::lround(1 - T / 100.0)));
    return;
  }
  auto gradOrColor = [&](TBitmap& B, const TRect& r) {
    if (grad && !grad->empty())
      PaintGrad(B, r, *grad);
    else
      FillRect32(B, r, color, 255);
  };
  bool painted = false;
  if (IP > 0 && tex) {
    TRect rest = R;
    if (tex->MaskType > 0)
      PaintMaskedTexture(Bmp, rest, EmptyCacheInfo, *tex, tex->DrawMode);
    else
      PaintTexture(*Bmp.Canvas(), rest, &Bmp, *tex, tex->DrawMode);
    painted = true;
    if (rest.Right != -1) FillRect32(Bmp, rest, color, 255);
  }
  if (GP > 0) {
    if (!painted) {
      gradOrColor(Bmp, R);
      return;
    }
    auto t = NewBmp32(R.Width(), R.Height());
    gradOrColor(*t, TRect(0, 0, R.Width(), R.Height()));
    BlendBmpRect(Bmp, *t, static_cast<uint8_t>(std::clamp(IP * 255 / 100, 0, 255)), TPoint(R.Left, R.Top),
                 TRect(0, 0, R.Width(), R.Height()));
  }
  const int sum = IP + GP;
  if (sum > 0 && sum < 100) {
    BlendRectWithColor(Bmp, TRect(R.Left, R.Top, R.Right - 1, R.Bottom - 1), static_cast<uint8_t>(sum), color);
  } else if (sum == 0) {
    GdiFlush();
    TPixelRows rows(&Bmp);
    if (!rows.Valid() || !rows.Contains(R.Left, R.Top)) return;
    const uint32_t first = rows.At(R.Left, R.Top);
    const int alpha = (100 - T) * 255 / 100;
    if (first == 0)
      FillRect32(Bmp, R, color, static_cast<uint8_t>(alpha));
    else if (T == 0)
      FillRect32(Bmp, R, color, 255);
    else
      BlendFillRect32(Bmp, R, color, 100 - T, static_cast<uint8_t>(std::max<int>(first >> 24, alpha)));
  }
}

void PaintSectionAlpha(TBitmap* Bmp, const TRect& R, int SkinIndex, int State, TsSkinManager* SkinManager) {
  if (!Bmp || R.Width() <= 0 || R.Height() <= 0) return;
  TsSkinManager* sm = SkinManager ? SkinManager : DefaultManager;
  if (!sm || !sm->IsValidSkinIndex(SkinIndex)) return;
  if (R.Left < 0 || R.Top < 0 || R.Right > Bmp->Width() || R.Bottom > Bmp->Height()) return;
  const TsGeneralData& gd = sm->Model.gd[static_cast<size_t>(SkinIndex)];
  State = std::max(std::min(State, gd.States - 1), 0);
  // What was there before, for the border's transparent pixels.
  auto before = NewBmp32(R.Width() + 1, R.Height() + 1);
  BitBlt(before->Canvas()->Handle(), 0, 0, before->Width(), before->Height(), Bmp->Canvas()->Handle(), R.Left, R.Top,
         SRCCOPY);
  GdiFlush();
  PaintSectionBgAlpha(*Bmp, R, SkinIndex, State, sm, KeyColor);
  if (sm->IsValidImgIndex(gd.BorderIndex))
    PaintMaskRectAlpha(*Bmp, R, InitCacheInfo(before.get(), -R.Left, -R.Top),
                       sm->Model.ma[static_cast<size_t>(gd.BorderIndex)], State);
  before.reset();
  if (R == TRect(0, 0, Bmp->Width(), Bmp->Height())) PremultiplyRect(*Bmp, R);
}
