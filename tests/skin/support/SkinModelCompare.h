#pragma once
// Field-by-field and pixel-by-pixel comparison of two loaded skin models.
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/SkinData.h"
#include <sstream>
#include <string>

namespace SkinCompareDetail {
inline std::string Name(const String& s) { return StringToUtf8(s); }

inline bool SamePixels(TBitmap* a, TBitmap* b) {
  if (!a || !b) return a == b;
  if (a->Width() != b->Width() || a->Height() != b->Height()) return false;
  TPixelRows ra(a), rb(b);
  if (ra.Valid() != rb.Valid()) return false;
  for (int y = 0; y < ra.Height(); ++y)
    for (int x = 0; x < ra.Width(); ++x)
      if (ra.At(x, y) != rb.At(x, y)) return false;
  return true;
}

inline bool SameState(const TsGenState& a, const TsGenState& b) {
  if (a.GradientArray.size() != b.GradientArray.size()) return false;
  for (size_t i = 0; i < a.GradientArray.size(); ++i) {
    const auto &x = a.GradientArray[i], &y = b.GradientArray[i];
    if (x.Color1 != y.Color1 || x.Color2 != y.Color2 || x.Percent != y.Percent || x.Mode1 != y.Mode1 ||
        x.Mode2 != y.Mode2)
      return false;
  }
  return a.GlowSize == b.GlowSize && a.ImagePercent == b.ImagePercent && a.TextureIndex == b.TextureIndex &&
         a.Transparency == b.Transparency && a.GradientPercent == b.GradientPercent && a.Color == b.Color &&
         a.GlowColor == b.GlowColor && a.FontColor.Color == b.FontColor.Color && a.FontColor.Left == b.FontColor.Left &&
         a.FontColor.Top == b.FontColor.Top && a.FontColor.Right == b.FontColor.Right &&
         a.FontColor.Bottom == b.FontColor.Bottom;
}

inline bool SameElement(const TacConstElementData& a, const TacConstElementData& b) {
  return a.SkinIndex == b.SkinIndex && a.MaskIndex == b.MaskIndex && a.GlyphIndex == b.GlyphIndex &&
         a.BGIndex == b.BGIndex && a.SkinSection == b.SkinSection;
}
}  // namespace SkinCompareDetail

