#pragma once
// The listing of the receipts the query shows: the agent, the date and hour
// of the run and the column titles on every page, one line per receipt,
// the count and the three sums at the end, and the page number with the
// program's footer at the foot of each page.
#include "platform/ui/Forms.h"
#include "report/components/RLDBResult.h"
#include "report/components/RLDBText.h"
#include "report/components/RLLabel.h"
#include "report/components/RLReport.h"
#include "report/components/RLSystemInfo.h"

class TDataSource;

class TFRRec : public TForm {
public:
  // The listing over `fonte` (the query's rows) with the agent's record
  // from `agente`.
  TFRRec(TComponent* AOwner, TDataSource* fonte, TDataSource* agente);

  // "V" previews the listing of the query's current rows, anything else
  // prints it without the print dialog. A new form each time, freed once
  // printed.
  static void ImprimeRecebimentos(const String& nSaida);

  TRLReport* RLReportREC;
  TRLBand* RLBandCabecalho;
  TRLDBText* RLDBTextAGENTE;
  TRLSystemInfo* RLSystemInfoDATA;
  TRLSystemInfo* RLSystemInfoHORA;
  TRLLabel* RLLabelTITULO;
  TRLBand* RLBandDetalhe;
  TRLBand* RLBandResumo;
  TRLDBResult* RLDBResultQUANTIDADE;
  TRLDBResult* RLDBResultVALOR;
  TRLDBResult* RLDBResultRECEBIDO;
  TRLDBResult* RLDBResultTROCO;
  TRLBand* RLBandRodape;
  TRLSystemInfo* RLSystemInfoFOLHA;
  TRLLabel* RLLabelRODREL;

  void RLReportRECBeforePrint(TObject* Sender, bool& PrintIt);
  void RLReportRECDataRecord(TObject* Sender, int RecNo, int CopyNo, bool& Eof, TRLRecordAction& RecordAction);

private:
  void CriaCabecalho(TDataSource* agente);
  void CriaDetalhe(TDataSource* fonte);
  void CriaResumo(TDataSource* fonte);
  void CriaRodape();
};
