// The nine-piece painter against a plain StretchBlt of the same frame, a
// section's gradient over a texture against a flat fill of the same area,
// and an image list's cached rendering against its first one.
#include "support/BenchSupport.h"
#include "skin/engine/SectionPaint.h"
#include "skin/engine/SkinManager.h"
#include "skin/graphics/AlphaImageList.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/Gradients.h"
#include "skin/graphics/MaskPaint.h"
#include "skin/graphics/Pixels32.h"
#include "platform/ui/graphics/PngWriter.h"
#include <benchmark/benchmark.h>
#include <windows.h>
#include <random>

namespace {
int Width() { return BenchSize(400, 40); }
int Height() { return BenchSize(300, 30); }
constexpr int FrameSize = 40, Margin = 8;

std::unique_ptr<TBitmap> RandomBmp(int w, int h, unsigned seed) {
  auto bmp = NewBmp32(w, h);
  TPixelRows rows(bmp.get());
  std::mt19937 rng(seed);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) rows.At(x, y) = static_cast<uint32_t>(rng()) | 0xFF000000u;
  return bmp;
}

TsSkinManager& Manager() {
  static TsSkinManager sm(nullptr);
  return sm;
}

// A frame of FrameSize with its mask below when masked.
struct TBenchPart {
  std::unique_ptr<TBitmap> Bmp;
  TsMaskData md;
  TBenchPart(bool masked, int drawMode) {
    Bmp = RandomBmp(FrameSize, masked ? 2 * FrameSize : FrameSize, 7);
    md.Bmp = Bmp.get();
    md.R = TRect(0, 0, FrameSize, Bmp->Height());
    md.ImageCount = 1;
    md.MaskType = masked ? 1 : 0;
    md.DrawMode = static_cast<int16_t>(drawMode);
    md.Manager = &Manager();
    md.WL = md.WT = md.WR = md.WB = Margin;
  }
};

void PaintPart(benchmark::State& state, bool masked, int drawMode) {
  TBenchPart part(masked, drawMode);
  auto dst = RandomBmp(Width(), Height(), 1);
  const TRect r(0, 0, Width(), Height());
  for (auto _ : state) PaintMaskRect(*dst, r, EmptyCacheInfo, part.md, 0, false);
}
void MaskRectUnmaskedTiled(benchmark::State& state) { PaintPart(state, false, 4); }
void MaskRectMaskedStretched(benchmark::State& state) { PaintPart(state, true, 5); }

void PlainStretchBlt(benchmark::State& state) {
  auto src = RandomBmp(FrameSize, FrameSize, 7);
  auto dst = RandomBmp(Width(), Height(), 1);
  HDC d = dst->Canvas()->Handle(), s = src->Canvas()->Handle();
  SetStretchBltMode(d, COLORONCOLOR);
  for (auto _ : state) {
    StretchBlt(d, 0, 0, Width(), Height(), s, 0, 0, FrameSize, FrameSize, SRCCOPY);
    GdiFlush();
  }
}

void GradOverTexture(benchmark::State& state) {
  auto texture = RandomBmp(32, 32, 3);
  auto dst = RandomBmp(Width(), Height(), 1);
  TsGradArray bands(2);
  bands[0] = {0xFF0000, 0x00FF00, 50, 0, 0};
  bands[1] = {0x00FF00, 0x0000FF, 50, 0, 0};
  const TRect r(0, 0, Width(), Height());
  for (auto _ : state) PaintGradOverTexture(*dst, r, bands, *texture, TRect(), 100, 255);
}

