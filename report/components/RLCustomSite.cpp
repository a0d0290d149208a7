#include "report/components/RLCustomSite.h"
#include "report/components/RLControlUtils.h"
#include "report/components/RLSiteKinds.h"
#include <algorithm>
#include <cmath>

int MMToPixels(double mm) { return static_cast<int>(std::nearbyint(mm * 96 / 25.4)); }


void TRLCustomSite::SetBackground(const TRLBackground* value) {
  FBackground->Assign(*value);
  Invalidate();
}

void TRLCustomSite::SetDegrade(const TRLDegradeEffect* value) {
  FDegrade->Assign(*value);
  Invalidate();
}

void TRLCustomSite::SetInsideMargins(const TRLMargins* value) {
  FInsideMargins->Assign(*value);
  Invalidate();
}

void TRLCustomSite::SetMargins(const TRLMargins* value) {
  FMargins->Assign(*value);
  Invalidate();
}

void TRLCustomSite::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TRLCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  FPrintSize = TPoint(Width(), Height());
}

// ---- Rectangles ----------------------------------------------------------------

void TRLCustomSite::GetMarginPixels(TRect& Rect) {
  Rect = TRect(MMToPixels(FMargins->LeftMargin()), MMToPixels(FMargins->TopMargin()),
               MMToPixels(FMargins->RightMargin()), MMToPixels(FMargins->BottomMargin()));
}

TRect TRLCustomSite::BorderWidths() const {
  const TRLBorders& b = *Borders();
  const int w = b.Width();
  if (w <= 0) return TRect();
  return TRect(b.CanDrawLeft() ? w : 0, b.CanDrawTop() ? w : 0, b.CanDrawRight() ? w : 0, b.CanDrawBottom() ? w : 0);
}

TRect TRLCustomSite::BorderRectOf(const TRect& outer) {
  TRect m;
  GetMarginPixels(m);
  return TRect(outer.Left + m.Left, outer.Top + m.Top, outer.Right - m.Right, outer.Bottom - m.Bottom);
}

TRect TRLCustomSite::ClientRectOf(const TRect& outer) {
  TRect r = BorderRectOf(outer);
  TRect b = BorderWidths();
  const TRLMargins& in = *FInsideMargins;
  return TRect(r.Left + b.Left + MMToPixels(in.LeftMargin()), r.Top + b.Top + MMToPixels(in.TopMargin()),
               r.Right - b.Right - MMToPixels(in.RightMargin()), r.Bottom - b.Bottom - MMToPixels(in.BottomMargin()));
}

TRect TRLCustomSite::GetClientRect() { return ClientRectOf(TRect(0, 0, Width(), Height())); }

void TRLCustomSite::GetPrintOriginRect(TRect& Rect) { Rect = TRect(0, 0, FPrintSize.X, FPrintSize.Y); }

void TRLCustomSite::GetPrintInnerRect(TRect& Rect) {
  TRect origin;
  GetPrintOriginRect(origin);
  Rect = ClientRectOf(origin);
}

void TRLCustomSite::GetSiteRelativeBounds(TRect& Rect) {
  Rect = TRect(FPrintPosition.X, FPrintPosition.Y, FPrintPosition.X + FPrintSize.X, FPrintPosition.Y + FPrintSize.Y);
}

void TRLCustomSite::GetBorderInsets(TRect& Rect) {
  TRect origin, client;
  GetPrintOriginRect(origin);
  GetPrintInnerRect(client);
  Rect = TRect(client.Left - origin.Left, client.Top - origin.Top, origin.Right - client.Right,
               origin.Bottom - client.Bottom);
}

void TRLCustomSite::SetClientRect(const TRect& value) {
  TRect insets;
  GetBorderInsets(insets);
  const int left = value.Left - insets.Left, top = value.Top - insets.Top;
  SetBounds(left, top, value.Right + insets.Right - left, value.Bottom + insets.Bottom - top);
}

TPoint TRLCustomSite::AbsolutePrintPosition() const {
  TPoint p = FPrintPosition;
  if (TRLCustomSite* site = FindParentSite()) {
    TPoint outer = site->AbsolutePrintPosition();
    p = TPoint(p.X + outer.X, p.Y + outer.Y);
  }
  return p;
}

