// The data grid's properties, its layout from the columns and the data
// link, and its answers to the data set's notices.
#include "platform/dbctrls/DBGrid.h"
#include "platform/ui/Forms.h"
#include "platform/ui/grids/InplaceEdit.h"
#include <algorithm>

namespace {
constexpr int IndicatorWidth = 11;

TGridOptions GridOptionsFor(TDBGridOptions value) {
  TGridOptions result;
  if (value.Contains(dgEditing)) result.Include(goEditing);
  if (value.Contains(dgAlwaysShowEditor)) result.Include(goAlwaysShowEditor);
  if (value.Contains(dgColLines)) result = result + TGridOptions{goFixedVertLine, goVertLine};
  if (value.Contains(dgRowLines)) result = result + TGridOptions{goFixedHorzLine, goHorzLine};
  if (value.Contains(dgColumnResize)) result.Include(goColSizing);
  if (value.Contains(dgTabs)) result.Include(goTabs);
  if (value.Contains(dgRowSelect)) {
    result.Include(goRowSelect);
    result.Exclude(goAlwaysShowEditor);
    result.Exclude(goEditing);
  }
  return result;
}
}  // namespace

// ---------------------------------------------------------------- TGridDataLink

void TGridDataLink::ActiveChanged() { FGrid->LinkActive(Active()); }

void TGridDataLink::DataSetChanged() { FGrid->DataChanged(); }

void TGridDataLink::DataSetScrolled(int Distance) { FGrid->Scroll(Distance); }

void TGridDataLink::LayoutChanged() { FGrid->LayoutChanged(); }

void TGridDataLink::RecordChanged(TField* Field) {
  FGrid->RecordChanged(Field);
  FModified = false;
}

void TGridDataLink::EditingChanged() { FGrid->EditingChanged(); }

void TGridDataLink::UpdateData() {
  if (!FModified || FInUpdateData) return;
  FInUpdateData = true;
  try {
    FGrid->UpdateData();
  } catch (...) {
    FInUpdateData = false;
    throw;
  }
  FInUpdateData = false;
  FModified = false;
}

void TGridDataLink::Reset() {
  if (FModified) {
    RecordChanged(nullptr);
  } else if (TDataSet* ds = DataSet()) {
    if (Active()) ds->Cancel();
  }
}

int TGridDataLink::MoveBy(int distance) {
  TDataSet* ds = DataSet();
  return ds && Active() ? ds->MoveBy(distance) : 0;
}

bool TGridDataLink::Eof() const {
  TDataSet* ds = DataSet();
  return ds && Active() && ds->Eof();
}

bool TGridDataLink::Bof() const {
  TDataSet* ds = DataSet();
  return ds && Active() && ds->Bof();
}

// ---------------------------------------------------------------- construction

TCustomDBGrid::TCustomDBGrid(TComponent* AOwner)
    : TCustomGrid(AOwner),
      FDataLink(std::make_unique<TGridDataLink>(this)),
      FBookmarks(std::make_unique<TBookmarkList>(this)),
      FTitleFont(std::make_unique<TFont>()),
      FOptions{dgEditing, dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines, dgTabs, dgConfirmDelete,
               dgCancelOnExit} {
  // The data grid draws every cell itself.
  TCustomGrid::SetDefaultDrawing(false);
  FColumns = std::make_unique<TDBGridColumns>(this);
  TCustomGrid::SetOptions(GridOptionsFor(FOptions));
  TCustomGrid::SetColCount(2);
  TCustomGrid::SetRowCount(2);
  TCustomGrid::SetFixedCols(1);
  TCustomGrid::SetFixedRows(1);
  TCustomGrid::SetColWidths(0, IndicatorWidth);
  FTitleFont->Assign(*Font());
  FTitleFont->OnChange = [this](TObject*) { TitleFontChanged(); };
  FLayoutDone = true;
}

TCustomDBGrid::~TCustomDBGrid() {
  BeginDestroy();
  FTitleFont->OnChange = nullptr;
  FDataLink->SetDataSource(nullptr);
  FColumns.reset();
}

