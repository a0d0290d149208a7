#pragma once
// The grid control: a window that draws rows and columns of cells, with
// fixed (title) rows and columns that do not scroll, a current cell moved
// by keys and mouse, optional range selection, column sizing from the fixed
// rows, scroll bars, and an in-place editor for the current cell.
// Descendants draw the cells (DrawCell) and may refuse cells (SelectCell).
#include "platform/rtl/Exceptions.h"
#include "platform/ui/Controls.h"
#include "platform/ui/grids/GridTypes.h"
#include <functional>
#include <memory>
#include <vector>

class TInplaceEdit;

class EInvalidGridOperation : public Exception { using Exception::Exception; };

class TCustomGrid : public TCustomControl {
public:
  explicit TCustomGrid(TComponent* AOwner);
  ~TCustomGrid() override;

  int ColCount() const { return static_cast<int>(FColWidths.size()); }
  void SetColCount(int value);
  int RowCount() const { return static_cast<int>(FRowHeights.size()); }
  void SetRowCount(int value);
  int FixedCols() const { return FFixedCols; }
  // Raises EInvalidGridOperation when not below ColCount.
  void SetFixedCols(int value);
  int FixedRows() const { return FFixedRows; }
  void SetFixedRows(int value);
  int DefaultColWidth() const { return FDefaultColWidth; }
  // Gives every column the new width.
  void SetDefaultColWidth(int value);
  int DefaultRowHeight() const { return FDefaultRowHeight; }
  void SetDefaultRowHeight(int value);
  // A negative width hides the column.
  int ColWidths(int index) const;
  void SetColWidths(int index, int value);
  int RowHeights(int index) const;
  void SetRowHeights(int index, int value);
  // Whether Tab stops at a column (all do until told otherwise).
  bool TabStops(int index) const;
  void SetTabStops(int index, bool value);
  int GridLineWidth() const { return FGridLineWidth; }
  void SetGridLineWidth(int value);
  TGridOptions Options() const { return FOptions; }
  void SetOptions(TGridOptions value);
  TColor FixedColor() const { return FFixedColor; }
  void SetFixedColor(TColor value);
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle value);
  // The grid fills cell backgrounds, highlights the selection and frames
  // fixed cells and the focused cell around DrawCell.
  bool DefaultDrawing() const { return FDefaultDrawing; }
  void SetDefaultDrawing(bool value);
  // Fixed cells get a raised edge on the sides that have fixed lines.
  bool Ctl3D() const { return FCtl3D; }
  void SetCtl3D(bool value);

  // The current cell.
  int Col() const { return FCurrent.X; }
  void SetCol(int value);
  int Row() const { return FCurrent.Y; }
  void SetRow(int value);
  // From the anchor to the current cell (whole rows with goRowSelect).
  TGridRect Selection() const;
  void SetSelection(const TGridRect& value);
  // First scrolling column and row shown.
  int LeftCol() const { return FTopLeft.X; }
  void SetLeftCol(int value);
  int TopRow() const { return FTopLeft.Y; }
  void SetTopRow(int value);
  // Scrolling columns and rows that are shown whole (at least 1).
  int VisibleColCount();
  int VisibleRowCount();
  // Width and height of the drawn cells, at most the client size.
  int GridWidth();
  int GridHeight();

  bool EditorMode() const { return FEditorMode; }
  void SetEditorMode(bool value);
  TInplaceEdit* InplaceEditor() const { return FInplaceEdit; }

  // The cell under a client point; (-1, -1) outside the cells.
  TGridCoord MouseCoord(int X, int Y);
  void MouseToCell(int X, int Y, int& ACol, int& ARow);
  // The cell's rectangle in client coordinates, without its grid lines;
  // empty when the cell is scrolled out of view.
  TRect CellRect(int ACol, int ARow);
  // Makes a cell current (when SelectCell allows it), optionally moving the
  // selection anchor with it and scrolling it into view.
  void MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show);

  void WndProc(TMessage& Message) override;

