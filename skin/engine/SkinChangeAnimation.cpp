#include "skin/engine/SkinChangeAnimation.h"
#include "skin/engine/AnimForm.h"
#include "skin/engine/CommonData.h"
#include "skin/engine/Neighbours.h"
#include "skin/engine/PaintToBmp.h"
#include "skin/engine/ShowSchedule.h"
#include "skin/engine/SkinManager.h"
#include "skin/engine/SkinCommands.h"
#include "skin/engine/WindowUtils.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/Blends.h"
#include "skin/graphics/DCDrawing.h"
#include "skin/graphics/LayeredWindows.h"
#include "platform/ui/WndDispatch.h"
#include "skin/graphics/Pixels32.h"
#include <algorithm>

std::unique_ptr<TBitmap> AnimCoverImage;
std::unique_ptr<TWinControl> AnimCoverWindow;

TOutputWindow::TOutputWindow(TComponent* AOwner) : TCustomControl(AOwner) {
  SetCaption(u"acOutputWindow");
  SetVisible(false);
  SetColor(0xFF00FF);
  SetTag(256);
}

void TOutputWindow::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  if (Parent()) return;
  Params.Style = WS_POPUP;
  auto* owner = dynamic_cast<TWinControl*>(Owner());
  if (owner && owner->HandleAllocated() && WindowIsTopmost(owner->Handle())) Params.ExStyle |= WS_EX_TOPMOST;
  Params.WndParent = Application->Handle();
}

void TOutputWindow::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND: Message.Result = 1; return;
    case WM_NCPAINT: Message.Result = 0; return;
    default: TCustomControl::WndProc(Message);
  }
}

