#include "report/ui/RLPrintDialog.h"
#include "platform/rtl/NumUtils.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/Dialogs.h"
#include "report/output/RLFilters.h"
#include "report/output/RLPrinters.h"
#include "report/pages/RLLocaleStrings.h"
#include "report/ui/RLComponentFactory.h"
#include "report/ui/RLTableLayout.h"

namespace {
String T(const String& AText) { return ReportText(AText); }

String NumberText(int AValue) { return AValue == 0 ? String() : IntToStr(AValue); }

int NumberOf(const String& AText) { return StrToIntDef(Trim(AText), 0); }

// A whole number of at least 1, or 0.
int PositiveNumberOf(const String& AText) {
  int value = 0;
  return TryStrToInt(Trim(AText), value) && value >= 1 ? value : 0;
}

void SetEditEnabled(TEdit* AEdit, bool AEnabled) {
  AEdit->SetEnabled(AEnabled);
  AEdit->SetColor(AEnabled ? clWindow : clBtnFace);
}

template <typename C> C* Make(TRLPrintDialog* AForm, TWinControl* AParent, C*& AField, const char16_t* AName) {
  TRLComponentFactory::CreateComponent(AForm, AField);
  AField->SetName(AName);
  AField->SetParent(AParent);
  return AField;
}
}  // namespace

TRLPrintDialog::TRLPrintDialog() : TForm(nullptr) {
  FCopies = SharedPrinterWrapper()->Copies();
  TRLPrinterWrapper* printer = SharedPrinterWrapper();
  FDuplex = printer->SupportsDuplex() && printer->Duplex();
  BuildControls();
}

void TRLPrintDialog::SetMaxPage(int value) {
  if (FToPage == FMaxPage) FToPage = value;
  FMaxPage = value;
}

