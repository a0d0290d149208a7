#pragma once
// The configuration file "Brenquia.ini" beside the executable, and its
// editor: the connection, the agent code, the agent-version switch and the
// PIX key, four connection values and the key enciphered.
#include "platform/rtl/String.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/Buttons.h"

class TCustomIniFile;

// The folder of the running executable, with a trailing delimiter, where
// the program keeps its configuration file.
String PastaPrograma();
// Points the program at another folder, for a program that runs these
// windows outside their own executable (tests); empty restores the default.
void DefinePastaPrograma(const String& pasta);
// PastaPrograma() + "Brenquia.ini".
String CaminhoArquivoConfiguracao();

// Opens ArquivoConfiguracao on the configuration file. Raises when the
// file cannot be read.
void AbreArquivoConfiguracao();

// Starts the program again by its executable's file name, in a normal
// window; the system looks in the program's own folder first. Raises when
// it cannot be started.
void ReiniciaPrograma();

class TfrmConfig : public TForm {
public:
  explicit TfrmConfig(TComponent* AOwner);
  ~TfrmConfig() override;

  // Shows the editor modally, creating it the first time.
  static void AbreFormConfig();

  TGroupBox* GroupBoxBanco;
  TLabel* LabelSERVER;
  TEdit* EditSERVER;
  TLabel* LabelUSER_NAME;
  TEdit* EditUSER_NAME;
  TLabel* LabelPASSWORD;
  TEdit* EditPASSWORD;
  TLabel* LabelDATABASE;
  TEdit* EditDATABASE;
  TLabel* LabelPORTA;
  // Stands in for the currency edit of the extended controls (no
  // decimals, display format "0") until that library is on the form.
  TEdit* EditPORTA;
  TGroupBox* GroupBoxAgente;
  TLabel* LabelCOD_AGENTE;
  TEdit* EditCOD_AGENTE;
  TCheckBox* CheckBoxVERSAO_AGENTE;
  TGroupBox* GroupBoxPix;
  TEdit* EditCHAVE_PIX;
  TPanel* PanelBotoes;
  TBitBtn* ButGravar;
  TBitBtn* ButFechar;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void ButGravarClick(TObject* Sender);
  void ButFecharClick(TObject* Sender);

private:
  void HabilitaConfiguracao();
  void CarregaConfiguracao();
  void GravaConfiguracao();
  bool CampoPreenchido(TEdit* edit, const String& mensagem);
};

extern TfrmConfig* frmConfig;
