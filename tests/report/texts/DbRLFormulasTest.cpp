#include "QueryTextFixture.h"

#include "platform/ui/TestSeam.h"
#include "report/components/RLDBResult.h"
#include "report/pages/RLLocaleStrings.h"
#include "report/parser/RLExpressionParser.h"

namespace {

constexpr const char16_t* TwoRows =
    u"SELECT N, VALOR, NOME FROM (SELECT 1 N, CAST(1.25 AS DECIMAL(10,2)) VALOR, 'Ana' NOME UNION ALL "
    u"SELECT 2, NULL, 'Rui') T ORDER BY N";

struct TFormulaReport : TQueryReport {
  TFormulaReport(TFDConnection* connection, const String& sql) : TQueryReport(connection, sql) {
    t.report->SetExpressionParser(new TRLExpressionParser(t.f.Form()));
  }

  TRLDBText* Formula(const char16_t* formula, const char16_t* mask = u"") {
    TRLDBText* text = Data(u"", u"", mask);
    text->SetDataFormula(formula);
    return text;
  }
};

class DbRLFormulas : public TQueryTextsTest {};

TEST_F(DbRLFormulas, DataFormulasPrintTheirValueOnEachRecord) {
  TFormulaReport r(connection.get(), TwoRows);
  TRLDBResult* total = r.Data<TRLDBResult>(u"N", u"", u"", r.t.PlainBand(btSummary));
  total->SetInfo(riSum);
  total->SetFriendlyName(u"Total");
  struct Case {
    const char16_t* formula;
    const char16_t* mask;
    std::vector<std::string> shown;
  } cases[] = {
      {u"2.5", u"0.0", {"2,5", "2,5"}},
      {u"VALOR * 2", u"0.0", {"2,5", ""}},  // null spreads
      {u"N * 10 + 1", u"", {"11", "21"}},
      {u"if(N = 1, NOME, 'outro')", u"", {"Ana", "outro"}},
      {u"NOME + '!'", u"", {"Ana!", "Rui!"}},
      // Another control's value, by its friendly name.
      {u"Total + 100", u"", {"100", "101"}},
  };
  std::vector<TRLDBText*> texts;
  for (const Case& c : cases) texts.push_back(r.Formula(c.formula, c.mask));
  ASSERT_TRUE(r.t.report->Prepare());
  for (size_t i = 0; i < texts.size(); ++i)
    EXPECT_EQ(cases[i].shown, r.t.ShownBy(texts[i])) << StringToUtf8(cases[i].formula);
  // Without a parser a formula prints nothing.
  r.t.report->SetExpressionParser(nullptr);
  ASSERT_TRUE(r.t.report->Prepare());
  EXPECT_EQ((std::vector<std::string>{"", ""}), r.t.ShownBy(texts[2]));
}

TEST_F(DbRLFormulas, AnAggregateFindsItsFunctionsBeforeTheFields) {
  TFormulaReport r(connection.get(), u"SELECT seq N, 50 + seq `count` FROM seq_1_to_3");
  TRLDBText* text = r.Formula(u"count");
  TRLBand* summary = r.t.PlainBand(btSummary);
  auto* result = r.t.Text<TRLDBResult>(summary);
  result->SetDataFormula(u"count");
  auto* viaField = r.t.Text<TRLDBResult>(summary);
  viaField->SetDataFormula(u"sum(N)");
  viaField->SetDataSource(nullptr);  // the report's data source gives N
  ASSERT_TRUE(r.t.report->Prepare());
  EXPECT_EQ((std::vector<std::string>{"51", "52", "53"}), r.t.ShownBy(text));
  EXPECT_EQ("3", r.Shown(result));
  EXPECT_EQ("6", r.Shown(viaField));
}

TEST_F(DbRLFormulas, ABadFormulaReachesTheHandlerOrTheMessageBox) {
  struct Case {
    const char16_t* formula;
    const char16_t* message;
    const char16_t* errorClass;
  } cases[] = {
      {u"VALOR * (2", u"Brackets expected at 10!", u"ERLParserError"},
      {u"nada + 1", u"Undefined identifier \"nada\"", u"ERLParserError"},
      {u"N / (N - N)", u"Floating point division by zero", u"EZeroDivide"},
  };
  for (const Case& c : cases) {
    for (bool withHandler : {true, false}) {
      SCOPED_TRACE(StringToUtf8(c.formula) + (withHandler ? " with a handler" : " with the message box"));
      TFormulaReport r(connection.get(), TwoRows);
      r.Formula(c.formula);
      std::vector<String> handled;
      if (withHandler)
        r.t.report->OnPrepareError = [&handled](TObject*, const Exception& e) { handled.push_back(e.Message()); };
      UiTestSeam::Reset();
      UiTestSeam::QueueMessageBoxAnswer(IDOK);
      EXPECT_FALSE(r.t.report->Prepare());
      EXPECT_EQ(rsAbout, r.t.report->ReportState());
      if (withHandler) {
        EXPECT_EQ(std::vector<String>{c.message}, handled);
        EXPECT_TRUE(UiTestSeam::MessageBoxLog().empty());
      } else {
        ASSERT_EQ(1u, UiTestSeam::MessageBoxLog().size());
        EXPECT_EQ(ReportText(u"RLReportTest: " + CurrentReportTexts.LS_PrepareErrorStr + u"\r\n" + c.errorClass + u"(" +
                             c.message + u")"),
                  UiTestSeam::MessageBoxLog()[0].Text);
      }
      UiTestSeam::Reset();
    }
  }
}

}  // namespace
