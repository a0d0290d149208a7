#include "platform/classes/Collections.h"
#include "platform/rtl/Exceptions.h"
#include <gtest/gtest.h>

namespace {
int gItemsAlive = 0;

class TNamedItem : public TCollectionItem {
public:
  explicit TNamedItem(TCollection* c) : TCollectionItem(c) { ++gItemsAlive; }
  ~TNamedItem() override { --gItemsAlive; }
  String Name;
  void SetName(const String& value) {
    Name = value;
    Changed(false);
  }
  void Assign(const TPersistent& source) override {
    if (auto* other = dynamic_cast<const TNamedItem*>(&source)) {
      Name = other->Name;
      return;
    }
    TCollectionItem::Assign(source);
  }

protected:
  String GetDisplayName() const override { return Name; }
};

class TNamedItems : public TCollection {
public:
  TNamedItems() : TCollection([](TCollection* c) { return new TNamedItem(c); }) {}
  TNamedItem* Item(int i) const { return static_cast<TNamedItem*>(Items(i)); }
  int FullUpdates = 0;
  TCollectionItem* LastChanged = nullptr;

protected:
  void Update(TCollectionItem* item) override {
    if (item) LastChanged = item;
    else ++FullUpdates;
  }
};

TNamedItem* AddNamed(TNamedItems& items, const char16_t* name) {
  auto* item = static_cast<TNamedItem*>(items.Add());
  item->Name = name;
  return item;
}
}  // namespace

TEST(Collection, OwnsOrdersAndCopiesItsItems) {
  {
    TNamedItems items;
    TNamedItem* a = AddNamed(items, u"a");
    AddNamed(items, u"b");
    TNamedItem* c = static_cast<TNamedItem*>(items.Insert(0));
    c->Name = u"c";
    EXPECT_EQ(c->Index(), 0);
    EXPECT_EQ(items.FindItemID(a->ID()), a);
    c->SetIndex(2);
    EXPECT_EQ(items.Item(0)->DisplayName(), u"a");
    EXPECT_EQ(items.Item(2), c);

    a->SetName(u"A");
    EXPECT_EQ(items.LastChanged, a);
    items.FullUpdates = 0;
    items.BeginUpdate();
    a->SetName(u"AA");
    AddNamed(items, u"d");
    items.Delete(1);
    items.EndUpdate();
    EXPECT_EQ(items.FullUpdates, 1);  // one notice for the whole block
    EXPECT_EQ(items.Count(), 3);

    TNamedItems copy;
    AddNamed(copy, u"old");
    copy.Assign(items);
    ASSERT_EQ(copy.Count(), 3);
    EXPECT_EQ(copy.Item(0)->Name, u"AA");
    EXPECT_EQ(copy.Item(2)->Name, u"d");
    EXPECT_THROW(copy.Items(3), EListError);

    delete a;  // an item freed on its own leaves its collection
    EXPECT_EQ(items.Count(), 2);
    EXPECT_EQ(gItemsAlive, 5);
  }
  EXPECT_EQ(gItemsAlive, 0);
}
