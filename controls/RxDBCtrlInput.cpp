// The library's data grid at the keyboard and the mouse: selection rules,
// title buttons, fixed columns and the deletion questions.
#include "controls/RxDBCtrl.h"
#include "controls/RxDBUtils.h"
#include "controls/RxResConst.h"
#include "controls/RxVCLUtils.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Forms.h"
#include "platform/ui/grids/InplaceEdit.h"

namespace {
const char16_t* const SDeleteRecordQuestion = u"Delete record?";
constexpr int SizingMargin = 5;
}  // namespace

bool TRxDBGrid::GetFocus() {
  if (!CanFocus()) return true;
  SetFocus();
  return Focused() || (InplaceEditor() && InplaceEditor()->HandleAllocated() && InplaceEditor()->Focused());
}

void TRxDBGrid::MoveWithSelection(bool select, int direction) {
  TDataSet* ds = DataLink()->DataSet();
  if (!select || !FMultiSelect) {
    ClearGridSelection();
    ds->MoveBy(direction);
    return;
  }
  TBookmarkList* rows = SelectedRows();
  if (!FSelecting) {
    FSelectionAnchor = ds->GetBookmark();
    rows->SetCurrentRowSelected(true);
    FSelecting = true;
  }
  const int side = ds->CompareBookmarks(ds->GetBookmark(), FSelectionAnchor);
  if (side != 0 && (side > 0) != (direction > 0)) {
    // A step back toward the anchor gives up the record being left.
    rows->SetCurrentRowSelected(false);
    ds->MoveBy(direction);
  } else if (ds->MoveBy(direction) != 0) {
    rows->SetCurrentRowSelected(true);
  }
}

void TRxDBGrid::KeyDown(WORD& Key, TShiftState Shift) {
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
  if (Key == 0) return;
  // What this grid does not take goes to the platform grid, whose own
  // call of OnKeyDown must not run a second time.
  auto inherited = [&] {
    TKeyEvent saved = std::move(OnKeyDown);
    OnKeyDown = nullptr;
    try {
      TCustomDBGrid::KeyDown(Key, Shift);
    } catch (...) {
      OnKeyDown = std::move(saved);
      throw;
    }
    OnKeyDown = std::move(saved);
  };
  if (!DataLink()->Active() || !CanGridAcceptKey(Key, Shift)) {
    inherited();
    return;
  }
  TDataSet* ds = DataLink()->DataSet();
  const bool rowSelect = Options().Contains(dgRowSelect);
  const int dataColumns = ColCount() - IndicatorOffset();
  if (Shift.Contains(ssCtrl)) {
    switch (Key) {
    case VK_UP: case VK_DOWN: case VK_PRIOR: case VK_NEXT: case VK_HOME: case VK_END:
      ClearGridSelection();
      break;
    case VK_LEFT:
      if (FFixedCols > 0) {
        MoveCol(FirstScrollingColumn(), 1);
        return;
      }
      break;
    case VK_DELETE:
      if (!ReadOnly() && ds->CanModify() && !IsDataSetEmpty(ds)) {
        const int selected = SelCount();
        const String question = selected < 2 ? String(SDeleteRecordQuestion) : LibraryText(SDeleteMultipleRecords);
        if (!Options().Contains(dgConfirmDelete) || MessageDlg(question, mtConfirmation, mbYesNo) == mrYes) {
          if (selected == 0) ds->Delete();
          else SelectedRows()->Delete();
        }
      }
      return;
    default: break;
    }
    inherited();
    return;
  }
  switch (Key) {
  case VK_HOME:
    if (FFixedCols > 0 && dataColumns > 1 && !rowSelect) {
      MoveCol(FirstScrollingColumn(), 1);
      return;
    }
    if (rowSelect || dataColumns == 1) ClearGridSelection();
    break;
  case VK_END:
    if (rowSelect || dataColumns == 1) ClearGridSelection();
    break;
  case VK_LEFT:
    if (FFixedCols > 0 && !rowSelect && Col() <= FirstScrollingColumn()) return;
    if (rowSelect) ClearGridSelection();
    break;
  case VK_RIGHT:
    if (rowSelect) ClearGridSelection();
    break;
  case VK_UP:
  case VK_DOWN:
    if (ds->State() == dsBrowse) {
      const int direction = Key == VK_UP ? -1 : 1;
      MoveWithSelection(Shift.Contains(ssShift), direction);
      if (direction > 0 && ds->Eof() && FAutoAppend && ds->CanModify() && !ReadOnly() &&
          Options().Contains(dgEditing))
        ds->Append();
      return;
    }
    break;
  case VK_ESCAPE:
  case VK_PRIOR:
  case VK_NEXT:
    ClearGridSelection();
    break;
  case VK_INSERT:
    if (ds->CanModify() && !ReadOnly() && Options().Contains(dgEditing)) ClearGridSelection();
    break;
  case VK_TAB:
    if (FMultiSelect && !Shift.Contains(ssAlt)) {
      const bool forward = !Shift.Contains(ssShift);
      bool wraps = true;
      for (int c = Col() + (forward ? 1 : -1); c >= IndicatorOffset() && c < ColCount(); c += forward ? 1 : -1)
        if (TabStops(c)) wraps = false;
      if (wraps) ClearGridSelection();
    }
    break;
  default: break;
  }
  const WORD key = Key;
  inherited();
  if ((key == VK_NEXT && !ds->Eof()) || (key == VK_PRIOR && !ds->Bof())) Invalidate();
}

// ---------------------------------------------------------------- mouse

void TRxDBGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (!GetFocus()) return;
  const TGridCoord cell = MouseCoord(X, Y);
  const bool inTitle = cell.Y >= 0 && cell.Y < TitleOffset();
  if (inTitle && Button == mbLeft && Options().Contains(dgColumnResize) && FFixedCols > 0) {
    // Fixed data columns: the platform grid sizes only scrolling ones.
    for (int col = IndicatorOffset(); col < TCustomGrid::FixedCols(); ++col) {
      const TRect r = CellRect(col, 0);
      if (!r.IsEmpty() && std::abs(X - r.Right) <= SizingMargin) {
        FFixedSizingIndex = col;
        FFixedSizingOfs = X - r.Right;
        SetMouseCapture(true);
        return;
      }
    }
  }
  if (inTitle && FTitleButtons && Button == mbLeft && cell.X >= IndicatorOffset() && DataLink()->Active() &&
      !Shift.Contains(ssDouble)) {
    TGridState state = gsNormal;
    int index = 0, pos = 0, ofs = 0;
    CalcSizingState(X, Y, state, index, pos, ofs);
    if (state == gsNormal) {
      const int dataCol = cell.X - IndicatorOffset();
      bool enabled = dataCol >= 0 && dataCol < Columns()->Count();
      if (enabled && OnCheckButton) OnCheckButton(this, dataCol, Columns()->Items(dataCol)->Field(), enabled);
      if (!enabled) {
        SoundBeep();
      } else {
        SetMouseCapture(true);
        FTracking = true;
        FPressedCol = cell.X;
        FPressed = true;
        InvalidateTitles();
      }
      return;
    }
  }
  if (!inTitle && cell.Y >= TitleOffset() && cell.X >= IndicatorOffset() && cell.X < TCustomGrid::FixedCols() &&
      DataLink()->Active()) {
    // A fixed data column selects the row it was clicked in.
    DataLink()->DataSet()->MoveBy(cell.Y - Row());
    TControl::MouseDown(Button, Shift, X, Y);
  } else {
    TCustomDBGrid::MouseDown(Button, Shift, X, Y);
  }
  if (Button == mbLeft && FMultiSelect && !inTitle && !Shift.Contains(ssDouble) && DataLink()->Active() &&
      cell.Y >= TitleOffset()) {
    FSelecting = false;
    if (Shift.Contains(ssCtrl)) {
      ToggleRowSelection();
    } else {
      SelectedRows()->Clear();
      if (FClearSelection) SelectedRows()->SetCurrentRowSelected(true);
    }
  }
}

void TRxDBGrid::TrackButton(int X, int Y) {
  const TGridCoord cell = MouseCoord(X, Y);
  const bool inside = ClientRect().Contains(TPoint(X, Y)) && cell.Y >= 0 && cell.Y < TitleOffset() &&
                      cell.X == FPressedCol;
  if (inside != FPressed) {
    FPressed = inside;
    InvalidateTitles();
  }
}

void TRxDBGrid::StopTracking() {
  if (!FTracking) return;
  TrackButton(-1000, -1000);
  FTracking = false;
  SetMouseCapture(false);
}

void TRxDBGrid::MouseMove(TShiftState Shift, int X, int Y) {
  if (FTracking) {
    TrackButton(X, Y);
    return;
  }
  if (FFixedSizingIndex >= 0) return;
  TCustomDBGrid::MouseMove(Shift, X, Y);
}

void TRxDBGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FFixedSizingIndex >= 0) {
    const int col = FFixedSizingIndex;
    FFixedSizingIndex = -1;
    SetMouseCapture(false);
    const TRect r = CellRect(col, 0);
    const int width = X - FFixedSizingOfs - r.Left;
    if (width > 0) SetColWidths(col, width);
    return;
  }
  if (FTracking) {
    const bool pressed = FPressed;
    const int col = FPressedCol;
    StopTracking();
    FPressedCol = -1;
    const TGridCoord cell = MouseCoord(X, Y);
    if (pressed && cell.X == col && cell.Y >= 0 && cell.Y < TitleOffset()) {
      const int dataCol = col - IndicatorOffset();
      if (OnTitleBtnClick && dataCol >= 0 && dataCol < Columns()->Count())
        OnTitleBtnClick(this, dataCol, Columns()->Items(dataCol)->Field());
    }
    InvalidateTitles();
    return;
  }
  if (FSwapButtons) {
    FSwapButtons = false;
    Button = mbLeft;
  }
  TCustomDBGrid::MouseUp(Button, Shift, X, Y);
}

void TRxDBGrid::WndProc(TMessage& Message) {
  if (Message.Msg == WM_CANCELMODE || Message.Msg == WM_HSCROLL || Message.Msg == WM_VSCROLL) StopTracking();
  if (FSwapButtons && Message.Msg == WM_RBUTTONUP) {
    // The right button acted as the left one in the title.
    TMessage left{WM_LBUTTONUP, Message.WParam, Message.LParam, 0};
    TCustomDBGrid::WndProc(left);
    Message.Result = left.Result;
    return;
  }
  if (Message.Msg == WM_RBUTTONDOWN && Options().Contains(dgColumnResize)) {
    const TGridCoord cell = MouseCoord(static_cast<short>(LOWORD(Message.LParam)),
                                       static_cast<short>(HIWORD(Message.LParam)));
    if (cell.Y >= 0 && cell.Y < TitleOffset()) {
      FSwapButtons = true;
      TMessage left{WM_LBUTTONDOWN, Message.WParam | MK_LBUTTON, Message.LParam, 0};
      TCustomDBGrid::WndProc(left);
      Message.Result = left.Result;
      return;
    }
  }
  TCustomDBGrid::WndProc(Message);
}
