#include "platform/ui/mask/EditMask.h"
#include "platform/rtl/String.h"
#include <gtest/gtest.h>

namespace {
std::string U8(const String& s) { return StringToUtf8(s); }
const String Line48Mask = u"!99999999999-9 99999999999-9 99999999999-9 99999999999-9;0;_";
}  // namespace

TEST(EditMask, FormatMaskTextOfTheSystemsMasks) {
  struct Case {
    String Mask, Value, Expected;
  };
  const Case cases[] = {
      {u"!99999-999;0;_", u"12345678", u"12345-678"},
      {u"!99.999-999;0;_", u"12345678", u"12.345-678"},
      {u"!(99)9999-9999;0;_", u"1133334444", u"(11)3333-4444"},
      {u"!99.999.999/9999-99;0;_", u"12345678000195", u"12.345.678/0001-95"},
      {u"!99.9.999.9999.999;0;_", u"1234567890123", u"12.3.456.7890.123"},
      {u"!99:99:99;0;_", u"142530", u"14:25:30"},
      {Line48Mask, u"836200000011234500000000000012345678901234567890",
       u"83620000001-1 23450000000-0 00001234567-8 90123456789-0"},
      // '!' right-aligns a short value; without it the value is left-aligned.
      {u"!99:99:99;0;_", u"1425", u"  :14:25"},
      {u"99999-999;0;_", u"123", u"123  -   "},
      // Saved literals: the value already holds them.
      {u"!99/99/9999;1;_", u"05/03/2024", u"05/03/2024"},
      {u"!99/99/9999;1;_", u"5/3/2024", u" 5/ 3/2024"},
      {u"\\L00;0;_", u"12", u"L12"},
      {u"", u"anything", u"anything"},
  };
  for (const Case& c : cases) EXPECT_EQ(U8(FormatMaskText(c.Mask, c.Value)), U8(c.Expected)) << U8(c.Mask);
}

TEST(EditMask, FieldsOfTheMask) {
  TEditMask date(u"!99/99/9999;1;_");
  EXPECT_TRUE(date.SaveLiterals());
  EXPECT_EQ(date.BlankChar(), u'_');
  EXPECT_TRUE(date.ReverseDirection());
  EXPECT_EQ(date.EditLength(), 10);
  EXPECT_TRUE(date.IsLiteral(2));
  EXPECT_EQ(date.LiteralChar(5), u'/');
  EXPECT_FALSE(date.IsRequired(0));

  TEditMask cep(u"!99999-999;0;_");
  EXPECT_FALSE(cep.SaveLiterals());
  TEditMask plain(u"000-000");  // no fields: literals saved, '_' blanks
  EXPECT_TRUE(plain.SaveLiterals());
  EXPECT_EQ(plain.BlankChar(), u'_');
  EXPECT_TRUE(plain.IsRequired(0));
  TEditMask star(u"99;0;*");
  EXPECT_EQ(star.BlankEditText(), u"**");
  EXPECT_FALSE(TEditMask(u"").IsMasked());
}

TEST(EditMask, EditTextAndTextWithAndWithoutSavedLiterals) {
  struct Case {
    String Mask, EditText, Text;
  };
  const Case cases[] = {
      {u"!99/99/9999;1;_", u"__/__/____", u"  /  /    "},
      {u"!99/99/9999;1;_", u"05/03/2024", u"05/03/2024"},
      {u"!99/99/9999;1;_", u"05/03/24__", u"05/03/24  "},
      {u"!99999-999;0;_", u"12345-678", u"12345678"},
      {u"!99999-999;0;_", u"_____-___", u""},
      {u"!(99)9999-9999;0;_", u"(11)3333-4444", u"1133334444"},
      {u"!99:99:99;0;_", u"14:25:30", u"142530"},
      {u"99999-999;0;_", u"123__-___", u"123"},
      {u"00:00;1;_", u"12:3_", u"12:3 "},
  };
  for (const Case& c : cases) {
    TEditMask mask(c.Mask);
    EXPECT_EQ(U8(mask.TextFromEditText(c.EditText)), U8(c.Text)) << U8(c.Mask) << " " << U8(c.EditText);
  }
  // And back: a field's text becomes the edit text with blanks.
  TEditMask date(u"!99/99/9999;1;_");
  EXPECT_EQ(U8(date.EditTextFromText(u"05/03/2024")), "05/03/2024");
  EXPECT_EQ(U8(date.BlankEditText()), "__/__/____");
  TEditMask cep(u"!99999-999;0;_");
  EXPECT_EQ(U8(cep.EditTextFromText(u"12345678")), "12345-678");
  EXPECT_EQ(U8(cep.EditTextFromText(u"")), "_____-___");
  TEditMask line(Line48Mask);
  String digits(48, u'7');
  EXPECT_EQ(line.TextFromEditText(line.EditTextFromText(digits)), digits);
}

