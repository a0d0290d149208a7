#include "controls/RxToolEdit.h"
#include "controls/RxFlagScope.h"

#include "platform/rtl/Exceptions.h"
#include "platform/ui/Forms.h"

#include <algorithm>

namespace {

constexpr int kDefaultButtonWidth = 21;
constexpr int kTextMargin = 2;
// The system's combo-box arrow bitmap.
constexpr int kComboArrowBitmap = 32738;

}  // namespace

// ---- TPopupValue -----------------------------------------------------------

TPopupValue TPopupValue::Text(String text) {
  TPopupValue v;
  v.FKind = Kind::Text;
  v.FText = std::move(text);
  return v;
}

TPopupValue TPopupValue::Date(TDateTime date) {
  TPopupValue v;
  v.FKind = Kind::Date;
  v.FDate = date;
  return v;
}

String TPopupValue::AsText() const {
  switch (FKind) {
    case Kind::Text: return FText;
    case Kind::Date: return DateToStr(FDate);
    case Kind::Null: break;
  }
  return String();
}

TDateTime TPopupValue::AsDate() const {
  switch (FKind) {
    case Kind::Date: return FDate;
    case Kind::Text: return StrToDate(FText);
    case Kind::Null: break;
  }
  return 0;
}

// ---- TEditButton -----------------------------------------------------------

TEditButton::TEditButton(TComponent* AOwner, TCustomComboEdit* editor)
    : TGraphicControl(AOwner), FEditor(editor), FGlyph(std::make_unique<TRxButtonGlyph>()) {
  FControlStyle.Include(csReplicatable);
  FControlStyle.Exclude(csClickEvents);
  SetParentShowHint(true);
  FGlyph->OnChange = [this](TObject*) { Invalidate(); };
}

TEditButton::~TEditButton() { FGlyph->OnChange = nullptr; }

void TEditButton::SetGlyph(TBitmap* value) {
  FGlyph->SetGlyph(value);
  Invalidate();
}

void TEditButton::SetNumGlyphs(int value) {
  FGlyph->SetNumGlyphs(std::max(1, value));
  Invalidate();
}

void TEditButton::Paint() {
  TCanvas* canvas = Canvas();
  const TRect client = ClientRect();
  canvas->Brush()->SetColor(clBtnFace);
  canvas->FillRect(client);
  const TRect inner = DrawSpeedButtonFrame(canvas, client, FDown, bsNew, false);
  const TRxButtonState state = !Enabled() ? TRxButtonState::rbsDisabled
                               : FDown    ? TRxButtonState::rbsDown
                                          : TRxButtonState::rbsUp;
  TRect glyphArea = inner;
  if (FDown) {
    glyphArea.Left += 1;
    glyphArea.Top += 1;
    glyphArea.Right += 1;
    glyphArea.Bottom += 1;
  }
  FGlyph->Draw(canvas, glyphArea, String(), blGlyphLeft, -1, 4, false, state, 0);
  if (!FDown) {
    // Two lines on the left edge join the button to the edit's border.
    canvas->Pen()->SetColor(clBtnFace);
    canvas->MoveTo(0, 0);
    canvas->LineTo(0, Height() - 1);
    canvas->Pen()->SetColor(clBtnHighlight);
    canvas->MoveTo(1, 1);
    canvas->LineTo(1, Height() - 2);
  }
}

void TEditButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft && FEditor) {
    FNoAction = FEditor->PopupVisible();
    if (!FNoAction) {
      if (FEditor->TabStop() && FEditor->CanFocus() && !FEditor->Focused()) FEditor->SetFocus();
    } else {
      FEditor->ClosePopup(FEditor->FPopup, FStandart);
    }
  }
  if (Button == mbLeft && Enabled()) {
    FTracking = true;
    FDown = true;
    Invalidate();
  }
  TGraphicControl::MouseDown(Button, Shift, X, Y);
}

void TEditButton::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (!FTracking) return;
  const bool inside = ClientRect().Contains(TPoint(X, Y));
  if (inside != FDown) {
    FDown = inside;
    Invalidate();
  }
}

void TEditButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const bool click = FTracking && Button == mbLeft && ClientRect().Contains(TPoint(X, Y));
  if (Button == mbLeft) {
    FTracking = false;
    if (FDown) {
      FDown = false;
      Invalidate();
    }
  }
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (click) Click();
}

void TEditButton::Click() {
  if (FNoAction) {
    FNoAction = false;
    return;
  }
  TGraphicControl::Click();
}

