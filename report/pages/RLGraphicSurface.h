#pragma once
// A recorded page: canvas-like operations that record graphic objects
// instead of pixels, replayed later scaled onto any canvas, and stored as a
// surface record. Coordinates are pixels of the 96-dpi layout space; paper
// sizes are millimetres.
#include "report/pages/RLGraphicObjects.h"
#include "platform/classes/Strings.h"
#include "platform/ui/graphics/Geometry.h"
#include "platform/ui/graphics/GraphicsObjects.h"
#include <memory>
#include <string_view>
#include <vector>

// wingdi.h reserves the name for its A/W pair; the surface method owns it.
#undef TextOut

class TCanvas;
class TGraphic;
class TStream;
class TRLGraphicStorage;

class TRLGraphicSurface : public TObject {
public:
  TRLGraphicSurface();
  // Leaves its store's page cache first; frees every object.
  ~TRLGraphicSurface() override;

  int PageIndex() const { return FPageIndex; }
  bool Opened() const { return FOpened; }
  bool Modified() const { return FModified; }
  void SetModified(bool AValue) { FModified = AValue; }
  int ObjectCount() const { return static_cast<int>(FObjects.size()); }
  // Raises EListError for an index outside the list.
  TRLGraphicObject* GetObjects(int AIndex) const;
  TRLGraphicObject* Objects(int AIndex) const { return GetObjects(AIndex); }

  TBrush* Brush() const { return FBrush.get(); }
  void SetBrush(const TBrush* AValue) { FBrush->Assign(*AValue); }
  TPen* Pen() const { return FPen.get(); }
  void SetPen(const TPen* AValue) { FPen->Assign(*AValue); }
  TFont* Font() const { return FFont.get(); }
  void SetFont(const TFont* AValue) { FFont->Assign(*AValue); }
  int Width() const { return FWidth; }
  void SetWidth(int AValue) { FWidth = AValue; }
  int Height() const { return FHeight; }
  void SetHeight(int AValue) { FHeight = AValue; }
  TPoint PenPos() const { return FPenPos; }
  void SetPenPos(TPoint AValue) { FPenPos = AValue; }
  // Only Left and Top are used: where the pen starts and Writeln returns.
  TRect Margins() const { return FMargins; }
  void SetMargins(const TRect& AValue) { FMargins = AValue; }
  int Tag() const { return FTag; }
  void SetTag(int AValue) { FTag = AValue; }
  int GeneratorId() const { return FGeneratorId; }
  void SetGeneratorId(int AValue) { FGeneratorId = AValue; }
  TRect ClipRect() const { return FClipRect; }
  TStringList* Fonts() const { return FFonts.get(); }
  // The index of a font name in Fonts (without regard to case), the name
  // added when missing.
  int32_t FontNameIndex(const String& AName);
  // The index here of the font name ASource keeps at ASourceId, added when
  // missing. Raises EListError for an index outside the source's list.
  int32_t FontNameIndexFrom(const TRLGraphicSurface& ASource, int32_t ASourceId);
  TStringList* Macros() const { return FMacros.get(); }
  TRLGraphicStorage* Storage() const { return FStorage; }

  // Reading gives the brush colour: the surface keeps no raster.
  TColor Pixels(int AX, int AY) const;
  void SetPixels(int AX, int AY, TColor AValue);

  // Page properties, kept as macros.
  uint8_t Orientation() const;
  void SetOrientation(uint8_t AValue);
  double PaperWidth() const;
  void SetPaperWidth(double AValue);
  double PaperHeight() const;
  void SetPaperHeight(double AValue);
  double OrientedPaperWidth() const;
  double OrientedPaperHeight() const;
  int OrientedWidth() const;
  int OrientedHeight() const;

  void Open();
  void Close() { FOpened = false; }
  void Clear();

  // Recording. Each operation opens the surface and marks it modified;
  // texts are 8-bit, in the system's ANSI code page.
  void MoveTo(int AX, int AY);
  void LineTo(int AX, int AY);
  void Rectangle(int ALeft, int ATop, int ARight, int ABottom);
  void Rectangle(const TRect& ARect) { Rectangle(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom); }
  void Ellipse(int AX1, int AY1, int AX2, int AY2);
  void Ellipse(const TRect& ARect) { Ellipse(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom); }
  void Polygon(const std::vector<TPoint>& APoints);
  void Polyline(const std::vector<TPoint>& APoints);
  void FillRect(const TRect& ARect);
  void TextOut(int ALeft, int ATop, const AnsiString& AText);
  void TextOutEx(int ALeft, int ATop, const AnsiString& AText, uint16_t ATextFlags);
  void TextRect(const TRect& ARect, int ALeft, int ATop, const AnsiString& AText);
  void TextRectEx(const TRect& ARect, int ALeft, int ATop, const AnsiString& AText, uint8_t AAlignment,
                  uint8_t ALayout, uint16_t ATextFlags);
  int TextWidth(const AnsiString& AText) const;
  int TextHeight(const AnsiString& AText) const;
  void Write(const String& AText);
  void Writeln(const String& AText);
  void Draw(int AX, int AY, TGraphic* AGraphic, bool AParity = false);
  void StretchDraw(const TRect& ARect, TGraphic* AGraphic, bool AParity = false);
  void SetClipRect(const TRect& ARect);
  void ResetClipRect();

