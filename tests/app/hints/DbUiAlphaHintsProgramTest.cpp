// The running program: resting the mouse on a main-window button brings
// the alpha-blended hint, as a person at the counter sees it.
#include "skin/hints/HintsTestSupport.h"
#include "support/Artifacts.h"
#include "support/AppDriver.h"
#include "support/TestDatabase.h"
#include <gtest/gtest.h>
#include <cstdlib>

namespace {
constexpr DWORD Wait = 20000;

// A visible top-level window of the program that is layered and lets the
// mouse through: the hint's picture.
HWND HintPicture(const AppDriver& app) {
  for (HWND w : app.TopWindows()) {
    const LONG_PTR ex = GetWindowLongPtrW(w, GWL_EXSTYLE);
    if ((ex & WS_EX_LAYERED) && (ex & WS_EX_TRANSPARENT)) return w;
  }
  return nullptr;
}
}  // namespace

TEST(DbUiAlphaHintsProgram, RestingOnAMainWindowButtonShowsTheAlphaHint) {
  ASSERT_FALSE(AppDriver::BuiltExecutable().empty()) << "Brenquia.exe is not built beside the tests";
  TestDatabase::Reset();
  // With no users the first login enters as a manager.
  TestDatabase::Exec(u"DELETE FROM usuario");
  AppDriver app;
  app.WriteIniForTestDatabase(TestDatabase::AgentA);
  ASSERT_TRUE(app.Start());
  HWND login = app.WaitForWindow(u"Senha", Wait);
  ASSERT_NE(login, nullptr);
  HWND main = app.FindWindowByCaption(u"Brenquia - Versão: ", true);
  ASSERT_NE(main, nullptr);
  std::vector<HWND> edits;
  for (HWND child : AppDriver::Children(login)) {
    String cls = AppDriver::ClassName(child);
    for (char16_t& c : cls) {
      if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
    }
    if (cls.find(u"EDIT") != String::npos) edits.push_back(child);
  }
  ASSERT_FALSE(edits.empty());
  app.TypeText(edits[0], u"CAIXA");
  AppDriver::Click(AppDriver::ChildByText(login, u"&Ok"));
  ASSERT_TRUE(app.WaitUntilEnabled(main, Wait));
  ASSERT_TRUE(app.WaitForWindowGone(login, Wait));
  app.Settle();

  // The first button, "F11 - Movimentos", lies at the top of the right panel.
  POINT origin{0, 0};
  ClientToScreen(main, &origin);
  POINT at{origin.x + 60 + 100, origin.y + 28};
  HWND panel = WindowFromPoint(at);
  ASSERT_NE(panel, nullptr);
  POINT client = at;
  ScreenToClient(panel, &client);
  HWND picture = nullptr;
  // The hint waits for the mouse to rest; a few moves make sure one lands.
  for (int attempt = 0; attempt < 3 && !picture; ++attempt) {
    SetCursorPos(at.x + attempt, at.y);
    PostMessageW(panel, WM_MOUSEMOVE, 0, MAKELPARAM(client.x + attempt, client.y));
    WaitUntil([&] { return (picture = HintPicture(app)) != nullptr; }, 4000);
  }
  ASSERT_NE(picture, nullptr) << "no alpha hint appeared";
  // Fully faded in after 30 ticks of 10 ms.
  Sleep(600);
  RECT r = AppDriver::ScreenRect(picture);
  EXPECT_GT(r.right - r.left, 40);
  EXPECT_GT(r.bottom - r.top, 30);
  EXPECT_NEAR(r.left, at.x - 3, 40);
  EXPECT_GE(r.top, at.y);
  EXPECT_EQ(GetWindowLongPtrW(picture, GWL_STYLE) & WS_CAPTION, 0);
  const String shot = ArtifactPath("alpha_hint_program.png");
  if (!shot.empty()) {
    EXPECT_TRUE(AppDriver::SaveScreenshot(main, shot));
  }

  HWND focus = app.FocusedControl();
  app.PressKey(focus ? focus : main, VK_F12);
  EXPECT_TRUE(app.WaitForExit(Wait));
}
