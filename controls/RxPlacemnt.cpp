// The form placement component, its min/max limits and its INI links.
#include "controls/RxPlacemnt.h"
#include "controls/RxAppUtils.h"
#include "controls/RxStrUtils.h"
#include "platform/classes/IniFiles.h"
#include "platform/classes/Registry.h"
#include "platform/ui/Menus.h"
#include <algorithm>

namespace {
const char16_t* const kFormVersion = u"FormVersion";
const char16_t* const kVisible = u"Visible";
const char16_t* const kActiveControl = u"ActiveControl";

HKEY RootKeyOf(TPlacementRegRoot root) {
  switch (root) {
  case prCurrentUser: return HKEY_CURRENT_USER;
  case prLocalMachine: return HKEY_LOCAL_MACHINE;
  case prCurrentConfig: return HKEY_CURRENT_CONFIG;
  case prClassesRoot: return HKEY_CLASSES_ROOT;
  case prUsers: return HKEY_USERS;
  case prDynData: break;
  }
  throw ERegistryException(u"HKEY_DYN_DATA is not available");
}

// Runs an automatic action; its failure goes to the application and the
// rest goes on.
template <class F>
void Guarded(F&& body) {
  try {
    body();
  } catch (...) {
    Application->HandleException(nullptr);
  }
}
}  // namespace

// ---------------------------------------------------------------- TWinMinMaxInfo

int TWinMinMaxInfo::GetValue(int index) const {
  switch (index) {
  case 0: return FMinMaxInfo.ptMaxPosition.x;
  case 1: return FMinMaxInfo.ptMaxPosition.y;
  case 2: return FMinMaxInfo.ptMaxSize.y;
  case 3: return FMinMaxInfo.ptMaxSize.x;
  case 4: return FMinMaxInfo.ptMaxTrackSize.y;
  case 5: return FMinMaxInfo.ptMaxTrackSize.x;
  case 6: return FMinMaxInfo.ptMinTrackSize.y;
  case 7: return FMinMaxInfo.ptMinTrackSize.x;
  default: return 0;
  }
}

void TWinMinMaxInfo::SetValue(int index, int value) {
  if (GetValue(index) == value) return;
  LONG* field = nullptr;
  switch (index) {
  case 0: field = &FMinMaxInfo.ptMaxPosition.x; break;
  case 1: field = &FMinMaxInfo.ptMaxPosition.y; break;
  case 2: field = &FMinMaxInfo.ptMaxSize.y; break;
  case 3: field = &FMinMaxInfo.ptMaxSize.x; break;
  case 4: field = &FMinMaxInfo.ptMaxTrackSize.y; break;
  case 5: field = &FMinMaxInfo.ptMaxTrackSize.x; break;
  case 6: field = &FMinMaxInfo.ptMinTrackSize.y; break;
  case 7: field = &FMinMaxInfo.ptMinTrackSize.x; break;
  default: return;
  }
  *field = value;
  if (FOwner) FOwner->MinMaxInfoChanged();
}

bool TWinMinMaxInfo::DefaultMinMaxInfo() const {
  for (int i = 0; i < 8; ++i)
    if (GetValue(i) != 0) return false;
  return true;
}

void TWinMinMaxInfo::Assign(const TPersistent& source) {
  if (auto* other = dynamic_cast<const TWinMinMaxInfo*>(&source)) {
    FMinMaxInfo = other->FMinMaxInfo;
    if (FOwner) FOwner->MinMaxInfoChanged();
    return;
  }
  TPersistent::Assign(source);
}

// ---------------------------------------------------------------- TIniLink

TIniLink::~TIniLink() {
  if (OnIniLinkDestroy) OnIniLinkDestroy(this);
  OnSave = nullptr;
  OnLoad = nullptr;
  SetStorage(nullptr);
}

void TIniLink::SetStorage(TFormPlacement* value) {
  if (value == FStorage) return;
  if (FStorage) FStorage->RemoveLink(this);
  if (value) value->AddLink(this);
}

