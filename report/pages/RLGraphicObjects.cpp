#include "report/pages/RLGraphicObjects.h"
#include "report/pages/RLCanvasConvert.h"
#include "report/pages/RLGraphicStorage.h"
#include "report/pages/RLGraphicSurface.h"
#include "report/pages/RLRecordStream.h"
#include "report/pages/RLUtils.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/NumUtils.h"
#include "platform/ui/graphics/Canvas.h"
#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

int32_t CurrentGroupId = 0;

int32_t NewGroupId() { return ++CurrentGroupId; }

namespace {
int32_t Scaled(int32_t AValue, double AFactor) { return static_cast<int32_t>(Round(AValue * AFactor)); }

// Where painted coordinates may lie: the paint rectangle and as much again
// on each side. Geometry far beyond the page (a damaged file, say) costs
// the platform time and memory in proportion to its size; brought back
// within these limits, it paints as cheaply as a page-sized object.
struct PaintLimits {
  TRect Box;
  int MaxPenWidth;
  // Glyphs cost the platform the square of their height to draw.
  int MaxFontHeight;
  explicit PaintLimits(const TRLGraphicSurface* ASurface) {
    TRect r = ASurface->PaintRect();
    if (r.IsEmpty()) r = {-(1 << 28), -(1 << 28), 1 << 28, 1 << 28};
    int64_t w = std::max<int64_t>(1, static_cast<int64_t>(r.Right) - r.Left);
    int64_t h = std::max<int64_t>(1, static_cast<int64_t>(r.Bottom) - r.Top);
    Box = {Clamp(r.Left - w), Clamp(r.Top - h), Clamp(r.Right + w), Clamp(r.Bottom + h)};
    MaxPenWidth = static_cast<int>(std::min<int64_t>(std::max(w, h), 1 << 16));
    MaxFontHeight = std::min(MaxPenWidth, 2048);
  }
  int X(int64_t AValue) const { return static_cast<int>(std::clamp<int64_t>(AValue, Box.Left, Box.Right)); }
  int Y(int64_t AValue) const { return static_cast<int>(std::clamp<int64_t>(AValue, Box.Top, Box.Bottom)); }
  static int Clamp(int64_t AValue) {
    return static_cast<int>(std::clamp<int64_t>(AValue, -(int64_t(1) << 30), int64_t(1) << 30));
  }
};

int64_t ScaledAt(int32_t AValue, double AFactor, int ADesloc) { return ADesloc + Round(AValue * AFactor); }

TRect ScaledBounds(const TRLMetaRect& r, double xf, double yf, int dx, int dy, const PaintLimits& limits) {
  return {limits.X(ScaledAt(r.Left, xf, dx)), limits.Y(ScaledAt(r.Top, yf, dy)), limits.X(ScaledAt(r.Right, xf, dx)),
          limits.Y(ScaledAt(r.Bottom, yf, dy))};
}

// Where a shape drawn from r's corners, in either order, can put pixels:
// widened by AMargin on every side.
TRect ReachOf(const TRect& r, int64_t AMargin) {
  return {PaintLimits::Clamp(std::min(r.Left, r.Right) - AMargin), PaintLimits::Clamp(std::min(r.Top, r.Bottom) - AMargin),
          PaintLimits::Clamp(std::max(r.Left, r.Right) + AMargin),
          PaintLimits::Clamp(std::max(r.Top, r.Bottom) + AMargin)};
}

// A size in pixels no larger than ACap, whatever a damaged page holds.
int64_t CappedPixels(double AValue, int64_t ACap) {
  return AValue < static_cast<double>(ACap) ? static_cast<int64_t>(AValue) : ACap;
}

// The scaled pen width as SetCanvasPen leaves it, or more.
int64_t ScaledPenReach(const TRLMetaPen& APen, double AXFactor, const PaintLimits& limits) {
  const double width = std::abs(static_cast<double>(APen.Width())) * std::max(1.0, std::abs(AXFactor));
  return CappedPixels(width, limits.MaxPenWidth) + 2;
}

// A shape drawn within its bounds with a pen whose width reaches past them.
TRect OutlinedReach(const TRLGraphicObject& AObject, const TRLMetaPen& APen, double AXFactor, double AYFactor,
                    int AXDesloc, int AYDesloc) {
  PaintLimits limits(AObject.Surface());
  return ReachOf(ScaledBounds(AObject.BoundsRect(), AXFactor, AYFactor, AXDesloc, AYDesloc, limits),
                 ScaledPenReach(APen, AXFactor, limits));
}

TRect AtLeastOnePixel(TRect r) {
  r.Right = std::max(r.Right, r.Left + 1);
  r.Bottom = std::max(r.Bottom, r.Top + 1);
  return r;
}

void SetCanvasPen(TCanvas* ACanvas, const TRLMetaPen* APen, double AXFactor, const PaintLimits& limits) {
  DecodeMetaPen(APen, ACanvas->Pen());
  ScaleCanvasPenWidth(ACanvas->Pen(), AXFactor);
  if (ACanvas->Pen()->Width() > limits.MaxPenWidth) ACanvas->Pen()->SetWidth(limits.MaxPenWidth);
}

void WritePoints(TRLRecordWriter& w, const TRLMetaPointArray& points) {
  w.WriteInt32(static_cast<int32_t>(points.size()));
  for (const TRLMetaPoint& p : points) {
    w.WriteInt32(p.X);
    w.WriteInt32(p.Y);
  }
}

TRLMetaPointArray ReadPoints(TRLRecordReader& r) {
  int32_t count = r.ReadInt32();
  // The count is bounded by the bytes the body holds.
  if (count < 0 || static_cast<uint64_t>(count) * 8 > r.Remaining()) RaiseReadError();
  TRLMetaPointArray points(static_cast<size_t>(count));
  for (TRLMetaPoint& p : points) {
    p.X = r.ReadInt32();
    p.Y = r.ReadInt32();
  }
  return points;
}

std::vector<TPoint> ScaledPoints(const TRLMetaPointArray& points, double xf, double yf, int dx, int dy,
                                 const PaintLimits& limits) {
  std::vector<TPoint> result;
  result.reserve(points.size());
  for (const TRLMetaPoint& p : points)
    result.emplace_back(limits.X(ScaledAt(p.X, xf, dx)), limits.Y(ScaledAt(p.Y, yf, dy)));
  return result;
}

void OffsetPoints(TRLMetaPointArray& points, int dx, int dy) {
  for (TRLMetaPoint& p : points) {
    p.X += dx;
    p.Y += dy;
  }
}

void InflatePoints(TRLMetaPointArray& points, double xf, double yf) {
  for (TRLMetaPoint& p : points) {
    p.X = Scaled(p.X, xf);
    p.Y = Scaled(p.Y, yf);
  }
}

template <typename T>
TRLGraphicObject* Construct(TRLGraphicSurface* ASurface) {
  return new T(ASurface);
}
}  // namespace

