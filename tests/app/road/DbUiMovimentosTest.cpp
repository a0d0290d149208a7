// The movements window against the test database: the latest movement and
// the clock warning when shown, the summary, the F-keys, opening for
// receipts only an open movement, deleting a receipt and recomputing.
#include "app/uMov.h"
#include "app/uRec.h"
#include "app/road/RoadSupport.h"
#include "platform/dbctrls/DBGrid.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Menus.h"
#include "platform/data/FDConnection.h"
#include "support/PdfReadBack.h"
#include "report/pages/RLGraphicStorage.h"
#include "report/ui/RLPreviewForm.h"
#include "support/AppDriver.h"
#include <gtest/gtest.h>
#include <windows.h>

using namespace road;

namespace {

// Another workstation in the middle of a receipt: it holds the movement's
// row with its receipt inserted, and writes the totals and commits once
// somebody waits for that row (or after ten seconds).
struct TOutroTerminal {
  std::unique_ptr<TFDConnection> Conexao = TestDatabase::Connect();
  HANDLE Thread = nullptr;

  void IniciaRecebimento() {
    Conexao->StartTransaction();
    Conexao->ExecSQL(u"SELECT ID FROM movimentos WHERE ABERTURA = '2024-03-05' AND COD_AGENTE = '001' FOR UPDATE");
    Conexao->ExecSQL(u"INSERT INTO recebimentos (RECEBIMENTO, CUPOM, VALOR, CHQ_DINH, CODIGOBARRAS, COD_AGENTE) "
                     u"VALUES ('2024-03-05', '000005', 20, 'Dinheiro', 'x', '001')");
    Thread = CreateThread(nullptr, 0, TerminaQuandoEsperado, this, 0, nullptr);
  }
  void Espera() {
    WaitForSingleObject(Thread, 60000);
    CloseHandle(Thread);
  }
  static DWORD WINAPI TerminaQuandoEsperado(void* parametro) {
    auto* outro = static_cast<TOutroTerminal*>(parametro);
    TFDConnection& c = *outro->Conexao;
    for (int i = 0; i < 400; ++i) {
      TFDQuery q(nullptr);
      q.SetConnection(&c);
      q.SQL().SetText(u"SELECT COUNT(*) FROM information_schema.INNODB_TRX WHERE trx_state = 'LOCK WAIT'");
      q.Open();
      if (q.Fields()[0]->AsInteger() > 0) break;
      Sleep(25);
    }
    c.ExecSQL(u"UPDATE movimentos SET QUANTIDADE = 3, DINHEIRO = 143.45 WHERE ABERTURA = '2024-03-05' "
              u"AND COD_AGENTE = '001'");
    c.Commit();
    return 0;
  }
};

class DbUiMovimentos : public ::testing::Test {
protected:
  void SetUp() override {
    TestDatabase::Reset();
    Relogio(EncodeDateTime(2024, 3, 5, 14, 7, 0, 0));
  }
  void TearDown() override {
    FechaPrograma();
    ResetClockForTesting();
  }
  static void Relogio(TDateTime agora) {
    SetClockForTesting([agora] { return agora; });
  }

  // The window on screen; the clock message it shows is answered.
  void Abre(const String& agente = u"001") {
    AbrePrograma(agente);
    Application->CreateForm(frmMov);
    UiTestSeam::QueueMessageBoxAnswer(IDOK);
    frmMov->Show();
    Processa();
  }

