#include "platform/classes/Streams.h"
#include "platform/classes/Strings.h"
#include "platform/rtl/Exceptions.h"
#include <gtest/gtest.h>

namespace {
std::vector<String> Lines(std::initializer_list<const char16_t*> items) {
  std::vector<String> out;
  for (const char16_t* s : items) out.emplace_back(s);
  return out;
}
}  // namespace

TEST(StringList, NameValueLinesKeepSeparatorsInValuesAndEmptyValueRemovesTheLine) {
  TStringList list;
  list.Add(u"Server=db=primary");
  list.Add(u"no separator here");
  list.Add(u"Port=3306");
  EXPECT_EQ(list.Values(u"server"), u"db=primary");  // names match case-insensitively
  EXPECT_EQ(list.Names(0), u"Server");
  EXPECT_EQ(list.Names(1), u"");
  EXPECT_EQ(list.ValueFromIndex(1), u"");
  EXPECT_EQ(list.ValueFromIndex(2), u"3306");
  EXPECT_EQ(list.IndexOfName(u"PORT"), 2);
  EXPECT_EQ(list.Values(u"missing"), u"");

  list.SetValues(u"Port", u"3307");
  EXPECT_EQ(list[2], u"Port=3307");
  list.SetValues(u"User", u"a=b");
  EXPECT_EQ(list[3], u"User=a=b");
  list.SetValues(u"server", u"");
  EXPECT_EQ(list.ToVector(), Lines({u"no separator here", u"Port=3307", u"User=a=b"}));
  list.SetValues(u"absent", u"");  // removing what is not there changes nothing
  EXPECT_EQ(list.Count(), 3);
}

TEST(StringList, CommaTextQuotesWhatNeedsItAndParsesThePlatformWay) {
  TStringList list;
  list.SetText(u"plain\r\nwith space\r\nwith,comma\r\nsay \"hi\"\r\n\r\n");
  EXPECT_EQ(list.CommaText(), u"plain,\"with space\",\"with,comma\",\"say \"\"hi\"\"\",");

  struct Case {
    const char16_t* text;
    std::vector<String> items;
  } cases[] = {
      {u"a,b,c", Lines({u"a", u"b", u"c"})},
      {u"a b,c", Lines({u"a", u"b", u"c"})},  // blanks separate too
      {u"  \"x, y\" , z", Lines({u"x, y", u"z"})},
      {u"\"say \"\"hi\"\"\"", Lines({u"say \"hi\""})},
      {u"a,", Lines({u"a", u""})},
      {u"a,,b", Lines({u"a", u"", u"b"})},
      {u"\"unclosed, quote", Lines({u"unclosed, quote"})},
      {u"", Lines({})},
      {u"\"\"", Lines({u""})},
  };
  for (const Case& c : cases) {
    list.SetCommaText(c.text);
    EXPECT_EQ(list.ToVector(), c.items) << StringToUtf8(c.text);
  }

  // Round trip, including the single empty item.
  list.Clear();
  list.Add(u"");
  EXPECT_EQ(list.CommaText(), u"\"\"");
  TStringList back;
  back.SetCommaText(list.CommaText());
  EXPECT_TRUE(back.Equals(list));
}

TEST(StringList, DelimitedTextUsesItsDelimiterAndQuote) {
  TStringList list;
  list.SetDelimiter(u';');
  list.SetQuoteChar(u'\'');
  list.SetDelimitedText(u"a;'b;c';d e");
  EXPECT_EQ(list.ToVector(), Lines({u"a", u"b;c", u"d", u"e"}));
  list.SetStrictDelimiter(true);
  list.SetDelimitedText(u"a; b c;");
  EXPECT_EQ(list.ToVector(), Lines({u"a", u" b c", u""}));
  EXPECT_EQ(list.DelimitedText(), u"a; b c;");
  EXPECT_EQ(list.CommaText(), u"a,\" b c\",");  // always comma and double quote
}

TEST(StringList, TextEndsEveryLineWithCrLfAndReadsAnyLineBreak) {
  TStringList list;
  list.SetText(u"one\ntwo\r\nthree\rfour");
  EXPECT_EQ(list.ToVector(), Lines({u"one", u"two", u"three", u"four"}));
  EXPECT_EQ(list.Text(), u"one\r\ntwo\r\nthree\r\nfour\r\n");
  list.SetText(u"a\r\n\r\n");
  EXPECT_EQ(list.ToVector(), Lines({u"a", u""}));
}

TEST(StringList, SortedListHonoursDuplicatesAndCase) {
  TStringList list;
  list.Add(u"pear");
  list.Add(u"Apple");
  list.Add(u"banana");
  list.SetSorted(true);
  EXPECT_EQ(list.ToVector(), Lines({u"Apple", u"banana", u"pear"}));

  EXPECT_EQ(list.Add(u"APPLE"), 0);  // dupIgnore: the existing index, nothing added
  EXPECT_EQ(list.Count(), 3);
  list.SetDuplicates(dupError);
  EXPECT_THROW(list.Add(u"apple"), EListError);
  list.SetDuplicates(dupAccept);
  list.Add(u"apple");
  EXPECT_EQ(list.Count(), 4);
  int index = -1;
  EXPECT_TRUE(list.Find(u"APPLE", index));
  EXPECT_EQ(index, 0);  // the first of the equal ones
  EXPECT_FALSE(list.Find(u"cherry", index));
  EXPECT_EQ(index, 3);  // where it would go
  EXPECT_EQ(list.IndexOf(u"Pear"), 3);

  EXPECT_THROW(list.Insert(0, u"x"), EListError);
  EXPECT_THROW(list.SetStrings(0, u"x"), EListError);

  TStringList cs;
  cs.SetCaseSensitive(true);
  cs.SetSorted(true);
  cs.SetDuplicates(dupError);
  cs.Add(u"a");
  cs.Add(u"A");  // distinct when case counts
  EXPECT_EQ(cs.Count(), 2);
  EXPECT_NE(cs.IndexOf(u"A"), cs.IndexOf(u"a"));
  EXPECT_GE(cs.IndexOf(u"A"), 0);
}

