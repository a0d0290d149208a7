// The grid's properties, its geometry (which cells are where) and the
// bookkeeping of the current cell, the selection and the scroll position.
#include "platform/ui/grids/Grids.h"
#include "platform/ui/Forms.h"
#include "platform/ui/grids/InplaceEdit.h"
#include "platform/ui/ScrollBars.h"
#include <algorithm>

namespace {
const char16_t* const SIndexOutOfRange = u"Grid index out of range";
const char16_t* const SFixedColTooBig = u"Fixed column count must be less than column count";
const char16_t* const SFixedRowTooBig = u"Fixed row count must be less than row count";
}  // namespace

TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle(TControlStyle{csCaptureMouse, csOpaque, csDoubleClicks});
  FColWidths.assign(5, FDefaultColWidth);
  FRowHeights.assign(5, FDefaultRowHeight);
  FTabStops.assign(5, true);
  SetColor(clWindow);
  SetTabStop(true);
  SetBounds(Left(), Top(), 320, 120);
}

TCustomGrid::~TCustomGrid() = default;

// ---------------------------------------------------------------- sizes

void TCustomGrid::SizeGrid(int cols, int rows) {
  const int oldCols = ColCount();
  const int oldRows = RowCount();
  if (cols == oldCols && rows == oldRows) return;
  FColWidths.resize(static_cast<size_t>(cols), FDefaultColWidth);
  FTabStops.resize(static_cast<size_t>(cols), true);
  FRowHeights.resize(static_cast<size_t>(rows), FDefaultRowHeight);
  if (FFixedCols >= cols) FFixedCols = cols - 1;
  if (FFixedRows >= rows) FFixedRows = rows - 1;
  auto clampCell = [&](TGridCoord& c) {
    c.X = std::clamp(c.X, FFixedCols, cols - 1);
    c.Y = std::clamp(c.Y, FFixedRows, rows - 1);
  };
  clampCell(FCurrent);
  clampCell(FAnchor);
  if (FOptions.Contains(goRowSelect)) {
    FCurrent.X = FFixedCols;
    FAnchor.X = cols - 1;
  }
  clampCell(FTopLeft);
  const TGridCoord maxTL = MaxTopLeft();
  FTopLeft.X = std::min(FTopLeft.X, maxTL.X);
  FTopLeft.Y = std::min(FTopLeft.Y, maxTL.Y);
  Invalidate();
  UpdateScrollRange();
  SizeChanged(oldCols, oldRows);
}

void TCustomGrid::SetColCount(int value) {
  SizeGrid(std::max(1, value), RowCount());
}

void TCustomGrid::SetRowCount(int value) {
  SizeGrid(ColCount(), std::max(1, value));
}

void TCustomGrid::SetFixedCols(int value) {
  if (value == FFixedCols) return;
  if (value < 0) throw EInvalidGridOperation(SIndexOutOfRange);
  if (value >= ColCount()) throw EInvalidGridOperation(SFixedColTooBig);
  FFixedCols = value;
  FTopLeft.X = value;
  FCurrent.X = value;
  FAnchor.X = FOptions.Contains(goRowSelect) ? ColCount() - 1 : value;
  Invalidate();
  UpdateScrollRange();
}

void TCustomGrid::SetFixedRows(int value) {
  if (value == FFixedRows) return;
  if (value < 0) throw EInvalidGridOperation(SIndexOutOfRange);
  if (value >= RowCount()) throw EInvalidGridOperation(SFixedRowTooBig);
  FFixedRows = value;
  FTopLeft.Y = value;
  FCurrent.Y = value;
  FAnchor.Y = value;
  Invalidate();
  UpdateScrollRange();
}

void TCustomGrid::SetDefaultColWidth(int value) {
  bool same = value == FDefaultColWidth;
  for (int w : FColWidths) same = same && w == value;
  if (same) return;
  FDefaultColWidth = value;
  std::fill(FColWidths.begin(), FColWidths.end(), value);
  ColWidthsChanged();
}

void TCustomGrid::SetDefaultRowHeight(int value) {
  bool same = value == FDefaultRowHeight;
  for (int h : FRowHeights) same = same && h == value;
  if (same) return;
  FDefaultRowHeight = value;
  std::fill(FRowHeights.begin(), FRowHeights.end(), value);
  RowHeightsChanged();
}

int TCustomGrid::ColWidths(int index) const {
  return index >= 0 && index < ColCount() ? FColWidths[static_cast<size_t>(index)] : FDefaultColWidth;
}

