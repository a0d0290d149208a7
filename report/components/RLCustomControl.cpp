#include "report/components/RLCustomControl.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StrUtils.h"
#include "report/components/RLControlUtils.h"
#include "report/pages/RLLocaleStrings.h"
#include "report/components/RLSiteKinds.h"
#include "report/pages/RLGraphicSurface.h"
#include "report/pages/RLUtils.h"
#include <algorithm>

namespace {
bool IsIdentifierStart(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_'; }

bool IsValidIdentifier(const String& name) {
  if (name.empty() || !IsIdentifierStart(name[0])) return false;
  return std::all_of(name.begin() + 1, name.end(),
                     [](char16_t c) { return IsIdentifierStart(c) || (c >= u'0' && c <= u'9'); });
}

// The nearest report control answering `as`, starting with `control`.
template <typename As>
auto FindInChain(TRLCustomControl* control, As as) -> decltype(as(control)) {
  for (TRLCustomControl* c = control; c; c = c->ReportAncestor())
    if (auto* found = as(c)) return found;
  return nullptr;
}
}  // namespace

TRLCustomControl::TRLCustomControl(TComponent* AOwner)
    : TCustomControl(AOwner),
      FBorders(std::make_unique<TRLBorders>(this)),
      FRealBounds(std::make_unique<TRLRealBounds>(this)) {
  static int32_t lastControlId = 0;
  FControlId = ++lastControlId;
  SetControlStyle(TControl::ControlStyle() + csOpaque + csReplicatable);
  RefreshCaption();
}

TRLCustomControl::~TRLCustomControl() {
  BeginDestroy();
  ParentLinksChanged();
  // The site's record of its children would outlive what this control is.
  if (auto* site = dynamic_cast<TRLCustomSite*>(Parent())) site->ForgetChildren();
  if (FHolder) DetachHolder(FHolder);
  if (FSecondHolder && FSecondHolder != FHolder) DetachHolder(FSecondHolder);
  FHolder = FSecondHolder = nullptr;
  HoldersChanged();
  for (TRLCustomControl* held : std::vector<TRLCustomControl*>(FHoldeds)) {
    if (held->FHolder == this) held->FHolder = nullptr;
    if (held->FSecondHolder == this) held->FSecondHolder = nullptr;
    held->HoldersChanged();
    RemoveFreeNotification(held);
  }
  FHoldeds.clear();
  FHolding = false;
}

// ---- Properties -------------------------------------------------------------

void TRLCustomControl::SetAlign(TRLControlAlign value) {
  if (FAlign == value) return;
  TRLControlAlign old = FAlign;
  if (value != faNone) FAnchors = TRLControlAnchors();
  // A dimension the old alignment stretched goes back to its natural size.
  if ((HeightFree.Contains(old) && WidthFree.Contains(value)) ||
      (WidthFree.Contains(old) && HeightFree.Contains(value))) {
    FAlign = faNone;
    AdjustBounds();
  }
  FAlign = value;
  Realign();
}

void TRLCustomControl::SetAlignment(TRLTextAlignment value) {
  if (FAlignment == value) return;
  FAlignment = value;
  Invalidate();
}

void TRLCustomControl::SetLayout(TRLTextLayout value) {
  if (FLayout == value) return;
  FLayout = value;
  Invalidate();
}

void TRLCustomControl::SetAnchors(TRLControlAnchors value) {
  if (FAnchors == value) return;
  FAnchors = value;
  if (!value.Empty()) FAlign = faNone;
}

void TRLCustomControl::SetAutoSize(bool value) {
  if (FAutoSize == value) return;
  FAutoSize = value;
  if (value) AdjustBounds();
  Invalidate();
}

void TRLCustomControl::SetAutoExpand(bool value) {
  if (FAutoExpand == value) return;
  FAutoExpand = value;
  if (value) AdjustBounds();
  Invalidate();
}

void TRLCustomControl::SetAutoTrunc(bool value) {
  if (FAutoTrunc == value) return;
  FAutoTrunc = value;
  if (value) AdjustBounds();
}

void TRLCustomControl::SetTransparent(bool value) {
  if (FTransparent == value) return;
  if (value) {
    // The colour follows first: its change notice would clear the flag.
    if (AsReport())
      SetColor(clWhite);
    else
      SetParentColor(true);
  }
  FTransparent = value;
  Invalidate();
}

void TRLCustomControl::WndProc(TMessage& Message) {
  TCustomControl::WndProc(Message);
  switch (Message.Msg) {
    case CM_COLORCHANGED:
      // A colour inherited from the parent is not one chosen for this
      // control: it would undo Transparent, which asks for the parent's.
      if (!IsLoading() && !FUpdatingFromParent && Color() != clWhite) FTransparent = false;
      break;
    case CM_FONTCHANGED:
      AdjustBounds();
      Invalidate();
      break;
    case CM_CONTROLCHANGE:
      // A child came or went, whichever way it was moved.
      ParentLinksChanged();
      FCreatedChildren.reset();
      break;
    default:
      break;
  }
}

void TRLCustomControl::SetName(const String& value) {
  TCustomControl::SetName(value);
  AdjustBounds();
  Invalidate();
}

void TRLCustomControl::SetParent(TWinControl* AParent) {
  // A band dropped on a band goes beside it.
  if (AsBand())
    if (auto* band = dynamic_cast<TRLCustomBand*>(AParent)) AParent = band->Parent();
  FSiteKeyParent = nullptr;
  FSiteCache = nullptr;
  FSiteIsParent = false;
  FReportParentKey = nullptr;
  FReportParent = nullptr;
  ParentLinksChanged();
  TCustomControl::SetParent(AParent);
  ParentLinksChanged();
  if (AParent) {
    AdjustBounds();
    Realign();
  }
}

// ---- Texts -------------------------------------------------------------------

String TRLCustomControl::GetDisplayName() const { return FFriendlyName.empty() ? Name() : FFriendlyName; }

String TRLCustomControl::Caption() const { return CaptionRef(); }

const String& TRLCustomControl::CaptionRef() const {
  if (IsPreparing()) return FPreparingCaption;
  if (IsDesigning() && FCaption.empty()) return FDesignCaption = GetDisplayName();
  return FCaption;
}

void TRLCustomControl::SetCaption(const String& value) {
  FPreparingCaption = value;
  if (!IsPreparing()) {
    if (IsDesigning() && value == GetDisplayName())
      FCaption.clear();
    else
      FCaption = value;
  }
  AdjustBounds();
  Invalidate();
}

void TRLCustomControl::BuildCaptionText(String& Text) { Text = Caption(); }

void TRLCustomControl::RefreshCaption() { SetCaption(GetPrintableText()); }

String TRLCustomControl::GetPrintableText() {
  TRLCustomPager* pager = FindParentPager();
  if (pager && pager->PagerStatus().Contains(psCompleting)) return String();
  TRLCustomSkipper* skipper = FindParentSkipper();
  if (skipper && skipper->RecordAction() == raBlankAndRetain) return String();
  String text;
  BuildCaptionText(text);
  return text;
}

void TRLCustomControl::SetFriendlyName(const String& value) {
  if (value == FFriendlyName) return;
  if (value.empty() || value == Name()) {
    FFriendlyName.clear();
  } else {
    if (!IsValidIdentifier(value)) {
      if (IsLoading()) return;
      throw Exception(CurrentReportTexts.LS_InvalidNameStr + u" \"" + value + u"\"");
    }
    if (TComponent* owner = Owner())
      for (int i = 0; i < owner->ComponentCount(); ++i)
        if (auto* other = dynamic_cast<TRLCustomControl*>(owner->Components(i)))
          if (SameText(other->FFriendlyName, value))
            throw Exception(CurrentReportTexts.LS_DuplicateNameStr + u" \"" + value + u"\"");
    FFriendlyName = value;
  }
  AdjustBounds();
  Invalidate();
}

// ---- Bounds ------------------------------------------------------------------

void TRLCustomControl::AdjustBounds() {
  if (IsLoading() || FControlState.Contains(stAdjustingBounds)) return;
  StateGuard guard(*this, stAdjustingBounds);
  int w = Width(), h = Height();
  MeasureNaturalSize(w, h);
  if (IsDesigning()) {
    if (w == 0) w = 1;
    if (h == 0) h = 1;
  }
  int left = Left(), top = Top();
  switch (FAlignment) {
    case TRLTextAlignment::taRightJustify:
      left = Left() + Width() - w;
      break;
    case TRLTextAlignment::taCenter:
      if (w % 2 != 0) ++w;
      left = Left() + (Width() - w) / 2;
      break;
    default:
      break;
  }
  switch (FLayout) {
    case TRLTextLayout::tlBottom:
      top = Top() + Height() - h;
      break;
    case TRLTextLayout::tlCenter:
      if (h % 2 != 0) ++h;
      top = Top() + (Height() - h) / 2;
      break;
    default:
      break;
  }
  SetBounds(left, top, w, h);
}

void TRLCustomControl::MeasureNaturalSize(int& Width, int& Height) {
  Width = this->Width();
  Height = this->Height();
}

void TRLCustomControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  // Most controls have no window, no fixed size and no holders, and are no
  // site: their bounds are fields that only an enclosing site reads.
  if (FSizeFixed | FHeld | FHolding | FIsSite | FWindowMade) {
    SetWatchedBounds(ALeft, ATop, AWidth, AHeight);
    return;
  }
  const int oldLeft = Left(), oldTop = Top(), oldWidth = Width(), oldHeight = Height();
  const TRect old(oldLeft, oldTop, oldLeft + oldWidth, oldTop + oldHeight);
  FOldBoundsRect = old;
  const bool sized = AWidth != oldWidth || AHeight != oldHeight;
  if (!sized && ALeft == oldLeft && ATop == oldTop) return;
  SetBoundsFields(ALeft, ATop, AWidth, AHeight);
  if (sized) {
    Resize();
    // Its handler may have moved the control again.
    FOldBoundsRect = old;
  }
  if (FindParentSite()) {
    ExpandParentSite();
    if (FAlign != faNone || !FAnchors.Empty()) Realign();
  }
}

