#include "skin/engine/CtrlSectionPaint.h"
#include "skin/engine/CommonData.h"
#include "skin/engine/Neighbours.h"
#include "skin/engine/SectionPaint.h"
#include "skin/engine/SkinManager.h"
#include "skin/graphics/LibUtils.h"
#include "skin/graphics/MaskGlyph.h"
#include "skin/graphics/MaskPaint.h"
#include "skin/graphics/PixelEffects.h"
#include "skin/graphics/Pixels32.h"
#include "platform/ui/Forms.h"
#include <algorithm>
#include <cmath>

namespace {
bool InsideBitmap(const TRect& R, const TBitmap& Bmp) {
  return R.Left >= 0 && R.Top >= 0 && R.Right <= Bmp.Width() && R.Bottom <= Bmp.Height();
}

// A state past the section's last is its last; a negative one is the normal.
int LimitState(const TsGeneralData& gd, int State) { return std::max(std::min(State, gd.States - 1), 0); }

TColor OwnColor(const TsCommonData& CommonData) {
  if (!CommonData.FCustomColor) return KeyColor;
  if (TsSkinProvider* provider = CommonData.OwnerProvider(); provider && provider->Form())
    return ColorToRGB(provider->Form()->Color());
  if (CommonData.FOwnerControl) return ColorToRGB(CommonData.FOwnerControl->Color());
  return KeyColor;
}

void ApplyColorEffects(const TsCommonData& CommonData, TBitmap& Bmp) {
  if (CommonData.FColorTone != ColorNone)
    ForEachPixel(&Bmp, PixelToneProc,
                 static_cast<int>(ColorToPixel(static_cast<uint32_t>(ColorToRGB(CommonData.FColorTone)))), KeyColor);
  if (CommonData.FHUEOffset != 0) ForEachPixel(&Bmp, PixelHueProc, CommonData.FHUEOffset, KeyColor);
  if (CommonData.FSaturation != 0)
    ForEachPixel(&Bmp, PixelSaturationProc,
                 std::clamp(static_cast<int>(std::lround(CommonData.FSaturation * 2.55)), -255, 255), KeyColor);
}
}  // namespace

void PaintDataBg(TsCommonData& CommonData, const TCacheInfo& CI, int State, const TRect& R, TPoint Offset,
                 TBitmap* Bmp) {
  TsSkinManager* sm = CommonData.SkinManager();
  if (!sm || !sm->IsValidSkinIndex(CommonData.SkinIndex)) return;
  State = LimitState(sm->Model.gd[static_cast<size_t>(CommonData.SkinIndex)], State);
  PaintSectionBg(CommonData.SkinIndex, CI, State, R, Offset, Bmp, sm, CommonData.Texture, CommonData.HotTexture,
                 OwnColor(CommonData));
}

void PaintCtrlSection(TsCommonData& CommonData, const TCacheInfo& CI, bool, int State, const TRect& R,
                      TPoint Offset, TBitmap* Bmp, bool BorderFlag) {
  TsSkinManager* sm = CommonData.SkinManager();
  if (!sm || !Bmp || !InsideBitmap(R, *Bmp) || !sm->IsValidSkinIndex(CommonData.SkinIndex)) return;
  const TsGeneralData& gd = sm->Model.gd[static_cast<size_t>(CommonData.SkinIndex)];
  State = LimitState(gd, State);
  PaintDataBg(CommonData, CI, State, R, Offset, Bmp);
  const TCacheInfo own = InitCacheInfo(Bmp, 0, 0);
  auto corner = [&](int index, bool right, bool bottom) {
    if (!sm->IsValidImgIndex(index)) return;
    const TsMaskData& md = sm->Model.ma[static_cast<size_t>(index)];
    const TPoint at(right ? R.Right - MaskFrameWidth(md) : R.Left, bottom ? R.Bottom - MaskFrameHeight(md) : R.Top);
    PaintMaskGlyph(*Bmp, at, State, 1, md, own);
  };
  corner(gd.ImgTL, false, false);
  corner(gd.ImgTR, true, false);
  corner(gd.ImgBL, false, true);
  corner(gd.ImgBR, true, true);
  const int border = CommonData.BorderIndex;
  if (sm->IsValidImgIndex(border) && !(State == 0 && (sm->Model.ma[static_cast<size_t>(border)].DrawMode & 2))) {
    TCacheInfo moved = CI;
    moved.X += Offset.X;
    moved.Y += Offset.Y;
    PaintMaskRect(*Bmp, R, moved, sm->Model.ma[static_cast<size_t>(border)], State, BorderFlag);
  } else if (gd.Props[State > 0 ? 1 : 0].Transparency != 0) {
    // A see-through control without its border keeps the parent's colours.
    return;
  }
  ApplyColorEffects(CommonData, *Bmp);
}
