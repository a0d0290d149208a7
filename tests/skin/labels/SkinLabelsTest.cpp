#include "skin/labels/LabelTestSupport.h"
#include "skin/engine/SkinCommands.h"
#include "skin/engine/SkinLabels.h"
#include "skin/engine/SkinManager.h"
#include "skin/support/SkinModelFixture.h"
#include "platform/ui/Forms.h"
#include <gtest/gtest.h>

namespace {
class TClickRecorder : public TsHTMLLabel {
public:
  using TsHTMLLabel::TsHTMLLabel;
  std::vector<int> Opened;

protected:
  void DoClick(int LinkIndex) override { Opened.push_back(LinkIndex); }
};

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

std::vector<int> PaintedSections;
void RecordSection(TsCustomLabel*, int SkinIndex) { PaintedSections.push_back(SkinIndex); }

// Exposes the text colour the label draws with.
class TColourProbe : public TsLabel {
public:
  using TsLabel::TsLabel;
  TColor Colour() { return TextColor(); }
};
}  // namespace

TEST(SkinLabels, HtmlLinksHotPressedAndClicked) {
  TClickRecorder label(nullptr);
  label.SetBounds(0, 0, 200, 20);
  label.Links = {{TRect(0, 0, 50, 20), u"https://a.example"}, {TRect(60, 0, 110, 20), u"https://b.example"}};
  label.Perform(WM_MOUSEMOVE, 0, At(10, 5));
  EXPECT_EQ(label.HotLink, 0);
  EXPECT_EQ(label.Cursor(), crHandPoint);
  label.Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(10, 5));
  EXPECT_EQ(label.PressedLink, 0);
  label.Perform(WM_MOUSEMOVE, MK_LBUTTON, At(70, 5));
  EXPECT_EQ(label.HotLink, 1);
  label.Perform(WM_LBUTTONUP, 0, At(70, 5));
  EXPECT_EQ(label.Opened, std::vector<int>{0});  // the pressed link opens
  EXPECT_EQ(label.PressedLink, -1);
  // Released away from every link: nothing opens.
  label.Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(70, 5));
  label.Perform(WM_MOUSEMOVE, MK_LBUTTON, At(150, 5));
  EXPECT_EQ(label.HotLink, -1);
  EXPECT_EQ(label.Cursor(), crDefault);
  label.Perform(WM_LBUTTONUP, 0, At(150, 5));
  EXPECT_EQ(label.Opened.size(), 1u);
  // Leaving clears both.
  label.Perform(WM_MOUSEMOVE, 0, At(10, 5));
  label.Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(10, 5));
  label.Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(label.HotLink, -1);
  EXPECT_EQ(label.PressedLink, -1);
}

TEST(UiSkinLabels, SkinColoursSectionsAndTheDisabledMix) {
  TsSkinManager sm(nullptr);
  FillSampleModel(sm);
  const int first = 0;
  sm.Model.gd[first].Props[0].FontColor.Color = 0x0000FF;
  const int panel = AddSection(sm, u"PANEL");
  sm.Model.gd[static_cast<size_t>(panel)].Props[0].FontColor.Color = 0x00FF00;
  sm.Model.gd[static_cast<size_t>(panel)].GiveOwnFont = true;

  // The font-section question travels by message to the parent's window.
  TForm& parent = *new TForm(Application);
  parent.SetColor(clBlack);
  parent.HandleNeeded();
  TColourProbe label(nullptr);
  label.SetParent(&parent);
  label.Font()->SetColor(clWhite);
  // Without a section the palette's label colour; disabled, 0.4 of the
  // font colour over 0.6 of the parent's.
  EXPECT_EQ(label.Colour(), sm.Model.Palette[pcLabelText]);
  TsCustomLabel plain(nullptr);
  plain.SetParent(&parent);
  plain.Font()->SetColor(clWhite);
  plain.SetEnabled(false);
  plain.SetCaption(u"Desligado");
  plain.SetBounds(0, 0, 120, 30);
  const TPixels img = PaintControl(plain, 0xFF000000);
  bool grey = false;
  for (uint32_t p : img.P) grey = grey || Rgb(p) == 0x666666;
  EXPECT_TRUE(grey);

  // Section "Panel" is stored as given; its font colour is taken, and the
  // section behind the label is painted, index 0 included.
  TsCustomLabel sectioned(nullptr);
  sectioned.SetSkinSection(u"Panel");
  EXPECT_EQ(sectioned.SkinSection(), u"Panel");
  sectioned.SetCaption(u"Texto");
  sectioned.SetBounds(0, 0, 80, 20);
  const auto sectionPainter = LabelSectionPainter;
  LabelSectionPainter = RecordSection;
  PaintControl(sectioned, 0xFFFFFFFF);
  EXPECT_EQ(sectioned.Font()->Color(), 0x00FF00);
  sectioned.SetSkinSection(u"GLOBALINFO");
  PaintControl(sectioned, 0xFFFFFFFF);
  EXPECT_EQ(sectioned.Font()->Color(), 0x0000FF);
  LabelSectionPainter = sectionPainter;
  EXPECT_EQ(PaintedSections, (std::vector<int>{panel, first}));

  // A TsLabel on a panel that gives its own font takes that section's colour.
  auto standIn = [&](TMessage& m) {
    if (m.Msg == SM_SKINCMD && m.WParamHi() == SKC_GETFONTSECTION) {
      reinterpret_cast<TacFontSectionRequest*>(m.LParam)->SkinIndex = panel;
      m.Result = 1;
      return;
    }
    parent.WndProc(m);
  };
  parent.WindowProc = standIn;
  TColourProbe child(nullptr);
  child.SetParent(&parent);
  EXPECT_EQ(child.Colour(), 0x00FF00);
  child.SetUseSkinColor(false);
  child.Font()->SetColor(clRed);
  EXPECT_EQ(child.Colour(), clRed);
  parent.WindowProc = [&](TMessage& m) { parent.WndProc(m); };
}
