#include "app/uFRRec.h"
#include "app/AppState.h"
#include "app/uDM.h"
#include "platform/data/DataSource.h"

namespace {

const char16_t* const FormatoValor = u"#,###,##0.00";

// The columns of the listing, in pixels of the page's printable width.
struct Coluna {
  const char16_t* titulo;
  const char16_t* campo;
  int esquerda;
  int largura;
  bool valor;  // amounts stand at the right of their column
};
constexpr Coluna Colunas[] = {
    {u"Recebimento", u"RECEBIMENTO", 0, 62, false}, {u"Hora", u"HORA", 64, 46, false},
    {u"Cupom", u"CUPOM", 112, 42, false},           {u"Chq/Dinh", u"CHQ_DINH", 156, 48, false},
    {u"Valor", u"VALOR", 206, 56, true},            {u"Recebido", u"RECEBIDO", 264, 56, true},
    {u"Troco", u"TROCO", 322, 46, true},            {u"Código de Barras", u"CODIGOBARRAS", 374, 262, false},
    {u"Usuário", u"USUARIO", 638, 80, false},
};

TRLBand* Banda(TComponent* dono, TRLReport* relatorio, TRLBandType tipo, int topo, int altura) {
  auto* banda = new TRLBand(dono);
  banda->SetParent(relatorio);
  banda->SetBandType(tipo);
  banda->SetBounds(0, topo, 718, altura);
  return banda;
}

template <class T>
T* Texto(TComponent* dono, TRLBand* banda, int x, int y, int largura, bool direita = false) {
  auto* texto = new T(dono);
  texto->SetParent(banda);
  texto->SetAutoSize(false);
  texto->SetBounds(x, y, largura, 14);
  if (direita) texto->SetAlignment(TRLTextAlignment::taRightJustify);
  return texto;
}

void Negrito(TControl* controle, TFontStyles estilo = TFontStyles{fsBold}) {
  controle->SetParentFont(false);
  controle->Font()->Assign(*controle->Parent()->Font());
  controle->Font()->SetStyle(estilo);
}

}  // namespace

TFRRec::TFRRec(TComponent* AOwner, TDataSource* fonte, TDataSource* agente) : TForm(AOwner) {
  SetCaption(u"Listagem de Recebimentos");
  RLReportREC = new TRLReport(this);
  RLReportREC->SetParent(this);
  RLReportREC->SetTitle(u"Recebimentos");
  RLReportREC->SetDataSource(fonte);
  RLReportREC->SetPrintDialog(false);
  RLReportREC->Font()->SetName(u"Arial");
  RLReportREC->Font()->SetSize(7);
  RLReportREC->SetBeforePrintEvent([this](TObject* s, bool& imprime) { RLReportRECBeforePrint(s, imprime); });
  RLReportREC->OnDataRecord = [this](TObject* s, int r, int c, bool& eof, TRLRecordAction& a) {
    RLReportRECDataRecord(s, r, c, eof, a);
  };
  CriaCabecalho(agente);
  CriaDetalhe(fonte);
  CriaResumo(fonte);
  CriaRodape();
}

