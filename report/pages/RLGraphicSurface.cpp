#include "report/pages/RLGraphicSurface.h"
#include "report/pages/RLCanvasConvert.h"
#include "report/pages/RLGraphicStorage.h"
#include "report/pages/RLRecordStream.h"
#include "report/pages/RLUtils.h"
#include "platform/classes/Streams.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/NumUtils.h"
#include "platform/ui/graphics/Bitmap.h"
#include "platform/ui/graphics/Canvas.h"
#include <algorithm>
#include <optional>
#include <cstdio>

namespace {
constexpr std::string_view SurfaceSignature("RLGraphicSurface3\x1A", 18);

[[noreturn]] void RaiseCorrupted() { throw EStreamError(u"File is corrupted!"); }

TRect IntersectRects(const TRect& a, const TRect& b) {
  TRect r(std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom));
  return r.IsEmpty() ? TRect() : r;
}

bool Intersects(const TRLMetaRect& a, const TRect& b) {
  return std::max(a.Left, b.Left) < std::min(a.Right, b.Right) && std::max(a.Top, b.Top) < std::min(a.Bottom, b.Bottom);
}


}  // namespace

TRLMetaRect BoundsOfPoints(const std::vector<TPoint>& APoints) {
  if (APoints.empty()) return {-1, -1, 1, 1};
  TRect r = PointsRect(APoints);
  return {r.Left - 1, r.Top - 1, r.Right + 1, r.Bottom + 1};
}

TRLGraphicSurface::TRLGraphicSurface()
    : FBrush(std::make_unique<TBrush>()),
      FFont(std::make_unique<TFont>()),
      FPen(std::make_unique<TPen>()),
      FFonts(std::make_unique<TStringList>()),
      FMacros(std::make_unique<TStringList>()) {
  FBrush->SetColor(clWhite);
  FBrush->SetStyle(bsSolid);
  FFont->SetColor(clBlack);
  FPen->SetColor(clBlack);
  FontsChanged();
  FFonts->OnChanging = FFonts->OnChange = [this](TObject*) { FontsChanged(); };
  FFont->OnChange = [this](TObject*) { FFontEncoded = false; };
  FBrush->OnChange = [this](TObject*) { FBrushEncoded = false; };
}

void TRLGraphicSurface::FontsChanged() {
  static uint64_t lastVersion = 0;
  FFontsVersion = ++lastVersion;
}

TRLGraphicSurface::~TRLGraphicSurface() {
  AttachToStorage(nullptr);
  FreeObjects();
}

TRLGraphicObject* TRLGraphicSurface::GetObjects(int AIndex) const {
  if (AIndex < 0 || AIndex >= ObjectCount())
    throw EListError(u"List index out of bounds (" + IntToStr(AIndex) + u")");
  return FObjects[static_cast<size_t>(AIndex)];
}

void TRLGraphicSurface::AddObject(TRLGraphicObject* AObject) { FObjects.push_back(AObject); }

void TRLGraphicSurface::RemoveObject(TRLGraphicObject* AObject) {
  if (!FObjects.empty() && FObjects.back() == AObject) {
    FObjects.pop_back();
    return;
  }
  auto it = std::find(FObjects.begin(), FObjects.end(), AObject);
  if (it != FObjects.end()) FObjects.erase(it);
}

void TRLGraphicSurface::FreeObjects() {
  while (!FObjects.empty()) delete FObjects.back();
}

TColor TRLGraphicSurface::Pixels(int, int) const { return FBrush->Color(); }

void TRLGraphicSurface::SetPixels(int AX, int AY, TColor AValue) {
  Recording();
  auto* pixel = new TRLPixelObject(this);
  pixel->SetBoundsRect({AX, AY, AX + 1, AY + 1});
  pixel->SetColor(EncodeMetaColor(AValue));
}

// ---- page properties -------------------------------------------------------

uint8_t TRLGraphicSurface::Orientation() const {
  int value = 0;
  return TryStrToInt(FMacros->Values(u"Orientation"), value) ? static_cast<uint8_t>(value) : 1;
}

