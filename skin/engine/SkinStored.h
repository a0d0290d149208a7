#pragma once
// Skins kept with the manager itself: each item holds a whole packed skin.
#include "platform/classes/Collections.h"
#include "platform/classes/Streams.h"
#include "platform/ui/graphics/Graphics.h"
#include <memory>

class TsSkinManager;

class TsStoredSkin : public TCollectionItem {
public:
  explicit TsStoredSkin(TCollection* ACollection);
  ~TsStoredSkin() override;
  void Assign(const TPersistent& Source) override;

  const String& Name() const { return FName; }
  void SetName(const String& Value);
  TBitmap& MasterBitmap() { return *FMasterBitmap; }
  // The packed skin ("Data" of the stored form).
  TMemoryStream& PackedData() { return *FPackedData; }
  // Replaces the packed skin with the rest of Stream; announces the change.
  void LoadDataFromStream(TStream& Stream);
  void SaveDataToStream(TStream& Stream);

  TColor Shadow1Color = 0;
  int Shadow1Offset = 0;
  int Shadow1Blur = -1;
  int Shadow1Transparency = 0;
  TColor BorderColor = 0xFF00FF;
  double Version = 0;
  String Author;
  String Description;

private:
  String FName;
  std::unique_ptr<TBitmap> FMasterBitmap;
  std::unique_ptr<TMemoryStream> FPackedData;
};

class TsStoredSkins : public TCollection {
public:
  explicit TsStoredSkins(TsSkinManager* AOwner);
  ~TsStoredSkins() override;
  TsStoredSkin* Items(int Index) const { return static_cast<TsStoredSkin*>(TCollection::Items(Index)); }
  TsStoredSkin* Add() { return static_cast<TsStoredSkin*>(TCollection::Add()); }
  // Exact name; -1 when none.
  int IndexOf(const String& SkinName) const;
  TsSkinManager* Manager() const { return FOwner; }

protected:
  void Update(TCollectionItem* Item) override;

private:
  TsSkinManager* FOwner;
};
