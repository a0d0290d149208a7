#include "platform/classes/Registry.h"
#include <gtest/gtest.h>

namespace {
// A key of its own per test, since tests run side by side; removed after.
class RegistryFixture : public ::testing::Test {
protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    Key = u"Software\\BrqClassesTest\\" + AsciiToString(info->name());
    TRegistry reg;
    reg.DeleteKey(Key);
  }
  void TearDown() override {
    TRegistry reg;
    reg.DeleteKey(Key);
  }
  String Key;
};
}  // namespace

using Registry = RegistryFixture;

TEST_F(Registry, ValuesRoundTripAndReportTheirTypes) {
  {
    TRegistry reg;
    EXPECT_FALSE(reg.KeyExists(Key));
    EXPECT_FALSE(reg.OpenKey(Key, false));
    ASSERT_TRUE(reg.OpenKey(Key, true));
    reg.WriteString(u"Name", u"São Paulo");
    reg.WriteInteger(u"Count", -5);
    reg.WriteBool(u"On", true);
    const unsigned char blob[] = {0, 1, 2, 255};
    reg.WriteBinaryData(u"Blob", blob, sizeof blob);
  }
  TRegistry reg;
  EXPECT_TRUE(reg.KeyExists(Key));
  ASSERT_TRUE(reg.OpenKeyReadOnly(u"\\" + Key));
  EXPECT_EQ(reg.CurrentPath(), Key);
  EXPECT_EQ(reg.ReadString(u"Name"), u"São Paulo");
  EXPECT_EQ(reg.ReadInteger(u"Count"), -5);
  EXPECT_TRUE(reg.ReadBool(u"On"));
  unsigned char back[8] = {};
  EXPECT_EQ(reg.ReadBinaryData(u"Blob", back, sizeof back), 4);
  EXPECT_EQ(back[3], 255);
  EXPECT_THROW(reg.ReadBinaryData(u"Blob", back, 2), ERegistryException);  // too small

  EXPECT_EQ(reg.ReadString(u"Missing"), u"");
  EXPECT_THROW(reg.ReadInteger(u"Missing"), ERegistryException);
  EXPECT_THROW(reg.ReadInteger(u"Name"), ERegistryException);  // wrong type
  EXPECT_THROW(reg.ReadString(u"Count"), ERegistryException);
  EXPECT_TRUE(reg.GetDataType(u"Count") == TRegDataType::rdInteger);

  TStringList names;
  reg.GetValueNames(names);
  names.SetSorted(true);
  EXPECT_EQ(names.CommaText(), u"Blob,Count,Name,On");
  EXPECT_THROW(reg.WriteString(u"x", u"y"), ERegistryException);  // opened read-only
}

TEST_F(Registry, KeysNestDeleteWithTheirSubkeysAndOpenRelatively) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(Key + u"\\A\\Deep", true));
  reg.WriteInteger(u"v", 1);
  ASSERT_TRUE(reg.OpenKey(u"\\" + Key, false));
  ASSERT_TRUE(reg.OpenKey(u"B", true));  // relative to the open key
  EXPECT_EQ(reg.CurrentPath(), Key + u"\\B");
  ASSERT_TRUE(reg.OpenKey(u"\\" + Key, false));
  TStringList keys;
  reg.GetKeyNames(keys);
  keys.SetSorted(true);
  EXPECT_EQ(keys.CommaText(), u"A,B");
  EXPECT_TRUE(reg.HasSubKeys());
  EXPECT_TRUE(reg.DeleteKey(u"A"));
  EXPECT_FALSE(reg.KeyExists(u"A"));
  EXPECT_FALSE(reg.KeyExists(u"\\" + Key + u"\\A\\Deep"));
  EXPECT_FALSE(reg.DeleteKey(u"A"));

  reg.WriteString(u"gone", u"1");
  EXPECT_TRUE(reg.ValueExists(u"gone"));
  EXPECT_TRUE(reg.DeleteValue(u"gone"));
  EXPECT_FALSE(reg.ValueExists(u"gone"));
}

TEST_F(Registry, RegIniFileSectionsAreSubkeysAndEntriesAreValues) {
  {
    TRegIniFile ini(Key);
    EXPECT_EQ(ini.ReadString(u"Form1", u"NormPos", u"none"), u"none");
    ini.WriteString(u"Form1", u"NormPos", u"1,2,3,4");
    ini.WriteInteger(u"Form1", u"Flags", 2);
    ini.WriteBool(u"Form1", u"On", true);
    ini.WriteString(u"Form2", u"x", u"\"quoted\"");
  }
  TRegIniFile ini(Key, KEY_READ);
  EXPECT_EQ(ini.ReadString(u"Form1", u"NormPos", u""), u"1,2,3,4");
  EXPECT_EQ(ini.ReadInteger(u"Form1", u"Flags", 0), 2);
  EXPECT_EQ(ini.ReadInteger(u"Form1", u"NormPos", 7), 7);  // not a number
  EXPECT_TRUE(ini.ReadBool(u"Form1", u"On", false));
  EXPECT_EQ(ini.ReadString(u"Form2", u"x", u""), u"\"quoted\"");  // kept unchanged
  EXPECT_EQ(ini.ReadInteger(u"Nowhere", u"x", 5), 5);

  TStringList list;
  ini.ReadSections(list);
  list.SetSorted(true);
  EXPECT_EQ(list.CommaText(), u"Form1,Form2");
  ini.ReadSection(u"Form1", list);
  EXPECT_EQ(list.Count(), 3);
  ini.ReadSectionValues(u"Form1", list);
  EXPECT_EQ(list.Values(u"NormPos"), u"1,2,3,4");
  ini.ReadSection(u"Nowhere", list);
  EXPECT_EQ(list.Count(), 0);

  TRegIniFile writable(Key);
  writable.DeleteKey(u"Form1", u"Flags");
  EXPECT_EQ(writable.ReadInteger(u"Form1", u"Flags", -1), -1);
  writable.EraseSection(u"Form2");
  writable.ReadSections(list);
  EXPECT_EQ(list.CommaText(), u"Form1");
}
