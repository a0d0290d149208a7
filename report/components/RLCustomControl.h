#pragma once
// The base of every report control. It sits on a report form that is never
// shown: its bounds are plain fields, it follows its text (auto size), its
// alignment and its holders, grows its site, decides whether it prints on a
// record and records its frame into the surface of the enclosing site.
#include "platform/ui/Controls.h"
#include "report/components/RLBorders.h"
#include "report/components/RLRealBounds.h"
#include "report/components/RLTypes.h"
#include <functional>
#include <memory>
#include <vector>

class TRLCustomSite;
class TRLCustomBand;
class TRLCustomPager;
class TRLCustomGroup;
class TRLCustomSkipper;
class TRLCustomReport;
class TRLCustomDBText;
class TRLGraphicSurface;
class Variant;

using TRLAfterPrintEvent = std::function<void(TObject* Sender)>;
using TRLBeforePrintEvent = std::function<void(TObject* Sender, bool& PrintIt)>;
using TRLBeforeTextEvent = std::function<void(TObject* Sender, String& Text, bool& PrintIt)>;

class TRLCustomControl : public TCustomControl {
public:
  explicit TRLCustomControl(TComponent* AOwner);
  ~TRLCustomControl() override;

  // ---- Layout properties
  TRLControlAlign Align() const { return FAlign; }
  void SetAlign(TRLControlAlign value);
  TRLTextAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TRLTextAlignment value);
  TRLTextLayout Layout() const { return FLayout; }
  void SetLayout(TRLTextLayout value);
  TRLControlAnchors Anchors() const { return FAnchors; }
  void SetAnchors(TRLControlAnchors value);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value);
  TRLAutoSizeDirSet AutoSizeDir() const { return FAutoSizeDir; }
  void SetAutoSizeDir(TRLAutoSizeDirSet value) { FAutoSizeDir = value; }
  bool AutoExpand() const { return FAutoExpand; }
  void SetAutoExpand(bool value);
  bool AutoTrunc() const { return FAutoTrunc; }
  void SetAutoTrunc(bool value);
  TRLControlBehavior Behavior() const { return FBehavior; }
  void SetBehavior(TRLControlBehavior value) { FBehavior = value; }
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool value);

  // ---- Holders: controls whose position or size this one follows
  TRLCustomControl* Holder() const { return FHolder; }
  void SetHolder(TRLCustomControl* value);
  TRLHoldStyle HoldStyle() const { return FHoldStyle; }
  void SetHoldStyle(TRLHoldStyle value);
  TPoint HolderOffset() const { return FHolderOffset; }
  void SetHolderOffset(TPoint value) { FHolderOffset = value; }
  TRLCustomControl* SecondHolder() const { return FSecondHolder; }
  void SetSecondHolder(TRLCustomControl* value);
  TRLHoldStyle SecondHoldStyle() const { return FSecondHoldStyle; }
  void SetSecondHoldStyle(TRLHoldStyle value);
  TPoint SecondHolderOffset() const { return FSecondHolderOffset; }
  void SetSecondHolderOffset(TPoint value) { FSecondHolderOffset = value; }
  // The controls that name this one as a holder.
  const std::vector<TRLCustomControl*>& Holdeds() const { return FHoldeds; }
  // Whether a holder may give its width (height): the alignment leaves
  // it free and the control does not size itself in that direction.
  bool CanCopyWidth() const;
  bool CanCopyHeight() const;

  // ---- Texts
  // The caption of the report being prepared while it prepares, else the
  // stored one.
  String Caption() const;
  void SetCaption(const String& value);
  const String& FriendlyName() const { return FFriendlyName; }
  // Raises on a name another report control of the owner uses, in any case,
  // and on an invalid identifier.
  void SetFriendlyName(const String& value);
  String GetDisplayName() const;
  void RefreshCaption();
  String GetPrintableText();

  // ---- Sub-objects
  TRLBorders* Borders() const { return FBorders.get(); }
  void SetBorders(const TRLBorders* value) { FBorders->Assign(*value); }
  TRLRealBounds* RealBounds() const { return FRealBounds.get(); }
  void SetRealBounds(const TRLRealBounds* value) { FRealBounds->Assign(*value); }

  // ---- State
  TRLControlState ControlState() const { return FControlState; }
  TRect OldBoundsRect() const { return FOldBoundsRect; }
  TRect PeekBoundsRect() const { return FPeekBoundsRect; }
  bool CouldPrint() const { return FCouldPrint; }
  // Tells the objects this control records from those of others (a
  // surface's generator id is 32 bits, too small for an address).
  int32_t ControlId() const { return FControlId; }
  // Size forced on every SetBounds while SizeFixed is set.
  TPoint FixedSize() const { return FFixedSize; }
  void SetFixedSize(TPoint value) { FFixedSize = value; }
  bool SizeFixed() const { return FSizeFixed; }
  void SetSizeFixed(bool value) { FSizeFixed = value; }

  // ---- Bounds
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void AdjustBounds();
  void Realign();
  void PushBoundsRect() { FPeekBoundsRect = BoundsRect(); }
  // Restores the pushed bounds without growing the enclosing site.
  void PopBoundsRect();
  void PushChildBounds();
  void PopChildBounds();
  virtual void SetClientRect(const TRect& value);
  // The client rectangle keeps its other dimension.
  void SetClientWidth(int value);
  void SetClientHeight(int value);
  bool IsMeasurable() const;
  void MeasureHeight();

  // ---- Printing
  void Print();
  void PrepareChildren();
  void PrintChildren();
  bool IsPreparing() const;

  // ---- Lookups
  // Looked up on every bounds change: the answer is kept for as long as it
  // cannot change behind our back (the parent is that site, or a top-level
  // window).
  TRLCustomSite* FindParentSite() const {
    TWinControl* parent = Parent();
    if (!parent) return nullptr;
    if (parent == FSiteKeyParent && (FSiteIsParent || !parent->Parent())) return FSiteCache;
    return LookUpParentSite();
  }
  TRLCustomBand* FindParentBand() const;
  TRLCustomPager* FindParentPager() const;
  TRLCustomGroup* FindParentGroup() const;
  TRLCustomSkipper* FindParentSkipper() const;
  TRLCustomReport* FindParentReport() const;
  // Child number `index` as a report control, or nullptr.
  TRLCustomControl* ReportChild(int index);
  // The nearest ancestor that is a report control, or nullptr.
  TRLCustomControl* ReportAncestor() const;
  TRLCustomPager* RequestParentPager() const;
  TRLCustomSkipper* RequestParentSkipper() const;
  TRLCustomReport* RequestParentReport() const;
  TRLGraphicSurface* RequestParentSurface();
  // The first report of the chain this control's report belongs to, and
  // the last one.
  TRLCustomReport* MasterReport() const;
  TRLCustomReport* LastReport() const;

  // ---- Events
  TRLAfterPrintEvent AfterPrint;
  TNotifyEvent OnMeasureHeight;
  void SetBeforePrintEvent(TRLBeforePrintEvent value) { FBeforePrint = std::move(value); }
  void SetBeforeTextEvent(TRLBeforeTextEvent value) { FBeforeText = std::move(value); }

  // ---- Overridable steps
  virtual bool DecidePrinting();
  virtual void MeasureNaturalSize(int& Width, int& Height);
  virtual void GetBorderInsets(TRect& Rect);
  virtual void GetPrintInnerRect(TRect& Rect);
  virtual void GetSiteRelativeBounds(TRect& Rect);
  virtual void GetPrintOriginRect(TRect& Rect);
  virtual void GetPaintOriginRect(TRect& Rect);
  virtual void BuildCaptionText(String& Text);
  virtual void Initialize() {}
  virtual void ComputeDetail(TRLCustomControl* ACaller) { (void)ACaller; }
  virtual void EmitToSurface();
  virtual void RefreshForMeasure() { RefreshCaption(); }
  virtual void RealignControls() {}
  virtual TRLGraphicSurface* FindParentSurface();
  // What a formula reads and writes as the control or one of its
  // attributes: the caption, whatever the name; nothing is written.
  virtual void GetAttribute(const String& Name, Variant& Value);
  virtual bool SetAttribute(const String& Name, const Variant& Value);
  // Where the control goes among the children of one alignment kind:
  // plain controls first, bands by type, groups, then the rest; bands of
  // one type by their group index.
  virtual int AlignSortKey() const { return 0; }
  virtual int AlignGroupIndex() const { return 0; }

  // ---- Kinds: the control as each of the report's classes, or nullptr.
  // Lookups ask these on every caption and bounds change; a type test costs
  // far more, as the loader's type names are compared as strings.
  virtual TRLCustomSite* AsSite() { return nullptr; }
  virtual TRLCustomBand* AsBand() { return nullptr; }
  virtual TRLCustomPager* AsPager() { return nullptr; }
  virtual TRLCustomGroup* AsGroup() { return nullptr; }
  virtual TRLCustomSkipper* AsSkipper() { return nullptr; }
  virtual TRLCustomReport* AsReport() { return nullptr; }
  virtual TRLCustomDBText* AsDBText() { return nullptr; }

  void SetParent(TWinControl* AParent) override;
  void SetName(const String& value) override;
  void WndProc(TMessage& Message) override;

