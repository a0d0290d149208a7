// Columns of the data grid and their titles: values set in code win; the
// rest comes from the field and the grid, read when asked.
#include "platform/dbctrls/DBGridColumns.h"
#include "platform/dbctrls/DBGrid.h"
#include "platform/ui/mask/EditMask.h"
#include <algorithm>

// ---------------------------------------------------------------- TColumnTitle

TColumnTitle::TColumnTitle(TColumn* column) : FColumn(column), FFont(std::make_unique<TFont>()) {
  RefreshDefaultFont();
  FFont->OnChange = [this](TObject*) { FontChanged(); };
}

TColumnTitle::~TColumnTitle() { FFont->OnChange = nullptr; }

String TColumnTitle::DefaultCaption() const {
  if (TField* field = FColumn->Field()) return field->DisplayLabel();
  return FColumn->FieldName();
}

String TColumnTitle::Caption() const {
  return FColumn->FAssignedValues.Contains(cvTitleCaption) ? FCaption : DefaultCaption();
}

void TColumnTitle::SetCaption(const String& value) {
  if (FColumn->FAssignedValues.Contains(cvTitleCaption) && value == FCaption) return;
  FCaption = value;
  FColumn->FAssignedValues.Include(cvTitleCaption);
  FColumn->Changed(false);
}

TAlignment TColumnTitle::Alignment() const {
  return FColumn->FAssignedValues.Contains(cvTitleAlignment) ? FAlignment : DefaultAlignment();
}

void TColumnTitle::SetAlignment(TAlignment value) {
  if (FColumn->FAssignedValues.Contains(cvTitleAlignment) && value == FAlignment) return;
  FAlignment = value;
  FColumn->FAssignedValues.Include(cvTitleAlignment);
  FColumn->Changed(false);
}

TColor TColumnTitle::DefaultColor() const {
  TCustomDBGrid* grid = FColumn->Grid();
  return grid ? grid->FixedColor() : clBtnFace;
}

TColor TColumnTitle::Color() const {
  return FColumn->FAssignedValues.Contains(cvTitleColor) ? FColor : DefaultColor();
}

void TColumnTitle::SetColor(TColor value) {
  if (FColumn->FAssignedValues.Contains(cvTitleColor) && value == FColor) return;
  FColor = value;
  FColumn->FAssignedValues.Include(cvTitleColor);
  FColumn->Changed(false);
}

void TColumnTitle::FontChanged() {
  if (FRefreshingFont) return;
  FColumn->FAssignedValues.Include(cvTitleFont);
  FColumn->Changed(true);
}

void TColumnTitle::RefreshDefaultFont() {
  if (FColumn->FAssignedValues.Contains(cvTitleFont)) return;
  TCustomDBGrid* grid = FColumn->Grid();
  if (!grid) return;
  FRefreshingFont = true;
  FFont->Assign(*grid->TitleFont());
  FRefreshingFont = false;
}

void TColumnTitle::RestoreDefaults() {
  const bool fontAssigned = FColumn->FAssignedValues.Contains(cvTitleFont);
  FColumn->FAssignedValues = FColumn->FAssignedValues - TColumnValues{cvTitleFont, cvTitleCaption, cvTitleColor,
                                                                      cvTitleAlignment};
  FCaption.clear();
  if (fontAssigned) RefreshDefaultFont();
  FColumn->Changed(true);
}

void TColumnTitle::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TColumnTitle*>(&source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  const TColumnValues values = other->FColumn->FAssignedValues;
  if (values.Contains(cvTitleCaption)) SetCaption(other->FCaption);
  if (values.Contains(cvTitleAlignment)) SetAlignment(other->FAlignment);
  if (values.Contains(cvTitleColor)) SetColor(other->FColor);
  if (values.Contains(cvTitleFont)) SetFont(other->FFont.get());
}

// ---------------------------------------------------------------- TColumn

// Joins the collection only once built: joining tells the grid, which
// lays its columns out again.
TColumn::TColumn(TCollection* collection) : TCollectionItem(nullptr), FFont(std::make_unique<TFont>()) {
  FTitle = std::make_unique<TColumnTitle>(this);
  FFont->OnChange = [this](TObject*) { FontChanged(); };
  if (!collection) return;
  collection->BeginUpdate();
  SetCollection(collection);
  RefreshDefaultFont();
  FTitle->RefreshDefaultFont();
  collection->EndUpdate();
}

