#pragma once
// The collecting agent's record: a data-bound form over the agent's row,
// saved through the table's cached updates. Read-only in the agent
// version.
#include "app/uRegistro.h"

class TfrmAgente : public TfrmRegistro {
public:
  explicit TfrmAgente(TComponent* AOwner);
  ~TfrmAgente() override;

  // Shows the record modally, creating the window the first time.
  static void AbreFormAgente();

  TDBEdit* DBEditCOD_AGENTE;
  TDBEdit* DBEditNOME_FANTASIA;
  TDBEdit* DBEditRAZAO_SOCIAL;
  TDBEdit* DBEditENDERECO;
  TDBEdit* DBEditNRO;
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
  TDBEdit* DBEditGNF;
  TDBEdit* DBEditMOEDA;
  TCheckBox* CheckBoxIMPRIMIR_CUPOM;

  void HabilitaControlesAgente();

  void FormShow(TObject* Sender) override;
  void FormClose(TObject* Sender, TCloseAction& Action) override;
  void ButGravarClick(TObject* Sender) override;
  void ButExcluirClick(TObject* Sender) override;
  void ButFecharClick(TObject* Sender) override;
  void DBEditGNFExit(TObject* Sender);
};

extern TfrmAgente* frmAgente;

