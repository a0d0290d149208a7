// The hint template file: what a template writes reads back the same, and
// a file that is cut short or carries wrong lengths gives nothing at all.
#include "skin/SkinTestSupport.h"
#include "skin/hints/HintsTestSupport.h"
#include "platform/rtl/FileUtils.h"
#include "platform/ui/TestSeam.h"
#include "skin/forms/hints/AlphaHints.h"
#include "skin/forms/hints/HintArt.h"
#include "skin/forms/hints/HintTemplateFile.h"
#include "skin/graphics/Pixels32.h"
#include <gtest/gtest.h>
#include <cstring>

namespace {
std::vector<uint32_t> PixelsOf(TBitmap& bmp) {
  if (bmp.Empty()) return {};
  auto copy = NewBmp32(bmp.Width(), bmp.Height());
  BitBlt(copy->Canvas()->Handle(), 0, 0, bmp.Width(), bmp.Height(), bmp.Canvas()->Handle(), 0, 0, SRCCOPY);
  GdiFlush();
  return FromBitmap(*copy).P;
}

void ExpectSameImage(TacHintImage& a, TacHintImage& b) {
  EXPECT_EQ(a.ImageWidth(), b.ImageWidth());
  EXPECT_EQ(a.ImageHeight(), b.ImageHeight());
  EXPECT_EQ(PixelsOf(*a.Image()), PixelsOf(*b.Image()));
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(a.BordersWidths().GetByIndex(i), b.BordersWidths().GetByIndex(i));
    EXPECT_EQ(a.ClientMargins().GetByIndex(i), b.ClientMargins().GetByIndex(i));
    EXPECT_EQ(a.ShadowSizes().GetByIndex(i), b.ShadowSizes().GetByIndex(i));
  }
  for (int i = 0; i < 5; ++i) EXPECT_EQ(a.BorderDrawModes().Get(i), b.BorderDrawModes().Get(i));
}

std::string Bytes(TMemoryStream& s) {
  return std::string(static_cast<const char*>(s.Memory()), static_cast<size_t>(s.Size()));
}

std::unique_ptr<TMemoryStream> StreamOf(const std::string& bytes) {
  auto s = std::make_unique<TMemoryStream>();
  if (!bytes.empty()) s->Write(bytes.data(), static_cast<int64_t>(bytes.size()));
  s->SetPosition(0);
  return s;
}

// A small template: the default picture as PNG data in all four corners,
// with distinct sizes and modes, so that a mix-up shows.
void FillSmallTemplate(TacHintTemplate& t) {
  t.SetName(u"Small");
  t.Font()->SetName(u"Tahoma");
  t.Font()->SetSize(9);
  t.Font()->SetStyle(TFontStyles{fsBold, fsUnderline});
  t.Font()->SetColor(0x123456);
  const std::string png = AcHintPng();
  for (int i = 0; i < 4; ++i) {
    TacHintImage& image = *t.Images(i);
    image.ImgData().Write(png.data(), static_cast<int64_t>(png.size()));
    ASSERT_TRUE(image.StreamChanged());
    image.BordersWidths().SetValues(11 + i, 10, 14, 15 - i);
    image.ClientMargins().SetValues(11, 8 + i, 16, 15);
    image.ShadowSizes().SetValues(6, 5, 7 + i, 8);
    image.BorderDrawModes().Set(i, dmRepeat);
  }
}

// The offset just past the default image record of a written file.
size_t DefaultRecordEnd(const std::string& file) {
  int32_t nameLength = 0;
  std::memcpy(&nameLength, file.data() + 14, 4);
  size_t at = 18 + static_cast<size_t>(nameLength) + 5 + 48 + 1;
  int32_t length = 0;
  std::memcpy(&length, file.data() + at, 4);
  return at + 4 + static_cast<size_t>(length);
}
}  // namespace

