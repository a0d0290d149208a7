#pragma once
// The eleven kinds of graphic object a recorded page is made of. Each one
// remembers one drawing operation with its own pen, brush and font records,
// writes and reads itself as the body of an object record, paints itself
// scaled and moved onto a canvas, and copies itself into another surface.
#include "report/pages/RLMetaRecords.h"
#include "platform/rtl/String.h"
#include "platform/ui/graphics/Geometry.h"
#include <cstdint>
#include <optional>

class TCanvas;
class TRLGraphicSurface;

// Kind bytes of the object records.
namespace RLKind {
constexpr uint8_t Pixel = 1;
constexpr uint8_t Line = 2;
constexpr uint8_t Rectangle = 3;
constexpr uint8_t Text = 4;
constexpr uint8_t FillRect = 5;
constexpr uint8_t Ellipse = 6;
constexpr uint8_t Polygon = 7;
constexpr uint8_t Polyline = 8;
constexpr uint8_t Image = 9;
constexpr uint8_t SetClipRect = 10;
constexpr uint8_t ResetClipRect = 11;
}  // namespace RLKind

// The group the objects a control records belong to; 0 is no group.
extern int32_t CurrentGroupId;
int32_t NewGroupId();

class TRLGraphicObject {
public:
  // Appends the object to the surface's list, which owns it from then on.
  explicit TRLGraphicObject(TRLGraphicSurface* ASurface);
  // Removes the object from its surface's list.
  virtual ~TRLGraphicObject();
  TRLGraphicObject(const TRLGraphicObject&) = delete;
  TRLGraphicObject& operator=(const TRLGraphicObject&) = delete;

  virtual uint8_t Kind() const = 0;
  // A new, default object of the same class on ASurface.
  virtual TRLGraphicObject* NewInstance(TRLGraphicSurface* ASurface) const = 0;

  // The body of the object record (common part first).
  virtual void SaveToStream(TRLRecordWriter& AStream) const;
  virtual void LoadFromStream(TRLRecordReader& AStream);
  virtual void PaintTo(TCanvas* ACanvas, double AXFactor, double AYFactor, int AXDesloc, int AYDesloc) = 0;
  // The canvas rectangle PaintTo draws within, so that a paint of part of
  // a page can skip what lies outside; none where that cannot be told.
  virtual std::optional<TRect> PaintReach(double AXFactor, double AYFactor, int AXDesloc, int AYDesloc) const;
  virtual void Assign(const TRLGraphicObject* AObject);
  virtual void Offset(int AXDesloc, int AYDesloc);
  virtual void Inflate(double AXFactor, double AYFactor);
  TRLGraphicObject* Clone(TRLGraphicSurface* ASurface) const;

  const TRLMetaRect& BoundsRect() const { return FBoundsRect; }
  void SetBoundsRect(const TRLMetaRect& AValue) { FBoundsRect = AValue; }
  int32_t GroupId() const { return FGroupId; }
  void SetGroupId(int32_t AValue) { FGroupId = AValue; }
  int32_t GeneratorId() const { return FGeneratorId; }
  void SetGeneratorId(int32_t AValue) { FGeneratorId = AValue; }
  int32_t Tag() const { return FTag; }
  void SetTag(int32_t AValue) { FTag = AValue; }
  TRLGraphicSurface* Surface() const { return FSurface; }

private:
  friend class TRLGraphicSurface;
  TRLGraphicSurface* FSurface;
  TRLMetaRect FBoundsRect;
  int32_t FGroupId = 0;
  int32_t FGeneratorId = 0;
  int32_t FTag = 0;
};

// ObjectKindOf: 0 for an object of no known kind. ObjectClassOfKind: the
// constructor of the kind, or nullptr for any other byte.
using TRLGraphicObjectClass = TRLGraphicObject* (*)(TRLGraphicSurface* ASurface);
uint8_t ObjectKindOf(const TRLGraphicObject* AObject);
TRLGraphicObjectClass ObjectClassOfKind(uint8_t AKind);

