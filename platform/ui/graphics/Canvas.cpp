#include "platform/ui/graphics/Canvas.h"
#include "platform/rtl/Exceptions.h"
#include "platform/ui/graphics/Graphic.h"

static_assert(sizeof(TRect) == sizeof(RECT) && sizeof(TPoint) == sizeof(POINT) && sizeof(TSize) == sizeof(SIZE),
              "geometry records must match the Win32 ones");

namespace {
const RECT* AsRect(const TRect& r) { return reinterpret_cast<const RECT*>(&r); }
RECT* AsRect(TRect& r) { return reinterpret_cast<RECT*>(&r); }
const POINT* AsPoints(const TPoint* p) { return reinterpret_cast<const POINT*>(p); }
LPCWSTR W(const String& s) { return reinterpret_cast<LPCWSTR>(s.c_str()); }
}  // namespace

TCanvas::TCanvas() : FFont(std::make_unique<TFont>()), FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>()) {
  FFont->OnChange = [this](TObject*) { FontChanged(); };
  FPen->OnChange = [this](TObject*) { PenChanged(); };
  FBrush->OnChange = [this](TObject*) { BrushChanged(); };
}

TCanvas::~TCanvas() {
  if (FHandle) DeselectHandles();
}

HDC TCanvas::Handle() {
  Changing();
  RequiredState(AllValid);
  return FHandle;
}

void TCanvas::SetHandle(HDC value) {
  if (value == FHandle) return;
  if (FHandle) {
    DeselectHandles();
    POINT p{};
    GetCurrentPositionEx(FHandle, &p);
    FPenPos = {p.x, p.y};
    FHandle = nullptr;
    FState &= ~HandleValid;
  }
  if (value) {
    FHandle = value;
    FState |= HandleValid;
    MoveToEx(FHandle, FPenPos.X, FPenPos.Y, nullptr);
  }
}

void TCanvas::RequiredState(unsigned required) {
  unsigned needed = required & ~FState;
  if (!needed) return;
  if (needed & HandleValid) {
    CreateHandle();
    if (!FHandle) throw EInvalidOperation(u"Canvas does not allow drawing");
  }
  if (needed & FontValid) SelectFont();
  if (needed & PenValid) SelectPen();
  if (needed & BrushValid) SelectBrush();
}

void TCanvas::SelectFont() {
  HGDIOBJ previous = SelectObject(FHandle, FFont->Handle());
  if (!FOldFont) FOldFont = previous;
  SetTextColor(FHandle, static_cast<COLORREF>(ColorToRGB(FFont->Color())));
  FState |= FontValid;
}

void TCanvas::SelectPen() {
  HGDIOBJ previous = SelectObject(FHandle, FPen->Handle());
  if (!FOldPen) FOldPen = previous;
  SetROP2(FHandle, PenModeToRop2(FPen->Mode()));
  FState |= PenValid;
}

void TCanvas::SelectBrush() {
  HBRUSH brush = FBrush->Handle();
  UnrealizeObject(brush);
  HGDIOBJ previous = SelectObject(FHandle, brush);
  if (!FOldBrush) FOldBrush = previous;
  SetBkColor(FHandle, static_cast<COLORREF>(ColorToRGB(FBrush->Color())));
  SetBkMode(FHandle, FBrush->Style() == bsSolid ? OPAQUE : TRANSPARENT);
  FState |= BrushValid;
}

void TCanvas::DeselectHandles() {
  if (!FHandle) return;
  if (FOldFont) SelectObject(FHandle, FOldFont);
  if (FOldPen) SelectObject(FHandle, FOldPen);
  if (FOldBrush) SelectObject(FHandle, FOldBrush);
  FOldFont = FOldPen = FOldBrush = nullptr;
  FState &= ~(FontValid | PenValid | BrushValid);
}

// A changed tool may be about to free its handle: put the DC's own object
// back while the old one can still be let go.
void TCanvas::FontChanged() {
  if ((FState & FontValid) && FHandle) SelectObject(FHandle, FOldFont);
  FState &= ~FontValid;
}

void TCanvas::PenChanged() {
  if ((FState & PenValid) && FHandle) SelectObject(FHandle, FOldPen);
  FState &= ~PenValid;
}

void TCanvas::BrushChanged() {
  if ((FState & BrushValid) && FHandle) SelectObject(FHandle, FOldBrush);
  FState &= ~BrushValid;
}

void TCanvas::Refresh() { DeselectHandles(); }

void TCanvas::Changing() {
  if (OnChanging) OnChanging(this);
}

void TCanvas::Changed() {
  if (OnChange) OnChange(this);
}

TPoint TCanvas::PenPos() {
  RequiredState(HandleValid);
  POINT p{};
  GetCurrentPositionEx(FHandle, &p);
  return {p.x, p.y};
}

TRect TCanvas::ClipRect() {
  RequiredState(HandleValid);
  TRect r;
  GetClipBox(FHandle, AsRect(r));
  return r;
}

TColor TCanvas::Pixels(int x, int y) {
  RequiredState(HandleValid);
  return static_cast<TColor>(GetPixel(FHandle, x, y));
}

void TCanvas::SetPixels(int x, int y, TColor value) {
  Changing();
  RequiredState(HandleValid | PenValid);
  SetPixel(FHandle, x, y, static_cast<COLORREF>(ColorToRGB(value)));
  Changed();
}

