// The library's utility routines and message boxes.
#include "skin/graphics/LibUtils.h"
#include "skin/graphics/MsgBoxes.h"
#include "platform/classes/Strings.h"
#include "platform/ui/TestSeam.h"
#include <gtest/gtest.h>

TEST(SkinUtils, RectanglesAndIntegers) {
  EXPECT_EQ(WidthOfRect(TRect(10, 0, 5, 0)), -5);
  EXPECT_EQ(WidthOfRect(TRect(10, 0, 5, 0), true), 0);
  EXPECT_EQ(HeightOfRect(TRect(0, 2, 0, 9)), 7);
  EXPECT_EQ(RectFromRB(5, 6, 1, 2), TRect(1, 2, 5, 6));
  EXPECT_EQ(RectSize(TRect(5, 5, 0, 8)), TSize(0, 3));
  EXPECT_TRUE(RectsOverlap(TRect(0, 0, 5, 5), TRect(4, 4, 9, 9)));
  EXPECT_FALSE(RectsOverlap(TRect(0, 0, 5, 5), TRect(5, 0, 9, 9)));
  EXPECT_FALSE(RectsOverlap(TRect(0, 0, 5, 5), TRect(2, 2, 2, 4)));
  EXPECT_EQ(RectIntersection(TRect(0, 0, 5, 5), TRect(7, 1, 9, 3)), TRect(7, 1, 5, 3));

  struct Bounds {
    int Value, Min, Max;
    bool AnyOrder, Expected;
  };
  const Bounds bounds[] = {
      {5, 10, 1, true, true}, {5, 10, 1, false, false}, {1, 1, 1, false, true}, {0, 1, 10, true, false},
  };
  for (const auto& b : bounds) EXPECT_EQ(ValueInBounds(b.Value, b.Min, b.Max, b.AnyOrder), b.Expected) << b.Value;
  EXPECT_EQ(KeepInRange(5, 10, 1), 10);
  EXPECT_EQ(KeepInRange(50, 0, 10), 10);
  const int32_t values[] = {4, 8, 15, 16};
  EXPECT_TRUE(IsInArray(values, 15, 1, 2));
  EXPECT_FALSE(IsInArray(values, 16, 1, 2));
  EXPECT_FALSE(IsInArray(values, 4, 2, 1));
  const TCacheInfo ci = InitCacheInfo(nullptr, 3, 4);
  EXPECT_TRUE(ci.Ready);
  EXPECT_EQ(ci.FillColor, 0xFF00FF);
  EXPECT_EQ(EmptyCacheInfo.X, -99);
  EXPECT_FALSE(EmptyCacheInfo.Ready);
}

TEST(SkinUtils, WordsAndTexts) {
  const TSysCharSet semicolon = CharSet(";");
  EXPECT_EQ(NthWord(2, u";a;;b;", semicolon), u"b");
  EXPECT_EQ(CountWords(u";a;;b;", semicolon), 2);
  EXPECT_EQ(NthWordStart(3, u";a;;b;", semicolon), 0);
  EXPECT_EQ(NthWordStart(2, u";a;;b;", semicolon), 5);
  EXPECT_EQ(NthWordStart(0, u"a", semicolon), 0);
  EXPECT_EQ(NthWordA(1, ";;xy;z", semicolon), "xy");
  EXPECT_EQ(CountWordsA("", semicolon), 0);
  // A character above 255 is never a delimiter.
  EXPECT_FALSE(WideCharInSet(u'\u013B', CharSet(";")));
  EXPECT_EQ(CountWords(u"a\u013Bb", CharSet(";")), 1);

  struct Hex {
    const char* Text;
    int64_t Value;
  };
  const Hex hex[] = {{"ffh", 255}, {"12G", 0}, {"", 0}, {"7FFFFFFFFFFFFFFF", INT64_MAX}, {"0a", 10}};
  for (const auto& h : hex) EXPECT_EQ(HexTextToInt64(h.Text), h.Value) << h.Text;

  EXPECT_EQ(ReplaceAll(u"aaa", u"aa", u"b"), u"ba");
  EXPECT_EQ(ReplaceAll(u"abab", u"b", u"bb"), u"abbabb");
  EXPECT_EQ(RemoveChar(u"&Arquivo&", u'&'), u"Arquivo");

  struct Path {
    const char16_t* In;
    const char16_t* Out;
  };
  const Path paths[] = {{u"", u""}, {u"c", u"c:\\"}, {u"c:/dir/", u"c:/dir\\"}, {u"c:\\x\\", u"c:\\x\\"}, {u"x", u"x:\\"},
                        {u"ab", u"ab\\"}};
  for (const auto& p : paths) EXPECT_EQ(AddPathDelimiter(p.In), String(p.Out));
}