// ---- base ------------------------------------------------------------------

TRLGraphicObject::TRLGraphicObject(TRLGraphicSurface* ASurface) : FSurface(ASurface), FGroupId(CurrentGroupId) {
  FSurface->AddObject(this);
}

TRLGraphicObject::~TRLGraphicObject() {
  if (FSurface) FSurface->RemoveObject(this);
}

void TRLGraphicObject::SaveToStream(TRLRecordWriter& AStream) const {
  AStream.WriteInt32(FBoundsRect.Left);
  AStream.WriteInt32(FBoundsRect.Top);
  AStream.WriteInt32(FBoundsRect.Right);
  AStream.WriteInt32(FBoundsRect.Bottom);
  AStream.WriteInt32(FGroupId);
  AStream.WriteInt32(FGeneratorId);
}

void TRLGraphicObject::LoadFromStream(TRLRecordReader& AStream) {
  FBoundsRect.Left = AStream.ReadInt32();
  FBoundsRect.Top = AStream.ReadInt32();
  FBoundsRect.Right = AStream.ReadInt32();
  FBoundsRect.Bottom = AStream.ReadInt32();
  FGroupId = AStream.ReadInt32();
  FGeneratorId = AStream.ReadInt32();
}

void TRLGraphicObject::Assign(const TRLGraphicObject* AObject) {
  FBoundsRect = AObject->FBoundsRect;
  FGroupId = AObject->FGroupId;
  FGeneratorId = AObject->FGeneratorId;
}

