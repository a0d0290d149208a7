// Tables ask the server for the rows of their filter and master record:
// the rows and their order stay those of the client's own filter, cached
// changes survive a fetch for another master record, and a refresh reads
// only the current master's rows.
#include "DbTestUtil.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exceptions.h"
#include <algorithm>
#include <set>

namespace {
using DbServerFetch = DbFixture;

std::vector<int> Ids(TDataSet& ds) {
  std::vector<int> ids;
  for (ds.First(); !ds.Eof(); ds.Next()) ids.push_back(ds.FieldByName(u"ID")->AsInteger());
  return ids;
}

// Rows the server sent on this connection so far.
int64_t RowsSent(TFDConnection& connection) {
  TFDQuery q(nullptr);
  q.SetConnection(&connection);
  q.SQL().SetText(u"SHOW SESSION STATUS LIKE 'Rows_sent'");
  q.Open();
  return q.Fields()[1]->AsInteger();
}

// Receipts whose codes and texts differ from the fixture's only by case,
// trailing blanks, quotes or backslashes, and one with no date-dependent
// data: the server's comparisons would keep some of them where the
// client's do not.
void AddTrickyReceipts() {
  TestDatabase::Exec(
      u"INSERT INTO recebimentos (RECEBIMENTO, CUPOM, VALOR, TROCO, CHQ_DINH, CODIGOBARRAS, ESTORNADO, COD_AGENTE) "
      u"VALUES ('2024-03-04', '000010', 5, 0, 'cheque', NULL, 'N', 'O''X'), "
      u"('2024-03-06', '000011', 6, 0, 'CHEQUE', NULL, 'N', 'o''x'), "
      u"('2024-03-05', '000012', 7, 1, 'Cheque', NULL, 'N', 'A\\B'), "
      u"('2024-03-04', '000013', 8, 0, 'Dinheiro', NULL, 'N', 'a\\b'), "
      u"('2024-03-05', '000014', 9, 0, 'Cheque ', NULL, 'N', '001')");
}
}  // namespace

TEST_F(DbServerFetch, FilteredTableKeepsTheClientFiltersRowsAndOrder) {
  AddTrickyReceipts();
  const char16_t* filters[] = {
      u"COD_AGENTE = '001'",
      u"COD_AGENTE <> '001'",
      u"COD_AGENTE = 'O''X'",
      u"COD_AGENTE = 'o''x'",
      u"COD_AGENTE = 'A\\B'",
      u"COD_AGENTE = '001 '",
      u"COD_AGENTE = '001' AND CHQ_DINH = 'Cheque'",
      u"CHQ_DINH = 'cheque'",
      u"CHQ_DINH = 'Dinheiro'",
      u"RECEBIMENTO = '2024-03-04'",
      u"RECEBIMENTO >= '05/03/2024' AND COD_AGENTE = '001'",
      u"'2024-03-05' > RECEBIMENTO",
      u"CODIGOBARRAS IS NULL",
      u"CODIGOBARRAS IS NOT NULL AND COD_AGENTE = '001'",
      u"ID > 2 AND ID <= 6",
      u"COD_AGENTE = NULL",
      u"COD_AGENTE = '001' AND (VALOR > 50 OR TROCO > 0)",
      u"NOT (COD_AGENTE = '001') AND ID >= 3",
      u"VALOR = 5 OR COD_AGENTE = '002'",
  };
  // Membership from the client alone (a query never sends its filter) and
  // order from the client's sort of the whole table.
  auto whole = Table(u"recebimentos", u"CHQ_DINH;RECEBIMENTO");
  whole->Open();
  const std::vector<int> order = Ids(*whole);
  auto client = Query(u"SELECT * FROM recebimentos");
  client->Open();
  for (const char16_t* filter : filters) {
    client->SetFilter(filter);
    client->SetFiltered(true);
    const std::vector<int> kept = Ids(*client);
    std::vector<int> expected;
    for (int id : order)
      if (std::find(kept.begin(), kept.end(), id) != kept.end()) expected.push_back(id);

    auto t = Table(u"recebimentos", u"CHQ_DINH;RECEBIMENTO", filter);
    t->Open();
    EXPECT_EQ(Ids(*t), expected) << Utf8(filter);
    EXPECT_EQ(t->RecordCount(), static_cast<int>(expected.size())) << Utf8(filter);

    // The same filter set on an open table fetches anew.
    whole->SetFilter(filter);
    whole->SetFiltered(true);
    EXPECT_EQ(Ids(*whole), expected) << Utf8(filter);
    whole->SetFiltered(false);
    EXPECT_EQ(whole->RecordCount(), static_cast<int>(order.size()));
  }
}

