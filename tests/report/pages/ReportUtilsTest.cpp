#include "report/pages/RLLocaleStrings.h"
#include "report/pages/RLTempFiles.h"
#include "report/pages/RLUtils.h"
#include "platform/classes/Component.h"
#include "platform/classes/Streams.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Format.h"
#include <gtest/gtest.h>
#include <set>

TEST(ReportUtils, DelimitedItemsAndExtensions) {
  struct Get {
    const char16_t* Text;
    int Index;
    const char16_t* Item;
  };
  for (const Get& c : {Get{u"a|b|c", 2, u"b"}, Get{u"a|b|c", 4, u""}, Get{u"a|b|c", 1, u"a"}, Get{u"", 1, u""}})
    EXPECT_EQ(GetDelimitedItem(c.Text, c.Index), c.Item) << c.Index;
  struct Set {
    const char16_t* Text;
    int Index;
    const char16_t* Value;
    const char16_t* Result;
  };
  for (const Set& c : {Set{u"a|b", 4, u"X", u"a|b||X"}, Set{u"", 1, u"X", u"X"}, Set{u"a|b|c", 2, u"Y", u"a|Y|c"}})
    EXPECT_EQ(SetDelimitedItem(c.Text, c.Index, c.Value), c.Result) << c.Index;
  EXPECT_EQ(DottedExtension(u"rpf"), u".rpf");
  EXPECT_EQ(DottedExtension(u".rpf"), u".rpf");
  EXPECT_EQ(DottedExtension(u""), u"");
}

TEST(ReportUtils, NextComponentNameCountsPastTheHighest) {
  TComponent form(nullptr);
  auto* band = new TComponent(&form);
  EXPECT_EQ(NextComponentName(band, u"TRLBand"), u"RLBand1");
  auto* b1 = new TComponent(&form);
  b1->SetName(u"RLBand1");
  auto* b7 = new TComponent(&form);
  b7->SetName(u"rlband7");
  auto* other = new TComponent(&form);
  other->SetName(u"RLBandX");
  EXPECT_EQ(NextComponentName(band, u"TRLBand"), u"RLBand8");
}

TEST(ReportUtils, Geometry) {
  EXPECT_EQ(FitRectKeepingAspect({0, 0, 100, 50}, {0, 0, 200, 200}, false), TRect(0, 0, 200, 100));
  EXPECT_EQ(FitRectKeepingAspect({0, 0, 100, 50}, {0, 0, 200, 200}, true), TRect(0, 50, 200, 150));
  EXPECT_EQ(FitRectKeepingAspect({0, 0, 0, 0}, {10, 10, 30, 20}, false), TRect(10, 10, 20, 20));
  EXPECT_EQ(MoveRectTo({5, 5, 15, 25}, 1, 2), TRect(1, 2, 11, 22));
  EXPECT_EQ(ShrinkRectByMargins({0, 0, 100, 100}, 1, 2, 3, 4), TRect(1, 2, 97, 96));
  EXPECT_EQ(GrowRectByMargins({10, 10, 20, 20}, 1, 2, 3, 4), TRect(9, 8, 23, 24));
  std::vector<TPoint> corners = {{0, 0}, {40, 0}, {40, 10}, {0, 10}};
  RotatePointsAboutCentre(corners, 90);
  EXPECT_EQ(PointsExtent(corners), TSize(10, 40));
}

TEST(ReportUtils, MeasureRotatedTextTurnsTheBox) {
  TFont font;
  font.SetName(u"Arial");
  font.SetHeight(-20);
  TSize flat = MeasureRotatedText(u"Relatório", &font, 0);
  TSize turned = MeasureRotatedText(u"Relatório", &font, 90);
  EXPECT_GT(flat.cx, flat.cy);
  EXPECT_NEAR(turned.cx, flat.cy, 1);
  EXPECT_NEAR(turned.cy, flat.cx, 1);
}

TEST(ReportUtils, JustifySpacesWidenGapsFromRightToLeft) {
  AnsiString text = "ab cd";
  int position = 5;
  EXPECT_TRUE(AddJustifySpace(text, position));
  EXPECT_EQ(text, "ab  cd");
  text = "a b c";
  position = 5;
  ASSERT_TRUE(AddJustifySpaceWrapping(text, position));
  ASSERT_TRUE(AddJustifySpaceWrapping(text, position));
  EXPECT_EQ(text, "a  b  c");
  ASSERT_TRUE(AddJustifySpaceWrapping(text, position));  // round again
  EXPECT_EQ(text, "a  b   c");
  text = "abc";
  position = 3;
  EXPECT_FALSE(AddJustifySpaceWrapping(text, position));
  EXPECT_EQ(text, "abc");
  text = " abc";  // a gap at the very start is no gap between words
  position = 4;
  EXPECT_FALSE(AddJustifySpaceWrapping(text, position));
}

