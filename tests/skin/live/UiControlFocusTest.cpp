// Focus moves an edit between its section's normal and hot colours.
#include "skin/support/SkinModelFixture.h"
#include "skin/engine/CommonData.h"
#include "skin/engine/ControlMessages.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"
#include <gtest/gtest.h>

TEST(UiControlFocus, FocusAppliesHotAndNormalColours) {
  TsSkinManager sm(nullptr);
  FillSampleModel(sm);
  auto& gd = sm.Model.gd[static_cast<size_t>(sm.GetSkinIndex(u"EDIT"))];
  gd.States = 2;
  gd.Props[0].Color = 0x00FFFF;
  gd.Props[0].FontColor.Color = 0x000080;
  gd.Props[1].Color = 0xFFFF00;
  gd.Props[1].FontColor.Color = 0x800000;

  auto* form = new TForm(Application);
  form->SetBounds(50, 50, 300, 200);
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  edit->SetBounds(10, 10, 120, 24);
  edit->SetTabStop(true);
  auto* other = new TEdit(form);
  other->SetParent(form);
  other->SetBounds(10, 50, 120, 24);
  form->Show();
  TsCommonData data(edit, true);
  data.COC = 2;
  data.SetSkinManager(&sm);
  data.Loading = false;
  data.SetSkinSection(u"EDIT");
  ASSERT_TRUE(data.Skinned());

  TMessage focus{WM_SETFOCUS, 0, 0, 0};
  EXPECT_FALSE(HandleControlMessage(focus, &data));
  EXPECT_TRUE(data.FFocused);
  EXPECT_EQ(edit->Color(), 0xFFFF00);
  EXPECT_EQ(edit->Font()->Color(), 0x800000);
  EXPECT_FALSE(data.CtrlSkinState & ACS_FONTCHANGING);

  other->SetFocus();  // the window focus has left too: no longer hot
  TMessage blur{WM_KILLFOCUS, 0, 0, 0};
  EXPECT_FALSE(HandleControlMessage(blur, &data));
  EXPECT_FALSE(data.FFocused);
  EXPECT_EQ(edit->Color(), 0x00FFFF);
  EXPECT_EQ(edit->Font()->Color(), 0x000080);

  // The user's own colour stays.
  data.FCustomColor = true;
  edit->SetColor(0x123456);
  EXPECT_FALSE(HandleControlMessage(focus, &data));
  EXPECT_EQ(edit->Color(), 0x123456);
  EXPECT_EQ(edit->Font()->Color(), 0x800000);
  delete form;
}
