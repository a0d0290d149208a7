#pragma once
// The utility's record, twin of the agent's: a data-bound form over the
// single utility row, with its Febraban code and its logo picture.
// Read-only in the agent version.
#include "app/uRegistro.h"
#include "platform/dbctrls/DBImage.h"
#include "platform/ui/Dialogs.h"

class TfrmConc : public TfrmRegistro {
public:
  explicit TfrmConc(TComponent* AOwner);
  ~TfrmConc() override;

  // Shows the record modally, creating the window the first time.
  static void AbreFormConc();

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

  void FormShow(TObject* Sender) override;
  void FormClose(TObject* Sender, TCloseAction& Action) override;
  void ButGravarClick(TObject* Sender) override;
  void ButExcluirClick(TObject* Sender) override;
  void ButFecharClick(TObject* Sender) override;
  void DBImageLOGOTIPOClick(TObject* Sender);
};

extern TfrmConc* frmConc;
