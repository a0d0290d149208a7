#pragma once
// The movements window, the operator's daily desk: the agent's cash
// movements with the receipts of the selected one below, a summary line,
// and the doors to receiving bills, opening and closing movements,
// recomputing totals, reprinting and deleting receipts.
#include "platform/rtl/DateUtils.h"
#include "platform/ui/Forms.h"
#include <memory>

class TDataLink;
class TDBGrid;
class TMainMenu;
class TMenuItem;
class TPanel;
class TPopupMenu;
class TSpeedButton;
class TStatusBar;

class TfrmMov : public TForm {
public:
  explicit TfrmMov(TComponent* AOwner);
  ~TfrmMov() override;

  // Shows the window modally; it is created on the first call.
  static void AbreFormMov();
  // Enables opening for receipts when there is a movement, and refreshes
  // the summary.
  void HabilitaDesabilitaControlesMov();
  // Header and summary line of the current movement.
  void PainelResumo();
  // Prints ("I") or previews ("V") one stored receipt; failures are told
  // as "Não foi possível imprimir o cupom! " and the cause.
  static void ImprimeCupom(const String& nSaida, const String& nCupom, TDateTime nDataRec);

  TPanel* PanelMOV;
  TDBGrid* DBGridMOV;
  TPanel* PanelRESUMO;
  TPanel* PanelREC;
  TDBGrid* DBGridREC;
  TPanel* PanelBotoes;
  TSpeedButton* ButAbrir;
  TSpeedButton* ButFechar;
  TStatusBar* StatusBar1;
  TMainMenu* MainMenu1;
  TMenuItem* MnuOpcoes;
  TMenuItem* MnuAbrir;
  TMenuItem* MnuFecharMov;
  TMenuItem* MnuNovo;
  TMenuItem* MnuProcessar;
  TMenuItem* MnuResumo;
  TMenuItem* MnuCalculadora;
  TMenuItem* MnuSair;
  TMenuItem* MnuIrPara;
  TMenuItem* MnuPrimeiro;
  TMenuItem* MnuAnterior;
  TMenuItem* MnuProximo;
  TMenuItem* MnuUltimo;
  TPopupMenu* PopupREC;
  TMenuItem* ImprimirCupom1;
  TMenuItem* ExcluirRecebimento1;

  void FormShow(TObject* Sender);
  void ButAbrirClick(TObject* Sender);
  void ButFecharClick(TObject* Sender);
  void DBGridMOVCellClick(TObject* Sender);
  void DBGridRECCellClick(TObject* Sender);
  void N4Click(TObject* Sender);   // closing a movement
  void N5Click(TObject* Sender);   // new movement
  void N13Click(TObject* Sender);  // recomputing a movement
  void C1Click(TObject* Sender);   // calculator
  void N10Click(TObject* Sender);  // period summary
  void P1Click(TObject* Sender);   // first movement
  void R1Click(TObject* Sender);   // previous movement
  void N15Click(TObject* Sender);  // next movement
  void N16Click(TObject* Sender);  // last movement
  void ImprimirCupom1Click(TObject* Sender);
  void ExcluirRecebimento1Click(TObject* Sender);

private:
  void CriaMenus();
  void CriaControles();
  void ProcessaMovimento();
  bool TemMovimento() const;

  // Header and summary follow the current movement, whatever moves it.
  std::unique_ptr<TDataLink> FLinkMovimento;
};

extern TfrmMov* frmMov;