void TRLGraphicSurface::SetOrientation(uint8_t AValue) { FMacros->SetValues(u"Orientation", IntToStr(AValue)); }
double TRLGraphicSurface::PaperWidth() const { return TextToMillimetres(FMacros->Values(u"PaperWidth")); }
void TRLGraphicSurface::SetPaperWidth(double AValue) { FMacros->SetValues(u"PaperWidth", MillimetresToText(AValue)); }
double TRLGraphicSurface::PaperHeight() const { return TextToMillimetres(FMacros->Values(u"PaperHeight")); }
void TRLGraphicSurface::SetPaperHeight(double AValue) { FMacros->SetValues(u"PaperHeight", MillimetresToText(AValue)); }
double TRLGraphicSurface::OrientedPaperWidth() const { return Orientation() == 1 ? PaperWidth() : PaperHeight(); }
double TRLGraphicSurface::OrientedPaperHeight() const { return Orientation() == 1 ? PaperHeight() : PaperWidth(); }
int TRLGraphicSurface::OrientedWidth() const { return Orientation() == 1 ? FWidth : FHeight; }
int TRLGraphicSurface::OrientedHeight() const { return Orientation() == 1 ? FHeight : FWidth; }

// ---- lifecycle -------------------------------------------------------------

void TRLGraphicSurface::Open() {
  if (FOpened) return;
  FOpened = true;
  FPenPos = {FMargins.Left, FMargins.Top};
  FGeneratorId = 0;
  FClipRect = {0, 0, FWidth, FHeight};
  FClipStack.clear();
}

void TRLGraphicSurface::Clear() {
  FreeObjects();
  FFonts->Clear();
  FMacros->Clear();
  FPenPos = {0, 0};
  FGeneratorId = 0;
  FModified = true;
}

void TRLGraphicSurface::Recording() {
  Open();
  FModified = true;
}

void TRLGraphicSurface::AttachToStorage(TRLGraphicStorage* AStorage) {
  if (AStorage == FStorage) return;
  if (FStorage) FStorage->RemoveFromCache(this);
  FStorage = AStorage;
}

// ---- recording -------------------------------------------------------------

void TRLGraphicSurface::MoveTo(int AX, int AY) {
  Recording();
  FPenPos = {AX, AY};
}

void TRLGraphicSurface::LineTo(int AX, int AY) {
  Recording();
  auto* line = new TRLLineObject(this);
  line->SetBoundsRect({std::min(FPenPos.X, AX) - 1, std::min(FPenPos.Y, AY) - 1, std::max(FPenPos.X, AX) + 1,
                       std::max(FPenPos.Y, AY) + 1});
  line->SetFromPoint(EncodeMetaPoint(FPenPos));
  line->SetToPoint({AX, AY});
  EncodeMetaPen(FPen.get(), line->Pen());
  EncodeMetaBrush(FBrush.get(), line->Brush());
  FPenPos = {AX, AY};
}

void TRLGraphicSurface::Rectangle(int ALeft, int ATop, int ARight, int ABottom) {
  Recording();
  auto* rect = new TRLRectangleObject(this);
  rect->SetBoundsRect({ALeft, ATop, ARight, ABottom});
  EncodeMetaPen(FPen.get(), rect->Pen());
  EncodeMetaBrush(FBrush.get(), rect->Brush());
}

void TRLGraphicSurface::Ellipse(int AX1, int AY1, int AX2, int AY2) {
  Recording();
  auto* ellipse = new TRLEllipseObject(this);
  ellipse->SetBoundsRect({AX1, AY1, AX2, AY2});
  EncodeMetaPen(FPen.get(), ellipse->Pen());
  EncodeMetaBrush(FBrush.get(), ellipse->Brush());
}

void TRLGraphicSurface::Polygon(const std::vector<TPoint>& APoints) {
  Recording();
  auto* polygon = new TRLPolygonObject(this);
  polygon->SetBoundsRect(BoundsOfPoints(APoints));
  polygon->SetPoints(EncodeMetaPoints(APoints));
  EncodeMetaPen(FPen.get(), polygon->Pen());
  EncodeMetaBrush(FBrush.get(), polygon->Brush());
}

