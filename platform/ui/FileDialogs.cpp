#include "platform/classes/Strings.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/TestSeam.h"
#include <commdlg.h>
#include <vector>

TOpenDialog::TOpenDialog(TComponent* AOwner) : TComponent(AOwner), FFiles(std::make_unique<TStringList>()) {}
TOpenDialog::~TOpenDialog() = default;

TStrings* TOpenDialog::Files() const { return FFiles.get(); }

bool TOpenDialog::Execute() { return DoExecute(false); }
bool TSaveDialog::Execute() { return DoExecute(true); }

bool TOpenDialog::DoExecute(bool save) {
  String answer;
  if (UiTestSeam::TakeFileDialogAnswer(answer)) {
    FFiles->Clear();
    if (answer.empty()) return false;
    FFileName = answer;
    FFiles->Add(answer);
    return true;
  }
  static const struct {
    TOpenOption Option;
    DWORD Flag;
  } flagsOf[] = {
      {ofReadOnly, OFN_READONLY},           {ofOverwritePrompt, OFN_OVERWRITEPROMPT},
      {ofHideReadOnly, OFN_HIDEREADONLY},   {ofNoChangeDir, OFN_NOCHANGEDIR},
      {ofShowHelp, OFN_SHOWHELP},           {ofNoValidate, OFN_NOVALIDATE},
      {ofAllowMultiSelect, OFN_ALLOWMULTISELECT}, {ofPathMustExist, OFN_PATHMUSTEXIST},
      {ofFileMustExist, OFN_FILEMUSTEXIST}, {ofCreatePrompt, OFN_CREATEPROMPT},
      {ofShareAware, OFN_SHAREAWARE},       {ofNoReadOnlyReturn, OFN_NOREADONLYRETURN},
      {ofNoTestFileCreate, OFN_NOTESTFILECREATE}, {ofNoNetworkButton, OFN_NONETWORKBUTTON},
      {ofNoDereferenceLinks, OFN_NODEREFERENCELINKS}, {ofEnableSizing, OFN_ENABLESIZING},
      {ofDontAddToRecent, OFN_DONTADDTORECENT}, {ofForceShowHidden, OFN_FORCESHOWHIDDEN},
  };
  // The filter's '|' separators become the NULs the system expects.
  String filter = FFilter;
  for (char16_t& c : filter)
    if (c == u'|') c = 0;
  filter.push_back(0);
  filter.push_back(0);
  std::vector<char16_t> buffer(64 * 1024, 0);
  FFileName.copy(buffer.data(), std::min(FFileName.size(), buffer.size() - 1));

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = GetActiveWindow();
  ofn.lpstrFilter = FFilter.empty() ? nullptr : reinterpret_cast<LPCWSTR>(filter.c_str());
  ofn.nFilterIndex = static_cast<DWORD>(FFilterIndex);
  ofn.lpstrFile = reinterpret_cast<LPWSTR>(buffer.data());
  ofn.nMaxFile = static_cast<DWORD>(buffer.size());
  ofn.lpstrInitialDir = FInitialDir.empty() ? nullptr : reinterpret_cast<LPCWSTR>(FInitialDir.c_str());
  ofn.lpstrTitle = FTitle.empty() ? nullptr : reinterpret_cast<LPCWSTR>(FTitle.c_str());
  String ext = FDefaultExt;
  if (!ext.empty() && ext[0] == u'.') ext.erase(0, 1);
  ofn.lpstrDefExt = ext.empty() ? nullptr : reinterpret_cast<LPCWSTR>(ext.c_str());
  ofn.Flags = OFN_EXPLORER;
  for (const auto& f : flagsOf)
    if (FOptions.Contains(f.Option)) ofn.Flags |= f.Flag;

  BOOL ok = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
  FFiles->Clear();
  if (!ok) return false;
  FFilterIndex = static_cast<int>(ofn.nFilterIndex);
  // Several files come as the folder, then each name, NUL-separated.
  String first(buffer.data());
  size_t pos = first.size() + 1;
  if (FOptions.Contains(ofAllowMultiSelect) && pos < buffer.size() && buffer[pos]) {
    String folder = first;
    if (!folder.empty() && folder.back() != u'\\') folder += u'\\';
    while (pos < buffer.size() && buffer[pos]) {
      String name(buffer.data() + pos);
      FFiles->Add(folder + name);
      pos += name.size() + 1;
    }
    FFileName = FFiles->Strings(0);
  } else {
    FFileName = first;
    FFiles->Add(first);
  }
  return true;
}