TEST_F(DbServerFetch, FilterErrorsNameTheDataSetAndSendNothing) {
  auto t = Table(u"recebimentos", String(), u"COD_AGENTE = '001' AND");
  t->SetName(u"Recebimentos");
  try {
    t->Open();
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_NE(Utf8(e.Message()).find("Recebimentos"), std::string::npos) << Utf8(e.Message());
  }
  EXPECT_FALSE(t->Active());
  // Texts that would leave their literal if quoted otherwise: the server
  // sends no row.
  for (const char16_t* filter : {u"COD_AGENTE = '001'' OR ''1'' = ''1'", u"COD_AGENTE = '\\'' OR 1 = 1 -- '"}) {
    t->SetFilter(filter);
    const int64_t before = RowsSent(*Connection);
    t->Open();
    EXPECT_TRUE(t->IsEmpty());
    EXPECT_EQ(RowsSent(*Connection) - before, 0) << Utf8(filter);
    t->Close();
  }
}

TEST_F(DbServerFetch, DetailFollowsItsMasterThroughMovesInsertsAndDeletes) {
  auto mov = Table(u"movimentos", u"ABERTURA", u"COD_AGENTE = '001'");
  mov->SetCachedUpdates(true);
  TDataSource dsMov(nullptr);
  dsMov.SetDataSet(mov.get());
  auto rec = Table(u"recebimentos", u"RECEBIMENTO;CUPOM", u"COD_AGENTE = '001'");
  rec->SetCachedUpdates(true);
  rec->SetMasterSource(&dsMov);
  rec->SetMasterFields(u"ABERTURA");
  mov->Open();
  rec->Open();
  EXPECT_EQ(Ids(*rec), (std::vector<int>{1, 2}));
  mov->Next();
  EXPECT_EQ(Ids(*rec), (std::vector<int>{3, 4}));

  // Cached changes in one movement outlive a visit to the other.
  rec->First();
  rec->Edit();
  rec->FieldByName(u"VALOR")->SetAsFloat(99);
  rec->Post();
  rec->Last();
  rec->Delete();
  rec->Append();
  rec->FieldByName(u"CUPOM")->SetAsString(u"000009");
  rec->FieldByName(u"VALOR")->SetAsFloat(1);
  rec->FieldByName(u"COD_AGENTE")->SetAsString(u"001");
  rec->Post();
  mov->First();
  EXPECT_EQ(Ids(*rec), (std::vector<int>{1, 2}));
  mov->Next();
  EXPECT_EQ(rec->RecordCount(), 2);
  rec->First();
  EXPECT_EQ(rec->FieldByName(u"ID")->AsInteger(), 3);
  EXPECT_DOUBLE_EQ(rec->FieldByName(u"VALOR")->AsFloat(), 99);
  rec->Next();
  EXPECT_EQ(Utf8(rec->FieldByName(u"CUPOM")->AsString()), "000009");
  EXPECT_TRUE(rec->UpdatesPending());
  rec->ApplyUpdates(0);
  rec->CommitUpdates();
  EXPECT_EQ(Utf8(TestDatabase::Scalar(u"SELECT GROUP_CONCAT(CUPOM ORDER BY CUPOM) FROM recebimentos "
                                      u"WHERE COD_AGENTE = '001' AND RECEBIMENTO = '2024-03-05'")),
            "000003,000009");
  EXPECT_EQ(Utf8(TestDatabase::Scalar(u"SELECT VALOR FROM recebimentos WHERE ID = 3")), "99");

  // A new movement has no receipts; its own receipt shows once.
  mov->Append();
  mov->FieldByName(u"ABERTURA")->SetAsDateTime(EncodeDate(2024, 3, 7));
  mov->FieldByName(u"COD_AGENTE")->SetAsString(u"001");
  mov->Post();
  EXPECT_TRUE(rec->IsEmpty());
  rec->Append();
  EXPECT_EQ(rec->FieldByName(u"RECEBIMENTO")->AsDateTime(), EncodeDate(2024, 3, 7));
  rec->FieldByName(u"CUPOM")->SetAsString(u"000010");
  rec->FieldByName(u"COD_AGENTE")->SetAsString(u"001");
  rec->Post();
  mov->ApplyUpdates(0);
  mov->CommitUpdates();
  rec->ApplyUpdates(0);
  rec->CommitUpdates();
  mov->First();
  mov->Last();
  EXPECT_EQ(rec->RecordCount(), 1);
  EXPECT_EQ(Utf8(rec->FieldByName(u"CUPOM")->AsString()), "000010");

  // The master's row deleted: its receipts leave the view with it.
  mov->Delete();
  EXPECT_EQ(Utf8(mov->FieldByName(u"ABERTURA")->AsString()), "05/03/2024");
  EXPECT_EQ(Ids(*rec).size(), 2u);
  mov->First();
  mov->Delete();
  mov->Delete();
  EXPECT_TRUE(mov->IsEmpty());
  EXPECT_TRUE(rec->IsEmpty());
}