void TCustomDBGrid::SetDataSource(TDataSource* value) {
  if (value == DataSource()) return;
  if (DataSource()) RemoveFreeNotification(DataSource());
  FBookmarks->Clear();
  FDataLink->SetDataSource(value);
  if (value) FreeNotification(value);
  LinkActive(FDataLink->Active());
}

void TCustomDBGrid::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomGrid::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && FDataLink && AComponent == FDataLink->DataSource())
    SetDataSource(nullptr);
}

void TCustomDBGrid::SetOptions(TDBGridOptions value) {
  if (value == FOptions) return;
  const bool layoutChange = value.Contains(dgTitles) != FOptions.Contains(dgTitles) ||
                            value.Contains(dgIndicator) != FOptions.Contains(dgIndicator);
  if (!value.Contains(dgMultiSelect) && FOptions.Contains(dgMultiSelect)) FBookmarks->Clear();
  FOptions = value;
  TCustomGrid::SetOptions(GridOptionsFor(value));
  if (layoutChange) LayoutChanged();
  else Invalidate();
}

void TCustomDBGrid::SetReadOnly(bool value) {
  if (value == FReadOnly) return;
  FReadOnly = value;
  LayoutChanged();
}

void TCustomDBGrid::SetDefaultDrawing(bool value) {
  if (value == FDefaultDrawing) return;
  FDefaultDrawing = value;
  Invalidate();
}

void TCustomDBGrid::TitleFontChanged() {
  for (int i = 0; i < FColumns->Count(); ++i) FColumns->Items(i)->Title()->RefreshDefaultFont();
  LayoutChanged();
}

// ---------------------------------------------------------------- columns and fields

int TCustomDBGrid::SelectedIndex() const { return RawToDataColumn(Col()); }

void TCustomDBGrid::SetSelectedIndex(int value) { MoveCol(DataToRawColumn(value), 0); }

TField* TCustomDBGrid::SelectedField() {
  const int index = SelectedIndex();
  return index >= 0 && index < FColumns->Count() ? FColumns->Items(index)->Field() : nullptr;
}

void TCustomDBGrid::SetSelectedField(TField* value) {
  if (!value) return;
  for (int i = 0; i < FColumns->Count(); ++i)
    if (FColumns->Items(i)->Field() == value) {
      SetSelectedIndex(i);
      return;
    }
}

int TCustomDBGrid::FieldCount() const { return FColumns->Count(); }

TField* TCustomDBGrid::Fields(int index) const {
  return index >= 0 && index < FColumns->Count() ? FColumns->Items(index)->Field() : nullptr;
}

TField* TCustomDBGrid::GetColField(int DataCol) const { return Fields(DataCol); }

