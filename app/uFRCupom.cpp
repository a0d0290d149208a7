#include "app/uFRCupom.h"
#include "app/AppState.h"
#include "app/uDM.h"
#include "app/uFunc.h"
#include "platform/data/DataSource.h"
#include "report/components/RLDBText.h"
#include "report/components/RLDetailGrid.h"
#include "report/components/RLLabel.h"
#include "report/components/RLReport.h"

namespace {
struct TPlace {
  int Top, Left, Width, Height;
};

enum class TFonte { Padrao, Nome, Titulo, Razao, Recebimento, Valor };

void AplicaFonte(TControl* c, TFonte fonte) {
  switch (fonte) {
    case TFonte::Padrao: return;
    case TFonte::Nome: c->Font()->SetHeight(-15); c->Font()->SetStyle({fsBold}); break;
    case TFonte::Titulo: c->Font()->SetHeight(-16); c->Font()->SetStyle({fsBold}); break;
    case TFonte::Razao: c->Font()->SetHeight(-8); break;
    case TFonte::Recebimento: c->Font()->SetHeight(-11); break;
    case TFonte::Valor: c->Font()->SetHeight(-13); c->Font()->SetStyle({fsBold}); break;
  }
  c->Font()->SetName(u"Arial");
}

template <typename T>
T* Poe(TFRCupom* form, TRLDetailGrid* grid, const char16_t* nome, TPlace p, TRLTextAlignment alinhamento,
       TFonte fonte = TFonte::Padrao) {
  auto* c = new T(form);
  c->SetName(nome);
  c->SetParent(grid);
  c->SetBounds(p.Left, p.Top, p.Width, p.Height);
  c->SetAlignment(alinhamento);
  AplicaFonte(c, fonte);
  return c;
}
}  // namespace

