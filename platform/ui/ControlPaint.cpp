// Painting: windowed controls, the windowless children they paint, control
// canvases, and printing a window with its children into any DC.
#include "platform/rtl/Exceptions.h"
#include "platform/ui/Controls.h"
#include <algorithm>
#include <vector>

namespace {
std::vector<TControlCanvas*>& CanvasesWithDC() {
  static std::vector<TControlCanvas*> list;
  return list;
}

// Points the canvas at dc for the duration of a Paint call.
class TPaintScope {
public:
  TPaintScope(TCanvas* canvas, HDC dc) : FCanvas(canvas) {
    FCanvas->Lock();
    FCanvas->SetHandle(dc);
  }
  ~TPaintScope() {
    FCanvas->SetHandle(nullptr);
    FCanvas->Unlock();
  }
  TPaintScope(const TPaintScope&) = delete;
  TPaintScope& operator=(const TPaintScope&) = delete;

private:
  TCanvas* FCanvas;
};
}  // namespace

// ---- Windowed controls -----------------------------------------------------

void TWinControl::PaintWindow(HDC DC) {
  TMessage paint{WM_PAINT, reinterpret_cast<WPARAM>(DC), 0, 0};
  DefaultHandler(paint);
}

void TWinControl::PaintHandler(TMessage& m) {
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  PAINTSTRUCT ps{};
  bool own = dc == nullptr;
  if (own) dc = BeginPaint(FHandle, &ps);
  try {
    int saved = SaveDC(dc);
    // Opaque windowless children paint over what is under them.
    for (TControl* c : FControls)
      if (c->Visible() && c->ControlStyle().Contains(csOpaque))
        ExcludeClipRect(dc, c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height());
    PaintWindow(dc);
    RestoreDC(dc, saved);
    PaintControls(dc, nullptr);
  } catch (...) {
    if (own) EndPaint(FHandle, &ps);
    throw;
  }
  if (own) EndPaint(FHandle, &ps);
}

void TWinControl::PaintControls(HDC DC, TControl* First) {
  auto it = FControls.begin();
  if (First) {
    it = std::find(FControls.begin(), FControls.end(), First);
    if (it == FControls.end()) it = FControls.begin();
  }
  for (; it != FControls.end(); ++it) {
    TControl* c = *it;
    if (!c->Visible()) continue;
    RECT r{c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height()};
    if (!RectVisible(DC, &r)) continue;
    int saved = SaveDC(DC);
    OffsetWindowOrgEx(DC, -c->Left(), -c->Top(), nullptr);
    IntersectClipRect(DC, 0, 0, c->Width(), c->Height());
    try {
      c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
    } catch (...) {
      RestoreDC(DC, saved);
      throw;
    }
    RestoreDC(DC, saved);
  }
}

