#include "QueryTextFixture.h"

#include "report/components/RLDBResult.h"
#include "report/parser/RLExpressionParser.h"

namespace {

// 10.50, null and 2.25.
constexpr const char16_t* ThreeAmounts =
    u"SELECT N, VALOR FROM (SELECT 1 N, CAST(10.50 AS DECIMAL(10,2)) VALOR UNION ALL SELECT 2, NULL "
    u"UNION ALL SELECT 3, 2.25) T ORDER BY N";

// A report whose summary band holds the results under test.
struct TResultReport : TQueryReport {
  TResultReport(TFDConnection* connection, const String& sql)
      : TQueryReport(connection, sql), summary(t.PlainBand(btSummary, 30)) {}

  TRLDBResult* Result(TRLResultInfo info, const char16_t* field = u"VALOR", const char16_t* mask = u"0.00",
                      TRLCustomSite* band = nullptr) {
    auto* result = Data<TRLDBResult>(field, u"", mask, band ? band : summary);
    result->SetInfo(info);
    return result;
  }

  TRLDBResult* Formula(const char16_t* formula, TRLCustomSite* band = nullptr) {
    if (!t.report->ExpressionParser()) t.report->SetExpressionParser(new TRLExpressionParser(t.f.Form()));
    auto* result = t.Text<TRLDBResult>(band ? band : summary);
    result->SetDataFormula(formula);
    return result;
  }

