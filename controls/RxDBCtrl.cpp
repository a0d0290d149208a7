// The library's data grid: properties, selection, fixed columns, scroll
// suspension, widths by content and layout storage.
#include "controls/RxDBCtrl.h"
#include "controls/RxAppUtils.h"
#include "controls/RxDBUtils.h"
#include "platform/classes/IniFiles.h"
#include "platform/classes/Registry.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/Forms.h"
#include <algorithm>

TRxDBGrid::TRxDBGrid(TComponent* AOwner) : TCustomDBGrid(AOwner) {
  TCustomDBGrid::SetDefaultDrawing(false);
  TCustomDBGrid::SetOptions(TCustomDBGrid::Options() - dgTabs);
  FIniLink = std::make_unique<TIniLink>();
  FIniLink->OnSave = [this](TObject* sender) { IniSave(sender); };
  FIniLink->OnLoad = [this](TObject* sender) { IniLoad(sender); };
}

TRxDBGrid::~TRxDBGrid() {
  BeginDestroy();
  FIniLink.reset();
}

// ---------------------------------------------------------------- options and properties

TDBGridOptions TRxDBGrid::Options() const {
  TDBGridOptions result = TCustomDBGrid::Options();
  if (FMultiSelect) result.Include(dgMultiSelect);
  return result;
}

void TRxDBGrid::SetOptions(TDBGridOptions value) {
  TCustomDBGrid::SetOptions(value - dgMultiSelect);
  TGridOptions grid = TCustomGrid::Options();
  if (!value.Contains(dgColLines)) grid.Exclude(goFixedVertLine);
  if (!value.Contains(dgRowLines)) grid.Exclude(goFixedHorzLine);
  TCustomGrid::SetOptions(grid);
  SetMultiSelect(value.Contains(dgMultiSelect));
}

void TRxDBGrid::SetMultiSelect(bool value) {
  if (value == FMultiSelect) return;
  FMultiSelect = value;
  if (!value) SelectedRows()->Clear();
  FSelecting = false;
  Invalidate();
}

void TRxDBGrid::SetFixedCols(int value) {
  value = std::max(0, value);
  if (value == FFixedCols) return;
  FFixedCols = value;
  LayoutChanged();
}

void TRxDBGrid::SetDefaultDrawing(bool value) {
  if (value == FDefaultDrawing) return;
  FDefaultDrawing = value;
  Invalidate();
}

void TRxDBGrid::SetShowGlyphs(bool value) {
  if (value == FShowGlyphs) return;
  FShowGlyphs = value;
  Invalidate();
}

void TRxDBGrid::SetTitleButtons(bool value) {
  if (value == FTitleButtons) return;
  FTitleButtons = value;
  Invalidate();
  SetOptions(Options());
}

void TRxDBGrid::SetRowColorsUse(bool value) {
  if (value == FRowColorsUse) return;
  FRowColorsUse = value;
  Invalidate();
}

void TRxDBGrid::SetRowColor1(TColor value) {
  if (value == FRowColor1) return;
  FRowColor1 = value;
  if (FRowColorsUse) Invalidate();
}

void TRxDBGrid::SetRowColor2(TColor value) {
  if (value == FRowColor2) return;
  FRowColor2 = value;
  if (FRowColorsUse) Invalidate();
}

void TRxDBGrid::SetRowsHeight(int value) {
  if (ComponentState() & csDesigning) return;
  SetDefaultRowHeight(value);
  if (Options().Contains(dgTitles) && RowCount() > 0) SetRowHeights(0, value + 2);
  if (HandleAllocated()) Perform(WM_SIZE, 0, 0);
}

TFormPlacement* TRxDBGrid::IniStorage() const { return FIniLink->Storage(); }

void TRxDBGrid::SetIniStorage(TFormPlacement* value) {
  if (TFormPlacement* old = FIniLink->Storage()) RemoveFreeNotification(old);
  FIniLink->SetStorage(value);
  if (value) FreeNotification(value);
}

void TRxDBGrid::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomDBGrid::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && FIniLink && AComponent == FIniLink->Storage()) FIniLink->SetStorage(nullptr);
}

// ---------------------------------------------------------------- selection

int TRxDBGrid::SelCount() const { return FMultiSelect && DataLink()->Active() ? SelectedRows()->Count() : 0; }

void TRxDBGrid::ClearGridSelection() {
  if (FMultiSelect && FClearSelection) SelectedRows()->Clear();
  FSelecting = false;
}

void TRxDBGrid::SelectAll() {
  if (!FMultiSelect || !DataLink()->Active()) return;
  TDataSet* ds = DataLink()->DataSet();
  if (ds->IsEmpty()) return;
  const TBookmark saved = ds->GetBookmark();
  ds->DisableControls();
  try {
    ds->First();
    while (!ds->Eof()) {
      SelectedRows()->SetCurrentRowSelected(true);
      ds->Next();
    }
  } catch (...) {
    ds->EnableControls();
    throw;
  }
  try {
    ds->GotoBookmark(saved);
  } catch (const Exception&) {
    // The record may be gone; the selection stands anyway.
  }
  ds->EnableControls();
}

