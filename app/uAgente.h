#pragma once
// The collecting agent's record: a data-bound form over the agent's row,
// saved through the table's cached updates. Read-only in the agent
// version.
#include "platform/dbctrls/DBComboBox.h"
#include "platform/dbctrls/DBEdit.h"
#include "platform/dbctrls/DBRadioGroup.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"

class TfrmAgente : public TForm {
public:
  explicit TfrmAgente(TComponent* AOwner);
  ~TfrmAgente() override;

  // Shows the record modally, creating the window the first time.
  static void AbreFormAgente();

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

  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormKeyPress(TObject* Sender, char16_t& Key);
  void ButGravarClick(TObject* Sender);
  void ButExcluirClick(TObject* Sender);
  void ButFecharClick(TObject* Sender);
  void DBEditGNFExit(TObject* Sender);

private:
  void Recusa(TWinControl* controle, const String& mensagem, int tipo);
};

extern TfrmAgente* frmAgente;

// Shared by the agent and utility records.
namespace Registro {
// True when the table's current row is stored in the database (not a new
// row waiting for its first save).
bool LinhaGravada(TDataSet* tabela);
// Writes the values typed into the data-bound controls to the row.
void AtualizaLinha(TDataSet* tabela);
// Puts the row in edit mode, appending one to an empty table.
void EditaLinha(TDataSet* tabela);
// Posts the row and writes it to the database, all or nothing.
void GravaLinha(TDataSet* tabela);
// Drops the unsaved changes of the row.
void DescartaLinha(TDataSet* tabela);
// After a failed save: the typed values stay in the row, waiting for another
// save or for "Sair", and the operator is told the table is unavailable.
void MantemLinhaAposFalha(TDataSet* tabela);
// Deletes the current row and writes the deletion to the database.
void ExcluiLinha(TDataSet* tabela);
// The 27 federal units, for the UF lists.
void PreencheUF(TStrings* itens);

// Builds a record's fields on its panel, owned by the form: each field is
// its label above its control, in rows 40 pixels apart.
struct Campos {
  TComponent* Dono;
  TWinControl* Painel;
  TDataSource* Fonte;

  TLabel* Rotulo(const String& texto, int x, int linha) const;
  TDBEdit* Edit(const String& texto, const String& campo, int x, int linha, int largura, bool maiusculas) const;
  // "UF:" and its list of the federal units.
  TDBComboBox* UF(int x, int linha) const;
  // " Tipo de Inscrição ": Municipal (M) or Estadual (E).
  TDBRadioGroup* TipoInscricao(int x, int linha) const;
};
}  // namespace Registro
