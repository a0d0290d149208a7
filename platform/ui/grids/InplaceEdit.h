#pragma once
// The edit box a grid puts over its current cell while the cell is being
// edited: the keys that move between cells go to the grid, typing asks the
// grid whether the cell may change, and every change of text is handed to
// the grid.
#include "platform/ui/Controls.h"

class TCustomGrid;

class TInplaceEdit : public TWinControl {
public:
  explicit TInplaceEdit(TComponent* AOwner);

  TCustomGrid* Grid() const { return FGrid; }
  void SetGrid(TCustomGrid* value) { FGrid = value; }
  // Shows the edit over rect (client coordinates of the grid).
  void Move(const TRect& rect);
  // Takes the cell's text and limit from the grid.
  void UpdateContents();
  void SelectAll();
  void Deselect();
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int value);
  // Called when the text changed.
  virtual void Change();

  void WndProc(TMessage& Message) override;

  TNotifyEvent OnChange;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWndDone() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;

private:
  TCustomGrid* FGrid = nullptr;
  int FMaxLength = 0;
  bool FUpdating = false;
};
