#include "skin/engine/SkinText.h"
#include "skin/engine/CommonData.h"
#include "skin/graphics/DCDrawing.h"
#include "skin/engine/SkinCommands.h"
#include "skin/engine/SkinManager.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/ColorFuncs.h"
#include "skin/graphics/Pixels32.h"
#include "skin/graphics/TextOutput.h"
#include "platform/ui/Controls.h"
#include <algorithm>

namespace {
RECT* AsRECT(TRect& R) { return reinterpret_cast<RECT*>(&R); }

TRect Moved(const TRect& R, int dx, int dy) { return TRect(R.Left + dx, R.Top + dy, R.Right + dx, R.Bottom + dy); }

void DrawAt(HDC DC, const char16_t* Text, TRect R, UINT Format) {
  DrawTextW(DC, reinterpret_cast<LPCWSTR>(Text), -1, AsRECT(R), Format);
}

// The four outline colours, one pixel left, up, right and down.
template <typename ColorOf>
void DrawOutlines(HDC DC, const char16_t* Text, const TRect& R, UINT Format, const TsFontColor& F, ColorOf colorOf) {
  const TColor sides[4] = {F.Left, F.Top, F.Right, F.Bottom};
  static constexpr int dx[4] = {-1, 0, 1, 0}, dy[4] = {0, -1, 0, 1};
  for (int i = 0; i < 4; ++i) {
    if (sides[i] == -1) continue;
    SetTextColor(DC, static_cast<COLORREF>(colorOf(sides[i])));
    DrawAt(DC, Text, Moved(R, dx[i], dy[i]), Format);
  }
}

const TsGenState& StateOf(const TsGeneralData& gd, int State) { return gd.Props[State > 0 ? 1 : 0]; }

}  // namespace

bool SkinInUse(const TsSkinManager* Manager) {
  return Manager && Manager->Model.CommonSkinData && Manager->Model.CommonSkinData->Active;
}

void DrawSectionTextOnCanvas(TCanvas& Canvas, const char16_t* Text, bool Enabled, TRect R, UINT Format,
                             int SkinIndex, int State, TsSkinManager* SkinManager) {
  if (!Text || !*Text) return;
  TsSkinManager* sm = SkinManager ? SkinManager : DefaultManager;
  HDC dc = Canvas.Handle();
  SetBkMode(dc, TRANSPARENT);
  if (sm && sm->IsValidSkinIndex(SkinIndex)) {
    const TsGeneralData& gd = sm->Model.gd[static_cast<size_t>(SkinIndex)];
    if (Enabled) {
      const TsFontColor& f = StateOf(gd, State).FontColor;
      DrawOutlines(dc, Text, R, Format, f, [](TColor c) { return c; });
      Canvas.Font()->SetColor(f.Color);
    } else {
      Canvas.Font()->SetColor(BlendColorPair(gd.Props[0].FontColor.Color, gd.Props[0].Color, DisabledBlend));
    }
    dc = Canvas.Handle();
    SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(Canvas.Font()->Color())));
  }
  DrawAt(dc, Text, R, Format);
}

void DrawSkinTextOnCanvas(TCanvas& Canvas, const char16_t* Text, bool Enabled, TRect R, UINT Format, int SkinIndex,
                          int State, TsSkinManager* SkinManager) {
  DrawSectionTextOnCanvas(Canvas, Text, Enabled, R, Format, SkinIndex, State, SkinManager);
}

TColor ApplyCtrlColorEffects(TColor Color, const TsCommonData& CommonData) {
  TColor c = Color;
  if (CommonData.FColorTone != ColorNone)
    c = static_cast<TColor>(ToneColor(static_cast<uint32_t>(c), ColorToPixel(ColorToRGB(CommonData.FColorTone))));
  c = ShiftColorHue(CommonData.FHUEOffset, c);
  c = SaturateColor(c, static_cast<int>(CommonData.FSaturation * 2.55));
  return ColorToRGB(c);
}

