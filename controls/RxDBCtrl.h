#pragma once
// The library's data grid: the platform grid with alternating row colours,
// per-cell colour and font hooks, multi-row selection by bookmarks with
// keyboard and mouse rules, title cells that act as buttons with sort
// markers, fixed data columns, field-type glyphs, wheel scrolling by
// record, suspendable scrolling, widths fitted to content, and its layout
// stored in an INI file or the registry.
#include "controls/RxPlacemnt.h"
#include "platform/dbctrls/DBGrid.h"
#include "platform/ui/graphics/Bitmap.h"
#include <memory>

enum TSortMarker : uint8_t { smNone, smDown, smUp };

using TTitleClickEvent = std::function<void(TObject* Sender, int ACol, TField* Field)>;
using TCheckTitleBtnEvent = std::function<void(TObject* Sender, int ACol, TField* Field, bool& Enabled)>;
using TGetCellParamsEvent =
    std::function<void(TObject* Sender, TField* Field, TFont* AFont, TColor& Background, bool Highlight)>;
using TGetCellPropsEvent = std::function<void(TObject* Sender, TField* Field, TFont* AFont, TColor& Background)>;
using TGetBtnParamsEvent = std::function<void(TObject* Sender, TField* Field, TFont* AFont, TColor& Background,
                                              TSortMarker& SortMarker, bool IsDown)>;
using TDBEditShowEvent = std::function<void(TObject* Sender, TField* Field, bool& AllowEdit)>;

// The stored default and the constructor's value of RowColor2.
constexpr TColor DefaultRowColor2 = static_cast<TColor>(0x00FFFBF0);

class TRxDBGrid : public TCustomDBGrid {
public:
  explicit TRxDBGrid(TComponent* AOwner);
  ~TRxDBGrid() override;

  // The platform grid's options, plus dgMultiSelect standing for MultiSelect.
  TDBGridOptions Options() const;
  void SetOptions(TDBGridOptions value);
  bool MultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool value);
  bool ClearSelection() const { return FClearSelection; }
  void SetClearSelection(bool value) { FClearSelection = value; }
  bool AutoAppend() const { return FAutoAppend; }
  void SetAutoAppend(bool value) { FAutoAppend = value; }
  int FixedCols() const { return FFixedCols; }
  void SetFixedCols(int value);
  bool DefaultDrawing() const { return FDefaultDrawing; }
  void SetDefaultDrawing(bool value);
  bool ShowGlyphs() const { return FShowGlyphs; }
  void SetShowGlyphs(bool value);
  bool TitleButtons() const { return FTitleButtons; }
  void SetTitleButtons(bool value);
  bool RowColorsUse() const { return FRowColorsUse; }
  void SetRowColorsUse(bool value);
  TColor RowColor1() const { return FRowColor1; }
  void SetRowColor1(TColor value);
  TColor RowColor2() const { return FRowColor2; }
  void SetRowColor2(TColor value);
  int RowsHeight() const { return DefaultRowHeight(); }
  void SetRowsHeight(int value);
  TFormPlacement* IniStorage() const;
  void SetIniStorage(TFormPlacement* value);

  int SelCount() const;
  void SelectAll();
  void UnselectAll();
  void ToggleRowSelection();
  void GotoSelection(int Index);
  void DisableScroll();
  void EnableScroll();
  bool ScrollDisabled() const { return FDisableCount > 0; }
  using TCustomDBGrid::MouseToCell;
  using TCustomDBGrid::DefaultDrawDataCell;
  void SetGridColumnWidthsByContent(bool GoToFirst);

  void SaveLayout(TCustomIniFile* IniFile);
  void RestoreLayout(TCustomIniFile* IniFile);
  void SaveLayoutReg(TRegIniFile* IniFile);
  void RestoreLayoutReg(TRegIniFile* IniFile);

  // The glyph index drawn for a field instead of its text (-1: none).
  int FieldGlyph(TField* Field) const;
  // The caption shortened to fit width: its characters less 2, 3, ...
  // followed by "...", down to "..." alone.
  static String ShortenCaption(TCanvas* canvas, const String& caption, int width);

  TCheckTitleBtnEvent OnCheckButton;
  TGetCellPropsEvent OnGetCellProps;
  TGetCellParamsEvent OnGetCellParams;
  TGetBtnParamsEvent OnGetBtnParams;
  TNotifyEvent OnEditChange;
  TDBEditShowEvent OnShowEditor;
  TTitleClickEvent OnTitleBtnClick;
  TNotifyEvent OnTopLeftChanged;

protected:
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
  void Paint() override;
  void SetColumnAttributes() override;
  void LayoutChanged() override;
  void ColWidthsChanged() override;
  void Scroll(int Distance) override;
  void TopLeftChanged() override;
  bool CanEditShow() override;
  void SetEditText(int ACol, int ARow, const String& Value) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

public:
  void WndProc(TMessage& Message) override;

  void InternalSaveLayout(TObject* IniFile, const String& Section);
  void InternalRestoreLayout(TObject* IniFile, const String& Section);

private:
  void ClearGridSelection();
  void MoveWithSelection(bool select, int direction);
  int FirstScrollingColumn() const;
  void FixCurrentColumn();
  void ApplyFixedCols();
  void InvalidateTitles();
  void StopTracking();
  void TrackButton(int X, int Y);
  void DrawTitleCell(int ACol, const TRect& ARect);
  void DrawDataCellColoured(int dataCol, int dataRow, const TRect& rect, TGridDrawState state);
  void DrawSelectionMark(const TRect& rect, bool current);
  bool GetFocus();
  String LayoutSection();
  void IniSave(TObject* Sender);
  void IniLoad(TObject* Sender);
  void SaveColumnsLayout(TObject* IniFile, const String& Section);
  void RestoreColumnsLayout(TObject* IniFile, const String& Section);

  bool FMultiSelect = false;
  bool FClearSelection = true;
  bool FAutoAppend = true;
  int FFixedCols = 0;
  bool FDefaultDrawing = true;
  bool FShowGlyphs = true;
  bool FTitleButtons = false;
  bool FRowColorsUse = false;
  TColor FRowColor1 = clInfoBk;
  TColor FRowColor2 = DefaultRowColor2;
  int FPressedCol = -1;
  bool FPressed = false;
  bool FTracking = false;
  bool FSwapButtons = false;
  bool FSelecting = false;
  TBookmark FSelectionAnchor = 0;
  int FDisableCount = 0;
  int FFixedSizingIndex = -1;
  int FFixedSizingOfs = 0;
  std::unique_ptr<TIniLink> FIniLink;
};

// Shared pictures of the grid: 0 blob, 1 memo, 2 picture, 3 OLE, 4 object,
// 5 data set, 6 not empty, 7 sort down, 8 sort up.
TBitmap* GridImage(int index);
