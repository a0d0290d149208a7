// Writing through data sets: cached updates applied, cancelled and failing
// half-way, direct posts, server defaults and auto-increment keys, and the
// checks before posting.
#include "DbTestUtil.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exceptions.h"

using DbCachedUpdates = DbFixture;

TEST_F(DbCachedUpdates, ChangesWaitForApplyAndCanBeCancelled) {
  auto t = Table(u"movimentos", u"ABERTURA", u"COD_AGENTE = '001'");
  t->SetCachedUpdates(true);
  t->Open();
  t->Last();
  t->Edit();
  EXPECT_EQ(t->State(), dsEdit);
  t->FieldByName(u"DINHEIRO")->SetAsFloat(200.25);
  t->FieldByName(u"QUANTIDADE")->SetAsInteger(3);
  t->Post();
  EXPECT_EQ(t->State(), dsBrowse);
  EXPECT_TRUE(t->UpdatesPending());
  EXPECT_EQ(t->UpdateStatus(), usModified);
  EXPECT_DOUBLE_EQ(t->FieldByName(u"DINHEIRO")->AsFloat(), 200.25);
  EXPECT_EQ(Utf8(TestDatabase::Scalar(u"SELECT QUANTIDADE FROM movimentos WHERE ID = 2")), "2");

  t->CancelUpdates();
  EXPECT_FALSE(t->UpdatesPending());
  EXPECT_DOUBLE_EQ(t->FieldByName(u"DINHEIRO")->AsFloat(), 123.45);

  t->Edit();
  t->FieldByName(u"QUANTIDADE")->SetAsInteger(7);
  t->Post();
  EXPECT_EQ(t->ApplyUpdates(0), 0);
  t->CommitUpdates();
  EXPECT_FALSE(t->UpdatesPending());
  EXPECT_EQ(Utf8(TestDatabase::Scalar(u"SELECT QUANTIDADE FROM movimentos WHERE ID = 2")), "7");
  // Only the changed column was written.
  EXPECT_EQ(Utf8(TestDatabase::Scalar(u"SELECT CAST(DINHEIRO AS CHAR) FROM movimentos WHERE ID = 2")), "123.45");

  // Deleting is cached too.
  t->First();
  t->Delete();
  EXPECT_EQ(t->RecordCount(), 1);
  EXPECT_EQ(Utf8(TestDatabase::Scalar(u"SELECT COUNT(*) FROM movimentos")), "3");
  t->ApplyUpdates(0);
  EXPECT_EQ(Utf8(TestDatabase::Scalar(u"SELECT COUNT(*) FROM movimentos")), "2");
}

TEST_F(DbCachedUpdates, InsertNamesOnlyAssignedColumnsAndReadsTheKeyBack) {
  auto t = Table(u"recebimentos", u"RECEBIMENTO;CUPOM", u"COD_AGENTE = '001'");
  t->SetCachedUpdates(true);
  t->Open();
  t->Append();
  EXPECT_EQ(t->State(), dsInsert);
  t->FieldByName(u"RECEBIMENTO")->SetAsDateTime(EncodeDate(2024, 3, 6));
  t->FieldByName(u"CUPOM")->SetAsString(u"000005");
  t->FieldByName(u"VALOR")->SetAsFloat(1.5);
  t->FieldByName(u"COD_AGENTE")->SetAsString(u"001");
  EXPECT_THROW(t->FieldByName(u"ID")->SetAsInteger(99), EDatabaseError);  // read-only key
  t->Post();
  EXPECT_TRUE(t->FieldByName(u"ID")->IsNull());
  EXPECT_EQ(t->UpdateStatus(), usInserted);
  t->ApplyUpdates(0);
  EXPECT_EQ(t->FieldByName(u"ID")->AsInteger(), 6);
  // The server's defaults came back with the row.
  EXPECT_EQ(Utf8(t->FieldByName(u"ESTORNADO")->AsString()), "N");
  EXPECT_FALSE(t->FieldByName(u"INSCRICAO")->IsNull());
  EXPECT_EQ(Utf8(TestDatabase::Scalar(u"SELECT CONCAT(CUPOM, ESTORNADO, VALOR) FROM recebimentos WHERE ID = 6")),
            "000005N1.5");
  // And the new record can be changed again by its key.
  t->Edit();
  t->FieldByName(u"TROCO")->SetAsFloat(0.5);
  t->Post();
  t->ApplyUpdates(0);
  EXPECT_EQ(Utf8(TestDatabase::Scalar(u"SELECT CAST(TROCO AS CHAR) FROM recebimentos WHERE ID = 6")), "0.5");
}

