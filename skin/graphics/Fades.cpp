#include "skin/graphics/Fades.h"
#include "skin/engine/CommonData.h"
#include "skin/engine/ControlTree.h"
#include "skin/engine/Neighbours.h"
#include "skin/engine/OuterEffects.h"
#include "skin/engine/ParentBg.h"
#include "skin/engine/SkinCommands.h"
#include "skin/engine/SkinManager.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/Blends.h"
#include "skin/graphics/DCDrawing.h"
#include "skin/graphics/Glows.h"
#include "skin/graphics/MaskPaint.h"
#include "skin/graphics/Pixels32.h"
#include "platform/ui/Controls.h"
#include <algorithm>
#include <cmath>

namespace {
// The window a fade frame goes to, with its size.
struct TFadeTarget {
  HWND Wnd = nullptr;
  int Width = 0, Height = 0;
};

TFadeTarget TargetOf(const TsCommonData& Data) {
  TFadeTarget t;
  if (auto* win = dynamic_cast<TWinControl*>(Data.FOwnerControl)) {
    if (!win->HandleAllocated()) return t;
    t.Wnd = win->Handle();
    t.Width = win->Width();
    t.Height = win->Height();
    return t;
  }
  if (Data.FOwnerControl || !Data.FSWHandle || !IsWindow(Data.FSWHandle)) return t;
  RECT r{};
  GetWindowRect(Data.FSWHandle, &r);
  t.Wnd = Data.FSWHandle;
  t.Width = r.right - r.left;
  t.Height = r.bottom - r.top;
  return t;
}

bool MouseAboveOwner(TsCommonData& Data) {
  if (Data.FOwnerControl) return MouseInControl(Data.FOwnerControl);
  if (!Data.FSWHandle) return false;
  POINT p{};
  RECT r{};
  GetCursorPos(&p);
  GetWindowRect(Data.FSWHandle, &r);
  return PtInRect(&r, p) != FALSE;
}

// The window's DC, released on every path.
class TWindowDC {
public:
  explicit TWindowDC(HWND Wnd) : FWnd(Wnd), FDC(GetDC(Wnd)) {}
  ~TWindowDC() {
    if (FDC) ReleaseDC(FWnd, FDC);
  }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  HDC Get() const { return FDC; }

private:
  HWND FWnd;
  HDC FDC;
};
}  // namespace

void StartStateFade(TsCommonData* SkinData, int AState, TacAnimProc AAnimProc, bool Animated, bool AFast,
                    bool WithGlow) {
  if (!SkinData || !SkinData->Skinned()) return;
  TsSkinManager* sm = SkinData->SkinManager();
  if (Animated && !SkinLoadInProgress && !SessionEnding && SkinData->FCacheBmp && !SkinData->FBGChanged && sm &&
      sm->Effects().AllowAnimation()) {
    if (WithGlow && AState < 100 && SkinData->GlowID < 0)
      ShowControlGlow(SkinData, false, SkinData->OwnerHandle(), 0, false, -1);
    SkinData->FBGChanged = true;
    StartFade(SkinData, AState, AAnimProc, AFast);
    return;
  }
  SkinData->Invalidate();
  if (!WithGlow) return;
  if (MouseAboveOwner(*SkinData)) {
    if (AState < 100 && SkinData->GlowID < 0)
      ShowControlGlow(SkinData, false, SkinData->OwnerHandle(), 255, false, -1);
  } else {
    RemoveGlow(SkinData->GlowID, false);
  }
}

void StartFade(TsCommonData* SkinData, int AState, TacAnimProc AAnimProc, bool AFast) {
  const int frames =
      PrepareAnimTimer(SkinData->AnimTimer, dynamic_cast<TComponent*>(SkinData->FOwnerObject), AState);
  TacThreadedTimer& timer = *SkinData->AnimTimer;
  if (timer.State() != -1 && timer.State() == AState) return;
  TBitmap& cache = *SkinData->FCacheBmp;
  if (timer.BmpOut && (timer.BmpOut->Width() != cache.Width() || timer.BmpOut->Height() != cache.Height()))
    timer.BmpOut.reset();
  const TRect whole(0, 0, cache.Width(), cache.Height());
  TacThreadedTimer::CopyFrom(timer.BmpFrom, cache, whole);
  if (SkinData->FBGChanged) {
    const LRESULT answer = SkinData->FOwnerControl
                               ? ControlSkinCmd(SkinData->FOwnerControl, SKC_PREPARECACHE)
                               : SendSkinCmd(SkinData->FSWHandle, SKC_PREPARECACHE);
    if (answer != 0) timer.SetEnabled(false);
  }
  // The cache may have been remade while it was prepared.
  TBitmap& fresh = *SkinData->FCacheBmp;
  TacThreadedTimer::CopyFrom(timer.BmpTo, fresh, TRect(0, 0, fresh.Width(), fresh.Height()));
  timer.InitData(SkinData, frames, AAnimProc, AState, AFast);
  timer.TimeHandler();
}

