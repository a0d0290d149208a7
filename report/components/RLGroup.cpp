#include "report/components/RLGroup.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"
#include "report/components/RLSiteKinds.h"
#include "report/pages/RLLocaleStrings.h"

TRLCustomGroup::TRLCustomGroup(TComponent* AOwner) : TRLCustomPager(AOwner) {
  SetAutoTrunc(true);
  SetBounds(Left(), Top(), Width(), 64);
}

void TRLCustomGroup::SetDataFields(const String& value) {
  FDataFields = value;
  if (!value.empty()) FDataFormula.clear();
}

void TRLCustomGroup::SetDataFormula(const String& value) {
  FDataFormula = value;
  if (!value.empty()) FDataFields.clear();
}

String TRLCustomGroup::ComputeGroupKey() {
  TRLCustomSkipper* skipper = FindParentSkipper();
  TDataSet* dataSet = skipper ? skipper->ActiveDataSet() : nullptr;
  if (!dataSet) return String();
  if (!FDataFormula.empty()) return RequestParentReport()->Parse(this, FDataFormula).AsString();
  String key;
  size_t start = 0;
  while (start <= FDataFields.size() && !FDataFields.empty()) {
    size_t end = FDataFields.find(u';', start);
    if (end == String::npos) end = FDataFields.size();
    const String name = FDataFields.substr(start, end - start);
    if (!name.empty()) {
      TField* field = dataSet->FindField(name);
      if (!field)
        throw Exception(ReportText(CurrentReportTexts.LS_NotFoundStr + u": " + Name() + u".DataField \"" + name +
                                   u"\""));
      key += field->AsString();
    }
    start = end + 1;
  }
  return key;
}

bool TRLCustomGroup::TestGroupBreak() {
  bool result = false;
  if (Enabled()) {
    if (OnGetBreak) {
      OnGetBreak(this, result);
    } else {
      const String key = ComputeGroupKey();
      result = key != FLastKey;
      FLastKey = key;
    }
  } else if (TRLCustomGroup* outer = FindParentGroup()) {
    result = outer->TestGroupBreak();
  }
  FBroken = result;
  return result;
}

void TRLCustomGroup::EmitToSurface() {
  TRLCustomReport* report = RequestParentReport();
  TRLCustomPager* pager = FindParentPager();
  TRLCustomSkipper* skipper = RequestParentSkipper();
  if (PageBreaking() == pbBeforePrint && report->DataBandPrinted() > 0) {
    if (pager) pager->BreakPage(this, !pager->PageHasData());
    ComputePrintPlacement();
  }
  BeginDoc();
  FLastKey = ComputeGroupKey();
  TRLCustomReport* master = MasterReport();
  bool first = true;
  while (!skipper->DataEof() && !master->Canceled()) {
    FBroken = false;
    if (!first && TestGroupBreak()) break;
    first = false;
    skipper->SetRecordMoved(false);
    PrintDetails();
    if (FBroken) break;
    if (!skipper->RecordMoved()) skipper->DataNext();
  }
  EndDoc();
  if (PageBreaking() == pbAfterPrint) report->InvalidatePage();
}

void TRLCustomGroup::ComputeDetail(TRLCustomControl* ACaller) {
  TRLCustomPager::ComputeDetail(ACaller);
  if (TRLCustomPager* outer = FindParentPager()) outer->ComputeDetail(ACaller);
}
