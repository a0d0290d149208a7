// The skin command message on real windows: who a broadcast reaches and in
// which order, the senders' answers, and the control routines.
#include "skin/engine/SkinCommands.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/WndDispatch.h"
#include "support/KeyInput.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>

namespace {
// Puts a handler in front of a control's own: it answers SKC_CTRLSKINNED
// when skinned, records every other skin command it hears, and can run an
// action on the first one.
struct TListener {
  std::vector<std::string>* Log;
  std::string Name;
  LRESULT SkinnedAnswer;
  std::function<void()> OnFirst;
};

void Listen(TControl* control, TListener listener) {
  auto old = control->WindowProc;
  control->WindowProc = [old, listener](TMessage& m) mutable {
    if (m.Msg != SM_SKINCMD) return old(m);
    if (m.WParamHi() == SKC_CTRLSKINNED) {
      m.Result = listener.SkinnedAnswer;
      return;
    }
    if (m.WParamHi() == SKC_GETBGCOLOR && listener.SkinnedAnswer) {
      m.Result = 0x123456;
      return;
    }
    listener.Log->push_back(listener.Name + ":" + std::to_string(m.WParamHi()));
    if (listener.OnFirst) std::exchange(listener.OnFirst, nullptr)();
    m.Result = 0;
  };
}

template <typename T>
T* Child(TWinControl* parent, int left) {
  auto* c = new T(parent);
  c->SetParent(parent);
  c->SetBounds(left, 4, 40, 30);
  return c;
}
}  // namespace

TEST(UiSkinCommands, BroadcastsReachSkinnedControlsAndDescendIntoOthers) {
  auto* form = new TForm(Application);
  form->SetBounds(10, 10, 400, 200);
  std::vector<std::string> log;
  // Windowless children come first in the child list, then windowed ones.
  auto* g1 = Child<TLabel>(form, 0);
  auto* dying = Child<TLabel>(form, 50);
  auto* g5 = Child<TLabel>(form, 100);
  auto* skinned = Child<TPanel>(form, 150);
  auto* inner = Child<TPanel>(skinned, 2);
  auto* plain = Child<TPanel>(form, 200);
  auto* g2 = Child<TLabel>(plain, 0);
  auto* nestedSkinned = Child<TPanel>(plain, 10);
  auto* nestedPlain = Child<TPanel>(plain, 20);
  auto* g3 = Child<TLabel>(nestedPlain, 0);
  form->Show();
  KeyInput::Pump();

  Listen(g1, {&log, "g1", 0, [&] { dying->BeginDestroy(); }});
  Listen(dying, {&log, "dying", 0, nullptr});
  Listen(g5, {&log, "g5", 0, nullptr});
  Listen(skinned, {&log, "skinned", 1, nullptr});
  Listen(inner, {&log, "inner", 1, nullptr});
  Listen(plain, {&log, "plain", 0, nullptr});
  Listen(g2, {&log, "g2", 0, nullptr});
  Listen(nestedSkinned, {&log, "nestedSkinned", 1, nullptr});
  Listen(nestedPlain, {&log, "nestedPlain", 0, nullptr});
  Listen(g3, {&log, "g3", 0, nullptr});

  TMessage m;
  m.Msg = SM_SKINCMD;
  m.WParam = SkinCmdWParam(SKC_NEWSKIN);
  BroadcastToControls(form, m);
  // The child being destroyed is passed over; the ones after it still hear.
  EXPECT_EQ(log, (std::vector<std::string>{"g1:1", "g5:1", "skinned:1", "g2:1", "nestedSkinned:1", "g3:1"}));

  // The optional predicate keeps the broadcast out of an unskinned child.
  log.clear();
  BroadcastSkipChild = [&](TWinControl* child) { return child == nestedPlain; };
  m.WParam = SkinCmdWParam(SKC_REMOVESKIN);
  BroadcastToControls(plain, m);
  BroadcastSkipChild = nullptr;
  EXPECT_EQ(log, (std::vector<std::string>{"g2:2", "nestedSkinned:2"}));

  // Child windows: only the direct ones, skinned or not.
  log.clear();
  m.WParam = SkinCmdWParam(SKC_REFRESH);
  BroadcastToChildWindows(form->Handle(), m);
  std::sort(log.begin(), log.end());
  EXPECT_EQ(log, (std::vector<std::string>{"plain:3", "skinned:3"}));

  // Colours: a skinned control answers, others give their own colour.
  EXPECT_EQ(GetControlColor(skinned), 0x123456);
  plain->SetColor(0x00ABCDEF);
  EXPECT_EQ(GetControlColor(plain), 0x00ABCDEF);
  EXPECT_EQ(GetControlColor(nullptr), 0xFF00FF);
  EXPECT_EQ(GetWindowColor(nullptr), 0xFF00FF);
  EXPECT_EQ(GetWindowColor(skinned->Handle()), 0x123456);
  EXPECT_EQ(GetWindowColor(plain->Handle()), 0);

  // A new control is announced to its form.
  log.clear();
  Listen(form, {&log, "form", 0, nullptr});
  NotifyParentForm(g3);
  EXPECT_EQ(log, (std::vector<std::string>{"form:25"}));
  EXPECT_EQ(TopParentWindow(g3->Parent()->Handle()), form->Handle());
  EXPECT_TRUE(ControlIsReady(g3));
  EXPECT_FALSE(ControlIsReady(form));  // no parent
  EXPECT_EQ(GetOwnerForm(g3), form);
  delete form;
  KeyInput::Pump();
}

