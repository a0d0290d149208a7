// Hue, saturation and brightness applied to a freshly loaded skin: the
// master bitmap, the image files, the section colours and part of the
// palette. Key pixels and mask halves keep their values.
#include "skin/engine/SkinManager.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/ColorFuncs.h"
#include "skin/graphics/LibUtils.h"
#include "skin/graphics/PixelEffects.h"
#include "skin/graphics/Pixels32.h"
#include <algorithm>
#include <cmath>

namespace {
// pcMainColor, pcLabelText, pcWebText, pcEditText, pcEditBG, pcSelectionBG,
// pcSelectionText.
constexpr uint32_t AdjustedPalette = 0xF7;

template <typename F>
void ForStateColors(TsGenState& s, F f) {
  for (TColor* c : {&s.Color, &s.GlowColor, &s.FontColor.Color, &s.FontColor.Left, &s.FontColor.Top,
                    &s.FontColor.Right, &s.FontColor.Bottom})
    if (*c != -1) *c = f(*c);
}

template <typename F>
void ForPalette(TsSkinModel& m, F f) {
  m.CommonSkinData->Shadow1Color = f(m.CommonSkinData->Shadow1Color);
  for (int i = 0; i < TacPaletteSize; ++i)
    if (AdjustedPalette & (1u << i)) m.Palette[static_cast<size_t>(i)] = f(m.Palette[static_cast<size_t>(i)]);
}

// Copies rows [Top, Top + Rows) of R from Src back into Dst.
void CopyRows(TBitmap& Dst, TBitmap& Src, const TRect& R, int Top, int Rows) {
  TPixelRows d(&Dst), s(&Src);
  if (!d.Valid() || !s.Valid()) return;
  for (int y = Top; y < Top + Rows; ++y)
    for (int x = R.Left; x < R.Right; ++x)
      if (d.Contains(x, y) && s.Contains(x, y)) d.At(x, y) = s.At(x, y);
}
}  // namespace

void TsSkinManager::ApplyHue(int Value) {
  if (Value == 0) return;
  TsSkinData& sd = *Model.CommonSkinData;
  std::vector<TBitmap*> keep;
  if (TBitmap* master = Model.MasterBitmap.get()) {
    if (sd.BIKeepHUE < 1) {
      ForEachPixel(master, PixelHueProc, Value, KeyColor);
    } else {
      auto shifted = NewBmp32Like(*master);
      CloneBmp(*shifted, *master);
      ForEachPixel(shifted.get(), PixelHueProc, Value, KeyColor);
      static const char16_t* const closeGlyphs[] = {u"BICONCLOSE", u"BICLOSEALONE", u"SICONCLOSE"};
      static const char16_t* const otherGlyphs[] = {u"BICONMAX", u"BICONMIN",  u"BICONNORM", u"BICONHELP",
                                                    u"SICONMAX", u"SICONMIN", u"SICONNORM"};
      std::vector<const char16_t*> names(std::begin(closeGlyphs), std::end(closeGlyphs));
      if (sd.BIKeepHUE == 1) names.insert(names.end(), std::begin(otherGlyphs), std::end(otherGlyphs));
      std::vector<TRect> kept;
      const String global = u"GLOBALINFO";
      for (const char16_t* name : names) {
        const int i = GetMaskIndex(global, name);
        if (i < 0) continue;
        const TsMaskData& part = Model.ma[static_cast<size_t>(i)];
        if (part.Bmp)
          keep.push_back(part.Bmp);
        else
          kept.push_back(part.R);
        const int glow = GetMaskIndex(global, String(name) + u"GLOW0");
        if (glow >= 0 && part.Bmp && Model.ma[static_cast<size_t>(glow)].Bmp)
          keep.push_back(Model.ma[static_cast<size_t>(glow)].Bmp);
      }
      // The shifted copy goes over everything but the kept glyphs.
      TPixelRows dst(master), src(shifted.get());
      for (int y = 0; y < dst.Height(); ++y)
        for (int x = 0; x < dst.Width(); ++x) {
          bool inKept = false;
          for (const TRect& r : kept) inKept = inKept || (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom);
          if (!inKept) dst.At(x, y) = src.At(x, y);
        }
    }
  }
  for (auto& ext : Model.ExtArray) {
    if (!ext.Bmp) continue;
    if (sd.BIKeepHUE >= 1 && std::find(keep.begin(), keep.end(), ext.Bmp) != keep.end()) continue;
    ForEachPixel(ext.Bmp, PixelHueProc, Value, KeyColor);
  }
  const auto shift = [Value](TColor c) { return ShiftColorHue(Value, c); };
  for (auto& section : Model.gd)
    for (TsGenState& state : section.Props) {
      if (state.GradientPercent > 0)
        for (auto& band : state.GradientArray) {
          band.Color1 = shift(band.Color1);
          band.Color2 = shift(band.Color2);
        }
      ForStateColors(state, shift);
    }
  ForPalette(Model, shift);
}

void TsSkinManager::ApplySaturation(int Value) {
  if (Value == 0) return;
  const int amount = std::clamp(static_cast<int>(std::trunc(Value * 2.55)), -255, 255);
  if (Model.MasterBitmap) ForEachPixel(Model.MasterBitmap.get(), PixelSaturationProc, amount, KeyColor);
  for (auto& ext : Model.ExtArray)
    if (ext.Bmp) ForEachPixel(ext.Bmp, PixelSaturationProc, amount, KeyColor);
  const auto saturate = [amount](TColor c) { return SaturateColor(c, amount); };
  for (auto& section : Model.gd)
    for (TsGenState& state : section.Props) {
      for (auto& band : state.GradientArray) {
        band.Color1 = saturate(band.Color1);
        band.Color2 = saturate(band.Color2);
      }
      ForStateColors(state, saturate);
    }
  ForPalette(Model, saturate);
}

void TsSkinManager::ApplyBrightness(int Value) {
  if (Value == 0) return;
  if (TBitmap* master = Model.MasterBitmap.get()) {
    auto saved = NewBmp32Like(*master);
    CloneBmp(*saved, *master);
    ForEachPixel(master, PixelOffsetProc, Value, KeyColor);
    for (const TsMaskData& part : Model.ma)
      if (!part.Bmp && part.MaskType == 1) {
        const int half = HeightOfRect(part.R) / 2;
        CopyRows(*master, *saved, part.R, part.R.Top + half, half);
      }
  }
  for (auto& ext : Model.ExtArray) {
    TBitmap* bmp = ext.Bmp;
    if (!bmp || bmp->Width() <= 0) continue;
    if (ext.MaskType != 0) {
      auto saved = NewBmp32Like(*bmp);
      CloneBmp(*saved, *bmp);
      ForEachPixel(bmp, PixelOffsetProc, Value, KeyColor);
      const int half = bmp->Height() / 2;
      CopyRows(*bmp, *saved, BmpRect(*bmp), bmp->Height() - half, half);
    } else {
      ForEachPixel(bmp, PixelOffsetProc, Value, KeyColor);
      if (Value > 0) {
        if (Model.CommonSkinData->Version < 7.45)
          ZeroWhitePixels(*bmp);
        else
          PremultiplyRect(*bmp, BmpRect(*bmp));
      }
    }
  }
  const auto offset = [Value](TColor c) { return OffsetColor(c, Value); };
  for (auto& section : Model.gd)
    for (TsGenState& state : section.Props) {
      for (auto& band : state.GradientArray) {
        band.Color1 = offset(band.Color1);
        band.Color2 = offset(band.Color2);
      }
      ForStateColors(state, offset);
    }
}
