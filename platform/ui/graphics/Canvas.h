#pragma once
// A drawing surface over a device context. The pen, brush and font are
// selected into the DC lazily, on the first operation that needs them, and
// the DC's own objects are put back when the canvas lets go of the DC.
#include "platform/ui/graphics/Geometry.h"
#include "platform/ui/graphics/GraphicsObjects.h"
#include <memory>
#include <vector>

// wingdi.h reserves the name for its A/W pair; the canvas method owns it here.
#undef TextOut

class TGraphic;

// Raster operation of CopyRect and of drawing bitmaps (BitBlt codes).
using TCopyMode = int32_t;
constexpr TCopyMode cmBlackness = 0x00000042;
constexpr TCopyMode cmDstInvert = 0x00550009;
constexpr TCopyMode cmMergeCopy = 0x00C000CA;
constexpr TCopyMode cmMergePaint = 0x00BB0226;
constexpr TCopyMode cmNotSrcCopy = 0x00330008;
constexpr TCopyMode cmNotSrcErase = 0x001100A6;
constexpr TCopyMode cmPatCopy = 0x00F00021;
constexpr TCopyMode cmPatInvert = 0x005A0049;
constexpr TCopyMode cmPatPaint = 0x00FB0A09;
constexpr TCopyMode cmSrcAnd = 0x008800C6;
constexpr TCopyMode cmSrcCopy = 0x00CC0020;
constexpr TCopyMode cmSrcErase = 0x00440328;
constexpr TCopyMode cmSrcInvert = 0x00660046;
constexpr TCopyMode cmSrcPaint = 0x00EE0086;
constexpr TCopyMode cmWhiteness = 0x00FF0062;

// Formatting flags of TextRect(rect, text, format): the DrawText DT_xxx bits.
using TTextFormat = uint32_t;
constexpr TTextFormat tfTop = 0x0000;
constexpr TTextFormat tfLeft = 0x0000;
constexpr TTextFormat tfCenter = 0x0001;
constexpr TTextFormat tfRight = 0x0002;
constexpr TTextFormat tfVerticalCenter = 0x0004;
constexpr TTextFormat tfBottom = 0x0008;
constexpr TTextFormat tfWordBreak = 0x0010;
constexpr TTextFormat tfSingleLine = 0x0020;
constexpr TTextFormat tfExpandTabs = 0x0040;
constexpr TTextFormat tfNoClip = 0x0100;
constexpr TTextFormat tfExternalLeading = 0x0200;
constexpr TTextFormat tfCalcRect = 0x0400;
constexpr TTextFormat tfNoPrefix = 0x0800;
constexpr TTextFormat tfEditControl = 0x2000;
constexpr TTextFormat tfPathEllipsis = 0x4000;
constexpr TTextFormat tfEndEllipsis = 0x8000;
constexpr TTextFormat tfRtlReading = 0x20000;
constexpr TTextFormat tfWordEllipsis = 0x40000;

class TCanvas : public TPersistent {
public:
  TCanvas();
  ~TCanvas() override;

  // The DC with pen, brush and font selected; CreateHandle supplies one when
  // there is none yet.
  HDC Handle();
  // Points the canvas at a DC it does not own (nullptr lets go of it); the
  // objects selected into the previous DC are first replaced by its own.
  void SetHandle(HDC value);
  bool HandleAllocated() const { return FHandle != nullptr; }

  TFont* Font() const { return FFont.get(); }
  void SetFont(const TFont* value) { FFont->Assign(*value); }
  TPen* Pen() const { return FPen.get(); }
  void SetPen(const TPen* value) { FPen->Assign(*value); }
  TBrush* Brush() const { return FBrush.get(); }
  void SetBrush(const TBrush* value) { FBrush->Assign(*value); }

