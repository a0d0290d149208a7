// Reading through table and query data sets: fields, navigation, filters,
// master-detail links, Locate and bookmarks.
#include "DbTestUtil.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exceptions.h"

using DbDataSet = DbFixture;

TEST_F(DbDataSet, FieldsFollowTheTableAndNavigationWalksTheOrder) {
  auto t = Table(u"recebimentos", u"COD_AGENTE;CUPOM");
  t->Open();
  ASSERT_EQ(t->FieldCount(), 12);
  EXPECT_EQ(Utf8(t->Fields()[0]->FieldName()), "ID");
  EXPECT_EQ(Utf8(t->Fields()[11]->FieldName()), "INSCRICAO");
  EXPECT_EQ(t->FieldByName(u"ID")->DataType(), ftAutoInc);
  EXPECT_EQ(t->FieldByName(u"RECEBIMENTO")->DataType(), ftDate);
  EXPECT_EQ(t->FieldByName(u"VALOR")->DataType(), ftFloat);
  EXPECT_EQ(t->FieldByName(u"CUPOM")->DataType(), ftString);
  EXPECT_EQ(t->FieldByName(u"CUPOM")->Size(), 6);
  EXPECT_EQ(t->FindField(u"cupom"), t->FieldByName(u"CUPOM"));
  EXPECT_EQ(t->FindField(u"NOPE"), nullptr);
  try {
    t->FieldByName(u"NOPE");
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(Utf8(e.Message()), "Field 'NOPE' not found");
  }

  EXPECT_EQ(t->RecordCount(), 5);
  EXPECT_TRUE(t->Bof());
  EXPECT_FALSE(t->Eof());
  std::vector<std::string> seen;
  for (t->First(); !t->Eof(); t->Next())
    seen.push_back(Utf8(t->FieldByName(u"COD_AGENTE")->AsString() + u"/" + t->FieldByName(u"CUPOM")->AsString()));
  EXPECT_EQ(seen, (std::vector<std::string>{"001/000001", "001/000002", "001/000003", "001/000004", "002/000001"}));
  EXPECT_EQ(t->RecNo(), 5);
  t->Prior();
  EXPECT_EQ(t->RecNo(), 4);
  t->Last();
  EXPECT_TRUE(t->Eof());
  t->SetRecNo(2);
  EXPECT_EQ(Utf8(t->FieldByName(u"CUPOM")->AsString()), "000002");
  EXPECT_DOUBLE_EQ(t->FieldByName(u"VALOR")->AsFloat(), 25.5);
  EXPECT_EQ(t->FieldByName(u"RECEBIMENTO")->AsDateTime(), EncodeDate(2024, 3, 4));

  // The order changes while open and keeps the current record.
  t->SetIndexFieldNames(u"VALOR");
  EXPECT_EQ(Utf8(t->FieldByName(u"CUPOM")->AsString()), "000002");
  t->First();
  EXPECT_DOUBLE_EQ(t->FieldByName(u"VALOR")->AsFloat(), 10.0);
}

TEST_F(DbDataSet, NullReadsAsZeroOrEmpty) {
  auto t = Table(u"movimentos", u"ABERTURA", u"COD_AGENTE = '001'");
  t->Open();
  t->Last();
  TField* f = t->FieldByName(u"FECHAMENTO");
  EXPECT_TRUE(f->IsNull());
  EXPECT_EQ(f->AsString(), u"");
  EXPECT_EQ(f->AsDateTime(), 0.0);
  EXPECT_EQ(f->AsInteger(), 0);
  EXPECT_FALSE(f->AsBoolean());
  EXPECT_EQ(f->DisplayText(), u"");
  EXPECT_TRUE(t->FieldByName(u"CODIGOBARRAS")->IsNull());
}

