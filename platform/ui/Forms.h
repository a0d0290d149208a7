#pragma once
// Forms, the screen and the application object.
#include "platform/rtl/Exceptions.h"
#include "platform/ui/Controls.h"
#include <map>
#include <typeinfo>
#include <memory>
#include <vector>

// The Win32 headers make MessageBox a macro that refuses the plain name;
// TApplication::MessageBox is a member of that name.
#undef MessageBox

class TMainMenu;
class TStrings;
class TStringList;

enum TPosition : uint8_t {
  poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
  poMainFormCenter, poOwnerFormCenter
};
enum TBorderIcon : uint8_t { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TEnumSet<TBorderIcon>;
enum TWindowState : uint8_t { wsNormal, wsMinimized, wsMaximized };
// fsMDIForm and fsMDIChild are kept as flags only; forms stay top-level.
enum TFormStyle : uint8_t { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TCloseAction : uint8_t { caNone, caHide, caFree, caMinimize };

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;
using TShortCutEvent = std::function<void(TMessage& Msg, bool& Handled)>;

class TCustomForm : public TWinControl {
public:
  explicit TCustomForm(TComponent* AOwner);
  ~TCustomForm() override;

  // Runs OnCreate once. Application->CreateForm calls it after the
  // constructor; showing a form whose creator did not, calls it then.
  virtual void AfterConstruction();
  // Runs OnDestroy, then deletes the form.
  void Free();
  // Frees the form once the messages now queued have been handled; safe
  // from the form's own event handlers.
  void Release();

  void Show();
  void Close();
  bool CloseQuery();
  // Shows the form with the other windows of the program disabled and
  // returns when ModalResult is set or the form is closed.
  TModalResult ShowModal();
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult value) { FModalResult = value; }
  bool Modal() const { return FModal; }

  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle value);
  TBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons value);
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition value) { FPosition = value; }
  TWindowState WindowState() const;
  void SetWindowState(TWindowState value);
  TFormStyle FormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle value);
  bool KeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool value) { FKeyPreview = value; }
  TWinControl* ActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* control);
  TMainMenu* Menu() const { return FMenu; }
  void SetMenu(TMainMenu* value);
  bool Active() const { return FActive; }
  TCanvas* Canvas() const { return FCanvas.get(); }

  // Whether a key message is a shortcut of OnShortCut or of the menu, which
  // then has run it.
  virtual bool IsShortCut(TMessage& Message);
  // Focus bookkeeping: OnExit/OnEnter along the way; false when a handler
  // moved the focus elsewhere meanwhile.
  bool SetFocusedControl(TWinControl* control);
  void FocusControl(TWinControl* control);
  void DefocusControl(TWinControl* control, bool removing);
  void SetFocus() override;
  // Focuses the active control, or the form itself.
  void SetWindowFocus();
  // The menu changed: the window's menu bar is rebuilt.
  void MenuChanged();
  // Another control takes the mouse: the active control hears of it
  // (CM_CANCELMODE with the sender), so it can close what it has open.
  void SendCancelMode(TControl* sender);

  void WndProc(TMessage& Message) override;

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnPaint;
  TShortCutEvent OnShortCut;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWindowHandle() override;
  TRect GetClientRect() override;
  void PaintWindow(HDC DC) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& Action);
  virtual void Activate();
  virtual void Deactivate();
  virtual void Paint();

private:
  friend class TApplication;
  void ShowingChanged();
  void CenterOn(const TRect& area);
  void PlaceOnShow();
  void CloseModal();
  void SetActive(bool value);
  void CmDialogKey(TMessage& Message);
  void WmCommand(TMessage& Message);

  TModalResult FModalResult = mrNone;
  TFormBorderStyle FBorderStyle = bsSizeable;
  TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
  TPosition FPosition = poDesigned;
  TWindowState FWindowState = wsNormal;
  TFormStyle FFormStyle = fsNormal;
  bool FKeyPreview = false;
  TWinControl* FActiveControl = nullptr;
  TWinControl* FFocusedControl = nullptr;
  TMainMenu* FMenu = nullptr;
  bool FActive = false;
  bool FModal = false;
  bool FCreated = false;
  bool FDestroyRun = false;
  bool FShowing = false;
  bool FPlaced = false;
  std::unique_ptr<TControlCanvas> FCanvas;
  // Counts focus changes, so a change made from inside OnEnter/OnExit
  // stops the one that ran the handler.
  static int FFocusCount;
};

class TForm : public TCustomForm {
public:
  using TCustomForm::TCustomForm;
};

// Disables the program's visible, enabled top-level windows but one, as a
// modal window does, and enables them again.
std::vector<HWND> DisableTaskWindows(HWND except);
void EnableTaskWindows(const std::vector<HWND>& windows);

// ---- Screen ----------------------------------------------------------------

class TMonitor {
public:
  HMONITOR Handle = nullptr;
  int MonitorNum = 0;
  bool Primary = false;
  TRect BoundsRect;
  TRect WorkareaRect;
  int Left() const { return BoundsRect.Left; }
  int Top() const { return BoundsRect.Top; }
  int Width() const { return BoundsRect.Width(); }
  int Height() const { return BoundsRect.Height(); }
};

