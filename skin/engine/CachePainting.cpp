// Copying a control's cache to the screen around its children, and whether
// the mouse is over the control.
#include "skin/engine/CommonData.h"
#include "skin/graphics/DCDrawing.h"
#include "skin/engine/Neighbours.h"
#include "skin/engine/ParentBg.h"
#include "skin/engine/SkinCommands.h"
#include "skin/engine/SkinManager.h"
#include "platform/ui/Controls.h"

namespace {
constexpr int AllCorners = CornerTopLeft | CornerBottomLeft | CornerTopRight | CornerBottomRight;


bool HasCache(const TsCommonData* Data) {
  return Data && Data->FCacheBmp && Data->FCacheBmp->Width() > 0 && Data->FCacheBmp->Height() > 0;
}

void Exclude(HDC DC, const TRect& R) { ExcludeClipRect(DC, R.Left, R.Top, R.Right, R.Bottom); }

void CopyCache(TsCommonData* Data, const TRect& SrcRect, const TRect& DstRect, HDC DC) {
  BitBlt(DC, DstRect.Left, DstRect.Top, DstRect.Width(), DstRect.Height(), Data->FCacheBmp->Canvas()->Handle(),
         SrcRect.Left, SrcRect.Top, SRCCOPY);
}

// A group box is left out along its frame only: its caption strip and the
// border widths of the skin's group box.
void ExcludeGroupBoxFrame(HDC DC, HWND Child, const TRect& R) {
  int left = 0, right = 0, bottom = 0;
  if (TsSkinManager* sm = DefaultManager) {
    const int index = sm->GetMaskIndex(u"GROUPBOX", u"BORDERSMASK");
    if (sm->IsValidImgIndex(index)) {
      const TsMaskData& md = sm->Model.ma[static_cast<size_t>(index)];
      left = md.WL;
      right = md.WR;
      bottom = md.WB;
    }
  }
  const int caption = static_cast<int>(SendSkinCmd(Child, SKC_GETMANAGER, 0));
  Exclude(DC, TRect(R.Left, R.Top, R.Right, R.Top + caption));
  Exclude(DC, TRect(R.Left, R.Top, R.Left + left, R.Bottom));
  Exclude(DC, TRect(R.Right - right, R.Top, R.Right, R.Bottom));
  Exclude(DC, TRect(R.Left, R.Bottom - bottom, R.Right, R.Bottom));
}
}  // namespace

void PaintCacheExceptControls(TWinControl* Container, TsCommonData* Data, const TRect& SrcRect, const TRect& DstRect,
                              HDC DC, bool Corners, int X, int Y) {
  if (!HasCache(Data)) return;
  if (Corners) RepaintCtrlCorners(Data, 0, AllCorners);
  TSavedDC saved(DC);
  IntersectClipRect(DC, DstRect.Left, DstRect.Top, DstRect.Right, DstRect.Bottom);
  if (Container)
    for (int i = 0; i < Container->ControlCount(); ++i) {
      TControl* child = Container->Controls(i);
      if (!child->Visible()) continue;
      TRect r = child->BoundsRect();
      r = TRect(r.Left + X, r.Top + Y, r.Right + X, r.Bottom + Y);
      RECT overlap;
      if (!IntersectRect(&overlap, reinterpret_cast<const RECT*>(&r), reinterpret_cast<const RECT*>(&DstRect)))
        continue;
      const bool graphic = dynamic_cast<TWinControl*>(child) == nullptr;
      if (graphic || child->ControlStyle().Contains(csOpaque) || (child->ComponentState() & csDesigning))
        Exclude(DC, r);
    }
  CopyCache(Data, SrcRect, DstRect, DC);
}

void PaintCacheExceptWindows(HWND Wnd, TsCommonData* Data, const TRect& SrcRect, const TRect& DstRect, HDC DC,
                             bool Corners, int X, int Y) {
  if (!HasCache(Data)) return;
  if (Corners) RepaintCtrlCorners(Data, 0, AllCorners);
  TSavedDC saved(DC);
  IntersectClipRect(DC, DstRect.Left, DstRect.Top, DstRect.Right, DstRect.Bottom);
  RECT own{};
  GetWindowRect(Wnd, &own);
  for (HWND child = GetWindow(Wnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    RECT wr{};
    GetWindowRect(child, &wr);
    TRect r(wr.left - own.left - X, wr.top - own.top - Y, wr.right - own.left - X, wr.bottom - own.top - Y);
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    const LONG exStyle = GetWindowLongW(child, GWL_EXSTYLE);
    if ((style & 7) == BS_GROUPBOX && !(exStyle & WS_EX_CLIENTEDGE))
      ExcludeGroupBoxFrame(DC, child, r);
    else
      Exclude(DC, r);
  }
  CopyCache(Data, SrcRect, DstRect, DC);
}

bool TsCommonData::CursorInOwner() const {
  auto* win = dynamic_cast<TWinControl*>(FOwnerControl);
  const HWND wnd = win ? (win->HandleAllocated() ? win->Handle() : nullptr) : FSWHandle;
  if (!wnd || !IsWindowVisible(wnd)) return false;
  RECT client{};
  if (win) {
    GetClientRect(wnd, &client);
  } else {
    RECT wr{};
    GetWindowRect(wnd, &wr);
    client = RECT{0, 0, wr.right - wr.left, wr.bottom - wr.top};
  }
  // The skinned scroll bars belong to the area the cursor may be over.
  if (auto* handler = reinterpret_cast<TacMainWnd*>(SendSkinCmd(wnd, SKC_GETWNDHANDLER, 0)))
    if (auto* scroll = dynamic_cast<TacScrollWnd*>(handler)) {
      const auto thickness = [](TacScrollBar* bar) {
        if (!bar || !bar->fScrollVisible) return 0;
        return ScrollBarSize ? ScrollBarSize(bar, true, 0) : GetSystemMetrics(SM_CXVSCROLL);
      };
      client.right += thickness(scroll->sBarVert);
      client.bottom += thickness(scroll->sBarHorz);
    }
  POINT cursor{};
  GetCursorPos(&cursor);
  ScreenToClient(wnd, &cursor);
  if (!PtInRect(&client, cursor)) return false;
  const HDC dc = GetDC(wnd);
  RECT clip{};
  GetClipBox(dc, &clip);
  ReleaseDC(wnd, dc);
  return PtInRect(&clip, cursor) != FALSE;
}
