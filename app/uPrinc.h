#pragma once
// The main window: a small launcher whose menu and five buttons open the
// working windows, some of them for managers ("Gerencial") only. Showing
// it runs the start-up: the configuration file, the database, the names of
// the agent and the utility and the version in the caption.
#include "platform/ui/Buttons.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"

// Skin names stay out of the form's header: the skin's enumerations share
// short names with those of other libraries.
class TsLabelFX;
class TsAlphaHints;

class TfrmPrinc : public TForm {
public:
  explicit TfrmPrinc(TComponent* AOwner);
  ~TfrmPrinc() override;

  TPanel* PanelEsquerdo;
  // The effects label: "Brenquia" in Impact 48 pixels, centred, turned by
  // 90 degrees, with the shadow margins -3 and 5 in its bounds.
  TsLabelFX* LabelEffect1;
  TImage* Image1;
  TPanel* PanelDireito;
  TSpeedButton* ButMovimentos;
  TSpeedButton* ButAgente;
  TSpeedButton* ButInformacoes;
  TSpeedButton* ButCalculadora;
  TSpeedButton* ButSair;
  TLabel* LabelSoft;
  TStatusBar* StatusBar1;
  TMainMenu* MainMenu1;
  TMenuItem* MnuOpcoes;
  TMenuItem* MnuMovimentos;
  TMenuItem* MnuConfiguracoes;
  TMenuItem* MnuUsuarios;
  TMenuItem* MnuAgente;
  TMenuItem* MnuConcessionaria;
  TMenuItem* MnuConfigurar;
  TMenuItem* MnuConsulta;
  TMenuItem* MnuResumo;
  TMenuItem* MnuSair;
  TMenuItem* MnuUtilitarios;
  TMenuItem* MnuExcluir;
  TMenuItem* MnuCalculadora;
  TMenuItem* MnuSobre;
  TMenuItem* MnuInformacoes;
  // Shows every hint of the program as an alpha-blended balloon.
  TsAlphaHints* sAlphaHints1;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void StatusBar1MouseMove(TObject* Sender, TShiftState Shift, int X, int Y);

  void MovimentosClick(TObject* Sender);
  void UsuariosClick(TObject* Sender);
  void AgenteClick(TObject* Sender);
  void ConcessionariaClick(TObject* Sender);
  void ConfigurarClick(TObject* Sender);
  void ConsultaClick(TObject* Sender);
  void ResumoClick(TObject* Sender);
  void SairClick(TObject* Sender);
  void ExcluirClick(TObject* Sender);
  void CalculadoraClick(TObject* Sender);
  void InformacoesClick(TObject* Sender);

  // Opens ArquivoConfiguracao; on failure a message and false.
  bool LoadFileConfig();
  // Creates the data module and opens the agent's database; on failure a
  // message, and the application is asked to end.
  void AbreBancodeDados();
  void FechaBancodeDados();
  // True when the user exists among the agent's users and the password
  // matches the stored, enciphered one.
  bool VerificaSenhaEncriptada(const String& nUsuario, const String& nSenha);

protected:
  // The working windows, each opened by its own module's opening routine.
  virtual void AbreMovimentos();
  virtual void AbreUsuarios();
  virtual void AbreAgente();
  virtual void AbreConcessionaria();
  virtual void AbreConfiguracao();
  virtual void AbreConsulta();
  virtual void AbreResumo();
  virtual void AbreExclusao();
  virtual void AbreCalculadora();
  virtual void AbreInformacoes();

private:
  void CriaMenu();
  void CriaPaineis();
  static bool Gerencial();
};

extern TfrmPrinc* frmPrinc;
