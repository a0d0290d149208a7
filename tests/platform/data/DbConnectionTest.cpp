// The connection: parameters, the server's own errors, quoting of composed
// SQL, transactions, and a server that goes away mid-run.
#include "DbTestUtil.h"
#include "platform/rtl/Exceptions.h"
#include <cstdio>
#include <filesystem>
#include <windows.h>

using DbConnection = DbFixture;

TEST_F(DbConnection, ConnectsStrictlyAndReportsTheServersErrors) {
  EXPECT_TRUE(Connection->Connected());
  auto q = Query(u"SELECT @@SESSION.sql_mode AS M, @@character_set_connection AS C, DATABASE() AS D");
  q->Open();
  EXPECT_NE(Utf8(q->FieldByName(u"M")->AsString()).find("NO_BACKSLASH_ESCAPES"), std::string::npos);
  EXPECT_NE(Utf8(q->FieldByName(u"M")->AsString()).find("STRICT_ALL_TABLES"), std::string::npos);
  EXPECT_EQ(Utf8(q->FieldByName(u"C")->AsString()), "utf8mb4");
  EXPECT_EQ(Utf8(q->FieldByName(u"D")->AsString()), "dbvorlent");

  // Table names in either case, with or without the schema.
  EXPECT_EQ(Connection->ExecSQL(u"UPDATE RECEBIMENTOS SET HORA = HORA WHERE COD_AGENTE = '001'"), 4);

  struct Case {
    const char16_t* Sql;
    int Code;
    const char* Text;
  } cases[] = {
      {u"SELEC 1", 1064, "You have an error in your SQL syntax"},
      {u"SELECT * FROM NO_SUCH_TABLE", 1146, "doesn't exist"},
      {u"INSERT INTO movimentos (ABERTURA, COD_AGENTE) VALUES ('2024-03-05', '001')", 1062, "Duplicate entry"},
      {u"UPDATE movimentos SET CODIGOBARRAS = REPEAT('9', 48)", 1406, "Data too long"},
  };
  for (const Case& c : cases) {
    try {
      Connection->ExecSQL(c.Sql);
      ADD_FAILURE() << Utf8(c.Sql);
    } catch (const EDatabaseError& e) {
      EXPECT_EQ(e.ErrorCode(), c.Code) << e.what();
      EXPECT_NE(std::string(e.what()).find(c.Text), std::string::npos) << e.what();
    }
  }
  EXPECT_TRUE(Connection->Connected());

  TFDConnection wrong(nullptr);
  TestDatabase::Configure(wrong);
  wrong.Params().SetValues(u"Password", u"wrong");
  wrong.Params().SetValues(u"User_Name", u"nobody");
  try {
    wrong.Open();
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.ErrorCode(), 1045);
    EXPECT_NE(std::string(e.what()).find("Access denied"), std::string::npos) << e.what();
  }
  EXPECT_FALSE(wrong.Connected());
}

TEST_F(DbConnection, QuotedValuesRoundTripUnchanged) {
  const char16_t* values[] = {
      u"O'Brien", u"back\\slash", u"\\'", u"'", u"''", u"\\", u"x'); DELETE FROM usuario; --",
      u"S\u00E3o Jo\u00E3o \u00C7", u"tab\there", u"end\\",
  };
  int id = 10;
  for (const char16_t* v : values) {
    const String value(v);
    Connection->ExecSQL(u"INSERT INTO usuario (ID, SENHA, NOME, COD_AGENTE) VALUES (" +
                        AsciiToString(std::to_string(++id)) + u", '00', " + QuotedSQL(value) + u", '009')");
    auto q = Query(u"SELECT NOME FROM USUARIO WHERE NOME = " + QuotedSQL(value) + u" AND COD_AGENTE = " +
                   QuotedSQL(u"009"));
    q->Open();
    ASSERT_EQ(q->RecordCount(), 1) << Utf8(value);
    EXPECT_EQ(q->FieldByName(u"NOME")->AsString(), value);
  }
  EXPECT_EQ(Utf8(TestDatabase::Scalar(u"SELECT COUNT(*) FROM usuario")), "13");
  EXPECT_EQ(QuotedSQL(u"a'b"), u"'a''b'");
  // A filter quotes the same way.
  auto t = Table(u"usuario", u"ID", u"NOME = 'O''Brien'");
  t->Open();
  EXPECT_EQ(t->RecordCount(), 1);
}