void TCustomGrid::SetColWidths(int index, int value) {
  if (index < 0 || index >= ColCount()) throw EInvalidGridOperation(SIndexOutOfRange);
  if (FColWidths[static_cast<size_t>(index)] == value) return;
  FColWidths[static_cast<size_t>(index)] = value;
  ColWidthsChanged();
}

int TCustomGrid::RowHeights(int index) const {
  return index >= 0 && index < RowCount() ? FRowHeights[static_cast<size_t>(index)] : FDefaultRowHeight;
}

void TCustomGrid::SetRowHeights(int index, int value) {
  if (index < 0 || index >= RowCount()) throw EInvalidGridOperation(SIndexOutOfRange);
  if (FRowHeights[static_cast<size_t>(index)] == value) return;
  FRowHeights[static_cast<size_t>(index)] = value;
  RowHeightsChanged();
}

int TCustomGrid::HorzLineWidth() const {
  return (FOptions.Contains(goVertLine) || FOptions.Contains(goFixedVertLine)) ? FGridLineWidth : 0;
}

int TCustomGrid::VertLineWidth() const {
  return (FOptions.Contains(goHorzLine) || FOptions.Contains(goFixedHorzLine)) ? FGridLineWidth : 0;
}

// A hidden cell (negative size) takes back the line after it, so it adds
// nothing to the layout.
int TCustomGrid::ColSize(int index) const {
  const int w = ColWidths(index);
  return w >= 0 ? w : -HorzLineWidth();
}

int TCustomGrid::RowSize(int index) const {
  const int h = RowHeights(index);
  return h >= 0 ? h : -VertLineWidth();
}

bool TCustomGrid::TabStops(int index) const {
  return index >= 0 && index < ColCount() ? FTabStops[static_cast<size_t>(index)] : true;
}

void TCustomGrid::SetTabStops(int index, bool value) {
  if (index < 0 || index >= ColCount()) throw EInvalidGridOperation(SIndexOutOfRange);
  FTabStops[static_cast<size_t>(index)] = value;
}

void TCustomGrid::SetGridLineWidth(int value) {
  if (value == FGridLineWidth) return;
  FGridLineWidth = std::max(0, value);
  Invalidate();
  UpdateScrollRange();
}

void TCustomGrid::SetOptions(TGridOptions value) {
  if (value == FOptions) return;
  if (value.Contains(goRowSelect)) value.Exclude(goAlwaysShowEditor);
  const bool rowSelectChanged = value.Contains(goRowSelect) != FOptions.Contains(goRowSelect);
  FOptions = value;
  if (!value.Contains(goEditing)) HideEditor();
  if (rowSelectChanged) {
    if (value.Contains(goRowSelect)) {
      FCurrent.X = FFixedCols;
      FAnchor = {ColCount() - 1, FCurrent.Y};
    } else {
      FAnchor = FCurrent;
    }
  }
  if (value.Contains(goAlwaysShowEditor) && value.Contains(goEditing)) ShowEditor();
  Invalidate();
  UpdateScrollRange();
}

void TCustomGrid::SetFixedColor(TColor value) {
  if (value == FFixedColor) return;
  FFixedColor = value;
  Invalidate();
}

