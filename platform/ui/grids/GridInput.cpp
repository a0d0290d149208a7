// The grid's answers to the user: keys move the current cell, the mouse
// selects cells and sizes columns from the fixed rows, the scroll bars
// scroll, and the window messages that keep the picture up to date.
#include "platform/ui/grids/Grids.h"
#include "platform/ui/Forms.h"
#include "platform/ui/grids/InplaceEdit.h"
#include <algorithm>

// ---------------------------------------------------------------- keys

bool TCustomGrid::CanGridAcceptKey(WORD, TShiftState) { return true; }

void TCustomGrid::KeyDown(WORD& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (!CanGridAcceptKey(Key, Shift)) Key = 0;
  if (Key == 0) return;
  TGridCoord cur = FCurrent;
  TGridCoord tl = FTopLeft;
  const TAxisInfo v = VertAxis();
  const int pageHeight = std::max(1, v.LastFullVisibleCell - FTopLeft.Y + 1);
  const int pageWidth = VisibleColCount();
  const bool rowSelect = FOptions.Contains(goRowSelect);
  if (Shift.Contains(ssCtrl)) {
    switch (Key) {
    case VK_UP: --tl.Y; break;
    case VK_DOWN: ++tl.Y; break;
    case VK_LEFT:
      if (!rowSelect) {
        cur.X -= pageWidth;
        tl.X -= pageWidth;
      }
      break;
    case VK_RIGHT:
      if (!rowSelect) {
        cur.X += pageWidth;
        tl.X += pageWidth;
      }
      break;
    case VK_PRIOR: cur.Y = FTopLeft.Y; break;
    case VK_NEXT: cur.Y = v.LastFullVisibleCell; break;
    case VK_HOME:
      cur.X = FFixedCols;
      cur.Y = FFixedRows;
      break;
    case VK_END:
      cur.X = ColCount() - 1;
      cur.Y = RowCount() - 1;
      break;
    default: break;
    }
  } else {
    switch (Key) {
    case VK_UP: --cur.Y; break;
    case VK_DOWN: ++cur.Y; break;
    case VK_LEFT:
      if (rowSelect) --cur.Y;
      else --cur.X;
      break;
    case VK_RIGHT:
      if (rowSelect) ++cur.Y;
      else ++cur.X;
      break;
    case VK_NEXT:
      cur.Y += pageHeight;
      tl.Y += pageHeight;
      break;
    case VK_PRIOR:
      cur.Y -= pageHeight;
      tl.Y -= pageHeight;
      break;
    case VK_HOME:
      if (rowSelect) cur.Y = FFixedRows;
      else cur.X = FFixedCols;
      break;
    case VK_END:
      if (rowSelect) cur.Y = RowCount() - 1;
      else cur.X = ColCount() - 1;
      break;
    case VK_TAB:
      if (!Shift.Contains(ssAlt)) {
        const bool back = Shift.Contains(ssShift);
        do {
          if (back) {
            if (--cur.X < FFixedCols) {
              cur.X = ColCount() - 1;
              if (--cur.Y < FFixedRows) cur.Y = RowCount() - 1;
            }
          } else if (++cur.X >= ColCount()) {
            cur.X = FFixedCols;
            if (++cur.Y >= RowCount()) cur.Y = FFixedRows;
          }
        } while (!TabStops(cur.X) && cur.X != FCurrent.X);
        Shift = TShiftState();
      }
      break;
    case VK_F2: SetEditorMode(true); break;
    default: break;
    }
  }
  const TGridCoord maxTL = MaxTopLeft();
  tl.X = std::clamp(tl.X, FFixedCols, std::max(FFixedCols, maxTL.X));
  tl.Y = std::clamp(tl.Y, FFixedRows, std::max(FFixedRows, maxTL.Y));
  if (tl != FTopLeft) MoveTopLeft(tl.X, tl.Y);
  cur.X = std::clamp(cur.X, FFixedCols, ColCount() - 1);
  cur.Y = std::clamp(cur.Y, FFixedRows, RowCount() - 1);
  if (cur != FCurrent) FocusCell(cur.X, cur.Y, !Shift.Contains(ssShift));
}

