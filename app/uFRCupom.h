#pragma once
// The receipt's report form: a 76 x 110 mm page with one detail grid per
// receipt of QrRecebimentos, laid out with the agent's and the utility's
// current rows.
#include "platform/ui/Forms.h"

class TRLReport;
class TRLDetailGrid;
class TRLLabel;
class TRLDBText;

class TFRCupom : public TForm {
public:
  explicit TFRCupom(TComponent* AOwner);

  // Runs the report over the current content of QrRecebimentos: "V" would
  // preview it (the preview window is not part of this program yet), any
  // other value prints it at once on the current printer, without dialog.
  void ImprimeCupom(const String& nSaida);

  TRLReport* RLReportCUPOM = nullptr;
  TRLDetailGrid* RLDetailGrid1 = nullptr;
  TRLLabel* RLLabelENDERECO_NRO = nullptr;
  TRLLabel* RLLabelMUN_UF = nullptr;
  TRLLabel* RLLabelGNF = nullptr;
  TRLDBText* RLDBText4 = nullptr;

private:
  void RLReportCUPOMBeforePrint(bool& PrintIt);
  void RLReportCUPOMDataRecord();
};