class TRLPixelObject : public TRLGraphicObject {
public:
  using TRLGraphicObject::TRLGraphicObject;
  uint8_t Kind() const override { return RLKind::Pixel; }
  TRLGraphicObject* NewInstance(TRLGraphicSurface* ASurface) const override;
  void SaveToStream(TRLRecordWriter& AStream) const override;
  void LoadFromStream(TRLRecordReader& AStream) override;
  void PaintTo(TCanvas* ACanvas, double AXFactor, double AYFactor, int AXDesloc, int AYDesloc) override;
  void Assign(const TRLGraphicObject* AObject) override;

  TRLMetaColor Color() const { return FColor; }
  void SetColor(TRLMetaColor AValue) { FColor = AValue; }

private:
  TRLMetaColor FColor;
};

class TRLLineObject : public TRLGraphicObject {
public:
  explicit TRLLineObject(TRLGraphicSurface* ASurface) : TRLGraphicObject(ASurface), FPen(this), FBrush(this) {}
  uint8_t Kind() const override { return RLKind::Line; }
  TRLGraphicObject* NewInstance(TRLGraphicSurface* ASurface) const override;
  void SaveToStream(TRLRecordWriter& AStream) const override;
  void LoadFromStream(TRLRecordReader& AStream) override;
  void PaintTo(TCanvas* ACanvas, double AXFactor, double AYFactor, int AXDesloc, int AYDesloc) override;
  void Assign(const TRLGraphicObject* AObject) override;
  void Offset(int AXDesloc, int AYDesloc) override;
  void Inflate(double AXFactor, double AYFactor) override;

  TRLMetaPoint FromPoint() const { return FFromPoint; }
  void SetFromPoint(TRLMetaPoint AValue) { FFromPoint = AValue; }
  TRLMetaPoint ToPoint() const { return FToPoint; }
  void SetToPoint(TRLMetaPoint AValue) { FToPoint = AValue; }
  TRLMetaPen* Pen() { return &FPen; }
  const TRLMetaPen* Pen() const { return &FPen; }
  TRLMetaBrush* Brush() { return &FBrush; }
  const TRLMetaBrush* Brush() const { return &FBrush; }

private:
  TRLMetaPoint FFromPoint;
  TRLMetaPoint FToPoint;
  TRLMetaPen FPen;
  TRLMetaBrush FBrush;
};

// Rectangle and ellipse share their record: pen and brush.
class TRLPenBrushObject : public TRLGraphicObject {
public:
  explicit TRLPenBrushObject(TRLGraphicSurface* ASurface) : TRLGraphicObject(ASurface), FPen(this), FBrush(this) {}
  void SaveToStream(TRLRecordWriter& AStream) const override;
  void LoadFromStream(TRLRecordReader& AStream) override;
  void Assign(const TRLGraphicObject* AObject) override;
  void Inflate(double AXFactor, double AYFactor) override;

  TRLMetaPen* Pen() { return &FPen; }
  const TRLMetaPen* Pen() const { return &FPen; }
  TRLMetaBrush* Brush() { return &FBrush; }
  const TRLMetaBrush* Brush() const { return &FBrush; }

protected:
  TRLMetaPen FPen;
  TRLMetaBrush FBrush;
};

class TRLRectangleObject : public TRLPenBrushObject {
public:
  using TRLPenBrushObject::TRLPenBrushObject;
  uint8_t Kind() const override { return RLKind::Rectangle; }
  TRLGraphicObject* NewInstance(TRLGraphicSurface* ASurface) const override;
  void PaintTo(TCanvas* ACanvas, double AXFactor, double AYFactor, int AXDesloc, int AYDesloc) override;
  std::optional<TRect> PaintReach(double AXFactor, double AYFactor, int AXDesloc, int AYDesloc) const override;
};

