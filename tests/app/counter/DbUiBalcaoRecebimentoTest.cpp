// The receipt window as a cashier uses it, by keys: what is typed over a
// prefilled amount, a bill scanned before Ctrl+N, a recording the server
// refuses, receipt numbers that are never drawn twice, the calculator.
#include "app/ContadorCupom.h"
#include "app/uRec.h"
#include "app/records/RecordsTestSupport.h"
#include "app/road/RoadSupport.h"
#include "controls/RxCurrEdit.h"
#include "platform/ui/StdCtrls.h"
#include <gtest/gtest.h>

using namespace road;

namespace {

const char16_t* const Gatilho = u"dbvorlent.falha_gravacao_balcao";

class DbUiBalcaoRecebimento : public ::testing::Test {
protected:
  void SetUp() override {
    TestDatabase::Exec(String(u"DROP TRIGGER IF EXISTS ") + Gatilho);
    TestDatabase::Reset();
  }
  void TearDown() override {
    FechaPrograma();
    TestDatabase::Exec(String(u"DROP TRIGGER IF EXISTS ") + Gatilho);
  }

  // The receipt window of agent 001's open movement of 05/03/2024.
  void Abre(int preenche = IDNO, const String& agente = u"001") {
    AbrePrograma(agente);
    ASSERT_TRUE(DM->Movimentos->Locate(u"ABERTURA", Variant::Date(Dia(2024, 3, 5))));
    DataMovimento = Dia(2024, 3, 5);
    F = new TfrmRec(Application);
    UiTestSeam::QueueMessageBoxAnswer(preenche);
    F->Show();
    Processa();
    UiTestSeam::ClearLog();
  }
  // The reader types the 44 digits and its Enter.
  void Le(const String& codigo) {
    Digita(codigo);
    Tecla(VK_RETURN);
  }
  bool Focado(TWinControl* controle) const { return GetFocus() == controle->Handle(); }
  bool Pendente() const {
    return F->ButGravar->Enabled() && F->ButCancelar->Enabled() && !F->ButNovo->Enabled() &&
           F->EditRECEBIDO->Enabled();
  }
  static String Recebimento(const String& cupom, const String& campos = u"CONCAT_WS('|', VALOR, TROCO)") {
    return TestDatabase::Scalar(u"SELECT " + campos + u" FROM recebimentos WHERE COD_AGENTE = '001' AND CUPOM = '" +
                                cupom + u"'");
  }

