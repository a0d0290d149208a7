// Choosing a skin by name: where it is found, the order in which it is
// read into the model, its version check, and the lists of available skins.
#include "skin/engine/SkinManager.h"
#include "skin/engine/FormsRegistry.h"
#include "skin/engine/PreviewSkin.h"
#include "skin/engine/SkinOptionsReader.h"
#include "skin/engine/SkinPacked.h"
#include "skin/graphics/LibUtils.h"
#include "skin/graphics/MsgBoxes.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/StrUtils.h"
#include <chrono>
#include <random>

namespace {
// The loading state of the process is cleared however a load ends.
struct TLoadStateReset {
  ~TLoadStateReset() {
    SkinOptions.reset();
    SkinPackage.reset();
  }
};

std::unique_ptr<TacSkinIni> OptionsOf(TMemoryStream& Stream) {
  const auto* bytes = static_cast<const char*>(Stream.Memory());
  return TacSkinIni::FromBytes(std::string(bytes, bytes + Stream.Size()));
}

std::string FileBytes(const String& FileName) {
  TMemoryStream file;
  file.LoadFromFile(FileName);
  const auto* bytes = static_cast<const char*>(file.Memory());
  return std::string(bytes, bytes + file.Size());
}

String InternalFormatError(const String& Name) {
  return u"Internal format error in the \"" + Name + u"\" skin. Please, update this skin to latest version.";
}

bool EndsWithAsz(const String& Name) {
  return Name.size() > 4 && UpperCase(StringView(Name).substr(Name.size() - 4)) == u".ASZ";
}
}  // namespace

String TsSkinManager::PackedFileName() const {
  // Looked up where the folders are, not against the current folder.
  return AddPathDelimiter(GetFullSkinDirectory()) + FSkinName + u".asz";
}

void TsSkinManager::SetSkinName(const String& Value) {
  const String oldName = FSkinName;
  FSkinName = Value;
  const bool wasActive = FActive;
  if (FActive) {
    if (OnBeforeChange) OnBeforeChange(this);
    if (GetExtendedBorders() && !NoAutoUpdate && FAnimEffects->SkinChanging->Active && FEffects->AllowAnimation())
      PrepareForms(this);
    SkinLoadInProgress = true;
    const bool hadSkin = Model.CommonSkinData->Active;
    Model.CommonSkinData->Active = false;
    if (EndsWithAsz(Value)) FSkinName = Value.substr(0, Value.size() - 4);
    const bool packed = !(PreviewMode && DirectoryExists(AddPathDelimiter(FSkinDirectory) + Value)) &&
                        FileExists(PackedFileName());
    try {
      if (packed)
        ReloadPackedSkin();
      else
        ReloadSkin();
    } catch (const Exception& e) {
      FSkinName = oldName;
      Model.CommonSkinData->Active = hadSkin;
      ErrorBox(e.Message());
    } catch (const std::exception& e) {
      FSkinName = oldName;
      Model.CommonSkinData->Active = hadSkin;
      ErrorBox(Utf8ToString(e.what()));
    }
    if (FActive) {
      if (!NoAutoUpdate) SendNewSkin(true);
      if (OnActivate && !(ComponentState() & (csDesigning | csLoading))) OnActivate(this);
    } else {
      Model.CommonSkinData->Active = false;
      SendRemoveSkin();
      if (OnActivate && !(ComponentState() & csDesigning)) OnActivate(this);
    }
  }
  if (wasActive) {
    SkinLoadInProgress = false;
    if (OnAfterChange) OnAfterChange(this);
  }
  UpdateCommonDialogs();
}

void TsSkinManager::ReloadSkin() {
  if (!FActive) return;
  SkinLoadInProgress = true;
  TLoadStateReset reset;
  String skinPath = AddPathDelimiter(GetFullSkinDirectory()) + FSkinName + u"\\";
  const String optionsFile = skinPath + u"Options.dat";
  std::unique_ptr<TacSkinIni> options;
  bool packed = false;
  if (PreviewOptions) {
    options = std::make_unique<TacSkinIni>(PreviewOptions->Text());
  } else if (FileExists(optionsFile)) {
    options = TacSkinIni::FromBytes(FileBytes(optionsFile));
  } else {
    skinPath.clear();
    int index = FBuiltInSkins->IndexOf(FSkinName);
    if (index < 0 && FBuiltInSkins->Count() > 0) {
      index = 0;
      FSkinName = FBuiltInSkins->Items(0)->Name();
    }
    if (index < 0) {
      FActive = false;
      return;
    }
    TMemoryStream& data = FBuiltInSkins->Items(index)->PackedData();
    if (data.Size() == 0) throw Exception(u"The internal skin \"" + FSkinName + u"\" holds no data");
    packed = true;
    SkinPackage = std::make_unique<TacSkinConvertor>();
    SkinPackage->PackedData = &data;  // lent for the read only
    try {
      ReadPackedSkin(*SkinPackage, this);
    } catch (...) {
      SkinPackage->PackedData = nullptr;
      throw;
    }
    SkinPackage->PackedData = nullptr;
    if (!SkinPackage->Options) throw Exception(InternalFormatError(FSkinName));
    options = OptionsOf(*SkinPackage->Options);
  }
  RunLoadSequence(std::move(options), skinPath, packed);
}

void TsSkinManager::ReloadPackedSkin() {
  if (!FActive) return;
  SkinLoadInProgress = true;
  TLoadStateReset reset;
  SkinPackage.reset();
  LoadPackedSkinFile(PackedFileName(), SkinPackage, this);
  if (!SkinPackage || !SkinPackage->Options) {
    SkinLoadInProgress = false;
    // Raised, so that the name returns and the previous skin stays.
    throw Exception(InternalFormatError(FSkinName));
  }
  RunLoadSequence(OptionsOf(*SkinPackage->Options), AddPathDelimiter(GetFullSkinDirectory()), true);
}

