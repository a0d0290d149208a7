// The answers every skinned control shares, checked code by code on a
// windowless control over a panel that has no window yet.
#include "skin/support/SkinModelFixture.h"
#include "skin/engine/CommonData.h"
#include "skin/engine/ControlMessages.h"
#include "skin/engine/SkinCommands.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include <gtest/gtest.h>
#include <functional>
#include <memory>

namespace {
struct TCmdFixture {
  TsSkinManager sm{nullptr};
  std::unique_ptr<TPanel> panel = std::make_unique<TPanel>(nullptr);
  TBevel* bevel = nullptr;
  std::unique_ptr<TsCommonData> data;
  int red = -1;

  TCmdFixture() {
    FillSampleModel(sm);
    red = AddSection(sm, u"REDHALF");
    auto& st = sm.Model.gd[static_cast<size_t>(red)].Props[0];
    st.Color = 0x0000FF;  // pure red
    st.Transparency = 50;
    panel->SetColor(0x000000);
    bevel = new TBevel(panel.get());
    bevel->SetParent(panel.get());
    bevel->SetBounds(3, 4, 100, 30);
    data = std::make_unique<TsCommonData>(bevel, true);
    data->SetSkinManager(&sm);
    data->Loading = false;
    data->SetSkinSection(u"button");
  }
  ~TCmdFixture() {
    data.reset();
    panel.reset();
  }
};

TMessage Cmd(WORD code, WORD sub = 0, LPARAM l = 0) { return TMessage{SM_SKINCMD, SkinCmdWParam(code, sub), l, 0}; }
}  // namespace

TEST(ControlSkinCmd, AnswersCodeByCode) {
  TCmdFixture f;
  TsCommonData& d = *f.data;
  ASSERT_TRUE(d.Skinned());
  TacSkinInfoRequest info;
  TRect bounds(9, 9, 9, 9);
  TsSkinManager other(nullptr);
  const char16_t editName[] = u"EDIT";

  struct Case {
    const char* What;
    TMessage Message;
    std::function<void()> Before;
    LRESULT Result;
    std::function<bool()> Check;
  };
  const Case cases[] = {
      {"skinned", Cmd(SKC_CTRLSKINNED), nullptr, 1, nullptr},
      {"not uniform", Cmd(SKC_BGNOTUNIFORM), nullptr, 1, nullptr},
      {"half visible", Cmd(SKC_ISHALFVISIBLE), [&] { d.HalfVisible = true; }, 1, nullptr},
      {"set updating", Cmd(SKC_SETUPDATING, 1), nullptr, 0, [&] { return d.FUpdating; }},
      {"clear updating", Cmd(SKC_SETUPDATING, 0), nullptr, 0, [&] { return !d.FUpdating; }},
      {"bg changed", Cmd(SKC_SETBGCHANGED), [&] { d.FBGChanged = false; }, 0, [&] { return d.FBGChanged; }},
      {"cache prepared", Cmd(SKC_PREPARECACHE), [&] { d.FBGChanged = true; }, 0, [&] { return !d.FBGChanged; }},
      {"skin data", Cmd(SKC_GETSKINDATA), nullptr, reinterpret_cast<LRESULT>(&d), nullptr},
      {"skin info", Cmd(SKC_GETSKININFO, 0, reinterpret_cast<LPARAM>(&info)), nullptr, 0,
       [&] { return info.SkinIndex == d.SkinIndex; }},
      {"print dc", Cmd(SKC_SETPRINTDC, 0, 0x1234), nullptr, 0,
       [&] { return (d.CtrlSkinState & 0x200) && d.PrintDC == reinterpret_cast<HDC>(0x1234); }},
      {"print dc off", Cmd(SKC_SETPRINTDC, 0, 0), nullptr, 0,
       [&] { return !(d.CtrlSkinState & 0x200) && !d.PrintDC; }},
      {"bounds", Cmd(SKC_GETBOUNDS, 0, reinterpret_cast<LPARAM>(&bounds)), nullptr, 0,
       [&] { return bounds == TRect(3, 4, 103, 34); }},
      {"application", Cmd(SKC_GETAPPLICATION), nullptr, reinterpret_cast<LRESULT>(TApplicationRef::Peek()), nullptr},
      {"another manager's skin removal", Cmd(SKC_REMOVESKIN, 0, reinterpret_cast<LPARAM>(&other)), nullptr, 0,
       [&] { return d.SkinIndex >= 0 && !d.FUpdating; }},
      {"section changed", Cmd(SKC_SECTIONCHANGED, 0, reinterpret_cast<LPARAM>(u"BUTTON")),
       [&] { d.FBGChanged = false; }, 0, [&] { return d.FBGChanged; }},
      {"another section changed", Cmd(SKC_SECTIONCHANGED, 0, reinterpret_cast<LPARAM>(u"BUTTONS")),
       [&] { d.FBGChanged = false; }, 0, [&] { return !d.FBGChanged; }},
      {"no section", Cmd(SKC_SETSKINSECTION, 0, 0), nullptr, 0, [&] { return d.SkinSection() == u"BUTTON"; }},
      {"section set", Cmd(SKC_SETSKINSECTION, 0, reinterpret_cast<LPARAM>(u"edit")), nullptr, 1,
       [&] { return d.SkinSection() == u"EDIT"; }},
      {"set section changed", Cmd(SKC_SECTIONCHANGED, 0, reinterpret_cast<LPARAM>(editName)),
       [&] { d.FBGChanged = false; }, 0, [&] { return d.FBGChanged; }},
      {"section colour", Cmd(SKC_GETBGCOLOR),
       [&] { f.sm.Model.gd[static_cast<size_t>(d.SkinIndex)].Props[0].Color = 0x123456; }, 0x123456, nullptr},
      {"half transparent over black", Cmd(SKC_GETBGCOLOR), [&] { d.SetSkinSection(u"REDHALF"); }, 205, nullptr},
      {"own removal", Cmd(SKC_REMOVESKIN, 0, reinterpret_cast<LPARAM>(&f.sm)), nullptr, 0,
       [&] { return d.SkinIndex == -1 && d.BorderIndex == -1 && d.FUpdating; }},
      {"unskinned colour", Cmd(SKC_GETBGCOLOR), [&] { f.bevel->SetColor(0x0A0B0C); }, 0x0A0B0C, nullptr},
  };
  for (const Case& c : cases) {
    if (c.Before) c.Before();
    TMessage m = c.Message;
    EXPECT_TRUE(HandleSkinCmd(m, &d)) << c.What;
    EXPECT_EQ(m.Result, c.Result) << c.What;
    if (c.Check) {
      EXPECT_TRUE(c.Check()) << c.What;
    }
  }

  for (WORD code : {WORD(24), WORD(71), WORD(72), WORD(200)}) {
    TMessage m = Cmd(code);
    EXPECT_FALSE(HandleSkinCmd(m, &d)) << code;
  }
  TMessage m = Cmd(SKC_CTRLSKINNED);
  EXPECT_TRUE(HandleSkinCmd(m, nullptr));
  EXPECT_EQ(m.Result, 0);
  TMessage paint{WM_PAINT, 0, 0, 0};
  EXPECT_TRUE(HandleSkinCmd(paint, &d));
  EXPECT_FALSE(HandleControlMessage(paint, nullptr));
}

