#pragma once
// The band set that composes pages: it prints its bands in page order,
// answers bands with the row they print at and the space left, breaks
// pages, keeps footers at the bottom and completes the last page.
#include "report/components/RLBand.h"
#include "report/components/RLSortedBands.h"

enum TRLPrintBandResults : uint8_t { brNoBands, brPrinted, brStackExit };
enum TRLFooterMeasuring : uint8_t { fmNone, fmAfterHeader, fmBeforeDetail };
using TRLBandTypes = TEnumSet<TRLBandType>;

class TRLCustomPager : public TRLCustomBandSet {
public:
  explicit TRLCustomPager(TComponent* AOwner);
  TRLCustomPager* AsPager() override { return this; }

  TRLBandTypes AllowedBands() const { return FAllowedBands; }
  void SetAllowedBands(TRLBandTypes value) { FAllowedBands = value; }
  // The types of the child bands, taken again after a band came, left or
  // changed its type.
  void RefreshAllowedBands();
  int DetailCount() const { return FDetailCount; }
  int MaxBands() const { return FMaxBands; }
  void SetMaxBands(int value) { FMaxBands = value; }
  int MinBands() const { return FMinBands; }
  void SetMinBands(int value) { FMinBands = value; }
  bool ForceMinBands() const { return FForceMinBands; }
  void SetForceMinBands(bool value) { FForceMinBands = value; }
  TRLFooterMeasuring FooterMeasuring() const { return FFooterMeasuring; }
  void SetFooterMeasuring(TRLFooterMeasuring value) { FFooterMeasuring = value; }
  TRLPageBreaking PageBreaking() const { return FPageBreaking; }
  void SetPageBreaking(TRLPageBreaking value) { FPageBreaking = value; }
  int RelativePagerRow() const { return FRelativePagerRow; }
  void SetRelativePagerRow(int value) { FRelativePagerRow = value; }
  int DetailsInSurface() const { return FDetailsInSurface; }
  void CountDetailInSurface() { ++FDetailsInSurface; }
  int DataBandPrinted() const { return FDataBandPrinted; }
  void CountDataBand() { ++FDataBandPrinted; }
  // Reading the flag clears it.
  bool NewPageNeeded();
  void InvalidatePage() { FNewPageNeeded = true; }
  TRLPagerStatus PagerStatus() const { return FPagerStatus; }
  void SetPagerStatus(TRLPagerStatus value) { FPagerStatus = value; }
  const TRLSortedBands& SortedBands() const { return FSortedBands; }

  TRLPrintBandResults PrintBands(TRLBandType AType);
  void PrintBand(TRLCustomBand* ABand);
  void PrintSite(TRLCustomSite* ASite);
  void PrintHeaders();
  void PrintDetails();
  void PrintFooters(bool ASummarize);
  void PrintCompletion();
  void MeasureFooters();

  int GetRelativeFooterRow(bool AConsiderAligned);
  int GetRelativeSummaryRow(bool AConsiderAligned);
  int GetRelativeColumnFooterRowNoSummary(bool AConsiderAligned);
  bool GoFooterRow();
  bool GoSummaryRow();
  bool GoColumnFooterRow();

  void BeginDoc();
  void EndDoc();
  void NewPage() { BreakPage(nullptr, false); }
  void BreakPage(TRLCustomControl* Caller, bool RepositionOnly);
  bool PageHasData() const;
  void CollectSortedBands();

  void Initialize() override;
  void ComputeDetail(TRLCustomControl* ACaller) override;

protected:
  void PrepareSurfaceOpen() override;
  void FillOpenedSurface() override;
  void FinishSurfaceContents() override;
  void SettleClosedSurface() override;
  void TrimSurfaceHeight() override;
  void ComputePrintPlacement() override;
  virtual void ResetForDocument();
  virtual void FinishDocument();
  void ResetPageCounters();

private:
  // Sums over this pager and every pager around it.
  int BottomInsets();
  int VisibleBandHeights(TRLBandType AType, bool OnlyAlignedToBottom = false) const;
  template <typename T>
  void PrintPagers();

  TRLBandTypes FAllowedBands;
  int FDetailCount = 0;
  TRLSortedBands FSortedBands;
  int FMaxBands = 0;
  int FMinBands = 0;
  int FRelativePagerRow = 0;
  int FDetailsInSurface = 0;
  bool FNewPageNeeded = false;
  TRLPageBreaking FPageBreaking = TRLPageBreaking::pbNone;
  TRLCustomControl* FNewPageCaller = nullptr;
  bool FForceMinBands = false;
  TRLFooterMeasuring FFooterMeasuring = fmNone;
  int FDataBandPrinted = 0;
  TRLPagerStatus FPagerStatus;
};