TColumn::~TColumn() {
  FFont->OnChange = nullptr;
  FTitle.reset();
}

TCustomDBGrid* TColumn::Grid() const {
  auto* columns = dynamic_cast<TDBGridColumns*>(Collection());
  return columns ? columns->Grid() : nullptr;
}

String TColumn::GetDisplayName() const {
  return FFieldName.empty() ? TCollectionItem::GetDisplayName() : FFieldName;
}

void TColumn::SetFieldName(const String& value) {
  if (value == FFieldName && FFieldBound) return;
  FFieldName = value;
  FField = nullptr;
  FFieldBound = false;
  Changed(true);
}

TField* TColumn::Field() {
  if (!FFieldBound && !FFieldName.empty()) {
    TCustomDBGrid* grid = Grid();
    TDataSet* ds = grid ? grid->DataLink()->DataSet() : nullptr;
    if (ds && ds->Active()) {
      FField = ds->FindField(FFieldName);
      FFieldBound = true;
    }
  }
  return FField;
}

void TColumn::SetField(TField* value) {
  if (value == FField && FFieldBound) return;
  FField = value;
  FFieldBound = value != nullptr;
  if (value) FFieldName = value->FieldName();
  Changed(true);
}

int TColumn::DefaultWidth() {
  TCustomDBGrid* grid = Grid();
  if (!grid) return 64;
  TField* field = Field();
  if (!field) return grid->DefaultColWidth();
  const TSize digit = TCustomDBGrid::MeasureText(FFont.get(), u"0");
  // A masked field shows its literals too (hour "12:34:56" of "123456").
  int chars = field->DisplayWidth();
  if (!field->EditMask().empty()) chars = std::max(chars, TEditMask(field->EditMask()).EditLength());
  int result = chars * digit.cx + 4;
  if (grid->Options().Contains(dgTitles)) {
    const int w = TCustomDBGrid::MeasureText(FTitle->Font(), FTitle->Caption()).cx + 4;
    result = std::max(result, w);
  }
  return result;
}

int TColumn::Width() {
  if (!Showing()) return -1;
  return FAssignedValues.Contains(cvWidth) ? FWidth : DefaultWidth();
}

void TColumn::SetWidth(int value) {
  value = std::min(value, 10000);
  if (!FStored) {
    // A default column's width is its field's display width.
    if (TField* field = Field()) {
      const int avg = std::max<int>(1, TCustomDBGrid::MeasureText(FFont.get(), u"0").cx);
      const int chars = std::max(1, (value + avg / 2 - 3) / avg);
      if (chars != field->DisplayWidth()) field->SetDisplayWidth(chars);
    }
  }
  if (FAssignedValues.Contains(cvWidth) && value == FWidth) return;
  if (FStored && !FAssignedValues.Contains(cvWidth) && value == DefaultWidth()) return;
  FWidth = value;
  FAssignedValues.Include(cvWidth);
  Changed(false);
}

void TColumn::SetVisible(bool value) {
  if (value == FVisible) return;
  FVisible = value;
  Changed(true);
}

TAlignment TColumn::DefaultAlignment() {
  TField* field = Field();
  return field ? field->Alignment() : taLeftJustify;
}

TAlignment TColumn::Alignment() {
  return FAssignedValues.Contains(cvAlignment) ? FAlignment : DefaultAlignment();
}

void TColumn::SetAlignment(TAlignment value) {
  if (FAssignedValues.Contains(cvAlignment) && value == FAlignment) return;
  FAlignment = value;
  FAssignedValues.Include(cvAlignment);
  Changed(false);
}

TColor TColumn::DefaultColor() const {
  TCustomDBGrid* grid = Grid();
  return grid ? grid->Color() : clWindow;
}

TColor TColumn::Color() const { return FAssignedValues.Contains(cvColor) ? FColor : DefaultColor(); }

void TColumn::SetColor(TColor value) {
  if (FAssignedValues.Contains(cvColor) && value == FColor) return;
  FColor = value;
  FAssignedValues.Include(cvColor);
  Changed(false);
}

bool TColumn::DefaultReadOnly() {
  TCustomDBGrid* grid = Grid();
  TField* field = Field();
  return (grid && grid->ReadOnly()) || (field && field->ReadOnly());
}

bool TColumn::ReadOnly() const {
  if (FAssignedValues.Contains(cvReadOnly)) return FReadOnly;
  return const_cast<TColumn*>(this)->DefaultReadOnly();
}

