#pragma once
// The control hierarchy: TControl (bounds, visibility, text, font, colour,
// mouse events), TWinControl (a window of its own, created on demand, with
// children, focus and keys), TGraphicControl (windowless, painted by its
// parent) and TCustomControl (a window with a canvas and a Paint method).
//
// Every window of the library runs through one window procedure
// (WndDispatch.h) that finds the control and calls its WindowProc; the
// default WindowProc is the virtual WndProc, and anyone may put another
// function in front of it.
#include "platform/classes/Component.h"
#include "platform/ui/Messages.h"
#include "platform/ui/UiTypes.h"
#include "platform/ui/WndDispatch.h"
#include "platform/ui/graphics/Canvas.h"
#include <functional>
#include <memory>
#include <vector>

class TWinControl;
class TCustomForm;
class TPopupMenu;

using TMouseWheelEvent =
    std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;

class TControl : public TComponent {
public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* AParent);

  int Left() const { return FLeft; }
  void SetLeft(int value) { SetBounds(value, FTop, FWidth, FHeight); }
  int Top() const { return FTop; }
  void SetTop(int value) { SetBounds(FLeft, value, FWidth, FHeight); }
  int Width() const { return FWidth; }
  void SetWidth(int value) { SetBounds(FLeft, FTop, value, FHeight); }
  int Height() const { return FHeight; }
  void SetHeight(int value) { SetBounds(FLeft, FTop, FWidth, value); }
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  TRect BoundsRect() const { return TRect(FLeft, FTop, FLeft + FWidth, FTop + FHeight); }
  void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
  TRect ClientRect() { return GetClientRect(); }
  int ClientWidth() { return ClientRect().Width(); }
  void SetClientWidth(int value);
  int ClientHeight() { return ClientRect().Height(); }
  void SetClientHeight(int value);
  // Screen position of the client area's top-left corner.
  virtual TPoint ClientOrigin();
  TPoint ClientToScreen(TPoint point);
  TPoint ScreenToClient(TPoint point);

  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign value);
  TAnchors Anchors() const { return FAnchors; }
  void SetAnchors(TAnchors value);

  bool Visible() const { return FVisible; }
  void SetVisible(bool value);
  void Show();
  void Hide() { SetVisible(false); }
  // Visible and every parent visible, up to a shown form.
  virtual bool IsShowing() const;
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool value);

  const String& Hint() const { return FHint; }
  void SetHint(const String& value) { FHint = value; }
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool value);
  bool ParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool value);

  TFont* Font() const { return FFont.get(); }
  void SetFont(const TFont* value) { FFont->Assign(*value); }
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool value);
  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool value);
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor value);
  TPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* value);

  String Caption() const { return GetText(); }
  void SetCaption(const String& value) { SetText(value); }
  String Text() const { return GetText(); }
  void SetText(const String& value);

  TControlStyle ControlStyle() const { return FControlStyle; }
  void SetControlStyle(TControlStyle value) { FControlStyle = value; }
  TControlState ControlState() const { return FControlState; }
  void SetControlState(TControlState value) { FControlState = value; }

  virtual void Invalidate();
  virtual void Repaint();
  virtual void Update();
  void Refresh() { Repaint(); }
  virtual void BringToFront();
  virtual void SendToBack();

  // Sends a message straight to WindowProc and returns its result.
  LRESULT Perform(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);
  // The message handler: WndProc unless someone put another in front.
  std::function<void(TMessage&)> WindowProc;
  // Where WindowProc starts: the class's own handling, in virtual order.
  virtual void WndProc(TMessage& Message);
  // What happens to a message no class handles.
  virtual void DefaultHandler(TMessage& Message);

  // Whether the mouse is captured for this control.
  bool MouseCapture() const;
  void SetMouseCapture(bool value);
  bool MouseInClient() const { return FMouseInClient; }

  virtual void Click();
  virtual void DblClick();

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  // (Sender, Shift, WheelDelta, screen MousePos, var Handled): offered to the
  // control under the focus, then to each of its parents, the form last.
  TMouseWheelEvent OnMouseWheel;