TEST(ControlSkinCmd, ControlMessagesKeepHoverAndFocusState) {
  TCmdFixture f;
  TsCommonData& d = *f.data;
  d.COC = 1;
  TMessage enter{CM_MOUSEENTER, 0, 0, 0};
  EXPECT_FALSE(HandleControlMessage(enter, &d));
  EXPECT_TRUE(d.FMouseAbove) << "a windowless owner turns hot";
  d.FFocused = true;
  TMessage disable{CM_ENABLEDCHANGED, 0, 0, 0};
  EXPECT_FALSE(HandleControlMessage(disable, &d));
  EXPECT_FALSE(d.FMouseAbove);
  EXPECT_FALSE(d.FFocused);

  f.sm.Options().SetOptionFlag(1, true);  // no mouse hover
  EXPECT_FALSE(HandleControlMessage(enter, &d));
  EXPECT_FALSE(d.FMouseAbove);
  f.sm.Options().SetOptionFlag(1, false);

  d.COC = 19;  // a kind that is never hot
  EXPECT_FALSE(HandleControlMessage(enter, &d));
  EXPECT_FALSE(d.FMouseAbove);

  TMessage uiState{WM_UPDATEUISTATE, 0, 0, 0};
  EXPECT_TRUE(HandleControlMessage(uiState, &d)) << "consumed while skinned";
  TMessage skinCmd = Cmd(SKC_CTRLSKINNED);
  EXPECT_TRUE(HandleControlMessage(skinCmd, &d));
  EXPECT_EQ(skinCmd.Result, 1);

  bool hooked = false;
  auto* menu = new TPopupMenu(f.panel.get());
  f.bevel->SetPopupMenu(menu);
  HookSkinnedPopupMenu = [&](TsSkinManager* sm, TPopupMenu* popup, bool skinned) {
    hooked = sm == &f.sm && popup == menu && skinned;
  };
  TMessage context{WM_CONTEXTMENU, 0, 0, 0};
  EXPECT_FALSE(HandleControlMessage(context, &d));
  HookSkinnedPopupMenu = nullptr;
  EXPECT_TRUE(hooked);
  f.bevel->SetPopupMenu(nullptr);
}
