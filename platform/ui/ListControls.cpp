// Combo and list boxes, and the items they keep in their windows.
#include "platform/rtl/Exceptions.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"

// ---- Items -----------------------------------------------------------------

TListControlStrings::TListControlStrings(TWinControl* control, const Messages& messages)
    : FControl(control), FMsgs(messages), FShadow(std::make_unique<TStringList>()) {}

TListControlStrings::~TListControlStrings() = default;

bool TListControlStrings::Live() const { return FControl->HandleAllocated(); }

LRESULT TListControlStrings::Send(UINT msg, WPARAM w, LPARAM l) const {
  return SendMessageW(FControl->Handle(), msg, w, l);
}

String TListControlStrings::Get(int index) const {
  if (!Live()) return FShadow->Strings(index);
  LRESULT len = Send(FMsgs.GetTextLen, static_cast<WPARAM>(index));
  if (len == static_cast<LRESULT>(FMsgs.Error)) Error(u"List index out of bounds (%d)", index);
  String text(static_cast<size_t>(len) + 1, u'\0');
  Send(FMsgs.GetText, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
  text.resize(static_cast<size_t>(len));
  return text;
}

int TListControlStrings::GetCount() const {
  if (!Live()) return FShadow->Count();
  return static_cast<int>(Send(FMsgs.GetCount));
}

TObject* TListControlStrings::GetObject(int index) const {
  if (!Live()) return FShadow->Objects(index);
  LRESULT data = Send(FMsgs.GetItemData, static_cast<WPARAM>(index));
  if (data == static_cast<LRESULT>(FMsgs.Error)) Error(u"List index out of bounds (%d)", index);
  return reinterpret_cast<TObject*>(data);
}

void TListControlStrings::PutObject(int index, TObject* object) {
  if (!Live()) {
    FShadow->SetObjects(index, object);
    return;
  }
  if (index < 0 || index >= GetCount()) Error(u"List index out of bounds (%d)", index);
  Send(FMsgs.SetItemData, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(object));
}

int TListControlStrings::Add(const String& s) {
  if (!Live()) return FShadow->Add(s);
  LRESULT index = Send(FMsgs.AddString, 0, reinterpret_cast<LPARAM>(s.c_str()));
  if (index < 0) throw EOutOfResources(u"Out of system resources");
  return static_cast<int>(index);
}

void TListControlStrings::Insert(int index, const String& s) {
  if (!Live()) {
    FShadow->Insert(index, s);
    return;
  }
  if (index < 0 || index > GetCount()) Error(u"List index out of bounds (%d)", index);
  if (Send(FMsgs.InsertString, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.c_str())) < 0)
    throw EOutOfResources(u"Out of system resources");
}

void TListControlStrings::Delete(int index) {
  if (!Live()) {
    FShadow->Delete(index);
    return;
  }
  if (index < 0 || index >= GetCount()) Error(u"List index out of bounds (%d)", index);
  Send(FMsgs.DeleteString, static_cast<WPARAM>(index));
}

void TListControlStrings::Clear() {
  if (!Live()) {
    FShadow->Clear();
    return;
  }
  Send(FMsgs.ResetContent);
}

void TListControlStrings::SetSorted(bool value) {
  FSorted = value;
  FShadow->SetSorted(value);
}

void TListControlStrings::SetUpdateState(bool updating) {
  if (!Live()) return;
  Send(WM_SETREDRAW, updating ? FALSE : TRUE);
  if (!updating) FControl->Invalidate();
}

void TListControlStrings::WindowCreated() {
  for (int i = 0; i < FShadow->Count(); ++i) {
    Send(FMsgs.AddString, 0, reinterpret_cast<LPARAM>(FShadow->Strings(i).c_str()));
    if (TObject* object = FShadow->Objects(i))
      Send(FMsgs.SetItemData, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(object));
  }
  FShadow->Clear();
}

void TListControlStrings::WindowDestroying() {
  FShadow->Clear();
  int count = static_cast<int>(Send(FMsgs.GetCount));
  for (int i = 0; i < count; ++i) FShadow->AddObject(Get(i), GetObject(i));
}