void TEditButton::WndProc(TMessage& Message) {
  if (Message.Msg == CM_ENABLEDCHANGED) {
    FGlyph->Invalidate();
    Invalidate();
  }
  TGraphicControl::WndProc(Message);
}

// ---- TPopupWindow ----------------------------------------------------------

TPopupWindow::TPopupWindow(TWinControl* AOwner) : TCustomControl(AOwner), FEditor(AOwner) {
  FControlStyle.Include(csAcceptsControls);
  FControlStyle.Include(csNoDesignVisible);
  FControlStyle.Include(csReplicatable);
  SetVisible(false);
  SetParent(AOwner);
  OnMouseUp = [this](TObject*, TMouseButton Button, TShiftState, int X, int Y) {
    if (Button == mbLeft) FinishPopup(ClientRect().Contains(TPoint(X, Y)));
  };
}

void TPopupWindow::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style = WS_POPUP | WS_BORDER | WS_CLIPCHILDREN;
  Params.ExStyle = WS_EX_TOOLWINDOW;
  Params.ClassStyle |= CS_SAVEBITS;
  if (FEditor && FEditor->HandleAllocated()) Params.WndParent = FEditor->Handle();
}

void TPopupWindow::WndProc(TMessage& Message) {
  if (Message.Msg == WM_MOUSEACTIVATE) {
    // A click in the drop-down leaves the activation and the focus where
    // they are, with the edit.
    Message.Result = MA_NOACTIVATE;
    return;
  }
  TCustomControl::WndProc(Message);
}

void TPopupWindow::FinishPopup(bool Accept) { FireEvent(OnCloseUp, this, Accept); }

void TPopupWindow::Show(TPoint Origin) {
  SetWindowPos(Handle(), HWND_TOP, Origin.X, Origin.Y, 0, 0,
               SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOSIZE);
  SetVisible(true);
}

void TPopupWindow::Hide() {
  if (HandleAllocated())
    SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                 SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_HIDEWINDOW);
  SetVisible(false);
}

// ---- TCustomComboEdit ------------------------------------------------------

TCustomComboEdit::TCustomComboEdit(TComponent* AOwner)
    : TCustomMaskEdit(AOwner), FClickKey(ShortCut(VK_DOWN, TShiftState{ssAlt})) {
  FControlStyle.Include(csCaptureMouse);
  FBtnControl = new TWinControl(this);
  FBtnControl->SetControlStyle(FBtnControl->ControlStyle() + csReplicatable);
  FBtnControl->SetBounds(0, 0, kDefaultButtonWidth, 17);
  FBtnControl->SetParent(this);
  FButton = new TEditButton(this, this);
  FButton->SetBounds(0, 0, FBtnControl->Width(), FBtnControl->Height());
  FButton->SetParent(FBtnControl);
  FButton->OnClick = [this](TObject* sender) { ButtonPressed(sender); };
  SetHeight(21);
}

TCustomComboEdit::~TCustomComboEdit() {
  if (FButton) FButton->OnClick = nullptr;
}

void TCustomComboEdit::CreateParams(TCreateParams& Params) {
  TCustomMaskEdit::CreateParams(Params);
  Params.Style |= ES_MULTILINE | WS_CLIPCHILDREN;
  Params.Style &= ~static_cast<DWORD>(ES_LEFT | ES_RIGHT | ES_CENTER);
  switch (FAlignment) {
    case taRightJustify: Params.Style |= ES_RIGHT; break;
    case taCenter: Params.Style |= ES_CENTER; break;
    case taLeftJustify: Params.Style |= ES_LEFT; break;
  }
}

void TCustomComboEdit::CreateWnd() {
  TCustomMaskEdit::CreateWnd();
  LayoutButton();
}

void TCustomComboEdit::SetEditAlignment(TAlignment value) {
  if (FAlignment == value) return;
  FAlignment = value;
  RecreateWnd();
}

String TCustomComboEdit::ButtonHint() const { return FButton->Hint(); }
void TCustomComboEdit::SetButtonHint(const String& value) { FButton->SetHint(value); }
int TCustomComboEdit::ButtonWidth() const { return FButton->Width(); }
TBitmap* TCustomComboEdit::Glyph() const { return FButton->Glyph(); }
int TCustomComboEdit::NumGlyphs() const { return FButton->NumGlyphs(); }

void TCustomComboEdit::SetButtonWidth(int value) {
  if (value == ButtonWidth()) return;
  FBtnControl->SetVisible(value > 1);
  const int limit = Parent() ? ClientWidth() : Width();
  if (FCreating || value < limit) {
    FButton->SetWidth(value);
    FBtnControl->SetWidth(value);
    LayoutButton();
  }
  RebuildGlyph();
}

