#include "report/components/RLBand.h"
#include "report/components/RLSiteKinds.h"
#include "report/pages/RLGraphicSurface.h"

TRLCustomBand::TRLCustomBand(TComponent* AOwner) : TRLCustomBandSet(AOwner) {
  SetAlign(faTop);
  SetAutoExpand(true);
  SetAutoSizeDir(TRLAutoSizeDirSet{asHeightDir});
  SetBounds(Left(), Top(), 185, 16);
}

void TRLCustomBand::SetBandType(TRLBandType value) {
  if (FBandType == value) return;
  FBandType = value;
  if (auto* pager = dynamic_cast<TRLCustomPager*>(Parent())) pager->RefreshAllowedBands();
  if (auto* site = FindParentSite()) site->RealignControls();
  Invalidate();
}

void TRLCustomBand::SetParent(TWinControl* AParent) {
  auto* old = dynamic_cast<TRLCustomPager*>(Parent());
  TRLCustomBandSet::SetParent(AParent);
  if (old) old->RefreshAllowedBands();
  if (auto* pager = dynamic_cast<TRLCustomPager*>(Parent())) pager->RefreshAllowedBands();
}

// The bands of the same parent that print together with this one.
template <typename F>
static void ForEachSibling(TRLCustomBand* band, F f) {
  TWinControl* parent = band->Parent();
  if (!parent) return;
  for (int i = 0; i < parent->ControlCount(); ++i)
    if (auto* other = dynamic_cast<TRLCustomBand*>(parent->Controls(i)))
      if (other != band && other->GroupIndex() == band->GroupIndex())
        if (!f(other)) return;
}

void TRLCustomBand::SetCarbonCopies(int value) {
  if (value < 1) value = 1;
  FCarbonCopies = value;
  if (FGroupIndex > 0)
    ForEachSibling(this, [value](TRLCustomBand* other) {
      other->FCarbonCopies = value;
      return true;
    });
}

void TRLCustomBand::SetGroupIndex(int value) {
  if (value < 0) value = 0;
  FGroupIndex = value;
  if (value > 0)
    ForEachSibling(this, [this](TRLCustomBand* other) {
      FCarbonCopies = other->FCarbonCopies;
      return false;
    });
}

bool TRLCustomBand::Completing() const {
  TRLCustomPager* pager = FindParentPager();
  return pager && pager->PagerStatus().Contains(psCompleting);
}

bool TRLCustomBand::PrintingBlank() const {
  if (Completing()) return true;
  TRLCustomSkipper* skipper = FindParentSkipper();
  return skipper && skipper->RecordAction() == raBlankAndRetain;
}

bool TRLCustomBand::ComputableTest() {
  bool computeIt = FComputable;
  if (OnCompute) OnCompute(this, computeIt);
  return computeIt;
}

// An integral band moves whole to the next slot; on a page that holds no
// data band yet that would only leave a page of headers behind, so there
// it is cut like any other.
bool TRLCustomBand::MustMoveWhole(int Space) {
  if (Space < MinHeightConstraint()) return true;
  return FIntegralHeight && RequestParentReport()->DataBandPrinted() > 0;
}

void TRLCustomBand::CheckFitBeforePrint() {
  if (FBandType == btColumnFooter || FBandType == btFooter) return;
  int space = 0;
  if (!FitsInSpace(FitHeight(), space) && MustMoveWhole(space)) MoveToNextSlot();
}

void TRLCustomBand::EmitToSurface() {
  const bool swapColour = FGreenBarPrint && FGreenBarFlag;
  if (FGreenBarPrint) FGreenBarFlag = !FGreenBarFlag;
  const TColor savedColour = Color();
  const bool savedTransparent = Transparent();
  auto restore = [&] {
    if (!swapColour) return;
    SetColor(savedColour);
    if (savedTransparent) SetTransparent(true);
  };
  if (swapColour) SetColor(FGreenBarColor);
  try {
    const bool computed = FBandType == btDetail && ComputableTest() && !PrintingBlank();
    if (computed) TRLCustomSite::ComputeDetail(this);
    OpenSurface();
    CloseSurface();
    if (computed) Pager()->ComputeDetail(this);
    if (computed || FBandType == btSummary)
      for (TRLCustomPager* p = FindParentPager(); p; p = p->FindParentPager()) p->CountDataBand();
  } catch (...) {
    restore();
    throw;
  }
  restore();
}

