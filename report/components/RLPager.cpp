#include "report/components/RLPager.h"
#include "report/components/RLControlUtils.h"
#include "report/components/RLSiteKinds.h"
#include "report/pages/RLGraphicSurface.h"

TRLCustomPager::TRLCustomPager(TComponent* AOwner) : TRLCustomBandSet(AOwner) {
  SetAlign(faTop);
  SetAutoSizeDir(TRLAutoSizeDirSet{asHeightDir});
}

bool TRLCustomPager::NewPageNeeded() {
  const bool needed = FNewPageNeeded;
  FNewPageNeeded = false;
  return needed;
}

// ---- Sorted bands and printing ---------------------------------------------------

void TRLCustomPager::CollectSortedBands() {
  FSortedBands.Clear();
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* child = UnwrapControl(Controls(i));
    if (dynamic_cast<TRLCustomBand*>(child))
      FSortedBands.Add(child);
    else if (auto* pager = dynamic_cast<TRLCustomPager*>(child))
      pager->CollectSortedBands();
  }
}

TRLPrintBandResults TRLCustomPager::PrintBands(TRLBandType AType) {
  const std::vector<TRLCustomBand*>& list = FSortedBands.GetList(AType);
  if (list.empty()) return brNoBands;
  for (size_t i = 0; i < list.size();) {
    if (list[i] == FNewPageCaller) return brStackExit;
    size_t end = i + 1;
    const int group = list[i]->GroupIndex();
    if (group > 0)
      while (end < list.size() && list[end]->GroupIndex() == group) ++end;
    const int copies = list[i]->CarbonCopies();
    for (int copy = 0; copy < copies; ++copy)
      for (size_t k = i; k < end; ++k) {
        list[k]->SetCarbonIndex(copy);
        PrintBand(list[k]);
      }
    i = end;
  }
  FSortedBands.SetPrinted(AType, true);
  return brPrinted;
}

void TRLCustomPager::PrintBand(TRLCustomBand* ABand) {
  ABand->PushBoundsRect();
  ABand->PushChildBounds();
  try {
    if (ABand->DecidePrinting()) {
      if (!ABand->Options().Contains(boOptimisticPageBreak)) ABand->CheckFitBeforePrint();
      ABand->AdjustBounds();
      ABand->Print();
      if (ABand->AfterPrint) ABand->AfterPrint(ABand);
    }
  } catch (...) {
    ABand->PopChildBounds();
    ABand->PopBoundsRect();
    throw;
  }
  ABand->PopChildBounds();
  ABand->PopBoundsRect();
}

void TRLCustomPager::PrintSite(TRLCustomSite* ASite) {
  if (!ASite->DecidePrinting()) return;
  ASite->AdjustBounds();
  ASite->Print();
  if (ASite->AfterPrint) ASite->AfterPrint(ASite);
}

namespace {
template <typename T>
T* AsPagerKind(TRLCustomControl* control);
template <>
TRLCustomGroup* AsPagerKind<TRLCustomGroup>(TRLCustomControl* control) { return control->AsGroup(); }
template <>
TRLCustomSkipper* AsPagerKind<TRLCustomSkipper>(TRLCustomControl* control) { return control->AsSkipper(); }
}  // namespace

template <typename T>
void TRLCustomPager::PrintPagers() {
  for (int i = 0; i < ControlCount(); ++i) {
    TRLCustomControl* child = ReportChild(i);
    T* site = child ? AsPagerKind<T>(child) : nullptr;
    if (site && !child->AsReport()) PrintSite(site);
  }
}

void TRLCustomPager::PrintHeaders() {
  if (!Enabled()) return;
  for (TRLBandType type : {btHeader, btTitle, btColumnHeader}) {
    if (FSortedBands.GetPrinted(type)) continue;
    if (PrintBands(type) == brStackExit) return;
  }
  if (FFooterMeasuring == fmAfterHeader) MeasureFooters();
}

void TRLCustomPager::PrintDetails() {
  if (FFooterMeasuring == fmBeforeDetail) MeasureFooters();
  PrintPagers<TRLCustomGroup>();
  // A skipper nested in a pager walks its own records once per record here.
  PrintPagers<TRLCustomSkipper>();
  PrintBands(btDetail);
}

