#include "controls/RxPickDatePopup.h"

#include "controls/RxResConst.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StrUtils.h"

#include <algorithm>
#include <memory>

namespace {

constexpr int kPopupWidth = 187;
constexpr int kPopupHeight = 124;
const char16_t* const kTitleFormat = u"MMMM, YYYY";

TDateTime Today() { return DateOf(Now()); }

// The short hint: the text before '|'.
String ShortHint(int textNumber) {
  const String text = LibraryText(textNumber);
  const size_t bar = text.find(u'|');
  return bar == String::npos ? text : text.substr(0, bar);
}

const int kHintTexts[4] = {SPrevYear, SPrevMonth, SNextMonth, SNextYear};

void SetNavButtonsEnabled(const std::array<TRxTimerSpeedButton*, 4>& buttons,
                          const TRxCalendar* calendar) {
  if (!calendar || !buttons[0]) return;
  const TNavButtonsState s =
      NavButtonsEnabled(calendar->CalendarDate(), calendar->MinDate(), calendar->MaxDate());
  buttons[nbPrevYear]->SetEnabled(s.PrevYear);
  buttons[nbPrevMonth]->SetEnabled(s.PrevMonth);
  buttons[nbNextMonth]->SetEnabled(s.NextMonth);
  buttons[nbNextYear]->SetEnabled(s.NextYear);
}

void ApplyHints(const std::array<TRxTimerSpeedButton*, 4>& buttons, const TStrings* hints) {
  if (!hints) return;
  const int last = std::min(hints->Count() - 1, 3);
  for (int i = 0; i <= last; ++i) {
    const String hint = hints->Strings(i);
    if (!hint.empty()) buttons[static_cast<size_t>(i)]->SetHint(hint);
  }
}

// Arrows drawn on a magenta background, the glyphs' transparent colour.
std::unique_ptr<TBitmap> MakeNavGlyph(TNavButton which) {
  auto bitmap = std::make_unique<TBitmap>();
  const bool year = which == nbPrevYear || which == nbNextYear;
  const bool back = which == nbPrevYear || which == nbPrevMonth;
  // The bottom row stays blank: its left pixel names the transparent colour.
  const int width = year ? 9 : 5, height = 8;
  bitmap->SetSize(width, height);
  TCanvas* canvas = bitmap->Canvas();
  canvas->Brush()->SetColor(clFuchsia);
  canvas->FillRect(Rect(0, 0, width, height));
  canvas->Pen()->SetColor(clBlack);
  canvas->Brush()->SetColor(clBlack);
  const int arrows = year ? 2 : 1;
  for (int a = 0; a < arrows; ++a) {
    const int x0 = a * 4;
    // A solid triangle 4 wide and 7 high, pointing left or right.
    for (int col = 0; col < 4; ++col) {
      const int half = back ? col : 3 - col;
      const int x = x0 + col;
      canvas->MoveTo(x, 3 - half);
      canvas->LineTo(x, 4 + half);
    }
  }
  return bitmap;
}

}  // namespace

TBitmap* NavButtonGlyph(TNavButton which) {
  static std::unique_ptr<TBitmap> glyphs[4];
  auto& glyph = glyphs[which];
  if (!glyph) glyph = MakeNavGlyph(which);
  return glyph.get();
}

void ApplyMessageFont(TFont* Font) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
    Font->SetHandle(CreateFontIndirectW(&metrics.lfMessageFont));
  } else {
    Font->SetColor(clWindowText);
    Font->SetName(u"Tahoma");
    Font->SetSize(8);
    Font->SetStyle(TFontStyles());
  }
}

// ---- TRxTimerSpeedButton ---------------------------------------------------

TRxTimerSpeedButton::TRxTimerSpeedButton(TComponent* AOwner) : TRxSpeedButton(AOwner) {
  SetStyle(bsWin31);
  SetAllowTimer(true);
  SetControlStyle(ControlStyle() + csReplicatable);
}

// ---- TPopupCalendar --------------------------------------------------------

