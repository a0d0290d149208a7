// Glyphs of buttons in their states: which frame of a glyph bitmap or of an
// image-list image is drawn, and the disabled and transparent looks.
#include "skin/SkinTestSupport.h"
#include "skin/engine/GlyphPaintEx.h"
#include "skin/engine/SkinManager.h"
#include "skin/graphics/AlphaImageList.h"
#include "skin/graphics/Pixels32.h"
#include "platform/ui/graphics/PngWriter.h"
#include <gtest/gtest.h>

namespace {
constexpr uint32_t White = 0xFFFFFFFF;
// Opaque frame colours, one per frame, none grey.
constexpr uint32_t FrameColour[4] = {0xFFC00000, 0xFF00C000, 0xFF0000C0, 0xFFC0C000};

TPixels Frames(int count, int fw, int h) {
  TPixels img(count * fw, h);
  for (int f = 0; f < count; ++f)
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < fw; ++x) img.At(f * fw + x, y) = FrameColour[f];
  return img;
}

// The frame whose colour lies at (x, y) of Bmp; -1 for none.
int FrameAt(TBitmap& Bmp, int x, int y) {
  const uint32_t p = Pixel32(Bmp, x, y) | 0xFF000000u;
  for (int f = 0; f < 4; ++f)
    if (p == FrameColour[f]) return f;
  return -1;
}

// Sets the default manager's frame order for a scope; the manager is
// made when the process has none.
class TStdOrder {
public:
  explicit TStdOrder(bool On) {
    if (!DefaultManager) FOwn = std::make_unique<TsSkinManager>(nullptr);
    FWas = DefaultManager->Options().StdGlyphsOrder();
    DefaultManager->Options().SetOptionFlag(3, On);
  }
  ~TStdOrder() { DefaultManager->Options().SetOptionFlag(3, FWas); }

private:
  std::unique_ptr<TsSkinManager> FOwn;
  bool FWas = false;
};

std::unique_ptr<TsAlphaImageList> ListOfFrames(int frames) {
  auto list = std::make_unique<TsAlphaImageList>(nullptr);
  list->SetWidth(16 * frames);
  const TPixels img = Frames(frames, 16, 16);
  const std::string png = EncodePng(reinterpret_cast<const uint8_t*>(img.P.data()), img.W, img.H, true);
  TMemoryStream s;
  s.WriteBuffer(png.data(), static_cast<int64_t>(png.size()));
  list->AddFromStream(s);
  return list;
}
}  // namespace

