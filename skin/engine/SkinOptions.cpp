#include "skin/engine/SkinOptions.h"
#include "skin/engine/FormsBroadcast.h"
#include "skin/engine/SkinCommands.h"
#include "skin/engine/SkinManager.h"

namespace {
bool ManagerMayRepaint(const TsSkinManager* Manager) {
  return Manager && !(Manager->ComponentState() & csLoading) && !Manager->NoAutoUpdate;
}
}  // namespace

void TacSkinEffects::SetAllowOuterEffects(bool Value) {
  if (FAllowOuterEffects == Value) return;
  FAllowOuterEffects = Value;
  if (ManagerMayRepaint(Manager)) Manager->RepaintForms(false);
}

void TacSkinEffects::SetDiscoloredGlyphs(bool Value) {
  if (FDiscoloredGlyphs == Value) return;
  FDiscoloredGlyphs = Value;
  if (ManagerMayRepaint(Manager)) Manager->RepaintForms(true);
}

TacAnimEffects::~TacAnimEffects() {
  BlendOnMoving.reset();
  Buttons.reset();
  DialogShow.reset();
  FormShow.reset();
  FormHide.reset();
  DialogHide.reset();
  Minimizing.reset();
  PageChange.reset();
  SkinChanging.reset();
}

String ThirdPartyList::GetByIndex(int Index) const {
  return Index >= 0 && Index < ThirdListCount ? FTexts[static_cast<size_t>(Index)] : String();
}

void ThirdPartyList::SetByIndex(int Index, const String& Text) {
  if (Index >= 0 && Index < ThirdListCount) FTexts[static_cast<size_t>(Index)] = Text;
}

String ThirdPartyList::DefaultText(int Index) { return Index == tpButton ? u"TButton" : u" "; }

void TacScrollBarsSupport::SetScrollSize(int Value) {
  if (FScrollSize == Value) return;
  FScrollSize = Value;
  if (FOwner && (FOwner->ComponentState() & csLoading)) return;
  TMessage m{SM_SKINCMD, SkinCmdWParam(SKC_SCROLLSIZECHANGED), 0, 0};
  BroadcastToForms(m);
}

void TacScrollBarsSupport::SetButtonsSize(int Value) {
  if (FButtonsSize == Value) return;
  FButtonsSize = Value;
  if (FOwner && !(FOwner->ComponentState() & csLoading)) FOwner->RepaintForms(false);
}

bool TacOptions::GetOptionFlag(int Index) const {
  switch (Index) {
    case 0: return FCheckEmptyAlpha;
    case 1: return FNoMouseHover;
    case 2: return FNativeBordersMaximized;
    case 3: return FStdGlyphsOrder;
    default: return FChangeSysColors;
  }
}

void TacOptions::SetOptionFlag(int Index, bool Value) {
  switch (Index) {
    case 0: FCheckEmptyAlpha = Value; break;
    case 1: FNoMouseHover = Value; break;
    case 2: FNativeBordersMaximized = Value; break;
    case 3: FStdGlyphsOrder = Value; break;
    case 4:
      FChangeSysColors = Value;
      if (FOwner) FOwner->UpdateSysColorReplacement();
      break;
    default: break;
  }
}