void TRLCustomControl::SetWatchedBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  const TRect old = BoundsRect();
  FOldBoundsRect = old;
  if (FSizeFixed) {
    AWidth = FFixedSize.X;
    AHeight = FFixedSize.Y;
  }
  if (FHeld) {
    if (FHolder) AdjustToHolder(FHolder, FHoldStyle, FHolderOffset, ALeft, ATop, AWidth, AHeight);
    if (FSecondHolder)
      AdjustToHolder(FSecondHolder, FSecondHoldStyle, FSecondHolderOffset, ALeft, ATop, AWidth, AHeight);
  }
  if (ALeft == old.Left && ATop == old.Top && AWidth == old.Width() && AHeight == old.Height()) {
    if (FIsSite) RealignControls();
    if (FHolding) AdjustHoldeds();
    return;
  }
  ApplyBounds(ALeft, ATop, AWidth, AHeight);
  FOldBoundsRect = old;
  // Outside every site there is nothing to grow or realign. A control the
  // site neither aligns nor anchors moves nothing else there when it
  // changes (a text following its caption, once per record); its site
  // still grows to it.
  if (FindParentSite()) {
    ExpandParentSite();
    if (FAlign != faNone || FIsSite || !FAnchors.Empty()) Realign();
  }
  if (FIsSite) RealignControls();
  if (FHolding) AdjustHoldeds();
}

