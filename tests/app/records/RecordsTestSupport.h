#pragma once
// Helpers of the record windows' tests: the program started in-process as
// far as the login leaves it (configuration read, database open, a user
// logged in), message boxes answered and logged, screenshots kept.
#include "app/AppState.h"
#include "app/uDM.h"
#include "app/uPrinc.h"
#include "app/spine/SpineTestSupport.h"
#include "support/AppDriver.h"
#include "support/Artifacts.h"
#include "support/TestDatabase.h"
#include "platform/ui/TestSeam.h"

namespace records {

// Lets the form paint, then keeps a picture of it as a person sees it.
inline void Fotografa(TWinControl* form, const char* nome) {
  const String caminho = ArtifactPath(nome);
  if (caminho.empty()) return;
  form->Repaint();
  for (int i = 0; i < 5; ++i) {
    Application->ProcessMessages();
    Sleep(20);
  }
  AppDriver::SaveScreenshot(form->Handle(), caminho);
}

// The messages shown since the last ClearLog, by text and kind word.
inline std::vector<String> Legendas() {
  std::vector<String> legendas;
  for (const TMessageBoxRecord& caixa : UiTestSeam::MessageBoxLog()) legendas.push_back(caixa.Caption);
  return legendas;
}

// The program as the login leaves it, in-process: the main window shown
// (configuration read, database open, caption set) and a manager of agent
// `codigo` logged in.
class ProgramaAberto : public ::testing::Test {
protected:
  void SetUp() override {
    TestDatabase::Reset();
    for (const char16_t* gatilho : {u"falha_recebimentos", u"falha_agentes", u"falha_concessionaria"})
      TestDatabase::Exec(String(u"DROP TRIGGER IF EXISTS dbvorlent.") + gatilho);
  }
  void TearDown() override {
    for (const char16_t* gatilho : {u"falha_recebimentos", u"falha_agentes", u"falha_concessionaria"})
      TestDatabase::Exec(String(u"DROP TRIGGER IF EXISTS dbvorlent.") + gatilho);
    NovoEstadoDoPrograma(String());
  }

  void Abre(const String& codigo = TestDatabase::AgentA, bool versaoAgente = false) {
    NovoEstadoDoPrograma(Pasta.Path());
    EscreveIniTeste(Pasta.Path() + u"Brenquia.ini", codigo, versaoAgente ? u"True" : u"False");
    Application->CreateForm(frmPrinc);
    frmPrinc->FormShow(frmPrinc);
    ASSERT_NE(DM, nullptr);
    ASSERT_TRUE(DM->Usuarios->Active());
    NomeUsuario = u"ADMIN";
    NivelUsuario = u"Gerencial";
    LoginPendente = false;
    frmPrinc->SetEnabled(true);
    UiTestSeam::Reset();
  }

  // Makes the next statement of that kind on the table fail on the server,
  // the way a lost table or a refused write would.
  static void FalhaAo(const char16_t* gatilho, const char16_t* momento, const char16_t* tabela) {
    TestDatabase::Exec(String(u"CREATE TRIGGER dbvorlent.") + gatilho + u" " + momento + u" ON dbvorlent." + tabela +
                       u" FOR EACH ROW SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'falha forçada'");
  }

  // Answers every message box OK (or with the queued answers first), so a
  // box nobody expected shows in the log instead of waiting for a person.
  static void Responde(std::initializer_list<int> respostas = {}) {
    for (int r : respostas) UiTestSeam::QueueMessageBoxAnswer(r);
    for (int i = 0; i < 8; ++i) UiTestSeam::QueueMessageBoxAnswer(IDOK);
  }

  static String Escalar(const String& sql) { return TestDatabase::Scalar(sql); }

  TempFolder Pasta;
};

}  // namespace records