TPopupCalendar::TPopupCalendar(TWinControl* AOwner) : TPopupWindow(AOwner) {
  SetBounds(0, 0, std::max(kPopupWidth, 180), std::max(kPopupHeight, 120));
  SetColor(clBtnFace);
  ApplyMessageFont(Font());
  SetShowHint(AOwner ? AOwner->ShowHint() : true);

  auto* back = new TPanel(this);
  back->SetParent(this);
  back->SetAlign(alClient);
  back->SetBevelOuter(bvNone);
  back->SetParentColor(true);

  auto* control = new TPanel(this);
  control->SetParent(back);
  control->SetAlign(alTop);
  control->SetBounds(0, 0, Width() - 4, 18);
  control->SetBevelOuter(bvNone);
  control->SetParentColor(true);

  FCalendar = new TLocCalendar(this);
  FCalendar->SetParent(back);
  FCalendar->SetAlign(alClient);
  FCalendar->OnChange = [this](TObject*) { TitleChanged(); };
  FCalendar->OnMouseUp = [this](TObject*, TMouseButton b, TShiftState s, int x, int y) {
    CalendarMouseUp(b, s, x, y);
  };

  // The panel's width as laid out inside the drop-down's border.
  const int w = Width() - 4;
  const int lefts[4] = {-1, 12, w - 26, w - 13};
  for (int i = 0; i < 4; ++i) {
    auto* button = new TRxTimerSpeedButton(this);
    button->SetParent(control);
    button->SetBounds(lefts[i], -1, 14, 14);
    button->SetGlyph(NavButtonGlyph(static_cast<TNavButton>(i)));
    button->SetHint(ShortHint(kHintTexts[i]));
    FBtns[static_cast<size_t>(i)] = button;
  }
  FBtns[nbPrevYear]->OnClick = [this](TObject*) { FCalendar->PrevYear(); };
  FBtns[nbPrevMonth]->OnClick = [this](TObject*) { FCalendar->PrevMonth(); };
  FBtns[nbNextMonth]->OnClick = [this](TObject*) { FCalendar->NextMonth(); };
  FBtns[nbNextYear]->OnClick = [this](TObject*) { FCalendar->NextYear(); };

  FTitleLabel = new TLabel(this);
  FTitleLabel->SetParent(control);
  FTitleLabel->SetAutoSize(false);
  FTitleLabel->SetBounds(29, 1, w - 58, 14);
  FTitleLabel->SetAlignment(taCenter);
  FTitleLabel->SetTransparent(true);
  FTitleLabel->OnDblClick = [this](TObject*) { FCalendar->SetCalendarDate(Today()); };
  TitleChanged();
}

void TPopupCalendar::SetMinDate(TDateTime value) {
  FCalendar->SetLimitFields(value, FCalendar->MaxDate());
}

void TPopupCalendar::SetMaxDate(TDateTime value) {
  FCalendar->SetLimitFields(FCalendar->MinDate(), value);
}

void TPopupCalendar::TitleChanged() {
  FTitleLabel->SetCaption(FormatDateTime(kTitleFormat, FCalendar->CalendarDate()));
  EnableButtons();
}

void TPopupCalendar::EnableButtons() { SetNavButtonsEnabled(FBtns, FCalendar); }

void TPopupCalendar::Invalidate() {
  EnableButtons();
  TPopupWindow::Invalidate();
}

void TPopupCalendar::Update() {
  EnableButtons();
  TPopupWindow::Update();
}

void TPopupCalendar::CalendarMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button != mbLeft || !Shift.Empty()) return;
  int col = -1, row = -1;
  FCalendar->MouseToCell(X, Y, col, row);
  // By now the calendar's own click has taken the day.
  if (row > 0 && !FCalendar->GetCellText(col, row).empty()) FinishPopup(true);
}

void TPopupCalendar::KeyDown(WORD& Key, TShiftState Shift) {
  TPopupWindow::KeyDown(Key, Shift);
  const bool ctrl = Shift.Contains(ssCtrl);
  switch (Key) {
    case VK_PRIOR:
      if (ctrl) FCalendar->PrevYear();
      else FCalendar->PrevMonth();
      break;
    case VK_NEXT:
      if (ctrl) FCalendar->NextYear();
      else FCalendar->NextMonth();
      break;
    default:
      if (Key != 0) FCalendar->KeyDown(Key, Shift);
      break;
  }
}

void TPopupCalendar::KeyPress(char16_t& Key) {
  TPopupWindow::KeyPress(Key);
  if (Key != 0) FCalendar->KeyPress(Key);
}

TPopupValue TPopupCalendar::ReadValue() {
  return TPopupValue::Date(FCalendar->CalendarDate());
}

void TPopupCalendar::WriteValue(const TPopupValue& Value) {
  try {
    String text = Value.AsText();
    text.erase(std::remove(text.begin(), text.end(), FormatSettings.DateSeparator), text.end());
    if (Value.IsNull() || Trim(text).empty()) FCalendar->SetCalendarDate(Today());
    else FCalendar->SetCalendarDate(Value.AsDate());
  } catch (const Exception&) {
    FCalendar->SetCalendarDate(Today());
  }
  TitleChanged();
}

// ---- Routines for the date edit -------------------------------------------

TPopupCalendar* NewPopupCalendar(TWinControl* Owner, TDateTime MaxDate, TDateTime MinDate) {
  auto* popup = new TPopupCalendar(Owner);
  // At other pixel densities the drop-down would be scaled here; the
  // platform draws at 96 pixels per inch only.
  if (Owner && Screen->PixelsPerInch() != 96) {
    popup->Calendar()->SetMinDate(MinDate);
    popup->Calendar()->SetMaxDate(MaxDate);
    ApplyMessageFont(popup->Font());
  }
  return popup;
}