TSize TCustomDBGrid::MeasureText(const TFont* font, const String& text) {
  HDC dc = CreateCompatibleDC(nullptr);
  TFont copy;
  copy.Assign(*font);
  HGDIOBJ old = SelectObject(dc, copy.Handle());
  SIZE size{};
  GetTextExtentPoint32W(dc, reinterpret_cast<LPCWSTR>(text.c_str()), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  DeleteDC(dc);
  return {size.cx, size.cy};
}

// ---------------------------------------------------------------- layout

void TCustomDBGrid::BeginLayout() {
  BeginUpdate();
  if (FLayoutLock == 0) FColumns->BeginUpdate();
  ++FLayoutLock;
}

void TCustomDBGrid::EndLayout() {
  if (FLayoutLock == 0) return;
  try {
    if (FLayoutLock == 1) InternalLayout();
  } catch (...) {
    if (FLayoutLock == 1) FColumns->EndUpdate();
    --FLayoutLock;
    EndUpdate();
    throw;
  }
  // The columns' own notice finds the layout still locked.
  if (FLayoutLock == 1) FColumns->EndUpdate();
  --FLayoutLock;
  EndUpdate();
}

bool TCustomDBGrid::AcquireLayoutLock() {
  const bool result = FUpdateLock == 0 && FLayoutLock == 0;
  if (result) BeginLayout();
  return result;
}

void TCustomDBGrid::LayoutChanged() {
  if (!FLayoutDone || IsDestroying()) return;
  if (AcquireLayoutLock()) EndLayout();
}

void TCustomDBGrid::InternalLayout() {
  if (IsDestroying()) return;
  TDataSet* ds = FDataLink->Active() ? FDataLink->DataSet() : nullptr;
  if (FColumns->State() == csDefault) {
    // Keep the columns of fields still shown, in the fields' order, so a
    // column's own settings survive a change of layout.
    std::vector<TField*> shown;
    if (ds)
      for (int i = 0; i < ds->FieldCount(); ++i)
        if (ds->Fields()[i]->Visible()) shown.push_back(ds->Fields()[i]);
    for (int j = FColumns->Count() - 1; j >= 0; --j) {
      TColumn* column = FColumns->Items(j);
      if (!column->FField || std::find(shown.begin(), shown.end(), column->FField) == shown.end()) delete column;
    }
    for (size_t j = 0; j < shown.size(); ++j) {
      TColumn* column = nullptr;
      for (int k = static_cast<int>(j); k < FColumns->Count(); ++k)
        if (FColumns->Items(k)->FField == shown[j]) column = FColumns->Items(k);
      if (!column) {
        column = FColumns->InternalAdd();
        column->FField = shown[j];
        column->FFieldBound = true;
        column->FFieldName = shown[j]->FieldName();
      }
      column->SetIndex(static_cast<int>(j));
    }
  } else {
    // Customized columns look their fields up again: the data set may be
    // another one, or open again with new field objects.
    for (int i = 0; i < FColumns->Count(); ++i) {
      FColumns->Items(i)->FField = nullptr;
      FColumns->Items(i)->FFieldBound = false;
    }
  }
  FIndicatorOffset = FOptions.Contains(dgIndicator) ? 1 : 0;
  FTitleOffset = FOptions.Contains(dgTitles) ? 1 : 0;
  const int cols = std::max(FColumns->Count() + FIndicatorOffset, FIndicatorOffset + 1);
  if (TCustomGrid::FixedCols() >= cols) TCustomGrid::SetFixedCols(0);
  TCustomGrid::SetColCount(cols);
  TCustomGrid::SetFixedCols(FIndicatorOffset);
  // Row heights follow the fonts: data rows the grid's, the title row the
  // tallest title font.
  int k = MeasureText(Font(), u"Wg").cy + 3;
  if (FOptions.Contains(dgRowLines)) k += GridLineWidth();
  TCustomGrid::SetDefaultRowHeight(k);
  if (FTitleOffset > 0) {
    int t = 0;
    for (int i = 0; i < FColumns->Count(); ++i)
      t = std::max(t, static_cast<int>(MeasureText(FColumns->Items(i)->Title()->Font(), u"Wg").cy) + 4);
    if (t == 0) t = MeasureText(FTitleFont.get(), u"Wg").cy + 4;
    if (RowCount() < 2) TCustomGrid::SetRowCount(2);
    TCustomGrid::SetRowHeights(0, t);
  }
  UpdateRowCount();
  SetColumnAttributes();
  UpdateActive();
  Invalidate();
}

void TCustomDBGrid::SetColumnAttributes() {
  for (int i = 0; i < FColumns->Count(); ++i) {
    TColumn* column = FColumns->Items(i);
    TField* field = column->Field();
    SetTabStops(i + FIndicatorOffset, column->Showing() && !column->ReadOnly() && FDataLink->Active() &&
                                          field && !field->Calculated() && !field->ReadOnly());
    SetColWidths(i + FIndicatorOffset, column->Width());
  }
  if (FColumns->Count() == 0 && ColCount() > FIndicatorOffset)
    SetColWidths(FIndicatorOffset, DefaultColWidth());
  if (FIndicatorOffset > 0) SetColWidths(0, IndicatorWidth);
}

void TCustomDBGrid::UpdateRowCount() {
  const int oldRows = RowCount();
  if (RowCount() <= FTitleOffset) TCustomGrid::SetRowCount(FTitleOffset + 1);
  if (TCustomGrid::FixedRows() != FTitleOffset) {
    if (TCustomGrid::FixedRows() >= RowCount()) TCustomGrid::SetRowCount(FTitleOffset + 1);
    TCustomGrid::SetFixedRows(FTitleOffset);
  }
  if (!FDataLink->Active() || FDataLink->RecordCount() == 0 || !HandleAllocated()) {
    TCustomGrid::SetRowCount(1 + FTitleOffset);
  } else {
    // Enough rows to measure how many fit, then one per buffered record.
    TCustomGrid::SetRowCount(1000);
    FDataLink->SetBufferCount(VisibleRowCount());
    TCustomGrid::SetRowCount(FDataLink->RecordCount() + FTitleOffset);
    if (FOptions.Contains(dgRowSelect)) SetTopRow(TCustomGrid::FixedRows());
    UpdateActive();
  }
  if (oldRows != RowCount()) Invalidate();
}

void TCustomDBGrid::UpdateActive() {
  if (!FDataLink->Active() || !HandleAllocated()) return;
  const int newRow = FDataLink->ActiveRecord() + FTitleOffset;
  if (newRow < RowCount() && Row() != newRow) {
    if (!FOptions.Contains(dgAlwaysShowEditor)) HideEditor();
    MoveColRow(Col(), newRow, false, false);
    InvalidateEditor();
  }
  TField* field = SelectedField();
  if (field && field->Text() != FEditText) InvalidateEditor();
}

void TCustomDBGrid::CreateWndDone() {
  TCustomGrid::CreateWndDone();
  LayoutChanged();
  UpdateVertScrollBar();
}

// ---------------------------------------------------------------- link notices

void TCustomDBGrid::LinkActive(bool Value) {
  if (IsDestroying()) return;
  if (!Value) HideEditor();
  FBookmarks->Clear();
  LayoutChanged();
  UpdateVertScrollBar();
  if (Value && FOptions.Contains(dgAlwaysShowEditor)) ShowEditor();
}

void TCustomDBGrid::DataChanged() {
  if (!HandleAllocated() || IsDestroying()) return;
  UpdateRowCount();
  UpdateVertScrollBar();
  UpdateActive();
  InvalidateEditor();
  Invalidate();
}

void TCustomDBGrid::Scroll(int Distance) {
  if (!HandleAllocated() || IsDestroying()) return;
  const int oldRow = Row();
  if (FDataLink->ActiveRecord() >= RowCount() - FTitleOffset) UpdateRowCount();
  UpdateVertScrollBar();
  UpdateActive();
  if (Distance != 0) {
    HideEditor();
    // Every shown record moved to another row.
    Invalidate();
    if (FOptions.Contains(dgAlwaysShowEditor)) ShowEditor();
  } else {
    InvalidateRow(oldRow);
    InvalidateRow(Row());
  }
}

void TCustomDBGrid::EditingChanged() {
  if (FOptions.Contains(dgIndicator)) {
    InvalidateCell(0, FSelRow);
    InvalidateCell(0, Row());
  }
}

void TCustomDBGrid::RecordChanged(TField* Field) {
  if (!HandleAllocated()) return;
  if (!Field) {
    Invalidate();
  } else {
    for (int i = 0; i < FColumns->Count(); ++i)
      if (FColumns->Items(i)->Field() == Field) InvalidateCol(DataToRawColumn(i));
  }
  TField* selected = SelectedField();
  if ((!Field || selected == Field) && selected && selected->Text() != FEditText) InvalidateEditor();
}

void TCustomDBGrid::UpdateData() {
  if (TField* field = SelectedField()) field->SetText(FEditText);
}

void TCustomDBGrid::ColWidthsChanged() {
  TCustomGrid::ColWidthsChanged();
  if ((FDataLink->Active() || FColumns->State() == csCustomized) && AcquireLayoutLock()) {
    try {
      for (int i = FIndicatorOffset; i < ColCount() && i - FIndicatorOffset < FColumns->Count(); ++i) {
        TColumn* column = FColumns->Items(i - FIndicatorOffset);
        if (column->Showing() && ColWidths(i) >= 0) column->SetWidth(ColWidths(i));
      }
    } catch (...) {
      EndLayout();
      throw;
    }
    EndLayout();
  }
}

void TCustomDBGrid::ColEnter() { FireEvent(OnColEnter, this); }

void TCustomDBGrid::ColExit() { FireEvent(OnColExit, this); }

void TCustomDBGrid::TitleClick(TColumn* Column) { FireEvent(OnTitleClick, Column); }

void TCustomDBGrid::CellClick(TColumn* Column) { FireEvent(OnCellClick, Column); }