void TRLCustomControl::ApplyBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  // A window, when the control has one, must follow; otherwise the bounds
  // are only fields, and the platform's own alignment does not apply.
  if (FWindowMade && HandleAllocated()) {
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    return;
  }
  bool sized = AWidth != Width() || AHeight != Height();
  UpdateBoundsRect(TRect(ALeft, ATop, ALeft + AWidth, ATop + AHeight));
  if (sized) Resize();
}

void TRLCustomControl::AdjustHoldeds() {
  if (FHoldeds.empty() || FControlState.Contains(stAdjustingHoldeds)) return;
  StateGuard guard(*this, stAdjustingHoldeds);
  for (TRLCustomControl* held : std::vector<TRLCustomControl*>(FHoldeds)) held->AdjustBounds();
}

void TRLCustomControl::Realign() {
  if (IsLoading()) return;
  if (TRLCustomSite* site = FindParentSite()) site->RealignControls();
}

void TRLCustomControl::ExpandParentSite() {
  if (IsLoading() || FControlState.Contains(stRestoringBounds) || FControlState.Contains(stExpandingParent)) return;
  StateGuard guard(*this, stExpandingParent);
  const int dW = Width() - FOldBoundsRect.Width();
  const int dH = Height() - FOldBoundsRect.Height();
  if (WidthFree.Contains(FAlign)) {
    TRLCustomSite* site = FindParentSite();
    while (site && !WidthFree.Contains(site->Align())) site = site->FindParentSite();
    if (site && site->AutoSizeDir().Contains(asWidthDir)) {
      if (site->AutoSize())
        site->AdjustBounds();
      else if (site->AutoExpand() && FBehavior.Contains(beSiteExpander))
        site->SetWidth(site->Width() + dW);
    }
  }
  if (HeightFree.Contains(FAlign)) {
    TRLCustomSite* site = FindParentSite();
    while (site && !HeightFree.Contains(site->Align())) site = site->FindParentSite();
    if (site && site->AutoSizeDir().Contains(asHeightDir)) {
      if (site->AutoSize())
        site->AdjustBounds();
      else if (site->AutoExpand() && FBehavior.Contains(beSiteExpander))
        site->SetHeight(site->Height() + dH);
    }
  }
}