void TRxDBGrid::UnselectAll() {
  SelectedRows()->Clear();
  FSelecting = false;
}

void TRxDBGrid::ToggleRowSelection() {
  if (FMultiSelect && DataLink()->Active())
    SelectedRows()->SetCurrentRowSelected(!SelectedRows()->CurrentRowSelected());
}

void TRxDBGrid::GotoSelection(int Index) {
  if (FMultiSelect && DataLink()->Active() && Index >= 0 && Index < SelectedRows()->Count())
    DataLink()->DataSet()->GotoBookmark(SelectedRows()->Items(Index));
}

// ---------------------------------------------------------------- fixed columns

int TRxDBGrid::FirstScrollingColumn() const {
  int col = IndicatorOffset() + FFixedCols;
  while (col < ColCount() - 1 && ColWidths(col) <= 0) ++col;
  return std::min(col, std::max(IndicatorOffset(), ColCount() - 1));
}

void TRxDBGrid::ApplyFixedCols() {
  int count = FFixedCols + IndicatorOffset();
  if (DataLink()->Active()) count = std::min(count, ColCount() - 1);
  count = std::max(count, IndicatorOffset());
  if (count < ColCount() && count != TCustomGrid::FixedCols()) TCustomGrid::SetFixedCols(count);
  for (int i = IndicatorOffset(); i < count; ++i) SetTabStops(i, false);
}

void TRxDBGrid::SetColumnAttributes() {
  TCustomDBGrid::SetColumnAttributes();
  ApplyFixedCols();
}

void TRxDBGrid::FixCurrentColumn() {
  if (FFixedCols <= 0 || !HandleAllocated()) return;
  const int first = FirstScrollingColumn();
  if (Col() < first && first < ColCount()) MoveCol(first, 1);
}

void TRxDBGrid::LayoutChanged() {
  TCustomDBGrid::LayoutChanged();
  FixCurrentColumn();
}

void TRxDBGrid::ColWidthsChanged() {
  TCustomDBGrid::ColWidthsChanged();
  FixCurrentColumn();
}

// ---------------------------------------------------------------- scrolling and editing

void TRxDBGrid::DisableScroll() { ++FDisableCount; }

void TRxDBGrid::EnableScroll() {
  if (FDisableCount == 0) return;
  if (--FDisableCount == 0) DataLink()->DataSetScrolled(0);
}

void TRxDBGrid::Scroll(int Distance) {
  if (FDisableCount > 0) {
    Invalidate();
    return;
  }
  if (FTracking) StopTracking();
  TCustomDBGrid::Scroll(Distance);
}

void TRxDBGrid::TopLeftChanged() {
  if (Options().Contains(dgRowSelect) && FDefaultDrawing) InvalidateRow(Row());
  TCustomDBGrid::TopLeftChanged();
  if (OnTopLeftChanged) OnTopLeftChanged(this);
}

bool TRxDBGrid::CanEditShow() {
  if (FieldGlyph(SelectedField()) >= 0) return false;
  bool result = TCustomDBGrid::CanEditShow();
  if (result && OnShowEditor) OnShowEditor(this, SelectedField(), result);
  return result;
}

void TRxDBGrid::SetEditText(int ACol, int ARow, const String& Value) {
  TCustomDBGrid::SetEditText(ACol, ARow, Value);
  if (OnEditChange) OnEditChange(this);
}

int TRxDBGrid::FieldGlyph(TField* Field) const {
  if (!FShowGlyphs || !Field) return -1;
  if (!ReadOnly() && Field->CanModify() && Field->OnGetText && Field->OnSetText) return -1;
  switch (Field->DataType()) {
  case ftBlob: return 0;
  case ftMemo: return 1;
  case ftGraphic: return 2;
  default: return -1;
  }
}

// ---------------------------------------------------------------- widths by content

