// Every report test runs with the library started, as a program would.
#include "report/RLLibrary.h"
#include <gtest/gtest.h>

namespace {
class ReportLibraryEnvironment : public ::testing::Environment {
public:
  void SetUp() override { ReportLibraryStartup(); }
  void TearDown() override { ReportLibraryShutdown(); }
};

const auto* const registered = ::testing::AddGlobalTestEnvironment(new ReportLibraryEnvironment);
}  // namespace