TEST_F(DbDataSet, FiltersSelectAndCount) {
  struct Case {
    const char16_t* Filter;
    int Count;
  } cases[] = {
      {u"COD_AGENTE = '001'", 4},
      {u"COD_AGENTE = '002'", 1},
      {u"COD_AGENTE = 'O''X'", 0},
      {u"COD_AGENTE = '001' AND CHQ_DINH = 'Cheque'", 2},
      {u"CHQ_DINH = 'Cheque' OR VALOR < 20", 3},
      {u"NOT (COD_AGENTE = '001')", 1},
      {u"VALOR >= 50 AND VALOR <= 100", 2},
      {u"VALOR > 25.5", 3},
      {u"VALOR <> 10", 4},
      {u"RECEBIMENTO = '2024-03-04'", 2},
      {u"RECEBIMENTO >= '05/03/2024'", 3},
      {u"(COD_AGENTE = '001' OR COD_AGENTE = '002') AND TROCO > 0", 1},
      {u"CODIGOBARRAS IS NULL", 0},
      {u"CODIGOBARRAS IS NOT NULL", 5},
      {u"chq_dinh = 'dinheiro'", 0},  // values compare case-sensitively
  };
  auto t = Table(u"recebimentos");
  t->Open();
  for (const Case& c : cases) {
    t->SetFilter(c.Filter);
    t->SetFiltered(true);
    EXPECT_EQ(t->RecordCount(), c.Count) << Utf8(c.Filter);
    t->SetFiltered(false);
    EXPECT_EQ(t->RecordCount(), 5);
  }
  t->SetFilter(u"NOPE = 'x'");
  EXPECT_THROW(t->SetFiltered(true), EDatabaseError);
  EXPECT_FALSE(t->Filtered());
  EXPECT_EQ(t->RecordCount(), 5);
}

TEST_F(DbDataSet, DetailFollowsTheMastersCurrentRecord) {
  auto mov = Table(u"movimentos", u"ABERTURA", u"COD_AGENTE = '001'");
  TDataSource dsMov(nullptr);
  dsMov.SetDataSet(mov.get());
  auto rec = Table(u"recebimentos", u"RECEBIMENTO;CUPOM", u"COD_AGENTE = '001'");
  rec->SetMasterSource(&dsMov);
  rec->SetMasterFields(u"ABERTURA");
  mov->Open();
  rec->Open();
  EXPECT_EQ(mov->RecordCount(), 2);
  EXPECT_EQ(rec->RecordCount(), 2);
  EXPECT_EQ(Utf8(rec->FieldByName(u"CUPOM")->AsString()), "000001");
  mov->Next();
  EXPECT_EQ(rec->RecordCount(), 2);
  EXPECT_EQ(Utf8(rec->FieldByName(u"CUPOM")->AsString()), "000003");
  rec->Last();
  EXPECT_EQ(Utf8(rec->FieldByName(u"CUPOM")->AsString()), "000004");

  // A receipt appended to the detail takes the movement's date.
  rec->Append();
  EXPECT_EQ(rec->FieldByName(u"RECEBIMENTO")->AsDateTime(), mov->FieldByName(u"ABERTURA")->AsDateTime());
  rec->Cancel();
  EXPECT_EQ(rec->RecordCount(), 2);

  // The other agent: one movement, one receipt.
  mov->SetFilter(u"COD_AGENTE = '002'");
  rec->SetFilter(u"COD_AGENTE = '002'");
  EXPECT_EQ(mov->RecordCount(), 1);
  EXPECT_EQ(rec->RecordCount(), 1);

  // No movement: no receipts.
  mov->SetFilter(u"COD_AGENTE = 'ZZZ'");
  EXPECT_TRUE(mov->IsEmpty());
  EXPECT_EQ(rec->RecordCount(), 0);
  EXPECT_TRUE(rec->Eof() && rec->Bof());
  mov->Close();
  EXPECT_EQ(rec->RecordCount(), 0);
}

