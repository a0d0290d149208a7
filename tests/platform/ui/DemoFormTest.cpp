// A form holding one of every control, shown and pictured: the pictures are
// kept as test artefacts for a person to look at.
#include "UiTestSupport.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/FormImage.h"
#include "platform/ui/Mask.h"
#include "platform/ui/Menus.h"
#include "platform/ui/ScrollBox.h"
#include <cstdlib>
#include <string>

namespace {
std::string ArtifactsDir() {
  const char* dir = std::getenv("BRQ_ARTIFACTS");
  return dir && *dir ? dir : "/tmp";
}

template <class T>
T* Put(TWinControl* parent, int left, int top, int width, int height) {
  auto* c = new T(GetParentForm(parent) ? static_cast<TComponent*>(GetParentForm(parent)) : parent);
  c->SetParent(parent);
  c->SetBounds(left, top, width, height);
  return c;
}

TForm* BuildDemoForm() {
  auto* form = new TForm(Application);
  form->SetCaption(u"Brenquia - Demonstração dos controles");
  form->SetBounds(40, 40, 640, 520);
  form->Font()->SetName(u"Tahoma");
  form->Font()->SetSize(8);
  form->SetShowHint(true);

  auto* menu = new TMainMenu(form);
  auto* options = new TMenuItem(form);
  options->SetCaption(u"&Opções");
  menu->Items()->Add(options);
  auto* novo = new TMenuItem(form);
  novo->SetCaption(u"&Novo Recebimento");
  novo->SetShortCut(TextToShortCut(u"Ctrl+N"));
  options->Add(novo);
  auto* help = new TMenuItem(form);
  help->SetCaption(u"&Sobre");
  menu->Items()->Add(help);
  form->SetMenu(menu);

  auto* status = new TStatusBar(form);
  status->SetParent(form);
  status->Panels()->Add()->SetWidth(140);
  status->Panels()->Items(0)->SetText(u"Movimento: 05/03/2024");
  status->Panels()->Add()->SetWidth(200);
  status->Panels()->Items(1)->SetText(u"Usuário: OPERADOR");
  status->Panels()->Items(1)->SetAlignment(taCenter);
  status->Panels()->Add();
  status->Panels()->Items(2)->SetText(u"Concessionária");

  auto* left = new TPanel(form);
  left->SetParent(form);
  left->SetAlign(alLeft);
  left->SetWidth(60);
  left->SetCaption(u"Painel");
  left->SetBevelInner(bvLowered);

  auto* label = Put<TLabel>(form, 70, 8, 0, 0);
  label->SetCaption(u"&Nome de usuário:");
  auto* edit = Put<TEdit>(form, 70, 24, 150, 21);
  edit->SetText(u"Texto digitado");
  label->SetFocusControl(edit);
  auto* password = Put<TEdit>(form, 230, 24, 90, 21);
  password->SetPasswordChar(u'*');
  password->SetText(u"SENHA");
  auto* labeled = Put<TLabeledEdit>(form, 330, 24, 130, 21);
  labeled->EditLabel()->SetCaption(u"Rótulo ligado:");
  labeled->SetText(u"labeled");
  auto* masked = Put<TMaskEdit>(form, 470, 24, 90, 21);
  masked->SetEditMask(u"!99/99/9999;1;_");
  masked->SetText(u"05/03/2024");

  auto* memo = Put<TMemo>(form, 70, 54, 150, 60);
  memo->Lines()->Add(u"Recebimento(s) em 05/03/2024:");
  memo->Lines()->Add(u"R$ 1.234,56 em 7 conta(s).");
  auto* list = Put<TListBox>(form, 230, 54, 90, 60);
  list->Items()->Add(u"Dinheiro");
  list->Items()->Add(u"Cheque");
  list->SetItemIndex(1);
  auto* combo = Put<TComboBox>(form, 330, 54, 130, 21);
  combo->SetStyle(csDropDownList);
  combo->Items()->Add(u"Funcional");
  combo->Items()->Add(u"Gerencial");
  combo->SetItemIndex(1);
  auto* combo2 = Put<TComboBox>(form, 330, 84, 130, 21);
  combo2->Items()->Add(u"AND");
  combo2->SetText(u"Editável");
  auto* progress = Put<TProgressBar>(form, 470, 54, 140, 16);
  progress->SetPosition(60);

  auto* group = Put<TGroupBox>(form, 70, 122, 200, 80);
  group->SetCaption(u" Quantidade e Valor Total ");
  auto* check = Put<TCheckBox>(group, 10, 20, 150, 17);
  check->SetCaption(u"Imprimir cupom");
  check->SetChecked(true);
  auto* radio1 = Put<TRadioButton>(group, 10, 40, 80, 17);
  radio1->SetCaption(u"Leitora");
  radio1->SetChecked(true);
  auto* radio2 = Put<TRadioButton>(group, 100, 40, 80, 17);
  radio2->SetCaption(u"Digitação");
  auto* radios = Put<TRadioGroup>(form, 280, 122, 180, 80);
  radios->SetCaption(u" Pagamento em ");
  radios->SetColumns(2);
  radios->Items()->Add(u"Dinheiro");
  radios->Items()->Add(u"Cheque");
  radios->SetItemIndex(0);

  auto* button = Put<TButton>(form, 470, 80, 75, 25);
  button->SetCaption(u"&Gravar");
  button->SetDefault(true);
  auto* ok = Put<TBitBtn>(form, 470, 112, 75, 25);
  ok->SetKind(bkOK);
  auto* cancel = Put<TBitBtn>(form, 550, 112, 75, 25);
  cancel->SetKind(bkCancel);
  auto* speed = Put<TSpeedButton>(form, 470, 144, 155, 30);
  speed->SetCaption(u"F11 - Movimentos");
  speed->SetFlat(true);
  speed->Font()->SetStyle(TFontStyles{fsBold});
  auto* speed2 = Put<TSpeedButton>(form, 470, 178, 155, 26);
  speed2->SetCaption(u"F2 - Calculadora");

  auto* image = Put<TImage>(form, 70, 210, 64, 64);
  image->Picture()->Bitmap()->SetSize(32, 32);
  TCanvas* ic = image->Picture()->Bitmap()->Canvas();
  ic->Brush()->SetColor(clNavy);
  ic->FillRect(TRect(0, 0, 32, 32));
  ic->Brush()->SetColor(clYellow);
  ic->Ellipse(4, 4, 28, 28);
  image->SetStretch(true);
  auto* bevel = Put<TBevel>(form, 140, 210, 130, 64);
  bevel->SetShape(bsFrame);

  auto* scroll = Put<TScrollBox>(form, 280, 210, 180, 64);
  for (int i = 0; i < 4; ++i) {
    auto* l = Put<TLabel>(scroll, 4, 4 + 22 * i, 0, 0);
    l->SetCaption(u"Linha " + AsciiToString(std::to_string(i + 1)) + u" de uma caixa rolável");
  }

  auto* pages = Put<TPageControl>(form, 70, 282, 390, 120);
  auto* sheet1 = new TTabSheet(form);
  sheet1->SetPageControl(pages);
  sheet1->SetCaption(u"Movimento");
  auto* sheet2 = new TTabSheet(form);
  sheet2->SetPageControl(pages);
  sheet2->SetCaption(u"Recebimentos");
  auto* inSheet = Put<TLabel>(sheet1, 8, 8, 0, 0);
  inSheet->SetCaption(u"Conteúdo da primeira página");
  auto* header = Put<TPanel>(sheet1, 8, 30, 250, 24);
  header->SetCaption(u"Movimento 05/03/2024");
  header->Font()->SetStyle(TFontStyles{fsBold});
  return form;
}
}  // namespace

TEST_F(UiFixture, DemoFormWithEveryControlIsPictured) {
  TForm* form = BuildDemoForm();
  form->Show();
  UiTest::Pump(100);
  std::unique_ptr<TBitmap> image = PaintControlImage(*form);
  ASSERT_EQ(image->Width(), form->Width());
  ASSERT_EQ(image->Height(), form->Height());
  std::string dir = ArtifactsDir();
  SaveControlImage(*form, LinuxPathToWindows(dir + "/demo-form-painted.png"));
  CaptureDisplayImage(*form, dir + "/demo-form-display.png");
  // The picture is not blank: the caption bar and the panel differ from the
  // form's face.
  TColor face = ColorToRGB(clBtnFace) & 0xFFFFFF;
  int different = 0;
  for (int y = 0; y < image->Height(); y += 4)
    for (int x = 0; x < image->Width(); x += 4)
      if ((image->Canvas()->Pixels(x, y) & 0xFFFFFF) != face) ++different;
  EXPECT_GT(different, 1000);
}
