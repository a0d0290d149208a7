#pragma once
// Places controls on a grid of fixed column widths and line height, for the
// library's dialogs built in code.
#include "platform/ui/graphics/Geometry.h"
#include <vector>

class TControl;

class TTableLayout {
public:
  std::vector<int> ColSizes;
  int LineHeight = 0;
  TRect Margins;
  TPoint Spacing;

  TRect CellRect(int ARowIndex, int AColIndex) const;
  TRect RangeRect(int ARowIndex0, int AColIndex0, int ARowIndex1, int AColIndex1) const;
  void Cell(int ARowIndex, int AColIndex, TControl* ACtrl) const;
  void Range(int ARowIndex0, int AColIndex0, int ARowIndex1, int AColIndex1, TControl* ACtrl) const;
  // The controls go to columns 0, 1, 2 ... of the row; nullptr leaves its
  // column empty.
  void Row(int ARowIndex, const std::vector<TControl*>& ACtrls) const;
  void SetColWidths(const std::vector<int>& AColSizes) { ColSizes = AColSizes; }
};
