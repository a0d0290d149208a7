#pragma once
// The period summary: the stored totals of the agent's movements opened
// within two dates, added up (receipts, cash, cheques and their sum). It
// reads the movements' own totals, which every receipt keeps up to date.
#include "controls/RxCurrEdit.h"
#include "controls/RxToolEditDate.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"

class TfrmRes : public TForm {
public:
  explicit TfrmRes(TComponent* AOwner);
  ~TfrmRes() override;

  // Shows the summary without making it modal, creating it the first time;
  // the same window keeps its dates and results for later calls.
  static void AbrefrmRes();

  TPanel* PanelBotoes;
  TSpeedButton* ButOk;
  TSpeedButton* ButCancelar;
  TSpeedButton* ButFechar;
  TPanel* PanelCampos;
  TLabel* LabelPeriodo;
  TDateEdit* EditDT_INICIAL;
  TLabel* LabelA;
  TDateEdit* EditDT_FINAL;
  TLabel* LabelQUANTIDADE;
  TCurrencyEdit* EditQUANTIDADE;
  TLabel* LabelDINHEIRO;
  TCurrencyEdit* EditDINHEIRO;
  TLabel* LabelCHEQUE;
  TCurrencyEdit* EditCHEQUE;
  TLabel* LabelTOTAL;
  TCurrencyEdit* EditTOTAL;
  TProgressBar* ProgressBar1;

  // Sums the movements of the two dates into the four results.
  void ProcessaResumo();
  // Empties both dates and sets the results and the progress bar to 0.
  void LimpaResumo();

  void ButOkClick(TObject* Sender);
  void ButCancelarClick(TObject* Sender);
  void ButFecharClick(TObject* Sender);
  void EditDT_INICIALExit(TObject* Sender);
  void EditDT_FINALExit(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  void FormKeyPress(TObject* Sender, char16_t& Key);

private:
  void CompletaAno(TDateEdit* edit);
};

extern TfrmRes* frmRes;