TObject* TIniLink::IniObject() const { return FStorage ? FStorage->IniFileObject() : nullptr; }

String TIniLink::RootSection() const {
  if (!FStorage) return String();
  return FStorage->FIniSection.empty() ? String() : FStorage->FIniSection + u"\\";
}

void TIniLink::LinkSave() {
  if (OnSave) OnSave(this);
}

void TIniLink::LinkLoad() {
  if (OnLoad) OnLoad(this);
}

// ---------------------------------------------------------------- TFormPlacement

TFormPlacement::TFormPlacement(TComponent* AOwner)
    : TComponent(AOwner), FWinMinMaxInfo(std::make_unique<TWinMinMaxInfo>(this)) {
  if (dynamic_cast<TCustomForm*>(AOwner)) FOptions = TPlacementOptions{fpState, fpPosition};
  FWinHook = new TRxWindowHook(this);
  FWinHook->AfterMessage = [this](TObject* sender, TMessage& msg, bool& handled) {
    FormMessageHook(sender, msg, handled);
  };
}

TFormPlacement::~TFormPlacement() {
  BeginDestroy();
  CloseStorage();
  while (!FLinks.empty()) RemoveLink(FLinks.back());
  TCustomForm* form = Form();
  // A form on its way out has already let go of its window and events.
  if (form && !form->IsDestroying()) {
    if (FWinHook) FWinHook->SetActive(false);
    UnchainFormEvents();
  }
}

void TFormPlacement::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FWinHook) FWinHook = nullptr;
}

void TFormPlacement::Loaded() {
  if (ComponentState() & csDesigning) return;
  FLoading = true;
  ChainFormEvents();
  FLoading = false;
  UpdateFormHook();
}

String TFormPlacement::IniFileName() const {
  if (!FIniFileName.empty() || (ComponentState() & csDesigning)) return FIniFileName;
  return FUseRegistry ? DefaultRegistryKey() : DefaultIniFileName();
}

String TFormPlacement::IniSection() const {
  if (!FIniSection.empty() || (ComponentState() & csDesigning)) return FIniSection;
  return DefaultStorageSection(Owner());
}

TObject* TFormPlacement::IniFileObject() const {
  if (FUseRegistry) return FRegIniFile.get();
  return FIniFile.get();
}

void TFormPlacement::SetPreventResize(bool value) {
  if (!Form() || value == FPreventResize) return;
  FPreventResize = value;
  ResetMaxPosition();
  ApplyPreventResize();
}

// ---------------------------------------------------------------- storage

void TFormPlacement::OpenStorage(bool readOnly) {
  if (IniFileObject()) return;
  if (!FUseRegistry) {
    FIniFile = std::make_unique<TIniFile>(IniFileName());
    return;
  }
  // Open the key itself under the chosen root, never a key under the
  // current user on the way; a read-only open creates nothing, and a key
  // that is not there reads as the defaults.
  const HKEY root = RootKeyOf(FRegistryRoot);
  auto reg = std::make_unique<TRegIniFile>(String(), readOnly ? KEY_READ : KEY_ALL_ACCESS);
  reg->SetRootKey(root);
  const bool opened = reg->OpenKey(IniFileName(), !readOnly);
  if (!opened && !readOnly) throw ERegistryException(u"Failed to create key " + IniFileName());
  if (opened) FRegIniFile = std::move(reg);
}

void TFormPlacement::CloseStorage() {
  FRegIniFile.reset();
  FIniFile.reset();
}

String TFormPlacement::ReadSectionString(const String& Section, const String& Ident, const String& Default) {
  return StorageReadString(IniFileObject(), Section, Ident, Default);
}

void TFormPlacement::WriteSectionString(const String& Section, const String& Ident, const String& Value) {
  StorageWriteString(IniFileObject(), Section, Ident, Value);
}

