#include "report/pages/RLGraphicStorage.h"
#include "report/pages/RLPageFile.h"
#include "report/pages/RLGraphicSurface.h"
#include "report/pages/RLRecordStream.h"
#include "platform/classes/Streams.h"
#include "platform/rtl/Exceptions.h"
#include "platform/ui/graphics/Bitmap.h"
#include <gtest/gtest.h>

namespace {
TRLMetaRect R(int l, int t, int r, int b) { return {l, t, r, b}; }

template <typename T>
T* Last(TRLGraphicSurface& s) {
  auto* object = dynamic_cast<T*>(s.Objects(s.ObjectCount() - 1));
  EXPECT_NE(object, nullptr);
  return object;
}
}  // namespace

TEST(SurfaceRecording, OperationsRecordTheirBoundsAndAttributes) {
  TRLGraphicSurface s;
  s.SetWidth(200);
  s.SetHeight(100);
  EXPECT_FALSE(s.Opened());
  s.Pen()->SetColor(clRed);
  s.Pen()->SetWidth(3);
  s.Brush()->SetColor(clBtnFace);  // a system colour is stored as its current RGB

  s.LineTo(10, 10);
  EXPECT_TRUE(s.Opened());
  EXPECT_TRUE(s.Modified());
  auto* line = Last<TRLLineObject>(s);
  EXPECT_EQ(line->BoundsRect(), R(-1, -1, 11, 11));
  EXPECT_EQ(s.PenPos(), TPoint(10, 10));
  EXPECT_EQ(line->Pen()->Width(), 3);
  EXPECT_EQ(line->Pen()->Color(), (TRLMetaColor{255, 0, 0}));
  TColor face = ColorToRGB(clBtnFace);
  EXPECT_EQ(line->Brush()->Color(),
            (TRLMetaColor{uint8_t(face & 0xFF), uint8_t((face >> 8) & 0xFF), uint8_t((face >> 16) & 0xFF)}));

  s.Pen()->SetColor(clBlue);  // later changes leave recorded objects alone
  EXPECT_EQ(line->Pen()->Color(), (TRLMetaColor{255, 0, 0}));

  s.Polygon({});
  EXPECT_EQ(Last<TRLPolygonObject>(s)->BoundsRect(), R(-1, -1, 1, 1));
  s.Polyline({{5, 8}, {2, 20}});
  EXPECT_EQ(Last<TRLPolylineObject>(s)->BoundsRect(), R(1, 7, 6, 21));
  s.SetPixels(3, 4, clLime);
  EXPECT_EQ(Last<TRLPixelObject>(s)->BoundsRect(), R(3, 4, 4, 5));
  EXPECT_EQ(s.Pixels(3, 4), clBtnFace);  // no raster: the brush colour

  s.TextOut(5, 7, "abc");
  auto* text = Last<TRLTextObject>(s);
  int w = s.TextWidth("abc"), h = s.TextHeight("abc");
  EXPECT_GT(w, 0);
  EXPECT_EQ(text->BoundsRect(), R(5, 7, 5 + w, 7 + h));
  EXPECT_EQ(text->TextFlags(), 5);
  EXPECT_EQ(text->Alignment(), 1);
  EXPECT_EQ(text->Layout(), 1);
  EXPECT_EQ(text->Origin(), (TRLMetaPoint{5, 7}));
  EXPECT_EQ(text->Font()->Name(), s.Font()->Name());

  int before = s.ObjectCount();
  s.MoveTo(1, 2);
  EXPECT_EQ(s.ObjectCount(), before);
  EXPECT_EQ(s.PenPos(), TPoint(1, 2));
}

