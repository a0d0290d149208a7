#pragma once
// The pieces every window of the application builds the same way: its
// frame and font, its bar of speed buttons, its "&Editar" menu, Enter as
// Tab, the calculator, and the form pointer each window keeps.
#include "platform/rtl/String.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"

// Centred on the screen, keys previewed, hints shown, Tahoma 8.
void PreparaJanela(TForm* form, TFormBorderStyle borda);

// The buttons down the right side: a 96-pixel panel, 80x32 buttons 38
// pixels apart.
TPanel* CriaBarraLateral(TForm* form);
TSpeedButton* BotaoLateral(TForm* form, TPanel* barra, int indice, const String& texto, const String& dica);

// The flat buttons along the top: a 36-pixel panel, 76x28 buttons 80
// pixels apart.
TPanel* CriaBarraSuperior(TForm* form);
TSpeedButton* BotaoSuperior(TForm* form, TPanel* barra, int indice, const String& texto, const String& dica);

// A menu item added to its parent menu.
TMenuItem* ItemMenu(TComponent* dono, TMenuItem* pai, const String& texto, const String& dica = {},
                    TShortCut atalho = 0);
// The "&Editar" menu of the menu bar, and its items with Ctrl+letter.
TMenuItem* CriaMenuEditar(TForm* form, TMainMenu* menu);
TMenuItem* ItemCtrl(TForm* form, TMenuItem* menu, const String& texto, char16_t tecla, const String& dica = {});

// Enter moves to the next control, as Tab does; true when it did.
bool AvancaComEnter(TForm* form, char16_t& Key);

// The edits and lists inside `painel` in the button-face colour while they
// cannot be changed, in the window colour otherwise.
void MostraSomenteLeitura(TWinControl* painel, bool somenteLeitura);

// Starts a program by name, shown normally; false when it cannot be
// started (GetLastError tells why).
bool IniciaPrograma(const String& nome);
// Starts the system calculator; says so when there is none.
void IniciaCalculadora();

// Restores the normal cursor however the block ends.
struct CursorNormalAoSair {
  ~CursorNormalAoSair() { Screen->SetCursor(crDefault); }
};

// A window's global pointer stops pointing at it when it goes.
template <class T>
void EsqueceForm(T*& global, const T* form) {
  if (global == form) global = nullptr;
}
