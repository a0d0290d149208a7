// The movements desk by keys: the header and summary describe the row
// that F5 to F8 or a refresh leave current, and the new-movement window
// takes the date typed at each showing.
#include "app/uMov.h"
#include "app/uNovMov.h"
#include "app/records/RecordsTestSupport.h"
#include "app/road/RoadSupport.h"
#include "platform/dbctrls/DBGrid.h"
#include "platform/dbctrls/DBGridColumns.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Mask.h"
#include <gtest/gtest.h>

using namespace road;

namespace {

int Largura(TFont* fonte, const String& texto) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ antiga = SelectObject(dc, fonte->Handle());
  SIZE tamanho{};
  GetTextExtentPoint32W(dc, reinterpret_cast<LPCWSTR>(texto.c_str()), static_cast<int>(texto.size()), &tamanho);
  SelectObject(dc, antiga);
  ReleaseDC(nullptr, dc);
  return tamanho.cx;
}

class DbUiBalcaoMovimentos : public ::testing::Test {
protected:
  void SetUp() override {
    TestDatabase::Reset();
    SetClockForTesting([] { return EncodeDateTime(2024, 3, 6, 10, 0, 0, 0); });
  }
  void TearDown() override {
    FechaPrograma();
    ResetClockForTesting();
  }
  static String Resumo(const String& quantidade, const String& dinheiro, const String& cheque, const String& total) {
    const String b(13, u' ');
    return u" Quantidade: " + quantidade + b + u"Total em Dinheiro: " + dinheiro + b + u"Total em Cheques: " + cheque +
           b + u"Total Geral: " + total;
  }
  // A click on a speed button, where it stands on its parent window.
  static void Clica(TSpeedButton* botao) {
    AppDriver::ClickAt(botao->Parent()->Handle(), botao->Left() + botao->Width() / 2,
                       botao->Top() + botao->Height() / 2);
    Processa();
  }
};

TEST_F(DbUiBalcaoMovimentos, HeaderAndSummaryFollowTheCurrentMovement) {
  AbrePrograma(u"001");
  Application->CreateForm(frmMov);
  UiTestSeam::QueueMessageBoxAnswer(IDOK);
  frmMov->Show();
  Processa();
  frmMov->SetFocus();

  struct Passo {
    WORD tecla;
    const char16_t* cabecalho;
    String resumo;
  } passos[] = {
      {VK_F5, u"Movimento 04/03/2024", Resumo(u"2", u"50,00", u"25,50", u"75,50")},
      {VK_F7, u"Movimento 05/03/2024", Resumo(u"2", u"123,45", u"80,00", u"203,45")},
      {VK_F6, u"Movimento 04/03/2024", Resumo(u"2", u"50,00", u"25,50", u"75,50")},
      {VK_F8, u"Movimento 05/03/2024", Resumo(u"2", u"123,45", u"80,00", u"203,45")},
      {VK_F5, u"Movimento 04/03/2024", Resumo(u"2", u"50,00", u"25,50", u"75,50")},
  };
  for (const Passo& passo : passos) {
    Tecla(passo.tecla);
    EXPECT_EQ(frmMov->PanelMOV->Caption(), passo.cabecalho) << passo.tecla;
    EXPECT_EQ(frmMov->PanelRESUMO->Caption(), passo.resumo) << passo.tecla;
  }

  // A closing ends by refreshing the movements and going to the last one;
  // the header follows, with what the database now holds.
  TestDatabase::Exec(u"UPDATE movimentos SET QUANTIDADE = 3, DINHEIRO = 130 WHERE ABERTURA = '2024-03-05' AND "
                     u"COD_AGENTE = '001'");
  DM->Movimentos->Refresh();
  DM->Movimentos->Last();
  Processa();
  EXPECT_EQ(frmMov->PanelMOV->Caption(), u"Movimento 05/03/2024");
  EXPECT_EQ(frmMov->PanelRESUMO->Caption(), Resumo(u"3", u"130,00", u"80,00", u"210,00"));
  records::Fotografa(frmMov, "counter-movimentos.png");
}

TEST_F(DbUiBalcaoMovimentos, MaskedColumnsAreAsWideAsTheTextTheyShow) {
  AbrePrograma(u"001");
  Application->CreateForm(frmMov);
  UiTestSeam::QueueMessageBoxAnswer(IDOK);
  frmMov->Show();
  Processa();
  ASSERT_TRUE(DM->Recebimentos->Locate(u"CUPOM", Variant(String(u"000003"))));
  int vistas = 0;
  for (int i = 0; i < frmMov->DBGridREC->Columns()->Count(); ++i) {
    TColumn* coluna = frmMov->DBGridREC->Columns()->Items(i);
    TField* campo = coluna->Field();
    if (!campo || campo->EditMask().empty()) continue;
    ++vistas;
    const String texto = campo->DisplayText();
    EXPECT_GE(coluna->Width(), Largura(coluna->Font(), texto))
        << StringToUtf8(coluna->FieldName()) << " " << StringToUtf8(texto);
  }
  EXPECT_EQ(vistas, 3) << "hour, line and registration";
}

TEST_F(DbUiBalcaoMovimentos, EachShowingOfTheNewMovementTakesTheDateTyped) {
  TestDatabase::Exec(u"UPDATE movimentos SET FECHAMENTO = '2024-03-05' WHERE COD_AGENTE = '001'");
  AbrePrograma(u"001");
  Application->CreateForm(frmNovMov);
  for (const char16_t* data : {u"07/03/2024", u"08/03/2024"}) {
    SCOPED_TRACE(StringToUtf8(data));
    frmNovMov->Show();
    Processa();
    ASSERT_EQ(GetFocus(), frmNovMov->EditDATA->Handle());
    String digitos;
    for (char16_t c : String(data))
      if (c != u'/') digitos.push_back(c);
    Digita(digitos);
    EXPECT_EQ(frmNovMov->EditDATA->Text(), data);
    Clica(frmNovMov->ButAcertar);
    EXPECT_EQ(frmNovMov->PanelDATA->Caption(), data);

    UiTestSeam::ClearLog();
    UiTestSeam::QueueMessageBoxAnswer(IDYES);
    Clica(frmNovMov->ButNovo);
    EXPECT_EQ(Mensagens(), std::vector<String>{u"Confirma a abertura de movimento de " + String(data) + u"?"});
    EXPECT_FALSE(frmNovMov->Visible());
  }
  EXPECT_EQ(TestDatabase::Scalar(u"SELECT GROUP_CONCAT(ABERTURA ORDER BY ABERTURA) FROM movimentos "
                                 u"WHERE COD_AGENTE = '001' AND FECHAMENTO IS NULL"),
            u"2024-03-07,2024-03-08");
}

}  // namespace
