// The new-movement window against the test database: today's date and the
// clock, declining, a date adjusted with "Acertar", the refusals, and the
// movements window brought up to date.
#include "app/uMov.h"
#include "app/uNovMov.h"
#include "app/road/RoadSupport.h"
#include "controls/RxClock.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Mask.h"
#include <gtest/gtest.h>

using namespace road;

namespace {

class DbUiNovoMovimento : public ::testing::Test {
protected:
  void SetUp() override {
    TestDatabase::Reset();
    SetClockForTesting([] { return EncodeDateTime(2024, 3, 6, 10, 0, 0, 0); });
  }
  void TearDown() override {
    FechaPrograma();
    ResetClockForTesting();
  }
  void Abre() {
    AbrePrograma(u"001");
    if (!frmNovMov) Application->CreateForm(frmNovMov);
    frmNovMov->Show();
    Processa();
  }
  // Confirms with `resposta`; the message that follows (if any) is answered.
  void Confirma(int resposta) {
    UiTestSeam::ClearLog();
    UiTestSeam::QueueMessageBoxAnswer(resposta);
    UiTestSeam::QueueMessageBoxAnswer(IDOK);
    frmNovMov->ButNovoClick(frmNovMov->ButNovo);
    Processa();
  }
  static int Movimentos() { return Conta(u"SELECT COUNT(*) FROM movimentos WHERE COD_AGENTE = '001'"); }
};

TEST_F(DbUiNovoMovimento, ShowsTodayAndTheClockAndDecliningTouchesNothing) {
  Abre();
  EXPECT_EQ(frmNovMov->Caption(), u"Novo Movimento");
  EXPECT_EQ(frmNovMov->PanelDATA->Caption(), u"06/03/2024");
  EXPECT_EQ(frmNovMov->RxClock1->Parent(), frmNovMov);
  EXPECT_TRUE(frmNovMov->RxClock1->Visible());
  EXPECT_EQ(GetFocus(), frmNovMov->EditDATA->Handle());
  EXPECT_EQ(frmNovMov->Memo1->Lines()->Count(), 6);
  EXPECT_FALSE(DM->QrMovimentos->Active());

  // Enter moves on to the next control.
  Tecla(VK_RETURN);
  EXPECT_NE(GetFocus(), frmNovMov->EditDATA->Handle());

  Confirma(IDNO);
  ASSERT_GE(UiTestSeam::MessageBoxLog().size(), 1u);
  EXPECT_EQ(UiTestSeam::MessageBoxLog()[0].Text, u"Confirma a abertura de movimento de 06/03/2024?");
  EXPECT_EQ(UiTestSeam::MessageBoxLog()[0].Flags & MB_DEFMASK, static_cast<UINT>(MB_DEFBUTTON2));
  EXPECT_EQ(UiTestSeam::MessageBoxLog().size(), 1u);
  EXPECT_TRUE(frmNovMov->Visible()) << "the window stays open";
  EXPECT_EQ(Movimentos(), 2);
}

TEST_F(DbUiNovoMovimento, ConfirmingOpensTheMovementAndTheMovementsWindowCanOpenIt) {
  TestDatabase::Exec(u"DELETE FROM movimentos WHERE COD_AGENTE = '001'");
  AbrePrograma(u"001");
  Application->CreateForm(frmMov);
  UiTestSeam::QueueMessageBoxAnswer(IDOK);
  frmMov->Show();
  Processa();
  ASSERT_FALSE(frmMov->ButAbrir->Enabled());

  Application->CreateForm(frmNovMov);
  frmNovMov->Show();
  Processa();
  Confirma(IDYES);
  EXPECT_EQ(Mensagens(), std::vector<String>{u"Confirma a abertura de movimento de 06/03/2024?"});
  EXPECT_EQ(TestDatabase::Scalar(u"SELECT CONCAT_WS('|', ABERTURA, USUARIO, COALESCE(FECHAMENTO, '-')) "
                                 u"FROM movimentos WHERE COD_AGENTE = '001'"),
            u"2024-03-06|CAIXA|-");
  EXPECT_FALSE(frmNovMov->Visible()) << "the window closes";
  EXPECT_TRUE(frmMov->ButAbrir->Enabled());
  EXPECT_EQ(frmMov->PanelMOV->Caption(), u"Movimento 06/03/2024");
}

TEST_F(DbUiNovoMovimento, ADateThatHasOneAndTheLimitOfOpenMovementsAreRefused) {
  Abre();
  frmNovMov->EditDATA->SetText(u"04/03/2024");
  frmNovMov->ButAcertarClick(frmNovMov->ButAcertar);
  EXPECT_EQ(frmNovMov->PanelDATA->Caption(), u"04/03/2024");
  Confirma(IDYES);
  EXPECT_EQ(Mensagens(), (std::vector<String>{u"Confirma a abertura de movimento de 04/03/2024?",
                                              u"Movimento já existente!"}));
  EXPECT_EQ(UiTestSeam::MessageBoxLog()[1].Caption, u"Informação CAIXA");
  EXPECT_FALSE(frmNovMov->Visible());

  // Shown again it starts from today; with two open there is no third.
  TestDatabase::Exec(u"INSERT INTO movimentos (ABERTURA, USUARIO, COD_AGENTE) VALUES ('2024-03-01', 'X', '001')");
  frmNovMov->Show();
  Processa();
  EXPECT_EQ(frmNovMov->PanelDATA->Caption(), u"06/03/2024");
  Confirma(IDYES);
  EXPECT_EQ(Mensagens()[1], u"Existem movimentos não fechados acima do permitido pela concessionária!");
  EXPECT_EQ(Movimentos(), 3);
}

TEST_F(DbUiNovoMovimento, AdjustingTheDate) {
  Abre();
  UiTestSeam::ClearLog();
  UiTestSeam::QueueMessageBoxAnswer(IDOK);
  frmNovMov->EditDATA->SetText(String());
  ASSERT_EQ(frmNovMov->EditDATA->Text(), u"  /  /    ");
  frmNovMov->ButAcertarClick(frmNovMov->ButAcertar);
  EXPECT_EQ(Mensagens(), std::vector<String>{u"Necessário informar a data para acerto!"});
  EXPECT_EQ(UiTestSeam::MessageBoxLog()[0].Caption, u"Erro CAIXA");
  EXPECT_EQ(frmNovMov->PanelDATA->Caption(), u"06/03/2024");

  UiTestSeam::ClearLog();
  UiTestSeam::QueueMessageBoxAnswer(IDOK);
  frmNovMov->EditDATA->SetText(u"31/02/2024");
  frmNovMov->ButAcertarClick(frmNovMov->ButAcertar);
  EXPECT_EQ(Mensagens(), std::vector<String>{u"Necessário informar a data corretamente!"});
  EXPECT_EQ(frmNovMov->PanelDATA->Caption(), u"06/03/2024");
  EXPECT_EQ(GetFocus(), frmNovMov->EditDATA->Handle());

  // A two-digit year gets the current century when the edit is left.
  frmNovMov->EditDATA->SetText(u"05/03/23  ");
  frmNovMov->EditDATAExit(frmNovMov->EditDATA);
  EXPECT_EQ(frmNovMov->EditDATA->Text(), u"05/03/2023");
  frmNovMov->EditHORA->SetText(u"23:59");
  frmNovMov->ButAcertarClick(frmNovMov->ButAcertar);
  EXPECT_EQ(frmNovMov->PanelDATA->Caption(), u"05/03/2023");
}

}  // namespace