void TRLGraphicObject::Offset(int AXDesloc, int AYDesloc) {
  FBoundsRect.Left += AXDesloc;
  FBoundsRect.Top += AYDesloc;
  FBoundsRect.Right += AXDesloc;
  FBoundsRect.Bottom += AYDesloc;
}

void TRLGraphicObject::Inflate(double AXFactor, double AYFactor) {
  FBoundsRect.Left = Scaled(FBoundsRect.Left, AXFactor);
  FBoundsRect.Top = Scaled(FBoundsRect.Top, AYFactor);
  FBoundsRect.Right = Scaled(FBoundsRect.Right, AXFactor);
  FBoundsRect.Bottom = Scaled(FBoundsRect.Bottom, AYFactor);
}

std::optional<TRect> TRLGraphicObject::PaintReach(double, double, int, int) const { return std::nullopt; }

TRLGraphicObject* TRLGraphicObject::Clone(TRLGraphicSurface* ASurface) const {
  TRLGraphicObject* copy = NewInstance(ASurface);
  try {
    copy->Assign(this);
  } catch (...) {
    delete copy;
    throw;
  }
  return copy;
}

uint8_t ObjectKindOf(const TRLGraphicObject* AObject) {
  if (!AObject) return 0;
  uint8_t kind = AObject->Kind();
  return ObjectClassOfKind(kind) ? kind : 0;
}

TRLGraphicObjectClass ObjectClassOfKind(uint8_t AKind) {
  switch (AKind) {
    case RLKind::Pixel: return Construct<TRLPixelObject>;
    case RLKind::Line: return Construct<TRLLineObject>;
    case RLKind::Rectangle: return Construct<TRLRectangleObject>;
    case RLKind::Text: return Construct<TRLTextObject>;
    case RLKind::FillRect: return Construct<TRLFillRectObject>;
    case RLKind::Ellipse: return Construct<TRLEllipseObject>;
    case RLKind::Polygon: return Construct<TRLPolygonObject>;
    case RLKind::Polyline: return Construct<TRLPolylineObject>;
    case RLKind::Image: return Construct<TRLImageObject>;
    case RLKind::SetClipRect: return Construct<TRLSetClipRectObject>;
    case RLKind::ResetClipRect: return Construct<TRLResetClipRectObject>;
    default: return nullptr;
  }
}

// ---- pixel -----------------------------------------------------------------

TRLGraphicObject* TRLPixelObject::NewInstance(TRLGraphicSurface* ASurface) const { return new TRLPixelObject(ASurface); }

void TRLPixelObject::SaveToStream(TRLRecordWriter& AStream) const {
  TRLGraphicObject::SaveToStream(AStream);
  AStream.WriteByte(FColor.Red);
  AStream.WriteByte(FColor.Green);
  AStream.WriteByte(FColor.Blue);
}

void TRLPixelObject::LoadFromStream(TRLRecordReader& AStream) {
  TRLGraphicObject::LoadFromStream(AStream);
  FColor.Red = AStream.ReadByte();
  FColor.Green = AStream.ReadByte();
  FColor.Blue = AStream.ReadByte();
}

void TRLPixelObject::PaintTo(TCanvas* ACanvas, double AXFactor, double AYFactor, int AXDesloc, int AYDesloc) {
  PaintLimits limits(Surface());
  ACanvas->Brush()->SetStyle(bsSolid);
  ACanvas->Brush()->SetColor(DecodeMetaColor(FColor));
  ACanvas->FillRect(AtLeastOnePixel(ScaledBounds(BoundsRect(), AXFactor, AYFactor, AXDesloc, AYDesloc, limits)));
}

void TRLPixelObject::Assign(const TRLGraphicObject* AObject) {
  TRLGraphicObject::Assign(AObject);
  if (auto* source = dynamic_cast<const TRLPixelObject*>(AObject)) FColor = source->FColor;
}

// ---- line ------------------------------------------------------------------

TRLGraphicObject* TRLLineObject::NewInstance(TRLGraphicSurface* ASurface) const { return new TRLLineObject(ASurface); }

