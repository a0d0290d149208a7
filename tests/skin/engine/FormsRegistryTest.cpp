#include "skin/engine/FormsRegistry.h"
#include <gtest/gtest.h>

TEST(FormsRegistry, UnregisterFillsGapsWithTheLastEntry) {
  auto* a = reinterpret_cast<TForm*>(0x10);
  auto* b = reinterpret_cast<TForm*>(0x20);
  auto* c = reinterpret_cast<TForm*>(0x30);
  auto* absent = reinterpret_cast<TForm*>(0x40);
  const struct {
    std::vector<TForm*> Before;
    TForm* Removed;
    std::vector<TForm*> After;
  } cases[] = {
      {{a, b, c}, absent, {a, b, c}},
      {{a, b, c}, c, {a, b}},
      {{a, b, c}, a, {c, b}},
      {{a, b, a, c}, a, {c, b}},
      {{a, a}, a, {}},
  };
  const std::vector<TForm*> saved = SkinnedForms;
  for (const auto& k : cases) {
    SkinnedForms.clear();
    for (TForm* f : k.Before) RegisterSkinnedForm(f);
    UnregisterSkinnedForm(k.Removed);
    EXPECT_EQ(SkinnedForms, k.After);
  }
  SkinnedForms = saved;
}
