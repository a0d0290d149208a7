#include "UiTestSupport.h"
#include "platform/classes/Threads.h"
#include "platform/ui/ExtCtrls.h"

namespace {
// A worker that hands one call to the UI thread and then ends.
class TWorker : public TThread {
public:
  explicit TWorker(std::function<void()> call) : FCall(std::move(call)) {}
  ~TWorker() override { Shutdown(); }

protected:
  void Execute() override { Synchronize(FCall); }

private:
  std::function<void()> FCall;
};
}  // namespace

TEST_F(UiFixture, RunHandlesSynchronizedCallsTimersAndHooksUntilTerminate) {
  auto* form = new TForm(Application);
  Application->CreateForm(form);  // no main form yet: this one becomes it
  ASSERT_EQ(Application->MainForm(), form);
  DWORD uiThread = GetCurrentThreadId();
  DWORD ranOn = 0;
  int ticks = 0, hooked = 0;
  int cookie = Application->HookMainWindow([&](TMessage& m) {
    if (m.Msg == WM_USER + 7) ++hooked;
    return m.Msg == WM_USER + 7;
  });
  auto* timer = new TTimer(form);
  timer->SetInterval(20);
  TWorker worker([&] {
    ranOn = GetCurrentThreadId();
    PostMessageW(Application->Handle(), WM_USER + 7, 0, 0);
  });
  timer->OnTimer = [&](TObject*) {
    if (++ticks == 1) worker.Start();
    // Ends the loop once the worker's call and the hooked message ran.
    if (hooked > 0) Application->Terminate();
  };
  Application->Run();
  EXPECT_TRUE(Application->Terminated());
  EXPECT_EQ(ranOn, uiThread);
  EXPECT_EQ(hooked, 1);
  EXPECT_GE(ticks, 2);
  Application->UnhookMainWindow(cookie);
  PostMessageW(Application->Handle(), WM_USER + 7, 0, 0);
  UiTest::Pump();
  EXPECT_EQ(hooked, 1);
  worker.WaitFor();
  TApplicationRef::Done();
  EXPECT_EQ(TApplicationRef::Peek(), nullptr);
}
