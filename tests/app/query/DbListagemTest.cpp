// The receipts listing over the query's rows of agent 001, two pages of
// them: what its pages record (the count, the three sums as the listing
// formats them, the page numbers, the footer), the same printed to the
// run's PDF queue, and its form freed once printed.
#include "app/uFRRec.h"
#include "app/uSQL1.h"
#include "app/records/RecordsTestSupport.h"
#include "platform/rtl/NumUtils.h"
#include "platform/rtl/StrUtils.h"
#include "report/output/RLPrinters.h"
#include "report/pages/RLGraphicObjects.h"
#include "report/pages/RLGraphicStorage.h"
#include "report/pages/RLGraphicSurface.h"
#include "support/PdfReadBack.h"

namespace {

class DbListagem : public records::ProgramaAberto {
protected:
  // 70 more receipts of agent 001 (74 in all) and a few of agent 002; the
  // query run as "Ok" runs it with nothing composed.
  void SetUp() override {
    records::ProgramaAberto::SetUp();
    String sql = u"INSERT INTO recebimentos (RECEBIMENTO, CUPOM, HORA, VALOR, TROCO, CHQ_DINH, ESTORNADO, USUARIO, "
                 u"COD_AGENTE) VALUES ";
    for (int i = 1; i <= 75; ++i)
      sql += (i > 1 ? u", " : u"") + String(u"('2024-03-06', '") + IntToStr(100 + i) + u"', '093000', " +
             IntToStr(1000 + i) + u".25, 0.75, 'Dinheiro', 'N', 'CAIXA', '" + (i <= 70 ? u"001" : u"002") + u"')";
    TestDatabase::Exec(sql);
    Abre();
    TfrmSQL1::AbreFormSQL1();
    Responde();
    frmSQL1->ButOkClick(frmSQL1->ButOk);
    ASSERT_EQ(DM->QrRecebimentos->RecordCount(), 74);
  }
  void TearDown() override {
    if (frmSQL1) frmSQL1->Close();
    records::ProgramaAberto::TearDown();
  }

  static String Valor(double valor) { return FormatFloat(u"#,###,##0.00", valor); }
  // The agent's sums: the fixture's four receipts and the 70 above.
  static std::vector<String> Somas() {
    const double valor = 278.95 + 70 * 1000.25 + 70 * 71 / 2, troco = 6.55 + 70 * 0.75;
    return {Valor(valor), Valor(valor + troco), Valor(troco)};
  }

  // Every text the pages show, page by page.
  static std::vector<std::vector<String>> Textos(TRLReport* relatorio) {
    std::vector<std::vector<String>> paginas;
    TRLGraphicStorage* loja = relatorio->Pages();
    for (int p = 0; p < loja->PageCount(); ++p) {
      paginas.emplace_back();
      TRLGraphicSurface* pagina = loja->GetPages(p);
      for (int i = 0; i < pagina->ObjectCount(); ++i)
        if (auto* texto = dynamic_cast<TRLTextObject*>(pagina->Objects(i)))
          paginas.back().push_back(Trim(AnsiToString(texto->DisplayText())));
    }
    return paginas;
  }
  static bool Tem(const std::vector<String>& textos, const String& texto) {
    return std::find(textos.begin(), textos.end(), texto) != textos.end();
  }
};

TEST_F(DbListagem, PagesHoldTheHeadingsTheLinesTheCountTheSumsAndTheFooter) {
  TFRRec listagem(nullptr, DM->DsQrRecebimentos, DM->DsAgentes);
  listagem.RLReportREC->SetShowProgress(false);
  ASSERT_TRUE(listagem.RLReportREC->Prepare());
  const auto paginas = Textos(listagem.RLReportREC);
  ASSERT_EQ(paginas.size(), 2u);
  for (size_t p = 0; p < paginas.size(); ++p) {
    const std::vector<String>& textos = paginas[p];
    const std::string qual = "page " + std::to_string(p + 1);
    EXPECT_TRUE(Tem(textos, u"AGENTE UM LTDA")) << qual;
    EXPECT_TRUE(Tem(textos, u"LISTAGEM DE RECEBIMENTOS")) << qual;
    EXPECT_TRUE(Tem(textos, u"Código de Barras")) << qual;
    EXPECT_TRUE(Tem(textos, u"Folha: " + IntToStr(static_cast<int>(p) + 1))) << qual;
    EXPECT_TRUE(Tem(textos, Trim(RodapeRelatorio))) << qual;
    const bool ultima = p + 1 == paginas.size();
    EXPECT_EQ(Tem(textos, u"Quantidade: 74"), ultima) << qual;
    for (const String& soma : Somas()) EXPECT_EQ(Tem(textos, soma), ultima) << qual << StringToUtf8(soma);
  }
  // A receipt's line: its date, its hour through the field's mask, its
  // amounts in the display format.
  EXPECT_TRUE(Tem(paginas[0], u"04/03/2024"));
  EXPECT_TRUE(Tem(paginas[1], u"09:30:00"));
  EXPECT_TRUE(Tem(paginas[1], Valor(1070.25)));
  EXPECT_TRUE(Tem(paginas[1], Valor(1071.00)));
  EXPECT_FALSE(Tem(paginas[1], Valor(1071.25))) << "receipts of agent 002 are not listed";
  EXPECT_EQ(Somas()[0], Valor(72781.45));
}

TEST_F(DbListagem, PrintsTwoA4PagesToTheQueueAndFreesItsForm) {
  SharedPrinterWrapper()->SetPrinterName(u"PDF");
  {
    TFRRec listagem(nullptr, DM->DsQrRecebimentos, DM->DsAgentes);
    const std::string titulo = UniqueJobTitle("listagem");
    listagem.RLReportREC->SetJobTitle(AsciiToString(titulo));
    listagem.RLReportREC->Print();
    const PdfDocument pdf = WaitForPdf(titulo);
    ASSERT_EQ(pdf.pages.size(), 2u) << pdf.path;
    EXPECT_NEAR(pdf.pages[0].width, 595, 1.5);
    EXPECT_NEAR(pdf.pages[0].height, 842, 1.5);
    for (const char* texto : {"LISTAGEM DE RECEBIMENTOS", "Quantidade: 74", "Folha: 2"})
      EXPECT_NE(pdf.text.find(texto), std::string::npos) << texto << "\n" << pdf.text;
    for (const String& soma : Somas())
      EXPECT_NE(pdf.text.find(StringToUtf8(soma)), std::string::npos) << StringToUtf8(soma);
  }
  // The listing asked for from the query: printed, and its form gone.
  const int componentes = Application->ComponentCount();
  TFRRec::ImprimeRecebimentos(u"I");
  EXPECT_EQ(Application->ComponentCount(), componentes);
  EXPECT_EQ(Screen->Cursor(), crDefault);
  EXPECT_EQ(DM->QrRecebimentos->RecordCount(), 74);
}

}  // namespace
