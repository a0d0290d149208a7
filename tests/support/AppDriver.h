#pragma once
// Drives the real Brenquia.exe from a test: the test program is a Wine
// process in the same prefix and display, so it starts the program, finds
// its windows and controls, types, clicks, presses keys, reads texts and
// answers message boxes through the plain Win32 API, the way a person
// would. Every wait is bounded; a failed wait returns an empty handle.
//
// The program reads Brenquia.ini beside its executable, so each driver
// works on a copy of the executable in a temporary folder of its own.
#include "platform/rtl/String.h"
#include <windows.h>
#include <vector>

class AppDriver {
public:
  AppDriver();
  // Kills the program if it still runs and removes the temporary folder.
  ~AppDriver();
  AppDriver(const AppDriver&) = delete;
  AppDriver& operator=(const AppDriver&) = delete;

  // The program as built, found beside the test program's build folder
  // (<build>\tests\x.exe -> <build>\app\Brenquia.exe); empty when missing.
  static String BuiltExecutable();

  // The temporary folder holding the copy (with a trailing delimiter).
  const String& Folder() const { return FFolder; }
  String ExecutablePath() const { return FFolder + u"Brenquia.exe"; }
  String IniPath() const { return FFolder + u"Brenquia.ini"; }

  // Writes Brenquia.ini for the test database (BRQ_DB_HOST, BRQ_DB_PORT,
  // BRQ_DB_USER, BRQ_DB_PASSWORD) with the program's own cipher.
  void WriteIniForTestDatabase(const String& codigoAgente, bool versaoAgente = false) const;

  // Starts the copy; false when it cannot be started.
  bool Start(const String& arguments = String());
  DWORD ProcessId() const { return FProcess.dwProcessId; }
  bool Running() const;
  // Waits for the program to end; true when it did.
  bool WaitForExit(DWORD timeoutMs);
  DWORD ExitCode() const;
  void Kill();

  // Visible top-level windows of the program.
  std::vector<HWND> TopWindows() const;
  // A visible top-level window whose caption equals `caption` (or starts
  // with it when `prefix` is set), with its class when one is given.
  HWND FindWindowByCaption(StringView caption, bool prefix = false, StringView className = {}) const;
  HWND WaitForWindow(StringView caption, DWORD timeoutMs, bool prefix = false, StringView className = {}) const;
  // Waits until the window is gone (or hidden).
  bool WaitForWindowGone(HWND window, DWORD timeoutMs) const;
  bool WaitUntilEnabled(HWND window, DWORD timeoutMs) const;

  // Children, in Z order (the order the form created them), depth first.
  static std::vector<HWND> Children(HWND parent, StringView className = {});
  // The index-th child of that class (0-based), or nullptr.
  static HWND Child(HWND parent, StringView className, size_t index = 0);
  static HWND ChildByText(HWND parent, StringView text);

  static String Text(HWND window);
  static String ClassName(HWND window);
  static bool Enabled(HWND window);
  static bool Visible(HWND window);
  static RECT ScreenRect(HWND window);

  // Replaces the control's text (WM_SETTEXT), as a paste would.
  static void SetText(HWND control, StringView text);
  // Types characters one by one (WM_CHAR), so the control's own filters
  // (upper case, masks, length limits) apply.
  void TypeText(HWND control, StringView text) const;
  // Key down and up, posted to the control (or the program's focus).
  void PressKey(HWND control, UINT virtualKey) const;
  void PressKeyInFocus(UINT virtualKey) const;
  HWND FocusedControl() const;
  // Button click, posted, so a modal loop it opens does not block the test.
  static void Click(HWND button);
  // Left click at a client point of a window (for windowless controls).
  static void ClickAt(HWND window, int x, int y);
  // Picks a menu item of the window's menu bar by its texts, one per level
  // ("&Opções", "&Sair"); false when not found.
  static bool PickMenu(HWND window, const std::vector<String>& path);
  // The menu item by its texts, for reading its state; false when missing.
  static bool FindMenuItem(HWND window, const std::vector<String>& path, HMENU& menu, UINT& position);

  // Message boxes: a dialog of the program whose caption starts with
  // `captionPrefix` (empty: any). Text() of the box is its message.
  HWND WaitForMessageBox(DWORD timeoutMs, StringView captionPrefix = {}) const;
  static String MessageBoxText(HWND box);
  // Presses a button of the box by its command id (IDOK, IDYES, IDNO, ...).
  static void AnswerMessageBox(HWND box, int buttonId);

  // Waits until the program has handled every message posted so far.
  void Settle() const;

  // PNG of the screen area of a window, taken from the X display as a
  // person sees it; false when it could not be taken.
  static bool SaveScreenshot(HWND window, const String& pngPath);

private:
  String FFolder;
  PROCESS_INFORMATION FProcess{};
};

// Waits in small steps, pumping this thread's messages, until `ready` says
// so or the time is up.
template <class F>
bool WaitUntil(F ready, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  for (;;) {
    if (ready()) return true;
    if (GetTickCount() - start >= timeoutMs) return ready();
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(25);
  }
}
