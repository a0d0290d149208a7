#include "skin/engine/SkinManager.h"
#include "skin/engine/CommonData.h"
#include "skin/engine/PreviewSkin.h"
#include "skin/engine/SkinCommands.h"
#include "skin/engine/SkinManagerUnit.h"
#include "skin/engine/SkinnedMenus.h"
#include "skin/engine/SysCaptions.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/GlyphPaint.h"
#include "skin/graphics/LayeredWindows.h"
#include "skin/graphics/Pixels32.h"
#include "platform/classes/IniFiles.h"
#include "platform/rtl/FileUtils.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Forms.h"
#include <algorithm>
#include <iomanip>
#include <locale>
#include <sstream>

TsSkinManager* DefaultManager = nullptr;
bool SkinLoadInProgress = false;
std::unique_ptr<TBitmap> DefaultShadowActive, DefaultShadowInactive;
void (*SkinStateNotify)(bool SkinInUse) = nullptr;
void (*NewSkinNotify)() = nullptr;

namespace {
const String DefaultSkinDirectory = u"c:\\Skins";

// The drawing core reaches the model and the glyph order through these.
const bool Bound = [] {
  ModelOfManager = [](TsSkinManager* Manager) { return Manager ? &Manager->Model : nullptr; };
  DefaultGlyphsInStdOrder = [] { return !DefaultManager || DefaultManager->Options().StdGlyphsOrder(); };
  return true;
}();

std::unique_ptr<TBitmap> CopyFrame(TBitmap& Src, int X, int Y, int W, int H) {
  auto frame = NewBmp32(W, H);
  BitBlt(frame->Canvas()->Handle(), 0, 0, W, H, Src.Canvas()->Handle(), X, Y, SRCCOPY);
  return frame;
}

std::unique_ptr<TBitmap> CopyOf(TBitmap& Src) { return CopyFrame(Src, 0, 0, Src.Width(), Src.Height()); }
}  // namespace

TsSkinManager::TsSkinManager(TComponent* AOwner)
    : TComponent(AOwner), PreviewBuffer(std::make_unique<TacSkinData>()) {
  (void)Bound;
  StartSkinManagerUnit();
  InitSysCaptions();
  FEffects = std::make_unique<TacSkinEffects>();
  FEffects->Manager = this;
  FThirdParty = std::make_unique<ThirdPartyList>();
  for (auto& list : ThirdLists) {
    list = std::make_unique<TStringList>();
    list->SetCaseSensitive(true);
  }
  FCommonSections = std::make_unique<TStringList>();
  FCommonSections->SetCaseSensitive(true);
  for (size_t i = 0; i < Model.ConstData.Sections.size(); ++i) Model.ConstData.Sections[i] = -1;
  FOptions = std::make_unique<TacOptions>(this);
  FScrollsOptions = std::make_unique<TacScrollBarsSupport>(this);
  FButtonsSupport = std::make_unique<TacButtonsSupport>();
  FLabelsSupport = std::make_unique<TacLabelsSupport>();
  FAnimEffects = std::make_unique<TacAnimEffects>();
  FAnimEffects->Manager = this;
  SkinableMenus = std::make_unique<TsSkinableMenus>(this);
  MenuSupport = std::make_unique<TacMenuSupport>();
  if (!DefaultManager) {
    DefaultManager = this;
    if (!(ComponentState() & csDesigning))
      FMainWindowHook = Application->HookMainWindow([this](TMessage& m) { return MainWindowHook(m); });
  }
  // What follows construction when the manager is made in code.
  UpdateThirdNames(false);
  if (FSkinDirectory.empty()) FSkinDirectory = DefaultSkinDirectory;
  if (!(ComponentState() & (csLoading | csReading)) && SkinStateNotify) SkinStateNotify(FActive && !FSkinName.empty());
}