void TColumn::SetReadOnly(bool value) {
  if (FAssignedValues.Contains(cvReadOnly) && value == FReadOnly) return;
  FReadOnly = value;
  FAssignedValues.Include(cvReadOnly);
  Changed(false);
}

void TColumn::FontChanged() {
  if (FRefreshingFont) return;
  FAssignedValues.Include(cvFont);
  FTitle->RefreshDefaultFont();
  Changed(false);
}

void TColumn::RefreshDefaultFont() {
  if (FAssignedValues.Contains(cvFont)) return;
  TCustomDBGrid* grid = Grid();
  if (!grid) return;
  FRefreshingFont = true;
  FFont->Assign(*grid->Font());
  FRefreshingFont = false;
}

void TColumn::RestoreDefaults() {
  const bool fontAssigned = FAssignedValues.Contains(cvFont);
  FTitle->RestoreDefaults();
  FAssignedValues = TColumnValues();
  if (fontAssigned) RefreshDefaultFont();
  Changed(false);
}

void TColumn::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TColumn*>(&source);
  if (!other) {
    TCollectionItem::Assign(source);
    return;
  }
  auto* columns = dynamic_cast<TDBGridColumns*>(Collection());
  if (columns) columns->BeginUpdate();
  FFieldName = other->FFieldName;
  FField = nullptr;
  FFieldBound = false;
  FVisible = other->FVisible;
  const TColumnValues values = other->FAssignedValues;
  if (values.Contains(cvWidth)) {
    FWidth = other->FWidth;
    FAssignedValues.Include(cvWidth);
  }
  if (values.Contains(cvAlignment)) SetAlignment(other->FAlignment);
  if (values.Contains(cvColor)) SetColor(other->FColor);
  if (values.Contains(cvReadOnly)) SetReadOnly(other->FReadOnly);
  if (values.Contains(cvFont)) SetFont(other->FFont.get());
  FTitle->Assign(*other->FTitle);
  if (columns) columns->EndUpdate();
}

// ---------------------------------------------------------------- TDBGridColumns

TDBGridColumns::TDBGridColumns(TCustomDBGrid* grid)
    : TCollection([](TCollection* c) { return new TColumn(c); }, grid), FGrid(grid) {}

TColumn* TDBGridColumns::Add() {
  // The first column of the program's own replaces the grid's defaults;
  // the grid hears of it once the new column is in.
  BeginUpdate();
  TColumn* column = nullptr;
  try {
    if (Count() > 0 && !Items(0)->FStored) Clear();
    column = static_cast<TColumn*>(TCollection::Add());
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  return column;
}

TColumn* TDBGridColumns::InternalAdd() {
  BeginUpdate();
  auto* column = static_cast<TColumn*>(TCollection::Add());
  column->FStored = false;
  EndUpdate();
  return column;
}

TDBGridColumnsState TDBGridColumns::State() const {
  return Count() > 0 && Items(0)->FStored ? csCustomized : csDefault;
}

void TDBGridColumns::SetState(TDBGridColumnsState value) {
  if (value == State()) return;
  if (value == csDefault) {
    Clear();
  } else {
    BeginUpdate();
    for (int i = 0; i < Count(); ++i) Items(i)->FStored = true;
    EndUpdate();
  }
}

void TDBGridColumns::RebuildColumns() {
  BeginUpdate();
  Clear();
  if (TDataSet* ds = FGrid ? FGrid->DataLink()->DataSet() : nullptr) {
    for (int i = 0; i < ds->FieldCount(); ++i) {
      TField* field = ds->Fields()[i];
      if (field->Visible()) InternalAdd()->SetField(field);
    }
  }
  EndUpdate();
}

void TDBGridColumns::RestoreDefaults() {
  BeginUpdate();
  for (int i = 0; i < Count(); ++i) Items(i)->RestoreDefaults();
  EndUpdate();
}

void TDBGridColumns::Update(TCollectionItem* item) {
  if (!FGrid || FGrid->IsDestroying()) return;
  auto* column = dynamic_cast<TColumn*>(item);
  if (!column) {
    FGrid->LayoutChanged();
    return;
  }
  const int raw = FGrid->DataToRawColumn(column->Index());
  if (raw < 0 || raw >= FGrid->ColCount()) {
    FGrid->LayoutChanged();
    return;
  }
  FGrid->InvalidateCol(raw);
  FGrid->SetColWidths(raw, column->Width());
}