void TRLLineObject::SaveToStream(TRLRecordWriter& AStream) const {
  TRLGraphicObject::SaveToStream(AStream);
  AStream.WriteInt32(FFromPoint.X);
  AStream.WriteInt32(FFromPoint.Y);
  AStream.WriteInt32(FToPoint.X);
  AStream.WriteInt32(FToPoint.Y);
  FPen.SaveToStream(AStream);
  FBrush.SaveToStream(AStream);
}

void TRLLineObject::LoadFromStream(TRLRecordReader& AStream) {
  TRLGraphicObject::LoadFromStream(AStream);
  FFromPoint.X = AStream.ReadInt32();
  FFromPoint.Y = AStream.ReadInt32();
  FToPoint.X = AStream.ReadInt32();
  FToPoint.Y = AStream.ReadInt32();
  FPen.LoadFromStream(AStream);
  FBrush.LoadFromStream(AStream);
}

void TRLLineObject::PaintTo(TCanvas* ACanvas, double AXFactor, double AYFactor, int AXDesloc, int AYDesloc) {
  PaintLimits limits(Surface());
  SetCanvasPen(ACanvas, &FPen, AXFactor, limits);
  DecodeMetaBrush(&FBrush, ACanvas->Brush());
  ACanvas->MoveTo(limits.X(ScaledAt(FFromPoint.X, AXFactor, AXDesloc)), limits.Y(ScaledAt(FFromPoint.Y, AYFactor, AYDesloc)));
  CanvasDashedLineTo(ACanvas, limits.X(ScaledAt(FToPoint.X, AXFactor, AXDesloc)), limits.Y(ScaledAt(FToPoint.Y, AYFactor, AYDesloc)));
}

void TRLLineObject::Assign(const TRLGraphicObject* AObject) {
  TRLGraphicObject::Assign(AObject);
  if (auto* source = dynamic_cast<const TRLLineObject*>(AObject)) {
    FFromPoint = source->FFromPoint;
    FToPoint = source->FToPoint;
    FPen.Assign(source->FPen);
    FBrush.Assign(source->FBrush);
  }
}

void TRLLineObject::Offset(int AXDesloc, int AYDesloc) {
  TRLGraphicObject::Offset(AXDesloc, AYDesloc);
  FFromPoint = {FFromPoint.X + AXDesloc, FFromPoint.Y + AYDesloc};
  FToPoint = {FToPoint.X + AXDesloc, FToPoint.Y + AYDesloc};
}

void TRLLineObject::Inflate(double AXFactor, double AYFactor) {
  TRLGraphicObject::Inflate(AXFactor, AYFactor);
  FFromPoint = {Scaled(FFromPoint.X, AXFactor), Scaled(FFromPoint.Y, AYFactor)};
  FToPoint = {Scaled(FToPoint.X, AXFactor), Scaled(FToPoint.Y, AYFactor)};
  FPen.Inflate(AXFactor);
}

// ---- rectangle and ellipse -------------------------------------------------

void TRLPenBrushObject::SaveToStream(TRLRecordWriter& AStream) const {
  TRLGraphicObject::SaveToStream(AStream);
  FPen.SaveToStream(AStream);
  FBrush.SaveToStream(AStream);
}

void TRLPenBrushObject::LoadFromStream(TRLRecordReader& AStream) {
  TRLGraphicObject::LoadFromStream(AStream);
  FPen.LoadFromStream(AStream);
  FBrush.LoadFromStream(AStream);
}

void TRLPenBrushObject::Assign(const TRLGraphicObject* AObject) {
  TRLGraphicObject::Assign(AObject);
  if (auto* source = dynamic_cast<const TRLPenBrushObject*>(AObject)) {
    FPen.Assign(source->FPen);
    FBrush.Assign(source->FBrush);
  }
}

void TRLPenBrushObject::Inflate(double AXFactor, double AYFactor) {
  TRLGraphicObject::Inflate(AXFactor, AYFactor);
  FPen.Inflate(AXFactor);
}

TRLGraphicObject* TRLRectangleObject::NewInstance(TRLGraphicSurface* ASurface) const {
  return new TRLRectangleObject(ASurface);
}

