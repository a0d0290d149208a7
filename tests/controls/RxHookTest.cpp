// Window-procedure hooks on a real window: the order of the chains, what
// Handled stops, and the hook's life across window re-creation.
#include "controls/RxHook.h"
#include "platform/ui/Forms.h"
#include "support/KeyInput.h"
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace {
constexpr UINT WM_PROBE = WM_USER + 77;

// A form that logs the messages its own window procedure sees, and two
// hooks on it that log theirs.
struct HookBench {
  TForm* form = new TForm(Application);
  TRxWindowHook* first = new TRxWindowHook(form);
  TRxWindowHook* second = new TRxWindowHook(form);
  std::vector<std::string> log;
  UINT watched = WM_PROBE;

  HookBench() {
    form->WindowProc = [this](TMessage& m) {
      if (m.Msg == watched) log.push_back("C");
      form->WndProc(m);
    };
    Attach(first, "1");
    Attach(second, "2");
    form->HandleNeeded();
    first->SetWinControl(form);
    second->SetWinControl(form);
  }
  ~HookBench() { delete form; }

  void Attach(TRxWindowHook* hook, const std::string& tag) {
    hook->BeforeMessage = [this, tag](TObject*, TMessage& m, bool&) {
      if (m.Msg == watched) log.push_back("B" + tag);
    };
    hook->AfterMessage = [this, tag](TObject*, TMessage& m, bool&) {
      if (m.Msg == watched) log.push_back("A" + tag);
    };
  }
  void HandleIn(TRxWindowHook* hook, const std::string& tag) {
    hook->BeforeMessage = [this, tag](TObject*, TMessage& m, bool& handled) {
      if (m.Msg != watched) return;
      log.push_back("B" + tag);
      handled = true;
    };
  }
};

std::string Joined(const std::vector<std::string>& log) {
  std::string s;
  for (const auto& e : log) s += (s.empty() ? "" : " ") + e;
  return s;
}
}  // namespace

TEST(RxHook, HookWindowIsAllOnesBeforeAnyHook) {
  EXPECT_EQ(TRxWindowHook::HookWindow(), reinterpret_cast<HWND>(static_cast<intptr_t>(-1)));
  HookBench bench;
  EXPECT_NE(TRxWindowHook::HookWindow(), reinterpret_cast<HWND>(static_cast<intptr_t>(-1)));
  EXPECT_TRUE(IsWindow(TRxWindowHook::HookWindow()));
}

TEST(RxHook, ChainsRunLastAttachedFirstAndHandledStopsThem) {
  struct Case {
    const char* name;
    int handledBy;  // 0 none, 1 the first attached, 2 the second
    bool destroy;   // the message is WM_DESTROY of the window
    const char* expected;
  };
  const Case cases[] = {
      {"nobody handles", 0, false, "B2 B1 C A2 A1"},
      {"the last attached handles", 2, false, "B2"},
      {"the first attached handles", 1, false, "B2 B1"},
      {"WM_DESTROY reaches the control anyway", 2, true, "B2 C A2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HookBench bench;
    if (c.handledBy == 1) bench.HandleIn(bench.first, "1");
    if (c.handledBy == 2) bench.HandleIn(bench.second, "2");
    if (c.destroy) {
      bench.watched = WM_DESTROY;
      bench.form->DestroyHandle();
    } else {
      SendMessageW(bench.form->Handle(), WM_PROBE, 0, 0);
    }
    EXPECT_EQ(Joined(bench.log), c.expected);
  }
}

TEST(RxHook, HandlerExceptionsGoToTheApplicationAndTheMessageGoesOn) {
  HookBench bench;
  std::vector<std::string> reported;
  Application->OnException = [&](TObject*, const Exception& e) { reported.push_back(StringToUtf8(e.Message())); };
  bench.second->BeforeMessage = [&](TObject*, TMessage& m, bool&) {
    if (m.Msg != WM_PROBE) return;
    bench.log.push_back("B2");
    throw Exception(u"hook failed");
  };
  SendMessageW(bench.form->Handle(), WM_PROBE, 0, 0);
  Application->OnException = nullptr;
  EXPECT_EQ(Joined(bench.log), "B2 B1 C A2 A1");
  EXPECT_EQ(reported, std::vector<std::string>{"hook failed"});
}

TEST(RxHook, RecreatedWindowIsHookedAgainAfterOneLoopPass) {
  HookBench bench;
  const HWND oldWindow = bench.form->Handle();
  bench.form->RecreateWnd();
  bench.form->HandleNeeded();
  ASSERT_NE(bench.form->Handle(), oldWindow);
  KeyInput::Pump();
  SendMessageW(bench.form->Handle(), WM_PROBE, 0, 0);
  EXPECT_EQ(Joined(bench.log), "B2 B1 C A2 A1");

  // A window destroyed for good is not brought back by the hook.
  bench.form->DestroyHandle();
  KeyInput::Pump();
  EXPECT_FALSE(bench.form->HandleAllocated());
}

TEST(RxHook, DetachingRestoresTheProcedureAndFreesTheControlHookAfterOneLoopPass) {
  TForm* form = new TForm(Application);
  const HWND window = form->Handle();
  const LONG_PTR original = GetWindowLongPtrW(window, GWLP_WNDPROC);
  auto* hook = new TRxWindowHook(form);
  hook->SetWinControl(form);
  EXPECT_NE(GetWindowLongPtrW(window, GWLP_WNDPROC), original);
  EXPECT_EQ(HookListInstance()->Count(), 1);

  hook->SetWinControl(nullptr);
  EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), original);
  EXPECT_EQ(HookListInstance()->Count(), 1);
  KeyInput::Pump();
  EXPECT_EQ(HookListInstance()->Count(), 0);

  // Active survives a change of control; a stale posted message for a
  // freed control hook touches nothing.
  EXPECT_TRUE(hook->Active());
  hook->SetWinControl(form);
  EXPECT_NE(GetWindowLongPtrW(window, GWLP_WNDPROC), original);
  PostMessageW(HookListInstance()->Handle(), CM_DESTROYHOOK, 0, 12345);
  KeyInput::Pump();
  EXPECT_EQ(HookListInstance()->Count(), 1);
  delete form;
  KeyInput::Pump();
  EXPECT_EQ(HookListInstance()->Count(), 0);
}
