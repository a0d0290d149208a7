#include "skin/graphics/MsgBoxes.h"
#include "platform/ui/Forms.h"
#include "platform/ui/TestSeam.h"

const char16_t* const acMsgBoxCaptions[5] = {u"Warning", u"Error", u"Information", u"Confirm", u""};
int acMsgBoxX = -1;
int acMsgBoxY = -1;

UINT acMsgBoxStyle(TMsgDlgType DlgType, TMsgDlgButtons Buttons) {
  static const UINT icons[5] = {MB_ICONWARNING, MB_ICONERROR, MB_ICONINFORMATION, MB_ICONQUESTION, 0};
  UINT style = DlgType <= mtCustom ? icons[DlgType] : 0;
  if (Buttons.Contains(mbOK))
    style |= Buttons.Contains(mbCancel) ? MB_OKCANCEL : MB_OK;
  else if (Buttons.Contains(mbAbort) || Buttons.Contains(mbIgnore))
    style |= MB_ABORTRETRYIGNORE;
  else if (Buttons.Contains(mbYes) || Buttons.Contains(mbNo))
    style |= Buttons.Contains(mbCancel) ? MB_YESNOCANCEL : MB_YESNO;
  else if (Buttons.Contains(mbRetry))
    style |= MB_RETRYCANCEL;
  if (Buttons.Contains(mbHelp)) style |= MB_HELP;
  return style;
}

namespace {
// Holds the wanted position while the box is open and puts -1 back after,
// also when the box fails.
class TBoxPosition {
public:
  TBoxPosition(int x, int y) {
    acMsgBoxX = x;
    acMsgBoxY = y;
  }
  ~TBoxPosition() {
    acMsgBoxX = -1;
    acMsgBoxY = -1;
  }
  TBoxPosition(const TBoxPosition&) = delete;
  TBoxPosition& operator=(const TBoxPosition&) = delete;
};
}  // namespace

int acMessageBox(const String& Caption, const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                 int HelpCtx, int X, int Y, const String&) {
  TMessageBoxRecord box;
  box.Text = Msg;
  box.Caption = Caption.empty() && DlgType <= mtCustom ? String(acMsgBoxCaptions[DlgType]) : Caption;
  box.Flags = acMsgBoxStyle(DlgType, Buttons);
  TBoxPosition position(X, Y);
  int answer = 0;
  if (UiTestSeam::TakeMessageBoxAnswer(box, answer)) {
    box.Result = answer;
    UiTestSeam::LogMessageBox(box);
    return answer;
  }
  TCustomForm* owner = Screen->ActiveCustomForm();
  MSGBOXPARAMSW params{};
  params.cbSize = sizeof(params);
  params.hwndOwner = owner && owner->HandleAllocated() ? owner->Handle() : nullptr;
  params.lpszText = reinterpret_cast<LPCWSTR>(box.Text.c_str());
  params.lpszCaption = reinterpret_cast<LPCWSTR>(box.Caption.c_str());
  params.dwStyle = box.Flags;
  params.dwContextHelpId = static_cast<DWORD_PTR>(HelpCtx);
  HWND active = GetActiveWindow();
  const auto disabled = DisableTaskWindows(nullptr);
  answer = MessageBoxIndirectW(&params);
  EnableTaskWindows(disabled);
  if (active) {
    SetFocus(nullptr);
    SetFocus(active);
  }
  box.Result = answer;
  box.Shown = true;
  UiTestSeam::LogMessageBox(box);
  return answer;
}

int acMessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx) {
  return acMessageBox(String(), Msg, DlgType, Buttons, HelpCtx, -1, -1);
}

void ErrorBox(const String& Text) { acMessageDlg(Text, mtError, TMsgDlgButtons{mbOK}, 0); }
