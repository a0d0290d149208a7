#include "PageFileTestSupport.h"
#include "report/pages/RLPageFile.h"
#include "platform/classes/Streams.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/NumUtils.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <vector>

namespace {
// What a version 1 or 2 page cannot carry, taken off a copy of the object.
std::string LegacyBody(const TRLGraphicObject* AObject, TRLGraphicSurface& AScratch) {
  std::unique_ptr<TRLGraphicObject> copy(AObject->Clone(&AScratch));
  // New objects join the group in force when the page is read.
  copy->SetGroupId(CurrentGroupId);
  copy->SetGeneratorId(0);
  if (auto* line = dynamic_cast<TRLLineObject*>(copy.get())) {
    line->Brush()->SetColor({});
    line->Brush()->SetStyle(RLMeta::BrushStyleSolid);
    TRLMetaPoint a = line->FromPoint(), b = line->ToPoint();
    line->SetBoundsRect({std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)});
  }
  if (auto* text = dynamic_cast<TRLTextObject*>(copy.get())) {
    text->SetLayout(RLMeta::LayoutTop);
    text->SetTextFlags(text->TextFlags() | RLMeta::TextFlagKeepWhole);
    text->Font()->SetPixelsPerInch(96);
    text->Font()->SetSize(-static_cast<int32_t>(Round(text->Font()->Height() * 72.0 / 96)));
  }
  if (auto* image = dynamic_cast<TRLImageObject*>(copy.get())) image->SetParity(false);
  // A reset keeps only its kind: the old layout stores the clip it returns to.
  if (copy->Kind() == RLKind::ResetClipRect) return "reset";
  return BodyOf(copy.get());
}

std::string Body(const TRLGraphicObject* AObject) {
  return AObject->Kind() == RLKind::ResetClipRect ? "reset" : BodyOf(AObject);
}
}  // namespace

TEST(PageFile, EveryVersionRoundTripsEveryObjectKind) {
  for (int version = 1; version <= 4; ++version) {
    SCOPED_TRACE("version " + std::to_string(version));
    std::unique_ptr<TRLGraphicStorage> original = SampleStore();
    std::string bytes = SaveToBytes(*original, version);
    TRLGraphicStorage loaded;
    LoadFromBytes(loaded, bytes);
    EXPECT_EQ(loaded.FileVersion(), version);
    ASSERT_EQ(loaded.PageCount(), 3);
    EXPECT_EQ(loaded.Orientation(), version == 1 ? 1 : 2);
    EXPECT_EQ(loaded.Title(), version == 1 ? u"" : u"Recebimentos");
    for (int p = 0; p < 3; ++p) {
      // Both stores' caches hold five pages: copy the records out first.
      auto expected = std::make_unique<TRLGraphicSurface>();
      TRLRecordWriter record;
      original->GetPages(p)->SaveToRecord(record);
      expected->LoadFromRecord(record.Data());
      TRLGraphicSurface* actual = loaded.GetPages(p);
      ASSERT_NE(actual, nullptr) << "page " << p;
      EXPECT_EQ(actual->Width(), 794);
      EXPECT_EQ(actual->Height(), 1123);
      ASSERT_EQ(actual->ObjectCount(), expected->ObjectCount()) << "page " << p;
      TRLGraphicSurface scratch;
      for (int i = 0; i < expected->ObjectCount(); ++i) {
        const TRLGraphicObject* e = expected->Objects(i);
        const TRLGraphicObject* a = actual->Objects(i);
        ASSERT_EQ(a->Kind(), e->Kind()) << "page " << p << " object " << i;
        EXPECT_EQ(Body(a), version <= 2 ? LegacyBody(e, scratch) : Body(e)) << "page " << p << " object " << i;
        if (auto* text = dynamic_cast<const TRLTextObject*>(a)) {
          EXPECT_EQ(text->Font()->Name(), dynamic_cast<const TRLTextObject*>(e)->Font()->Name());
        }
      }
      if (version >= 3) {
        EXPECT_EQ(actual->Macros()->Text(), expected->Macros()->Text());
      } else {
        EXPECT_EQ(actual->Macros()->Values(u"Orientation"), version == 1 ? u"1" : u"2");
      }
    }
    // A loaded file of version 3 or 4 saves back byte for byte.
    if (version >= 3) {
      EXPECT_EQ(SaveToBytes(loaded, version), bytes);
    }
  }
}

