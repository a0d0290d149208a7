#include "report/ui/RLSaveDialog.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/NumUtils.h"
#include "platform/rtl/StrUtils.h"
#include "report/output/RLFilters.h"
#include "report/pages/RLLocaleStrings.h"
#include "report/pages/RLUtils.h"
#include "report/ui/RLComponentFactory.h"

namespace {
String T(const String& AText) { return ReportText(AText); }

String NumberText(int AValue) { return AValue == 0 ? String() : IntToStr(AValue); }

int NumberOf(const String& AText) { return StrToIntDef(Trim(AText), 0); }

constexpr const char16_t* kPageFileLabel = u"QuadenReport Community Edition";
constexpr const char16_t* kPageFileExt = u".rpf";

template <typename C> C* Make(TRLSaveDialog* AForm, TWinControl* AParent, C*& AField, const char16_t* AName) {
  TRLComponentFactory::CreateComponent(AForm, AField);
  AField->SetName(AName);
  if constexpr (std::is_base_of_v<TControl, C>) AField->SetParent(AParent);
  return AField;
}
}  // namespace

TRLSaveDialog::TRLSaveDialog() : TForm(nullptr) { BuildControls(); }

void TRLSaveDialog::SetMaxPage(int AValue) {
  if (FToPage == FMaxPage) FToPage = AValue;
  FMaxPage = AValue;
}

void TRLSaveDialog::BuildControls() {
  const TRLLocaleStrings& ls = CurrentReportTexts;
  SetBorderStyle(bsDialog);
  SetCaption(T(ls.LS_SaveStr));
  SetClientWidth(391);
  SetClientHeight(224);
  SetColor(clBtnFace);
  Font()->SetName(u"MS Sans Serif");
  Font()->SetHeight(-11);
  Font()->SetColor(clWindowText);
  SetPosition(poScreenCenter);

  Make(this, this, GroupBoxPages, u"GroupBoxPages")->SetBounds(12, 68, 365, 101);
  GroupBoxPages->SetCaption(u" " + T(ls.LS_PageRangeStr) + u" ");
  Make(this, this, ButtonSave, u"ButtonSave")->SetBounds(220, 184, 75, 25);
  ButtonSave->SetCaption(T(ls.LS_SaveStr));
  ButtonSave->SetDefault(true);
  Make(this, this, ButtonCancel, u"ButtonCancel")->SetBounds(304, 184, 75, 25);
  ButtonCancel->SetCaption(T(ls.LS_CancelStr));
  ButtonCancel->SetCancel(true);
  ButtonCancel->SetModalResult(mrCancel);
  Make(this, GroupBoxPages, RadioButtonPagesAll, u"RadioButtonPagesAll")->SetBounds(8, 20, 113, 17);
  RadioButtonPagesAll->SetCaption(T(ls.LS_AllStr));
  RadioButtonPagesAll->SetChecked(true);
  Make(this, GroupBoxPages, RadioButtonPagesInterval, u"RadioButtonPagesInterval")->SetBounds(8, 44, 61, 17);
  RadioButtonPagesInterval->SetCaption(T(ls.LS_PagesStr));
  Make(this, GroupBoxPages, RadioButtonPagesSelect, u"RadioButtonPagesSelect")->SetBounds(8, 68, 73, 17);
  RadioButtonPagesSelect->SetCaption(T(ls.LS_SelectionStr));
  RadioButtonPagesSelect->SetEnabled(false);
  Make(this, GroupBoxPages, LabelFromPage, u"LabelFromPage")->SetBounds(68, 45, 15, 13);
  LabelFromPage->SetCaption(T(ls.LS_RangeFromStr));
  Make(this, GroupBoxPages, EditFromPage, u"EditFromPage")->SetBounds(88, 41, 41, 21);
  EditFromPage->SetText(u"1");
  LabelFromPage->SetFocusControl(EditFromPage);
  EditFromPage->OnChange = [this](TObject*) { EditFromPageChange(); };
  Make(this, GroupBoxPages, LabelToPage, u"LabelToPage")->SetBounds(136, 45, 18, 13);
  LabelToPage->SetCaption(T(ls.LS_RangeToStr));
  Make(this, GroupBoxPages, EditToPage, u"EditToPage")->SetBounds(160, 41, 41, 21);
  LabelToPage->SetFocusControl(EditToPage);
  EditToPage->OnChange = [this](TObject*) { EditFromPageChange(); };
  Make(this, this, LabelFileName, u"LabelFileName")->SetBounds(12, 44, 84, 13);
  LabelFileName->SetCaption(T(ls.LS_FileNameStr));
  Make(this, this, EditFileName, u"EditFileName")->SetBounds(108, 40, 249, 21);
  LabelFileName->SetFocusControl(EditFileName);
  Make(this, this, LabelUseFilter, u"LabelUseFilter")->SetBounds(12, 16, 86, 13);
  LabelUseFilter->SetCaption(T(ls.LS_UseFilterStr));
  Make(this, this, ComboBoxFilters, u"ComboBoxFilters")->SetBounds(108, 12, 269, 21);
  ComboBoxFilters->SetStyle(csDropDownList);
  LabelUseFilter->SetFocusControl(ComboBoxFilters);
  ComboBoxFilters->OnKeyDown = [this](TObject*, WORD& Key, TShiftState) {
    if (Key != VK_NEXT) return;
    if (!ComboBoxFilters->DroppedDown()) ComboBoxFilters->SetDroppedDown(true);
    Key = 0;
  };
  Make(this, this, SpeedButtonLookup, u"SpeedButtonLookup")->SetBounds(356, 40, 21, 21);
  SpeedButtonLookup->SetCaption(u"...");
  SpeedButtonLookup->OnClick = [this](TObject*) { SpeedButtonLookupClick(); };
  Make(this, this, SaveDialog, u"SaveDialog");
}

