#pragma once
// The period summary: the stored totals of the agent's movements opened
// within two dates, added up (receipts, cash, cheques and their sum). It
// reads the movements' own totals, which every receipt keeps up to date.
#include "controls/RxDateUtil.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Mask.h"
#include "platform/ui/StdCtrls.h"

// ---- STAND-IN (records helper) ---------------------------------------------
// Minimal stand-ins for the extended controls' date and currency edits
// (controls/RxToolEdit.h, controls/RxCurrEdit.h), which have not landed yet.
// Only what this window uses; remove when the real ones arrive.
class TDateEdit : public TMaskEdit {
public:
  explicit TDateEdit(TComponent* AOwner);
  // The date the text reads as; 0 (no date) when it reads as none.
  TDateTime Date() const;
  void SetDate(TDateTime value);
  void SetDialogTitle(const String&) {}
  void SetNumGlyphs(int) {}
  void SetStartOfWeek(TDayOfWeekName) {}
};

class TCurrencyEdit : public TEdit {
public:
  explicit TCurrencyEdit(TComponent* AOwner);
  double Value() const { return FValue; }
  void SetValue(double value);
  const String& DisplayFormat() const { return FDisplayFormat; }
  void SetDisplayFormat(const String& value);

private:
  double FValue = 0;
  String FDisplayFormat = u",0.00";
};
// ---- end of STAND-IN -------------------------------------------------------

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