namespace {
// Opens the storage for one operation when it is not open already.
template <class F>
auto WithStorage(bool open, F&& body, std::function<void()> openIt, std::function<void()> closeIt) {
  if (open) return body();
  openIt();
  try {
    auto result = body();
    closeIt();
    return result;
  } catch (...) {
    closeIt();
    throw;
  }
}
}  // namespace

String TFormPlacement::ReadString(const String& Ident, const String& Default) {
  return WithStorage(
      IniFileObject() != nullptr, [&] { return ReadSectionString(IniSection(), Ident, Default); },
      [this] { OpenStorage(true); }, [this] { CloseStorage(); });
}

void TFormPlacement::WriteString(const String& Ident, const String& Value) {
  WithStorage(
      IniFileObject() != nullptr,
      [&] {
        WriteSectionString(IniSection(), Ident, Value);
        return 0;
      },
      [this] { OpenStorage(false); }, [this] { CloseStorage(); });
}

int TFormPlacement::ReadInteger(const String& Ident, int Default) {
  return WithStorage(
      IniFileObject() != nullptr, [&] { return StorageReadInteger(IniFileObject(), IniSection(), Ident, Default); },
      [this] { OpenStorage(true); }, [this] { CloseStorage(); });
}

void TFormPlacement::WriteInteger(const String& Ident, int Value) {
  WithStorage(
      IniFileObject() != nullptr,
      [&] {
        StorageWriteInteger(IniFileObject(), IniSection(), Ident, Value);
        return 0;
      },
      [this] { OpenStorage(false); }, [this] { CloseStorage(); });
}

void TFormPlacement::EraseSections() {
  if (IniFileObject()) return;
  OpenStorage(false);
  try {
    TStringList sections;
    StorageReadSections(IniFileObject(), sections);
    const String section = IniSection();
    for (int i = 0; i < sections.Count(); ++i) {
      const String name = sections[i];
      if (name == section || MatchMask(name, section + u".*", false) || MatchMask(name, section + u"\\*", false))
        StorageEraseSection(IniFileObject(), name);
    }
  } catch (...) {
    CloseStorage();
    throw;
  }
  CloseStorage();
}

// ---------------------------------------------------------------- save and restore

void TFormPlacement::SaveFormPlacement() {
  if (FActive && !FRestored) return;
  OpenStorage(false);
  try {
    StorageWriteInteger(IniFileObject(), IniSection(), kFormVersion, FVersion);
    WritePlacementData();
    FireSavePlacement();
  } catch (...) {
    CloseStorage();
    throw;
  }
  CloseStorage();
  FSaved = true;
}

void TFormPlacement::WritePlacementData() {
  TCustomForm* form = Form();
  if (!form) return;
  if (FOptions.Contains(fpState) || FOptions.Contains(fpPosition)) {
    WriteWindowPlacement(form, IniFileObject(), IniSection());
    StorageWriteInteger(IniFileObject(), IniSection(), kVisible, FDestroying ? 1 : 0);
  }
  if (FOptions.Contains(fpActiveControl) && form->ActiveControl())
    StorageWriteString(IniFileObject(), IniSection(), kActiveControl, form->ActiveControl()->Name());
  for (TIniLink* link : std::vector<TIniLink*>(FLinks)) link->LinkSave();
}

void TFormPlacement::RestoreFormPlacement() {
  FSaved = false;
  OpenStorage(true);
  try {
    if (StorageReadInteger(IniFileObject(), IniSection(), kFormVersion, 0) >= FVersion) {
      ReadPlacementData();
      FRestored = true;
      FireRestorePlacement();
      TCustomForm* form = Form();
      if (form && FOptions.Contains(fpActiveControl)) {
        const String name = StorageReadString(IniFileObject(), IniSection(), kActiveControl, String());
        auto* control = name.empty() ? nullptr : dynamic_cast<TWinControl*>(form->FindComponent(name));
        if (control && control->CanFocus()) form->SetActiveControl(control);
      }
    }
  } catch (...) {
    CloseStorage();
    FRestored = true;
    throw;
  }
  CloseStorage();
  FRestored = true;
  ResetMaxPosition();
}