TEST_F(DbConnection, TransactionsCommitAndRollBack) {
  auto q = Query(u"INSERT INTO movimentos (ABERTURA, COD_AGENTE) VALUES ('2024-04-01', '001')");
  Connection->StartTransaction();
  EXPECT_TRUE(Connection->InTransaction());
  EXPECT_THROW(Connection->StartTransaction(), EDatabaseError);
  q->ExecSQL();
  Connection->Rollback();
  EXPECT_FALSE(Connection->InTransaction());
  EXPECT_EQ(Utf8(TestDatabase::Scalar(u"SELECT COUNT(*) FROM movimentos")), "3");

  // A receipt and the movement's totals in one unit, the totals through
  // cached updates applied inside it.
  auto mov = Table(u"movimentos", u"ABERTURA", u"COD_AGENTE = '001'");
  mov->SetCachedUpdates(true);
  mov->Open();
  mov->Last();
  for (bool commit : {false, true}) {
    Connection->StartTransaction();
    q->SQL().SetText(u"INSERT INTO recebimentos (RECEBIMENTO, CUPOM, VALOR, COD_AGENTE) VALUES "
                     u"('2024-03-05', '000005', 5, '001')");
    q->ExecSQL();
    mov->Edit();
    mov->FieldByName(u"QUANTIDADE")->SetAsInteger(3);
    mov->Post();
    mov->ApplyUpdates(0);
    EXPECT_TRUE(Connection->InTransaction());
    if (commit) Connection->Commit();
    else Connection->Rollback();
    const char* expected = commit ? "1" : "0";
    EXPECT_EQ(Utf8(TestDatabase::Scalar(u"SELECT COUNT(*) FROM recebimentos WHERE CUPOM = '000005'")), expected);
    EXPECT_EQ(Utf8(TestDatabase::Scalar(u"SELECT COUNT(*) FROM movimentos WHERE QUANTIDADE = 3")), expected);
    mov->Refresh();
  }

  // A failing apply inside the program's transaction undoes only itself.
  Connection->StartTransaction();
  q->SQL().SetText(u"UPDATE movimentos SET HORA = '120000' WHERE ID = 1");
  q->ExecSQL();
  auto rec = Table(u"recebimentos", u"CUPOM", u"COD_AGENTE = '001'");
  rec->SetCachedUpdates(true);
  rec->Open();
  rec->Edit();
  rec->FieldByName(u"VALOR")->SetAsFloat(1);
  rec->Post();
  rec->Next();
  rec->Edit();
  rec->FieldByName(u"CUPOM")->SetAsString(u"000001");
  rec->Post();
  EXPECT_THROW(rec->ApplyUpdates(0), EDatabaseError);
  EXPECT_TRUE(Connection->InTransaction());
  Connection->Commit();
  EXPECT_EQ(Utf8(TestDatabase::Scalar(u"SELECT HORA FROM movimentos WHERE ID = 1")), "120000");
  EXPECT_EQ(Utf8(TestDatabase::Scalar(u"SELECT COUNT(*) FROM recebimentos WHERE VALOR = 1")), "0");
}

namespace {
String SessionId(TFDConnection& c) { return AsciiToString(std::to_string(c.Session().ConnectionId())); }
}  // namespace

TEST_F(DbConnection, ASessionLostOutsideATransactionIsReplacedBeforeAReadFails) {
  const String before = SessionId(*Connection);
  TestDatabase::Exec(u"KILL " + before);
  auto q = Query(u"SELECT COUNT(*) AS N FROM usuario");
  q->Open();
  EXPECT_EQ(q->FieldByName(u"N")->AsInteger(), 3);
  EXPECT_NE(SessionId(*Connection), before);
  q->Close();

  // So is a transaction that had not begun yet.
  TestDatabase::Exec(u"KILL " + SessionId(*Connection));
  Connection->StartTransaction();
  EXPECT_TRUE(Connection->InTransaction());
  Connection->Rollback();

  // And a write, once the server has let the session go: it had not been
  // sent, so it runs once, on the new session.
  const String gone = SessionId(*Connection);
  TestDatabase::Exec(u"KILL " + gone);
  for (int i = 0; i < 200 && TestDatabase::Scalar(u"SELECT COUNT(*) FROM information_schema.PROCESSLIST WHERE ID = " +
                                                  gone) != u"0";
       ++i)
    Sleep(10);
  EXPECT_EQ(Connection->ExecSQL(u"INSERT INTO movimentos (ABERTURA, COD_AGENTE) VALUES ('2024-04-01', '001')"), 1);
  EXPECT_EQ(Utf8(TestDatabase::Scalar(u"SELECT COUNT(*) FROM movimentos")), "4");
}

