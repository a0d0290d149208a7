// The owner-drawn grid: its cells, selection test and scrolling are events.
#include "platform/ui/grids/Grids.h"

void TDrawGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
  FireEvent(OnDrawCell, this, ACol, ARow, ARect, AState);
}

bool TDrawGrid::SelectCell(int ACol, int ARow) {
  bool canSelect = TCustomGrid::SelectCell(ACol, ARow);
  FireEvent(OnSelectCell, this, ACol, ARow, canSelect);
  return canSelect;
}

void TDrawGrid::TopLeftChanged() {
  TCustomGrid::TopLeftChanged();
  FireEvent(OnTopLeftChanged, this);
}
