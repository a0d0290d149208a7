// The receipt window against the test database, driven by its keys: the
// reader and the typed line, the operator's corrections, refusals and what
// they leave on screen, the print question, cancelling and closing.
#include "app/uRec.h"
#include "app/road/RoadSupport.h"
#include "controls/RxCurrEdit.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"
#include <gtest/gtest.h>

using namespace road;

namespace {

class DbUiRecebimento : public ::testing::Test {
protected:
  void SetUp() override { TestDatabase::Reset(); }
  void TearDown() override { FechaPrograma(); }

  // The receipt window of agent's movement of 05/03/2024, on screen; the
  // question it asks when shown gets `preenche`.
  void Abre(const String& agente = u"001", int preenche = IDNO) {
    AbrePrograma(agente);
    ASSERT_TRUE(DM->Movimentos->Locate(u"ABERTURA", Variant::Date(Dia(2024, 3, 5))));
    DataMovimento = Dia(2024, 3, 5);
    F = new TfrmRec(Application);
    UiTestSeam::QueueMessageBoxAnswer(preenche);
    F->Show();
    Processa();
  }

  static int Recebimentos() { return Conta(u"SELECT COUNT(*) FROM recebimentos"); }
  static String Totais(const String& agente = u"001") {
    return TestDatabase::Scalar(u"SELECT CONCAT(QUANTIDADE, '|', FORMAT(DINHEIRO, 2), '|', FORMAT(CHEQUE, 2)) "
                                u"FROM movimentos WHERE ABERTURA = '2024-03-05' AND COD_AGENTE = '" + agente + u"'");
  }
  bool Focado(TWinControl* controle) const { return GetFocus() == controle->Handle(); }
  bool Aguardando() const {
    return F->ButNovo->Enabled() && F->MnuNovo->Enabled() && !F->ButGravar->Enabled() && !F->ButCancelar->Enabled() &&
           !F->EditRECEBIDO->Enabled() && !F->GroupBoxCBA->Enabled() && !F->GroupBoxCBD->Enabled();
  }