protected:
  TRect GetClientRect() override;
  void CreateWnd() override;
  String GetText() const override { return Caption(); }
  // Report controls are laid out by their sites, not by the platform.
  void RequestAlign() override {}
  void Paint() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  // Caption() without the copy, valid until the caption or name changes.
  const String& CaptionRef() const;

  bool IsLoading() const { return (ComponentState() & csLoading) != 0; }
  bool IsDesigning() const { return (ComponentState() & csDesigning) != 0; }
  // Sets the flag for the life of the guard, clearing it on every way out.
  class StateGuard {
  public:
    StateGuard(TRLCustomControl& control, TRLControlStateItem flag) : FControl(control), FFlag(flag) {
      FControl.FControlState.Include(flag);
    }
    ~StateGuard() { FControl.FControlState.Exclude(FFlag); }
    StateGuard(const StateGuard&) = delete;
    StateGuard& operator=(const StateGuard&) = delete;

  private:
    TRLCustomControl& FControl;
    TRLControlStateItem FFlag;
  };

  void FireAfterPrint();
  void FireBeforePrint(bool& PrintIt);
  void FireBeforeText(String& Text, bool& PrintIt);
  void FireMeasureHeight();
  // The children in creation order (their index among the owner's
  // components), each with itself as a report control or nullptr.
  struct TCreatedChild {
    TControl* Control;
    TRLCustomControl* Report;
  };
  using TCreatedChildren = std::shared_ptr<const std::vector<TCreatedChild>>;
  // Kept until a child comes or goes or a component of the owner goes; the
  // list handed out stays whole while a child's events change the children.
  TCreatedChildren ChildrenByCreation();
  // Draws a platform control that is not a report control into the
  // surface of the enclosing site, as a picture of itself.
  void PrintControlPicture(TControl* control);

  bool FCouldPrint = false;