TEST(SkinUtils, IniSections) {
  TStringList lines;
  for (const char16_t* l : {u"x=1", u"[A]", u"; note", u"y=2", u"", u"[b]", u"hex=0x1F", u"bad=abc", u"Dec=42"})
    lines.Add(l);
  TStringList sections;
  SplitIniSections(lines, sections);
  ASSERT_EQ(sections.Count(), 2);
  EXPECT_EQ(sections.Strings(0), u"A");
  auto* a = dynamic_cast<TStrings*>(sections.Objects(0));
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->Count(), 1);
  EXPECT_EQ(a->Strings(0), u"y=2");
  EXPECT_EQ(IniSectionString(sections, u"a", u"Y", u"-"), u"2");
  EXPECT_EQ(IniSectionString(sections, u"a", u"x", u"-"), u"-");
  EXPECT_EQ(IniSectionInt(sections, u"B", u"hex", 0), 31);
  EXPECT_EQ(IniSectionInt(sections, u"B", u"bad", 7), 7);
  EXPECT_EQ(IniSectionInt(sections, u"B", u"dec", 7), 42);
  EXPECT_EQ(IniSectionInt(sections, u"C", u"dec", 7), 7);
  for (int i = 0; i < sections.Count(); ++i) delete sections.Objects(i);
  EXPECT_FALSE(HasProperty(&lines, u"Text"));
  EXPECT_EQ(GetIntProperty(&lines, u"Count"), -1);
}

TEST(SkinUtils, SystemAndFiles) {
  EXPECT_TRUE(IsWinXPOrLater());
  EXPECT_FALSE(IsWow64());
  EXPECT_FALSE(Wow64NoComposition());
  EXPECT_NE(CaptionFontHeight(), 0);
  HFONT font = NewCaptionFont();
  EXPECT_NE(font, nullptr);
  DeleteObject(font);
  const String exe = ExeFolder();
  ASSERT_FALSE(exe.empty());
  EXPECT_EQ(exe.back(), u'\\');
  EXPECT_TRUE(FolderExists(exe));
  EXPECT_FALSE(FolderExists(exe + u"no such folder"));
  TacSearchRec rec;
  ASSERT_EQ(FindFirstEntry(exe + u"skin_tests*", rec), 0);
  EXPECT_EQ(rec.Name.rfind(u"skin_tests", 0), 0u);
  FindCloseEntry(rec);
  EXPECT_EQ(FileIconOf(exe + u"nothing.here", 0), nullptr);

  // Waits the time asked, processing messages meanwhile.
  const DWORD start = GetTickCount();
  PauseProcessing(60);
  EXPECT_GE(GetTickCount() - start, 60u);
}

TEST(SkinUtils, MessageBoxStylesAndPosition) {
  struct Row {
    TMsgDlgType Type;
    TMsgDlgButtons Buttons;
    UINT Style;
  };
  const Row rows[] = {
      {mtConfirmation, TMsgDlgButtons{mbYes, mbNo, mbCancel}, MB_ICONQUESTION | MB_YESNOCANCEL},
      {mtInformation, TMsgDlgButtons{mbOK, mbHelp}, MB_ICONINFORMATION | MB_OK | MB_HELP},
      {mtWarning, TMsgDlgButtons{mbOK, mbCancel}, MB_ICONWARNING | MB_OKCANCEL},
      {mtCustom, TMsgDlgButtons{mbIgnore}, MB_ABORTRETRYIGNORE},
      {mtError, TMsgDlgButtons{mbRetry}, MB_ICONERROR | MB_RETRYCANCEL},
      {mtError, TMsgDlgButtons{}, MB_ICONERROR | MB_OK},
  };
  for (const auto& r : rows) EXPECT_EQ(acMsgBoxStyle(r.Type, r.Buttons), r.Style) << r.Style;

  UiTestSeam::Reset();
  int seenX = 0, seenY = 0;
  UiTestSeam::QueueMessageBoxAction([&](const TMessageBoxRecord&) {
    seenX = acMsgBoxX;
    seenY = acMsgBoxY;
    return IDOK;
  });
  ErrorBox(u"Falhou");
  EXPECT_EQ(seenX, -1);
  EXPECT_EQ(seenY, -1);
  UiTestSeam::QueueMessageBoxAction([&](const TMessageBoxRecord&) {
    seenX = acMsgBoxX;
    seenY = acMsgBoxY;
    return IDNO;
  });
  EXPECT_EQ(acMessageBox(u"Pergunta", u"Continua?", mtConfirmation, mbYesNo, 0, 40, 50), IDNO);
  EXPECT_EQ(seenX, 40);
  EXPECT_EQ(seenY, 50);
  EXPECT_EQ(acMsgBoxX, -1);
  const auto& log = UiTestSeam::MessageBoxLog();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].Caption, u"Error");
  EXPECT_EQ(log[0].Text, u"Falhou");
  EXPECT_EQ(log[0].Flags, static_cast<UINT>(MB_ICONERROR | MB_OK));
  EXPECT_EQ(log[1].Caption, u"Pergunta");
  UiTestSeam::Reset();
}
