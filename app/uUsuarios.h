#pragma once
// The agent's users: name, password, level and e-mail. Rows are written
// with SQL statements; the users table only feeds the grid. Passwords are
// stored enciphered, as the login reads them.
#include "platform/dbctrls/DBGrid.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"

class TfrmUsuarios : public TForm {
public:
  explicit TfrmUsuarios(TComponent* AOwner);
  ~TfrmUsuarios() override;

  // Shows the window without making it modal, creating it the first time,
  // with the users in name order.
  static void AbreFormUsuarios();

  TMainMenu* MainMenu1;
  TMenuItem* MnuEditar;
  TMenuItem* MnuGravar;
  TMenuItem* MnuCancelar;
  TMenuItem* MnuExcluir;
  TMenuItem* MnuSair;
  TPanel* PanelBotoes;
  TSpeedButton* ButGravar;
  TSpeedButton* ButCancelar;
  TSpeedButton* ButExcluir;
  TSpeedButton* ButFechar;
  TPanel* PanelPrincipal;
  TPanel* PanelCampos;
  TLabeledEdit* EditNOME;
  TLabeledEdit* EditSENHA;
  TLabel* LabelNIVEL;
  TComboBox* ComboBoxNIVEL;
  TLabeledEdit* EditEMAIL;
  TPanel* PanelTitulo;
  TDBGrid* DBGridUSUARIOS;

  // New-user mode with empty fields; deleting unavailable.
  void LimpaCamposUsuario();
  // Existing-user mode with the grid's current user in the fields.
  void CarregaUsuario();
  void GravaUsuario();
  void InsereUsuario();
  // Changes password, e-mail and level of the user loaded from the grid;
  // its name is never changed.
  void AlteraUsuario();
  void ExcluiUsuario();

  // True in new-user mode, false while a loaded user is being changed.
  bool NovoUsuario() const { return FNovoUsuario; }

  void ButGravarClick(TObject* Sender);
  void ButCancelarClick(TObject* Sender);
  void ButExcluirClick(TObject* Sender);
  void ButFecharClick(TObject* Sender);
  void DBGridUSUARIOSCellClick(TColumn* Column);
  void FormShow(TObject* Sender);
  void FormKeyPress(TObject* Sender, char16_t& Key);

private:
  void HabilitaExclusao(bool habilitada);
  bool Preenchido(TWinControl* controle, bool preenchido, const String& mensagem);
  bool NomeCadastrado(const String& nome);
  String SenhaCifrada() const;
  // Runs the statement on QrUsuarios and refreshes the users table;
  // returns the rows it affected.
  int64_t Executa(const std::vector<String>& linhas);

  bool FNovoUsuario = true;
  // The row loaded by a grid click: every change and delete goes to it.
  int FIdCarregado = 0;
  String FNomeCarregado;
};

extern TfrmUsuarios* frmUsuarios;
