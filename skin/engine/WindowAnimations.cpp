#include "skin/engine/WindowAnimations.h"
#include "skin/engine/AnimForm.h"
#include "skin/engine/CommonData.h"
#include "skin/engine/DialogNeighbours.h"
#include "skin/engine/PaintToBmp.h"
#include "skin/engine/ShowSchedule.h"
#include "skin/engine/SkinCommands.h"
#include "skin/engine/SkinManager.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/Glows.h"
#include "skin/graphics/LayeredWindows.h"
#include "platform/ui/WndDispatch.h"
#include "skin/graphics/Pixels32.h"

namespace {
constexpr uint32_t FS_HIDDENONTERMINATE = 0x200;

TsSkinManager* ManagerOf(TsCommonData* Data) { return Data ? Data->SkinManager() : nullptr; }

std::unique_ptr<TBitmap> Copy32(TBitmap& Src) {
  auto copy = NewBmp32(Src.Width(), Src.Height());
  BitBlt(copy->Canvas()->Handle(), 0, 0, Src.Width(), Src.Height(), Src.Canvas()->Handle(), 0, 0, SRCCOPY);
  return copy;
}

// The animation window goes in the topmost band for a topmost window,
// otherwise directly in front of the window itself.
void PlaceInFrontOf(HWND Anim, HWND Wnd, const TRect& Bounds) {
  HWND after = HWND_TOPMOST;
  if (!WindowIsTopmost(Wnd)) {
    after = GetWindow(Wnd, GW_HWNDPREV);
    if (!after) after = HWND_TOP;
  }
  SetWindowPos(Anim, after, Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height(), SWP_ANIMSHOW);
}

void MakeLayeredNoActivate(HWND Wnd) {
  SetWindowLongW(Wnd, GWL_EXSTYLE, GetWindowLongW(Wnd, GWL_EXSTYLE) | WS_EX_LAYERED | WS_EX_NOACTIVATE);
}

// Shows the animation window in front of Wnd at Pos and runs the frames.
void PlayShowFrames(HWND Anim, TBitmap& Image, const TPoint& Pos, HWND Wnd, const TShowSchedule& Schedule) {
  MakeLayeredNoActivate(Anim);
  ShowLayeredFrame(Anim, Image, Schedule.FirstAlpha(), &Pos);
  PlaceInFrontOf(Anim, Wnd, TRect(Pos.X, Pos.Y, Pos.X + Image.Width(), Pos.Y + Image.Height()));
  ShowWindow(Anim, SW_SHOWNOACTIVATE);
  RunShowFrames(Schedule, Anim, Image, Pos);
}

// Gives a border window's form back the procedure and owner it had, for
// its use as a plain cover.
void RestoreBorderWindow(TacBorderForm& Border, HWND Wnd) {
  if (Border.ParentHandle) SetWindowLongPtrW(Wnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(Border.ParentHandle));
  if (Border.OldBorderProc) WndDispatch::SetWindowProcedure(Wnd, reinterpret_cast<WNDPROC>(Border.OldBorderProc));
}

std::unique_ptr<TCustomForm> SnapshotOf(HWND Wnd) {
  if (MakeCoverForm) return MakeCoverForm(Wnd);
  return NewAnimFormOver(Wnd, true);
}

void PauseForComposition() {
  if (acDwmIsCompositionEnabled()) AnimPause(40);
}
}  // namespace

