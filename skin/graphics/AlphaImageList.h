#pragma once
// An image list that keeps each image's source file (PNG, icon or 32-bit
// bitmap) beside the system list, rebuilds the system list from them at any
// size, and hands out 32-bit alpha renderings cached per image.
#include "platform/classes/Collections.h"
#include "platform/classes/Streams.h"
#include "platform/ui/graphics/ImageList.h"
#include <memory>

enum TsImageFormat : uint8_t { ifPNG, ifICO, ifBMP32 };

class TsImgListItem : public TCollectionItem {
public:
  explicit TsImgListItem(TCollection* Collection);
  ~TsImgListItem() override;

  TsImageFormat ImageFormat = ifPNG;
  String ImageName;
  TPixelFormat PixelFormat = pf32bit;
  String Text;
  // The source file's bytes, with no header of their own.
  std::unique_ptr<TMemoryStream> ImgData;
  // The last rendering at the list's size, or nil.
  std::unique_ptr<TBitmap> CacheBmp;

  int OrigWidth() const { return FOrigWidth; }
  int OrigHeight() const { return FOrigHeight; }
  void SetOrigSize(int Width, int Height) {
    FOrigWidth = Width;
    FOrigHeight = Height;
  }

  // What a form would keep as "ImgData": the whole source file. Reading
  // replaces the item's data.
  void ReadImgData(TStream& Stream);
  void WriteImgData(TStream& Stream) const;

  // From another item: format, name, pixel format, sizes, text and data.
  void Assign(const TPersistent& Source) override;

private:
  int FOrigWidth = 0, FOrigHeight = 0;
};

class TsImgListItems : public TCollection {
public:
  explicit TsImgListItems(TPersistent* Owner);
  TsImgListItem* Items(int Index) const { return static_cast<TsImgListItem*>(TCollection::Items(Index)); }
  TsImgListItem* Add() { return static_cast<TsImgListItem*>(TCollection::Add()); }
};

class TsAlphaImageList : public TCustomImageList {
public:
  explicit TsAlphaImageList(TComponent* AOwner);
  ~TsAlphaImageList() override;

  // A new size rebuilds the system list from the source files.
  void SetWidth(int Value);
  void SetHeight(int Value);
  // clNone gives the system list's own colour.
  TColor BkColor() const;
  void SetBkColor(TColor Value);
  TsImgListItems& Items() { return *FItems; }
  void SetItems(const TsImgListItems& Value) { FItems->Assign(Value); }
  bool UseCache() const { return FUseCache; }
  // Drops every cached rendering.
  void SetUseCache(bool Value);
  // Keep the source files in Items; off, they only build the system list.
  bool DoubleData = true;

  void GenerateStdList();
  // Image Index at Image's current size with alpha; false for a bad index
  // or an image whose icon cannot be taken.
  bool GetBitmap32(int Index, TBitmap* Image);
  // A new 32-bit bitmap of the size, or nil; the caller owns it.
  std::unique_ptr<TBitmap> CreateBitmap32(int Index, int aWidth, int aHeight);

  int Add(TBitmap* Image, TBitmap* Mask);
  bool AddFromFile(const String& FileName);
  // Streams are taken as PNG.
  bool AddFromStream(TStream& Stream);
  // As AddFromFile and AddFromStream, with an error box when refused.
  void LoadFromFile(const String& FileName);
  void LoadFromPngStream(TStream& Stream);
  void MoveItem(int CurIndex, int NewIndex);
  void CopyImages(TsAlphaImageList& ImgList);
  void Assign(const TPersistent& Source) override;
  void SetNewDimensions(HIMAGELIST Value);

  void AcBeginUpdate() { FAcChanging = true; }
  void AcEndUpdate(bool DoChange);
  // Alpha items drawn with their alpha over the canvas; icons as the system
  // list draws them.
  void DoDraw(int Index, TCanvas* Canvas, int X, int Y, bool Enabled);
  bool StdListIsGenerated() const { return FStdListIsGenerated; }

protected:
  void Change() override;
  void CreateListHandle() override;

private:
  bool KeepItems() const;
  TsImgListItem* KeptItem(int Index) const;
  // The item's source decoded; nil for an icon item or one without data.
  std::unique_ptr<TBitmap> DecodeItem(TsImgListItem& Item);
  // A new item's source decoded; the item goes again when it cannot be.
  std::unique_ptr<TBitmap> DecodeKept(TsImgListItem& Item);
  void AppendIcon(HICON Icon);
  void MakeImagesOpaque();

  std::unique_ptr<TsImgListItems> FItems;
  bool FUseCache = true;
  bool FAcChanging = false;
  bool FStdListIsGenerated = false;
  TColor FBkColor = clNone;
};

// clDefault and clNone for the system list's CLR_DEFAULT and CLR_NONE.
TColor NormalizeListColor(COLORREF Value);
// True when more than Count (at most 8) bytes follow and the first are Bytes.
bool FileStartsWith(const String& FileName, const uint8_t* Bytes, int Count);
// PNG by its signature; an icon only from a file named .ico; "BM" a bitmap.
bool DetectImageFileFormat(const String& FileName, TsImageFormat& Format);
// A 32-bit bitmap whose alpha is all zero: every pixel unlike the
// bottom-left one becomes opaque.
void FixEmptyAlpha(TBitmap& Bmp);
