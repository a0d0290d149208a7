#include "report/components/RLSkipper.h"
#include "platform/data/DataSet.h"
#include "platform/data/DataSource.h"
#include "report/components/RLSiteKinds.h"

void TRLCustomSkipper::SetDataSource(TDataSource* value) {
  if (FDataSource == value) return;
  FDataSource = value;
  if (value) value->FreeNotification(this);
}

void TRLCustomSkipper::Notification(TComponent* AComponent, TOperation Operation) {
  TRLCustomPager::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FDataSource) FDataSource = nullptr;
}

TDataSet* TRLCustomSkipper::ActiveDataSet() const {
  TDataSet* dataSet = FDataSource ? FDataSource->DataSet() : nullptr;
  return dataSet && dataSet->Active() ? dataSet : nullptr;
}

int TRLCustomSkipper::DataCount() {
  int count = 0;
  if (OnDataCount)
    OnDataCount(this, count);
  else if (TDataSet* dataSet = ActiveDataSet())
    count = dataSet->RecordCount();
  return count;
}

bool TRLCustomSkipper::GetRecord(Move AMove) {
  if (FDataSource) {
    TDataSet* dataSet = ActiveDataSet();
    if (!dataSet) return false;
    if (AMove == Move::First)
      dataSet->First();
    else if (AMove == Move::Next)
      dataSet->Next();
    return !dataSet->Eof();
  }
  bool more = false;
  if (OnNeedData) OnNeedData(this, more);
  return more;
}

void TRLCustomSkipper::OfferRecords(bool AFirst, bool ARetained) {
  bool firstPass = true;
  do {
    bool more;
    if (firstPass && ARetained)
      more = true;
    else if (firstPass && AFirst)
      more = GetRecord(FRecordRange == rrAllRecords ? Move::First : Move::Stay);
    else
      more = GetRecord(Move::Next);
    firstPass = false;
    if ((!AFirst && FRecordRange == rrCurrentOnly) || (FRecordRange == rrNextN && FRangeCount < FRecNo)) more = false;
    FDataEof = !more;
    FRecordAction = raUseIt;
    if (OnDataRecord) OnDataRecord(this, FRecNo, FCopyNo, FDataEof, FRecordAction);
  } while (!FDataEof && FRecordAction == raIgnoreIt);
}

void TRLCustomSkipper::DataFirst() {
  FRecNo = 1;
  FCopyNo = 1;
  OfferRecords(true, false);
  FRecordMoved = false;
}

void TRLCustomSkipper::DataNext() {
  const TRLRecordAction previous = FRecordAction;
  FCopyNo = previous == raUseAndRetain ? FCopyNo + 1 : 1;
  if (previous == raUseIt) ++FRecNo;
  OfferRecords(false, previous == raUseAndRetain || previous == raBlankAndRetain);
  FRecordMoved = true;
}

void TRLCustomSkipper::RunDataLoop() {
  TRLCustomReport* master = MasterReport();
  while (!FDataEof && !master->Canceled()) {
    FRecordMoved = false;
    PrintDetails();
    if (!FRecordMoved) DataNext();
  }
}

void TRLCustomSkipper::EmitToSurface() {
  TRLCustomReport* report = RequestParentReport();
  TRLCustomPager* pager = FindParentPager();
  if (PageBreaking() == pbBeforePrint && report->DataBandPrinted() > 0) {
    if (pager) pager->BreakPage(this, !pager->PageHasData());
    ComputePrintPlacement();
  }
  BeginDoc();
  DataFirst();
  RunDataLoop();
  EndDoc();
  if (PageBreaking() == pbAfterPrint) report->InvalidatePage();
}