void ShowFormAnimated(TsSkinProvider* Provider, unsigned Time, uint8_t Alpha, TacAnimType Mode) {
  if (!Provider || !Provider->CommonData() || !Provider->Form()) return;
  TCustomForm* form = Provider->Form();
  if (form->WindowState() == wsMinimized) return;
  TAnimationFlag animating;
  TacBorderForm* border = Provider->BorderForm();
  std::unique_ptr<TCustomForm> temporary;
  HWND anim = nullptr;
  if (border) {
    if (!border->AForm) border->CreateNewForm();
    if (!border->AForm) return;
    anim = border->AForm->Handle();
    SetWindowRgn(anim, nullptr, FALSE);
    border->PaintAll();
  } else {
    Provider->PaintAll();
    temporary = std::make_unique<TacAnimForm>(nullptr);
    anim = temporary->Handle();
  }
  TBitmap* cache = Provider->CommonData()->FCacheBmp.get();
  if (!cache || cache->Empty()) return;
  auto image = NewBmp32(cache->Width(), cache->Height());
  PaintControlToBmp(*image, form, 0, Provider, 0);
  HWND formWnd = form->Handle();
  RECT wr{};
  GetWindowRect(formWnd, &wr);
  TPoint pos(wr.left, wr.top);
  if (border) {
    const TRect shadow = Provider->ShadowSize();
    const int side = WndBorderWidth(formWnd, border, false);
    const int dx = ExBorderWidthOf(border) + shadow.Left - side;
    int dy = border->OffsetY();
    Provider->FSysExHeight = false;
    if (form->WindowState() == wsMaximized && Provider->CaptionHeight(true) < FormSysCaptionHeight(form) + 4) {
      Provider->FSysExHeight = true;
      dy = side + shadow.Top + ExtraTitleHeight(border);
    }
    pos = TPoint(wr.left - dx, wr.top - dy);
  } else {
    SetRectAlpha(*image, TRect(0, 0, image->Width(), image->Height()), 255, ColorNone);
    Provider->CalcCornerCuts();
    ClearRects(Provider->ArOR, *image);
  }
  const TShowSchedule schedule = TShowSchedule::Make(Time, Alpha, Mode, false);
  PlayShowFrames(anim, *image, pos, formWnd, schedule);
  SetWindowPos(anim, nullptr, pos.X, pos.Y, image->Width(), image->Height(), SWP_ANIMSHOW | SWP_NOZORDER);

  Provider->FInAnimation = false;
  SetWindowPos(formWnd, anim, 0, 0, 0, 0, SWP_BEHIND);
  AnimationInProgress = false;
  if (border) border->ExBorderShowing = true;
  SetRedraw(formWnd, true);
  RedrawWindow(formWnd, nullptr, nullptr, RDW_FRAMEALL);
  if (border) border->ExBorderShowing = false;
  PauseForComposition();
  SetWindowPos(anim, formWnd, 0, 0, 0, 0, SWP_ANIMSHOW | SWP_NOSIZE | SWP_NOMOVE);
  if (border) {
    Provider->UpdateFormRgn(false);
    if (border->AForm) SetWindowRgn(border->AForm->Handle(), border->MakeRgn(0, 0), FALSE);
    TsSkinManager* manager = ManagerOf(Provider->CommonData());
    if (manager && manager->Model.CommonSkinData && manager->Model.CommonSkinData->UseAeroBluring)
      border->UpdateExBordersPos(true, 255);
  }
  temporary.reset();
  if (Provider->OnAfterAnimation) Provider->OnAfterAnimation(aeShowing);
}

void ShowDialogAnimated(TacDialogWnd* Dlg, unsigned Time, uint8_t Alpha, TacAnimType Mode) {
  if (!Dlg || !Dlg->SkinData || !Dlg->CtrlHandle) return;
  TAnimationFlag animating;
  TacBorderForm* border = Dlg->BorderForm.get();
  std::unique_ptr<TCustomForm> temporary;
  HWND anim = nullptr;
  if (border) {
    if (!border->AForm) border->CreateNewForm();
    if (!border->AForm) return;
    anim = border->AForm->Handle();
  } else {
    temporary = std::make_unique<TacAnimForm>(nullptr);
    anim = temporary->Handle();
  }
  Dlg->PaintAll();
  TBitmap* cache = Dlg->SkinData->FCacheBmp.get();
  if (!cache || cache->Empty()) return;
  auto image = Copy32(*cache);
  CaptureDialogImage(Dlg, *image, false);

  HWND dlgWnd = Dlg->CtrlHandle;
  int dx = 0, dy = 0;
  if (border) {
    const TRect shadow = Dlg->ShadowSize();
    const int side = WndBorderWidth(dlgWnd, border, false);
    dy = shadow.Top + ExTitleHeightOf(border) - Dlg->CaptionHeight(false) - side;
    dx = ExBorderWidthOf(border) + shadow.Left - side;
  }
  RECT wr{};
  GetWindowRect(dlgWnd, &wr);
  const TPoint pos(wr.left - dx, wr.top - dy);
  const TShowSchedule schedule = TShowSchedule::Make(Time, Alpha, Mode, true);
  PlayShowFrames(anim, *image, pos, dlgWnd, schedule);
  SetWindowRgn(anim, nullptr, FALSE);
  SetWindowPos(anim, nullptr, 0, 0, 0, 0, SWP_ANIMSHOW | SWP_NOZORDER | SWP_NOSIZE | SWP_NOMOVE);

  if (UpdateDialogRegion) UpdateDialogRegion(Dlg, false);
  SetWindowPos(dlgWnd, anim, 0, 0, 0, 0, SWP_BEHIND);
  SetRedraw(dlgWnd, true);
  AnimationInProgress = false;
  constexpr UINT redrawNow = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW;
  if (border) {
    border->ExBorderShowing = true;
    RedrawWindow(dlgWnd, nullptr, nullptr, redrawNow);
    if (UpdateDialogRegion) UpdateDialogRegion(Dlg, false);
    border->ExBorderShowing = false;
    PauseForComposition();
    border->UpdateExBordersPos(true, 255);
    if (border->AForm) SetWindowPos(border->AForm->Handle(), dlgWnd, 0, 0, 0, 0, SWP_BEHIND);
    if (UpdateDialogRegion) UpdateDialogRegion(Dlg, false);
  } else {
    RedrawWindow(dlgWnd, nullptr, nullptr, redrawNow);
    PauseForComposition();
    SetWindowPos(anim, dlgWnd, 0, 0, 0, 0, SWP_BEHIND);
  }
}