TsSkinManager::~TsSkinManager() {
  SetActive(false);
  UnInstallHook();
  // The items must not keep handlers of a menus object that goes.
  SkinableMenus->SetActive(false);
  FExtendedBorders = false;
  FAnimEffects.reset();
  FEffects.reset();
  ShdaTemplate.reset();
  ShdiTemplate.reset();
  FCommonSections.reset();
  FOptions.reset();
  FScrollsOptions.reset();
  FButtonsSupport.reset();
  FLabelsSupport.reset();
  Model.ClearImageParts();
  // The hook goes with the manager that attached it, default or not.
  DetachMainWindowHook();
  if (DefaultManager == this) DefaultManager = nullptr;
  StoreThirdNames();
}

void TsSkinManager::DetachMainWindowHook() {
  if (FMainWindowHook == 0) return;
  if (TApplication* app = TApplicationRef::Peek()) app->UnhookMainWindow(FMainWindowHook);
  FMainWindowHook = 0;
}

void TsSkinManager::Loaded() {
  if (FSkinDirectory.empty()) FSkinDirectory = DefaultSkinDirectory;
  UpdateThirdNames(false);
  if (FActive && !FSkinName.empty()) SendNewSkin(false);
  UpdateCommonDialogs();
  if (!(ComponentState() & (csLoading | csReading)) && SkinStateNotify) SkinStateNotify(FActive && !FSkinName.empty());
  if (OnActivate && FActive && !(ComponentState() & csDesigning)) OnActivate(this);
}

bool TsSkinManager::GetExtendedBorders() const { return FExtendedBorders && LayeredWindowsAvailable(); }

void TsSkinManager::SetExtendedBorders(bool Value) {
  if (FExtendedBorders == Value) return;
  FExtendedBorders = Value;
  if (Model.CommonSkinData->Active) {
    SkinLoadInProgress = true;
    // A reload that fails leaves no load in progress behind.
    struct TInProgressReset {
      ~TInProgressReset() { SkinLoadInProgress = false; }
    } reset;
    CheckShadows();
    if (FileExists(PackedFileName()))
      ReloadPackedSkin();
    else
      ReloadSkin();
    SkinLoadInProgress = false;
    if (!(ComponentState() & (csLoading | csReading | csDesigning))) RepaintForms(true);
  }
}

bool TsSkinManager::GetIsDefault() const { return DefaultManager == this; }

void TsSkinManager::SetIsDefault(bool Value) {
  if (!Value && DefaultManager) return;  // the role is taken, never given up
  DefaultManager = this;
  if (FActive)
    SendNewSkin(true);
  else
    SendRemoveSkin();
}

void TsSkinManager::SetActive(bool Value) {
  if (FActive == Value) return;
  FActive = Value;
  if (Value) {
    SetSkinName(FSkinName);
  } else if (!FSkinName.empty()) {
    if (!(ComponentState() & csLoading)) SendRemoveSkin();
    InitConstantIndexes();
    UpdateCommonDialogs();
    if (OnDeactivate && !(ComponentState() & csDesigning)) OnDeactivate(this);
  }
}

void TsSkinManager::SetCommonSections(const TStrings& Value) {
  FCommonSections->Assign(Value);
  for (int i = 0; i < FCommonSections->Count(); ++i) {
    String line = FCommonSections->Strings(i);
    if (line.empty() || line[0] == u';') continue;
    line.erase(std::remove(line.begin(), line.end(), u' '), line.end());
    FCommonSections->SetStrings(i, line);
  }
  SetSkinName(FSkinName);
}

// The colour setters reload, so an adjustment always starts from the
// skin's own colours.
void TsSkinManager::SetBrightness(int Value) {
  Value = std::clamp(Value, -100, 100);
  if (FBrightness == Value) return;
  FBrightness = Value;
  ReloadCurrentSkin();
}

void TsSkinManager::SetSaturation(int Value) {
  if (FSaturation == Value) return;
  FSaturation = Value;
  ReloadCurrentSkin();
}

void TsSkinManager::SetHueOffset(int Value) {
  if (FHueOffset == Value) return;
  FHueOffset = Value;
  ReloadCurrentSkin();
}