TEST_F(DbCachedUpdates, AFailureHalfWayWritesNothingAndKeepsTheChanges) {
  auto t = Table(u"recebimentos", u"RECEBIMENTO;CUPOM", u"COD_AGENTE = '001'");
  t->SetCachedUpdates(true);
  t->Open();
  t->Edit();
  t->FieldByName(u"VALOR")->SetAsFloat(999);
  t->Post();
  t->Append();
  t->FieldByName(u"RECEBIMENTO")->SetAsDateTime(EncodeDate(2024, 3, 6));
  t->FieldByName(u"CUPOM")->SetAsString(u"000002");  // taken: UNIQUE (COD_AGENTE, CUPOM)
  t->FieldByName(u"COD_AGENTE")->SetAsString(u"001");
  t->Post();
  try {
    t->ApplyUpdates(0);
    FAIL() << "a duplicate receipt number was written";
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.ErrorCode(), 1062);
    EXPECT_NE(Utf8(e.Message()).find("Duplicate entry"), std::string::npos) << e.what();
  }
  EXPECT_TRUE(t->UpdatesPending());
  EXPECT_FALSE(Connection->InTransaction());
  EXPECT_EQ(Utf8(TestDatabase::Scalar(u"SELECT VALOR FROM recebimentos WHERE ID = 1")), "50");
  EXPECT_EQ(Utf8(TestDatabase::Scalar(u"SELECT COUNT(*) FROM recebimentos")), "5");

  // Put right, the same changes go through.
  ASSERT_TRUE(t->Locate(u"CUPOM;RECEBIMENTO", {Variant(u"000002"), Variant::Date(EncodeDate(2024, 3, 6))}));
  t->Edit();
  t->FieldByName(u"CUPOM")->SetAsString(u"000009");
  t->Post();
  t->ApplyUpdates(0);
  EXPECT_FALSE(t->UpdatesPending());
  EXPECT_EQ(Utf8(TestDatabase::Scalar(u"SELECT VALOR FROM recebimentos WHERE ID = 1")), "999");
  EXPECT_EQ(Utf8(TestDatabase::Scalar(u"SELECT COUNT(*) FROM recebimentos WHERE CUPOM = '000009'")), "1");
}

TEST_F(DbCachedUpdates, AnUpdateOfARowDeletedByOthersFailsAndStaysPending) {
  auto t = Table(u"usuario", u"NOME", u"COD_AGENTE = '001'");
  t->SetCachedUpdates(true);
  t->Open();
  t->Edit();
  t->FieldByName(u"EMAIL")->SetAsString(u"novo@um.test");
  t->Post();
  TestDatabase::Exec(u"DELETE FROM usuario WHERE NOME = 'ADMIN' AND COD_AGENTE = '001'");
  EXPECT_THROW(t->ApplyUpdates(0), EDatabaseError);
  EXPECT_TRUE(t->UpdatesPending());
}

TEST_F(DbCachedUpdates, WithoutCachingPostAndDeleteWriteAtOnce) {
  auto t = Table(u"usuario", u"NOME", u"COD_AGENTE = '002'");
  t->Open();
  t->Insert();
  t->FieldByName(u"NOME")->SetAsString(u"NOVO");
  t->FieldByName(u"SENHA")->SetAsString(u"00");
  t->FieldByName(u"COD_AGENTE")->SetAsString(u"002");
  t->Post();
  EXPECT_FALSE(t->UpdatesPending());
  EXPECT_EQ(t->FieldByName(u"ID")->AsInteger(), 4);
  EXPECT_EQ(Utf8(t->FieldByName(u"EMAIL")->AsString()), "");  // server default
  EXPECT_EQ(Utf8(TestDatabase::Scalar(u"SELECT NOME FROM usuario WHERE ID = 4")), "NOVO");
  EXPECT_EQ(t->RecordCount(), 2);
  ASSERT_TRUE(t->Locate(u"NOME", Variant(u"NOVO")));
  t->Delete();
  EXPECT_EQ(Utf8(TestDatabase::Scalar(u"SELECT COUNT(*) FROM usuario WHERE ID = 4")), "0");
}

