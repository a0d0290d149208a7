#pragma once
// The columns of a data grid. A column shows one field; what it does not
// set itself (title caption, width, alignment, colours, fonts) it takes
// from the field and the grid. Columns are either built by the grid from
// the data set's visible fields (default state) or created in code
// (customized state), which the grid then keeps as they are.
#include "platform/classes/Collections.h"
#include "platform/data/Field.h"
#include "platform/ui/Controls.h"
#include <memory>

class TColumn;
class TCustomDBGrid;

enum TColumnValue : uint8_t {
  cvColor, cvWidth, cvFont, cvAlignment, cvReadOnly, cvTitleColor, cvTitleCaption, cvTitleAlignment, cvTitleFont
};
using TColumnValues = TEnumSet<TColumnValue>;

class TColumnTitle : public TPersistent {
public:
  explicit TColumnTitle(TColumn* column);
  ~TColumnTitle() override;

  TColumn* Column() const { return FColumn; }
  // The field's display label unless set.
  String Caption() const;
  void SetCaption(const String& value);
  TAlignment Alignment() const;
  void SetAlignment(TAlignment value);
  // The grid's fixed colour unless set.
  TColor Color() const;
  void SetColor(TColor value);
  // The grid's title font unless changed.
  TFont* Font() const { return FFont.get(); }
  void SetFont(const TFont* value) { FFont->Assign(*value); }

  String DefaultCaption() const;
  TAlignment DefaultAlignment() const { return taLeftJustify; }
  TColor DefaultColor() const;
  void RestoreDefaults();
  void Assign(const TPersistent& source) override;

private:
  friend class TColumn;
  friend class TCustomDBGrid;
  void FontChanged();
  void RefreshDefaultFont();

  TColumn* FColumn;
  String FCaption;
  TAlignment FAlignment = taLeftJustify;
  TColor FColor = clBtnFace;
  std::unique_ptr<TFont> FFont;
  bool FRefreshingFont = false;
};

class TColumn : public TCollectionItem {
public:
  explicit TColumn(TCollection* collection);
  ~TColumn() override;

  TCustomDBGrid* Grid() const;
  const String& FieldName() const { return FFieldName; }
  void SetFieldName(const String& value);
  // The field of that name in the grid's data set (nullptr when none).
  TField* Field();
  void SetField(TField* value);
  TColumnTitle* Title() const { return FTitle.get(); }

  // Pixels; from the field's display width unless set.
  int Width();
  void SetWidth(int value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool value);
  // Visible in the grid.
  bool Showing() const { return FVisible; }
  TAlignment Alignment();
  void SetAlignment(TAlignment value);
  TColor Color() const;
  void SetColor(TColor value);
  TFont* Font() const { return FFont.get(); }
  void SetFont(const TFont* value) { FFont->Assign(*value); }
  bool ReadOnly() const;
  void SetReadOnly(bool value);

  TColumnValues AssignedValues() const { return FAssignedValues; }
  int DefaultWidth();
  TAlignment DefaultAlignment();
  TColor DefaultColor() const;
  bool DefaultReadOnly();
  // Forgets every value set, so the field's and grid's apply again.
  void RestoreDefaults();
  void Assign(const TPersistent& source) override;

protected:
  String GetDisplayName() const override;

private:
  friend class TDBGridColumns;
  friend class TColumnTitle;
  friend class TCustomDBGrid;
  void FontChanged();
  void RefreshDefaultFont();
  void Changed(bool allItems) { TCollectionItem::Changed(allItems); }

  String FFieldName;
  TField* FField = nullptr;
  bool FFieldBound = false;
  std::unique_ptr<TColumnTitle> FTitle;
  std::unique_ptr<TFont> FFont;
  int FWidth = 0;
  bool FVisible = true;
  TAlignment FAlignment = taLeftJustify;
  TColor FColor = clWindow;
  bool FReadOnly = false;
  TColumnValues FAssignedValues;
  // Columns the grid builds from the fields are not the program's own.
  bool FStored = true;
  bool FRefreshingFont = false;
};

enum TDBGridColumnsState : uint8_t { csDefault, csCustomized };

class TDBGridColumns : public TCollection {
public:
  explicit TDBGridColumns(TCustomDBGrid* grid);

  TCustomDBGrid* Grid() const { return FGrid; }
  // A column of the program's own: the grid's default columns give way.
  TColumn* Add();
  TColumn* Items(int index) const { return static_cast<TColumn*>(TCollection::Items(index)); }
  TColumn* operator[](int index) const { return Items(index); }
  // csDefault: the columns follow the data set's visible fields.
  TDBGridColumnsState State() const;
  void SetState(TDBGridColumnsState value);
  // Builds the default columns from the data set's fields again.
  void RebuildColumns();
  void RestoreDefaults();

protected:
  void Update(TCollectionItem* item) override;

private:
  friend class TCustomDBGrid;
  TColumn* InternalAdd();
  TCustomDBGrid* FGrid;
};