namespace {
const TListControlStrings::Messages kComboMessages{
    CB_GETCOUNT, CB_GETLBTEXT, CB_GETLBTEXTLEN, CB_ADDSTRING, CB_INSERTSTRING, CB_DELETESTRING,
    CB_RESETCONTENT, CB_GETITEMDATA, CB_SETITEMDATA, static_cast<UINT>(CB_ERR)};
const TListControlStrings::Messages kListMessages{
    LB_GETCOUNT, LB_GETTEXT, LB_GETTEXTLEN, LB_ADDSTRING, LB_INSERTSTRING, LB_DELETESTRING,
    LB_RESETCONTENT, LB_GETITEMDATA, LB_SETITEMDATA, static_cast<UINT>(LB_ERR)};
}  // namespace

// ---- Combo box -------------------------------------------------------------

// The edit inside a drop-down combo box: its keys, focus and mouse belong
// to the combo box.
class TCustomComboBox::TEditLink : public TWindowTarget {
public:
  explicit TEditLink(TCustomComboBox* combo) : FCombo(combo) {}
  void Attach(HWND edit) {
    FEdit = edit;
    FDefProc = WndDispatch::Subclass(edit, this);
  }
  void DispatchWindowMessage(TMessage& m) override {
    switch (m.Msg) {
      case WM_SETFOCUS: {
        TCustomForm* form = GetParentForm(FCombo);
        if (form && !form->SetFocusedControl(FCombo)) return;
        break;
      }
      case WM_KILLFOCUS:
        if (FCombo->ControlState().Contains(csFocusing)) return;
        break;
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
        if (FCombo->DoKeyDown(m)) return;
        break;
      case WM_KEYUP:
      case WM_SYSKEYUP:
        if (FCombo->DoKeyUp(m)) return;
        break;
      case WM_CHAR:
        if (FCombo->DoKeyPress(m)) return;
        break;
      case WM_CONTEXTMENU:
        if (FCombo->PopupMenu()) {
          FCombo->Perform(m.Msg, reinterpret_cast<WPARAM>(FCombo->Handle()), m.LParam);
          return;
        }
        break;
      default:
        break;
    }
    m.Result = CallWindowProcW(FDefProc, FEdit, m.Msg, m.WParam, m.LParam);
  }
  void AttachWindow(HWND hwnd) override { FEdit = hwnd; }
  void WindowDestroyed(HWND) override { FEdit = nullptr; }
  TComponent* ExceptionSender() override { return FCombo; }

private:
  TCustomComboBox* FCombo;
  HWND FEdit = nullptr;
  WNDPROC FDefProc = nullptr;
};

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TWinControl(AOwner),
      FItems(std::make_unique<TListControlStrings>(this, kComboMessages)),
      FEditLink(std::make_unique<TEditLink>(this)) {
  FControlStyle = TControlStyle{csCaptureMouse, csSetCaption, csDoubleClicks, csFixedHeight};
  SetBounds(0, 0, 145, 21);
  SetTabStop(true);
  SetColor(clWindow);
}

TCustomComboBox::~TCustomComboBox() {
  BeginDestroy();
  DestroyHandle();
}

void TCustomComboBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, u"COMBOBOX");
  Params.Style |= WS_VSCROLL | CBS_AUTOHSCROLL;
  switch (FStyle) {
    case csDropDownList: Params.Style |= CBS_DROPDOWNLIST; break;
    case csSimple: Params.Style |= CBS_SIMPLE; break;
    default: Params.Style |= CBS_DROPDOWN; break;
  }
  if (FSorted) Params.Style |= CBS_SORT;
  // The window's height is that of the open list.
  Params.Height = Height() + 16 * FDropDownCount + 2;
}

