// Hints drawn from the skin's hint section: the body is the section's, the
// border's key corners are see-through in the picture and in the mask.
#include "skin/hints/HintsTestSupport.h"
#include "skin/forms/hints/AlphaHints.h"
#include "skin/forms/hints/HintWindows.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/LayeredWindows.h"
#include "skin/support/TestSkinFixture.h"
#include <gtest/gtest.h>

namespace {
constexpr uint32_t kSeeThrough = 0x00FFFFFF;
// The hint section's colour, $E0FFFF, and the middle of its border image,
// as opaque pixels.
constexpr uint32_t kSectionPixel = 0xFFFFFFE0;
constexpr uint32_t kBorderMiddlePixel = 0xFFD0E0F0;

int Alpha(uint32_t p) { return static_cast<int>(p >> 24); }
}  // namespace

TEST(SkinnedHintPicture, BodyFromTheHintSectionSeeThroughOutsideTheMask) {
  auto sm = NewTestSkinManager();
  ASSERT_EQ(LoadSkinCountingBoxes(*sm, u"TestSkin"), 0);
  ASSERT_TRUE(sm->Active());
  TsAlphaHints hints(nullptr);
  hints.SetUseSkinData(true);
  hints.SetActive(true);
  ASSERT_TRUE(hints.Skinned());
  const int section = sm->GetSkinIndex(u"HINT");
  TsGenState& normal = sm->Model.gd[static_cast<size_t>(section)].Props[0];

  struct TCase {
    const char* Name;
    int Transparency;
    bool Html;
    uint32_t Body;
  };
  const bool layered = LayeredWindowsAvailable();
  const TCase cases[] = {
      {"opaque section, plain text", 0, false, kSectionPixel},
      {"opaque section, tagged text", 0, true, kSectionPixel},
      // A clear section shows its border image stretched over the body.
      {"clear section", 100, false, layered ? kBorderMiddlePixel : kSectionPixel},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    normal.Transparency = c.Transparency;
    hints.SetHTMLMode(c.Html);
    TacPngHintWindow window(nullptr);
    window.Text = c.Html ? u"Abre os <B>movimentos</B>" : u"Abre os movimentos";
    const TRect r = window.CalcHintRect(0, window.Text, nullptr);
    ASSERT_EQ(window.SkinIndex, section);
    ASSERT_TRUE(sm->IsValidImgIndex(window.BorderIndex));
    EXPECT_EQ(window.SkinBorderWidth(0), 2);
    hints.NewBounds = TRect(100, 100, 100 + r.Width(), 100 + r.Height());
    window.CreateAlphaBmp(r.Width(), r.Height());
    ASSERT_TRUE(window.AlphaBmp && window.MaskBmp);
    const TPixelRows p(window.AlphaBmp.get()), mask(window.MaskBmp.get());
    const int w = p.Width(), h = p.Height();
    ASSERT_EQ(w, r.Width());
    ASSERT_EQ(h, r.Height());

    // The border's key corners: clear in the picture, white in the mask.
    for (const TPoint corner : {TPoint(0, 0), TPoint(w - 1, 0), TPoint(0, h - 1), TPoint(w - 1, h - 1)}) {
      EXPECT_EQ(p.At(corner.X, corner.Y), 0u) << corner.X << "," << corner.Y;
      EXPECT_EQ(mask.At(corner.X, corner.Y), kSeeThrough);
    }
    // Between the border and the text lies the body.
    // Opaque pixels come back from premultiplying a shade darker.
    for (int ch = 0; ch < 4; ++ch)
      EXPECT_NEAR(static_cast<int>(p.At(3, h / 2) >> 8 * ch & 0xFF), static_cast<int>(c.Body >> 8 * ch & 0xFF), 1);
    EXPECT_NE(mask.At(3, h / 2), kSeeThrough);
    EXPECT_EQ(Alpha(p.At(0, h / 2)), 255);
    // The text in the section's font colour (black), opaque, within the area.
    int text = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const uint32_t px = p.At(x, y);
        ASSERT_LE(px & 0xFF, static_cast<uint32_t>(Alpha(px)));
        if (px == 0xFF000000u) {
          ++text;
          EXPECT_GE(x, 5);
          EXPECT_LT(x, w - 5);
        }
      }
    EXPECT_GT(text, 20);
  }
  normal.Transparency = 0;
  hints.SetActive(false);
}
