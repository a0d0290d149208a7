#include "platform/classes/Collections.h"
#include "platform/rtl/Exceptions.h"
#include <algorithm>
#include <typeinfo>

namespace {
[[noreturn]] void IndexError(int index) {
  throw EListError(u"List index out of bounds (" + AsciiToString(std::to_string(index)) + u")");
}
}  // namespace

// ---- TCollectionItem ------------------------------------------------------------

TCollectionItem::TCollectionItem(TCollection* collection) { SetCollection(collection); }

TCollectionItem::~TCollectionItem() { SetCollection(nullptr); }

void TCollectionItem::SetCollection(TCollection* value) {
  if (FCollection == value) return;
  if (FCollection) FCollection->RemoveItem(this);
  if (value) value->InsertItem(this);
}

int TCollectionItem::Index() const {
  if (!FCollection) return -1;
  const auto& items = FCollection->FItems;
  auto it = std::find(items.begin(), items.end(), this);
  return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

void TCollectionItem::SetIndex(int value) {
  int current = Index();
  if (current < 0 || current == value) return;
  auto& items = FCollection->FItems;
  if (value < 0 || value >= static_cast<int>(items.size())) IndexError(value);
  items.erase(items.begin() + current);
  items.insert(items.begin() + value, this);
  Changed(true);
}

String TCollectionItem::GetDisplayName() const {
  // The mangled name starts with its length digits.
  std::string name = typeid(*this).name();
  size_t i = 0;
  while (i < name.size() && name[i] >= '0' && name[i] <= '9') ++i;
  return AsciiToString(name.substr(i));
}

void TCollectionItem::Changed(bool allItems) {
  if (FCollection && FCollection->FUpdateCount == 0) FCollection->Update(allItems ? nullptr : this);
}

// ---- TCollection ----------------------------------------------------------------

TCollection::TCollection(TItemFactory factory, TPersistent* owner) : FFactory(std::move(factory)), FOwner(owner) {}

TCollection::~TCollection() {
  FDestroying = true;
  FUpdateCount = 1;  // no Update calls while tearing down
  while (!FItems.empty()) delete FItems.back();
}

TCollectionItem* TCollection::Items(int index) const {
  if (index < 0 || index >= Count()) IndexError(index);
  return FItems[static_cast<size_t>(index)];
}

void TCollection::SetItems(int index, const TCollectionItem& value) { Items(index)->Assign(value); }

TCollectionItem* TCollection::Add() {
  TCollectionItem* item = FFactory(this);
  // A factory that forgot to pass the collection still gets its item here.
  if (item && item->FCollection != this) item->SetCollection(this);
  return item;
}

TCollectionItem* TCollection::Insert(int index) {
  if (index < 0 || index > Count()) IndexError(index);
  BeginUpdate();
  TCollectionItem* item;
  try {
    item = Add();
    item->SetIndex(index);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  return item;
}

void TCollection::Delete(int index) {
  TCollectionItem* item = Items(index);
  Notify(item, cnDeleting);
  delete item;
}

void TCollection::Clear() {
  if (FItems.empty()) return;
  BeginUpdate();
  while (!FItems.empty()) {
    Notify(FItems.back(), cnDeleting);
    delete FItems.back();
  }
  EndUpdate();
}

TCollectionItem* TCollection::FindItemID(int id) const {
  for (TCollectionItem* item : FItems)
    if (item->FID == id) return item;
  return nullptr;
}

void TCollection::BeginUpdate() { ++FUpdateCount; }

void TCollection::EndUpdate() {
  if (FUpdateCount == 0) return;
  if (--FUpdateCount == 0) Changed();
}

void TCollection::Changed() {
  if (FUpdateCount == 0) Update(nullptr);
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Notify(TCollectionItem*, TCollectionNotification) {}

void TCollection::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TCollection*>(&source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  if (other == this) return;
  BeginUpdate();
  try {
    Clear();
    for (TCollectionItem* item : other->FItems) Add()->Assign(*item);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TCollection::InsertItem(TCollectionItem* item) {
  FItems.push_back(item);
  item->FCollection = this;
  item->FID = FNextID++;
  Notify(item, cnAdded);
  Changed();
}

void TCollection::RemoveItem(TCollectionItem* item) {
  if (!FDestroying) Notify(item, cnExtracting);
  FItems.erase(std::remove(FItems.begin(), FItems.end(), item), FItems.end());
  item->FCollection = nullptr;
  Changed();
}
