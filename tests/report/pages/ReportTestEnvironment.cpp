// Every report test runs with the library started, as a program would. The
// library speaks the user's language; the texts these tests expect are the
// English ones, whatever the machine's locale.
#include "report/RLLibrary.h"
#include "report/pages/RLLocaleStrings.h"
#include <gtest/gtest.h>

namespace {
class ReportLibraryEnvironment : public ::testing::Environment {
public:
  void SetUp() override {
    ReportLibraryStartup();
    SelectLocaleStrings(0x0409);
  }
  void TearDown() override { ReportLibraryShutdown(); }
};

const auto* const registered = ::testing::AddGlobalTestEnvironment(new ReportLibraryEnvironment);
}  // namespace
