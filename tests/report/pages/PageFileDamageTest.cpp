// Damaged and huge page files: every load either succeeds or raises the
// load error, quickly, and a failed save leaves nothing half written.
#include "PageFileTestSupport.h"
#include "platform/classes/Streams.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/ui/graphics/Bitmap.h"
#include <gtest/gtest.h>
#include <chrono>
#include <random>

namespace {
enum class Outcome { Loaded, Refused };

Outcome TryLoad(TRLGraphicStorage& store, const std::string& bytes) {
  try {
    LoadFromBytes(store, bytes);
  } catch (const Exception&) {
    EXPECT_EQ(store.PageCount(), 0);
    return Outcome::Refused;
  }
  // Pages of versions 3 and 4 are read when asked for: a damaged one is
  // none. Whatever was read paints, whatever its counts and sizes say.
  static TBitmap* target = [] {
    auto* bitmap = new TBitmap;
    bitmap->SetPixelFormat(pf32bit);
    bitmap->SetSize(200, 280);
    return bitmap;
  }();
  for (int i = 0; i < store.PageCount(); ++i)
    if (TRLGraphicSurface* page = store.GetPages(i)) page->PaintTo(target->Canvas(), {0, 0, 200, 280});
  return Outcome::Loaded;
}

std::string Mutate(const std::string& bytes, std::mt19937& random) {
  std::string damaged = bytes;
  std::uniform_int_distribution<size_t> at(0, bytes.size() - 1);
  switch (random() % 3) {
    case 0:
      for (int flips = 1 + random() % 4; flips > 0; --flips)
        damaged[at(random)] ^= static_cast<char>(1 + random() % 255);
      break;
    case 1:
      damaged.resize(at(random));
      break;
    default: {
      const int32_t counts[] = {0, -1, 0x7FFFFFFF};
      size_t where = at(random);
      if (where + 4 <= damaged.size()) damaged.replace(where, 4, Le32(counts[random() % 3]));
      break;
    }
  }
  return damaged;
}

String TempName(const char* name) { return GetTempFolder() + u"rpages-" + AsciiToString(name); }
}  // namespace

TEST(PageFileDamage, SeededDamageToFilesOfEveryVersion) {
  std::unique_ptr<TRLGraphicStorage> sample = SampleStore();
  std::mt19937 random(20261210);
  auto started = std::chrono::steady_clock::now();
  for (int version = 1; version <= 4; ++version) {
    std::string bytes = SaveToBytes(*sample, version);
    int loaded = 0, refused = 0;
    TRLGraphicStorage store;
    for (int round = 0; round < 300; ++round)
      (TryLoad(store, Mutate(bytes, random)) == Outcome::Loaded ? loaded : refused)++;
    EXPECT_GT(refused, 0) << version;
    EXPECT_GT(loaded, 0) << version;
  }
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(60));
}

TEST(PageFileDamage, SeededDamageToSurfaceRecords) {
  std::unique_ptr<TRLGraphicStorage> sample = SampleStore();
  TRLRecordWriter record;
  sample->GetPages(0)->SaveToRecord(record);
  std::mt19937 random(7);
  for (int round = 0; round < 1000; ++round) {
    std::string damaged = Mutate(record.Data(), random);
    TRLGraphicSurface surface;
    try {
      surface.LoadFromRecord(damaged);
      // Whatever was read names fonts that exist.
      for (int i = 0; i < surface.ObjectCount(); ++i)
        if (auto* text = dynamic_cast<TRLTextObject*>(surface.Objects(i))) {
          EXPECT_NO_THROW(text->Font()->Name());
        }
    } catch (const Exception&) {
    }
  }
  // An unknown kind is skipped by its size, and the objects after it read.
  TRLGraphicSurface two;
  two.Rectangle(1, 1, 2, 2);
  two.FillRect({3, 3, 4, 4});
  TRLRecordWriter w;
  two.SaveToRecord(w);
  std::string bytes = w.Data();
  size_t firstObject = 18 + 4 + 4 + 4 + 4 + 4;
  bytes.replace(firstObject - 4, 4, Le32(3));
  bytes.insert(firstObject, std::string(1, '\x0C') + Le32(30) + std::string(30, '\x55'));
  TRLGraphicSurface read;
  read.LoadFromRecord(bytes);
  ASSERT_EQ(read.ObjectCount(), 2);
  EXPECT_EQ(read.Objects(1)->Kind(), RLKind::FillRect);
  // A text whose font index lies outside the list is a damaged record.
  TRLGraphicSurface text;
  text.TextOut(0, 0, "x");
  TRLRecordWriter tw;
  text.SaveToRecord(tw);
  std::string textBytes = tw.Data();
  textBytes.replace(textBytes.size() - 22 + 12, 4, Le32(5));
  try {
    read.LoadFromRecord(textBytes);
    ADD_FAILURE();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), u"File is corrupted!");
  }
  for (size_t cut : {size_t(0), size_t(10), size_t(17)}) {
    try {
      read.LoadFromRecord(textBytes.substr(0, cut));
      ADD_FAILURE() << cut;
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), u"File is corrupted!") << cut;
    }
  }
}

TEST(PageFileDamage, VersionFourPageBeyondThreeGigabytes) {
  // A sparse file: the page lies at 3 GiB, nothing before it takes disk.
  constexpr int64_t At = 3LL << 30;
  TRLGraphicSurface page;
  page.SetWidth(10);
  page.Rectangle(1, 2, 3, 4);
  TRLRecordWriter record;
  page.SaveToRecord(record);
  String name = TempName("far.rpf");
  {
    TFileStream file(name, fmCreate);
    std::string head = std::string("RLGraphicStorage4\x1A", 18) + Le32(0) + Le32(1) + Le64(At);
    file.WriteBuffer(head.data(), static_cast<int64_t>(head.size()));
    file.SetPosition(At);
    std::string body = Counted(record.Data());
    file.WriteBuffer(body.data(), static_cast<int64_t>(body.size()));
  }
  TRLGraphicStorage store;
  store.LoadFromFile(name);
  ASSERT_EQ(store.PageCount(), 1);
  TRLGraphicSurface* loaded = store.GetPages(0);
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->Objects(0)->BoundsRect(), (TRLMetaRect{1, 2, 3, 4}));

  // Version 3 cannot point there: the save is refused before it writes.
  TFileStream out(name, fmCreate);
  out.SetPosition(At);
  store.SetFileVersion(3);
  EXPECT_THROW(store.SaveToStream(out), EWriteError);
  EXPECT_EQ(out.Size(), 0);
  // Version 4 can, and reads back from there.
  store.SetFileVersion(4);
  store.SaveToStream(out);
  out.SetPosition(At);
  TRLGraphicStorage again;
  again.LoadFromStream(out);
  ASSERT_EQ(again.PageCount(), 1);
  EXPECT_NE(again.GetPages(0), nullptr);
  DeleteFile(name);
}

TEST(PageFileDamage, AFailedSaveLeavesNoFile) {
  std::unique_ptr<TRLGraphicStorage> store = SampleStore();
  SaveToBytes(*store, 3);  // a good save: every record is in the file now
  {
    // Damage the first page's record in the temporary file.
    TFileStream temp(store->TempFileName(), fmOpenReadWrite | fmShareDenyNone);
    temp.SetPosition(store->PageAllocation().Items(0) + 4);
    temp.WriteBuffer("XXXX", 4);
  }
  String name = TempName("failed.rpf");
  store->SetFileVersion(2);
  EXPECT_THROW(store->SaveToFile(name), Exception);
  EXPECT_FALSE(FileExists(name));
}