TEST(UiSkinCommands, SendersAnswersAndHandles) {
  auto* form = new TForm(Application);
  std::vector<std::string> log;
  auto* answers = Child<TPanel>(form, 0);
  form->Show();
  KeyInput::Pump();
  LRESULT answer = 0;
  auto old = answers->WindowProc;
  answers->WindowProc = [old, &answer](TMessage& m) {
    if (m.Msg == SM_SKINCMD)
      m.Result = answer;
    else
      old(m);
  };
  struct Row {
    LRESULT Answer;
    bool Window, Control;
  };
  const Row rows[] = {{1, true, true}, {2, false, true}, {256, false, false}, {0, false, false}, {0x101, false, true}};
  for (const auto& r : rows) {
    answer = r.Answer;
    EXPECT_EQ(QueryWindow(answers->Handle(), SKC_CTRLSKINNED), r.Window) << r.Answer;
    EXPECT_EQ(QueryControl(answers, SKC_CTRLSKINNED), r.Control) << r.Answer;
    EXPECT_EQ(SendSkinCmd(answers->Handle(), SKC_GETMANAGER), r.Answer);
  }

  // No handle is made for a command; a control without one answers 0.
  auto* loose = new TPanel(form);
  EXPECT_EQ(ControlSkinCmd(loose, SKC_CTRLSKINNED), 0);
  EXPECT_FALSE(loose->HandleAllocated());
  EXPECT_FALSE(ControlIsReady(loose));
  EXPECT_EQ(TextAlignFlags(loose, taCenter), static_cast<UINT>(DT_CENTER | DT_EXPANDTABS | DT_VCENTER));
  EXPECT_EQ(TextAlignFlags(loose, taRightJustify), static_cast<UINT>(DT_RIGHT | 0x44));
  delete form;
  KeyInput::Pump();
}

namespace {
std::vector<UINT> gSeenInFront;

// A window procedure someone puts in front of a control's own.
LRESULT CALLBACK InFront(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == SM_SKINCMD) gSeenInFront.push_back(HIWORD(wParam));
  return CallWindowProcW(StdWndProc, hwnd, msg, wParam, lParam);
}
}  // namespace

// Commands to the library's own windows skip the system, but never a window
// procedure put in front of the control's own, nor after it is taken away.
TEST(UiSkinCommands, ReplacedWindowProcedureHearsTheCommands) {
  auto* form = new TForm(Application);
  auto* panel = Child<TPanel>(form, 0);
  auto* other = Child<TPanel>(form, 50);
  form->Show();
  KeyInput::Pump();
  auto answerSkinned = [](TControl* c) {
    auto old = c->WindowProc;
    c->WindowProc = [old](TMessage& m) {
      if (m.Msg == SM_SKINCMD) m.Result = 1;
      else old(m);
    };
  };
  answerSkinned(panel);
  answerSkinned(other);
  gSeenInFront.clear();
  EXPECT_EQ(WndDispatch::SetWindowProcedure(panel->Handle(), InFront), StdWndProc);
  EXPECT_TRUE(WndDispatch::ProcedureReplaced(panel->Handle()));
  EXPECT_FALSE(WndDispatch::ProcedureReplaced(other->Handle()));
  EXPECT_EQ(ControlSkinCmd(panel, SKC_GETBGINFO), 1);
  EXPECT_EQ(ControlSkinCmd(other, SKC_GETBGINFO), 1);
  TMessage m{SM_SKINCMD, SkinCmdWParam(SKC_SETBGCHANGED), 0, 0};
  BroadcastToControls(form, m);
  // The query before the broadcast goes through it as well.
  EXPECT_EQ(gSeenInFront, (std::vector<UINT>{SKC_GETBGINFO, SKC_CTRLSKINNED, SKC_SETBGCHANGED}));

  gSeenInFront.clear();
  EXPECT_EQ(WndDispatch::SetWindowProcedure(panel->Handle(), StdWndProc), InFront);
  EXPECT_FALSE(WndDispatch::ProcedureReplaced(panel->Handle()));
  EXPECT_EQ(ControlSkinCmd(panel, SKC_GETBGINFO), 1);
  EXPECT_TRUE(gSeenInFront.empty());

  // A window that goes while replaced leaves nothing behind.
  WndDispatch::SetWindowProcedure(other->Handle(), InFront);
  const HWND gone = other->Handle();
  delete other;
  EXPECT_FALSE(WndDispatch::ProcedureReplaced(gone));
  delete form;
  KeyInput::Pump();
}
