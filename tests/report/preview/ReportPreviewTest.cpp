// The report's Preview: into a preview control of the application's, or in
// a preview window with the library's defaults or the report's own
// settings, prepared afresh each time.
#include "../engine/EngineFixture.h"
#include "platform/ui/TestSeam.h"
#include "report/ui/RLPreviewForm.h"
#include "support/KeyInput.h"
#include <gtest/gtest.h>

TEST(UiReportPreview, FillsAControlOrOpensTheWindowWithItsSettings) {
  UiTestSeam::Reset();
  PreviewDefaults() = TRLPreviewDefaults();
  TEngineFixture fx;
  fx.Band(btDetail, 400, "D");
  fx.Records(5);

  TForm host(nullptr);
  auto* dest = new TRLPreview(&host);
  dest->SetParent(&host);
  ASSERT_TRUE(fx.report->Preview(dest));
  EXPECT_EQ(dest->Pages(), fx.report->Pages());
  const int pages = dest->Pages()->PageCount();
  EXPECT_GE(pages, 2);
  EXPECT_EQ(dest->PageIndex(), 0);

  // With the defaults, the report's own window state is not taken.
  fx.report->PreviewOptions()->WindowState = wsNormal;
  int shown = 0;
  fx.Records(5);
  UiTestSeam::QueueModalAction([&](TCustomForm& form) {
    auto& window = dynamic_cast<TRLPreviewForm&>(form);
    EXPECT_EQ(window.WindowState(), wsMaximized);
    EXPECT_EQ(window.Preview()->Pages()->PageCount(), pages);
    ++shown;
    window.Close();
  });
  EXPECT_TRUE(fx.report->PreviewModal());
  KeyInput::Pump(50);

  // Ignoring the defaults, the report's settings rule, caption included;
  // the pages are prepared again rather than added to.
  TRLPreviewOptions* own = fx.report->PreviewOptions();
  own->Defaults = pdIgnoreDefaults;
  own->Caption = u"Cupom";
  fx.Records(5);
  UiTestSeam::QueueModalAction([&](TCustomForm& form) {
    auto& window = dynamic_cast<TRLPreviewForm&>(form);
    EXPECT_EQ(window.Caption(), u"Cupom");
    EXPECT_EQ(window.WindowState(), wsNormal);
    EXPECT_EQ(window.Preview()->Pages()->PageCount(), pages);
    ++shown;
    window.Close();
  });
  EXPECT_TRUE(fx.report->PreviewModal());
  KeyInput::Pump(50);
  EXPECT_EQ(shown, 2);
  UiTestSeam::Reset();
  PreviewDefaults() = TRLPreviewDefaults();
}