TEST(PageFile, HeadersTablesAndMacros) {
  TRLGraphicStorage empty;
  std::string v3 = SaveToBytes(empty, 3);
  EXPECT_EQ(v3, std::string("RLGraphicStorage3\x1A", 18) + Le32(0) + Le32(0));
  TRLGraphicStorage reloaded;
  LoadFromBytes(reloaded, v3);
  EXPECT_EQ(reloaded.PageCount(), 0);

  std::unique_ptr<TRLGraphicStorage> sample = SampleStore();
  std::string v4 = SaveToBytes(*sample, 4);
  size_t tableAt = 18 + 4;
  for (int i = 0; i < sample->Macros()->Count(); ++i) tableAt += 4 + sample->Macros()->Strings(i).size();
  EXPECT_EQ(v4.substr(tableAt, 4), Le32(3));
  // Eight bytes an entry: the first page starts right after 24 bytes.
  EXPECT_EQ(v4.substr(tableAt + 4, 8), Le64(static_cast<int64_t>(tableAt + 4 + 24)));

  std::string v2 = SaveToBytes(*sample, 2);
  EXPECT_NE(v2.find("Orientation=1"), std::string::npos);
  EXPECT_EQ(v2.find("Orientation=2"), std::string::npos);
}

TEST(PageFile, CorruptHeadersFailTheLoadAndLeaveAnEmptyStore) {
  const std::string headers[] = {
      std::string("RLGraphicStorage5\x1A", 18),
      std::string(25, 'x'),
      std::string("RLGraph"),
      std::string(),
  };
  for (const std::string& header : headers) {
    std::unique_ptr<TRLGraphicStorage> store = SampleStore();
    try {
      LoadFromBytes(*store, header + Le32(0) + Le32(0));
      ADD_FAILURE() << header;
    } catch (const EReadError& e) {
      EXPECT_EQ(e.Message().substr(0, 21), u"Corrupt file header \"");
    }
    EXPECT_EQ(store->PageCount(), 0);
    EXPECT_EQ(store->Macros()->Count(), 0);
    // Still usable.
    store->Add(new TRLGraphicSurface());
    EXPECT_NE(store->GetPages(0), nullptr);
  }
}

namespace {
// A 120-byte record of the old layout.
struct LegacyRecord {
  std::string Bytes = std::string(120, '\0');
  LegacyRecord& Int(size_t at, int32_t value) {
    Bytes.replace(at, 4, Le32(value));
    return *this;
  }
  LegacyRecord& Byte(size_t at, uint8_t value) {
    Bytes[at] = static_cast<char>(value);
    return *this;
  }
};

LegacyRecord LegacyText(uint8_t code, uint8_t noClip) {
  LegacyRecord r;
  r.Int(0, 10).Int(4, 20).Int(8, 110).Int(12, 40).Int(16, 12).Int(20, 22).Byte(28, code);
  r.Int(56, 0xFFFFFF).Byte(60, 1);                            // clear white brush
  r.Int(72, 0x0000FF).Int(76, -16).Byte(80, 2).Byte(92, 1);   // red, 16 px, fixed, bold
  r.Int(104, 1).Int(112, 0).Byte(116, 2).Byte(117, noClip);   // centred
  return r;
}

std::string LegacyPage(int w, int h, std::initializer_list<std::string> strings,
                       const std::vector<LegacyRecord>& records) {
  std::string page = Le32(w) + Le32(h) + Le32(static_cast<int32_t>(strings.size()));
  for (const std::string& s : strings) page += Counted(s);
  page += Le32(static_cast<int32_t>(records.size()));
  for (const LegacyRecord& r : records) page += r.Bytes;
  return page;
}
}  // namespace

