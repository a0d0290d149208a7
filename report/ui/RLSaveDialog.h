#pragma once
// The preview window's save dialog: the output format (the report page
// file, or a file-writing filter), the file name with a browse button and
// the page range.
#include "platform/ui/Buttons.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"
#include "report/ui/RLPrintDialog.h"
#include <vector>

// The same three ranges as the print dialog's.
using TRLSaveRange = TRLPrintRange;

class TRLCustomFilter;

class TRLSaveDialog : public TForm {
public:
  TRLSaveDialog();

  // True when the user chose Save; the values are then read back.
  bool Execute();
  // Gives AFileName the extension of the chosen format.
  void ApplyExt(String& AFileName) const;

  const String& FileName() const { return FFileName; }
  void SetFileName(const String& AValue) { FFileName = AValue; }
  int MaxPage() const { return FMaxPage; }
  void SetMaxPage(int AValue);
  int MinPage() const { return FMinPage; }
  void SetMinPage(int AValue) { FMinPage = AValue; }
  int FromPage() const { return FFromPage; }
  void SetFromPage(int AValue) { FFromPage = AValue; }
  int ToPage() const { return FToPage; }
  void SetToPage(int AValue) { FToPage = AValue; }
  TRLSaveRange SaveRange() const { return FSaveRange; }
  void SetSaveRange(TRLSaveRange AValue) { FSaveRange = AValue; }

  void EditFromPageChange();
  void SpeedButtonLookupClick();

  TGroupBox* GroupBoxPages = nullptr;
  TButton* ButtonSave = nullptr;
  TButton* ButtonCancel = nullptr;
  TRadioButton* RadioButtonPagesAll = nullptr;
  TRadioButton* RadioButtonPagesInterval = nullptr;
  TRadioButton* RadioButtonPagesSelect = nullptr;
  TLabel* LabelFromPage = nullptr;
  TEdit* EditFromPage = nullptr;
  TLabel* LabelToPage = nullptr;
  TEdit* EditToPage = nullptr;
  TLabel* LabelFileName = nullptr;
  TEdit* EditFileName = nullptr;
  TLabel* LabelUseFilter = nullptr;
  TComboBox* ComboBoxFilters = nullptr;
  TSpeedButton* SpeedButtonLookup = nullptr;
  TSaveDialog* SaveDialog = nullptr;

private:
  void BuildControls();
  void LoadFormatList();
  void LoadEditors();
  void SaveEditors();
  TRLCustomFilter* FilterOfEntry(int AIndex) const;

  String FFileName;
  int FMaxPage = 9999;
  int FToPage = 9999;
  int FMinPage = 1;
  int FFromPage = 1;
  TRLSaveRange FSaveRange = rprAllPages;
  std::vector<TRLCustomFilter*> FFormatEntries;
};