TEST(ReportUtils, HexBitmaps) {
  const char16_t pairs[][2] = {{u'4', u'a'}, {u'F', u'F'}, {u'0', u'0'}, {u'z', u'z'}};
  const uint8_t bytes[] = {74, 255, 0, 239};
  for (size_t i = 0; i < std::size(bytes); ++i) EXPECT_EQ(HexPairToByte(pairs[i]), bytes[i]) << i;

  TRLBitmap source;
  source.SetPixelFormat(pf24bit);
  source.SetSize(2, 2);
  source.Canvas()->SetPixels(1, 0, clRed);
  std::string bmp = source.SaveToBmpBytes();
  std::string stored = std::string(4, '\0') + bmp;
  String hex;
  const char16_t* digits = u"0123456789ABCDEF";
  for (unsigned char c : stored) {
    hex += digits[c >> 4];
    hex += digits[c & 15];
  }
  TRLBitmap* loaded = BitmapFromHexText(hex + u"7");  // an odd last digit is ignored
  EXPECT_EQ(loaded, MeasureBitmap());
  EXPECT_EQ(loaded->Width(), 2);
  EXPECT_EQ(loaded->Canvas()->Pixels(1, 0), clRed);
}

TEST(ReportUtils, TemporaryPageFilesAreNewTrackedAndDeleted) {
  String folder = GetCurrentDir();
  std::set<String> names;
  for (int i = 0; i < 20; ++i) {
    String name = MakeTempPageFileName();
    EXPECT_TRUE(names.insert(name).second);
    EXPECT_TRUE(FileExists(name));  // created, so nobody else draws it
    EXPECT_EQ(ExtractFileName(name).substr(0, 3), u"~fr");
    EXPECT_EQ(ExtractFileExt(name), u".tmp");
    EXPECT_EQ(IncludeTrailingPathDelimiter(ExtractFilePath(name)), IncludeTrailingPathDelimiter(ReportTempFolder()));
    TrackTempFile(name);
  }
  EXPECT_EQ(GetCurrentDir(), folder);  // asking for the temporary folder moves nothing
  String first = *names.begin();
  String upper = first;
  for (char16_t& c : upper)
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
  UntrackTempFile(upper);
  EXPECT_EQ(TrackedTempFileCount(), 19);
  DeleteTrackedTempFiles();
  EXPECT_EQ(TrackedTempFileCount(), 0);
  for (const String& name : names) EXPECT_EQ(FileExists(name), name == first);
  DeleteFile(first);
}

TEST(ReportUtils, StaleLogIsDeletedAtStartUp) {
  ASSERT_EQ(ReportLogFileName(), u"rlib.log");
  { TFileStream log(u"rlib.log", fmCreate); }
  ASSERT_TRUE(FileExists(u"rlib.log"));
  DeleteStaleReportLog();
  EXPECT_FALSE(FileExists(u"rlib.log"));
  DeleteStaleReportLog();  // nothing to delete is no error
}

TEST(ReportUtils, TextsFollowThePrimaryLanguage) {
  struct Case {
    uint32_t LocaleId;
    const TRLLocaleStrings* Table;
  };
  const Case cases[] = {
      {0x0416, &ReportTextsPortuguese},  // Brazil
      {0x0816, &ReportTextsPortuguese},  // Portugal
      {0x0409, &ReportTextsEnglish},
      {0x0407, &ReportTextsEnglish},     // German users read English
      {0x041D, &ReportTextsGerman},      // language 29
      {0x040C, &ReportTextsFrench},
      {0x0C0A, &ReportTextsSpanish},
      {0x0410, &ReportTextsItalian},
      {0x0411, &ReportTextsEnglish},
  };
  for (const Case& c : cases) EXPECT_EQ(&LocaleStringsFor(c.LocaleId), c.Table) << std::hex << c.LocaleId;

  SelectLocaleStrings(0x0416);
  EXPECT_EQ(CurrentReportTexts.LS_WaitStr, u"Aguarde...");
  EXPECT_EQ(Format(CurrentReportTexts.LS_DefaultJobTitle, {u"Recibo"}), u"Relat\u00F3rio \"Recibo\"");
  SelectLocaleStrings(0x041D);
  EXPECT_EQ(CurrentReportTexts.LS_PageStr, ReportTextsGerman.LS_PageStr);
  SelectLocaleStrings(0x0407);
  EXPECT_EQ(CurrentReportTexts.LS_WaitStr, u"Wait...");

  // What the tables share and leave out.
  for (const TRLLocaleStrings* t : {&ReportTextsEnglish, &ReportTextsPortuguese, &ReportTextsFrench,
                                    &ReportTextsSpanish, &ReportTextsItalian, &ReportTextsGerman}) {
    EXPECT_TRUE(t->Ls_Salvar_Como.empty());
    EXPECT_TRUE(t->LS_LastFooMsg.empty());
    EXPECT_EQ(t->LS_ZoomHint.empty(), t != &ReportTextsPortuguese);
  }
  EXPECT_EQ(ReportTextsItalian.LS_PrepareErrorStr, ReportTextsFrench.LS_PrepareErrorStr);
  EXPECT_TRUE(ReportTextsEnglish.Ls_Aplicar.empty());
  EXPECT_EQ(ReportText(u"Relat\u00F3rio \u20AC \u4E2D"), u"Relat\u00F3rio \u20AC ?");
}