void TRLGraphicSurface::Polyline(const std::vector<TPoint>& APoints) {
  Recording();
  auto* polyline = new TRLPolylineObject(this);
  polyline->SetBoundsRect(BoundsOfPoints(APoints));
  polyline->SetPoints(EncodeMetaPoints(APoints));
  EncodeMetaPen(FPen.get(), polyline->Pen());
}

void TRLGraphicSurface::FillRect(const TRect& ARect) {
  Recording();
  auto* fill = new TRLFillRectObject(this);
  fill->SetBoundsRect(EncodeMetaRect(ARect));
  EncodeMetaBrush(FBrush.get(), fill->Brush());
}

void TRLGraphicSurface::TextOut(int ALeft, int ATop, const AnsiString& AText) { TextOutEx(ALeft, ATop, AText, 5); }

void TRLGraphicSurface::TextOutEx(int ALeft, int ATop, const AnsiString& AText, uint16_t ATextFlags) {
  Recording();
  TSize extent;
  {
    extent = MeasureCanvas(FFont.get())->TextExtent(FromAnsiText(AText));
  }
  auto* text = new TRLTextObject(this);
  text->SetBoundsRect({ALeft, ATop, ALeft + extent.cx, ATop + extent.cy});
  EncodeBrushInto(text->Brush());
  EncodeFontInto(text->Font());
  text->SetText(AText);
  text->SetOrigin({ALeft, ATop});
  text->SetAlignment(RLMeta::AlignLeft);
  text->SetLayout(RLMeta::LayoutTop);
  text->SetTextFlags(ATextFlags);
}

void TRLGraphicSurface::TextRect(const TRect& ARect, int ALeft, int ATop, const AnsiString& AText) {
  TextRectEx(ARect, ALeft, ATop, AText, RLMeta::AlignLeft, RLMeta::LayoutTop, 4);
}

void TRLGraphicSurface::TextRectEx(const TRect& ARect, int ALeft, int ATop, const AnsiString& AText,
                                   uint8_t AAlignment, uint8_t ALayout, uint16_t ATextFlags) {
  Recording();
  AnsiString recorded = AText;
  if (AAlignment == RLMeta::AlignJustify) {
    int available = ARect.Right - (ALeft + TextWidth(" ") / 2);
    int position = static_cast<int>(recorded.size());
    for (int added = 0; added < MaxJustifySpaces && TextWidth(recorded + " ") <= available; ++added)
      if (!AddJustifySpaceWrapping(recorded, position)) break;
  }
  auto* text = new TRLTextObject(this);
  text->SetBoundsRect(EncodeMetaRect(ARect));
  EncodeBrushInto(text->Brush());
  EncodeFontInto(text->Font());
  text->SetText(std::move(recorded));
  text->SetOrigin({ALeft, ATop});
  text->SetAlignment(AAlignment);
  text->SetLayout(ALayout);
  text->SetTextFlags(ATextFlags);
}

int TRLGraphicSurface::TextWidth(const AnsiString& AText) const {
  return MeasureCanvas(FFont.get())->TextWidth(FromAnsiText(AText));
}

int TRLGraphicSurface::TextHeight(const AnsiString& AText) const {
  return MeasureCanvas(FFont.get())->TextHeight(FromAnsiText(AText));
}

void TRLGraphicSurface::Write(const String& AText) {
  AnsiString text = StringToAnsi(AText);
  TextOut(FPenPos.X, FPenPos.Y, text);
  FPenPos.X += TextWidth(text);
}

void TRLGraphicSurface::Writeln(const String& AText) {
  AnsiString text = StringToAnsi(AText);
  TextOut(FPenPos.X, FPenPos.Y, text);
  FPenPos.X = FMargins.Left;
  FPenPos.Y += TextHeight(text);
}

void TRLGraphicSurface::Draw(int AX, int AY, TGraphic* AGraphic, bool AParity) {
  int w = AGraphic ? AGraphic->Width() : 0, h = AGraphic ? AGraphic->Height() : 0;
  StretchDraw({AX, AY, AX + w, AY + h}, AGraphic, AParity);
}