TEST(SurfaceRecording, ClipRectsNestAndResetRecordsTheClipBeingRemoved) {
  TRLGraphicSurface s;
  s.SetWidth(100);
  s.SetHeight(50);
  s.Open();
  EXPECT_EQ(s.ClipRect(), TRect(0, 0, 100, 50));
  s.SetClipRect({10, 10, 20, 20});
  s.SetClipRect({12, 12, 18, 18});
  s.ResetClipRect();
  EXPECT_EQ(Last<TRLResetClipRectObject>(s)->BoundsRect(), R(12, 12, 18, 18));
  EXPECT_EQ(s.ClipRect(), TRect(10, 10, 20, 20));
  s.ResetClipRect();
  EXPECT_EQ(s.ClipRect(), TRect(0, 0, 100, 50));
  EXPECT_THROW(s.ResetClipRect(), EListError);
}

TEST(SurfaceRecording, FindFreeRowSkipsUpwardOverTextsMarkedKeepWhole) {
  struct Text {
    int Top, Bottom;
    uint16_t Flags;
  };
  struct Case {
    const char* Name;
    std::vector<Text> Texts;
    int Near;
    bool Found;
    int Row;
  };
  const Case cases[] = {
      {"chained texts", {{90, 110, 4}, {80, 95, 4}}, 100, true, 80},
      {"text from the top", {{0, 120, 4}}, 100, false, 0},
      {"flags 1 and 0 never move", {{90, 110, 1}, {90, 110, 0}}, 100, true, 100},
      {"edges do not cut", {{100, 120, 4}, {80, 100, 4}}, 100, true, 100},
      {"flag 5 counts", {{95, 105, 5}}, 100, true, 95},
  };
  for (const Case& c : cases) {
    TRLGraphicSurface s;
    s.Rectangle(0, 50, 100, 150);  // other kinds never move the row
    for (const Text& t : c.Texts) s.TextRectEx({0, t.Top, 50, t.Bottom}, 0, t.Top, "x", 1, 1, t.Flags);
    int row = -1;
    EXPECT_EQ(s.FindFreeRow(c.Near, row), c.Found) << c.Name;
    EXPECT_EQ(row, c.Row) << c.Name;
  }
}

TEST(SurfaceRecording, DrawCopyAndStretchCloneObjectsIntoThisSurface) {
  TRLGraphicSurface source;
  source.SetWidth(100);
  source.SetHeight(100);
  source.Rectangle(0, 0, 5, 5);
  source.Pen()->SetWidth(2);
  source.Polygon({{10, 10}, {20, 10}, {20, 30}});
  source.Macros()->Add(u"PageNo=3");

  TRLGraphicSurface target;
  target.Draw(10, 20, &source);
  ASSERT_EQ(target.ObjectCount(), 2);
  EXPECT_EQ(target.Objects(0)->BoundsRect(), R(10, 20, 15, 25));
  EXPECT_EQ(source.Objects(0)->BoundsRect(), R(0, 0, 5, 5));
  auto* polygon = dynamic_cast<TRLPolygonObject*>(target.Objects(1));
  ASSERT_NE(polygon, nullptr);
  EXPECT_EQ(polygon->Points()[0], (TRLMetaPoint{20, 30}));
  EXPECT_EQ(dynamic_cast<TRLPolygonObject*>(source.Objects(1))->Points()[0], (TRLMetaPoint{10, 10}));
  EXPECT_EQ(target.Macros()->Text(), u"PageNo=3\r\n");

  // Half size into (100, 100, 150, 150): clip pair around the scaled copies;
  // objects outside the source rectangle are left out.
  TRLGraphicSurface scaled;
  scaled.StretchDraw({100, 100, 150, 150}, &source);
  ASSERT_EQ(scaled.ObjectCount(), 4);
  EXPECT_EQ(scaled.Objects(0)->Kind(), RLKind::SetClipRect);
  EXPECT_EQ(scaled.Objects(0)->BoundsRect(), R(100, 100, 150, 150));
  EXPECT_EQ(scaled.Objects(1)->BoundsRect(), R(100, 100, 102, 102));
  auto* halfPolygon = dynamic_cast<TRLPolygonObject*>(scaled.Objects(2));
  ASSERT_NE(halfPolygon, nullptr);
  EXPECT_EQ(halfPolygon->Pen()->Width(), 1);
  EXPECT_EQ(halfPolygon->Points()[2], (TRLMetaPoint{110, 115}));
  EXPECT_EQ(scaled.Objects(3)->Kind(), RLKind::ResetClipRect);

  TRLGraphicSurface part;
  part.CopyRect({0, 0, 10, 10}, &source, {0, 0, 6, 6});
  EXPECT_EQ(part.ObjectCount(), 3);  // clip, rectangle, reset
  // A source of zero size has no scale: nothing is recorded.
  TRLGraphicSurface none;
  TRLGraphicSurface empty;
  none.StretchDraw({0, 0, 10, 10}, &empty);
  none.CopyRect({0, 0, 10, 10}, &source, {5, 5, 5, 9});
  EXPECT_EQ(none.ObjectCount(), 0);
}