void TCustomComboEdit::SetGlyph(TBitmap* value) {
  FButton->SetGlyph(value);
  FGlyphKind = TGlyphKind::gkCustom;
}

void TCustomComboEdit::SetNumGlyphs(int value) {
  switch (FGlyphKind) {
    case TGlyphKind::gkDropDown:
    case TGlyphKind::gkEllipsis: FButton->SetNumGlyphs(1); break;
    case TGlyphKind::gkDefault: FButton->SetNumGlyphs(FDefNumGlyphs); break;
    case TGlyphKind::gkCustom: FButton->SetNumGlyphs(value); break;
  }
}

void TCustomComboEdit::SetGlyphKind(TGlyphKind value) {
  if (FGlyphKind == value) return;
  FGlyphKind = value;
  RebuildGlyph();
  if (value == TGlyphKind::gkDefault && Glyph() && !Glyph()->Empty()) {
    SetButtonWidth(std::max(Glyph()->Width() / std::max(1, NumGlyphs()) + 6, ButtonWidth()));
  } else if (value == TGlyphKind::gkDropDown) {
    SetButtonWidth(GetSystemMetrics(SM_CXVSCROLL));
  }
}

void TCustomComboEdit::RebuildGlyph() {
  switch (FGlyphKind) {
    case TGlyphKind::gkDefault: {
      bool destroyNeeded = false;
      TBitmap* glyph = DefaultGlyph(destroyNeeded);
      FButton->SetGlyph(glyph);
      FButton->SetNumGlyphs(FDefNumGlyphs);
      if (destroyNeeded) delete glyph;
      break;
    }
    case TGlyphKind::gkDropDown: {
      TBitmap arrow;
      arrow.SetHandle(LoadBitmapW(nullptr, MAKEINTRESOURCEW(kComboArrowBitmap)));
      FButton->SetGlyph(&arrow);
      FButton->SetNumGlyphs(1);
      break;
    }
    case TGlyphKind::gkEllipsis:
      MakeEllipsisGlyph();
      break;
    case TGlyphKind::gkCustom:
      break;
  }
}

void TCustomComboEdit::MakeEllipsisGlyph() {
  const TEllipsisGlyphLayout g = EllipsisGlyphLayout(ButtonWidth());
  TBitmap bitmap;
  bitmap.SetMonochrome(true);
  bitmap.SetSize(g.Width, g.Height);
  TCanvas* canvas = bitmap.Canvas();
  canvas->Brush()->SetColor(clWhite);
  canvas->FillRect(Rect(0, 0, g.Width, g.Height));
  canvas->Brush()->SetColor(clBlack);
  for (int x : g.DotX) canvas->FillRect(Bounds(x, g.DotY, g.DotSize, g.DotSize));
  FButton->SetGlyph(&bitmap);
  FButton->SetNumGlyphs(1);
}

TBitmap* TCustomComboEdit::DefaultGlyph(bool& destroyNeeded) {
  destroyNeeded = false;
  return nullptr;
}

void TCustomComboEdit::SyncEditReadOnly() { TCustomMaskEdit::SetReadOnly(FReadOnly || !FDirectInput); }

void TCustomComboEdit::SetReadOnly(bool value) {
  if (FReadOnly == value) return;
  FReadOnly = value;
  SyncEditReadOnly();
}

void TCustomComboEdit::SetDirectInput(bool value) {
  FDirectInput = value;
  SyncEditReadOnly();
}

bool TCustomComboEdit::PopupVisible() const { return FPopup && FPopupVisible; }

void TCustomComboEdit::SyncPopupVisible() { FPopupVisible = FPopup && FPopup->Visible(); }

void TCustomComboEdit::SelectAll() {
  if (FDirectInput) TCustomMaskEdit::SelectAll();
}

void TCustomComboEdit::DoClick() { ButtonPressed(this); }

void TCustomComboEdit::ButtonPressed(TObject*) {
  if (!FReadOnly || FAlwaysEnable) HandleButtonClick();
}

void TCustomComboEdit::HandleButtonClick() {
  FireEvent(OnButtonClick, this);
  if (!FPopup) return;
  if (FPopupVisible) ClosePopup(FPopup, true);
  else OpenPopup(true);
}

void TCustomComboEdit::ShowPopupAt(TPoint origin) {
  if (auto* popup = dynamic_cast<TPopupWindow*>(FPopup)) popup->Show(origin);
}

