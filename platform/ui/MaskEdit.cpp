#include "platform/ui/Clipbrd.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Mask.h"

namespace {
// The edit text of a value typed without literals, whatever the mask
// saves: each input position takes the next character.
String InsertLiterals(const TEditMask& mask, const String& value) {
  String result;
  size_t next = 0;
  for (int pos = 0; pos < mask.EditLength(); ++pos) {
    if (mask.IsLiteral(pos)) {
      result += mask.LiteralChar(pos);
    } else if (next < value.size() && value[next] != u' ') {
      result += value[next++];
    } else {
      if (next < value.size()) ++next;
      result += mask.BlankChar();
    }
  }
  return result;
}
}  // namespace

TCustomMaskEdit::TCustomMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

void TCustomMaskEdit::SetEditMask(const String& value) {
  if (value == FMask.Mask()) return;
  // The characters typed so far, without the old literals.
  String typed = IsMasked() ? FMask.StripLiterals(EditText()) : TWinControl::GetText();
  while (!typed.empty() && typed.back() == u' ') typed.pop_back();
  FMask = TEditMask(value);
  if (IsMasked()) {
    SetMaxLength(FMask.EditLength());
    SetEditText(InsertLiterals(FMask, typed));
  } else {
    SetMaxLength(0);
    SetEditText(typed);
  }
}

String TCustomMaskEdit::GetText() const {
  if (!IsMasked()) return TCustomEdit::GetText();
  return FMask.TextFromEditText(EditText());
}

void TCustomMaskEdit::SetTextBuf(const String& value) {
  TCustomEdit::SetTextBuf(IsMasked() ? FMask.EditTextFromText(value) : value);
}

void TCustomMaskEdit::SetEditText(const String& value) {
  if (TWinControl::GetText() == value) return;
  TCustomEdit::SetTextBuf(value);
  Perform(CM_TEXTCHANGED);
}

void TCustomMaskEdit::ValidateEdit() {
  if (!IsMasked() || !Modified()) return;
  int errorPos = 0;
  if (FMask.Validate(EditText(), &errorPos)) return;
  if (CanFocus()) SetFocus();
  SetCaret(errorPos);
  MessageBeep(0);
  throw EDBEditError(u"Valor de entrada inválido. Use a tecla Esc para desfazer as alterações");
}

void TCustomMaskEdit::Reset() {
  if (!IsMasked() || !Modified()) return;
  SetEditText(FOldValue);
  SetModified(false);
}

void TCustomMaskEdit::SetCaret(int pos) {
  if (HandleAllocated()) SendMessageW(FHandle, EM_SETSEL, static_cast<WPARAM>(pos), static_cast<LPARAM>(pos));
}

void TCustomMaskEdit::InsertText(const String& input) {
  String text = EditText();
  if (static_cast<int>(text.size()) != FMask.EditLength()) text = FMask.BlankEditText();
  int start = SelStart(), length = SelLength();
  bool changed = false;
  if (length > 0) {
    FMask.ClearRange(text, start, length);
    changed = true;
  }
  int pos = start;
  for (char16_t ch : input) {
    if (!FMask.InputChar(text, pos, ch)) {
      MessageBeep(0);
      break;
    }
    changed = true;
  }
  if (!changed) return;
  SetEditText(text);
  SetModified(true);
  SetCaret(pos);
}

void TCustomMaskEdit::DeleteChars(bool backward) {
  String text = EditText();
  if (static_cast<int>(text.size()) != FMask.EditLength()) return;
  int start = SelStart(), length = SelLength();
  if (length == 0) {
    if (backward) {
      start = FMask.PrevInputPos(start);
      if (start < 0) return;
    } else {
      start = FMask.NextInputPos(start);
      if (start >= FMask.EditLength()) return;
    }
    length = 1;
  }
  FMask.ClearRange(text, start, length);
  SetEditText(text);
  SetModified(true);
  SetCaret(start);
}

void TCustomMaskEdit::KeyDown(WORD& Key, TShiftState Shift) {
  TCustomEdit::KeyDown(Key, Shift);
  if (!IsMasked() || Key == 0) return;
  if (Key == VK_ESCAPE && Modified()) {
    Reset();
    Key = 0;
  } else if (Key == VK_DELETE && Shift.Empty()) {
    if (EditCanModify()) DeleteChars(false);
    Key = 0;
  }
}

void TCustomMaskEdit::KeyPress(char16_t& Key) {
  TCustomEdit::KeyPress(Key);
  if (!IsMasked() || Key == 0) return;
  // Clipboard keys (Ctrl+C, Ctrl+V, Ctrl+X) go on to the edit.
  if (Key == 3 || Key == 22 || Key == 24) return;
  char16_t typed = Key;
  Key = 0;
  if (typed == u'\r' || typed == 27 || typed == u'\t') return;
  if (!EditCanModify()) {
    MessageBeep(0);
    return;
  }
  if (typed == 8)
    DeleteChars(true);
  else if (typed >= 32)
    InsertText(String(1, typed));
}

void TCustomMaskEdit::WndProc(TMessage& m) {
  if (IsMasked()) {
    switch (m.Msg) {
      case CM_ENTER:
        FOldValue = EditText();
        break;
      case CM_EXIT:
        ValidateEdit();
        break;
      case CM_WANTSPECIALKEY:
        if (m.WParam == VK_ESCAPE && Modified()) {
          m.Result = 1;
          return;
        }
        break;
      case WM_PASTE:
        if (EditCanModify()) InsertText(Clipboard()->AsText());
        return;
      case WM_CUT:
        Perform(WM_COPY);
        if (EditCanModify()) DeleteChars(false);
        return;
      case WM_CLEAR:
        if (EditCanModify()) DeleteChars(false);
        return;
      default:
        break;
    }
  }
  TCustomEdit::WndProc(m);
}