void TFormPlacement::ReadPlacementData() {
  TCustomForm* form = Form();
  if (!form) return;
  ReadWindowPlacement(form, IniFileObject(), IniSection(), FOptions.Contains(fpState),
                      FOptions.Contains(fpPosition));
  for (TIniLink* link : std::vector<TIniLink*>(FLinks)) link->LinkLoad();
}

void TFormPlacement::FireSavePlacement() {
  if (OnSavePlacement) OnSavePlacement(this);
}

void TFormPlacement::FireRestorePlacement() {
  if (OnRestorePlacement) OnRestorePlacement(this);
}

void TFormPlacement::AddLink(TIniLink* link) {
  FLinks.push_back(link);
  link->FStorage = this;
}

void TFormPlacement::RemoveLink(TIniLink* link) {
  link->FStorage = nullptr;
  FLinks.erase(std::remove(FLinks.begin(), FLinks.end(), link), FLinks.end());
}

// ---------------------------------------------------------------- the form's events

void TFormPlacement::ChainFormEvents() {
  TCustomForm* form = Form();
  if (!form || FChained) return;
  FChained = true;
  FSaveFormShow = form->OnShow;
  FSaveFormCloseQuery = form->OnCloseQuery;
  FSaveFormDestroy = form->OnDestroy;
  form->OnShow = [this](TObject* sender) { PlacementFormShow(sender); };
  form->OnCloseQuery = [this](TObject* sender, bool& canClose) { PlacementFormCloseQuery(sender, canClose); };
  form->OnDestroy = [this](TObject* sender) { PlacementFormDestroy(sender); };
  FDefMaximize = form->BorderIcons().Contains(biMaximize);
  if (FPreventResize) ApplyPreventResize();
}

void TFormPlacement::UnchainFormEvents() {
  TCustomForm* form = Form();
  if (!form || !FChained) return;
  FChained = false;
  form->OnShow = FSaveFormShow;
  form->OnCloseQuery = FSaveFormCloseQuery;
  form->OnDestroy = FSaveFormDestroy;
}

void TFormPlacement::PlacementFormShow(TObject* Sender) {
  if (FActive) Guarded([this] { RestoreFormPlacement(); });
  if (FSaveFormShow) FSaveFormShow(Sender);
}

void TFormPlacement::PlacementFormCloseQuery(TObject* Sender, bool& CanClose) {
  if (FSaveFormCloseQuery) FSaveFormCloseQuery(Sender, CanClose);
  TCustomForm* form = Form();
  if (CanClose && FActive && form && form->HandleAllocated()) Guarded([this] { SaveFormPlacement(); });
}

void TFormPlacement::PlacementFormDestroy(TObject* Sender) {
  if (FActive && !FSaved) {
    FDestroying = true;
    Guarded([this] { SaveFormPlacement(); });
    FDestroying = false;
  }
  if (FSaveFormDestroy) FSaveFormDestroy(Sender);
}

// ---------------------------------------------------------------- size limits

void TFormPlacement::MinMaxInfoChanged() {
  ResetMaxPosition();
  if (!FLoading) UpdateFormHook();
}

void TFormPlacement::UpdateFormHook() {
  TCustomForm* form = Form();
  if (!form || !FWinHook || (ComponentState() & csDesigning)) return;
  if (!FWinMinMaxInfo->DefaultMinMaxInfo() || FPreventResize) {
    FWinHook->SetWinControl(form);
    FWinHook->HookControl();
  } else {
    FWinHook->UnhookControl();
  }
}

void TFormPlacement::ApplyPreventResize() {
  TCustomForm* form = Form();
  if (!form || (ComponentState() & csDesigning)) return;
  if (FPreventResize) FDefMaximize = form->BorderIcons().Contains(biMaximize);
  const bool saveActive = FActive;
  FActive = false;
  try {
    TBorderIcons icons = form->BorderIcons();
    if (!FPreventResize && FDefMaximize && form->BorderStyle() != bsDialog) icons.Include(biMaximize);
    else icons.Exclude(biMaximize);
    form->SetBorderIcons(icons);
  } catch (...) {
    FActive = saveActive;
    throw;
  }
  FActive = saveActive;
  if (!FLoading) UpdateFormHook();
}

