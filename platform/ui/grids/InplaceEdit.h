#pragma once
// The edit box a grid puts over its current cell while the cell is being
// edited, with the cell's edit mask: the keys that move between cells go to
// the grid, typing asks the grid whether the cell may change, and every
// change of text is handed to the grid.
#include "platform/ui/Mask.h"

class TCustomGrid;

class TInplaceEdit : public TCustomMaskEdit {
public:
  explicit TInplaceEdit(TComponent* AOwner);

  TCustomGrid* Grid() const { return FGrid; }
  void SetGrid(TCustomGrid* value) { FGrid = value; }
  // Shows the edit over rect (client coordinates of the grid).
  void Move(const TRect& rect);
  // Takes the cell's text, mask and limit from the grid.
  void UpdateContents();
  void Deselect();

  void WndProc(TMessage& Message) override;

protected:
  void Change() override;
  bool EditCanModify() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;

private:
  TCustomGrid* FGrid = nullptr;
  bool FUpdating = false;
};
