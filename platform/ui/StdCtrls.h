#pragma once
// Standard controls over the system window classes: labels, edits, memos,
// buttons, check boxes, radio buttons, group boxes, combo and list boxes.
#include "platform/classes/Strings.h"
#include "platform/ui/Controls.h"

// Whether key is the '&' accelerator of caption ("&Ok" answers 'o' and 'O').
bool IsAccel(WORD key, const String& caption);

// ---- Label -----------------------------------------------------------------

// Where a label that does not size itself shortens a text too long for it.
enum TEllipsisPosition : uint8_t { epNone, epPathEllipsis, epEndEllipsis, epWordEllipsis };

class TCustomLabel : public TGraphicControl {
public:
  explicit TCustomLabel(TComponent* AOwner);

  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool value);
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool value);
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* value);
  TEllipsisPosition EllipsisPosition() const { return FEllipsisPosition; }
  void SetEllipsisPosition(TEllipsisPosition value);

  void WndProc(TMessage& Message) override;

protected:
  void Paint() override;
  // Draws (or with DT_CALCRECT measures) the caption in rect.
  virtual void DoDrawText(TRect& rect, UINT flags);
  virtual void AdjustBounds();
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  bool FAutoSize = true;
  TAlignment FAlignment = taLeftJustify;
  TTextLayout FLayout = tlTop;
  bool FWordWrap = false;
  bool FTransparent = false;
  bool FShowAccelChar = true;
  TWinControl* FFocusControl = nullptr;
  TEllipsisPosition FEllipsisPosition = epNone;
};

class TLabel : public TCustomLabel {
public:
  using TCustomLabel::TCustomLabel;
};

// ---- Edit ------------------------------------------------------------------

enum TEditCharCase : uint8_t { ecNormal, ecUpperCase, ecLowerCase };

class TCustomEdit : public TWinControl {
public:
  explicit TCustomEdit(TComponent* AOwner);

  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value);
  TEditCharCase CharCase() const { return FCharCase; }
  void SetCharCase(TEditCharCase value);
  char16_t PasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(char16_t value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle value);
  bool AutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool value) { FAutoSelect = value; }
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool value);

  // 0-based, in characters.
  int SelStart();
  void SetSelStart(int value);
  int SelLength();
  void SetSelLength(int value);
  String SelText();
  void SetSelText(const String& value);
  void SelectAll();
  void ClearSelection();
  void Clear() { SetText(String()); }
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  void Undo();
  bool Modified();
  void SetModified(bool value);

  void WndProc(TMessage& Message) override;

  TNotifyEvent OnChange;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  // The text changed (typed or set).
  virtual void Change();

  bool FCreating = false;

private:
  int FMaxLength = 0;
  bool FReadOnly = false;
  TEditCharCase FCharCase = ecNormal;
  char16_t FPasswordChar = 0;
  TBorderStyle FBorderStyle = bsSingle;
  bool FAutoSelect = true;
  bool FHideSelection = true;
  bool FModified = false;
  int FSavedSelStart = 0;
  int FSavedSelLength = 0;
};

class TEdit : public TCustomEdit {
public:
  using TCustomEdit::TCustomEdit;
};

// ---- Memo ------------------------------------------------------------------

enum TScrollStyle : uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };

class TCustomMemo : public TCustomEdit {
public:
  explicit TCustomMemo(TComponent* AOwner);
  ~TCustomMemo() override;

  // The lines of the text (separated by line breaks), read from and
  // written to the window.
  TStrings* Lines() const { return FLines.get(); }
  void SetLines(const TStrings* value) { FLines->Assign(*value); }
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool value);
  bool WantReturns() const { return FWantReturns; }
  void SetWantReturns(bool value) { FWantReturns = value; }
  bool WantTabs() const { return FWantTabs; }
  void SetWantTabs(bool value) { FWantTabs = value; }
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);

  void WndProc(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;

private:
  std::unique_ptr<TStrings> FLines;
  TScrollStyle FScrollBars = ssNone;
  bool FWordWrap = true;
  bool FWantReturns = true;
  bool FWantTabs = false;
  TAlignment FAlignment = taLeftJustify;
};

class TMemo : public TCustomMemo {
public:
  using TCustomMemo::TCustomMemo;
};

// ---- Buttons ---------------------------------------------------------------

class TButtonControl : public TWinControl {
public:
  explicit TButtonControl(TComponent* AOwner);

protected:
  // Set while the state is changed from code that must not run OnClick.
  bool FClicksDisabled = false;
};

class TButton : public TButtonControl {
public:
  explicit TButton(TComponent* AOwner);

  // Enter presses the default button of the form (unless another button
  // has the focus); Esc presses the cancel button.
  bool Default() const { return FDefault; }
  void SetDefault(bool value);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool value) { FCancel = value; }
  // Pressing the button sets the form's ModalResult, closing a modal form.
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult value) { FModalResult = value; }

  void Click() override;
  void WndProc(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  virtual void SetButtonStyle(bool isDefault);
  bool FActive = false;

private:
  bool FDefault = false;
  bool FCancel = false;
  TModalResult FModalResult = mrNone;
};

enum TCheckBoxState : uint8_t { cbUnchecked, cbChecked, cbGrayed };

