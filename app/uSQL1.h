#pragma once
// The receipts query: a condition at a time composed from a field, an
// operator and a value into a read-only SQL text, run over the receipts
// of every agent with the configured agent's filter, shown in a read-only
// grid, and printed as receipts or as a listing.
#include "platform/ui/Buttons.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Mask.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"

class TRxDBGrid;

class TfrmSQL1 : public TForm {
public:
  explicit TfrmSQL1(TComponent* AOwner);
  ~TfrmSQL1() override;

  // Shows the query without making it modal, creating it the first time;
  // the same window keeps its composition for later calls.
  static void AbreFormSQL1();

  // The mask of a date value, which the SQL text takes as yyyy-mm-dd.
  static constexpr const char16_t* MascaraData = u"!99/99/9999;1;_";

  TPanel* PanelCampos;
  TLabel* LabelCAMPOS;
  TComboBox* ComboBoxCAMPOS;
  TLabel* LabelCAMPO;
  TLabel* LabelOP2;
  TComboBox* ComboBoxOP2;
  TLabel* LabelTEXTO;
  TMaskEdit* EditTEXTO;
  TLabel* LabelOP1;
  TComboBox* ComboBoxOP1;
  TSpeedButton* ButSQL;
  TPanel* PanelMENS;
  TMemo* MemoSQL;
  TRxDBGrid* RxDBGrid1;
  TPanel* PanelBotoes;
  TBitBtn* ButOk;
  TBitBtn* ButCancelar;
  TBitBtn* ButImprimir;
  TBitBtn* ButFechar;
  TPopupMenu* PopupMenu1;
  TMenuItem* ImprimirRequerimento1;
  TMenuItem* ListagemdeRequerimentos1;

  void ComboBoxCAMPOSDropDown(TObject* Sender);
  void ComboBoxCAMPOSClick(TObject* Sender);
  void ButSQLClick(TObject* Sender);
  void ButOkClick(TObject* Sender);
  void ButCancelarClick(TObject* Sender);
  void ButImprimirClick(TObject* Sender);
  void ButFecharClick(TObject* Sender);
  void ImprimirRequerimento1Click(TObject* Sender);
  void ListagemdeRequerimentos1Click(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormActivate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  void FormKeyPress(TObject* Sender, char16_t& Key);

private:
  void CriaCampos();
  void CriaBotoes();
  void FechaConsulta();
  static void HabilitaPrincipal(bool habilitada);
};

extern TfrmSQL1* frmSQL1;
