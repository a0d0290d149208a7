#include "skin/support/TestSkinFixture.h"
#include "skin/engine/FormsRegistry.h"
#include "skin/engine/Neighbours.h"
#include "skin/engine/PreviewSkin.h"
#include "skin/engine/SkinCommands.h"
#include "skin/engine/SkinHooks.h"
#include "skin/engine/SkinManager.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include <gtest/gtest.h>
#include <cstring>
#include <map>
#include <vector>

namespace {
class TStandInProvider : public TsSkinProvider {
public:
  explicit TStandInProvider(TForm* F) : FForm(F) {}
  TCustomForm* Form() const override { return FForm; }
  TsCommonData* CommonData() const override { return nullptr; }
  TacBorderForm* BorderForm() const override { return nullptr; }

private:
  TForm* FForm;
};

// What each window heard: the skin commands in order and its last
// WM_SETREDRAW (-1 for none).
struct TLog {
  std::vector<WORD> Commands;
  int Redraw = -1;
};

struct TWatchedForm {
  TForm* Form = nullptr;
  std::unique_ptr<TStandInProvider> Provider;
  TLog Log;
  std::vector<TLog*> ControlLogs;
  std::vector<std::unique_ptr<TLog>> ControlLogStore;
};

// Skinned windows answer SKC_CTRLSKINNED; a broadcast passes over the
// others and serves their children instead.
void Watch(TControl* Control, TLog* Log, TsSkinProvider* Provider, bool Skinned) {
  auto old = Control->WindowProc;
  Control->WindowProc = [old, Log, Provider, Skinned](TMessage& m) {
    if (m.Msg == WM_SETREDRAW) Log->Redraw = static_cast<int>(m.WParam);
    if (m.Msg != SM_SKINCMD) return old(m);
    Log->Commands.push_back(m.WParamHi());
    if (Provider && m.WParamHi() == SKC_GETPROVIDER) {
      m.Result = reinterpret_cast<LRESULT>(Provider);
      return;
    }
    if (Skinned && m.WParamHi() == SKC_CTRLSKINNED) {
      m.Result = 1;
      return;
    }
    old(m);
  };
}

// A form with Controls panels; Registered forms carry a stand-in provider.
std::unique_ptr<TWatchedForm> NewWatchedForm(bool Registered, int Controls) {
  auto w = std::make_unique<TWatchedForm>();
  w->Form = new TForm(Application);
  w->Form->SetBounds(20, 20, 200, 150);
  if (Registered) w->Provider = std::make_unique<TStandInProvider>(w->Form);
  Watch(w->Form, &w->Log, w->Provider.get(), w->Provider != nullptr);
  for (int i = 0; i < Controls; ++i) {
    auto* panel = new TPanel(w->Form);
    panel->SetParent(w->Form);
    panel->SetBounds(5 + i * 10, 5, 8, 8);
    w->ControlLogStore.push_back(std::make_unique<TLog>());
    Watch(panel, w->ControlLogStore.back().get(), nullptr, true);
  }
  w->Form->Handle();
  if (Registered) RegisterSkinnedForm(w->Form);
  return w;
}

void DropForm(TWatchedForm& w) {
  UnregisterSkinnedForm(w.Form);
  w.Form->Free();
}

int CountOf(const std::vector<WORD>& V, WORD Code) { return static_cast<int>(std::count(V.begin(), V.end(), Code)); }

// The order NEWSKIN, STOPANIMATION, REFRESH holds in V.
bool InOrder(const std::vector<WORD>& V) {
  const auto n = std::find(V.begin(), V.end(), SKC_NEWSKIN);
  const auto s = std::find(n, V.end(), SKC_STOPANIMATION);
  const auto r = std::find(s, V.end(), SKC_REFRESH);
  return n != V.end() && s != V.end() && r != V.end();
}
}  // namespace

