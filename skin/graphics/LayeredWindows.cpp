#include "skin/graphics/LayeredWindows.h"
#include "skin/graphics/ProcBinding.h"
#include "skin/graphics/Bitmaps32.h"

namespace {
using TUpdateLayeredWindow = decltype(TLayeredWindowProcs::UpdateLayeredWindow);
using TSetLayeredWindowAttributes = decltype(TLayeredWindowProcs::SetLayeredWindowAttributes);

// Bound once, released when the program ends.
struct TGraphicsUnit {
  HMODULE User32 = nullptr;
  TLayeredWindowProcs Procs;
  int CheckWidth = 0;
  int CheckHeight = 0;

  TGraphicsUnit() {
    User32 = LoadLibraryW(reinterpret_cast<LPCWSTR>(u"user32.dll"));
    if (User32) {
      Procs.UpdateLayeredWindow =
          BindProc<TUpdateLayeredWindow>(User32, "UpdateLayeredWindow");
      Procs.SetLayeredWindowAttributes =
          BindProc<TSetLayeredWindowAttributes>(User32, "SetLayeredWindowAttributes");
    }
    if (HBITMAP boxes = LoadBitmapW(nullptr, MAKEINTRESOURCEW(32759))) {
      BITMAP info{};
      GetObjectW(boxes, sizeof(info), &info);
      CheckWidth = info.bmWidth / 4;
      CheckHeight = info.bmHeight / 3;
      DeleteObject(boxes);
    } else {
      // Not every system has the check-box bitmap: the menu check mark has
      // the glyph's size.
      CheckWidth = GetSystemMetrics(SM_CXMENUCHECK);
      CheckHeight = GetSystemMetrics(SM_CYMENUCHECK);
    }
  }
  ~TGraphicsUnit() {
    if (User32) FreeLibrary(User32);
  }
};

TGraphicsUnit& Unit() {
  static TGraphicsUnit unit;
  return unit;
}

// The desktop window manager's library, loaded on first use.
HMODULE Dwm() {
  static HMODULE dwm = LoadLibraryW(reinterpret_cast<LPCWSTR>(u"dwmapi.dll"));
  return dwm;
}

bool Version6OrLater() { return LOBYTE(LOWORD(GetVersion())) >= 6; }

// Releases the screen DC on every path.
class TScreenDC {
public:
  TScreenDC() : FDC(GetDC(nullptr)) {}
  ~TScreenDC() { ReleaseDC(nullptr, FDC); }
  TScreenDC(const TScreenDC&) = delete;
  TScreenDC& operator=(const TScreenDC&) = delete;
  HDC Get() const { return FDC; }

private:
  HDC FDC;
};
}  // namespace

TLayeredWindowProcs& LayeredWindowProcs() { return Unit().Procs; }
bool LayeredWindowsAvailable() { return Unit().Procs.UpdateLayeredWindow != nullptr; }

bool acUpdateLayeredWindow(HWND Wnd, HDC ScreenDC, POINT* Position, SIZE* Size, HDC SourceDC, POINT* Source,
                           COLORREF Key, BLENDFUNCTION* Blend, DWORD Flags) {
  auto call = Unit().Procs.UpdateLayeredWindow;
  return call && call(Wnd, ScreenDC, Position, Size, SourceDC, Source, Key, Blend, Flags);
}
int CheckBoxGlyphWidth() { return Unit().CheckWidth; }
int CheckBoxGlyphHeight() { return Unit().CheckHeight; }

bool acSetLayeredWindowAttributes(HWND Wnd, COLORREF Key, uint8_t Alpha, DWORD Flags) {
  auto call = Unit().Procs.SetLayeredWindowAttributes;
  return call && call(Wnd, Key, Alpha, Flags);
}

void UpdateLayeredWnd(HWND Wnd, TBitmap* Bitmap, uint8_t Alpha, const TPoint* Position) {
  RECT wr{};
  GetWindowRect(Wnd, &wr);
  std::unique_ptr<TBitmap> blank;
  if (!Bitmap) {
    blank = NewBmp32(wr.right - wr.left, wr.bottom - wr.top);
    Bitmap = blank.get();
  }
  const LONG exStyle = GetWindowLongW(Wnd, GWL_EXSTYLE);
  if (!(exStyle & WS_EX_LAYERED)) {
    const bool composition = acDwmIsCompositionEnabled();
    const LONG style = GetWindowLongW(Wnd, GWL_STYLE);
    if (!composition) SetWindowLongW(Wnd, GWL_STYLE, style & ~WS_VISIBLE);
    SetWindowLongW(Wnd, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    if (!composition) {
      RedrawWindow(GetDesktopWindow(), &wr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_INVALIDATE);
      SetWindowLongW(Wnd, GWL_STYLE, GetWindowLongW(Wnd, GWL_STYLE) | (style & WS_VISIBLE));
    }
  }
  auto update = Unit().Procs.UpdateLayeredWindow;
  if (!update) return;
  TScreenDC screen;
  SIZE size{Bitmap->Width(), Bitmap->Height()};
  POINT source{0, 0};
  POINT position{};
  if (Position) position = POINT{Position->X, Position->Y};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, Alpha, AC_SRC_ALPHA};
  HDC bitmapDC = Bitmap->Empty() ? nullptr : Bitmap->Canvas()->Handle();
  update(Wnd, screen.Get(), Position ? &position : nullptr, &size, bitmapDC, &source, ColorNone, &blend,
         ULW_ALPHA);
}

bool SetWndAlpha(HWND Wnd, bool Value, uint8_t Alpha) {
  const LONG exStyle = GetWindowLongW(Wnd, GWL_EXSTYLE);
  if (!Value || !LayeredWindowsAvailable()) {
    SetWindowLongW(Wnd, GWL_STYLE, GetWindowLongW(Wnd, GWL_STYLE) & ~WS_VISIBLE);
    SetWindowLongW(Wnd, GWL_EXSTYLE, exStyle & ~WS_EX_LAYERED);
    return false;
  }
  const bool added = !(exStyle & WS_EX_LAYERED);
  if (added) SetWindowLongW(Wnd, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
  acSetLayeredWindowAttributes(Wnd, ColorNone, Alpha, LWA_ALPHA);
  return added;
}

bool acDwmIsCompositionEnabled() {
  if (!Version6OrLater() || !Dwm()) return false;
  using TCall = HRESULT(WINAPI*)(BOOL*);
  auto call = BindProc<TCall>(Dwm(), "DwmIsCompositionEnabled");
  BOOL enabled = FALSE;
  return call && SUCCEEDED(call(&enabled)) && enabled;
}

HRESULT acDwmSetWindowAttribute(HWND Wnd, DWORD Attribute, const void* Data, DWORD Size) {
  using TCall = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
  auto call = BindProc<TCall>(Dwm(), "DwmSetWindowAttribute");
  return call ? call(Wnd, Attribute, Data, Size) : E_NOTIMPL;
}

void acDwmInvalidateIconicBitmaps(HWND Wnd) {
  if (!Version6OrLater() || !Dwm()) return;
  using TCall = HRESULT(WINAPI*)(HWND);
  if (auto call = BindProc<TCall>(Dwm(), "DwmInvalidateIconicBitmaps")) call(Wnd);
}
