// The alpha image list: items from PNG, icon and bitmap sources, renderings
// at the list's size and others with their per-item cache, and the lists
// that keep no source files.
#include "skin/SkinTestSupport.h"
#include "skin/graphics/AlphaImageList.h"
#include "skin/graphics/Pixels32.h"
#include "platform/classes/Streams.h"
#include "platform/rtl/FileUtils.h"
#include "platform/ui/TestSeam.h"
#include "platform/ui/graphics/PngWriter.h"
#include <gtest/gtest.h>
#include <cstdlib>
#include <cstring>
#include <fstream>

namespace {
constexpr uint32_t OpaqueRed = 0xFFFF0000, ClearPixel = 0x00000000;

// Left half opaque red, right half fully transparent.
TPixels HalfRed(int size) {
  TPixels img(size, size, ClearPixel);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size / 2; ++x) img.At(x, y) = OpaqueRed;
  return img;
}

std::string PngOf(const TPixels& img) {
  return EncodePng(reinterpret_cast<const uint8_t*>(img.P.data()), img.W, img.H, true);
}

void AddPng(TsAlphaImageList& list, const TPixels& img) {
  TMemoryStream s;
  const std::string png = PngOf(img);
  s.WriteBuffer(png.data(), static_cast<int64_t>(png.size()));
  ASSERT_TRUE(list.AddFromStream(s));
}

TPixels Rendered(TsAlphaImageList& list, int index, int size) {
  TBitmap bmp;
  bmp.SetPixelFormat(pf32bit);
  bmp.SetSize(size, size);
  EXPECT_TRUE(list.GetBitmap32(index, &bmp));
  return bmp.Width() == size ? FromBitmap(bmp) : TPixels();
}

// A file of this process's temporary folder, removed by the fixture.
class ImageFiles : public ::testing::Test {
protected:
  String Write(const std::string& name, const std::string& bytes) {
    const std::string path = Dir() + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    Written.push_back(path);
    return u"Z:" + AsciiToString(path);
  }
  void TearDown() override {
    for (const std::string& p : Written) std::remove(p.c_str());
  }
  static std::string Dir() {
    const char* tmp = std::getenv("TMPDIR");
    return tmp && *tmp ? tmp : "/tmp";
  }
  std::vector<std::string> Written;
};
}  // namespace

TEST(SkinAlphaImageList, PngAtSixteenAndThirtyTwoWithCacheHits) {
  TsAlphaImageList list(nullptr);
  AddPng(list, HalfRed(16));
  ASSERT_EQ(list.Count(), 1);
  TsImgListItem& item = *list.Items().Items(0);
  EXPECT_EQ(item.ImageFormat, ifPNG);
  EXPECT_EQ(item.OrigWidth(), 16);

  // At the source size: the PNG's own pixels, and a cached copy.
  const TPixels at16 = Rendered(list, 0, 16);
  EXPECT_EQ(at16.P, HalfRed(16).P);
  ASSERT_TRUE(item.CacheBmp);
  // A marked cache shows that the next call is served from it.
  SetPixel32(*item.CacheBmp, 0, 0, 0xFF00FF00);
  EXPECT_EQ(Rendered(list, 0, 16).At(0, 0), 0xFF00FF00u);

  // A new size rebuilds the system list from the PNG.
  list.SetWidth(32);
  list.SetHeight(32);
  ASSERT_EQ(list.Count(), 1);
  const TPixels at32 = Rendered(list, 0, 32);
  EXPECT_EQ(at32.At(4, 16), OpaqueRed);
  EXPECT_EQ(at32.At(28, 16) >> 24, 0u);
  ASSERT_TRUE(item.CacheBmp);
  EXPECT_EQ(item.CacheBmp->Width(), 32);
  SetPixel32(*item.CacheBmp, 0, 0, 0xFF0000FF);
  EXPECT_EQ(Rendered(list, 0, 32).At(0, 0), 0xFF0000FFu);

  // Another size is rendered anew and drops the cache of the list's size.
  auto created = list.CreateBitmap32(0, 16, 16);
  ASSERT_TRUE(created);
  EXPECT_EQ(FromBitmap(*created).P, HalfRed(16).P);
  EXPECT_EQ(item.CacheBmp->Width(), 16);

  // Without the cache nothing is kept.
  list.SetUseCache(false);
  EXPECT_FALSE(item.CacheBmp);
  Rendered(list, 0, 32);
  EXPECT_FALSE(item.CacheBmp);

  TBitmap none;
  none.SetSize(16, 16);
  EXPECT_FALSE(list.GetBitmap32(1, &none));
  EXPECT_FALSE(list.GetBitmap32(-1, &none));
  EXPECT_FALSE(list.CreateBitmap32(3, 16, 16));
}

