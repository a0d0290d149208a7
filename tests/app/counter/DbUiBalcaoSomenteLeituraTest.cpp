// In the agent version the agent's and the utility's records cannot be
// changed, and their fields look it; in the full version they look open.
#include "app/uAgente.h"
#include "app/uConc.h"
#include "app/records/RecordsTestSupport.h"
#include "platform/dbctrls/DBComboBox.h"
#include "platform/dbctrls/DBEdit.h"
#include <gtest/gtest.h>

namespace {

class DbUiBalcaoSomenteLeitura : public records::ProgramaAberto {};

TEST_F(DbUiBalcaoSomenteLeitura, TheAgentVersionShowsTheRecordsFieldsReadOnly) {
  for (bool versaoAgente : {true, false}) {
    SCOPED_TRACE(versaoAgente ? "agent version" : "full version");
    Abre(TestDatabase::AgentA, versaoAgente);
    const TColor esperada = versaoAgente ? clBtnFace : clWindow;
    Application->CreateForm(frmAgente);
    frmAgente->Show();
    Application->ProcessMessages();
    for (TWinControl* campo : std::initializer_list<TWinControl*>{frmAgente->DBEditRAZAO_SOCIAL, frmAgente->DBEditNRO})
      EXPECT_EQ(campo->Color(), esperada);
    if (versaoAgente) records::Fotografa(frmAgente, "counter-agente-somente-leitura.png");
    frmAgente->Close();
    Application->CreateForm(frmConc);
    frmConc->Show();
    Application->ProcessMessages();
    EXPECT_EQ(frmConc->DBEditRAZAO_SOCIAL->Color(), esperada);
    if (versaoAgente) records::Fotografa(frmConc, "counter-concessionaria-somente-leitura.png");
    frmConc->Close();
    NovoEstadoDoPrograma(String());
  }
}

}  // namespace
