#include "controls/RxVCLUtils.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>

namespace {

COLORREF Rgb(TColor color) { return static_cast<COLORREF>(ColorToRGB(color) & 0xFFFFFF); }

// A memory DC with one bitmap selected, both released at scope end.
class TMemoryDC {
public:
  TMemoryDC(HDC compatible, HBITMAP bitmap) : FDC(CreateCompatibleDC(compatible)), FBitmap(bitmap) {
    FOld = SelectObject(FDC, FBitmap);
  }
  ~TMemoryDC() {
    SelectObject(FDC, FOld);
    DeleteDC(FDC);
    DeleteObject(FBitmap);
  }
  TMemoryDC(const TMemoryDC&) = delete;
  TMemoryDC& operator=(const TMemoryDC&) = delete;
  HDC DC() const { return FDC; }

private:
  HDC FDC;
  HBITMAP FBitmap;
  HGDIOBJ FOld;
};

// Holds the bitmap's canvas locked and its change notification quiet.
class TBitmapHold {
public:
  explicit TBitmapHold(TBitmap* bitmap) : FCanvas(bitmap->Canvas()) {
    FCanvas->Lock();
    FSaved = std::move(FCanvas->OnChange);
    FCanvas->OnChange = nullptr;
  }
  ~TBitmapHold() {
    FCanvas->OnChange = std::move(FSaved);
    FCanvas->Unlock();
  }
  TBitmapHold(const TBitmapHold&) = delete;
  TBitmapHold& operator=(const TBitmapHold&) = delete;

private:
  TCanvas* FCanvas;
  TNotifyEvent FSaved;
};

}  // namespace

void BlitTransparent(TCanvas* dest, int dstX, int dstY, int dstW, int dstH, TBitmap* bitmap,
                     int srcX, int srcY, int srcW, int srcH, TColor transparentColor) {
  if (!dest || !bitmap || bitmap->Empty()) return;
  if (dstW <= 0) dstW = bitmap->Width();
  if (dstH <= 0) dstH = bitmap->Height();
  if (srcW <= 0 || srcH <= 0) {
    srcX = 0;
    srcY = 0;
    srcW = bitmap->Width();
    srcH = bitmap->Height();
  }
  HDC dstDC = dest->Handle();
  if (!bitmap->Monochrome()) SetStretchBltMode(dstDC, STRETCH_DELETESCANS);
  TBitmapHold hold(bitmap);
  HDC srcDC = bitmap->Canvas()->Handle();

  if (transparentColor == clNone) {
    dest->Changing();
    StretchBlt(dstDC, dstX, dstY, dstW, dstH, srcDC, srcX, srcY, srcW, srcH,
               static_cast<DWORD>(dest->CopyMode()));
    dest->Changed();
    return;
  }
  if (transparentColor == clDefault)
    transparentColor = bitmap->Monochrome() ? clWhite : bitmap->Canvas()->Pixels(0, bitmap->Height() - 1);
  const COLORREF key = Rgb(transparentColor);

  TMemoryDC copy(dstDC, CreateCompatibleBitmap(dstDC, srcW, srcH));
  TMemoryDC mask(dstDC, CreateBitmap(srcW, srcH, 1, 1, nullptr));
  TMemoryDC inverse(dstDC, CreateBitmap(srcW, srcH, 1, 1, nullptr));
  TMemoryDC work(dstDC, CreateCompatibleBitmap(dstDC, dstW, dstH));

  BitBlt(copy.DC(), 0, 0, srcW, srcH, srcDC, srcX, srcY, SRCCOPY);
  // Colour to monochrome: pixels of the background colour become white.
  SetBkColor(copy.DC(), key);
  BitBlt(mask.DC(), 0, 0, srcW, srcH, copy.DC(), 0, 0, SRCCOPY);
  BitBlt(inverse.DC(), 0, 0, srcW, srcH, mask.DC(), 0, 0, NOTSRCCOPY);

  // Monochrome to colour: white becomes the background, black the text colour.
  BitBlt(work.DC(), 0, 0, dstW, dstH, dstDC, dstX, dstY, SRCCOPY);
  SetBkColor(work.DC(), RGB(255, 255, 255));
  SetTextColor(work.DC(), RGB(0, 0, 0));
  SetStretchBltMode(work.DC(), STRETCH_DELETESCANS);
  StretchBlt(work.DC(), 0, 0, dstW, dstH, mask.DC(), 0, 0, srcW, srcH, SRCAND);

  SetBkColor(copy.DC(), RGB(255, 255, 255));
  SetTextColor(copy.DC(), RGB(0, 0, 0));
  BitBlt(copy.DC(), 0, 0, srcW, srcH, inverse.DC(), 0, 0, SRCAND);
  StretchBlt(work.DC(), 0, 0, dstW, dstH, copy.DC(), 0, 0, srcW, srcH, SRCPAINT);

  dest->Changing();
  BitBlt(dstDC, dstX, dstY, dstW, dstH, work.DC(), 0, 0, SRCCOPY);
  dest->Changed();
}