TEST(PageFile, HandWrittenVersionTwoFileWithTwoPages) {
  LegacyRecord rect;
  rect.Int(0, 1).Int(4, 2).Int(8, 30).Int(12, 40).Byte(28, 2).Int(40, 0xFF0000).Byte(44, 4).Byte(45, 1).Int(48, 2);
  std::string page0 = LegacyPage(100, 200, {}, {rect});
  std::string page1 = LegacyPage(100, 200, {"Hi", "Arial"}, {LegacyText(4, 0), LegacyText(3, 0), LegacyText(4, 1)});
  std::string file = std::string("RPF2\x1A", 5) + Le32(2) + Counted("Orientation=1") + Counted("Title=Old") +
                     Le32(2) + Le32(0) + Le32(static_cast<int32_t>(page0.size())) + page0 + page1;
  TRLGraphicStorage store;
  LoadFromBytes(store, file);
  EXPECT_EQ(store.FileVersion(), 2);
  EXPECT_EQ(store.Orientation(), 2);  // numbered from 0 in the old files
  EXPECT_EQ(store.Title(), u"Old");
  ASSERT_EQ(store.PageCount(), 2);

  TRLGraphicSurface* first = store.GetPages(0);
  ASSERT_NE(first, nullptr);
  ASSERT_EQ(first->ObjectCount(), 1);
  auto* r = dynamic_cast<TRLRectangleObject*>(first->Objects(0));
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->BoundsRect(), (TRLMetaRect{1, 2, 30, 40}));
  EXPECT_EQ(r->Pen()->Color(), (TRLMetaColor{0, 0, 255}));
  EXPECT_EQ(r->Pen()->Mode(), 5);
  EXPECT_EQ(r->Pen()->Style(), 2);
  EXPECT_EQ(first->Orientation(), 2);

  TRLGraphicSurface* second = store.GetPages(1);
  ASSERT_NE(second, nullptr);
  ASSERT_EQ(second->ObjectCount(), 3);
  const uint16_t flags[] = {4, 5, 5};
  for (int i = 0; i < 3; ++i) {
    auto* t = dynamic_cast<TRLTextObject*>(second->Objects(i));
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->TextFlags(), flags[i]) << i;
    EXPECT_EQ(t->Text(), "Hi");
    EXPECT_EQ(t->Alignment(), RLMeta::AlignCenter);
    EXPECT_EQ(t->Origin(), (TRLMetaPoint{12, 22}));
    EXPECT_EQ(t->Font()->Name(), u"Arial");
    EXPECT_EQ(t->Font()->Size(), 12);  // -(-16 x 72 / 96): a character height of 16
    EXPECT_EQ(t->Font()->Pitch(), 3);
    EXPECT_EQ(t->Font()->Color(), (TRLMetaColor{255, 0, 0}));
    EXPECT_EQ(t->Brush()->Style(), RLMeta::BrushStyleClear);
  }

  // The same file with a page count of 1 and an Orientation that is no number.
  std::string odd = std::string("RPF2\x1A", 5) + Le32(1) + Counted("Orientation=abc") + Le32(1) + Le32(0) + page0;
  LoadFromBytes(store, odd);
  EXPECT_EQ(store.Orientation(), 1);
}

TEST(PageFile, HandWrittenVersionOneFileHasNoMacros) {
  std::string page = LegacyPage(50, 60, {"Hi", "Arial"}, {LegacyText(3, 0), LegacyText(4, 0)});
  std::string file = std::string("Quaden Metafile\x1A", 16) + Le32(1) + Le32(0) + page;
  TRLGraphicStorage store;
  LoadFromBytes(store, file);
  EXPECT_EQ(store.FileVersion(), 1);
  EXPECT_EQ(store.Macros()->Count(), 0);
  EXPECT_EQ(store.Orientation(), 1);
  EXPECT_EQ(store.PaperWidth(), 0);
  TRLGraphicSurface* s = store.GetPages(0);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(dynamic_cast<TRLTextObject*>(s->Objects(0))->TextFlags(), 5);
  EXPECT_EQ(dynamic_cast<TRLTextObject*>(s->Objects(1))->TextFlags(), 4);

  // A string index outside the table fails the load.
  LegacyRecord bad = LegacyText(4, 0);
  bad.Int(112, 7);
  std::string badFile = std::string("Quaden Metafile\x1A", 16) + Le32(1) + Le32(0) +
                        LegacyPage(50, 60, {"Hi", "Arial"}, {bad});
  EXPECT_THROW(LoadFromBytes(store, badFile), EListError);
  EXPECT_EQ(store.PageCount(), 0);

  // Records that all name one long string would copy it again and again.
  std::string repeated = std::string("Quaden Metafile\x1A", 16) + Le32(1) + Le32(0) +
                         LegacyPage(50, 60, {std::string(200000, 'x'), "Arial"},
                                    std::vector<LegacyRecord>(2000, LegacyText(4, 0)));
  EXPECT_THROW(LoadFromBytes(store, repeated), EReadError);
  EXPECT_EQ(store.PageCount(), 0);
}

TEST(PageFile, LegacyPixelsKeepTheirColour) {
  TRLGraphicStorage store;
  auto* page = new TRLGraphicSurface();
  page->SetPixels(1, 1, RGBColor(1, 2, 3));
  store.Add(page);
  for (int version : {1, 2}) {
    TRLGraphicStorage loaded;
    LoadFromBytes(loaded, SaveToBytes(store, version));
    auto* pixel = dynamic_cast<TRLPixelObject*>(loaded.GetPages(0)->Objects(0));
    ASSERT_NE(pixel, nullptr);
    EXPECT_EQ(pixel->Color(), (TRLMetaColor{1, 2, 3})) << version;
  }
}
