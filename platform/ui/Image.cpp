#include "platform/ui/ExtCtrls.h"

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), FPicture(std::make_unique<TPicture>()) {
  FControlStyle.Include(csReplicatable);
  FPicture->OnChange = [this](TObject*) { PictureChanged(); };
  SetBounds(0, 0, 105, 105);
}

TImage::~TImage() { FPicture->OnChange = nullptr; }

TCanvas* TImage::Canvas() { return FPicture->Bitmap()->Canvas(); }

void TImage::SetStretch(bool value) {
  if (FStretch == value) return;
  FStretch = value;
  Invalidate();
}

void TImage::SetCenter(bool value) {
  if (FCenter == value) return;
  FCenter = value;
  Invalidate();
}

void TImage::SetProportional(bool value) {
  if (FProportional == value) return;
  FProportional = value;
  Invalidate();
}

void TImage::SetTransparent(bool value) {
  if (FTransparent == value) return;
  FTransparent = value;
  if (FPicture->Graphic()) FPicture->Graphic()->SetTransparent(value);
  Invalidate();
}

void TImage::SetAutoSize(bool value) {
  FAutoSize = value;
  PictureChanged();
}

void TImage::PictureChanged() {
  if (TGraphic* g = FPicture->Graphic()) {
    if (FTransparent != g->Transparent() && dynamic_cast<TBitmap*>(g)) g->SetTransparent(FTransparent);
    if (FAutoSize && g->Width() > 0 && g->Height() > 0) SetBounds(Left(), Top(), g->Width(), g->Height());
  }
  Invalidate();
}

TRect TImage::DestRect() const {
  int pw = FPicture->Width(), ph = FPicture->Height();
  int cw = Width(), ch = Height();
  int w = pw, h = ph;
  if (FStretch || (FProportional && (pw > cw || ph > ch))) {
    if (FProportional && pw > 0 && ph > 0) {
      // Scale to fit, keeping the proportions.
      if (static_cast<long long>(cw) * ph > static_cast<long long>(ch) * pw) {
        h = ch;
        w = static_cast<int>(static_cast<long long>(pw) * ch / ph);
      } else {
        w = cw;
        h = static_cast<int>(static_cast<long long>(ph) * cw / pw);
      }
    } else {
      w = cw;
      h = ch;
    }
  }
  int x = 0, y = 0;
  if (FCenter) {
    x = (cw - w) / 2;
    y = (ch - h) / 2;
  }
  return TRect(x, y, x + w, y + h);
}

void TImage::Paint() {
  TCanvas* canvas = TGraphicControl::Canvas();
  TGraphic* graphic = FPicture->Graphic();
  if (graphic && !graphic->Empty()) canvas->StretchDraw(DestRect(), graphic);
}