void TWinControl::PaintTo(HDC dc, int x, int y) {
  HandleNeeded();
  int saved = SaveDC(dc);
  OffsetWindowOrgEx(dc, -x, -y, nullptr);
  Perform(WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
  RestoreDC(dc, saved);
}

// Exported by user32 though missing from its header.
extern "C" DWORD WINAPI DrawMenuBarTemp(HWND hwnd, HDC hdc, LPRECT rect, HMENU menu, HFONT font);

namespace {
// The frame and caption of a window, as Wine draws them on screen.
void DrawNonClient(HWND hwnd, HDC dc, const RECT& window, const POINT& clientOffset, const RECT& client) {
  LONG style = GetWindowLongW(hwnd, GWL_STYLE);
  LONG exStyle = GetWindowLongW(hwnd, GWL_EXSTYLE);
  RECT r = window;
  if ((style & WS_CAPTION) == WS_CAPTION || (style & WS_THICKFRAME) || (exStyle & WS_EX_DLGMODALFRAME)) {
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
  } else if (style & WS_BORDER) {
    FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
    InflateRect(&r, -1, -1);
  }
  if ((style & WS_CAPTION) == WS_CAPTION) {
    bool tool = (exStyle & WS_EX_TOOLWINDOW) != 0;
    int frame = (clientOffset.x - (exStyle & WS_EX_CLIENTEDGE ? GetSystemMetrics(SM_CXEDGE) : 0));
    int captionHeight = GetSystemMetrics(tool ? SM_CYSMCAPTION : SM_CYCAPTION);
    RECT caption{frame, frame, window.right - frame, frame + captionHeight - 1};
    UINT flags = DC_TEXT | DC_GRADIENT | (tool ? DC_SMALLCAP : DC_ICON);
    if (GetActiveWindow() == hwnd) flags |= DC_ACTIVE;
    DrawCaption(hwnd, dc, &caption, flags);
    if (style & WS_SYSMENU) {
      int size = captionHeight - 4;
      RECT button{caption.right - size - 2, caption.top + 2, caption.right - 2, caption.top + 2 + size - 1};
      DrawFrameControl(dc, &button, DFC_CAPTION, DFCS_CAPTIONCLOSE);
      if (style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) {
        OffsetRect(&button, -size - 2, 0);
        DrawFrameControl(dc, &button, DFC_CAPTION,
                         (IsZoomed(hwnd) ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMAX) |
                             (style & WS_MAXIMIZEBOX ? 0 : DFCS_INACTIVE));
        OffsetRect(&button, -size, 0);
        DrawFrameControl(dc, &button, DFC_CAPTION, DFCS_CAPTIONMIN | (style & WS_MINIMIZEBOX ? 0 : DFCS_INACTIVE));
      }
    }
    if (HMENU menu = GetMenu(hwnd)) {
      RECT bar{frame, caption.bottom + 1, window.right - frame, clientOffset.y};
      if (exStyle & WS_EX_CLIENTEDGE) bar.bottom -= GetSystemMetrics(SM_CYEDGE);
      if (bar.bottom > bar.top) {
        FillRect(dc, &bar, GetSysColorBrush(COLOR_MENU));
        DrawMenuBarTemp(hwnd, dc, &bar, menu, nullptr);
      }
    }
  }
  if (exStyle & WS_EX_CLIENTEDGE) {
    RECT edge = client;
    OffsetRect(&edge, clientOffset.x, clientOffset.y);
    InflateRect(&edge, GetSystemMetrics(SM_CXEDGE), GetSystemMetrics(SM_CYEDGE));
    DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
  } else if (exStyle & WS_EX_STATICEDGE) {
    RECT edge = client;
    OffsetRect(&edge, clientOffset.x, clientOffset.y);
    InflateRect(&edge, 1, 1);
    DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
  }
}
}  // namespace

namespace {
// A memory DC with a bitmap of the given size: controls of the system
// classes clip their painting to their client rectangle in device units, so
// each window is printed into a DC of its own whose origin is the window's.
class TPrintSurface {
public:
  TPrintSurface(HDC like, int width, int height) {
    FDC = CreateCompatibleDC(like);
    FBitmap = CreateCompatibleBitmap(like, std::max(width, 1), std::max(height, 1));
    FOld = SelectObject(FDC, FBitmap);
    RECT r{0, 0, width, height};
    FillRect(FDC, &r, GetSysColorBrush(COLOR_BTNFACE));
  }
  ~TPrintSurface() {
    SelectObject(FDC, FOld);
    DeleteObject(FBitmap);
    DeleteDC(FDC);
  }
  TPrintSurface(const TPrintSurface&) = delete;
  TPrintSurface& operator=(const TPrintSurface&) = delete;
  HDC DC() const { return FDC; }

private:
  HDC FDC;
  HBITMAP FBitmap;
  HGDIOBJ FOld;
};

// Scroll bars belong to the frame, which the system does not print.
void DrawScrollBars(HWND hwnd, HDC dc, const POINT& offset, const RECT& client) {
  LONG style = GetWindowLongW(hwnd, GWL_STYLE);
  int cx = GetSystemMetrics(SM_CXVSCROLL), cy = GetSystemMetrics(SM_CYHSCROLL);
  auto bar = [&](int which, RECT r, bool vertical) {
    FillRect(dc, &r, GetSysColorBrush(COLOR_SCROLLBAR));
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    bool enabled = GetScrollInfo(hwnd, which, &info) && info.nMax > info.nMin && info.nPage > 0 &&
                   static_cast<int>(info.nPage) <= info.nMax - info.nMin;
    RECT first = r, second = r;
    if (vertical) {
      first.bottom = first.top + cx;
      second.top = second.bottom - cx;
    } else {
      first.right = first.left + cy;
      second.left = second.right - cy;
    }
    UINT off = enabled ? 0 : DFCS_INACTIVE;
    DrawFrameControl(dc, &first, DFC_SCROLL, (vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT) | off);
    DrawFrameControl(dc, &second, DFC_SCROLL, (vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT) | off);
    if (!enabled) return;
    int track = vertical ? (second.top - first.bottom) : (second.left - first.right);
    int range = info.nMax - info.nMin + 1;
    int thumb = std::max(8, static_cast<int>(static_cast<long long>(track) * static_cast<int>(info.nPage) / range));
    int pos = static_cast<int>(static_cast<long long>(track - thumb) * (info.nPos - info.nMin) /
                               std::max(1, range - static_cast<int>(info.nPage)));
    RECT t = r;
    if (vertical) {
      t.top = first.bottom + pos;
      t.bottom = t.top + thumb;
    } else {
      t.left = first.right + pos;
      t.right = t.left + thumb;
    }
    DrawFrameControl(dc, &t, DFC_BUTTON, DFCS_BUTTONPUSH);
  };
  int left = offset.x, top = offset.y, right = offset.x + client.right, bottom = offset.y + client.bottom;
  if (style & WS_VSCROLL) bar(SB_VERT, RECT{right, top, right + cx, bottom}, true);
  if (style & WS_HSCROLL) bar(SB_HORZ, RECT{left, bottom, right, bottom + cy}, false);
  if ((style & WS_VSCROLL) && (style & WS_HSCROLL)) {
    RECT corner{right, bottom, right + cx, bottom + cy};
    FillRect(dc, &corner, GetSysColorBrush(COLOR_BTNFACE));
  }
}

// Prints a window and its children into dc, whose origin is the window's.
void PrintWindowTree(HWND hwnd, HDC dc, LPARAM flags);

void PrintChildren(HWND parent, HDC clientDC, LPARAM flags) {
  POINT origin{0, 0};
  ::ClientToScreen(parent, &origin);
  // Bottom of the z-order first, so the topmost child ends on top.
  for (HWND child = GetWindow(GetWindow(parent, GW_CHILD), GW_HWNDLAST); child;
       child = GetWindow(child, GW_HWNDPREV)) {
    if (!IsWindowVisible(child)) continue;
    RECT cr;
    GetWindowRect(child, &cr);
    int w = cr.right - cr.left, h = cr.bottom - cr.top;
    TPrintSurface surface(clientDC, w, h);
    PrintWindowTree(child, surface.DC(), flags);
    BitBlt(clientDC, cr.left - origin.x, cr.top - origin.y, w, h, surface.DC(), 0, 0, SRCCOPY);
  }
}

void PrintWindowTree(HWND hwnd, HDC dc, LPARAM flags) {
  if (FindControl(hwnd)) {
    SendMessageW(hwnd, WM_PRINT, reinterpret_cast<WPARAM>(dc), flags);
    return;
  }
  // A window of a system class inside a control (a combo box's edit).
  RECT client;
  ::GetClientRect(hwnd, &client);
  SendMessageW(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  PrintChildren(hwnd, dc, flags);
}
}  // namespace

void TWinControl::DoPrint(TMessage& m) {
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  LPARAM flags = m.LParam;
  if (!FHandle || ((flags & PRF_CHECKVISIBLE) && !IsWindowVisible(FHandle))) return;
  RECT wr, client;
  GetWindowRect(FHandle, &wr);
  ::GetClientRect(FHandle, &client);
  POINT origin{0, 0};
  ::ClientToScreen(FHandle, &origin);
  POINT offset{origin.x - wr.left, origin.y - wr.top};
  RECT window{0, 0, wr.right - wr.left, wr.bottom - wr.top};
  if (flags & PRF_NONCLIENT) {
    DrawNonClient(FHandle, dc, window, offset, client);
    DrawScrollBars(FHandle, dc, offset, client);
  }
  TPrintSurface surface(dc, client.right, client.bottom);
  if (flags & PRF_ERASEBKGND) Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(surface.DC()), 0);
  if (flags & PRF_CLIENT) Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.DC()), flags & ~PRF_CHILDREN);
  if (flags & PRF_CHILDREN) PrintChildren(FHandle, surface.DC(), flags | PRF_CHECKVISIBLE);
  BitBlt(dc, offset.x, offset.y, client.right, client.bottom, surface.DC(), 0, 0, SRCCOPY);
  m.Result = 0;
}

