#include "skin/engine/ControlTree.h"
#include "skin/engine/ParentBg.h"
#include "skin/engine/SkinCommands.h"
#include "skin/graphics/DCDrawing.h"
#include "skin/graphics/ProcBinding.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Forms.h"

bool PaintingChildren = false;

namespace {
using TSetWindowTheme = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);

// uxtheme is optional: without it, or without the entry, themes are left alone.
struct TThemeUnit {
  HMODULE UxThemeLib = nullptr;
  TSetWindowTheme SetWindowThemeProc = nullptr;
  TThemeUnit() {
    UxThemeLib = LoadLibraryW(reinterpret_cast<LPCWSTR>(u"UXTHEME"));
    if (UxThemeLib) SetWindowThemeProc = BindProc<TSetWindowTheme>(UxThemeLib, "SetWindowTheme");
  }
  ~TThemeUnit() {
    if (UxThemeLib) FreeLibrary(UxThemeLib);
  }
};

TThemeUnit& ThemeUnit() {
  static TThemeUnit unit;
  return unit;
}

bool Designing(const TControl* c) { return (c->ComponentState() & csDesigning) != 0; }

// The platform has no tool bar buttons, so every graphic child may paint.
bool IsPaintableChild(TControl* c, HDC DC) {
  if (!dynamic_cast<TGraphicControl*>(c)) return false;
  if (!c->Visible() && !Designing(c)) return false;
  if (c->Width() <= 0 || c->Height() <= 0) return false;
  if (c->ControlStyle().Contains(csNoDesignVisible) || c->IsDestroying()) return false;
  const TRect b = c->BoundsRect();
  RECT r{b.Left, b.Top, b.Right, b.Bottom};
  return RectVisible(DC, &r) != FALSE;
}

void CopyRect(HDC Dst, const TRect& R, HDC Src, int SrcX, int SrcY) {
  BitBlt(Dst, R.Left, R.Top, R.Width(), R.Height(), Src, SrcX, SrcY, SRCCOPY);
}

// The parent's background under one child: its colour, the parent's
// cached image, or a colour with the border bands the image supplies.
void FillChildBackground(HDC Mem, TControl* Child, const TacParentBgData& P) {
  const TRect b = Child->BoundsRect();
  if (Child->ControlStyle().Contains(csOpaque)) {
    FillDCRect(Mem, b, GetControlColor(Child));
    return;
  }
  if (!P.Bmp) {
    FillDCRect(Mem, b, P.Color);
    return;
  }
  const HDC src = P.Bmp->Canvas()->Handle();
  const int ox = P.Offset.X, oy = P.Offset.Y;
  if (P.BgKind == bgCache) {
    CopyRect(Mem, b, src, b.Left + ox, b.Top + oy);
    return;
  }
  FillDCRect(Mem, b, P.Color);
  if (b.Top < P.FillRect.Top)
    CopyRect(Mem, TRect(b.Left, b.Top, b.Right, P.FillRect.Top), src, b.Left + ox, b.Top + oy);
  if (b.Left < P.FillRect.Left)
    CopyRect(Mem, TRect(b.Left, b.Top, P.FillRect.Left, b.Bottom), src, b.Left + ox, b.Top + oy);
  const int bottomEdge = P.Bmp->Height() - P.FillRect.Bottom;
  if (bottomEdge < b.Bottom + oy && oy >= 0) {
    const int t = b.Bottom - bottomEdge;
    CopyRect(Mem, TRect(b.Left, b.Bottom - t, b.Right, b.Bottom), src, b.Left + ox, b.Bottom + oy - t);
  }
  const int rightEdge = P.Bmp->Width() - P.FillRect.Right;
  if (rightEdge < b.Right + ox && ox >= 0) {
    const int t = b.Right - rightEdge;
    CopyRect(Mem, TRect(b.Right - t, b.Top, b.Right, b.Bottom), src, b.Right + ox - t, b.Top + oy);
  }
}