void TRLPrintDialog::BuildControls() {
  SetCaption(u"Imprimir");
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  Font()->SetName(u"MS Sans Serif");
  Font()->SetHeight(-11);
  SetColor(clBtnFace);
  // The border width of 8 frames the client area of 560 x 280.
  const int border = 8;
  SetClientWidth(560 + 2 * border);
  SetClientHeight(280 + 2 * border);
  SetCaption(T(CurrentReportTexts.LS_PrintStr));
  const int width = 560;

  Make(this, this, GroupBoxPrinter, u"GroupBoxPrinter")->SetBounds(border, border, width, 100);
  Make(this, this, GroupBoxPages, u"GroupBoxPages")->SetBounds(border, border + 104, 240, 140);
  Make(this, this, GroupBoxCopies, u"GroupBoxCopies")->SetBounds(border + 244, border + 104, width - 244, 70);
  Make(this, this, GroupBoxDuplex, u"GroupBoxDuplex")->SetBounds(border + 244, border + 178, width - 244, 70);
  Make(this, GroupBoxDuplex, CheckBoxDuplex, u"CheckBoxDuplex");
  Make(this, GroupBoxPrinter, ComboBoxPrinterNames, u"ComboBoxPrinterNames");
  Make(this, GroupBoxPrinter, LabelPrinterName, u"LabelPrinterName");
  Make(this, this, ButtonOk, u"ButtonOk");
  Make(this, this, ButtonCancel, u"ButtonCancel");
  const int buttonTop = GroupBoxPages->Top() + GroupBoxPages->Height() + 4;
  ButtonCancel->SetBounds(border + width - 75, buttonTop, 75, 25);
  ButtonOk->SetBounds(ButtonCancel->Left() - 4 - 75, buttonTop, 75, 25);
  Make(this, GroupBoxPages, RadioButtonPagesAll, u"RadioButtonPagesAll");
  Make(this, GroupBoxPages, RadioButtonPagesInterval, u"RadioButtonPagesInterval");
  Make(this, GroupBoxPages, RadioButtonPagesSelect, u"RadioButtonPagesSelect");
  Make(this, GroupBoxPages, EditFromPage, u"EditFromPage");
  Make(this, GroupBoxPages, LabelToPage, u"LabelToPage");
  Make(this, GroupBoxPages, EditToPage, u"EditToPage");
  Make(this, GroupBoxCopies, LabelCopies, u"LabelCopies");
  Make(this, GroupBoxCopies, EditCopies, u"EditCopies");
  Make(this, GroupBoxPrinter, CheckBoxPrintToFile, u"CheckBoxPrintToFile");
  Make(this, GroupBoxPrinter, ComboBoxFilters, u"ComboBoxFilters");
  Make(this, GroupBoxPrinter, LabelFilterName, u"LabelFilterName");
  Make(this, GroupBoxPrinter, LabelOptions, u"LabelOptions");
  Make(this, GroupBoxPrinter, ComboBoxOptions, u"ComboBoxOptions");
  Make(this, GroupBoxPrinter, ButtonPrinterSetup, u"ButtonPrinterSetup");
  Make(this, GroupBoxPages, EditPageSelection, u"EditPageSelection");
  Make(this, GroupBoxPages, LabelPageSelectionHint, u"LabelPageSelectionHint");
  Make(this, GroupBoxPages, LabelFromPage, u"LabelFromPage");
  Make(this, GroupBoxCopies, LabelOddPages, u"LabelOddPages");
  Make(this, GroupBoxCopies, ComboBoxOddPages, u"ComboBoxOddPages");

  TTableLayout table;
  table.LineHeight = 21;
  table.Spacing = TPoint(4, 4);
  table.Margins = TRect(8, 16, 0, 0);
  table.SetColWidths({75, 310, 150});
  table.Row(0, {LabelPrinterName, ComboBoxPrinterNames, ButtonPrinterSetup});
  table.Row(1, {LabelFilterName, ComboBoxFilters, CheckBoxPrintToFile});
  table.Row(2, {LabelOptions, ComboBoxOptions});
  table.SetColWidths({85, 20, 40, 20, 40});
  table.Row(0, {RadioButtonPagesAll});
  table.Row(1, {RadioButtonPagesInterval, LabelFromPage, EditFromPage, LabelToPage, EditToPage});
  table.Row(2, {RadioButtonPagesSelect});
  table.Range(2, 1, 2, 4, EditPageSelection);
  table.Range(3, 0, 4, 4, LabelPageSelectionHint);
  table.SetColWidths({130, 165});
  table.Row(0, {LabelCopies, EditCopies});
  table.Row(1, {LabelOddPages, ComboBoxOddPages});
  table.SetColWidths({200});
  table.Row(0, {CheckBoxDuplex});

  const TRLLocaleStrings& ls = CurrentReportTexts;
  GroupBoxPrinter->SetCaption(u" " + T(ls.LS_PrinterStr) + u" ");
  LabelPrinterName->SetCaption(T(ls.LS_NameStr) + u":");
  LabelPrinterName->SetFocusControl(ComboBoxPrinterNames);
  ComboBoxPrinterNames->SetStyle(csDropDownList);
  ComboBoxPrinterNames->OnChange = [this](TObject*) { ComboBoxPrinterNamesChange(); };
  ButtonPrinterSetup->SetCaption(u"Propriedades");
  ButtonPrinterSetup->SetTabStop(false);
  ButtonPrinterSetup->OnClick = [this](TObject*) { ButtonPrinterSetupClick(); };
  LabelFilterName->SetCaption(T(ls.LS_UseFilterStr) + u":");
  LabelFilterName->SetFocusControl(ComboBoxFilters);
  ComboBoxFilters->SetStyle(csDropDownList);
  ComboBoxFilters->OnChange = [this](TObject*) { ComboBoxFiltersChange(); };
  CheckBoxPrintToFile->SetCaption(T(ls.LS_PrintToFileStr));
  CheckBoxPrintToFile->SetTabStop(false);
  LabelOptions->SetCaption(u"Opções do filtro:");
  LabelOptions->SetVisible(false);
  ComboBoxOptions->SetStyle(csDropDownList);
  ComboBoxOptions->SetVisible(false);

  GroupBoxPages->SetCaption(u" " + T(ls.LS_PageRangeStr) + u" ");
  RadioButtonPagesAll->SetCaption(T(ls.LS_AllStr));
  RadioButtonPagesAll->SetChecked(true);
  RadioButtonPagesInterval->SetCaption(T(ls.LS_PagesStr));
  LabelFromPage->SetCaption(T(ls.LS_RangeFromStr) + u":");
  LabelFromPage->SetFocusControl(EditFromPage);
  EditFromPage->SetText(u"1");
  EditFromPage->SetTabStop(false);
  EditFromPage->OnChange = [this](TObject*) { RadioButtonPagesInterval->SetChecked(true); };
  LabelToPage->SetCaption(T(ls.LS_RangeToStr) + u":");
  LabelToPage->SetFocusControl(EditToPage);
  EditToPage->SetText(u"999999");
  EditToPage->SetTabStop(false);
  EditToPage->OnChange = [this](TObject*) { RadioButtonPagesInterval->SetChecked(true); };
  RadioButtonPagesSelect->SetCaption(T(ls.LS_SelectionStr));
  EditPageSelection->OnChange = [this](TObject*) { RadioButtonPagesSelect->SetChecked(true); };
  LabelPageSelectionHint->SetAutoSize(false);
  LabelPageSelectionHint->SetWordWrap(true);
  LabelPageSelectionHint->SetCaption(T(ls.LS_PageSelectionHint));

  GroupBoxCopies->SetCaption(u" " + T(ls.LS_CopiesStr) + u" ");
  LabelCopies->SetCaption(T(ls.LS_NumberOfCopiesStr) + u":");
  EditCopies->SetText(NumberText(FCopies));
  LabelOddPages->SetCaption(T(ls.LS_OddPages) + u"/" + T(ls.LS_EvenPages) + u":");
  LabelOddPages->SetAlignment(taRightJustify);
  LabelOddPages->SetFocusControl(ComboBoxOddPages);
  ComboBoxOddPages->SetStyle(csDropDownList);
  ComboBoxOddPages->Items()->Add(T(ls.LS_OddPagesOnly));
  ComboBoxOddPages->Items()->Add(T(ls.LS_EvenPagesOnly));
  ComboBoxOddPages->Items()->Add(T(ls.LS_AllOddAndEven));

  GroupBoxDuplex->SetCaption(u"Duplex");
  CheckBoxDuplex->SetCaption(u"Impressão frente e verso");
  CheckBoxDuplex->SetTabStop(false);

  ButtonOk->SetCaption(T(ls.LS_OkStr));
  ButtonOk->SetDefault(true);
  // OK closes only over fields that can be taken.
  ButtonOk->OnClick = [this](TObject*) {
    String reason = InvalidFieldsReason();
    if (reason.empty()) SetModalResult(mrOk);
    else MessageDlg(reason, mtError, {mbOK});
  };
  ButtonCancel->SetCaption(T(ls.LS_CancelStr));
  ButtonCancel->SetCancel(true);
  ButtonCancel->SetModalResult(mrCancel);
  SetActiveControl(ComboBoxPrinterNames);
}