void TRLRectangleObject::PaintTo(TCanvas* ACanvas, double AXFactor, double AYFactor, int AXDesloc, int AYDesloc) {
  PaintLimits limits(Surface());
  SetCanvasPen(ACanvas, &FPen, AXFactor, limits);
  DecodeMetaBrush(&FBrush, ACanvas->Brush());
  ACanvas->Rectangle(AtLeastOnePixel(ScaledBounds(BoundsRect(), AXFactor, AYFactor, AXDesloc, AYDesloc, limits)));
}

std::optional<TRect> TRLRectangleObject::PaintReach(double AXFactor, double AYFactor, int AXDesloc, int AYDesloc) const {
  return OutlinedReach(*this, FPen, AXFactor, AYFactor, AXDesloc, AYDesloc);
}

TRLGraphicObject* TRLEllipseObject::NewInstance(TRLGraphicSurface* ASurface) const {
  return new TRLEllipseObject(ASurface);
}

void TRLEllipseObject::PaintTo(TCanvas* ACanvas, double AXFactor, double AYFactor, int AXDesloc, int AYDesloc) {
  PaintLimits limits(Surface());
  SetCanvasPen(ACanvas, &FPen, AXFactor, limits);
  DecodeMetaBrush(&FBrush, ACanvas->Brush());
  ACanvas->Ellipse(ScaledBounds(BoundsRect(), AXFactor, AYFactor, AXDesloc, AYDesloc, limits));
}

std::optional<TRect> TRLEllipseObject::PaintReach(double AXFactor, double AYFactor, int AXDesloc, int AYDesloc) const {
  return OutlinedReach(*this, FPen, AXFactor, AYFactor, AXDesloc, AYDesloc);
}

// ---- text ------------------------------------------------------------------

TRLGraphicObject* TRLTextObject::NewInstance(TRLGraphicSurface* ASurface) const { return new TRLTextObject(ASurface); }

void TRLTextObject::SaveToStream(TRLRecordWriter& AStream) const {
  TRLGraphicObject::SaveToStream(AStream);
  AStream.WriteByte(FAlignment);
  AStream.WriteByte(FLayout);
  AStream.WriteInt32(FOrigin.X);
  AStream.WriteInt32(FOrigin.Y);
  AStream.WriteUInt16(FTextFlags);
  AStream.WriteString(FText);
  FBrush.SaveToStream(AStream);
  FFont.SaveToStream(AStream);
}

void TRLTextObject::LoadFromStream(TRLRecordReader& AStream) {
  TRLGraphicObject::LoadFromStream(AStream);
  FAlignment = AStream.ReadByte();
  FLayout = AStream.ReadByte();
  FOrigin.X = AStream.ReadInt32();
  FOrigin.Y = AStream.ReadInt32();
  FTextFlags = AStream.ReadUInt16();
  FText = AStream.ReadString();
  FBrush.LoadFromStream(AStream);
  FFont.LoadFromStream(AStream);
}

void TRLTextObject::PaintTo(TCanvas* ACanvas, double AXFactor, double AYFactor, int AXDesloc, int AYDesloc) {
  PaintLimits limits(Surface());
  DecodeMetaBrush(&FBrush, ACanvas->Brush());
  DecodeMetaFont(&FFont, ACanvas->Font(), AYFactor);
  TFont* font = ACanvas->Font();
  if (std::abs(static_cast<int64_t>(font->Height())) > limits.MaxFontHeight)
    font->SetHeight(font->Height() < 0 ? -limits.MaxFontHeight : limits.MaxFontHeight);
  CanvasTextOutAligned(ACanvas, ScaledBounds(BoundsRect(), AXFactor, AYFactor, AXDesloc, AYDesloc, limits),
                       limits.X(ScaledAt(FOrigin.X, AXFactor, AXDesloc)), limits.Y(ScaledAt(FOrigin.Y, AYFactor, AYDesloc)), FTextFlags,
                       FLayout, FAlignment, DisplayText());
}

