#include "app/uUsuarios.h"
#include "app/AppState.h"
#include "app/FormHelpers.h"
#include "app/uDM.h"
#include "app/uFunc.h"
#include "platform/data/FDConnection.h"
#include "platform/rtl/NumUtils.h"

TfrmUsuarios* frmUsuarios = nullptr;

namespace {

const String UsuarioNaoEncontrado = u"O usuário não foi encontrado no banco de dados.";

}  // namespace

TfrmUsuarios::~TfrmUsuarios() { EsqueceForm(frmUsuarios, this); }

TfrmUsuarios::TfrmUsuarios(TComponent* AOwner) : TForm(AOwner) {
  SetCaption(u"Usuários do sistema");
  PreparaJanela(this, bsToolWindow);
  SetWidth(480);
  SetHeight(430);

  MainMenu1 = new TMainMenu(this);
  MnuEditar = CriaMenuEditar(this, MainMenu1);
  MnuGravar = ItemCtrl(this, MnuEditar, u"&Gravar", u'G', u"Grava os dados digitados no formulário");
  MnuCancelar = ItemCtrl(this, MnuEditar, u"&Cancelar", u'C', u"Limpa os campos do formulário");
  MnuExcluir = ItemCtrl(this, MnuEditar, u"&Excluir", u'E', u"Exclui o registro atual no formulário");
  MnuSair = ItemCtrl(this, MnuEditar, u"&Sair", u'S', u"Saída do formulário");
  SetMenu(MainMenu1);

  PanelBotoes = CriaBarraLateral(this);
  ButGravar = BotaoLateral(this, PanelBotoes, 0, u"&Gravar", u"Grava os dados digitados no formulário");
  ButCancelar = BotaoLateral(this, PanelBotoes, 1, u"&Cancelar", u"Limpa os campos do formulário");
  ButExcluir = BotaoLateral(this, PanelBotoes, 2, u"&Excluir", u"Exclui o registro atual no formulário");
  ButFechar = BotaoLateral(this, PanelBotoes, 3, u"&Sair", u"Saída do formulário");

  // The fields over the grid, left of the buttons.
  PanelPrincipal = new TPanel(this);
  PanelPrincipal->SetParent(this);
  PanelPrincipal->SetAlign(alClient);
  PanelPrincipal->SetBevelOuter(bvNone);
  PanelPrincipal->SetCaption(String());

  PanelCampos = new TPanel(this);
  PanelCampos->SetParent(PanelPrincipal);
  PanelCampos->SetAlign(alTop);
  PanelCampos->SetHeight(150);
  PanelCampos->SetCaption(String());
  auto edit = [this](const String& rotulo, int y, int largura, int tamanho) {
    auto* e = new TLabeledEdit(this);
    e->SetParent(PanelCampos);
    e->EditLabel()->SetCaption(rotulo);
    e->SetBounds(12, y, largura, 21);
    e->SetMaxLength(tamanho);
    return e;
  };
  EditNOME = edit(u"Nome de Usuário:", 22, 220, 30);
  EditSENHA = edit(u"Senha:", 62, 100, 6);
  EditSENHA->SetCharCase(ecUpperCase);
  EditSENHA->SetPasswordChar(u'*');
  LabelNIVEL = new TLabel(this);
  LabelNIVEL->SetParent(PanelCampos);
  LabelNIVEL->SetCaption(u"Nível de Usuário:");
  LabelNIVEL->SetLeft(130);
  LabelNIVEL->SetTop(48);
  ComboBoxNIVEL = new TComboBox(this);
  ComboBoxNIVEL->SetParent(PanelCampos);
  ComboBoxNIVEL->SetBounds(130, 62, 102, 21);
  ComboBoxNIVEL->SetStyle(csDropDownList);
  ComboBoxNIVEL->Items()->Add(u"Funcional");
  ComboBoxNIVEL->Items()->Add(u"Gerencial");
  EditEMAIL = edit(u"Email de Usuário:", 102, 350, 100);

  PanelTitulo = new TPanel(this);
  PanelTitulo->SetParent(PanelPrincipal);
  PanelTitulo->SetAlign(alTop);
  PanelTitulo->SetTop(150);
  PanelTitulo->SetHeight(20);
  PanelTitulo->SetCaption(u"Usuários Cadastrados");

  DBGridUSUARIOS = new TDBGrid(this);
  DBGridUSUARIOS->SetParent(PanelPrincipal);
  DBGridUSUARIOS->SetAlign(alClient);
  DBGridUSUARIOS->SetTabStop(false);
  DBGridUSUARIOS->SetReadOnly(true);
  // No in-place editor: a click on any row, the current one too, loads it.
  DBGridUSUARIOS->SetOptions(TDBGridOptions{dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines, dgTabs,
                                            dgConfirmDelete, dgCancelOnExit});
  DBGridUSUARIOS->SetHint(u"Clique na linha desejada para editar o registro.");
  DBGridUSUARIOS->SetDataSource(DM ? DM->DsUsuarios : nullptr);
  for (auto [campo, titulo] : {std::pair{u"NOME", u"Nome de Usuário"}, std::pair{u"NIVEL", u"Nível"},
                               std::pair{u"EMAIL", u"Email"}, std::pair{u"COD_AGENTE", u"Agente"}}) {
    TColumn* coluna = DBGridUSUARIOS->Columns()->Add();
    coluna->SetFieldName(campo);
    coluna->Title()->SetCaption(titulo);
  }

  ButGravar->OnClick = [this](TObject* s) { ButGravarClick(s); };
  ButCancelar->OnClick = [this](TObject* s) { ButCancelarClick(s); };
  ButExcluir->OnClick = [this](TObject* s) { ButExcluirClick(s); };
  ButFechar->OnClick = [this](TObject* s) { ButFecharClick(s); };
  MnuGravar->OnClick = ButGravar->OnClick;
  MnuCancelar->OnClick = ButCancelar->OnClick;
  MnuExcluir->OnClick = ButExcluir->OnClick;
  MnuSair->OnClick = ButFechar->OnClick;
  DBGridUSUARIOS->OnCellClick = [this](TColumn* c) { DBGridUSUARIOSCellClick(c); };
  OnShow = [this](TObject* s) { FormShow(s); };
  OnKeyPress = [this](TObject* s, char16_t& k) { FormKeyPress(s, k); };
  HabilitaExclusao(false);
}