protected:
  // Layout of one axis as drawn now.
  struct TAxisInfo {
    int LineWidth = 0;           // grid line width on this axis (0: no lines)
    int FixedBoundary = 0;       // end of the fixed cells
    int GridBoundary = 0;        // end of the last drawn cell
    int GridExtent = 0;          // client size on this axis
    int FirstGridCell = 0;       // LeftCol / TopRow
    int LastFullVisibleCell = 0;
    int LastVisibleCell = 0;     // possibly partly shown
    int FixedCellCount = 0;
    int CellCount = 0;
  };
  TAxisInfo HorzAxis();
  TAxisInfo VertAxis();
  // One axis laid out from its first fixed cell, sizes as laid out.
  TAxisInfo AxisLayout(int lineWidth, int extent, int fixedCount, int cellCount, int firstCell,
                       int (TCustomGrid::*size)(int) const) const;
  int HorzLineWidth() const;
  int VertLineWidth() const;
  // Sizes as laid out: a hidden cell counts minus its line.
  int ColSize(int index) const;
  int RowSize(int index) const;

  virtual void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState);
  virtual bool SelectCell(int ACol, int ARow);
  virtual void TopLeftChanged();
  virtual void ColWidthsChanged();
  virtual void RowHeightsChanged();
  virtual void SizeChanged(int OldColCount, int OldRowCount);
  // Whether a press at (X, Y) starts sizing: only scrolling columns can be
  // sized, from the fixed rows, near their right edge.
  virtual void CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos, int& SizingOfs);
  virtual bool CanGridAcceptKey(WORD Key, TShiftState Shift);
  // Moves the current cell as a key or click does, then Click.
  virtual void FocusCell(int ACol, int ARow, bool MoveAnchor);
  // The grid's own handling of the scroll bars (WM_HSCROLL / WM_VSCROLL).
  virtual void ModifyScrollBar(int ScrollBar, int ScrollCode, int Pos);
  virtual void UpdateScrollRange();
  // The vertical bar shows the rows; a data grid shows the records instead.
  virtual void UpdateVertScrollBar();
  // The grid is the form's active control (or has the focus off a form).
  bool IsActiveControl();

  // The in-place editor.
  virtual bool CanEditShow();
  virtual bool CanEditModify();
  virtual bool CanEditAcceptKey(char16_t Key);
  virtual String GetEditText(int ACol, int ARow);
  virtual void SetEditText(int ACol, int ARow, const String& Value);
  virtual String GetEditMask(int ACol, int ARow);
  virtual int GetEditLimit();
  virtual TInplaceEdit* CreateEditor();
  void ShowEditor();
  // Opens the editor and types ch into it.
  void ShowEditorChar(char16_t ch);
  void HideEditor();
  // Puts the editor's text and position in line with the current cell.
  void InvalidateEditor();
  void UpdateEdit();

  void InvalidateCell(int ACol, int ARow);
  void InvalidateRow(int ARow);
  void InvalidateCol(int ACol);
  void InvalidateGrid() { Invalidate(); }

  void Paint() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWndDone() override;

  // Scroll position and current cell without the checks of the setters.
  void MoveTopLeft(int ALeft, int ATop);
  void ClampInView(TGridCoord cell);
  TGridCoord MaxTopLeft();
  // Fills the background beyond the cells and draws the lines and cells.
  void DrawLines(const TAxisInfo& horz, const TAxisInfo& vert);

  TGridState FGridState = gsNormal;
  int FSizingIndex = -1;
  int FSizingPos = 0;
  int FSizingOfs = 0;
  TInplaceEdit* FInplaceEdit = nullptr;
  // Suppresses work while a descendant lays the grid out in several steps.
  int FUpdateLock = 0;

private:
  friend class TInplaceEdit;
  void MoveCurrent(int ACol, int ARow, bool MoveAnchor, bool Show);
  void HideEdit();
  void UpdateText();
  void MoveAnchor(TGridCoord cell);
  void SelectionMoved(const TGridRect& oldSel);
  void InvalidateRect(const TGridRect& cells);
  // Client span of the shown cells first..last of one axis, lines included.
  bool AxisSpan(bool horz, int first, int last, int& start, int& end);
  void UpdateScrollPos();
  void SizeGrid(int cols, int rows);
  void SetSizing(int X);
  int ResizeLine();
  void DrawCells(int firstCol, int lastCol, int firstRow, int lastRow, int x0, int y0,
                 const TAxisInfo& horz, const TAxisInfo& vert, TColor color, bool fixed);
  bool SetSizingCursor();

  std::vector<int> FColWidths;
  std::vector<int> FRowHeights;
  std::vector<bool> FTabStops;
  int FFixedCols = 1;
  int FFixedRows = 1;
  int FDefaultColWidth = 64;
  int FDefaultRowHeight = 24;
  int FGridLineWidth = 1;
  TGridOptions FOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
  TColor FFixedColor = clBtnFace;
  TScrollStyle FScrollBars = ssBoth;
  TBorderStyle FBorderStyle = bsSingle;
  bool FDefaultDrawing = true;
  bool FCtl3D = true;
  TGridCoord FCurrent{1, 1};
  TGridCoord FAnchor{1, 1};
  TGridCoord FTopLeft{1, 1};
  bool FEditorMode = false;
  int FInplaceCol = -1;
  int FInplaceRow = -1;
  bool FInScrollUpdate = false;
  // Scroll bars shown or hidden one after the other would each repaint the
  // frame; during a scroll-range update it is painted once, at its end.
  bool FFramePaintOwed = false;
};

using TDrawCellEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, const TRect& Rect, TGridDrawState State)>;
using TSelectCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;

// A grid whose cells its owner draws.
class TDrawGrid : public TCustomGrid {
public:
  explicit TDrawGrid(TComponent* AOwner) : TCustomGrid(AOwner) {}

  TDrawCellEvent OnDrawCell;
  TSelectCellEvent OnSelectCell;
  TNotifyEvent OnTopLeftChanged;

protected:
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
  bool SelectCell(int ACol, int ARow) override;
  void TopLeftChanged() override;
};
