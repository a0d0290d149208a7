#include "platform/ui/Dialogs.h"
#include "platform/ui/Forms.h"
#include "platform/ui/TestSeam.h"

bool UseLatestCommonDialogs = true;

int ShowMessageBox(HWND owner, const String& text, const String& caption, UINT flags) {
  TMessageBoxRecord box;
  box.Text = text;
  box.Caption = caption;
  box.Flags = flags;
  int answer = 0;
  if (UiTestSeam::TakeMessageBoxAnswer(box, answer)) {
    box.Result = answer;
    UiTestSeam::LogMessageBox(box);
    return answer;
  }
  answer = MessageBoxW(owner, reinterpret_cast<LPCWSTR>(text.c_str()), reinterpret_cast<LPCWSTR>(caption.c_str()),
                       flags);
  box.Result = answer;
  box.Shown = true;
  UiTestSeam::LogMessageBox(box);
  return answer;
}

namespace {
UINT ButtonFlags(TMsgDlgButtons b) {
  if (b.Contains(mbYes) && b.Contains(mbNo)) return b.Contains(mbCancel) ? MB_YESNOCANCEL : MB_YESNO;
  if (b.Contains(mbAbort) || b.Contains(mbIgnore)) return MB_ABORTRETRYIGNORE;
  if (b.Contains(mbRetry)) return MB_RETRYCANCEL;
  if (b.Contains(mbCancel)) return MB_OKCANCEL;
  return MB_OK;
}

// The buttons of a system box in the order they are shown.
std::vector<TMsgDlgBtn> ButtonOrder(UINT buttons) {
  switch (buttons) {
    case MB_YESNOCANCEL: return {mbYes, mbNo, mbCancel};
    case MB_YESNO: return {mbYes, mbNo};
    case MB_ABORTRETRYIGNORE: return {mbAbort, mbRetry, mbIgnore};
    case MB_RETRYCANCEL: return {mbRetry, mbCancel};
    case MB_OKCANCEL: return {mbOK, mbCancel};
    default: return {mbOK};
  }
}

int Show(const String& msg, TMsgDlgType type, TMsgDlgButtons buttons, int defaultIndex) {
  static const char16_t* const captions[] = {u"Warning", u"Error", u"Information", u"Confirm"};
  static const UINT icons[] = {MB_ICONWARNING, MB_ICONERROR, MB_ICONINFORMATION, MB_ICONQUESTION, 0};
  String caption = type == mtCustom ? Application->Title() : String(captions[type]);
  UINT flags = ButtonFlags(buttons) | icons[type];
  if (defaultIndex == 1) flags |= MB_DEFBUTTON2;
  if (defaultIndex == 2) flags |= MB_DEFBUTTON3;
  return ShowMessageBox(GetActiveWindow(), msg, caption, flags);
}
}  // namespace

int MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int) {
  return Show(Msg, DlgType, Buttons, 0);
}

int MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int, TMsgDlgBtn DefaultButton) {
  std::vector<TMsgDlgBtn> order = ButtonOrder(ButtonFlags(Buttons));
  int index = 0;
  for (size_t i = 0; i < order.size(); ++i)
    if (order[i] == DefaultButton) index = static_cast<int>(i);
  return Show(Msg, DlgType, Buttons, index);
}

void ShowMessage(const String& Msg) { ShowMessageBox(GetActiveWindow(), Msg, Application->Title(), MB_OK); }