TEST_F(DbConnection, ASessionLostInsideATransactionFailsOnceWithTheClientsErrorAndTheNextWorks) {
  Connection->StartTransaction();
  Connection->ExecSQL(u"INSERT INTO movimentos (ABERTURA, COD_AGENTE) VALUES ('2024-04-01', '001')");
  TestDatabase::Exec(u"KILL " + SessionId(*Connection));
  int code = 0;
  String message;
  try {
    Connection->ExecSQL(u"INSERT INTO movimentos (ABERTURA, COD_AGENTE) VALUES ('2024-04-02', '001')");
  } catch (const EDatabaseError& e) {
    code = e.ErrorCode();
    message = e.Message();
  }
  EXPECT_TRUE(code == 2006 || code == 2013 || code == 1927) << code << " " << Utf8(message);
  EXPECT_FALSE(message.empty());
  EXPECT_FALSE(Connection->InTransaction());
  // Nothing of the lost transaction was kept, and none of it ran again.
  EXPECT_EQ(Utf8(TestDatabase::Scalar(u"SELECT COUNT(*) FROM movimentos")), "3");

  Connection->StartTransaction();
  Connection->ExecSQL(u"INSERT INTO movimentos (ABERTURA, COD_AGENTE) VALUES ('2024-04-03', '001')");
  Connection->Commit();
  EXPECT_EQ(Utf8(TestDatabase::Scalar(u"SELECT COUNT(*) FROM movimentos")), "4");
}

namespace {
// The project's folder, from this file's path (tests/platform/data/...).
std::filesystem::path ProjectRoot() {
  return std::filesystem::path(__FILE__).parent_path().parent_path().parent_path().parent_path();
}

std::string Shell(const std::string& command) {
  std::string output;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe)) output += buffer;
    pclose(pipe);
  }
  while (!output.empty() && (output.back() == '\n' || output.back() == '\r')) output.pop_back();
  return output;
}
}  // namespace

// A private second server, so stopping it leaves the shared one alone.
TEST(DbLostConnection, ServerStoppedMidRunGivesTheServersErrorAndTheProgramGoesOn) {
  const std::string script = (ProjectRoot() / "scripts" / "db.sh").string();
  const std::string dir = (std::filesystem::current_path() / "db-lost-connection").string();
  struct TStopAtEnd {
    std::string Command;
    ~TStopAtEnd() { Shell(Command); }
  } stop{"'" + script + "' stop '" + dir + "'"};
  const std::string port = Shell("'" + script + "' start '" + dir + "' 2>&1");
  ASSERT_FALSE(port.empty());
  ASSERT_TRUE(std::all_of(port.begin(), port.end(), ::isdigit)) << port;
  Shell("'" + script + "' schema '" + dir + "'");

  TFDConnection connection(nullptr);
  TestDatabase::Configure(connection);
  connection.Params().SetValues(u"Port", Utf8ToString(port));
  connection.Open();
  TFDQuery query(nullptr);
  query.SetConnection(&connection);
  query.SQL().SetText(u"SELECT COUNT(*) AS N FROM usuario");
  query.Open();
  EXPECT_EQ(query.FieldByName(u"N")->AsInteger(), 0);
  query.Close();

  Shell("'" + script + "' stop '" + dir + "'");
  int code = 0;
  String message;
  try {
    query.Open();
  } catch (const EDatabaseError& e) {
    code = e.ErrorCode();
    message = e.Message();
  }
  EXPECT_TRUE(code == 2006 || code == 2013) << code << " " << Utf8(message);
  EXPECT_FALSE(message.empty());
  EXPECT_FALSE(connection.Connected());
  EXPECT_FALSE(query.Active());
  // Nobody listens now: connecting again fails with the client's message.
  try {
    query.Open();
    ADD_FAILURE();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.ErrorCode(), 2002) << e.what();
  }

  // The server comes back (on a new port) and work goes on.
  const std::string again = Shell("'" + script + "' start '" + dir + "' 2>&1");
  connection.Params().SetValues(u"Port", Utf8ToString(again));
  query.Open();
  EXPECT_EQ(query.FieldByName(u"N")->AsInteger(), 0);
  connection.Close();
}
