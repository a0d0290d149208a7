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