TFRCupom::TFRCupom(TComponent* AOwner) : TForm(AOwner) {
  SetCaption(u"FRCupom");
  SetBounds(0, 0, 800, 600);
  RLReportCUPOM = new TRLReport(this);
  RLReportCUPOM->SetName(u"RLReportCUPOM");
  RLReportCUPOM->SetParent(this);
  RLReportCUPOM->SetDataSource(DM->DsQrRecebimentos);
  RLReportCUPOM->PageSetup()->SetPaperSize(fpCustom);
  RLReportCUPOM->PageSetup()->SetPaperWidth(76);
  RLReportCUPOM->PageSetup()->SetPaperHeight(110);
  RLReportCUPOM->Margins()->SetLeftMargin(5);
  RLReportCUPOM->Margins()->SetTopMargin(5);
  RLReportCUPOM->Margins()->SetRightMargin(5);
  RLReportCUPOM->Margins()->SetBottomMargin(5);
  RLReportCUPOM->Font()->SetName(u"Arial");
  RLReportCUPOM->Font()->SetColor(clBlack);
  RLReportCUPOM->Font()->SetHeight(-8);
  RLReportCUPOM->SetTitle(u"Cupom");
  RLReportCUPOM->SetPrintDialog(false);
  RLReportCUPOM->SetBeforePrintEvent([this](TObject*, bool& PrintIt) { RLReportCUPOMBeforePrint(PrintIt); });
  RLReportCUPOM->OnDataRecord = [this](TObject*, int, int, bool&, TRLRecordAction&) { RLReportCUPOMDataRecord(); };

  RLDetailGrid1 = new TRLDetailGrid(this);
  RLDetailGrid1->SetName(u"RLDetailGrid1");
  RLDetailGrid1->SetParent(RLReportCUPOM);
  RLDetailGrid1->SetBounds(19, 19, 249, 376);

  using A = TRLTextAlignment;
  TDataSource* agente = DM->DsAgentes;
  TDataSource* conc = DM->DsConcessionaria;
  TDataSource* rec = DM->DsQrRecebimentos;
  auto texto = [&](const char16_t* nome, TPlace p, TDataSource* ds, const char16_t* campo, A a,
                   TFonte fonte = TFonte::Padrao, const char16_t* prefixo = u"") {
    auto* t = Poe<TRLDBText>(this, RLDetailGrid1, nome, p, a, fonte);
    t->SetDataSource(ds);
    t->SetDataField(campo);
    t->SetText(prefixo);
    return t;
  };
  auto rotulo = [&](const char16_t* nome, TPlace p, const String& legenda, A a, TFonte fonte = TFonte::Padrao) {
    auto* l = Poe<TRLLabel>(this, RLDetailGrid1, nome, p, a, fonte);
    l->SetCaption(legenda);
    return l;
  };
  texto(u"RLDBText1", {0, 70, 108, 18}, agente, u"NOME_FANTASIA", A::taCenter, TFonte::Nome);
  texto(u"RLDBText10", {19, 98, 48, 10}, agente, u"RAZAO_SOCIAL", A::taCenter);
  RLLabelENDERECO_NRO = rotulo(u"RLLabelENDERECO_NRO", {33, 73, 98, 10}, String(), A::taCenter);
  RLLabelMUN_UF = rotulo(u"RLLabelMUN_UF", {47, 90, 64, 10}, String(), A::taCenter);
  texto(u"RLDBText3", {61, 1, 48, 10}, agente, u"CNPJ", A::taLeftJustify, TFonte::Padrao, u"CNPJ: ");
  RLDBText4 = texto(u"RLDBText4", {61, 123, 33, 10}, agente, u"INSCRICAO", A::taLeftJustify);
  texto(u"RLDBText6", {76, 1, 47, 10}, rec, u"RECEBIMENTO", A::taLeftJustify);
  texto(u"RLDBText7", {76, 58, 19, 10}, rec, u"HORA", A::taLeftJustify);
  RLLabelGNF = rotulo(u"RLLabelGNF", {76, 123, 47, 10}, String(), A::taLeftJustify);
  texto(u"RLDBText9", {76, 186, 60, 10}, rec, u"CUPOM", A::taRightJustify, TFonte::Padrao, u"COO: ");
  rotulo(u"RLLabel1", {95, 9, 232, 19}, u"COMPROVANTE NÃO FISCAL", A::taCenter, TFonte::Titulo);
  rotulo(u"RLLabel2", {116, 70, 110, 10}, u"NÃO É DOCUMENTO FISCAL", A::taCenter);
  // Fixed size: they keep the width given whatever their text.
  auto fixo = [](TRLCustomControl* c, TPlace p) {
    c->SetAutoSize(false);
    c->SetBounds(p.Left, p.Top, p.Width, p.Height);
  };
  fixo(texto(u"RLDBText18", {130, 3, 244, 14}, conc, u"RAZAO_SOCIAL", A::taCenter, TFonte::Razao),
       {130, 3, 244, 14});
  texto(u"RLDBText17", {142, 40, 168, 10}, conc, u"DOC_CREDENCIAMENTO", A::taCenter, TFonte::Padrao,
        u"Credenciamento ");
  rotulo(u"RLLabel3", {162, 4, 111, 14}, u"Recebimento de Conta", A::taLeftJustify, TFonte::Recebimento);
  rotulo(u"RLLabel4", {183, 1, 62, 10}, u"VALOR LIQUIDO", A::taLeftJustify);
  texto(u"RLDBText11", {180, 132, 47, 16}, agente, u"MOEDA", A::taLeftJustify, TFonte::Valor);
  texto(u"RLDBText12", {180, 145, 99, 16}, rec, u"VALOR", A::taRightJustify, TFonte::Valor);
  texto(u"RLDBText13", {197, 1, 34, 10}, rec, u"CHQ_DINH", A::taLeftJustify);
  texto(u"RLDBText15", {197, 134, 25, 10}, agente, u"MOEDA", A::taLeftJustify);
  texto(u"RLDBText14", {197, 190, 54, 10}, rec, u"RECEBIDO", A::taRightJustify);
  rotulo(u"RLLabel7", {212, 1, 22, 10}, u"Troco", A::taLeftJustify);
  texto(u"RLDBText8", {212, 134, 25, 10}, agente, u"MOEDA", A::taLeftJustify);
  texto(u"RLDBText16", {212, 222, 22, 10}, rec, u"TROCO", A::taRightJustify);
  rotulo(u"RLLabel5", {218, 0, 226, 10}, String(56, u'_'), A::taLeftJustify);
  fixo(rotulo(u"RLLabelBARRAS", {232, 8, 234, 11}, u"Representação numérica do código de barras", A::taCenter),
       {232, 8, 234, 11});
  texto(u"RLDBText5", {248, 94, 62, 10}, rec, u"CODIGOBARRAS", A::taCenter);
  rotulo(u"RLLabel6", {262, 0, 226, 10}, String(56, u'_'), A::taLeftJustify);
}

void TFRCupom::RLReportCUPOMBeforePrint(bool&) { Screen->SetCursor(crDefault); }

void TFRCupom::RLReportCUPOMDataRecord() {
  TDataSet* agente = DM->Agentes;
  RLLabelENDERECO_NRO->SetCaption(agente->FieldByName(u"ENDERECO")->AsString() + u"  " +
                                  agente->FieldByName(u"NRO")->AsString());
  RLLabelMUN_UF->SetCaption(agente->FieldByName(u"BAIRRO")->AsString() + u" - " +
                            agente->FieldByName(u"MUNICIPIO")->AsString() + u" - " +
                            agente->FieldByName(u"UF")->AsString());
  RLDBText4->SetText(u"Inscr." + agente->FieldByName(u"DESC_INSCRICAO")->AsString() + u": ");
  RLLabelGNF->SetCaption(u"CNF: " + PreencheZerosEsquerda(6, DM->QrRecebimentos->FieldByName(u"CUPOM")->AsString()));
}

void TFRCupom::ImprimeCupom(const String& nSaida) {
  Screen->SetCursor(crHourGlass);
  if (nSaida == u"V")
    RLReportCUPOM->Preview();
  else
    RLReportCUPOM->Print();
}