void TCustomComboEdit::HidePopupWindow() {
  if (auto* popup = dynamic_cast<TPopupWindow*>(FPopup)) popup->Hide();
}

TPopupValue TCustomComboEdit::ReadPopupValue() {
  if (auto* popup = dynamic_cast<TPopupWindow*>(FPopup)) return popup->ReadValue();
  return TPopupValue::Text(String());
}

void TCustomComboEdit::PassValueToPopup(const TPopupValue& value) {
  if (auto* popup = dynamic_cast<TPopupWindow*>(FPopup)) popup->WriteValue(value);
}

bool TCustomComboEdit::ConfirmPopupValue(TPopupValue&) { return true; }

void TCustomComboEdit::ApplyPopupValue(const TPopupValue& value) {
  const String text = value.AsText();
  if (EditText() == text) return;
  SetEditText(text);
  SetModified(true);
  SyncPopupVisible();
  NotifyChange();
}

void TCustomComboEdit::NotifyChange() { TCustomMaskEdit::Change(); }

void TCustomComboEdit::Change() {
  if (PopupVisible()) PopupValueChanged();
  else NotifyChange();
}

void TCustomComboEdit::OpenPopup(bool disableEdit) {
  if (!FPopup || FReadOnly || FPopupVisible) return;
  RECT outer{};
  GetWindowRect(Handle(), &outer);
  const TRect editScreen(outer.left, outer.top, outer.right, outer.bottom);
  const TSize screen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  const TPoint origin = ComboPopupOrigin(editScreen, TSize(FPopup->Width(), FPopup->Height()),
                                         screen, FPopupAlign);
  const String text = EditText();
  PassValueToPopup(text.empty() ? TPopupValue() : TPopupValue::Text(text));
  if (CanFocus()) SetFocus();
  ShowPopupAt(origin);
  FPopupVisible = true;
  if (disableEdit) {
    TCustomMaskEdit::SetReadOnly(true);
    if (HandleAllocated()) HideCaret(FHandle);
  }
}

void TCustomComboEdit::ClosePopup(TObject*, bool Accept) {
  if (!FPopup || !FPopupVisible) return;
  struct TClear {
    bool& Flag;
    ~TClear() { Flag = false; }
  } clear{FPopupVisible};
  if (HWND capture = GetCapture()) SendMessageW(capture, WM_CANCELMODE, 0, 0);
  TPopupValue value = ReadPopupValue();
  HidePopupWindow();
  if (!FLosingFocus) {
    try {
      if (CanFocus()) {
        SetFocus();
        if (GetFocus() == Handle()) ShowEditCaret();
      }
    } catch (...) {
      // The focus could not come back; the value is still taken.
    }
  }
  SetDirectInput(FDirectInput);
  Invalidate();
  if (Accept && ConfirmPopupValue(value) && EditCanModify()) {
    ApplyPopupValue(value);
    if (FFocusedWnd) TCustomMaskEdit::SelectAll();
  }
}

int TCustomComboEdit::FontTextHeight() {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, Font()->Handle());
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return tm.tmHeight;
}

int TCustomComboEdit::MinimumHeight() {
  return FontTextHeight() + 4 * GetSystemMetrics(SM_CYBORDER) + 1;
}

void TCustomComboEdit::ShowEditCaret() {
  if (!HandleAllocated()) return;
  const int width = Font()->Style().Contains(fsBold) ? 2 : 1;
  CreateCaret(FHandle, nullptr, width, FontTextHeight());
  ShowCaret(FHandle);
}

void TCustomComboEdit::LayoutButton() {
  if (!FBtnControl) return;
  const int bw = FButton->Width();
  const TRect r = ButtonHolderBounds(Width(), Height(), bw, true, true, BorderStyle() == bsSingle);
  FBtnControl->SetBounds(r.Left, r.Top, r.Width(), r.Height());
  FButton->SetBounds(0, 0, r.Width(), r.Height());
  UpdateEditRect();
}