void TRLGraphicSurface::StretchDraw(const TRect& ARect, TGraphic* AGraphic, bool AParity) {
  Recording();
  AnsiString data = EncodeMetaGraphic(AGraphic);
  auto* image = new TRLImageObject(this);
  image->SetBoundsRect(EncodeMetaRect(ARect));
  image->SetData(data);
  image->SetParity(AParity);
}

void TRLGraphicSurface::SetClipRect(const TRect& ARect) {
  Recording();
  auto* clip = new TRLSetClipRectObject(this);
  clip->SetBoundsRect(EncodeMetaRect(ARect));
  FClipStack.push_back(FClipRect);
  FClipRect = ARect;
}

void TRLGraphicSurface::ResetClipRect() {
  Recording();
  if (FClipStack.empty()) throw EListError(u"List index out of bounds (-1)");
  auto* reset = new TRLResetClipRectObject(this);
  reset->SetBoundsRect(EncodeMetaRect(FClipRect));
  FClipRect = FClipStack.back();
  FClipStack.pop_back();
}

// ---- composites ------------------------------------------------------------

void TRLGraphicSurface::Draw(int AX, int AY, TRLGraphicSurface* ASurface) {
  Recording();
  // Counted first: drawing a surface into itself must not see its own copies.
  int count = ASurface->ObjectCount();
  for (int i = 0; i < count; ++i) ASurface->FObjects[static_cast<size_t>(i)]->Clone(this)->Offset(AX, AY);
  int lines = ASurface->FMacros->Count();
  for (int i = 0; i < lines; ++i) FMacros->Add(ASurface->FMacros->Strings(i));
}

void TRLGraphicSurface::CopyRect(const TRect& ADest, TRLGraphicSurface* ASurface, const TRect& ASource) {
  // The factors divide by the source's size: an empty source records nothing.
  if (ASource.Width() == 0 || ASource.Height() == 0) return;
  double xf = static_cast<double>(ADest.Width()) / ASource.Width();
  double yf = static_cast<double>(ADest.Height()) / ASource.Height();
  int dx = ADest.Left - static_cast<int>(Round(ASource.Left * xf));
  int dy = ADest.Top - static_cast<int>(Round(ASource.Top * yf));
  SetClipRect(ADest);
  try {
    int count = ASurface->ObjectCount();
    for (int i = 0; i < count; ++i) {
      TRLGraphicObject* source = ASurface->FObjects[static_cast<size_t>(i)];
      if (!Intersects(source->BoundsRect(), ASource)) continue;
      TRLGraphicObject* copy = source->Clone(this);
      copy->Inflate(xf, yf);
      copy->Offset(dx, dy);
    }
  } catch (...) {
    ResetClipRect();
    throw;
  }
  ResetClipRect();
}

void TRLGraphicSurface::StretchDraw(const TRect& ARect, TRLGraphicSurface* ASurface) {
  CopyRect(ARect, ASurface, {0, 0, ASurface->Width(), ASurface->Height()});
}

void TRLGraphicSurface::CopyRect(const TRect& ADest, TCanvas* ACanvas, const TRect& ASource) {
  TRLBitmap* bitmap = MeasureBitmap();
  bitmap->SetPixelFormat(pf32bit);
  bitmap->SetSize(ASource.Width(), ASource.Height());
  bitmap->Canvas()->CopyRect({0, 0, ASource.Width(), ASource.Height()}, ACanvas, ASource);
  StretchDraw(ADest, bitmap, false);
}

void TRLGraphicSurface::ScaleDraw(const TRect& ARect, TGraphic* AGraphic, bool ACenter) {
  TRect size(0, 0, AGraphic ? AGraphic->Width() : 0, AGraphic ? AGraphic->Height() : 0);
  StretchDraw(FitRectKeepingAspect(size, ARect, ACenter), AGraphic, false);
}

void TRLGraphicSurface::ScaleDraw(const TRect& ARect, TRLGraphicSurface* ASurface, bool ACenter) {
  StretchDraw(FitRectKeepingAspect({0, 0, ASurface->Width(), ASurface->Height()}, ARect, ACenter), ASurface);
}

