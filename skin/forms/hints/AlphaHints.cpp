#include "skin/forms/hints/AlphaHints.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/StrUtils.h"
#include "skin/engine/AnimTimer.h"
#include "skin/engine/SkinManager.h"
#include "skin/forms/hints/HintTemplateFile.h"
#include "skin/forms/hints/HintWindows.h"
#include "skin/forms/hints/ShowTimer.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/LayeredWindows.h"
#include "skin/graphics/MsgBoxes.h"

TsAlphaHints* ActiveHintsComponent = nullptr;
TacHintTemplate* CurrentHintTemplate = nullptr;
TacHintImage* CurrentHintImage = nullptr;
TacCustomHintWindow* CurrentHintWindow = nullptr;

namespace {
// The component whose handler is the application's hint event.
TsAlphaHints* AppHintEventOwner = nullptr;

bool Inert(const TsAlphaHints& hints) {
  return (hints.ComponentState() & csDesigning) != 0 || hints.Tag() == 256;
}
}  // namespace

void AlphaHintsChanged(TsAlphaHints* Hints) {
  if (Hints) Hints->Changed();
}

TsAlphaHints::TsAlphaHints(TComponent* AOwner)
    : TComponent(AOwner), FCacheBmp(NewBmp32(0, 0)), FTemplates(std::make_unique<TacHintTemplates>(this)) {
  FCacheBmp->SetPixelFormat(pf32bit);
}

TsAlphaHints::~TsAlphaHints() {
  BeginDestroy();
  if (AppHintEventOwner == this) {
    if (TApplication* app = TApplicationRef::Peek()) app->OnShowHint = nullptr;
    AppHintEventOwner = nullptr;
  }
  UpdateActivation();
  delete HintWindow;
  HintWindow = nullptr;
  delete HideTimer;
  HideTimer = nullptr;
  FreeHintFrame();
  ShowTimer.reset();
  CheckTimer.reset();
  AnimWindow.reset();
  NewWindow.reset();
  OldAlphaBmp.reset();
  // The windows of the hint being made must not reach into freed templates.
  CurrentHintTemplate = nullptr;
  CurrentHintImage = nullptr;
}

void TsAlphaHints::Loaded() {
  TComponent::Loaded();
  if (FSkinSection.empty()) FSkinSection = u"HINT";
  if (!Inert(*this)) {
    Application->SetHintHidePause(FPauseHide);
    FHintPos = TPoint(-1, -1);
    Application->OnShowHint = [this](String& HintStr, bool& CanShow, THintInfo& HintInfo) {
      OnShowHintApp(HintStr, CanShow, HintInfo);
    };
    AppHintEventOwner = this;
  }
  UpdateActivation();
}

void TsAlphaHints::UpdateActivation() {
  if (Inert(*this)) return;
  if (FActive && LayeredWindowsAvailable() && !IsDestroying()) {
    ActiveHintsComponent = this;
    HintWindowClass = THintWindowClassOf<TacPngHintWindow>();
  } else if (ActiveHintsComponent == this) {
    // Another active component keeps its hints.
    ActiveHintsComponent = nullptr;
    HintWindowClass = THintWindowClassOf<THintWindow>();
  }
}

void TsAlphaHints::SetActive(bool Value) {
  FActive = Value;
  UpdateActivation();
}

void TsAlphaHints::SetPauseHide(int Value) {
  if (FPauseHide == Value) return;
  FPauseHide = Value;
  if (!Inert(*this)) Application->SetHintHidePause(Value);
}

void TsAlphaHints::SetTemplateName(const String& Value) {
  FTemplateIndex = -1;
  FTemplateName = Value;
  const String wanted = AnsiUpperCase(Value);
  for (int i = 0; i < FTemplates->Count(); ++i)
    if (AnsiUpperCase(FTemplates->Items(i)->Name()) == wanted) {
      FTemplateIndex = i;
      return;
    }
}

TacHintTemplate& TsAlphaHints::CurrentTemplateOf() const {
  if (FTemplateIndex >= 0 && FTemplateIndex < FTemplates->Count()) return *FTemplates->Items(FTemplateIndex);
  return DefaultHintTemplate();
}

void TsAlphaHints::Changed() {
  if (!(ComponentState() & csLoading) && OnChange) OnChange(this);
}

bool TsAlphaHints::Skinned() const {
  return ActiveHintsComponent && DefaultManager && FUseSkinData && !ActiveHintsComponent->FSkinSection.empty() &&
         DefaultManager->GetSkinIndex(ActiveHintsComponent->FSkinSection) >= 0;
}

void TsAlphaHints::FreeHintFrame() {
  delete HintFrame;
  HintFrame = nullptr;
  if (ActiveHintsComponent) ActiveHintsComponent->HintShowing = false;
}

void TsAlphaHints::OnShowHintApp(String& HintStr, bool& CanShow, THintInfo& HintInfo) {
  FHintPos = HintInfo.HintPos;
  if (OnShowHint) {
    FreeHintFrame();
    OnShowHint(HintStr, CanShow, HintInfo, HintFrame);
  }
  CurrentHintInfo = HintInfo;
  FHintPos = HintInfo.HintPos;
}

void TsAlphaHints::ShowHint(TControl* TheControl, const String& HintText, uint16_t HideTime) {
  if (!TheControl) return;
  TPoint location = TheControl->ClientToScreen(TPoint(0, 0));
  location.X += TheControl->Width() / 2;
  location.Y += TheControl->Height() / 3;
  ShowExplicit(TheControl, location, HintText, HideTime);
}

void TsAlphaHints::ShowHint(TPoint Position, const String& HintText, uint16_t HideTime) {
  ShowExplicit(nullptr, Position, HintText, HideTime);
}

