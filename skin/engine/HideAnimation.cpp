#include "skin/engine/HideAnimation.h"
#include "skin/engine/AnimFrames.h"
#include "skin/engine/SkinCommands.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/LayeredWindows.h"
#include "platform/ui/Forms.h"
#include <cmath>

TacHideTimer* HideTimer = nullptr;

namespace {
bool Terminating() {
  TApplication* app = TApplicationRef::Peek();
  return app && app->Terminated();
}
}  // namespace

TacHideTimer::TacHideTimer(TComponent* AOwner) : TacThreadedTimer(AOwner) {}

TacHideTimer::~TacHideTimer() {
  if (HideTimer == this) HideTimer = nullptr;
  Stop();
  CallEvent();
  SrcBmp.reset();
  DstBmp.reset();
  Form.reset();
}

void TacHideTimer::Stop() {
  SetInterval(0xFFFF);
  SetOnTimer(nullptr);
  SetEnabled(false);
}

void TacHideTimer::Anim_Init() {
  Trans = StartBlendValue;
  p = StepCount > 0 ? static_cast<double>(StartBlendValue) / StepCount : StartBlendValue;
  if (AnimType == TacAnimType::atAero && StepCount > 0) {
    dx = -static_cast<double>(FBmpSize.cx) / (StepCount * 8);
    dy = -static_cast<double>(FBmpSize.cy) / (StepCount * 8);
    l = 0;
    t = 0;
    r = FBmpSize.cx;
    b = FBmpSize.cy;
  } else {
    dx = dy = l = t = r = b = 0;
  }
}

void TacHideTimer::Anim_DoNext() {
  Trans = std::max(0.0, Trans - p);
  FBlend.SourceConstantAlpha = static_cast<BYTE>(std::nearbyint(Trans));
  if (!SrcBmp || !DstBmp) return;
  if (AnimType == TacAnimType::atFading) {
    if (l == 0) {
      BitBlt(DstBmp->Canvas()->Handle(), 0, 0, SrcBmp->Width(), SrcBmp->Height(), SrcBmp->Canvas()->Handle(), 0, 0,
             SRCCOPY);
      l = 1;
    }
  } else {
    ComposeZoomFrame(*DstBmp, *SrcBmp, l, t, r, b);
  }
}

void TacHideTimer::Anim_GoToNext() {
  l -= dx;
  t -= dy;
  r += dx;
  b += dy;
}

void TacHideTimer::OnTimerProc(TObject* Sender) {
  (void)Sender;
  if (!Form) return;
  if (i > StepCount) {
    CallEvent();
    Stop();
    Form.reset();
    SrcBmp.reset();
    DstBmp.reset();
    return;
  }
  Anim_DoNext();
  if (DstBmp && Form->HandleAllocated()) {
    HDC screen = GetDC(nullptr);
    SIZE size{FBmpSize.cx, FBmpSize.cy};
    POINT source{FBmpTopLeft.X, FBmpTopLeft.Y};
    acUpdateLayeredWindow(Form->Handle(), screen, nullptr, &size, DstBmp->Canvas()->Handle(), &source, ColorNone,
                          &FBlend, ULW_ALPHA);
    ReleaseDC(nullptr, screen);
  }
  if (AnimType == TacAnimType::atAero) Anim_GoToNext();
  ++i;
}

void TacHideTimer::CallEvent() {
  if (EventCalled || !ParentWnd || !IsWindow(ParentWnd)) return;
  auto* provider = reinterpret_cast<TsSkinProvider*>(SendSkinCmd(ParentWnd, SKC_GETPROVIDER));
  if (provider && provider->OnAfterAnimation) {
    EventCalled = true;
    provider->OnAfterAnimation(aeHiding);
  }
}

void StartHideAnimation(std::unique_ptr<TCustomForm> Cover, std::unique_ptr<TBitmap> Image, unsigned Time,
                        HWND ParentWnd, TacAnimType AnimType, uint8_t StartBlend) {
  if (HideTimer && HideTimer->Form) {
    // The earlier hide gives way: its cover goes now, exactly once.
    HideTimer->SetOnTimer(nullptr);
    HideTimer->SetEnabled(false);
    HideTimer->Form.reset();
  }
  if (Time / AnimFrameTime == 0 || !Cover || !Image) return;  // both freed on leaving
  if (!HideTimer) HideTimer = new TacHideTimer(Application);
  TacHideTimer& timer = *HideTimer;
  timer.ParentWnd = ParentWnd;
  timer.EventCalled = false;
  timer.i = 0;
  timer.SrcBmp = std::move(Image);
  timer.StartBlendValue = StartBlend;
  timer.Form = std::move(Cover);
  timer.AnimType = AnimType;
  timer.SetInterval(AnimFrameTime);
  timer.StepCount = static_cast<int>(Time / AnimFrameTime);
  timer.FBmpSize = TSize(timer.SrcBmp->Width(), timer.SrcBmp->Height());
  timer.FBmpTopLeft = TPoint(0, 0);
  timer.FBlend = BLENDFUNCTION{AC_SRC_OVER, 0, StartBlend, AC_SRC_ALPHA};

  HWND cover = timer.Form->Handle();
  SetWindowLongW(cover, GWL_EXSTYLE, GetWindowLongW(cover, GWL_EXSTYLE) | WS_EX_LAYERED | WS_EX_NOACTIVATE);
  ShowLayeredFrame(cover, *timer.SrcBmp, StartBlend, nullptr);
  ShowWindow(cover, SW_SHOWNOACTIVATE);
  RECT wr{};
  GetWindowRect(cover, &wr);
  SetWindowPos(cover, HWND_TOPMOST, wr.left, wr.top, timer.FBmpSize.cx, timer.FBmpSize.cy,
               SWP_NOOWNERZORDER | SWP_NOCOPYBITS | SWP_NOACTIVATE | SWP_NOREDRAW);
  timer.DstBmp = NewBmp32(timer.FBmpSize.cx, timer.FBmpSize.cy);
  timer.Anim_Init();

  if (Terminating()) {
    // No ticks arrive while the application ends: the frames run here.
    TFramePacer pacer;
    while (timer.i <= timer.StepCount) {
      pacer.Start();
      timer.OnTimerProc(&timer);
      pacer.WaitFrameEnd();
    }
    return;
  }
  timer.SetOnTimer([&timer](TObject* Sender) { timer.OnTimerProc(Sender); });
  timer.i = 0;
  timer.OnTimerProc(&timer);
  timer.SetEnabled(true);
}
