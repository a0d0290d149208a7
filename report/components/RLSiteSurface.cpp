// A site's own surface: opened with the enclosing one, filled by its
// controls, and on closing drawn with the site's background and borders
// into the surface of the site that encloses it.
#include "report/components/RLSiteKinds.h"
#include "report/pages/RLGraphicSurface.h"

TRLCustomSite::TRLCustomSite(TComponent* AOwner)
    : TRLCustomControl(AOwner),
      FBackground(std::make_unique<TRLBackground>(this)),
      FDegrade(std::make_unique<TRLDegradeEffect>(this)),
      FInsideMargins(std::make_unique<TRLMargins>(this)),
      FMargins(std::make_unique<TRLMargins>(this)),
      FSurface(std::make_unique<TRLGraphicSurface>()) {
  SetControlStyle(TControl::ControlStyle() + csAcceptsControls + csCaptureMouse + csClickEvents + csDoubleClicks +
                  csOpaque + csReplicatable);
  FIsSite = true;
}

TRLCustomSite::~TRLCustomSite() { FIsSite = false; }

void TRLCustomSite::OpenSurface() {
  if (FSurface->Opened()) return;
  if (TRLCustomSite* outer = FindParentSite())
    if (!outer->Surface()->Opened()) outer->OpenSurface();
  PrepareSurfaceOpen();
  ComputePrintPlacement();
  FSurface->SetWidth(FPrintSize.X);
  FSurface->SetHeight(FPrintSize.Y);
  FSurface->Open();
  FSurface->Clear();
  FSurface->SetMargins(GetClientRect());
  if (Enabled()) FillOpenedSurface();
  RegisterOpenedSurface();
}

void TRLCustomSite::CloseSurface() {
  if (!FSurface->Opened()) return;
  if (Enabled()) FinishSurfaceContents();
  TrimSurfaceHeight();
  DeliverSurface();
  FSurface->Close();
  SettleClosedSurface();
}

void TRLCustomSite::FillOpenedSurface() { PrintChildren(); }

void TRLCustomSite::DeliverSurface() {
  TRLGraphicSurface* target = RequestParentSurface();
  TRect rect;
  GetSiteRelativeBounds(rect);
  if (Enabled()) PaintSiteBackground(*target, rect);
  target->Draw(FPrintPosition.X, FPrintPosition.Y, FSurface.get());
}

void TRLCustomSite::PaintSiteBackground(TRLGraphicSurface& Surface, const TRect& Rect) {
  Surface.SetGeneratorId(ControlId());
  NewGroupId();
  if (FDegrade->Direction() != ddNone && FDegrade->OppositeColor() != Color()) {
    FDegrade->PaintTo(Surface, Color(), Rect);
  } else if (!Transparent()) {
    Surface.Brush()->SetColor(Color());
    Surface.Brush()->SetStyle(bsSolid);
    Surface.FillRect(Rect);
  }
  FBackground->PaintTo(Surface, Rect);
  TRect origin;
  GetPrintOriginRect(origin);
  TRect border = BorderRectOf(origin);
  border = TRect(border.Left + Rect.Left, border.Top + Rect.Top, border.Right + Rect.Left, border.Bottom + Rect.Top);
  if (OnDraw) {
    TRect client = GetClientRect();
    OnDraw(this, &Surface,
           TRect(client.Left + border.Left, client.Top + border.Top, client.Right + border.Left,
                 client.Bottom + border.Top));
  }
  Borders()->PaintTo(Surface, border);
}

void TRLCustomSite::EmitToSurface() {
  OpenSurface();
  CloseSurface();
}
