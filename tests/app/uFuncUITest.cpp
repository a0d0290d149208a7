#include "app/AppState.h"
#include "app/uFunc.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Mask.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/TestSeam.h"
#include <gtest/gtest.h>
#include <regex>

namespace {

class uFuncUI : public ::testing::Test {
protected:
  void SetUp() override {
    UiTestSeam::Reset();
    NomeUsuario = u"MARIA";
  }
  void TearDown() override {
    UiTestSeam::Reset();
    NomeUsuario.clear();
  }
  const std::vector<TMessageBoxRecord>& Log() { return UiTestSeam::MessageBoxLog(); }
};

}  // namespace

TEST_F(uFuncUI, MessageKindsCaptionsAndIcons) {
  struct { int tipo; StringView legenda; UINT icone; } casos[] = {
      {1, u"Erro MARIA", MB_ICONERROR},
      {2, u"Informação MARIA", MB_ICONINFORMATION},
      {3, u"Atenção MARIA", MB_ICONWARNING},
      {4, u"Atenção MARIA", MB_ICONERROR},
  };
  for (auto& c : casos) {
    UiTestSeam::ClearLog();
    UiTestSeam::QueueMessageBoxAnswer(IDOK);
    ExibeMensagem(u"Texto", c.tipo);
    ASSERT_EQ(Log().size(), 1u) << c.tipo;
    EXPECT_EQ(Log()[0].Caption, c.legenda);
    EXPECT_EQ(Log()[0].Text, u"Texto");
    EXPECT_EQ(Log()[0].Flags, MB_OK | c.icone);
  }
  UiTestSeam::ClearLog();
  ExibeMensagem(u"Nada", 5);
  ExibeMensagem(u"Nada", 0);
  EXPECT_TRUE(Log().empty());

  NomeUsuario.clear();  // before the login
  UiTestSeam::QueueMessageBoxAnswer(IDOK);
  AvisaTabelaIndisponivel();
  ASSERT_EQ(Log().size(), 1u);
  EXPECT_EQ(Log()[0].Caption, u"Informação ");
  EXPECT_EQ(Log()[0].Text, u"No momento a tabela está indisponível para gravação!");
}

TEST_F(uFuncUI, QuestionWithTheCallersDefault) {
  UiTestSeam::QueueMessageBoxAnswer(IDYES);
  EXPECT_TRUE(ConfirmaOperacao(u"Confirma a impressão do cupom?", 1));
  UiTestSeam::QueueMessageBoxAnswer(IDNO);
  EXPECT_FALSE(ConfirmaOperacao(u"Deseja?", 0));
  UiTestSeam::QueueMessageBoxAnswer(IDYES);
  EXPECT_TRUE(ConfirmaOperacao(u"Deseja?", 2));
  ASSERT_EQ(Log().size(), 3u);
  EXPECT_EQ(Log()[0].Caption, u"Atenção MARIA");
  EXPECT_EQ(Log()[0].Flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1));
  EXPECT_EQ(Log()[1].Flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));
  EXPECT_EQ(Log()[2].Flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));
}

TEST_F(uFuncUI, DatesFromTextAndMaskedEdits) {
  EXPECT_TRUE(VerificaData(u"05/03/2024"));
  EXPECT_TRUE(Log().empty());
  UiTestSeam::QueueMessageBoxAnswer(IDOK);
  EXPECT_FALSE(VerificaData(u"31/02/2024"));
  ASSERT_EQ(Log().size(), 1u);
  EXPECT_EQ(Log()[0].Text, u"Necessário informar a data corretamente!");
  EXPECT_EQ(Log()[0].Caption, u"Erro MARIA");

  auto* form = new TForm(Application);
  auto* edit = new TMaskEdit(form);
  edit->SetParent(form);
  edit->SetEditMask(u"!99/99/9999;1;_");
  UiTestSeam::ClearLog();
  EXPECT_EQ(RetornaDataMascaraSQL(edit), u"  /  /    ");
  EXPECT_TRUE(Log().empty());
  edit->SetText(u"05/03/2024");
  EXPECT_EQ(RetornaDataMascaraSQL(edit), u"2024-03-05");
  UiTestSeam::QueueMessageBoxAnswer(IDOK);
  edit->SetText(u"31/02/2024");
  EXPECT_EQ(RetornaDataMascaraSQL(edit), u"31/02/2024");
  EXPECT_EQ(Log().size(), 1u);
  delete form;
}

TEST_F(uFuncUI, ComboIndexByLeadingCharacters) {
  auto* form = new TForm(Application);
  auto* combo = new TComboBox(form);
  combo->SetParent(form);
  combo->Items()->Add(u"Funcional");
  combo->Items()->Add(u"Gerencial (todas as janelas)");
  EXPECT_EQ(RetornaIndiceCombo(u"Funcional", combo, 9), 0);
  EXPECT_EQ(RetornaIndiceCombo(u"Gerencial", combo, 9), 1);
  EXPECT_EQ(RetornaIndiceCombo(u"gerencial", combo, 9), -1);
  EXPECT_EQ(RetornaIndiceCombo(u"Gerente", combo, 9), -1);
  delete form;
}

TEST_F(uFuncUI, VersionOfTheLoadedImage) {
  // The test program carries no version block.
  EXPECT_EQ(RetornaVersaoSistema(), u"");
  String versao = RetornaVersaoModulo(GetModuleHandleW(reinterpret_cast<LPCWSTR>(u"kernel32.dll")));
  EXPECT_TRUE(std::regex_match(StringToUtf8(versao), std::regex(R"(\d+\.\d+\.\d+\.\d+)"))) << StringToUtf8(versao);
}

TEST_F(uFuncUI, WaitKeepsHandlingMessages) {
  TTimer timer(nullptr);
  int ticks = 0;
  timer.SetInterval(50);
  timer.OnTimer = [&](TObject*) { ++ticks; };
  ULONGLONG inicio = GetTickCount64();
  AguardaSegundos(1);
  EXPECT_GE(GetTickCount64() - inicio, 1000u);
  EXPECT_GT(ticks, 0);
}