TEST(SkinGlyphPaint, FrameChoiceOfGlyphBitmaps) {
  struct Case {
    const char* Name;
    int NumGlyphs, State;
    bool Enabled, StdOrder;
    int Frame;
  } cases[] = {
      {"four frames, pressed", 4, 2, true, false, 2},
      {"two frames, pressed", 2, 2, true, false, 1},
      {"hot", 4, 1, true, false, 1},
      {"a negative state is normal", 4, -3, true, false, 0},
      {"no frames counts as one", 0, 2, true, false, 0},
      {"standard order: disabled normal", 4, 0, false, true, 1},
      {"standard order: hot is normal", 4, 1, true, true, 0},
      {"standard order: two frames pressed", 2, 2, true, true, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TStdOrder order(c.StdOrder);
    const int frames = std::max(c.NumGlyphs, 1);
    auto glyph = ToBitmap(Frames(frames, 16, 16));
    auto dst = ToBitmap(TPixels(20, 20, White));
    TacGlyphPaintInfo info;
    info.Glyph = glyph.get();
    info.DstBmp = dst.get();
    info.R = TRect(2, 2, 18, 18);
    info.NumGlyphs = c.NumGlyphs;
    info.State = c.State;
    info.Enabled = c.Enabled;
    PaintGlyphEx(info);
    EXPECT_EQ(FrameAt(*dst, 9, 9), c.Frame);
    EXPECT_EQ(Pixel32(*dst, 0, 0), White);
  }
}

TEST(SkinGlyphPaint, ImageListFramesAndLooks) {
  TStdOrder order(false);
  auto list = ListOfFrames(3);
  ASSERT_EQ(ListImageCount(list.get()), 1);
  EXPECT_EQ(ListImageCount(nullptr), 0);
  struct Case {
    const char* Name;
    int State, NumGlyphs;
    int Frame;
  } frames[] = {
      {"state 5 of three frames is frame 2", 5, 3, 2},
      {"state 1", 1, 3, 1},
      {"a negative state is frame 0", -2, 3, 0},
  };
  for (const Case& c : frames) {
    SCOPED_TRACE(c.Name);
    auto dst = ToBitmap(TPixels(20, 20, White));
    TSize size;
    CopyListImage(list.get(), *dst, 2, 2, 0, 0, ColorNone, c.State, c.NumGlyphs, false, size);
    EXPECT_EQ(size, TSize(16, 16));
    EXPECT_EQ(FrameAt(*dst, 9, 9), c.Frame);
  }
  // No frames counts as one: the whole image, its first pixels frame 0.
  auto whole = ToBitmap(TPixels(60, 20, White));
  TSize size;
  CopyListImage(list.get(), *whole, 0, 0, 0, 0, ColorNone, 0, 0, false, size);
  EXPECT_EQ(size.cx, 48);
  EXPECT_EQ(FrameAt(*whole, 40, 5), 2);

  // Transparency over white: disabled and half transparent is 50 even with
  // Blend 20; enabled in the normal state it is the Blend.
  struct Look {
    const char* Name;
    bool Enabled;
    int Blend;
    int Transparency;
  } looks[] = {{"disabled, blend 20", false, 20, 50}, {"normal, blend 70", true, 70, 70}};
  for (const Look& l : looks) {
    SCOPED_TRACE(l.Name);
    auto dst = ToBitmap(TPixels(20, 20, White));
    TacGlyphPaintInfo info;
    info.Images = list.get();
    info.ImageIndex = 0;
    info.NumGlyphs = 3;
    info.DstBmp = dst.get();
    info.R = TRect(2, 2, 18, 18);
    info.Enabled = l.Enabled;
    info.Blend = l.Blend;
    info.DisabledKind = dkBlended;
    PaintGlyphEx(info);
    // Frame 0 is 0xC00000 red: its red channel over white's 255.
    const int red = Ch(Pixel32(*dst, 9, 9), 2);
    const int want = (255 * l.Transparency + 0xC0 * (100 - l.Transparency)) / 100;
    EXPECT_NEAR(red, want, 3);
  }
}

TEST(SkinGlyphPaint, EmptyAlphaAndNothingToDraw) {
  TStdOrder order(false);
  // A 32-bit glyph without alpha, drawn disabled, becomes a key-colour glyph.
  TPixels flat = Frames(1, 16, 16);
  for (uint32_t& p : flat.P) p &= 0x00FFFFFF;
  auto glyph = ToBitmap(flat);
  auto dst = ToBitmap(TPixels(20, 20, White));
  TacGlyphPaintInfo info;
  info.Glyph = glyph.get();
  info.DstBmp = dst.get();
  info.R = TRect(0, 0, 16, 16);
  info.Enabled = false;
  PaintGlyphEx(info);
  EXPECT_EQ(glyph->PixelFormat(), pf24bit);

  // Neither glyph nor a usable image: the target stays as it was.
  auto list = ListOfFrames(1);
  auto untouched = ToBitmap(TPixels(20, 20, White));
  TacGlyphPaintInfo none;
  none.DstBmp = untouched.get();
  none.R = TRect(0, 0, 16, 16);
  none.Images = list.get();
  none.ImageIndex = 4;
  PaintGlyphEx(none);
  EXPECT_EQ(FromBitmap(*untouched).P, TPixels(20, 20, White).P);
}
