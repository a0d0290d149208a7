#include "report/components/RLPageSetup.h"
#include "report/components/RLPaperTable.h"

#include <gtest/gtest.h>

namespace {

TEST(RLPaperTable, SizeLookupTakesTheEarliestRealPaperWithinTolerance) {
  struct Case {
    double width, height;
    TRLPaperSize paper;
    int code;
  };
  const Case cases[] = {
      {210, 297, fpA4, 9},                // not A4 Small or A4 Transverse, which come later
      {215.9, 279.4, fpLetter, 1},        // not Letter Transverse
      {304.8, 279.4, fp12x11, 90},        // ahead of Note and Letter Small
      {250, 353, fpB4, 12},               // ahead of Envelope B4
      {110, 220, fpEnv_DL, 27},
      {100, 148, fpJap_Postcard, 43},     // Postcard itself is emulated
      {297, 210, fpCustom, 256},          // never swapped
      {76, 110, fpCustom, 256},
      {841, 1189, fpCustom, 256},         // A0 is emulated
      {210.005, 297.004, fpA4, 9},        // 0.009 mm off
      {210.02, 297, fpCustom, 256},       // 0.02 mm off
      {209.995, 296.996, fpA4, 9},
      {0, 0, fpCustom, 256},              // the custom row itself is never a match
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
    EXPECT_EQ(c.paper, PaperSizeBySize(c.width, c.height));
    TRLPaperSetup setup = PaperSetupBySize(c.width, c.height, false);
    EXPECT_EQ(c.code, setup.PaperCode);
    EXPECT_EQ(1, setup.Orientation);
  }
}

TEST(RLPaperTable, SetupGivesTheRowSizeOrTheGivenOneAndTheOrientationCode) {
  TRLPaperSetup a4 = PaperSetupBySize(210.004, 297, true);
  EXPECT_EQ(9, a4.PaperCode);
  EXPECT_DOUBLE_EQ(210, a4.Width);
  EXPECT_DOUBLE_EQ(297, a4.Height);
  EXPECT_EQ(2, a4.Orientation);
  TRLPaperSetup receipt = PaperSetupBySize(76, 110, false);
  EXPECT_EQ(256, receipt.PaperCode);
  EXPECT_DOUBLE_EQ(76, receipt.Width);
  EXPECT_DOUBLE_EQ(110, receipt.Height);
}

TEST(RLPaperTable, RowsCarryTheirSizesCodesAndTexts) {
  int real = 0;
  for (int i = 0; i < RLPaperSizeCount; ++i) {
    const TRLPaperInfo& row = PaperInfo(static_cast<TRLPaperSize>(i));
    if (!row.Emulated) ++real;
    EXPECT_EQ(row.Emulated, row.SystemCode == 0) << i;
  }
  EXPECT_EQ(81, real);
  EXPECT_EQ(141, RLPaperSizeCount);
  EXPECT_EQ(88, PaperInfo(fpB6).SystemCode);
  EXPECT_EQ(88, PaperInfo(fpB6_JIS).SystemCode);
  EXPECT_DOUBLE_EQ(444.5, PaperInfo(fpEng_Demy).Height);
  EXPECT_EQ(String(u"Demy 571.5 x 17.5 mm"), PaperInfo(fpEng_Demy).Description);
  EXPECT_DOUBLE_EQ(322.44, PaperInfo(fpA3_Extra).Width);
  EXPECT_EQ(String(u"User Defined"), PaperInfo(fpCustom).Description);
  EXPECT_DOUBLE_EQ(0, PaperInfo(fpCustom).Width);
  EXPECT_EQ(String(u"Imperial 761 x 559 mm"), PaperInfo(fpEng_Imperial).Description);
}

TEST(RLPageSetup, PaperFromTheTableCustomSizesAndRefusals) {
  TRLPageSetup setup(nullptr);
  EXPECT_EQ(fpA4, setup.PaperSize());
  EXPECT_DOUBLE_EQ(210, setup.PaperWidth());
  EXPECT_DOUBLE_EQ(297, setup.PaperHeight());

  // Dimensions are refused while the paper is a named one.
  setup.SetPaperWidth(76);
  EXPECT_DOUBLE_EQ(210, setup.PaperWidth());

  setup.SetPaperSize(fpCustom);
  EXPECT_DOUBLE_EQ(210, setup.PaperWidth()) << "custom keeps the size it had";
  setup.SetPaperWidth(76);
  setup.SetPaperHeight(110);
  EXPECT_DOUBLE_EQ(76, setup.PaperWidth());
  EXPECT_DOUBLE_EQ(110, setup.PaperHeight());
  for (double refused : {0.0, -5.0, -0.001}) {
    setup.SetPaperWidth(refused);
    setup.SetPaperHeight(refused);
  }
  EXPECT_DOUBLE_EQ(76, setup.PaperWidth());
  EXPECT_DOUBLE_EQ(110, setup.PaperHeight());

  setup.SetPaperSize(fpA4);
  EXPECT_DOUBLE_EQ(210, setup.PaperWidth());
  setup.SetPaperSize(fpCustom);
  EXPECT_DOUBLE_EQ(297, setup.PaperHeight()) << "back to custom keeps A4 until set";

  setup.SetPaperSize(fpLetter);
  setup.SetOrientation(poLandscape);
  EXPECT_DOUBLE_EQ(279.4, setup.OrientedWidth());
  EXPECT_DOUBLE_EQ(215.9, setup.OrientedHeight());
  setup.SetOrientedWidth(300);
  EXPECT_DOUBLE_EQ(300, setup.PaperHeight());

  TRLPageSetup copy(nullptr);
  copy.Assign(setup);
  EXPECT_EQ(fpLetter, copy.PaperSize());
  EXPECT_EQ(poLandscape, copy.Orientation());
}

}  // namespace