void TCustomGrid::KeyPress(char16_t& Key) {
  TCustomControl::KeyPress(Key);
  if (!FOptions.Contains(goAlwaysShowEditor) && Key == u'\r') {
    if (FEditorMode) HideEditor();
    else ShowEditor();
    Key = 0;
  }
}

// ---------------------------------------------------------------- mouse

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (CanFocus() || GetParentForm(this) == nullptr) {
    SetFocus();
    if (!IsActiveControl()) {
      SetMouseCapture(false);
      return;
    }
  }
  if (Button == mbLeft && Shift.Contains(ssDouble)) {
    DblClick();
  } else if (Button == mbLeft) {
    CalcSizingState(X, Y, FGridState, FSizingIndex, FSizingPos, FSizingOfs);
    if (FGridState == gsNormal) {
      const TGridCoord cell = MouseCoord(X, Y);
      if (cell.X >= FFixedCols && cell.Y >= FFixedRows) {
        if (FOptions.Contains(goEditing)) {
          if (cell == FCurrent) {
            ShowEditor();
          } else {
            MoveCurrent(cell.X, cell.Y, true, true);
            UpdateEdit();
          }
          Click();
        } else {
          FGridState = gsSelecting;
          if (Shift.Contains(ssShift)) MoveAnchor(cell);
          else MoveCurrent(cell.X, cell.Y, true, true);
        }
      }
    }
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomGrid::MouseMove(TShiftState Shift, int X, int Y) {
  if (FGridState == gsSelecting) {
    // Past an edge the neighbouring cell is taken, which scrolls.
    const TAxisInfo h = HorzAxis();
    const TAxisInfo v = VertAxis();
    TGridCoord cell = MouseCoord(std::clamp(X, 0, std::max(0, h.GridBoundary - 1)),
                                 std::clamp(Y, 0, std::max(0, v.GridBoundary - 1)));
    if (cell.X >= 0 && cell.Y >= 0) {
      if (X >= h.GridExtent) cell.X = std::min(h.LastVisibleCell + 1, ColCount() - 1);
      else if (X < h.FixedBoundary) cell.X = std::max(FTopLeft.X - 1, FFixedCols);
      if (Y >= v.GridExtent) cell.Y = std::min(v.LastVisibleCell + 1, RowCount() - 1);
      else if (Y < v.FixedBoundary) cell.Y = std::max(FTopLeft.Y - 1, FFixedRows);
      cell.X = std::max(cell.X, FFixedCols);
      cell.Y = std::max(cell.Y, FFixedRows);
      if (FOptions.Contains(goRangeSelect)) {
        if (cell != FAnchor) MoveAnchor(cell);
      } else if (cell != FCurrent) {
        MoveCurrent(cell.X, cell.Y, true, true);
      }
    }
  } else if (FGridState == gsColSizing) {
    SetSizing(X);
  }
  TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const TGridState state = FGridState;
  FGridState = gsNormal;
  if (state == gsSelecting) {
    FGridState = gsSelecting;
    MouseMove(Shift, X, Y);
    FGridState = gsNormal;
    UpdateEdit();
    Click();
  } else if (state == gsColSizing) {
    FGridState = gsColSizing;
    SetSizing(X);
    FGridState = gsNormal;
  }
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TCustomGrid::CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos, int& SizingOfs) {
  State = gsNormal;
  Index = -1;
  if (!FOptions.Contains(goColSizing)) return;
  const TAxisInfo h = HorzAxis();
  const TAxisInfo v = VertAxis();
  if (X <= h.FixedBoundary || Y >= v.FixedBoundary) return;
  // A band of at least 7 pixels around each line grabs it.
  int range = h.LineWidth;
  int back = 0;
  if (range < 7) {
    range = 7;
    back = (range - h.LineWidth) / 2;
  }
  int line = h.FixedBoundary;
  for (int i = FTopLeft.X; i < ColCount(); ++i) {
    if (ColWidths(i) < 0) continue;
    line += ColSize(i);
    if (line > h.GridBoundary) break;
    if (X >= line - back && X <= line - back + range) {
      State = gsColSizing;
      SizingPos = line;
      SizingOfs = line - X;
      Index = i;
      return;
    }
    line += h.LineWidth;
  }
}

// Width of the column being sized: from its left edge to the pointer.
int TCustomGrid::ResizeLine() {
  const TAxisInfo h = HorzAxis();
  int start = 0;
  if (FSizingIndex < FFixedCols) {
    for (int i = 0; i < FSizingIndex; ++i) start += ColSize(i) + h.LineWidth;
  } else {
    start = h.FixedBoundary;
    for (int i = FTopLeft.X; i < FSizingIndex; ++i) start += ColSize(i) + h.LineWidth;
  }
  return FSizingPos - start;
}

void TCustomGrid::SetSizing(int X) {
  if (FSizingIndex < 0 || FSizingIndex >= ColCount()) return;
  FSizingPos = X + FSizingOfs;
  const int size = ResizeLine();
  if (size > 1) SetColWidths(FSizingIndex, size);
}

bool TCustomGrid::SetSizingCursor() {
  if (FGridState != gsNormal && FGridState != gsColSizing) return false;
  POINT p{};
  GetCursorPos(&p);
  ::ScreenToClient(FHandle, &p);
  TGridState state = FGridState;
  int index = 0;
  int pos = 0;
  int ofs = 0;
  if (state == gsNormal) CalcSizingState(p.x, p.y, state, index, pos, ofs);
  if (state != gsColSizing) return false;
  ::SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_SIZEWE)));
  return true;
}

