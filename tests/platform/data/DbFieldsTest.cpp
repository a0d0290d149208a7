// Field values and texts: calculated fields, display and edit formats,
// masks, text handlers, and large objects.
#include "DbTestUtil.h"
#include "platform/classes/Streams.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exceptions.h"
#include <cstdio>
#include <filesystem>

using DbFields = DbFixture;

namespace {
// The receipts table as the data module defines it, in part.
struct Receipts {
  explicit Receipts(TFDConnection* connection) : Table(nullptr) {
    Table.SetConnection(connection);
    Table.SetTableName(u"dbvorlent.recebimentos");
    Table.SetIndexFieldNames(u"RECEBIMENTO;CUPOM");
    Recebimento = Add<TDateField>(u"RECEBIMENTO");
    Recebimento->SetDisplayFormat(u"dd/mm/yyyy");
    Cupom = Add<TStringField>(u"CUPOM");
    Hora = Add<TStringField>(u"HORA");
    Hora->SetEditMask(u"!99:99:99;0;_");
    Valor = Add<TFloatField>(u"VALOR");
    Valor->SetDisplayFormat(u"#,###,##0.00");
    Valor->SetEditFormat(u"#0.00");
    Recebido = Add<TFloatField>(u"RECEBIDO");
    Recebido->SetFieldKind(fkCalculated);
    Recebido->SetDisplayFormat(u"#,###,##0.00");
    Troco = Add<TFloatField>(u"TROCO");
    Linha = Add<TStringField>(u"CODIGOBARRAS");
    Linha->SetEditMask(u"!99999999999-9 99999999999-9 99999999999-9 99999999999-9;0;_");
    Inscricao = Add<TStringField>(u"INSCRICAO");
    Inscricao->SetEditMask(u"!99.9.999.9999.999;0;_");
    Agente = Add<TStringField>(u"COD_AGENTE");
    Table.OnCalcFields = [this](TDataSet*) { Recebido->SetAsFloat(Valor->AsFloat() + Troco->AsFloat()); };
  }
  template <class F>
  F* Add(const char16_t* name) {
    auto* f = new F(&Table);
    f->SetFieldName(name);
    f->SetDataSet(&Table);
    return f;
  }
  TFDTable Table;
  TDateField* Recebimento;
  TStringField *Cupom, *Hora, *Linha, *Inscricao, *Agente;
  TFloatField *Valor, *Recebido, *Troco;
};
}  // namespace

TEST_F(DbFields, CalculatedFieldFollowsEveryRecordAndEdit) {
  Receipts r(Connection.get());
  r.Table.Open();
  EXPECT_EQ(r.Table.FieldCount(), 9);
  EXPECT_EQ(r.Recebido->Index(), 4);
  ASSERT_TRUE(r.Table.Locate(u"CUPOM;COD_AGENTE", {Variant(u"000003"), Variant(u"001")}));
  EXPECT_DOUBLE_EQ(r.Recebido->AsFloat(), 130.0);
  EXPECT_EQ(Utf8(r.Recebido->DisplayText()), "130,00");
  r.Table.Edit();
  r.Troco->SetAsFloat(76.55);
  EXPECT_DOUBLE_EQ(r.Recebido->AsFloat(), 200.0);
  r.Table.Cancel();
  EXPECT_DOUBLE_EQ(r.Recebido->AsFloat(), 130.0);
  // A calculated field filters like any other.
  r.Table.SetFilter(u"RECEBIDO > 60");
  r.Table.SetFiltered(true);
  EXPECT_EQ(r.Table.RecordCount(), 2);
}