// ---- Control canvas --------------------------------------------------------

TControlCanvas::~TControlCanvas() { ReleaseDeviceContext(); }

void TControlCanvas::SetControl(TControl* value) {
  if (FControl == value) return;
  ReleaseDeviceContext();
  FControl = value;
}

void TControlCanvas::CreateHandle() {
  if (!FControl) return;
  HWND window = nullptr;
  bool windowless = false;
  if (auto* w = dynamic_cast<TWinControl*>(FControl)) {
    window = w->Handle();
  } else {
    if (!FControl->Parent())
      throw EInvalidOperation(u"Control '" + FControl->Name() + u"' has no parent window");
    window = FControl->Parent()->Handle();
    windowless = true;
  }
  HDC dc = GetDCEx(window, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
  if (!dc) throw EOutOfResources(u"Out of system resources");
  if (windowless) {
    SetViewportOrgEx(dc, FControl->Left(), FControl->Top(), nullptr);
    IntersectClipRect(dc, 0, 0, FControl->Width(), FControl->Height());
  }
  FWindowHandle = window;
  FDeviceContext = dc;
  CanvasesWithDC().push_back(this);
  SetHandle(dc);
}

void TControlCanvas::FreeHandle() { ReleaseDeviceContext(); }

void TControlCanvas::ReleaseDeviceContext() {
  if (!FDeviceContext) return;
  SetHandle(nullptr);
  ReleaseDC(FWindowHandle, FDeviceContext);
  FDeviceContext = nullptr;
  FWindowHandle = nullptr;
  auto& list = CanvasesWithDC();
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

void TControlCanvas::FreeDeviceContexts() {
  auto& list = CanvasesWithDC();
  for (TControlCanvas* canvas : std::vector<TControlCanvas*>(list))
    if (canvas->LockCount() == 0) canvas->ReleaseDeviceContext();
}

// ---- Windowless and custom-painted controls --------------------------------

TGraphicControl::TGraphicControl(TComponent* AOwner)
    : TControl(AOwner), FCanvas(std::make_unique<TControlCanvas>()) {
  FCanvas->SetControl(this);
}

TGraphicControl::~TGraphicControl() {
  BeginDestroy();
  if (Parent()) Parent()->RemoveControl(this);
}

void TGraphicControl::WndProc(TMessage& m) {
  if (m.Msg == WM_PAINT && m.WParam) {
    TPaintScope scope(FCanvas.get(), reinterpret_cast<HDC>(m.WParam));
    FCanvas->Font()->Assign(*Font());
    Paint();
    return;
  }
  TControl::WndProc(m);
}

TCustomControl::TCustomControl(TComponent* AOwner)
    : TWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>()) {
  FCanvas->SetControl(this);
  FControlState.Include(csCustomPaint);
}

TCustomControl::~TCustomControl() {
  BeginDestroy();
  FCanvas->ReleaseDeviceContext();
}

void TCustomControl::PaintWindow(HDC DC) {
  TPaintScope scope(FCanvas.get(), DC);
  FCanvas->Font()->Assign(*Font());
  FCanvas->Brush()->SetColor(Color());
  Paint();
}
