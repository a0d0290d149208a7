#include "app/uAgente.h"
#include "app/AppState.h"
#include "app/FormHelpers.h"
#include "app/uDM.h"
#include "app/uFunc.h"

TfrmAgente* frmAgente = nullptr;

TfrmAgente::~TfrmAgente() { EsqueceForm(frmAgente, this); }

TfrmAgente::TfrmAgente(TComponent* AOwner)
    : TfrmRegistro(AOwner, u"Agente Arrecadador", 360, u"Exclui os dados do agente arrecadador") {
  const Registro::Campos campos{this, PanelCampos, DM ? DM->DsAgentes : nullptr};
  DBEditCOD_AGENTE = campos.Edit(u"Código:", u"COD_AGENTE", 8, 0, 40, true);
  DBEditNOME_FANTASIA = campos.Edit(u"Nome Fantasia:", u"NOME_FANTASIA", 56, 0, 300, true);
  DBEditRAZAO_SOCIAL = campos.Edit(u"Razão Social:", u"RAZAO_SOCIAL", 8, 1, 348, true);
  DBEditENDERECO = campos.Edit(u"Endereço:", u"ENDERECO", 8, 2, 270, false);
  DBEditNRO = campos.Edit(u"Nº:", u"NRO", 286, 2, 70, false);
  DBEditBAIRRO = campos.Edit(u"Bairro:", u"BAIRRO", 364, 2, 140, false);
  DBEditMUNICIPIO = campos.Edit(u"Município:", u"MUNICIPIO", 8, 3, 220, true);
  DBComboBoxUF = campos.UF(236, 3);
  DBEditCEP = campos.Edit(u"CEP:", u"CEP", 294, 3, 80, false);
  DBEditFONE = campos.Edit(u"Telefone:", u"FONE", 382, 3, 100, false);
  DBEditCNPJ = campos.Edit(u"CNPJ:", u"CNPJ", 8, 4, 130, false);
  DBRadioGroupTIPO_INSCRICAO = campos.TipoInscricao(146, 4);
  DBEditINSCRICAO = campos.Edit(u"Nº da Incrição:", u"INSCRICAO", 334, 4, 120, false);
  DBEditNOME_EMPREGADOR = campos.Edit(u"Nome do Empregador:", u"NOME_EMPREGADOR", 8, 5, 270, true);
  DBEditCARGO_EMPREGADOR = campos.Edit(u"Cargo na Empresa:", u"CARGO_EMPREGADOR", 286, 5, 218, false);
  DBEditGNF = campos.Edit(u"GNF:", u"GNF", 8, 6, 60, false);
  DBEditMOEDA = campos.Edit(u"Moeda:", u"MOEDA", 76, 6, 40, false);
  CheckBoxIMPRIMIR_CUPOM = new TCheckBox(this);
  CheckBoxIMPRIMIR_CUPOM->SetParent(PanelCampos);
  CheckBoxIMPRIMIR_CUPOM->SetCaption(u"Imprimir cupom após recebimento");
  CheckBoxIMPRIMIR_CUPOM->SetBounds(132, 22 + 6 * 40, 220, 17);

  DBEditGNF->OnExit = [this](TObject* s) { DBEditGNFExit(s); };
}

void TfrmAgente::AbreFormAgente() {
  Screen->SetCursor(crHourGlass);
  if (!frmAgente) Application->CreateForm(frmAgente);
  frmAgente->SetHeight(360);
  frmAgente->ShowModal();
}

void TfrmAgente::FormShow(TObject*) {
  TFDTable* agentes = DM->Agentes;
  if (agentes->IsEmpty()) agentes->Append();
  HabilitaControlesAgente();
  Registro::EditaLinha(agentes);
  Screen->SetCursor(crDefault);
}

void TfrmAgente::HabilitaControlesAgente() {
  TFDTable* agentes = DM->Agentes;
  CheckBoxIMPRIMIR_CUPOM->SetChecked(!agentes->IsEmpty() &&
                                     agentes->FieldByName(u"IMPRIMIR_CUPOM")->AsInteger() != 0);
  MostraSomenteLeitura(PanelCampos, VersaoAgente);
  if (VersaoAgente) {
    PanelCampos->SetEnabled(false);
    ButGravar->SetEnabled(false);
    ButExcluir->SetEnabled(false);
    MnuGravar->SetEnabled(false);
    MnuExcluir->SetEnabled(false);
    return;
  }
  PanelCampos->SetEnabled(true);
  ButGravar->SetEnabled(true);
  MnuGravar->SetEnabled(true);
  const bool gravada = Registro::LinhaGravada(agentes);
  ButExcluir->SetEnabled(gravada);
  MnuExcluir->SetEnabled(gravada);
}

void TfrmAgente::DBEditGNFExit(TObject*) {
  if (!DBEditGNF->Text().empty()) return;
  TFDTable* agentes = DM->Agentes;
  if (agentes->State() == dsEdit || agentes->State() == dsInsert)
    agentes->FieldByName(u"GNF")->SetAsString(u"0");
  else
    DBEditGNF->SetText(u"0");
}

void TfrmAgente::ButGravarClick(TObject*) {
  // The agent version keeps the record as it stands, whatever reaches here.
  if (VersaoAgente) return;
  TFDTable* agentes = DM->Agentes;
  Registro::AtualizaLinha(agentes);
  auto texto = [agentes](const char16_t* campo) { return agentes->FieldByName(campo)->AsString(); };
  if (texto(u"RAZAO_SOCIAL").empty()) {
    Recusa(DBEditRAZAO_SOCIAL, u"Necessário informar a Razão Social do agente arrecadador!", 1);
    return;
  }
  if (texto(u"GNF").empty()) {
    Recusa(DBEditGNF, u"Necessário informar o número para a impressão do cupom não fiscal!", 2);
    return;
  }
  if (!VerificaCNPJ(texto(u"CNPJ"))) {
    Recusa(DBEditCNPJ, u"CNPJ inválido!", 1);
    return;
  }
  if (texto(u"INSCRICAO").empty()) {
    Recusa(DBEditINSCRICAO, u"Necessário informar a Inscrição da empresa!", 1);
    return;
  }
  try {
    Registro::EditaLinha(agentes);
    agentes->FieldByName(u"IMPRIMIR_CUPOM")->SetAsInteger(CheckBoxIMPRIMIR_CUPOM->Checked() ? 1 : 0);
    agentes->FieldByName(u"COD_AGENTE")->SetAsString(CodigoAgente);
    Registro::GravaLinha(agentes);
    NomeAgente = agentes->FieldByName(u"RAZAO_SOCIAL")->AsString();
    Close();
  } catch (const Exception&) {
    Registro::MantemLinhaAposFalha(agentes);
  }
}

void TfrmAgente::ButExcluirClick(TObject*) {
  if (VersaoAgente) return;
  if (!ConfirmaOperacao(u"Confirma a exclusão dos dados do agente arrecadador " + NomeAgente + u"?", 0)) return;
  Registro::ExcluiLinha(DM->Agentes);
  HabilitaControlesAgente();
}

void TfrmAgente::ButFecharClick(TObject*) {
  Registro::DescartaLinha(DM->Agentes);
  Close();
}

void TfrmAgente::FormClose(TObject*, TCloseAction&) {
  // Closing without saving, by any road, drops the unsaved changes.
  Registro::DescartaLinha(DM->Agentes);
}
