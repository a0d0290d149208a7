// The closing form on the test database, in this process: what it shows,
// the PIX QR code read back from "QRCode.bmp", the identifier edit, the
// checks, the save, and the faults it must not hide.
#include "app/AppState.h"
#include "app/PixPayload.h"
#include "app/uDM.h"
#include "app/uFecha.h"
#include "app/uPrinc.h"
#include "app/closing/ClosingSupport.h"
#include "app/spine/SpineTestSupport.h"
#include "platform/classes/IniFiles.h"
#include "platform/rtl/DateUtils.h"
#include "support/TestDatabase.h"
#include <fstream>

using namespace closing;

namespace {

const String ChavePIX = u"123e4567-e89b-12d3-a456-426614174000";
const String IdentificadorPadrao = u"0001144477700016105032024";
const String RotuloPIX = u"Nº do Identificador ou Descrição PIX:";
const String RotuloBoleto = u"Código de Barras do Documento para Pagamento (boleto):";

// The open movement of agent 001 as the payload should carry it.
String LinhaEsperada() {
  TDadosPIX dados;
  dados.Chave = ChavePIX;
  dados.Valor = 123.45 + 80.00;
  dados.Municipio = u"São Paulo";
  dados.CNPJAgente = u"11444777000161";
  dados.Abertura = EncodeDate(2024, 3, 5);
  return MontaLinhaPIX(dados);
}

void Relogio(TDateTime momento) {
  SetClockForTesting([momento] { return momento; });
}

String Movimento(const String& agente = u"001") {
  return TestDatabase::Scalar(u"SELECT CONCAT_WS('|', COALESCE(FECHAMENTO, '-'), COALESCE(CREDITO, '-'), "
                              u"COALESCE(CODIGOBARRAS, '-'), COALESCE(HORA, '-')) FROM movimentos WHERE "
                              u"ABERTURA = '2024-03-05' AND COD_AGENTE = '" + agente + u"'");
}

class DbUiFecha : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(Imagens.Valida());
    TestDatabase::Reset();
    Relogio(EncodeDate(2024, 3, 6) + EncodeTime(9, 30, 0, 0));
    // "QRCode.bmp" goes to the current folder: one of the test's own.
    WCHAR atual[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, atual);
    PastaAnterior = reinterpret_cast<const char16_t*>(atual);
    ASSERT_TRUE(SetCurrentDirectoryW(reinterpret_cast<LPCWSTR>(Imagens.Windows().c_str())));
  }
  void TearDown() override {
    TestDatabase::Exec(u"DROP TRIGGER IF EXISTS fecha_recusa");
    NovoEstadoDoPrograma(String());
    ResetClockForTesting();
    SetCurrentDirectoryW(reinterpret_cast<LPCWSTR>(PastaAnterior.c_str()));
  }

  // The program logged in as agent 001 with its latest movement (the open
  // one of 05/03/2024) current; the test's message-box answers come after.
  void Prepara(const String& chave, std::initializer_list<int> respostas = {}) {
    NovoEstadoDoPrograma(Programa.Path());
    EscreveIniTeste(Programa.Path() + u"Brenquia.ini", u"001");
    TIniFile(Programa.Path() + u"Brenquia.ini").WriteString(u"AGENTE", u"Chave", Cifra(chave));
    Application->CreateForm(frmPrinc);
    frmPrinc->FormShow(frmPrinc);
    ASSERT_NE(DM, nullptr);
    DM->Movimentos->Last();
    ASSERT_EQ(DM->Movimentos->FieldByName(u"ABERTURA")->AsDateTime(), EncodeDate(2024, 3, 5));
    Responde(respostas);
  }
  // ... and the closing form shown on it.
  void Abre(const String& chave = ChavePIX, std::initializer_list<int> respostas = {}) {
    Prepara(chave, respostas);
    Application->CreateForm(frmFecha);
    frmFecha->Show();
    Application->ProcessMessages();
  }

  static void Responde(std::initializer_list<int> respostas) {
    for (int r : respostas) UiTestSeam::QueueMessageBoxAnswer(r);
  }
  static void Entra(TWinControl* controle) {
    controle->SetFocus();
    Application->ProcessMessages();
  }
  std::string QRCode() const { return Imagens.Linux("QRCode.bmp"); }

  PastaLinux Imagens;
  TempFolder Programa;
  String PastaAnterior;
};