std::optional<TRect> TRLTextObject::PaintReach(double AXFactor, double AYFactor, int AXDesloc, int AYDesloc) const {
  PaintLimits limits(Surface());
  const TRect bounds = ScaledBounds(BoundsRect(), AXFactor, AYFactor, AXDesloc, AYDesloc, limits);
  if (!(FTextFlags & RLMeta::TextFlagNoClip)) return ReachOf(bounds, 1);
  // Unclipped, one line runs any length either way from where it starts,
  // but stays within a line's height of its bounds and its origin.
  const double ppi = FFont.PixelsPerInch() == 0 ? 96 : std::abs(static_cast<double>(FFont.PixelsPerInch()));
  const double height = std::abs(static_cast<double>(FFont.Size())) * std::abs(AYFactor) * ppi / 72;
  // A size of 0 takes the platform's default height.
  const int64_t line = FFont.Size() == 0 ? 64 : CappedPixels(height, limits.MaxFontHeight);
  const int originY = limits.Y(ScaledAt(FOrigin.Y, AYFactor, AYDesloc));
  TRect reach = ReachOf(bounds, 2 * line + 2);
  reach.Top = std::min(reach.Top, PaintLimits::Clamp(originY - 2 * line - 2));
  reach.Bottom = std::max(reach.Bottom, PaintLimits::Clamp(originY + 2 * line + 2));
  reach.Left = std::numeric_limits<int>::min();
  reach.Right = std::numeric_limits<int>::max();
  return reach;
}

void TRLTextObject::Assign(const TRLGraphicObject* AObject) {
  TRLGraphicObject::Assign(AObject);
  if (auto* source = dynamic_cast<const TRLTextObject*>(AObject)) {
    FAlignment = source->FAlignment;
    FTextFlags = source->FTextFlags;
    FBrush.Assign(source->FBrush);
    FFont.Assign(source->FFont);
    FLayout = source->FLayout;
    FOrigin = source->FOrigin;
    FText = source->FText;
  }
}

void TRLTextObject::Offset(int AXDesloc, int AYDesloc) {
  TRLGraphicObject::Offset(AXDesloc, AYDesloc);
  FOrigin = {FOrigin.X + AXDesloc, FOrigin.Y + AYDesloc};
}

void TRLTextObject::Inflate(double AXFactor, double AYFactor) {
  TRLGraphicObject::Inflate(AXFactor, AYFactor);
  FOrigin = {Scaled(FOrigin.X, AXFactor), Scaled(FOrigin.Y, AYFactor)};
  FFont.SetSize(Scaled(FFont.Size(), AYFactor));
}

namespace {
bool LookUpMacro(const TStrings* AMacros, const String& AName, String& AValue) {
  if (!AMacros) return false;
  int index = AMacros->IndexOfName(AName);
  if (index < 0) return false;
  AValue = AMacros->ValueFromIndex(index);
  return true;
}
}  // namespace

AnsiString TRLTextObject::DisplayText() const {
  if (FText.find('{') == AnsiString::npos) return FText;
  const TStrings* pageMacros = Surface()->Macros();
  const TStrings* storeMacros = Surface()->Storage() ? Surface()->Storage()->Macros() : nullptr;
  // Built by appending, each name looked up once: a text of many
  // references would otherwise cost the square of its length.
  std::map<AnsiString, std::pair<bool, AnsiString>> known;
  AnsiString text;
  text.reserve(FText.size());
  size_t p = 0;
  while (p < FText.size()) {
    size_t open = FText.find('{', p);
    size_t close = open == AnsiString::npos ? open : FText.find('}', open);
    if (close == AnsiString::npos) break;
    text.append(FText, p, open - p);
    AnsiString name = FText.substr(open + 1, close - open - 1);
    auto found = known.find(name);
    if (found == known.end()) {
      String value;
      bool defined = LookUpMacro(pageMacros, FromAnsiText(name), value) ||
                     LookUpMacro(storeMacros, FromAnsiText(name), value);
      found = known.emplace(name, std::make_pair(defined, StringToAnsi(value))).first;
    }
    if (!found->second.first) {
      text.append(FText, open, close - open);
      p = close;
      continue;
    }
    // Many references to a long value would multiply a page's size; the
    // growth is bounded and the references beyond it stay as written.
    const AnsiString& inserted = found->second.second;
    if (text.size() + inserted.size() > close + 1 + MaxMacroGrowth) {
      p = open;
      break;
    }
    text += inserted;
    p = close + 1;
  }
  text.append(FText, p, AnsiString::npos);
  return text;
}

