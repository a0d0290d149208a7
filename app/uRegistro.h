#pragma once
// What the agent's and the utility's records share: the window around the
// fields (the "Editar" menu, the side buttons and the fields panel), the
// steps of saving and dropping the single row, and the builders of the
// fields.
#include "platform/dbctrls/DBComboBox.h"
#include "platform/dbctrls/DBEdit.h"
#include "platform/dbctrls/DBRadioGroup.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"

// A record window: "Gravar", "Excluir" and "Sair" both in the menu and down
// the side, the fields on the panel that fills the rest, and Enter moving
// to the next field.
class TfrmRegistro : public TForm {
public:
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

  virtual void FormShow(TObject* Sender) = 0;
  virtual void FormClose(TObject* Sender, TCloseAction& Action) = 0;
  void FormKeyPress(TObject* Sender, char16_t& Key);
  virtual void ButGravarClick(TObject* Sender) = 0;
  virtual void ButExcluirClick(TObject* Sender) = 0;
  virtual void ButFecharClick(TObject* Sender) = 0;

protected:
  // dicaExcluir: the hint of the "Excluir" button.
  TfrmRegistro(TComponent* AOwner, const String& titulo, int altura, const String& dicaExcluir);
  // Tells the operator what is missing and puts the focus on its field.
  static void Recusa(TWinControl* controle, const String& mensagem, int tipo);
};

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
