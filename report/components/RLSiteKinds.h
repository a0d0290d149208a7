#pragma once
// The kinds of site that report controls look up around them: band sets,
// bands, pagers, groups, skippers and reports. They carry here only what
// the control base and the sites read of them; the paging classes build on
// them.
#include "report/components/RLCustomSite.h"

class TRLCustomBandSet : public TRLCustomSite {
public:
  using TRLCustomSite::TRLCustomSite;
};

class TRLCustomBand : public TRLCustomBandSet {
public:
  using TRLCustomBandSet::TRLCustomBandSet;
  TRLBandType BandType() const { return FBandType; }
  void SetBandType(TRLBandType value) { FBandType = value; }
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int value) { FGroupIndex = value; }
  int AlignSortKey() const override { return (FBandType + 1) * 10; }
  int AlignGroupIndex() const override { return FGroupIndex; }

private:
  TRLBandType FBandType = btDetail;
  int FGroupIndex = 0;
};

class TRLCustomPager : public TRLCustomBandSet {
public:
  using TRLCustomBandSet::TRLCustomBandSet;
  TRLPagerStatus PagerStatus() const { return FPagerStatus; }
  void SetPagerStatus(TRLPagerStatus value) { FPagerStatus = value; }

private:
  TRLPagerStatus FPagerStatus;
};

class TRLCustomGroup : public TRLCustomPager {
public:
  using TRLCustomPager::TRLCustomPager;
  int AlignSortKey() const override { return 32; }
};

class TRLCustomSkipper : public TRLCustomPager {
public:
  using TRLCustomPager::TRLCustomPager;
  TRLRecordAction RecordAction() const { return FRecordAction; }
  void SetRecordAction(TRLRecordAction value) { FRecordAction = value; }

private:
  TRLRecordAction FRecordAction = raUseIt;
};

// (Sender, var Text, var PrintIt): offered every text a control prints.
using TRLFilterTextEvent = std::function<void(TObject* Sender, String& Text, bool& PrintIt)>;

class TRLCustomReport : public TRLCustomSkipper {
public:
  using TRLCustomSkipper::TRLCustomSkipper;
  TRLReportState ReportState() const { return FReportState; }
  void SetReportState(TRLReportState value) { FReportState = value; }
  TRLPrintQuality PrintQuality() const { return FPrintQuality; }
  void SetPrintQuality(TRLPrintQuality value);
  TRLCustomReport* PriorReport() const { return FPriorReport; }
  TRLCustomReport* NextReport() const { return FNextReport; }
  // Keeps the chain symmetric: the partner's opposite link follows.
  void SetNextReport(TRLCustomReport* value);
  void SetPriorReport(TRLCustomReport* value);

  TRLFilterTextEvent OnFilterText;

  // The paper changed: the report takes the size of the new page.
  virtual void PageSetupChanged();

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  TRLReportState FReportState = rsAbout;
  TRLPrintQuality FPrintQuality = pqFullFeature;
  TRLCustomReport* FPriorReport = nullptr;
  TRLCustomReport* FNextReport = nullptr;
};
