#include "skin/support/TestSkinFixture.h"
#include "skin/engine/SkinPacked.h"
#include "skin/graphics/LibUtils.h"
#include "platform/rtl/FileUtils.h"
#include <gtest/gtest.h>
#include <chrono>
#include <cstring>

namespace {
enum class TRead { Refused, Failed, Read };

// Reads Bytes as a packed skin; the refusal's box is answered.
TRead ReadBytes(const std::string& Bytes, TacSkinConvertor& Out) {
  Out.Clear();
  TMemoryStream data;
  if (!Bytes.empty()) data.WriteBuffer(Bytes.data(), static_cast<int64_t>(Bytes.size()));
  Out.PackedData = &data;
  UiTestSeam::QueueMessageBoxAnswer(IDOK);
  TRead result;
  try {
    result = ReadPackedSkin(Out, nullptr) ? TRead::Read : TRead::Refused;
  } catch (const Exception&) {
    result = TRead::Failed;
  }
  Out.PackedData = nullptr;
  UiTestSeam::Reset();
  return result;
}

void Put32(std::string& Bytes, size_t At, uint32_t Value) { std::memcpy(&Bytes[At], &Value, 4); }

// Offsets of each entry's name length and size fields, and of its stream.
struct TEntryAt {
  size_t NameLength, Size, Stream, StreamEnd;
};
std::vector<TEntryAt> EntryOffsets(const std::vector<TTestSkinFile>& Files) {
  std::vector<TEntryAt> at;
  size_t pos = 8;
  for (const auto& f : Files) {
    const std::string entry = PackedEntry(f.Name == "Options.dat" ? "options.DAT" : f.Name, f.Bytes);
    const size_t name = f.Name.size();
    at.push_back({pos, pos + 4 + name, pos + 8 + name, pos + entry.size()});
    pos += entry.size();
  }
  return at;
}
}  // namespace

TEST(SkinPacked, ContainerEntries) {
  const auto files = TestSkinFiles(0);
  TacSkinConvertor c;
  ASSERT_EQ(ReadBytes(PackSkinFiles(files), c), TRead::Read);
  ASSERT_TRUE(c.Options);
  EXPECT_EQ(c.Options->Size(), static_cast<int64_t>(files[0].Bytes.size()));
  ASSERT_EQ(c.ImageCount, 5);
  ASSERT_EQ(c.Files.size(), 5u);
  EXPECT_EQ(c.Files[0].FileName, u"Master.bmp");
  EXPECT_TRUE(c.Files[0].IsBitmap);
  EXPECT_FALSE(c.Files[1].IsBitmap);
  EXPECT_EQ(c.Files[4].FileStream->Size(), static_cast<int64_t>(files[5].Bytes.size()));

  // The image count is what was read, whatever the options entries.
  auto noOptions = files;
  noOptions.erase(noOptions.begin());
  ASSERT_EQ(ReadBytes(PackSkinFiles(noOptions), c), TRead::Read);
  EXPECT_FALSE(c.Options);
  EXPECT_EQ(c.ImageCount, 5);
  auto twice = files;
  twice.push_back({"OPTIONS.dat", "[LAST]\r\n"});
  ASSERT_EQ(ReadBytes(PackSkinFiles(twice), c), TRead::Read);
  EXPECT_EQ(c.ImageCount, 5);
  EXPECT_EQ(c.Options->Size(), 8);  // the last one counts

  // Only the options: no images; 200 entries are read whole.
  ASSERT_EQ(ReadBytes(PackSkinFiles({files[0]}), c), TRead::Read);
  EXPECT_EQ(c.ImageCount, 0);
  std::vector<TTestSkinFile> many{files[0]};
  for (int i = 0; i < 200; ++i) many.push_back({"img" + std::to_string(i) + ".png", std::string(i, 'x')});
  ASSERT_EQ(ReadBytes(PackSkinFiles(many), c), TRead::Read);
  EXPECT_EQ(c.ImageCount, 200);

  // Not a packed skin: shorter than 8 bytes, or another signature.
  for (const std::string& bad : {std::string(), std::string("ASzf"), std::string("ASzf\0\0\0", 7),
                                std::string("PK\3\4\0\0\0\0\0\0\0\0")})
    EXPECT_EQ(ReadBytes(bad, c), TRead::Refused) << bad.size();
  EXPECT_EQ(ReadLittleEndian(reinterpret_cast<const uint8_t*>("ASzf\x01\x02\x03\x04"), 8, 4, 4), 0x04030201u);
  EXPECT_EQ(ReadLittleEndian(reinterpret_cast<const uint8_t*>("ASzf\x01\x02"), 6, 4, 4), 0x0201u);
}

TEST(SkinPacked, EntriesFoundByNameInAnyCase) {
  auto files = TestSkinFiles(0);
  files.push_back({"GLOW.PNG", "second of the name"});
  TacSkinConvertor c;
  ASSERT_EQ(ReadBytes(PackSkinFiles(files), c), TRead::Read);
  ASSERT_NE(c.FindFile(u"glow.png"), nullptr);
  EXPECT_EQ(c.FindFile(u"GLOW.PNG"), &c.Files[1]);  // the first of two
  EXPECT_EQ(c.FindFile(u"Plain.BMP"), &c.Files[4]);
  EXPECT_EQ(c.FindFile(u"Missing.png"), nullptr);
  EXPECT_EQ(c.FindFile(u""), nullptr);
  // Read again with other entries: the names of the first read are gone.
  ASSERT_EQ(ReadBytes(PackSkinFiles({files[0], {"Other.png", "x"}, {"Another.bmp", "y"}, {"Third.jpg", "z"},
                                     {"Fourth.png", "w"}, {"Fifth.png", "v"}}),
                      c),
            TRead::Read);
  EXPECT_EQ(c.FindFile(u"Glow.png"), nullptr);
  EXPECT_EQ(c.FindFile(u"FIFTH.PNG"), &c.Files[4]);
}