// ---- Children ----------------------------------------------------------------

void TRLCustomSite::WndProc(TMessage& Message) {
  TRLCustomControl::WndProc(Message);
  // A child came or went: a new one may take the place of one gone.
  if (Message.Msg == CM_CONTROLCHANGE) ForgetChildren();
}

TRLCustomControl* TRLCustomSite::ReportChildAt(int index) {
  TControl* control = UnwrapControl(Controls(index));
  const auto at = static_cast<size_t>(index);
  if (at >= FChildren.size()) FChildren.resize(static_cast<size_t>(ControlCount()));
  TChildEntry& entry = FChildren[at];
  if (entry.Control != control) RecordChild(entry, control);
  return entry.Report;
}

void TRLCustomSite::SyncChildren() {
  const auto count = static_cast<size_t>(ControlCount());
  if (FChildren.size() != count) {
    FChildren.resize(count);
    FLaidOut = false;
  }
  for (size_t i = 0; i < count; ++i) {
    TControl* control = UnwrapControl(Controls(static_cast<int>(i)));
    TChildEntry& entry = FChildren[i];
    if (entry.Control != control) RecordChild(entry, control);
  }
}

void TRLCustomSite::RecordChild(TChildEntry& entry, TControl* control) {
  entry = TChildEntry();
  entry.Control = control;
  entry.Report = dynamic_cast<TRLCustomControl*>(control);
  FLaidOut = false;
}

bool TRLCustomSite::LayoutWouldMoveNothing() {
  // Anchors follow a change of this site's size since its last layout.
  if (!FAligned || FAlignedSize.X != Width() || FAlignedSize.Y != Height()) return false;
  const bool designing = IsDesigning();
  for (const TChildEntry& entry : FChildren) {
    TRLCustomControl* rl = entry.Report;
    // A child site lays out its own children again.
    if (rl && rl->FIsSite) return false;
    TControl* c = entry.Control;
    if (!c->Visible() && !designing) continue;
    if ((rl ? rl->Align() : AlignOf(c)) != faNone) return false;
  }
  return true;
}

void TRLCustomSite::RememberLayout(const TRect& R) {
  // The kinds and sort keys are the layout's own (see AlignControlsIn).
  for (TChildEntry& entry : FChildren) {
    TRLCustomControl* rl = entry.Report;
    // What else moves a control is not noted here: such a site lays out.
    if (!rl || rl->FHeld || rl->FSizeFixed) return;
    entry.Bounds = rl->BoundsRect();
  }
  FLaidOut = true;
  FLaidOutDesigning = IsDesigning();
  FLaidOutArea = R;
  FLaidOutSize = TPoint(Width(), Height());
}

bool TRLCustomSite::LayoutIsCurrent(const TRect& R) {
  const int count = ControlCount();
  if (!FLaidOut || FChildren.size() != static_cast<size_t>(count) || R != FLaidOutArea ||
      FLaidOutSize.X != Width() || FLaidOutSize.Y != Height() || FLaidOutDesigning != IsDesigning())
    return false;
  for (const TChildEntry& entry : FChildren) {
    TRLCustomControl* rl = entry.Report;
    if (!rl || rl->FHeld || rl->FSizeFixed || entry.Kind != rl->Align() ||
        entry.Visible != rl->Visible() || entry.Bounds != rl->BoundsRect())
      return false;
    // Only the order of an aligned kind reads the sort keys.
    if ((entry.Visible || FLaidOutDesigning) && entry.Kind != faNone &&
        (entry.Key != rl->AlignSortKey() || entry.GroupIndex != rl->AlignGroupIndex()))
      return false;
  }
  return true;
}

