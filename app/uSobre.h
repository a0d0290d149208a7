#pragma once
// The about box: the borderless splash while the program starts, whose
// one-shot timer opens the login, and the "Informações do sistema" window.
#include "platform/ui/Buttons.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"

// Skin names stay out of the form's header: the skin's enumerations share
// short names with those of other libraries.
class TsLabelFX;

class TAboutBox : public TForm {
public:
  explicit TAboutBox(TComponent* AOwner);
  ~TAboutBox() override;

  // Turns the box into the splash: no border, only the product name, the
  // version line and the notices showing.
  void ComoAbertura();
  // Turns it into the information window of the main menu.
  void ComoInformacoes();

  TPanel* Panel1;
  // The effects label: Impact 35 pixels, centred, angle 0, shadow margins
  // -3 and 5; its caption is set at run time.
  TsLabelFX* LabelSoft;
  TLabel* ProductName;
  TLabel* Copyright;
  TLabel* Comments;
  TImage* ProgramIcon;
  TImage* DatabaseIcon;
  TSpeedButton* OKButton;
  TTimer* Timer1;

  void FormCreate(TObject* Sender);
  void OKButtonClick(TObject* Sender);
  void Timer1Timer(TObject* Sender);

private:
  void PreencheInformacoes();
};

// The most recently created about box: the splash until the menu opens
// another one.
extern TAboutBox* AboutBox;

// The maker's notice with the current year, shared by the main window,
// the about box and the footer of printed listings.
String AvisoFabricante();
