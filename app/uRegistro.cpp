#include "app/uRegistro.h"
#include "app/AppState.h"
#include "app/FormHelpers.h"
#include "app/uFunc.h"
#include "platform/data/DataSet.h"

TfrmRegistro::TfrmRegistro(TComponent* AOwner, const String& titulo, int altura, const String& dicaExcluir)
    : TForm(AOwner) {
  SetCaption(titulo);
  PreparaJanela(this, bsToolWindow);
  SetWidth(620);
  SetHeight(altura);

  MainMenu1 = new TMainMenu(this);
  MnuEditar = CriaMenuEditar(this, MainMenu1);
  MnuGravar = ItemCtrl(this, MnuEditar, u"&Gravar", u'G');
  MnuExcluir = ItemCtrl(this, MnuEditar, u"&Excluir", u'E');
  MnuSair = ItemCtrl(this, MnuEditar, u"&Sair", u'S');
  SetMenu(MainMenu1);

  PanelBotoes = CriaBarraLateral(this);
  ButGravar = BotaoLateral(this, PanelBotoes, 0, u"&Gravar", u"Grava os dados digitados no formulário");
  ButExcluir = BotaoLateral(this, PanelBotoes, 1, u"&Excluir", dicaExcluir);
  ButFechar = BotaoLateral(this, PanelBotoes, 2, u"&Sair", u"Saída do formulário");

  PanelCampos = new TPanel(this);
  PanelCampos->SetParent(this);
  PanelCampos->SetAlign(alClient);
  PanelCampos->SetCaption(String());

  ButGravar->OnClick = [this](TObject* s) { ButGravarClick(s); };
  ButExcluir->OnClick = [this](TObject* s) { ButExcluirClick(s); };
  ButFechar->OnClick = [this](TObject* s) { ButFecharClick(s); };
  MnuGravar->OnClick = ButGravar->OnClick;
  MnuExcluir->OnClick = ButExcluir->OnClick;
  MnuSair->OnClick = ButFechar->OnClick;
  OnShow = [this](TObject* s) { FormShow(s); };
  OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
  OnKeyPress = [this](TObject* s, char16_t& k) { FormKeyPress(s, k); };
}

void TfrmRegistro::FormKeyPress(TObject*, char16_t& Key) { AvancaComEnter(this, Key); }

void TfrmRegistro::Recusa(TWinControl* controle, const String& mensagem, int tipo) {
  ExibeMensagem(mensagem, tipo);
  if (controle->CanFocus()) controle->SetFocus();
}

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
