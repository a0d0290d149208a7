#pragma once
// A manager's model filled by hand: sections, image parts on a small master
// bitmap and a palette, as a load would leave them.
#include "skin/engine/SkinManager.h"
#include "skin/graphics/Bitmaps32.h"

inline int AddSection(TsSkinManager& sm, const String& Name, const String& Parent = String(), int States = 2) {
  TsGeneralData gd;
  gd.ClassName = Name;
  gd.ParentClass = Parent;
  gd.States = States;
  sm.Model.gd.push_back(gd);
  return static_cast<int>(sm.Model.gd.size()) - 1;
}

// A part of the master bitmap that belongs to section Section.
inline int AddPart(TsSkinManager& sm, const String& Section, const String& Prop, const TRect& R,
                   TacImgType Type = itisaBorder, int ImageCount = 1) {
  TsMaskData md;
  md.ClassName = Section;
  md.PropertyName = Prop;
  md.R = R;
  md.ImgType = Type;
  md.ImageCount = static_cast<int16_t>(ImageCount);
  md.Manager = &sm;
  md.SkinIndex = sm.GetSkinIndex(Section);
  sm.Model.ma.push_back(md);
  return static_cast<int>(sm.Model.ma.size()) - 1;
}

// A master bitmap of the size, filled with one pixel value.
inline void SetMasterBitmap(TsSkinManager& sm, int W, int H, uint32_t Fill = 0xFF808080) {
  sm.Model.MasterBitmap = NewBmp32(W, H);
  TPixelRows rows(sm.Model.MasterBitmap.get());
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) rows.At(x, y) = Fill;
}

// A small skin in use: BUTTON, EDIT with a border, EDIT2 inheriting from
// EDIT, GLOBALINFO with a check box image, and a distinct palette.
inline void FillSampleModel(TsSkinManager& sm) {
  SetMasterBitmap(sm, 64, 32);
  AddSection(sm, u"GLOBALINFO");
  AddSection(sm, u"BUTTON");
  AddSection(sm, u"EDIT");
  AddSection(sm, u"EDIT2", u"EDIT");
  AddPart(sm, u"GLOBALINFO", u"BOXCHECKED", TRect(0, 0, 16, 16));
  AddPart(sm, u"BUTTON", u"BORDERSMASK", TRect(16, 0, 40, 16), itisaBorder, 3);
  AddPart(sm, u"EDIT", u"BORDERSMASK", TRect(40, 0, 52, 12));
  AddPart(sm, u"EDIT", u"PATTERN", TRect(0, 16, 8, 24), itisaTexture);
  for (int i = 0; i < TacPaletteSize; ++i) sm.Model.Palette[static_cast<size_t>(i)] = 0x010101 * (i + 1);
  sm.Model.CommonSkinData->Active = true;
}