void TCustomComboEdit::UpdateEditRect() {
  if (!HandleAllocated()) return;
  const int holder = FBtnControl->Visible() ? FBtnControl->Width() : 0;
  // A small left margin, as a single-line edit keeps, so the text does not
  // touch the border.
  RECT r{kTextMargin, 0, ClientWidth() - holder, ClientHeight() + 1};
  SendMessageW(FHandle, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
}

void TCustomComboEdit::KeyDown(WORD& Key, TShiftState Shift) {
  if (Shift.Contains(ssCtrl) && (Key == VK_TAB || Key == VK_RETURN)) {
    if (TCustomForm* form = GetParentForm(this)) form->Perform(WM_KEYDOWN, Key, 0);
    Key = 0;
    return;
  }
  // Typing is off: the masked edit must not delete either.
  if (Key == VK_DELETE && TCustomMaskEdit::ReadOnly()) Key = 0;
  // With the drop-down shown, Enter and Esc close it (as characters); the
  // masked edit must not take Esc for undoing the typing.
  if (PopupVisible() && (Key == VK_ESCAPE || Key == VK_RETURN)) return;
  TCustomMaskEdit::KeyDown(Key, Shift);
  if (Key != 0 && ShortCut(Key, Shift) == FClickKey && FBtnControl->Visible()) {
    ButtonPressed(this);
    Key = 0;
  }
}

void TCustomComboEdit::KeyPress(char16_t& Key) {
  if (Key == u'\r' || Key == 27 || (Key == 10 && PopupVisible())) {
    if (PopupVisible()) {
      ClosePopup(FPopup, Key != 27);
      Key = 0;
    } else {
      // The edit is multi-line inside: the form's default and cancel
      // buttons must still see Enter and Esc.
      if (TCustomForm* form = GetParentForm(this)) form->Perform(CM_DIALOGKEY, Key, 0);
      if (Key == u'\r') {
        TCustomMaskEdit::KeyPress(Key);
        Key = 0;
        return;
      }
    }
  }
  if (Key == u'\t' || Key == 10) {
    Key = 0;
    return;
  }
  if (TCustomMaskEdit::ReadOnly() && (Key == 8 || Key >= 32)) {
    Key = 0;
    return;
  }
  TCustomMaskEdit::KeyPress(Key);
}

void TCustomComboEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft && FPopup) {
    if (CanFocus() && !Focused()) SetFocus();
    if (!FFocusedWnd) return;
    if (FPopupVisible) ClosePopup(FPopup, false);
  }
  TCustomMaskEdit::MouseDown(Button, Shift, X, Y);
}

void TCustomComboEdit::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SIZE: {
      TCustomMaskEdit::WndProc(Message);
      const int minimum = MinimumHeight();
      if (Height() < minimum) {
        SetHeight(minimum);
        return;
      }
      LayoutButton();
      return;
    }
    case WM_SETFOCUS:
      FFocusedWnd = true;
      TCustomMaskEdit::WndProc(Message);
      ShowEditCaret();
      return;
    case WM_KILLFOCUS: {
      TCustomMaskEdit::WndProc(Message);
      FFocusedWnd = false;
      TFlagScope losing(FLosingFocus, true);
      ClosePopup(FPopup, false);
      return;
    }
    case CM_ENTER: {
      // Selecting all follows DirectInput, not the platform edit's rule.
      const bool autoSelect = AutoSelect();
      if (autoSelect && GetKeyState(VK_LBUTTON) >= 0) SelectAll();
      SetAutoSelect(false);
      try {
        TCustomMaskEdit::WndProc(Message);
      } catch (...) {
        SetAutoSelect(autoSelect);
        throw;
      }
      SetAutoSelect(autoSelect);
      return;
    }
    case CM_CANCELMODE: {
      auto* sender = reinterpret_cast<TControl*>(Message.LParam);
      if (sender != this && sender != FPopup && sender != FButton && FPopup &&
          !(sender && dynamic_cast<TWinControl*>(FPopup)->ContainsControl(sender)))
        ClosePopup(FPopup, false);
      return;
    }
    case WM_PASTE:
    case WM_CUT:
      if (!FDirectInput || FReadOnly) return;
      break;
    case CM_ENABLEDCHANGED:
      TCustomMaskEdit::WndProc(Message);
      FButton->SetEnabled(Enabled());
      return;
    case CM_TEXTCHANGED:
      // A multi-line edit sends no change notice when its text is set.
      TCustomMaskEdit::WndProc(Message);
      if (HandleAllocated() && (GetWindowLongW(FHandle, GWL_STYLE) & ES_MULTILINE)) Change();
      return;
    case CM_FONTCHANGED:
      TCustomMaskEdit::WndProc(Message);
      UpdateEditRect();
      return;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORSTATIC:
      TCustomMaskEdit::WndProc(Message);
      if (!Enabled() && Color() != clGrayText)
        SetTextColor(reinterpret_cast<HDC>(Message.WParam), ColorToRGB(clGrayText));
      return;
    default:
      break;
  }
  TCustomMaskEdit::WndProc(Message);
}