TEST(UiSkinChange, EveryWindowHearsTheNewSkinOnceThenRepaints) {
  auto sm = NewTestSkinManager();
  ASSERT_TRUE(sm->GetIsDefault());
  std::vector<std::unique_ptr<TWatchedForm>> forms;
  forms.push_back(NewWatchedForm(true, 2));   // registered, shown
  forms.push_back(NewWatchedForm(false, 2));  // plain, shown
  forms.push_back(NewWatchedForm(true, 1));   // registered, minimised
  forms.push_back(NewWatchedForm(true, 1));   // registered, hidden
  forms[0]->Form->Show();
  forms[1]->Form->Show();
  forms[2]->Form->Show();
  ShowWindow(forms[2]->Form->Handle(), SW_MINIMIZE);
  ASSERT_EQ(LoadSkinCountingBoxes(*sm, u"TestSkin"), 0);
  EXPECT_TRUE(sm->GlobalHookInstalled);
  EXPECT_NE(CBTHookHandle, nullptr);
  for (size_t i = 0; i < forms.size(); ++i) {
    const TWatchedForm& w = *forms[i];
    EXPECT_EQ(CountOf(w.Log.Commands, SKC_NEWSKIN), 1) << i;
    EXPECT_TRUE(InOrder(w.Log.Commands)) << i;
    EXPECT_NE(w.Log.Redraw, 0) << "redraw left off on form " << i;
    for (const auto& log : w.ControlLogStore) {
      EXPECT_EQ(CountOf(log->Commands, SKC_NEWSKIN), 1) << i;
      EXPECT_TRUE(InOrder(log->Commands)) << i;
    }
    if (w.Provider) {
      EXPECT_EQ(w.Provider->FormState & (FS_FROZEN | FS_COVERED), 0u) << i;
    }
  }
  // Only the shown, not minimised registered form was frozen and released.
  EXPECT_EQ(forms[0]->Log.Redraw, 1);
  EXPECT_EQ(forms[2]->Log.Redraw, -1);
  EXPECT_EQ(forms[3]->Log.Redraw, -1);

  sm->SetActive(false);
  EXPECT_FALSE(sm->GlobalHookInstalled);
  EXPECT_EQ(CBTHookHandle, nullptr);
  EXPECT_EQ(DialogProviderList, nullptr);
  EXPECT_TRUE(sm->Model.gd.empty());
  EXPECT_TRUE(sm->Model.ma.empty());
  EXPECT_EQ(CountOf(forms[0]->Log.Commands, SKC_REMOVESKIN), 1);
  for (auto& w : forms) DropForm(*w);
}

TEST(UiSkinChange, FormMinimisedWhileFrozenGetsItsRedrawBack) {
  auto sm = NewTestSkinManager();
  ASSERT_EQ(LoadSkinCountingBoxes(*sm, u"TestSkin"), 0);
  auto w = NewWatchedForm(true, 0);
  w->Form->Show();
  LockForms(sm.get());
  EXPECT_EQ(w->Log.Redraw, 0);
  EXPECT_TRUE(w->Provider->FormState & FS_FROZEN);
  ShowWindow(w->Form->Handle(), SW_MINIMIZE);
  UnlockForms(sm.get(), true);
  EXPECT_EQ(w->Log.Redraw, 1);
  EXPECT_EQ(w->Provider->FormState & FS_FROZEN, 0u);
  DropForm(*w);
}