void TCustomComboBox::CreateWnd() {
  String text = FText;
  TWinControl::CreateWnd();
  FItems->WindowCreated();
  SendMessageW(FHandle, CB_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
  if (FItemIndex >= 0) SendMessageW(FHandle, CB_SETCURSEL, static_cast<WPARAM>(FItemIndex), 0);
  else if (FStyle != csDropDownList) SetWindowTextW(FHandle, reinterpret_cast<LPCWSTR>(text.c_str()));
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  if (FStyle != csDropDownList && GetComboBoxInfo(FHandle, &info) && info.hwndItem && info.hwndItem != FHandle)
    FEditLink->Attach(info.hwndItem);
  UpdateBounds();
}

void TCustomComboBox::DestroyWnd() {
  FItemIndex = ItemIndex();
  FItems->WindowDestroying();
  TWinControl::DestroyWnd();
}

int TCustomComboBox::ItemIndex() {
  if (!HandleAllocated()) return FItemIndex;
  return static_cast<int>(SendMessageW(FHandle, CB_GETCURSEL, 0, 0));
}

void TCustomComboBox::SetItemIndex(int value) {
  FItemIndex = value;
  if (HandleAllocated()) SendMessageW(FHandle, CB_SETCURSEL, static_cast<WPARAM>(value), 0);
  else if (value >= 0 && value < FItems->Count()) FText = FItems->Strings(value);
  else if (FStyle == csDropDownList) FText.clear();
}

void TCustomComboBox::SetStyle(TComboBoxStyle value) {
  if (FStyle == value) return;
  FStyle = value;
  RecreateWnd();
}

void TCustomComboBox::SetMaxLength(int value) {
  FMaxLength = value;
  if (HandleAllocated()) SendMessageW(FHandle, CB_LIMITTEXT, static_cast<WPARAM>(value), 0);
}

void TCustomComboBox::SetSorted(bool value) {
  if (FSorted == value) return;
  FSorted = value;
  FItems->SetSorted(value);
  RecreateWnd();
}

bool TCustomComboBox::DroppedDown() {
  return HandleAllocated() && SendMessageW(FHandle, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TCustomComboBox::SetDroppedDown(bool value) {
  SendMessageW(Handle(), CB_SHOWDROPDOWN, value ? TRUE : FALSE, 0);
}

int TCustomComboBox::SelStart() {
  if (!HandleAllocated()) return 0;
  DWORD start = 0, end = 0;
  SendMessageW(FHandle, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(start);
}

int TCustomComboBox::SelLength() {
  if (!HandleAllocated()) return 0;
  DWORD start = 0, end = 0;
  SendMessageW(FHandle, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end - start);
}

void TCustomComboBox::SelectAll() {
  if (HandleAllocated()) SendMessageW(FHandle, CB_SETEDITSEL, 0, MAKELPARAM(0, 0xFFFF));
}

void TCustomComboBox::Clear() {
  FItems->Clear();
  SetText(String());
}

bool TCustomComboBox::Focused() const {
  HWND focus = GetFocus();
  return FHandle && focus && (focus == FHandle || IsChild(FHandle, focus));
}

String TCustomComboBox::GetText() const {
  if (!FHandle) return FText;
  return TWinControl::GetText();
}

void TCustomComboBox::SetTextBuf(const String& value) {
  if (FStyle == csDropDownList) {
    // A list without an edit shows its items only: pick the item.
    int index = -1;
    for (int i = 0; i < FItems->Count(); ++i)
      if (FItems->Strings(i) == value) {
        index = i;
        break;
      }
    SetItemIndex(index);
    FText = index >= 0 ? value : String();
    return;
  }
  FText = value;
  if (HandleAllocated()) {
    SendMessageW(FHandle, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.c_str()));
  }
}

void TCustomComboBox::Change() { FireEvent(OnChange, this); }
void TCustomComboBox::DropDown() { FireEvent(OnDropDown, this); }
void TCustomComboBox::CloseUp() { FireEvent(OnCloseUp, this); }

void TCustomComboBox::Select() {
  if (OnSelect)
    FireEvent(OnSelect, this);
  else
    Change();
}

void TCustomComboBox::AdjustDropDown() {
  int count = std::min(std::max(FItems->Count(), 1), std::max(FDropDownCount, 1));
  int itemHeight = static_cast<int>(SendMessageW(FHandle, CB_GETITEMHEIGHT, 0, 0));
  RECT r;
  GetWindowRect(FHandle, &r);
  SetWindowPos(FHandle, nullptr, 0, 0, r.right - r.left, Height() + itemHeight * count + 2,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

void TCustomComboBox::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CN_COMMAND:
      switch (HIWORD(m.WParam)) {
        case CBN_DBLCLK: DblClick(); break;
        case CBN_EDITCHANGE: Change(); break;
        case CBN_DROPDOWN:
          DropDown();
          AdjustDropDown();
          break;
        case CBN_SELCHANGE: {
          int index = ItemIndex();
          if (index >= 0 && FStyle != csDropDownList) SetWindowTextW(FHandle, reinterpret_cast<LPCWSTR>(FItems->Strings(index).c_str()));
          Click();
          Select();
          break;
        }
        case CBN_CLOSEUP: CloseUp(); break;
        default: break;
      }
      return;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
      m.Result = ColorControl(reinterpret_cast<HDC>(m.WParam));
      return;
    case WM_KEYDOWN:
      // A closed list with nothing chosen starts from its top (or bottom);
      // the system's list would move on from the item chosen before the
      // choice was cleared.
      if (FStyle == csDropDownList && FItems->Count() > 0 && ItemIndex() < 0 && !DroppedDown() &&
          (m.WParam == VK_DOWN || m.WParam == VK_UP || m.WParam == VK_HOME || m.WParam == VK_END ||
           m.WParam == VK_PRIOR || m.WParam == VK_NEXT)) {
        SetItemIndex(m.WParam == VK_END ? FItems->Count() - 1 : 0);
        Click();
        Select();
        m.Result = 0;
        return;
      }
      break;
    case CM_WANTSPECIALKEY:
      // Enter and Esc close an open list before they reach the form.
      if ((m.WParam == VK_RETURN || m.WParam == VK_ESCAPE) && DroppedDown()) {
        m.Result = 1;
        return;
      }
      break;
    default:
      break;
  }
  TWinControl::WndProc(m);
}

// ---- List box --------------------------------------------------------------

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TWinControl(AOwner), FItems(std::make_unique<TListControlStrings>(this, kListMessages)) {
  SetBounds(0, 0, 121, 97);
  SetTabStop(true);
  SetColor(clWindow);
}

TCustomListBox::~TCustomListBox() {
  BeginDestroy();
  DestroyHandle();
}

void TCustomListBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, u"LISTBOX");
  Params.Style |= LBS_NOTIFY | WS_VSCROLL | LBS_NOINTEGRALHEIGHT;
  if (FSorted) Params.Style |= LBS_SORT;
  if (FBorderStyle == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListBox::CreateWnd() {
  TWinControl::CreateWnd();
  FItems->WindowCreated();
  if (FItemIndex >= 0) SendMessageW(FHandle, LB_SETCURSEL, static_cast<WPARAM>(FItemIndex), 0);
}

void TCustomListBox::DestroyWnd() {
  FItemIndex = ItemIndex();
  FItems->WindowDestroying();
  TWinControl::DestroyWnd();
}

int TCustomListBox::ItemIndex() {
  if (!HandleAllocated()) return FItemIndex;
  return static_cast<int>(SendMessageW(FHandle, LB_GETCURSEL, 0, 0));
}

void TCustomListBox::SetItemIndex(int value) {
  FItemIndex = value;
  if (HandleAllocated()) SendMessageW(FHandle, LB_SETCURSEL, static_cast<WPARAM>(value), 0);
}

void TCustomListBox::SetSorted(bool value) {
  if (FSorted == value) return;
  FSorted = value;
  FItems->SetSorted(value);
  RecreateWnd();
}

void TCustomListBox::SetBorderStyle(TBorderStyle value) {
  if (FBorderStyle == value) return;
  FBorderStyle = value;
  RecreateWnd();
}

int TCustomListBox::ItemHeight() { return static_cast<int>(SendMessageW(Handle(), LB_GETITEMHEIGHT, 0, 0)); }

void TCustomListBox::WndProc(TMessage& m) {
  if (m.Msg == CN_COMMAND) {
    switch (HIWORD(m.WParam)) {
      case LBN_SELCHANGE: Click(); break;
      case LBN_DBLCLK: DblClick(); break;
      default: break;
    }
    return;
  }
  TWinControl::WndProc(m);
}
