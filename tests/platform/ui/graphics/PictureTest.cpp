#include "platform/classes/Streams.h"
#include "platform/ui/graphics/Graphics.h"
#include "platform/ui/graphics/PngWriter.h"
#include <gtest/gtest.h>
#include <zlib.h>

namespace {

String TempFile(const char* name) {
  return AsciiToString(std::string(::testing::TempDir()) + std::to_string(GetCurrentProcessId()) + name);
}

std::unique_ptr<TBitmap> SolidBitmap(int w, int h, TColor color, TPixelFormat format = pf24bit) {
  auto bmp = std::make_unique<TBitmap>();
  bmp->SetPixelFormat(format);
  bmp->SetSize(w, h);
  bmp->Canvas()->Brush()->SetColor(color);
  bmp->Canvas()->FillRect(Rect(0, 0, w, h));
  return bmp;
}

// A 16 x 16 icon: red with a transparent 8 x 16 left half.
HICON MakeIcon() {
  auto color = SolidBitmap(16, 16, clRed);
  color->Canvas()->Brush()->SetColor(clBlack);
  color->Canvas()->FillRect(Rect(0, 0, 8, 16));
  auto mask = SolidBitmap(16, 16, clBlack, pf1bit);
  mask->Canvas()->Brush()->SetColor(clWhite);
  mask->Canvas()->FillRect(Rect(0, 0, 8, 16));
  color->Dormant();
  mask->Dormant();
  ICONINFO info{TRUE, 0, 0, mask->Handle(), color->Handle()};
  return CreateIconIndirect(&info);
}

// An icon file of one PNG image of 16 x 16 whose header claims W x H.
std::string PngIcon(uint32_t W, uint32_t H) {
  const std::vector<uint32_t> pixels(16 * 16, 0xFFFF0000u);
  std::string png = EncodePng(reinterpret_cast<const uint8_t*>(pixels.data()), 16, 16, true);
  for (int i = 0; i < 4; ++i) {
    png[16 + i] = static_cast<char>(W >> (24 - 8 * i));
    png[20 + i] = static_cast<char>(H >> (24 - 8 * i));
  }
  const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(png.data() + 12), 17);
  for (int i = 0; i < 4; ++i) png[29 + i] = static_cast<char>(crc >> (24 - 8 * i));
  std::string ico("\0\0\1\0\1\0\x10\x10\0\0\1\0\x20\0", 14);
  const uint32_t size = static_cast<uint32_t>(png.size()), offset = 22;
  ico.append(reinterpret_cast<const char*>(&size), 4);
  ico.append(reinterpret_cast<const char*>(&offset), 4);
  return ico + png;
}

}  // namespace

TEST(Icon, SavedIconLoadsBackAndDrawsThroughItsMask) {
  TIcon icon;
  icon.SetHandle(MakeIcon());
  EXPECT_EQ(icon.Width(), 16);
  TMemoryStream stream;
  icon.SaveToStream(stream);
  stream.SetPosition(0);
  TIcon loaded;
  loaded.LoadFromStream(stream);
  EXPECT_EQ(stream.Position(), stream.Size());
  EXPECT_EQ(loaded.Width(), 16);
  EXPECT_EQ(loaded.Height(), 16);

  auto target = SolidBitmap(16, 16, clBlue, pf32bit);
  target->Canvas()->Draw(0, 0, &loaded);
  EXPECT_EQ(target->Canvas()->Pixels(2, 5), clBlue);
  EXPECT_EQ(target->Canvas()->Pixels(12, 5), clRed);
  EXPECT_THROW(loaded.SetWidth(20), EInvalidGraphicOperation);
}

TEST(Icon, CorruptFilesRaiseAClearError) {
  TIcon icon;
  icon.SetHandle(MakeIcon());
  std::string good = icon.SaveToIcoBytes();
  std::string outside = good;
  outside[18] = '\x7f';  // image offset far past the end
  std::string cut = good.substr(0, good.size() - 10);
  cut[14] = static_cast<char>(cut.size() - 22);  // directory agrees, pixels do not fit
  TIcon png;
  png.LoadFromIcoBytes(PngIcon(16, 16));
  EXPECT_EQ(png.Width(), 16);
  for (const std::string& bad : {std::string("\0\0\1\0", 4), good.substr(0, 12), outside, cut}) {
    TIcon loaded;
    EXPECT_THROW(loaded.LoadFromIcoBytes(bad), EInvalidGraphic);
    EXPECT_TRUE(loaded.Empty());
  }
  // PNG images whose headers would have the system allocate gigabytes are
  // refused before it sees them.
  for (const auto& [w, h] : {std::pair<uint32_t, uint32_t>{65535, 65535}, {1, 100000}, {0, 16}}) {
    TIcon loaded;
    try {
      loaded.LoadFromIcoBytes(PngIcon(w, h));
      ADD_FAILURE() << w << "x" << h << " loaded";
    } catch (const EInvalidGraphic& e) {
      EXPECT_EQ(e.Message(), u"Icon image is not valid: bad image size") << w << "x" << h;
    }
  }
}

