#pragma once
// Opening a cash movement. TAberturaMovimento makes the two checks (no
// movement of the agent on that date, fewer than two open) and the insert
// one workstation of the agent at a time, so two of them cannot both slip
// past the checks. TfrmNovMov is the small window through which the
// operator confirms the date.
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/String.h"

class TDM;

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
