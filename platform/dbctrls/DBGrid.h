#pragma once
// The data grid: a grid whose rows are the records of a data source and
// whose columns are fields. The grid shows the window of records the data
// link buffers, one row per record, with a title row of the columns'
// captions and an indicator column that marks the current record; moving
// in the grid moves the data set and moving the data set moves the grid.
#include "platform/data/DataSet.h"
#include "platform/data/DataSource.h"
#include "platform/dbctrls/BookmarkList.h"
#include "platform/dbctrls/DBGridColumns.h"
#include "platform/ui/grids/Grids.h"
#include <functional>
#include <memory>

enum TDBGridOption : uint8_t {
  dgEditing, dgAlwaysShowEditor, dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines, dgTabs,
  dgRowSelect, dgAlwaysShowSelection, dgConfirmDelete, dgCancelOnExit, dgMultiSelect
};
using TDBGridOptions = TEnumSet<TDBGridOption>;

using TDrawDataCellEvent =
    std::function<void(TObject* Sender, const TRect& Rect, TField* Field, TGridDrawState State)>;
using TDrawColumnCellEvent =
    std::function<void(TObject* Sender, const TRect& Rect, int DataCol, TColumn* Column, TGridDrawState State)>;
// Cell and title clicks name the column only.
using TDBGridClickEvent = std::function<void(TColumn* Column)>;
using TMouseWheelUpDownEvent =
    std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;

class TCustomDBGrid;

// The grid's link to its data source: every notice of the data set goes
// to the grid.
class TGridDataLink : public TDataLink {
public:
  explicit TGridDataLink(TCustomDBGrid* grid) : FGrid(grid) {}
  // The editor's text differs from the field; written on UpdateData.
  bool Modified() const { return FModified; }
  void SetModified() { FModified = true; }
  // Esc: a changed editor takes the field's text back; otherwise the
  // record's pending edit is cancelled.
  void Reset();
  // Writes the editor's text into the field now.
  void UpdateData() override;
  int MoveBy(int distance);
  bool Eof() const;
  bool Bof() const;

  // The data set's notices, handed on to the grid; a grid that held its
  // scrolling back calls DataSetScrolled(0) to catch up.
  void ActiveChanged() override;
  void DataSetChanged() override;
  void DataSetScrolled(int Distance) override;
  void LayoutChanged() override;
  void RecordChanged(TField* Field) override;
  void EditingChanged() override;

private:
  TCustomDBGrid* FGrid;
  bool FModified = false;
  bool FInUpdateData = false;
};

class TCustomDBGrid : public TCustomGrid {
public:
  explicit TCustomDBGrid(TComponent* AOwner);
  ~TCustomDBGrid() override;

  TDataSource* DataSource() const { return FDataLink->DataSource(); }
  void SetDataSource(TDataSource* value);
  TDBGridColumns* Columns() const { return FColumns.get(); }
  void SetColumns(const TDBGridColumns* value) { FColumns->Assign(*value); }
  TDBGridOptions Options() const { return FOptions; }
  void SetOptions(TDBGridOptions value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value);
  TFont* TitleFont() const { return FTitleFont.get(); }
  void SetTitleFont(const TFont* value) { FTitleFont->Assign(*value); }
  // The grid writes the cells' texts itself before the drawing events.
  bool DefaultDrawing() const { return FDefaultDrawing; }
  void SetDefaultDrawing(bool value);

  // The column of the current cell, by its index among the columns.
  int SelectedIndex() const;
  void SetSelectedIndex(int value);
  TField* SelectedField();
  void SetSelectedField(TField* value);
  // Bookmarks of selected rows (multi-selection).
  TBookmarkList* SelectedRows() const { return FBookmarks.get(); }
  // Fields of the columns, in column order.
  int FieldCount() const;
  TField* Fields(int index) const;
  bool ValidFieldIndex(int index) const { return index >= 0 && index < FieldCount(); }
  // Title rows (0 without dgTitles) and indicator columns (0 or 1).
  int TitleOffset() const { return FTitleOffset; }
  int IndicatorOffset() const { return FIndicatorOffset; }

  // The grid's own drawing of a cell's text, for OnDrawColumnCell handlers.
  void DefaultDrawColumnCell(const TRect& Rect, int DataCol, TColumn* Column, TGridDrawState State);
  void DefaultDrawDataCell(const TRect& Rect, TField* Field, TGridDrawState State);