  TPoint PenPos();
  void SetPenPos(TPoint value) { MoveTo(value.X, value.Y); }
  TCopyMode CopyMode() const { return FCopyMode; }
  void SetCopyMode(TCopyMode value) { FCopyMode = value; }
  // ExtTextOut options of TextOut and TextRect (ETO_xxx).
  int TextFlags() const { return FTextFlags; }
  void SetTextFlags(int value) { FTextFlags = value; }
  // The bounds of the DC's current clipping region.
  TRect ClipRect();
  TColor Pixels(int x, int y);
  void SetPixels(int x, int y, TColor value);

  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void Rectangle(int x1, int y1, int x2, int y2);
  void Rectangle(const TRect& rect) { Rectangle(rect.Left, rect.Top, rect.Right, rect.Bottom); }
  void RoundRect(int x1, int y1, int x2, int y2, int x3, int y3);
  void Ellipse(int x1, int y1, int x2, int y2);
  void Ellipse(const TRect& rect) { Ellipse(rect.Left, rect.Top, rect.Right, rect.Bottom); }
  void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  void Polygon(const std::vector<TPoint>& points) { Polygon(points.data(), static_cast<int>(points.size())); }
  void Polygon(const TPoint* points, int count);
  void Polyline(const std::vector<TPoint>& points) { Polyline(points.data(), static_cast<int>(points.size())); }
  void Polyline(const TPoint* points, int count);
  // Filled and framed with the brush, not the pen.
  void FillRect(const TRect& rect);
  void FrameRect(const TRect& rect);
  void DrawFocusRect(const TRect& rect);

  // Writes at (x, y) with the font, over the brush unless it is clear, and
  // leaves the pen position at the end of the text.
  void TextOut(int x, int y, const String& text);
  // Writes at (x, y), clipped to rect, which is first filled when the brush
  // is solid.
  void TextRect(const TRect& rect, int x, int y, const String& text);
  // DrawText with the given flags inside rect; with tfCalcRect the text is
  // only measured and rect receives its bounds.
  void TextRect(TRect& rect, const String& text, TTextFormat format);
  TSize TextExtent(const String& text);
  int TextWidth(const String& text) { return TextExtent(text).cx; }
  int TextHeight(const String& text) { return TextExtent(text).cy; }

  void Draw(int x, int y, TGraphic* graphic);
  void StretchDraw(const TRect& rect, TGraphic* graphic);
  // Copies source of canvas onto dest of this canvas with CopyMode,
  // stretching when the sizes differ.
  void CopyRect(const TRect& dest, TCanvas* canvas, const TRect& source);

  // Drawing from one thread at a time; a single UI thread needs no more.
  void Lock() { ++FLockCount; }
  void Unlock() { --FLockCount; }
  bool TryLock() { ++FLockCount; return true; }
  int LockCount() const { return FLockCount; }

  // Drops the selected objects so the next operation selects them afresh.
  void Refresh();

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

  // Operations that draw call these around the drawing.
  virtual void Changing();
  virtual void Changed();

protected:
  // Called when a DC is needed and none is set; descendants get one
  // (memory DC of a bitmap, DC of a window) and pass it to SetHandle.
  virtual void CreateHandle() {}
  // Lets go of the DC; descendants that got it in CreateHandle release it.
  virtual void FreeHandle() { SetHandle(nullptr); }

  enum StateFlag : unsigned { HandleValid = 1, FontValid = 2, PenValid = 4, BrushValid = 8, AllValid = 15 };
  void RequiredState(unsigned required);
  unsigned State() const { return FState; }

private:
  void SelectFont();
  void SelectPen();
  void SelectBrush();
  void DeselectHandles();
  void FontChanged();
  void PenChanged();
  void BrushChanged();

  HDC FHandle = nullptr;
  unsigned FState = 0;
  std::unique_ptr<TFont> FFont;
  std::unique_ptr<TPen> FPen;
  std::unique_ptr<TBrush> FBrush;
  // The DC's own objects, put back on deselection.
  HGDIOBJ FOldFont = nullptr;
  HGDIOBJ FOldPen = nullptr;
  HGDIOBJ FOldBrush = nullptr;
  // Carried from one DC to the next.
  TPoint FPenPos;
  TCopyMode FCopyMode = cmSrcCopy;
  int FTextFlags = 0;
  int FLockCount = 0;
};
