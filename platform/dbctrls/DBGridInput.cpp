// The data grid's keys, mouse, wheel and scroll bar: moving in the grid
// moves the data set's record; the in-place editor edits the current
// field.
#include "platform/dbctrls/DBGrid.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Forms.h"
#include "platform/ui/grids/InplaceEdit.h"
#include "platform/ui/ScrollBars.h"
#include <algorithm>

namespace {
const char16_t* const SDeleteRecordQuestion = u"Delete record?";
const char16_t* const SDeleteMultipleRecordsQuestion = u"Delete all selected records?";
}  // namespace

bool TCustomDBGrid::AcquireFocus() {
  if (!CanFocus()) return true;
  SetFocus();
  return Focused() || (FInplaceEdit && FInplaceEdit->HandleAllocated() && FInplaceEdit->Focused());
}

void TCustomDBGrid::ClearSelection() {
  if (FOptions.Contains(dgMultiSelect)) FBookmarks->Clear();
}

void TCustomDBGrid::MoveCol(int RawCol, int Direction) {
  FDataLink->UpdateData();
  RawCol = std::clamp(RawCol, FIndicatorOffset, std::max(FIndicatorOffset, ColCount() - 1));
  if (Direction != 0) {
    while (RawCol < ColCount() && RawCol >= FIndicatorOffset && ColWidths(RawCol) <= 0) RawCol += Direction;
    if (RawCol >= ColCount() || RawCol < FIndicatorOffset) return;
  }
  const int oldCol = Col();
  if (RawCol == oldCol) return;
  if (!FInColExit) {
    FInColExit = true;
    try {
      ColExit();
    } catch (...) {
      FInColExit = false;
      throw;
    }
    FInColExit = false;
    if (Col() != oldCol) return;
  }
  if (!FOptions.Contains(dgAlwaysShowEditor)) HideEditor();
  SetCol(RawCol);
  ColEnter();
}

void TCustomDBGrid::NextRow() {
  TDataSet* ds = FDataLink->DataSet();
  if (ds->State() == dsInsert && !ds->Modified() && !FDataLink->Modified()) {
    if (FDataLink->Eof()) return;
    ds->Cancel();
  } else {
    ClearSelection();
    FDataLink->MoveBy(1);
  }
  if (FDataLink->Eof() && ds->CanModify() && !FReadOnly && FOptions.Contains(dgEditing)) ds->Append();
}

void TCustomDBGrid::PriorRow() {
  TDataSet* ds = FDataLink->DataSet();
  if (ds->State() == dsInsert && !ds->Modified() && ds->Eof() && !FDataLink->Modified()) {
    ds->Cancel();
  } else {
    ClearSelection();
    FDataLink->MoveBy(-1);
  }
}