TEST(Picture, LoadChoosesTheClassByExtension) {
  auto bmp = SolidBitmap(3, 2, clTeal);
  String bmpFile = TempFile("pic.BMP");
  bmp->SaveToFile(bmpFile);
  TIcon icon;
  icon.SetHandle(MakeIcon());
  String icoFile = TempFile("pic.ico");
  icon.SaveToFile(icoFile);

  TPicture picture;
  int changes = 0;
  picture.OnChange = [&](TObject*) { ++changes; };
  picture.LoadFromFile(bmpFile);
  ASSERT_NE(dynamic_cast<TBitmap*>(picture.Graphic()), nullptr);
  EXPECT_EQ(picture.Width(), 3);
  picture.LoadFromFile(icoFile);
  EXPECT_NE(dynamic_cast<TIcon*>(picture.Graphic()), nullptr);
  EXPECT_EQ(changes, 2);

  // Drawing on the picture's bitmap reaches its owner.
  picture.Bitmap()->SetSize(4, 4);
  picture.Bitmap()->Canvas()->SetPixels(0, 0, clRed);
  EXPECT_EQ(changes, 4);

  try {
    picture.LoadFromFile(TempFile("pic.xyz"));
    FAIL() << "no error";
  } catch (const EInvalidGraphic& e) {
    EXPECT_EQ(e.Message(), u"Unknown picture file extension (.xyz)");
  }

  TPicture::RegisterFileFormat(u".DIB", u"Device-independent bitmaps", [] { return std::make_unique<TBitmap>(); });
  String dibFile = TempFile("pic.dib");
  bmp->SaveToFile(dibFile);
  picture.LoadFromFile(dibFile);
  EXPECT_EQ(picture.Bitmap()->Canvas()->Pixels(1, 1), clTeal);
  EXPECT_EQ(TPicture::FileFormatDescription(u"dib"), u"Device-independent bitmaps");
}

TEST(ImageList, AddMaskedSplitsWideBitmapsAndDrawsTransparently) {
  TImageList list(nullptr);
  auto strip = SolidBitmap(32, 16, clGreen);
  strip->Canvas()->Brush()->SetColor(clFuchsia);
  strip->Canvas()->FillRect(Rect(0, 0, 4, 16));
  strip->Canvas()->FillRect(Rect(16, 0, 20, 16));
  int changes = 0;
  list.OnChange = [&](TObject*) { ++changes; };
  EXPECT_EQ(list.AddMasked(strip.get(), clFuchsia), 0);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(strip->Canvas()->Pixels(0, 0), clFuchsia);  // the caller's bitmap is untouched

  auto target = SolidBitmap(40, 20, clYellow, pf32bit);
  list.Draw(target->Canvas(), 0, 0, 1);
  EXPECT_EQ(target->Canvas()->Pixels(1, 1), clYellow);
  EXPECT_EQ(target->Canvas()->Pixels(8, 8), clGreen);

  TBitmap single;
  single.SetPixelFormat(pf24bit);
  list.GetBitmap(0, &single);
  EXPECT_EQ(single.Width(), 16);
  EXPECT_EQ(single.Canvas()->Pixels(8, 8), clGreen);

  // Disabled: the shape in the shadow colour, the highlight beside it.
  auto dark = SolidBitmap(16, 16, clBlack);
  int index = list.Add(dark.get(), nullptr);
  auto grey = SolidBitmap(20, 20, clWhite, pf32bit);
  list.Draw(grey->Canvas(), 0, 0, index, false);
  EXPECT_EQ(grey->Canvas()->Pixels(5, 5), ColorToRGB(clBtnShadow));
  EXPECT_EQ(grey->Canvas()->Pixels(16, 16), ColorToRGB(clBtnHighlight));

  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

TEST(Metafile, RecordedDrawingReplaysScaledAndSurvivesAStream) {
  TMetafile metafile;
  metafile.SetWidth(10);
  metafile.SetHeight(10);
  {
    TMetafileCanvas canvas(&metafile, nullptr);
    canvas.Brush()->SetColor(clRed);
    canvas.FillRect(Rect(0, 0, 5, 10));
    canvas.Brush()->SetColor(clBlue);
    canvas.FillRect(Rect(5, 0, 10, 10));
  }
  ASSERT_FALSE(metafile.Empty());
  EXPECT_EQ(metafile.Width(), 10);

  TMemoryStream stream;
  metafile.SaveToStream(stream);
  stream.SetPosition(0);
  TMetafile loaded;
  loaded.LoadFromStream(stream);

  auto target = SolidBitmap(40, 20, clWhite, pf32bit);
  target->Canvas()->StretchDraw(Rect(0, 0, 40, 20), &loaded);
  EXPECT_EQ(target->Canvas()->Pixels(5, 10), clRed);
  EXPECT_EQ(target->Canvas()->Pixels(35, 10), clBlue);

  TMemoryStream junk;
  junk.WriteBuffer(std::string(200, 'x').data(), 200);
  junk.SetPosition(0);
  EXPECT_THROW(loaded.LoadFromStream(junk), EInvalidGraphic);
}
