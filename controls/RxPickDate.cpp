#include "controls/RxPickDate.h"

#include "platform/rtl/NumUtils.h"

#include <algorithm>

namespace {

constexpr int kCells = 7;

TDateTime Today() { return DateOf(Now()); }

}  // namespace

// ---- TRxCalendar -----------------------------------------------------------

TRxCalendar::TRxCalendar(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle.Include(csFramed);
  FControlStyle.Include(csOpaque);
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 7 * 25, 7 * 17);
  FDate = Today();
  UpdateCalendar();
}

void TRxCalendar::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style |= WS_BORDER;
  Params.ExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
}

int TRxCalendar::Day() const { return DayOf(FDate); }
int TRxCalendar::Month() const { return MonthOf(FDate); }
int TRxCalendar::Year() const { return YearOf(FDate); }
void TRxCalendar::SetDay(int value) { WritePart(TDatePart::Day, value); }
void TRxCalendar::SetMonth(int value) { WritePart(TDatePart::Month, value); }
void TRxCalendar::SetYear(int value) { WritePart(TDatePart::Year, value); }

void TRxCalendar::SetCalendarDate(TDateTime value) {
  FDate = ClampDateToLimits(value, FMinDate, FMaxDate);
  UpdateCalendar();
  RaiseChange();
}

void TRxCalendar::WritePart(TDatePart part, int value) {
  TDateTime result = FDate;
  if (!WriteDatePart(FDate, part, value, FMinDate, FMaxDate, result)) return;
  FDate = result;
  FUseCurrentDate = false;
  PositionDays(part == TDatePart::Day);
  RaiseChange();
}

void TRxCalendar::MoveMonth(int delta) { SetCalendarDate(MoveMonthDate(FDate, delta)); }

// The year of 29 February moves to 28 February of a common year.
void TRxCalendar::NextYear() { SetYear(Year() + 1); }
void TRxCalendar::PrevYear() { SetYear(Year() - 1); }

void TRxCalendar::SetStartOfWeek(TDayOfWeekName value) {
  if (FStartOfWeek == value) return;
  FStartOfWeek = value;
  UpdateCalendar();
}

void TRxCalendar::SetUseCurrentDate(bool value) {
  if (FUseCurrentDate == value) return;
  FUseCurrentDate = value;
  if (value) {
    FDate = Today();
    UpdateCalendar();
  }
}

void TRxCalendar::SetWeekendColor(TColor value) {
  if (FWeekendColor == value) return;
  FWeekendColor = value;
  Invalidate();
}

void TRxCalendar::SetWeekends(TDaysOfWeek value) {
  if (FWeekends == value) return;
  FWeekends = value;
  UpdateCalendar();
}

void TRxCalendar::SetMinDate(TDateTime value) {
  if (FMinDate == value) return;
  FMinDate = value;
  if (value > FDate) SetCalendarDate(value);
  UpdateCalendar();
}

void TRxCalendar::SetMaxDate(TDateTime value) {
  if (FMaxDate == value) return;
  FMaxDate = value;
  if (value != EmptyDate && value < FDate) SetCalendarDate(value);
  UpdateCalendar();
}

void TRxCalendar::SetLimitFields(TDateTime minDate, TDateTime maxDate) {
  FMinDate = minDate;
  FMaxDate = maxDate;
  Invalidate();
}

void TRxCalendar::SetFixedColor(TColor value) {
  if (FFixedColor == value) return;
  FFixedColor = value;
  Invalidate();
}

void TRxCalendar::SetOptions(TGridOptions value) {
  if (FOptions == value) return;
  FOptions = value;
  SizeCells(ClientWidth(), ClientHeight());
  Invalidate();
}

void TRxCalendar::RaiseChange() { FireEvent(OnChange, this); }

void TRxCalendar::UpdateCalendar() { PositionDays(false); }

