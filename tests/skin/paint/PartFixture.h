#pragma once
// Skin image parts for the painter tests: pixels that name their own
// source position, masks whose channels differ, and the mix to expect.
#include "skin/SkinTestSupport.h"
#include "skin/engine/SkinManager.h"
#include "skin/graphics/SkinData.h"

inline constexpr uint32_t White = 0xFFFFFFFF;

// A pixel naming source position (x, y); never the key colour.
inline uint32_t Named(int x, int y) {
  return 0xFF000000u | static_cast<uint32_t>(x) << 16 | static_cast<uint32_t>(y) << 8 | 0x11;
}
// A mask pixel with different channels, so per-channel mixing shows.
inline uint32_t MaskAt(int x, int y) {
  return static_cast<uint32_t>((x * 37 + y * 11) % 256) | static_cast<uint32_t>((x * 5 + y * 53) % 256) << 8 |
         static_cast<uint32_t>((x * 71 + y * 3) % 256) << 16;
}
inline uint32_t Mix(uint32_t dst, uint32_t src, uint32_t mask) {
  uint32_t out = 0xFF000000u;
  for (int k = 0; k < 3; ++k) {
    const int m = Ch(mask, k);
    out |= static_cast<uint32_t>((Ch(dst, k) * m + Ch(src, k) * (256 - m)) >> 8) << (8 * k);
  }
  return out;
}

// The tiled source position of target offset t in a span of size n, with
// margins a and b over a source frame of size f.
inline int TiledSource(int t, int n, int a, int b, int f) {
  if (t < a) return t;
  if (t >= n - b) return f - (n - t);
  return a + (t - a) % (f - a - b);
}

// One manager for every part: it makes a utility window.
inline TsSkinManager& PartManager() {
  static TsSkinManager sm(nullptr);
  return sm;
}

// A part of Frames frames FW x FH as its own bitmap, with masks below when
// masked, drawn by a manager that has loaded nothing.
struct TPart {
  TPixels Pixels;
  std::unique_ptr<TBitmap> Bmp;
  TsMaskData md;
  TPart(int frames, int fw, int fh, bool masked, int wl, int wt, int wr, int wb, int drawMode) {
    Pixels = TPixels(frames * fw, masked ? fh * 2 : fh);
    for (int y = 0; y < fh; ++y)
      for (int x = 0; x < frames * fw; ++x) {
        Pixels.At(x, y) = Named(x, y);
        if (masked) Pixels.At(x, y + fh) = MaskAt(x, y);
      }
    Bmp = ToBitmap(Pixels);
    md.Bmp = Bmp.get();
    md.R = TRect(0, 0, Pixels.W, Pixels.H);
    md.ImageCount = static_cast<int16_t>(frames);
    md.MaskType = masked ? 1 : 0;
    md.DrawMode = static_cast<int16_t>(drawMode);
    md.Manager = &PartManager();
    md.WL = static_cast<int16_t>(wl);
    md.WT = static_cast<int16_t>(wt);
    md.WR = static_cast<int16_t>(wr);
    md.WB = static_cast<int16_t>(wb);
  }
  void Reload() { Bmp = ToBitmap(Pixels); md.Bmp = Bmp.get(); }
};

