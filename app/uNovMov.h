#pragma once
// Opening a cash movement. TAberturaMovimento makes the two checks (no
// movement of the agent on that date, fewer than two open) and the insert
// one workstation of the agent at a time, so two of them cannot both slip
// past the checks. TfrmNovMov is the small window through which the
// operator confirms the date.
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/String.h"
#include "platform/ui/Forms.h"

#include "platform/data/FDDataSet.h"

class TDM;
class TFDConnection;

// The server's named lock of one agent's openings, held by one session from
// construction to destruction. Raises when another workstation keeps it.
class TTravaAgente {
public:
  TTravaAgente(TFDConnection& conexao, const String& agente);
  ~TTravaAgente();
  TTravaAgente(const TTravaAgente&) = delete;
  TTravaAgente& operator=(const TTravaAgente&) = delete;
  // Whether the connection's current session still holds the lock: a
  // session the layer connected anew after a loss does not.
  bool Mantida();

private:
  TFDQuery FConsulta;
  String FNome;
};

enum class TSituacaoAbertura {
  Aberto,              // the movement was inserted
  Existente,           // the agent has a movement on that date
  LimiteAbertos,       // two or more of the agent's movements are open
  FalhaVerificacao,    // a check could not be made; nothing was inserted
  FalhaGravacao,       // the insert failed; nothing was inserted
};

struct TResultadoAbertura {
  TSituacaoAbertura Situacao = TSituacaoAbertura::Aberto;
  // What to tell the operator (information box); empty for Aberto.
  String Mensagem;
};

class TAberturaMovimento {
public:
  explicit TAberturaMovimento(TDM& dm) : FDM(dm) {}
  TResultadoAbertura Abre(TDateTime data, const String& usuario, const String& agente);

private:
  TDM& FDM;
};

// ---------------------------------------------------------------- the window

class TMaskEdit;
class TMemo;
class TPanel;
class TRxClock;
class TSpeedButton;

class TfrmNovMov : public TForm {
public:
  explicit TfrmNovMov(TComponent* AOwner);
  ~TfrmNovMov() override;

  // Shows the window modally; it is created on the first call and reused.
  static void AbreFormNovMov();

  TMemo* Memo1;
  TPanel* PanelDATA;
  TRxClock* RxClock1;
  TMaskEdit* EditDATA;
  TMaskEdit* EditHORA;
  TSpeedButton* ButAcertar;
  TSpeedButton* ButNovo;
  TSpeedButton* ButSair;

  void FormShow(TObject* Sender);
  void FormKeyPress(TObject* Sender, char16_t& Key);
  void EditDATAExit(TObject* Sender);
  void ButAcertarClick(TObject* Sender);
  void ButNovoClick(TObject* Sender);
  void ButSairClick(TObject* Sender);

private:
  void AcertaData();
  TDateTime DataDoPainel() const;
};

extern TfrmNovMov* frmNovMov;