void DrawBitmapTransparent(TCanvas* dest, int x, int y, TBitmap* bitmap, TColor transparentColor) {
  if (!bitmap) return;
  BlitTransparent(dest, x, y, bitmap->Width(), bitmap->Height(), bitmap, 0, 0, bitmap->Width(),
                  bitmap->Height(), transparentColor);
}

std::unique_ptr<TBitmap> MakeDisabledBitmap(TBitmap* bitmap, TColor outlineColor,
                                            TColor backColor, bool drawHighlight,
                                            TColor shadowColor, TColor highlightColor) {
  auto result = std::make_unique<TBitmap>();
  if (!bitmap || bitmap->Empty()) return result;
  const int w = bitmap->Width();
  const int h = bitmap->Height();
  result->SetSize(w, h);
  TCanvas* out = result->Canvas();
  out->Brush()->SetColor(backColor);
  out->Brush()->SetStyle(bsSolid);
  out->FillRect(Rect(0, 0, w, h));

  TBitmapHold hold(bitmap);
  HDC srcDC = bitmap->Canvas()->Handle();
  const COLORREF outline = bitmap->Monochrome() ? RGB(255, 255, 255) : Rgb(outlineColor);
  HDC outDC = out->Handle();
  const COLORREF highlight = Rgb(highlightColor);
  const COLORREF shadow = Rgb(shadowColor);
  if (drawHighlight) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if ((GetPixel(srcDC, x, y) & 0xFFFFFF) == outline) SetPixel(outDC, x + 1, y + 1, highlight);
  }
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if ((GetPixel(srcDC, x, y) & 0xFFFFFF) == outline) SetPixel(outDC, x, y, shadow);
  return result;
}

namespace {

// The shared drawing bitmap of WriteCellText; it only grows.
TBitmap* CellBitmap() {
  static std::unique_ptr<TBitmap> bitmap;
  if (!bitmap) bitmap = std::make_unique<TBitmap>();
  return bitmap.get();
}

TAlignment Mirrored(TAlignment a) {
  if (a == taLeftJustify) return taRightJustify;
  if (a == taRightJustify) return taLeftJustify;
  return a;
}

bool CanvasRightToLeft(TCanvas* canvas) {
  return (GetTextAlign(canvas->Handle()) & TA_RTLREADING) != 0;
}

}  // namespace

