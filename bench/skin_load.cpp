// Loading a skin by name: the generated test skin and a large variant (200
// more sections, 1,000 more image parts), from a folder, a packed file and a
// stored skin, and with hue, saturation and brightness applied.
#include "skin/engine/SkinManager.h"
#include "skin/engine/SkinStored.h"
#include "skin/graphics/LibUtils.h"
#include "skin/support/TestSkinWriter.h"
#include "support/BenchSupport.h"
#include "support/FastestReporter.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/NumUtils.h"
#include <benchmark/benchmark.h>
#include <sstream>

namespace {
const char16_t* const Names[2] = {u"TestSkin", u"LargeSkin"};

std::vector<TTestSkinFile> LargeSkinFiles() {
  auto files = TestSkinFiles(0);
  std::ostringstream more;
  const int sections = BenchSmoke() ? 10 : 200;
  for (int i = 0; i < sections; ++i)
    more << "\r\n[BIG" << i << "]\r\nPARENTCLASS=BUTTON\r\nCOLOR=" << (0x102030 + i) << "\r\nHOTCOLOR=$C0C0C0\r\n"
         << "GRADIENTDATA=16777215;" << (0x808080 + i) << ";100;0;0\r\nGRADIENTPERCENT=40\r\n"
         << "BORDERSMASK=^0000,0000,0060,0040,0004,0004,0004,0004,3,1,5,0\r\n"
         << "GLYPHMASK=@0080,0000,0096,0016,1,0\r\nPATTERN=~0128,0000,0144,0016,01\r\n"
         << "HOTPATTERN=~0000~0000~0016~0016~01~0~Tex.jpg\r\nIMGTOPLEFT=!Glow.png!1!1!3!4!4!4!4!0\r\n";
  files[0].Bytes += more.str();
  return files;
}

// Folders only, packed files only, and the packed bytes for stored skins.
struct TBenchSkins {
  String FolderDir, PackedDir;
  std::string Packed[2];
};

const TBenchSkins& Skins() {
  static const TBenchSkins skins = [] {
    TBenchSkins s;
    const String base = TestSkinsDir() + u"\\Bench";
    s.FolderDir = base + u"\\Folders\\";
    s.PackedDir = base + u"\\Packed\\";
    ForceDirectories(s.PackedDir);
    for (int v = 0; v < 2; ++v) {
      const auto files = v == 0 ? TestSkinFiles(0) : LargeSkinFiles();
      ForceDirectories(s.FolderDir + Names[v]);
      for (const auto& f : files) WriteFileBytes(s.FolderDir + Names[v] + u"\\" + Utf8ToString(f.Name), f.Bytes);
      s.Packed[v] = PackSkinFiles(files);
      WriteFileBytes(s.PackedDir + Names[v] + u".asz", s.Packed[v]);
    }
    return s;
  }();
  return skins;
}

enum TForm { Folder, Packed, Stored };

void Load(benchmark::State& state, TForm Form, bool Adjusted) {
  const int v = static_cast<int>(state.range(0));
  TsSkinManager sm(nullptr);
  const TBenchSkins& skins = Skins();
  sm.SetSkinDirectory(Form == Folder ? skins.FolderDir : skins.PackedDir);
  String name = Names[v];
  if (Form == Stored) {
    TsStoredSkin& item = *sm.InternalSkins().Add();
    name = u"Stored";
    item.SetName(name);
    TMemoryStream data;
    data.WriteBuffer(skins.Packed[v].data(), static_cast<int64_t>(skins.Packed[v].size()));
    data.SetPosition(0);
    item.LoadDataFromStream(data);
    sm.SetSkinDirectory(skins.FolderDir + u"None");
  }
  sm.SetSkinName(name);
  if (Adjusted) {
    sm.SetHueOffset(30);
    sm.SetSaturation(20);
    sm.SetBrightness(10);
  }
  if (sm.Model.gd.empty()) state.SkipWithError("the skin did not load");
  for (auto _ : state) {
    sm.SetSkinName(name);
    benchmark::DoNotOptimize(sm.Model.ma.size());
  }
  state.SetLabel(StringToUtf8(Names[v]) + ", " + std::to_string(sm.Model.gd.size()) + " sections, " +
                 std::to_string(sm.Model.ma.size()) + " parts");
}

void FromFolder(benchmark::State& state) { Load(state, Folder, false); }
void FromPacked(benchmark::State& state) { Load(state, Packed, false); }
void FromStored(benchmark::State& state) { Load(state, Stored, false); }
void FromFolderAdjusted(benchmark::State& state) { Load(state, Folder, true); }
}  // namespace

BENCH_FASTEST(FromFolder)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCH_FASTEST(FromPacked)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCH_FASTEST(FromStored)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCH_FASTEST(FromFolderAdjusted)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TFastestReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  for (int v = 0; v < 2; ++v) {
    const std::string arg = "/" + std::to_string(v), skin = v == 0 ? "TestSkin" : "large skin";
    const double folder = reporter.Time("FromFolder" + arg);
    const double packed = reporter.Time("FromPacked" + arg);
    const double stored = reporter.Time("FromStored" + arg);
    const double adjusted = reporter.Time("FromFolderAdjusted" + arg);
    if (folder <= 0) continue;
    if (packed > 0) PrintRatio(("packed / folder, " + skin).c_str(), packed / folder, 1.3);
    if (stored > 0) PrintRatio(("stored / folder, " + skin).c_str(), stored / folder, 1.3);
    if (adjusted > 0) PrintRatio(("with hue, saturation and brightness / plain, " + skin).c_str(), adjusted / folder, 2);
  }
  benchmark::Shutdown();
  RemoveTestSkins();
  return 0;
}