// Puts a child's own origin at (0, 0) of the memory DC for its painting.
class TChildPaintScope {
public:
  TChildPaintScope(HDC DC, TControl* Child, bool PaintCopy) : FDC(DC), FChild(Child) {
    FSaved = SaveDC(DC);
    GetWindowOrgEx(DC, &FOrigin);
    SetWindowOrgEx(DC, FOrigin.x - Child->Left(), FOrigin.y - Child->Top(), nullptr);
    IntersectClipRect(DC, 0, 0, Child->Width(), Child->Height());
    if (PaintCopy && !Child->ControlState().Contains(csPaintCopy)) {
      Child->SetControlState(Child->ControlState() + csPaintCopy);
      FAddedPaintCopy = true;
    }
  }
  ~TChildPaintScope() {
    if (FAddedPaintCopy) FChild->SetControlState(FChild->ControlState() - csPaintCopy);
    SetWindowOrgEx(FDC, FOrigin.x, FOrigin.y, nullptr);
    RestoreDC(FDC, FSaved);
  }
  TChildPaintScope(const TChildPaintScope&) = delete;
  TChildPaintScope& operator=(const TChildPaintScope&) = delete;

private:
  HDC FDC;
  TControl* FChild;
  POINT FOrigin{};
  int FSaved = 0;
  bool FAddedPaintCopy = false;
};

// The parent-sized memory image, released on every path.
class TMemoryImage {
public:
  TMemoryImage(int Width, int Height) {
    const HDC screen = GetDC(nullptr);
    FBitmap = CreateCompatibleBitmap(screen, Width, Height);
    FDC = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    FOld = SelectObject(FDC, FBitmap);
  }
  ~TMemoryImage() {
    SelectObject(FDC, FOld);
    DeleteDC(FDC);
    DeleteObject(FBitmap);
  }
  TMemoryImage(const TMemoryImage&) = delete;
  TMemoryImage& operator=(const TMemoryImage&) = delete;
  HDC DC() const { return FDC; }

private:
  HBITMAP FBitmap = nullptr;
  HDC FDC = nullptr;
  HGDIOBJ FOld = nullptr;
};

class TPaintingChildrenFlag {
public:
  TPaintingChildrenFlag() { PaintingChildren = true; }
  ~TPaintingChildrenFlag() { PaintingChildren = false; }
  TPaintingChildrenFlag(const TPaintingChildrenFlag&) = delete;
  TPaintingChildrenFlag& operator=(const TPaintingChildrenFlag&) = delete;
};
}  // namespace

bool MouseInControl(TControl* Control) {
  if (!Control) return false;
  TPoint p;
  CursorPos(p);
  p = Control->ScreenToClient(p);
  const TRect r = Control->ClientRect();
  RECT rr{r.Left, r.Top, r.Right, r.Bottom};
  return PtInRect(&rr, POINT{p.X, p.Y}) != FALSE;
}

void IterateControls(TWinControl* Control, intptr_t Data, const std::function<void(TControl*, intptr_t)>& Proc) {
  if (!Control) return;
  const int count = Control->ControlCount();
  for (int i = 0; i < count && i < Control->ControlCount(); ++i) {
    TControl* child = Control->Controls(i);
    if (!child) continue;
    Proc(child, Data);
    if (i < Control->ControlCount())
      if (auto* windowed = dynamic_cast<TWinControl*>(Control->Controls(i))) IterateControls(windowed, Data, Proc);
  }
}

void EndChildrenUpdate(TWinControl* Control) {
  if (!Control || Designing(Control) || AnimationInProgress) return;
  for (int i = 0; i < Control->ControlCount(); ++i) {
    TControl* child = Control->Controls(i);
    if (child->IsDestroying()) continue;
    if (auto* windowed = dynamic_cast<TWinControl*>(child)) {
      if (windowed->HandleAllocated() && windowed->IsShowing())
        SendMessageW(windowed->Handle(), SM_SKINCMD, SkinCmdWParam(SKC_ENDPARENTUPDATE), 0);
    } else {
      child->Perform(SM_SKINCMD, SkinCmdWParam(SKC_ENDPARENTUPDATE), 0);
    }
  }
}