TEST(StringList, CaseInsensitiveLookupFoldsAccentedLetters) {
  TStringList list;
  list.Add(u"Água");
  list.Add(u"Ação=1");
  EXPECT_EQ(list.IndexOf(u"ÁGUA"), 0);
  EXPECT_EQ(list.IndexOf(u"Agua"), -1);  // accents still count
  EXPECT_EQ(list.Values(u"AÇÃO"), u"1");
}

TEST(StringList, ChangeEventsFireOncePerUpdateBlock) {
  TStringList list;
  int changing = 0, changed = 0;
  list.OnChanging = [&](TObject*) { ++changing; };
  list.OnChange = [&](TObject*) { ++changed; };
  list.Add(u"a");
  EXPECT_EQ(changing, 1);
  EXPECT_EQ(changed, 1);
  list.BeginUpdate();
  list.Add(u"b");
  list.Add(u"c");
  list.Delete(0);
  list.EndUpdate();
  EXPECT_EQ(changing, 2);
  EXPECT_EQ(changed, 2);
  list.SetText(u"x\ny");
  EXPECT_EQ(changed, 3);
}

TEST(StringList, ObjectsTravelWithTheirLines) {
  TObject one, two;
  TStringList list;
  list.AddObject(u"one", &one);
  list.AddObject(u"two", &two);
  list.Add(u"three");
  list.Move(0, 2);
  EXPECT_EQ(list.ToVector(), Lines({u"two", u"three", u"one"}));
  EXPECT_EQ(list.Objects(2), &one);
  list.Exchange(0, 1);
  EXPECT_EQ(list.Objects(1), &two);
  EXPECT_EQ(list.IndexOfObject(&one), 2);
  list.SetStrings(2, u"uno");
  EXPECT_EQ(list.Objects(2), &one);

  TStringList copy;
  copy.Add(u"old");
  copy.Assign(list);
  EXPECT_TRUE(copy.Equals(list));
  EXPECT_EQ(copy.Objects(2), &one);
  EXPECT_THROW(list.Delete(3), EListError);
  EXPECT_THROW(list.Strings(-1), EListError);
}

TEST(StringList, LoadFromStreamDetectsTheEncoding) {
  struct Case {
    std::string bytes;
    const char16_t* first;
  } cases[] = {
      {"\xEF\xBB\xBFS\xC3\xA3o\r\nx", u"São"},  // UTF-8 with mark
      {"S\xC3\xA3o\nx", u"São"},                // UTF-8 without mark
      {"S\xE3o\r\nx", u"São"},                  // Windows-1252
      {std::string("\xFF\xFES\0\xE3\0o\0\n\0x\0", 12), u"São"},  // UTF-16 with mark
  };
  for (const Case& c : cases) {
    TStringStream stream(c.bytes);
    TStringList list;
    list.LoadFromStream(stream);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list[0], c.first);
  }

  TStringList list;
  list.SetText(u"São\r\n€");
  TMemoryStream utf8, ansi;
  list.SaveToStream(utf8);
  list.SaveToStream(ansi, TTextEncoding::ANSI);
  EXPECT_EQ(std::string(static_cast<const char*>(utf8.Memory()), utf8.Size()), "S\xC3\xA3o\r\n\xE2\x82\xAC\r\n");
  EXPECT_EQ(std::string(static_cast<const char*>(ansi.Memory()), ansi.Size()), "S\xE3o\r\n\x80\r\n");
}

namespace {
// The least a control supplies to back its items by a window: the base
// class must build everything else from these.
class MinimalStrings : public TStrings {
public:
  std::vector<String> Items;
  int UpdateStates = 0;
  void Insert(int index, const String& s) override { Items.insert(Items.begin() + index, s); }
  void Delete(int index) override { Items.erase(Items.begin() + index); }
  void Clear() override { Items.clear(); }

protected:
  String Get(int index) const override { return Items.at(static_cast<size_t>(index)); }
  int GetCount() const override { return static_cast<int>(Items.size()); }
  void SetUpdateState(bool updating) override { UpdateStates += updating ? 1 : 10; }
};
}  // namespace

TEST(Strings, DescendantWithOnlyTheCoreOperationsGetsTheRest) {
  MinimalStrings items;
  items.SetCommaText(u"b,a=1,c");
  EXPECT_EQ(items.UpdateStates, 11);  // one update block around the load
  items.SetStrings(0, u"B");
  items.Exchange(0, 2);
  items.Move(0, 1);
  EXPECT_EQ(items.Items, Lines({u"a=1", u"c", u"B"}));
  items.SetValues(u"A", u"2=3");
  EXPECT_EQ(items.Text(), u"A=2=3\r\nc\r\nB\r\n");  // the name as given
  EXPECT_EQ(items.IndexOf(u"b"), 2);
  EXPECT_EQ(items.Objects(0), nullptr);

  TStringList source;
  source.SetText(u"x\ny");
  items.Assign(source);
  EXPECT_EQ(items.Items, Lines({u"x", u"y"}));
  TStringList back;
  back.Assign(items);
  EXPECT_TRUE(back.Equals(source));
}
