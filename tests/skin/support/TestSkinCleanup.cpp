// The test skins' folder goes when the test program ends: Wine ends the
// process without running static destructors.
#include "skin/support/TestSkinWriter.h"
#include <gtest/gtest.h>

namespace {
class TTestSkinsCleanup : public ::testing::Environment {
public:
  void TearDown() override { RemoveTestSkins(); }
};

::testing::Environment* const Cleanup = ::testing::AddGlobalTestEnvironment(new TTestSkinsCleanup);
}  // namespace