TEST_F(DbCachedUpdates, ChecksBeforePostingKeepTheEdit) {
  auto t = Table(u"recebimentos", u"RECEBIMENTO;CUPOM");
  t->SetCachedUpdates(true);
  t->Open();
  int posted = 0;
  t->BeforePost = [](TDataSet* ds) {
    if (ds->FieldByName(u"CUPOM")->IsNull()) Abort();
  };
  t->AfterPost = [&](TDataSet*) { ++posted; };
  t->Append();
  t->FieldByName(u"RECEBIMENTO")->SetAsDateTime(EncodeDate(2024, 3, 6));
  EXPECT_THROW(t->Post(), EAbort);
  EXPECT_EQ(t->State(), dsInsert);
  EXPECT_EQ(posted, 0);
  t->FieldByName(u"CUPOM")->SetAsString(u"000010");
  t->Post();
  EXPECT_EQ(posted, 1);

  // A handler may cancel instead of aborting.
  t->BeforePost = [](TDataSet* ds) { ds->Cancel(); };
  t->Edit();
  t->FieldByName(u"VALOR")->SetAsFloat(1);
  t->Post();
  EXPECT_EQ(t->State(), dsBrowse);
  EXPECT_DOUBLE_EQ(t->FieldByName(u"VALOR")->AsFloat(), 0.0);
  t->CancelUpdates();
  EXPECT_EQ(t->RecordCount(), 5);
}

TEST_F(DbCachedUpdates, RequiredFieldsAndNewRecordDefaults) {
  auto t = std::make_unique<TFDTable>(nullptr);
  t->SetConnection(Connection.get());
  t->SetTableName(u"dbvorlent.movimentos");
  auto* abertura = new TDateField(t.get());
  abertura->SetFieldName(u"ABERTURA");
  abertura->SetRequired(true);
  abertura->SetDataSet(t.get());
  auto* agente = new TStringField(t.get(), 3);
  agente->SetFieldName(u"COD_AGENTE");
  agente->SetDataSet(t.get());
  t->SetCachedUpdates(true);
  t->OnNewRecord = [](TDataSet* ds) { ds->FieldByName(u"COD_AGENTE")->SetAsString(u"001"); };
  t->Open();
  EXPECT_EQ(t->FieldCount(), 2);
  t->Append();
  EXPECT_EQ(Utf8(agente->AsString()), "001");
  EXPECT_FALSE(t->Modified());
  try {
    t->Post();
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(Utf8(e.Message()), "O campo 'ABERTURA' deve ser preenchido");
  }
  abertura->SetAsDateTime(EncodeDate(2024, 3, 7));
  t->Post();
  t->ApplyUpdates(0);
  EXPECT_EQ(Utf8(TestDatabase::Scalar(u"SELECT CONCAT(COD_AGENTE, QUANTIDADE) FROM movimentos WHERE ABERTURA = '2024-03-07'")),
            "0010");
  // Scrolling away from an unchanged new record drops it.
  t->Append();
  t->First();
  EXPECT_EQ(t->RecordCount(), 4);
  EXPECT_FALSE(t->UpdatesPending());
}

TEST_F(DbCachedUpdates, KeyFieldsFindTheRowWhenMarked) {
  // The users as the data module defines them: no ID field, the name and
  // the agent mark the row.
  TFDTable t(nullptr);
  t.SetConnection(Connection.get());
  t.SetTableName(u"dbvorlent.usuario");
  t.SetIndexFieldNames(u"NOME");
  for (const char16_t* name : {u"NOME", u"COD_AGENTE", u"EMAIL", u"SENHA"}) {
    auto* f = new TStringField(&t, 100);
    f->SetFieldName(name);
    if (String(name) == u"NOME" || String(name) == u"COD_AGENTE") f->SetProviderFlags(pfInKey | pfInWhere | pfInUpdate);
    f->SetDataSet(&t);
  }
  t.SetCachedUpdates(true);
  t.SetFilter(u"COD_AGENTE = '002'");
  t.SetFiltered(true);
  t.Open();
  EXPECT_EQ(t.FieldCount(), 4);
  t.Edit();
  t.FieldByName(u"EMAIL")->SetAsString(u"outro@dois.test");
  t.Post();
  t.Append();
  t.FieldByName(u"NOME")->SetAsString(u"NOVO");
  t.FieldByName(u"SENHA")->SetAsString(u"00");
  t.FieldByName(u"COD_AGENTE")->SetAsString(u"002");
  t.Post();
  t.ApplyUpdates(0);
  EXPECT_EQ(Utf8(TestDatabase::Scalar(u"SELECT EMAIL FROM usuario WHERE ID = 3")), "outro@dois.test");
  EXPECT_EQ(Utf8(TestDatabase::Scalar(u"SELECT EMAIL FROM usuario WHERE ID = 1")), "admin@um.test");
  EXPECT_EQ(Utf8(TestDatabase::Scalar(u"SELECT COUNT(*) FROM usuario WHERE COD_AGENTE = '002'")), "2");
  // The new row is found by its key afterwards.
  t.Edit();
  t.FieldByName(u"EMAIL")->SetAsString(u"novo@dois.test");
  t.Post();
  t.ApplyUpdates(0);
  EXPECT_EQ(Utf8(TestDatabase::Scalar(u"SELECT EMAIL FROM usuario WHERE NOME = 'NOVO'")), "novo@dois.test");
}