void TsSkinManager::SetSkinDirectory(const String& Value) {
  if (FSkinDirectory == Value) return;
  FSkinDirectory = Value;
  Model.CommonSkinData->SkinPath = GetFullSkinDirectory();
  if (OnSkinListChanged) OnSkinListChanged(this);
}

String TsSkinManager::GetSkinInfo() const {
  if (!Model.CommonSkinData->Active) return u"N/A";
  std::ostringstream text;
  text.imbue(std::locale::classic());
  text << std::setprecision(15) << Model.CommonSkinData->Version;
  return AsciiToString(text.str());
}

void TsSkinManager::EndUpdate(bool Repaint, bool AllowAnimation) {
  NoAutoUpdate = false;
  if (AllowAnimation) {
    UpdateSkin(Repaint);
    return;
  }
  TacSkinChanging& changing = *FAnimEffects->SkinChanging;
  const bool saved = changing.Active;
  changing.Active = false;
  UpdateSkin(Repaint);
  changing.Active = saved;
}

void TsSkinManager::UpdateSkin(bool Repaint) {
  if (FActive) SendNewSkin(Repaint);
}

void TsSkinManager::SetActiveControl(HWND Value) {
  if (Value == FActiveControl) return;
  if (FActiveControl && FActiveGraphControl) {
    SetActiveGraphControl(nullptr);
    if (FActiveGraphControl) return;
  }
  const LPARAM self = reinterpret_cast<LPARAM>(this);
  if (FActiveControl) SendMessageW(FActiveControl, SM_SKINCMD, SkinCmdWParam(SKC_CTRLDEACTIVATED), self);
  FActiveControl = Value;
  if (Value) SendMessageW(Value, SM_SKINCMD, SkinCmdWParam(SKC_CTRLACTIVATED), self);
}

void TsSkinManager::SetActiveGraphControl(TControl* Value) {
  if (Value == FActiveGraphControl) return;
  if (!Value && FActiveGraphControl) {
    const auto* data =
        reinterpret_cast<const TsCommonData*>(FActiveGraphControl->Perform(SM_SKINCMD, SkinCmdWParam(SKC_GETSKINDATA)));
    if (data && data->FMouseAbove) return;
  }
  TControl* previous = FActiveGraphControl;
  FActiveGraphControl = Value;
  if (previous)
    previous->Perform(SM_SKINCMD, SkinCmdWParam(SKC_CTRLDEACTIVATED), reinterpret_cast<LPARAM>(this));
}

void TsSkinManager::UpdateThirdNames(bool Reset) {
  for (int i = 0; i < ThirdListCount; ++i) {
    if (Reset || FThirdParty->GetByIndex(i).empty()) FThirdParty->SetByIndex(i, ThirdPartyList::DefaultText(i));
    ThirdLists[static_cast<size_t>(i)]->SetText(FThirdParty->GetByIndex(i));
  }
}

void TsSkinManager::StoreThirdNames() {
  for (int i = 0; i < ThirdListCount; ++i) FThirdParty->SetByIndex(i, ThirdLists[static_cast<size_t>(i)]->Text());
}

TBitmap* TsSkinManager::GetExtImage(const String& FileName) const {
  for (const auto& ext : Model.ExtArray)
    if (ext.FileName == FileName) return ext.Bmp;
  return nullptr;
}