// ---- fill ------------------------------------------------------------------

TRLGraphicObject* TRLFillRectObject::NewInstance(TRLGraphicSurface* ASurface) const {
  return new TRLFillRectObject(ASurface);
}

void TRLFillRectObject::SaveToStream(TRLRecordWriter& AStream) const {
  TRLGraphicObject::SaveToStream(AStream);
  FBrush.SaveToStream(AStream);
}

void TRLFillRectObject::LoadFromStream(TRLRecordReader& AStream) {
  TRLGraphicObject::LoadFromStream(AStream);
  FBrush.LoadFromStream(AStream);
}

void TRLFillRectObject::PaintTo(TCanvas* ACanvas, double AXFactor, double AYFactor, int AXDesloc, int AYDesloc) {
  PaintLimits limits(Surface());
  DecodeMetaBrush(&FBrush, ACanvas->Brush());
  ACanvas->FillRect(ScaledBounds(BoundsRect(), AXFactor, AYFactor, AXDesloc, AYDesloc, limits));
}

std::optional<TRect> TRLFillRectObject::PaintReach(double AXFactor, double AYFactor, int AXDesloc, int AYDesloc) const {
  return ReachOf(ScaledBounds(BoundsRect(), AXFactor, AYFactor, AXDesloc, AYDesloc, PaintLimits(Surface())), 1);
}

void TRLFillRectObject::Assign(const TRLGraphicObject* AObject) {
  TRLGraphicObject::Assign(AObject);
  if (auto* source = dynamic_cast<const TRLFillRectObject*>(AObject)) FBrush.Assign(source->FBrush);
}

// ---- polygon and polyline --------------------------------------------------

TRLGraphicObject* TRLPolygonObject::NewInstance(TRLGraphicSurface* ASurface) const {
  return new TRLPolygonObject(ASurface);
}

void TRLPolygonObject::SaveToStream(TRLRecordWriter& AStream) const {
  TRLPenBrushObject::SaveToStream(AStream);
  WritePoints(AStream, FPoints);
}

void TRLPolygonObject::LoadFromStream(TRLRecordReader& AStream) {
  TRLPenBrushObject::LoadFromStream(AStream);
  FPoints = ReadPoints(AStream);
}

void TRLPolygonObject::PaintTo(TCanvas* ACanvas, double AXFactor, double AYFactor, int AXDesloc, int AYDesloc) {
  PaintLimits limits(Surface());
  std::vector<TPoint> points = ScaledPoints(FPoints, AXFactor, AYFactor, AXDesloc, AYDesloc, limits);
  SetCanvasPen(ACanvas, &FPen, AXFactor, limits);
  DecodeMetaBrush(&FBrush, ACanvas->Brush());
  ACanvas->Polygon(points);
}

void TRLPolygonObject::Assign(const TRLGraphicObject* AObject) {
  TRLPenBrushObject::Assign(AObject);
  if (auto* source = dynamic_cast<const TRLPolygonObject*>(AObject)) FPoints = source->FPoints;
}

void TRLPolygonObject::Offset(int AXDesloc, int AYDesloc) {
  TRLPenBrushObject::Offset(AXDesloc, AYDesloc);
  OffsetPoints(FPoints, AXDesloc, AYDesloc);
}

void TRLPolygonObject::Inflate(double AXFactor, double AYFactor) {
  TRLPenBrushObject::Inflate(AXFactor, AYFactor);
  InflatePoints(FPoints, AXFactor, AYFactor);
}

TRLGraphicObject* TRLPolylineObject::NewInstance(TRLGraphicSurface* ASurface) const {
  return new TRLPolylineObject(ASurface);
}

void TRLPolylineObject::SaveToStream(TRLRecordWriter& AStream) const {
  TRLGraphicObject::SaveToStream(AStream);
  FPen.SaveToStream(AStream);
  WritePoints(AStream, FPoints);
}