void TRLCustomBand::ComputePrintPlacement() {
  SetPrintPosition(TPoint(Left(), Pager()->RelativePagerRow()));
  SetPrintSize(TPoint(Width(), Height()));
}

void TRLCustomBand::DeliverSurface() {
  TRLCustomPager* pager = Pager();
  TRLCustomReport* report = RequestParentReport();
  const bool dataBand = FBandType == btDetail || FBandType == btSummary;
  const bool breakBefore =
      (dataBand && !PrintingBlank() && report->NewPageNeeded()) ||
      (FPageBreaking == pbBeforePrint && report->DataBandPrinted() > 0) ||
      (FBandType == btDetail && pager->MaxBands() > 0 && pager->DetailsInSurface() >= pager->MaxBands() &&
       !Completing());
  if (breakBefore) pager->BreakPage(this, !pager->PageHasData());

  if (FAlignToBottom || FBandType == btFooter) {
    switch (FBandType) {
      case btColumnFooter:
        pager->GoColumnFooterRow();
        break;
      case btSummary:
        if (!pager->GoSummaryRow()) {
          pager->BreakPage(this, !pager->PageHasData());
          pager->GoSummaryRow();
        }
        break;
      case btFooter:
        pager->GoFooterRow();
        break;
      default:
        break;
    }
  }

  ComputePrintPlacement();
  const int total = PrintSize().Y;
  const int width = PrintSize().X;
  const bool neverMoved = FBandType == btColumnFooter || FBandType == btFooter;
  int y = 0, sliceHeight = 0;
  do {
    int h = total - y;
    int space = 0;
    if (!neverMoved && !FitsInSpace(h, space)) {
      int row = 0;
      if (MustMoveWhole(space))
        MoveToNextSlot();
      else if (Surface()->FindFreeRow(y + space, row) && row >= MinHeightConstraint() && row > y)
        h = row - y;
      else
        MoveToNextSlot();
    }
    const TPoint at = PrintPosition();
    const TRect source(0, y, width, y + h);
    const TRect target(at.X, at.Y, at.X + width, at.Y + h);
    TRLGraphicSurface* parent = RequestParentSurface();
    if (Enabled()) {
      parent->SetClipRect(target);
      try {
        PaintSiteBackground(*parent, TRect(at.X, at.Y - y, at.X + width, at.Y - y + total));
      } catch (...) {
        parent->ResetClipRect();
        throw;
      }
      parent->ResetClipRect();
    }
    parent->CopyRect(target, Surface(), source);
    y += h;
    sliceHeight = h;
    if (y < total) MoveToNextSlot();
  } while (y < total);
  AdvanceAfterSlice(width, sliceHeight);
}

bool TRLCustomBand::FitsInSpace(int Height, int& Space) {
  TRLCustomPager* pager = Pager();
  const int limit = FBandType == btSummary ? pager->GetRelativeFooterRow(false)
                                           : pager->GetRelativeColumnFooterRowNoSummary(false);
  Space = limit - pager->RelativePagerRow();
  return Space >= Height;
}

void TRLCustomBand::MoveToNextSlot() {
  Pager()->BreakPage(this, false);
  ComputePrintPlacement();
}

void TRLCustomBand::AdvanceAfterSlice(int Width, int Height) {
  (void)Width;
  TRLCustomPager* pager = Pager();
  pager->SetRelativePagerRow(pager->RelativePagerRow() + Height);
}

void TRLCustomBand::SettleClosedSurface() {
  TRLCustomBandSet::SettleClosedSurface();
  if (FBandType == btDetail && ComputableTest()) Pager()->CountDetailInSurface();
  if (FPageBreaking == pbAfterPrint) RequestParentReport()->InvalidatePage();
}

String TRLCustomBand::GetKindCaption() const {
  static const char16_t* const names[] = {u"Header", u"Title", u"ColumnHeader", u"Detail",
                                          u"ColumnFooter", u"Summary", u"Footer"};
  return names[FBandType];
}