void WriteCellText(TCanvas* canvas, const TRect& rect, int dx, int dy, const String& text,
                   TAlignment alignment, bool wordWrap, bool rightToLeft) {
  static constexpr TTextFormat kAlignFlags[] = {
      tfLeft | tfExpandTabs | tfNoPrefix,    // taLeftJustify
      tfRight | tfExpandTabs | tfNoPrefix,   // taRightJustify
      tfCenter | tfExpandTabs | tfNoPrefix,  // taCenter
  };
  TBitmap* shared = CellBitmap();
  HDC dc = canvas->Handle();
  const COLORREF brush = Rgb(canvas->Brush()->Color());
  const bool pureBrush = GetNearestColor(dc, brush) == brush;
  if (!wordWrap && pureBrush && text.find(u'\r') == String::npos) {
    if (CanvasRightToLeft(canvas) && !rightToLeft) alignment = Mirrored(alignment);
    int left = rect.Left + dx;
    if (alignment == taRightJustify) {
      left = rect.Right - canvas->TextWidth(text) - 3;
    } else if (alignment == taCenter) {
      left = rect.Left + (rect.Right - rect.Left) / 2 - canvas->TextWidth(text) / 2;
    }
    canvas->TextRect(rect, left, rect.Top + dy, text);
    return;
  }
  const int w = rect.Width();
  const int h = rect.Height();
  if (w <= 0 || h <= 0) return;
  TCanvas* out = shared->Canvas();
  out->Lock();
  struct TUnlock {
    TCanvas* Canvas;
    ~TUnlock() { Canvas->Unlock(); }
  } unlock{out};
  if (shared->Width() < w || shared->Height() < h)
    shared->SetSize(std::max(shared->Width(), w), std::max(shared->Height(), h));
  out->SetFont(canvas->Font());
  out->SetBrush(canvas->Brush());
  out->Brush()->SetStyle(bsSolid);
  out->FillRect(Rect(0, 0, w, h));
  SetBkMode(out->Handle(), TRANSPARENT);
  if (CanvasRightToLeft(canvas)) alignment = Mirrored(alignment);
  TTextFormat format = kAlignFlags[alignment];
  if (wordWrap) format |= tfWordBreak;
  if (rightToLeft) format |= tfRtlReading;
  TRect area = Rect(dx, dy, w - 1, h - 1);
  out->TextRect(area, text, format);
  canvas->CopyRect(rect, out, Rect(0, 0, w, h));
}

void DrawImageDisabled(TCustomImageList* images, TCanvas* canvas, int x, int y, int index,
                       TColor highlightColor, TColor shadowColor, bool drawHighlight) {
  if (!images || index < 0 || index >= images->Count()) return;
  const int w = images->Width();
  const int h = images->Height();
  // The list's mask: opaque pixels black, transparent ones white.
  TBitmap mask;
  mask.SetPixelFormat(pf1bit);
  mask.SetSize(w, h);
  HDC maskDC = mask.Canvas()->Handle();
  PatBlt(maskDC, 0, 0, w, h, WHITENESS);
  ImageList_Draw(images->Handle(), index, maskDC, 0, 0, ILD_MASK);

  const TColor savedBrush = canvas->Brush()->Color();
  const TBrushStyle savedStyle = canvas->Brush()->Style();
  canvas->Changing();
  HDC dc = canvas->Handle();
  const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
  const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
  // Where the mask is black the brush is painted, elsewhere the
  // destination stays (ROP PSDPxax).
  constexpr DWORD kPaintWhereBlack = 0x00B8074A;
  canvas->Brush()->SetStyle(bsSolid);
  if (drawHighlight) {
    canvas->Brush()->SetColor(highlightColor);
    dc = canvas->Handle();
    BitBlt(dc, x + 1, y + 1, w, h, maskDC, 0, 0, kPaintWhereBlack);
  }
  canvas->Brush()->SetColor(shadowColor);
  dc = canvas->Handle();
  BitBlt(dc, x, y, w, h, maskDC, 0, 0, kPaintWhereBlack);
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBack);
  canvas->Brush()->SetColor(savedBrush);
  canvas->Brush()->SetStyle(savedStyle);
  canvas->Changed();
}

TColor PaletteRelativeColor(TColor color) {
  return static_cast<TColor>(ColorToRGB(color) | 0x02000000);
}

namespace {

struct TActiveSearch {
  HWND Active;
  bool Found;
};

BOOL CALLBACK FindActiveWindow(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<TActiveSearch*>(parameter);
  if (window == search->Active) {
    search->Found = true;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

bool AppWindowActive() {
  TActiveSearch search{GetActiveWindow(), false};
  if (!search.Active) return false;
  EnumThreadWindows(GetCurrentThreadId(), FindActiveWindow, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

void RemovePendingMessage(HWND window, UINT message) {
  MSG msg;
  if (PeekMessageW(&msg, window, message, message, PM_REMOVE) && msg.message == WM_QUIT)
    PostQuitMessage(static_cast<int>(msg.wParam));
}

void* AllocZeroedBlock(long long size) {
  if (size <= 0) return nullptr;
  return GlobalAlloc(GPTR, static_cast<SIZE_T>(size));
}

void FreeBlock(void*& block) {
  if (!block) return;
  GlobalFree(block);
  block = nullptr;
}

void SoundBeep() { MessageBeep(0); }

String TranslateText(const String& text) { return text; }
