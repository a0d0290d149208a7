// The vector ways of the masked centre against the integer ones they
// replace: same bytes for every filter, odd sizes and both instruction sets.
#include "skin/graphics/FloatRowResampler.h"
#include "skin/graphics/MaskPieces.h"
#include "skin/graphics/MaskRowMix.h"
#include "skin/graphics/ResamplePixels.h"
#include <gtest/gtest.h>
#include <random>

TEST(SkinFloatResample, SameBytesAsTheIntegerResampler) {
  struct Size {
    int SrcW, SrcH, DstW, DstH;
  } sizes[] = {{24, 24, 384, 284}, {2, 2, 1, 1},   {3, 5, 1, 9},   {7, 5, 13, 3},
               {40, 9, 5, 37},     {5, 40, 37, 4}, {300, 3, 2, 5}, {6, 6, 6, 6}};
  std::mt19937 rng(29);
  for (const Size& s : sizes) {
    // Extremes in every channel drive the sums to both clamps.
    std::vector<uint32_t> src(static_cast<size_t>(s.SrcW) * s.SrcH);
    for (uint32_t& p : src) p = rng() % 3 == 0 ? (rng() % 2 ? 0xFFFFFFFFu : 0u) : static_cast<uint32_t>(rng());
    for (int filter = 0; filter < ResampleFilterCount; ++filter)
      for (const TVectorWidth widest : {TVectorWidth::Avx512, TVectorWidth::Avx2, TVectorWidth::Sse2}) {
        SCOPED_TRACE(testing::Message() << s.SrcW << "x" << s.SrcH << " to " << s.DstW << "x" << s.DstH
                                        << ", filter " << filter << ", width " << static_cast<int>(widest));
        FloatResampleWidest = widest;
        TRowResampler integer;
        TFloatRowResampler vector;
        ASSERT_EQ(integer.Start(src.data(), s.SrcW, s.SrcH, s.SrcW, s.DstW, s.DstH, filter),
                  vector.Start(src.data(), s.SrcW, s.SrcH, s.SrcW, s.DstW, s.DstH, filter));
        std::vector<uint32_t> want(static_cast<size_t>(s.DstW)), got(want.size());
        int wrong = 0;
        for (int y = 0; y < s.DstH && wrong < 3; ++y) {
          integer.Row(y, want.data());
          vector.Row(y, got.data());
          for (int x = 0; x < s.DstW; ++x)
            if (got[x] != want[x] && ++wrong < 3)
              ADD_FAILURE() << "at " << x << "," << y << std::hex << " got " << got[x] << " want " << want[x];
        }
      }
  }
  FloatResampleWidest = TVectorWidth::Avx512;
}

TEST(SkinFloatResample, RowMixMatchesThePixelMix) {
  std::mt19937 rng(3);
  const uint32_t masks[] = {0, 0xFFFFFFFFu, 0x00FF8001u, 0x7F7F7F7Fu};
  for (int count : {1, 3, 4, 5, 11, 19}) {
    std::vector<uint32_t> dst(static_cast<size_t>(count)), img(dst.size()), mask(dst.size());
    for (size_t i = 0; i < dst.size(); ++i) {
      dst[i] = static_cast<uint32_t>(rng());
      img[i] = static_cast<uint32_t>(rng());
      mask[i] = i % 2 ? masks[rng() % 4] : static_cast<uint32_t>(rng());
    }
    std::vector<uint32_t> want = dst;
    for (size_t i = 0; i < dst.size(); ++i) want[i] = MixByMask(dst[i], img[i], mask[i], 0xFF000000u);
    MixRowByMask(dst.data(), img.data(), mask.data(), count, 255);
    EXPECT_EQ(dst, want) << count << " pixels";
  }
}
