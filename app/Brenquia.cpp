// The program's entry: the main window, the splash over it, the message
// loop. Showing the main window runs the start-up; the splash's timer
// opens the login.
#include "app/uPrinc.h"
#include "app/uSobre.h"
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  try {
    Application->Initialize();
    Application->SetTitle(u"Brenquia");
    Application->CreateForm(frmPrinc);
    auto* splash = new TAboutBox(Application);
    splash->ComoAbertura();
    splash->Show();
    splash->Update();
    Application->Run();
  } catch (...) {
    Application->HandleException(nullptr);
  }
  return 0;
}