void EndChildWindowsUpdate(HWND Wnd) {
  for (HWND child = GetTopWindow(Wnd); child; child = GetWindow(child, GW_HWNDNEXT))
    if (GetWindowLongW(child, GWL_STYLE) & WS_CHILD)
      SendMessageW(child, SM_SKINCMD, SkinCmdWParam(SKC_ENDPARENTUPDATE), 0);
}

void PaintChildControls(HDC DC, TWinControl* Parent, bool /*Changed*/, TPoint& Offset, HWND /*Wnd*/,
                        bool VisibleOnly) {
  if (PaintingChildren || !Parent) return;
  TPaintingChildrenFlag painting;
  if (VisibleOnly && !Parent->Visible() && !Designing(Parent)) return;
  if (Parent->ControlCount() == 0) return;
  RECT clip{};
  if (GetClipBox(DC, &clip) == NULLREGION || clip.left == clip.right || clip.top == clip.bottom) {
    SendMessageW(Parent->Handle(), SM_SKINCMD, SkinCmdWParam(SKC_SETHALFVISIBLE), 0);
    return;
  }
  TacParentBgData P;
  GetCtrlBgInfo(P, Parent, false);

  auto* form = dynamic_cast<TCustomForm*>(Parent);
  const bool mdiForm = form && form->FormStyle() == fsMDIForm;
  const bool paintCopy = Parent->ControlState().Contains(csPaintCopy);
  std::unique_ptr<TMemoryImage> image;
  const int count = Parent->ControlCount();
  for (int i = 0; i < count; ++i) {
    TControl* child = Parent->Controls(i);
    if (!IsPaintableChild(child, DC)) continue;
    if (mdiForm && child->Align() != alNone) child->Perform(SM_SKINCMD, SkinCmdWParam(SKC_INVALIDATE), 0);
    if (!image) {
      image = std::make_unique<TMemoryImage>(Parent->Width(), Parent->Height());
      for (int j = 0; j < count; ++j) {
        TControl* c = Parent->Controls(j);
        if (IsPaintableChild(c, DC)) FillChildBackground(image->DC(), c, P);
      }
    }
    TChildPaintScope scope(image->DC(), child, paintCopy);
    child->Perform(WM_PAINT, reinterpret_cast<WPARAM>(image->DC()), 0);
  }
  if (!image) return;
  for (int i = 0; i < count; ++i) {
    TControl* child = Parent->Controls(i);
    if (!IsPaintableChild(child, DC)) continue;
    // A child that left its own top-left pixel at the key colour asks not
    // to be copied.
    if (GetPixel(image->DC(), child->Left(), child->Top()) == 0xFF00FF) continue;
    BitBlt(DC, child->Left() + Offset.X, child->Top() + Offset.Y, child->Width(), child->Height(), image->DC(),
           child->Left(), child->Top(), SRCCOPY);
  }
}

void WindowClientRect(HWND Wnd, TRect& R) {
  RECT client{}, window{};
  GetClientRect(Wnd, &client);
  GetWindowRect(Wnd, &window);
  POINT origin{0, 0};
  ClientToScreen(Wnd, &origin);
  const int dx = origin.x - window.left, dy = origin.y - window.top;
  R = TRect(client.left + dx, client.top + dy, client.right + dx, client.bottom + dy);
}

String GetWndClassName(HWND Wnd) {
  char16_t buffer[128] = {};
  const int n = GetClassNameW(Wnd, reinterpret_cast<LPWSTR>(buffer), 128);
  return String(buffer, static_cast<size_t>(n > 0 ? n : 0));
}

bool SetWindowThemeAvailable() { return ThemeUnit().SetWindowThemeProc != nullptr; }

HRESULT acSetWindowTheme(HWND Wnd, const char16_t* SubAppName, const char16_t* SubIdList) {
  auto call = ThemeUnit().SetWindowThemeProc;
  if (!call) return E_NOTIMPL;
  return call(Wnd, reinterpret_cast<LPCWSTR>(SubAppName), reinterpret_cast<LPCWSTR>(SubIdList));
}