TEST_F(DbFields, DisplayAndEditTexts) {
  Receipts r(Connection.get());
  r.Table.Open();
  ASSERT_TRUE(r.Table.Locate(u"CUPOM;COD_AGENTE", {Variant(u"000003"), Variant(u"001")}));
  struct Case {
    TField* Field;
    const char* Display;
    const char* Text;
  } cases[] = {
      {r.Valor, "123,45", "123,45"},
      {r.Troco, "6,55", "6,55"},
      {r.Recebimento, "05/03/2024", "05/03/2024"},
      {r.Hora, "10:00:00", "100000"},
      {r.Linha, "82610000001-5 23450123000-2 01234567890-3 12300000000-0", "826100000015234501230002012345678903123000000000"},
      {r.Inscricao, "12.3.456.7890.123", "1234567890123"},
      {r.Cupom, "000003", "000003"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Utf8(c.Field->DisplayText()), c.Display) << Utf8(c.Field->FieldName());
    EXPECT_EQ(Utf8(c.Field->Text()), c.Text) << Utf8(c.Field->FieldName());
  }
  r.Table.Edit();
  r.Valor->SetAsFloat(1234567.5);
  EXPECT_EQ(Utf8(r.Valor->DisplayText()), "1.234.567,50");
  EXPECT_EQ(Utf8(r.Valor->Text()), "1234567,50");
  EXPECT_EQ(Utf8(r.Valor->AsString()), "1234567,5");
  r.Valor->SetText(u"7,25");
  EXPECT_DOUBLE_EQ(r.Valor->AsFloat(), 7.25);
  r.Recebimento->SetText(u"06/03/2024");
  EXPECT_EQ(r.Recebimento->AsDateTime(), EncodeDate(2024, 3, 6));
  EXPECT_THROW(r.Recebimento->SetText(u"31/02/2024"), EConvertError);
  r.Troco->SetText(u"");
  EXPECT_TRUE(r.Troco->IsNull());
  EXPECT_EQ(Utf8(r.Troco->DisplayText()), "");

  r.Cupom->OnGetText = [](TField* f, String& text, bool display) {
    text = (display ? u"N\u00BA " : u"") + f->AsString();
  };
  EXPECT_EQ(Utf8(r.Cupom->DisplayText()), "N\u00BA 000003");
  EXPECT_EQ(Utf8(r.Cupom->Text()), "000003");
  r.Cupom->OnSetText = [](TField* f, const String& text) { f->SetAsString(u"00000" + text); };
  r.Cupom->SetText(u"7");
  EXPECT_EQ(Utf8(r.Cupom->AsString()), "000007");
}

TEST_F(DbFields, AutomaticFieldsShowTheirTypesDefaults) {
  auto t = Table(u"agentes", u"COD_AGENTE");
  t->Open();
  TField* imprimir = t->FieldByName(u"IMPRIMIR_CUPOM");
  EXPECT_EQ(imprimir->DataType(), ftSmallint);
  EXPECT_EQ(imprimir->Alignment(), taRightJustify);
  EXPECT_EQ(t->FieldByName(u"RAZAO_SOCIAL")->Alignment(), taLeftJustify);
  EXPECT_EQ(t->FieldByName(u"RAZAO_SOCIAL")->DisplayWidth(), 60);
  EXPECT_EQ(t->FieldByName(u"RAZAO_SOCIAL")->DisplayLabel(), u"RAZAO_SOCIAL");
  t->Last();
  EXPECT_EQ(imprimir->AsInteger(), 1);
  EXPECT_TRUE(imprimir->AsBoolean());
  EXPECT_EQ(imprimir->Value().VarType(), varSmallint);
}

TEST_F(DbFields, BlobRoundTripsThroughStreamsAndFiles) {
  std::string picture;
  for (int i = 0; i < 200000; ++i) picture += static_cast<char>((i * 7919) % 256);
  picture += "'\\\"";  // quotes and a backslash at the end
  auto t = Table(u"concessionaria");
  t->SetCachedUpdates(true);
  t->Open();
  TBlobField* logo = dynamic_cast<TBlobField*>(t->FieldByName(u"LOGOTIPO"));
  ASSERT_NE(logo, nullptr);
  EXPECT_TRUE(logo->IsNull());
  t->Edit();
  TMemoryStream in;
  in.WriteBuffer(picture.data(), static_cast<int64_t>(picture.size()));
  in.SetPosition(0);
  logo->LoadFromStream(in);
  t->Post();
  t->ApplyUpdates(0);

  auto again = Table(u"concessionaria");
  again->Open();
  TBlobField* stored = dynamic_cast<TBlobField*>(again->FieldByName(u"LOGOTIPO"));
  TMemoryStream out;
  stored->SaveToStream(out);
  ASSERT_EQ(out.Size(), static_cast<int64_t>(picture.size()));
  std::string back(picture.size(), '\0');
  out.SetPosition(0);
  out.ReadBuffer(back.data(), static_cast<int64_t>(back.size()));
  EXPECT_TRUE(back == picture);

  const auto path = std::filesystem::temp_directory_path() / "brq_logo_test.bmp";
  const String file = Utf8ToString(path.string());
  stored->SaveToFile(file);
  EXPECT_EQ(std::filesystem::file_size(path), picture.size());
  t->Edit();
  logo->Clear();
  EXPECT_TRUE(logo->IsNull());
  logo->LoadFromFile(file);
  EXPECT_EQ(logo->BlobSize(), static_cast<int64_t>(picture.size()));
  t->Cancel();
  std::filesystem::remove(path);
}
