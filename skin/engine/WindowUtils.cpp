#include "skin/engine/WindowUtils.h"
#include "skin/engine/SkinCommands.h"
#include "skin/forms/hints/AlphaHints.h"
#include "skin/forms/hints/HintWindows.h"
#include <vector>

namespace {
bool TooltipFadeWanted() {
  BOOL animation = FALSE, fade = FALSE;
  return SystemParametersInfoW(SPI_GETTOOLTIPANIMATION, 0, &animation, 0) && animation &&
         SystemParametersInfoW(SPI_GETTOOLTIPFADE, 0, &fade, 0) && fade;
}

void OffsetBy(TRect& R, int DX, int DY) { R = TRect(R.Left + DX, R.Top + DY, R.Right + DX, R.Bottom + DY); }
}  // namespace

THintWindow* ShowHintAt(const String& Text, TPoint Point) {
  if (ActiveHintsComponent && ActiveHintsComponent->Active()) {
    ActiveHintsComponent->ShowHint(Point, Text, static_cast<uint16_t>(Application->HintHidePause() & 0xFFFF));
    return ActiveHintsComponent->HintWindow;
  }
  if (Text.empty()) return nullptr;
  THintWindow* hint = HintWindowClass ? HintWindowClass(Application) : new THintWindow(Application);
  hint->SetVisible(false);
  hint->SetColor(clInfoBk);
  TRect r = hint->CalcHintRect(800, Text, nullptr);
  OffsetBy(r, Point.X + 8, Point.Y + 16);
  const TRect work = PointWorkArea(Point);
  if (r.Right > work.Right) OffsetBy(r, work.Right - r.Right, 0);
  if (r.Bottom > work.Bottom) OffsetBy(r, 0, work.Bottom - r.Bottom);
  if (SendSkinCmd(hint->Handle(), SKC_CTRLSKINNED) == 1) {
    hint->ActivateHint(r, Text);
    return hint;
  }
  hint->SetCaption(Text);
  r.Bottom += 4;
  hint->SetBoundsRect(r);
  HWND wnd = hint->Handle();
  SetWindowPos(wnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
  if (Text.size() < 100 && TooltipFadeWanted()) AnimateWindow(wnd, 200, AW_BLEND);
  ShowWindow(wnd, SW_SHOWNOACTIVATE);
  InvalidateRect(wnd, nullptr, TRUE);
  return hint;
}

TRect FormWorkArea(TCustomForm* Form) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  HMONITOR monitor = MonitorFromWindow(Form ? Form->Handle() : nullptr, MONITOR_DEFAULTTONEAREST);
  if (!GetMonitorInfoW(monitor, &info)) return Screen->WorkAreaRect();
  return TRect(info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom);
}

TRect PointWorkArea(TPoint Point) {
  for (int i = 0; i < Screen->MonitorCount(); ++i) {
    const TRect& work = Screen->Monitors(i)->WorkareaRect;
    if (Point.X >= work.Left && Point.X < work.Right && Point.Y >= work.Top && Point.Y < work.Bottom) return work;
  }
  return TRect(0, 0, 0, 0);
}

int AlignedControlsSize(TWinControl* Control, TAlign Align, bool WithGraphic) {
  const bool vertical = Align == alTop || Align == alBottom;
  if (!Control || !(vertical || Align == alLeft || Align == alRight)) return 0;
  int size = 0;
  for (int i = 0; i < Control->ControlCount(); ++i) {
    TControl* child = Control->Controls(i);
    if (!child->Visible() || child->Align() != Align) continue;
    if (!WithGraphic && !dynamic_cast<TWinControl*>(child)) continue;
    size += vertical ? child->Height() : child->Width();
  }
  return size;
}

void SetChildOrderAfter(TWinControl* Control, TControl* Sibling) {
  TWinControl* parent = Control ? Control->Parent() : nullptr;
  if (!parent || !Sibling || Sibling->Parent() != parent || Sibling == Control) return;
  // Windowed children lie in list order, the last in front: Control goes to
  // the front, then every windowed sibling that lay in front of Sibling.
  std::vector<TControl*> inFront;
  bool passed = !dynamic_cast<TWinControl*>(Sibling);
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* child = parent->Controls(i);
    if (child == Sibling) {
      passed = true;
      continue;
    }
    if (passed && child != Control && dynamic_cast<TWinControl*>(child)) inFront.push_back(child);
  }
  Control->BringToFront();
  for (TControl* child : inFront) child->BringToFront();
}