void TFormPlacement::ResetMaxPosition() {
  TCustomForm* form = Form();
  if (!form || !form->HandleAllocated() || FLoading || FPreventResize || !FWinMinMaxInfo->DefaultMinMaxInfo())
    return;
  WINDOWPLACEMENT wp{};
  wp.length = sizeof(wp);
  if (!GetWindowPlacement(form->Handle(), &wp)) return;
  if (!IsWindowVisible(form->Handle())) wp.showCmd = SW_HIDE;
  int cx = 0, cy = 0;
  switch (form->BorderStyle()) {
  case bsSingle:
  case bsToolWindow:
    cx = GetSystemMetrics(SM_CXBORDER);
    cy = GetSystemMetrics(SM_CYBORDER);
    break;
  case bsSizeable:
  case bsSizeToolWin:
    cx = GetSystemMetrics(SM_CXFRAME);
    cy = GetSystemMetrics(SM_CYFRAME);
    break;
  case bsDialog:
    cx = GetSystemMetrics(SM_CXDLGFRAME);
    cy = GetSystemMetrics(SM_CYDLGFRAME);
    break;
  default: break;
  }
  wp.ptMaxPosition = {-cx, -cy};
  SetWindowPlacement(form->Handle(), &wp);
}

void TFormPlacement::FormMessageHook(TObject*, TMessage& Msg, bool&) {
  TCustomForm* form = Form();
  if (!form) return;
  if (FPreventResize) {
    switch (Msg.Msg) {
    case WM_GETMINMAXINFO:
      if (form->HandleAllocated() && IsWindowVisible(form->Handle())) {
        auto* info = reinterpret_cast<MINMAXINFO*>(Msg.LParam);
        info->ptMinTrackSize = {form->Width(), form->Height()};
        info->ptMaxTrackSize = {form->Width(), form->Height()};
      }
      Msg.Result = 1;
      break;
    case WM_INITMENUPOPUP:
      if (HIWORD(Msg.LParam) != 0) {
        auto menu = reinterpret_cast<HMENU>(Msg.WParam);
        EnableMenuItem(menu, SC_SIZE, MF_BYCOMMAND | MF_GRAYED);
        EnableMenuItem(menu, SC_MAXIMIZE, MF_BYCOMMAND | MF_GRAYED);
        Msg.Result = 1;
      }
      break;
    case WM_NCHITTEST:
      if (Msg.Result >= HTLEFT && Msg.Result <= HTBOTTOMRIGHT) Msg.Result = HTNOWHERE;
      break;
    default: break;
    }
    return;
  }
  if (Msg.Msg != WM_GETMINMAXINFO) return;
  auto* info = reinterpret_cast<MINMAXINFO*>(Msg.LParam);
  const TWinMinMaxInfo& limits = *FWinMinMaxInfo;
  if (limits.DefaultMinMaxInfo()) {
    info->ptMaxPosition = {0, 0};
  } else {
    auto apply = [](LONG& field, int value) {
      if (value != 0) field = value;
    };
    apply(info->ptMinTrackSize.x, limits.MinTrackWidth());
    apply(info->ptMinTrackSize.y, limits.MinTrackHeight());
    apply(info->ptMaxTrackSize.x, limits.MaxTrackWidth());
    apply(info->ptMaxTrackSize.y, limits.MaxTrackHeight());
    apply(info->ptMaxSize.x, limits.MaxSizeWidth());
    apply(info->ptMaxSize.y, limits.MaxSizeHeight());
    apply(info->ptMaxPosition.x, limits.MaxPosLeft());
    apply(info->ptMaxPosition.y, limits.MaxPosTop());
  }
  Msg.Result = 1;
}
