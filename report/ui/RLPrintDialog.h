#pragma once
// The library's own print dialog: printer (and its driver's properties),
// output filter and options, pages (all, from-to, or a selection such as
// 1;3;5-12;4), copies, odd or even pages, duplex. OK hands the printer
// choices to the printer access and the filter to the selected filter.
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"
#include "report/components/RLTypes.h"

enum TRLPrintDialogOption : uint8_t {
  rpoPrintToFile, rpoPageNums, rpoSelection, rpoWarning, rpoHelp, rpoDisablePrintToFile
};
using TRLPrintDialogOptions = TEnumSet<TRLPrintDialogOption>;
enum TRLPrintRange : uint8_t { rprAllPages, rprSelection, rprPageNums };

class TRLCustomFilter;

class TRLPrintDialog : public TForm {
public:
  TRLPrintDialog();

  bool Execute();

  TRLPrintDialogOptions Options() const { return FOptions; }
  void SetOptions(TRLPrintDialogOptions value) { FOptions = value; }
  int MaxPage() const { return FMaxPage; }
  void SetMaxPage(int value);
  int MinPage() const { return FMinPage; }
  void SetMinPage(int value) { FMinPage = value; }
  int FromPage() const { return FFromPage; }
  void SetFromPage(int value) { FFromPage = value; }
  int ToPage() const { return FToPage; }
  void SetToPage(int value) { FToPage = value; }
  TRLPrintRange PrintRange() const { return FPrintRange; }
  void SetPrintRange(TRLPrintRange value) { FPrintRange = value; }
  const String& PageRanges() const { return FPageRanges; }
  void SetPageRanges(const String& value) { FPageRanges = value; }
  int Copies() const { return FCopies; }
  void SetCopies(int value) { FCopies = value; }
  bool Duplex() const { return FDuplex; }
  void SetDuplex(bool value) { FDuplex = value; }
  bool PrintToFile() const { return FPrintToFile; }
  void SetPrintToFile(bool value) { FPrintToFile = value; }
  const String& FileName() const { return FFileName; }
  void SetFileName(const String& value) { FFileName = value; }
  TRLPageOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TRLPageOrientation value) { FOrientation = value; }

  TGroupBox* GroupBoxPrinter = nullptr;
  TGroupBox* GroupBoxPages = nullptr;
  TGroupBox* GroupBoxCopies = nullptr;
  TGroupBox* GroupBoxDuplex = nullptr;
  TCheckBox* CheckBoxDuplex = nullptr;
  TComboBox* ComboBoxPrinterNames = nullptr;
  TLabel* LabelPrinterName = nullptr;
  TButton* ButtonOk = nullptr;
  TButton* ButtonCancel = nullptr;
  TRadioButton* RadioButtonPagesAll = nullptr;
  TRadioButton* RadioButtonPagesInterval = nullptr;
  TRadioButton* RadioButtonPagesSelect = nullptr;
  TEdit* EditFromPage = nullptr;
  TLabel* LabelToPage = nullptr;
  TEdit* EditToPage = nullptr;
  TLabel* LabelCopies = nullptr;
  TEdit* EditCopies = nullptr;
  TCheckBox* CheckBoxPrintToFile = nullptr;
  TComboBox* ComboBoxFilters = nullptr;
  TLabel* LabelFilterName = nullptr;
  TLabel* LabelOptions = nullptr;
  TComboBox* ComboBoxOptions = nullptr;
  TButton* ButtonPrinterSetup = nullptr;
  TEdit* EditPageSelection = nullptr;
  TLabel* LabelPageSelectionHint = nullptr;
  TLabel* LabelFromPage = nullptr;
  TLabel* LabelOddPages = nullptr;
  TComboBox* ComboBoxOddPages = nullptr;

  // Why the fields cannot be taken as they are; empty when they can.
  String InvalidFieldsReason();

private:
  void BuildControls();
  void LoadPrinterList();
  void LoadFilterList();
  void LoadEditors();
  void SaveEditors();
  void ComboBoxPrinterNamesChange();
  void ComboBoxFiltersChange();
  void ButtonPrinterSetupClick();
  TRLCustomFilter* FilterOfEntry(int AIndex) const;

  int FMaxPage = 9999;
  int FToPage = 9999;
  int FMinPage = 1;
  int FFromPage = 1;
  TRLPrintDialogOptions FOptions{rpoPrintToFile, rpoPageNums, rpoSelection, rpoWarning, rpoDisablePrintToFile};
  TRLPrintRange FPrintRange = rprAllPages;
  String FPageRanges;
  int FCopies = 1;
  bool FPrintToFile = false;
  String FFileName;
  TRLPageOrientation FOrientation = poPortrait;
  bool FDuplex = false;
  std::vector<TRLCustomFilter*> FFilterEntries;
};