void TRLCustomControl::PopBoundsRect() {
  StateGuard guard(*this, stRestoringBounds);
  SetBoundsRect(FPeekBoundsRect);
}

namespace {
template <typename Step>
void ForEachReportChild(TRLCustomControl* parent, Step step) {
  for (int i = 0; i < parent->ControlCount(); ++i)
    if (TRLCustomControl* rl = parent->ReportChild(i)) {
      step(rl);
      if (rl->AsSite()) ForEachReportChild(rl, step);
    }
}
}  // namespace

void TRLCustomControl::PushChildBounds() {
  ForEachReportChild(this, [](TRLCustomControl* c) { c->PushBoundsRect(); });
}

void TRLCustomControl::PopChildBounds() {
  ForEachReportChild(this, [](TRLCustomControl* c) { c->PopBoundsRect(); });
}

void TRLCustomControl::CreateWnd() {
  // Set first: a window's creation messages may already move it.
  FWindowMade = true;
  TCustomControl::CreateWnd();
}

// ---- Client rectangle --------------------------------------------------------

TRect TRLCustomControl::GetClientRect() {
  TRect r;
  GetPaintOriginRect(r);
  const int w = FBorders->Width();
  if (w >= 1) {
    if (FBorders->CanDrawLeft()) r.Left += w + 1;
    if (FBorders->CanDrawTop()) r.Top += w + 1;
    if (FBorders->CanDrawRight()) r.Right -= w + 1;
    if (FBorders->CanDrawBottom()) r.Bottom -= w + 1;
  }
  return r;
}

void TRLCustomControl::SetClientRect(const TRect& value) {
  TRect insets;
  GetBorderInsets(insets);
  SetBounds(value.Left - insets.Left, value.Top - insets.Top, value.Right + insets.Right - (value.Left - insets.Left),
            value.Bottom + insets.Bottom - (value.Top - insets.Top));
}

void TRLCustomControl::SetClientWidth(int value) { SetBounds(Left(), Top(), Width() - ClientWidth() + value, Height()); }

void TRLCustomControl::SetClientHeight(int value) {
  SetBounds(Left(), Top(), Width(), Height() - ClientHeight() + value);
}

void TRLCustomControl::GetBorderInsets(TRect& Rect) {
  Rect = TRect();
  const int w = FBorders->Width();
  if (FBorders->CanDrawLeft()) Rect.Left = w;
  if (FBorders->CanDrawTop()) Rect.Top = w;
  if (FBorders->CanDrawRight()) Rect.Right = w;
  if (FBorders->CanDrawBottom()) Rect.Bottom = w;
}

void TRLCustomControl::GetPrintInnerRect(TRect& Rect) {
  GetSiteRelativeBounds(Rect);
  const int w = FBorders->Width();
  if (w <= 0) return;
  if (FBorders->CanDrawLeft()) Rect.Left += w;
  if (FBorders->CanDrawTop()) Rect.Top += w;
  if (FBorders->CanDrawRight()) Rect.Right -= w;
  if (FBorders->CanDrawBottom()) Rect.Bottom -= w;
}