void TFRRec::CriaCabecalho(TDataSource* agente) {
  RLBandCabecalho = Banda(this, RLReportREC, btHeader, 0, 76);
  RLBandCabecalho->Borders()->SetDrawBottom(true);
  RLDBTextAGENTE = Texto<TRLDBText>(this, RLBandCabecalho, 0, 2, 420);
  RLDBTextAGENTE->SetDataSource(agente);
  RLDBTextAGENTE->SetDataField(u"RAZAO_SOCIAL");
  Negrito(RLDBTextAGENTE);
  RLSystemInfoDATA = Texto<TRLSystemInfo>(this, RLBandCabecalho, 560, 2, 90, true);
  RLSystemInfoDATA->SetInfo(itDate);
  RLSystemInfoDATA->SetText(u"Em: ");
  RLSystemInfoHORA = Texto<TRLSystemInfo>(this, RLBandCabecalho, 650, 2, 68);
  RLSystemInfoHORA->SetInfo(itHour);
  RLSystemInfoHORA->SetText(u"  - ");
  RLLabelTITULO = Texto<TRLLabel>(this, RLBandCabecalho, 0, 24, 718);
  RLLabelTITULO->SetAlignment(TRLTextAlignment::taCenter);
  RLLabelTITULO->SetCaption(u"LISTAGEM DE RECEBIMENTOS");
  Negrito(RLLabelTITULO);
  RLLabelTITULO->Font()->SetSize(10);
  RLLabelTITULO->SetHeight(18);
  for (const Coluna& c : Colunas) {
    auto* titulo = Texto<TRLLabel>(this, RLBandCabecalho, c.esquerda, 58, c.largura, c.valor);
    titulo->SetCaption(c.titulo);
  }
}

void TFRRec::CriaDetalhe(TDataSource* fonte) {
  RLBandDetalhe = Banda(this, RLReportREC, btDetail, 80, 16);
  for (const Coluna& c : Colunas) {
    auto* texto = Texto<TRLDBText>(this, RLBandDetalhe, c.esquerda, 1, c.largura, c.valor);
    texto->SetDataSource(fonte);
    texto->SetDataField(c.campo);
  }
}

void TFRRec::CriaResumo(TDataSource* fonte) {
  RLBandResumo = Banda(this, RLReportREC, btSummary, 100, 20);
  auto resultado = [&](int x, int largura, const char16_t* campo, TRLResultInfo info, bool direita) {
    auto* r = Texto<TRLDBResult>(this, RLBandResumo, x, 3, largura, direita);
    r->SetDataSource(fonte);
    r->SetDataField(campo);
    r->SetInfo(info);
    Negrito(r);
    return r;
  };
  RLDBResultQUANTIDADE = resultado(0, 150, u"ID", riCount, false);
  RLDBResultQUANTIDADE->SetText(u"Quantidade: ");
  RLDBResultVALOR = resultado(156, 106, u"VALOR", riSum, true);
  RLDBResultRECEBIDO = resultado(264, 56, u"RECEBIDO", riSum, true);
  RLDBResultTROCO = resultado(322, 46, u"TROCO", riSum, true);
  for (TRLDBResult* soma : {RLDBResultVALOR, RLDBResultRECEBIDO, RLDBResultTROCO}) soma->SetDisplayMask(FormatoValor);
}

void TFRRec::CriaRodape() {
  RLBandRodape = Banda(this, RLReportREC, btFooter, 124, 20);
  RLBandRodape->Borders()->SetDrawTop(true);
  RLLabelRODREL = Texto<TRLLabel>(this, RLBandRodape, 0, 4, 560);
  Negrito(RLLabelRODREL, TFontStyles{fsItalic});
  RLSystemInfoFOLHA = Texto<TRLSystemInfo>(this, RLBandRodape, 598, 4, 120, true);
  RLSystemInfoFOLHA->SetInfo(itPageNumber);
  RLSystemInfoFOLHA->SetText(u"Folha: ");
}

void TFRRec::RLReportRECBeforePrint(TObject*, bool&) { Screen->SetCursor(crDefault); }

void TFRRec::RLReportRECDataRecord(TObject*, int, int, bool&, TRLRecordAction&) {
  RLLabelRODREL->SetCaption(RodapeRelatorio);
}

void TFRRec::ImprimeRecebimentos(const String& nSaida) {
  Screen->SetCursor(crHourGlass);
  // Each listing's form, its page store and temporary file go once it is
  // printed, instead of staying to the end of the program.
  std::unique_ptr<TFRRec> listagem(new TFRRec(Application, DM->DsQrRecebimentos, DM->DsAgentes));
  if (nSaida == u"V")
    listagem->RLReportREC->Preview();
  else
    listagem->RLReportREC->Print();
  Screen->SetCursor(crDefault);
}