void TRLPolylineObject::LoadFromStream(TRLRecordReader& AStream) {
  TRLGraphicObject::LoadFromStream(AStream);
  FPen.LoadFromStream(AStream);
  FPoints = ReadPoints(AStream);
}

void TRLPolylineObject::PaintTo(TCanvas* ACanvas, double AXFactor, double AYFactor, int AXDesloc, int AYDesloc) {
  PaintLimits limits(Surface());
  std::vector<TPoint> points = ScaledPoints(FPoints, AXFactor, AYFactor, AXDesloc, AYDesloc, limits);
  SetCanvasPen(ACanvas, &FPen, AXFactor, limits);
  ACanvas->Brush()->SetStyle(bsClear);
  ACanvas->Polyline(points);
}

void TRLPolylineObject::Assign(const TRLGraphicObject* AObject) {
  TRLGraphicObject::Assign(AObject);
  if (auto* source = dynamic_cast<const TRLPolylineObject*>(AObject)) {
    FPen.Assign(source->FPen);
    FPoints = source->FPoints;
  }
}

void TRLPolylineObject::Offset(int AXDesloc, int AYDesloc) {
  TRLGraphicObject::Offset(AXDesloc, AYDesloc);
  OffsetPoints(FPoints, AXDesloc, AYDesloc);
}

void TRLPolylineObject::Inflate(double AXFactor, double AYFactor) {
  TRLGraphicObject::Inflate(AXFactor, AYFactor);
  InflatePoints(FPoints, AXFactor, AYFactor);
  FPen.Inflate(AXFactor);
}

// ---- image -----------------------------------------------------------------

TRLGraphicObject* TRLImageObject::NewInstance(TRLGraphicSurface* ASurface) const { return new TRLImageObject(ASurface); }

void TRLImageObject::SaveToStream(TRLRecordWriter& AStream) const {
  TRLGraphicObject::SaveToStream(AStream);
  AStream.WriteString(FData);
  AStream.WriteByte(FParity ? 1 : 0);
}

void TRLImageObject::LoadFromStream(TRLRecordReader& AStream) {
  TRLGraphicObject::LoadFromStream(AStream);
  FData = AStream.ReadString();
  FParity = AStream.ReadByte() != 0;
}

void TRLImageObject::PaintTo(TCanvas* ACanvas, double AXFactor, double AYFactor, int AXDesloc, int AYDesloc) {
  PaintLimits limits(Surface());
  CanvasDrawImageData(ACanvas, ScaledBounds(BoundsRect(), AXFactor, AYFactor, AXDesloc, AYDesloc, limits), FData, FParity);
}

std::optional<TRect> TRLImageObject::PaintReach(double AXFactor, double AYFactor, int AXDesloc, int AYDesloc) const {
  return ReachOf(ScaledBounds(BoundsRect(), AXFactor, AYFactor, AXDesloc, AYDesloc, PaintLimits(Surface())), 1);
}

void TRLImageObject::Assign(const TRLGraphicObject* AObject) {
  TRLGraphicObject::Assign(AObject);
  if (auto* source = dynamic_cast<const TRLImageObject*>(AObject)) {
    FData = source->FData;
    FParity = source->FParity;
  }
}

// ---- clip ------------------------------------------------------------------

TRLGraphicObject* TRLSetClipRectObject::NewInstance(TRLGraphicSurface* ASurface) const {
  return new TRLSetClipRectObject(ASurface);
}

void TRLSetClipRectObject::PaintTo(TCanvas* ACanvas, double AXFactor, double AYFactor, int AXDesloc, int AYDesloc) {
  PaintLimits limits(Surface());
  Surface()->PushClipRect(ScaledBounds(BoundsRect(), AXFactor, AYFactor, AXDesloc, AYDesloc, limits));
  CanvasSetClip(ACanvas, Surface()->ClipRect());
}

TRLGraphicObject* TRLResetClipRectObject::NewInstance(TRLGraphicSurface* ASurface) const {
  return new TRLResetClipRectObject(ASurface);
}

void TRLResetClipRectObject::PaintTo(TCanvas* ACanvas, double, double, int, int) {
  Surface()->PopClipRect();
  CanvasSetClip(ACanvas, Surface()->ClipRect());
}
