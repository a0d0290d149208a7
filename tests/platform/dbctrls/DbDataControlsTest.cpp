// Edits, combo boxes, radio groups and images bound to fields of real
// tables: what they show and what they write back.
#include "DbControlsFixture.h"
#include "platform/dbctrls/DBComboBox.h"
#include "platform/dbctrls/DBEdit.h"
#include "platform/dbctrls/DBImage.h"
#include "platform/dbctrls/DBRadioGroup.h"
#include "platform/ui/FormImage.h"

namespace {
class DbUiDataControls : public DbControlsFixture {
protected:
  template <class T>
  T* Bound(const String& field, int top, const std::function<void(T*)>& prepare = nullptr) {
    auto* control = new T(Form);
    control->SetParent(Form);
    control->SetBounds(8, top, 240, 24);
    if (prepare) prepare(control);
    control->SetDataSource(Source);
    control->SetDataField(field);
    return control;
  }

  static void Type(TWinControl* control, const String& text) {
    for (char16_t c : text) {
      PostMessageW(control->Handle(), WM_CHAR, c, 1);
      Application->ProcessMessages();
    }
  }
};
}  // namespace

TEST_F(DbUiDataControls, EditShowsTheFieldAndWritesItBackWhenLeft) {
  auto* t = Table(u"agentes", u"CNPJ", u"COD_AGENTE = '001'");
  t->Open();
  t->FieldByName(u"CEP")->SetEditMask(u"!99.999-999;0;_");
  t->Edit();
  t->FieldByName(u"CEP")->SetAsString(u"01234567");
  t->Post();
  auto* razao = Bound<TDBEdit>(u"RAZAO_SOCIAL", 8);
  razao->SetCharCase(ecUpperCase);
  auto* cep = Bound<TDBEdit>(u"CEP", 40);
  auto* other = Bound<TDBEdit>(u"BAIRRO", 72);
  ShowForm();

  EXPECT_EQ(Utf8(razao->Text()), "AGENTE UM LTDA");
  EXPECT_EQ(Utf8(cep->EditText()), "01.234-567");
  EXPECT_EQ(Utf8(cep->Text()), "01234567");
  EXPECT_EQ(razao->MaxLength(), 60);
  EXPECT_EQ(t->State(), dsBrowse);

  // Typing puts the record in edit mode; leaving writes the field.
  razao->SetFocus();
  razao->SelectAll();
  Type(razao, u"novo nome");
  EXPECT_EQ(t->State(), dsEdit);
  EXPECT_EQ(Utf8(t->FieldByName(u"RAZAO_SOCIAL")->AsString()), "AGENTE UM LTDA");
  other->SetFocus();
  UiTest::Pump();
  EXPECT_EQ(Utf8(t->FieldByName(u"RAZAO_SOCIAL")->AsString()), "NOVO NOME");

  // The masked edit takes digits only and stores them without literals.
  cep->SetFocus();
  cep->SetSelStart(0);
  cep->SetSelLength(0);
  Type(cep, u"98x765432");
  EXPECT_EQ(Utf8(cep->EditText()), "98.765-432");
  t->Post();  // posting writes the edit that still has the focus
  EXPECT_EQ(Utf8(t->FieldByName(u"CEP")->AsString()), "98765432");
  t->ApplyUpdates(0);
  t->CommitUpdates();
  EXPECT_EQ(Utf8(TestDatabase::Scalar(u"SELECT CONCAT(RAZAO_SOCIAL, '/', CEP) FROM agentes WHERE COD_AGENTE = '001'")),
            "NOVO NOME/98765432");

  // Another record shows at once; a read-only edit leaves the record alone.
  t->SetFiltered(false);
  t->Locate(u"COD_AGENTE", Variant(String(u"002")));
  EXPECT_EQ(Utf8(razao->Text()), "AGENTE DOIS LTDA");
  razao->SetReadOnly(true);
  razao->SetFocus();
  Type(razao, u"X");
  EXPECT_EQ(t->State(), dsBrowse);
  EXPECT_EQ(Utf8(razao->Text()), "AGENTE DOIS LTDA");
}

TEST_F(DbUiDataControls, EditShowsNumbersFormattedUntilEdited) {
  auto* t = Table(u"movimentos", u"ABERTURA", u"COD_AGENTE = '001'");
  t->Open();
  auto* dinheiro = dynamic_cast<TFloatField*>(t->FieldByName(u"DINHEIRO"));
  ASSERT_NE(dinheiro, nullptr);
  dinheiro->SetDisplayFormat(u"#,###,##0.00");
  dinheiro->SetEditFormat(u"#0.00");
  t->Last();
  t->Edit();
  dinheiro->SetAsFloat(1234.5);
  t->Post();
  auto* other = Bound<TDBEdit>(u"USUARIO", 40);
  auto* edit = Bound<TDBEdit>(u"DINHEIRO", 8);
  ShowForm();
  EXPECT_EQ(Utf8(edit->Text()), "1.234,50");
  edit->SetFocus();
  EXPECT_EQ(Utf8(edit->Text()), "1234,50");
  edit->SelectAll();
  Type(edit, u"99,9");
  other->SetFocus();
  UiTest::Pump();
  EXPECT_DOUBLE_EQ(dinheiro->AsFloat(), 99.9);
  EXPECT_EQ(Utf8(edit->Text()), "99,90");
}