TEST_F(DbUiFecha, ShowsTheOpenMovementWithTheQRCodeOfItsTotal) {
  Abre();
  EXPECT_EQ(frmFecha->Caption(), u"Fechamento de movimento de 05/03/2024");
  EXPECT_EQ(frmFecha->DBEditABERTURA->Text(), u"05/03/2024");
  EXPECT_EQ(frmFecha->DBEditQUANTIDADE->Text(), u"2");
  EXPECT_EQ(frmFecha->DBEditTOTAL->Text(), u"203,45");
  EXPECT_EQ(frmFecha->DBEditFECHAMENTO->Text(), u"06/03/2024");
  EXPECT_EQ(frmFecha->DBEditCREDITO->Text(), u"30/12/1899");
  EXPECT_EQ(frmFecha->DBEditCODIGOBARRAS->Text(), u"");
  EXPECT_TRUE(frmFecha->CheckBoxPIX->Checked());
  EXPECT_EQ(frmFecha->LabelBOLETO_PIX->Caption(), RotuloPIX);
  EXPECT_TRUE(frmFecha->imgPIX->Visible());
  EXPECT_GT(frmFecha->imgPIX->Picture()->Width(), 0);
  EXPECT_TRUE(UiTestSeam::MessageBoxLog().empty());

  const std::string linha = StringToUtf8(LinhaEsperada());
  EXPECT_NE(linha.find("5406203.45"), std::string::npos);
  EXPECT_EQ(DecodificaImagem(QRCode()), linha);

  const std::string foto = Artefato("closing_form_pix.png");
  if (!foto.empty()) {
    EXPECT_TRUE(CaptureDisplayImage(*frmFecha, foto));
  }
}

TEST_F(DbUiFecha, BoletoHidesTheCodeAndPixDrawsItAgain) {
  Abre();
  frmFecha->CheckBoxPIX->SetChecked(false);
  EXPECT_FALSE(frmFecha->imgPIX->Visible());
  EXPECT_EQ(frmFecha->LabelBOLETO_PIX->Caption(), RotuloBoleto);
  const std::string foto = Artefato("closing_form_boleto.png");
  if (!foto.empty()) {
    EXPECT_TRUE(CaptureDisplayImage(*frmFecha, foto));
  }

  ASSERT_EQ(std::remove(QRCode().c_str()), 0);
  frmFecha->CheckBoxPIX->SetChecked(true);
  EXPECT_TRUE(frmFecha->imgPIX->Visible());
  EXPECT_EQ(frmFecha->LabelBOLETO_PIX->Caption(), RotuloPIX);
  EXPECT_EQ(DecodificaImagem(QRCode()), StringToUtf8(LinhaEsperada()));
  EXPECT_TRUE(UiTestSeam::MessageBoxLog().empty());
}

TEST_F(DbUiFecha, EnteringTheIdentifierFillsTheDefaultOnlyIntoAnEmptyPixEdit) {
  Abre();
  TMaskEdit* edit = frmFecha->DBEditCODIGOBARRAS;
  Entra(frmFecha->DBEditCREDITO);
  Entra(edit);
  EXPECT_EQ(edit->Text(), IdentificadorPadrao);

  // What the operator typed stays.
  edit->SetText(u"PIX DO MOVIMENTO DE MARCO DE 2024");
  Entra(frmFecha->DBEditCREDITO);
  Entra(edit);
  EXPECT_EQ(edit->Text(), u"PIX DO MOVIMENTO DE MARCO DE 2024");

  // A boleto gets no PIX identifier: empty stays empty, a bar code stays.
  frmFecha->CheckBoxPIX->SetChecked(false);
  edit->SetText(String());
  Entra(frmFecha->DBEditCREDITO);
  Entra(edit);
  EXPECT_EQ(edit->Text(), u"");
  edit->SetText(u"83610000000123450123000");
  Entra(frmFecha->DBEditCREDITO);
  Entra(edit);
  EXPECT_EQ(edit->Text(), u"83610000000123450123000");
  EXPECT_TRUE(UiTestSeam::MessageBoxLog().empty());
}