TRLCustomFilter* TRLSaveDialog::FilterOfEntry(int AIndex) const {
  return AIndex >= 0 && AIndex < static_cast<int>(FFormatEntries.size()) ? FFormatEntries[AIndex] : nullptr;
}

void TRLSaveDialog::LoadFormatList() {
  ComboBoxFilters->Items()->Clear();
  FFormatEntries.clear();
  ComboBoxFilters->Items()->Add(T(CurrentReportTexts.LS_DefaultStr));
  FFormatEntries.push_back(nullptr);
  int selected = 0;
  for (TRLCustomFilter* filter : FilterRegistry()) {
    if (filter->DefaultExt().empty()) continue;
    if (filter == SelectedFilter()) selected = static_cast<int>(FFormatEntries.size());
    ComboBoxFilters->Items()->Add(filter->GetDisplayLabel());
    FFormatEntries.push_back(filter);
  }
  ComboBoxFilters->SetItemIndex(selected);
}

void TRLSaveDialog::LoadEditors() {
  EditFileName->SetText(FFileName);
  EditFromPage->SetText(NumberText(FFromPage));
  EditToPage->SetText(NumberText(FToPage));
  // The page fields check their own choice as they fill: the range's
  // choice goes last.
  RadioButtonPagesAll->SetChecked(FSaveRange == rprAllPages);
  RadioButtonPagesSelect->SetChecked(FSaveRange == rprSelection);
  RadioButtonPagesInterval->SetChecked(FSaveRange == rprPageNums);
  RadioButtonPagesInterval->SetEnabled(true);
  for (TEdit* edit : {EditFromPage, EditToPage}) {
    edit->SetEnabled(true);
    edit->SetColor(clWindow);
  }
  RadioButtonPagesSelect->SetEnabled(false);
}

void TRLSaveDialog::SaveEditors() {
  FFileName = EditFileName->Text();
  if (RadioButtonPagesAll->Checked()) FSaveRange = rprAllPages;
  else if (RadioButtonPagesSelect->Checked()) FSaveRange = rprSelection;
  else if (RadioButtonPagesInterval->Checked()) FSaveRange = rprPageNums;
  switch (FSaveRange) {
    case rprAllPages:
      FFromPage = FMinPage;
      FToPage = FMaxPage;
      break;
    case rprSelection:
      FFromPage = FToPage = NumberOf(EditFromPage->Text());
      break;
    case rprPageNums:
      FFromPage = NumberOf(EditFromPage->Text());
      FToPage = NumberOf(EditToPage->Text());
      break;
  }
  if (ComboBoxFilters->ItemIndex() != -1) SetSelectedFilter(FilterOfEntry(ComboBoxFilters->ItemIndex()));
}

bool TRLSaveDialog::Execute() {
  LoadFormatList();
  LoadEditors();
  SetActiveControl(ComboBoxFilters);
  // Save closes only over a file name: an empty one would write nowhere.
  ButtonSave->OnClick = [this](TObject*) {
    if (!Trim(EditFileName->Text()).empty()) {
      SetModalResult(mrOk);
      return;
    }
    MessageDlg(u"Informe o nome do arquivo.", mtError, {mbOK});
    EditFileName->SetFocus();
  };
  if (ShowModal() != mrOk) return false;
  SaveEditors();
  return true;
}

void TRLSaveDialog::ApplyExt(String& AFileName) const {
  TRLCustomFilter* filter = FilterOfEntry(ComboBoxFilters->ItemIndex());
  const String ext = filter ? DottedExtension(filter->DefaultExt()) : String(kPageFileExt);
  AFileName = ChangeFileExt(AFileName, ext);
}

void TRLSaveDialog::EditFromPageChange() { RadioButtonPagesInterval->SetChecked(true); }

void TRLSaveDialog::SpeedButtonLookupClick() {
  TRLCustomFilter* filter = FilterOfEntry(ComboBoxFilters->ItemIndex());
  const String label = filter ? filter->GetDisplayLabel() : String(kPageFileLabel);
  const String ext = filter ? DottedExtension(filter->DefaultExt()) : String(kPageFileExt);
  SaveDialog->SetFilter(label + u" (*" + ext + u")|*" + ext);
  SaveDialog->SetDefaultExt(ext.substr(1));
  SaveDialog->SetFileName(EditFileName->Text());
  if (SaveDialog->Execute()) EditFileName->SetText(SaveDialog->FileName());
}