String TRLPrintDialog::InvalidFieldsReason() {
  if (PositiveNumberOf(EditCopies->Text()) == 0) return u"Número de cópias inválido: informe 1 ou mais.";
  if (RadioButtonPagesInterval->Checked()) {
    int from = PositiveNumberOf(EditFromPage->Text());
    int to = PositiveNumberOf(EditToPage->Text());
    if (from == 0 || to == 0 || from > to) return u"Intervalo de páginas inválido.";
  }
  return String();
}

TRLCustomFilter* TRLPrintDialog::FilterOfEntry(int AIndex) const {
  return AIndex >= 0 && AIndex < static_cast<int>(FFilterEntries.size()) ? FFilterEntries[AIndex] : nullptr;
}

void TRLPrintDialog::LoadPrinterList() {
  TRLPrinterWrapper* printer = SharedPrinterWrapper();
  ComboBoxPrinterNames->Items()->Clear();
  printer->Refresh();
  String current = printer->PrinterName();
  int selected = -1;
  for (int i = 0; i < printer->Printers()->Count(); ++i) {
    ComboBoxPrinterNames->Items()->Add(printer->GetPrinterDisplays(i));
    if (printer->GetPrinterNames(i) == current) selected = i;
  }
  if (selected < 0 && ComboBoxPrinterNames->Items()->Count() > 0) selected = 0;
  ComboBoxPrinterNames->SetItemIndex(selected);
  ButtonPrinterSetup->SetEnabled(ComboBoxPrinterNames->ItemIndex() != -1);
  CheckBoxDuplex->SetEnabled(printer->SupportsDuplex());
}

