#pragma once
// A form that remembers where it was: TFormPlacement restores the form's
// position, size, state and active control when it is shown and stores them
// when it closes, in an INI file or under a registry key. It can also fix
// the form's size or limit its tracking size through a window hook, and
// lets other components (TIniLink) store their settings with it.
#include "controls/RxHook.h"
#include "platform/ui/EnumSet.h"
#include "platform/ui/Forms.h"
#include <memory>
#include <vector>

class TCustomIniFile;
class TRegIniFile;
class TFormPlacement;

enum TPlacementOption : uint8_t { fpState, fpPosition, fpActiveControl };
using TPlacementOptions = TEnumSet<TPlacementOption>;

enum TPlacementRegRoot : uint8_t { prCurrentUser, prLocalMachine, prCurrentConfig, prClassesRoot, prUsers, prDynData };

class TWinMinMaxInfo : public TPersistent {
public:
  explicit TWinMinMaxInfo(TFormPlacement* owner) : FOwner(owner) {}

  // By index: 0 MaxPosLeft, 1 MaxPosTop, 2 MaxSizeHeight, 3 MaxSizeWidth,
  // 4 MaxTrackHeight, 5 MaxTrackWidth, 6 MinTrackHeight, 7 MinTrackWidth.
  int GetValue(int index) const;
  void SetValue(int index, int value);
  int MaxPosLeft() const { return GetValue(0); }
  void SetMaxPosLeft(int v) { SetValue(0, v); }
  int MaxPosTop() const { return GetValue(1); }
  void SetMaxPosTop(int v) { SetValue(1, v); }
  int MaxSizeHeight() const { return GetValue(2); }
  void SetMaxSizeHeight(int v) { SetValue(2, v); }
  int MaxSizeWidth() const { return GetValue(3); }
  void SetMaxSizeWidth(int v) { SetValue(3, v); }
  int MaxTrackHeight() const { return GetValue(4); }
  void SetMaxTrackHeight(int v) { SetValue(4, v); }
  int MaxTrackWidth() const { return GetValue(5); }
  void SetMaxTrackWidth(int v) { SetValue(5, v); }
  int MinTrackHeight() const { return GetValue(6); }
  void SetMinTrackHeight(int v) { SetValue(6, v); }
  int MinTrackWidth() const { return GetValue(7); }
  void SetMinTrackWidth(int v) { SetValue(7, v); }

  bool DefaultMinMaxInfo() const;
  const MINMAXINFO& Info() const { return FMinMaxInfo; }
  void Assign(const TPersistent& source) override;

private:
  TFormPlacement* FOwner;
  MINMAXINFO FMinMaxInfo{};
};

class TIniLink : public TPersistent {
public:
  TIniLink() = default;
  ~TIniLink() override;

  TFormPlacement* Storage() const { return FStorage; }
  void SetStorage(TFormPlacement* value);
  // The storage's open INI object, or none.
  TObject* IniObject() const;
  // The storage's own section followed by "\", or empty.
  String RootSection() const;

  virtual void LinkSave();
  virtual void LinkLoad();

  TNotifyEvent OnSave;
  TNotifyEvent OnLoad;
  TNotifyEvent OnIniLinkDestroy;

private:
  friend class TFormPlacement;
  TFormPlacement* FStorage = nullptr;
};

class TFormPlacement : public TComponent {
public:
  explicit TFormPlacement(TComponent* AOwner);
  ~TFormPlacement() override;

  // What a form resource does once the properties are read: chains the
  // form's OnShow, OnCloseQuery and OnDestroy and sets up the window hook.
  // Forms built in code call it after setting the properties; without it
  // the owner saves and restores itself.
  void Loaded();

  bool Active() const { return FActive; }
  void SetActive(bool value) { FActive = value; }
  String IniFileName() const;
  void SetIniFileName(const String& value) { FIniFileName = value; }
  String IniSection() const;
  void SetIniSection(const String& value) { FIniSection = value; }
  bool UseRegistry() const { return FUseRegistry; }
  void SetUseRegistry(bool value) { FUseRegistry = value; }
  TPlacementRegRoot RegistryRoot() const { return FRegistryRoot; }
  void SetRegistryRoot(TPlacementRegRoot value) { FRegistryRoot = value; }
  TPlacementOptions Options() const { return FOptions; }
  void SetOptions(TPlacementOptions value) { FOptions = value; }
  int Version() const { return FVersion; }
  void SetVersion(int value) { FVersion = value; }
  bool PreventResize() const { return FPreventResize; }
  void SetPreventResize(bool value);
  TWinMinMaxInfo* MinMaxInfo() const { return FWinMinMaxInfo.get(); }
  void SetMinMaxInfo(const TWinMinMaxInfo& value) { FWinMinMaxInfo->Assign(value); }

  TCustomIniFile* IniFile() const { return FIniFile.get(); }
  TRegIniFile* RegIniFile() const { return FRegIniFile.get(); }
  // The open object (registry or INI file); none while closed.
  TObject* IniFileObject() const;

  void SaveFormPlacement();
  void RestoreFormPlacement();
  String ReadString(const String& Ident, const String& Default);
  void WriteString(const String& Ident, const String& Value);
  int ReadInteger(const String& Ident, int Default);
  void WriteInteger(const String& Ident, int Value);
  // Erases the placement's section and the sections of its links below
  // it (Section.* and Section\*).
  void EraseSections();

  TNotifyEvent OnSavePlacement;
  TNotifyEvent OnRestorePlacement;

  // For TWinMinMaxInfo.
  void MinMaxInfoChanged();

protected:
  virtual void WritePlacementData();
  virtual void ReadPlacementData();
  virtual String ReadSectionString(const String& Section, const String& Ident, const String& Default);
  virtual void WriteSectionString(const String& Section, const String& Ident, const String& Value);
  virtual void FireSavePlacement();
  virtual void FireRestorePlacement();
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  friend class TIniLink;
  TCustomForm* Form() const { return dynamic_cast<TCustomForm*>(Owner()); }
  void OpenStorage(bool readOnly);
  void CloseStorage();
  void AddLink(TIniLink* link);
  void RemoveLink(TIniLink* link);
  void ChainFormEvents();
  void UnchainFormEvents();
  void UpdateFormHook();
  void ApplyPreventResize();
  void ResetMaxPosition();
  void FormMessageHook(TObject* Sender, TMessage& Msg, bool& Handled);
  void PlacementFormShow(TObject* Sender);
  void PlacementFormCloseQuery(TObject* Sender, bool& CanClose);
  void PlacementFormDestroy(TObject* Sender);

  bool FActive = true;
  String FIniFileName;
  String FIniSection;
  std::unique_ptr<TCustomIniFile> FIniFile;
  bool FUseRegistry = false;
  std::unique_ptr<TRegIniFile> FRegIniFile;
  TPlacementRegRoot FRegistryRoot = prCurrentUser;
  std::vector<TIniLink*> FLinks;
  TPlacementOptions FOptions;
  int FVersion = 0;
  bool FSaved = false;
  bool FRestored = false;
  bool FDestroying = false;
  bool FPreventResize = false;
  bool FLoading = false;
  bool FChained = false;
  std::unique_ptr<TWinMinMaxInfo> FWinMinMaxInfo;
  bool FDefMaximize = false;
  TRxWindowHook* FWinHook = nullptr;
  TNotifyEvent FSaveFormShow;
  TNotifyEvent FSaveFormDestroy;
  TCloseQueryEvent FSaveFormCloseQuery;
};
