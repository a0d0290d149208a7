#pragma once
// Pixel images of the skin tests: plain vectors to compute expectations on,
// copied into and out of 32-bit bitmaps.
#include "skin/graphics/Bitmaps32.h"
#include <cstdint>
#include <memory>
#include <random>
#include <vector>

struct TPixels {
  int W = 0, H = 0;
  std::vector<uint32_t> P;
  TPixels() = default;
  TPixels(int w, int h, uint32_t fill = 0) : W(w), H(h), P(static_cast<size_t>(w) * h, fill) {}
  uint32_t& At(int x, int y) { return P[static_cast<size_t>(y) * W + x]; }
  uint32_t At(int x, int y) const { return P[static_cast<size_t>(y) * W + x]; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < W && y < H; }
};

// Random pixels; about one in eight is the key pixel, and alphas favour 0 and 255.
inline TPixels RandomImage(int w, int h, unsigned seed) {
  std::mt19937 rng(seed);
  TPixels img(w, h);
  for (auto& p : img.P) {
    const unsigned r = rng();
    if (r % 8 == 0) {
      p = 0x00FF00FF;
      continue;
    }
    const uint32_t alphas[4] = {0, 255, static_cast<uint32_t>(rng() & 0xFF), 128};
    p = (rng() & 0x00FFFFFF) | alphas[(r >> 3) % 4] << 24;
  }
  return img;
}

inline std::unique_ptr<TBitmap> ToBitmap(const TPixels& img) {
  auto bmp = NewBmp32(img.W, img.H);
  TPixelRows rows(bmp.get());
  for (int y = 0; y < img.H; ++y)
    for (int x = 0; x < img.W; ++x) rows.At(x, y) = img.At(x, y);
  return bmp;
}

inline TPixels FromBitmap(TBitmap& bmp) {
  TPixels img(bmp.Width(), bmp.Height());
  TPixelRows rows(&bmp);
  for (int y = 0; y < img.H; ++y)
    for (int x = 0; x < img.W; ++x) img.At(x, y) = rows.At(x, y);
  return img;
}

inline int Ch(uint32_t p, int k) { return static_cast<int>(p >> (8 * k) & 0xFF); }