// Empty when equal (the skin's path and packing aside), else the first
// difference found.
inline std::string ModelDifference(const TsSkinModel& a, const TsSkinModel& b) {
  using namespace SkinCompareDetail;
  std::ostringstream d;
  const TsSkinData &x = *a.CommonSkinData, &y = *b.CommonSkinData;
  const int32_t xs[] = {x.Shadow1Offset, x.Shadow1Blur, x.Shadow1Transparency, x.ExBorderWidth, x.ExTitleHeight,
                        x.ExMaxHeight, x.ExContentOffs, x.ExCenterOffs, x.ExDrawMode, x.ExShadowOffs, x.ExShadowOffsR,
                        x.ExShadowOffsT, x.ExShadowOffsB, x.BISpacing, x.BIVAlign, x.BIRightMargin, x.BILeftMargin,
                        x.BITopMargin, x.BIKeepHUE, x.BICloseGlow, x.BICloseGlowMargin, x.BIMaxGlow,
                        x.BIMaxGlowMargin, x.BIMinGlow, x.BIMinGlowMargin, x.ComboBoxMargin, x.BrightMin,
                        x.BrightMax, x.TabsCovering, x.RibbonCovering, x.Shadow1Color, x.UseAeroBluring};
  const int32_t ys[] = {y.Shadow1Offset, y.Shadow1Blur, y.Shadow1Transparency, y.ExBorderWidth, y.ExTitleHeight,
                        y.ExMaxHeight, y.ExContentOffs, y.ExCenterOffs, y.ExDrawMode, y.ExShadowOffs, y.ExShadowOffsR,
                        y.ExShadowOffsT, y.ExShadowOffsB, y.BISpacing, y.BIVAlign, y.BIRightMargin, y.BILeftMargin,
                        y.BITopMargin, y.BIKeepHUE, y.BICloseGlow, y.BICloseGlowMargin, y.BIMaxGlow,
                        y.BIMaxGlowMargin, y.BIMinGlow, y.BIMinGlowMargin, y.ComboBoxMargin, y.BrightMin,
                        y.BrightMax, y.TabsCovering, y.RibbonCovering, y.Shadow1Color, y.UseAeroBluring};
  for (size_t i = 0; i < sizeof(xs) / sizeof(xs[0]); ++i)
    if (xs[i] != ys[i]) return (d << "skin-wide value #" << i << ": " << xs[i] << " vs " << ys[i], d.str());
  if (x.Version != y.Version || x.Author != y.Author || x.Description != y.Description) return "version or texts";
  if (!SamePixels(a.MasterBitmap.get(), b.MasterBitmap.get())) return "master bitmap";
  if (a.ma.size() != b.ma.size()) return (d << "part count " << a.ma.size() << " vs " << b.ma.size(), d.str());
  for (size_t i = 0; i < a.ma.size(); ++i) {
    const TsMaskData &p = a.ma[i], &q = b.ma[i];
    const bool same = p.ClassName == q.ClassName && p.PropertyName == q.PropertyName && p.R == q.R &&
                      p.ImageCount == q.ImageCount && p.MaskType == q.MaskType && p.BorderWidth == q.BorderWidth &&
                      p.DrawMode == q.DrawMode && p.ImgType == q.ImgType && p.WL == q.WL && p.WT == q.WT &&
                      p.WR == q.WR && p.WB == q.WB && p.CornerType == q.CornerType && p.SkinIndex == q.SkinIndex &&
                      SamePixels(p.Bmp, q.Bmp);
    if (!same) return (d << "part " << i << " " << Name(p.ClassName) << "." << Name(p.PropertyName), d.str());
  }
  if (a.ExtArray.size() != b.ExtArray.size()) return "external image count";
  for (size_t i = 0; i < a.ExtArray.size(); ++i)
    if (a.ExtArray[i].FileName != b.ExtArray[i].FileName || a.ExtArray[i].MaskType != b.ExtArray[i].MaskType ||
        !SamePixels(a.ExtArray[i].Bmp, b.ExtArray[i].Bmp))
      return (d << "external image " << Name(a.ExtArray[i].FileName), d.str());
  if (a.gd.size() != b.gd.size()) return "section count";
  for (size_t i = 0; i < a.gd.size(); ++i) {
    const TsGeneralData &s = a.gd[i], &t = b.gd[i];
    const bool same =
        s.ClassName == t.ClassName && s.ParentClass == t.ParentClass && SameState(s.Props[0], t.Props[0]) &&
        SameState(s.Props[1], t.Props[1]) && s.GiveOwnFont == t.GiveOwnFont && s.ReservedBoolean == t.ReservedBoolean &&
        s.States == t.States && s.ScrollBorderOffset == t.ScrollBorderOffset && s.GlowCount == t.GlowCount &&
        s.GlowMargin == t.GlowMargin && s.BorderIndex == t.BorderIndex && s.ImgTL == t.ImgTL && s.ImgTR == t.ImgTR &&
        s.ImgBL == t.ImgBL && s.ImgBR == t.ImgBR && s.TextureNormal == t.TextureNormal && s.OuterMode == t.OuterMode &&
        s.OuterOffset == t.OuterOffset && s.OuterMask == t.OuterMask && s.OuterOpacity == t.OuterOpacity;
    if (!same) return (d << "section " << Name(s.ClassName), d.str());
  }
  if (a.oe.size() != b.oe.size()) return "outer effect count";
  for (size_t i = 0; i < a.oe.size(); ++i) {
    const TacOutEffData &e = a.oe[i], &f = b.oe[i];
    if (e.ColorL != f.ColorL || e.ColorT != f.ColorT || e.ColorR != f.ColorR || e.ColorB != f.ColorB ||
        e.OffsetL != f.OffsetL || e.OffsetT != f.OffsetT || e.OffsetR != f.OffsetR || e.OffsetB != f.OffsetB ||
        e.WidthL != f.WidthL || e.WidthT != f.WidthT || e.WidthR != f.WidthR || e.WidthB != f.WidthB ||
        e.Opacity != f.Opacity || e.Source != f.Source || e.Mask != f.Mask)
      return (d << "outer effect " << i, d.str());
  }
  if (a.Palette != b.Palette) return "palette";
  const TConstantSkinData &c = a.ConstData, &e = b.ConstData;
  if (c.CheckBox != e.CheckBox || c.SmallCheckBox != e.SmallCheckBox || c.RadioButton != e.RadioButton ||
      c.ExBorder != e.ExBorder || c.IndexGLobalInfo != e.IndexGLobalInfo || c.Sections != e.Sections ||
      c.MaskCloseBtn != e.MaskCloseBtn || c.MaskMaxBtn != e.MaskMaxBtn || c.MaskMinBtn != e.MaskMinBtn ||
      !SameElement(c.MenuItem, e.MenuItem) || !SameElement(c.ComboBtn, e.ComboBtn))
    return "constant indexes";
  for (size_t i = 0; i < 4; ++i)
    if (!SameElement(c.Scrolls[i], e.Scrolls[i]) || !SameElement(c.ScrollBtns[i], e.ScrollBtns[i]) ||
        !SameElement(c.UpDownBtns[i], e.UpDownBtns[i]))
      return "constant scroll indexes";
  return std::string();
}
