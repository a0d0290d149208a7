// The grid's side of the in-place editor: when it shows, where, with what
// text, and where the edited text goes.
#include "platform/ui/grids/Grids.h"
#include "platform/ui/grids/InplaceEdit.h"

bool TCustomGrid::CanEditShow() {
  return FOptions.Contains(goEditing) && !FOptions.Contains(goRowSelect) && FEditorMode && HandleAllocated() &&
         (FOptions.Contains(goAlwaysShowEditor) || IsActiveControl());
}

bool TCustomGrid::CanEditModify() { return true; }

bool TCustomGrid::CanEditAcceptKey(char16_t) { return true; }

String TCustomGrid::GetEditText(int, int) { return String(); }

void TCustomGrid::SetEditText(int, int, const String&) {}

String TCustomGrid::GetEditMask(int, int) { return String(); }

int TCustomGrid::GetEditLimit() { return 0; }

TInplaceEdit* TCustomGrid::CreateEditor() { return new TInplaceEdit(this); }

void TCustomGrid::SetEditorMode(bool value) {
  if (!value) {
    HideEditor();
    return;
  }
  ShowEditor();
  if (FInplaceEdit) FInplaceEdit->Deselect();
}

void TCustomGrid::ShowEditor() {
  FEditorMode = true;
  UpdateEdit();
}

void TCustomGrid::ShowEditorChar(char16_t ch) {
  ShowEditor();
  if (FInplaceEdit && FInplaceEdit->Visible() && FInplaceEdit->HandleAllocated())
    PostMessageW(FInplaceEdit->Handle(), WM_CHAR, ch, 0);
}

void TCustomGrid::HideEditor() {
  FEditorMode = false;
  HideEdit();
}

void TCustomGrid::HideEdit() {
  if (!FInplaceEdit) return;
  UpdateText();
  FInplaceCol = -1;
  FInplaceRow = -1;
  const bool hadFocus = FInplaceEdit->HandleAllocated() && FInplaceEdit->Focused();
  FInplaceEdit->Hide();
  if (hadFocus && CanFocus()) SetFocus();
}

void TCustomGrid::UpdateText() {
  if (FInplaceEdit && FInplaceCol != -1 && FInplaceRow != -1)
    SetEditText(FInplaceCol, FInplaceRow, FInplaceEdit->Text());
}

void TCustomGrid::UpdateEdit() {
  if (!CanEditShow()) return;
  auto updateEditor = [this] {
    FInplaceCol = Col();
    FInplaceRow = Row();
    FInplaceEdit->UpdateContents();
    FInplaceEdit->SelectAll();
  };
  if (!FInplaceEdit) {
    FInplaceEdit = CreateEditor();
    FInplaceEdit->SetGrid(this);
    FInplaceEdit->SetParent(this);
    updateEditor();
  } else if (Col() != FInplaceCol || Row() != FInplaceRow) {
    HideEdit();
    updateEditor();
  }
  if (CanEditShow()) FInplaceEdit->Move(CellRect(Col(), Row()));
}

void TCustomGrid::InvalidateEditor() {
  FInplaceCol = -1;
  FInplaceRow = -1;
  UpdateEdit();
}
