#pragma once
// The utility's record, twin of the agent's: a data-bound form over the
// single utility row, with its Febraban code and its logo picture.
// Read-only in the agent version.
#include "app/uAgente.h"
#include "platform/dbctrls/DBImage.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"

class TfrmConc : public TForm {
public:
  explicit TfrmConc(TComponent* AOwner);
  ~TfrmConc() override;

  // Shows the record modally, creating the window the first time.
  static void AbreFormConc();

  TMainMenu* MainMenu1;
  TMenuItem* MnuEditar;
  TMenuItem* MnuGravar;
  TMenuItem* MnuExcluir;
  TMenuItem* MnuSair;
  TPanel* PanelBotoes;
  TSpeedButton* ButGravar;
  TSpeedButton* ButExcluir;
  TSpeedButton* ButFechar;
  TPanel* PanelCampos;
  TDBEdit* DBEditRAZAO_SOCIAL;
  TDBEdit* DBEditENDERECO;
  TDBEdit* DBEditBAIRRO;
  TDBEdit* DBEditMUNICIPIO;
  TDBComboBox* DBComboBoxUF;
  TDBEdit* DBEditCEP;
  TDBEdit* DBEditFONE;
  TDBEdit* DBEditCNPJ;
  TDBRadioGroup* DBRadioGroupTIPO_INSCRICAO;
  TDBEdit* DBEditINSCRICAO;
  TDBEdit* DBEditNOME_EMPREGADOR;
  TDBEdit* DBEditCARGO_EMPREGADOR;
  TDBEdit* DBEditCOD_CONC;
  TDBEdit* DBEditDOC_CREDENCIAMENTO;
  TLabel* LabelLOGOTIPO;
  TDBImage* DBImageLOGOTIPO;
  TOpenDialog* OpenDialog1;

  void HabilitaControlesConc();
  // Loads a bitmap file into the logo of the row being edited; raises when
  // the file is not a readable bitmap, leaving the row as it was.
  void CarregaLogotipo(const String& arquivo);

  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormKeyPress(TObject* Sender, char16_t& Key);
  void ButGravarClick(TObject* Sender);
  void ButExcluirClick(TObject* Sender);
  void ButFecharClick(TObject* Sender);
  void DBImageLOGOTIPOClick(TObject* Sender);

private:
  void Recusa(TWinControl* controle, const String& mensagem);
};

extern TfrmConc* frmConc;