void TRLCustomControl::GetSiteRelativeBounds(TRect& Rect) {
  Rect = BoundsRect();
  TWinControl* site = FindParentSite();
  for (TWinControl* p = Parent(); p && p != site; p = p->Parent()) {
    Rect.Left += p->Left();
    Rect.Right += p->Left();
    Rect.Top += p->Top();
    Rect.Bottom += p->Top();
  }
}

void TRLCustomControl::GetPrintOriginRect(TRect& Rect) { Rect = TRect(0, 0, Width(), Height()); }

void TRLCustomControl::GetPaintOriginRect(TRect& Rect) { Rect = TRect(0, 0, Width(), Height()); }

// ---- Holders -----------------------------------------------------------------

bool TRLCustomControl::CanCopyWidth() const {
  return WidthFree.Contains(FAlign) && !(FAutoSizeDir.Contains(asWidthDir) && FAutoSize);
}

bool TRLCustomControl::CanCopyHeight() const {
  return HeightFree.Contains(FAlign) && !(FAutoSizeDir.Contains(asHeightDir) && FAutoSize);
}

void TRLCustomControl::SetHolder(TRLCustomControl* value) {
  if (value == FHolder) return;
  if (value == this) return;
  TRLCustomControl* old = FHolder;
  FHolder = value;
  HoldersChanged();
  if (old && old != FSecondHolder) DetachHolder(old);
  if (value) AttachHolder(value, FHolderOffset);
}

void TRLCustomControl::SetSecondHolder(TRLCustomControl* value) {
  if (value == FSecondHolder) return;
  if (value == this) return;
  TRLCustomControl* old = FSecondHolder;
  FSecondHolder = value;
  HoldersChanged();
  if (old && old != FHolder) DetachHolder(old);
  if (value) AttachHolder(value, FSecondHolderOffset);
}

void TRLCustomControl::SetHoldStyle(TRLHoldStyle value) {
  if (FHoldStyle == value) return;
  FHoldStyle = value;
  if (FHolder) AttachHolder(FHolder, FHolderOffset);
}

void TRLCustomControl::SetSecondHoldStyle(TRLHoldStyle value) {
  if (FSecondHoldStyle == value) return;
  FSecondHoldStyle = value;
  if (FSecondHolder) AttachHolder(FSecondHolder, FSecondHolderOffset);
}

void TRLCustomControl::AttachHolder(TRLCustomControl* holder, TPoint& offset) {
  if (holder == this) return;
  auto& list = holder->FHoldeds;
  if (std::find(list.begin(), list.end(), this) == list.end()) {
    list.push_back(this);
    holder->FHolding = true;
    holder->FreeNotification(this);
  }
  TPoint mine = AbsolutePosition(this), theirs = AbsolutePosition(holder);
  offset = TPoint(mine.X - theirs.X, mine.Y - theirs.Y);
  AdjustBounds();
}

void TRLCustomControl::DetachHolder(TRLCustomControl* holder) {
  auto& list = holder->FHoldeds;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  holder->FHolding = !list.empty();
  holder->RemoveFreeNotification(this);
}

void TRLCustomControl::AdjustToHolder(TRLCustomControl* holder, TRLHoldStyle style, TPoint offset, int& L, int& T,
                                      int& W, int& H) const {
  int dx = 0, dy = 0;
  if (FAlignment == TRLTextAlignment::taRightJustify)
    dx = holder->Width() - W;
  else if (FAlignment == TRLTextAlignment::taCenter)
    dx = (holder->Width() - W) / 2;
  if (FLayout == TRLTextLayout::tlCenter)
    dy = (holder->Height() - H) / 2;
  else if (FLayout == TRLTextLayout::tlBottom)
    dy = holder->Height() - H;
  const TPoint at = AbsolutePosition(holder);
  auto setAbsoluteLeft = [&](int x) { L = ParentRelativeLeft(this, x); };
  auto setAbsoluteTop = [&](int y) { T = ParentRelativeTop(this, y); };
  switch (style) {
    case hsAsColumn:
      setAbsoluteLeft(at.X + dx);
      if (CanCopyWidth()) W = holder->Width();
      break;
    case hsHorizontally:
      setAbsoluteLeft(at.X + offset.X + dx);
      break;
    case hsVertically:
      setAbsoluteTop(at.Y + offset.Y + dy);
      break;
    case hsRelatively:
      setAbsoluteLeft(at.X + offset.X + dx);
      setAbsoluteTop(at.Y + offset.Y + dy);
      break;
    case hsCopyWidth:
      if (CanCopyWidth()) W = holder->Width();
      break;
    case hsCopyHeight:
      if (CanCopyHeight()) H = holder->Height();
      break;
    case hsCopySize:
      if (CanCopyWidth()) W = holder->Width();
      if (CanCopyHeight()) H = holder->Height();
      break;
  }
}