TEST_F(DbUiDataControls, ComboBoxAndRadioGroupMapTheFieldToTheirItems) {
  auto* t = Table(u"agentes", u"CNPJ", u"COD_AGENTE = '001'");
  t->Open();
  t->Edit();
  t->FieldByName(u"UF")->SetAsString(u"RJ");
  t->FieldByName(u"TIPO_INSCRICAO")->SetAsString(u"E");
  t->Post();
  auto* uf = Bound<TDBComboBox>(u"UF", 8, [](TDBComboBox* c) {
    c->SetStyle(csDropDownList);
    for (const char16_t* item : {u"AC", u"RJ", u"SP"}) c->Items()->Add(item);
  });
  auto* tipo = Bound<TDBRadioGroup>(u"TIPO_INSCRICAO", 40, [](TDBRadioGroup* g) {
    g->SetBounds(8, 40, 300, 50);
    g->SetColumns(2);
    g->Items()->Add(u"Municipal");
    g->Items()->Add(u"Estadual");
    g->Values()->Add(u"M");
    g->Values()->Add(u"E");
  });
  ShowForm();
  EXPECT_EQ(uf->ItemIndex(), 1);
  EXPECT_EQ(tipo->ItemIndex(), 1);
  EXPECT_EQ(Utf8(tipo->Value()), "E");

  // Choosing an item or a button edits the record and writes its value.
  SendMessageW(uf->Handle(), CB_SETCURSEL, 2, 0);
  uf->Perform(CN_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), reinterpret_cast<LPARAM>(uf->Handle()));
  EXPECT_EQ(t->State(), dsEdit);
  SendMessageW(tipo->Buttons(0)->Handle(), BM_CLICK, 0, 0);
  UiTest::Pump();
  EXPECT_EQ(Utf8(tipo->Value()), "M");
  t->Post();
  EXPECT_EQ(Utf8(t->FieldByName(u"UF")->AsString()), "SP");
  EXPECT_EQ(Utf8(t->FieldByName(u"TIPO_INSCRICAO")->AsString()), "M");

  // A value of no item checks nothing; without Values the captions count.
  t->Edit();
  t->FieldByName(u"TIPO_INSCRICAO")->SetAsString(u"X");
  EXPECT_EQ(tipo->ItemIndex(), -1);
  t->FieldByName(u"TIPO_INSCRICAO")->SetAsString(u"Estadual");
  EXPECT_EQ(tipo->ItemIndex(), -1);
  tipo->Values()->Clear();
  tipo->SetValue(u"");
  t->FieldByName(u"TIPO_INSCRICAO")->SetAsString(u"Municipal");
  EXPECT_EQ(tipo->ItemIndex(), 0);
  t->Cancel();

  // A record that cannot be edited keeps its button.
  Source->SetAutoEdit(false);
  const int before = tipo->ItemIndex();
  SendMessageW(tipo->Buttons(before == 0 ? 1 : 0)->Handle(), BM_CLICK, 0, 0);
  UiTest::Pump();
  EXPECT_EQ(tipo->ItemIndex(), before);
  EXPECT_EQ(t->State(), dsBrowse);
}

TEST_F(DbUiDataControls, ImageKeepsItsBitmapInTheBlobField) {
  auto* t = Table(u"concessionaria", u"CNPJ");
  t->Open();
  auto* image = new TDBImage(Form);
  image->SetParent(Form);
  image->SetBounds(8, 8, 100, 60);
  image->SetDataSource(Source);
  image->SetDataField(u"LOGOTIPO");
  image->SetStretch(true);
  int clicks = 0;
  image->OnClick = [&](TObject*) { ++clicks; };
  ShowForm();
  EXPECT_EQ(image->Picture()->Graphic(), nullptr);
  SendMessageW(image->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  SendMessageW(image->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  EXPECT_EQ(clicks, 1);

  // A picture put into the image goes into the field when the record posts.
  t->Edit();
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(20, 10);
  bitmap.Canvas()->Brush()->SetColor(clRed);
  bitmap.Canvas()->FillRect(TRect(0, 0, 20, 10));
  bitmap.Canvas()->SetPixels(3, 4, clBlue);
  image->Picture()->SetGraphic(&bitmap);
  t->Post();
  t->ApplyUpdates(0);
  t->CommitUpdates();
  EXPECT_EQ(TestDatabase::Scalar(u"SELECT SUBSTRING(LOGOTIPO, 1, 2) FROM concessionaria"), u"BM");

  // Read back from the server it shows again, stretched over the control.
  t->Close();
  t->Open();
  auto* shown = dynamic_cast<TBitmap*>(image->Picture()->Graphic());
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->Width(), 20);
  EXPECT_EQ(shown->Height(), 10);
  EXPECT_EQ(ColorToRGB(shown->Canvas()->Pixels(3, 4)), clBlue);
  EXPECT_EQ(ColorToRGB(shown->Canvas()->Pixels(10, 5)), clRed);
  std::unique_ptr<TBitmap> picture = PaintControlImage(*image);
  const TRect client = image->ClientRect();
  const TPoint origin = image->ClientToScreen(TPoint(0, 0));
  RECT window{};
  GetWindowRect(image->Handle(), &window);
  const int dx = origin.X - window.left;
  const int dy = origin.Y - window.top;
  EXPECT_EQ(ColorToRGB(picture->Canvas()->Pixels(dx + client.Width() / 2, dy + client.Height() / 4)), clRed);

  // Clearing the picture clears the field.
  t->Edit();
  image->Picture()->SetGraphic(nullptr);
  t->Post();
  EXPECT_TRUE(t->FieldByName(u"LOGOTIPO")->IsNull());
}
