// The receipts query in-process against the test database: the SQL text
// composed from field, operator, value and joint; runs that show only the
// configured agent's rows and count them; a second run asking the same;
// the reset; the refused date; and a grid that never deletes.
#include "app/uSQL1.h"
#include "controls/RxDBCtrl.h"
#include "app/records/RecordsTestSupport.h"
#include "support/KeyInput.h"
#include "support/PdfReadBack.h"

namespace {

class DbConsulta : public records::ProgramaAberto {
protected:
  void AbreConsulta(const String& codigo = TestDatabase::AgentA) {
    Abre(codigo);
    TfrmSQL1::AbreFormSQL1();
    ASSERT_NE(frmSQL1, nullptr);
    ASSERT_TRUE(frmSQL1->Visible());
    Responde();
  }
  void TearDown() override {
    if (frmSQL1) frmSQL1->Close();
    records::ProgramaAberto::TearDown();
  }

  // Picks the field by its label as the list shows it; "" leaves none.
  static void Campo(const String& rotulo) {
    TComboBox* campos = frmSQL1->ComboBoxCAMPOS;
    frmSQL1->ComboBoxCAMPOSDropDown(campos);
    if (rotulo.empty()) return;
    const int indice = campos->Items()->IndexOf(rotulo);
    ASSERT_GE(indice, 0) << StringToUtf8(rotulo);
    campos->SetItemIndex(indice);
    frmSQL1->ComboBoxCAMPOSClick(campos);
  }
  static void Escolhe(TComboBox* lista, const String& texto) { lista->SetItemIndex(lista->Items()->IndexOf(texto)); }

  // One condition as an operator composes it.
  static void Condicao(const String& rotulo, const String& op, const String& valor, const String& juncao = {}) {
    Campo(rotulo);
    Escolhe(frmSQL1->ComboBoxOP2, op);
    Escolhe(frmSQL1->ComboBoxOP1, juncao);
    frmSQL1->EditTEXTO->SetText(valor);
    frmSQL1->ButSQLClick(frmSQL1->ButSQL);
  }

  static std::vector<String> Memo() {
    std::vector<String> linhas;
    TStrings* memo = frmSQL1->MemoSQL->Lines();
    for (int i = 0; i < memo->Count(); ++i) linhas.push_back(memo->Strings(i));
    return linhas;
  }

  static std::vector<String> Linhas() {
    std::vector<String> linhas;
    TFDQuery* q = DM->QrRecebimentos;
    if (!q->Active()) return linhas;
    for (q->First(); !q->Eof(); q->Next())
      linhas.push_back(q->FieldByName(u"COD_AGENTE")->AsString() + u"/" + q->FieldByName(u"CUPOM")->AsString());
    return linhas;
  }

