#pragma once
// The purge of a period: deletes the agent's movements opened within two
// dates and the agent's receipts dated within them, showing how many
// receipts go and how many stay, each for a short pause, then closes.
#include "platform/ui/Buttons.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Mask.h"
#include "platform/ui/StdCtrls.h"

class TfrmElimina : public TForm {
public:
  explicit TfrmElimina(TComponent* AOwner);
  ~TfrmElimina() override;

  // Shows the form without making it modal, creating it the first time,
  // then warns that the purge cannot be undone.
  static void AbreFormElimina();

  TPanel* PanelBotoes;
  TSpeedButton* ButExcluir;
  TSpeedButton* ButCancelar;
  TSpeedButton* ButFechar;
  TPanel* PanelCampos;
  TLabel* LabelPeriodo;
  TMaskEdit* EditDATA1;
  TLabel* LabelA;
  TMaskEdit* EditDATA2;
  TPanel* PanelMensagem;
  TLabel* LabelMENS;

  // The three steps of a purge; each reports its own failure and lets the
  // next one run.
  void ContaRecebimentos();
  // Both deletes in one transaction: on any failure nothing is deleted.
  void ExcluiPeriodo();
  void ContaRecebimentosRestantes();

  // True from the first count to the closing of the form.
  bool Excluindo() const { return FExcluindo; }

  void ButExcluirClick(TObject* Sender);
  void ButCancelarClick(TObject* Sender);
  void ButFecharClick(TObject* Sender);
  void EditDATA1Exit(TObject* Sender);
  void EditDATA2Exit(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormActivate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  void FormKeyPress(TObject* Sender, char16_t& Key);

private:
  String CondicaoPeriodo(const String& campo) const;
  void HabilitaBotoes(bool habilitados);

  bool FExcluindo = false;
};

extern TfrmElimina* frmElimina;
