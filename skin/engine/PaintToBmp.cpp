#include "skin/engine/PaintToBmp.h"
#include "skin/engine/DialogNeighbours.h"
#include "skin/engine/CommonData.h"
#include "skin/engine/ParentBg.h"
#include "skin/engine/SkinCommands.h"
#include "skin/graphics/DCDrawing.h"
#include "skin/graphics/Pixels32.h"
#include "platform/ui/Forms.h"
#include <algorithm>

namespace {
void SetPrintDC(TControl* Control, HDC DC, bool Sent) {
  const WPARAM cmd = SkinCmdWParam(SKC_SETPRINTDC);
  auto* windowed = dynamic_cast<TWinControl*>(Control);
  if (Sent && windowed)
    SendMessageW(windowed->Handle(), SM_SKINCMD, cmd, reinterpret_cast<LPARAM>(DC));
  else
    Control->Perform(SM_SKINCMD, cmd, reinterpret_cast<LPARAM>(DC));
}

// The part of an invisible control that its parent's background gives.
void PaintParentBackground(TBitmap& Bitmap, TControl* Control, int X, int Y) {
  TacParentBgData bg;
  GetCtrlBgInfo(bg, Control, false);
  HDC dc = Bitmap.Canvas()->Handle();
  if (bg.BgKind == bgCache && bg.Bmp)
    BitBlt(dc, X, Y, Control->Width(), Control->Height(), bg.Bmp->Canvas()->Handle(),
           Control->Left() + bg.Offset.X, Control->Top() + bg.Offset.Y, SRCCOPY);
  else
    FillDCRect(dc, TRect(X, Y, X + Control->Width(), Y + Control->Height()), bg.Color);
}

TRect WindowClientInWindow(HWND Wnd) {
  RECT wr{}, cr{};
  GetWindowRect(Wnd, &wr);
  GetClientRect(Wnd, &cr);
  POINT origin{0, 0};
  ClientToScreen(Wnd, &origin);
  const int x = origin.x - wr.left, y = origin.y - wr.top;
  return TRect(x, y, x + cr.right, y + cr.bottom);
}
}  // namespace

void MoveWindowOrg(HDC DC, int X, int Y) {
  POINT org{};
  GetWindowOrgEx(DC, &org);
  SetWindowOrgEx(DC, org.x - X, org.y - Y, nullptr);
}

void ClearRects(const std::vector<TRect>& Rects, TBitmap& Bitmap) {
  for (const TRect& r : Rects) FillRect32(Bitmap, r, 0, 0);
}

void PaintControlToBmp(TBitmap& Bitmap, TControl* Control, int X, TsSkinProvider* Provider, int Y) {
  if (!Control) return;
  if (!Provider && Control->Parent() && !Control->Visible()) {
    PaintParentBackground(Bitmap, Control, X, Y);
    return;
  }
  HDC dc = Bitmap.Canvas()->Handle();
  TacBorderForm* border = Provider ? Provider->BorderForm() : nullptr;
  if (!border) IntersectClipRect(dc, 0, 0, Control->Width(), Control->Height());
  auto* windowed = dynamic_cast<TWinControl*>(Control);
  if (!windowed) {
    SetPrintDC(Control, dc, false);
    Control->Perform(WM_PRINT, reinterpret_cast<WPARAM>(dc), 0);
    SetPrintDC(Control, nullptr, false);
    return;
  }
  if (SendSkinCmd(windowed->Handle(), SKC_CTRLSKINNED) != 0) {
    SetPrintDC(Control, dc, true);
    SendMessageW(windowed->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(dc), 0);
    SetPrintDC(Control, nullptr, true);
  } else {
    windowed->PaintTo(dc, 0, 0);
  }
  PaintChildWindows(Control, Bitmap);
  if (border) {
    RECT cr{};
    GetClientRect(windowed->Handle(), &cr);
    TRect r(cr.left + Provider->OffsetX(), cr.top + Provider->OffsetY(), cr.right + Provider->OffsetX(),
            cr.bottom + Provider->OffsetY());
    r.Bottom = std::min(r.Bottom, Bitmap.Height() - 1);
    SetRectAlpha(Bitmap, r, 255, ColorNone);
  }
}

void PaintChildWindows(TControl* Control, TBitmap& Bitmap) {
  auto* parent = dynamic_cast<TWinControl*>(Control);
  if (!parent) return;
  HDC dc = Bitmap.Canvas()->Handle();
  for (int i = 0; i < parent->ControlCount(); ++i) {
    auto* child = dynamic_cast<TWinControl*>(parent->Controls(i));
    if (!child || !child->Visible() || !child->HandleAllocated()) continue;
    TSavedDC saved(dc);
    const bool topLevelForm = dynamic_cast<TCustomForm*>(child) && !child->Parent();
    if (!topLevelForm) MoveWindowOrg(dc, child->Left(), child->Top());
    PaintControlToBmp(Bitmap, child, child->Left(), nullptr, child->Top());
  }
}

void CaptureDialogImage(TacDialogWnd* Dlg, TBitmap& Bitmap, bool FromScreen) {
  if (!Dlg || !Dlg->CtrlHandle) return;
  const TRect client = WindowClientInWindow(Dlg->CtrlHandle);
  const int ox = Dlg->OffsetX(), oy = Dlg->OffsetY();
  TCanvas* canvas = Bitmap.Canvas();
  HDC bmpDC = canvas->Handle();
  if (FromScreen) {
    HDC dc = GetWindowDC(Dlg->CtrlHandle);
    {
      TSavedDC saved(dc);
      BitBlt(bmpDC, ox, oy, client.Width(), client.Height(), dc, client.Left, client.Top, SRCCOPY);
    }
    ReleaseDC(Dlg->CtrlHandle, dc);
    TRect r(ox, oy, std::min(ox + client.Width(), Bitmap.Width()), std::min(oy + client.Height(), Bitmap.Height()));
    SetRectAlpha(Bitmap, r, 255, ColorNone);
    return;
  }
  canvas->Lock();
  try {
    TSavedDC saved(bmpDC);
    MoveWindowOrg(bmpDC, ox, oy);
    IntersectClipRect(bmpDC, 0, 0, client.Width(), client.Height());
    if (Dlg->Provider) Dlg->Provider->PrintHwndControls(Dlg->CtrlHandle, bmpDC);
  } catch (...) {
    canvas->Unlock();
    throw;
  }
  canvas->Unlock();
  if (Dlg->BorderForm)
    SetRectAlpha(Bitmap, TRect(ox, oy, ox + client.Width(), oy + client.Height()), 255, ColorNone);
  else
    SetRectAlpha(Bitmap, TRect(0, 0, Bitmap.Width(), Bitmap.Height()), 255, ColorNone);
}
