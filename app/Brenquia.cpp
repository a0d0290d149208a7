// Placeholder entry point until the application's start-up lands.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  MessageBoxW(nullptr, reinterpret_cast<LPCWSTR>(u"Brenquia: a aplicação ainda não foi construída."),
              reinterpret_cast<LPCWSTR>(u"Brenquia"), MB_OK | MB_ICONINFORMATION);
  return 0;
}