TEST(SurfaceRecording, ImagesScaleAndCrop) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf32bit);
  bitmap.SetSize(40, 20);
  TRLGraphicSurface s;
  s.Draw(3, 4, &bitmap, true);
  auto* image = Last<TRLImageObject>(s);
  EXPECT_EQ(image->BoundsRect(), R(3, 4, 43, 24));
  EXPECT_TRUE(image->Parity());
  EXPECT_EQ(image->Data().substr(0, 3), "BMP");

  s.ScaleDraw({0, 0, 100, 100}, &bitmap, true);
  EXPECT_EQ(Last<TRLImageObject>(s)->BoundsRect(), R(0, 25, 100, 75));
  s.ClipDraw({0, 0, 30, 30}, &bitmap, false);
  EXPECT_EQ(Last<TRLImageObject>(s)->BoundsRect(), R(0, 0, 30, 20));
  int count = s.ObjectCount();
  s.ClipDraw({100, 100, 100, 130}, &bitmap, true);  // nothing visible
  EXPECT_EQ(s.ObjectCount(), count);
}

TEST(SurfaceRecording, PagePropertiesLiveInTheMacros) {
  TRLGraphicSurface s;
  EXPECT_EQ(s.Orientation(), 1);
  EXPECT_EQ(s.PaperWidth(), 0);
  s.SetPaperWidth(215.9);
  EXPECT_EQ(s.Macros()->Values(u"PaperWidth"), u"215.9000");
  EXPECT_DOUBLE_EQ(s.PaperWidth(), 215.9);
  s.SetPaperHeight(279.4);
  s.SetWidth(816);
  s.SetHeight(1056);
  s.SetOrientation(2);
  EXPECT_DOUBLE_EQ(s.OrientedPaperWidth(), 279.4);
  EXPECT_EQ(s.OrientedWidth(), 1056);
  s.Macros()->SetValues(u"Orientation", u"x");
  EXPECT_EQ(s.Orientation(), 1);
}

TEST(SurfaceRecording, TextsExpandMacrosOfThePageThenOfTheStore) {
  struct Case {
    const char* Text;
    const char* Shown;
  };
  const Case cases[] = {
      {"{PageNo} of {LastPageNumber}", "3 of 9"},
      {"p{pageno}", "p3"},
      {"{Nothing} {PageNo", "{Nothing} {PageNo"},
      {"{Loop}", "{PageNo}"},  // inserted values are not expanded again
      {"{}{PageNo}", "{}3"},
  };
  auto* store = new TRLGraphicStorage();
  store->Macros()->Add(u"LastPageNumber=9");
  store->Macros()->Add(u"PageNo=7");  // the page's own value wins
  auto* page = new TRLGraphicSurface();
  page->Macros()->Add(u"PageNo=3");
  page->Macros()->Add(u"Loop={PageNo}");
  for (const Case& c : cases) page->TextOut(0, 0, c.Text);
  store->Add(page);
  for (size_t i = 0; i < std::size(cases); ++i) {
    auto* text = dynamic_cast<TRLTextObject*>(page->Objects(static_cast<int>(i)));
    EXPECT_EQ(text->DisplayText(), cases[i].Shown) << cases[i].Text;
  }
  delete store;
}

