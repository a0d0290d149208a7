#include "report/components/RLDetailGrid.h"
#include "report/components/RLSiteKinds.h"
#include "report/pages/RLGraphicSurface.h"
#include <algorithm>
#include <cmath>

TRLCustomDetailGrid::TRLCustomDetailGrid(TComponent* AOwner) : TRLCustomBand(AOwner) {}

void TRLCustomDetailGrid::Changed() {
  RealignControls();
  Invalidate();
}

void TRLCustomDetailGrid::SetColCount(int value) {
  value = std::max(value, 1);
  if (FColCount == value) return;
  FColCount = value;
  Changed();
}

void TRLCustomDetailGrid::SetColSpacing(double value) {
  if (FColSpacing == value) return;
  FColSpacing = value;
  Changed();
}

void TRLCustomDetailGrid::SetColWidth(double value) {
  if (FColWidth == value) return;
  FColWidth = value;
  Changed();
}

TRect TRLCustomDetailGrid::CellBounds(int Col, int Row) {
  const int w = Width(), h = Height();
  const int gap = MMToPixels(FColSpacing);
  const int cell = FColWidth > 0 ? MMToPixels(FColWidth)
                                 : static_cast<int>(std::nearbyint(double(w - (FColCount - 1) * gap) / FColCount));
  const int left = (cell + gap) * Col, top = Row * h;
  return TRect(left, top, left + cell, top + h);
}

void TRLCustomDetailGrid::Initialize() {
  TRLCustomBand::Initialize();
  FColIndex = 0;
  FRowIndex = 0;
}

void TRLCustomDetailGrid::PrepareSurfaceOpen() {
  TRLCustomBand::PrepareSurfaceOpen();
  if (FColIndex == 0 && FRowIndex == 0) FTopRow = FBottomRow = Pager()->RelativePagerRow();
}

void TRLCustomDetailGrid::ComputePrintPlacement() {
  const TRect cell = CellBounds(FColIndex, FRowIndex);
  SetPrintPosition(TPoint(Left() + cell.Left, FTopRow + cell.Top));
  SetPrintSize(TPoint(cell.Width(), cell.Height()));
  int space = 0;
  if (FitsInSpace(cell.Height(), space))
    FBottomRow = std::max(FBottomRow, FTopRow + cell.Bottom);
  else if (!IntegralHeight())
    FBottomRow = std::max(FBottomRow, FTopRow + cell.Top + space);
}

bool TRLCustomDetailGrid::FitsInSpace(int Height, int& Space) {
  TRLCustomPager* pager = Pager();
  // Before the first cell opens its surface the grid starts at the pager's row.
  const int top = FColIndex == 0 && FRowIndex == 0 && !Surface()->Opened() ? pager->RelativePagerRow() : FTopRow;
  Space = pager->GetRelativeColumnFooterRowNoSummary(false) - (top + CellBounds(FColIndex, FRowIndex).Top);
  return Space >= Height;
}

void TRLCustomDetailGrid::MoveToNextSlot() {
  TRLCustomPager* pager = Pager();
  bool breakPage = true;
  if (FOrganization == goInColumns) {
    ++FColIndex;
    breakPage = FColIndex >= FColCount;
  }
  if (breakPage) {
    pager->BreakPage(this, false);
    FTopRow = FBottomRow = pager->RelativePagerRow();
    if (FOrganization == goInColumns) FColIndex = 0;
  }
  FRowIndex = 0;
  ComputePrintPlacement();
}

void TRLCustomDetailGrid::AdvanceAfterSlice(int Width, int Height) {
  (void)Width;
  (void)Height;
  if (FOrganization == goInRows) {
    if (++FColIndex >= FColCount) {
      FColIndex = 0;
      ++FRowIndex;
    }
  } else {
    ++FRowIndex;
  }
}

void TRLCustomDetailGrid::SettleClosedSurface() {
  TRLCustomBand::SettleClosedSurface();
  Pager()->SetRelativePagerRow(FBottomRow);
}
