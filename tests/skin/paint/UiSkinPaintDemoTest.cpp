// A form of panels that paint their caches from the skin's sections, with
// a glyph from an alpha image list and a skinned label, shown with TestSkin
// and then TestSkinB. What the display shows is compared with the caches,
// and both pictures are kept as test artefacts for a person to look at.
#include "skin/SkinTestSupport.h"
#include "support/Artifacts.h"
#include "skin/support/TestSkinFixture.h"
#include "skin/engine/CommonData.h"
#include "skin/engine/CtrlSectionPaint.h"
#include "skin/engine/GlyphPaintEx.h"
#include "skin/engine/SkinLabels.h"
#include "skin/graphics/AlphaImageList.h"
#include "skin/graphics/Pixels32.h"
#include "platform/rtl/FileUtils.h"
#include "platform/ui/Forms.h"
#include "platform/ui/graphics/PngWriter.h"
#include "support/AppDriver.h"
#include <gtest/gtest.h>
#include <cstdlib>

namespace {
// A panel whose whole look is its cache: the section, then the glyph.
class TDemoPanel : public TCustomControl {
public:
  TDemoPanel(TComponent* AOwner, TsSkinManager& Manager, const String& Section, int State, TsAlphaImageList* Images)
      : TCustomControl(AOwner), Data(this, true), FSection(Section), FState(State), FImages(Images) {
    Data.SetSkinManager(&Manager);
  }
  TsCommonData Data;

protected:
  void Paint() override {
    TsSkinManager* sm = Data.SkinManager();
    Data.SkinIndex = sm->GetSkinIndex(FSection);
    Data.BorderIndex = sm->IsValidSkinIndex(Data.SkinIndex) ? sm->Model.gd[static_cast<size_t>(Data.SkinIndex)].BorderIndex : -1;
    TBitmap& cache = *Data.FCacheBmp;
    cache.SetSize(Width(), Height());
    TCacheInfo ci;
    ci.FillColor = ColorToRGB(Parent()->Color());
    PaintCtrlSection(Data, ci, true, FState, TRect(0, 0, Width(), Height()), TPoint(Left(), Top()), &cache, true);
    if (FImages) {
      TacGlyphPaintInfo glyph;
      glyph.Images = FImages;
      glyph.ImageIndex = 0;
      glyph.DstBmp = &cache;
      glyph.State = FState;
      glyph.R = TRect(8, (Height() - 16) / 2, 24, (Height() + 16) / 2);
      PaintGlyphEx(glyph);
    }
    BitBlt(Canvas()->Handle(), 0, 0, Width(), Height(), cache.Canvas()->Handle(), 0, 0, SRCCOPY);
  }

private:
  String FSection;
  int FState;
  TsAlphaImageList* FImages;
};

// A round-ish opaque dot on a clear square, as a PNG.
std::string DotPng() {
  TPixels img(16, 16, 0);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      if ((x - 8) * (x - 8) + (y - 8) * (y - 8) < 36) img.At(x, y) = 0xFF2060C0;
  return EncodePng(reinterpret_cast<const uint8_t*>(img.P.data()), img.W, img.H, true);
}

uint32_t ScreenPixel(TWinControl& c, int x, int y) {
  HDC dc = GetDC(c.Handle());
  const COLORREF p = GetPixel(dc, x, y);
  ReleaseDC(c.Handle(), dc);
  return 0xFF000000u | GetRValue(p) << 16 | GetGValue(p) << 8 | GetBValue(p);
}

void Settle() {
  for (int i = 0; i < 20; ++i) {
    Application->ProcessMessages();
    Sleep(10);
  }
}
}  // namespace

TEST(UiSkinPaintDemo, PanelsFromTestSkinThenTestSkinB) {
  auto sm = NewTestSkinManager();
  ASSERT_EQ(LoadSkinCountingBoxes(*sm, u"TestSkin"), 0);
  TsAlphaImageList images(nullptr);
  TMemoryStream dot;
  const std::string png = DotPng();
  dot.WriteBuffer(png.data(), static_cast<int64_t>(png.size()));
  ASSERT_TRUE(images.AddFromStream(dot));

  auto* form = new TForm(Application);
  form->SetCaption(u"Seções do tema");
  form->SetBounds(60, 60, 420, 260);
  struct Spec {
    const char16_t* Section;
    int State;
    TRect Bounds;
    bool Glyph;
  } specs[] = {
      {u"BUTTON", 0, TRect(10, 10, 150, 40), true},   {u"BUTTON", 1, TRect(160, 10, 300, 40), true},
      {u"BUTTON", 2, TRect(310, 10, 400, 40), true},  {u"PANEL", 0, TRect(10, 50, 200, 150), false},
      {u"PANEL_LOW", 0, TRect(210, 50, 400, 150), false}, {u"EDIT", 0, TRect(10, 160, 200, 185), false},
      {u"TOOLBAR", 0, TRect(210, 160, 400, 190), true},
  };
  std::vector<TDemoPanel*> panels;
  for (const Spec& s : specs) {
    auto* p = new TDemoPanel(form, *sm, s.Section, s.State, s.Glyph ? &images : nullptr);
    p->SetParent(form);
    p->SetBoundsRect(s.Bounds);
    panels.push_back(p);
  }
  auto* label = new TsLabel(form);
  label->SetParent(form);
  label->SetSkinManager(sm.get());
  label->SetSkinSection(u"Panel");
  label->SetAutoSize(false);
  label->SetBounds(10, 200, 190, 22);
  label->SetCaption(u"Rótulo sobre a seção");
  form->Show();
  Settle();

  auto checkScreen = [&](const char* shot) {
    for (TDemoPanel* p : panels) {
      SCOPED_TRACE(std::to_string(p->Left()) + "," + std::to_string(p->Top()));
      for (TPoint at : {TPoint(p->Width() / 2, p->Height() / 2), TPoint(1, 1), TPoint(14, p->Height() / 2)})
        EXPECT_EQ(ScreenPixel(*p, at.X, at.Y), Pixel32(*p->Data.FCacheBmp, at.X, at.Y) | 0xFF000000u);
    }
    const String path = ArtifactPath(shot);
    if (!path.empty()) {
      EXPECT_TRUE(AppDriver::SaveScreenshot(form->Handle(), path));
    }
  };
  checkScreen("skin-paint-testskin.png");
  // The glyph's dot lies over the button's face.
  EXPECT_EQ(Pixel32(*panels[0]->Data.FCacheBmp, 16, 15) & 0xFFFFFF, 0x2060C0u);
  // Below its text, the label shows the section it names, not the form.
  const uint32_t formColour = 0xFF000000u | ColorToPixel(static_cast<uint32_t>(ColorToRGB(form->Color())));
  EXPECT_NE(ScreenPixel(*form, 100, 220), formColour);
  const uint32_t before = Pixel32(*panels[0]->Data.FCacheBmp, 70, 15);

  ASSERT_EQ(LoadSkinCountingBoxes(*sm, u"TestSkinB"), 0);
  for (TDemoPanel* p : panels) p->Invalidate();
  label->Invalidate();
  Settle();
  checkScreen("skin-paint-testskinb.png");
  EXPECT_NE(Pixel32(*panels[0]->Data.FCacheBmp, 70, 15), before);
  EXPECT_NE(ScreenPixel(*form, 100, 220), formColour);
  delete form;
}