TEST(HintFile, TemplatesReadBackAsTheyWereWritten) {
  TsAlphaHints source(nullptr), target(nullptr);
  AddStockHintTemplates(*source.Templates());
  FillSmallTemplate(*source.Templates()->Add());
  // A picture from a bitmap (no PNG data) travels as BMP data.
  TacHintTemplate* fromBitmap = source.Templates()->Add();
  fromBitmap->SetName(u"Bitmap");
  fromBitmap->Font()->SetColor(clWindowText);
  fromBitmap->ImageDefault()->SetImage(*DefaultHintTemplate().ImageDefault()->Image());

  for (const char16_t* name : {u"Cartoon Baloon", u"Small", u"Bitmap", u"Yellow Glow"}) {
    SCOPED_TRACE(Utf8(String(name)));
    source.SetTemplateName(name);
    TacHintTemplate& written = source.CurrentTemplateOf();
    ASSERT_EQ(written.Name(), String(name));
    TMemoryStream stream;
    source.SaveToStream(stream);
    EXPECT_EQ(Bytes(stream).substr(0, 5), "AShh1");
    TacHintTemplate* read = target.LoadFromStream(stream);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->Font()->Name(), written.Font()->Name());
    EXPECT_EQ(read->Font()->Size(), written.Font()->Size());
    EXPECT_EQ(read->Font()->Style(), written.Font()->Style());
    // A system colour is written as black.
    EXPECT_EQ(read->Font()->Color(), written.Font()->Color() < 0 ? 0 : written.Font()->Color());
    for (int i = 0; i < 4; ++i) ExpectSameImage(*read->Images(i), *written.Images(i));
    EXPECT_EQ(read->ImageDefault()->ImgData().Size(), written.ImageDefault()->ImgData().Size());
  }
  EXPECT_EQ(target.Templates()->Count(), 4);
}

TEST(HintFile, EveryCutOfAFileGivesNothingOrAWholeTemplate) {
  TsAlphaHints source(nullptr), target(nullptr);
  FillSmallTemplate(*source.Templates()->Add());
  source.SetTemplateName(u"small");
  TMemoryStream stream;
  source.SaveToStream(stream);
  const std::string file = Bytes(stream);
  const size_t defaultEnd = DefaultRecordEnd(file);
  TacHintTemplate& written = source.CurrentTemplateOf();
  UiTestSeam::Reset();
  for (size_t length = 0; length < file.size(); ++length) {
    if (length < 4) UiTestSeam::QueueMessageBoxAnswer(IDOK);
    auto cut = StreamOf(file.substr(0, length));
    const int before = target.Templates()->Count();
    TacHintTemplate* read = target.LoadFromStream(*cut);
    if (length == defaultEnd) {
      // The flag promises corners, but a file may end after the default.
      ASSERT_NE(read, nullptr);
      ExpectSameImage(*read->ImageDefault(), *written.ImageDefault());
      EXPECT_FALSE(read->Img_RightTop()->HasPicture());
      EXPECT_EQ(target.Templates()->Count(), before + 1);
    } else {
      ASSERT_EQ(read, nullptr) << length;
      ASSERT_EQ(target.Templates()->Count(), before) << length;
    }
  }
  // Only the files without a whole signature were unknown.
  ASSERT_EQ(UiTestSeam::MessageBoxLog().size(), 4u);
  EXPECT_EQ(UiTestSeam::MessageBoxLog()[0].Text, u"Unknown file format");
  UiTestSeam::Reset();
}

