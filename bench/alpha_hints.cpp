// The alpha hints: building one hint picture (measure, nine parts, three
// rows of tagged text, premultiply) against measuring and drawing the same
// plain text into a bitmap of the same size; one show-animation tick
// against its 10 ms interval; measuring 2 KB of tagged text against
// DT_CALCRECT of the same text untagged.
#include "platform/ui/Forms.h"
#include "skin/forms/hints/AlphaHints.h"
#include "skin/forms/hints/HintArt.h"
#include "skin/forms/hints/HintWindows.h"
#include "skin/forms/hints/Html.h"
#include "skin/forms/hints/ShowTimer.h"
#include "skin/graphics/Bitmaps32.h"
#include "support/BenchSupport.h"
#include "support/FastestReporter.h"
#include <benchmark/benchmark.h>
#include <chrono>
#include <memory>

namespace {
const String kTagged = u"<B>Movimentos</B> de caixa<BR>Abre o movimento de <FONT COLOR=navy>01/02/2026</FONT>"
                       u"<BR>e seus recebimentos &ndash; <I>F11</I>";
const String kPlain = u"Movimentos de caixa\r\nAbre o movimento de 01/02/2026\r\ne seus recebimentos \u2013 F11";

String Repeated(const String& text, size_t size) {
  String s;
  while (s.size() < size) s += text;
  return s;
}

struct THints {
  TsAlphaHints Hints{nullptr};
  TacPngHintWindow Window{nullptr};
  THints() {
    AddStockHintTemplates(*Hints.Templates());
    Hints.SetTemplateName(u"Cartoon Baloon");
    Hints.SetHTMLMode(true);
    Hints.SetMaxWidth(0);
    Hints.SetActive(true);
    Window.SetHintLocation(TPoint(200, 200));
  }
  // The whole picture of one hint; its size.
  TSize Build() {
    const TRect r = Window.CalcHintRect(0, kTagged, nullptr);
    Hints.NewBounds = TRect(200, 200, 200 + r.Width(), 200 + r.Height());
    Window.CreateAlphaBmp(r.Width(), r.Height());
    return TSize{r.Width(), r.Height()};
  }
};

THints& Shared() {
  static THints hints;
  return hints;
}

void HintPicture(benchmark::State& state) {
  THints& h = Shared();
  for (auto _ : state) benchmark::DoNotOptimize(h.Build());
}

void PlainDrawText(benchmark::State& state) {
  const TSize size = Shared().Build();
  TFont font;
  font.Assign(*Shared().Hints.CurrentTemplateOf().Font());
  for (auto _ : state) {
    auto bmp = NewBmp32(size.cx, size.cy);
    HDC dc = bmp->Canvas()->Handle();
    HGDIOBJ old = SelectObject(dc, font.Handle());
    RECT r{0, 0, GetSystemMetrics(SM_CXSCREEN), 0};
    DrawTextW(dc, reinterpret_cast<LPCWSTR>(kPlain.c_str()), static_cast<int>(kPlain.size()), &r,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    DrawTextW(dc, reinterpret_cast<LPCWSTR>(kPlain.c_str()), static_cast<int>(kPlain.size()), &r,
              DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old);
    GdiFlush();
    benchmark::DoNotOptimize(r);
  }
}

void ShowTick(benchmark::State& state) {
  THints& h = Shared();
  const TSize size = h.Build();
  h.Hints.AnimWindow = TacCustomHintWindow::CreateHintWindow(h.Hints.NewBounds);
  TsShowTimer timer(nullptr);
  timer.Init(&h.Window, size.cx, size.cy);
  timer.SetEnabled(false);
  for (auto _ : state) {
    timer.Step = 0;
    h.Hints.Blend = 0;
    timer.IntOnTimer(nullptr);
  }
  h.Hints.AnimWindow.reset();
}

// 2 KB of tagged text; a little in a smoke run.
size_t LongSize() { return BenchSmoke() ? 256 : 2048; }

const String& LongTagged() {
  static const String text = Repeated(u"Recebimento <B>n\u00BA 123</B> de <FONT COLOR=red SIZE=+1>R$ 45,60</FONT> "
                                      u"em <I>dinheiro</I> &amp; cheque<BR>",
                                      LongSize());
  return text;
}
// The same text without its tags: breaks as line ends, entities as their
// characters.
const String& LongPlain() {
  static const String text = [] {
    String plain;
    const String& tagged = LongTagged();
    for (size_t i = 0; i < tagged.size(); ++i) {
      if (tagged[i] == u'<') {
        const size_t close = tagged.find(u'>', i);
        if (tagged.compare(i, 4, u"<BR>") == 0) plain += u"\r\n";
        i = close;
      } else if (tagged.compare(i, 5, u"&amp;") == 0) {
        plain += u'&';
        i += 4;
      } else {
        plain += tagged[i];
      }
    }
    return plain;
  }();
  return text;
}

void HtmlMeasure(benchmark::State& state) {
  auto bmp = NewBmp32(1, 1);
  bmp->Canvas()->Font()->SetName(u"Tahoma");
  for (auto _ : state) {
    bmp->Canvas()->Font()->SetSize(8);
    bmp->Canvas()->Font()->SetStyle(TFontStyles());
    TsHtml html;
    html.Init(bmp.get(), LongTagged(), TRect(0, 0, 300, 0));
    TacLinks links;
    benchmark::DoNotOptimize(html.HTMLText(links, true));
  }
}

void PlainCalcRect(benchmark::State& state) {
  auto bmp = NewBmp32(1, 1);
  bmp->Canvas()->Font()->SetName(u"Tahoma");
  bmp->Canvas()->Font()->SetSize(8);
  HDC dc = bmp->Canvas()->Handle();
  for (auto _ : state) {
    RECT r{0, 0, 300, 0};
    DrawTextW(dc, reinterpret_cast<LPCWSTR>(LongPlain().c_str()), static_cast<int>(LongPlain().size()), &r,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    benchmark::DoNotOptimize(r);
  }
}
}  // namespace

BENCH_FASTEST(HintPicture);
BENCH_FASTEST(PlainDrawText);
BENCH_FASTEST(ShowTick);
BENCH_FASTEST(HtmlMeasure);
BENCH_FASTEST(PlainCalcRect);

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TFastestReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const double picture = reporter.Time("HintPicture"), plain = reporter.Time("PlainDrawText");
  if (picture > 0 && plain > 0) PrintRatio("hint picture / plain DrawText of the same size", picture / plain);
  const double tick = reporter.Time("ShowTick");
  if (tick > 0) PrintRatio("show tick / its 10 ms interval", tick / 10e6);
  const double html = reporter.Time("HtmlMeasure"), calc = reporter.Time("PlainCalcRect");
  if (html > 0 && calc > 0) PrintRatio("TsHtml measuring 2 KB / DT_CALCRECT untagged", html / calc);
  benchmark::Shutdown();
  return 0;
}