void TRxDBGrid::SetGridColumnWidthsByContent(bool GoToFirst) {
  if (!DataLink()->Active()) return;
  TDataSet* ds = DataLink()->DataSet();
  const int count = std::min(Columns()->Count(), 256);
  std::vector<TField*> fields(static_cast<size_t>(count));
  std::vector<int> widths(static_cast<size_t>(count), 0);
  HDC dc = CreateCompatibleDC(nullptr);
  TFont font;
  font.Assign(*Font());
  HGDIOBJ oldFont = SelectObject(dc, font.Handle());
  auto textWidth = [dc](const String& text) {
    SIZE size{};
    GetTextExtentPoint32W(dc, reinterpret_cast<LPCWSTR>(text.c_str()), static_cast<int>(text.size()), &size);
    return static_cast<int>(size.cx);
  };
  ds->DisableControls();
  try {
    for (int i = 0; i < count; ++i) {
      fields[static_cast<size_t>(i)] = Columns()->Items(i)->Field();
      if (fields[static_cast<size_t>(i)])
        widths[static_cast<size_t>(i)] = textWidth(fields[static_cast<size_t>(i)]->FieldName()) + 10;
    }
    for (ds->First(); !ds->Eof(); ds->Next())
      for (int i = 0; i < count; ++i)
        if (TField* field = fields[static_cast<size_t>(i)])
          widths[static_cast<size_t>(i)] =
              std::max(widths[static_cast<size_t>(i)], textWidth(Trim(field->DisplayText())) + 10);
    if (GoToFirst) ds->First();
  } catch (...) {
    SelectObject(dc, oldFont);
    DeleteDC(dc);
    ds->EnableControls();
    throw;
  }
  SelectObject(dc, oldFont);
  DeleteDC(dc);
  ds->EnableControls();
  for (int i = 0; i < count; ++i)
    if (fields[static_cast<size_t>(i)]) Columns()->Items(i)->SetWidth(widths[static_cast<size_t>(i)]);
}

// ---------------------------------------------------------------- layout storage

void TRxDBGrid::SaveLayout(TCustomIniFile* IniFile) { InternalSaveLayout(IniFile, String()); }
void TRxDBGrid::RestoreLayout(TCustomIniFile* IniFile) {
  InternalRestoreLayout(IniFile, String());
}
void TRxDBGrid::SaveLayoutReg(TRegIniFile* IniFile) { InternalSaveLayout(IniFile, String()); }
void TRxDBGrid::RestoreLayoutReg(TRegIniFile* IniFile) {
  InternalRestoreLayout(IniFile, String());
}

void TRxDBGrid::InternalSaveLayout(TObject* IniFile, const String& Section) {
  if (!DataSource() || !DataSource()->DataSet()) return;
  if (Columns()->State() == csCustomized) SaveColumnsLayout(IniFile, Section);
  else SaveDataSetFields(DataSource()->DataSet(), IniFile, Section);
}

void TRxDBGrid::InternalRestoreLayout(TObject* IniFile, const String& Section) {
  if (!DataSource() || !DataSource()->DataSet()) return;
  HandleNeeded();
  BeginLayout();
  try {
    if (Columns()->State() == csCustomized) RestoreColumnsLayout(IniFile, Section);
    else RestoreDataSetFields(DataSource()->DataSet(), IniFile, Section, false);
  } catch (...) {
    EndLayout();
    throw;
  }
  EndLayout();
}

void TRxDBGrid::SaveColumnsLayout(TObject* IniFile, const String& Section) {
  const String section = Section.empty() ? DefaultStorageSection(this) : Section;
  StorageEraseSection(IniFile, section);
  for (int i = 0; i < Columns()->Count(); ++i) {
    TColumn* column = Columns()->Items(i);
    StorageWriteString(IniFile, section, Format(u"%s.%s", {Name(), column->FieldName()}),
                       Format(u"%d,%d", {column->Index(), column->Width()}));
  }
}

void TRxDBGrid::RestoreColumnsLayout(TObject* IniFile, const String& Section) {
  const String section = Section.empty() ? DefaultStorageSection(this) : Section;
  const int count = Columns()->Count();
  std::vector<std::pair<TColumn*, int>> order;
  for (int i = 0; i < count; ++i) {
    TColumn* column = Columns()->Items(i);
    const String value =
        StorageReadString(IniFile, section, Format(u"%s.%s", {Name(), column->FieldName()}), String());
    int position = column->Index();
    if (!value.empty()) {
      const int stored = StorageWordInt(1, value, position);
      if (stored >= 0 && stored < count) position = stored;
      const int width = StorageWordInt(2, value, column->Width());
      if (width >= 0 && width <= MaxStoredWidth) column->SetWidth(width);
    }
    order.emplace_back(column, position);
  }
  for (int target = 0; target < count; ++target)
    for (auto& [column, position] : order)
      if (position == target) {
        column->SetIndex(target);
        break;
      }
}

// Customized columns keep their layout under the grid's own section; the
// default columns under their data set's.
String TRxDBGrid::LayoutSection() {
  if (Columns()->State() == csCustomized) return FIniLink->RootSection() + DefaultStorageSection(this);
  if (!FIniLink->RootSection().empty() && DataSource() && DataSource()->DataSet())
    return FIniLink->RootSection() + DataSetSectionName(DataSource()->DataSet());
  return String();
}

void TRxDBGrid::IniSave(TObject*) {
  TObject* ini = FIniLink->IniObject();
  if (Name().empty() || !ini) return;
  InternalSaveLayout(ini, LayoutSection());
}

void TRxDBGrid::IniLoad(TObject*) {
  TObject* ini = FIniLink->IniObject();
  if (Name().empty() || !ini) return;
  InternalRestoreLayout(ini, LayoutSection());
}