void TCustomDBGrid::Tab(bool goForward) {
  int col = Col();
  const int original = col;
  BeginUpdate();
  try {
    for (;;) {
      col += goForward ? 1 : -1;
      if (col >= ColCount()) {
        NextRow();
        col = FIndicatorOffset;
      } else if (col < FIndicatorOffset) {
        PriorRow();
        col = ColCount() - 1;
      }
      if (col == original) break;
      if (TabStops(col)) {
        MoveCol(col, 0);
        break;
      }
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TCustomDBGrid::KeyDown(WORD& Key, TShiftState Shift) {
  FireEvent(OnKeyDown, this, Key, Shift);
  if (Key == 0 || !FDataLink->Active() || !CanGridAcceptKey(Key, Shift)) return;
  TDataSet* ds = FDataLink->DataSet();
  if (Shift.Contains(ssCtrl)) {
    if (Key == VK_UP || Key == VK_PRIOR || Key == VK_DOWN || Key == VK_NEXT || Key == VK_HOME || Key == VK_END)
      ClearSelection();
    switch (Key) {
    case VK_UP:
    case VK_PRIOR: FDataLink->MoveBy(-FDataLink->ActiveRecord()); break;
    case VK_DOWN:
    case VK_NEXT: FDataLink->MoveBy(FDataLink->BufferCount() - FDataLink->ActiveRecord() - 1); break;
    case VK_LEFT: MoveCol(FIndicatorOffset, 1); break;
    case VK_RIGHT: MoveCol(ColCount() - 1, -1); break;
    case VK_HOME: ds->First(); break;
    case VK_END: ds->Last(); break;
    case VK_DELETE:
      if (!FReadOnly && !ds->IsEmpty() && ds->CanModify()) {
        const String question = FBookmarks->Count() > 1 ? SDeleteMultipleRecordsQuestion : SDeleteRecordQuestion;
        if (!FOptions.Contains(dgConfirmDelete) || MessageDlg(question, mtConfirmation, mbOKCancel) != mrCancel) {
          if (FBookmarks->Count() > 0) FBookmarks->Delete();
          else ds->Delete();
        }
      }
      break;
    default: break;
    }
    return;
  }
  switch (Key) {
  case VK_UP: PriorRow(); break;
  case VK_DOWN: NextRow(); break;
  case VK_LEFT:
    if (FOptions.Contains(dgRowSelect)) {
      if (LeftCol() > FIndicatorOffset) SetLeftCol(LeftCol() - 1);
    } else {
      MoveCol(Col() - 1, -1);
    }
    break;
  case VK_RIGHT:
    if (FOptions.Contains(dgRowSelect)) {
      if (LeftCol() < ColCount() - 1) SetLeftCol(LeftCol() + 1);
    } else {
      MoveCol(Col() + 1, 1);
    }
    break;
  case VK_HOME:
    if (ColCount() == FIndicatorOffset + 1 || FOptions.Contains(dgRowSelect)) {
      ClearSelection();
      ds->First();
    } else {
      MoveCol(FIndicatorOffset, 1);
    }
    break;
  case VK_END:
    if (ColCount() == FIndicatorOffset + 1 || FOptions.Contains(dgRowSelect)) {
      ClearSelection();
      ds->Last();
    } else {
      MoveCol(ColCount() - 1, -1);
    }
    break;
  case VK_NEXT:
    ClearSelection();
    FDataLink->MoveBy(VisibleRowCount());
    break;
  case VK_PRIOR:
    ClearSelection();
    FDataLink->MoveBy(-VisibleRowCount());
    break;
  case VK_INSERT:
    if (ds->CanModify() && !FReadOnly && FOptions.Contains(dgEditing)) {
      ClearSelection();
      ds->Insert();
    }
    break;
  case VK_TAB:
    if (!Shift.Contains(ssAlt)) Tab(!Shift.Contains(ssShift));
    break;
  case VK_ESCAPE:
    FDataLink->Reset();
    ClearSelection();
    if (!FOptions.Contains(dgAlwaysShowEditor)) HideEditor();
    break;
  case VK_F2: SetEditorMode(true); break;
  default: break;
  }
}

void TCustomDBGrid::KeyPress(char16_t& Key) {
  if (!FOptions.Contains(dgAlwaysShowEditor) && Key == u'\r') FDataLink->UpdateData();
  TCustomGrid::KeyPress(Key);
}

void TCustomDBGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (!AcquireFocus()) return;
  if (Shift.Contains(ssDouble) && Button == mbLeft) {
    DblClick();
    return;
  }
  TGridState state = gsNormal;
  int index = 0;
  int pos = 0;
  int ofs = 0;
  CalcSizingState(X, Y, state, index, pos, ofs);
  if (state != gsNormal) {
    FDataLink->UpdateData();
    TCustomGrid::MouseDown(Button, Shift, X, Y);
    return;
  }
  const TGridCoord cell = MouseCoord(X, Y);
  if (cell.X < 0 && cell.Y < 0) {
    TCustomGrid::MouseDown(Button, Shift, X, Y);
    return;
  }
  if (FOptions.Contains(dgColumnResize) && cell.Y < FTitleOffset) {
    FDataLink->UpdateData();
    TCustomGrid::MouseDown(Button, Shift, X, Y);
    return;
  }
  if (FDataLink->Active()) {
    BeginUpdate();
    try {
      FDataLink->UpdateData();
      HideEditor();
      const int oldCol = Col();
      const int oldRow = Row();
      if (cell.Y >= FTitleOffset && cell.Y != Row()) FDataLink->MoveBy(cell.Y - Row());
      if (cell.X >= FIndicatorOffset) MoveCol(cell.X, 0);
      if (Button == mbLeft && ((cell.X == oldCol && cell.Y == oldRow) || FOptions.Contains(dgAlwaysShowEditor)))
        ShowEditor();
      else
        InvalidateEditor();
    } catch (...) {
      EndUpdate();
      throw;
    }
    EndUpdate();
  }
  // The user's OnMouseDown, without the grid's own cell handling.
  TControl::MouseDown(Button, Shift, X, Y);
}

void TCustomDBGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const TGridState saved = FGridState;
  TCustomGrid::MouseUp(Button, Shift, X, Y);
  if (saved == gsRowSizing || saved == gsColSizing) return;
  if (FInplaceEdit && FInplaceEdit->Visible() && FInplaceEdit->BoundsRect().Contains(TPoint(X, Y))) return;
  const TGridCoord cell = MouseCoord(X, Y);
  if (Button != mbLeft || cell.X < FIndicatorOffset || cell.Y < 0) return;
  if (cell.Y < FTitleOffset) {
    const int dataCol = RawToDataColumn(cell.X);
    if (dataCol >= 0 && dataCol < FColumns->Count()) TitleClick(FColumns->Items(dataCol));
  } else {
    const int index = SelectedIndex();
    if (index >= 0 && index < FColumns->Count()) CellClick(FColumns->Items(index));
  }
}

void TCustomDBGrid::DoExit() {
  try {
    if (FDataLink->Active()) {
      TDataSet* ds = FDataLink->DataSet();
      if (FOptions.Contains(dgCancelOnExit) && ds->State() == dsInsert && !ds->Modified() && !FDataLink->Modified())
        ds->Cancel();
      else
        FDataLink->UpdateData();
    }
  } catch (...) {
    SetFocus();
    throw;
  }
  TCustomGrid::DoExit();
}

bool TCustomDBGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  bool handled = false;
  FireEvent(OnMouseWheelDown, this, Shift, MousePos, handled);
  if (!handled && AcquireFocus() && FDataLink->Active()) handled = FDataLink->MoveBy(1) != 0;
  return handled;
}

