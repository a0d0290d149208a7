#include "report/ui/RLTableLayout.h"
#include "platform/ui/Controls.h"

TRect TTableLayout::CellRect(int ARowIndex, int AColIndex) const {
  int left = Margins.Left;
  for (int i = 0; i < AColIndex; ++i) left += ColSizes.at(i) + Spacing.X;
  int top = Margins.Top + ARowIndex * (LineHeight + Spacing.Y);
  return TRect(left, top, left + ColSizes.at(AColIndex), top + LineHeight);
}

TRect TTableLayout::RangeRect(int ARowIndex0, int AColIndex0, int ARowIndex1, int AColIndex1) const {
  TRect first = CellRect(ARowIndex0, AColIndex0);
  TRect last = CellRect(ARowIndex1, AColIndex1);
  return TRect(first.Left, first.Top, last.Right, last.Bottom);
}

void TTableLayout::Cell(int ARowIndex, int AColIndex, TControl* ACtrl) const {
  ACtrl->SetBoundsRect(CellRect(ARowIndex, AColIndex));
}

void TTableLayout::Range(int ARowIndex0, int AColIndex0, int ARowIndex1, int AColIndex1, TControl* ACtrl) const {
  ACtrl->SetBoundsRect(RangeRect(ARowIndex0, AColIndex0, ARowIndex1, AColIndex1));
}

void TTableLayout::Row(int ARowIndex, const std::vector<TControl*>& ACtrls) const {
  for (size_t i = 0; i < ACtrls.size(); ++i)
    if (ACtrls[i]) Cell(ARowIndex, static_cast<int>(i), ACtrls[i]);
}
