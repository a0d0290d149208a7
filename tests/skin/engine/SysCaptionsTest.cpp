#include "skin/engine/SysCaptions.h"
#include <gtest/gtest.h>

TEST(SysCaptions, WindowsVersionCountsSixTwoAsEight) {
  const struct {
    int Major, Minor, Expected;
  } cases[] = {{6, 2, 8}, {6, 1, 6}, {6, 3, 6}, {10, 0, 10}, {5, 1, 5}};
  for (const auto& c : cases) EXPECT_EQ(WindowsVersionOf(c.Major, c.Minor), c.Expected) << c.Major << "." << c.Minor;
}

TEST(SysCaptions, SystemStringsWithSuffixOrTheLibrarysOwnText) {
  HMODULE user32 = LoadLibraryExW(reinterpret_cast<LPCWSTR>(u"user32.dll"), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(user32, nullptr);
  const WCHAR* raw = nullptr;
  const int length = LoadStringW(user32, 800, reinterpret_cast<LPWSTR>(&raw), 0);
  String r = u"old";
  LoadModuleString(r, user32, 800, 58992, u":");
  if (length > 0)
    EXPECT_EQ(r, String(reinterpret_cast<const char16_t*>(raw), static_cast<size_t>(length)) + u":");
  else
    EXPECT_EQ(r, u"OK");
  // A string the library lacks, a library that did not load.
  LoadModuleString(r, user32, 65123, 58957, u":");
  EXPECT_EQ(r, u"Additional colors :");
  LoadModuleString(r, nullptr, 1810, 58960, u"");
  EXPECT_EQ(r, u"Add to custom colors set");
  LoadModuleStringDef(r, nullptr, 33015, u"Root:", u":");
  EXPECT_EQ(r, u"Root:");
  FreeLibrary(user32);

  InitSysCaptions();
  for (const String* c : {&CaptionOk, &CaptionCancel, &CaptionClose, &CaptionRestore, &CaptionMove, &CaptionSize,
                          &CaptionMinimize, &CaptionMaximize, &CaptionAddToCustomColors, &CaptionFont,
                          &CaptionFontColor, &CaptionRoot, &CaptionAvailableSkins, &CaptionInternal})
    EXPECT_FALSE(c->empty());
  EXPECT_EQ(CaptionInvalidDate, u"Invalid date");
  EXPECT_EQ(CaptionHex, u"Hex - ");
  EXPECT_GT(WindowsVersion, 0);
  EXPECT_EQ(MetricCYCaption, GetSystemMetrics(SM_CYCAPTION));
}
