#include "skin/engine/SkinCommands.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/WndDispatch.h"

std::function<bool(TWinControl* Child)> BroadcastSkipChild;

LRESULT SendSkinCmd(HWND Wnd, WORD Code, LPARAM LParam) {
  return SendMessageW(Wnd, SM_SKINCMD, SkinCmdWParam(Code), LParam);
}

LRESULT SendToWindowed(TWinControl* Control, UINT Msg, WPARAM WParam, LPARAM LParam) {
  const HWND wnd = Control->Handle();
  // Nobody stands between the window and its control: the message goes to
  // the control as the window procedure would hand it over, without the
  // system's round trip. Controls live on the UI thread, as their callers.
  if (WndDispatch::ProcedureReplaced(wnd))
    return SendMessageW(wnd, Msg, WParam, LParam);
  try {
    return Control->Perform(Msg, WParam, LParam);
  } catch (...) {
    WndDispatch::HandleBoundaryException(Control);
    return 0;
  }
}

LRESULT ControlSkinCmd(TControl* Control, WORD Code, LPARAM LParam) {
  if (!Control || Control->IsDestroying()) return 0;
  auto* windowed = dynamic_cast<TWinControl*>(Control);
  if (!windowed) return Control->Perform(SM_SKINCMD, SkinCmdWParam(Code), LParam);
  if (!windowed->HandleAllocated()) return 0;
  return SendToWindowed(windowed, SM_SKINCMD, SkinCmdWParam(Code), LParam);
}

bool QueryControl(TControl* Control, WORD Code) { return (ControlSkinCmd(Control, Code, 0) & 0xFF) != 0; }

bool QueryWindow(HWND Wnd, WORD Code) { return SendSkinCmd(Wnd, Code, 0) == 1; }

LRESULT SetRedraw(HWND Wnd, bool Flag) { return SendMessageW(Wnd, WM_SETREDRAW, Flag ? 1 : 0, 0); }

void BroadcastToControls(TWinControl* Container, const TMessage& Message) {
  if (!Container) return;
  for (int i = 0; i < Container->ControlCount(); ++i) {
    TControl* child = Container->Controls(i);
    // A child on its way out is passed over; the ones after it still hear
    // of the change.
    if (child->IsDestroying()) continue;
    auto* windowed = dynamic_cast<TWinControl*>(child);
    if (!windowed || !windowed->HandleAllocated()) {
      child->Perform(Message.Msg, Message.WParam, Message.LParam);
    } else if (QueryControl(windowed, SKC_CTRLSKINNED)) {
      SendToWindowed(windowed, Message.Msg, Message.WParam, Message.LParam);
    } else if (!BroadcastSkipChild || !BroadcastSkipChild(windowed)) {
      BroadcastToControls(windowed, Message);
    }
  }
}

namespace {
struct TChildBroadcast {
  HWND Parent;
  const TMessage* Message;
};

BOOL CALLBACK SendToDirectChild(HWND child, LPARAM data) {
  const auto* b = reinterpret_cast<const TChildBroadcast*>(data);
  if (GetParent(child) == b->Parent) SendMessageW(child, b->Message->Msg, b->Message->WParam, b->Message->LParam);
  return TRUE;
}
}  // namespace

void BroadcastToChildWindows(HWND Wnd, const TMessage& Message) {
  TChildBroadcast b{Wnd, &Message};
  EnumChildWindows(Wnd, SendToDirectChild, reinterpret_cast<LPARAM>(&b));
}

bool ControlIsReady(TControl* Control) {
  if (!Control) return false;
  if (auto* windowed = dynamic_cast<TWinControl*>(Control); windowed && !windowed->HandleAllocated()) return false;
  if (Control->ControlState().Contains(csCreating) || Control->ControlState().Contains(csReadingState)) return false;
  if (Control->ComponentState() & (csLoading | csDestroying)) return false;
  return Control->Parent() != nullptr;
}

TCustomForm* GetOwnerForm(TComponent* Component) {
  for (TComponent* c = Component; c; c = c->Owner())
    if (auto* form = dynamic_cast<TCustomForm*>(c)) return form;
  return nullptr;
}

UINT TextAlignFlags(TControl*, TAlignment Alignment) {
  static const UINT flags[3] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  return flags[Alignment <= taCenter ? Alignment : taLeftJustify] | DT_EXPANDTABS | DT_VCENTER;
}

void CursorPos(TPoint& P) {
  POINT p{};
  GetCursorPos(&p);
  P = TPoint(p.x, p.y);
}

void NotifyParentForm(TControl* Control) {
  if (!Control || (Control->ComponentState() & (csDesigning | csLoading))) return;
  TCustomForm* form = nullptr;
  for (TControl* c = Control; c; c = c->Parent())
    if (auto* f = dynamic_cast<TCustomForm*>(c)) form = f;
  if (form) SendMessageW(form->Handle(), SM_SKINCMD, SkinCmdWParam(SKC_CTRLADDED), reinterpret_cast<LPARAM>(Control));
}

TColor GetControlColor(TControl* Control) {
  if (!Control) return 0xFF00FF;
  TColor color;
  if (ControlSkinCmd(Control, SKC_CTRLSKINNED) == 1)
    color = static_cast<TColor>(Control->Perform(SM_SKINCMD, SkinCmdWParam(SKC_GETBGCOLOR), 0xFF00FF));
  else
    color = Control->Color();
  return ColorToRGB(color);
}

TColor GetWindowColor(HWND Wnd) {
  if (!Wnd) return 0xFF00FF;
  return ColorToRGB(static_cast<TColor>(SendMessageW(Wnd, SM_SKINCMD, SkinCmdWParam(SKC_GETBGCOLOR), 0xFF00FF)));
}

HWND TopParentWindow(HWND Wnd) {
  for (HWND parent = GetParent(Wnd); parent; parent = GetParent(Wnd)) Wnd = parent;
  return Wnd;
}
