// The program's entry: the main window, the splash over it, the message
// loop. Showing the main window runs the start-up; the splash's timer
// opens the login.
#include "app/uPrinc.h"
#include "app/uSobre.h"
#include "report/RLLibrary.h"
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  try {
    // Temporary page files, texts and the printer, for the receipt.
    TRLLibraryScope reportLibrary;
    Application->Initialize();
    Application->SetTitle(u"Brenquia");
    Application->CreateForm(frmPrinc);
    auto* splash = new TAboutBox(Application);
    splash->ComoAbertura();
    splash->Show();
    splash->Update();
    Application->Run();
  } catch (const std::exception& e) {
    // Failing this early, the application object may be what failed.
    const auto* erro = dynamic_cast<const Exception*>(&e);
    const String texto = erro ? erro->Message() : Utf8ToString(e.what());
    MessageBoxW(nullptr, reinterpret_cast<LPCWSTR>(texto.c_str()), reinterpret_cast<LPCWSTR>(u"Brenquia"),
                MB_OK | MB_ICONERROR);
    return 1;
  }
  return 0;
}