void TCustomGrid::SetScrollBars(TScrollStyle value) {
  if (value == FScrollBars) return;
  FScrollBars = value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomGrid::SetBorderStyle(TBorderStyle value) {
  if (value == FBorderStyle) return;
  FBorderStyle = value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomGrid::SetDefaultDrawing(bool value) {
  if (value == FDefaultDrawing) return;
  FDefaultDrawing = value;
  Invalidate();
}

void TCustomGrid::SetCtl3D(bool value) {
  if (value == FCtl3D) return;
  FCtl3D = value;
  Invalidate();
}

void TCustomGrid::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style |= WS_TABSTOP;
  if (FScrollBars == ssVertical || FScrollBars == ssBoth) Params.Style |= WS_VSCROLL;
  if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) Params.Style |= WS_HSCROLL;
  if (FBorderStyle == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
  Params.ClassStyle &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TCustomGrid::CreateWndDone() {
  TCustomControl::CreateWndDone();
  UpdateScrollRange();
}

// ---------------------------------------------------------------- geometry

TCustomGrid::TAxisInfo TCustomGrid::HorzAxis() {
  return AxisLayout(HorzLineWidth(), HandleAllocated() ? ClientWidth() : Width(), FFixedCols, ColCount(), FTopLeft.X,
                    &TCustomGrid::ColSize);
}

TCustomGrid::TAxisInfo TCustomGrid::VertAxis() {
  return AxisLayout(VertLineWidth(), HandleAllocated() ? ClientHeight() : Height(), FFixedRows, RowCount(),
                    FTopLeft.Y, &TCustomGrid::RowSize);
}

TCustomGrid::TAxisInfo TCustomGrid::AxisLayout(int lineWidth, int extent, int fixedCount, int cellCount,
                                               int firstCell, int (TCustomGrid::*size)(int) const) const {
  TAxisInfo a;
  a.LineWidth = lineWidth;
  a.GridExtent = extent;
  a.FixedCellCount = fixedCount;
  a.CellCount = cellCount;
  a.FirstGridCell = firstCell;
  int pos = 0;
  for (int i = 0; i < fixedCount; ++i) pos += (this->*size)(i) + a.LineWidth;
  a.FixedBoundary = pos;
  a.GridBoundary = std::min(pos, a.GridExtent);
  a.LastFullVisibleCell = a.FirstGridCell;
  a.LastVisibleCell = a.FirstGridCell - 1;
  for (int i = a.FirstGridCell; i < a.CellCount; ++i) {
    if (pos >= a.GridExtent) break;
    a.LastVisibleCell = i;
    pos += (this->*size)(i) + a.LineWidth;
    if (pos > a.GridExtent) {
      a.GridBoundary = a.GridExtent;
      break;
    }
    a.LastFullVisibleCell = i;
    a.GridBoundary = pos;
  }
  return a;
}

int TCustomGrid::VisibleColCount() {
  const TAxisInfo a = HorzAxis();
  return std::max(1, a.LastFullVisibleCell - a.FirstGridCell + 1);
}

int TCustomGrid::VisibleRowCount() {
  const TAxisInfo a = VertAxis();
  return std::max(1, a.LastFullVisibleCell - a.FirstGridCell + 1);
}

int TCustomGrid::GridWidth() { return HorzAxis().GridBoundary; }

int TCustomGrid::GridHeight() { return VertAxis().GridBoundary; }

namespace {
// The cell of one axis at a client position, or -1.
template <typename Extent>
int CellAt(int pos, int fixedCount, int first, int count, int lineWidth, int extent, Extent ext) {
  if (pos < 0 || pos >= extent) return -1;
  int line = 0;
  for (int i = 0; i < fixedCount && i < count; ++i) {
    line += ext(i) + lineWidth;
    if (pos < line) return i;
  }
  for (int i = first; i < count; ++i) {
    line += ext(i) + lineWidth;
    if (pos < line) return i;
    if (line >= extent) break;
  }
  return -1;
}

// Start and end of a cell on one axis, or false when it is not shown.
template <typename Extent>
bool CellSpan(int cell, int fixedCount, int first, int lastVisible, int lineWidth, int extent, Extent ext,
              int& start, int& end) {
  int pos = 0;
  if (cell < fixedCount) {
    for (int i = 0; i < cell; ++i) pos += ext(i) + lineWidth;
  } else {
    if (cell < first || cell > lastVisible) return false;
    for (int i = 0; i < fixedCount; ++i) pos += ext(i) + lineWidth;
    for (int i = first; i < cell; ++i) pos += ext(i) + lineWidth;
  }
  if (pos >= extent) return false;
  start = pos;
  end = std::min(pos + ext(cell), extent);
  return end > start;
}
}  // namespace

TGridCoord TCustomGrid::MouseCoord(int X, int Y) {
  const TAxisInfo h = HorzAxis();
  const TAxisInfo v = VertAxis();
  TGridCoord c;
  c.X = CellAt(X, FFixedCols, FTopLeft.X, ColCount(), h.LineWidth, h.GridExtent,
               [this](int i) { return ColSize(i); });
  c.Y = CellAt(Y, FFixedRows, FTopLeft.Y, RowCount(), v.LineWidth, v.GridExtent,
               [this](int i) { return RowSize(i); });
  if (c.X < 0 || c.Y < 0) return {-1, -1};
  return c;
}

void TCustomGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) {
  const TGridCoord c = MouseCoord(X, Y);
  ACol = c.X;
  ARow = c.Y;
}

TRect TCustomGrid::CellRect(int ACol, int ARow) {
  if (ACol < 0 || ACol >= ColCount() || ARow < 0 || ARow >= RowCount()) return TRect();
  const TAxisInfo h = HorzAxis();
  const TAxisInfo v = VertAxis();
  TRect r;
  if (!CellSpan(ACol, FFixedCols, FTopLeft.X, h.LastVisibleCell, h.LineWidth, h.GridExtent,
                [this](int i) { return ColSize(i); }, r.Left, r.Right) ||
      !CellSpan(ARow, FFixedRows, FTopLeft.Y, v.LastVisibleCell, v.LineWidth, v.GridExtent,
                [this](int i) { return RowSize(i); }, r.Top, r.Bottom))
    return TRect();
  return r;
}

TGridCoord TCustomGrid::MaxTopLeft() {
  auto maxFirst = [](const TAxisInfo& a, auto ext) {
    int avail = a.GridExtent - a.FixedBoundary;
    int i = a.CellCount - 1;
    while (i >= a.FixedCellCount) {
      const int need = ext(i) + a.LineWidth;
      if (need > avail) break;
      avail -= need;
      --i;
    }
    return std::max(a.FixedCellCount, std::min(i + 1, a.CellCount - 1));
  };
  return {maxFirst(HorzAxis(), [this](int i) { return ColSize(i); }),
          maxFirst(VertAxis(), [this](int i) { return RowSize(i); })};
}

// ---------------------------------------------------------------- current cell

TGridRect TCustomGrid::Selection() const {
  TGridRect r = GridRect(FCurrent, FAnchor);
  if (FOptions.Contains(goRowSelect)) {
    r.Left = FFixedCols;
    r.Right = ColCount() - 1;
  }
  return r;
}

void TCustomGrid::SetSelection(const TGridRect& value) {
  const TGridRect old = Selection();
  FAnchor = {value.Right, value.Bottom};
  FCurrent = {value.Left, value.Top};
  if (FOptions.Contains(goRowSelect)) FCurrent.X = FFixedCols;
  ClampInView(FCurrent);
  SelectionMoved(old);
}

void TCustomGrid::SetCol(int value) {
  if (value != FCurrent.X) FocusCell(value, FCurrent.Y, true);
}

void TCustomGrid::SetRow(int value) {
  if (value != FCurrent.Y) FocusCell(FCurrent.X, value, true);
}

void TCustomGrid::SetLeftCol(int value) {
  value = std::clamp(value, FFixedCols, std::max(FFixedCols, ColCount() - 1));
  if (value != FTopLeft.X) MoveTopLeft(value, FTopLeft.Y);
}

void TCustomGrid::SetTopRow(int value) {
  value = std::clamp(value, FFixedRows, std::max(FFixedRows, RowCount() - 1));
  if (value != FTopLeft.Y) MoveTopLeft(FTopLeft.X, value);
}

void TCustomGrid::MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show) {
  MoveCurrent(ACol, ARow, MoveAnchor, Show);
}