void TRLPrintDialog::LoadFilterList() {
  ComboBoxFilters->Items()->Clear();
  FFilterEntries.clear();
  ComboBoxFilters->Items()->Add(T(CurrentReportTexts.LS_DefaultStr));
  FFilterEntries.push_back(nullptr);
  int selected = 0;
  for (TRLCustomFilter* filter : FilterRegistry()) {
    auto* printFilter = dynamic_cast<TRLCustomPrintFilter*>(filter);
    if (!printFilter || printFilter->GetDisplayLabel().empty()) continue;
    if (filter == SelectedFilter()) selected = static_cast<int>(FFilterEntries.size());
    ComboBoxFilters->Items()->Add(printFilter->GetDisplayLabel());
    FFilterEntries.push_back(filter);
  }
  ComboBoxFilters->SetItemIndex(selected);
  if (ComboBoxFilters->Items()->Count() <= 1) {
    ComboBoxFilters->SetEnabled(false);
    ComboBoxFilters->SetColor(Color());
  }
  ComboBoxFiltersChange();
}

void TRLPrintDialog::LoadEditors() {
  RadioButtonPagesAll->SetChecked(FPrintRange == rprAllPages);
  EditFromPage->SetText(NumberText(FFromPage));
  EditToPage->SetText(NumberText(FToPage));
  EditCopies->SetText(NumberText(FCopies));
  EditPageSelection->SetText(FPageRanges);
  // The page fields check their own choice as they fill: the range's
  // choice goes last.
  RadioButtonPagesAll->SetChecked(FPrintRange == rprAllPages);
  RadioButtonPagesSelect->SetChecked(FPrintRange == rprSelection);
  RadioButtonPagesInterval->SetChecked(FPrintRange == rprPageNums);
  CheckBoxDuplex->SetChecked(FDuplex);
  switch (SharedPrinterWrapper()->OddEven()) {
    case odOddPagesOnly: ComboBoxOddPages->SetItemIndex(0); break;
    case odEvenPagesOnly: ComboBoxOddPages->SetItemIndex(1); break;
    default: ComboBoxOddPages->SetItemIndex(2); break;
  }
  CheckBoxPrintToFile->SetVisible(FOptions.Contains(rpoPrintToFile));
  CheckBoxPrintToFile->SetEnabled(!FOptions.Contains(rpoDisablePrintToFile));
  CheckBoxPrintToFile->SetChecked(FPrintToFile);
  const bool pageNums = FOptions.Contains(rpoPageNums);
  RadioButtonPagesInterval->SetEnabled(pageNums);
  SetEditEnabled(EditFromPage, pageNums);
  SetEditEnabled(EditToPage, pageNums);
  const bool selection = FOptions.Contains(rpoSelection);
  RadioButtonPagesSelect->SetEnabled(selection);
  SetEditEnabled(EditPageSelection, selection);
  TBorderIcons icons = BorderIcons();
  SetBorderIcons(FOptions.Contains(rpoHelp) ? icons + biHelp : icons - biHelp);
}