void TsAlphaHints::ShowExplicit(TControl* TheControl, TPoint Location, const String& HintText, uint16_t HideTime) {
  if (!HintWindow) HintWindow = new TacPngHintWindow(this);
  const int width = FMaxWidth >= 1 ? FMaxWidth : Screen->Width();
  // At a point the location is known before measuring; at a control after.
  if (!TheControl) HintWindow->SetHintLocation(Location);
  TRect rect = HintWindow->CalcHintRect(width, HintText, nullptr);
  HintWindow->SetHintLocation(Location);
  String text = HintText;
  if (OnShowHint) {
    THintInfo info;
    info.HintControl = TheControl;
    info.HintPos = Location;
    HintFrame = nullptr;
    HintWindow->Text = HintText;
    FreeHintFrame();
    bool canShow = true;
    OnShowHint(text, canShow, info, HintFrame);
    if (text != HintText || HintFrame) rect = HintWindow->CalcHintRect(width, text, nullptr);
    if (TheControl) CurrentHintInfo = info;
    HintWindow->SetHintLocation(info.HintPos);
  } else if (!HintText.empty()) {
    rect = HintWindow->CalcHintRect(width, HintText, nullptr);
  }
  HintWindow->ActivateHint(rect, text);
  if (HideTime == 0) return;
  if (!HideTimer) {
    HideTimer = new TacThreadedTimer(this);
    HideTimer->SetEnabled(false);
    HideTimer->SetOnTimer([this](TObject*) { HideTimerTick(); });
  }
  // Each call hides after its own time, counted from now.
  HideTimer->SetEnabled(false);
  HideTimer->SetInterval(HideTime);
  HideTimer->SetEnabled(true);
}

void TsAlphaHints::HideTimerTick() {
  HideHint();
  if (HideTimer) HideTimer->SetEnabled(false);
}

void TsAlphaHints::HideHint() {
  HintFrame = nullptr;
  delete HintWindow;
  HintWindow = nullptr;
}

void TsAlphaHints::RepaintHint() {
  if (!CurrentHintWindow || !HintShowing) return;
  if (OnShowHint) {
    THintInfo info = CurrentHintInfo;
    String text = info.HintStr;
    bool canShow = true;
    TWinControl* frame = HintFrame;
    OnShowHint(text, canShow, info, frame);
    CurrentHintInfo = info;
  }
  CurrentHintWindow->UpdateWnd(0, 0);
}

void TsAlphaHints::StartCheckTimer() {
  CheckTimer.reset();
  CheckTimer = std::make_unique<TacThreadedTimer>(nullptr);
  CheckTimer->SetEnabled(false);
  CheckTimer->SetOnTimer([this](TObject*) { CheckTimerTick(); });
  CheckTimer->SetInterval(static_cast<unsigned>(std::max(0, Application->HintShortPause()) + 300));
  CheckTimer->SetEnabled(true);
}

void TsAlphaHints::CheckTimerTick() {
  if (ActiveHintsComponent &&
      (!CurrentHintWindow || !CurrentHintWindow->HandleAllocated() ||
       !IsWindowVisible(CurrentHintWindow->Handle()) || !HintShowing)) {
    AnimWindow.reset();
    NewWindow.reset();
    // Only a pause that was saved is put back.
    if (FOldHintPause != 0) Application->SetHintPause(FOldHintPause);
  }
  if (CheckTimer) CheckTimer->SetEnabled(false);
}

void TsAlphaHints::AssignTo(TPersistent& Dest) const {
  auto* d = dynamic_cast<TsAlphaHints*>(&Dest);
  if (!d) {
    TComponent::AssignTo(Dest);
    return;
  }
  d->FTemplates->Clear();
  for (int i = 0; i < FTemplates->Count(); ++i) d->FTemplates->Add()->Assign(*FTemplates->Items(i));
  d->SetTemplateName(FTemplateName);
  d->FAnimated = FAnimated;
  d->DefaultMousePos = DefaultMousePos;
  d->FHTMLMode = FHTMLMode;
  d->SetPauseHide(FPauseHide);
  d->FSkinSection = FSkinSection;
  d->FUseSkinData = FUseSkinData;
}

// ---- The template file ----------------------------------------------------------

void TsAlphaHints::SaveToStream(TMemoryStream& AStream) { WriteHintTemplate(CurrentTemplateOf(), AStream); }

void TsAlphaHints::SaveToFile(const String& FileName) {
  if (FileExists(FileName)) DeleteFile(FileName);
  TMemoryStream stream;
  SaveToStream(stream);
  stream.SaveToFile(FileName);
}

TacHintTemplate* TsAlphaHints::LoadFromStream(TMemoryStream& AStream) {
  // Read aside: a template joins the collection only when whole.
  TacHintTemplate read(nullptr);
  switch (ReadHintTemplate(AStream, read)) {
    case THintFileResult::UnknownFormat:
      ErrorBox(u"Unknown file format");
      return nullptr;
    case THintFileResult::Damaged:
      return nullptr;
    case THintFileResult::Ok:
      break;
  }
  TacHintTemplate* added = FTemplates->Add();
  added->Assign(read);
  return added;
}

TacHintTemplate* TsAlphaHints::LoadFromFile(const String& FileName) {
  TMemoryStream stream;
  stream.LoadFromFile(FileName);
  TacHintTemplate* result = LoadFromStream(stream);
  if (result) {
    const String name = ExtractFileName(FileName);
    const size_t dot = name.find(u'.');
    result->SetName(dot == String::npos ? name : name.substr(0, dot));
  }
  return result;
}