protected:
  virtual String GetText() const { return FText; }
  // Stores the text; windowed controls put it into their window.
  virtual void SetTextBuf(const String& value);
  virtual TRect GetClientRect();
  virtual void SetZOrder(bool topMost);
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void Resize();
  virtual void VisibleChanging() {}
  // Tells the parent to arrange its aligned children again.
  virtual void RequestAlign();
  // Bounds as the aligner or the window itself set them.
  void UpdateBoundsRect(const TRect& r) { SetBoundsFields(r.Left, r.Top, r.Width(), r.Height()); }
  // Only the fields: no window, no alignment, no event.
  void SetBoundsFields(int ALeft, int ATop, int AWidth, int AHeight) {
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
  }
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // True while a ParentFont/ParentColor copy is being made, so the copy
  // does not clear the Parent flag.
  bool FUpdatingFromParent = false;

  TControlStyle FControlStyle;
  TControlState FControlState;
  String FText;

private:
  friend class TWinControl;
  friend class TCustomForm;
  void FontChanged();
  void DoMouseDown(TMessage& m, TMouseButton button, TShiftState extra);
  void DoMouseUp(TMessage& m, TMouseButton button);
  void UpdateAnchorRules();
  void AnchorTo(int parentWidth, int parentHeight);

public:
  // Next to the bounds: every change of size reads it.
  TNotifyEvent OnResize;

private:
  TWinControl* FParent = nullptr;
  int FLeft = 0;
  int FTop = 0;
  int FWidth = 0;
  int FHeight = 0;
  TAlign FAlign = alNone;
  TAnchors FAnchors{akLeft, akTop};
  // Margins to the parent's right and bottom edges that anchors keep.
  int FAnchorRight = 0;
  int FAnchorBottom = 0;
  bool FAnchorsValid = false;
  bool FVisible = true;
  bool FEnabled = true;
  String FHint;
  bool FShowHint = false;
  bool FParentShowHint = true;
  std::unique_ptr<TFont> FFont;
  bool FParentFont = true;
  TColor FColor = clWindow;
  bool FParentColor = true;
  TCursor FCursor = crDefault;
  TPopupMenu* FPopupMenu = nullptr;
  bool FMouseInClient = false;
};

// Parameters a windowed control fills in before its window is created.
struct TCreateParams {
  String Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
  HWND WndParent = nullptr;
  void* Param = nullptr;
  // The class the window is registered under (one per control class) and
  // the registration data; SysClassName names the system class it builds
  // on, empty for a class of our own.
  String WinClassName;
  String SysClassName;
  UINT ClassStyle = CS_DBLCLKS;
  HCURSOR ClassCursor = nullptr;
  HBRUSH ClassBackground = nullptr;
};

class TWinControl : public TControl, public TWindowTarget {
public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;

  // The window, created with its parents on first use.
  HWND Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  void HandleNeeded();
  void DestroyHandle();
  void RecreateWnd();
  // The window procedure the library's dispatch falls back to.
  WNDPROC DefWndProc() const { return FDefWndProc; }

  int ControlCount() const { return static_cast<int>(FControls.size() + FWinControls.size()); }
  // Windowless children first, then windowed ones, each in creation order.
  TControl* Controls(int index) const;
  void InsertControl(TControl* AControl);
  void RemoveControl(TControl* AControl);
  bool ContainsControl(const TControl* control) const;
  // The visible child under a client point; windowless children only
  // unless allowWinControls.
  TControl* ControlAtPos(TPoint pos, bool allowDisabled, bool allowWinControls = false);