TEST_F(DbUiFecha, TheIdentifierStopsAtTheColumnsSize) {
  Abre();
  TMaskEdit* edit = frmFecha->DBEditCODIGOBARRAS;
  EXPECT_EQ(edit->MaxLength(), 47);
  Entra(edit);
  edit->SetText(String());
  for (int i = 0; i < 50; ++i) SendMessageW(edit->Handle(), WM_CHAR, u'0' + i % 10, 0);
  EXPECT_EQ(edit->Text().size(), 47u);
}

TEST_F(DbUiFecha, SavingChecksAsksAndClosesTheMovement) {
  Prepara(ChavePIX);
  // Inside the modal loop the operator saves three times: the credit date
  // is refused, then the question is answered No, then Yes.
  UiTestSeam::QueueModalAction([](TCustomForm&) {
    TfrmFecha* f = frmFecha;
    Entra(f->DBEditCODIGOBARRAS);
    Responde({IDOK});
    f->ButGravar->Click();
    EXPECT_TRUE(f->DBEditCREDITO->Focused());

    f->DBEditCREDITO->SetText(u"07/03/2024");
    Responde({IDNO});
    f->ButGravar->Click();
    EXPECT_TRUE(f->Visible());
    EXPECT_EQ(Movimento(), u"-|-|-|-");

    // The hour stored is the one of saving.
    Relogio(EncodeDate(2024, 3, 6) + EncodeTime(9, 45, 12, 0));
    Responde({IDYES, IDOK});
    f->ButGravar->Click();
  });

  TfrmFecha::AbreFormFecha();
  EXPECT_FALSE(frmFecha->Visible());
  EXPECT_EQ(Screen->Cursor(), crDefault);
  EXPECT_EQ(frmFecha->Width(), 640);
  EXPECT_EQ(frmFecha->Height(), 260);

  std::vector<String> mensagens = TextosDasMensagens();
  ASSERT_EQ(mensagens.size(), 4u);
  EXPECT_EQ(mensagens[0], u"Data do Crédito inferior a Data de Abertura!");
  EXPECT_EQ(mensagens[1], u"Confirma a gravação dos dados de fechamento?");
  EXPECT_EQ(mensagens[2], u"Confirma a gravação dos dados de fechamento?");
  EXPECT_EQ(mensagens[3], u"Dados gravados com sucesso!");
  EXPECT_EQ(Movimento(), u"2024-03-06|2024-03-07|" + IdentificadorPadrao + u"|094512");
  EXPECT_EQ(Movimento(u"002"), u"-|-|-|-");
  // The table shows the closing: the movements window no longer offers it.
  DM->Movimentos->Last();
  EXPECT_FALSE(DM->Movimentos->FieldByName(u"FECHAMENTO")->IsNull());
  EXPECT_FALSE(DM->Movimentos->UpdatesPending());
}

TEST_F(DbUiFecha, NothingWrittenIsNeverReportedAsSaved) {
  Abre();
  frmFecha->DBEditCREDITO->SetText(u"07/03/2024");
  frmFecha->DBEditCODIGOBARRAS->SetText(IdentificadorPadrao);
  // Another workstation removed the movement meanwhile.
  TestDatabase::Exec(u"DELETE FROM recebimentos WHERE RECEBIMENTO = '2024-03-05' AND COD_AGENTE = '001'");
  TestDatabase::Exec(u"DELETE FROM movimentos WHERE ABERTURA = '2024-03-05' AND COD_AGENTE = '001'");
  UiTestSeam::ClearLog();
  Responde({IDYES, IDOK});
  frmFecha->ValidaFechamento();
  std::vector<String> mensagens = TextosDasMensagens();
  ASSERT_EQ(mensagens.size(), 2u);
  EXPECT_EQ(mensagens[1], u"Nenhum dado foi gravado: o movimento de 05/03/2024 não foi encontrado!");
  EXPECT_FALSE(frmFecha->Visible());
  EXPECT_EQ(Movimento(u"002"), u"-|-|-|-");
}

