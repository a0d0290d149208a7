#include "skin/engine/AnimFrames.h"
#include "skin/graphics/BilinearStretch.h"
#include "skin/graphics/LayeredWindows.h"
#include "skin/graphics/Pixels32.h"
#include <cmath>

bool AnimationInProgress = false;

void TFramePacer::WaitFrameEnd() const {
  const DWORD spent = GetTickCount() - FStart;
  if (spent < AnimFrameTime) Sleep(AnimFrameTime - spent);
}

void AnimPause(DWORD Milliseconds) { Sleep(Milliseconds); }

void ShowLayeredFrame(HWND Wnd, TBitmap& Image, uint8_t Alpha, const TPoint* Position) {
  HDC screen = GetDC(nullptr);
  SIZE size{Image.Width(), Image.Height()};
  POINT source{0, 0};
  POINT position{};
  if (Position) position = POINT{Position->X, Position->Y};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, Alpha, AC_SRC_ALPHA};
  acUpdateLayeredWindow(Wnd, screen, Position ? &position : nullptr, &size, Image.Canvas()->Handle(), &source,
                        ColorNone, &blend, ULW_ALPHA);
  ReleaseDC(nullptr, screen);
}

void ComposeZoomFrame(TBitmap& Frame, TBitmap& Src, double L, double T, double R, double B) {
  if (L < 0 || T < 0) {
    BitBlt(Frame.Canvas()->Handle(), 0, 0, Src.Width(), Src.Height(), Src.Canvas()->Handle(), 0, 0, SRCCOPY);
    return;
  }
  const int l = static_cast<int>(std::nearbyint(L)), t = static_cast<int>(std::nearbyint(T));
  const int r = static_cast<int>(std::nearbyint(R)), b = static_cast<int>(std::nearbyint(B));
  const int w = Frame.Width(), h = Frame.Height();
  GdiFlush();
  if (r <= l || b <= t) {
    FillRect32(Frame, TRect(0, 0, w, h), 0, 0);
    return;
  }
  if (StretchBilinear32(Frame, TRect(l, t, r, b), Src)) {
    // The scaled image covers its rectangle: only the bands around it are cleared.
    FillRect32(Frame, TRect(0, 0, w, t), 0, 0);
    FillRect32(Frame, TRect(0, b, w, h), 0, 0);
    FillRect32(Frame, TRect(0, t, l, b), 0, 0);
    FillRect32(Frame, TRect(r, t, w, b), 0, 0);
    return;
  }
  // Bitmaps of another depth go through GDI.
  FillRect32(Frame, TRect(0, 0, w, h), 0, 0);
  HDC dst = Frame.Canvas()->Handle();
  const int oldMode = SetStretchBltMode(dst, HALFTONE);
  StretchBlt(dst, l, t, r - l, b - t, Src.Canvas()->Handle(), 0, 0, Src.Width(), Src.Height(), SRCCOPY);
  SetStretchBltMode(dst, oldMode);
}
