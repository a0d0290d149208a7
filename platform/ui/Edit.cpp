#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = TControlStyle{csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight};
  SetBounds(0, 0, 121, 21);
  SetTabStop(true);
  SetColor(clWindow);
}

void TCustomEdit::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, u"EDIT");
  Params.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL;
  if (FBorderStyle == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
  if (FReadOnly) Params.Style |= ES_READONLY;
  if (!FHideSelection) Params.Style |= ES_NOHIDESEL;
  if (FCharCase == ecUpperCase) Params.Style |= ES_UPPERCASE;
  if (FCharCase == ecLowerCase) Params.Style |= ES_LOWERCASE;
  if (FPasswordChar) Params.Style |= ES_PASSWORD;
}

void TCustomEdit::CreateWnd() {
  FCreating = true;
  try {
    TWinControl::CreateWnd();
  } catch (...) {
    FCreating = false;
    throw;
  }
  FCreating = false;
  SendMessageW(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
  if (FPasswordChar) SendMessageW(FHandle, EM_SETPASSWORDCHAR, FPasswordChar, 0);
  SendMessageW(FHandle, EM_SETMODIFY, FModified ? TRUE : FALSE, 0);
  SendMessageW(FHandle, EM_SETSEL, static_cast<WPARAM>(FSavedSelStart),
               static_cast<LPARAM>(FSavedSelStart + FSavedSelLength));
}

void TCustomEdit::DestroyWnd() {
  FModified = Modified();
  FSavedSelStart = SelStart();
  FSavedSelLength = SelLength();
  TWinControl::DestroyWnd();
}

void TCustomEdit::SetMaxLength(int value) {
  if (FMaxLength == value) return;
  FMaxLength = value;
  if (HandleAllocated()) SendMessageW(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(value), 0);
}

void TCustomEdit::SetReadOnly(bool value) {
  if (FReadOnly == value) return;
  FReadOnly = value;
  if (HandleAllocated()) SendMessageW(FHandle, EM_SETREADONLY, value ? TRUE : FALSE, 0);
}

void TCustomEdit::SetCharCase(TEditCharCase value) {
  if (FCharCase == value) return;
  FCharCase = value;
  RecreateWnd();
}

void TCustomEdit::SetPasswordChar(char16_t value) {
  if (FPasswordChar == value) return;
  FPasswordChar = value;
  if (HandleAllocated()) {
    SendMessageW(FHandle, EM_SETPASSWORDCHAR, value, 0);
    Invalidate();
  }
}

void TCustomEdit::SetBorderStyle(TBorderStyle value) {
  if (FBorderStyle == value) return;
  FBorderStyle = value;
  RecreateWnd();
}

void TCustomEdit::SetHideSelection(bool value) {
  if (FHideSelection == value) return;
  FHideSelection = value;
  RecreateWnd();
}

int TCustomEdit::SelStart() {
  if (!HandleAllocated()) return FSavedSelStart;
  DWORD start = 0, end = 0;
  SendMessageW(FHandle, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(start);
}

void TCustomEdit::SetSelStart(int value) {
  FSavedSelStart = value;
  FSavedSelLength = 0;
  if (HandleAllocated()) SendMessageW(FHandle, EM_SETSEL, static_cast<WPARAM>(value), static_cast<LPARAM>(value));
}

int TCustomEdit::SelLength() {
  if (!HandleAllocated()) return FSavedSelLength;
  DWORD start = 0, end = 0;
  SendMessageW(FHandle, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end - start);
}

void TCustomEdit::SetSelLength(int value) {
  int start = SelStart();
  FSavedSelLength = value;
  if (HandleAllocated())
    SendMessageW(FHandle, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(start + value));
}

String TCustomEdit::SelText() {
  String text = Text();
  int start = SelStart(), length = SelLength();
  if (start < 0 || start > static_cast<int>(text.size())) return String();
  return text.substr(static_cast<size_t>(start), static_cast<size_t>(length));
}

void TCustomEdit::SetSelText(const String& value) {
  if (HandleAllocated()) {
    SendMessageW(FHandle, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(value.c_str()));
    return;
  }
  String text = FText;
  size_t start = std::min(static_cast<size_t>(FSavedSelStart), text.size());
  text.replace(start, std::min(static_cast<size_t>(FSavedSelLength), text.size() - start), value);
  SetText(text);
}

void TCustomEdit::SelectAll() {
  if (HandleAllocated()) SendMessageW(FHandle, EM_SETSEL, 0, -1);
}

void TCustomEdit::ClearSelection() {
  if (HandleAllocated()) SendMessageW(FHandle, WM_CLEAR, 0, 0);
}

void TCustomEdit::CopyToClipboard() {
  if (HandleAllocated()) SendMessageW(FHandle, WM_COPY, 0, 0);
}

void TCustomEdit::CutToClipboard() {
  if (HandleAllocated()) SendMessageW(FHandle, WM_CUT, 0, 0);
}

void TCustomEdit::PasteFromClipboard() {
  if (HandleAllocated()) SendMessageW(FHandle, WM_PASTE, 0, 0);
}

void TCustomEdit::Undo() {
  if (HandleAllocated()) SendMessageW(FHandle, WM_UNDO, 0, 0);
}

bool TCustomEdit::Modified() {
  if (!HandleAllocated()) return FModified;
  return SendMessageW(FHandle, EM_GETMODIFY, 0, 0) != 0;
}

void TCustomEdit::SetModified(bool value) {
  FModified = value;
  if (HandleAllocated()) SendMessageW(FHandle, EM_SETMODIFY, value ? TRUE : FALSE, 0);
}

void TCustomEdit::Change() { FireEvent(OnChange, this); }

void TCustomEdit::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CN_COMMAND:
      if (HIWORD(m.WParam) == EN_CHANGE && !FCreating) Change();
      return;
    case CM_ENTER:
      if (FAutoSelect && GetKeyState(VK_LBUTTON) >= 0) SelectAll();
      TWinControl::WndProc(m);
      return;
    case CM_TEXTCHANGED:
      // Without a window no EN_CHANGE comes; the text still changed.
      if (!HandleAllocated()) Change();
      return;
    default:
      break;
  }
  TWinControl::WndProc(m);
}