void TRxCalendar::PositionDays(bool immediate) {
  FUpdating = true;
  FMonthOffset = MonthOffset(FDate, FStartOfWeek);
  int col = 0, row = 1;
  DayCell(FMonthOffset, Day(), col, row);
  MoveColRow(col, row);
  FUpdating = false;
  if (immediate) Repaint();
  else Invalidate();
}

String TRxCalendar::GetCellText(int ACol, int ARow) const {
  if (ARow == 0)
    return FormatSettings.ShortDayNames[(ACol + static_cast<int>(FStartOfWeek)) % 7];
  const int day = CellDay(FMonthOffset, ACol, ARow);
  if (day < 1 || day > MonthLength(Year(), Month())) return String();
  return IntToStr(day);
}

TDateTime TRxCalendar::CellDate(int ACol, int ARow) const {
  if (ARow <= 0 || GetCellText(ACol, ARow).empty()) return EmptyDate;
  return EncodeDate(Year(), Month(), CellDay(FMonthOffset, ACol, ARow));
}

bool TRxCalendar::CellInLimits(int ACol, int ARow) const {
  return DateInLimits(CellDate(ACol, ARow), FMinDate, FMaxDate);
}

bool TRxCalendar::IsWeekendColumn(int ACol) const {
  return FWeekends.Contains(
      static_cast<TDayOfWeekName>((ACol + static_cast<int>(FStartOfWeek)) % 7));
}

bool TRxCalendar::SelectCell(int ACol, int ARow) {
  if (!FUpdating && FReadOnly) return false;
  return ARow >= 1 && ARow < kCells && ACol >= 0 && ACol < kCells &&
         !GetCellText(ACol, ARow).empty() && CellInLimits(ACol, ARow);
}

bool TRxCalendar::MoveColRow(int ACol, int ARow) {
  if (!SelectCell(ACol, ARow)) return false;
  if (ACol != FCol || ARow != FRow) {
    FCol = ACol;
    FRow = ARow;
    Invalidate();
  }
  return true;
}

void TRxCalendar::FocusCell(int ACol, int ARow) {
  if (MoveColRow(ACol, ARow)) Click();
}

void TRxCalendar::Click() {
  TCustomControl::Click();
  const String text = GetCellText(FCol, FRow);
  if (FRow > 0 && !text.empty()) SetDay(StrToInt(text));
}

void TRxCalendar::KeyDown(WORD& Key, TShiftState Shift) {
  if (Shift.Empty()) {
    const int before = Day();
    switch (Key) {
      case VK_LEFT:
      case VK_SUBTRACT:
        if (before == 1) SetCalendarDate(FDate - 1);
        else SetDay(before - 1);
        if (!DateInLimits(FDate, FMinDate, FMaxDate)) SetDay(before);
        Key = 0;
        return;
      case VK_RIGHT:
      case VK_ADD:
        if (before < MonthLength(Year(), Month())) SetDay(before + 1);
        else SetCalendarDate(FDate + 1);
        if (!DateInLimits(FDate, FMinDate, FMaxDate)) SetDay(before);
        Key = 0;
        return;
      default:
        break;
    }
  }
  TCustomControl::KeyDown(Key, Shift);
  if (Key == 0) return;
  // The grid's own moves: a week up or down, the first or last day of the
  // row; cells without a day or beyond the limits are not entered.
  switch (Key) {
    case VK_UP: FocusCell(FCol, FRow - 1); break;
    case VK_DOWN: FocusCell(FCol, FRow + 1); break;
    case VK_HOME: FocusCell(0, FRow); break;
    case VK_END: FocusCell(kCells - 1, FRow); break;
    default: return;
  }
  Key = 0;
}

void TRxCalendar::KeyPress(char16_t& Key) {
  if (Key == u'T' || Key == u't') {
    SetCalendarDate(Today());
    Key = 0;
  }
  TCustomControl::KeyPress(Key);
}