TEST(UiSkinChange, NoPhaseActsWhileTheApplicationIsMinimised) {
  auto sm = NewTestSkinManager();
  ASSERT_EQ(LoadSkinCountingBoxes(*sm, u"TestSkin"), 0);
  auto w = NewWatchedForm(true, 0);
  w->Form->Show();
  const HWND app = Application->Handle();
  ShowWindow(app, SW_MINIMIZE);
  ASSERT_TRUE(IsIconic(app));
  PrepareForms(sm.get());
  LockForms(sm.get());
  EXPECT_EQ(w->Log.Redraw, -1);
  EXPECT_EQ(w->Provider->FormState, 0u);
  EXPECT_FALSE(w->Provider->FInAnimation);
  w->Provider->FormState = FS_FROZEN;
  UnlockForms(sm.get(), false);
  EXPECT_EQ(w->Provider->FormState, FS_FROZEN);
  EXPECT_EQ(w->Log.Redraw, -1);
  ShowWindow(app, SW_RESTORE);
  ShowWindow(app, SW_HIDE);
  w->Provider->FormState = 0;
  DropForm(*w);
}

TEST(UiSkinChange, SkinnedFormHearsABroadcastOnceAndVanishingFormsAreSkipped) {
  auto sm = NewTestSkinManager();
  // Forms hear it from the last made to the first: the first to hear it
  // frees one that has not heard it yet.
  auto doomed = NewWatchedForm(false, 0);
  auto skinned = NewWatchedForm(true, 0);
  auto plain = NewWatchedForm(false, 0);
  TForm* victim = doomed->Form;
  auto old = plain->Form->WindowProc;
  plain->Form->WindowProc = [old, &victim](TMessage& m) {
    if (m.Msg == SM_SKINCMD && victim) {
      victim->Free();
      victim = nullptr;
    }
    old(m);
  };
  sm->UpdateSkinSection(u"button");
  EXPECT_EQ(CountOf(skinned->Log.Commands, SKC_SECTIONCHANGED), 1);
  EXPECT_EQ(CountOf(plain->Log.Commands, SKC_SECTIONCHANGED), 1);
  DropForm(*skinned);
  plain->Form->Free();
}

TEST(UiSkinChange, PreviewBlocksFromTheSkinEditor) {
  auto sm = NewTestSkinManager();
  ASSERT_TRUE(sm->GetIsDefault());
  auto block = std::make_unique<TacSkinData>();
  block->Magic = PreviewMagic;
  std::strcpy(block->SkinName, "TestSkin");
  const std::string dir = StringToUtf8(TestSkinFoldersDir());
  std::strcpy(block->SkinDir, dir.c_str());
  const std::string options = TestSkinOptionsText(0);
  ASSERT_LT(options.size(), sizeof(block->Data));
  std::memcpy(block->Data, options.data(), options.size());
  const HWND app = Application->Handle();
  const auto send = [&](DWORD size) {
    COPYDATASTRUCT cds{};
    cds.cbData = size;
    cds.lpData = block.get();
    return SendMessageW(app, WM_COPYDATA, PreviewCopyDataKind, reinterpret_cast<LPARAM>(&cds));
  };
  const auto pendingPreviews = [&] {
    int n = 0;
    MSG msg;
    while (PeekMessageW(&msg, app, SM_SKINCMD, SM_SKINCMD, PM_REMOVE)) n += HIWORD(msg.wParam) == SKC_PREVIEWSKIN;
    return n;
  };
  pendingPreviews();
  // A short block is never read past its end, and nothing is posted.
  send(100);
  EXPECT_EQ(pendingPreviews(), 0);
  send(sizeof(TacSkinData));
  send(sizeof(TacSkinData));
  EXPECT_EQ(pendingPreviews(), 2);
  UiTestSeam::Reset();
  for (int i = 0; i < 4; ++i) UiTestSeam::QueueMessageBoxAnswer(IDOK);
  SendMessageW(app, SM_SKINCMD, SkinCmdWParam(SKC_PREVIEWSKIN), 0);
  UiTestSeam::Reset();
  EXPECT_EQ(sm->SkinName(), u"TestSkin");
  EXPECT_TRUE(sm->Model.CommonSkinData->Active);
  // The theme notice never reaches the application window.
  EXPECT_EQ(SendMessageW(app, WM_THEMECHANGED, 0, 0), 0);
  PreviewMode = false;
}