TEST_F(DbServerFetch, DetailRefreshReadsOnlyTheMastersRowsAndSeesOthersInserts) {
  // Many receipts of another agent and of another day.
  TestDatabase::Exec(u"INSERT INTO recebimentos (RECEBIMENTO, CUPOM, VALOR, ESTORNADO, COD_AGENTE) "
                     u"SELECT '2024-03-05', LPAD(seq, 6, '0'), 1, 'N', '009' FROM seq_1_to_500");
  TestDatabase::Exec(u"INSERT INTO recebimentos (RECEBIMENTO, CUPOM, VALOR, ESTORNADO, COD_AGENTE) "
                     u"SELECT '2024-03-04', LPAD(seq + 100, 6, '0'), 1, 'N', '001' FROM seq_1_to_300");
  auto mov = Table(u"movimentos", u"ABERTURA", u"COD_AGENTE = '001'");
  TDataSource dsMov(nullptr);
  dsMov.SetDataSet(mov.get());
  auto rec = Table(u"recebimentos", u"RECEBIMENTO;CUPOM", u"COD_AGENTE = '001'");
  rec->SetMasterSource(&dsMov);
  rec->SetMasterFields(u"ABERTURA");
  mov->Open();
  mov->Last();
  rec->Open();
  EXPECT_EQ(rec->RecordCount(), 2);

  auto other = TestDatabase::Connect();
  other->ExecSQL(u"INSERT INTO recebimentos (RECEBIMENTO, CUPOM, VALOR, ESTORNADO, COD_AGENTE) "
                 u"VALUES ('2024-03-05', '000777', 3, 'N', '001')");
  const int64_t before = RowsSent(*Connection);
  rec->Refresh();
  const int64_t sent = RowsSent(*Connection) - before;
  EXPECT_EQ(rec->RecordCount(), 3);
  EXPECT_EQ(sent, 3);
  rec->Last();
  EXPECT_EQ(Utf8(rec->FieldByName(u"CUPOM")->AsString()), "000777");
}
