#include "app/uAgente.h"
#include "app/AppState.h"
#include "app/FormHelpers.h"
#include "app/uDM.h"
#include "app/uFunc.h"

TfrmAgente* frmAgente = nullptr;

namespace Registro {

bool LinhaGravada(TDataSet* tabela) {
  return tabela->Active() && !tabela->IsEmpty() && tabela->State() != dsInsert &&
         tabela->UpdateStatus() != usInserted;
}

void AtualizaLinha(TDataSet* tabela) {
  if (tabela->State() == dsEdit || tabela->State() == dsInsert) tabela->UpdateRecord();
}

void EditaLinha(TDataSet* tabela) {
  if (tabela->State() == dsEdit || tabela->State() == dsInsert) return;
  if (tabela->IsEmpty())
    tabela->Append();
  else
    tabela->Edit();
}

void GravaLinha(TDataSet* tabela) {
  tabela->Post();
  tabela->ApplyUpdates(0);
  tabela->CommitUpdates();
}

void DescartaLinha(TDataSet* tabela) {
  if (!tabela->Active()) return;
  tabela->Cancel();
  tabela->CancelUpdates();
}

void MantemLinhaAposFalha(TDataSet* tabela) {
  try {
    EditaLinha(tabela);
  } catch (const Exception&) {
  }
  AvisaTabelaIndisponivel();
}

void ExcluiLinha(TDataSet* tabela) {
  tabela->Delete();
  tabela->ApplyUpdates(0);
  tabela->CommitUpdates();
}

void PreencheUF(TStrings* itens) {
  for (const char16_t* uf : {u"AC", u"AL", u"AM", u"AP", u"BA", u"CE", u"DF", u"ES", u"GO", u"MA", u"MG", u"MS", u"MT",
                             u"PA", u"PB", u"PE", u"PI", u"PR", u"RJ", u"RN", u"RO", u"RR", u"RS", u"SC", u"SE", u"SP",
                             u"TO"})
    itens->Add(uf);
}

TLabel* Campos::Rotulo(const String& texto, int x, int linha) const {
  auto* l = new TLabel(Dono);
  l->SetParent(Painel);
  l->SetCaption(texto);
  l->SetLeft(x);
  l->SetTop(6 + linha * 40);
  return l;
}

TDBEdit* Campos::Edit(const String& texto, const String& campo, int x, int linha, int largura,
                      bool maiusculas) const {
  Rotulo(texto, x, linha);
  auto* e = new TDBEdit(Dono);
  e->SetParent(Painel);
  e->SetBounds(x, 20 + linha * 40, largura, 21);
  e->SetDataSource(Fonte);
  e->SetDataField(campo);
  if (maiusculas) e->SetCharCase(ecUpperCase);
  return e;
}

TDBComboBox* Campos::UF(int x, int linha) const {
  Rotulo(u"UF:", x, linha);
  auto* c = new TDBComboBox(Dono);
  c->SetParent(Painel);
  c->SetBounds(x, 20 + linha * 40, 50, 21);
  c->SetStyle(csDropDownList);
  PreencheUF(c->Items());
  c->SetDataSource(Fonte);
  c->SetDataField(u"UF");
  return c;
}

TDBRadioGroup* Campos::TipoInscricao(int x, int linha) const {
  auto* g = new TDBRadioGroup(Dono);
  g->SetParent(Painel);
  g->SetCaption(u" Tipo de Inscrição ");
  g->SetBounds(x, linha * 40, 180, 42);
  g->SetColumns(2);
  g->Items()->Add(u"Municipal");
  g->Items()->Add(u"Estadual");
  g->Values()->Add(u"M");
  g->Values()->Add(u"E");
  g->SetDataSource(Fonte);
  g->SetDataField(u"TIPO_INSCRICAO");
  return g;
}

}  // namespace Registro

TfrmAgente::~TfrmAgente() { EsqueceForm(frmAgente, this); }