class TRLEllipseObject : public TRLPenBrushObject {
public:
  using TRLPenBrushObject::TRLPenBrushObject;
  uint8_t Kind() const override { return RLKind::Ellipse; }
  TRLGraphicObject* NewInstance(TRLGraphicSurface* ASurface) const override;
  void PaintTo(TCanvas* ACanvas, double AXFactor, double AYFactor, int AXDesloc, int AYDesloc) override;
  std::optional<TRect> PaintReach(double AXFactor, double AYFactor, int AXDesloc, int AYDesloc) const override;
};

class TRLTextObject : public TRLGraphicObject {
public:
  explicit TRLTextObject(TRLGraphicSurface* ASurface) : TRLGraphicObject(ASurface), FBrush(this), FFont(this) {}
  uint8_t Kind() const override { return RLKind::Text; }
  TRLGraphicObject* NewInstance(TRLGraphicSurface* ASurface) const override;
  void SaveToStream(TRLRecordWriter& AStream) const override;
  void LoadFromStream(TRLRecordReader& AStream) override;
  void PaintTo(TCanvas* ACanvas, double AXFactor, double AYFactor, int AXDesloc, int AYDesloc) override;
  std::optional<TRect> PaintReach(double AXFactor, double AYFactor, int AXDesloc, int AYDesloc) const override;
  void Assign(const TRLGraphicObject* AObject) override;
  void Offset(int AXDesloc, int AYDesloc) override;
  void Inflate(double AXFactor, double AYFactor) override;

  TRLMetaBrush* Brush() { return &FBrush; }
  const TRLMetaBrush* Brush() const { return &FBrush; }
  TRLMetaFont* Font() { return &FFont; }
  const TRLMetaFont* Font() const { return &FFont; }
  const AnsiString& Text() const { return FText; }
  void SetText(const AnsiString& AValue) { FText = AValue; }
  TRLMetaPoint Origin() const { return FOrigin; }
  void SetOrigin(TRLMetaPoint AValue) { FOrigin = AValue; }
  uint8_t Alignment() const { return FAlignment; }
  void SetAlignment(uint8_t AValue) { FAlignment = AValue; }
  uint8_t Layout() const { return FLayout; }
  void SetLayout(uint8_t AValue) { FLayout = AValue; }
  uint16_t TextFlags() const { return FTextFlags; }
  void SetTextFlags(uint16_t AValue) { FTextFlags = AValue; }
  // The text with {Name} macros of the surface, then of its page store,
  // replaced by their values, as long as the text grows by no more than
  // MaxMacroGrowth bytes.
  AnsiString DisplayText() const;
  static constexpr size_t MaxMacroGrowth = 1 << 16;

private:
  TRLMetaBrush FBrush;
  TRLMetaFont FFont;
  AnsiString FText;
  TRLMetaPoint FOrigin;
  uint8_t FAlignment = RLMeta::AlignLeft;
  uint8_t FLayout = RLMeta::LayoutTop;
  uint16_t FTextFlags = 5;
};

class TRLFillRectObject : public TRLGraphicObject {
public:
  explicit TRLFillRectObject(TRLGraphicSurface* ASurface) : TRLGraphicObject(ASurface), FBrush(this) {}
  uint8_t Kind() const override { return RLKind::FillRect; }
  TRLGraphicObject* NewInstance(TRLGraphicSurface* ASurface) const override;
  void SaveToStream(TRLRecordWriter& AStream) const override;
  void LoadFromStream(TRLRecordReader& AStream) override;
  void PaintTo(TCanvas* ACanvas, double AXFactor, double AYFactor, int AXDesloc, int AYDesloc) override;
  std::optional<TRect> PaintReach(double AXFactor, double AYFactor, int AXDesloc, int AYDesloc) const override;
  void Assign(const TRLGraphicObject* AObject) override;

  TRLMetaBrush* Brush() { return &FBrush; }
  const TRLMetaBrush* Brush() const { return &FBrush; }

private:
  TRLMetaBrush FBrush;
};