TEST_F(DbDataSet, LocateIsExactUnlessAskedOtherwise) {
  auto t = Table(u"usuario", u"NOME", u"COD_AGENTE = '001'");
  t->Open();
  EXPECT_TRUE(t->Locate(u"NOME", Variant(u"CAIXA")));
  EXPECT_EQ(Utf8(t->FieldByName(u"NIVEL")->AsString()), "Funcional");
  EXPECT_FALSE(t->Locate(u"NOME", Variant(u"caixa")));
  EXPECT_EQ(Utf8(t->FieldByName(u"NOME")->AsString()), "CAIXA");  // did not move
  EXPECT_FALSE(t->Locate(u"NOME", Variant(u"CAIXA ")));
  EXPECT_TRUE(t->Locate(u"NOME", Variant(u"admin"), loCaseInsensitive));
  EXPECT_EQ(Utf8(t->FieldByName(u"NOME")->AsString()), "ADMIN");
  EXPECT_TRUE(t->Locate(u"NOME", Variant(u"CAI"), loPartialKey));
  EXPECT_EQ(Utf8(t->FieldByName(u"NOME")->AsString()), "CAIXA");
  EXPECT_TRUE(t->Locate(u"NOME;NIVEL", {Variant(u"ADMIN"), Variant(u"Gerencial")}));
  EXPECT_FALSE(t->Locate(u"NOME;NIVEL", {Variant(u"ADMIN"), Variant(u"Funcional")}));
  EXPECT_EQ(Utf8(t->Lookup(u"NOME", {Variant(u"CAIXA")}, u"EMAIL").AsString()), "caixa@um.test");
  EXPECT_EQ(Utf8(t->FieldByName(u"NOME")->AsString()), "ADMIN");  // Lookup does not move
  EXPECT_TRUE(t->Lookup(u"NOME", {Variant(u"NINGUEM")}, u"EMAIL").IsNull());
}

TEST_F(DbDataSet, BookmarksReturnToTheirRecord) {
  auto t = Table(u"recebimentos", u"COD_AGENTE;CUPOM");
  t->Open();
  t->SetRecNo(3);
  const TBookmark mark = t->GetBookmark();
  t->First();
  EXPECT_TRUE(t->BookmarkValid(mark));
  t->GotoBookmark(mark);
  EXPECT_EQ(Utf8(t->FieldByName(u"CUPOM")->AsString()), "000003");
  EXPECT_LT(t->CompareBookmarks(t->GetBookmark(), mark) - 1, 0);
  t->Refresh();
  EXPECT_EQ(Utf8(t->FieldByName(u"CUPOM")->AsString()), "000003");  // kept by its key
  EXPECT_FALSE(t->BookmarkValid(mark));
  EXPECT_THROW(t->GotoBookmark(mark), EDatabaseError);
}

TEST_F(DbDataSet, QueryOpensRowsAndExecutesStatements) {
  auto q = Query(u"SELECT * FROM RECEBIMENTOS WHERE COD_AGENTE = " + QuotedSQL(u"001") + u" ORDER BY CUPOM");
  q->Open();
  EXPECT_EQ(q->RecordCount(), 4);
  q->Last();
  EXPECT_EQ(Utf8(q->FieldByName(u"CUPOM")->AsString()), "000004");
  q->Close();
  q->SQL().Clear();
  q->SQL().Add(u"UPDATE MOVIMENTOS SET HORA = HORA WHERE COD_AGENTE = '001'");
  q->ExecSQL();
  EXPECT_EQ(q->RowsAffected(), 2);  // rows found, even when nothing changed
  q->SQL().SetText(u"DELETE FROM RECEBIMENTOS WHERE COD_AGENTE = '002'");
  q->ExecSQL();
  EXPECT_EQ(q->RowsAffected(), 1);
  EXPECT_THROW(q->Open(), EDatabaseError);  // no rows to open
  q->SQL().SetText(u"SELECT COUNT(*) AS N FROM RECEBIMENTOS");
  q->Open();
  EXPECT_EQ(q->FieldByName(u"N")->AsInteger(), 4);
}
