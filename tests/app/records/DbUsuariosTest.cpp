// The users window against the test database: add, change and delete,
// names unique the way the server compares them, passwords enciphered,
// and every change going to the row that was loaded.
#include "app/uFunc.h"
#include "app/uUsuarios.h"
#include "app/records/RecordsTestSupport.h"

namespace {

class DbUsuarios : public records::ProgramaAberto {
protected:
  void SetUp() override {
    ProgramaAberto::SetUp();
    TestDatabase::Exec(u"UPDATE usuario SET SENHA = '" + Cifra(u"CX1") + u"', EMAIL = 'caixa@agente.test' "
                       u"WHERE NOME = 'CAIXA'");
    TestDatabase::Exec(u"INSERT INTO usuario (SENHA, NOME, NIVEL, EMAIL, COD_AGENTE) VALUES ('" + Cifra(u"D1") +
                       u"', 'SO DO DOIS', 'Funcional', 'd@d.test', '002')");
  }
  void AbreUsuarios() {
    Abre();
    TfrmUsuarios::AbreFormUsuarios();
    ASSERT_NE(frmUsuarios, nullptr);
    ASSERT_TRUE(frmUsuarios->Visible());
  }
  void Preenche(const String& nome, const String& senha, int nivel, const String& email) {
    frmUsuarios->EditNOME->SetText(nome);
    frmUsuarios->EditSENHA->SetText(senha);
    frmUsuarios->ComboBoxNIVEL->SetItemIndex(nivel);
    frmUsuarios->EditEMAIL->SetText(email);
  }
  void Grava(std::initializer_list<int> respostas = {}) {
    UiTestSeam::Reset();
    Responde(respostas);
    frmUsuarios->ButGravarClick(frmUsuarios->ButGravar);
  }
  // A click on the grid row of that user.
  void Clica(const String& nome) {
    ASSERT_TRUE(DM->Usuarios->Locate(u"NOME", Variant(nome))) << StringToUtf8(nome);
    UiTestSeam::Reset();
    Responde();
    frmUsuarios->DBGridUSUARIOSCellClick(nullptr);
  }
  static String Campo(const String& campo, const String& nome, const String& agente = u"001") {
    return Escalar(u"SELECT " + campo + u" FROM usuario WHERE NOME = " + QuotedSQL(nome) + u" AND COD_AGENTE = " +
                   QuotedSQL(agente));
  }
  static String Senha(const String& nome, const String& agente = u"001") {
    return DecriptaTexto(Campo(u"SENHA", nome, agente), ChaveCriptografia);
  }
  static String Contagem() { return Escalar(u"SELECT COUNT(*) FROM usuario"); }
};

TEST_F(DbUsuarios, AddsAUserWithTheAgentCodeAndAnEncipheredPassword) {
  AbreUsuarios();
  EXPECT_TRUE(frmUsuarios->NovoUsuario());
  EXPECT_FALSE(frmUsuarios->ButExcluir->Enabled());
  EXPECT_FALSE(frmUsuarios->MnuExcluir->Enabled());
  // Quotes, a backslash and accents reach the database as typed.
  Preenche(u"JOÃO D'ÁVILA", u"AB'C\\1", 1, u"joao\\'x@agente.test");
  Grava();
  EXPECT_TRUE(UiTestSeam::MessageBoxLog().empty()) << StringToUtf8(TextosDasMensagens().front());

  const String cifrada = Campo(u"SENHA", u"JOÃO D'ÁVILA");
  EXPECT_EQ(cifrada.size(), 2u + 2u * 6u);
  EXPECT_EQ(Senha(u"JOÃO D'ÁVILA"), u"AB'C\\1");
  EXPECT_EQ(Campo(u"NIVEL", u"JOÃO D'ÁVILA"), u"Gerencial");
  EXPECT_EQ(Campo(u"EMAIL", u"JOÃO D'ÁVILA"), u"joao\\'x@agente.test");
  // The form is clear again, in new-user mode, and the grid shows the user.
  EXPECT_EQ(frmUsuarios->EditNOME->Text(), u"");
  EXPECT_EQ(frmUsuarios->EditSENHA->Text(), u"");
  EXPECT_EQ(frmUsuarios->ComboBoxNIVEL->ItemIndex(), -1);
  EXPECT_TRUE(frmUsuarios->NovoUsuario());
  EXPECT_TRUE(DM->Usuarios->Locate(u"NOME", Variant(String(u"JOÃO D'ÁVILA"))));
  EXPECT_EQ(DM->Usuarios->RecordCount(), 3);

  // Clicking it reads the password back.
  Clica(u"JOÃO D'ÁVILA");
  EXPECT_EQ(frmUsuarios->EditSENHA->Text(), u"AB'C\\1");
  EXPECT_EQ(frmUsuarios->ComboBoxNIVEL->Text(), u"Gerencial");
  records::Fotografa(frmUsuarios, "records-usuarios.png");
}

TEST_F(DbUsuarios, RefusesMissingFieldsAndNamesTheAgentAlreadyHas) {
  AbreUsuarios();
  struct Caso {
    const char16_t* nome;
    const char16_t* senha;
    int nivel;
    const char16_t* email;
    const char16_t* mensagem;
  };
  const Caso casos[] = {
      {u"", u"X1", 0, u"a@b", u"Necessário informar o Nome de Usuário!"},
      {u"NOVO", u"", 0, u"a@b", u"Necessário informar a Senha de Usuário!"},
      {u"NOVO", u"X1", -1, u"a@b", u"Necessário informar o Nível de Usuário!"},
      {u"NOVO", u"X1", 0, u"", u"Necessário informar o Email de Usuário!"},
      {u"CAIXA", u"X1", 0, u"a@b", u"Nome de Usuário já cadastrado!"},
      // The server takes these for the same name.
      {u"caixa", u"X1", 0, u"a@b", u"Nome de Usuário já cadastrado!"},
      {u"Caixa ", u"X1", 0, u"a@b", u"Nome de Usuário já cadastrado!"},
  };
  const String antes = Contagem();
  for (const Caso& caso : casos) {
    Preenche(caso.nome, caso.senha, caso.nivel, caso.email);
    Grava();
    EXPECT_EQ(TextosDasMensagens(), std::vector<String>{caso.mensagem}) << StringToUtf8(caso.nome);
    EXPECT_EQ(records::Legendas(), std::vector<String>{u"Informação ADMIN"});
    EXPECT_EQ(frmUsuarios->EditNOME->Text(), caso.nome) << "a refusal keeps what was typed";
  }
  EXPECT_EQ(Contagem(), antes);

  // Another agent's user of that name does not count.
  Preenche(u"SO DO DOIS", u"X1", 0, u"a@b");
  Grava();
  EXPECT_TRUE(UiTestSeam::MessageBoxLog().empty());
  EXPECT_EQ(Campo(u"NIVEL", u"SO DO DOIS"), u"Funcional");
  EXPECT_EQ(Senha(u"SO DO DOIS", u"002"), u"D1");
}

TEST_F(DbUsuarios, ChangesPasswordLevelAndEmailOfTheLoadedUserOnly) {
  AbreUsuarios();
  Clica(u"CAIXA");
  EXPECT_TRUE(UiTestSeam::MessageBoxLog().empty());
  EXPECT_FALSE(frmUsuarios->NovoUsuario());
  EXPECT_TRUE(frmUsuarios->ButExcluir->Enabled());
  EXPECT_EQ(frmUsuarios->EditNOME->Text(), u"CAIXA");
  EXPECT_EQ(frmUsuarios->EditSENHA->Text(), u"CX1");
  EXPECT_EQ(frmUsuarios->ComboBoxNIVEL->ItemIndex(), 0);
  EXPECT_EQ(frmUsuarios->EditEMAIL->Text(), u"caixa@agente.test");

  const String senhaAdmin = Campo(u"SENHA", u"ADMIN");
  // Typing another user's name into the edit must not turn the save
  // onto that user.
  frmUsuarios->EditNOME->SetText(u"ADMIN");
  frmUsuarios->EditSENHA->SetText(u"NOVA1");
  frmUsuarios->ComboBoxNIVEL->SetItemIndex(1);
  frmUsuarios->EditEMAIL->SetText(u"novo@agente.test");
  Grava();
  EXPECT_TRUE(UiTestSeam::MessageBoxLog().empty());
  EXPECT_EQ(Senha(u"CAIXA"), u"NOVA1");
  EXPECT_EQ(Campo(u"NIVEL", u"CAIXA"), u"Gerencial");
  EXPECT_EQ(Campo(u"EMAIL", u"CAIXA"), u"novo@agente.test");
  EXPECT_EQ(Campo(u"SENHA", u"ADMIN"), senhaAdmin);
  EXPECT_EQ(Campo(u"NIVEL", u"ADMIN"), u"Gerencial");
  EXPECT_EQ(Campo(u"SENHA", u"ADMIN", u"002"), u"00");
  EXPECT_EQ(Escalar(u"SELECT COUNT(*) FROM usuario WHERE NOME = 'CAIXA'"), u"1") << "the name is never changed";
  EXPECT_TRUE(frmUsuarios->NovoUsuario());
  EXPECT_FALSE(frmUsuarios->ButExcluir->Enabled());
}

TEST_F(DbUsuarios, DeletesTheLoadedUserAfterConfirmation) {
  AbreUsuarios();
  Clica(u"CAIXA");
  frmUsuarios->EditNOME->SetText(u"ADMIN");
  UiTestSeam::Reset();
  Responde({IDNO});
  frmUsuarios->ButExcluirClick(frmUsuarios->ButExcluir);
  EXPECT_EQ(TextosDasMensagens(), std::vector<String>{u"Confirma a exclusão do usuário CAIXA?"});
  ASSERT_EQ(UiTestSeam::MessageBoxLog().size(), 1u);
  EXPECT_EQ(UiTestSeam::MessageBoxLog()[0].Flags & MB_DEFMASK, static_cast<UINT>(MB_DEFBUTTON2)) << "No is the default";
  EXPECT_EQ(Campo(u"NOME", u"CAIXA"), u"CAIXA");
  EXPECT_FALSE(frmUsuarios->ButExcluir->Enabled()) << "deleting needs a new click on the grid";

  Clica(u"CAIXA");
  frmUsuarios->EditNOME->SetText(u"ADMIN");
  UiTestSeam::Reset();
  Responde({IDYES});
  frmUsuarios->ButExcluirClick(frmUsuarios->ButExcluir);
  EXPECT_EQ(TextosDasMensagens(), std::vector<String>{u"Confirma a exclusão do usuário CAIXA?"});
  EXPECT_EQ(Campo(u"NOME", u"CAIXA"), u"");
  EXPECT_EQ(Campo(u"NOME", u"ADMIN"), u"ADMIN") << "the user typed in the edit stays";
  EXPECT_EQ(Campo(u"NOME", u"ADMIN", u"002"), u"ADMIN");
  EXPECT_FALSE(DM->Usuarios->Locate(u"NOME", Variant(String(u"CAIXA"))));
  EXPECT_FALSE(frmUsuarios->ButExcluir->Enabled());
  EXPECT_EQ(frmUsuarios->EditNOME->Text(), u"");
}

TEST_F(DbUsuarios, SaveOrDeleteOfAUserGoneMeanwhileSaysSo) {
  AbreUsuarios();
  Clica(u"CAIXA");
  TestDatabase::Exec(u"DELETE FROM usuario WHERE NOME = 'CAIXA'");
  frmUsuarios->EditSENHA->SetText(u"OUTRA");
  Grava();
  EXPECT_EQ(TextosDasMensagens(), std::vector<String>{u"Não foi possível alterar os dados do registro! "
                                                      u"O usuário não foi encontrado no banco de dados."});

  TestDatabase::Exec(u"INSERT INTO usuario (SENHA, NOME, NIVEL, EMAIL, COD_AGENTE) "
                     u"VALUES ('00', 'TEMP', 'Funcional', 't@t', '001')");
  DM->Usuarios->Refresh();
  Clica(u"TEMP");
  TestDatabase::Exec(u"DELETE FROM usuario WHERE NOME = 'TEMP'");
  UiTestSeam::Reset();
  Responde({IDYES});
  frmUsuarios->ButExcluirClick(frmUsuarios->ButExcluir);
  EXPECT_EQ(TextosDasMensagens(),
            (std::vector<String>{u"Confirma a exclusão do usuário TEMP?",
                                 u"Não foi possível concluir o processo de exclusão de registros! "
                                 u"O usuário não foi encontrado no banco de dados."}));
}

TEST_F(DbUsuarios, StoredPasswordThatCannotBeDecipheredIsReported) {
  TestDatabase::Exec(u"UPDATE usuario SET SENHA = 'não-cifrada' WHERE NOME = 'CAIXA'");
  AbreUsuarios();
  Clica(u"CAIXA");
  std::vector<String> textos = TextosDasMensagens();
  ASSERT_EQ(textos.size(), 1u);
  EXPECT_EQ(textos[0].rfind(u"Não foi possível selecionar o(s) registro(s)! ", 0), 0u);
  // The row can still be given a new password.
  frmUsuarios->EditSENHA->SetText(u"REFEIT");
  frmUsuarios->ComboBoxNIVEL->SetItemIndex(0);
  frmUsuarios->EditEMAIL->SetText(u"c@c");
  Grava();
  EXPECT_TRUE(UiTestSeam::MessageBoxLog().empty());
  EXPECT_EQ(Senha(u"CAIXA"), u"REFEIT");
}

}  // namespace