void DrawCtrlText(TCanvas& Canvas, const String& Text, bool Enabled, TRect R, UINT Format, TsCommonData& CommonData,
                  int State) {
  if (Text.empty()) return;
  TsSkinManager* sm = CommonData.SkinManager();
  const auto& sections = sm ? sm->Model.ConstData.Sections : TConstantSkinData().Sections;
  const int skinIndex = CommonData.SkinIndex;
  if (State != 0 && skinIndex >= 0 && skinIndex == sections[ssWebBtn])
    Canvas.Font()->SetStyle(Canvas.Font()->Style() + TFontStyles{fsUnderline});
  HDC dc = Canvas.Handle();
  TSavedDC saved(dc);
  IntersectClipRect(dc, R.Left, R.Top, R.Right, R.Bottom);
  Canvas.Brush()->SetStyle(bsClear);
  dc = Canvas.Handle();
  SetBkMode(dc, TRANSPARENT);
  const char16_t* text = Text.c_str();
  if (!CommonData.Skinned() || CommonData.FCustomFont) {
    if (Enabled) {
      DrawAt(dc, text, R, Format);
    } else {
      SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(clBtnHighlight)));
      DrawAt(dc, text, Moved(R, 1, 1), Format);
      SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(clBtnShadow)));
      DrawAt(dc, text, R, Format);
    }
    return;
  }
  int fontIndex = skinIndex;
  TControl* owner = CommonData.FOwnerControl;
  const bool relayed = std::any_of(sections.begin() + ssMenuItem, sections.begin() + ssWebBtn + 1,
                                   [&](int32_t s) { return s == skinIndex; });
  if (relayed && owner && owner->Parent()) {
    TacFontSectionRequest request;
    request.Bounds = owner->BoundsRect();
    request.SkinManager = sm;
    request.SkinIndex = -1;
    if (RelayFontSection(owner->Parent(), request) != 0) fontIndex = static_cast<int>(request.SkinIndex);
  }
  if (!sm->IsValidSkinIndex(fontIndex)) {
    DrawAt(dc, text, R, Format);
    return;
  }
  const TsGenState& st = StateOf(sm->Model.gd[static_cast<size_t>(fontIndex)], State);
  if (st.GlowSize != 0 && CommonData.FCacheBmp) {
    std::unique_ptr<TBitmap> mask;
    TBitmap& cache = *CommonData.FCacheBmp;
    if (cache.Canvas() != &Canvas) cache.Canvas()->Font()->Assign(*Canvas.Font());
    DrawShadowedText(cache, Text, R, Format, 15, st.GlowSize, ApplyCtrlColorEffects(st.GlowColor, CommonData), mask);
    dc = Canvas.Handle();
  }
  auto effects = [&](TColor c) { return ApplyCtrlColorEffects(c, CommonData); };
  if (!Enabled) {
    SetTextColor(dc, static_cast<COLORREF>(effects(st.FontColor.Color)));
    DrawAt(dc, text, R, Format);
  } else if (CommonData.FCustomFont) {
    DrawAt(dc, text, R, Format | DT_NOCLIP);
  } else {
    DrawOutlines(dc, text, R, Format, st.FontColor, effects);
    SetTextColor(dc, static_cast<COLORREF>(effects(st.FontColor.Color)));
    DrawAt(dc, text, R, Format | DT_NOCLIP);
  }
}

void DrawTextByMask(TBitmap& Bmp, const String& Text, const TRect& R, UINT Format, TColor Color) {
  auto temp = NewBmp32ForRect(R);
  TPixelRows trows(temp.get());
  TPixelRows drows(&Bmp);
  if (!trows.Valid() || !drows.Valid()) return;
  for (int y = 0; y < trows.Height(); ++y) std::fill_n(trows.Row(y), trows.Width(), 0x00FFFFFFu);
  TCanvas* canvas = temp->Canvas();
  canvas->Font()->Assign(*Bmp.Canvas()->Font());
  canvas->Font()->SetColor(clBlack);
  canvas->Brush()->SetColor(clWhite);
  canvas->Brush()->SetStyle(bsClear);
  HDC dc = canvas->Handle();
  SetTextColor(dc, 0);
  SetBkColor(dc, 0xFFFFFF);
  SetBkMode(dc, TRANSPARENT);
  TRect area(0, 0, R.Width(), R.Height());
  DrawTextW(dc, reinterpret_cast<LPCWSTR>(Text.c_str()), static_cast<int>(Text.size()), AsRECT(area), Format);
  GdiFlush();
  const uint32_t cr = Color & 0xFF, cg = (Color >> 8) & 0xFF, cb = (Color >> 16) & 0xFF;
  const int x0 = std::max(0, -R.Left), y0 = std::max(0, -R.Top);
  const int x1 = std::min(trows.Width(), drows.Width() - R.Left), y1 = std::min(trows.Height(), drows.Height() - R.Top);
  for (int y = y0; y < y1; ++y) {
    const uint32_t* src = trows.Row(y);
    uint32_t* dst = drows.Row(y + R.Top);
    for (int x = x0; x < x1; ++x) {
      const uint32_t t = src[x];
      if ((t & 0x00FFFFFFu) == 0x00FFFFFFu) continue;
      const uint32_t d = dst[x + R.Left];
      const uint32_t tb = t & 0xFF, tg = (t >> 8) & 0xFF, tr = (t >> 16) & 0xFF;
      const uint32_t b = ((d & 0xFF) * tb + cb * (256 - tb)) >> 8;
      const uint32_t g = (((d >> 8) & 0xFF) * tg + cg * (256 - tg)) >> 8;
      const uint32_t r = (((d >> 16) & 0xFF) * tr + cr * (256 - tr)) >> 8;
      dst[x + R.Left] = 0xFF000000u | std::min(r, 255u) << 16 | std::min(g, 255u) << 8 | std::min(b, 255u);
    }
  }
}

void DrawSectionText(TBitmap& Bmp, const String& Text, bool Outline, TRect& R, UINT Format, int SkinIndex, bool Hot,
                     TsSkinManager* Manager) {
  if (Text.empty() || R.IsEmpty()) return;
  TsSkinManager* sm = Manager ? Manager : DefaultManager;
  if (!sm || !sm->IsValidSkinIndex(SkinIndex)) {
    DrawTextByMask(Bmp, Text, R, Format, ColorToRGB(Bmp.Canvas()->Font()->Color()));
    return;
  }
  const TsGeneralData& gd = sm->Model.gd[static_cast<size_t>(SkinIndex)];
  const TsFontColor& f = gd.Props[Hot && gd.States > 0 ? 1 : 0].FontColor;
  if (Outline) {
    const TColor sides[4] = {f.Left, f.Top, f.Right, f.Bottom};
    static constexpr int dx[4] = {-1, 0, 1, 0}, dy[4] = {0, -1, 0, 1};
    for (int i = 0; i < 4; ++i)
      if (sides[i] != -1) DrawTextByMask(Bmp, Text, Moved(R, dx[i], dy[i]), Format, sides[i]);
  }
  DrawTextByMask(Bmp, Text, R, Format, f.Color);
}
