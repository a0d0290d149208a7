#pragma once
// Month calendars. TRxCalendar is a 7 x 7 grid: one header row with the
// short day names and six rows of days, the week starting on a chosen day;
// it holds one date, moves it by day, month and year within optional limits,
// colours weekends, embosses days beyond the limits and shows holidays in
// blue. TLocCalendar is the variant inside the drop-down calendar: it never
// takes the keyboard focus and frames today.
#include "controls/RxDateUtil.h"
#include "controls/RxPickDateMonth.h"
#include "platform/ui/Controls.h"

class TRxCalendar : public TCustomControl {
public:
  explicit TRxCalendar(TComponent* AOwner);

  // Writing it applies the limits and always raises OnChange.
  TDateTime CalendarDate() const { return FDate; }
  void SetCalendarDate(TDateTime value);
  int Day() const;
  void SetDay(int value);
  int Month() const;
  void SetMonth(int value);
  int Year() const;
  void SetYear(int value);

  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value) { FReadOnly = value; }
  TDayOfWeekName StartOfWeek() const { return FStartOfWeek; }
  void SetStartOfWeek(TDayOfWeekName value);
  // On until a date part is written; switching it on shows today.
  bool UseCurrentDate() const { return FUseCurrentDate; }
  void SetUseCurrentDate(bool value);
  TColor WeekendColor() const { return FWeekendColor; }
  void SetWeekendColor(TColor value);
  TDaysOfWeek Weekends() const { return FWeekends; }
  void SetWeekends(TDaysOfWeek value);
  // EmptyDate: no limit.
  TDateTime MinDate() const { return FMinDate; }
  void SetMinDate(TDateTime value);
  TDateTime MaxDate() const { return FMaxDate; }
  void SetMaxDate(TDateTime value);
  // Both limits as they are, without moving the date (the drop-down's way).
  void SetLimitFields(TDateTime minDate, TDateTime maxDate);

  void NextMonth() { MoveMonth(1); }
  void PrevMonth() { MoveMonth(-1); }
  void NextYear();
  void PrevYear();
  virtual void UpdateCalendar();
  // Row 0: short day names; rows 1..6: day numbers, empty outside the month.
  String GetCellText(int ACol, int ARow) const;

  // The grid: current cell, cell sizes and hit testing.
  int Col() const { return FCol; }
  int Row() const { return FRow; }
  int DefaultColWidth() const { return FColWidth; }
  int DefaultRowHeight() const { return FRowHeight; }
  TColor FixedColor() const { return FFixedColor; }
  void SetFixedColor(TColor value);
  TRect CellRect(int ACol, int ARow) const;
  // -1, -1 outside the cells.
  void MouseToCell(int X, int Y, int& ACol, int& ARow) const;

  // Keys also come from the drop-down calendar, which hands on the keys
  // typed into its date edit.
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;

  TNotifyEvent OnChange;

protected:
  enum TGridOption : uint8_t {
    goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goDrawFocusSelected
  };
  using TGridOptions = TEnumSet<TGridOption>;
  void SetOptions(TGridOptions value);

  void CreateParams(TCreateParams& Params) override;
  void WndProc(TMessage& Message) override;
  void Paint() override;
  // The background and selection are painted; draws the cell's text.
  virtual void DrawCell(int ACol, int ARow, const TRect& ARect, bool selected);
  virtual bool SelectCell(int ACol, int ARow);
  virtual void RaiseChange();
  void Click() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

  bool IsWeekendColumn(int ACol) const;
  TDateTime CellDate(int ACol, int ARow) const;
  bool CellInLimits(int ACol, int ARow) const;

private:
  void PositionDays(bool immediate);
  void MoveMonth(int delta);
  void WritePart(TDatePart part, int value);
  // Moves the current cell when SelectCell allows it.
  bool MoveColRow(int ACol, int ARow);
  // Moves by the keyboard or the mouse, then clicks as a grid does.
  void FocusCell(int ACol, int ARow);
  void SizeCells(int width, int height);
  int LineWidthX() const;
  int LineWidthY() const;
  void DrawGridLines();

  TDateTime FMinDate = EmptyDate;
  TDateTime FMaxDate = EmptyDate;
  TDateTime FDate = EmptyDate;
  int FMonthOffset = 1;
  bool FReadOnly = false;
  TDayOfWeekName FStartOfWeek = TDayOfWeekName::Mon;
  bool FUpdating = false;
  bool FUseCurrentDate = true;
  TDaysOfWeek FWeekends{TDayOfWeekName::Sun};
  TColor FWeekendColor = clRed;

  TGridOptions FOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine,
                        goDrawFocusSelected};
  int FCol = 0;
  int FRow = 1;
  int FColWidth = 24;
  int FRowHeight = 16;
  int FGridLineWidth = 1;
  TColor FFixedColor = clBtnFace;
};

// The calendar of the drop-down: clicks reach it, the focus never does; no
// border, the parent's colour, only a line under the day names, and today
// framed.
class TLocCalendar : public TRxCalendar {
public:
  explicit TLocCalendar(TComponent* AOwner);
  bool CanFocus() const override { return false; }

protected:
  void CreateParams(TCreateParams& Params) override;
  void WndProc(TMessage& Message) override;
  void DrawCell(int ACol, int ARow, const TRect& ARect, bool selected) override;
};
