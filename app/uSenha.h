#pragma once
// The login: the user's name and password checked against the agent's
// users, the password stored enciphered. An agent without users is let in
// as a manager, so that the first user can be created.
#include "platform/ui/Buttons.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"

class TfrmSenha : public TForm {
public:
  explicit TfrmSenha(TComponent* AOwner);
  ~TfrmSenha() override;

  TLabel* LabelUSUARIO;
  TEdit* EditUSUARIO;
  TLabel* LabelSENHA;
  TEdit* EditSENHA;
  TBitBtn* ButOK;
  TBitBtn* ButCancela;

  void FormShow(TObject* Sender);
  void ButOKClick(TObject* Sender);
  void ButCancelaClick(TObject* Sender);
};

extern TfrmSenha* frmSenha;
