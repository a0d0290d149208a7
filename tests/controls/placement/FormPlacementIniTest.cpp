// Form placements stored in an INI file, through the form's own showing,
// closing and destruction.
#include "PlacementTestSupport.h"
#include "controls/RxAppUtils.h"
#include "platform/ui/StdCtrls.h"

namespace {
String Rect4(int l, int t, int r, int b) { return Format(u"%d,%d,%d,%d", {l, t, r, b}); }
}  // namespace

class UiFormPlacementIni : public PlacementFixture {};

TEST_F(UiFormPlacementIni, ClosingSavesOnceAndShowingRestoresWithTheScreenSuffixFirst) {
  TForm1* form = NewForm();
  int saves = 0;
  placement->OnSavePlacement = [&](TObject*) { ++saves; };
  Ready();
  form->Show();
  KeyInput::Pump();
  form->SetBounds(150, 160, 420, 310);
  KeyInput::Pump();

  form->Close();
  EXPECT_EQ(saves, 1);
  form->Free();
  EXPECT_EQ(saves, 1) << "destroying a form saved on close saves again";

  const String norm = Rect4(150, 160, 570, 470);
  EXPECT_EQ(Utf8(Ini(u"TForm1", u"NormPos" + ScreenSuffix())), Utf8(norm));
  EXPECT_EQ(Utf8(Ini(u"TForm1", u"NormPos")), Utf8(norm));
  EXPECT_EQ(Utf8(Ini(u"TForm1", u"FormVersion")), "0");
  EXPECT_EQ(Utf8(Ini(u"TForm1", u"Visible")), "0");
  EXPECT_EQ(Utf8(Ini(u"TForm1", u"PixelsPerInch")), Utf8(IntToStr(Screen->PixelsPerInch())));

  struct Case {
    const char* name;
    String suffixed;  // empty: the entry is removed
    String plain;
    TRect expected;
  };
  const Case cases[] = {
      {"the screen's own entry", Rect4(200, 210, 600, 510), Rect4(50, 60, 450, 360), TRect(200, 210, 600, 510)},
      {"the plain entry when the screen's is missing", String(), Rect4(50, 60, 450, 360), TRect(50, 60, 450, 360)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TIniFile(iniName).DeleteKey(u"TForm1", u"NormPos" + ScreenSuffix());
    if (!c.suffixed.empty()) SetIni(u"TForm1", u"NormPos" + ScreenSuffix(), c.suffixed);
    SetIni(u"TForm1", u"NormPos", c.plain);
    TForm1* again = NewForm();
    Ready();
    again->Show();
    KeyInput::Pump();
    EXPECT_EQ(again->BoundsRect(), c.expected);
    again->Free();
  }
}

TEST_F(UiFormPlacementIni, RefusedCloseSavesNothingAndDestroyingAShownFormSavesVisible) {
  TForm1* form = NewForm();
  int saves = 0;
  placement->OnSavePlacement = [&](TObject*) { ++saves; };
  form->OnCloseQuery = [](TObject*, bool& canClose) { canClose = false; };
  Ready();
  form->Show();
  KeyInput::Pump();
  form->Close();
  EXPECT_EQ(saves, 0);
  EXPECT_EQ(Utf8(Ini(u"TForm1", u"FormVersion")), "<none>");
  form->Free();
  EXPECT_EQ(saves, 1);
  EXPECT_EQ(Utf8(Ini(u"TForm1", u"Visible")), "1");
}

TEST_F(UiFormPlacementIni, StoredPositionIsUsedOnlyUnderItsRules) {
  const int ppi = Screen->PixelsPerInch();
  struct Case {
    const char* name;
    TFormBorderStyle border;
    int storedPpi;
    int storedVersion;
    int version;
    String normPos;
    TRect expected;  // the form's bounds after showing
  };
  const Case cases[] = {
      {"same ppi: the stored place", bsSizeable, ppi, 0, 0, Rect4(210, 220, 710, 620), TRect(210, 220, 710, 620)},
      {"another ppi: the designed place", bsSizeable, ppi + 24, 0, 0, Rect4(210, 220, 710, 620),
       TRect(100, 120, 500, 420)},
      {"fixed border: stored place, own size", bsDialog, ppi, 0, 0, Rect4(210, 220, 710, 620),
       TRect(210, 220, 610, 520)},
      {"older version: the designed place", bsSizeable, ppi, 1, 2, Rect4(210, 220, 710, 620),
       TRect(100, 120, 500, 420)},
      {"off every monitor: brought onto the screen", bsSizeable, ppi, 0, 0, Rect4(9000, 9000, 9400, 9300),
       TRect(-1, -1, -1, -1)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TIniFile(iniName).EraseSection(u"TForm1");
    SetIni(u"TForm1", u"FormVersion", IntToStr(c.storedVersion));
    SetIni(u"TForm1", u"PixelsPerInch", IntToStr(c.storedPpi));
    SetIni(u"TForm1", u"ShowCmd", u"1");
    SetIni(u"TForm1", u"NormPos", c.normPos);
    TForm1* form = NewForm();
    form->SetBorderStyle(c.border);
    placement->SetVersion(c.version);
    Ready();
    form->Show();
    KeyInput::Pump();
    if (c.expected.Left >= 0) {
      EXPECT_EQ(form->BoundsRect(), c.expected);
    } else {
      const TRect work = Screen->WorkAreaRect();
      EXPECT_GE(form->Left(), work.Left);
      EXPECT_GE(form->Top(), work.Top);
      EXPECT_LE(form->Left() + form->Width(), work.Right);
      EXPECT_LE(form->Top() + form->Height(), work.Bottom);
      EXPECT_EQ(form->Width(), 400);
    }
    form->Close();
    EXPECT_EQ(Utf8(Ini(u"TForm1", u"FormVersion")), Utf8(IntToStr(c.version)));
    form->Free();
  }
}

TEST_F(UiFormPlacementIni, EraseSectionsTakesTheSectionAndItsLinksOnly) {
  for (const char16_t* section : {u"TForm1", u"TForm1.Grid", u"TForm1\\Grid", u"TForm10", u"Other"})
    SetIni(section, u"Key", u"1");
  TForm1* form = NewForm();
  placement->EraseSections();
  TStringList left;
  TIniFile(iniName).ReadSections(left);
  EXPECT_EQ(Utf8(left.Text()), "TForm10\r\nOther\r\n");
  form->Free();
}

TEST_F(UiFormPlacementIni, PreventResizeFixesTheTrackSizeAndMinTrackWidthLimitsIt) {
  TForm1* form = NewForm();
  placement->SetPreventResize(true);
  Ready();
  form->Show();
  KeyInput::Pump();
  MINMAXINFO info{};
  info.ptMaxTrackSize = {4000, 4000};
  SendMessageW(form->Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMinTrackSize.x, 400);
  EXPECT_EQ(info.ptMaxTrackSize.y, 300);
  EXPECT_FALSE(form->BorderIcons().Contains(biMaximize));
  const LRESULT hit = SendMessageW(form->Handle(), WM_NCHITTEST, 0,
                                   MAKELPARAM(form->Left() + form->Width() - 1, form->Top() + 150));
  EXPECT_EQ(hit, HTNOWHERE);
  form->Free();

  form = NewForm();
  placement->MinMaxInfo()->SetMinTrackWidth(300);
  Ready();
  form->Show();
  KeyInput::Pump();
  form->SetBounds(form->Left(), form->Top(), 120, 300);
  KeyInput::Pump();
  EXPECT_EQ(form->Width(), 300);
  info = MINMAXINFO{};
  info.ptMaxSize = {777, 555};
  SendMessageW(form->Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMaxSize.x, 777);
  form->Free();
}

TEST_F(UiFormPlacementIni, ActiveControlIsStoredByNameAndFocusedAgain) {
  auto build = [&] {
    TForm1* form = NewForm();
    for (const char16_t* name : {u"Edit1", u"Edit2"}) {
      auto* edit = new TEdit(form);
      edit->SetName(name);
      edit->SetParent(form);
      edit->SetBounds(10, name[4] == u'1' ? 10 : 40, 120, 24);
    }
    placement->SetOptions(TPlacementOptions{fpState, fpPosition, fpActiveControl});
    Ready();
    form->Show();
    KeyInput::Pump();
    return form;
  };
  TForm1* form = build();
  static_cast<TEdit*>(form->FindComponent(u"Edit2"))->SetFocus();
  form->Close();
  form->Free();
  EXPECT_EQ(Utf8(Ini(u"TForm1", u"ActiveControl")), "Edit2");
  form = build();
  ASSERT_NE(form->ActiveControl(), nullptr);
  EXPECT_EQ(Utf8(form->ActiveControl()->Name()), "Edit2");
  form->Free();
}