// ---------------------------------------------------------------- messages

void TCustomGrid::WndProc(TMessage& Message) {
  switch (Message.Msg) {
  case WM_GETDLGCODE:
    Message.Result = DLGC_WANTARROWS;
    if (!FOptions.Contains(goRowSelect)) {
      if (FOptions.Contains(goTabs)) Message.Result |= DLGC_WANTTAB;
      if (FOptions.Contains(goEditing)) Message.Result |= DLGC_WANTCHARS;
    }
    return;
  case WM_HSCROLL:
  case WM_VSCROLL: {
    const int bar = Message.Msg == WM_HSCROLL ? SB_HORZ : SB_VERT;
    const int code = LOWORD(Message.WParam);
    int pos = 0;
    if (code == SB_THUMBTRACK || code == SB_THUMBPOSITION) {
      SCROLLINFO si{};
      si.cbSize = sizeof(si);
      si.fMask = SIF_TRACKPOS;
      GetScrollInfo(FHandle, bar, &si);
      pos = si.nTrackPos;
    }
    ModifyScrollBar(bar, code, pos);
    Message.Result = 0;
    return;
  }
  case WM_SETCURSOR:
    if (LOWORD(Message.LParam) == HTCLIENT && SetSizingCursor()) {
      Message.Result = 1;
      return;
    }
    break;
  case WM_NCPAINT:
    if (FInScrollUpdate) {
      FFramePaintOwed = true;
      Message.Result = 0;
      return;
    }
    break;
  case WM_CANCELMODE:
    FGridState = gsNormal;
    break;
  case WM_CHAR:
    // A typed character opens the editor and goes into it.
    if (FOptions.Contains(goEditing) && !FOptions.Contains(goRowSelect) &&
        (Message.WParam == 8 || Message.WParam >= 32)) {
      ShowEditorChar(static_cast<char16_t>(Message.WParam));
      Message.Result = 0;
      return;
    }
    break;
  default:
    break;
  }
  TCustomControl::WndProc(Message);
  switch (Message.Msg) {
  case WM_SIZE:
    UpdateScrollRange();
    InvalidateEditor();
    break;
  case WM_SETFOCUS:
    if (!FInplaceEdit || !FInplaceEdit->HandleAllocated() ||
        reinterpret_cast<HWND>(Message.WParam) != FInplaceEdit->Handle()) {
      InvalidateRect(Selection());
      UpdateEdit();
    }
    break;
  case WM_KILLFOCUS:
    InvalidateRect(Selection());
    if (FInplaceEdit && FInplaceEdit->HandleAllocated() &&
        reinterpret_cast<HWND>(Message.WParam) != FInplaceEdit->Handle())
      FInplaceEdit->Hide();
    break;
  default:
    break;
  }
}