  TRLBand* summary;
};

class DbRLAggregates : public TQueryTextsTest {};

TEST_F(DbRLAggregates, ResultsOverAmountsWithANull) {
  struct Case {
    TRLResultInfo info;
    const char16_t* mask;
    std::string withNulls, withoutNulls;
  } cases[] = {
      {riSum, u"", "12,75", "12,75"},  // the field's own format
      {riCount, u"0.00", "3", "2"},
      {riAverage, u"0.00", "4,25", "6,38"},
      {riFirst, u"0.00", "10,50", "10,50"},
      {riLast, u"0.00", "2,25", "2,25"},
      {riMin, u"0.00", "0,00", "2,25"},
      {riMax, u"0.00", "10,50", "10,50"},
      {riFirstText, u"0.00", "10,50", "10,50"},
      {riLastText, u"", "2,25", "2,25"},
      {riSimple, u"0.00", "2,25", "2,25"},
  };
  for (bool computeNulls : {true, false}) {
    SCOPED_TRACE(computeNulls ? "nulls count as 0" : "nulls are skipped");
    TResultReport r(connection.get(), ThreeAmounts);
    std::vector<TRLDBResult*> results;
    for (const Case& c : cases) {
      results.push_back(r.Result(c.info, u"VALOR", c.mask));
      results.back()->SetComputeNulls(computeNulls);
    }
    // Without a field or formula the records themselves are counted.
    TRLDBResult* records = r.Result(riCount, u"", u"");
    records->SetComputeNulls(computeNulls);
    ASSERT_TRUE(r.t.report->Prepare());
    for (size_t i = 0; i < results.size(); ++i)
      EXPECT_EQ(computeNulls ? cases[i].withNulls : cases[i].withoutNulls, r.Shown(results[i]))
          << "info " << int(cases[i].info);
    EXPECT_EQ(computeNulls ? "3" : "0", r.Shown(records));
  }
  // A currency field sums in its currency format; nothing counted averages 0.
  TResultReport r(connection.get(), u"SELECT CAST(1 AS DECIMAL(10,2)) VALOR FROM DUAL WHERE 1 = 0");
  TRLDBResult* average = r.Result(riAverage, u"VALOR", u"");
  ASSERT_TRUE(r.t.report->Prepare());
  EXPECT_EQ("0", r.Shown(average));
  TResultReport money(connection.get(), ThreeAmounts);
  dynamic_cast<TFloatField*>(money.query->FieldByName(u"VALOR"))->SetCurrency(true);
  TRLDBResult* sum = money.Result(riSum, u"VALOR", u"");
  ASSERT_TRUE(money.t.report->Prepare());
  EXPECT_EQ("R$ 12,75", money.Shown(sum));
}

TEST_F(DbRLAggregates, ExclusionsAndSubtotalsAfterEachPrint) {
  TResultReport r(connection.get(), u"SELECT seq N, CAST(seq AS DECIMAL(10,2)) VALOR FROM seq_1_to_7");
  // OnCompute leaves out the even amounts and halves the others.
  TRLDBResult* odd = r.Result(riSum);
  odd->OnCompute = [](TObject*, Variant& value, String&, bool& computeIt) {
    computeIt = value.AsInteger() % 2 == 1;
    value = Variant(value.AsFloat() / 2);
  };
  TRLDBResult* oddCount = r.Result(riCount);
  oddCount->OnCompute = odd->OnCompute;
  // A band after the detail prints every third record; its sum starts
  // over after each print.
  TRLBand* everyThird = r.t.PlainBand(btDetail, 30);
  everyThird->SetComputable(false);
  everyThird->SetBeforePrint([&r](TObject*, bool& printIt) { printIt = r.t.report->RecNo() % 3 == 0; });
  TRLDBResult* subtotal = r.Result(riSum, u"VALOR", u"0", everyThird);
  subtotal->SetResetAfterPrint(true);
  TRLDBResult* count = r.Result(riCount, u"VALOR", u"", everyThird);
  count->SetResetAfterPrint(true);
  TRLDBResult* total = r.Result(riSum, u"VALOR", u"0");
  // The server's integers arrive as 64-bit values; they are summed too.
  TRLDBResult* integers = r.Result(riSum, u"N", u"");
  ASSERT_EQ(varInt64, r.query->FieldByName(u"N")->Value().VarType());
  ASSERT_TRUE(r.t.report->Prepare());
  EXPECT_EQ("28", r.Shown(integers));
  EXPECT_EQ("8,00", r.Shown(odd));  // (1 + 3 + 5 + 7) / 2
  EXPECT_EQ("4", r.Shown(oddCount));
  EXPECT_EQ((std::vector<std::string>{"6", "15"}), r.t.ShownBy(subtotal));
  EXPECT_EQ((std::vector<std::string>{"3", "3"}), r.t.ShownBy(count));
  EXPECT_EQ("28", r.Shown(total));
}

TEST_F(DbRLAggregates, EachAggregateCallOfAFormulaKeepsItsOwnRegister) {
  TResultReport r(connection.get(),
                  u"SELECT N, A, B, C FROM (SELECT 1 N, 3 A, 10 B, 100 C UNION ALL SELECT 2, 7, 20, 200 "
                  u"UNION ALL SELECT 3, 5, 30, 300) T ORDER BY N");
  struct Case {
    const char16_t* formula;
    std::string shown;
  } cases[] = {
      // The first and the last call sit at the same depth under different
      // parents: they must not share one register.
      {u"(sum(A) + sum(B)) + sum(C)", "675"},
      {u"sum(A) + sum(A)", "30"},
      {u"max(A)", "7"},
      {u"min(A)", "3"},
      {u"first(A) * 10 + last(A)", "35"},
      {u"avg(B)", "20"},
      {u"count() * 100 + count", "303"},
      {u"sum(C) / count", "200"},
  };
  std::vector<TRLDBResult*> results;
  for (const Case& c : cases) results.push_back(r.Formula(c.formula));
  // Running values in the detail band: the running average of A.
  TRLDBResult* running = r.Formula(u"sum(A) / count()", r.detail);
  ASSERT_TRUE(r.t.report->Prepare());
  for (size_t i = 0; i < results.size(); ++i)
    EXPECT_EQ(cases[i].shown, r.Shown(results[i])) << StringToUtf8(cases[i].formula);
  EXPECT_EQ((std::vector<std::string>{"3", "5", "5"}), r.t.ShownBy(running));
  EXPECT_EQ(3, results[0]->BuiltInRegisters().Count());
  // A second run starts from nothing.
  ASSERT_TRUE(r.t.report->Prepare());
  EXPECT_EQ("675", r.Shown(results[0]));
}

}  // namespace
