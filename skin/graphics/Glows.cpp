#include "skin/graphics/Glows.h"
#include "skin/engine/AnimTimer.h"
#include "skin/engine/CommonData.h"
#include "skin/engine/SkinManager.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/LayeredWindows.h"
#include "skin/graphics/MaskPaint.h"
#include "skin/graphics/Pixels32.h"
#include "platform/ui/Forms.h"
#include <algorithm>
#include <cmath>

std::vector<std::unique_ptr<TacGlowEffect>> GlowList;
bool GlowReleasing = false;

namespace {
// At exit the windows go with the process; the application that would
// free them may already be gone.
struct TGlowUnit {
  ~TGlowUnit() {
    for (auto& glow : GlowList)
      if (glow) glow->Wnd = nullptr;
    GlowList.clear();
  }
} GlowUnit;

bool ApplicationTerminating() {
  TApplication* app = TApplicationRef::Peek();
  return app && app->Terminated();
}

class TReleasingScope {
public:
  TReleasingScope() { GlowReleasing = true; }
  ~TReleasingScope() { GlowReleasing = false; }
  TReleasingScope(const TReleasingScope&) = delete;
  TReleasingScope& operator=(const TReleasingScope&) = delete;
};

// The window goes at once when nothing will handle its release message
// any more; otherwise it is released, leaving the screen straight away.
void DisposeWindow(TacGlowEffect& Glow, bool AtOnce) {
  TForm* wnd = std::exchange(Glow.Wnd, nullptr);
  if (!wnd) return;
  wnd->WindowProc = Glow.OldWndProc;
  TReleasingScope releasing;
  if (AtOnce || !wnd->HandleAllocated()) {
    delete wnd;
    return;
  }
  ShowWindow(wnd->Handle(), SW_HIDE);
  wnd->Release();
}

bool ManagerGoing(const TsSkinManager* Manager) { return Manager && Manager->IsDestroying(); }

TacGlowEffect* GlowAt(int GlowID) {
  if (GlowID < 0 || GlowID >= static_cast<int>(GlowList.size())) return nullptr;
  return GlowList[static_cast<size_t>(GlowID)].get();
}
}  // namespace

TacGlowEffect::~TacGlowEffect() {
  Destroyed = true;
  DisposeWindow(*this, ManagerGoing(SkinManager) || ApplicationTerminating());
  AlphaBmp.reset();
}

void TacGlowEffect::NewWndProc(TMessage& Message) {
  if (Message.Msg == WM_NCHITTEST) {
    Message.Result = HTTRANSPARENT;
    return;
  }
  if (OldWndProc) OldWndProc(Message);
}

void TacGlowEffect::CreateAlphaBmp(int Width, int Height) {
  AlphaBmp = NewBmp32(Width, Height);
  if (!AlphaBmp->Empty()) FillRect32(*AlphaBmp, TRect(0, 0, Width, Height), 0, 0);
  if (MaskIndex >= 0 && SkinManager && SkinManager->IsValidImgIndex(MaskIndex))
    PaintMaskRect(*AlphaBmp, TRect(0, 0, Width, Height), EmptyCacheInfo,
                  SkinManager->Model.ma[static_cast<size_t>(MaskIndex)], 0, false);
  if (SkinData) SkinData->ApplyColorTone(*AlphaBmp);
}

