// Paging through a long report in the preview at 100%, each box painted,
// against painting the same pages onto an off-screen bitmap of the box's
// size. The walk must leave the store's temporary file as it was.
#include "support/BenchSupport.h"
#include "platform/ui/Forms.h"
#include "platform/ui/graphics/Bitmap.h"
#include "report/RLLibrary.h"
#include "report/pages/RLGraphicStorage.h"
#include "report/ui/RLPreview.h"
#include <benchmark/benchmark.h>
#include <memory>
#include <string>

namespace {
int Pages() { return BenchSize(1200, 12); }

TRLGraphicSurface* ListingPage(int number) {
  auto* s = new TRLGraphicSurface();
  s->SetWidth(794);
  s->SetHeight(1123);
  s->Font()->SetName(u"Arial");
  s->Font()->SetSize(9);
  s->TextOut(40, 40, "Recebimentos - pagina " + std::to_string(number + 1));
  for (int row = 0; row < 40; ++row) {
    const int y = 80 + row * 22;
    s->TextOut(40, y, std::to_string(100000 + number * 40 + row));
    s->TextOut(130, y, "82610000001523450123000201234567890312300000");
    s->TextOut(600, y, std::to_string(row * 37) + ",50");
  }
  s->Rectangle(40, 1040, 754, 1080);
  return s;
}

struct Fixture {
  TComponent holder{nullptr};
  TRLGraphicStorage* store = new TRLGraphicStorage(&holder);
  std::unique_ptr<TForm> form{new TForm(nullptr)};
  TRLPreview* preview = new TRLPreview(form.get());
  Fixture() {
    store->SetOrientation(1);
    store->SetPaperWidth(210);
    store->SetPaperHeight(297);
    for (int i = 0; i < Pages(); ++i) store->Add(ListingPage(i));
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 800, 600);
    preview->SetParent(form.get());
    preview->SetBounds(0, 0, 800, 600);
    form->Show();
  }
  ~Fixture() {
    form.reset();
    store->Unlink(&holder);
  }
};

// Lives inside main, while the library does.
std::unique_ptr<Fixture> gFixture;
Fixture& Shared() { return *gFixture; }

void PreviewNextPage(benchmark::State& state) {
  Fixture& f = Shared();
  for (auto _ : state) {
    f.preview->SetPages(f.store);
    f.preview->SetZoomFactor(100);
    f.preview->FirstPage();
    f.preview->Boxes(0)->Update();
    for (int i = 1; i < Pages(); ++i) {
      f.preview->NextPage();
      f.preview->Boxes(0)->Update();
    }
  }
}

void BitmapPaintTo(benchmark::State& state) {
  Fixture& f = Shared();
  TBitmap bitmap;
  bitmap.SetSize(794 + kPreviewBoxExtra, 1123 + kPreviewBoxExtra);
  for (auto _ : state)
    for (int i = 0; i < Pages(); ++i)
      if (TRLGraphicSurface* page = f.store->GetPages(i)) page->PaintTo(bitmap.Canvas(), TRect(1, 1, 793, 1122));
}

double Minimum(const std::vector<double>& v) { return Fastest(v); }
}  // namespace

#define BENCH_PREVIEW(fn) \
  BENCHMARK(fn)->Iterations(1)->Repetitions(BenchSize(3, 1))->ComputeStatistics("min", Minimum)->Unit(benchmark::kMillisecond)
BENCH_PREVIEW(BitmapPaintTo);
BENCH_PREVIEW(PreviewNextPage);

int main(int argc, char** argv) {
  TRLLibraryScope library;
  benchmark::Initialize(&argc, argv);
  gFixture = std::make_unique<Fixture>();
  Fixture& f = Shared();
  const int64_t before = f.store->TempStreamSize();
  TFastestTimes times;
  benchmark::RunSpecifiedBenchmarks(&times);
  const double preview = times.Of("PreviewNextPage"), plain = times.Of("BitmapPaintTo");
  if (preview > 0 && plain > 0) PrintRatio("preview NextPage at 100% / PaintTo onto a bitmap", preview / plain, 1.5);
  const int64_t after = f.store->TempStreamSize();
  std::printf("temporary file: %lld bytes before the walk, %lld after\n", static_cast<long long>(before),
              static_cast<long long>(after));
  gFixture.reset();
  return after == before ? 0 : 1;
}