  void WndProc(TMessage& Message) override;

  TDBGridClickEvent OnCellClick;
  TDBGridClickEvent OnTitleClick;
  TNotifyEvent OnColEnter;
  TNotifyEvent OnColExit;
  TDrawDataCellEvent OnDrawDataCell;
  TDrawColumnCellEvent OnDrawColumnCell;
  TMouseWheelUpDownEvent OnMouseWheelDown;
  TMouseWheelUpDownEvent OnMouseWheelUp;

protected:
  friend class TGridDataLink;
  friend class TDBGridColumns;
  friend class TColumn;
  friend class TColumnTitle;
  friend class TBookmarkList;

  TGridDataLink* DataLink() const { return FDataLink.get(); }
  // Data columns and grid columns differ by the indicator column.
  int RawToDataColumn(int ACol) const { return ACol - FIndicatorOffset; }
  int DataToRawColumn(int ACol) const { return ACol + FIndicatorOffset; }
  TField* GetColField(int DataCol) const;
  // Moves to grid column RawCol; with a direction, hidden columns are
  // skipped that way. Runs ColExit and ColEnter.
  void MoveCol(int RawCol, int Direction);

  // Notices from the data link.
  virtual void LinkActive(bool Value);
  virtual void DataChanged();
  virtual void LayoutChanged();
  virtual void Scroll(int Distance);
  virtual void EditingChanged();
  virtual void RecordChanged(TField* Field);
  virtual void UpdateData();

  // Layout: columns, widths, tab stops and row count follow the data.
  virtual void SetColumnAttributes();
  void BeginLayout();
  void EndLayout();
  bool AcquireLayoutLock();
  void BeginUpdate() { ++FUpdateLock; }
  void EndUpdate() { if (FUpdateLock > 0) --FUpdateLock; }
  int LayoutLock() const { return FLayoutLock; }
  int UpdateLock() const { return FUpdateLock; }
  void UpdateRowCount();
  void UpdateActive();

  // Drawing: the cell as a whole, then the events of data cells.
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
  virtual void DrawDataCell(const TRect& Rect, TField* Field, TGridDrawState State);
  virtual void DrawColumnCell(const TRect& Rect, int DataCol, TColumn* Column, TGridDrawState State);
  virtual bool HighlightCell(int DataCol, int DataRow, const String& Value, TGridDrawState AState);
  // Writes text into a cell as the grid does: dx, dy from the top left,
  // right-aligned 3 pixels from the right edge, or centred.
  void WriteText(const TRect& ARect, int DX, int DY, const String& Text, TAlignment Alignment);

  virtual void ColEnter();
  virtual void ColExit();
  virtual void TitleClick(TColumn* Column);
  virtual void CellClick(TColumn* Column);
  virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
  virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);

  void ColWidthsChanged() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void DoExit() override;
  void CreateWndDone() override;
  void UpdateVertScrollBar() override;
  void ModifyScrollBar(int ScrollBar, int ScrollCode, int Pos) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  bool CanEditShow() override;
  bool CanEditModify() override;
  String GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const String& Value) override;
  String GetEditMask(int ACol, int ARow) override;
  int GetEditLimit() override;

  // Text metrics of a font on the screen, without needing the window.
  static TSize MeasureText(const TFont* font, const String& text);

  int FTitleOffset = 1;
  int FIndicatorOffset = 1;
  // Grid row of the record the indicator was last drawn for.
  int FSelRow = 0;

private:
  void InternalLayout();
  void TitleFontChanged();
  void ClearSelection();
  bool AcquireFocus();
  void DrawIndicator(const TRect& rect, int kind);
  void Tab(bool goForward);
  void NextRow();
  void PriorRow();

  std::unique_ptr<TGridDataLink> FDataLink;
  std::unique_ptr<TDBGridColumns> FColumns;
  std::unique_ptr<TBookmarkList> FBookmarks;
  std::unique_ptr<TFont> FTitleFont;
  TDBGridOptions FOptions;
  bool FReadOnly = false;
  bool FDefaultDrawing = true;
  int FLayoutLock = 0;
  bool FInColExit = false;
  bool FLayoutDone = false;
  String FEditText;
};

class TDBGrid : public TCustomDBGrid {
public:
  explicit TDBGrid(TComponent* AOwner) : TCustomDBGrid(AOwner) {}
};