class TRLPolygonObject : public TRLPenBrushObject {
public:
  using TRLPenBrushObject::TRLPenBrushObject;
  uint8_t Kind() const override { return RLKind::Polygon; }
  TRLGraphicObject* NewInstance(TRLGraphicSurface* ASurface) const override;
  void SaveToStream(TRLRecordWriter& AStream) const override;
  void LoadFromStream(TRLRecordReader& AStream) override;
  void PaintTo(TCanvas* ACanvas, double AXFactor, double AYFactor, int AXDesloc, int AYDesloc) override;
  void Assign(const TRLGraphicObject* AObject) override;
  void Offset(int AXDesloc, int AYDesloc) override;
  void Inflate(double AXFactor, double AYFactor) override;

  const TRLMetaPointArray& Points() const { return FPoints; }
  void SetPoints(const TRLMetaPointArray& AValue) { FPoints = AValue; }

private:
  TRLMetaPointArray FPoints;
};

class TRLPolylineObject : public TRLGraphicObject {
public:
  explicit TRLPolylineObject(TRLGraphicSurface* ASurface) : TRLGraphicObject(ASurface), FPen(this) {}
  uint8_t Kind() const override { return RLKind::Polyline; }
  TRLGraphicObject* NewInstance(TRLGraphicSurface* ASurface) const override;
  void SaveToStream(TRLRecordWriter& AStream) const override;
  void LoadFromStream(TRLRecordReader& AStream) override;
  void PaintTo(TCanvas* ACanvas, double AXFactor, double AYFactor, int AXDesloc, int AYDesloc) override;
  void Assign(const TRLGraphicObject* AObject) override;
  void Offset(int AXDesloc, int AYDesloc) override;
  void Inflate(double AXFactor, double AYFactor) override;

  TRLMetaPen* Pen() { return &FPen; }
  const TRLMetaPen* Pen() const { return &FPen; }
  const TRLMetaPointArray& Points() const { return FPoints; }
  void SetPoints(const TRLMetaPointArray& AValue) { FPoints = AValue; }

private:
  TRLMetaPen FPen;
  TRLMetaPointArray FPoints;
};

class TRLImageObject : public TRLGraphicObject {
public:
  using TRLGraphicObject::TRLGraphicObject;
  uint8_t Kind() const override { return RLKind::Image; }
  TRLGraphicObject* NewInstance(TRLGraphicSurface* ASurface) const override;
  void SaveToStream(TRLRecordWriter& AStream) const override;
  void LoadFromStream(TRLRecordReader& AStream) override;
  void PaintTo(TCanvas* ACanvas, double AXFactor, double AYFactor, int AXDesloc, int AYDesloc) override;
  std::optional<TRect> PaintReach(double AXFactor, double AYFactor, int AXDesloc, int AYDesloc) const override;
  void Assign(const TRLGraphicObject* AObject) override;

  // A 3-letter tag ("NIL", "BMP", "ICO") and the image file.
  const AnsiString& Data() const { return FData; }
  void SetData(const AnsiString& AValue) { FData = AValue; }
  bool Parity() const { return FParity; }
  void SetParity(bool AValue) { FParity = AValue; }

private:
  AnsiString FData;
  bool FParity = false;
};

// The clip rectangle is the object's bounds.
class TRLSetClipRectObject : public TRLGraphicObject {
public:
  using TRLGraphicObject::TRLGraphicObject;
  uint8_t Kind() const override { return RLKind::SetClipRect; }
  TRLGraphicObject* NewInstance(TRLGraphicSurface* ASurface) const override;
  void PaintTo(TCanvas* ACanvas, double AXFactor, double AYFactor, int AXDesloc, int AYDesloc) override;
};

class TRLResetClipRectObject : public TRLGraphicObject {
public:
  using TRLGraphicObject::TRLGraphicObject;
  uint8_t Kind() const override { return RLKind::ResetClipRect; }
  TRLGraphicObject* NewInstance(TRLGraphicSurface* ASurface) const override;
  void PaintTo(TCanvas* ACanvas, double AXFactor, double AYFactor, int AXDesloc, int AYDesloc) override;
};
