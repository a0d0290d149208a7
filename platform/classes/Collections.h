#pragma once
// Owned lists of items of one kind that a component publishes (title-bar
// buttons, stored skins, ...). The collection frees its items; an item
// joins a collection on construction and leaves it on destruction.
#include "platform/classes/Component.h"
#include <functional>
#include <vector>

class TCollection;

class TCollectionItem : public TPersistent {
public:
  explicit TCollectionItem(TCollection* collection);
  ~TCollectionItem() override;

  TCollection* Collection() const { return FCollection; }
  void SetCollection(TCollection* value);
  int Index() const;
  void SetIndex(int value);
  int ID() const { return FID; }
  String DisplayName() const { return GetDisplayName(); }

protected:
  // The class name unless a descendant names its items.
  virtual String GetDisplayName() const;
  // Tells the collection: allItems for changes that affect the others too.
  void Changed(bool allItems);

private:
  friend class TCollection;
  TCollection* FCollection = nullptr;
  int FID = 0;
};

enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

class TCollection : public TPersistent {
public:
  // The factory makes the items Add creates: [](TCollection* c) { return new TMyItem(c); }
  using TItemFactory = std::function<TCollectionItem*(TCollection*)>;
  explicit TCollection(TItemFactory factory, TPersistent* owner = nullptr);
  ~TCollection() override;

  TPersistent* Owner() const { return GetOwner(); }
  int Count() const { return static_cast<int>(FItems.size()); }
  // Raise EListError for a bad index.
  TCollectionItem* Items(int index) const;
  // Copies value into the item at index.
  void SetItems(int index, const TCollectionItem& value);

  TCollectionItem* Add();
  TCollectionItem* Insert(int index);
  void Delete(int index);
  void Clear();
  TCollectionItem* FindItemID(int id) const;

  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }

  // From another collection: clears, then adds a copy of every item.
  void Assign(const TPersistent& source) override;

protected:
  virtual TPersistent* GetOwner() const { return FOwner; }
  // item is null when everything may have changed. Also called while an
  // item is being constructed, when it is still a plain TCollectionItem.
  virtual void Update(TCollectionItem* item);
  virtual void Notify(TCollectionItem* item, TCollectionNotification action);
  void Changed();

private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* item);
  void RemoveItem(TCollectionItem* item);

  TItemFactory FFactory;
  TPersistent* FOwner;
  std::vector<TCollectionItem*> FItems;
  int FNextID = 0;
  int FUpdateCount = 0;
  bool FDestroying = false;
};
