#include "platform/pixmap/PixelBitmap.h"
#include "platform/rtl/Exceptions.h"
#include <gtest/gtest.h>
#include <sstream>

namespace {
uint32_t LE32(const std::string& s, size_t at) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(s[at + i]);
  return v;
}
}  // namespace

TEST(PixelBitmap, MapWritesPixelsAndBmpStoresThemBottomUpAsBGRA) {
  TPixelBitmap bitmap(3, 2);
  TBitmapData data;
  ASSERT_TRUE(bitmap.Map(TMapAccess::Write, data));
  TBitmapData second;
  EXPECT_FALSE(bitmap.Map(TMapAccess::Write, second));
  data.SetPixel(0, 0, 0xFF112233);
  data.SetPixel(2, 1, 0x80AABBCC);
  EXPECT_THROW(data.SetPixel(3, 0, 0), EInvalidOperation);
  bitmap.Unmap(data);
  EXPECT_EQ(bitmap.Pixel(0, 0), 0xFF112233u);
  EXPECT_EQ(bitmap.Pixel(1, 0), 0u);

  std::ostringstream out;
  bitmap.SaveToStream(out);
  const std::string bmp = out.str();
  ASSERT_EQ(bmp.size(), 54u + 3 * 2 * 4);
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  EXPECT_EQ(LE32(bmp, 2), bmp.size());
  EXPECT_EQ(LE32(bmp, 10), 54u);
  EXPECT_EQ(LE32(bmp, 18), 3u);
  EXPECT_EQ(LE32(bmp, 22), 2u);
  EXPECT_EQ(LE32(bmp, 28) & 0xFFFF, 32u);
  // The first stored row is the bottom one: (2,1) is its third pixel.
  EXPECT_EQ(LE32(bmp, 54 + 2 * 4), 0x80AABBCCu);
  EXPECT_EQ(LE32(bmp, 54 + 3 * 4), 0xFF112233u);
}
