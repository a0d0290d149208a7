#include "platform/classes/Component.h"
#include "platform/rtl/Exceptions.h"
#include <gtest/gtest.h>

namespace {
int gAlive = 0;

struct Probe : TComponent {
  explicit Probe(TComponent* owner) : TComponent(owner) { ++gAlive; }
  ~Probe() override { --gAlive; }
  TComponent* Watched = nullptr;
  void Watch(TComponent* c) { Watched = c; if (c) c->FreeNotification(this); }

 protected:
  void Notification(TComponent* c, TOperation op) override {
    TComponent::Notification(c, op);
    if (op == TOperation::opRemove && c == Watched) Watched = nullptr;
  }
};
}  // namespace

TEST(ComponentTree, OwnerFreesItsComponentsAndReferencesAreCleared) {
  gAlive = 0;
  auto* outsider = new Probe(nullptr);
  {
    Probe root(nullptr);
    auto* a = new Probe(&root);
    auto* b = new Probe(a);
    a->SetName(u"Alfa");
    EXPECT_EQ(root.FindComponent(u"ALFA"), a);
    EXPECT_EQ(a->ComponentCount(), 1);
    outsider->Watch(b);
    EXPECT_EQ(gAlive, 4);
  }
  EXPECT_EQ(gAlive, 1);
  EXPECT_EQ(outsider->Watched, nullptr);
  delete outsider;
  EXPECT_EQ(gAlive, 0);
}

TEST(ComponentTree, FreeingAChildRemovesItFromItsOwnerAndNamesAreUnique) {
  Probe root(nullptr);
  auto* a = new Probe(&root);
  a->SetName(u"Botao");
  auto* b = new Probe(&root);
  EXPECT_THROW(b->SetName(u"botao"), EInvalidOperation);
  delete a;
  EXPECT_EQ(root.ComponentCount(), 1);
  EXPECT_EQ(root.Components(0), b);
  EXPECT_THROW(root.Components(3), EListError);
}
