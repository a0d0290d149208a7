#include "platform/ui/grids/InplaceEdit.h"
#include "platform/ui/grids/Grids.h"

TInplaceEdit::TInplaceEdit(TComponent* AOwner) : TWinControl(AOwner) {
  SetVisible(false);
  SetTabStop(false);
  SetColor(clWindow);
}

void TInplaceEdit::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, u"EDIT");
  Params.Style = (Params.Style & ~static_cast<DWORD>(WS_BORDER)) | ES_AUTOHSCROLL | WS_CHILD;
  Params.ExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
}

void TInplaceEdit::CreateWndDone() {
  TWinControl::CreateWndDone();
  SendMessageW(FHandle, EM_SETLIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
  SendMessageW(FHandle, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(1, 1));
}

void TInplaceEdit::SetMaxLength(int value) {
  FMaxLength = value < 0 ? 0 : value;
  if (HandleAllocated()) SendMessageW(FHandle, EM_SETLIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
}

void TInplaceEdit::Move(const TRect& rect) {
  if (rect.IsEmpty()) {
    Hide();
    return;
  }
  // One pixel in from the cell's edges, like the text the grid writes.
  SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
  Show();
  if (FGrid && FGrid->Focused()) SetFocus();
  Invalidate();
}

void TInplaceEdit::UpdateContents() {
  if (!FGrid) return;
  FUpdating = true;
  SetMaxLength(FGrid->GetEditLimit());
  SetFont(FGrid->Font());
  SetText(FGrid->GetEditText(FGrid->Col(), FGrid->Row()));
  FUpdating = false;
}

void TInplaceEdit::SelectAll() {
  if (HandleAllocated()) SendMessageW(FHandle, EM_SETSEL, 0, -1);
}

void TInplaceEdit::Deselect() {
  if (HandleAllocated()) SendMessageW(FHandle, EM_SETSEL, 0x7FFFFFFF, 0x7FFFFFFF);
}

void TInplaceEdit::Change() {
  if (FUpdating || !FGrid) return;
  FGrid->SetEditText(FGrid->Col(), FGrid->Row(), Text());
  FireEvent(OnChange, this);
}

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
  if (Key != 0) TWinControl::KeyDown(Key, Shift);
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
      if ((Key == 8 || Key == 22 || Key == 24 || Key >= 32) && !FGrid->CanEditModify()) Key = 0;
      break;
    }
  }
  if (Key != 0) TWinControl::KeyPress(Key);
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
    if (FGrid && !FGrid->CanEditModify()) return;
    break;
  default: break;
  }
  TWinControl::WndProc(Message);
}
