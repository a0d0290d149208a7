#include "platform/ui/grids/InplaceEdit.h"
#include "platform/ui/grids/Grids.h"

TInplaceEdit::TInplaceEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {
  SetVisible(false);
  SetTabStop(false);
  SetBorderStyle(bsNone);
}

void TInplaceEdit::Move(const TRect& rect) {
  if (rect.IsEmpty()) {
    Hide();
    return;
  }
  SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
  Show();
  if (FGrid && FGrid->Focused()) SetFocus();
  Invalidate();
}

void TInplaceEdit::UpdateContents() {
  if (!FGrid) return;
  FUpdating = true;
  try {
    SetEditMask(FGrid->GetEditMask(FGrid->Col(), FGrid->Row()));
    if (!IsMasked()) SetMaxLength(FGrid->GetEditLimit());
    SetFont(FGrid->Font());
    SetText(FGrid->GetEditText(FGrid->Col(), FGrid->Row()));
    SetModified(false);
  } catch (...) {
    FUpdating = false;
    throw;
  }
  FUpdating = false;
}

void TInplaceEdit::Deselect() {
  if (HandleAllocated()) SendMessageW(FHandle, EM_SETSEL, 0x7FFFFFFF, 0x7FFFFFFF);
}

void TInplaceEdit::Change() {
  if (!FUpdating && FGrid) FGrid->SetEditText(FGrid->Col(), FGrid->Row(), Text());
  TCustomMaskEdit::Change();
}

bool TInplaceEdit::EditCanModify() { return FGrid ? FGrid->CanEditModify() : !ReadOnly(); }

void TInplaceEdit::KeyDown(WORD& Key, TShiftState Shift) {
  if (FGrid) {
    auto sendToGrid = [&] {
      FGrid->KeyDown(Key, Shift);
      Key = 0;
    };
    switch (Key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_ESCAPE: sendToGrid(); break;
    case VK_TAB:
      if (!Shift.Contains(ssAlt)) sendToGrid();
      break;
    case VK_DELETE:
      if (Shift.Contains(ssCtrl)) sendToGrid();
      else if (!FGrid->CanEditModify()) Key = 0;
      break;
    case VK_F2:
      Deselect();
      Key = 0;
      break;
    default: break;
    }
  }
  if (Key != 0) TCustomMaskEdit::KeyDown(Key, Shift);
}

void TInplaceEdit::KeyPress(char16_t& Key) {
  if (FGrid) {
    FGrid->KeyPress(Key);
    if (Key >= 32 && !FGrid->CanEditAcceptKey(Key)) {
      Key = 0;
      MessageBeep(0);
    }
    switch (Key) {
    case 9:
    case 27: Key = 0; break;
    case 13:
      SelectAll();
      Key = 0;
      break;
    case 0: break;
    default:
      if ((Key == 8 || Key == 22 || Key == 24 || Key >= 32) && !IsMasked() && !FGrid->CanEditModify()) Key = 0;
      break;
    }
  }
  if (Key != 0) TCustomMaskEdit::KeyPress(Key);
}

void TInplaceEdit::WndProc(TMessage& Message) {
  switch (Message.Msg) {
  case WM_GETDLGCODE:
    Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
    if (FGrid && FGrid->Options().Contains(goTabs)) Message.Result |= DLGC_WANTTAB;
    return;
  case WM_PASTE:
  case WM_CUT:
  case WM_CLEAR:
  case WM_UNDO:
    if (FGrid && !IsMasked() && !FGrid->CanEditModify()) return;
    break;
  default: break;
  }
  TCustomMaskEdit::WndProc(Message);
}
