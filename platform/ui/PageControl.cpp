#include "platform/rtl/Exceptions.h"
#include "platform/ui/ComCtrls.h"
#include <commctrl.h>
#include <algorithm>

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle.Include(csAcceptsControls);
  SetAlign(alClient);
  SetVisible(false);
}

TTabSheet::~TTabSheet() {
  BeginDestroy();
  if (FPageControl) FPageControl->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* value) {
  if (FPageControl == value) return;
  if (FPageControl) FPageControl->RemovePage(this);
  SetParent(value);
  if (value) value->InsertPage(this);
}

int TTabSheet::PageIndex() const {
  if (!FPageControl) return -1;
  auto& pages = FPageControl->FPages;
  return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int value) {
  if (!FPageControl) return;
  auto& pages = FPageControl->FPages;
  pages.erase(std::find(pages.begin(), pages.end(), this));
  value = std::max(0, std::min(value, static_cast<int>(pages.size())));
  pages.insert(pages.begin() + value, this);
  FPageControl->UpdateTabs();
}

void TTabSheet::SetTabVisible(bool value) {
  if (FTabVisible == value) return;
  FTabVisible = value;
  if (FPageControl) FPageControl->UpdateTabs();
}

int TTabSheet::TabIndex() const {
  if (!FPageControl || !FTabVisible) return -1;
  int index = 0;
  for (TTabSheet* p : FPageControl->FPages) {
    if (p == this) return index;
    if (p->FTabVisible) ++index;
  }
  return -1;
}

void TTabSheet::WndProc(TMessage& m) {
  TWinControl::WndProc(m);
  if (m.Msg == CM_TEXTCHANGED && FPageControl) FPageControl->UpdateTabs();
}

// ---- Page control ----------------------------------------------------------

TPageControl::TPageControl(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle.Include(csAcceptsControls);
  SetBounds(0, 0, 289, 193);
  SetTabStop(true);
}

TPageControl::~TPageControl() {
  BeginDestroy();
  for (TTabSheet* p : FPages) p->FPageControl = nullptr;
  FPages.clear();
}

void TPageControl::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, reinterpret_cast<const char16_t*>(WC_TABCONTROLW));
  Params.Style |= WS_CLIPCHILDREN | TCS_TABS;
}

void TPageControl::CreateWnd() {
  TWinControl::CreateWnd();
  UpdateTabs();
}

TTabSheet* TPageControl::Pages(int index) const {
  if (index < 0 || index >= PageCount()) throw EListError(u"List index out of bounds");
  return FPages[static_cast<size_t>(index)];
}

void TPageControl::InsertPage(TTabSheet* page) {
  FPages.push_back(page);
  page->FPageControl = this;
  UpdateTabs();
  if (!FActivePage) SetActivePage(page);
}

void TPageControl::RemovePage(TTabSheet* page) {
  auto it = std::find(FPages.begin(), FPages.end(), page);
  if (it == FPages.end()) return;
  bool wasActive = page == FActivePage;
  FPages.erase(it);
  page->FPageControl = nullptr;
  if (IsDestroying()) return;
  if (wasActive) {
    FActivePage = nullptr;
    if (!FPages.empty()) SetActivePage(FPages.front());
  }
  UpdateTabs();
}

void TPageControl::UpdateTabs() {
  if (!HandleAllocated() || IsDestroying()) return;
  SendMessageW(FHandle, TCM_DELETEALLITEMS, 0, 0);
  int index = 0;
  for (TTabSheet* p : FPages) {
    if (!p->FTabVisible) continue;
    String text = p->Caption();
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = reinterpret_cast<LPWSTR>(&text[0]);
    item.lParam = reinterpret_cast<LPARAM>(p);
    SendMessageW(FHandle, TCM_INSERTITEMW, static_cast<WPARAM>(index++), reinterpret_cast<LPARAM>(&item));
  }
  if (FActivePage) SendMessageW(FHandle, TCM_SETCURSEL, static_cast<WPARAM>(FActivePage->TabIndex()), 0);
  Realign();
}

int TPageControl::ActivePageIndex() const {
  if (!FActivePage) return -1;
  return FActivePage->PageIndex();
}

void TPageControl::SetActivePageIndex(int value) {
  SetActivePage(value >= 0 && value < PageCount() ? FPages[static_cast<size_t>(value)] : nullptr);
}

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page && page->FPageControl != this) return;
  if (page == FActivePage) return;
  TTabSheet* old = FActivePage;
  FActivePage = page;
  if (page) {
    page->BringToFront();
    page->SetVisible(true);
  }
  if (old) old->SetVisible(false);
  if (HandleAllocated() && page) SendMessageW(FHandle, TCM_SETCURSEL, static_cast<WPARAM>(page->TabIndex()), 0);
}

void TPageControl::SelectNextPage(bool goForward) {
  if (FPages.empty()) return;
  int count = PageCount(), index = ActivePageIndex();
  for (int i = 0; i < count; ++i) {
    index = goForward ? (index + 1) % count : (index - 1 + count) % count;
    if (FPages[static_cast<size_t>(index)]->TabVisible()) {
      SetActivePage(FPages[static_cast<size_t>(index)]);
      FireEvent(OnChange, this);
      return;
    }
  }
}

void TPageControl::AdjustClientRect(TRect& Rect) {
  if (!HandleAllocated()) {
    Rect = TRect(Rect.Left + 4, Rect.Top + 24, Rect.Right - 4, Rect.Bottom - 4);
    return;
  }
  RECT r{Rect.Left, Rect.Top, Rect.Right, Rect.Bottom};
  SendMessageW(FHandle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  Rect = TRect(r.left, r.top, r.right, r.bottom);
}

void TPageControl::WndProc(TMessage& m) {
  if (m.Msg == CN_NOTIFY) {
    auto* header = reinterpret_cast<NMHDR*>(m.LParam);
    if (header->code == static_cast<UINT>(TCN_SELCHANGING)) {
      bool allow = true;
      FireEvent(OnChanging, this, allow);
      m.Result = allow ? FALSE : TRUE;
      return;
    }
    if (header->code == static_cast<UINT>(TCN_SELCHANGE)) {
      int tab = static_cast<int>(SendMessageW(FHandle, TCM_GETCURSEL, 0, 0));
      TCITEMW item{};
      item.mask = TCIF_PARAM;
      if (tab >= 0 && SendMessageW(FHandle, TCM_GETITEMW, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&item)))
        SetActivePage(reinterpret_cast<TTabSheet*>(item.lParam));
      FireEvent(OnChange, this);
      return;
    }
  }
  TWinControl::WndProc(m);
}