void ConfigurePopupCalendar(TCustomControl* Popup, TDayOfWeekName StartOfWeek,
                            TDaysOfWeek Weekends, TColor WeekendColor, const TStrings* Hints,
                            TDateTime MinDate, TDateTime MaxDate) {
  auto* popup = dynamic_cast<TPopupCalendar*>(Popup);
  if (!popup) return;
  TRxCalendar* calendar = popup->Calendar();
  calendar->SetLimitFields(MinDate, MaxDate);
  calendar->SetStartOfWeek(StartOfWeek);
  calendar->SetWeekendColor(WeekendColor);
  calendar->SetWeekends(Weekends);
  std::array<TRxTimerSpeedButton*, 4> buttons{};
  for (int i = 0; i < 4; ++i)
    buttons[static_cast<size_t>(i)] = popup->NavButton(static_cast<TNavButton>(i));
  ApplyHints(buttons, Hints);
  popup->Invalidate();
}

TSelectDateDlg* NewDateDialog(const String& Caption, TDateTime MinDate, TDateTime MaxDate) {
  std::unique_ptr<TSelectDateDlg, void (*)(TSelectDateDlg*)> dialog(
      new TSelectDateDlg(Application), [](TSelectDateDlg* d) { d->Free(); });
  if (!Caption.empty()) dialog->SetCaption(Caption);
  dialog->Calendar->SetMinDate(MinDate);
  dialog->Calendar->SetMaxDate(MaxDate);
  return dialog.release();
}

bool ChooseDate(TControl* Anchor, TDateTime& Date, const String& Caption,
                TDayOfWeekName StartOfWeek, TDaysOfWeek Weekends, TColor WeekendColor,
                const TStrings* Hints, TDateTime MinDate, TDateTime MaxDate) {
  std::unique_ptr<TSelectDateDlg, void (*)(TSelectDateDlg*)> dialog(
      NewDateDialog(Caption, MinDate, MaxDate), [](TSelectDateDlg* d) { d->Free(); });
  if (Anchor) {
    dialog->SetPosition(poDesigned);
    const TPoint origin = Anchor->ClientOrigin();
    const TSize screen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    const TPoint p = DateDialogOrigin(origin, TSize(Anchor->Width(), Anchor->Height()),
                                      TSize(dialog->Width(), dialog->Height()), screen);
    dialog->SetBounds(p.X, p.Y, dialog->Width(), dialog->Height());
  }
  dialog->SetDate(Date);
  dialog->Calendar->SetStartOfWeek(StartOfWeek);
  dialog->Calendar->SetWeekends(Weekends);
  dialog->Calendar->SetWeekendColor(WeekendColor);
  std::array<TRxTimerSpeedButton*, 4> buttons{};
  for (int i = 0; i < 4; ++i)
    buttons[static_cast<size_t>(i)] = dialog->NavButton(static_cast<TNavButton>(i));
  ApplyHints(buttons, Hints);
  if (dialog->ShowModal() != mrOk) return false;
  Date = dialog->Date();
  return true;
}

// ---- TSelectDateDlg --------------------------------------------------------

