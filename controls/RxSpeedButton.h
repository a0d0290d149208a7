#pragma once
// A windowless push button with a glyph and a caption: flat look that
// lights up under the mouse, drop-down menu with an arrow mark, repeat
// while held, groups of buttons of which one is down, grayed inactive
// glyphs, word-wrapped captions and transparency.
#include "controls/RxButtonGlyph.h"
#include "platform/ui/Controls.h"

#include <memory>

class TPopupMenu;
class TTimer;

// Broadcast to the parent's controls when a grouped button goes down.
constexpr UINT CM_RXBUTTONPRESSED = 0xB051;

enum class TRxDropDownMenuPos : uint8_t { dmpBottom, dmpRight };

class TRxSpeedButton : public TGraphicControl {
public:
  explicit TRxSpeedButton(TComponent* AOwner);
  ~TRxSpeedButton() override;

  void Loaded();
  void Click() override;
  // A press from code: down for 20 ms, then a click.
  void ButtonClick();
  // Pops the drop-down menu up even when its auto-popup is off.
  bool CheckBtnMenuDropDown();
  void UpdateTracking();

  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int value);
  TButtonStyle Style() const { return FStyle; }
  void SetStyle(TButtonStyle value);
  bool Down() const { return FDown; }
  void SetDown(bool value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool value);
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool value);
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout value);
  int Spacing() const { return FSpacing; }
  void SetSpacing(int value);
  int Margin() const { return FMargin; }
  void SetMargin(int value);
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult value) { FModalResult = value; }
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool value);
  bool MarkDropDown() const { return FMarkDropDown; }
  void SetMarkDropDown(bool value);
  TPopupMenu* DropDownMenu() const { return FDropDownMenu; }
  void SetDropDownMenu(TPopupMenu* value);
  TRxDropDownMenuPos MenuPosition() const { return FMenuPosition; }
  void SetMenuPosition(TRxDropDownMenuPos value) { FMenuPosition = value; }
  bool GrayedInactive() const { return FInactiveGrayed; }
  void SetGrayedInactive(bool value);
  bool AllowTimer() const { return FAllowTimer; }
  void SetAllowTimer(bool value);
  uint16_t InitPause() const { return FInitRepeatPause; }
  void SetInitPause(uint16_t value) { FInitRepeatPause = value; }
  uint16_t RepeatInterval() const { return FRepeatPause; }
  void SetRepeatInterval(uint16_t value) { FRepeatPause = value; }
  bool ThemedStyle() const { return FThemedStyle; }
  void SetThemedStyle(bool value);
  bool FlatStandard() const { return FFlatStandard; }
  void SetFlatStandard(bool value);

  TBitmap* Glyph() const { return FGlyph->Glyph(); }
  void SetGlyph(TBitmap* value);
  int NumGlyphs() const { return FGlyph->NumGlyphs(); }
  void SetNumGlyphs(int value);
  bool WordWrap() const { return FGlyph->WordWrap(); }
  void SetWordWrap(bool value);
  TAlignment Alignment() const { return FGlyph->Alignment(); }
  void SetAlignment(TAlignment value);

  TRxButtonState State() const { return FState; }
  bool MouseInControl() const { return FMouseInControl; }
  TRxButtonGlyph* ButtonGlyph() const { return FGlyph.get(); }

  void WndProc(TMessage& Message) override;

protected:
  void Paint() override;
  // Paints the button's look onto target at (0, 0).
  void PaintButton(TCanvas* target);
  virtual void PaintContent(TCanvas* canvas, const TRect& rect, bool drawMark,
                            TRxButtonState state);
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  virtual void FireMouseEnter();
  virtual void FireMouseLeave();
  TPoint DropDownMenuPoint();
  bool PopupDropDownMenu(TPoint pos, bool manual);

private:
  bool PointOnButton(int x, int y);
  void FinishPress(TMouseButton button, int x, int y);
  void RepeatTimerExpired();
  void StopRepeatTimer();
  void UpdateExclusive();
  void ButtonPressed(TMessage& message);
  TRxButtonState InitialGlyphState() const;
  void DrawSelfDrawn(TCanvas* target, TRxButtonState paintState);

  int FGroupIndex = 0;
  TButtonStyle FStyle = bsAutoDetect;
  std::unique_ptr<TRxButtonGlyph> FGlyph;
  std::unique_ptr<TBitmap> FDrawImage;
  bool FDown = false;
  bool FDragging = false;
  bool FFlat = false;
  bool FMouseInControl = false;
  bool FAllowAllUp = false;
  TButtonLayout FLayout = blGlyphTop;
  int FSpacing = 1;
  int FMargin = -1;
  TModalResult FModalResult = 0;
  bool FTransparent = false;
  bool FMarkDropDown = true;
  TPopupMenu* FDropDownMenu = nullptr;
  TRxDropDownMenuPos FMenuPosition = TRxDropDownMenuPos::dmpBottom;
  bool FInactiveGrayed = true;
  bool FMenuTracking = false;
  TTimer* FRepeatTimer = nullptr;  // owned as a component
  bool FAllowTimer = false;
  uint16_t FInitRepeatPause = 500;
  uint16_t FRepeatPause = 100;
  bool FThemedStyle = true;
  TRxButtonState FState = TRxButtonState::rbsUp;
  bool FFlatStandard = false;
};