void TRLCustomPager::PrintFooters(bool ASummarize) {
  if (!Enabled()) return;
  if (!FSortedBands.GetPrinted(btColumnFooter) && PrintBands(btColumnFooter) == brStackExit) return;
  if (ASummarize && !FSortedBands.GetPrinted(btSummary) && PrintBands(btSummary) == brStackExit) return;
  if (!FSortedBands.GetPrinted(btFooter)) PrintBands(btFooter);
}

void TRLCustomPager::PrintCompletion() {
  FPagerStatus.Include(psCompleting);
  struct Clear {
    TRLPagerStatus& status;
    ~Clear() { status.Exclude(psCompleting); }
  } clear{FPagerStatus};
  TRLCustomBand* band = nullptr;
  for (TRLCustomBand* candidate : FSortedBands.GetList(btDetail))
    if (candidate->Completion() != ctNone && candidate->ComputableTest()) {
      band = candidate;
      break;
    }
  if (!band) return;
  auto wanted = [&] {
    switch (band->Completion()) {
      case ctFullPage:
        return FRelativePagerRow + band->Height() < GetRelativeColumnFooterRowNoSummary(true) &&
               !(FMaxBands > 0 && FDetailsInSurface >= FMaxBands);
      case ctMaxBands:
        return FDetailsInSurface < FMaxBands;
      case ctMinBands:
        return FDetailsInSurface < FMinBands;
      default:
        return false;
    }
  };
  // A pass that brings the loop no nearer its limit would never end: a
  // full page fills by rows, the others count details.
  const bool byRows = band->Completion() == ctFullPage;
  while (wanted()) {
    const int row = FRelativePagerRow, details = FDetailsInSurface;
    PrintBand(band);
    const bool counted = FDetailsInSurface != details;
    if (byRows ? FRelativePagerRow == row && !(FMaxBands > 0 && counted) : !counted) break;
  }
}

void TRLCustomPager::MeasureFooters() {
  for (TRLCustomBand* band : FSortedBands.GetList(btFooter)) band->MeasureHeight();
  TRLCustomControl* parent = ReportAncestor();
  if (TRLCustomPager* pager = parent && parent == Parent() ? parent->AsPager() : nullptr) pager->MeasureFooters();
}

// ---- Rows ------------------------------------------------------------------------

int TRLCustomPager::VisibleBandHeights(TRLBandType AType, bool OnlyAlignedToBottom) const {
  int total = 0;
  for (TRLCustomBand* band : FSortedBands.GetList(AType))
    if (band->Visible() && (!OnlyAlignedToBottom || band->AlignToBottom())) total += band->Height();
  return total;
}

int TRLCustomPager::BottomInsets() {
  TRect insets;
  GetBorderInsets(insets);
  int total = insets.Bottom;
  if (TRLCustomPager* parent = FindParentPager()) total += parent->BottomInsets();
  return total;
}

int TRLCustomPager::GetRelativeFooterRow(bool AConsiderAligned) {
  (void)AConsiderAligned;
  TRLCustomReport* report = FindParentReport();
  const int bottom = report ? report->PrintSize().Y : PrintSize().Y;
  int footers = 0, columnFooters = 0;
  for (TRLCustomPager* p = this; p; p = p->FindParentPager()) {
    footers += p->VisibleBandHeights(btFooter);
    if (p != this) columnFooters += p->VisibleBandHeights(btColumnFooter);
  }
  return bottom - AbsolutePrintPosition().Y - BottomInsets() - footers - columnFooters;
}

int TRLCustomPager::GetRelativeSummaryRow(bool AConsiderAligned) {
  return GetRelativeFooterRow(AConsiderAligned) - VisibleBandHeights(btSummary, true);
}

int TRLCustomPager::GetRelativeColumnFooterRowNoSummary(bool AConsiderAligned) {
  return GetRelativeFooterRow(AConsiderAligned) - VisibleBandHeights(btColumnFooter);
}

static bool GoDownTo(int& row, int target) {
  if (row >= target) return false;
  row = target;
  return true;
}