void TRLCustomControl::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  FCreatedChildren.reset();
  if (AComponent == FHolder) FHolder = nullptr;
  if (AComponent == FSecondHolder) FSecondHolder = nullptr;
  HoldersChanged();
  FHoldeds.erase(std::remove(FHoldeds.begin(), FHoldeds.end(), AComponent), FHoldeds.end());
  FHolding = !FHoldeds.empty();
}

// ---- Measuring and deciding --------------------------------------------------

bool TRLCustomControl::IsMeasurable() const { return FAutoSize || FAutoExpand || static_cast<bool>(OnMeasureHeight); }

void TRLCustomControl::MeasureHeight() {
  if (!Visible() || !IsMeasurable() || IsLoading() || FControlState.Contains(stMeasuringHeights)) return;
  {
    StateGuard guard(*this, stMeasuringHeights);
    RefreshForMeasure();
    FireMeasureHeight();
  }
  AdjustBounds();
}

bool TRLCustomControl::DecidePrinting() {
  FCouldPrint = Visible();
  if (!FCouldPrint) return false;
  FireBeforePrint(FCouldPrint);
  if (!FCouldPrint) return false;
  String text = GetPrintableText();
  FireBeforeText(text, FCouldPrint);
  if (FCouldPrint)
    if (TRLCustomReport* report = FindParentReport())
      if (report->OnFilterText) report->OnFilterText(report, text, FCouldPrint);
  if (FCouldPrint) SetCaption(text);
  return FCouldPrint;
}

void TRLCustomControl::FireAfterPrint() {
  if (AfterPrint) AfterPrint(this);
}

void TRLCustomControl::FireBeforePrint(bool& PrintIt) {
  if (FBeforePrint) FBeforePrint(this, PrintIt);
}

void TRLCustomControl::FireBeforeText(String& Text, bool& PrintIt) {
  if (FBeforeText) FBeforeText(this, Text, PrintIt);
}

void TRLCustomControl::FireMeasureHeight() {
  if (OnMeasureHeight) OnMeasureHeight(this);
}

bool TRLCustomControl::IsPreparing() const {
  TRLCustomReport* report = FindParentReport();
  return report && (report->ReportState() == rsWriting || report->ReportState() == rsClosing);
}

// ---- Lookups -----------------------------------------------------------------

TRLCustomSite* TRLCustomControl::LookUpParentSite() const {
  TWinControl* parent = Parent();
  FSiteKeyParent = parent;
  FSiteCache = FindInChain(ReportAncestor(), [](TRLCustomControl* c) { return c->AsSite(); });
  FSiteIsParent = FSiteCache && FSiteCache == parent;
  return FSiteCache;
}
TRLCustomControl* TRLCustomControl::ReportAncestor() const {
  TWinControl* parent = Parent();
  if (parent != FReportParentKey) {
    FReportParentKey = parent;
    FReportParent = dynamic_cast<TRLCustomControl*>(parent);
  }
  if (FReportParent || !parent) return FReportParent;
  // A platform control in between is looked through.
  for (TWinControl* p = parent->Parent(); p; p = p->Parent())
    if (auto* found = dynamic_cast<TRLCustomControl*>(p)) return found;
  return nullptr;
}

TRLCustomBand* TRLCustomControl::FindParentBand() const {
  return FindInChain(ReportAncestor(), [](TRLCustomControl* c) { return c->AsBand(); });
}