TEST(SurfaceRecording, MacroExpansionTakesLinearTimeAndBoundedRoom) {
  TRLGraphicSurface page;
  page.Macros()->Add(u"P=3");
  page.Macros()->Add(u"Long=" + String(1000, u'x'));
  std::string references;
  for (int i = 0; i < 100000; ++i) references += "{P}";
  auto* many = new TRLTextObject(&page);
  many->SetText(references);
  EXPECT_EQ(many->DisplayText(), std::string(100000, '3'));

  std::string longOnes;
  for (int i = 0; i < 200; ++i) longOnes += "{Long}";
  auto* growing = new TRLTextObject(&page);
  growing->SetText(longOnes);
  std::string shown = growing->DisplayText();
  EXPECT_LE(shown.size(), longOnes.size() + TRLTextObject::MaxMacroGrowth);
  EXPECT_GT(shown.size(), TRLTextObject::MaxMacroGrowth - 1000);
  EXPECT_EQ(shown.substr(0, 1001), std::string(1000, 'x') + "x");
  EXPECT_EQ(shown.substr(shown.size() - 6), "{Long}");
}

TEST(SurfaceRecording, CloneKeepsTheFontNameThroughTheOtherSurfacesList) {
  TRLGraphicSurface a, b;
  b.Fonts()->Add(u"Other");
  a.Font()->SetName(u"Courier New");
  a.TextOut(0, 0, "x");
  TRLGraphicObject* copy = a.Objects(0)->Clone(&b);
  auto* text = dynamic_cast<TRLTextObject*>(copy);
  EXPECT_EQ(text->Font()->Name(), u"Courier New");
  EXPECT_EQ(text->Font()->NameId(), 1);
  EXPECT_EQ(b.ObjectCount(), 1);
  delete copy;  // an object leaves its surface's list when freed
  EXPECT_EQ(b.ObjectCount(), 0);
  // The list started again holds other names where this one was.
  b.Clear();
  b.Fonts()->Add(u"Other");
  b.Fonts()->Add(u"Arial");
  b.Fonts()->Add(u"COURIER NEW");
  copy = a.Objects(0)->Clone(&b);
  EXPECT_EQ(dynamic_cast<TRLTextObject*>(copy)->Font()->NameId(), 2) << "names match without regard to case";
  delete copy;
}

TEST(SurfaceRecording, EachTextCarriesTheFontAndNameListOfItsMoment) {
  TRLGraphicSurface a, b;
  a.Font()->SetName(u"Arial");
  a.TextRect({0, 0, 9, 9}, 0, 0, "1");
  a.Font()->SetColor(clRed);
  a.Font()->SetPixelsPerInch(120);  // changes without notice
  a.Brush()->SetColor(clBlue);
  a.TextRect({0, 0, 9, 9}, 0, 0, "2");
  a.Clear();
  a.Fonts()->Add(u"Other");
  a.TextRect({0, 0, 9, 9}, 0, 0, "3");
  auto font = [&a](int i) { return dynamic_cast<TRLTextObject*>(a.Objects(i))->Font(); };
  EXPECT_EQ(font(0)->Color(), (TRLMetaColor{255, 0, 0}));
  EXPECT_EQ(font(0)->PixelsPerInch(), 120);
  EXPECT_EQ(dynamic_cast<TRLTextObject*>(a.Objects(0))->Brush()->Color(), (TRLMetaColor{0, 0, 255}));
  EXPECT_EQ(font(0)->NameId(), 1) << "the name list started again";
  EXPECT_EQ(font(0)->Name(), u"Arial");
  // The same source index read again after the source's list changed.
  TRLGraphicObject* first = a.Objects(0)->Clone(&b);
  a.Fonts()->SetStrings(1, u"Courier New");
  TRLGraphicObject* second = a.Objects(0)->Clone(&b);
  EXPECT_EQ(dynamic_cast<TRLTextObject*>(first)->Font()->Name(), u"Arial");
  EXPECT_EQ(dynamic_cast<TRLTextObject*>(second)->Font()->Name(), u"Courier New");
  font(0)->SetNameId(5);
  EXPECT_THROW(a.Objects(0)->Clone(&b), EListError);
}