void TCustomGrid::FocusCell(int ACol, int ARow, bool MoveAnchor) {
  MoveCurrent(ACol, ARow, MoveAnchor, true);
  UpdateEdit();
  Click();
}

void TCustomGrid::MoveCurrent(int ACol, int ARow, bool MoveAnchor, bool Show) {
  if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount())
    throw EInvalidGridOperation(SIndexOutOfRange);
  if (!SelectCell(ACol, ARow)) return;
  const TGridRect old = Selection();
  FCurrent = {ACol, ARow};
  if (!FOptions.Contains(goAlwaysShowEditor)) HideEditor();
  if (MoveAnchor || !FOptions.Contains(goRangeSelect)) {
    FAnchor = FCurrent;
    if (FOptions.Contains(goRowSelect)) FAnchor.X = ColCount() - 1;
  }
  if (FOptions.Contains(goRowSelect)) FCurrent.X = FFixedCols;
  if (Show) ClampInView(FCurrent);
  SelectionMoved(old);
}

void TCustomGrid::MoveAnchor(TGridCoord cell) {
  if (!FOptions.Contains(goRangeSelect)) {
    MoveCurrent(cell.X, cell.Y, true, true);
    return;
  }
  const TGridRect old = Selection();
  FAnchor = cell;
  if (FOptions.Contains(goRowSelect)) FAnchor.X = ColCount() - 1;
  ClampInView(cell);
  SelectionMoved(old);
}