void TsSkinManager::RunLoadSequence(std::unique_ptr<TacSkinIni> Options, const String& SkinPath, bool Packed) {
  TsSkinModel previous;
  Model.Swap(previous);
  Model.CommonSkinData->SkinPath = SkinPath;
  Model.SkinIsPacked = Packed;
  try {
    Model.CommonSkinData->Version = ReadSkinVersion(*Options);
    CheckVersion();
    SkinOptions = std::move(Options);
    LoadAllMasks();
    LoadAllGeneralData();
    InitConstantIndexes();
    if (OnSkinLoading) OnSkinLoading(this);
  } catch (...) {
    Model.Swap(previous);
    SkinOptions.reset();
    throw;
  }
  SkinLoadInProgress = false;
  SkinOptions.reset();
  SkinPackage.reset();
  // In use at once; SendNewSkin announces it unless NoAutoUpdate holds it back.
  Model.CommonSkinData->Active = true;
}

void TsSkinManager::ReloadCurrentSkin() {
  // Without a skin name there is nothing to read again.
  if (!FActive || FSkinName.empty() || (ComponentState() & (csLoading | csReading))) return;
  SkinLoadInProgress = true;
  struct TInProgressReset {
    ~TInProgressReset() { SkinLoadInProgress = false; }
  } reset;
  if (FileExists(PackedFileName()))
    ReloadPackedSkin();
  else
    ReloadSkin();
  if (OnAfterChange) OnAfterChange(this);
  SkinLoadInProgress = false;
  if (!NoAutoUpdate) RepaintForms(true);
}

void TsSkinManager::CheckVersion() {
  const double version = Model.CommonSkinData->Version;
  if (version < 7.45) {
    if (ComponentState() & csDesigning)
      acMessageDlg(u"You are using an old version of the \"" + FSkinName + u"\" skin. " +
                       u"Please, update skins to latest or contact the Velmoria support for upgrading of existing "
                       u"skin.\r\n\r\nThis notification occurs in design-time only for your information and will "
                       u"not occur in real-time.",
                   mtInformation, TMsgDlgButtons{mbOK}, 0);
  } else if (version >= 10.99) {
    const TacSkinningRules rules = FSkinningRules;
    SetSkinningRules(rules & ~(1u << srStdDialogs));
    acMessageDlg(u"This version of the skin has not complete support by used Velmoria package release.\r\n"
                 u"Components must be updated to latest version for using this skin.",
                 mtWarning, TMsgDlgButtons{mbOK}, 0);
    if (rules & (1u << srStdDialogs)) SetSkinningRules(FSkinningRules | (1u << srStdDialogs));
  }
}

String TsSkinManager::GetFullSkinDirectory() const {
  const String& dir = FSkinDirectory;
  const String exe = ExeFolder();
  if (dir.size() >= 2 && dir[0] == u'.' && dir[1] == u'.') {
    String parent = exe.empty() ? exe : exe.substr(0, exe.size() - 1);
    const size_t cut = parent.find_last_of(u"\\/");
    parent = cut == String::npos ? String() : parent.substr(0, cut + 1);
    return parent + (dir.size() > 3 ? dir.substr(3) : String());
  }
  if (dir.size() >= 2 && dir[0] == u'.' && (dir[1] == u'\\' || dir[1] == u'/')) return exe + dir.substr(2);
  if (dir == u".") return exe;
  if (dir.find(u':') == String::npos && dir.find(u"\\\\") == String::npos) return exe + dir;
  return dir;
}

String TsSkinManager::GetExternalSkinNames(TStrings& sl, TacSkinTypes SkinType) const {
  String first;
  sl.Clear();
  TStringList names;
  const String dir = GetFullSkinDirectory();
  if (DirectoryExists(dir)) {
    const String base = AddPathDelimiter(dir);
    TacSearchRec rec;
    for (int found = FindFirstEntry(base + u"*.*", rec); found == 0; found = FindNextEntry(rec)) {
      if (rec.Name.empty() || rec.Name[0] == u'.') continue;
      String name;
      if ((rec.Attr & FILE_ATTRIBUTE_DIRECTORY) && SkinType != stPacked &&
          FileExists(base + rec.Name + u"\\Options.dat")) {
        name = rec.Name;
      } else if (SkinType != stUnpacked && ExtractFileExt(rec.Name) == u".asz") {
        name = rec.Name;
        name.erase(LowerCase(name).find(u".asz"), 4);
      } else {
        continue;
      }
      names.Add(name);
      if (first.empty()) first = name;
    }
    FindCloseEntry(rec);
  }
  names.Sort();
  sl.Assign(names);
  return first;
}

String TsSkinManager::GetSkinNames(TStrings& sl, TacSkinTypes SkinType) const {
  TStringList names;
  String first;
  for (int i = 0; i < FBuiltInSkins->Count(); ++i) {
    names.Add(FBuiltInSkins->Items(i)->Name());
    if (i == 0) first = FBuiltInSkins->Items(i)->Name();
  }
  TStringList external;
  const String firstExternal = GetExternalSkinNames(external, SkinType);
  if (FBuiltInSkins->Count() == 0) first = firstExternal;
  names.AddStrings(external);
  names.Sort();
  sl.Clear();
  sl.Assign(names);
  return first;
}

String TsSkinManager::GetRandomSkin() const {
  TStringList names;
  GetSkinNames(names, stAllSkins);
  if (names.Count() == 0) return String();
  std::mt19937 random(static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()));
  return names.Strings(static_cast<int>(random() % static_cast<unsigned>(names.Count())));
}