TSelectDateDlg::TSelectDateDlg(TComponent* AOwner) : TForm(AOwner) {
  SetCaption(LibraryText(SDateDlgTitle));
  SetBorderStyle(bsToolWindow);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetClientWidth(222);
  SetClientHeight(158);
  ApplyMessageFont(Font());
  SetColor(clBtnFace);
  SetPosition(poScreenCenter);
  SetShowHint(true);
  SetKeyPreview(true);

  auto* top = new TPanel(this);
  top->SetParent(this);
  top->SetBounds(0, 0, 222, 22);
  top->SetAlign(alTop);
  top->SetBevelOuter(bvNone);
  top->SetBevelInner(bvLowered);
  top->SetParentColor(true);
  top->SetParentFont(true);
  top->OnDblClick = [this](TObject* s) { TopPanelDblClick(s); };

  TitleLabel = new TLabel(this);
  TitleLabel->SetParent(top);
  TitleLabel->SetAutoSize(false);
  TitleLabel->SetBounds(35, 4, 152, 14);
  TitleLabel->SetAlignment(taCenter);
  TitleLabel->SetTransparent(true);
  TitleLabel->Font()->Assign(*Font());
  TitleLabel->Font()->SetColor(clBlue);
  TitleLabel->Font()->SetStyle(TFontStyles{fsBold});
  TitleLabel->OnDblClick = [this](TObject* s) { TopPanelDblClick(s); };

  const int lefts[4] = {3, 18, 188, 203};
  for (int i = 0; i < 4; ++i) {
    auto* button = new TRxTimerSpeedButton(this);
    button->SetParent(top);
    button->SetBounds(lefts[i], 3, 16, 16);
    button->SetGlyph(NavButtonGlyph(static_cast<TNavButton>(i)));
    button->SetHint(ShortHint(kHintTexts[i]));
    FBtns[static_cast<size_t>(i)] = button;
  }
  FBtns[nbPrevYear]->OnClick = [this](TObject* s) { PrevYearBtnClick(s); };
  FBtns[nbPrevMonth]->OnClick = [this](TObject* s) { PrevMonthBtnClick(s); };
  FBtns[nbNextMonth]->OnClick = [this](TObject* s) { NextMonthBtnClick(s); };
  FBtns[nbNextYear]->OnClick = [this](TObject* s) { NextYearBtnClick(s); };

  auto* bottom = new TPanel(this);
  bottom->SetParent(this);
  bottom->SetBounds(0, 133, 222, 25);
  bottom->SetAlign(alBottom);
  bottom->SetBevelOuter(bvNone);
  bottom->SetParentColor(true);
  bottom->SetParentFont(true);
  auto* ok = new TButton(this);
  ok->SetParent(bottom);
  ok->SetBounds(0, 0, 111, 25);
  ok->SetCaption(u"OK");
  ok->SetDefault(true);
  ok->SetModalResult(mrOk);
  auto* cancel = new TButton(this);
  cancel->SetParent(bottom);
  cancel->SetBounds(111, 0, 111, 25);
  cancel->SetCaption(u"Cancel");
  cancel->SetCancel(true);
  cancel->SetModalResult(mrCancel);

  auto* middle = new TPanel(this);
  middle->SetParent(this);
  middle->SetBounds(0, 22, 222, 111);
  middle->SetAlign(alClient);
  middle->SetBevelOuter(bvNone);
  middle->SetBevelInner(bvLowered);
  middle->SetParentColor(true);
  middle->SetParentFont(true);

  Calendar = new TRxCalendar(this);
  Calendar->SetParent(middle);
  Calendar->SetBounds(2, 2, 218, 113);
  Calendar->SetAlign(alClient);
  Calendar->SetParentFont(true);
  Calendar->SetColor(clWhite);
  Calendar->SetTabOrder(0);
  Calendar->SetUseCurrentDate(false);
  Calendar->OnChange = [this](TObject* s) { CalendarChange(s); };
  Calendar->OnDblClick = [this](TObject* s) { CalendarDblClick(s); };

  OnKeyDown = [this](TObject* s, WORD& key, TShiftState shift) { FormKeyDown(s, key, shift); };
  Calendar->SetCalendarDate(Today());
  SetActiveControl(Calendar);
}

TDateTime TSelectDateDlg::Date() const { return Calendar->CalendarDate(); }

void TSelectDateDlg::SetDate(TDateTime value) {
  if (value == EmptyDate) value = Today();
  try {
    Calendar->SetCalendarDate(value);
    CalendarChange(nullptr);
  } catch (const Exception&) {
    Calendar->SetCalendarDate(Today());
  }
}

void TSelectDateDlg::EnableButtons() { SetNavButtonsEnabled(FBtns, Calendar); }

void TSelectDateDlg::PrevYearBtnClick(TObject*) { Calendar->PrevYear(); }
void TSelectDateDlg::PrevMonthBtnClick(TObject*) { Calendar->PrevMonth(); }
void TSelectDateDlg::NextMonthBtnClick(TObject*) { Calendar->NextMonth(); }
void TSelectDateDlg::NextYearBtnClick(TObject*) { Calendar->NextYear(); }
void TSelectDateDlg::TopPanelDblClick(TObject*) { SetDate(Today()); }
void TSelectDateDlg::CalendarDblClick(TObject*) { SetModalResult(mrOk); }

void TSelectDateDlg::CalendarChange(TObject*) {
  TitleLabel->SetCaption(FormatDateTime(kTitleFormat, Calendar->CalendarDate()));
  EnableButtons();
}

void TSelectDateDlg::FormKeyDown(TObject*, WORD& Key, TShiftState Shift) {
  const bool ctrl = Shift.Contains(ssCtrl);
  switch (Key) {
    case VK_TAB:
      if (Shift == TShiftState{ssShift}) Calendar->PrevMonth();
      else Calendar->NextMonth();
      break;
    case VK_RETURN: SetModalResult(mrOk); return;
    case VK_ESCAPE: SetModalResult(mrCancel); return;
    case VK_PRIOR:
      if (ctrl) Calendar->PrevYear();
      else Calendar->PrevMonth();
      break;
    case VK_NEXT:
      if (ctrl) Calendar->NextYear();
      else Calendar->NextMonth();
      break;
    default: return;
  }
  TitleLabel->Repaint();
  EnableButtons();
}
