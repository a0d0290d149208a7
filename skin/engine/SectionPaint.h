#pragma once
// A section state's background painted into a control's cache bitmap:
// colour, texture and gradient layers over what lies behind.
#include "skin/graphics/SkinData.h"

// SkinManager nil means the default manager; CustomColor other than the key
// colour replaces the section's layers.
void PaintSectionBg(int SkinIndex, const TCacheInfo& CI, int State, const TRect& R, TPoint Offset, TBitmap* Bmp,
                    TsSkinManager* SkinManager, int TextureIndex = -1, int HotTextureIndex = -1,
                    TColor CustomColor = KeyColor);
// Background, corner images, then the section's border image.
void PaintSectionFull(int SkinIndex, const TCacheInfo& CI, bool Flag, int State, const TRect& R, TPoint Offset,
                      TBitmap* Bmp, TsSkinManager* SkinManager, int TextureIndex = -1, int HotTextureIndex = -1);
// Through a temporary bitmap: what lies behind comes only from CI.
void PaintSectionOnDC(int SkinIndex, const TCacheInfo& CI, bool Flag, int State, const TRect& R, TPoint Offset, HDC DC,
                      TsSkinManager* SkinManager);
// Name, or AltName when there is no Name, over the whole of Bmp; with a DC
// its pixels at R's top-left lie behind. The index used, or -1.
int PaintSectionByName(TBitmap& Bmp, const String& Name, const String& AltName, int State, TsSkinManager* SkinManager,
                       const TRect& R, TColor FillColor, HDC DC);
// The lighter background of PaintSectionAndBorder; HotTextureIndex is not used.
void PaintSectionBgLite(int SkinIndex, int TextureIndex, int HotTextureIndex, const TCacheInfo& CI, int State,
                        const TRect& R, TPoint Offset, TBitmap* Bmp, TsSkinManager* SkinManager);
// The light background, then image part BorderIndex as the border.
void PaintSectionAndBorder(int SkinIndex, int BorderIndex, int TextureIndex, int HotTextureIndex, const TCacheInfo& CI,
                           bool Flag, int State, const TRect& R, TPoint Offset, TBitmap* Bmp,
                           TsSkinManager* SkinManager);
