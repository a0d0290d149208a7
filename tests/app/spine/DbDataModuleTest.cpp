// The data module against the test database: the filtered tables, their
// fields and calculations, the next receipt number, duplicates, and a
// failed connection that leaves nothing open.
#include "app/uDM.h"
#include "app/spine/SpineTestSupport.h"
#include "support/TestDatabase.h"

namespace {

class DbDataModule : public ::testing::Test {
protected:
  void SetUp() override {
    TestDatabase::Reset();
    EscreveIniTeste(Ini(), u"001");
  }
  String Ini() const { return Pasta.Path() + u"Brenquia.ini"; }
  void Abre(const String& codigo = u"001") {
    TIniFile ini(Ini());
    Dm.Conecta(ini, codigo, Pasta.Path());
  }
  TempFolder Pasta;
  TDM Dm{nullptr};
};

TEST_F(DbDataModule, OpensTheAgentsRowsWithFieldsAndCalculations) {
  Abre();
  EXPECT_TRUE(Dm.FDConexao->Connected());
  EXPECT_EQ(Dm.FDPhysMySQLDriverLink1->VendorLib(), Pasta.Path() + u"libmysql.dll");
  EXPECT_EQ(Dm.Usuarios->RecordCount(), 2);
  EXPECT_EQ(Dm.Agentes->RecordCount(), 1);
  EXPECT_EQ(Dm.Agentes->FieldByName(u"RAZAO_SOCIAL")->AsString(), u"AGENTE UM LTDA");
  EXPECT_EQ(Dm.Agentes->FieldByName(u"DESC_INSCRICAO")->AsString(), u"Municipal");
  EXPECT_EQ(Dm.Concessionaria->RecordCount(), 1);
  EXPECT_EQ(Dm.Concessionaria->FieldByName(u"DESC_INSCRICAO")->AsString(), u"Estadual");
  EXPECT_EQ(Dm.Concessionaria->FieldByName(u"COD_CONC")->AsString(), u"0123");

  // Movements by opening date; the receipts follow the current movement.
  ASSERT_EQ(Dm.Movimentos->RecordCount(), 2);
  Dm.Movimentos->First();
  EXPECT_EQ(Dm.Movimentos->FieldByName(u"ABERTURA")->DisplayText(), u"04/03/2024");
  EXPECT_DOUBLE_EQ(Dm.Movimentos->FieldByName(u"TOTAL")->AsFloat(), 75.5);
  EXPECT_EQ(Dm.Movimentos->FieldByName(u"DINHEIRO")->DisplayText(), u"50,00");
  EXPECT_EQ(Dm.Recebimentos->RecordCount(), 2);
  Dm.Movimentos->Next();
  ASSERT_EQ(Dm.Recebimentos->RecordCount(), 2);
  Dm.Recebimentos->First();
  EXPECT_EQ(Dm.Recebimentos->FieldByName(u"CUPOM")->AsString(), u"000003");
  EXPECT_DOUBLE_EQ(Dm.Recebimentos->FieldByName(u"RECEBIDO")->AsFloat(), 130.0);
  EXPECT_EQ(Dm.Recebimentos->FieldByName(u"VALOR")->DisplayText(), u"123,45");
  EXPECT_EQ(Dm.Recebimentos->FieldByName(u"CODIGOBARRAS")->DisplayLabel(), u"Código de Barras");
  EXPECT_FALSE(Dm.Recebimentos->FieldByName(u"ESTORNADO")->Visible());
  EXPECT_FALSE(Dm.Usuarios->FieldByName(u"SENHA")->Visible());
  EXPECT_EQ(Dm.Usuarios->FieldByName(u"NOME")->DisplayWidth(), 20);

  Dm.Desconecta();
  for (TFDTable* t : {Dm.Usuarios, Dm.Concessionaria, Dm.Agentes, Dm.Movimentos, Dm.Recebimentos})
    EXPECT_FALSE(t->Active());
  EXPECT_FALSE(Dm.FDConexao->Connected());
}

TEST_F(DbDataModule, DescriptionOfRegistrationType) {
  EXPECT_EQ(TDM::RetornaDescrInscricao(u"M"), u"Municipal");
  EXPECT_EQ(TDM::RetornaDescrInscricao(u"E"), u"Estadual");
  EXPECT_EQ(TDM::RetornaDescrInscricao(u"m"), u"");
  EXPECT_EQ(TDM::RetornaDescrInscricao(u""), u"");
}

TEST_F(DbDataModule, AgentCodeWithAQuoteIsQuotedInTheFilter) {
  EXPECT_EQ(TDM::FiltroAgente(u"0'1"), u"COD_AGENTE = '0''1'");
  TestDatabase::Exec(u"UPDATE agentes SET COD_AGENTE = '0''1' WHERE COD_AGENTE = '002'");
  Abre(u"0'1");
  ASSERT_EQ(Dm.Agentes->RecordCount(), 1);
  EXPECT_EQ(Dm.Agentes->FieldByName(u"RAZAO_SOCIAL")->AsString(), u"AGENTE DOIS LTDA");
  EXPECT_EQ(Dm.Usuarios->RecordCount(), 0);
}

TEST_F(DbDataModule, NoReceiptsWhileThereIsNoMovement) {
  TestDatabase::Exec(u"DELETE FROM movimentos WHERE COD_AGENTE = '001'");
  Abre();
  EXPECT_EQ(Dm.Movimentos->RecordCount(), 0);
  EXPECT_EQ(Dm.Recebimentos->RecordCount(), 0);
}

TEST_F(DbDataModule, NextReceiptNumberRunsOverAllTheAgentsReceipts) {
  Abre();
  const String sql = u"SELECT * FROM RECEBIMENTOS WHERE COD_AGENTE = '001' ORDER BY CUPOM";
  EXPECT_EQ(Dm.BuscaNrCupom(Dm.QrRecebimentos, u"CUPOM", sql), u"000005");
  TestDatabase::Exec(u"UPDATE recebimentos SET CUPOM = '000099' WHERE COD_AGENTE = '001' AND CUPOM = '000004'");
  EXPECT_EQ(Dm.BuscaNrCupom(Dm.QrRecebimentos, u"CUPOM", sql), u"000100");
  TestDatabase::Exec(u"DELETE FROM recebimentos WHERE COD_AGENTE = '001'");
  EXPECT_EQ(Dm.BuscaNrCupom(Dm.QrRecebimentos, u"CUPOM", sql), u"000001");
  // The query keeps the receipt's own fields and its calculated one.
  EXPECT_NE(Dm.QrRecebimentos->FindField(u"RECEBIDO"), nullptr);
}

TEST_F(DbDataModule, DuplicateCheckAnswersWhetherRowsExist) {
  Abre();
  EXPECT_TRUE(Dm.RegistroDuplicado(Dm.QrRecebimentos,
                                   u"SELECT * FROM RECEBIMENTOS WHERE CUPOM = '000003' AND COD_AGENTE = '001'"));
  EXPECT_FALSE(Dm.RegistroDuplicado(Dm.QrRecebimentos,
                                    u"SELECT * FROM RECEBIMENTOS WHERE CUPOM = '000009' AND COD_AGENTE = '001'"));
}

TEST_F(DbDataModule, WrongPasswordFailsAndLeavesNothingOpen) {
  const String errada = u"nao-e-esta";
  EscreveIniTeste(Ini(), u"001", u"False", &errada);
  EXPECT_THROW(Abre(), EDatabaseError);
  for (TFDTable* t : {Dm.Usuarios, Dm.Concessionaria, Dm.Agentes, Dm.Movimentos, Dm.Recebimentos})
    EXPECT_FALSE(t->Active());
  EXPECT_FALSE(Dm.FDConexao->Connected());
}

TEST_F(DbDataModule, KeyThatIsNotACipherTextFailsTheConnection) {
  TIniFile(Ini()).WriteString(u"BANCO", u"Port", u"porta");
  EXPECT_THROW(Abre(), EConvertError);
  EXPECT_FALSE(Dm.FDConexao->Connected());
}

TEST_F(DbDataModule, PostsThroughCachedUpdates) {
  Abre();
  Dm.Agentes->Edit();
  Dm.Agentes->FieldByName(u"NOME_FANTASIA")->SetAsString(u"LOJA NOVA");
  Dm.Agentes->Post();
  EXPECT_EQ(TestDatabase::Scalar(u"SELECT NOME_FANTASIA FROM agentes WHERE COD_AGENTE = '001'"), u"LOJA UM");
  Dm.Agentes->ApplyUpdates(0);
  Dm.Agentes->CommitUpdates();
  EXPECT_EQ(TestDatabase::Scalar(u"SELECT NOME_FANTASIA FROM agentes WHERE COD_AGENTE = '001'"), u"LOJA NOVA");
}

}  // namespace
