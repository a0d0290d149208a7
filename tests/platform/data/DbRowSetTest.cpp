// Queries with a row-set size read their rows as they are walked: the
// rows, their order and the record count stay those of the whole result,
// other statements on the connection still run between two row sets, and
// a connection lost half-way closes the query with the server's error.
#include "DbTestUtil.h"
#include "platform/rtl/Exceptions.h"

namespace {
using DbRowSet = DbFixture;

std::unique_ptr<TFDQuery> Counting(TFDConnection& connection, int rows, int rowset) {
  auto q = std::make_unique<TFDQuery>(nullptr);
  q->SetConnection(&connection);
  q->SQL().SetText(u"SELECT seq AS N FROM seq_1_to_1000 WHERE seq <= " + AsciiToString(std::to_string(rows)) +
                   u" ORDER BY seq");
  q->FetchOptions().SetRowsetSize(rowset);
  return q;
}
}  // namespace

TEST_F(DbRowSet, WalkedRowsAreTheWholeResult) {
  struct Case {
    int Rows, Rowset;
  } cases[] = {{0, 10}, {1, 10}, {10, 10}, {11, 10}, {95, 10}, {95, 1}, {95, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.Rows) + " rows by " + std::to_string(c.Rowset));
    auto q = Counting(*Connection, c.Rows, c.Rowset);
    q->Open();
    EXPECT_EQ(q->IsEmpty(), c.Rows == 0);
    int expected = 1;
    for (q->First(); !q->Eof(); q->Next()) EXPECT_EQ(q->FieldByName(u"N")->AsInteger(), expected++);
    EXPECT_EQ(expected - 1, c.Rows);
    EXPECT_EQ(q->RecordCount(), c.Rows);
    q->Close();

    // The count comes first: still the total of the result.
    q->Open();
    EXPECT_EQ(q->RecordCount(), c.Rows);
    if (c.Rows > 0) {
      q->Last();
      EXPECT_EQ(q->FieldByName(u"N")->AsInteger(), c.Rows);
      EXPECT_EQ(q->RecNo(), c.Rows);
    }
  }
}

TEST_F(DbRowSet, OtherStatementsRunBetweenRowSets) {
  auto q = Counting(*Connection, 50, 10);
  q->Open();
  q->MoveBy(4);
  EXPECT_EQ(q->FieldByName(u"N")->AsInteger(), 5);
  // The same connection answers another query and a write meanwhile.
  auto other = Query(u"SELECT COUNT(*) AS C FROM recebimentos");
  other->Open();
  EXPECT_EQ(other->FieldByName(u"C")->AsInteger(), 5);
  Connection->ExecSQL(u"UPDATE movimentos SET HORA = '101010' WHERE ID = 1");
  int seen = 5;
  while (!q->Eof()) {
    q->Next();
    if (!q->Eof()) {
      EXPECT_EQ(q->FieldByName(u"N")->AsInteger(), ++seen);
    }
  }
  EXPECT_EQ(seen, 50);
  EXPECT_TRUE(q->Locate(u"N", Variant(17)));
  EXPECT_EQ(q->RecNo(), 17);

  // A filter needs every row at once; so do edits.
  auto f = Counting(*Connection, 50, 10);
  f->SetFilter(u"N > 45");
  f->SetFiltered(true);
  f->Open();
  EXPECT_EQ(f->RecordCount(), 5);
  EXPECT_EQ(f->FieldByName(u"N")->AsInteger(), 46);
}

TEST_F(DbRowSet, LostConnectionClosesTheQueryWithTheServersError) {
  auto id = Query(u"SELECT CONNECTION_ID() AS ID");
  id->Open();
  const String connectionId = id->FieldByName(u"ID")->AsString();
  id->Close();

  // Rows the server makes slowly, so the stream is still going.
  auto q = std::make_unique<TFDQuery>(nullptr);
  q->SetConnection(Connection.get());
  q->SQL().SetText(u"SELECT seq AS N, SLEEP(0.005) AS S FROM seq_1_to_2000");
  q->FetchOptions().SetRowsetSize(10);
  TDataSource source(nullptr);
  source.SetDataSet(q.get());
  q->Open();
  EXPECT_EQ(q->FieldByName(u"N")->AsInteger(), 1);

  auto killer = TestDatabase::Connect();
  killer->ExecSQL(u"KILL CONNECTION " + connectionId);
  try {
    while (!q->Eof()) q->Next();
    FAIL() << "walked past a lost connection";
  } catch (const EDatabaseError& e) {
    EXPECT_FALSE(e.Message().empty());
  }
  EXPECT_FALSE(q->Active());
  EXPECT_EQ(source.State(), dsInactive);
  EXPECT_EQ(q->FindField(u"N"), nullptr);
  EXPECT_THROW(q->RecordCount(), EDatabaseError);

  // The connection and the query serve again.
  q->SQL().SetText(u"SELECT 7 AS N");
  q->Open();
  EXPECT_EQ(q->FieldByName(u"N")->AsInteger(), 7);
  EXPECT_EQ(q->RecordCount(), 1);
}
