#include "app/FormHelpers.h"
#include "app/uFunc.h"
#include "platform/ui/StdCtrls.h"

void PreparaJanela(TForm* form, TFormBorderStyle borda) {
  form->SetBorderStyle(borda);
  form->SetPosition(poScreenCenter);
  form->SetKeyPreview(true);
  form->SetShowHint(true);
  form->Font()->SetName(u"Tahoma");
  form->Font()->SetSize(8);
}

namespace {

TPanel* CriaBarra(TForm* form, TAlign lado) {
  auto* barra = new TPanel(form);
  barra->SetParent(form);
  barra->SetAlign(lado);
  barra->SetCaption(String());
  return barra;
}

TSpeedButton* Botao(TForm* form, TPanel* barra, const String& texto, const String& dica) {
  auto* b = new TSpeedButton(form);
  b->SetParent(barra);
  b->SetCaption(texto);
  b->SetHint(dica);
  return b;
}

}  // namespace

TPanel* CriaBarraLateral(TForm* form) {
  TPanel* barra = CriaBarra(form, alRight);
  barra->SetWidth(96);
  return barra;
}

TSpeedButton* BotaoLateral(TForm* form, TPanel* barra, int indice, const String& texto, const String& dica) {
  TSpeedButton* b = Botao(form, barra, texto, dica);
  b->SetBounds(8, 8 + indice * 38, 80, 32);
  return b;
}

TPanel* CriaBarraSuperior(TForm* form) {
  TPanel* barra = CriaBarra(form, alTop);
  barra->SetHeight(36);
  return barra;
}

TSpeedButton* BotaoSuperior(TForm* form, TPanel* barra, int indice, const String& texto, const String& dica) {
  TSpeedButton* b = Botao(form, barra, texto, dica);
  b->SetFlat(true);
  b->SetBounds(4 + indice * 80, 4, 76, 28);
  return b;
}

TMenuItem* ItemMenu(TComponent* dono, TMenuItem* pai, const String& texto, const String& dica, TShortCut atalho) {
  auto* item = new TMenuItem(dono);
  item->SetCaption(texto);
  item->SetHint(dica);
  item->SetShortCut(atalho);
  pai->Add(item);
  return item;
}

TMenuItem* CriaMenuEditar(TForm* form, TMainMenu* menu) { return ItemMenu(form, menu->Items(), u"&Editar"); }

TMenuItem* ItemCtrl(TForm* form, TMenuItem* menu, const String& texto, char16_t tecla, const String& dica) {
  return ItemMenu(form, menu, texto, dica, ShortCut(tecla, TShiftState{ssCtrl}));
}

bool AvancaComEnter(TForm* form, char16_t& Key) {
  if (Key != u'\r') return false;
  form->SelectNext(form->ActiveControl(), true, true);
  Key = 0;
  return true;
}

void MostraSomenteLeitura(TWinControl* painel, bool somenteLeitura) {
  for (int i = 0; i < painel->ControlCount(); ++i) {
    TControl* controle = painel->Controls(i);
    if (dynamic_cast<TCustomEdit*>(controle) || dynamic_cast<TCustomComboBox*>(controle))
      controle->SetColor(somenteLeitura ? clBtnFace : clWindow);
    else if (auto* grupo = dynamic_cast<TWinControl*>(controle))
      MostraSomenteLeitura(grupo, somenteLeitura);
  }
}

bool IniciaPrograma(const String& nome) {
  String comando = nome;
  comando.push_back(u'\0');
  STARTUPINFOW inicio{};
  inicio.cb = sizeof inicio;
  inicio.dwFlags = STARTF_USESHOWWINDOW;
  inicio.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION processo{};
  if (!CreateProcessW(nullptr, reinterpret_cast<LPWSTR>(comando.data()), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &inicio, &processo))
    return false;
  CloseHandle(processo.hThread);
  CloseHandle(processo.hProcess);
  return true;
}

void IniciaCalculadora() {
  if (!IniciaPrograma(u"Calc.exe")) ExibeMensagem(u"A calculadora do sistema não está disponível neste computador!", 2);
}