void TRxCalendar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) {
    if (CanFocus() && !Focused()) SetFocus();
    int col = -1, row = -1;
    MouseToCell(X, Y, col, row);
    if (col >= 0) MoveColRow(col, row);
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

// ---- Grid geometry and painting -------------------------------------------

int TRxCalendar::LineWidthX() const {
  return FOptions.Contains(goVertLine) || FOptions.Contains(goFixedVertLine) ? FGridLineWidth : 0;
}

int TRxCalendar::LineWidthY() const {
  return FOptions.Contains(goHorzLine) || FOptions.Contains(goFixedHorzLine) ? FGridLineWidth : 0;
}

void TRxCalendar::SizeCells(int width, int height) {
  const int lines = 6 * FGridLineWidth;
  FColWidth = std::max(1, (width - (LineWidthX() > 0 ? lines : 0)) / kCells);
  FRowHeight = std::max(1, (height - lines) / kCells);
}

TRect TRxCalendar::CellRect(int ACol, int ARow) const {
  const int x = ACol * (FColWidth + LineWidthX());
  const int y = ARow * (FRowHeight + LineWidthY());
  return Bounds(x, y, FColWidth, FRowHeight);
}

void TRxCalendar::MouseToCell(int X, int Y, int& ACol, int& ARow) const {
  ACol = ARow = -1;
  if (X < 0 || Y < 0) return;
  const int col = X / (FColWidth + LineWidthX());
  const int row = Y / (FRowHeight + LineWidthY());
  if (col >= kCells || row >= kCells) return;
  ACol = col;
  ARow = row;
}

void TRxCalendar::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SIZE:
      SizeCells(LOWORD(Message.LParam), HIWORD(Message.LParam));
      Invalidate();
      break;
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
      return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      Invalidate();
      break;
    default:
      break;
  }
  TCustomControl::WndProc(Message);
}

void TRxCalendar::Paint() {
  TCanvas* canvas = Canvas();
  canvas->Brush()->SetColor(Color());
  canvas->FillRect(ClientRect());
  // The current cell shows highlighted, unless the grid has the focus and
  // is not asked to highlight the focused cell: then a focus frame marks it.
  const bool focused = Focused();
  const bool highlight = !focused || FOptions.Contains(goDrawFocusSelected);
  for (int row = 0; row < kCells; ++row) {
    for (int col = 0; col < kCells; ++col) {
      const TRect r = CellRect(col, row);
      const bool current = row > 0 && col == FCol && row == FRow;
      const bool selected = current && highlight;
      canvas->SetFont(Font());
      if (row == 0) {
        canvas->Brush()->SetColor(FFixedColor);
      } else if (selected) {
        canvas->Brush()->SetColor(clHighlight);
        canvas->Font()->SetColor(clHighlightText);
      } else {
        canvas->Brush()->SetColor(Color());
      }
      canvas->FillRect(r);
      DrawCell(col, row, r, selected);
      if (current && !highlight) canvas->DrawFocusRect(r);
    }
  }
  DrawGridLines();
}

void TRxCalendar::DrawGridLines() {
  TCanvas* canvas = Canvas();
  const int lx = LineWidthX(), ly = LineWidthY();
  const TRect all = CellRect(kCells - 1, kCells - 1);
  canvas->Pen()->SetWidth(1);
  canvas->Pen()->SetColor(clSilver);
  auto vline = [&](int col, int top, int bottom) {
    const int x = CellRect(col, 0).Right;
    canvas->MoveTo(x, top);
    canvas->LineTo(x, bottom);
  };
  auto hline = [&](int row, int left, int right) {
    const int y = CellRect(0, row).Bottom;
    canvas->MoveTo(left, y);
    canvas->LineTo(right, y);
  };
  const TRect header = CellRect(0, 0);
  if (lx > 0) {
    for (int col = 0; col + 1 < kCells; ++col) {
      if (FOptions.Contains(goFixedVertLine)) vline(col, 0, header.Bottom);
      if (FOptions.Contains(goVertLine)) vline(col, header.Bottom, all.Bottom);
    }
  }
  if (ly > 0) {
    if (FOptions.Contains(goFixedHorzLine)) {
      canvas->Pen()->SetColor(clBtnShadow);
      hline(0, 0, all.Right);
      canvas->Pen()->SetColor(clSilver);
    }
    if (FOptions.Contains(goHorzLine)) {
      for (int row = 1; row + 1 < kCells; ++row) hline(row, 0, all.Right);
    }
  }
}

