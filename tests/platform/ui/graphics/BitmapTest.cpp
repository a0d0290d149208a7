#include "platform/classes/Streams.h"
#include "platform/ui/graphics/BmpFormat.h"
#include "platform/ui/graphics/GraphicErrors.h"
#include "platform/ui/graphics/Graphics.h"
#include <gtest/gtest.h>
#include <cstdio>
#include <cstring>

namespace {

// A recognisable pattern: every byte of every pixel differs by position.
void FillPattern(TBitmap& bmp, int bytesPerPixel) {
  for (int y = 0; y < bmp.Height(); ++y) {
    auto* row = static_cast<uint8_t*>(bmp.ScanLine(y));
    for (int i = 0; i < bmp.Width() * bytesPerPixel; ++i) row[i] = static_cast<uint8_t>(y * 31 + i * 7 + 1);
  }
}

void ExpectSamePixels(TBitmap& a, TBitmap& b, int bytesPerPixel) {
  ASSERT_EQ(a.Width(), b.Width());
  ASSERT_EQ(a.Height(), b.Height());
  for (int y = 0; y < a.Height(); ++y)
    ASSERT_EQ(0, std::memcmp(a.ScanLine(y), b.ScanLine(y), static_cast<size_t>(a.Width()) * bytesPerPixel))
        << "row " << y;
}

String TempFile(const char* name) {
  return AsciiToString(std::string(::testing::TempDir()) + std::to_string(GetCurrentProcessId()) + name);
}

}  // namespace

TEST(Bitmap, BmpFileRoundTripKeepsEveryPixel) {
  struct Case {
    TPixelFormat Format;
    int BytesPerPixel;
    int Width;
  };
  // Odd widths make the 24-bit rows need padding.
  for (Case c : {Case{pf24bit, 3, 7}, Case{pf24bit, 3, 1}, Case{pf32bit, 4, 5}}) {
    TBitmap source;
    source.SetPixelFormat(c.Format);
    source.SetSize(c.Width, 3);
    FillPattern(source, c.BytesPerPixel);
    String file = TempFile("roundtrip.bmp");
    source.SaveToFile(file);

    TBitmap loaded;
    loaded.LoadFromFile(file);
    EXPECT_EQ(loaded.PixelFormat(), c.Format);
    ExpectSamePixels(source, loaded, c.BytesPerPixel);
  }
}

TEST(Bitmap, ScanLineIsTopDownOverBottomUpRowsAndMatchesTheCanvas) {
  TBitmap bmp;
  bmp.SetPixelFormat(pf32bit);
  bmp.SetSize(3, 4);
  static_cast<uint32_t*>(bmp.ScanLine(0))[2] = 0x00112233;
  EXPECT_EQ(bmp.Canvas()->Pixels(2, 0), 0x332211);
  auto* row0 = static_cast<uint8_t*>(bmp.ScanLine(0));
  auto* row1 = static_cast<uint8_t*>(bmp.ScanLine(1));
  EXPECT_EQ(row1 - row0, -12);
  EXPECT_THROW(bmp.ScanLine(4), EInvalidGraphicOperation);
  // The bottom-left pixel is the automatic transparent colour.
  bmp.Canvas()->SetPixels(0, 3, clFuchsia);
  EXPECT_EQ(bmp.TransparentColor() & 0xFFFFFF, clFuchsia);
}

TEST(Bitmap, StreamReadStopsAfterTheImageAndEmptyRoundTrips) {
  TBitmap source;
  source.SetPixelFormat(pf24bit);
  source.SetSize(2, 2);
  FillPattern(source, 3);
  TMemoryStream stream;
  source.SaveToStream(stream);
  int64_t imageSize = stream.Size();
  stream.WriteBuffer("tail", 4);
  stream.SetPosition(0);
  TBitmap loaded;
  loaded.LoadFromStream(stream);
  EXPECT_EQ(stream.Position(), imageSize);
  ExpectSamePixels(source, loaded, 3);

  TBitmap empty;
  TMemoryStream emptyStream;
  empty.SaveToStream(emptyStream);
  EXPECT_EQ(emptyStream.Size(), 0);
  emptyStream.SetPosition(0);
  loaded.LoadFromStream(emptyStream);
  EXPECT_TRUE(loaded.Empty());
}