void TacGlowEffect::Show(const TRect& /*R*/, const TRect& RealRect, int Alpha, HWND WndHandle) {
  if (Wnd || !SkinManager) return;
  Wnd = new TForm(nullptr);
  Wnd->SetVisible(false);
  Wnd->SetBorderStyle(bsNone);
  Wnd->SetTag(LibraryWindowTag);
  Wnd->SetControlStyle(Wnd->ControlStyle() - csCaptureMouse);
  OldWndProc = Wnd->WindowProc;
  Wnd->WindowProc = [this](TMessage& m) { NewWndProc(m); };

  const int w = std::max(RealRect.Width(), 0) + SkinManager->MaskWidthLeft(MaskIndex) +
                SkinManager->MaskWidthRight(MaskIndex) - 2 * Margin;
  const int h = std::max(RealRect.Height(), 0) + SkinManager->MaskWidthTop(MaskIndex) +
                SkinManager->MaskWidthBottom(MaskIndex) - 2 * Margin;
  CreateAlphaBmp(w, h);

  HWND after = HWND_TOPMOST;
  if (WndHandle && !(GetWindowLongW(WndHandle, GWL_EXSTYLE) & WS_EX_TOPMOST) && SkinData &&
      SkinData->FOwnerObject) {
    const HWND prev = GetWindow(WndHandle, GW_HWNDPREV);
    after = prev ? prev : WndHandle;
  }
  const int x = RealRect.Left + Margin - SkinManager->MaskWidthLeft(MaskIndex);
  const int y = RealRect.Top + Margin - SkinManager->MaskWidthTop(MaskIndex);
  Wnd->SetBounds(x, y, w, h);

  const HWND handle = Wnd->Handle();
  if (!handle) return;
  SetWindowLongW(handle, GWL_EXSTYLE,
                 GetWindowLongW(handle, GWL_EXSTYLE) | WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TOOLWINDOW |
                     WS_EX_TRANSPARENT);
  SetWindowPos(handle, after, x, y, 0, 0,
               SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
  UpdateLayeredWnd(handle, AlphaBmp.get(), static_cast<uint8_t>(std::clamp(Alpha, 0, 255)), nullptr);
  ShowWindow(handle, SW_SHOWNOACTIVATE);
}

int CreateGlow(const TRect& R, const String& SkinSection, const String& GlowName, int Margin, int Alpha,
               HWND WndHandle, TsCommonData* SkinData) {
  if (!LayeredWindowsAvailable() || !SkinData) return -1;
  auto glow = std::make_unique<TacGlowEffect>();
  glow->SkinData = SkinData;
  glow->SkinManager = SkinData->SkinManager();
  if (!glow->SkinManager) return -1;
  glow->MaskIndex = glow->SkinManager->GetMaskIndex(SkinSection, GlowName + u"0");
  if (glow->MaskIndex < 0) return -1;
  glow->Margin = Margin;
  TacGlowEffect& shown = *glow;
  GlowList.push_back(std::move(glow));
  shown.Show(R, R, Alpha, WndHandle);
  return static_cast<int>(GlowList.size()) - 1;
}

void SetGlowAlpha(int GlowID, uint8_t Alpha) {
  TacGlowEffect* glow = GlowAt(GlowID);
  if (!glow || !glow->Wnd || !glow->Wnd->HandleAllocated() || !glow->AlphaBmp) return;
  UpdateLayeredWnd(glow->Wnd->Handle(), glow->AlphaBmp.get(), Alpha, nullptr);
}

void RemoveGlow(int& GlowID, bool Animated) {
  TacGlowEffect* glow = GlowAt(GlowID);
  if (!glow) return;
  TsCommonData* data = glow->SkinData;
  TsSkinManager* sm = data ? data->SkinManager() : nullptr;
  if (Animated && data && sm && sm->Effects().AllowAnimation() && !ApplicationTerminating() &&
      (!data->AnimTimer || data->AnimTimer->ThreadType == 1)) {
    const int iteration = PrepareAnimTimer(data->AnimTimer, dynamic_cast<TComponent*>(data->FOwnerObject), 1);
    if (data->AnimTimer->State() != 0) {
      data->AnimTimer->InitData(data, iteration, GlowAnimProc, 0, false);
      data->AnimTimer->TimeHandler();
    }
    return;
  }
  GlowList[static_cast<size_t>(GlowID)].reset();
  GlowID = -1;
  if (data && data->AnimTimer) data->StopCtrlAnimation();
}

void FreeAllGlows(bool DestroyWindows) {
  if (GlowReleasing) return;
  for (auto& glow : GlowList) {
    if (!glow) continue;
    if (DestroyWindows) DisposeWindow(*glow, true);
    if (glow->SkinData) glow->SkinData->GlowID = -1;
    glow.reset();
  }
  GlowList.clear();
}

bool GlowAnimProc(TObject* Data, int Iteration) {
  auto* data = dynamic_cast<TsCommonData*>(Data);
  if (!data || !data->FOwnerControl || data->FOwnerControl->IsDestroying()) return false;
  TacThreadedTimer* timer = data->AnimTimer;
  if (!timer || timer->Iterations <= 0) return false;
  if (Iteration >= timer->Iterations) {
    const int state = timer->State();
    if (state != 1) RemoveGlow(data->GlowID, false);
    if (state == 0) data->StopCtrlAnimation();
    return false;
  }
  if (data->GlowID >= 0) {
    timer->Glow += timer->State() == 1 ? timer->GlowStep : -timer->GlowStep;
    SetGlowAlpha(data->GlowID, static_cast<uint8_t>(std::clamp(static_cast<int>(std::lround(timer->Glow)), 0, 255)));
  }
  return true;
}