class TCustomCheckBox : public TButtonControl {
public:
  explicit TCustomCheckBox(TComponent* AOwner);

  bool Checked() const { return FState == cbChecked; }
  void SetChecked(bool value) { SetState(value ? cbChecked : cbUnchecked); }
  TCheckBoxState State() const { return FState; }
  // Changing the state, from code too, runs OnClick.
  void SetState(TCheckBoxState value);
  bool AllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool value) { FAllowGrayed = value; }
  // Where the caption stands: taRightJustify puts it right of the box.
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);

  void WndProc(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  virtual void Toggle();

private:
  TCheckBoxState FState = cbUnchecked;
  bool FAllowGrayed = false;
  TAlignment FAlignment = taRightJustify;
};

class TCheckBox : public TCustomCheckBox {
public:
  using TCustomCheckBox::TCustomCheckBox;
};

class TRadioButton : public TButtonControl {
public:
  explicit TRadioButton(TComponent* AOwner);

  bool Checked() const { return FChecked; }
  // Checking clears the other radio buttons of the parent and runs OnClick.
  void SetChecked(bool value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);

  void WndProc(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;

private:
  bool FChecked = false;
  TAlignment FAlignment = taRightJustify;
};

// ---- Group box -------------------------------------------------------------

class TCustomGroupBox : public TCustomControl {
public:
  explicit TCustomGroupBox(TComponent* AOwner);
  void WndProc(TMessage& Message) override;

protected:
  void Paint() override;
  void AdjustClientRect(TRect& Rect) override;
};

class TGroupBox : public TCustomGroupBox {
public:
  using TCustomGroupBox::TCustomGroupBox;
};

// ---- Combo and list boxes --------------------------------------------------

// Items of a list or combo box: kept in the window while it exists and in
// a list of their own before and after.
class TListControlStrings : public TStrings {
public:
  struct Messages {
    UINT GetCount, GetText, GetTextLen, AddString, InsertString, DeleteString, ResetContent, GetItemData,
        SetItemData, Error;
  };
  TListControlStrings(TWinControl* control, const Messages& messages);
  ~TListControlStrings() override;

  void Insert(int index, const String& s) override;
  int Add(const String& s) override;
  void Delete(int index) override;
  void Clear() override;
  bool Sorted() const { return FSorted; }
  void SetSorted(bool value);

  // The window was made: the items go into it.
  void WindowCreated();
  // The window is about to go: the items are kept.
  void WindowDestroying();

protected:
  String Get(int index) const override;
  int GetCount() const override;
  TObject* GetObject(int index) const override;
  void PutObject(int index, TObject* object) override;
  void SetUpdateState(bool updating) override;

private:
  bool Live() const;
  LRESULT Send(UINT msg, WPARAM w = 0, LPARAM l = 0) const;

  TWinControl* FControl;
  Messages FMsgs;
  std::unique_ptr<TStringList> FShadow;
  bool FSorted = false;
};

enum TComboBoxStyle : uint8_t { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

class TCustomComboBox : public TWinControl {
public:
  explicit TCustomComboBox(TComponent* AOwner);
  ~TCustomComboBox() override;

  TStrings* Items() const { return FItems.get(); }
  void SetItems(const TStrings* value) { FItems->Assign(*value); }
  int ItemIndex();
  void SetItemIndex(int value);
  TComboBoxStyle Style() const { return FStyle; }
  void SetStyle(TComboBoxStyle value);
  int DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int value) { FDropDownCount = value; }
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int value);
  bool Sorted() const { return FSorted; }
  void SetSorted(bool value);
  bool DroppedDown();
  void SetDroppedDown(bool value);
  int SelStart();
  int SelLength();
  void SelectAll();
  void Clear();
  bool Focused() const;

  void WndProc(TMessage& Message) override;

  TNotifyEvent OnChange;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnSelect;
  TNotifyEvent OnCloseUp;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void SetTextBuf(const String& value) override;
  String GetText() const override;
  virtual void Change();
  virtual void DropDown();
  virtual void Select();
  virtual void CloseUp();

private:
  class TEditLink;
  void AdjustDropDown();

  std::unique_ptr<TListControlStrings> FItems;
  std::unique_ptr<TEditLink> FEditLink;
  TComboBoxStyle FStyle = csDropDown;
  int FDropDownCount = 8;
  int FMaxLength = 0;
  bool FSorted = false;
  int FItemIndex = -1;
};

class TComboBox : public TCustomComboBox {
public:
  using TCustomComboBox::TCustomComboBox;
};

class TCustomListBox : public TWinControl {
public:
  explicit TCustomListBox(TComponent* AOwner);
  ~TCustomListBox() override;

  TStrings* Items() const { return FItems.get(); }
  void SetItems(const TStrings* value) { FItems->Assign(*value); }
  int ItemIndex();
  void SetItemIndex(int value);
  bool Sorted() const { return FSorted; }
  void SetSorted(bool value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle value);
  int ItemHeight();
  void Clear() { FItems->Clear(); }

  void WndProc(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;

private:
  std::unique_ptr<TListControlStrings> FItems;
  bool FSorted = false;
  TBorderStyle FBorderStyle = bsSingle;
  int FItemIndex = -1;
};

class TListBox : public TCustomListBox {
public:
  using TCustomListBox::TCustomListBox;
};