void TfrmUsuarios::AbreFormUsuarios() {
  Screen->SetCursor(crHourGlass);
  if (!frmUsuarios) Application->CreateForm(frmUsuarios);
  DM->Usuarios->SetIndexFieldNames(u"NOME");
  frmUsuarios->SetHeight(430);
  frmUsuarios->SetWidth(480);
  frmUsuarios->Show();
}

void TfrmUsuarios::FormShow(TObject*) {
  FNovoUsuario = true;
  FIdCarregado = 0;
  FNomeCarregado.clear();
  HabilitaExclusao(false);
  Screen->SetCursor(crDefault);
}

void TfrmUsuarios::FormKeyPress(TObject*, char16_t& Key) { AvancaComEnter(this, Key); }

void TfrmUsuarios::HabilitaExclusao(bool habilitada) {
  ButExcluir->SetEnabled(habilitada);
  MnuExcluir->SetEnabled(habilitada);
}

void TfrmUsuarios::LimpaCamposUsuario() {
  EditNOME->SetText(String());
  EditSENHA->SetText(String());
  EditEMAIL->SetText(String());
  ComboBoxNIVEL->SetItemIndex(-1);
  HabilitaExclusao(false);
  if (EditNOME->CanFocus()) EditNOME->SetFocus();
  FNovoUsuario = true;
  FIdCarregado = 0;
  FNomeCarregado.clear();
}

void TfrmUsuarios::DBGridUSUARIOSCellClick(TColumn*) {
  if (DM->Usuarios->IsEmpty()) return;
  HabilitaExclusao(true);
  CarregaUsuario();
}

void TfrmUsuarios::CarregaUsuario() {
  FNovoUsuario = false;
  try {
    TFDTable* usuarios = DM->Usuarios;
    FIdCarregado = usuarios->FieldByName(u"ID")->AsInteger();
    FNomeCarregado = usuarios->FieldByName(u"NOME")->AsString();
    EditNOME->SetText(FNomeCarregado);
    EditSENHA->SetText(EncriptaDecripta(u"D", usuarios->FieldByName(u"SENHA")->AsString(), ChaveCriptografia));
    ComboBoxNIVEL->SetItemIndex(RetornaIndiceCombo(usuarios->FieldByName(u"NIVEL")->AsString(), ComboBoxNIVEL, 9));
    EditEMAIL->SetText(usuarios->FieldByName(u"EMAIL")->AsString());
  } catch (const Exception& e) {
    ExibeMensagem(u"Não foi possível selecionar o(s) registro(s)! " + e.Message(), 2);
  }
}

bool TfrmUsuarios::Preenchido(TWinControl* controle, bool preenchido, const String& mensagem) {
  if (preenchido) return true;
  ExibeMensagem(mensagem, 2);
  if (controle->CanFocus()) controle->SetFocus();
  return false;
}

bool TfrmUsuarios::NomeCadastrado(const String& nome) {
  // The server compares the names (its collation ignores case, accents and
  // trailing blanks), so the check agrees with the statements that follow.
  TFDQuery* consulta = DM->QrUsuarios;
  consulta->Close();
  consulta->SQL().Clear();
  consulta->SQL().Add(u"SELECT * FROM USUARIO WHERE NOME = " + QuotedSQL(nome) + u" AND COD_AGENTE = " +
                      QuotedSQL(CodigoAgente));
  consulta->Open();
  const bool existe = !consulta->IsEmpty();
  consulta->Close();
  return existe;
}