TEST_F(DbUiFecha, TheQRCodeCarriesTheTotalCommittedWhenTheFormOpens) {
  Prepara(ChavePIX);
  // A receipt recorded elsewhere after this workstation read the movement.
  TestDatabase::Exec(u"UPDATE movimentos SET QUANTIDADE = 3, DINHEIRO = 143.45 WHERE ABERTURA = '2024-03-05' "
                     u"AND COD_AGENTE = '001'");
  Application->CreateForm(frmFecha);
  frmFecha->Show();
  Application->ProcessMessages();
  EXPECT_EQ(frmFecha->DBEditTOTAL->Text(), u"223,45");
  const std::string linha = DecodificaImagem(QRCode());
  EXPECT_NE(linha.find("5406223.45"), std::string::npos) << linha;
}

TEST_F(DbUiFecha, AMovementClosedElsewhereMeanwhileKeepsThatClosing) {
  Abre();
  frmFecha->DBEditCREDITO->SetText(u"07/03/2024");
  frmFecha->DBEditCODIGOBARRAS->SetText(IdentificadorPadrao);
  TestDatabase::Exec(u"UPDATE movimentos SET FECHAMENTO = '2024-03-05', CREDITO = '2024-03-06', "
                     u"CODIGOBARRAS = 'OUTRO', HORA = '080000' WHERE ABERTURA = '2024-03-05' AND COD_AGENTE = '001'");
  UiTestSeam::ClearLog();
  Responde({IDYES, IDOK});
  frmFecha->ValidaFechamento();
  std::vector<String> mensagens = TextosDasMensagens();
  ASSERT_EQ(mensagens.size(), 2u);
  EXPECT_EQ(mensagens[1], u"Movimento inexistente ou já fechado!");
  EXPECT_FALSE(frmFecha->Visible());
  EXPECT_EQ(Movimento(), u"2024-03-05|2024-03-06|OUTRO|080000");
}

TEST_F(DbUiFecha, AFailedUpdateIsReportedAndTheFormCloses) {
  Abre();
  frmFecha->DBEditCREDITO->SetText(u"07/03/2024");
  frmFecha->DBEditCODIGOBARRAS->SetText(IdentificadorPadrao);
  TestDatabase::Exec(u"CREATE TRIGGER fecha_recusa BEFORE UPDATE ON movimentos FOR EACH ROW "
                     u"SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'movimento travado'");
  UiTestSeam::ClearLog();
  Responde({IDYES, IDOK});
  frmFecha->ValidaFechamento();
  std::vector<String> mensagens = TextosDasMensagens();
  ASSERT_EQ(mensagens.size(), 2u);
  EXPECT_EQ(mensagens[1].rfind(u"Ocorreu uma falha na tentativa de gravação dos dados! ", 0), 0u)
      << StringToUtf8(mensagens[1]);
  EXPECT_NE(mensagens[1].find(u"movimento travado"), String::npos);
  EXPECT_FALSE(frmFecha->Visible());
  EXPECT_EQ(Movimento(), u"-|-|-|-");
}

TEST_F(DbUiFecha, APayloadThatCannotBeBuiltDrawsNothing) {
  // A code of an earlier closing lies in the folder.
  { std::ofstream(QRCode(), std::ios::binary) << "stale"; }
  Abre(String(), {IDOK});
  std::vector<String> mensagens = TextosDasMensagens();
  ASSERT_EQ(mensagens.size(), 1u);
  EXPECT_EQ(mensagens[0], u"Não foi possível gerar a linha do PIX! A chave PIX não está configurada.");
  EXPECT_FALSE(frmFecha->imgPIX->Visible());
  EXPECT_EQ(frmFecha->imgPIX->Picture()->Graphic(), nullptr);
  EXPECT_FALSE(ArquivoLinuxExiste(QRCode()));
  EXPECT_TRUE(frmFecha->CheckBoxPIX->Checked());

  // The closing itself goes on.
  frmFecha->DBEditCREDITO->SetText(u"06/03/2024");
  Entra(frmFecha->DBEditCODIGOBARRAS);
  Responde({IDYES, IDOK});
  frmFecha->ValidaFechamento();
  EXPECT_EQ(Movimento(), u"2024-03-06|2024-03-06|" + IdentificadorPadrao + u"|093000");
}

}  // namespace