// A section whose normal state is half texture, half gradient, painted in
// one pass.
void SectionBgGradOverTexture(benchmark::State& state) {
  TsSkinManager& sm = Manager();
  TBenchPart texture(false, 0);
  sm.Model.ma.push_back(texture.md);
  TsGeneralData gd;
  gd.ClassName = u"BENCHSECTION";
  gd.States = 1;
  TsGenState& s = gd.Props[0];
  s.ImagePercent = 50;
  s.GradientPercent = 50;
  s.TextureIndex = static_cast<int>(sm.Model.ma.size()) - 1;
  s.GradientArray = {{0xFF0000, 0x00FF00, 50, 0, 0}, {0x00FF00, 0x0000FF, 50, 0, 0}};
  gd.Props[1] = s;
  sm.Model.gd.push_back(gd);
  const int index = static_cast<int>(sm.Model.gd.size()) - 1;
  auto dst = RandomBmp(Width(), Height(), 1);
  const TRect r(0, 0, Width(), Height());
  for (auto _ : state) PaintSectionBg(index, EmptyCacheInfo, 0, r, TPoint(0, 0), dst.get(), &sm);
  sm.Model.gd.pop_back();
  sm.Model.ma.pop_back();
}

void FlatFill(benchmark::State& state) {
  auto dst = RandomBmp(Width(), Height(), 1);
  const TRect r(0, 0, Width(), Height());
  for (auto _ : state) FillRect32(*dst, r, 0x808080, 255);
}

// One 32 x 32 PNG item of a list of that size.
struct TBenchList {
  TsAlphaImageList List{nullptr};
  TBitmap Image;
  TBenchList() {
    List.SetWidth(32);
    List.SetHeight(32);
    std::vector<uint32_t> px(32 * 32);
    std::mt19937 rng(5);
    for (uint32_t& p : px) p = static_cast<uint32_t>(rng());
    const std::string png = EncodePng(reinterpret_cast<const uint8_t*>(px.data()), 32, 32, true);
    TMemoryStream s;
    s.WriteBuffer(png.data(), static_cast<int64_t>(png.size()));
    List.AddFromStream(s);
    Image.SetPixelFormat(pf32bit);
    Image.SetSize(32, 32);
  }
};

void ListFirstRendering(benchmark::State& state) {
  TBenchList b;
  for (auto _ : state) {
    b.List.Items().Items(0)->CacheBmp.reset();
    b.List.GetBitmap32(0, &b.Image);
  }
}

void ListCachedRendering(benchmark::State& state) {
  TBenchList b;
  b.List.GetBitmap32(0, &b.Image);
  for (auto _ : state) b.List.GetBitmap32(0, &b.Image);
}

#define BENCH_PAIR(function)                                                                                  \
  BENCHMARK(function)->Repetitions(BenchSmoke() ? 1 : 5)->ReportAggregatesOnly(true)->ComputeStatistics(     \
      "min", Fastest)->Unit(benchmark::kMicrosecond)
BENCH_PAIR(MaskRectUnmaskedTiled);
BENCH_PAIR(MaskRectMaskedStretched);
BENCH_PAIR(PlainStretchBlt);
BENCH_PAIR(GradOverTexture);
BENCH_PAIR(SectionBgGradOverTexture);
BENCH_PAIR(FlatFill);
BENCH_PAIR(ListFirstRendering);
BENCH_PAIR(ListCachedRendering);
}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TFastestTimes times;
  benchmark::RunSpecifiedBenchmarks(&times);
  const double plain = times.Of("PlainStretchBlt"), fill = times.Of("FlatFill");
  if (plain > 0) {
    PrintRatio("PaintMaskRect unmasked tiled / StretchBlt, 400 x 300", times.Of("MaskRectUnmaskedTiled") / plain, 3);
    PrintRatio("PaintMaskRect masked stretched / StretchBlt, 400 x 300", times.Of("MaskRectMaskedStretched") / plain,
               8);
  }
  if (fill > 0) {
    PrintRatio("PaintSectionBg gradient over texture / FillRect32, 400 x 300", times.Of("SectionBgGradOverTexture") / fill,
               6);
    PrintRatio("PaintGradOverTexture alone / FillRect32, 400 x 300", times.Of("GradOverTexture") / fill);
  }
  // Smaller is better: the cached call's share of the first call's time.
  if (const double first = times.Of("ListFirstRendering"); first > 0)
    PrintRatio("GetBitmap32 from the cache / first call, 32 x 32 PNG", times.Of("ListCachedRendering") / first,
               1.0 / 20);
  benchmark::Shutdown();
  return 0;
}
