// The receipt printed from the movements window's road, in-process, to the
// run's PDF queue: one 76 x 110 mm page with the receipt's texts; a receipt
// that is not found prints nothing and says why.
#include "app/road/RoadSupport.h"
#include "app/uMov.h"
#include "report/RLLibrary.h"
#include "support/PdfReadBack.h"
#include <gtest/gtest.h>

using namespace road;

TEST(DbPrintCupom, PrintsTheStoredReceiptOnItsOwnPaper) {
  TestDatabase::Reset();
  TRLLibraryScope library;
  AbrePrograma(u"001");
  std::vector<PdfStamp> before = PdfFiles("Cupom");

  TfrmMov::ImprimeCupom(u"I", u"000003", Dia(2024, 3, 5));
  EXPECT_TRUE(Mensagens().empty()) << (Mensagens().empty() ? "" : StringToUtf8(Mensagens()[0]));
  PdfDocument pdf = WaitForNewPdf("Cupom", before);
  ASSERT_FALSE(pdf.path.empty());
  ASSERT_EQ(pdf.pages.size(), 1u);
  EXPECT_NEAR(pdf.pages[0].width, 215.43, 1.5);
  EXPECT_NEAR(pdf.pages[0].height, 311.81, 1.5);
  for (const char* text : {"COMPROVANTE NÃO FISCAL", "NÃO É DOCUMENTO FISCAL", "LOJA UM", "123,45", "130,00", "6,55",
                           "CNF: 000003", "COO: 000003", "05/03/2024", "Inscr.", "AVENIDA BRASIL",
                           "COMPANHIA DE SANEAMENTO TESTE", "Credenciamento CRED"})
    EXPECT_NE(pdf.text.find(text), std::string::npos) << text << "\n" << pdf.text;

  // Not found: nothing printed, and the reason told.
  before = PdfFiles("Cupom");
  UiTestSeam::ClearLog();
  UiTestSeam::QueueMessageBoxAnswer(IDOK);
  TfrmMov::ImprimeCupom(u"I", u"999999", Dia(2024, 3, 5));
  ASSERT_EQ(Mensagens().size(), 1u);
  EXPECT_EQ(Mensagens()[0].rfind(u"Não foi possível imprimir o cupom! ", 0), 0u) << StringToUtf8(Mensagens()[0]);
  EXPECT_TRUE(WaitForNewPdf("Cupom", before, 3000).path.empty());
  FechaPrograma();
}