void TRLCustomControl::LookUpChain() const {
  FChain = TChain();
  FChainVersion = 0;
  FChainParent = nullptr;
  TChain found;
  auto* c = const_cast<TRLCustomControl*>(this);
  for (;;) {
    if (!found.Skipper) found.Skipper = c->AsSkipper();
    if (!found.Pager && c != this) found.Pager = c->AsPager();
    if ((found.Report = c->AsReport())) break;
    TRLCustomControl* up = c->ReportAncestor();
    if (!up || up != c->Parent()) return;
    c = up;
  }
  if (!found.Pager || !found.Skipper) return;
  FChain = found;
  FChainVersion = ParentLinksVersion;
  FChainParent = Parent();
}

TRLCustomPager* TRLCustomControl::FindParentPager() const {
  if (TRLCustomPager* pager = Chain().Pager) return pager;
  return FindInChain(ReportAncestor(), [](TRLCustomControl* c) { return c->AsPager(); });
}

TRLCustomGroup* TRLCustomControl::FindParentGroup() const {
  for (TRLCustomControl* c = ReportAncestor(); c; c = c->ReportAncestor()) {
    if (auto* group = c->AsGroup()) return group;
    // A group beyond another pager is not this control's group.
    if (c->AsPager()) return nullptr;
  }
  return nullptr;
}

TRLCustomSkipper* TRLCustomControl::FindParentSkipper() const {
  if (TRLCustomSkipper* skipper = Chain().Skipper) return skipper;
  return FindInChain(const_cast<TRLCustomControl*>(this), [](TRLCustomControl* c) { return c->AsSkipper(); });
}

TRLCustomReport* TRLCustomControl::FindParentReport() const {
  if (TRLCustomReport* report = Chain().Report) return report;
  return FindInChain(const_cast<TRLCustomControl*>(this), [](TRLCustomControl* c) { return c->AsReport(); });
}

TRLGraphicSurface* TRLCustomControl::FindParentSurface() {
  TRLCustomSite* site = FindParentSite();
  return site ? site->Surface() : nullptr;
}

String TRLCustomControl::NotFoundText(const char16_t* what) const {
  // Raised through the system's ANSI code page, as every library error is.
  return ReportText(CurrentReportTexts.LS_NotFoundStr + u": " + Name() + what);
}

TRLCustomPager* TRLCustomControl::RequestParentPager() const {
  if (TRLCustomPager* pager = FindParentPager()) return pager;
  throw Exception(NotFoundText(u".ParentPager"));
}

TRLCustomSkipper* TRLCustomControl::RequestParentSkipper() const {
  if (TRLCustomSkipper* skipper = FindParentSkipper()) return skipper;
  throw Exception(NotFoundText(u".ParentSkipper"));
}

TRLCustomReport* TRLCustomControl::RequestParentReport() const {
  if (TRLCustomReport* report = FindParentReport()) return report;
  throw Exception(NotFoundText(u".ParentReport"));
}

TRLGraphicSurface* TRLCustomControl::RequestParentSurface() {
  if (TRLGraphicSurface* surface = FindParentSurface()) return surface;
  throw Exception(NotFoundText(u".ParentSurface"));
}

TRLCustomReport* TRLCustomControl::MasterReport() const {
  TRLCustomReport* report = FindParentReport();
  // A chain is walked once; a ring of reports stops where it began.
  for (TRLCustomReport* start = report; report && report->PriorReport() && report->PriorReport() != start;)
    report = report->PriorReport();
  return report;
}

TRLCustomReport* TRLCustomControl::LastReport() const {
  TRLCustomReport* report = FindParentReport();
  for (TRLCustomReport* start = report; report && report->NextReport() && report->NextReport() != start;)
    report = report->NextReport();
  return report;
}

// ---- Printing ----------------------------------------------------------------

void TRLCustomControl::Print() {
  StateGuard guard(*this, stPrinting);
  EmitToSurface();
}

TRLCustomControl* TRLCustomControl::ReportChild(int index) {
  if (TRLCustomSite* site = AsSite()) return site->ReportChildAt(index);
  return dynamic_cast<TRLCustomControl*>(UnwrapControl(Controls(index)));
}