private:
  friend class TRLCustomSite;
  // SetBounds for a control with a window, a fixed size, holders or children.
  void SetWatchedBounds(int ALeft, int ATop, int AWidth, int AHeight);
  void ApplyBounds(int ALeft, int ATop, int AWidth, int AHeight);
  void AdjustHoldeds();
  void ExpandParentSite();
  void AdjustToHolder(TRLCustomControl* holder, TRLHoldStyle style, TPoint offset, int& L, int& T, int& W,
                      int& H) const;
  void AttachHolder(TRLCustomControl* holder, TPoint& offset);
  void DetachHolder(TRLCustomControl* holder);
  String NotFoundText(const char16_t* what) const;
  TRLCustomSite* LookUpParentSite() const;

  // The parent as a report control, kept for as long as the parent is the
  // same (see ReportAncestor).
  mutable TWinControl* FReportParentKey = nullptr;
  mutable TRLCustomControl* FReportParent = nullptr;

  // The nearest report, pager and skipper, asked several times per record
  // by every text. They are kept while no report control anywhere has
  // changed its parent or gone (see ParentLinksChanged), and only when the
  // chain up to the report holds report controls alone: a platform control
  // in between changes its parent unheard.
  struct TChain {
    TRLCustomReport* Report = nullptr;
    TRLCustomPager* Pager = nullptr;
    TRLCustomSkipper* Skipper = nullptr;
  };
  const TChain& Chain() const {
    if (FChainVersion != ParentLinksVersion || FChainParent != Parent()) LookUpChain();
    return FChain;
  }
  void LookUpChain() const;
  static void ParentLinksChanged() { ++ParentLinksVersion; }
  static inline uint64_t ParentLinksVersion = 1;
  TCreatedChildren FCreatedChildren;
  mutable TChain FChain;
  mutable uint64_t FChainVersion = 0;
  mutable TWinControl* FChainParent = nullptr;

  TRLControlBehavior FBehavior;
  TPoint FFixedSize;

  String FPreparingCaption;
  mutable String FDesignCaption;
  bool FAutoSize = false;
  TRLAutoSizeDirSet FAutoSizeDir;
  bool FAutoExpand = false;
  bool FAutoTrunc = false;
  TRLControlAnchors FAnchors;
  std::unique_ptr<TRLBorders> FBorders;
  TRLHoldStyle FHoldStyle = hsAsColumn;
  TPoint FHolderOffset;
  TRLHoldStyle FSecondHoldStyle = hsAsColumn;
  TPoint FSecondHolderOffset;
  TRect FPeekBoundsRect;
  std::unique_ptr<TRLRealBounds> FRealBounds;
  String FCaption;
  bool FTransparent = true;
  String FFriendlyName;
  int32_t FControlId;