bool TCustomDBGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  bool handled = false;
  FireEvent(OnMouseWheelUp, this, Shift, MousePos, handled);
  if (!handled && AcquireFocus() && FDataLink->Active()) handled = FDataLink->MoveBy(-1) != 0;
  return handled;
}

// ---------------------------------------------------------------- scroll bar

void TCustomDBGrid::UpdateVertScrollBar() {
  if (!HandleAllocated() || !(ScrollBars() == ssVertical || ScrollBars() == ssBoth)) return;
  SCROLLINFO si{};
  si.cbSize = sizeof(si);
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  TDataSet* ds = FDataLink->Active() ? FDataLink->DataSet() : nullptr;
  if (!ds) {
    SetScrollInfoIfChanged(FHandle, SB_VERT, si);
    return;
  }
  // The thumb stands for the current record among all of them.
  si.nMin = 1;
  si.nPage = static_cast<UINT>(VisibleRowCount());
  si.nMax = ds->RecordCount() + static_cast<int>(si.nPage) - 1;
  if (ds->State() == dsInsert) {
    si.fMask &= ~static_cast<UINT>(SIF_POS);
  } else {
    si.nPos = ds->RecNo();
  }
  SetScrollInfoIfChanged(FHandle, SB_VERT, si);
}

void TCustomDBGrid::ModifyScrollBar(int ScrollBar, int ScrollCode, int Pos) {
  if (ScrollBar != SB_VERT) {
    TCustomGrid::ModifyScrollBar(ScrollBar, ScrollCode, Pos);
    return;
  }
  if (!AcquireFocus() || !FDataLink->Active()) return;
  TDataSet* ds = FDataLink->DataSet();
  switch (ScrollCode) {
  case SB_LINEUP: FDataLink->MoveBy(-FDataLink->ActiveRecord() - 1); break;
  case SB_LINEDOWN: FDataLink->MoveBy(FDataLink->RecordCount() - FDataLink->ActiveRecord()); break;
  case SB_PAGEUP: FDataLink->MoveBy(-VisibleRowCount()); break;
  case SB_PAGEDOWN: FDataLink->MoveBy(VisibleRowCount()); break;
  case SB_THUMBPOSITION:
    if (Pos <= 1) ds->First();
    else if (Pos >= ds->RecordCount()) ds->Last();
    else ds->SetRecNo(Pos);
    break;
  case SB_THUMBTRACK:
    if (TCustomGrid::Options().Contains(goThumbTracking)) {
      if (Pos <= 1) ds->First();
      else if (Pos >= ds->RecordCount()) ds->Last();
      else ds->SetRecNo(Pos);
    }
    break;
  case SB_BOTTOM: ds->Last(); break;
  case SB_TOP: ds->First(); break;
  default: break;
  }
}

