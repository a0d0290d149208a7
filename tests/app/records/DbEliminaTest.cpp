// The purge of a period against the test database: exactly the range's
// movements and receipts of the agent go, the counts show during the
// pauses with the buttons off, and a failing second delete leaves
// everything in place.
#include "app/uElimina.h"
#include "app/records/RecordsTestSupport.h"

namespace {

// What the window showed while it waited, sampled by a timer that the
// pauses' message processing runs.
struct Amostra {
  String mensagem;
  bool botoes;
  bool principal;
  bool fechou;
};
std::vector<Amostra> amostras;
bool fotografada = false;

void CALLBACK Observa(HWND, UINT, UINT_PTR, DWORD) {
  if (!frmElimina) return;
  Amostra amostra{frmElimina->LabelMENS->Caption(),
                  frmElimina->ButExcluir->Enabled() || frmElimina->ButCancelar->Enabled() ||
                      frmElimina->ButFechar->Enabled(),
                  frmPrinc->Enabled(), false};
  // The close box while it waits.
  frmElimina->Close();
  amostra.fechou = !frmElimina->Visible();
  amostras.push_back(amostra);
  if (!fotografada && !frmElimina->LabelMENS->Caption().empty()) {
    fotografada = true;
    const String caminho = ArtifactPath("records-exclusao.png");
    if (!caminho.empty()) AppDriver::SaveScreenshot(frmElimina->Handle(), caminho);
  }
}

class DbElimina : public records::ProgramaAberto {
protected:
  void AbreExclusao() {
    Abre();
    Responde();
    TfrmElimina::AbreFormElimina();
    ASSERT_NE(frmElimina, nullptr);
    EXPECT_EQ(TextosDasMensagens(),
              std::vector<String>{u"Esta rotina excluirá do banco de dados os recebimentos entre as datas aqui "
                                  u"informadas. Tenha muita atenção ao prosseguir."});
    EXPECT_EQ(records::Legendas(), std::vector<String>{u"Atenção ADMIN"});
    frmElimina->FormActivate(frmElimina);
    UiTestSeam::Reset();
  }
  void Exclui(const String& inicio, const String& fim) {
    frmElimina->EditDATA1->SetText(inicio);
    frmElimina->EditDATA2->SetText(fim);
    Responde();
    frmElimina->ButExcluirClick(frmElimina->ButExcluir);
  }
  static String Conta(const String& tabela, const String& condicao) {
    return Escalar(u"SELECT COUNT(*) FROM " + tabela + u" WHERE " + condicao);
  }
};

TEST_F(DbElimina, RemovesExactlyTheRangeOfTheAgentShowingBothCounts) {
  AbreExclusao();
  EXPECT_FALSE(frmPrinc->Enabled()) << "the main window waits while the purge window is active";
  amostras.clear();
  fotografada = false;
  UINT_PTR timer = SetTimer(nullptr, 0, 700, Observa);
  Exclui(u"05/03/2024", u"05/03/2024");
  KillTimer(nullptr, timer);

  EXPECT_TRUE(UiTestSeam::MessageBoxLog().empty()) << StringToUtf8(TextosDasMensagens().front());
  // Agent 001 loses its movement of 05/03 and that day's two receipts.
  EXPECT_EQ(Conta(u"movimentos", u"COD_AGENTE = '001'"), u"1");
  EXPECT_EQ(Conta(u"movimentos", u"COD_AGENTE = '001' AND ABERTURA = '2024-03-04'"), u"1");
  EXPECT_EQ(Conta(u"recebimentos", u"COD_AGENTE = '001'"), u"2");
  EXPECT_EQ(Conta(u"recebimentos", u"COD_AGENTE = '001' AND RECEBIMENTO = '2024-03-04'"), u"2");
  // Agent 002's rows of the same day stay.
  EXPECT_EQ(Conta(u"movimentos", u"COD_AGENTE = '002'"), u"1");
  EXPECT_EQ(Conta(u"recebimentos", u"COD_AGENTE = '002'"), u"1");

  const String antes = u"Quantidade de recebimentos a serem excluídos => 2.";
  const String depois = u"Quantidade de recebimentos no banco de dados após exclusão => 2.";
  bool viuAntes = false, viuDepois = false;
  for (const Amostra& a : amostras) {
    viuAntes |= a.mensagem == antes;
    viuDepois |= a.mensagem == depois;
    EXPECT_FALSE(a.botoes) << "the buttons stay off while the purge runs";
    EXPECT_FALSE(a.principal);
    EXPECT_FALSE(a.fechou) << "the window stays until the purge ends";
  }
  EXPECT_TRUE(viuAntes) << "the count before shows during the first pause";
  EXPECT_TRUE(viuDepois) << "the count after shows during the second pause";
  EXPECT_EQ(frmElimina->LabelMENS->Caption(), depois);

  // The window closed itself, gave the main window back, and the tables
  // show what is left.
  EXPECT_FALSE(frmElimina->Visible());
  EXPECT_TRUE(frmPrinc->Enabled());
  EXPECT_TRUE(frmElimina->ButExcluir->Enabled());
  EXPECT_EQ(DM->Movimentos->RecordCount(), 1);
  EXPECT_EQ(Screen->Cursor(), crDefault);
}

TEST_F(DbElimina, FailingReceiptsDeleteLeavesTheMovementsInPlace) {
  AbreExclusao();
  FalhaAo(u"falha_recebimentos", u"BEFORE DELETE", u"recebimentos");
  Exclui(u"01/01/2024", u"31/12/2024");

  std::vector<String> textos = TextosDasMensagens();
  ASSERT_EQ(textos.size(), 1u);
  EXPECT_EQ(textos[0].rfind(u"Não foi possível concluir o processo de exclusão de registros! ", 0), 0u)
      << StringToUtf8(textos[0]);
  EXPECT_NE(textos[0].find(u"falha forçada"), String::npos);
  EXPECT_EQ(records::Legendas(), std::vector<String>{u"Informação ADMIN"});
  EXPECT_EQ(Conta(u"movimentos", u"COD_AGENTE = '001'"), u"2") << "nothing half-purged";
  EXPECT_EQ(Conta(u"recebimentos", u"COD_AGENTE = '001'"), u"4");
  EXPECT_FALSE(DM->FDConexao->InTransaction());
  EXPECT_EQ(frmElimina->LabelMENS->Caption(), u"Quantidade de recebimentos no banco de dados após exclusão => 4.");
}

TEST_F(DbElimina, RefusesEmptyOrInvalidDatesBeforeTouchingTheDatabase) {
  AbreExclusao();
  struct Caso {
    const char16_t* inicio;
    const char16_t* fim;
    std::vector<String> mensagens;
  };
  const Caso casos[] = {
      {u"", u"05/03/2024", {u"Necessário informar a data inicial corretamente!"}},
      {u"31/02/2024", u"05/03/2024",
       {u"Necessário informar a data corretamente!", u"Necessário informar a data inicial corretamente!"}},
      {u"04/03/2024", u"", {u"Necessário informar a data final corretamente!"}},
      {u"04/03/2024", u"45/13/2024",
       {u"Necessário informar a data corretamente!", u"Necessário informar a data final corretamente!"}},
  };
  for (const Caso& caso : casos) {
    UiTestSeam::Reset();
    Exclui(caso.inicio, caso.fim);
    EXPECT_EQ(TextosDasMensagens(), caso.mensagens) << StringToUtf8(caso.inicio) << " " << StringToUtf8(caso.fim);
    EXPECT_TRUE(frmElimina->Visible());
    EXPECT_EQ(frmElimina->LabelMENS->Caption(), u"");
  }
  EXPECT_EQ(Conta(u"movimentos", u"1 = 1"), u"3");
  EXPECT_EQ(Conta(u"recebimentos", u"1 = 1"), u"5");
}

TEST_F(DbElimina, LeavingADateCompletesATwoDigitYearAndCancelEmptiesBoth) {
  AbreExclusao();
  // Typed as a person would: the mask takes the digits left to right.
  frmElimina->EditDATA1->SetFocus();
  frmElimina->EditDATA1->SetSelStart(0);
  for (char16_t c : String(u"050324")) SendMessageW(frmElimina->EditDATA1->Handle(), WM_CHAR, c, 0);
  EXPECT_EQ(frmElimina->EditDATA1->Text(), u"05/03/24  ");
  frmElimina->EditDATA1Exit(frmElimina->EditDATA1);
  EXPECT_EQ(frmElimina->EditDATA1->Text(), u"05/03/2024");
  frmElimina->EditDATA2->SetText(String());
  const String vazia = frmElimina->EditDATA2->Text();
  frmElimina->EditDATA2Exit(frmElimina->EditDATA2);
  EXPECT_EQ(frmElimina->EditDATA2->Text(), vazia) << "an empty date stays empty";

  frmElimina->ButCancelarClick(frmElimina->ButCancelar);
  EXPECT_EQ(frmElimina->EditDATA1->Text(), u"  /  /    ");
  EXPECT_EQ(frmElimina->EditDATA2->Text(), u"  /  /    ");
  records::Fotografa(frmElimina, "records-exclusao-vazia.png");

  frmElimina->Close();
  EXPECT_TRUE(frmPrinc->Enabled());
}

}  // namespace
