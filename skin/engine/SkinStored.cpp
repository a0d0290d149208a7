#include "skin/engine/SkinStored.h"
#include "skin/engine/SkinManager.h"

TsStoredSkin::TsStoredSkin(TCollection* ACollection)
    : TCollectionItem(ACollection), FMasterBitmap(std::make_unique<TBitmap>()),
      FPackedData(std::make_unique<TMemoryStream>()) {}

TsStoredSkin::~TsStoredSkin() = default;

void TsStoredSkin::SetName(const String& Value) {
  if (FName == Value) return;
  FName = Value;
  Changed(false);
}

void TsStoredSkin::Assign(const TPersistent& Source) {
  const auto* src = dynamic_cast<const TsStoredSkin*>(&Source);
  if (!src) {
    TCollectionItem::Assign(Source);
    return;
  }
  FPackedData->Clear();
  auto& from = *src->FPackedData;
  if (from.Size() > 0) FPackedData->WriteBuffer(from.Memory(), from.Size());
  FPackedData->SetPosition(0);
  FMasterBitmap->Assign(*src->FMasterBitmap);
  FName = src->FName;
  Author = src->Author;
  Version = src->Version;
  BorderColor = src->BorderColor;
  Description = src->Description;
  Shadow1Blur = src->Shadow1Blur;
  Shadow1Color = src->Shadow1Color;
  Shadow1Offset = src->Shadow1Offset;
  Shadow1Transparency = src->Shadow1Transparency;
  Changed(false);
}

void TsStoredSkin::LoadDataFromStream(TStream& Stream) {
  FPackedData->Clear();
  const int64_t left = Stream.Size() - Stream.Position();
  if (left > 0) FPackedData->CopyFrom(Stream, left);
  FPackedData->SetPosition(0);
  Changed(false);
}

void TsStoredSkin::SaveDataToStream(TStream& Stream) {
  if (FPackedData->Size() > 0) Stream.WriteBuffer(FPackedData->Memory(), FPackedData->Size());
}

TsStoredSkins::TsStoredSkins(TsSkinManager* AOwner)
    : TCollection([](TCollection* c) { return new TsStoredSkin(c); }), FOwner(AOwner) {}

TsStoredSkins::~TsStoredSkins() { FOwner = nullptr; }

int TsStoredSkins::IndexOf(const String& SkinName) const {
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->Name() == SkinName) return i;
  return -1;
}

void TsStoredSkins::Update(TCollectionItem* Item) {
  TCollection::Update(Item);
  if (FOwner && FOwner->OnSkinListChanged) FOwner->OnSkinListChanged(FOwner);
}
