#include "QueryTextFixture.h"

#include "platform/rtl/FormatSettings.h"

namespace {

constexpr const char16_t* OneRow =
    u"SELECT CAST(1234.5 AS DECIMAL(12,2)) VALOR, '12.345.678/0001-90' CNPJ, '12345678000190' CNPJ_PURO, "
    u"DATE '2024-03-05' DATA, 1234 QTD, CAST(2.25 AS DOUBLE) TAXA";

// English number conventions for as long as it lives.
struct EnglishNumbers {
  EnglishNumbers() : saved(FormatSettings) {
    FormatSettings.DecimalSeparator = u'.';
    FormatSettings.ThousandSeparator = u',';
  }
  ~EnglishNumbers() { FormatSettings = saved; }
  TFormatSettings saved;
};

class DbRLTextFormatting : public TQueryTextsTest {};

TEST_F(DbRLTextFormatting, FieldTextsPrintWithTheirPrefixMarkAndMask) {
  TQueryReport r(connection.get(), OneRow);
  struct Case {
    const char* name;
    TRLDBText* control;
    std::string brazilian, english;
  } cases[] = {
      {"float mask", r.Data(u"VALOR", u"", u"#,##0.00"), "1.234,50", "1,234.50"},
      {"no mask: the field's display text", r.Data(u"VALOR"), "1234,5", "1234.5"},
      {"a prefix", r.Data(u"CNPJ", u"CNPJ: "), "CNPJ: 12.345.678/0001-90", "CNPJ: 12.345.678/0001-90"},
      {"the value in place of the first #", r.Data(u"CNPJ", u"[#] #"), "[12.345.678/0001-90] #",
       "[12.345.678/0001-90] #"},
      {"a field text ignores a mask that is no float mask", r.Data(u"CNPJ_PURO", u"", u"00.000.000/0000-00;0;_"),
       "12345678000190", "12345678000190"},
      {"a date", r.Data(u"DATA"), "05/03/2024", "05/03/2024"},
  };
  ASSERT_TRUE(r.t.report->Prepare());
  for (const Case& c : cases) EXPECT_EQ(c.brazilian, r.Shown(c.control)) << c.name;
  {
    EnglishNumbers english;
    ASSERT_TRUE(r.t.report->Prepare());
  }
  for (const Case& c : cases) EXPECT_EQ(c.english, r.Shown(c.control)) << c.name;

  // A currency field shows the currency format with the global decimals.
  auto* valor = dynamic_cast<TFloatField*>(r.query->FieldByName(u"VALOR"));
  ASSERT_NE(nullptr, valor);
  valor->SetCurrency(true);
  ASSERT_TRUE(r.t.report->Prepare());
  EXPECT_EQ("R$ 1.234,50", r.Shown(cases[1].control));
  EXPECT_EQ("1.234,50", r.Shown(cases[0].control));
}

TEST_F(DbRLTextFormatting, FormatValueTakesTheMaskThenTheFieldsOwnFormats) {
  TQueryReport r(connection.get(), OneRow);
  auto* valor = dynamic_cast<TFloatField*>(r.query->FieldByName(u"VALOR"));
  auto* qtd = dynamic_cast<TNumericField*>(r.query->FieldByName(u"QTD"));
  ASSERT_NE(nullptr, valor);
  ASSERT_NE(nullptr, qtd);
  struct Case {
    const char* name;
    const char16_t* field;
    const char16_t* mask;
    std::function<void()> setUp;
    Variant value;
    std::string expected;
  } cases[] = {
      {"a double with a float mask", u"", u"0.0", nullptr, Variant(2.5), "2,5"},
      {"an integer with a float mask", u"", u"#,##0", nullptr, Variant(1234567), "1.234.567"},
      {"a 64-bit integer with a float mask", u"", u"#,##0", nullptr, Variant(int64_t(1234567)), "1.234.567"},
      {"a text with an edit mask", u"", u"00.000.000/0000-00;0;_", nullptr, Variant(String(u"12345678000190")),
       "12.345.678/0001-90"},
      {"a date goes through the edit mask as text", u"", u"99/99/9999;1;_", nullptr,
       r.query->FieldByName(u"DATA")->Value(), "05/03/2024"},
      {"a null prints nothing", u"VALOR", u"0.00", nullptr, Variant::Null(), ""},
      {"a float field: general format at its precision", u"VALOR", u"", nullptr, valor->Value(), "1234,5"},
      {"a float field's display format", u"VALOR", u"", [&] { valor->SetDisplayFormat(u"#,##0.000"); },
       valor->Value(), "1.234,500"},
      {"its edit format first", u"VALOR", u"", [&] { valor->SetEditFormat(u"0.0"); }, valor->Value(), "1234,5"},
      {"a currency field", u"VALOR", u"",
       [&] {
         valor->SetEditFormat(u"");
         valor->SetDisplayFormat(u"");
         valor->SetCurrency(true);
       },
       Variant(12.75), "R$ 12,75"},
      {"an integer field: general format", u"QTD", u"", nullptr, qtd->Value(), "1234"},
      {"a text field: the value's text", u"CNPJ", u"", nullptr, Variant(String(u"abc")), "abc"},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    TRLDBText* control = r.Data(c.field, u"", c.mask);
    if (c.setUp) c.setUp();
    String text = u"unchanged";
    control->FormatValue(c.value, text);
    EXPECT_EQ(c.expected, StringToUtf8(text));
  }
}

TEST_F(DbRLTextFormatting, ADataTextFindsItsFieldAgainInAReopenedQuery) {
  TQueryReport r(connection.get(), u"SELECT 'a' A, 'b' B");
  TRLDBText* b = r.Data(u"B");
  ASSERT_TRUE(r.t.report->Prepare());
  EXPECT_EQ("b", r.Shown(b));
  // The fields are made again, in another order.
  r.query->Close();
  r.query->SQL().Clear();
  r.query->SQL().Add(u"SELECT 'c' B, 'd' A");
  r.query->Open();
  ASSERT_TRUE(r.t.report->Prepare());
  EXPECT_EQ("c", r.Shown(b));
  r.query->Close();
  r.query->SQL().Clear();
  r.query->SQL().Add(u"SELECT 'e' A");
  r.query->Open();
  ASSERT_TRUE(r.t.report->Prepare());
  EXPECT_EQ("", r.Shown(b)) << "no field of that name: an empty text";
}

TEST_F(DbRLTextFormatting, AnEmptyDataSetPrintsOnlyThePrefix) {
  TQueryReport r(connection.get(), u"SELECT '12.345.678/0001-90' CNPJ FROM DUAL WHERE 1 = 0");
  TRLBand* title = r.t.PlainBand(btTitle, 30);
  TRLDBText* prefixed = r.Data(u"CNPJ", u"CNPJ: ", u"", title);
  TRLDBText* inDetail = r.Data(u"CNPJ", u"CNPJ: ");
  ASSERT_TRUE(r.t.report->Prepare());
  EXPECT_EQ("CNPJ: ", r.Shown(prefixed));
  EXPECT_TRUE(r.t.ShownBy(inDetail).empty());
}

}  // namespace
