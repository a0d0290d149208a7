#pragma once
// Message boxes and the common file dialogs.
#include "platform/classes/Component.h"
#include "platform/ui/EnumSet.h"
#include "platform/ui/UiTypes.h"
#include <windows.h>
#include <memory>

// Every message box of the library goes through here, so the test seam
// sees it: owner may be null (a box of the whole program).
int ShowMessageBox(HWND owner, const String& text, const String& caption, UINT flags);

enum TMsgDlgType : uint8_t { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn : uint8_t {
  mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp
};
using TMsgDlgButtons = TEnumSet<TMsgDlgBtn>;
inline const TMsgDlgButtons mbYesNo{mbYes, mbNo};
inline const TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
inline const TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
inline const TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};

// A message box titled by its type ("Warning", "Error", "Information",
// "Confirm"; the application title for mtCustom) with the icon of the type
// and the buttons asked for; returns the mrXxx of the button pressed.
int MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx = 0);
// The same with a chosen default button.
int MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx,
               TMsgDlgBtn DefaultButton);
// Text in a box titled with the application's title, with an OK button.
void ShowMessage(const String& Msg);

// Selects the newest system dialog styles (task dialogs, the newer file
// dialogs); a skinning library turns it off for dialogs it cannot skin.
extern bool UseLatestCommonDialogs;

// ---- File dialogs ----------------------------------------------------------

enum TOpenOption : uint8_t {
  ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate,
  ofAllowMultiSelect, ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt,
  ofShareAware, ofNoReadOnlyReturn, ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames,
  ofOldStyleDialog, ofNoDereferenceLinks, ofEnableIncludeNotify, ofEnableSizing, ofDontAddToRecent,
  ofForceShowHidden
};
using TOpenOptions = TEnumSet<TOpenOption>;

class TStrings;
class TStringList;

class TOpenDialog : public TComponent {
public:
  explicit TOpenDialog(TComponent* AOwner);
  ~TOpenDialog() override;

  // Shows the dialog; true when the user chose a file.
  virtual bool Execute();

  const String& FileName() const { return FFileName; }
  void SetFileName(const String& value) { FFileName = value; }
  // Every file chosen with ofAllowMultiSelect (else the one file).
  TStrings* Files() const;
  // "Text files (*.txt)|*.txt|All files (*.*)|*.*"
  const String& Filter() const { return FFilter; }
  void SetFilter(const String& value) { FFilter = value; }
  // 1-based, as the Filter pairs are counted.
  int FilterIndex() const { return FFilterIndex; }
  void SetFilterIndex(int value) { FFilterIndex = value; }
  const String& DefaultExt() const { return FDefaultExt; }
  void SetDefaultExt(const String& value) { FDefaultExt = value; }
  const String& InitialDir() const { return FInitialDir; }
  void SetInitialDir(const String& value) { FInitialDir = value; }
  const String& Title() const { return FTitle; }
  void SetTitle(const String& value) { FTitle = value; }
  TOpenOptions Options() const { return FOptions; }
  void SetOptions(TOpenOptions value) { FOptions = value; }

protected:
  bool DoExecute(bool save);

private:
  String FFileName;
  std::unique_ptr<TStringList> FFiles;
  String FFilter;
  int FFilterIndex = 1;
  String FDefaultExt;
  String FInitialDir;
  String FTitle;
  TOpenOptions FOptions{ofHideReadOnly, ofEnableSizing};
};

class TSaveDialog : public TOpenDialog {
public:
  using TOpenDialog::TOpenDialog;
  bool Execute() override;
};