TEST(SkinAlphaImageList, WithoutSourceFilesTheSystemListServes) {
  TsAlphaImageList list(nullptr);
  list.DoubleData = false;
  TsImgListItem* item = list.Items().Add();
  const std::string png = PngOf(HalfRed(16));
  TMemoryStream s;
  s.WriteBuffer(png.data(), static_cast<int64_t>(png.size()));
  item->ReadImgData(s);
  item->ImageFormat = ifPNG;
  list.GenerateStdList();
  EXPECT_EQ(list.Items().Count(), 0);
  ASSERT_EQ(list.Count(), 1);
  const TPixels icon = Rendered(list, 0, 16);
  ASSERT_EQ(icon.W, 16);
  EXPECT_EQ(icon.At(2, 8), OpaqueRed);
  EXPECT_EQ(icon.At(12, 8) >> 24, 0u);

  // Images added past the items get an opaque alpha; the key stays clear.
  TPixels plain(16, 16, 0x00204080);
  for (int x = 0; x < 16; ++x) plain.At(x, 0) = 0x00FF00FF;
  auto bmp = ToBitmap(plain);
  bmp->Dormant();
  ImageList_Add(list.Handle(), bmp->Handle(), nullptr);
  list.SetBlendColor(clRed);  // any change runs the alpha pass
  const TPixels added = Rendered(list, list.Count() - 1, 16);
  ASSERT_EQ(added.W, 16);
  EXPECT_EQ(added.At(5, 5), 0xFF204080u);
  EXPECT_EQ(added.At(5, 0) >> 24, 0u);
}

TEST(SkinAlphaImageList, AddedBitmapsKeepTheirTransparentColourClear) {
  TsAlphaImageList list(nullptr);
  TBitmap bmp;
  bmp.SetPixelFormat(pf24bit);
  bmp.SetSize(16, 16);
  bmp.Canvas()->Brush()->SetColor(clBlue);
  bmp.Canvas()->FillRect(TRect(0, 0, 16, 16));
  bmp.Canvas()->Brush()->SetColor(clLime);
  bmp.Canvas()->FillRect(TRect(0, 0, 8, 16));
  bmp.SetTransparentColor(clLime);
  bmp.SetTransparent(true);
  EXPECT_EQ(list.Add(&bmp, nullptr), 0);
  TsImgListItem& item = *list.Items().Items(0);
  EXPECT_EQ(item.ImageFormat, ifBMP32);
  TBitmap stored;
  item.ImgData->SetPosition(0);
  stored.LoadFromStream(*item.ImgData);
  ASSERT_EQ(stored.PixelFormat(), pf32bit);
  EXPECT_EQ(Pixel32(stored, 2, 2), 0x0000FF00u);
  EXPECT_EQ(Pixel32(stored, 12, 2), 0xFF0000FFu);
}

TEST(SkinAlphaImageList, CopiesAndAssignKeepTheSourceBytes) {
  TsAlphaImageList a(nullptr), b(nullptr);
  AddPng(a, HalfRed(16));
  a.Items().Items(0)->Text = u"meia";
  b.Assign(a);
  ASSERT_EQ(b.Items().Count(), 1);
  ASSERT_EQ(b.Count(), 1);
  const TsImgListItem &from = *a.Items().Items(0), &to = *b.Items().Items(0);
  EXPECT_EQ(to.Text, u"meia");
  EXPECT_EQ(to.ImageFormat, ifPNG);
  TMemoryStream x, y;
  from.WriteImgData(x);
  to.WriteImgData(y);
  ASSERT_EQ(x.Size(), y.Size());
  EXPECT_EQ(std::memcmp(x.Memory(), y.Memory(), static_cast<size_t>(x.Size())), 0);
  EXPECT_EQ(Rendered(b, 0, 16).P, HalfRed(16).P);
}

TEST_F(ImageFiles, FormatsByContentAndName) {
  const std::string png = PngOf(HalfRed(16));
  const std::string ico("\0\0\1\0\1\0 ", 7);
  struct Case {
    const char* Name;
    std::string Bytes;
    bool Known;
    TsImageFormat Format;
  } cases[] = {
      {"open.png", png, true, ifPNG},
      {"sig.png", png.substr(0, 8), false, ifPNG},  // the signature alone
      {"a.ico", ico, true, ifICO},
      {"b.ICO", ico, true, ifICO},
      {"c.cur", ico, false, ifICO},
      {"d.bmp", "BM and more", true, ifBMP32},
      {"e.txt", "just words", false, ifPNG},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TsImageFormat format = ifBMP32;
    EXPECT_EQ(DetectImageFileFormat(Write(c.Name, c.Bytes), format), c.Known);
    if (c.Known) {
      EXPECT_EQ(format, c.Format);
    }
  }
  TsAlphaImageList list(nullptr);
  ASSERT_TRUE(list.AddFromFile(Write("open.png", png)));
  EXPECT_EQ(list.Items().Items(0)->ImageName, u"open");
  EXPECT_FALSE(list.AddFromFile(Write("e.txt", "just words")));
  EXPECT_EQ(list.Count(), 1);

  // Refused files and streams are told in an error box.
  UiTestSeam::Reset();
  UiTestSeam::QueueMessageBoxAnswer(IDOK);
  UiTestSeam::QueueMessageBoxAnswer(IDOK);
  const String text = Write("e.txt", "just words");
  list.LoadFromFile(text);
  TMemoryStream words;
  words.WriteBuffer("just words", 10);
  // A stream is taken as PNG: one that is not raises the reader's error,
  // and leaves no item behind.
  EXPECT_THROW(list.LoadFromPngStream(words), Exception);
  EXPECT_EQ(list.Items().Count(), 1);
  ASSERT_EQ(UiTestSeam::MessageBoxLog().size(), 1u);
  EXPECT_EQ(UiTestSeam::MessageBoxLog()[0].Text, u"Cannot load " + text + u"\r\nInvalid or unexpected image format.");
  UiTestSeam::Reset();
}