TEST(SkinPacked, DamagedContainersAreRefusedQuickly) {
  const auto files = TestSkinFiles(0);
  const std::string good = PackSkinFiles(files);
  TacSkinConvertor c;
  using Clock = std::chrono::steady_clock;
  double slowest = 0;
  const auto timed = [&](const std::string& bytes) {
    const auto start = Clock::now();
    const TRead r = ReadBytes(bytes, c);
    slowest = std::max(slowest, std::chrono::duration<double>(Clock::now() - start).count());
    return r;
  };
  // Truncated at every byte: never read as whole.
  for (size_t n = 0; n < good.size(); ++n) ASSERT_NE(timed(good.substr(0, n)), TRead::Read) << n;

  // Count, name-length and size fields at the edges.
  const auto at = EntryOffsets(files);
  for (uint32_t value : {0u, 1u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
    std::string count = good;
    Put32(count, 4, value);
    const TRead r = timed(count);
    EXPECT_TRUE(value <= 1 ? r == TRead::Read : r == TRead::Failed) << "count " << value;
    for (const TEntryAt& e : at) {
      std::string name = good, size = good;
      Put32(name, e.NameLength, value);
      Put32(size, e.Size, value);
      EXPECT_EQ(timed(name), TRead::Failed) << "name length " << value;
      EXPECT_EQ(timed(size), TRead::Failed) << "size " << value;
    }
  }
  // Two streams swapped, a stream cut short, a stream with bytes left over.
  std::string swapped = good.substr(0, at[2].Stream) + good.substr(at[3].Stream, at[3].StreamEnd - at[3].Stream) +
                        good.substr(at[2].StreamEnd);
  EXPECT_EQ(timed(swapped), TRead::Failed);
  std::string cut = good;
  cut.erase(at[1].Stream + 10, 5);
  EXPECT_EQ(timed(cut), TRead::Failed);
  std::string padded = good;
  padded.insert(at[0].StreamEnd, "\0\0", 2);
  EXPECT_EQ(timed(padded), TRead::Failed);
  EXPECT_LT(slowest, 1.0);
}

TEST(SkinPacked, StoredSkinsAndExtraction) {
  auto sm = NewTestSkinManager();
  int changes = 0;
  sm->OnSkinListChanged = [&](TObject*) { ++changes; };
  const std::string packed = PackSkinFiles(TestSkinFiles(0));
  TsStoredSkin& item = AddStoredSkin(*sm, u"Stored", packed);
  EXPECT_GE(changes, 2);  // added, then named
  const int afterAdd = changes;
  item.SetName(u"Stored");
  EXPECT_EQ(changes, afterAdd);  // unchanged: nothing announced
  EXPECT_EQ(item.Shadow1Blur, -1);
  EXPECT_EQ(item.BorderColor, 0xFF00FF);

  // The stored data goes out and comes back through streams.
  TMemoryStream out;
  item.SaveDataToStream(out);
  EXPECT_EQ(out.Size(), static_cast<int64_t>(packed.size()));

  // Assigning copies the items.
  TsSkinManager other(nullptr);
  other.SetActive(false);
  item.Author = u"someone";
  other.SetInternalSkins(sm->InternalSkins());
  ASSERT_EQ(other.InternalSkins().Count(), 1);
  EXPECT_EQ(other.InternalSkins().Items(0)->Name(), u"Stored");
  EXPECT_EQ(other.InternalSkins().Items(0)->Author, u"someone");
  EXPECT_EQ(other.InternalSkins().Items(0)->PackedData().Size(), static_cast<int64_t>(packed.size()));

  const String dest = TestSkinsDir() + u"\\Extracted";
  RemoveDir(dest);
  UiTestSeam::Reset();
  UiTestSeam::QueueMessageBoxAnswer(IDOK);
  sm->ExtractInternalSkin(u"Stored", dest);
  ASSERT_EQ(UiTestSeam::MessageBoxLog().size(), 1u);
  EXPECT_EQ(UiTestSeam::MessageBoxLog()[0].Text, u"Directory does not exists.");
  ForceDirectories(dest);
  const String target = dest + u"\\Stored extracted.asz";
  WriteFileBytes(target, std::string(100000, 'o'));  // an older, longer file
  UiTestSeam::Reset();
  sm->ExtractInternalSkin(u"Stored", dest);
  EXPECT_TRUE(UiTestSeam::MessageBoxLog().empty());
  EXPECT_EQ(ReadFileBytes(target), packed);
  EXPECT_FALSE(FileExists(target + u".tmp"));

  // Unsafe names write nothing.
  for (const char16_t* name : {u"..\\escape", u"a/b", u"c:x", u".."}) {
    AddStoredSkin(*sm, name, packed);
    UiTestSeam::Reset();
    UiTestSeam::QueueMessageBoxAnswer(IDOK);
    sm->ExtractByIndex(sm->InternalSkins().Count() - 1, dest);
    EXPECT_EQ(UiTestSeam::MessageBoxLog().size(), 1u) << StringToUtf8(name);
  }
  EXPECT_FALSE(FileExists(TestSkinsDir() + u"\\escape extracted.asz"));
  UiTestSeam::Reset();
  UiTestSeam::QueueMessageBoxAnswer(IDOK);
  sm->ExtractInternalSkin(u"Unknown", dest);
  ASSERT_EQ(UiTestSeam::MessageBoxLog().size(), 1u);
  EXPECT_EQ(UiTestSeam::MessageBoxLog()[0].Text, u"Skin does not exists.");
  UiTestSeam::Reset();
}
