#pragma once
// A report control that holds other controls and a recorded surface of its
// own. It lays its children out in the 27 alignment kinds, lets them draw
// into its surface while it is open, and on closing draws its background,
// borders and surface into the surface of the site that encloses it.
#include "report/components/RLBackground.h"
#include "report/components/RLCustomControl.h"
#include "report/components/RLDegradeEffect.h"
#include "report/components/RLMargins.h"

using TRLDrawEvent = std::function<void(TObject* Sender, TRLGraphicSurface* Surface, TRect Rect)>;

class TRLCustomSite : public TRLCustomControl {
public:
  explicit TRLCustomSite(TComponent* AOwner);
  ~TRLCustomSite() override;
  TRLCustomSite* AsSite() override { return this; }

  TRLBackground* Background() const { return FBackground.get(); }
  // The setters copy the values: the caller keeps its object.
  void SetBackground(const TRLBackground* value);
  TRLDegradeEffect* Degrade() const { return FDegrade.get(); }
  void SetDegrade(const TRLDegradeEffect* value);
  TRLMargins* InsideMargins() const { return FInsideMargins.get(); }
  void SetInsideMargins(const TRLMargins* value);
  TRLMargins* Margins() const { return FMargins.get(); }
  void SetMargins(const TRLMargins* value);
  TRLGraphicSurface* Surface() const { return FSurface.get(); }
  TPoint PrintPosition() const { return FPrintPosition; }
  TPoint PrintSize() const { return FPrintSize; }

  TRLDrawEvent OnDraw;
  void SetBeforePrint(TRLBeforePrintEvent value) { SetBeforePrintEvent(std::move(value)); }

  void OpenSurface();
  void CloseSurface();

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void WndProc(TMessage& Message) override;
  void SetClientRect(const TRect& value) override;
  void RealignControls() override;
  void Initialize() override;
  void ComputeDetail(TRLCustomControl* ACaller) override;
  bool DecidePrinting() override;
  void MeasureNaturalSize(int& Width, int& Height) override;
  void GetBorderInsets(TRect& Rect) override;
  void GetPrintInnerRect(TRect& Rect) override;
  void GetSiteRelativeBounds(TRect& Rect) override;
  void GetPrintOriginRect(TRect& Rect) override;
  void EmitToSurface() override;
  void RefreshForMeasure() override;
  int AlignSortKey() const override { return 100; }

  // The margins in pixels, one value per side.
  virtual void GetMarginPixels(TRect& Rect);
  // Pixels of the border on each side: Borders.Width where it is drawn.
  TRect BorderWidths() const;
  // The chain from a rectangle at (0, 0): less the margins gives the border
  // rectangle, less the border widths the inner one, less the inside
  // margins the client one.
  TRect BorderRectOf(const TRect& outer);
  TRect ClientRectOf(const TRect& outer);
  // The print position plus that of every enclosing site.
  TPoint AbsolutePrintPosition() const;


protected:
  TRect GetClientRect() override;
  // The platform's own alignment is not used.
  void AlignControls(TControl* AControl, TRect& Rect) override {
    (void)AControl;
    (void)Rect;
  }

  void SetPrintPosition(TPoint value) { FPrintPosition = value; }
  void SetPrintSize(TPoint value) { FPrintSize = value; }

  virtual void PrepareSurfaceOpen() {}
  virtual void FillOpenedSurface();
  virtual void RegisterOpenedSurface() {}
  virtual void FinishSurfaceContents() {}
  virtual void SettleClosedSurface() {}
  virtual void TrimSurfaceHeight() {}
  virtual void ComputePrintPlacement();
  virtual void DeliverSurface();
  virtual void PaintSiteBackground(TRLGraphicSurface& Surface, const TRect& Rect);

private:
  friend class TRLCustomControl;
  // A child as the layout sees it, its class asked once: a type test costs
  // more than placing the child.
  struct TChildEntry {
    TControl* Control = nullptr;
    TRLCustomControl* Report = nullptr;  // none for a platform control
    // What the latest layout left: where the child is, and what decided it.
    TRect Bounds;
    int Key = 0;
    int GroupIndex = 0;
    TRLControlAlign Kind = faNone;
    bool Visible = false;
  };
  // The child at index (frames unwrapped) as a report control, or none.
  TRLCustomControl* ReportChildAt(int index);
  // Brings the record of the children up to date at once, for the passes
  // of a layout to read it in place.
  void SyncChildren();
  // A new child in a slot: nothing of the last layout holds for it.
  void RecordChild(TChildEntry& entry, TControl* control);
  void ForgetChildren() {
    FChildren.clear();
    FLaidOut = false;
  }
  // A child in the list of its alignment kind, with what the order asks.
  struct TAlignEntry {
    TControl* Control;
    TRLCustomControl* Report;
    int Key;
    int GroupIndex;  // 0 but for bands
    int Left;
    int Top;
    int Order;  // the position that orders the kind, smaller first
  };
  // Lays the visible children out inside R (the 27 kinds), the record of
  // the children being in sync (see SyncChildren).
  void AlignControlsIn(TRect R);
  void AnchorChildren(const std::vector<TAlignEntry>& entries);
  // Whether a layout now would leave every child where it is: no visible
  // child is aligned, none is a site, and the size is the last layout's.
  bool LayoutWouldMoveNothing();
  // A layout is a fixed point: laid out again from where the latest one
  // left every child, in the same area, nothing moves. RememberLayout
  // notes what decided it; LayoutIsCurrent tells that nothing of it has
  // changed since.
  void RememberLayout(const TRect& R);
  bool LayoutIsCurrent(const TRect& R);

  std::vector<TChildEntry> FChildren;
  // The lists of the latest layout, kept for their capacity.
  std::vector<std::vector<TAlignEntry>> FAlignLists;

private:
  std::unique_ptr<TRLBackground> FBackground;
  std::unique_ptr<TRLDegradeEffect> FDegrade;
  std::unique_ptr<TRLMargins> FInsideMargins;
  std::unique_ptr<TRLMargins> FMargins;
  std::unique_ptr<TRLGraphicSurface> FSurface;
  TPoint FPrintPosition;
  TPoint FPrintSize;
  // The site's size at its latest layout, from which anchors move.
  TPoint FAlignedSize;
  bool FAligned = false;
  bool FLaidOut = false;
  bool FLaidOutDesigning = false;
  TRect FLaidOutArea;
  TPoint FLaidOutSize;
};

// Millimetres to pixels of the 96-dpi layout space.
int MMToPixels(double mm);
