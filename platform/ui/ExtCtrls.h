#pragma once
// Panels, bevels, images, radio groups, labelled edits and timers.
#include "platform/ui/StdCtrls.h"
#include "platform/ui/graphics/Picture.h"

enum TBevelCut : uint8_t { bvNone, bvLowered, bvRaised, bvSpace };
enum TBevelShape : uint8_t { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle : uint8_t { bsLowered, bsRaised };

// Draws a 3-D frame of width pixels inside rect and shrinks rect by it.
void Frame3D(TCanvas* canvas, TRect& rect, TColor topColor, TColor bottomColor, int width);

class TCustomPanel : public TCustomControl {
public:
  explicit TCustomPanel(TComponent* AOwner);

  TBevelCut BevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut value);
  TBevelCut BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut value);
  int BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int value);
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);

  void WndProc(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  void AdjustClientRect(TRect& Rect) override;

private:
  TBevelCut FBevelInner = bvNone;
  TBevelCut FBevelOuter = bvRaised;
  int FBevelWidth = 1;
  int FBorderWidth = 0;
  TBorderStyle FBorderStyle = bsNone;
  TAlignment FAlignment = taCenter;
};

class TPanel : public TCustomPanel {
public:
  using TCustomPanel::TCustomPanel;
};

class TBevel : public TGraphicControl {
public:
  explicit TBevel(TComponent* AOwner);
  TBevelShape Shape() const { return FShape; }
  void SetShape(TBevelShape value);
  TBevelStyle Style() const { return FStyle; }
  void SetStyle(TBevelStyle value);

protected:
  void Paint() override;

private:
  TBevelShape FShape = bsBox;
  TBevelStyle FStyle = bsLowered;
};

class TImage : public TGraphicControl {
public:
  explicit TImage(TComponent* AOwner);
  ~TImage() override;

  TPicture* Picture() const { return FPicture.get(); }
  void SetPicture(const TPicture* value) { FPicture->Assign(*value); }
  // The canvas of the picture's bitmap (made empty when there is none).
  TCanvas* Canvas();
  bool Stretch() const { return FStretch; }
  void SetStretch(bool value);
  bool Center() const { return FCenter; }
  void SetCenter(bool value);
  // With Stretch, keep the picture's proportions; without, shrink a larger
  // picture to fit, proportionally.
  bool Proportional() const { return FProportional; }
  void SetProportional(bool value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool value);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value);

protected:
  void Paint() override;
  // Where the picture is drawn inside the control.
  TRect DestRect() const;

private:
  void PictureChanged();

  std::unique_ptr<TPicture> FPicture;
  bool FStretch = false;
  bool FCenter = false;
  bool FProportional = false;
  bool FTransparent = false;
  bool FAutoSize = false;
};

// A group box of radio buttons made from Items, in Columns columns.
class TCustomRadioGroup : public TCustomGroupBox {
public:
  explicit TCustomRadioGroup(TComponent* AOwner);
  ~TCustomRadioGroup() override;

  TStrings* Items() const { return FItems.get(); }
  void SetItems(const TStrings* value) { FItems->Assign(*value); }
  int ItemIndex() const { return FItemIndex; }
  // Checks the button of the item (-1: none); runs OnClick.
  void SetItemIndex(int value);
  int Columns() const { return FColumns; }
  void SetColumns(int value);
  int ButtonCount() const { return static_cast<int>(FButtons.size()); }
  TRadioButton* Buttons(int index) const;

  void WndProc(TMessage& Message) override;

protected:
  void Resize() override;

private:
  void ItemsChanged();
  void ArrangeButtons();
  void ButtonClicked(int index);

  std::unique_ptr<TStringList> FItems;
  std::vector<TRadioButton*> FButtons;
  int FItemIndex = -1;
  int FColumns = 1;
  bool FUpdating = false;
};

class TRadioGroup : public TCustomRadioGroup {
public:
  using TCustomRadioGroup::TCustomRadioGroup;
};

enum TLabelPosition : uint8_t { lpAbove, lpBelow, lpLeft, lpRight };

// The label of a TLabeledEdit: it moves with the edit.
class TBoundLabel : public TCustomLabel {
public:
  using TCustomLabel::TCustomLabel;
};

class TCustomLabeledEdit : public TCustomEdit {
public:
  explicit TCustomLabeledEdit(TComponent* AOwner);
  ~TCustomLabeledEdit() override;

  TBoundLabel* EditLabel() const { return FEditLabel; }
  TLabelPosition LabelPosition() const { return FLabelPosition; }
  void SetLabelPosition(TLabelPosition value);
  int LabelSpacing() const { return FLabelSpacing; }
  void SetLabelSpacing(int value);

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void SetParent(TWinControl* AParent) override;
  void WndProc(TMessage& Message) override;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  void PlaceLabel();

  TBoundLabel* FEditLabel;
  TLabelPosition FLabelPosition = lpAbove;
  int FLabelSpacing = 3;
};

class TLabeledEdit : public TCustomLabeledEdit {
public:
  using TCustomLabeledEdit::TCustomLabeledEdit;
};

// Runs OnTimer every Interval milliseconds while Enabled, on the UI thread.
class TTimer : public TComponent {
public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);
  unsigned Interval() const { return FInterval; }
  void SetInterval(unsigned value);

  TNotifyEvent OnTimer;

protected:
  virtual void Timer();

private:
  void UpdateTimer();

  bool FEnabled = true;
  unsigned FInterval = 1000;
  HWND FWindow = nullptr;
};