TEST(HintFile, WrongLengthsAndKindsGiveNothing) {
  TsAlphaHints source(nullptr), target(nullptr);
  FillSmallTemplate(*source.Templates()->Add());
  source.SetTemplateName(u"Small");
  TMemoryStream stream;
  source.SaveToStream(stream);
  const std::string file = Bytes(stream);
  const size_t nameAt = 14;
  const size_t kindAt = 18 + 6 + 5 + 48;  // "Tahoma"
  const size_t lengthAt = kindAt + 1;
  int32_t pictureLength = 0;
  std::memcpy(&pictureLength, file.data() + lengthAt, 4);
  auto withInt = [&](size_t at, int32_t value) {
    std::string f = file;
    std::memcpy(&f[at], &value, 4);
    return f;
  };
  auto withByte = [&](size_t at, uint8_t value) {
    std::string f = file;
    f[at] = static_cast<char>(value);
    return f;
  };
  struct TCase {
    const char* What;
    std::string File;
  };
  const TCase cases[] = {
      {"name length negative", withInt(nameAt, -1)},
      {"name length above 63", withInt(nameAt, 64)},
      {"name length past the end", withInt(nameAt, static_cast<int32_t>(file.size()))},
      {"name length huge", withInt(nameAt, 0x7FFFFFFF)},
      {"picture length negative", withInt(lengthAt, -5)},
      {"picture length past the end", withInt(lengthAt, static_cast<int32_t>(file.size()))},
      {"picture length huge", withInt(lengthAt, 0x7FFFFFFF)},
      {"picture length one short", withInt(lengthAt, pictureLength - 1)},
      {"PNG data marked as BMP", withByte(kindAt, '0')},
      {"PNG signature flipped", withByte(lengthAt + 4 + 1, 'X')},
      {"PNG header flipped", withByte(lengthAt + 4 + 20, 0xFF)},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.What);
    auto s = StreamOf(c.File);
    EXPECT_EQ(target.LoadFromStream(*s), nullptr);
    EXPECT_EQ(target.Templates()->Count(), 0);
  }
  // A flag of "0" reads the default image alone, whole.
  auto noCorners = StreamOf(withByte(4, '0'));
  TacHintTemplate* read = target.LoadFromStream(*noCorners);
  ASSERT_NE(read, nullptr);
  EXPECT_FALSE(read->Img_LeftBottom()->HasPicture());
}

TEST(HintFile, FilesNameTheirTemplateAndCornerlessTemplatesSkipTheirCorners) {
  TsAlphaHints hints(nullptr);
  // The default template: no corner pictures, picture from a bitmap.
  TMemoryStream stream;
  hints.SaveToStream(stream);
  const std::string file = Bytes(stream);
  EXPECT_EQ(file.substr(0, 5), "AShh1");
  EXPECT_EQ(DefaultRecordEnd(file), file.size());
  const String folder = IncludeTrailingPathDelimiter(GetTempFolder()) + u"hintfiles";
  ForceDirectories(folder);
  struct TCase {
    const char16_t* File;
    const char16_t* Name;
  };
  for (const TCase& c : {TCase{u"Blue.tip", u"Blue"}, TCase{u"a.b.c", u"a"}, TCase{u"Plain", u"Plain"}}) {
    const String path = folder + u"\\" + c.File;
    hints.SaveToFile(path);
    TacHintTemplate* read = hints.LoadFromFile(path);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->Name(), String(c.Name));
    EXPECT_EQ(read->ImageDefault()->ImgData().Size(), 0);
    ExpectSameImage(*read->ImageDefault(), *DefaultHintTemplate().ImageDefault());
    EXPECT_FALSE(read->Img_RightTop()->HasPicture());
    DeleteFile(path);
  }
}

TEST(HintFile, DefaultTemplateAndSizeLimits) {
  TacHintImage& image = *DefaultHintTemplate().ImageDefault();
  EXPECT_EQ(image.ImageWidth(), 27);
  EXPECT_EQ(image.ImageHeight(), 27);
  EXPECT_EQ(TRect(image.BordersWidths().Left(), image.BordersWidths().Top(), image.BordersWidths().Right(),
                  image.BordersWidths().Bottom()),
            TRect(11, 10, 14, 15));
  EXPECT_EQ(image.ShadowSizes().Left() + image.ShadowSizes().Right(), 13);
  EXPECT_EQ(image.ClientMargins().Right(), 16);
  // The corner of the picture is transparent, its middle opaque.
  EXPECT_EQ(Ch(Pixel32(*image.Image(), 0, 0), 3), 0);
  EXPECT_EQ(Ch(Pixel32(*image.Image(), 13, 12), 3), 255);

  TacHintTemplate t(nullptr);
  t.ImageDefault()->SetImage(*image.Image());
  TacBordersSizes& sizes = t.ImageDefault()->BordersWidths();
  EXPECT_EQ(sizes.Left(), 13);  // (27 - 1) div 2
  sizes.CheckSize = true;
  sizes.SetTop(40);
  EXPECT_EQ(sizes.Top(), 26);
  EXPECT_EQ(sizes.Bottom(), 0);
  sizes.FLeft = -4;
  EXPECT_EQ(sizes.Left(), 0);
}
