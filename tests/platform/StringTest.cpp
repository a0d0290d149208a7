#include "platform/rtl/String.h"
#include "platform/rtl/Exceptions.h"
#include <gtest/gtest.h>

TEST(StringConversion, Utf8RoundTripKeepsAccentsAndAstralCharacters) {
  const std::string utf8 = "Movimento de São Paulo: ção \xF0\x9F\x98\x80";
  const String text = Utf8ToString(utf8);
  EXPECT_EQ(text.substr(0, 13), u"Movimento de ");
  EXPECT_EQ(StringToUtf8(text), utf8);
}

TEST(StringConversion, MalformedUtf8BecomesReplacementCharacters) {
  EXPECT_EQ(Utf8ToString("a\xC3"), String(u"a\uFFFD"));
  EXPECT_EQ(Utf8ToString("\xFF" "b"), String(u"\uFFFDb"));
  // Forms that are not characters: overlong (C0 A7 would pass for a quote),
  // surrogate code points, and past U+10FFFF. The shortest forms around
  // them still decode.
  struct Case {
    const char* Bytes;
    const char16_t* Text;
  } cases[] = {
      {"x\xC0\xA7y", u"x\uFFFDy"},
      {"\xC1\xBF", u"\uFFFD"},
      {"\xE0\x80\xAF", u"\uFFFD"},
      {"\xF0\x80\x80\xA7", u"\uFFFD"},
      {"\xED\xA0\x80", u"\uFFFD"},
      {"\xED\xBF\xBF", u"\uFFFD"},
      {"\xF4\x90\x80\x80", u"\uFFFD"},
      {"\xC2\x80", u"\u0080"},
      {"\xE0\xA0\x80", u"\u0800"},
      {"\xED\x9F\xBF", u"\uD7FF"},
      {"\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
  };
  for (const Case& c : cases) EXPECT_EQ(Utf8ToString(c.Bytes), String(c.Text)) << c.Bytes;
}

TEST(StringConversion, Windows1252MapsItsHighRangeAndRefusesTheRest) {
  EXPECT_EQ(AnsiToString("\x80\xE7\xE3"), String(u"\u20AC\u00E7\u00E3"));
  EXPECT_EQ(StringToAnsi(u"\u20AC\u00E7\u4E2D"), std::string("\x80\xE7?"));
}

TEST(Exceptions, MessageIsCarriedAndAbortIsSilentKind) {
  try {
    throw EDatabaseError(u"Tabela não encontrada", 1146);
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), u"Tabela não encontrada");
    EXPECT_STREQ(e.what(), "Tabela não encontrada");
    EXPECT_EQ(dynamic_cast<const EDatabaseError&>(e).ErrorCode(), 1146);
  }
  EXPECT_THROW(Abort(), EAbort);
}