  int TabOrder() const;
  void SetTabOrder(int value);
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool value);
  virtual bool CanFocus() const;
  bool Focused() const;
  virtual void SetFocus();
  // Every windowed descendant in tab order, depth first.
  void GetTabOrderList(std::vector<TWinControl*>& list);
  TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop, bool checkParent);
  void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);
  // Focuses the first control in tab order.
  void SelectFirst();

  void DisableAlign() { ++FAlignLevel; }
  void EnableAlign();
  void Realign();
  // Sends the message to each child until one answers with a result.
  void Broadcast(TMessage& message);
  void NotifyControls(UINT msg);

  TBrush* Brush() const { return FBrush.get(); }
  // Draws the control and its children into dc at (x, y), through
  // WM_PRINT, for pictures of forms.
  void PaintTo(HDC dc, int x, int y);

  void Invalidate() override;
  void Repaint() override;
  void Update() override;
  bool IsShowing() const override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void WndProc(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;

  // The key events, public so that a control may hand a key to its form.
  virtual void KeyDown(WORD& Key, TShiftState Shift);
  virtual void KeyUp(WORD& Key, TShiftState Shift);
  virtual void KeyPress(char16_t& Key);

  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

  // TWindowTarget
  void DispatchWindowMessage(TMessage& message) override;
  void AttachWindow(HWND hwnd) override;
  void WindowDestroyed(HWND hwnd) override;
  TComponent* ExceptionSender() override { return this; }

protected:
  virtual void CreateParams(TCreateParams& Params);
  // Builds on a system window class; call from CreateParams.
  void CreateSubClass(TCreateParams& Params, const char16_t* sysClassName);
  virtual void CreateHandle();
  virtual void CreateWnd();
  virtual void CreateWindowHandle(const TCreateParams& Params);
  virtual void DestroyWnd();
  virtual void DestroyWindowHandle();
  // Runs after the window exists and its children have theirs.
  virtual void CreateWndDone() {}

  virtual void AlignControls(TControl* AControl, TRect& Rect);
  virtual void AdjustClientRect(TRect& Rect) { (void)Rect; }
  void AlignControl(TControl* AControl);
  TRect GetClientRect() override;
  TPoint ClientOrigin() override;
  void SetZOrder(bool topMost) override;
  void SetTextBuf(const String& value) override;
  String GetText() const override;

  virtual void PaintWindow(HDC DC);
  void PaintHandler(TMessage& Message);
  void PaintControls(HDC DC, TControl* First);

  bool DoKeyDown(TMessage& Message);
  bool DoKeyUp(TMessage& Message);
  bool DoKeyPress(TMessage& Message);
  virtual void DoEnter();
  virtual void DoExit();
  // Menu shortcuts of popup menus up the parent chain, the form and the
  // main form.
  bool IsMenuKey(TMessage& Message);
  bool IsControlMouseMsg(TMessage& Message);
  void UpdateBounds();
  // Colours a child's DC for WM_CTLCOLORxxx from this control's font and
  // brush; answers the brush.
  LRESULT ColorControl(HDC dc);

  HWND FHandle = nullptr;
  WNDPROC FDefWndProc = nullptr;

private:
  friend class TControl;
  void CreateChildHandles();
  void InsertIntoTabList();
  void RemoveFromTabList();
  void DoPrint(TMessage& Message);
  void ApplyFont();

  std::vector<TControl*> FControls;
  std::vector<TWinControl*> FWinControls;
  std::vector<TWinControl*> FTabList;
  bool FTabStop = false;
  int FAlignLevel = 0;
  bool FAligning = false;
  std::unique_ptr<TBrush> FBrush;
  // Text of a window that does not exist (yet or any more).
  bool FSavedTextValid = false;
};

// A canvas on a control's window: the DC is fetched when first needed and
// released after the message that used it.
class TControlCanvas : public TCanvas {
public:
  TControlCanvas() = default;
  ~TControlCanvas() override;
  TControl* Control() const { return FControl; }
  void SetControl(TControl* value);
  // Lets go of a DC fetched by the canvas itself.
  void ReleaseDeviceContext();
  // Releases the DCs of every unlocked control canvas (after each message).
  static void FreeDeviceContexts();

protected:
  void CreateHandle() override;
  void FreeHandle() override;

private:
  TControl* FControl = nullptr;
  HDC FDeviceContext = nullptr;
  HWND FWindowHandle = nullptr;
};

class TGraphicControl : public TControl {
public:
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;
  TCanvas* Canvas() const { return FCanvas.get(); }
  void WndProc(TMessage& Message) override;

protected:
  virtual void Paint() {}

private:
  std::unique_ptr<TControlCanvas> FCanvas;
};

class TCustomControl : public TWinControl {
public:
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;
  TCanvas* Canvas() const { return FCanvas.get(); }

protected:
  virtual void Paint() {}
  void PaintWindow(HDC DC) override;

private:
  std::unique_ptr<TControlCanvas> FCanvas;
};

// The control of a window of this library, or nullptr.
TWinControl* FindControl(HWND handle);
// The form a control sits on (nullptr when it is not on a form).
TCustomForm* GetParentForm(const TControl* control);
// The control that has the mouse captured, windowless ones included.
TControl* GetCaptureControl();
// Windowed or windowless control under a screen point.
TControl* FindDragTarget(TPoint pos, bool allowDisabled);
// Offers a WM_MOUSEWHEEL to the OnMouseWheel of control and its parents;
// true when one of them handled it.
bool DispatchMouseWheel(TControl* control, const TMessage& message);