class TScreen : public TComponent {
public:
  explicit TScreen(TComponent* AOwner);
  ~TScreen() override;

  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor value);
  // Cursor table: the system cursors under their crXxx numbers, and any
  // cursor the program installs under a number of its own.
  HCURSOR Cursors(int index);
  void SetCursors(int index, HCURSOR handle);
  // Counts every setting of Cursor; a modal form compares it to restore
  // the cursor it found.
  int CursorCount() const { return FCursorCount; }

  int FormCount() const { return static_cast<int>(FForms.size()); }
  TForm* Forms(int index) const;
  int CustomFormCount() const { return static_cast<int>(FCustomForms.size()); }
  TCustomForm* CustomForms(int index) const;
  TForm* ActiveForm() const { return FActiveForm; }
  TCustomForm* ActiveCustomForm() const { return FActiveCustomForm; }
  TWinControl* ActiveControl() const { return FActiveControl; }
  TCustomForm* FocusedForm() const { return FFocusedForm; }

  int Width() const;
  int Height() const;
  TRect WorkAreaRect() const;
  int WorkAreaLeft() const { return WorkAreaRect().Left; }
  int WorkAreaTop() const { return WorkAreaRect().Top; }
  int WorkAreaWidth() const { return WorkAreaRect().Width(); }
  int WorkAreaHeight() const { return WorkAreaRect().Height(); }
  int MonitorCount() const;
  TMonitor* Monitors(int index) const;
  int PixelsPerInch() const;
  // Names of the installed font families, sorted.
  TStrings* Fonts();
  // The system's status-bar font, which tooltips use; read on first use.
  TFont* HintFont();
  // The system's menu font; read on first use.
  TFont* MenuFont();

private:
  friend class TCustomForm;
  friend class TApplication;
  void InsertForm(TCustomForm* form);
  void RemoveForm(TCustomForm* form);
  void RefreshMonitors() const;

  TCursor FCursor = crDefault;
  int FCursorCount = 0;
  std::map<int, HCURSOR> FCursors;
  std::vector<TForm*> FForms;
  std::vector<TCustomForm*> FCustomForms;
  TForm* FActiveForm = nullptr;
  TCustomForm* FActiveCustomForm = nullptr;
  TWinControl* FActiveControl = nullptr;
  TCustomForm* FFocusedForm = nullptr;
  std::vector<TCustomForm*> FSaveFocusedList;
  mutable std::vector<std::unique_ptr<TMonitor>> FMonitors;
  std::unique_ptr<TStringList> FFonts;
  std::unique_ptr<TFont> FHintFont;
  std::unique_ptr<TFont> FMenuFont;
};

// ---- Hints -----------------------------------------------------------------

class THintWindow;
// Creates the hint window; replaceable, so another library can show hints
// its own way.
using THintWindowClass = std::function<THintWindow*(TComponent* AOwner)>;
extern THintWindowClass HintWindowClass;
// The creator of hint windows of class T, a type of its own per class, so
// that the application sees when HintWindowClass names another class.
template <class T>
struct THintWindowClassOf {
  THintWindow* operator()(TComponent* AOwner) const { return new T(AOwner); }
};
template <class T>
bool HintWindowClassIs() {
  return HintWindowClass && HintWindowClass.target_type() == typeid(THintWindowClassOf<T>);
}

struct THintInfo {
  TControl* HintControl = nullptr;
  THintWindowClass HintWindowClass;
  TPoint HintPos;
  int HintMaxWidth = 0;
  TColor HintColor = clInfoBk;
  TRect CursorRect;
  TPoint CursorPos;
  int ReshowTimeout = 0;
  int HideTimeout = 0;
  String HintStr;
  void* HintData = nullptr;
};

class THintWindow : public TCustomControl {
public:
  explicit THintWindow(TComponent* AOwner);
  // The bounds the hint text needs, from (0, 0).
  virtual TRect CalcHintRect(int MaxWidth, const String& AHint, void* AData);
  // Shows the hint at rect (screen coordinates).
  virtual void ActivateHint(TRect Rect, const String& AHint);
  virtual void ActivateHintData(TRect Rect, const String& AHint, void* AData);
  virtual void ReleaseHandle();
  bool IsHintShowing() const;

protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  void WndProc(TMessage& Message) override;
};

// The part of a hint before '|' (shown in the hint window) and after it
// (shown in a status bar); without '|', both are the whole text.
String GetShortHint(const String& hint);
String GetLongHint(const String& hint);

// ---- Application -----------------------------------------------------------

using TExceptionEvent = std::function<void(TObject* Sender, const Exception& E)>;
using TShowHintEvent = std::function<void(String& HintStr, bool& CanShow, THintInfo& HintInfo)>;
using TMessageEvent = std::function<void(MSG& Msg, bool& Handled)>;
// A hook on the application's window: answers true to keep the message
// from the other hooks and the default handling.
using TWindowHook = std::function<bool(TMessage& Message)>;

