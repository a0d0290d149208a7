#include "UiTestSupport.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FormImage.h"

TEST_F(UiFixture, MessageBoxesAreAnsweredAndLoggedThroughTheSeam) {
  Application->SetTitle(u"Brenquia");
  UiTestSeam::QueueMessageBoxAnswer(IDNO);
  UiTestSeam::QueueMessageBoxAction([](const TMessageBoxRecord& box) {
    EXPECT_EQ(box.Text, u"Confirma?");
    return IDYES;
  });
  UiTestSeam::QueueMessageBoxAnswer(IDOK);
  UiTestSeam::QueueMessageBoxAnswer(IDOK);

  EXPECT_EQ(Application->MessageBox(u"Deseja configurar agora?", u"Atenção ", MB_YESNO | MB_ICONQUESTION |
                                                                               MB_DEFBUTTON2),
            IDNO);
  EXPECT_EQ(MessageDlg(u"Confirma?", mtConfirmation, mbYesNo, 0, mbNo), mrYes);
  ShowMessage(u"Dados gravados com sucesso!");
  MessageDlg(u"Erro grave", mtError, TMsgDlgButtons{mbOK}, 0);
  EXPECT_EQ(UiTestSeam::PendingMessageBoxAnswers(), 0);

  const auto& log = UiTestSeam::MessageBoxLog();
  ASSERT_EQ(log.size(), 4u);
  EXPECT_EQ(log[0].Caption, u"Atenção ");
  EXPECT_EQ(log[0].Flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));
  EXPECT_EQ(log[0].Result, IDNO);
  EXPECT_EQ(log[1].Caption, u"Confirm");
  EXPECT_EQ(log[1].Flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));
  EXPECT_EQ(log[2].Caption, u"Brenquia");
  EXPECT_EQ(log[2].Text, u"Dados gravados com sucesso!");
  EXPECT_EQ(log[2].Flags, static_cast<UINT>(MB_OK));
  EXPECT_EQ(log[3].Caption, u"Error");
  EXPECT_EQ(log[3].Flags & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
}

namespace {
// Fills in the file name of the common dialog once it is up, then presses
// its OK button.
std::string gDialogFile;

BOOL CALLBACK FindFileDialog(HWND hwnd, LPARAM result) {
  char16_t name[16] = {};
  GetClassNameW(hwnd, reinterpret_cast<LPWSTR>(name), 16);
  if (String(name) == u"#32770" && IsWindowVisible(hwnd)) {
    *reinterpret_cast<HWND*>(result) = hwnd;
    return FALSE;
  }
  return TRUE;
}

void CALLBACK AnswerFileDialog(HWND, UINT, UINT_PTR id, DWORD) {
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindFileDialog, reinterpret_cast<LPARAM>(&dialog));
  if (!dialog) return;
  KillTimer(nullptr, id);
  if (gDialogFile.empty()) {
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    return;
  }
  String path = LinuxPathToWindows(gDialogFile);
  // The file name box of the explorer-style dialog.
  SetDlgItemTextW(dialog, 0x47c, reinterpret_cast<LPCWSTR>(path.c_str()));
  SetDlgItemTextW(dialog, 0x480, reinterpret_cast<LPCWSTR>(path.c_str()));
  PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}
}  // namespace

TEST_F(UiFixture, FileDialogsAnswerFromTheSeamOrFromTheirWindow) {
  auto* form = new TForm(Application);
  auto* dialog = new TOpenDialog(form);
  dialog->SetFilter(u"Arquivo Bitmap (*.bmp)|*.bmp");
  UiTestSeam::QueueFileDialogAnswer(u"C:\\logo.bmp");
  UiTestSeam::QueueFileDialogAnswer(u"");
  EXPECT_TRUE(dialog->Execute());
  EXPECT_EQ(dialog->FileName(), u"C:\\logo.bmp");
  EXPECT_FALSE(dialog->Execute());

  // The real dialog: cancelled, then given a file name.
  form->Show();
  UiTest::Pump();
  gDialogFile.clear();
  SetTimer(nullptr, 0, 100, AnswerFileDialog);
  EXPECT_FALSE(dialog->Execute());
  auto* save = new TSaveDialog(form);
  save->SetDefaultExt(u"rpf");
  gDialogFile = "/tmp/brq-ui-dialog-test";
  SetTimer(nullptr, 0, 100, AnswerFileDialog);
  EXPECT_TRUE(save->Execute());
  EXPECT_NE(save->FileName().find(u"brq-ui-dialog-test"), String::npos);
}
