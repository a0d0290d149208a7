// A filtered query asks the server only for the rows its filter keeps,
// in the statement's own order; what it cannot send that way it filters
// on the client as before.
#include "DbTestUtil.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/NumUtils.h"

namespace {
using DbQueryServerFilter = DbFixture;

std::vector<String> Cupons(TDataSet& ds) {
  std::vector<String> cupons;
  for (ds.First(); !ds.Eof(); ds.Next())
    cupons.push_back(ds.FieldByName(u"COD_AGENTE")->AsString() + u"/" + ds.FieldByName(u"CUPOM")->AsString());
  return cupons;
}

int64_t RowsSent(TFDConnection& connection) {
  TFDQuery q(nullptr);
  q.SetConnection(&connection);
  q.SQL().SetText(u"SHOW SESSION STATUS LIKE 'Rows_sent'");
  q.Open();
  return q.Fields()[1]->AsInteger();
}

// 200 receipts of agent 003, which no filter below keeps.
void AddOtherAgentsReceipts() {
  String sql = u"INSERT INTO recebimentos (RECEBIMENTO, CUPOM, VALOR, TROCO, CHQ_DINH, ESTORNADO, COD_AGENTE) VALUES ";
  for (int i = 1; i <= 200; ++i)
    sql += (i > 1 ? u", " : u"") + String(u"('2024-03-05', '") + IntToStr(100000 + i) + u"', 1, 0, 'Dinheiro', 'N', '003')";
  TestDatabase::Exec(sql);
}
}  // namespace

TEST_F(DbQueryServerFilter, KeepsTheClientFiltersRowsInTheStatementsOrderAndFetchesOnlyThem) {
  AddOtherAgentsReceipts();
  struct Caso {
    const char16_t* sql;
    const char16_t* filtro;
    std::vector<String> esperado;
  };
  const Caso casos[] = {
      {u"SELECT * FROM RECEBIMENTOS\r\n ORDER BY RECEBIMENTO, CUPOM", u"COD_AGENTE = '001'",
       {u"001/000001", u"001/000002", u"001/000003", u"001/000004"}},
      {u"SELECT * FROM RECEBIMENTOS WHERE\r\n RECEBIMENTO = '2024-03-05'\r\n ORDER BY CUPOM DESC",
       u"COD_AGENTE = '001'", {u"001/000004", u"001/000003"}},
      {u"SELECT * FROM RECEBIMENTOS WHERE CHQ_DINH = 'Dinheiro' ORDER BY RECEBIMENTO DESC, COD_AGENTE",
       u"COD_AGENTE = '002' OR COD_AGENTE = '001'", {u"001/000003", u"002/000001", u"001/000001"}},
      {u"SELECT * FROM RECEBIMENTOS -- ORDER BY CUPOM", u"COD_AGENTE = '002'", {u"002/000001"}},
  };
  for (const Caso& caso : casos) {
    auto q = Query(caso.sql);
    q->SetFilter(caso.filtro);
    q->SetFiltered(true);
    const int64_t antes = RowsSent(*Connection);
    q->Open();
    const int64_t enviadas = RowsSent(*Connection) - antes;
    EXPECT_EQ(Cupons(*q), caso.esperado) << Utf8(caso.sql);
    EXPECT_EQ(q->RecordCount(), static_cast<int>(caso.esperado.size()));
    // An OR stays on the client: every row comes, and the client drops them.
    if (String(caso.filtro).find(u" OR ") == String::npos)
      EXPECT_EQ(enviadas, static_cast<int64_t>(caso.esperado.size())) << Utf8(caso.sql);
    else
      EXPECT_GT(enviadas, 200) << Utf8(caso.sql);
  }
}

TEST_F(DbQueryServerFilter, FollowsTheFilterWhileOpenAndFallsBackToTheStatementAsWritten) {
  AddOtherAgentsReceipts();
  auto q = Query(u"SELECT * FROM recebimentos ORDER BY CUPOM");
  q->SetFilter(u"COD_AGENTE = '001'");
  q->SetFiltered(true);
  q->Open();
  EXPECT_EQ(q->RecordCount(), 4);
  // A new filter on the open query asks the server again.
  q->SetFilter(u"COD_AGENTE = '002'");
  EXPECT_EQ(Cupons(*q), std::vector<String>{u"002/000001"});
  q->SetFiltered(false);
  EXPECT_EQ(q->RecordCount(), 205);
  q->Close();

  // Statements a derived table would change run as written, filtered here.
  for (const char16_t* sql : {u"SELECT * FROM recebimentos ORDER BY CUPOM LIMIT 3",
                              u"SELECT r.*, m.ID FROM recebimentos r JOIN movimentos m "
                              u"ON m.ABERTURA = r.RECEBIMENTO AND m.COD_AGENTE = r.COD_AGENTE ORDER BY r.CUPOM"}) {
    auto c = Query(sql);
    c->SetFilter(u"COD_AGENTE = '001'");
    c->SetFiltered(true);
    c->Open();
    EXPECT_EQ(Cupons(*c).front(), u"001/000001") << Utf8(sql);
  }

  // A faulty statement reports the server's own message.
  auto errado = Query(u"SELECT * FROM recebimentos WHERE AND CUPOM = '1' ORDER BY CUPOM");
  errado->SetFilter(u"COD_AGENTE = '001'");
  errado->SetFiltered(true);
  try {
    errado->Open();
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_NE(Utf8(e.Message()).find("SQL syntax"), std::string::npos) << Utf8(e.Message());
    EXPECT_EQ(Utf8(e.Message()).find("filtered"), std::string::npos) << Utf8(e.Message());
  }
  EXPECT_FALSE(errado->Active());
}

TEST_F(DbQueryServerFilter, RowsOfAFilteredQueryAreWrittenBackToTheirTable) {
  auto q = Query(u"SELECT * FROM recebimentos ORDER BY CUPOM");
  q->SetFilter(u"COD_AGENTE = '001'");
  q->SetFiltered(true);
  q->Open();
  ASSERT_TRUE(q->Locate(u"CUPOM", Variant(String(u"000002"))));
  q->Edit();
  q->FieldByName(u"USUARIO")->SetAsString(u"OUTRO");
  q->Post();
  EXPECT_EQ(TestDatabase::Scalar(u"SELECT USUARIO FROM recebimentos WHERE COD_AGENTE = '001' AND CUPOM = '000002'"),
            u"OUTRO");
  q->Delete();
  EXPECT_EQ(TestDatabase::Scalar(u"SELECT COUNT(*) FROM recebimentos WHERE COD_AGENTE = '001'"), u"3");
}
