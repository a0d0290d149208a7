#include "UiTestSupport.h"
#include "platform/ui/Dialogs.h"

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