void TRLGraphicSurface::ClipDraw(const TRect& ARect, TGraphic* AGraphic, bool ACenter) {
  CropGraphic(ARect, AGraphic, ACenter);
}

void TRLGraphicSurface::ClipDraw(const TRect& ARect, TRLGraphicSurface* ASurface, bool ACenter) {
  CropSurface(ARect, ASurface, ACenter);
}

namespace {
TRect PlacedImage(const TRect& ARect, int AWidth, int AHeight, bool ACenter) {
  TRect image(ARect.Left, ARect.Top, ARect.Left + AWidth, ARect.Top + AHeight);
  if (ACenter) {
    int dx = (ARect.Width() - image.Width()) / 2, dy = (ARect.Height() - image.Height()) / 2;
    image = {image.Left + dx, image.Top + dy, image.Right + dx, image.Bottom + dy};
  }
  return image;
}
}  // namespace

void TRLGraphicSurface::CropGraphic(const TRect& ARect, TGraphic* AGraphic, bool ACenter) {
  if (!AGraphic) return;
  TRect image = PlacedImage(ARect, AGraphic->Width(), AGraphic->Height(), ACenter);
  TRect visible = IntersectRects(ARect, image);
  if (visible.IsEmpty()) return;
  TRLBitmap bitmap;
  bitmap.SetPixelFormat(pf32bit);
  bitmap.SetSize(visible.Width(), visible.Height());
  bitmap.Canvas()->Draw(image.Left - visible.Left, image.Top - visible.Top, AGraphic);
  StretchDraw(visible, &bitmap, false);
}

void TRLGraphicSurface::CropSurface(const TRect& ARect, TRLGraphicSurface* ASurface, bool ACenter) {
  TRect image = PlacedImage(ARect, ASurface->Width(), ASurface->Height(), ACenter);
  TRect visible = IntersectRects(ARect, image);
  if (visible.IsEmpty()) return;
  TRLGraphicSurface cropped;
  cropped.SetWidth(visible.Width());
  cropped.SetHeight(visible.Height());
  cropped.Draw(image.Left - visible.Left, image.Top - visible.Top, ASurface);
  StretchDraw(visible, &cropped);
}

// ---- split row and replay --------------------------------------------------

bool TRLGraphicSurface::FindFreeRow(int ANearRow, int& ARow) const {
  ARow = ANearRow;
  bool changed;
  do {
    changed = false;
    for (TRLGraphicObject* object : FObjects) {
      auto* text = dynamic_cast<TRLTextObject*>(object);
      if (!text || !(text->TextFlags() & RLMeta::TextFlagKeepWhole)) continue;
      const TRLMetaRect& r = text->BoundsRect();
      if (r.Top < ARow && ARow < r.Bottom) {
        ARow = r.Top;
        changed = true;
      }
    }
  } while (changed && ARow > 0);
  return ARow > 0;
}

void TRLGraphicSurface::PushClipRect(const TRect& ARect) {
  FClipStack.push_back(FClipRect);
  FClipRect = ARect;
}

void TRLGraphicSurface::PopClipRect() {
  if (FClipStack.empty()) {
    FClipRect = FPaintClipRect;
    return;
  }
  FClipRect = FClipStack.back();
  FClipStack.pop_back();
}

namespace {
// The part of the canvas that can show anything: a preview box or a zoomed
// page shows a small part of its page, and drawing the rest costs as much
// as drawing what shows. A metafile keeps everything it is given.
std::optional<TRect> ShownPart(TCanvas* ACanvas) {
  HDC dc = ACanvas->Handle();
  const DWORD type = GetObjectType(dc);
  if (type != OBJ_DC && type != OBJ_MEMDC) return std::nullopt;
  RECT box;
  if (GetClipBox(dc, &box) == ERROR) return std::nullopt;
  return TRect(box.left, box.top, box.right, box.bottom);
}

bool Overlap(const TRect& a, const TRect& b) {
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}
}  // namespace