TEST(EditMask, CharactersAcceptedByPosition) {
  struct Case {
    String Mask;
    int Pos;
    char16_t Typed;
    bool Accepted;
    char16_t Stored;
  };
  const Case cases[] = {
      {u"!99999-999;0;_", 0, u'5', true, u'5'},
      {u"!99999-999;0;_", 0, u'a', false, 0},
      {u"!99999-999;0;_", 5, u'-', false, 0},  // a literal takes nothing
      {u"!99999-999;0;_", 9, u'1', false, 0},  // past the end
      {u">LL<ll;0;_", 0, u'a', true, u'A'},
      {u">LL<ll;0;_", 0, u'\u00e9', true, u'\u00c9'},
      {u">LL<ll;0;_", 2, u'B', true, u'b'},
      {u">LL<ll;0;_", 1, u'1', false, 0},
      {u">L<>L;0;_", 1, u'q', true, u'q'},
      {u"Aa;0;_", 0, u'7', true, u'7'},
      {u"Aa;0;_", 1, u'-', false, 0},
      {u"Cc;0;_", 0, u'-', true, u'-'},
      {u"##;0;_", 0, u'+', true, u'+'},
      {u"##;0;_", 0, u'x', false, 0},
      {u"00;0;_", 0, u'\t', false, 0},
  };
  for (const Case& c : cases) {
    TEditMask mask(c.Mask);
    char16_t ch = c.Typed;
    EXPECT_EQ(mask.AcceptChar(c.Pos, ch), c.Accepted) << U8(c.Mask) << " @" << c.Pos;
    if (c.Accepted) {
      EXPECT_EQ(ch, c.Stored) << U8(c.Mask) << " @" << c.Pos;
    }
  }
}

TEST(EditMask, TypingSkipsLiteralsAndJumpsToTypedSeparators) {
  TEditMask date(u"!99/99/9999;1;_");
  String text = date.BlankEditText();
  int pos = 0;
  EXPECT_TRUE(date.InputChar(text, pos, u'5'));
  EXPECT_EQ(pos, 1);
  EXPECT_TRUE(date.InputChar(text, pos, u'/'));  // "5/" moves past the separator
  EXPECT_EQ(pos, 3);
  for (char16_t c : String(u"03")) EXPECT_TRUE(date.InputChar(text, pos, c));
  EXPECT_EQ(pos, 6);
  EXPECT_FALSE(date.InputChar(text, pos, u'x'));
  for (char16_t c : String(u"2024")) EXPECT_TRUE(date.InputChar(text, pos, c));
  EXPECT_EQ(U8(text), "5_/03/2024");
  EXPECT_EQ(pos, 10);
  EXPECT_FALSE(date.InputChar(text, pos, u'1'));  // full

  date.ClearRange(text, 0, 6);
  EXPECT_EQ(U8(text), "__/__/2024");
  EXPECT_EQ(date.PrevInputPos(3), 1);
  EXPECT_EQ(date.NextInputPos(2), 3);
}

TEST(EditMask, ValidateNeedsEveryRequiredPosition) {
  TEditMask required(u"!00000-000;0;_");
  int pos = -1;
  EXPECT_FALSE(required.Validate(u"12345-6__", &pos));
  EXPECT_EQ(pos, 7);
  EXPECT_FALSE(required.Validate(u"1 345-678", &pos));
  EXPECT_EQ(pos, 1);
  EXPECT_TRUE(required.Validate(u"12345-678"));
  EXPECT_TRUE(required.Validate(u""));
  // Optional digits never fail: the system's date edits check the empty
  // text themselves.
  TEditMask date(u"!99/99/9999;1;_");
  EXPECT_TRUE(date.Validate(date.BlankEditText()));
  EXPECT_TRUE(TEditMask(u"C;0;_").Validate(u" "));
}