TfrmAgente::TfrmAgente(TComponent* AOwner) : TForm(AOwner) {
  SetCaption(u"Agente Arrecadador");
  PreparaJanela(this, bsToolWindow);
  SetWidth(620);
  SetHeight(360);

  MainMenu1 = new TMainMenu(this);
  MnuEditar = CriaMenuEditar(this, MainMenu1);
  MnuGravar = ItemCtrl(this, MnuEditar, u"&Gravar", u'G');
  MnuExcluir = ItemCtrl(this, MnuEditar, u"&Excluir", u'E');
  MnuSair = ItemCtrl(this, MnuEditar, u"&Sair", u'S');
  SetMenu(MainMenu1);

  PanelBotoes = CriaBarraLateral(this);
  ButGravar = BotaoLateral(this, PanelBotoes, 0, u"&Gravar", u"Grava os dados digitados no formulário");
  ButExcluir = BotaoLateral(this, PanelBotoes, 1, u"&Excluir", u"Exclui os dados do agente arrecadador");
  ButFechar = BotaoLateral(this, PanelBotoes, 2, u"&Sair", u"Saída do formulário");

  PanelCampos = new TPanel(this);
  PanelCampos->SetParent(this);
  PanelCampos->SetAlign(alClient);
  PanelCampos->SetCaption(String());

  const Registro::Campos campos{this, PanelCampos, DM ? DM->DsAgentes : nullptr};
  DBEditCOD_AGENTE = campos.Edit(u"Código:", u"COD_AGENTE", 8, 0, 40, true);
  DBEditNOME_FANTASIA = campos.Edit(u"Nome Fantasia:", u"NOME_FANTASIA", 56, 0, 300, true);
  DBEditRAZAO_SOCIAL = campos.Edit(u"Razão Social:", u"RAZAO_SOCIAL", 8, 1, 348, true);
  DBEditENDERECO = campos.Edit(u"Endereço:", u"ENDERECO", 8, 2, 270, false);
  DBEditNRO = campos.Edit(u"Nº:", u"NRO", 286, 2, 70, false);
  DBEditBAIRRO = campos.Edit(u"Bairro:", u"BAIRRO", 364, 2, 140, false);
  DBEditMUNICIPIO = campos.Edit(u"Município:", u"MUNICIPIO", 8, 3, 220, true);
  DBComboBoxUF = campos.UF(236, 3);
  DBEditCEP = campos.Edit(u"CEP:", u"CEP", 294, 3, 80, false);
  DBEditFONE = campos.Edit(u"Telefone:", u"FONE", 382, 3, 100, false);
  DBEditCNPJ = campos.Edit(u"CNPJ:", u"CNPJ", 8, 4, 130, false);
  DBRadioGroupTIPO_INSCRICAO = campos.TipoInscricao(146, 4);
  DBEditINSCRICAO = campos.Edit(u"Nº da Incrição:", u"INSCRICAO", 334, 4, 120, false);
  DBEditNOME_EMPREGADOR = campos.Edit(u"Nome do Empregador:", u"NOME_EMPREGADOR", 8, 5, 270, true);
  DBEditCARGO_EMPREGADOR = campos.Edit(u"Cargo na Empresa:", u"CARGO_EMPREGADOR", 286, 5, 218, false);
  DBEditGNF = campos.Edit(u"GNF:", u"GNF", 8, 6, 60, false);
  DBEditMOEDA = campos.Edit(u"Moeda:", u"MOEDA", 76, 6, 40, false);
  CheckBoxIMPRIMIR_CUPOM = new TCheckBox(this);
  CheckBoxIMPRIMIR_CUPOM->SetParent(PanelCampos);
  CheckBoxIMPRIMIR_CUPOM->SetCaption(u"Imprimir cupom após recebimento");
  CheckBoxIMPRIMIR_CUPOM->SetBounds(132, 22 + 6 * 40, 220, 17);

  ButGravar->OnClick = [this](TObject* s) { ButGravarClick(s); };
  ButExcluir->OnClick = [this](TObject* s) { ButExcluirClick(s); };
  ButFechar->OnClick = [this](TObject* s) { ButFecharClick(s); };
  MnuGravar->OnClick = ButGravar->OnClick;
  MnuExcluir->OnClick = ButExcluir->OnClick;
  MnuSair->OnClick = ButFechar->OnClick;
  DBEditGNF->OnExit = [this](TObject* s) { DBEditGNFExit(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
  OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
  OnKeyPress = [this](TObject* s, char16_t& k) { FormKeyPress(s, k); };
}

void TfrmAgente::AbreFormAgente() {
  Screen->SetCursor(crHourGlass);
  if (!frmAgente) Application->CreateForm(frmAgente);
  frmAgente->SetHeight(360);
  frmAgente->ShowModal();
}

void TfrmAgente::FormShow(TObject*) {
  TFDTable* agentes = DM->Agentes;
  if (agentes->IsEmpty()) agentes->Append();
  HabilitaControlesAgente();
  Registro::EditaLinha(agentes);
  Screen->SetCursor(crDefault);
}

void TfrmAgente::HabilitaControlesAgente() {
  TFDTable* agentes = DM->Agentes;
  CheckBoxIMPRIMIR_CUPOM->SetChecked(!agentes->IsEmpty() &&
                                     agentes->FieldByName(u"IMPRIMIR_CUPOM")->AsInteger() != 0);
  MostraSomenteLeitura(PanelCampos, VersaoAgente);
  if (VersaoAgente) {
    PanelCampos->SetEnabled(false);
    ButGravar->SetEnabled(false);
    ButExcluir->SetEnabled(false);
    MnuGravar->SetEnabled(false);
    MnuExcluir->SetEnabled(false);
    return;
  }
  PanelCampos->SetEnabled(true);
  ButGravar->SetEnabled(true);
  MnuGravar->SetEnabled(true);
  const bool gravada = Registro::LinhaGravada(agentes);
  ButExcluir->SetEnabled(gravada);
  MnuExcluir->SetEnabled(gravada);
}

void TfrmAgente::FormKeyPress(TObject*, char16_t& Key) { AvancaComEnter(this, Key); }

void TfrmAgente::DBEditGNFExit(TObject*) {
  if (!DBEditGNF->Text().empty()) return;
  TFDTable* agentes = DM->Agentes;
  if (agentes->State() == dsEdit || agentes->State() == dsInsert)
    agentes->FieldByName(u"GNF")->SetAsString(u"0");
  else
    DBEditGNF->SetText(u"0");
}

void TfrmAgente::Recusa(TWinControl* controle, const String& mensagem, int tipo) {
  ExibeMensagem(mensagem, tipo);
  if (controle->CanFocus()) controle->SetFocus();
}

void TfrmAgente::ButGravarClick(TObject*) {
  // The agent version keeps the record as it stands, whatever reaches here.
  if (VersaoAgente) return;
  TFDTable* agentes = DM->Agentes;
  Registro::AtualizaLinha(agentes);
  auto texto = [agentes](const char16_t* campo) { return agentes->FieldByName(campo)->AsString(); };
  if (texto(u"RAZAO_SOCIAL").empty()) {
    Recusa(DBEditRAZAO_SOCIAL, u"Necessário informar a Razão Social do agente arrecadador!", 1);
    return;
  }
  if (texto(u"GNF").empty()) {
    Recusa(DBEditGNF, u"Necessário informar o número para a impressão do cupom não fiscal!", 2);
    return;
  }
  if (!VerificaCNPJ(texto(u"CNPJ"))) {
    Recusa(DBEditCNPJ, u"CNPJ inválido!", 1);
    return;
  }
  if (texto(u"INSCRICAO").empty()) {
    Recusa(DBEditINSCRICAO, u"Necessário informar a Inscrição da empresa!", 1);
    return;
  }
  try {
    Registro::EditaLinha(agentes);
    agentes->FieldByName(u"IMPRIMIR_CUPOM")->SetAsInteger(CheckBoxIMPRIMIR_CUPOM->Checked() ? 1 : 0);
    agentes->FieldByName(u"COD_AGENTE")->SetAsString(CodigoAgente);
    Registro::GravaLinha(agentes);
    NomeAgente = agentes->FieldByName(u"RAZAO_SOCIAL")->AsString();
    Close();
  } catch (const Exception&) {
    Registro::MantemLinhaAposFalha(agentes);
  }
}

void TfrmAgente::ButExcluirClick(TObject*) {
  if (VersaoAgente) return;
  if (!ConfirmaOperacao(u"Confirma a exclusão dos dados do agente arrecadador " + NomeAgente + u"?", 0)) return;
  Registro::ExcluiLinha(DM->Agentes);
  HabilitaControlesAgente();
}

void TfrmAgente::ButFecharClick(TObject*) {
  Registro::DescartaLinha(DM->Agentes);
  Close();
}

void TfrmAgente::FormClose(TObject*, TCloseAction&) {
  // Closing without saving, by any road, drops the unsaved changes.
  Registro::DescartaLinha(DM->Agentes);
}
