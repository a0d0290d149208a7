#include "report/ui/RLFindDialog.h"
#include "platform/ui/Dialogs.h"
#include "report/pages/RLLocaleStrings.h"

namespace {
String T(const String& AText) { return ReportText(AText); }

template <typename C> C* Make(TForm* AForm, TWinControl* AParent, C*& AField, const char16_t* AName) {
  AField = new C(AForm);
  AField->SetName(AName);
  AField->SetParent(AParent);
  return AField;
}
}  // namespace

TfrmRLFindDialog::TfrmRLFindDialog(TComponent* AOwner) : TForm(AOwner) {
  const TRLLocaleStrings& ls = CurrentReportTexts;
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetBorderStyle(bsDialog);
  SetCaption(T(ls.LS_FindCaptionStr));
  SetClientWidth(367);
  SetClientHeight(94);
  SetColor(clBtnFace);
  SetPosition(poScreenCenter);
  OnDeactivate = [this](TObject*) { FormDeactivate(); };

  Make(this, this, LabelTextToFind, u"LabelTextToFind")->SetBounds(8, 16, 30, 13);
  LabelTextToFind->SetCaption(T(ls.LS_TextToFindStr) + u":");
  Make(this, this, EditTextToFind, u"EditTextToFind")->SetBounds(48, 12, 229, 21);
  LabelTextToFind->SetFocusControl(EditTextToFind);
  Make(this, this, BitBtnFindNext, u"BitBtnFindNext")->SetBounds(284, 12, 75, 21);
  BitBtnFindNext->SetCaption(T(ls.LS_FindNextStr));
  BitBtnFindNext->SetDefault(true);
  BitBtnFindNext->OnClick = [this](TObject*) { BitBtnFindNextClick(); };
  Make(this, this, BitBtnCancel, u"BitBtnCancel")->SetBounds(284, 36, 75, 21);
  BitBtnCancel->SetCaption(T(ls.LS_CancelStr));
  BitBtnCancel->SetCancel(true);
  BitBtnCancel->OnClick = [this](TObject*) { BitBtnCancelClick(); };
  Make(this, this, CheckBoxWholeWords, u"CheckBoxWholeWords")->SetBounds(8, 44, 133, 17);
  CheckBoxWholeWords->SetCaption(T(ls.LS_WholeWordsStr));
  Make(this, this, CheckBoxMatchCase, u"CheckBoxMatchCase")->SetBounds(8, 64, 193, 17);
  CheckBoxMatchCase->SetCaption(T(ls.LS_MatchCaseStr));
  Make(this, this, RadioGroupDirection, u"RadioGroupDirection")->SetBounds(204, 36, 73, 49);
  RadioGroupDirection->SetCaption(u" " + T(ls.LS_DirectionCaptionStr) + u" ");
  RadioGroupDirection->Items()->Add(T(ls.LS_DirectionUpStr));
  RadioGroupDirection->Items()->Add(T(ls.LS_DirectionDownStr));
  RadioGroupDirection->SetItemIndex(1);
  SetActiveControl(EditTextToFind);
}

TRLFindOptions TfrmRLFindDialog::Options() const {
  TRLFindOptions options;
  if (CheckBoxWholeWords->Checked()) options.Include(foWholeWords);
  if (CheckBoxMatchCase->Checked()) options.Include(foMatchCase);
  if (RadioGroupDirection->ItemIndex() == 0) options.Include(foFindBackward);
  return options;
}

void TfrmRLFindDialog::SetOptions(TRLFindOptions AValue) {
  CheckBoxWholeWords->SetChecked(AValue.Contains(foWholeWords));
  CheckBoxMatchCase->SetChecked(AValue.Contains(foMatchCase));
  RadioGroupDirection->SetItemIndex(AValue.Contains(foFindBackward) ? 0 : 1);
}

void TfrmRLFindDialog::BitBtnFindNextClick() {
  // The not-found box takes the activation for a moment; the dialog stays.
  FSearching = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{FSearching};
  bool found = false;
  if (FOnFind) {
    Screen->SetCursor(crHourGlass);
    try {
      FireEvent(FOnFind, this, Text(), Options(), found);
    } catch (...) {
      Screen->SetCursor(crDefault);
      throw;
    }
    Screen->SetCursor(crDefault);
  }
  if (!found) MessageDlg(T(CurrentReportTexts.LS_NotFoundStr), mtInformation, {mbOK});
}

void TfrmRLFindDialog::BitBtnCancelClick() { Close(); }

void TfrmRLFindDialog::FormDeactivate() {
  if (!FSearching) Close();
}