void TRxCalendar::DrawCell(int ACol, int ARow, const TRect& ARect, bool selected) {
  TCanvas* canvas = Canvas();
  const String text = GetCellText(ACol, ARow);
  int day = 0;
  if (ARow > 0 && TryStrToInt(text, day) && IsPublicHoliday(Year(), Month(), day))
    canvas->Font()->SetColor(clBlue);
  if (IsWeekendColumn(ACol) && !selected) canvas->Font()->SetColor(FWeekendColor);
  const int w = canvas->TextWidth(text), h = canvas->TextHeight(text);
  const int x = ARect.Left + (ARect.Width() - w) / 2;
  const int y = ARect.Top + (ARect.Height() - h) / 2;
  canvas->Brush()->SetStyle(bsClear);
  if (ARow > 0 && !text.empty() && (FMinDate != EmptyDate || FMaxDate != EmptyDate) &&
      !CellInLimits(ACol, ARow)) {
    // Days beyond the limits look embossed: not to be picked.
    canvas->Font()->SetColor(clBtnFace);
    if (Color() == clBtnFace) {
      canvas->Font()->SetColor(clBtnHighlight);
      canvas->TextRect(ARect, x + 1, y + 1, text);
      canvas->Font()->SetColor(clBtnShadow);
    }
  }
  if (!text.empty()) canvas->TextRect(ARect, x, y, text);
  canvas->Brush()->SetStyle(bsSolid);
}

// ---- TLocCalendar ----------------------------------------------------------

TLocCalendar::TLocCalendar(TComponent* AOwner) : TRxCalendar(AOwner) {
  SetControlStyle(TControlStyle{csCaptureMouse, csClickEvents, csDoubleClicks, csReplicatable});
  SetParentColor(true);
  SetCalendarDate(DateOf(Now()));
  SetUseCurrentDate(false);
  SetFixedColor(Color());
  SetOptions(TGridOptions{goFixedHorzLine});
  SetTabStop(false);
}

void TLocCalendar::CreateParams(TCreateParams& Params) {
  TRxCalendar::CreateParams(Params);
  Params.Style &= ~static_cast<DWORD>(WS_BORDER | WS_TABSTOP | WS_DISABLED);
}

void TLocCalendar::WndProc(TMessage& Message) {
  if (Message.Msg == CM_PARENTCOLORCHANGED) {
    TRxCalendar::WndProc(Message);
    if (ParentColor()) SetFixedColor(Color());
    return;
  }
  TRxCalendar::WndProc(Message);
}

void TLocCalendar::DrawCell(int ACol, int ARow, const TRect& ARect, bool selected) {
  TRxCalendar::DrawCell(ACol, ARow, ARect, selected);
  if (ARow == 0 || CellDate(ACol, ARow) != DateOf(Now())) return;
  // Today is framed, sunken.
  TCanvas* canvas = Canvas();
  canvas->Pen()->SetWidth(1);
  canvas->Pen()->SetColor(clBtnShadow);
  canvas->MoveTo(ARect.Left, ARect.Bottom - 1);
  canvas->LineTo(ARect.Left, ARect.Top);
  canvas->LineTo(ARect.Right - 1, ARect.Top);
  canvas->Pen()->SetColor(clBtnHighlight);
  canvas->LineTo(ARect.Right - 1, ARect.Bottom - 1);
  canvas->LineTo(ARect.Left - 1, ARect.Bottom - 1);
}