TEST(SurfaceRecording, BodiesHaveTheirTabledSizes) {
  TRLGraphicSurface s;
  s.TextOut(0, 0, "");
  s.TextOut(0, 0, "abc");
  s.SetPixels(0, 0, clRed);
  s.LineTo(1, 1);
  s.Rectangle(0, 0, 1, 1);
  s.FillRect({0, 0, 1, 1});
  s.Polygon({{0, 0}, {1, 1}});
  s.Polyline({{0, 0}});
  s.SetClipRect({0, 0, 1, 1});
  const int sizes[] = {66, 69, 27, 53, 37, 28, 41 + 16, 37 + 8, 24};
  for (int i = 0; i < s.ObjectCount(); ++i) {
    TRLRecordWriter body;
    s.Objects(i)->SaveToStream(body);
    EXPECT_EQ(static_cast<int>(body.Size()), sizes[i]) << "object " << i;
  }
}

TEST(SurfaceRecording, JustifiedTextGetsSpacesUntilItFills) {
  TRLGraphicSurface s;
  s.TextRectEx({0, 0, 400, 20}, 0, 0, "a b", RLMeta::AlignJustify, 1, 0);
  const AnsiString& text = dynamic_cast<TRLTextObject*>(s.Objects(0))->Text();
  EXPECT_GT(text.size(), 3u);
  EXPECT_EQ(text.front(), 'a');
  EXPECT_EQ(text.back(), 'b');
  EXPECT_LE(s.TextWidth(text), 400);
  // A text without a gap stays as it is.
  s.TextRectEx({0, 0, 400, 20}, 0, 0, "ab", RLMeta::AlignJustify, 1, 0);
  EXPECT_EQ(dynamic_cast<TRLTextObject*>(s.Objects(1))->Text(), "ab");
}

TEST(SurfaceRecording, RecordsFollowEachOtherInAStream) {
  TRLGraphicSurface first, second;
  first.SetWidth(10);
  first.Macros()->Add(u"PageNo=1");
  first.TextOut(1, 2, "um");
  second.SetWidth(20);
  second.Ellipse(1, 2, 3, 4);
  TMemoryStream stream;
  first.SaveToStream(stream);
  int64_t boundary = stream.Position();
  second.SaveToStream(stream);
  stream.SetPosition(0);

  TRLGraphicSurface a, b;
  a.LoadFromStream(stream);
  EXPECT_EQ(stream.Position(), boundary);  // left right after its own record
  b.LoadFromStream(stream);
  EXPECT_EQ(a.Width(), 10);
  EXPECT_EQ(a.Macros()->Values(u"PageNo"), u"1");
  EXPECT_EQ(dynamic_cast<TRLTextObject*>(a.Objects(0))->Text(), "um");
  EXPECT_TRUE(a.Modified());  // reading starts with Clear
  EXPECT_EQ(b.Width(), 20);
  EXPECT_EQ(b.Objects(0)->Kind(), RLKind::Ellipse);

  // The old page layout, there and back through streams.
  TMemoryStream surface, legacy, back;
  first.SaveToStream(surface);
  surface.SetPosition(0);
  WriteLegacyPage(surface, legacy);
  legacy.SetPosition(0);
  TRLGraphicStorage store;
  ReadLegacyPage(&store, legacy, back);
  EXPECT_EQ(legacy.Position(), legacy.Size());
  back.SetPosition(0);
  TRLGraphicSurface converted;
  converted.LoadFromStream(back);
  ASSERT_EQ(converted.ObjectCount(), 1);
  EXPECT_EQ(dynamic_cast<TRLTextObject*>(converted.Objects(0))->Text(), "um");
}