void TCanvas::MoveTo(int x, int y) {
  RequiredState(HandleValid);
  MoveToEx(FHandle, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
  Changing();
  RequiredState(HandleValid | PenValid | BrushValid);
  ::LineTo(FHandle, x, y);
  Changed();
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  Changing();
  RequiredState(HandleValid | PenValid | BrushValid);
  ::Rectangle(FHandle, x1, y1, x2, y2);
  Changed();
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) {
  Changing();
  RequiredState(HandleValid | PenValid | BrushValid);
  ::RoundRect(FHandle, x1, y1, x2, y2, x3, y3);
  Changed();
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  Changing();
  RequiredState(HandleValid | PenValid | BrushValid);
  ::Ellipse(FHandle, x1, y1, x2, y2);
  Changed();
}

void TCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  Changing();
  RequiredState(HandleValid | PenValid | BrushValid);
  ::Arc(FHandle, x1, y1, x2, y2, x3, y3, x4, y4);
  Changed();
}

void TCanvas::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  Changing();
  RequiredState(HandleValid | PenValid | BrushValid);
  ::Pie(FHandle, x1, y1, x2, y2, x3, y3, x4, y4);
  Changed();
}

void TCanvas::Polygon(const TPoint* points, int count) {
  if (count <= 0) return;
  Changing();
  RequiredState(HandleValid | PenValid | BrushValid);
  ::Polygon(FHandle, AsPoints(points), count);
  Changed();
}

void TCanvas::Polyline(const TPoint* points, int count) {
  if (count <= 0) return;
  Changing();
  RequiredState(HandleValid | PenValid | BrushValid);
  ::Polyline(FHandle, AsPoints(points), count);
  Changed();
}

void TCanvas::FillRect(const TRect& rect) {
  Changing();
  RequiredState(HandleValid | BrushValid);
  ::FillRect(FHandle, AsRect(rect), FBrush->Handle());
  Changed();
}

void TCanvas::FrameRect(const TRect& rect) {
  Changing();
  RequiredState(HandleValid | BrushValid);
  ::FrameRect(FHandle, AsRect(rect), FBrush->Handle());
  Changed();
}

void TCanvas::DrawFocusRect(const TRect& rect) {
  Changing();
  RequiredState(HandleValid | BrushValid);
  ::DrawFocusRect(FHandle, AsRect(rect));
  Changed();
}

void TCanvas::TextOut(int x, int y, const String& text) {
  Changing();
  RequiredState(HandleValid | FontValid | BrushValid);
  ExtTextOutW(FHandle, x, y, static_cast<UINT>(FTextFlags), nullptr, W(text), static_cast<UINT>(text.size()), nullptr);
  MoveTo(x + TextWidth(text), y);
  Changed();
}

void TCanvas::TextRect(const TRect& rect, int x, int y, const String& text) {
  Changing();
  RequiredState(HandleValid | FontValid | BrushValid);
  UINT options = (static_cast<UINT>(FTextFlags) & ~static_cast<UINT>(ETO_OPAQUE)) | ETO_CLIPPED;
  if (FBrush->Style() != bsClear) options |= ETO_OPAQUE;
  ExtTextOutW(FHandle, x, y, options, AsRect(rect), W(text), static_cast<UINT>(text.size()), nullptr);
  Changed();
}

void TCanvas::TextRect(TRect& rect, const String& text, TTextFormat format) {
  bool measureOnly = (format & tfCalcRect) != 0;
  if (!measureOnly) Changing();
  RequiredState(HandleValid | FontValid | BrushValid);
  DrawTextW(FHandle, W(text), static_cast<int>(text.size()), AsRect(rect), format);
  if (!measureOnly) Changed();
}

TSize TCanvas::TextExtent(const String& text) {
  RequiredState(HandleValid | FontValid);
  TSize size;
  GetTextExtentPoint32W(FHandle, W(text), static_cast<int>(text.size()), reinterpret_cast<SIZE*>(&size));
  return size;
}

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
  if (!graphic || graphic->Empty()) return;
  StretchDraw(Bounds(x, y, graphic->Width(), graphic->Height()), graphic);
}

void TCanvas::StretchDraw(const TRect& rect, TGraphic* graphic) {
  if (!graphic || graphic->Empty()) return;
  Changing();
  RequiredState(AllValid);
  // Monochrome pictures take these as their two colours.
  SetBkColor(FHandle, static_cast<COLORREF>(ColorToRGB(FBrush->Color())));
  SetTextColor(FHandle, static_cast<COLORREF>(ColorToRGB(FFont->Color())));
  graphic->Draw(*this, rect);
  Changed();
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* canvas, const TRect& source) {
  if (!canvas) return;
  Changing();
  RequiredState(HandleValid | FontValid | BrushValid);
  canvas->RequiredState(HandleValid | BrushValid);
  SetStretchBltMode(FHandle, COLORONCOLOR);
  StretchBlt(FHandle, dest.Left, dest.Top, dest.Width(), dest.Height(), canvas->FHandle, source.Left, source.Top,
             source.Width(), source.Height(), static_cast<DWORD>(FCopyMode));
  Changed();
}
