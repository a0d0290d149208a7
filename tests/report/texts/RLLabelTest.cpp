#include "TextFixture.h"

#include "platform/data/DataSource.h"
#include "report/components/RLDBResult.h"
#include "report/pages/RLUtils.h"

#include <gtest/gtest.h>

namespace {

TSize Measured(TRLCustomLabel* label, const String& text) { return MeasureRotatedText(text, label->Font(), 0); }

TEST(RLLabel, NaturalSizeIsTheTextWithABlankPlusTheDrawnBorders) {
  struct Case {
    const char* name;
    bool autoSize;
    int borderWidth;  // 0: no borders
    bool onlyLeft;
    const char16_t* caption;
    int extraWidth, extraHeight;
  } cases[] = {
      {"plain text", true, 0, false, u"Total", 0, 0},
      {"borders of 2 on every side", true, 2, false, u"Total", 6, 6},
      {"a border on the left only", true, 2, true, u"Total", 3, 0},
      {"an empty caption measures the name", true, 0, false, u"", 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TReportForm f;
    // Borders are drawn in a report printing with full features.
    auto* report = f.Make<TRLReport>(nullptr, TRect(0, 0, 100, 100));
    auto* label = f.Make<TRLLabel>(report, TRect(100, 10, 165, 27));
    label->SetName(u"LabelName");
    if (c.borderWidth > 0) {
      label->Borders()->SetWidth(c.borderWidth);
      if (c.onlyLeft)
        label->Borders()->SetDrawLeft(true);
      else
        label->Borders()->SetSides(sdAll);
    }
    label->SetCaption(c.caption);
    const TSize text = Measured(label, (*c.caption ? String(c.caption) : String(u"LabelName")) + u" ");
    int w = 0, h = 0;
    label->MeasureNaturalSize(w, h);
    EXPECT_EQ(text.cx + c.extraWidth, w);
    EXPECT_EQ(text.cy + c.extraHeight, h);
    EXPECT_EQ(w, label->Width());
  }
  TReportForm f;
  TRLLabel fresh(f.Form());
  EXPECT_EQ(65, fresh.Width());
  EXPECT_EQ(17, fresh.Height());
  EXPECT_TRUE(fresh.AutoSize());
  auto* fixed = f.Make<TRLLabel>(nullptr, TRect(0, 0, 65, 17));
  fixed->SetAutoSize(false);
  fixed->SetBounds(0, 0, 40, 30);
  fixed->SetCaption(u"A text much wider than forty pixels");
  EXPECT_EQ(40, fixed->Width());
  EXPECT_EQ(30, fixed->Height());
}

TEST(RLLabel, AGrowingTextKeepsItsAnchorEdge) {
  struct Case {
    TRLTextAlignment alignment;
    const char* name;
  } cases[] = {{TRLTextAlignment::taLeftJustify, "left"},
               {TRLTextAlignment::taRightJustify, "right"},
               {TRLTextAlignment::taCenter, "centre"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TReportForm f;
    auto* label = f.Make<TRLLabel>(nullptr, TRect(200, 10, 265, 27));
    label->SetAlignment(c.alignment);
    label->SetCaption(u"A");
    const TRect before = label->BoundsRect();
    label->SetCaption(u"A much longer text");
    const TRect after = label->BoundsRect();
    ASSERT_GT(after.Width(), before.Width());
    switch (c.alignment) {
      case TRLTextAlignment::taLeftJustify: EXPECT_EQ(before.Left, after.Left); break;
      case TRLTextAlignment::taRightJustify: EXPECT_EQ(before.Right, after.Right); break;
      default:
        EXPECT_EQ(0, after.Width() % 2);
        EXPECT_LE(std::abs((after.Left + after.Right) - (before.Left + before.Right)), 2);
        break;
    }
  }
}

TEST(RLLabel, PrintedTextCarriesItsShiftCodesAndFlags) {
  using A = TRLTextAlignment;
  using L = TRLTextLayout;
  struct Case {
    const char* name;
    A alignment;
    L layout;
    bool autoSize;
    uint8_t alignCode, layoutCode;
    uint16_t flags;
  } cases[] = {
      {"left top, sized by its text", A::taLeftJustify, L::tlTop, true, 1, 1, 5},
      {"right bottom, fixed size", A::taRightJustify, L::tlBottom, false, 2, 2, 4},
      {"centre centre, fixed size", A::taCenter, L::tlCenter, false, 3, 3, 4},
      {"justified, justified layout", A::taJustify, L::tlJustify, false, 4, 1, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TTextFixture t;
    t.Records(1);
    TRLBand* band = t.PlainBand(btDetail, 40);
    auto* label = t.Text<TRLLabel>(band, 50, 3);
    label->SetAutoSize(c.autoSize);
    if (!c.autoSize) label->SetBounds(50, 3, 200, 30);
    label->SetAlignment(c.alignment);
    label->SetLayout(c.layout);
    label->SetCaption(u"Folha");
    ASSERT_TRUE(t.report->Prepare());
    const std::vector<RecordedText> texts = t.Recorded();
    ASSERT_EQ(1u, texts.size());
    const TRLTextObject* text = texts[0].object;
    EXPECT_EQ("Folha", texts[0].Text().substr(0, 5));
    EXPECT_EQ(c.alignCode, text->Alignment());
    EXPECT_EQ(c.layoutCode, text->Layout());
    EXPECT_EQ(c.flags, text->TextFlags());
    // The origin in the rectangle, with half a blank's shift.
    TRLGraphicSurface measure;
    measure.SetFont(label->Font());
    const int half = measure.TextWidth(" ") / 2;
    const int w = measure.TextWidth("Folha "), h = measure.TextHeight("Folha ");
    const TRLMetaRect r = text->BoundsRect();
    EXPECT_EQ(label->Width(), r.Right - r.Left);
    int x = r.Left, y = r.Top;
    if (c.alignment == A::taRightJustify) x = r.Right - w;
    if (c.alignment == A::taCenter) x = (r.Left + r.Right - w) / 2;
    if (c.layout == L::tlBottom) y = r.Bottom - h;
    if (c.layout == L::tlCenter) y = (r.Top + r.Bottom - h) / 2;
    EXPECT_EQ(x + half, text->Origin().X);
    EXPECT_EQ(y, text->Origin().Y);
  }
}

TEST(RLLabel, TextsShowWhatTheyStandForOutsidePreparation) {
  TReportForm f;
  auto* report = f.Make<TRLReport>(nullptr, TRect(0, 0, 100, 100));
  auto* band = f.Make<TRLBand>(report, TRect(0, 0, 700, 20));
  auto* field = f.Make<TRLDBText>(band, TRect(0, 0, 65, 17));
  field->SetName(u"TextoNome");
  field->RefreshCaption();
  EXPECT_EQ(u"TextoNome", field->Caption());
  field->SetDataField(u"NOME");
  EXPECT_EQ(u"NOME", field->Caption());
  field->SetDataFormula(u"A + B");
  EXPECT_EQ(u"", field->DataField());
  EXPECT_EQ(u"(A + B)", field->Caption());
  field->SetText(u"Nome: ");
  EXPECT_EQ(u"Nome: (A + B)", field->Caption());
  field->SetFriendlyName(u"Cliente");
  field->RefreshCaption();
  EXPECT_EQ(u"Nome: Cliente", field->Caption());

  auto* result = f.Make<TRLDBResult>(band, TRect(0, 0, 65, 17));
  result->SetInfo(riCount);
  EXPECT_EQ(u"(Count)", result->Caption());
  result->SetDataField(u"VALOR");
  result->SetInfo(riSum);
  EXPECT_EQ(u"(Sum VALOR)", result->Caption());
  result->SetDataFormula(u"sum(A)");
  result->SetInfo(riAverage);
  EXPECT_EQ(u"(Average (sum(A)))", result->Caption());
}

TEST(RLLabel, ADataTextForgetsARemovedDataSource) {
  TReportForm f;
  auto* source = new TDataSource(f.Form());
  auto* text = f.Make<TRLDBText>(nullptr, TRect(0, 0, 65, 17));
  text->SetDataSource(source);
  ASSERT_EQ(source, text->DataSource());
  delete source;
  EXPECT_EQ(nullptr, text->DataSource());
  EXPECT_EQ(nullptr, text->DataSet());
  EXPECT_EQ(nullptr, text->Field());
}

}  // namespace