TRLCustomControl::TCreatedChildren TRLCustomControl::ChildrenByCreation() {
  if (FCreatedChildren) return FCreatedChildren;
  struct TIndexed {
    int Index;
    TCreatedChild Child;
  };
  std::vector<TIndexed> indexed;
  indexed.reserve(ControlCount());
  TComponent* lastOwner = nullptr;
  int lastIndex = -1;
  // The order is kept only when this control hears of every change of it:
  // the children share its owner, whose components only go (which it
  // hears) or are appended.
  bool keep = Owner() != nullptr;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* child = Controls(i);
    int index = -1;
    keep = keep && child->Owner() == Owner();
    if (TComponent* owner = child->Owner()) {
      // Children mostly sit in the order they were made: the search starts
      // after the one found last.
      const int count = owner->ComponentCount();
      const int from = owner == lastOwner ? lastIndex + 1 : 0;
      for (int n = 0; n < count; ++n) {
        const int k = (from + n) % count;
        if (owner->Components(k) == child) {
          index = k;
          break;
        }
      }
      lastOwner = owner;
      lastIndex = index;
    }
    indexed.push_back({index, {child, ReportChild(i)}});
  }
  std::stable_sort(indexed.begin(), indexed.end(), [](auto& a, auto& b) { return a.Index < b.Index; });
  auto children = std::make_shared<std::vector<TCreatedChild>>();
  children->reserve(indexed.size());
  for (auto& entry : indexed) children->push_back(entry.Child);
  if (keep) FCreatedChildren = children;
  return children;
}

void TRLCustomControl::PrepareChildren() {
  if (!Enabled()) return;
  const TCreatedChildren children = ChildrenByCreation();
  for (const TCreatedChild& child : *children) {
    TRLCustomControl* control = child.Report;
    if (!control || control->AsSite()) continue;
    if (control->DecidePrinting()) {
      control->AdjustBounds();
      control->PrepareChildren();
    }
  }
}

void TRLCustomControl::PrintChildren() {
  if (!Enabled()) return;
  const TCreatedChildren children = ChildrenByCreation();
  for (const TCreatedChild& child : *children) {
    if (TRLCustomControl* control = child.Report) {
      if (control->AsSite() || !control->FCouldPrint) continue;
      control->Print();
      control->FireAfterPrint();
    } else if (child.Control->Visible()) {
      PrintControlPicture(child.Control);
    }
  }
}

void TRLCustomControl::Paint() {
  TCanvas* canvas = Canvas();
  TRect r;
  GetPaintOriginRect(r);
  canvas->Brush()->SetColor(Color());
  canvas->Brush()->SetStyle(bsSolid);
  canvas->FillRect(r);
  FBorders->PaintTo(*canvas, r);
}

void TRLCustomControl::EmitToSurface() {
  TRect rect;
  GetSiteRelativeBounds(rect);
  TRLGraphicSurface* surface = RequestParentSurface();
  surface->SetGeneratorId(FControlId);
  NewGroupId();
  if (!FTransparent) {
    surface->Brush()->SetColor(Color());
    surface->Brush()->SetStyle(bsSolid);
    surface->FillRect(rect);
  }
  FBorders->PaintTo(*surface, rect);
}

void TRLCustomControl::PrintControlPicture(TControl* control) {
  TRLCustomSite* site = nullptr;
  TPoint at(control->Left(), control->Top());
  for (TWinControl* p = control->Parent(); p; p = p->Parent()) {
    if ((site = dynamic_cast<TRLCustomSite*>(p))) break;
    at = TPoint(at.X + p->Left(), at.Y + p->Top());
  }
  if (!site || !site->Surface()) throw Exception(NotFoundText(u".ParentSurface"));
  TRLBitmap picture;
  try {
    picture.SetPixelFormat(pf32bit);
    picture.SetSize(control->Width(), control->Height());
    HDC dc = picture.Canvas()->Handle();
    if (auto* windowed = dynamic_cast<TWinControl*>(control))
      windowed->PaintTo(dc, 0, 0);
    else
      control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  } catch (const Exception&) {
    return;  // no picture, nothing drawn
  }
  site->Surface()->Draw(at.X, at.Y, &picture);
}
