// Painting the grid: the cells of the four areas (fixed corner, fixed rows,
// fixed columns, scrolling cells), the lines between them and the empty
// space beyond the last cell.
#include "platform/ui/grids/Grids.h"

namespace {
bool Intersects(const TRect& a, const TRect& b) {
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

void Fill(TCanvas* canvas, const TRect& r, TColor color) {
  if (r.IsEmpty()) return;
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(color);
  canvas->FillRect(r);
}
}  // namespace

void TCustomGrid::Paint() {
  const TAxisInfo h = HorzAxis();
  const TAxisInfo v = VertAxis();
  const int lastCol = h.LastVisibleCell;
  const int lastRow = v.LastVisibleCell;
  DrawCells(0, FFixedCols - 1, 0, FFixedRows - 1, 0, 0, h, v, FFixedColor, true);
  DrawCells(FTopLeft.X, lastCol, 0, FFixedRows - 1, h.FixedBoundary, 0, h, v, FFixedColor, true);
  DrawCells(0, FFixedCols - 1, FTopLeft.Y, lastRow, 0, v.FixedBoundary, h, v, FFixedColor, true);
  DrawCells(FTopLeft.X, lastCol, FTopLeft.Y, lastRow, h.FixedBoundary, v.FixedBoundary, h, v, Color(), false);
  DrawLines(h, v);
  TCanvas* canvas = Canvas();
  const int w = ClientWidth();
  const int ht = ClientHeight();
  Fill(canvas, TRect(h.GridBoundary, 0, w, ht), Color());
  Fill(canvas, TRect(0, v.GridBoundary, h.GridBoundary, ht), Color());
}

void TCustomGrid::DrawCells(int firstCol, int lastCol, int firstRow, int lastRow, int x0, int y0,
                            const TAxisInfo& horz, const TAxisInfo& vert, TColor color, bool fixed) {
  TCanvas* canvas = Canvas();
  const TRect clip = canvas->ClipRect();
  const TGridRect sel = Selection();
  const bool focused = IsActiveControl();
  int y = y0;
  for (int row = firstRow; row <= lastRow && y < vert.GridExtent; ++row) {
    const int bottom = std::min(y + RowSize(row), vert.GridExtent);
    int x = x0;
    for (int col = firstCol; col <= lastCol && x < horz.GridExtent; ++col) {
      const TRect where(x, y, std::min(x + ColSize(col), horz.GridExtent), bottom);
      x += ColSize(col) + horz.LineWidth;
      if (where.IsEmpty() || !Intersects(where, clip)) continue;
      TGridDrawState state;
      if (fixed) {
        state.Include(gdFixed);
      } else {
        if (sel.Contains(col, row)) state.Include(gdSelected);
        if (focused && col == FCurrent.X && row == FCurrent.Y) state.Include(gdFocused);
      }
      if (FDefaultDrawing) {
        canvas->SetFont(Font());
        TColor back = color;
        if (state.Contains(gdSelected) &&
            (!state.Contains(gdFocused) || FOptions.Contains(goDrawFocusSelected) || FOptions.Contains(goRowSelect))) {
          back = clHighlight;
          canvas->Font()->SetColor(clHighlightText);
        }
        Fill(canvas, where, back);
      }
      DrawCell(col, row, where, state);
      if (FDefaultDrawing && fixed && FCtl3D) {
        UINT flags1 = 0;
        UINT flags2 = 0;
        if (FOptions.Contains(goFixedVertLine)) {
          flags1 |= BF_RIGHT;
          flags2 |= BF_LEFT;
        }
        if (FOptions.Contains(goFixedHorzLine)) {
          flags1 |= BF_BOTTOM;
          flags2 |= BF_TOP;
        }
        if (flags1) {
          RECT r{where.Left, where.Top, where.Right, where.Bottom};
          DrawEdge(canvas->Handle(), &r, BDR_RAISEDINNER, flags1);
          DrawEdge(canvas->Handle(), &r, BDR_RAISEDINNER, flags2);
        }
      }
      if (FDefaultDrawing && state.Contains(gdFocused) &&
          !(FOptions.Contains(goEditing) && FOptions.Contains(goAlwaysShowEditor)) &&
          !FOptions.Contains(goRowSelect)) {
        canvas->Brush()->SetColor(state.Contains(gdSelected) ? clHighlight : color);
        canvas->DrawFocusRect(where);
      }
    }
    y = bottom + vert.LineWidth;
  }
}

void TCustomGrid::DrawLines(const TAxisInfo& h, const TAxisInfo& v) {
  TCanvas* canvas = Canvas();
  // Lines between scrolling cells are silver, grey on a silver grid; the
  // fixed area's lines are black.
  const TColor lineColor = ColorToRGB(Color()) == clSilver ? clGray : clSilver;
  const TColor fixedLine = clBlack;
  auto vertColor = [&](bool fixedPart) {
    if (fixedPart) return FOptions.Contains(goFixedVertLine) ? fixedLine : FFixedColor;
    return FOptions.Contains(goVertLine) ? lineColor : Color();
  };
  auto horzColor = [&](bool fixedPart) {
    if (fixedPart) return FOptions.Contains(goFixedHorzLine) ? fixedLine : FFixedColor;
    return FOptions.Contains(goHorzLine) ? lineColor : Color();
  };
  // Vertical lines, each at the right of its column.
  if (h.LineWidth > 0) {
    int x = 0;
    auto drawAfter = [&](int col) {
      if (ColWidths(col) < 0) return true;
      x += ColSize(col);
      if (x >= h.GridExtent) return false;
      const bool fixedCol = col < FFixedCols;
      Fill(canvas, TRect(x, 0, x + h.LineWidth, v.FixedBoundary < v.GridBoundary ? v.FixedBoundary : v.GridBoundary),
           vertColor(true));
      if (v.GridBoundary > v.FixedBoundary)
        Fill(canvas, TRect(x, v.FixedBoundary, x + h.LineWidth, v.GridBoundary), vertColor(fixedCol));
      x += h.LineWidth;
      return true;
    };
    bool more = true;
    for (int c = 0; c < FFixedCols && more; ++c) more = drawAfter(c);
    for (int c = FTopLeft.X; c <= h.LastVisibleCell && more; ++c) more = drawAfter(c);
  }
  // Horizontal lines, each below its row.
  if (v.LineWidth > 0) {
    int y = 0;
    auto drawBelow = [&](int row) {
      if (RowHeights(row) < 0) return true;
      y += RowSize(row);
      if (y >= v.GridExtent) return false;
      const bool fixedRow = row < FFixedRows;
      const int fixedEnd = std::min(h.FixedBoundary, h.GridBoundary);
      Fill(canvas, TRect(0, y, fixedEnd, y + v.LineWidth), horzColor(true));
      if (h.GridBoundary > h.FixedBoundary)
        Fill(canvas, TRect(h.FixedBoundary, y, h.GridBoundary, y + v.LineWidth), horzColor(fixedRow));
      y += v.LineWidth;
      return true;
    };
    bool more = true;
    for (int r = 0; r < FFixedRows && more; ++r) more = drawBelow(r);
    for (int r = FTopLeft.Y; r <= v.LastVisibleCell && more; ++r) more = drawBelow(r);
  }
}