bool StateFadeProc(TObject* Data, int Iteration) {
  auto* data = dynamic_cast<TsCommonData*>(Data);
  if (!data || !data->AnimTimer || data->AnimTimer->Destroyed) return false;
  TacThreadedTimer& timer = *data->AnimTimer;
  if (timer.Iterations <= 0 || !timer.BmpFrom || !timer.BmpTo) return false;
  const TFadeTarget target = TargetOf(*data);
  if (!target.Wnd) return false;

  if (!timer.BmpOut)
    timer.BmpOut = NewBmp32(target.Width, target.Height);
  else if (data->FCacheBmp)
    timer.BmpOut->SetSize(data->FCacheBmp->Width(), data->FCacheBmp->Height());
  TBitmap& out = *timer.BmpOut;
  BitBlt(out.Canvas()->Handle(), 0, 0, out.Width(), out.Height(), timer.BmpFrom->Canvas()->Handle(), 0, 0, SRCCOPY);

  const int state = timer.State();
  if (state == FadeToNormal || state == FadeToPressed)
    timer.Glow -= timer.GlowStep;
  else if (state == FadeToHot)
    timer.Glow += timer.GlowStep;
  else
    timer.Glow = 255 - static_cast<double>(Iteration) / timer.Iterations * 255;
  const int a = std::clamp(static_cast<int>(std::lround(timer.Glow)), 0, 255);
  const int weight = state == FadeToHot ? 255 - a : a;
  if (out.Width() > 0 && out.Height() > 0)
    BlendBmpRect(out, *timer.BmpTo, static_cast<uint8_t>(weight), TPoint(0, 0),
                 TRect(0, 0, out.Width() - 1, out.Height() - 1));
  {
    TWindowDC dc(target.Wnd);
    if (dc.Get()) BitBlt(dc.Get(), 0, 0, out.Width(), out.Height(), out.Canvas()->Handle(), 0, 0, SRCCOPY);
  }

  if (Iteration < timer.Iterations) {
    if (data->GlowID >= 0) SetGlowAlpha(data->GlowID, static_cast<uint8_t>(a));
    if (state == FadeToNormal && a < 10) {
      RemoveGlow(data->GlowID, false);
      timer.Glow = 0;
    }
    return true;
  }
  if (state == FadeToNormal && a > 0) {
    // Started half-way: the fade goes on until the level is down to 0.
    if (data->GlowID >= 0) SetGlowAlpha(data->GlowID, static_cast<uint8_t>(a));
    --timer.Iteration;
    StateFadeProc(Data, timer.Iteration);
    return false;
  }
  if (state == FadeToNormal) data->StopCtrlAnimation();
  if (state != FadeToHot) RemoveGlow(data->GlowID, false);
  return false;
}

void PaintFrameAndFill(HDC DC, const TRect& R, int FillWidth, TsCommonData* SkinData, int State, TRect& ClientRect) {
  if (!SkinData) return;
  TsSkinManager* sm = SkinData->SkinManager();
  const TColor c = SkinData->SkinBackgroundColor(State);
  TacParentBgData b;
  TControl* owner = SkinData->FOwnerControl;
  if (owner && owner->Parent()) GetCtrlBgInfo(b, owner->Parent(), false);

  if (sm && SkinData->BorderIndex >= 0 && sm->IsValidImgIndex(SkinData->BorderIndex) &&
      sm->IsValidSkinIndex(SkinData->SkinIndex)) {
    const TsMaskData& border = sm->Model.ma[static_cast<size_t>(SkinData->BorderIndex)];
    const int states = sm->Model.gd[static_cast<size_t>(SkinData->SkinIndex)].States;
    if (State >= states) State = std::max(states - 1, 0);
    SkinData->InitCacheBmp();
    TBitmap& cache = *SkinData->FCacheBmp;
    const HDC cacheDC = cache.Canvas()->Handle();
    const int ownerLeft = owner ? owner->Left() : 0, ownerTop = owner ? owner->Top() : 0;
    if (border.MaskType == 1) {
      if (b.BgKind == bgCache && b.Bmp) {
        const int widest = std::max({border.WL, border.WT, border.WR, border.WB});
        BlitBorderStrips(cacheDC, R.Left, R.Top, R.Width(), R.Height(), b.Bmp->Canvas()->Handle(),
                         ownerLeft + b.Offset.X + R.Left, ownerTop + b.Offset.Y + R.Top, widest);
      } else {
        FillDCFrame(cacheDC, R, border.WL, border.WT, border.WR, border.WB, c);
      }
    }
    TCacheInfo ci;
    BgInfoToCacheInfo(b, ci);
    ci.X += ownerLeft;
    ci.Y += ownerTop;
    PaintMaskRect(cache, R, ci, border, State, true);
    ClientRect = TRect(R.Left + border.WL, R.Top + border.WT, R.Right - border.WR, R.Bottom - border.WB);
    if (FillWidth != 0) {
      const int w = R.Width(), h = R.Height();
      FillFrame32(cache, ClientRect, std::max(0, std::min(FillWidth, w - border.WR) - border.WL),
                  std::max(0, std::min(FillWidth, h - border.WB) - border.WT),
                  std::max(0, std::min(FillWidth, w - border.WL) - border.WR),
                  std::max(0, std::min(FillWidth, h - border.WT) - border.WB), c);
      ClientRect = TRect(R.Left + FillWidth, R.Top + FillWidth, R.Right - FillWidth, R.Bottom - FillWidth);
      ClientRect.Right = std::max(ClientRect.Right, ClientRect.Left);
      ClientRect.Bottom = std::max(ClientRect.Bottom, ClientRect.Top);
      if (DC != cacheDC)
        BlitBorderStrips(DC, R.Left, R.Top, R.Width(), R.Height(), cacheDC, R.Left, R.Top, FillWidth);
    }
    return;
  }
  if (FillWidth != 0) FillDCFrame(DC, R, FillWidth, FillWidth, FillWidth, FillWidth, c);
}