void TCustomGrid::SelectionMoved(const TGridRect& oldSel) {
  if (!HandleAllocated()) return;
  const TGridRect sel = Selection();
  if (sel == oldSel) {
    InvalidateCell(FCurrent.X, FCurrent.Y);
    return;
  }
  InvalidateRect(oldSel);
  InvalidateRect(sel);
}

void TCustomGrid::MoveTopLeft(int ALeft, int ATop) {
  if (ALeft == FTopLeft.X && ATop == FTopLeft.Y) return;
  FTopLeft = {ALeft, ATop};
  UpdateScrollPos();
  Invalidate();
  InvalidateEditor();
  TopLeftChanged();
}

void TCustomGrid::ClampInView(TGridCoord cell) {
  if (!HandleAllocated()) return;
  const TAxisInfo h = HorzAxis();
  const TAxisInfo v = VertAxis();
  // The first cell that still shows `last` whole at the far edge.
  auto firstShowing = [](const TAxisInfo& a, int last, auto ext) {
    int avail = a.GridExtent - a.FixedBoundary;
    int i = last;
    while (i >= a.FixedCellCount) {
      const int need = ext(i) + a.LineWidth;
      if (need > avail) break;
      avail -= need;
      --i;
    }
    return std::max(a.FixedCellCount, std::min(i + 1, last));
  };
  TGridCoord tl = FTopLeft;
  if (cell.X >= FFixedCols) {
    if (cell.X < tl.X) tl.X = cell.X;
    else if (cell.X > h.LastFullVisibleCell) tl.X = firstShowing(h, cell.X, [this](int i) { return ColSize(i); });
  }
  if (cell.Y >= FFixedRows) {
    if (cell.Y < tl.Y) tl.Y = cell.Y;
    else if (cell.Y > v.LastFullVisibleCell) tl.Y = firstShowing(v, cell.Y, [this](int i) { return RowSize(i); });
  }
  MoveTopLeft(tl.X, tl.Y);
}

// ---------------------------------------------------------------- notifications

void TCustomGrid::DrawCell(int, int, const TRect&, TGridDrawState) {}

bool TCustomGrid::SelectCell(int, int) { return true; }

void TCustomGrid::TopLeftChanged() {
  if (FEditorMode) InvalidateEditor();
}

void TCustomGrid::ColWidthsChanged() {
  UpdateScrollRange();
  InvalidateEditor();
  Invalidate();
}

void TCustomGrid::RowHeightsChanged() {
  UpdateScrollRange();
  InvalidateEditor();
  Invalidate();
}

void TCustomGrid::SizeChanged(int, int) {}

bool TCustomGrid::IsActiveControl() {
  if (TCustomForm* form = GetParentForm(this)) return form->ActiveControl() == this;
  if (!HandleAllocated()) return false;
  for (HWND h = GetFocus(); h && IsWindow(h); h = GetParent(h))
    if (h == FHandle) return true;
  return false;
}

// ---------------------------------------------------------------- invalidation

bool TCustomGrid::AxisSpan(bool horz, int first, int last, int& start, int& end) {
  const TAxisInfo a = horz ? HorzAxis() : VertAxis();
  const int count = horz ? ColCount() : RowCount();
  const int fixed = horz ? FFixedCols : FFixedRows;
  const int top = horz ? FTopLeft.X : FTopLeft.Y;
  auto ext = [this, horz](int i) { return horz ? ColSize(i) : RowSize(i); };
  start = a.GridExtent;
  end = -1;
  for (int c = std::max(first, 0); c <= last && c < count; ++c) {
    int s = 0;
    int e = 0;
    if (!CellSpan(c, fixed, top, a.LastVisibleCell, a.LineWidth, a.GridExtent, ext, s, e)) continue;
    start = std::min(start, s);
    end = std::max(end, e + a.LineWidth);
  }
  return end > start;
}

void TCustomGrid::InvalidateRect(const TGridRect& cells) {
  if (!HandleAllocated()) return;
  RECT r{};
  int s = 0;
  int e = 0;
  if (!AxisSpan(true, cells.Left, cells.Right, s, e)) return;
  r.left = s;
  r.right = e;
  if (!AxisSpan(false, cells.Top, cells.Bottom, s, e)) return;
  r.top = s;
  r.bottom = e;
  ::InvalidateRect(FHandle, &r, FALSE);
}

void TCustomGrid::InvalidateCell(int ACol, int ARow) { InvalidateRect({ACol, ARow, ACol, ARow}); }