// ---------------------------------------------------------------- messages

void TCustomDBGrid::WndProc(TMessage& Message) {
  switch (Message.Msg) {
  case WM_MOUSEWHEEL: {
    const auto delta = static_cast<short>(HIWORD(Message.WParam));
    const TShiftState shift = KeysToShiftState(LOWORD(Message.WParam));
    const TPoint pos(static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam)));
    if (delta != 0 && (delta < 0 ? DoMouseWheelDown(shift, pos) : DoMouseWheelUp(shift, pos))) {
      Message.Result = 1;
      return;
    }
    break;
  }
  case CM_FONTCHANGED:
    TCustomGrid::WndProc(Message);
    for (int i = 0; i < FColumns->Count(); ++i) FColumns->Items(i)->RefreshDefaultFont();
    LayoutChanged();
    return;
  default:
    break;
  }
  TCustomGrid::WndProc(Message);
  if (Message.Msg == WM_SIZE && !IsDestroying()) {
    if (UpdateLock() == 0) UpdateRowCount();
    UpdateVertScrollBar();
  }
}

// ---------------------------------------------------------------- editor

bool TCustomDBGrid::CanEditShow() { return FLayoutLock == 0 && TCustomGrid::CanEditShow(); }

bool TCustomDBGrid::CanEditModify() {
  if (FReadOnly || !FDataLink->Active() || FDataLink->ReadOnly()) return false;
  const int index = SelectedIndex();
  if (index < 0 || index >= FColumns->Count()) return false;
  TColumn* column = FColumns->Items(index);
  TField* field = column->Field();
  if (column->ReadOnly() || !field || !field->CanModify() || (field->IsBlob() && !field->OnSetText)) return false;
  FDataLink->Edit();
  if (!FDataLink->Editing()) return false;
  FDataLink->SetModified();
  return true;
}

String TCustomDBGrid::GetEditText(int, int) {
  TField* field = SelectedField();
  FEditText = field ? field->Text() : String();
  return FEditText;
}

void TCustomDBGrid::SetEditText(int, int, const String& Value) { FEditText = Value; }

String TCustomDBGrid::GetEditMask(int ACol, int) {
  if (!FDataLink->Active()) return String();
  TField* field = Fields(RawToDataColumn(ACol));
  return field ? field->EditMask() : String();
}

int TCustomDBGrid::GetEditLimit() {
  TField* field = SelectedField();
  return field && field->DataType() == ftString ? field->Size() : 0;
}