void TRLGraphicSurface::PaintTo(TCanvas* ACanvas, const TRect& ARect) {
  double xf = FWidth == 0 ? 1.0 : static_cast<double>(ARect.Width()) / FWidth;
  double yf = FHeight == 0 ? 1.0 : static_cast<double>(ARect.Height()) / FHeight;
  FClipStack.clear();
  FClipRect = ARect;
  FPaintClipRect = ARect;
  struct Restore {
    TRLGraphicSurface* Surface;
    TCanvas* Canvas;
    ~Restore() {
      CanvasStop(Canvas);
      CanvasClearClip(Canvas);
      while (!Surface->FClipStack.empty()) {
        Surface->FClipRect = Surface->FClipStack.back();
        Surface->FClipStack.pop_back();
      }
    }
  } restore{this, ACanvas};
  CanvasSetClip(ACanvas, FClipRect);
  CanvasStart(ACanvas);
  const std::optional<TRect> shown = ShownPart(ACanvas);
  for (TRLGraphicObject* object : FObjects) {
    if (shown) {
      const std::optional<TRect> reach = object->PaintReach(xf, yf, ARect.Left, ARect.Top);
      if (reach && !Overlap(*reach, *shown)) continue;
    }
    object->PaintTo(ACanvas, xf, yf, ARect.Left, ARect.Top);
  }
}

int32_t TRLGraphicSurface::FontNameIndex(const String& AName) {
  // Each text recorded asks, nearly always for the name asked before; the
  // list's search compares letter by letter without regard to case.
  if (FLastFontIndex >= 0 && FLastFontVersion == FFontsVersion && AName == FLastFontName) return FLastFontIndex;
  int index = FFonts->IndexOf(AName);
  if (index < 0) index = FFonts->Add(AName);
  FLastFontName = AName;
  FLastFontIndex = index;
  FLastFontVersion = FFontsVersion;
  return index;
}

int32_t TRLGraphicSurface::FontNameIndexFrom(const TRLGraphicSurface& ASource, int32_t ASourceId) {
  if (&ASource == FFromSurface && ASource.FFontsVersion == FFromVersion && ASourceId == FFromId &&
      FFontsVersion == FFromOwnVersion)
    return FFromIndex;
  TStringList* fonts = ASource.FFonts.get();
  if (ASourceId < 0 || ASourceId >= fonts->Count())
    throw EListError(u"List index out of bounds (" + IntToStr(ASourceId) + u")");
  const int32_t index = FontNameIndex(fonts->Strings(ASourceId));
  FFromSurface = &ASource;
  FFromVersion = ASource.FFontsVersion;
  FFromId = ASourceId;
  FFromIndex = index;
  FFromOwnVersion = FFontsVersion;
  return index;
}

void TRLGraphicSurface::EncodeFontInto(TRLMetaFont* ADest) {
  const TFont& font = *FFont;
  if (!FFontEncoded || FEncodedFontsVersion != FFontsVersion || FEncodedFont.PixelsPerInch != font.PixelsPerInch()) {
    FEncodedFont = {font.PixelsPerInch(),
                    EncodeMetaCharset(font.Charset()),
                    EncodeMetaColor(font.Color()),
                    font.Height(),
                    FontNameIndex(font.Name()),
                    EncodeMetaFontPitch(font.Pitch()),
                    font.Size(),
                    EncodeMetaFontStyles(font.Style())};
    // Read after the name: adding it changes the version.
    FEncodedFontsVersion = FFontsVersion;
    FFontEncoded = true;
  }
  const TEncodedFont& e = FEncodedFont;
  ADest->SetPixelsPerInch(e.PixelsPerInch);
  ADest->SetCharset(e.Charset);
  ADest->SetColor(e.Color);
  ADest->SetHeight(e.Height);
  ADest->SetNameId(e.NameId);
  ADest->SetPitch(e.Pitch);
  ADest->SetSize(e.Size);
  ADest->SetStyle(e.Style);
}

void TRLGraphicSurface::EncodeBrushInto(TRLMetaBrush* ADest) {
  if (!FBrushEncoded) {
    FEncodedBrushColor = EncodeMetaColor(FBrush->Color());
    FEncodedBrushStyle = EncodeMetaBrushStyle(FBrush->Style());
    FBrushEncoded = true;
  }
  ADest->SetColor(FEncodedBrushColor);
  ADest->SetStyle(FEncodedBrushStyle);
}