  TfrmRec* F = nullptr;
};

TEST_F(DbUiBalcaoRecebimento, WhatTheCashierTypesReplacesThePrefilledAmount) {
  Abre(IDYES);
  Tecla('N', true);
  Le(CodigoBarras(3333, 41));
  ASSERT_TRUE(Focado(F->EditRECEBIDO));
  EXPECT_DOUBLE_EQ(F->EditRECEBIDO->Value(), 33.33);

  Digita(u"50");
  EXPECT_EQ(F->EditRECEBIDO->Text(), u"50");
  EXPECT_DOUBLE_EQ(F->EditTROCO->Value(), 16.67);
  Tecla('G', true);
  EXPECT_EQ(Recebimento(u"000005"), u"33.33|16.67");
}

TEST_F(DbUiBalcaoRecebimento, ABillScannedBeforeCtrlNStartsItsReceipt) {
  Abre();
  // Ctrl+O first, then the reader, as at the counter.
  Tecla('O', true);
  Le(CodigoBarras(1250, 42));
  EXPECT_TRUE(Mensagens().empty()) << StringToUtf8(Mensagens().empty() ? String() : Mensagens()[0]);
  EXPECT_EQ(F->EditCUPOM->Text(), u"000005");
  ASSERT_EQ(F->ListBoxCONTA->Items()->Count(), 1);
  EXPECT_EQ(F->ListBoxCONTA->Items()->Strings(0), Linha(1250, 42));
  EXPECT_DOUBLE_EQ(F->EditVALOR->Value(), 12.50);
  EXPECT_TRUE(Pendente());
  EXPECT_TRUE(Focado(F->EditRECEBIDO));

  Digita(u"20");
  Tecla('G', true);
  EXPECT_EQ(Recebimento(u"000005"), u"12.5|7.5");
}

TEST_F(DbUiBalcaoRecebimento, AFailedRecordingLeavesTheReceiptPendingAndSaysWhy) {
  TestDatabase::Exec(String(u"CREATE TRIGGER ") + Gatilho +
                     u" BEFORE INSERT ON dbvorlent.recebimentos FOR EACH ROW "
                     u"SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'Tempo de espera do bloqueio esgotado'");
  Abre();
  Tecla('N', true);
  Le(CodigoBarras(4000, 43));
  Digita(u"40");
  UiTestSeam::QueueMessageBoxAnswer(IDOK);
  Tecla('G', true);
  ASSERT_EQ(Mensagens().size(), 1u);
  EXPECT_EQ(Mensagens()[0].substr(0, 54), u"Ocorreu uma falha na tentativa de gravação dos dados! ");
  EXPECT_NE(Mensagens()[0].find(u"Tempo de espera do bloqueio esgotado"), String::npos) << "the server's cause";
  EXPECT_EQ(Recebimento(u"000005", u"COUNT(*)"), u"0");
  EXPECT_FALSE(DM->Recebimentos->Locate(u"CUPOM", Variant(String(u"000005"))));
  // Still the receipt being recorded, with all it held.
  EXPECT_TRUE(Pendente());
  EXPECT_EQ(F->EditCUPOM->Text(), u"000005");
  EXPECT_EQ(F->ListBoxCONTA->Items()->Count(), 1);
  EXPECT_DOUBLE_EQ(F->EditRECEBIDO->Value(), 40);
  records::Fotografa(F, "counter-recebimento-falha.png");

  TestDatabase::Exec(String(u"DROP TRIGGER ") + Gatilho);
  UiTestSeam::ClearLog();
  Tecla('G', true);
  EXPECT_TRUE(Mensagens().empty());
  EXPECT_EQ(Recebimento(u"000005"), u"40|0");
  EXPECT_FALSE(Pendente());
  EXPECT_TRUE(F->ButNovo->Enabled());
  EXPECT_TRUE(DM->Recebimentos->Locate(u"CUPOM", Variant(String(u"000005")))) << "listed as recorded";
  records::Fotografa(F, "counter-recebimento-gravado.png");
}

TEST_F(DbUiBalcaoRecebimento, ReceiptNumbersAreNeverDrawnTwice) {
  Abre();
  Tecla('N', true);
  Le(CodigoBarras(1000, 44));
  Digita(u"10");
  Tecla('G', true);
  ASSERT_EQ(Recebimento(u"000005", u"COUNT(*)"), u"1");

  // The top receipt is purged; its number stays used.
  TestDatabase::Exec(u"DELETE FROM recebimentos WHERE COD_AGENTE = '001' AND CUPOM = '000005'");
  Tecla('N', true);
  EXPECT_EQ(F->EditCUPOM->Text(), u"000006");

  // A number drawn here and issued meanwhile elsewhere (and deleted there)
  // is refused, and nothing is stored.
  TestDatabase::Exec(u"UPDATE cupons SET ULTIMO = 6 WHERE COD_AGENTE = '001'");
  Le(CodigoBarras(2000, 45));
  Digita(u"20");
  UiTestSeam::QueueMessageBoxAnswer(IDOK);
  Tecla('G', true);
  EXPECT_EQ(Mensagens(), std::vector<String>{u"Conta com Nº de Cupom já recebida!"});
  EXPECT_EQ(Recebimento(u"000006", u"COUNT(*)"), u"0");
  EXPECT_EQ(TestDatabase::Scalar(u"SELECT ULTIMO FROM cupons WHERE COD_AGENTE = '001'"), u"6");
}

TEST_F(DbUiBalcaoRecebimento, ExhaustedReceiptNumbersAreSaidAndNothingStarts) {
  struct Caso {
    const char* nome;
    const char16_t* preparo;
  } casos[] = {
      {"a stored receipt 999999", u"UPDATE recebimentos SET CUPOM = '999999' WHERE COD_AGENTE = '001' AND CUPOM = "
                                  u"'000004'"},
      {"the counter at 999999", u"INSERT INTO cupons (COD_AGENTE, ULTIMO) VALUES ('001', 999999)"},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.nome);
    TestDatabase::Reset();
    TestDatabase::Exec(caso.preparo);
    Abre();
    UiTestSeam::QueueMessageBoxAnswer(IDOK);
    Tecla('N', true);
    EXPECT_EQ(Mensagens(), std::vector<String>{MensagemCuponsEsgotados});
    EXPECT_EQ(F->EditCUPOM->Text(), u"");
    EXPECT_FALSE(Pendente());
    EXPECT_EQ(Conta(u"SELECT COUNT(*) FROM recebimentos"), 5);
    FechaPrograma();
  }
}

TEST_F(DbUiBalcaoRecebimento, TheCalculatorKeySaysWhenThereIsNone) {
  Abre();
  UiTestSeam::QueueMessageBoxAnswer(IDOK);
  Tecla(VK_F2);
  EXPECT_EQ(Mensagens(), std::vector<String>{u"A calculadora do sistema não está disponível neste computador!"});
}

}  // namespace
