#include "skin/forms/hints/ShowTimer.h"
#include "skin/engine/SkinManager.h"
#include "skin/forms/hints/HintWindows.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/LayeredWindows.h"
#include <algorithm>
#include <cmath>

namespace {
constexpr UINT kPlaceFlags = SWP_NOOWNERZORDER | SWP_NOACTIVATE;

uint8_t AlphaOf(double value) { return static_cast<uint8_t>(std::clamp<long>(std::lround(value), 0, 255)); }
}  // namespace

TsShowTimer::TsShowTimer(TComponent* AOwner) : TacThreadedTimer(AOwner) {
  SetEnabled(false);
}

void TsShowTimer::Init(TacCustomHintWindow* HintForm, int w, int h) {
  TsAlphaHints* c = ActiveHintsComponent;
  SetInterval(10);
  SetOnTimer([this](TObject* sender) { IntOnTimer(sender); });
  Step = 0;
  StepCount = 30;
  CurrentHintForm = HintForm;
  // The template road is opaque at the end; only a skin section fades less.
  Transparency = 0;
  if (c && c->Skinned() && DefaultManager) {
    const int section = DefaultManager->GetSkinIndex(c->SkinSection());
    const int percent = DefaultManager->Model.gd[static_cast<size_t>(section)].Props[0].Transparency;
    if (percent != 100) Transparency = std::clamp(static_cast<int>(std::lround(percent * 2.55)), 0, 255);
  }
  FBmpSize = TSize{w, h};
  FBmpTopLeft = TPoint(0, 0);
  HintWidth = w;
  HintHeight = h;
  HintForm->CreateAlphaBmp(w, h);
  StepB = (255.0 - Transparency) / StepCount;
  RECT src{};
  if (c && c->AnimWindow) GetWindowRect(c->AnimWindow->Handle(), &src);
  SrcRect = TRect(src.left, src.top, src.right, src.bottom);
  if (c) {
    dx = (c->NewBounds.Left - SrcRect.Left) / 5.0;
    dy = (c->NewBounds.Top - SrcRect.Top) / 5.0;
  }
  x = SrcRect.Left;
  y = SrcRect.Top;
  SetEnabled(true);
  if (c) {
    if (c->FOldHintPause == 0) c->FOldHintPause = Application->HintPause();
    Application->SetHintPause(100);
  }
}

void TsShowTimer::IntOnTimer(TObject*) {
  TsAlphaHints* c = ActiveHintsComponent;
  if (Destroyed || !c || !c->AnimWindow || !c->AnimWindow->HandleAllocated() || !CurrentHintForm ||
      !CurrentHintForm->AlphaBmp)
    return;
  HWND picture = c->AnimWindow->Handle();
  TBitmap* fresh = CurrentHintForm->AlphaBmp.get();
  if (Step < StepCount && c->Blend <= 255 - Transparency - StepB) {
    ++Step;
    c->Blend += StepB;
    if (dx == 0 && dy == 0) {
      UpdateLayeredWnd(picture, fresh, AlphaOf(c->Blend), nullptr);
      ShowWindow(picture, SW_SHOWNOACTIVATE);
      return;
    }
    x += dx;
    y += dy;
    dx = (c->NewBounds.Left - x) / 5;
    dy = (c->NewBounds.Top - y) / 5;
    if (!c->NewWindow) c->NewWindow = TacCustomHintWindow::CreateHintWindow(SrcRect);
    if (!c->OldAlphaBmp) c->OldAlphaBmp = NewBmp32(0, 0);
    const TPoint at(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)));
    TBitmap* old = c->OldAlphaBmp->Empty() ? nullptr : c->OldAlphaBmp.get();
    UpdateLayeredWnd(picture, old, AlphaOf(255 - c->Blend), &at);
    HWND behind = c->NewWindow->Handle();
    SetWindowPos(behind, picture, at.X, at.Y, fresh->Width(), fresh->Height(), kPlaceFlags);
    UpdateLayeredWnd(behind, fresh, AlphaOf(c->Blend), &at);
    return;
  }
  SetEnabled(false);
  if (c->NewWindow) {
    c->AnimWindow = std::move(c->NewWindow);
    picture = c->AnimWindow->Handle();
  }
  const TPoint at(c->NewBounds.Left, c->NewBounds.Top);
  UpdateLayeredWnd(picture, fresh, AlphaOf(255 - Transparency), &at);
  SetWindowPos(picture, HWND_TOPMOST, at.X, at.Y, c->NewBounds.Width(), c->NewBounds.Height(), kPlaceFlags);
  ShowWindow(picture, SW_SHOWNOACTIVATE);
  c->Blend = 0;
  c->OldAlphaBmp = std::move(CurrentHintForm->AlphaBmp);
}
