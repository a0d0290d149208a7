#pragma once
// The look of an alpha hint: a font and up to four pictures of the hint
// body, one per corner the anchor point may lie on, each with its fixed
// borders, text margins, drawn shadow and the way its sides are filled.
#include "platform/classes/Collections.h"
#include "platform/classes/Streams.h"
#include "platform/ui/graphics/Graphics.h"
#include "skin/graphics/PngGraphic.h"
#include "skin/graphics/StretchParts.h"
#include <memory>

class TsAlphaHints;
class TacHintImage;
class TacHintTemplate;
class TacHintTemplates;

// Stored like the side modes of the nine-part copy: 0 tiles, 1 stretches.
using TacBorderDrawMode = TacSideMode;

class TacBordersSizes : public TPersistent {
public:
  explicit TacBordersSizes(TacHintImage* AOwner) : FOwner(AOwner) {}
  // 0 Top, 1 Left, 2 Bottom, 3 Right; a negative stored value reads as 0.
  int GetByIndex(int Index) const;
  // With CheckSize the value is kept inside the owner image's picture.
  void SetInteger(int Index, int Value);
  void SetValues(int ALeft, int ATop, int ARight, int ABottom);

  int Top() const { return GetByIndex(0); }
  int Left() const { return GetByIndex(1); }
  int Bottom() const { return GetByIndex(2); }
  int Right() const { return GetByIndex(3); }
  void SetTop(int Value) { SetInteger(0, Value); }
  void SetLeft(int Value) { SetInteger(1, Value); }
  void SetBottom(int Value) { SetInteger(2, Value); }
  void SetRight(int Value) { SetInteger(3, Value); }

  bool CheckSize = false;
  int32_t FTop = 0, FLeft = 0, FBottom = 0, FRight = 0;
  TacHintImage* FOwner;

protected:
  void AssignTo(TPersistent& Dest) const override;
};

class TacBorderDrawModes : public TPersistent {
public:
  explicit TacBorderDrawModes(TacHintImage* AOwner) : FOwner(AOwner) {}
  // 0 Top, 1 Left, 2 Bottom, 3 Right, 4 Center.
  TacBorderDrawMode Get(int Index) const;
  void Set(int Index, TacBorderDrawMode Value);

  TacBorderDrawMode Top() const { return Get(0); }
  TacBorderDrawMode Left() const { return Get(1); }
  TacBorderDrawMode Bottom() const { return Get(2); }
  TacBorderDrawMode Right() const { return Get(3); }
  TacBorderDrawMode Center() const { return Get(4); }

  uint8_t FBottom = dmStretch, FLeft = dmStretch, FTop = dmStretch, FRight = dmStretch, FCenter = dmStretch;
  TacHintImage* FOwner;

protected:
  void AssignTo(TPersistent& Dest) const override;
};

class TacHintImage : public TPersistent {
public:
  explicit TacHintImage(TacHintTemplate* AOwner);
  ~TacHintImage() override;

  int ImageHeight() const { return FImage->Empty() ? 0 : FImage->Height(); }
  int ImageWidth() const { return FImage->Empty() ? 0 : FImage->Width(); }
  TPNGGraphic* Image() const { return FImage.get(); }
  // Assigns the picture, sets the borders and margins from its size and
  // tells the owning component.
  void SetImage(const TBitmap& Value);
  // The picture as PNG file data; empty when it came from a bitmap.
  TMemoryStream& ImgData() { return FImageData; }
  TacBorderDrawModes& BorderDrawModes() { return FBorderDrawModes; }
  TacBordersSizes& ClientMargins() { return FClientMargins; }
  TacBordersSizes& BordersWidths() { return FBordersWidths; }
  TacBordersSizes& ShadowSizes() { return FShadowSizes; }
  const TacBordersSizes& ClientMargins() const { return FClientMargins; }
  const TacBordersSizes& BordersWidths() const { return FBordersWidths; }
  const TacBordersSizes& ShadowSizes() const { return FShadowSizes; }
  TacHintTemplate* Owner() const { return FOwner; }

  // Borders and margins to the middle of the picture.
  void ImageChanged();
  // Decodes ImgData into the picture; false when it does not decode.
  bool StreamChanged();
  bool HasPicture() const { return !FImage->Empty(); }
  // Tells the owning component that the template changed.
  void NotifyOwner() const;

protected:
  void AssignTo(TPersistent& Dest) const override;

private:
  TacHintTemplate* FOwner;
  TacBordersSizes FClientMargins{this};
  TacBordersSizes FBordersWidths{this};
  TacBorderDrawModes FBorderDrawModes{this};
  TacBordersSizes FShadowSizes{this};
  std::unique_ptr<TPNGGraphic> FImage;
  TMemoryStream FImageData;
};

class TacHintTemplate : public TCollectionItem {
public:
  explicit TacHintTemplate(TCollection* Collection);
  ~TacHintTemplate() override;

  // 0 ImageDefault, 1 Img_LeftBottom, 2 Img_RightBottom, 3 Img_RightTop.
  TacHintImage* Images(int Index) const;
  void SetImages(int Index, const TacHintImage& Value);
  TacHintImage* ImageDefault() const { return Images(0); }
  TacHintImage* Img_LeftBottom() const { return Images(1); }
  TacHintImage* Img_RightBottom() const { return Images(2); }
  TacHintImage* Img_RightTop() const { return Images(3); }

  TFont* Font() const { return FFont.get(); }
  void SetFont(const TFont& Value);
  const String& Name() const { return FName; }
  void SetName(const String& Value) { FName = Value; }
  // The collection holding the template; nil for the default template.
  TacHintTemplates* Owner() const { return FOwner; }

protected:
  void AssignTo(TPersistent& Dest) const override;
  String GetDisplayName() const override { return FName.empty() ? TCollectionItem::GetDisplayName() : FName; }

private:
  std::unique_ptr<TacHintImage> FImages[4];
  String FName;
  std::unique_ptr<TFont> FFont;
  TacHintTemplates* FOwner;
};

class TacHintTemplates : public TCollection {
public:
  explicit TacHintTemplates(TsAlphaHints* AOwner);
  TacHintTemplate* Items(int Index) const { return static_cast<TacHintTemplate*>(TCollection::Items(Index)); }
  void SetItems(int Index, const TacHintTemplate& Value) { TCollection::SetItems(Index, Value); }
  TacHintTemplate* Add() { return static_cast<TacHintTemplate*>(TCollection::Add()); }
  TsAlphaHints* FOwner;
};

// The template used when a component names none: the library's own
// "ACHINT" picture, made at first use and kept until the end of the run.
TacHintTemplate& DefaultHintTemplate();
