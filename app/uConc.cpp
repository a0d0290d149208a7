#include "app/uConc.h"
#include "app/AppState.h"
#include "app/FormHelpers.h"
#include "app/uDM.h"
#include "app/uFunc.h"
#include "platform/ui/graphics/Bitmap.h"

TfrmConc* frmConc = nullptr;

TfrmConc::~TfrmConc() { EsqueceForm(frmConc, this); }

TfrmConc::TfrmConc(TComponent* AOwner)
    : TfrmRegistro(AOwner, u"Dados da Concessionária", 390, u"Exclui os dados da concessionária") {
  TDataSource* fonte = DM ? DM->DsConcessionaria : nullptr;
  const Registro::Campos campos{this, PanelCampos, fonte};
  DBEditRAZAO_SOCIAL = campos.Edit(u"Razão Social:", u"RAZAO_SOCIAL", 8, 0, 348, true);
  DBEditCOD_CONC = campos.Edit(u"Febraban:", u"COD_CONC", 364, 0, 50, false);
  DBEditENDERECO = campos.Edit(u"Endereço:", u"ENDERECO", 8, 1, 300, false);
  DBEditBAIRRO = campos.Edit(u"Bairro:", u"BAIRRO", 316, 1, 188, false);
  DBEditMUNICIPIO = campos.Edit(u"Município:", u"MUNICIPIO", 8, 2, 220, true);
  DBComboBoxUF = campos.UF(236, 2);
  DBEditCEP = campos.Edit(u"CEP:", u"CEP", 294, 2, 80, false);
  DBEditFONE = campos.Edit(u"Telefone:", u"FONE", 382, 2, 100, false);
  DBEditCNPJ = campos.Edit(u"CNPJ:", u"CNPJ", 8, 3, 130, false);
  DBRadioGroupTIPO_INSCRICAO = campos.TipoInscricao(146, 3);
  DBEditINSCRICAO = campos.Edit(u"Nº da Incrição:", u"INSCRICAO", 334, 3, 120, false);
  DBEditNOME_EMPREGADOR = campos.Edit(u"Nome do Empregador:", u"NOME_EMPREGADOR", 8, 4, 270, true);
  DBEditCARGO_EMPREGADOR = campos.Edit(u"Cargo na Empresa:", u"CARGO_EMPREGADOR", 286, 4, 218, false);
  DBEditDOC_CREDENCIAMENTO =
      campos.Edit(u"Documento de Credenciamento:", u"DOC_CREDENCIAMENTO", 8, 5, 270, false);
  LabelLOGOTIPO = campos.Rotulo(u"Logotipo:", 286, 5);
  DBImageLOGOTIPO = new TDBImage(this);
  DBImageLOGOTIPO->SetParent(PanelCampos);
  DBImageLOGOTIPO->SetBounds(286, 20 + 5 * 40, 120, 80);
  DBImageLOGOTIPO->SetStretch(true);
  DBImageLOGOTIPO->SetHint(u"Clique sobre este campo para buscar a imagem do logotipo da concessinária");
  DBImageLOGOTIPO->SetDataSource(fonte);
  DBImageLOGOTIPO->SetDataField(u"LOGOTIPO");

  OpenDialog1 = new TOpenDialog(this);
  OpenDialog1->SetFilter(u"Arquivo Bitmap (*.bmp)|*.bmp");

  DBImageLOGOTIPO->OnClick = [this](TObject* s) { DBImageLOGOTIPOClick(s); };
}

void TfrmConc::AbreFormConc() {
  Screen->SetCursor(crHourGlass);
  if (!frmConc) Application->CreateForm(frmConc);
  frmConc->SetHeight(390);
  frmConc->ShowModal();
}

void TfrmConc::FormShow(TObject*) {
  TFDTable* concessionaria = DM->Concessionaria;
  if (concessionaria->IsEmpty()) concessionaria->Append();
  HabilitaControlesConc();
  const bool liberado = !VersaoAgente;
  PanelCampos->SetEnabled(liberado);
  MostraSomenteLeitura(PanelCampos, !liberado);
  ButGravar->SetEnabled(liberado);
  MnuGravar->SetEnabled(liberado);
  if (liberado) Registro::EditaLinha(concessionaria);
  Screen->SetCursor(crDefault);
}

void TfrmConc::HabilitaControlesConc() {
  const bool excluir = !VersaoAgente && Registro::LinhaGravada(DM->Concessionaria);
  ButExcluir->SetEnabled(excluir);
  MnuExcluir->SetEnabled(excluir);
}

void TfrmConc::ButGravarClick(TObject*) {
  if (VersaoAgente) return;
  TFDTable* concessionaria = DM->Concessionaria;
  Registro::AtualizaLinha(concessionaria);
  auto texto = [concessionaria](const char16_t* campo) { return concessionaria->FieldByName(campo)->AsString(); };
  if (texto(u"RAZAO_SOCIAL").empty()) {
    Recusa(DBEditRAZAO_SOCIAL, u"Necessário informar a Razão Social da concessionária!", 1);
    return;
  }
  if (texto(u"CNPJ").empty()) {
    Recusa(DBEditCNPJ, u"Necessário informar o CNPJ da concessionária!", 1);
    return;
  }
  if (!VerificaCNPJ(texto(u"CNPJ"))) {
    Recusa(DBEditCNPJ, u"CNPJ inválido!", 1);
    return;
  }
  try {
    Registro::EditaLinha(concessionaria);
    Registro::GravaLinha(concessionaria);
    Close();
  } catch (const Exception&) {
    Registro::MantemLinhaAposFalha(concessionaria);
  }
}

void TfrmConc::ButExcluirClick(TObject*) {
  if (VersaoAgente) return;
  if (!ConfirmaOperacao(u"Confirma a exclusão dos dados da concessionária " + NomeConcessionaria + u"?", 0)) return;
  Registro::ExcluiLinha(DM->Concessionaria);
  HabilitaControlesConc();
}

void TfrmConc::ButFecharClick(TObject*) {
  Registro::DescartaLinha(DM->Concessionaria);
  Close();
}

void TfrmConc::FormClose(TObject*, TCloseAction&) { Registro::DescartaLinha(DM->Concessionaria); }

void TfrmConc::CarregaLogotipo(const String& arquivo) {
  // Read the picture first: a file that is not a bitmap leaves the row
  // untouched.
  TBitmap prova;
  prova.LoadFromFile(arquivo);
  TFDTable* concessionaria = DM->Concessionaria;
  Registro::EditaLinha(concessionaria);
  static_cast<TBlobField*>(concessionaria->FieldByName(u"LOGOTIPO"))->LoadFromFile(arquivo);
}

void TfrmConc::DBImageLOGOTIPOClick(TObject*) {
  if (VersaoAgente) return;
  Registro::EditaLinha(DM->Concessionaria);
  if (OpenDialog1->Execute()) CarregaLogotipo(OpenDialog1->FileName());
}