void TCustomGrid::InvalidateRow(int ARow) {
  int s = 0;
  int e = 0;
  if (!HandleAllocated() || !AxisSpan(false, ARow, ARow, s, e)) return;
  RECT r{0, s, ClientWidth(), e};
  ::InvalidateRect(FHandle, &r, FALSE);
}

void TCustomGrid::InvalidateCol(int ACol) {
  int s = 0;
  int e = 0;
  if (!HandleAllocated() || !AxisSpan(true, ACol, ACol, s, e)) return;
  RECT r{s, 0, e, ClientHeight()};
  ::InvalidateRect(FHandle, &r, FALSE);
}

// ---------------------------------------------------------------- scroll bars

void TCustomGrid::UpdateScrollRange() {
  if (!HandleAllocated() || FScrollBars == ssNone || FInScrollUpdate) return;
  // A bar that shows narrows the client area, which may call for the other;
  // the frame is painted once, with both bars as they end up.
  struct TScrollUpdate {
    TCustomGrid& Grid;
    explicit TScrollUpdate(TCustomGrid& grid) : Grid(grid) { Grid.FInScrollUpdate = true; }
    ~TScrollUpdate() {
      Grid.FInScrollUpdate = false;
      if (Grid.FFramePaintOwed) {
        Grid.FFramePaintOwed = false;
        SendMessageW(Grid.FHandle, WM_NCPAINT, 1, 0);
      }
    }
  } update(*this);
  for (int pass = 0; pass < 2; ++pass) {
    const int oldW = ClientWidth();
    const int oldH = ClientHeight();
    const TGridCoord maxTL = MaxTopLeft();
    if (FTopLeft.X > maxTL.X || FTopLeft.Y > maxTL.Y)
      MoveTopLeft(std::min(FTopLeft.X, maxTL.X), std::min(FTopLeft.Y, maxTL.Y));
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) {
      si.nMin = FFixedCols;
      si.nMax = ColCount() - 1;
      si.nPage = static_cast<UINT>(ColCount() - maxTL.X);
      si.nPos = FTopLeft.X;
      SetScrollInfoIfChanged(FHandle, SB_HORZ, si);
    }
    if (FScrollBars == ssVertical || FScrollBars == ssBoth) UpdateVertScrollBar();
    if (ClientWidth() == oldW && ClientHeight() == oldH) break;
  }
}

void TCustomGrid::UpdateScrollPos() {
  if (!HandleAllocated() || FScrollBars == ssNone) return;
  if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) SetScrollPos(FHandle, SB_HORZ, FTopLeft.X, TRUE);
  if (FScrollBars == ssVertical || FScrollBars == ssBoth) UpdateVertScrollBar();
}

void TCustomGrid::UpdateVertScrollBar() {
  if (!HandleAllocated() || !(FScrollBars == ssVertical || FScrollBars == ssBoth)) return;
  const TGridCoord maxTL = MaxTopLeft();
  SCROLLINFO si{};
  si.cbSize = sizeof(si);
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = FFixedRows;
  si.nMax = RowCount() - 1;
  si.nPage = static_cast<UINT>(RowCount() - maxTL.Y);
  si.nPos = FTopLeft.Y;
  SetScrollInfoIfChanged(FHandle, SB_VERT, si);
}

void TCustomGrid::ModifyScrollBar(int ScrollBar, int ScrollCode, int Pos) {
  const bool horz = ScrollBar == SB_HORZ;
  const TGridCoord maxTL = MaxTopLeft();
  const int minPos = horz ? FFixedCols : FFixedRows;
  const int maxPos = horz ? maxTL.X : maxTL.Y;
  const int page = horz ? VisibleColCount() : VisibleRowCount();
  int cur = horz ? FTopLeft.X : FTopLeft.Y;
  switch (ScrollCode) {
  case SB_LINEUP: --cur; break;
  case SB_LINEDOWN: ++cur; break;
  case SB_PAGEUP: cur -= page; break;
  case SB_PAGEDOWN: cur += page; break;
  case SB_THUMBPOSITION: cur = Pos; break;
  case SB_THUMBTRACK:
    if (FOptions.Contains(goThumbTracking)) cur = Pos;
    break;
  case SB_TOP: cur = minPos; break;
  case SB_BOTTOM: cur = maxPos; break;
  default: return;
  }
  cur = std::clamp(cur, minPos, std::max(minPos, maxPos));
  if (horz) MoveTopLeft(cur, FTopLeft.Y);
  else MoveTopLeft(FTopLeft.X, cur);
}