  TfrmRec* F = nullptr;
};

TEST_F(DbUiRecebimento, ReaderEntryRecordsTheBillWithTheKeyboardAlone) {
  Abre(u"001", IDYES);
  ASSERT_EQ(UiTestSeam::MessageBoxLog().size(), 1u);
  const TMessageBoxRecord& pergunta = UiTestSeam::MessageBoxLog()[0];
  EXPECT_EQ(pergunta.Text, u"Deseja que o campo Valor Recebido seja preenchido pelo sistema?");
  EXPECT_EQ(pergunta.Caption, u"Atenção CAIXA");
  EXPECT_EQ(pergunta.Flags & MB_DEFMASK, static_cast<UINT>(MB_DEFBUTTON2));
  EXPECT_TRUE(F->PreencheRecebido);
  EXPECT_TRUE(Aguardando());
  EXPECT_EQ(F->EditCODBARRAS->Text(), String(44, u'0'));
  for (TMenuItem* item : {F->MnuGravar, F->MnuCancelar, F->MnuLeitora, F->MnuDigitacao})
    EXPECT_TRUE(item->Enabled()) << "every item is there until the first new receipt";

  Tecla('N', true);
  EXPECT_EQ(F->EditCUPOM->Text(), u"000005");
  EXPECT_FALSE(F->ButNovo->Enabled());
  EXPECT_TRUE(F->ButGravar->Enabled());
  EXPECT_TRUE(F->GroupBoxCBA->Enabled());
  EXPECT_FALSE(F->GroupBoxCBD->Enabled());
  ASSERT_TRUE(Focado(F->EditCODBARRAS));

  // The reader types the digits and an Enter; anything else is dropped.
  const String codigo = CodigoBarras(8790, 7777);
  Digita(codigo.substr(0, 20) + u"a-" + codigo.substr(20));
  EXPECT_EQ(F->EditCODBARRAS->Text(), codigo);
  Tecla(VK_RETURN);
  ASSERT_EQ(F->ListBoxCONTA->Items()->Count(), 1);
  EXPECT_EQ(F->ListBoxCONTA->Items()->Strings(0), Linha(8790, 7777));
  EXPECT_EQ(F->EditCODBARRAS->Text(), u"");
  EXPECT_TRUE(Focado(F->EditRECEBIDO));
  EXPECT_DOUBLE_EQ(F->EditVALOR->Value(), 87.90);
  EXPECT_DOUBLE_EQ(F->EditRECEBIDO->Value(), 87.90) << "the operator asked for the amount to be filled";
  EXPECT_DOUBLE_EQ(F->EditTROCO->Value(), 0);

  // A second reading without recording keeps the first line.
  F->EditCODBARRAS->SetText(CodigoBarras(100, 1));
  F->EditCODBARRASExit(F->EditCODBARRAS);
  EXPECT_EQ(F->ListBoxCONTA->Items()->Strings(0), Linha(8790, 7777));

  Tecla('G', true);
  EXPECT_EQ(UiTestSeam::MessageBoxLog().size(), 1u) << "agent 001 prints no receipts: no question";
  EXPECT_EQ(TestDatabase::Scalar(u"SELECT CONCAT_WS('|', RECEBIMENTO, CHQ_DINH, VALOR, TROCO, USUARIO) "
                                 u"FROM recebimentos WHERE CUPOM = '000005' AND COD_AGENTE = '001'"),
            u"2024-03-05|Dinheiro|87.9|0|CAIXA");
  EXPECT_EQ(Totais(), u"3|211.35|80.00");
  EXPECT_TRUE(Aguardando());
  EXPECT_EQ(DM->Recebimentos->RecordCount(), 3) << "the receipts on screen include the new one";
  EXPECT_EQ(DM->Movimentos->FieldByName(u"QUANTIDADE")->AsInteger(), 3);
}

TEST_F(DbUiRecebimento, TypedLineCorrectedAfterItsCheckDigitIsValuedAsItStands) {
  Abre();
  Tecla('D', true);
  EXPECT_TRUE(F->RadioButtonCBD->Checked());
  EXPECT_FALSE(F->RadioButtonCBA->Checked());
  Tecla('N', true);
  ASSERT_TRUE(Focado(F->EditRN[0]));

  // Each complete block sends the focus to its digit, each digit to the
  // next block; the fourth digit values the bill.
  const String linha = Linha(10000, 5);
  for (int i = 0; i < 4; ++i) {
    Digita(linha.substr(i * 12, 11));
    EXPECT_TRUE(Focado(F->EditDV[i])) << i;
    Digita(linha.substr(i * 12 + 11, 1));
  }
  EXPECT_TRUE(Focado(F->EditRECEBIDO));
  EXPECT_EQ(F->LabelPARTE[0]->Caption(), linha.substr(0, 11) + u"-" + linha.substr(11, 1));
  EXPECT_EQ(F->ListBoxCONTA->Items()->Strings(0), linha);
  EXPECT_DOUBLE_EQ(F->EditVALOR->Value(), 100.0);
  F->EditRECEBIDO->SetValue(100.0);

  // Block 1 is corrected to a bill of more, with the same check digit.
  String corrigida;
  for (int64_t reais = 200;; reais += 100) {
    corrigida = Linha(reais * 100, 5);
    if (corrigida[11] == linha[11]) break;
  }
  F->EditRN[0]->SetText(corrigida.substr(0, 11));
  Processa();
  EXPECT_EQ(F->ListBoxCONTA->Items()->Strings(0), corrigida);

  UiTestSeam::ClearLog();
  UiTestSeam::QueueMessageBoxAnswer(IDOK);
  Tecla('G', true);
  EXPECT_EQ(Mensagens(), std::vector<String>{u"Valor recebido inferior ao valor da conta!"});
  EXPECT_EQ(UiTestSeam::MessageBoxLog()[0].Caption, u"Erro CAIXA");
  EXPECT_DOUBLE_EQ(F->EditVALOR->Value(), ValorDaLinha(corrigida));
  EXPECT_LT(F->EditTROCO->Value(), 0);
  EXPECT_TRUE(Focado(F->EditRECEBIDO));
  EXPECT_EQ(Recebimentos(), 5);

  F->EditRECEBIDO->SetValue(ValorDaLinha(corrigida) + 0.5);
  Tecla('G', true);
  EXPECT_EQ(TestDatabase::Scalar(u"SELECT CONCAT_WS('|', VALOR, TROCO) FROM recebimentos WHERE CUPOM = '000005'"),
            IntToStr(static_cast<int64_t>(ValorDaLinha(corrigida))) + u"|0.5");
  EXPECT_TRUE(Aguardando());
}

TEST_F(DbUiRecebimento, RefusalsSayWhyAndLeaveTheFieldsAsTheModeWants) {
  Abre();
  F->ButNovoClick(F->ButNovo);

  // Reader, another utility's bill: the fields are cleared for a new reading.
  F->EditCODBARRAS->SetText(CodigoBarras(500, 3, u"0777"));
  F->EditCODBARRASExit(F->EditCODBARRAS);
  F->EditRECEBIDO->SetValue(10);
  UiTestSeam::ClearLog();
  UiTestSeam::QueueMessageBoxAnswer(IDOK);
  F->ButGravarClick(F->ButGravar);
  EXPECT_EQ(Mensagens(), std::vector<String>{u"O Código Febraban 0777 constante no Código de Barras não confere com o "
                                             u"da Concessionária 0123!"});
  EXPECT_EQ(F->ListBoxCONTA->Items()->Count(), 0);
  EXPECT_TRUE(Focado(F->EditCODBARRAS));
  EXPECT_TRUE(F->ButGravar->Enabled()) << "the receipt goes on";

  // A bill received before: the message names its receipt; nothing changes.
  F->EditCODBARRAS->SetText(TestDatabase::BarCode);
  F->EditCODBARRASExit(F->EditCODBARRAS);
  F->EditRECEBIDO->SetValue(200);
  UiTestSeam::ClearLog();
  UiTestSeam::QueueMessageBoxAnswer(IDOK);
  F->ButGravarClick(F->ButGravar);
  EXPECT_EQ(Mensagens(),
            std::vector<String>{u"Conta com Código de Barras já recebida em 05/03/2024 no Cupom Nº 000003!"});
  EXPECT_EQ(F->ListBoxCONTA->Items()->Count(), 1);
  EXPECT_EQ(F->EditCUPOM->Text(), u"000005");
  EXPECT_TRUE(F->ButGravar->Enabled());

  // Typed, a wrong check digit: back to the first block.
  F->N6Click(nullptr);
  const String linha = Linha(700, 9);
  for (int i = 0; i < 4; ++i) {
    F->EditRN[i]->SetText(linha.substr(i * 12, 11));
    F->EditDV[i]->SetText(i == 2 ? String(1, linha[i * 12 + 11] == u'9' ? u'0' : linha[i * 12 + 11] + 1)
                                 : linha.substr(i * 12 + 11, 1));
  }
  UiTestSeam::ClearLog();
  UiTestSeam::QueueMessageBoxAnswer(IDOK);
  F->ButGravarClick(F->ButGravar);
  EXPECT_EQ(Mensagens(), std::vector<String>{u"Código de Barras Digitado inválido! Compare com os valores abaixo "
                                             u"dos campos."});
  EXPECT_TRUE(Focado(F->EditRN[0]));
  EXPECT_EQ(Recebimentos(), 5);

  // Cancelling writes nothing, and the next receipt draws the same number.
  F->ButCancelarClick(F->ButCancelar);
  EXPECT_TRUE(Aguardando());
  EXPECT_EQ(F->EditCUPOM->Text(), u"");
  EXPECT_EQ(F->ListBoxCONTA->Items()->Count(), 0);
  F->ButNovoClick(F->ButNovo);
  EXPECT_EQ(F->EditCUPOM->Text(), u"000005");
}

TEST_F(DbUiRecebimento, ALineRefusedAsTypedIsNotStoredAfterAClickOnTheReaderRadio) {
  Abre();
  F->N6Click(nullptr);
  F->ButNovoClick(F->ButNovo);
  const String linha = Linha(700, 9);
  for (int i = 0; i < 4; ++i) {
    const char16_t dv = linha[i * 12 + 11];
    F->EditRN[i]->SetText(linha.substr(i * 12, 11));
    F->EditDV[i]->SetText(String(1, i == 1 ? (dv == u'9' ? u'0' : static_cast<char16_t>(dv + 1)) : dv));
  }
  F->EditRECEBIDO->SetValue(10);
  const std::vector<String> invalida{u"Código de Barras Digitado inválido! Compare com os valores abaixo dos campos."};
  UiTestSeam::ClearLog();
  UiTestSeam::QueueMessageBoxAnswer(IDOK);
  F->ButGravarClick(F->ButGravar);
  EXPECT_EQ(Mensagens(), invalida);

  // The operator clicks the reader's radio button and records again.
  SendMessageW(F->RadioButtonCBA->Handle(), BM_CLICK, 0, 0);
  Processa();
  ASSERT_TRUE(F->RadioButtonCBA->Checked());
  UiTestSeam::ClearLog();
  UiTestSeam::QueueMessageBoxAnswer(IDOK);
  F->ButGravarClick(F->ButGravar);
  EXPECT_EQ(Mensagens(), invalida);
  EXPECT_EQ(Recebimentos(), 5);
  EXPECT_EQ(Totais(), u"2|123.45|80.00");
}

TEST_F(DbUiRecebimento, NoReceiptStartsWithoutItsNextNumber) {
  TestDatabase::Exec(u"UPDATE recebimentos SET CUPOM = 'ZZZ004' WHERE CUPOM = '000004' AND COD_AGENTE = '001'");
  Abre();
  UiTestSeam::ClearLog();
  UiTestSeam::QueueMessageBoxAnswer(IDOK);
  F->ButNovoClick(F->ButNovo);
  EXPECT_EQ(Mensagens(), std::vector<String>{u"Não foi possível buscar próximo número de cupom! 'ZZZ004' is not a "
                                             u"valid integer value"});
  EXPECT_EQ(UiTestSeam::MessageBoxLog()[0].Caption, u"Informação CAIXA");
  EXPECT_EQ(F->EditCUPOM->Text(), u"");
  EXPECT_TRUE(Aguardando());
}

TEST_F(DbUiRecebimento, ChequeAndThePrintQuestionOfAnAgentThatPrints) {
  Abre(u"002");
  F->ButNovoClick(F->ButNovo);
  EXPECT_EQ(F->EditCUPOM->Text(), u"000002");
  F->RadioGroupCHQ_DINH->SetItemIndex(1);
  F->EditCODBARRAS->SetText(CodigoBarras(4550, 12));
  F->EditCODBARRASExit(F->EditCODBARRAS);
  F->EditRECEBIDO->SetValue(50);
  EXPECT_DOUBLE_EQ(F->EditTROCO->Value(), 4.5);
  UiTestSeam::ClearLog();
  UiTestSeam::QueueMessageBoxAnswer(IDYES);
  F->ButGravarClick(F->ButGravar);
  ASSERT_EQ(Mensagens(), std::vector<String>{u"Confirma a impressão do cupom?"});
  EXPECT_EQ(UiTestSeam::MessageBoxLog()[0].Flags & MB_DEFMASK, static_cast<UINT>(MB_DEFBUTTON1));
  EXPECT_EQ(Totais(u"002"), u"2|10.00|45.50");
  EXPECT_TRUE(Aguardando());
}

TEST_F(DbUiRecebimento, TheTotalsMemoAndClosingRewriteTheTotals) {
  Abre();
  F->CheckBoxQT_VR_TOT->SetChecked(true);
  F->CheckBoxQT_VR_TOTClick(F->CheckBoxQT_VR_TOT);
  ASSERT_EQ(F->PanelQT_VR_TOT->Lines()->Count(), 1);
  EXPECT_EQ(F->PanelQT_VR_TOT->Lines()->Strings(0), u"Recebimento(s) em 05/03/2024: R$ 203,45 em 2 conta(s).");
  F->CheckBoxQT_VR_TOT->SetChecked(false);
  F->CheckBoxQT_VR_TOTClick(F->CheckBoxQT_VR_TOT);
  EXPECT_EQ(F->PanelQT_VR_TOT->Lines()->Count(), 0);

  // Totals gone astray are put right when the window closes, without a receipt.
  TestDatabase::Exec(u"UPDATE movimentos SET QUANTIDADE = 9, DINHEIRO = 1 WHERE ABERTURA = '2024-03-05' "
                     u"AND COD_AGENTE = '001'");
  F->Close();
  Processa();
  EXPECT_EQ(Totais(), u"2|123.45|80.00");
}

}  // namespace