bool TRLCustomPager::GoFooterRow() { return !AutoTrunc() && GoDownTo(FRelativePagerRow, GetRelativeFooterRow(true)); }
bool TRLCustomPager::GoSummaryRow() { return GoDownTo(FRelativePagerRow, GetRelativeSummaryRow(true)); }
bool TRLCustomPager::GoColumnFooterRow() {
  return GoDownTo(FRelativePagerRow, GetRelativeColumnFooterRowNoSummary(true));
}

// ---- Pages and documents -------------------------------------------------------

void TRLCustomPager::ResetPageCounters() {
  FDataBandPrinted = 0;
  FDetailsInSurface = 0;
  FNewPageNeeded = false;
  TRect insets;
  GetBorderInsets(insets);
  FRelativePagerRow = insets.Top;
}

void TRLCustomPager::Initialize() {
  TRLCustomBandSet::Initialize();
  FDetailCount = 0;
  ResetPageCounters();
}

void TRLCustomPager::ComputeDetail(TRLCustomControl* ACaller) {
  TRLCustomBandSet::ComputeDetail(ACaller);
  ++FDetailCount;
}

void TRLCustomPager::PrepareSurfaceOpen() {
  TRLCustomBandSet::PrepareSurfaceOpen();
  PushBoundsRect();
  ResetPageCounters();
  FSortedBands.ResetPage();
}

void TRLCustomPager::ComputePrintPlacement() {
  TRLCustomPager* parent = FindParentPager();
  if (!parent) {
    SetPrintPosition(TPoint(0, 0));
    SetPrintSize(TPoint(Width(), Height()));
    return;
  }
  SetPrintPosition(TPoint(Left(), parent->RelativePagerRow()));
  const int height = AutoTrunc() ? parent->GetRelativeFooterRow(false) - parent->RelativePagerRow() : Height();
  SetPrintSize(TPoint(Width(), height));
}

void TRLCustomPager::FillOpenedSurface() {
  TRLCustomBandSet::FillOpenedSurface();
  PrintHeaders();
}

void TRLCustomPager::FinishSurfaceContents() {
  PrintFooters(false);
  TRLCustomBandSet::FinishSurfaceContents();
}

void TRLCustomPager::TrimSurfaceHeight() {
  TRect insets;
  GetBorderInsets(insets);
  FRelativePagerRow += insets.Bottom;
  if (AutoTrunc()) {
    SetPrintSize(TPoint(PrintSize().X, FRelativePagerRow));
    Surface()->SetHeight(FRelativePagerRow);
  }
}

void TRLCustomPager::SettleClosedSurface() {
  TRLCustomBandSet::SettleClosedSurface();
  if (TRLCustomPager* parent = FindParentPager())
    parent->SetRelativePagerRow(parent->RelativePagerRow() + PrintSize().Y);
  PopBoundsRect();
}

void TRLCustomPager::BreakPage(TRLCustomControl* Caller, bool RepositionOnly) {
  struct Restore {
    TRLCustomControl*& caller;
    TRLCustomControl* old;
    ~Restore() { caller = old; }
  } restore{FNewPageCaller, FNewPageCaller};
  FNewPageCaller = Caller;
  if (!RepositionOnly) CloseSurface();
  if (TRLCustomPager* parent = FindParentPager()) parent->BreakPage(Caller, false);
  if (RepositionOnly)
    ComputePrintPlacement();
  else
    OpenSurface();
}

bool TRLCustomPager::PageHasData() const {
  if (FForceMinBands && FMinBands > 0 && FDetailsInSurface < FMinBands) return false;
  return FDataBandPrinted > 0;
}

void TRLCustomPager::ResetForDocument() {
  FSortedBands.ResetAll();
  Initialize();
}

void TRLCustomPager::BeginDoc() {
  ResetForDocument();
  ComputePrintPlacement();
}

void TRLCustomPager::FinishDocument() {
  PrintCompletion();
  PrintFooters(true);
  CloseSurface();
}

void TRLCustomPager::EndDoc() { FinishDocument(); }

void TRLCustomPager::RefreshAllowedBands() {
  TRLBandTypes types;
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* band = dynamic_cast<TRLCustomBand*>(UnwrapControl(Controls(i)))) types.Include(band->BandType());
  FAllowedBands = types;
}