// ---- record ----------------------------------------------------------------

void TRLGraphicSurface::SaveToRecord(TRLRecordWriter& AWriter) const {
  AWriter.WriteBytes(SurfaceSignature);
  AWriter.WriteInt32(FWidth);
  AWriter.WriteInt32(FHeight);
  AWriter.WriteInt32(FMacros->Count());
  for (int i = 0; i < FMacros->Count(); ++i) AWriter.WriteString(StringToAnsi(FMacros->Strings(i)));
  AWriter.WriteInt32(FFonts->Count());
  for (int i = 0; i < FFonts->Count(); ++i) AWriter.WriteString(StringToAnsi(FFonts->Strings(i)));
  AWriter.WriteInt32(ObjectCount());
  for (TRLGraphicObject* object : FObjects) {
    AWriter.WriteByte(object->Kind());
    size_t sizeAt = AWriter.ReserveInt32();
    object->SaveToStream(AWriter);
    AWriter.PatchInt32(sizeAt, static_cast<int32_t>(AWriter.Size() - sizeAt - 4));
  }
}

namespace {
// A count of items each at least AMinBytes long must fit in what is left.
int32_t ReadCount(TRLRecordReader& AReader, size_t AMinBytes) {
  int32_t count = AReader.ReadInt32();
  if (count < 0 || static_cast<uint64_t>(count) * AMinBytes > AReader.Remaining()) RaiseCorrupted();
  return count;
}
}  // namespace

size_t TRLGraphicSurface::LoadFromRecord(std::string_view ABytes) {
  Clear();
  TRLRecordReader reader(ABytes);
  size_t headerLength = 0;
  while (headerLength < 20 && !reader.AtEnd()) {
    ++headerLength;
    if (reader.ReadByte() == 0x1A) break;
  }
  if (ABytes.substr(0, headerLength) != SurfaceSignature) RaiseCorrupted();
  FWidth = reader.ReadInt32();
  FHeight = reader.ReadInt32();
  for (int32_t i = 0, n = ReadCount(reader, 4); i < n; ++i) FMacros->Add(FromAnsiText(reader.ReadString()));
  for (int32_t i = 0, n = ReadCount(reader, 4); i < n; ++i) FFonts->Add(FromAnsiText(reader.ReadString()));
  int32_t fontCount = FFonts->Count();
  for (int32_t i = 0, n = ReadCount(reader, 5); i < n; ++i) {
    uint8_t kind = reader.ReadByte();
    int32_t size = reader.ReadInt32();
    TRLRecordReader body = reader.Take(size);
    TRLGraphicObjectClass create = ObjectClassOfKind(kind);
    if (!create) continue;
    TRLGraphicObject* object = create(this);
    try {
      object->LoadFromStream(body);
      if (auto* text = dynamic_cast<TRLTextObject*>(object)) {
        int32_t id = text->Font()->NameId();
        if (id < 0 || id >= fontCount) RaiseCorrupted();
      }
    } catch (...) {
      delete object;
      throw;
    }
  }
  return reader.Position();
}

void TRLGraphicSurface::SaveToStream(TStream& AStream) const {
  TRLRecordWriter writer;
  SaveToRecord(writer);
  AStream.WriteBuffer(writer.Data().data(), static_cast<int64_t>(writer.Size()));
}

void TRLGraphicSurface::LoadFromStream(TStream& AStream) {
  int64_t start = AStream.Position();
  int64_t left = std::max<int64_t>(0, AStream.Size() - start);
  std::string bytes(static_cast<size_t>(left), '\0');
  AStream.ReadBuffer(bytes.data(), left);
  size_t used = LoadFromRecord(bytes);
  AStream.SetPosition(start + static_cast<int64_t>(used));
}

void TRLGraphicSurface::SaveToFile(const String& AFileName) const {
  TFileStream stream(AFileName, fmCreate);
  SaveToStream(stream);
}

void TRLGraphicSurface::LoadFromFile(const String& AFileName) {
  TFileStream stream(AFileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(stream);
}
