#pragma once
// The closing of the current movement: closing and credit dates and the
// document through which the agent pays the collected total to the
// utility, the bar code of a boleto or a PIX identifier. For PIX (the
// default) the form shows the static PIX QR code of the movement's total,
// also saved as "QRCode.bmp" in the current folder.
#include "controls/RxToolEditDate.h"
#include "platform/dbctrls/DBEdit.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Mask.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"

class TFBarcode;
struct TDadosPIX;
struct TEntradaFechamento;

class TfrmFecha : public TForm {
public:
  explicit TfrmFecha(TComponent* AOwner);
  ~TfrmFecha() override;

  // Shows the form modally on the current row of DM->Movimentos, creating
  // it the first time.
  static void AbreFormFecha();

  TLabel* LabelABERTURA;
  TDBEdit* DBEditABERTURA;
  TLabel* LabelQUANTIDADE;
  TDBEdit* DBEditQUANTIDADE;
  TLabel* LabelDINHEIRO;
  TDBEdit* DBEditDINHEIRO;
  TLabel* LabelCHEQUE;
  TDBEdit* DBEditCHEQUE;
  TLabel* LabelTOTAL;
  TDBEdit* DBEditTOTAL;
  TLabel* LabelFECHAMENTO;
  TDateEdit* DBEditFECHAMENTO;
  TLabel* LabelCREDITO;
  TDateEdit* DBEditCREDITO;
  TCheckBox* CheckBoxPIX;
  TLabel* LabelBOLETO_PIX;
  TMaskEdit* DBEditCODIGOBARRAS;
  TImage* imgPIX;
  TFBarcode* FBarcode;
  TPanel* PanelBotoes;
  TBitBtn* ButGravar;
  TBitBtn* ButFechar;
  TMainMenu* MainMenu1;
  TMenuItem* MnuEditar;
  TMenuItem* MnuGravar;
  TMenuItem* MnuSair;

  void FormShow(TObject* Sender);
  void FormKeyPress(TObject* Sender, char16_t& Key);
  void ButGravarClick(TObject* Sender);
  void ButFecharClick(TObject* Sender);
  void CheckBoxPIXClick(TObject* Sender);
  void DBEditCODIGOBARRASEnter(TObject* Sender);

  // Checks the values and, once the operator confirms, saves and closes.
  void ValidaFechamento();
  // Writes the closing of the current movement; true when it was written.
  bool GravaFechamento();
  // Switches the form between PIX (QR code shown) and boleto.
  void AtualizaPIX();
  // Builds the PIX payload of the current movement, draws it, saves it as
  // "QRCode.bmp" and shows it. When the payload cannot be built or drawn,
  // the operator is told why and no image is left: neither on the form nor
  // in the file, so no stale or partial code can be paid.
  void GeraQRCodePIX();

private:
  void CriaMenu();
  void CriaControles();
  void CriaBotoes();
  // The closing as the operator entered it.
  TEntradaFechamento Entrada() const;
  // The payload's inputs, read from the configuration and the data module.
  TDadosPIX DadosPIXMovimento() const;
  void DescartaQRCode();
};

extern TfrmFecha* frmFecha;