void TRLPrintDialog::SaveEditors() {
  if (RadioButtonPagesSelect->Checked()) FPrintRange = rprSelection;
  else if (RadioButtonPagesInterval->Checked()) FPrintRange = rprPageNums;
  else FPrintRange = rprAllPages;
  if (FPrintRange == rprPageNums) {
    FFromPage = NumberOf(EditFromPage->Text());
    FToPage = NumberOf(EditToPage->Text());
  } else {
    FFromPage = FMinPage;
    FToPage = FMaxPage;
    if (FPrintRange == rprSelection) FPageRanges = EditPageSelection->Text();
  }
  FCopies = NumberOf(EditCopies->Text());
  FDuplex = CheckBoxDuplex->Checked();
  FPrintToFile = CheckBoxPrintToFile->Checked();

  TRLPrinterWrapper* printer = SharedPrinterWrapper();
  if (ComboBoxPrinterNames->ItemIndex() != -1) printer->SetPrinterIndex(ComboBoxPrinterNames->ItemIndex());
  if (ComboBoxFilters->ItemIndex() != -1) {
    TRLCustomFilter* filter = FilterOfEntry(ComboBoxFilters->ItemIndex());
    SetSelectedFilter(filter);
    if (auto* printFilter = dynamic_cast<TRLCustomPrintFilter*>(filter))
      printFilter->SetOptionIndex(ComboBoxOptions->ItemIndex());
  }
  printer->SetCopies(FCopies);
  if (printer->SupportsDuplex()) printer->SetDuplex(FDuplex);
  switch (ComboBoxOddPages->ItemIndex()) {
    case 0: printer->SetOddEven(odOddPagesOnly); break;
    case 1: printer->SetOddEven(odEvenPagesOnly); break;
    default: printer->SetOddEven(odAllPages); break;
  }
}

bool TRLPrintDialog::Execute() {
  LoadPrinterList();
  LoadFilterList();
  LoadEditors();
  if (ShowModal() != mrOk) return false;
  SaveEditors();
  return true;
}

void TRLPrintDialog::ComboBoxPrinterNamesChange() {
  TRLPrinterWrapper* printer = SharedPrinterWrapper();
  printer->SetPrinterIndex(ComboBoxPrinterNames->ItemIndex());
  ButtonPrinterSetup->SetEnabled(printer->PrinterIndex() != -1);
  bool duplex = printer->SupportsDuplex();
  CheckBoxDuplex->SetEnabled(duplex);
  CheckBoxDuplex->SetChecked(duplex && printer->Duplex());
}

void TRLPrintDialog::ComboBoxFiltersChange() {
  auto* filter = dynamic_cast<TRLCustomPrintFilter*>(FilterOfEntry(ComboBoxFilters->ItemIndex()));
  TStrings* options = filter ? filter->GetOptions() : nullptr;
  if (!options) {
    LabelOptions->SetVisible(false);
    ComboBoxOptions->SetVisible(false);
    return;
  }
  filter->SetOrientation(FOrientation);
  LabelOptions->SetCaption(filter->OptionsLabel() + u":");
  ComboBoxOptions->Items()->Assign(*options);
  ComboBoxOptions->SetItemIndex(filter->OptionIndex());
  LabelOptions->SetVisible(true);
  ComboBoxOptions->SetVisible(true);
}

void TRLPrintDialog::ButtonPrinterSetupClick() {
  ButtonPrinterSetup->SetEnabled(false);
  Screen->SetCursor(crHourGlass);
  bool shown = false;
  try {
    shown = SharedPrinterWrapper()->ExecuteSetup();
  } catch (const Exception&) {
    shown = false;
  }
  Screen->SetCursor(crDefault);
  ButtonPrinterSetup->SetEnabled(true);
  if (!shown) MessageDlg(T(CurrentReportTexts.LS_PrintDialogError), mtError, {mbOK});
}