  static void Ok() { frmSQL1->ButOkClick(frmSQL1->ButOk); }
  static void Cancelar() { frmSQL1->ButCancelarClick(frmSQL1->ButCancelar); }
};

TEST_F(DbConsulta, ComposesTheConditionsAsTheMemoLines) {
  AbreConsulta();
  EXPECT_EQ(frmSQL1->Caption(), u"Consulta e Imprime Recebimentos");
  // The field list: every field of the table by its label, hidden ones too.
  Campo(String());
  TStrings* campos = frmSQL1->ComboBoxCAMPOS->Items();
  std::vector<String> rotulos;
  for (int i = 0; i < campos->Count(); ++i) rotulos.push_back(campos->Strings(i));
  EXPECT_EQ(rotulos, (std::vector<String>{u"ID", u"Recebimento", u"Nº Cupom", u"Hora", u"Valor da Conta",
                                          u"Valor Recebido", u"Troco", u"Chq/Dinh", u"Código de Barras", u"Estornado",
                                          u"Usuário", u"Agente", u"Nº Inscrição"}));

  struct Escolha {
    const char16_t* rotulo;
    const char16_t* campo;
    const char16_t* mascara;
    int tamanho;
  };
  for (const Escolha& e : std::initializer_list<Escolha>{
           {u"Recebimento", u"RECEBIMENTO", u"!99/99/9999;1;_", 0},
           {u"Nº Cupom", u"CUPOM", u"", 6},
           {u"Hora", u"HORA", u"!99:99:99;0;_", 6},
           {u"Valor da Conta", u"VALOR", u"", 0},
           {u"Código de Barras", u"CODIGOBARRAS",
            u"!99999999999-9 99999999999-9 99999999999-9 99999999999-9;0;_", 48},
           {u"Usuário", u"USUARIO", u"", 30},
           {u"Nº Inscrição", u"INSCRICAO", u"!99.9.999.9999.999;0;_", 13}}) {
    Campo(e.rotulo);
    EXPECT_EQ(frmSQL1->LabelCAMPO->Caption(), e.campo);
    EXPECT_EQ(frmSQL1->EditTEXTO->EditMask(), e.mascara) << StringToUtf8(e.campo);
    EXPECT_EQ(frmSQL1->EditTEXTO->MaxLength(), e.tamanho) << StringToUtf8(e.campo);
  }

  struct Caso {
    const char16_t* rotulo;
    const char16_t* op;
    const char16_t* valor;
    const char16_t* juncao;
    std::vector<String> memo;
  };
  const Caso casos[] = {
      {u"Recebimento", u"=", u"05/03/2024", u"",
       {u"SELECT * FROM RECEBIMENTOS WHERE", u" RECEBIMENTO = '2024-03-05'"}},
      {u"Usuário", u"LIKE", u"ABC", u"", {u"SELECT * FROM RECEBIMENTOS WHERE", u" USUARIO LIKE 'ABC%'"}},
      {u"Usuário", u"=", u"D'AVILA", u"", {u"SELECT * FROM RECEBIMENTOS WHERE", u" USUARIO = 'D''AVILA'"}},
      {u"Valor da Conta", u">=", u"50", u"", {u"SELECT * FROM RECEBIMENTOS WHERE", u" VALOR >= '50'"}},
      // No operator: the condition is left out; a joint alone is kept.
      {u"Nº Cupom", u"", u"000001", u"", {u"SELECT * FROM RECEBIMENTOS WHERE"}},
      {u"Nº Cupom", u"=", u"", u"OR", {u"SELECT * FROM RECEBIMENTOS WHERE", u" OR"}},
  };
  for (const Caso& caso : casos) {
    Cancelar();
    Condicao(caso.rotulo, caso.op, caso.valor, caso.juncao);
    EXPECT_EQ(Memo(), caso.memo) << StringToUtf8(caso.rotulo) << " " << StringToUtf8(caso.valor);
  }
  // The date left the edit unmasked in the form the SQL took.
  Cancelar();
  Condicao(u"Recebimento", u"=", u"05/03/2024");
  EXPECT_EQ(frmSQL1->EditTEXTO->EditMask(), u"");
  EXPECT_EQ(frmSQL1->EditTEXTO->Text(), u"2024-03-05");
  // Conditions joined one after another.
  Condicao(u"Chq/Dinh", u"=", u"CHEQUE", u"AND");
  EXPECT_EQ(Memo(), (std::vector<String>{u"SELECT * FROM RECEBIMENTOS WHERE", u" RECEBIMENTO = '2024-03-05'", u" AND",
                                         u" CHQ_DINH = 'CHEQUE'"}));
  Ok();
  EXPECT_EQ(Linhas(), std::vector<String>{u"001/000004"});
  EXPECT_TRUE(UiTestSeam::MessageBoxLog().empty());
  records::Fotografa(frmSQL1, "consulta-composicao.png");
}

TEST_F(DbConsulta, RunsShowOnlyTheAgentsRowsCountedAndAskTheSameTwice) {
  AbreConsulta();
  // Nothing composed: every receipt of the agent by date and number.
  Ok();
  EXPECT_EQ(Memo(), std::vector<String>{u"SELECT * FROM RECEBIMENTOS"});
  EXPECT_EQ(DM->QrRecebimentos->SQL().Text(), u"SELECT * FROM RECEBIMENTOS\r\n ORDER BY RECEBIMENTO, CUPOM\r\n");
  EXPECT_EQ(Linhas(), (std::vector<String>{u"001/000001", u"001/000002", u"001/000003", u"001/000004"}));
  EXPECT_EQ(frmSQL1->PanelMENS->Caption(), u"Quantidade de registros: 4");

  Cancelar();
  Condicao(u"Recebimento", u"=", u"05/03/2024");
  for (int vez = 1; vez <= 2; ++vez) {
    Ok();
    EXPECT_TRUE(UiTestSeam::MessageBoxLog().empty()) << "run " << vez;
    EXPECT_EQ(Linhas(), (std::vector<String>{u"001/000003", u"001/000004"})) << "run " << vez;
    EXPECT_EQ(frmSQL1->PanelMENS->Caption(), u"Quantidade de registros: 2") << "run " << vez;
    EXPECT_EQ(Memo(), (std::vector<String>{u"SELECT * FROM RECEBIMENTOS WHERE", u" RECEBIMENTO = '2024-03-05'"}));
  }
  EXPECT_EQ(DM->QrRecebimentos->SQL().Text(),
            u"SELECT * FROM RECEBIMENTOS WHERE\r\n RECEBIMENTO = '2024-03-05'\r\n ORDER BY RECEBIMENTO\r\n");
  EXPECT_EQ(Screen->Cursor(), crDefault);
}

TEST_F(DbConsulta, OtherAgentsRowsNeverShow) {
  AbreConsulta(TestDatabase::AgentB);
  Condicao(u"Recebimento", u"=", u"05/03/2024");
  Ok();
  EXPECT_EQ(Linhas(), std::vector<String>{u"002/000001"});
  EXPECT_EQ(frmSQL1->PanelMENS->Caption(), u"Quantidade de registros: 1");
  // Asking for another agent's rows by name finds none.
  Cancelar();
  Condicao(u"Agente", u"=", u"001");
  Ok();
  EXPECT_TRUE(Linhas().empty());
  EXPECT_EQ(frmSQL1->PanelMENS->Caption(), u"Quantidade de registros: 0");

  // "Cupom" over no rows would print a blank receipt: nothing prints, and
  // the message says why.
  const std::vector<PdfStamp> antes = PdfFiles("Cupom");
  UiTestSeam::Reset();
  Responde({IDNO});
  frmSQL1->ImprimirRequerimento1Click(frmSQL1->ImprimirRequerimento1);
  ASSERT_EQ(UiTestSeam::MessageBoxLog().size(), 2u);
  EXPECT_EQ(UiTestSeam::MessageBoxLog()[0].Text, u"Deseja visualizar a impressão?");
  EXPECT_EQ(UiTestSeam::MessageBoxLog()[1].Text,
            u"Não foi possível imprimir o cupom! A consulta não mostra nenhum recebimento.");
  EXPECT_TRUE(WaitForNewPdf("Cupom", antes, 3000).path.empty());
}

TEST_F(DbConsulta, FaultyCompositionsShowTheErrorAndTheResetStartsAgain) {
  AbreConsulta();
  // A joint before the first condition stands straight after WHERE.
  Condicao(u"Nº Cupom", u"=", u"000001", u"AND");
  EXPECT_EQ(Memo(), (std::vector<String>{u"SELECT * FROM RECEBIMENTOS WHERE", u" AND", u" CUPOM = '000001'"}));
  Ok();
  ASSERT_EQ(UiTestSeam::MessageBoxLog().size(), 1u);
  const TMessageBoxRecord caixa = UiTestSeam::MessageBoxLog()[0];
  EXPECT_EQ(caixa.Text.rfind(u"Erro na composição da consulta! ", 0), 0u) << StringToUtf8(caixa.Text);
  EXPECT_NE(caixa.Text.find(u"SQL syntax"), String::npos) << StringToUtf8(caixa.Text);
  EXPECT_EQ(caixa.Caption, u"Erro ADMIN");
  EXPECT_FALSE(DM->QrRecebimentos->Active());
  EXPECT_EQ(Screen->Cursor(), crDefault);

  // A calculated field is no column of the table.
  Cancelar();
  UiTestSeam::Reset();
  Responde();
  Condicao(u"Valor Recebido", u"=", u"10");
  Ok();
  ASSERT_EQ(UiTestSeam::MessageBoxLog().size(), 1u);
  EXPECT_NE(UiTestSeam::MessageBoxLog()[0].Text.find(u"RECEBIDO"), String::npos);

  // A date that cannot be read is refused and changes nothing.
  Cancelar();
  Condicao(u"Recebimento", u"=", u"05/03/2024");
  UiTestSeam::Reset();
  Responde();
  Condicao(u"Recebimento", u"=", u"31/02/2024", u"OR");
  ASSERT_EQ(UiTestSeam::MessageBoxLog().size(), 1u);
  EXPECT_EQ(UiTestSeam::MessageBoxLog()[0].Text, u"Necessário informar a data corretamente!");
  EXPECT_EQ(UiTestSeam::MessageBoxLog()[0].Caption, u"Erro ADMIN");
  EXPECT_EQ(Memo(), (std::vector<String>{u"SELECT * FROM RECEBIMENTOS WHERE", u" RECEBIMENTO = '2024-03-05'"}));
  EXPECT_EQ(frmSQL1->EditTEXTO->EditMask(), TfrmSQL1::MascaraData);

  // "Cancelar" empties the composition and closes the rows.
  Ok();
  ASSERT_TRUE(DM->QrRecebimentos->Active());
  Cancelar();
  EXPECT_FALSE(DM->QrRecebimentos->Active());
  EXPECT_FALSE(DM->QrRecebimentos->Filtered());
  EXPECT_TRUE(Memo().empty());
  EXPECT_EQ(frmSQL1->ComboBoxCAMPOS->Items()->Count(), 0);
  EXPECT_EQ(frmSQL1->LabelCAMPO->Caption(), u"");
  EXPECT_EQ(frmSQL1->ComboBoxOP1->ItemIndex(), -1);
  EXPECT_EQ(frmSQL1->ComboBoxOP2->ItemIndex(), -1);
  EXPECT_EQ(frmSQL1->EditTEXTO->Text().find_first_of(u"0123456789"), String::npos);
  EXPECT_EQ(frmSQL1->PanelMENS->Caption(), u"Composição da Consulta");
  EXPECT_EQ(frmSQL1->ActiveControl(), frmSQL1->ComboBoxCAMPOS);
}

TEST_F(DbConsulta, TheWindowKeepsTheMainWindowOffAndItsGridNeverDeletes) {
  AbreConsulta();
  KeyInput::Pump(50);
  EXPECT_FALSE(frmPrinc->Enabled());
  TRxDBGrid* grade = frmSQL1->RxDBGrid1;
  EXPECT_EQ(grade->Options(), (TDBGridOptions{dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines,
                                              dgConfirmDelete, dgCancelOnExit}));
  EXPECT_FALSE(grade->RowColorsUse());
  EXPECT_EQ(grade->RowColor2(), clSilver);

  Ok();
  ASSERT_EQ(DM->QrRecebimentos->RecordCount(), 4);
  grade->SetFocus();
  UiTestSeam::Reset();
  Responde({IDYES, IDOK});
  KeyInput::PressKey(VK_DELETE, TShiftState{ssCtrl});
  KeyInput::Pump(50);
  EXPECT_EQ(records::ProgramaAberto::Escalar(u"SELECT COUNT(*) FROM recebimentos WHERE COD_AGENTE = '001'"), u"4");
  EXPECT_EQ(DM->QrRecebimentos->RecordCount(), 4);
  EXPECT_FALSE(DM->QrRecebimentos->UpdatesPending());

  // Enter moves on as Tab does.
  frmSQL1->ComboBoxCAMPOS->SetFocus();
  KeyInput::PressKey(VK_RETURN);
  KeyInput::Pump(20);
  EXPECT_EQ(frmSQL1->ActiveControl(), frmSQL1->ComboBoxOP2);

  frmSQL1->Close();
  KeyInput::Pump(20);
  EXPECT_TRUE(frmPrinc->Enabled());
  EXPECT_FALSE(DM->QrRecebimentos->Active());
}

}  // namespace