void TfrmUsuarios::GravaUsuario() {
  if (!Preenchido(EditNOME, !EditNOME->Text().empty(), u"Necessário informar o Nome de Usuário!") ||
      !Preenchido(EditSENHA, !EditSENHA->Text().empty(), u"Necessário informar a Senha de Usuário!") ||
      !Preenchido(ComboBoxNIVEL, ComboBoxNIVEL->ItemIndex() >= 0, u"Necessário informar o Nível de Usuário!") ||
      !Preenchido(EditEMAIL, !EditEMAIL->Text().empty(), u"Necessário informar o Email de Usuário!"))
    return;
  if (FNovoUsuario) {
    bool cadastrado = false;
    try {
      cadastrado = NomeCadastrado(EditNOME->Text());
    } catch (const Exception& e) {
      // Without the check a second user of the same name could go in.
      ExibeMensagem(u"Não foi possível verificar a existência de registros na tabela! " + e.Message(), 2);
      return;
    }
    if (!Preenchido(EditNOME, !cadastrado, u"Nome de Usuário já cadastrado!")) return;
    InsereUsuario();
  } else {
    AlteraUsuario();
  }
  LimpaCamposUsuario();
}

String TfrmUsuarios::SenhaCifrada() const {
  return QuotedSQL(EncriptaDecripta(u"E", EditSENHA->Text(), ChaveCriptografia));
}

int64_t TfrmUsuarios::Executa(const std::vector<String>& linhas) {
  TFDQuery* consulta = DM->QrUsuarios;
  consulta->Close();
  consulta->SQL().Clear();
  for (const String& linha : linhas) consulta->SQL().Add(linha);
  consulta->ExecSQL();
  const int64_t linhasAfetadas = consulta->RowsAffected();
  DM->Usuarios->Refresh();
  return linhasAfetadas;
}

void TfrmUsuarios::InsereUsuario() {
  CursorNormalAoSair cursor;
  try {
    Screen->SetCursor(crHourGlass);
    Executa({u"INSERT INTO USUARIO ", u"(SENHA, NOME, EMAIL, NIVEL, COD_AGENTE) VALUES (", SenhaCifrada() + u", ",
             QuotedSQL(EditNOME->Text()) + u", ", QuotedSQL(EditEMAIL->Text()) + u", ",
             QuotedSQL(ComboBoxNIVEL->Text()) + u", ", QuotedSQL(CodigoAgente), u")"});
  } catch (const Exception& e) {
    Screen->SetCursor(crDefault);
    ExibeMensagem(u"Ocorreu uma falha na tentativa de gravação dos dados! " + e.Message(), 2);
  }
}

void TfrmUsuarios::AlteraUsuario() {
  CursorNormalAoSair cursor;
  try {
    Screen->SetCursor(crHourGlass);
    const int64_t linhas =
        Executa({u"UPDATE USUARIO SET ", u"SENHA = " + SenhaCifrada() + u", ",
                 u"EMAIL = " + QuotedSQL(EditEMAIL->Text()) + u", ", u"NIVEL = " + QuotedSQL(ComboBoxNIVEL->Text()) + u" ",
                 u"WHERE ID = " + IntToStr(FIdCarregado) + u" AND COD_AGENTE = " + QuotedSQL(CodigoAgente)});
    if (linhas == 0) {
      Screen->SetCursor(crDefault);
      ExibeMensagem(u"Não foi possível alterar os dados do registro! " + UsuarioNaoEncontrado, 2);
    }
  } catch (const Exception& e) {
    Screen->SetCursor(crDefault);
    ExibeMensagem(u"Não foi possível alterar os dados do registro! " + e.Message(), 2);
  }
}

void TfrmUsuarios::ExcluiUsuario() {
  if (!FNovoUsuario && !DM->Usuarios->IsEmpty() &&
      ConfirmaOperacao(u"Confirma a exclusão do usuário " + FNomeCarregado + u"?", 0)) {
    CursorNormalAoSair cursor;
    try {
      Screen->SetCursor(crHourGlass);
      const int64_t linhas = Executa({u"DELETE FROM USUARIO WHERE ID = " + IntToStr(FIdCarregado) +
                                      u" AND COD_AGENTE = " + QuotedSQL(CodigoAgente)});
      if (linhas == 0) {
        Screen->SetCursor(crDefault);
        ExibeMensagem(u"Não foi possível concluir o processo de exclusão de registros! " + UsuarioNaoEncontrado, 2);
      }
    } catch (const Exception& e) {
      Screen->SetCursor(crDefault);
      ExibeMensagem(u"Não foi possível concluir o processo de exclusão de registros! " + e.Message(), 2);
    }
  }
  LimpaCamposUsuario();
}

void TfrmUsuarios::ButGravarClick(TObject*) { GravaUsuario(); }

void TfrmUsuarios::ButCancelarClick(TObject*) { LimpaCamposUsuario(); }

void TfrmUsuarios::ButExcluirClick(TObject*) { ExcluiUsuario(); }

void TfrmUsuarios::ButFecharClick(TObject*) {
  DM->Usuarios->CancelUpdates();
  Close();
}