  // Composites.
  void Draw(int AX, int AY, TRLGraphicSurface* ASurface);
  void StretchDraw(const TRect& ARect, TRLGraphicSurface* ASurface);
  void ScaleDraw(const TRect& ARect, TGraphic* AGraphic, bool ACenter);
  void ScaleDraw(const TRect& ARect, TRLGraphicSurface* ASurface, bool ACenter);
  void ClipDraw(const TRect& ARect, TGraphic* AGraphic, bool ACenter);
  void ClipDraw(const TRect& ARect, TRLGraphicSurface* ASurface, bool ACenter);
  void CopyRect(const TRect& ADest, TCanvas* ACanvas, const TRect& ASource);
  // A source of zero width or height records nothing.
  void CopyRect(const TRect& ADest, TRLGraphicSurface* ASurface, const TRect& ASource);

  // The row nearest ANearRow, at or above it, that cuts no text marked
  // not to be cut; false when only row 0 or above is left.
  bool FindFreeRow(int ANearRow, int& ARow) const;
  // Replays every object scaled into ARect.
  void PaintTo(TCanvas* ACanvas, const TRect& ARect);

  void SaveToStream(TStream& AStream) const;
  // Reads one surface record from the stream's position and leaves the
  // position after it. Raises "File is corrupted!" on a bad record.
  void LoadFromStream(TStream& AStream);
  void SaveToFile(const String& AFileName) const;
  void LoadFromFile(const String& AFileName);
  // The record in memory: what the page store and the page file move.
  void SaveToRecord(TRLRecordWriter& AWriter) const;
  // Reads the record from the bytes; returns how many it took.
  size_t LoadFromRecord(std::string_view ABytes);

  // Used by the page store.
  void AttachToStorage(TRLGraphicStorage* AStorage);
  void SetPageIndex(int AValue) { FPageIndex = AValue; }

  // Used by the clip objects while replaying.
  void PushClipRect(const TRect& ARect);
  // Back to the previous clip; an empty stack restores the clip the replay
  // started with, so unbalanced pages still paint.
  void PopClipRect();
  // The rectangle the replay paints into.
  TRect PaintRect() const { return FPaintClipRect; }

private:
  friend class TRLGraphicObject;
  void Recording();
  void AddObject(TRLGraphicObject* AObject);
  void RemoveObject(TRLGraphicObject* AObject);
  void FreeObjects();
  void CropGraphic(const TRect& ARect, TGraphic* AGraphic, bool ACenter);
  void CropSurface(const TRect& ARect, TRLGraphicSurface* ASurface, bool ACenter);
  String MacroValue(const String& AName) const;

  TRLGraphicStorage* FStorage = nullptr;
  int FPageIndex = -1;
  std::vector<TRLGraphicObject*> FObjects;
  TPoint FPenPos;
  int FWidth = 0;
  int FHeight = 0;
  std::unique_ptr<TBrush> FBrush;
  std::unique_ptr<TFont> FFont;
  std::unique_ptr<TPen> FPen;
  TRect FMargins;
  bool FOpened = false;
  bool FModified = false;
  std::unique_ptr<TStringList> FFonts;
  // Any change of the font names gives the list a version no list had
  // before, so what was found in it stays valid while the version holds.
  uint64_t FFontsVersion = 0;
  void FontsChanged();
  // The name FontNameIndex found last, and where.
  String FLastFontName;
  int32_t FLastFontIndex = -1;
  uint64_t FLastFontVersion = 0;
  // The name FontNameIndexFrom translated last: a band's surface hands its
  // texts to the page's one font at a time.
  const TRLGraphicSurface* FFromSurface = nullptr;
  uint64_t FFromVersion = 0;
  int32_t FFromId = -1;
  int32_t FFromIndex = -1;
  uint64_t FFromOwnVersion = 0;
  // The font and brush as every recorded object carries them, encoded once
  // while they stay the same (the resolution changes without notice).
  struct TEncodedFont {
    int32_t PixelsPerInch;
    uint8_t Charset;
    TRLMetaColor Color;
    int32_t Height;
    int32_t NameId;
    uint8_t Pitch;
    int32_t Size;
    uint8_t Style;
  };
  TEncodedFont FEncodedFont{};
  bool FFontEncoded = false;
  uint64_t FEncodedFontsVersion = 0;
  TRLMetaColor FEncodedBrushColor{};
  uint8_t FEncodedBrushStyle = 0;
  bool FBrushEncoded = false;
  void EncodeFontInto(TRLMetaFont* ADest);
  void EncodeBrushInto(TRLMetaBrush* ADest);
  std::vector<TRect> FClipStack;
  TRect FClipRect;
  TRect FPaintClipRect;
  int FTag = 0;
  int FGeneratorId = 0;
  std::unique_ptr<TStringList> FMacros;
};

// Bounds of points, grown by 1 on each side; (-1, -1, 1, 1) for none.
TRLMetaRect BoundsOfPoints(const std::vector<TPoint>& APoints);