int TsSkinManager::DetectCornerType(const TsMaskData& ImagePart) const {
  if (ImagePart.ClassName == u"BUTTON_HUGE" && ImagePart.PropertyName == u"BORDERSMASK") return 2;
  const TRect& R = ImagePart.R;
  if (R.Bottom - R.Top <= 0) return 0;
  TBitmap* bmp = ImagePart.Bmp ? ImagePart.Bmp : Model.MasterBitmap.get();
  if (!bmp || bmp->Width() <= 0 || bmp->Height() <= 0) return 0;
  const HDC dc = bmp->Canvas()->Handle();
  const int fw = (R.Right - R.Left) / std::max<int>(1, ImagePart.ImageCount);
  const int fh = (R.Bottom - R.Top) / (ImagePart.MaskType + 1 > 0 ? ImagePart.MaskType + 1 : 1);
  // Starts as well as ends are kept inside the bitmap, so a negative
  // rectangle in an options text reads nothing outside it.
  const auto hasKey = [&](int x0, int x1, int y0, int y1) {
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, bmp->Width() - 1);
    y1 = std::min(y1, bmp->Height() - 1);
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x)
        if ((GetPixel(dc, x, y) & 0xFFFFFF) == KeyColor) return true;
    return false;
  };
  const int l = R.Left, t = R.Top;
  const auto& p = ImagePart;
  return hasKey(l, l + p.WL, t, t + p.WT) || hasKey(l + fw - p.WR, l + fw, t, t + p.WT) ||
                 hasKey(l, l + p.WL, t + fh - p.WB, t + fh) || hasKey(l + fw - p.WR, l + fw, t + fh - p.WB, t + fh)
             ? 1
             : 0;
}

void TsSkinManager::CheckShadows() {
  if (!FActive || !GetExtendedBorders()) {
    FormShadowSize = TRect(0, 0, 0, 0);
    return;
  }
  ShdaTemplate.reset();
  ShdiTemplate.reset();
  const int ex = Model.ConstData.ExBorder;
  if (IsValidImgIndex(ex)) {
    const TsMaskData& part = Model.ma[static_cast<size_t>(ex)];
    const TsSkinData& sd = *Model.CommonSkinData;
    if (sd.ExDrawMode != 0)
      FormShadowSize = TRect(sd.ExContentOffs, sd.ExContentOffs, sd.ExContentOffs, sd.ExContentOffs);
    else
      FormShadowSize = TRect(part.WL - sd.ExContentOffs, part.WT - sd.ExContentOffs, part.WR - sd.ExContentOffs,
                             part.WB - sd.ExContentOffs);
    // The frames are read at the part's own place in its source, so a part
    // that lies in the master bitmap works too.
    TBitmap* source = MaskImageOf(part, &Model);
    const int w = MaskFrameWidth(part), h = MaskFrameHeight(part);
    if (!source || w <= 0 || h <= 0) {
      ShdaTemplate = NewBmp32(0, 0);
      ShdiTemplate = NewBmp32(0, 0);
      return;
    }
    ShdiTemplate = CopyFrame(*source, part.R.Left, part.R.Top, w, h);
    ShdaTemplate = part.ImageCount == 1 ? CopyOf(*ShdiTemplate) : CopyFrame(*source, part.R.Left + w, part.R.Top, w, h);
  } else if (DefaultShadowActive && DefaultShadowInactive) {
    ShdaTemplate = CopyOf(*DefaultShadowActive);
    ShdiTemplate = CopyOf(*DefaultShadowInactive);
    FormShadowSize = TRect(9, 9, 9, 9);
  } else {
    ShdaTemplate = NewBmp32(0, 0);
    ShdiTemplate = NewBmp32(0, 0);
  }
}

int SkinScrollWidth(const TsSkinManager* Manager) {
  if (!Manager) return GetSystemMetrics(SM_CXVSCROLL);
  const int size = const_cast<TsSkinManager*>(Manager)->ScrollsOptions().ScrollSize();
  return size < 0 ? GetSystemMetrics(SM_CXVSCROLL) : size;
}

int MaxScrollWidth(const TsSkinManager* Manager) {
  return std::max(SkinScrollWidth(Manager), GetSystemMetrics(SM_CXVSCROLL));
}

double ReadSkinVersion(const TCustomIniFile& Ini) {
  const std::string text = StringToUtf8(Ini.ReadString(u"GLOBALINFO", u"VERSION", String()));
  std::istringstream in(text);
  in.imbue(std::locale::classic());
  double value = 0;
  if (!(in >> value)) return 0;
  return value;
}
