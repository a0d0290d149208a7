#include "EngineFixture.h"

#include "platform/rtl/FileUtils.h"

#include <gtest/gtest.h>

namespace {

TEST(RLEngineScale, ManyPagesKeepFewInMemoryAndSurviveAFile) {
  TEngineFixture t;
  t.report->PageSetup()->SetPaperSize(fpLetter);
  t.report->PageSetup()->SetOrientation(poLandscape);
  t.report->SetTitle(u"Listagem");
  t.report->SetFirstPageNumber(3);
  t.Band(btDetail, 20, "D")->SetPageBreaking(pbAfterPrint);
  t.Records(2000);
  ASSERT_TRUE(t.report->Prepare());
  ASSERT_EQ(2000, t.report->Pages()->PageCount());
  EXPECT_EQ(5, t.report->Pages()->CachedPageCount());

  const String file = GetTempFolder() + u"\\rengine-scale.rpf";
  t.report->SaveToFile(file);
  TEngineFixture other;
  other.report->LoadFromFile(file);
  DeleteFile(file);
  EXPECT_EQ(rsReady, other.report->ReportState());
  EXPECT_EQ(2000, other.report->Pages()->PageCount());
  EXPECT_EQ(fpLetter, other.report->PageSetup()->PaperSize());
  EXPECT_EQ(poLandscape, other.report->PageSetup()->Orientation());
  EXPECT_EQ(u"Listagem", other.report->Title());
  EXPECT_EQ(3, other.report->FirstPageNumber());
  EXPECT_EQ(std::string("D"), other.Marks().empty() ? "" : other.Marks().back().text);
}

}  // namespace
