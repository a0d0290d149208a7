#include "platform/ui/ComCtrls.h"
#include "platform/ui/Forms.h"
#include <commctrl.h>

TStatusPanel::TStatusPanel(TCollection* collection) : TCollectionItem(collection) {}

void TStatusPanel::SetText(const String& value) {
  if (FText == value) return;
  FText = value;
  Changed(false);
}

void TStatusPanel::SetWidth(int value) {
  if (FWidth == value) return;
  FWidth = value;
  Changed(true);
}

void TStatusPanel::SetAlignment(TAlignment value) {
  if (FAlignment == value) return;
  FAlignment = value;
  Changed(false);
}

void TStatusPanel::SetBevel(TStatusPanelBevel value) {
  if (FBevel == value) return;
  FBevel = value;
  Changed(false);
}

void TStatusPanel::SetStyle(TStatusPanelStyle value) {
  if (FStyle == value) return;
  FStyle = value;
  Changed(false);
}

void TStatusPanel::Assign(const TPersistent& source) {
  if (auto* p = dynamic_cast<const TStatusPanel*>(&source)) {
    FText = p->FText;
    FWidth = p->FWidth;
    FAlignment = p->FAlignment;
    FBevel = p->FBevel;
    FStyle = p->FStyle;
    Changed(true);
    return;
  }
  TCollectionItem::Assign(source);
}

TStatusPanels::TStatusPanels(TStatusBar* owner)
    : TCollection([](TCollection* c) { return new TStatusPanel(c); }, owner), FStatusBar(owner) {}

void TStatusPanels::Update(TCollectionItem*) { FStatusBar->UpdatePanels(); }

// ---- Status bar ------------------------------------------------------------

TStatusBar::TStatusBar(TComponent* AOwner)
    : TWinControl(AOwner), FPanels(std::make_unique<TStatusPanels>(this)), FCanvas(std::make_unique<TCanvas>()) {
  FControlStyle = TControlStyle{csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque};
  SetColor(clBtnFace);
  SetBounds(0, 0, 200, 19);
  SetAlign(alBottom);
}

TStatusBar::~TStatusBar() {
  BeginDestroy();
  if (TApplication* app = TApplicationRef::Peek()) app->UnregisterAutoHintTarget(this);
  DestroyHandle();
}

void TStatusBar::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, reinterpret_cast<const char16_t*>(STATUSCLASSNAMEW));
  Params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
  TCustomForm* form = GetParentForm(this);
  if (FSizeGrip && form && (form->BorderStyle() == bsSizeable || form->BorderStyle() == bsSizeToolWin))
    Params.Style |= SBARS_SIZEGRIP;
}

void TStatusBar::CreateWnd() {
  TWinControl::CreateWnd();
  UpdatePanels();
}

void TStatusBar::SetSimplePanel(bool value) {
  if (FSimplePanel == value) return;
  FSimplePanel = value;
  UpdatePanels();
}

void TStatusBar::SetSimpleText(const String& value) {
  if (FSimpleText == value) return;
  FSimpleText = value;
  if (HandleAllocated())
    SendMessageW(FHandle, SB_SETTEXTW, SB_SIMPLEID | SBT_NOBORDERS, reinterpret_cast<LPARAM>(FSimpleText.c_str()));
}

void TStatusBar::SetAutoHint(bool value) {
  if (FAutoHint == value) return;
  FAutoHint = value;
  if (value) {
    Application->RegisterAutoHintTarget(this, [this](const String& hint) {
      if (FSimplePanel || FPanels->Count() == 0)
        SetSimpleText(hint);
      else
        FPanels->Items(0)->SetText(hint);
    });
  } else {
    Application->UnregisterAutoHintTarget(this);
  }
}

void TStatusBar::SetSizeGrip(bool value) {
  if (FSizeGrip == value) return;
  FSizeGrip = value;
  RecreateWnd();
}

void TStatusBar::UpdatePanels() {
  if (!HandleAllocated() || IsDestroying()) return;
  int count = FPanels->Count();
  SendMessageW(FHandle, SB_SIMPLE, FSimplePanel || count == 0 ? TRUE : FALSE, 0);
  if (FSimplePanel || count == 0) {
    SendMessageW(FHandle, SB_SETTEXTW, SB_SIMPLEID | SBT_NOBORDERS, reinterpret_cast<LPARAM>(FSimpleText.c_str()));
    return;
  }
  // The last panel runs to the right edge.
  std::vector<int> edges(static_cast<size_t>(count));
  int pos = 0;
  for (int i = 0; i < count; ++i) {
    pos += FPanels->Items(i)->Width();
    edges[static_cast<size_t>(i)] = i == count - 1 ? -1 : pos;
  }
  SendMessageW(FHandle, SB_SETPARTS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(edges.data()));
  for (int i = 0; i < count; ++i) {
    TStatusPanel* panel = FPanels->Items(i);
    // A tab before the text centres it; two right-align it.
    String text = panel->Alignment() == taCenter ? u"\t" + panel->Text()
                  : panel->Alignment() == taRightJustify ? u"\t\t" + panel->Text()
                                                        : panel->Text();
    WPARAM flags = static_cast<WPARAM>(i);
    if (panel->Bevel() == pbNone) flags |= SBT_NOBORDERS;
    if (panel->Bevel() == pbRaised) flags |= SBT_POPOUT;
    if (panel->Style() == psOwnerDraw) flags |= SBT_OWNERDRAW;
    SendMessageW(FHandle, SB_SETTEXTW, flags,
                 panel->Style() == psOwnerDraw ? reinterpret_cast<LPARAM>(panel) : reinterpret_cast<LPARAM>(text.c_str()));
  }
}

String TStatusBar::DisplayedText(int panel) {
  if (!HandleAllocated()) return String();
  LRESULT info = SendMessageW(FHandle, SB_GETTEXTLENGTHW, static_cast<WPARAM>(panel), 0);
  String text(LOWORD(info) + 1u, u'\0');
  SendMessageW(FHandle, SB_GETTEXTW, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(&text[0]));
  text.resize(LOWORD(info));
  return text;
}

int TStatusBar::PanelAt(TPoint pos) {
  if (!HandleAllocated() || FSimplePanel) return -1;
  for (int i = 0; i < FPanels->Count(); ++i) {
    RECT r;
    if (SendMessageW(FHandle, SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r)) &&
        pos.X >= r.left && pos.X < r.right && pos.Y >= r.top && pos.Y < r.bottom)
      return i;
  }
  return -1;
}

void TStatusBar::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CN_DRAWITEM: {
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
      int index = static_cast<int>(dis->itemID);
      if (index >= 0 && index < FPanels->Count() && OnDrawPanel) {
        FCanvas->SetHandle(dis->hDC);
        FCanvas->Font()->Assign(*Font());
        try {
          FireEvent(OnDrawPanel, this, FPanels->Items(index),
                    TRect(dis->rcItem.left, dis->rcItem.top, dis->rcItem.right, dis->rcItem.bottom));
        } catch (...) {
          FCanvas->SetHandle(nullptr);
          throw;
        }
        FCanvas->SetHandle(nullptr);
      }
      m.Result = 1;
      return;
    }
    case WM_SIZE:
      TWinControl::WndProc(m);
      UpdatePanels();
      return;
    default:
      break;
  }
  TWinControl::WndProc(m);
}