namespace {
TRect ScreenRectOf(TControl* Control) {
  if (auto* w = dynamic_cast<TWinControl*>(Control)) {
    RECT r{};
    GetWindowRect(w->Handle(), &r);
    return TRect(r.left, r.top, r.right, r.bottom);
  }
  POINT p{Control->Left(), Control->Top()};
  if (Control->Parent()) ClientToScreen(Control->Parent()->Handle(), &p);
  return TRect(p.x, p.y, p.x + Control->Width(), p.y + Control->Height());
}

HWND HandleOf(TControl* Control) {
  auto* w = dynamic_cast<TWinControl*>(Control);
  return w ? w->Handle() : nullptr;
}

void NotifyRefresh() {
  if (RefreshNotifyWindow) SendMessageW(RefreshNotifyWindow, SM_SKINCMD, SkinCmdWParam(SKC_REFRESH), 0);
}

uint8_t OldCoverAlpha(uint8_t Alpha, uint8_t FrameAlpha) {
  return static_cast<uint8_t>(std::clamp(3 * (int(Alpha) - int(FrameAlpha)), 0, 255));
}

void LayeredRoad(TCustomForm* Form, TsSkinProvider* Provider, unsigned Time, uint8_t Alpha, int Mode) {
  TacBorderForm* border = Provider->BorderForm();
  std::unique_ptr<TBitmap> oldImage;
  if (border) {
    if (Provider->CoverBmp)
      oldImage = std::move(Provider->CoverBmp);
    else if (TBitmap* cache = Provider->CommonData() ? Provider->CommonData()->FCacheBmp.get() : nullptr) {
      oldImage = NewBmp32(cache->Width(), cache->Height());
      BitBlt(oldImage->Canvas()->Handle(), 0, 0, cache->Width(), cache->Height(), cache->Canvas()->Handle(), 0, 0,
             SRCCOPY);
    }
  }
  Provider->PaintAll();
  TBitmap* cache = Provider->CommonData() ? Provider->CommonData()->FCacheBmp.get() : nullptr;
  if (!cache || cache->Empty()) return;
  auto image = NewBmp32(cache->Width(), cache->Height());
  PaintControlToBmp(*image, Form, 0, Provider, 0);
  if (!border) SetRectAlpha(*image, TRect(0, 0, image->Width(), image->Height()), 255, ColorNone);
  const TShowSchedule schedule =
      TShowSchedule::Make(Time, Alpha, Mode == 1 ? TacAnimType::atAero : TacAnimType::atFading, false);
  HWND formWnd = Form->Handle();
  RECT wr{};
  GetWindowRect(formWnd, &wr);
  HWND after = WindowIsTopmost(formWnd) ? HWND_TOPMOST : GetWindow(formWnd, GW_HWNDPREV);
  if (!after) after = HWND_TOP;

  if (border) {
    if (!border->AForm) border->CreateNewForm();
    std::unique_ptr<TCustomForm> oldCover = std::move(border->AForm);
    if (oldCover) {
      if (border->ParentHandle)
        SetWindowLongPtrW(oldCover->Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(border->ParentHandle));
      if (border->OldBorderProc) WndDispatch::SetWindowProcedure(oldCover->Handle(), reinterpret_cast<WNDPROC>(border->OldBorderProc));
    }
    border->CreateNewForm();
    if (!border->AForm) return;
    HWND anim = border->AForm->Handle();
    const TRect shadow = Provider->ShadowSize();
    const int side = WndBorderWidth(formWnd, border, false);
    const int dx = ExBorderWidthOf(border) + shadow.Left - side;
    int dy;
    TsSkinManager* manager = Provider->CommonData()->SkinManager();
    const TsSkinData* skin = manager ? manager->Model.CommonSkinData.get() : nullptr;
    if (Provider->FSysExHeight)
      dy = shadow.Top;
    else if (Form->WindowState() == wsMaximized && skin && skin->ExMaxHeight != skin->ExTitleHeight)
      dy = shadow.Top + ExTitleHeightOf(border) + skin->ExTitleHeight - FormSysCaptionHeight(Form) - side -
           skin->ExMaxHeight;
    else
      dy = shadow.Top + ExTitleHeightOf(border) - FormSysCaptionHeight(Form) - side;
    const TPoint pos(wr.left - dx, wr.top - dy);
    SetWindowLongW(anim, GWL_EXSTYLE, GetWindowLongW(anim, GWL_EXSTYLE) | WS_EX_LAYERED | WS_EX_NOACTIVATE);
    SetWindowPos(anim, after, pos.X, pos.Y, image->Width(), image->Height(), SWP_NOACTIVATE | SWP_NOREDRAW);
    ShowLayeredFrame(anim, *image, schedule.FirstAlpha(), &pos);
    ShowWindow(anim, SW_SHOWNOACTIVATE);
    HWND oldWnd = oldCover ? oldCover->Handle() : nullptr;
    RunShowFrames(schedule, anim, *image, pos, [&](uint8_t frameAlpha) {
      if (oldWnd && oldImage) UpdateLayeredWnd(oldWnd, oldImage.get(), OldCoverAlpha(Alpha, frameAlpha), nullptr);
    });
    if (schedule.Steps < 1 && oldWnd && oldImage) UpdateLayeredWnd(oldWnd, oldImage.get(), 0, nullptr);
    AnimationInProgress = false;
    SetRedraw(formWnd, true);
    RedrawWindow(formWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    SetWindowRgn(anim, border->MakeRgn(0, 0), FALSE);
    SetWindowPos(anim, nullptr, pos.X, pos.Y, 0, 0, SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
    border->UpdateExBordersPos(false, 255);
    return;  // the old image and the old cover go here
  }

  auto cover = std::make_unique<TacAnimForm>(nullptr, WindowIsTopmost(formWnd));
  cover->SetBounds(wr.left, wr.top, wr.right - wr.left, wr.bottom - wr.top);
  HWND anim = cover->Handle();
  const TPoint pos(wr.left, wr.top);
  SetWindowPos(anim, after, pos.X, pos.Y, wr.right - wr.left, wr.bottom - wr.top,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
  SetWindowLongW(anim, GWL_EXSTYLE, GetWindowLongW(anim, GWL_EXSTYLE) | WS_EX_LAYERED | WS_EX_NOACTIVATE);
  ShowLayeredFrame(anim, *image, schedule.FirstAlpha(), &pos);
  Provider->CalcCornerCuts();
  SetWindowRgn(anim, MakeFormRgn(Provider, 0, 0), FALSE);
  ShowWindow(anim, SW_SHOWNOACTIVATE);
  RunShowFrames(schedule, anim, *image, pos);
  AnimationInProgress = false;
  SetRedraw(formWnd, true);
  RedrawWindow(formWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
}

void CrossFadeRoad(TControl* Control, TsSkinProvider* Provider, unsigned Time) {
  if (!AnimCoverWindow) PrepareAnimCover(Control, 0);
  const int w = Control->Width(), h = Control->Height();
  auto image = NewBmp32(w, h);
  {
    TSavedDC saved(image->Canvas()->Handle());
    PaintControlToBmp(*image, Control, 0, nullptr, 0);
  }
  auto frame = NewBmp32(w, h);
  HWND cover = AnimCoverWindow->Handle();
  if (Provider && !Provider->BorderForm() && LayeredWindowsAvailable()) {
    Provider->CalcCornerCuts();
    SetWindowRgn(cover, MakeFormRgn(Provider, 0, 0), FALSE);
  }
  HDC dc = GetWindowDC(cover);
  const int steps = static_cast<int>(Time / AnimFrameTime);
  if (steps > 0 && AnimCoverImage) {
    const int step = 255 / steps;
    int level = 255;
    TFramePacer pacer;
    for (int i = 0; i <= steps && level >= 0; ++i) {
      pacer.Start();
      MixBitmaps(*frame, *AnimCoverImage, *image, nullptr, static_cast<uint16_t>(level));
      BitBlt(dc, 0, 0, w, h, frame->Canvas()->Handle(), 0, 0, SRCCOPY);
      NotifyRefresh();
      level -= step;
      pacer.WaitFrameEnd();
    }
  }
  BitBlt(dc, 0, 0, w, h, image->Canvas()->Handle(), 0, 0, SRCCOPY);
  NotifyRefresh();
  AnimationInProgress = false;
  if (Control->Visible()) {
    HWND wnd = HandleOf(Control);
    if (wnd) SetRedraw(wnd, true);
    UpdateLayeredWnd(cover, frame.get(), 255, nullptr);
    if (wnd && LOBYTE(LOWORD(GetVersion())) > 5) RedrawWindow(wnd, nullptr, nullptr, RDW_FRAMEALL);
    const bool layeredForm = wnd && dynamic_cast<TCustomForm*>(Control) && (GetWindowLongW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED);
    if (!layeredForm)
      SetWindowPos(cover, nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
  }
  ReleaseDC(cover, dc);
  AnimCoverWindow.reset();
  AnimCoverImage.reset();
}
}  // namespace

void SkinChangeAnimation(TControl* Control, unsigned Time, uint8_t Alpha, int Mode) {
  if (!Control) return;
  TAnimationFlag animating;
  auto* form = dynamic_cast<TCustomForm*>(Control);
  TsSkinProvider* provider = nullptr;
  if (form) provider = reinterpret_cast<TsSkinProvider*>(SendSkinCmd(form->Handle(), SKC_GETPROVIDER));
  if (form && provider && LayeredWindowsAvailable()) {
    LayeredRoad(form, provider, Time, Alpha, Mode);
    return;
  }
  try {
    CrossFadeRoad(Control, provider, Time);
  } catch (...) {
    AnimCoverWindow.reset();
    AnimCoverImage.reset();
    throw;
  }
}

void PrepareAnimCover(TControl* Control, int Mode) {
  (void)Mode;
  if (!Control) return;
  const TRect r = ScreenRectOf(Control);
  if (!AnimCoverImage) AnimCoverImage = NewBmp32(r.Width(), r.Height());
  HDC screen = GetDC(nullptr);
  BitBlt(AnimCoverImage->Canvas()->Handle(), 0, 0, r.Width(), r.Height(), screen, r.Left, r.Top, SRCCOPY);
  ReleaseDC(nullptr, screen);
  if (!AnimCoverWindow) AnimCoverWindow = std::make_unique<TOutputWindow>(nullptr);
  TWinControl* cover = AnimCoverWindow.get();
  if (Control->Parent()) {
    cover->SetParent(Control->Parent());
    cover->SetBoundsRect(Control->BoundsRect());
    SetChildOrderAfter(cover, Control);
    ShowWindow(cover->Handle(), SW_SHOWNA);
  } else {
    cover->SetBoundsRect(r);
    SetWindowPos(cover->Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  }
}
