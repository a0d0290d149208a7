#include "skin/engine/SkinOptionsReader.h"
#include "platform/ui/graphics/Colors.h"
#include <gtest/gtest.h>

TEST(SkinOptionsText, ReadingRules) {
  const TacSkinIni ini(
      u"key=before any section\r\n"
      u"[GLOBALINFO]\r\n"
      u"  VERSION = 9.5  \r\n"
      u"; a comment=1\r\n"
      u"Key=lower\r\n"
      u"KEY=first\r\n"
      u"KEY=second\r\n"
      u"NOVALUE\r\n"
      u"HEX1=0x1F\r\n"
      u"HEX2=$FF00000F\r\n"
      u"NEG=-16777201\r\n"
      u"TEXT=12a\r\n"
      u"EMPTY=\r\n"
      u"[ Other ]\r\n"
      u"A=1\n");
  struct Case {
    const char16_t *Section, *Key, *Expected;
  } strings[] = {
      {u"GLOBALINFO", u"KEY", u"first"}, {u"GLOBALINFO", u"Key", u"lower"}, {u"GLOBALINFO", u"key", u"?"},
      {u"GLOBALINFO", u"NOVALUE", u"?"}, {u"GLOBALINFO", u"EMPTY", u""},  {u"globalinfo", u"KEY", u"?"},
      {u"Other", u"A", u"1"},            {u"GLOBALINFO", u"VERSION", u"9.5"},
  };
  for (const auto& c : strings)
    EXPECT_EQ(ini.ReadString(c.Section, c.Key, u"?"), String(c.Expected)) << StringToUtf8(c.Key);
  EXPECT_EQ(ini.ReadInteger(u"GLOBALINFO", u"HEX1", -1), 31);
  EXPECT_EQ(ini.ReadInteger(u"GLOBALINFO", u"HEX2", -1), -16777201);
  EXPECT_EQ(ini.ReadInteger(u"GLOBALINFO", u"NEG", -1), -16777201);
  EXPECT_EQ(ini.ReadInteger(u"GLOBALINFO", u"TEXT", 7), 7);
  EXPECT_EQ(ini.ReadInteger(u"GLOBALINFO", u"EMPTY", 7), 7);
  EXPECT_DOUBLE_EQ(ReadSkinVersion(ini), 9.5);
  EXPECT_EQ(ini.SectionNames(), (std::vector<String>{u"GLOBALINFO", u"Other"}));
}

TEST(SkinOptionsText, InheritedReads) {
  const TacSkinIni ini(
      u"[PARENT]\r\nCOLOR=255\r\nSYS=-16777201\r\nFLAG=1\r\nLOWER=true\r\nTEXT=from parent\r\nBIG=400\r\n"
      u"[CHILD]\r\nPARENTCLASS=PARENT\r\nCOLOR=-1\r\nOWNSYS=-16777201\r\nTEXT=?\r\n"
      u"[GRANDCHILD]\r\nPARENTCLASS=CHILD\r\n"
      u"[SELF]\r\nPARENTCLASS=SELF\r\nCOLOR=5\r\n"
      u"[A]\r\nPARENTCLASS=B\r\n[B]\r\nPARENTCLASS=A\r\n"
      u"[LOWERPARENT]\r\nPARENTCLASS=parent\r\n");
  const TColor btnFace = ColorToRGB(clBtnFace);
  struct IntCase {
    const char16_t *Section, *Key;
    int Default, Max, Expected;
  } ints[] = {
      {u"CHILD", u"COLOR", 9, 2147483647, 255},           // -1 in the child is taken from the parent
      {u"GRANDCHILD", u"COLOR", 9, 2147483647, 255},      // two steps up
      {u"CHILD", u"SYS", 9, 2147483647, btnFace},         // inherited system colour is resolved
      {u"CHILD", u"OWNSYS", 9, 2147483647, -16777201},    // its own stays as written
      {u"SELF", u"COLOR", 9, 2147483647, 5},
      {u"SELF", u"MISSING", 9, 2147483647, 9},            // a section naming itself stops
      {u"A", u"COLOR", 9, 2147483647, 9},                 // a cycle stops
      {u"LOWERPARENT", u"COLOR", 9, 2147483647, 9},       // names compare exactly
      {u"CHILD", u"BIG", 3, 255, 255},                    // limited by Max
      {u"PARENT", u"SYS", 3, 255, -16777201},             // signed comparison with Max
  };
  for (const auto& c : ints)
    EXPECT_EQ(ReadInheritedInt(ini, c.Section, c.Key, c.Default, c.Max), c.Expected)
        << StringToUtf8(c.Section) << "." << StringToUtf8(c.Key);
  EXPECT_TRUE(ReadInheritedBool(ini, u"CHILD", u"FLAG", false));
  EXPECT_FALSE(ReadInheritedBool(ini, u"CHILD", u"LOWER", true));
  EXPECT_TRUE(ReadInheritedBool(ini, u"A", u"FLAG", true));
  EXPECT_EQ(ReadInheritedString(ini, u"GRANDCHILD", u"TEXT", u"d"), u"from parent");
  EXPECT_EQ(ReadInheritedString(ini, u"B", u"TEXT", u"d"), u"d");
}