class TApplication : public TComponent {
public:
  explicit TApplication(TComponent* AOwner);
  ~TApplication() override;

  void Initialize();
  const String& Title() const { return FTitle; }
  void SetTitle(const String& value);

  // Creates a form owned by the application; the first one becomes the
  // main form.
  template <class T>
  void CreateForm(T*& reference) {
    T* form = new T(this);
    reference = form;
    RegisterCreatedForm(form);
  }
  TForm* MainForm() const { return FMainForm; }

  void Run();
  void Terminate();
  bool Terminated() const { return FTerminated; }
  void ProcessMessages();
  void HandleMessage();
  // Reports the exception being handled: its message in a box (or
  // OnException); EAbort is silent. Call only inside a catch block.
  void HandleException(TObject* Sender);
  void ShowException(const Exception& E);
  int MessageBox(const String& Text, const String& Caption, UINT Flags = MB_OK);

  const String& Hint() const { return FHint; }
  void SetHint(const String& value);
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool value);
  int HintPause() const { return FHintPause; }
  void SetHintPause(int value) { FHintPause = value; }
  int HintShortPause() const { return FHintShortPause; }
  void SetHintShortPause(int value) { FHintShortPause = value; }
  int HintHidePause() const { return FHintHidePause; }
  void SetHintHidePause(int value) { FHintHidePause = value; }
  TColor HintColor() const { return FHintColor; }
  void SetHintColor(TColor value);
  // Shows the hint of the control under the mouse now.
  void ActivateHint(TPoint CursorPos);
  void CancelHint();
  void HideHint();
  void HintMouseMessage(TControl* Control, TMessage& Message);
  THintWindow* HintWindow() const { return FHintWindow; }
  TControl* HintControl() const { return FHintControl; }

  int HookMainWindow(TWindowHook Hook);
  void UnhookMainWindow(int cookie);

  // The application's hidden window: hooks, broadcasts, thread wake-ups.
  HWND Handle();
  String ExeName() const;
  bool UpdateFormatSettings() const { return FUpdateFormatSettings; }
  void SetUpdateFormatSettings(bool value) { FUpdateFormatSettings = value; }
  // Main menu shortcuts, from any form while the main form is enabled.
  bool IsShortCut(TMessage& Message);
  void Minimize();
  void Restore();

  TExceptionEvent OnException;
  TNotifyEvent OnHint;
  TShowHintEvent OnShowHint;
  TMessageEvent OnMessage;
  TNotifyEvent OnIdle;

  // For the forms and controls: drop references to what is being freed.
  void FormDestroyed(TCustomForm* form);
  void ControlDestroyed(TControl* control);
  void RegisterAutoHintTarget(TControl* control, std::function<void(const String&)> show);
  void UnregisterAutoHintTarget(TControl* control);

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  void RegisterCreatedForm(TCustomForm* form);
  bool ProcessMessage(MSG& msg);
  void Idle(const MSG& msg);
  bool IsKeyMsg(MSG& msg);
  bool IsHintMsg(MSG& msg);
  void DoMouseIdle();
  bool AppWndProc(TMessage& Message);
  void StartHintTimer(UINT id, int delay);
  void StopHintTimer(UINT id);
  void HintTimerExpired();
  void HideHintTimerExpired();
  void EnsureHintWindow();

  HWND FHandle = nullptr;
  String FTitle;
  TForm* FMainForm = nullptr;
  bool FTerminated = false;
  bool FRunning = false;
  String FHint;
  bool FShowHint = true;
  int FHintPause = 500;
  int FHintShortPause = 50;
  int FHintHidePause = 2500;
  TColor FHintColor = clInfoBk;
  THintWindow* FHintWindow = nullptr;
  TControl* FHintControl = nullptr;
  TControl* FMouseControl = nullptr;
  TRect FHintCursorRect;
  bool FHintActive = false;
  bool FHintTimerOn = false;
  bool FHideTimerOn = false;
  bool FUpdateFormatSettings = true;
  int FNextHookCookie = 1;
  std::vector<std::pair<int, TWindowHook>> FWindowHooks;
  std::vector<std::pair<TControl*, std::function<void(const String&)>>> FAutoHintTargets;
};

// The process-wide application and screen objects, created on first use.
class TApplicationRef {
public:
  TApplication* operator->() const { return Get(); }
  TApplication& operator*() const { return *Get(); }
  operator TApplication*() const { return Get(); }
  static TApplication* Get();
  // The application if it exists; never creates it.
  static TApplication* Peek();
  // Frees the application (and its forms) and the screen; the next use
  // creates fresh ones.
  static void Done();
};
class TScreenRef {
public:
  TScreen* operator->() const { return Get(); }
  TScreen& operator*() const { return *Get(); }
  operator TScreen*() const { return Get(); }
  static TScreen* Get();
  static TScreen* Peek();
};
extern const TApplicationRef Application;
// Start-up work of a library unit, run once by Application->Initialize (in
// the order added). Safe to call from a static initialiser.
void AddUnitStartup(void (*Proc)());
extern const TScreenRef Screen;
