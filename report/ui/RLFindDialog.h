#pragma once
// The preview window's find dialog: a text, whole words, match case and a
// direction. Each search goes to the owner through OnFind; the dialog stays
// open for the next one and hides when it loses activation.
#include "platform/ui/Buttons.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"

enum TRLFindOption : uint8_t { foWholeWords, foMatchCase, foFindBackward };
using TRLFindOptions = TEnumSet<TRLFindOption>;
// (Sender, Text, Options, var Found)
using TRLOnFindEvent =
    std::function<void(TObject* Sender, const String& Text, TRLFindOptions Options, bool& Found)>;

class TfrmRLFindDialog : public TForm {
public:
  explicit TfrmRLFindDialog(TComponent* AOwner);

  String Text() const { return EditTextToFind->Text(); }
  void SetText(const String& AValue) { EditTextToFind->SetText(AValue); }
  TRLFindOptions Options() const;
  void SetOptions(TRLFindOptions AValue);
  const TRLOnFindEvent& OnFind() const { return FOnFind; }
  void SetOnFind(TRLOnFindEvent AValue) { FOnFind = std::move(AValue); }

  void BitBtnFindNextClick();
  void BitBtnCancelClick();
  void FormDeactivate();

  TLabel* LabelTextToFind = nullptr;
  TEdit* EditTextToFind = nullptr;
  TBitBtn* BitBtnFindNext = nullptr;
  TBitBtn* BitBtnCancel = nullptr;
  TCheckBox* CheckBoxWholeWords = nullptr;
  TCheckBox* CheckBoxMatchCase = nullptr;
  TRadioGroup* RadioGroupDirection = nullptr;

private:
  TRLOnFindEvent FOnFind;
  bool FSearching = false;
};