TEST(Bitmap, ReaderKeepsWithinTheFileAndCountsSizesInSixtyFourBits) {
  // A 32-bit file with bit fields: 14 + header + masks + pixels.
  auto file = [](uint32_t headerSize, int32_t width, size_t total) {
    std::string b(std::max<size_t>(total, 14 + headerSize), '\0');
    auto put = [&](size_t at, uint32_t v) {
      for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    b[0] = 'B';
    b[1] = 'M';
    put(14, headerSize);
    put(18, static_cast<uint32_t>(width));
    put(22, 1);
    b[26] = 1;
    b[28] = 32;
    put(30, 3);  // bit fields
    return b;
  };
  // The masks of the 58-byte file would lie past its end; they lie in
  // memory behind it, where the reader must not look.
  std::string behind = file(44, 1, 70);
  for (size_t at : {54, 58, 62}) behind[at + (at == 54 ? 2 : at == 58 ? 1 : 0)] = static_cast<char>(0xFF);
  try {
    ReadBmp(std::string_view(behind.data(), 58));
    ADD_FAILURE() << "short masks read";
  } catch (const EInvalidGraphic& e) {
    EXPECT_NE(e.Message().find(u"colour masks"), String::npos) << StringToUtf8(e.Message());
  }
  // 2^30 + 1 pixels of 4 bytes: a row is 2^32 + 4 bytes, not 4.
  std::string wide = file(40, (1 << 30) + 1, 14 + 40 + 12 + 8);
  for (size_t at = 54; at < 66; ++at) wide[at] = 0;
  wide[56] = wide[59] = wide[62] = static_cast<char>(0xFF);
  EXPECT_THROW(ReadBmp(wide), EInvalidGraphic);
}

TEST(Bitmap, CorruptOrTruncatedFilesRaiseAClearError) {
  TBitmap good;
  good.SetPixelFormat(pf8bit);
  good.SetSize(9, 9);
  std::string bytes = good.SaveToBmpBytes();
  ASSERT_GT(bytes.size(), 54u);

  auto patched = [&](size_t at, uint32_t value, int width) {
    std::string b = bytes;
    for (int i = 0; i < width; ++i) b[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return b;
  };
  struct Case {
    const char* What;
    std::string Data;
  };
  const Case cases[] = {
      {"not a bitmap", "GIF89a-and-some-more-bytes"},
      {"header only", bytes.substr(0, 20)},
      {"pixels cut short", bytes.substr(0, bytes.size() - 5)},
      {"colour table cut short", bytes.substr(0, 54 + 100)},
      {"huge width", patched(18, 0x7FFFFFFF, 4)},
      {"zero height", patched(22, 0, 4)},
      {"too many colours", patched(46, 100000, 4)},
      {"bad bit count", patched(28, 7, 2)},
      {"compressed", patched(30, 1, 4)},
      {"offset past the end", patched(10, 0x7FFFFFF0, 4)},
      {"header size past the end", patched(14, 0x7FFFFFF0, 4)},
  };
  for (const Case& c : cases) {
    TBitmap bmp;
    try {
      bmp.LoadFromBmpBytes(c.Data);
      ADD_FAILURE() << c.What << ": no error";
    } catch (const EInvalidGraphic& e) {
      EXPECT_EQ(e.Message().rfind(u"Bitmap image is not valid", 0), 0u) << c.What;
    }
    EXPECT_TRUE(bmp.Empty()) << c.What;
  }

  String file = TempFile("truncated.bmp");
  {
    TFileStream out(file, fmCreate);
    out.WriteBuffer(bytes.data(), 60);
  }
  TBitmap bmp;
  EXPECT_THROW(bmp.LoadFromFile(file), EInvalidGraphic);
}

TEST(Bitmap, ResizeKeepsPixelsAndFormatChangesConvert) {
  TBitmap bmp;
  bmp.SetPixelFormat(pf24bit);
  bmp.SetSize(4, 4);
  bmp.Canvas()->Brush()->SetColor(clNavy);
  bmp.Canvas()->FillRect(Rect(0, 0, 4, 4));
  bmp.SetSize(6, 2);
  EXPECT_EQ(bmp.Canvas()->Pixels(3, 1), clNavy);
  EXPECT_EQ(bmp.Canvas()->Pixels(5, 1), clBlack);
  bmp.SetPixelFormat(pf32bit);
  EXPECT_EQ(bmp.Canvas()->Pixels(3, 1), clNavy);
  EXPECT_EQ(bmp.HandleType(), bmDIB);

  bmp.SetMonochrome(true);
  EXPECT_EQ(bmp.PixelFormat(), pf1bit);
  TBitmap copy;
  copy.Assign(bmp);
  EXPECT_TRUE(copy.Monochrome());
  EXPECT_EQ(copy.SaveToBmpBytes(), bmp.SaveToBmpBytes());

  // Width first, then height, on an empty bitmap: the width is kept.
  TBitmap sides;
  sides.SetWidth(10);
  EXPECT_TRUE(sides.Empty());
  EXPECT_EQ(sides.Width(), 10);
  sides.SetHeight(20);
  EXPECT_FALSE(sides.Empty());
  EXPECT_EQ(sides.Width(), 10);
  EXPECT_EQ(sides.Height(), 20);
}

TEST(Bitmap, DrawCopiesAndHonoursTransparency) {
  TBitmap sprite;
  sprite.SetPixelFormat(pf24bit);
  sprite.SetSize(2, 1);
  sprite.Canvas()->SetPixels(0, 0, clFuchsia);
  sprite.Canvas()->SetPixels(1, 0, clGreen);

  TBitmap target;
  target.SetPixelFormat(pf32bit);
  target.SetSize(4, 2);
  target.Canvas()->Brush()->SetColor(clYellow);
  target.Canvas()->FillRect(Rect(0, 0, 4, 2));
  target.Canvas()->Draw(0, 0, &sprite);
  EXPECT_EQ(target.Canvas()->Pixels(0, 0), clFuchsia);

  sprite.SetTransparent(true);
  sprite.SetTransparentColor(clFuchsia);
  target.Canvas()->Draw(2, 1, &sprite);
  EXPECT_EQ(target.Canvas()->Pixels(2, 1), clYellow);
  EXPECT_EQ(target.Canvas()->Pixels(3, 1), clGreen);

  target.Canvas()->StretchDraw(Rect(0, 0, 4, 2), &sprite);
  EXPECT_EQ(target.Canvas()->Pixels(3, 0), clGreen);
}

TEST(Bitmap, MonochromeDrawsInTheCanvasTextAndBackgroundColours) {
  TBitmap mask;
  mask.SetMonochrome(true);
  mask.SetSize(2, 1);
  mask.Canvas()->SetPixels(0, 0, clBlack);
  mask.Canvas()->SetPixels(1, 0, clWhite);

  TBitmap target;
  target.SetPixelFormat(pf24bit);
  target.SetSize(2, 1);
  target.Canvas()->Font()->SetColor(clRed);
  target.Canvas()->Brush()->SetColor(clBlue);
  target.Canvas()->Draw(0, 0, &mask);
  EXPECT_EQ(target.Canvas()->Pixels(0, 0), clRed);
  EXPECT_EQ(target.Canvas()->Pixels(1, 0), clBlue);
  // The bitmap's own colours are back afterwards.
  EXPECT_EQ(mask.Canvas()->Pixels(1, 0), clWhite);
}
