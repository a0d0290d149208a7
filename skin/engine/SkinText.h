#pragma once
// Captions in the font colours of a skin section: outlines, glow, the
// disabled mix and a control's own colour effects, on canvases and on
// 32-bit bitmaps whose alpha must stay valid.
#include "skin/graphics/SkinTypes.h"
#include "platform/rtl/String.h"

class TsCommonData;
class TsSkinManager;

// Weight of the foreground against the background for disabled items.
constexpr double DisabledBlend = 0.4;

// State 0 normal, 1 hot. Without a manager or a valid section the text is
// drawn in the canvas's own colours.
void DrawSectionTextOnCanvas(TCanvas& Canvas, const char16_t* Text, bool Enabled, TRect R, UINT Format,
                             int SkinIndex, int State, TsSkinManager* SkinManager);
void DrawSkinTextOnCanvas(TCanvas& Canvas, const char16_t* Text, bool Enabled, TRect R, UINT Format, int SkinIndex,
                          int State, TsSkinManager* SkinManager);
TColor ApplyCtrlColorEffects(TColor Color, const TsCommonData& CommonData);
void DrawCtrlText(TCanvas& Canvas, const String& Text, bool Enabled, TRect R, UINT Format, TsCommonData& CommonData,
                  int State);

// Onto a 32-bit bitmap: every pixel the text touches becomes opaque.
void DrawSectionText(TBitmap& Bmp, const String& Text, bool Outline, TRect& R, UINT Format, int SkinIndex, bool Hot,
                     TsSkinManager* Manager);
// The text once in Color (red in the low byte), its coverage taken from a
// black-on-white drawing so the edge smoothing survives.
void DrawTextByMask(TBitmap& Bmp, const String& Text, const TRect& R, UINT Format, TColor Color);

// True when Manager has a skin in use.
bool SkinInUse(const TsSkinManager* Manager);