void HideFormAnimated(TsSkinProvider* Provider) {
  FreeAllGlows(true);
  if (!Provider || !Provider->Form() || !Provider->CommonData()) return;
  TCustomForm* form = Provider->Form();
  TBitmap* cache = Provider->CommonData()->FCacheBmp.get();
  if (form->FormStyle() == fsMDIChild || !cache || cache->Empty()) return;
  const uint8_t restoreAlpha = 255;
  TAnimationFlag animating;
  if (!(Provider->FormState & FS_HIDDENONTERMINATE)) Provider->PaintAll();
  HWND formWnd = form->Handle();
  TacBorderForm* border = Provider->BorderForm();
  std::unique_ptr<TCustomForm> cover;
  std::unique_ptr<TBitmap> image;
  if (border) {
    if (!border->AForm) border->CreateNewForm();
    cover = std::move(border->AForm);
    if (cover) RestoreBorderWindow(*border, cover->Handle());
    image = Copy32(*cache);
  } else {
    cover = Provider->CoverForm ? std::move(Provider->CoverForm) : SnapshotOf(formWnd);
    image = Copy32(*cache);
    ClearRects(Provider->ArOR, *image);
  }
  SetWndAlpha(formWnd, true, 1);
  TsSkinManager* manager = ManagerOf(Provider->CommonData());
  const unsigned time = manager ? manager->AnimEffects().FormHide->Time : 0;
  const TacAnimType mode = manager ? manager->AnimEffects().FormHide->Mode : TacAnimType::atFading;
  StartHideAnimation(std::move(cover), std::move(image), time, formWnd, mode, 255);
  if (Provider->Form()) SetWndAlpha(formWnd, false, restoreAlpha);
  if (border) {
    TApplication* app = TApplicationRef::Peek();
    if (app && app->Terminated())
      Provider->FreeBorderForm();
    else
      border->AForm.reset();
  }
}

void HideDialogAnimated(TacDialogWnd* Dlg) {
  if (!Dlg || !Dlg->CtrlHandle) return;
  TAnimationFlag animating;
  FreeAllGlows(false);
  TBitmap* cache = Dlg->SkinData ? Dlg->SkinData->FCacheBmp.get() : nullptr;
  if (!cache || cache->Empty()) return;
  TacBorderForm* border = Dlg->BorderForm.get();
  std::unique_ptr<TCustomForm> cover;
  if (border) {
    if (!border->AForm) border->CreateNewForm();
    cover = std::move(border->AForm);
    if (cover) RestoreBorderWindow(*border, cover->Handle());
  } else {
    cover = Dlg->CoverForm ? std::move(Dlg->CoverForm) : SnapshotOf(Dlg->CtrlHandle);
  }
  TsSkinManager* manager = ManagerOf(Dlg->SkinData);
  const unsigned time = manager ? manager->AnimEffects().DialogHide->Time : 0;
  const TacAnimType mode = manager ? manager->AnimEffects().DialogHide->Mode : TacAnimType::atFading;
  StartHideAnimation(std::move(cover), Copy32(*cache), time, nullptr, mode, 255);
  Dlg->BorderForm.reset();
}