void TRLCustomSite::RealignControls() {
  if (IsLoading() || FControlState.Contains(stAligningControls)) return;
  SyncChildren();
  // A text growing in a band of free-standing texts, once per record.
  if (LayoutWouldMoveNothing()) return;
  StateGuard guard(*this, stAligningControls);
  // The client rectangle only places children; a band has none mostly.
  const TRect R = ControlCount() > 0 ? GetClientRect() : TRect();
  if (!LayoutIsCurrent(R)) {
    FLaidOut = false;
    AlignControlsIn(R);
    RememberLayout(R);
  }
  // Read by index: a child's layout may make this site forget its record.
  for (size_t i = 0; i < FChildren.size(); ++i) {
    TRLCustomControl* child = FChildren[i].Report;
    if (child && child->FIsSite) static_cast<TRLCustomSite*>(child)->RealignControls();
  }
}

void TRLCustomSite::Initialize() {
  for (int i = 0; i < ControlCount(); ++i)
    if (TRLCustomControl* control = ReportChildAt(i)) control->Initialize();
}

void TRLCustomSite::ComputeDetail(TRLCustomControl* ACaller) {
  for (int i = 0; i < ControlCount(); ++i) {
    TRLCustomControl* child = ReportChildAt(i);
    if (!child || child == ACaller) continue;
    if (!child->AsSite() || child->AsBand()) child->ComputeDetail(ACaller);
  }
}

void TRLCustomSite::RefreshForMeasure() {
  for (int i = 0; i < ControlCount(); ++i)
    if (TRLCustomControl* control = ReportChildAt(i)) control->MeasureHeight();
  TRLCustomControl::RefreshForMeasure();
}

bool TRLCustomSite::DecidePrinting() {
  FCouldPrint = Visible() && !FControlState.Contains(stPrinting);
  if (FCouldPrint) FireBeforePrint(FCouldPrint);
  return FCouldPrint;
}

void TRLCustomSite::MeasureNaturalSize(int& Width, int& Height) {
  Width = this->Width();
  Height = this->Height();
  if (!AutoSize()) return;
  int sumW = 0, maxW = 0, sumH = 0, maxH = 0, maxRight = 0, maxBottom = 0;
  const TRect client = GetClientRect();
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = UnwrapControl(Controls(i));
    if (!c->Visible()) continue;
    TRLCustomControl* rl = ReportChildAt(i);
    const TRLControlAlign kind = rl ? rl->Align() : AlignOf(c);
    switch (kind) {
      case faCenterLeft: case faCenterRight: case faClientLeft: case faClientRight: case faLeftOnly: case faRightOnly:
        maxW = std::max(maxW, c->Width());
        break;
      case faLeft: case faRight: case faLeftMost: case faRightMost: case faLeftTop: case faRightTop:
      case faLeftBottom: case faRightBottom: case faCenter: case faCenterTop: case faCenterBottom: case faHeight:
      case faTopOnly: case faBottomOnly:
        sumW += c->Width();
        break;
      default:
        break;
    }
    switch (kind) {
      case faCenterTop: case faCenterBottom: case faClientTop: case faClientBottom: case faTopOnly: case faBottomOnly:
        maxH = std::max(maxH, c->Height());
        break;
      case faTop: case faBottom: case faLeftTop: case faRightTop: case faLeftBottom: case faRightBottom: case faCenter:
      case faCenterLeft: case faCenterRight: case faWidth: case faLeftOnly: case faRightOnly:
        sumH += c->Height();
        break;
      default:
        break;
    }
    if (kind == faNone) {
      maxRight = std::max(maxRight, c->Left() + c->Width() - client.Left);
      maxBottom = std::max(maxBottom, c->Top() + c->Height() - client.Top);
    }
  }
  int neededW = std::max({sumW, maxRight, maxW});
  int neededH = std::max({sumH, maxBottom, maxH});
  if (!WidthFree.Contains(Align()) || neededW == 0) neededW = client.Width();
  if (!HeightFree.Contains(Align()) || neededH == 0) neededH = client.Height();
  Width = this->Width() + neededW - client.Width();
  Height = this->Height() + neededH - client.Height();
}

void TRLCustomSite::ComputePrintPlacement() {
  int x = Left(), y = Top();
  TWinControl* site = FindParentSite();
  for (TWinControl* p = Parent(); p && p != site; p = p->Parent()) {
    x += p->Left();
    y += p->Top();
  }
  FPrintPosition = TPoint(x, y);
  FPrintSize = TPoint(Width(), Height());
}