  static String Totais() {
    return TestDatabase::Scalar(u"SELECT CONCAT(QUANTIDADE, '|', FORMAT(DINHEIRO, 2), '|', FORMAT(CHEQUE, 2)) "
                                u"FROM movimentos WHERE ABERTURA = '2024-03-05' AND COD_AGENTE = '001'");
  }
  static String Abertura() { return DM->Movimentos->FieldByName(u"ABERTURA")->DisplayText(); }
};

TEST_F(DbUiMovimentos, ShowsTheLatestMovementItsSummaryAndTheClockWarning) {
  Abre();
  EXPECT_EQ(frmMov->Caption(), u"Brenquia - Movimentos");
  ASSERT_EQ(UiTestSeam::MessageBoxLog().size(), 1u);
  EXPECT_EQ(UiTestSeam::MessageBoxLog()[0].Text,
            u"A hora de seu computador é 14:07h. Caso esteja incorreta, providencie o acerto para o recebimento de "
            u"contas.");
  EXPECT_EQ(UiTestSeam::MessageBoxLog()[0].Caption, u"Informação CAIXA");
  EXPECT_EQ(Screen->Cursor(), crDefault);

  EXPECT_EQ(Abertura(), u"05/03/2024");
  EXPECT_EQ(DM->Recebimentos->RecordCount(), 2);
  const String b(13, u' ');
  EXPECT_EQ(frmMov->PanelMOV->Caption(), u"Movimento 05/03/2024");
  EXPECT_EQ(frmMov->PanelRESUMO->Caption(), u" Quantidade: 2" + b + u"Total em Dinheiro: 123,45" + b +
                                                u"Total em Cheques: 80,00" + b + u"Total Geral: 203,45");
  EXPECT_TRUE(frmMov->ButAbrir->Enabled());
  EXPECT_TRUE(frmMov->MnuAbrir->Enabled());

  // F5 to F8 walk the movements; the receipts follow.
  frmMov->SetFocus();
  Tecla(VK_F5);
  EXPECT_EQ(Abertura(), u"04/03/2024");
  EXPECT_EQ(DM->Recebimentos->FieldByName(u"CUPOM")->AsString(), u"000001");
  frmMov->DBGridMOVCellClick(frmMov->DBGridMOV);
  EXPECT_EQ(frmMov->PanelMOV->Caption(), u"Movimento 04/03/2024");
  Tecla(VK_F7);
  EXPECT_EQ(Abertura(), u"05/03/2024");
  Tecla(VK_F6);
  EXPECT_EQ(Abertura(), u"04/03/2024");
  Tecla(VK_F8);
  EXPECT_EQ(Abertura(), u"05/03/2024");
}

TEST_F(DbUiMovimentos, OpensOnlyAnOpenMovementForReceiptsAndWarnsOfAnotherDate) {
  Abre();
  DM->Movimentos->First();
  UiTestSeam::ClearLog();
  UiTestSeam::QueueMessageBoxAnswer(IDOK);
  frmMov->ButAbrirClick(frmMov->ButAbrir);
  EXPECT_EQ(Mensagens(), std::vector<String>{u"Movimento inexistente ou já fechado!"});

  // The open one, on another day than the computer's: a warning, then the
  // receipt window for its date.
  Relogio(EncodeDateTime(2024, 3, 6, 9, 0, 0, 0));
  DM->Movimentos->Last();
  UiTestSeam::ClearLog();
  UiTestSeam::QueueMessageBoxAnswer(IDOK);
  UiTestSeam::QueueMessageBoxAnswer(IDNO);
  String aberta;
  UiTestSeam::QueueModalAction([&](TCustomForm& form) {
    aberta = form.Caption();
    form.Close();
  });
  frmMov->ButAbrirClick(frmMov->ButAbrir);
  EXPECT_EQ(aberta, u"Brenquia - Recebimento de Contas");
  EXPECT_EQ(DataMovimento, Dia(2024, 3, 5));
  ASSERT_GE(UiTestSeam::MessageBoxLog().size(), 1u);
  EXPECT_EQ(UiTestSeam::MessageBoxLog()[0].Text, u"A data do computador não confere com a data do movimento!");
  EXPECT_EQ(UiTestSeam::MessageBoxLog()[0].Caption, u"Atenção CAIXA");

  // On the movement's own day, no warning.
  Relogio(EncodeDateTime(2024, 3, 5, 9, 0, 0, 0));
  UiTestSeam::ClearLog();
  UiTestSeam::QueueMessageBoxAnswer(IDNO);
  UiTestSeam::QueueModalAction([](TCustomForm& form) { form.Close(); });
  frmMov->ButAbrirClick(frmMov->ButAbrir);
  EXPECT_EQ(Mensagens(), std::vector<String>{u"Deseja que o campo Valor Recebido seja preenchido pelo sistema?"});
}

TEST_F(DbUiMovimentos, WithoutMovementsNothingOpens) {
  TestDatabase::Exec(u"DELETE FROM movimentos WHERE COD_AGENTE = '001'");
  Abre();
  EXPECT_FALSE(frmMov->ButAbrir->Enabled());
  EXPECT_FALSE(frmMov->MnuAbrir->Enabled());
  EXPECT_TRUE(frmMov->MnuFecharMov->Enabled());
  UiTestSeam::ClearLog();
  UiTestSeam::QueueMessageBoxAnswer(IDOK);
  frmMov->N4Click(frmMov->MnuFecharMov);
  EXPECT_EQ(Mensagens(), std::vector<String>{u"Movimento inexistente ou já fechado!"});
}

TEST_F(DbUiMovimentos, DeletingAReceiptTakesItsRowAndRewritesTheTotalsEitherWay) {
  Abre();
  DM->Recebimentos->First();
  ASSERT_EQ(DM->Recebimentos->FieldByName(u"CUPOM")->AsString(), u"000003");
  UiTestSeam::ClearLog();
  UiTestSeam::QueueMessageBoxAnswer(IDYES);
  frmMov->ExcluirRecebimento1Click(frmMov->ExcluirRecebimento1);
  ASSERT_EQ(Mensagens(), std::vector<String>{u"Confirma a exclusão do Cupom nº 000003?"});
  EXPECT_EQ(UiTestSeam::MessageBoxLog()[0].Flags & MB_DEFMASK, static_cast<UINT>(MB_DEFBUTTON2));
  EXPECT_EQ(Conta(u"SELECT COUNT(*) FROM recebimentos WHERE CUPOM = '000003'"), 0);
  EXPECT_EQ(Conta(u"SELECT COUNT(*) FROM recebimentos"), 4);
  EXPECT_EQ(Totais(), u"1|0.00|80.00");
  EXPECT_EQ(DM->Recebimentos->RecordCount(), 1);
  EXPECT_EQ(frmMov->PanelRESUMO->Caption().substr(0, 14), u" Quantidade: 1");

  // Answering No deletes nothing and still rewrites the totals.
  TestDatabase::Exec(u"UPDATE movimentos SET QUANTIDADE = 7 WHERE ABERTURA = '2024-03-05' AND COD_AGENTE = '001'");
  UiTestSeam::QueueMessageBoxAnswer(IDNO);
  frmMov->ExcluirRecebimento1Click(frmMov->ExcluirRecebimento1);
  EXPECT_EQ(Conta(u"SELECT COUNT(*) FROM recebimentos"), 4);
  EXPECT_EQ(Totais(), u"1|0.00|80.00");

  // Reprinting asks how; Yes shows the receipt's one page in the preview
  // window, which Esc closes.
  UiTestSeam::ClearLog();
  UiTestSeam::QueueMessageBoxAnswer(IDYES);
  frmMov->ImprimirCupom1Click(frmMov->ImprimirCupom1);
  EXPECT_EQ(Mensagens(), std::vector<String>{u"Deseja visualizar a impressão?"});
  TRLPreviewForm* preview = nullptr;
  for (int i = 0; i < Screen->FormCount(); ++i)
    if (auto* f = dynamic_cast<TRLPreviewForm*>(Screen->Forms(i))) preview = f;
  ASSERT_NE(preview, nullptr);
  EXPECT_TRUE(preview->Visible());
  ASSERT_NE(preview->Preview()->Pages(), nullptr);
  EXPECT_EQ(preview->Preview()->Pages()->PageCount(), 1);
  EXPECT_EQ(preview->PanelPageCount->Caption(), u"1");
  preview->SetFocus();
  preview->EditPageNo->SetFocus();
  PostMessageW(preview->EditPageNo->Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
  WaitUntil([] {
    for (int i = 0; i < Screen->FormCount(); ++i)
      if (dynamic_cast<TRLPreviewForm*>(Screen->Forms(i))) return false;
    return true;
  }, 5000);
  for (int i = 0; i < Screen->FormCount(); ++i) EXPECT_EQ(dynamic_cast<TRLPreviewForm*>(Screen->Forms(i)), nullptr);

  // Answered no, the selected receipt prints again on its own paper.
  const String cupom = DM->Recebimentos->FieldByName(u"CUPOM")->AsString();
  const std::vector<PdfStamp> antes = PdfFiles("Cupom");
  UiTestSeam::ClearLog();
  UiTestSeam::QueueMessageBoxAnswer(IDNO);
  frmMov->ImprimirCupom1Click(frmMov->ImprimirCupom1);
  EXPECT_EQ(Mensagens(), std::vector<String>{u"Deseja visualizar a impressão?"});
  const PdfDocument pdf = WaitForNewPdf("Cupom", antes);
  ASSERT_EQ(pdf.pages.size(), 1u) << pdf.path;
  EXPECT_NEAR(pdf.pages[0].height, 311.81, 1.5);
  EXPECT_NE(pdf.text.find("CNF: " + StringToUtf8(cupom)), std::string::npos) << pdf.text;
}

TEST_F(DbUiMovimentos, RecomputingCountsEveryReceiptOfTheDate) {
  TestDatabase::Exec(u"INSERT INTO recebimentos (RECEBIMENTO, CUPOM, VALOR, CHQ_DINH, CODIGOBARRAS, ESTORNADO, "
                     u"COD_AGENTE) VALUES ('2024-03-05', '000009', 5, 'Dinheiro', 'x', 'S', '001')");
  Abre();
  UiTestSeam::ClearLog();
  UiTestSeam::QueueMessageBoxAnswer(IDYES);
  frmMov->N13Click(frmMov->MnuProcessar);
  EXPECT_EQ(Mensagens(),
            std::vector<String>{u"Confirma o processo de gravação da totalização do movimento de 05/03/2024"});
  EXPECT_EQ(Totais(), u"3|128.45|80.00");
  EXPECT_EQ(frmMov->PanelRESUMO->Caption().substr(0, 14), u" Quantidade: 3");
  EXPECT_FALSE(DM->Movimentos->UpdatesPending());
}

TEST_F(DbUiMovimentos, RecomputingWaitsForAReceiptBeingRecordedElsewhere) {
  Abre();
  TOutroTerminal outro;
  outro.IniciaRecebimento();
  UiTestSeam::QueueMessageBoxAnswer(IDYES);
  frmMov->N13Click(frmMov->MnuProcessar);
  outro.Espera();
  // The receipt committed meanwhile is counted, not overwritten.
  EXPECT_EQ(Totais(), u"3|143.45|80.00");
  EXPECT_EQ(frmMov->PanelRESUMO->Caption().substr(0, 14), u" Quantidade: 3");
}

}  // namespace
