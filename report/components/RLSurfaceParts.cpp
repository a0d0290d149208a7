// TEMPORARY until the recorded surface arrives.
#include "report/components/RLSiteKinds.h"
class TRLGraphicSurface {};
TRLCustomSite::TRLCustomSite(TComponent* AOwner)
    : TRLCustomControl(AOwner),
      FBackground(std::make_unique<TRLBackground>(this)),
      FDegrade(std::make_unique<TRLDegradeEffect>(this)),
      FInsideMargins(std::make_unique<TRLMargins>(this)),
      FMargins(std::make_unique<TRLMargins>(this)) {
  SetControlStyle(TControl::ControlStyle() + csAcceptsControls + csCaptureMouse + csClickEvents + csDoubleClicks +
                  csOpaque + csReplicatable);
  CreateSurface();
}
TRLCustomSite::~TRLCustomSite() = default;
void TRLCustomSite::CreateSurface() {}
void TRLCustomSite::OpenSurface() {}
void TRLCustomSite::CloseSurface() {}
void TRLCustomSite::FillOpenedSurface() {}
void TRLCustomSite::DeliverSurface() {}
void TRLCustomSite::PaintSiteBackground(TRLGraphicSurface&, const TRect&) {}
void TRLCustomSite::EmitToSurface() {}
void TRLCustomControl::EmitToSurface() {}
void TRLCustomControl::PrintControlPicture(TControl*) {}
