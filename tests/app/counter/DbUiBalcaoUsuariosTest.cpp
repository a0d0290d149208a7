// The users window by mouse and keys: a click on the current row's name
// loads that user, and a cleared level list starts again from its top.
#include "app/uUsuarios.h"
#include "app/records/RecordsTestSupport.h"
#include "app/road/RoadSupport.h"
#include "platform/dbctrls/DBGrid.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/grids/InplaceEdit.h"
#include <functional>
#include <gtest/gtest.h>

namespace {

class DbUiBalcaoUsuarios : public records::ProgramaAberto {
protected:
  void AbreUsuarios(const String& agente) {
    Abre(agente);
    TfrmUsuarios::AbreFormUsuarios();
    ASSERT_NE(frmUsuarios, nullptr);
    road::Processa();
  }
  // A click in the middle of a cell of the grid (column 1 is the name).
  static void ClicaCelula(int coluna, int linha) {
    const TRect celula = frmUsuarios->DBGridUSUARIOS->CellRect(coluna, linha);
    AppDriver::ClickAt(frmUsuarios->DBGridUSUARIOS->Handle(), (celula.Left + celula.Right) / 2,
                       (celula.Top + celula.Bottom) / 2);
    road::Processa(50);
  }
};

TEST_F(DbUiBalcaoUsuarios, AClickOnTheOnlyUsersNameLoadsIt) {
  AbreUsuarios(TestDatabase::AgentB);
  ASSERT_EQ(DM->Usuarios->RecordCount(), 1);
  for (int vez = 1; vez <= 2; ++vez) {
    SCOPED_TRACE(vez);
    ClicaCelula(1, 1);
    EXPECT_EQ(frmUsuarios->EditNOME->Text(), u"ADMIN");
    EXPECT_EQ(frmUsuarios->ComboBoxNIVEL->Text(), u"Gerencial");
    EXPECT_FALSE(frmUsuarios->NovoUsuario());
    EXPECT_TRUE(frmUsuarios->ButExcluir->Enabled());
    TInplaceEdit* editor = frmUsuarios->DBGridUSUARIOS->InplaceEditor();
    EXPECT_TRUE(!editor || !editor->Visible()) << "a read-only grid opens no editor";
    if (vez == 1) records::Fotografa(frmUsuarios, "counter-usuarios.png");
    frmUsuarios->ButCancelarClick(nullptr);
  }
}

TEST_F(DbUiBalcaoUsuarios, AfterClearingTheLevelListStartsFromItsTop) {
  TestDatabase::Exec(u"UPDATE usuario SET SENHA = '" + EncriptaDecripta(u"E", u"A1", ChaveCriptografia) + u"'");
  AbreUsuarios(TestDatabase::AgentA);
  ASSERT_TRUE(DM->Usuarios->Locate(u"NOME", Variant(String(u"ADMIN"))));
  ClicaCelula(1, DM->Usuarios->RecNo());
  ASSERT_EQ(frmUsuarios->ComboBoxNIVEL->Text(), u"Gerencial");

  struct Caso {
    const char* nome;
    std::function<void()> limpa;
  } casos[] = {
      {"Ctrl+C", [] { road::Tecla('C', true); }},
      {"a save", [] {
         records::ProgramaAberto::Responde();
         road::Tecla('G', true);
       }},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.nome);
    ClicaCelula(1, DM->Usuarios->RecNo());
    ASSERT_EQ(frmUsuarios->ComboBoxNIVEL->ItemIndex(), 1);
    caso.limpa();
    ASSERT_EQ(frmUsuarios->ComboBoxNIVEL->ItemIndex(), -1);
    // Down from the name, then Down in the list.
    ASSERT_EQ(GetFocus(), frmUsuarios->EditNOME->Handle());
    road::Tecla(VK_RETURN);
    road::Tecla(VK_RETURN);
    ASSERT_EQ(GetFocus(), frmUsuarios->ComboBoxNIVEL->Handle());
    road::Tecla(VK_DOWN);
    EXPECT_EQ(frmUsuarios->ComboBoxNIVEL->ItemIndex(), 0) << "the first level, not the last user's";
    EXPECT_EQ(TestDatabase::Scalar(u"SELECT NIVEL FROM usuario WHERE NOME = 'ADMIN' AND COD_AGENTE = '001'"),
              u"Gerencial");
  }
}

}  // namespace