protected:
  TRLBeforePrintEvent FBeforePrint;
  TRLBeforeTextEvent FBeforeText;

private:
  // The controls that name this one as a holder (FHolding tells whether
  // there are any), and those it follows (FHeld tells whether it does).
  std::vector<TRLCustomControl*> FHoldeds;
  TRLCustomControl* FHolder = nullptr;
  TRLCustomControl* FSecondHolder = nullptr;
  void HoldersChanged() { FHeld = FHolder || FSecondHolder; }

protected:
  // What every bounds change reads starts a cache line and leaves room in
  // it for the first fields of the control's class (what it measures): a
  // layout of many controls is bound by the cache lines it touches.
  alignas(64) TRLControlState FControlState;

private:
  TRLControlAlign FAlign = faNone;
  TRLTextAlignment FAlignment = TRLTextAlignment::taLeftJustify;
  TRLTextLayout FLayout = TRLTextLayout::tlTop;
  bool FSizeFixed = false;
  // Set by a site for its life: the layout asks it of every child, and
  // only a site lays children out when its bounds change.
  bool FIsSite = false;
  // The nearest site, found for FSiteKeyParent (see FindParentSite).
  mutable bool FSiteIsParent = false;
  // Whether a window may exist: asking the handle itself reads a cache
  // line that a bounds change touches for nothing else.
  bool FWindowMade = false;
  bool FHolding = false;
  bool FHeld = false;
  TRect FOldBoundsRect;
  mutable TWinControl* FSiteKeyParent = nullptr;
  mutable TRLCustomSite* FSiteCache = nullptr;
};

