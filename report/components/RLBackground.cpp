#include "report/components/RLBackground.h"
#include "report/components/RLCustomSite.h"
#include "report/pages/RLGraphicSurface.h"
#include "report/pages/RLUtils.h"

TRLBackground::TRLBackground(TRLCustomSite* AOwner)
    : FParentSite(AOwner), FPicture(std::make_unique<TPicture>()) {}

TRLBackground::~TRLBackground() = default;

void TRLBackground::Changed() {
  if (FParentSite) FParentSite->Invalidate();
}

void TRLBackground::SetAlign(TRLControlAlign value) {
  if (FAlign == value) return;
  FAlign = value;
  Changed();
}

void TRLBackground::SetArrange(TRLImageArrange value) {
  if (FArrange == value) return;
  FArrange = value;
  Changed();
}

void TRLBackground::SetAutoSize(bool value) {
  if (FAutoSize == value) return;
  FAutoSize = value;
  if (value) AdjustSize();
  Changed();
}

void TRLBackground::SetWidth(int value) {
  if (FWidth == value) return;
  FWidth = value;
  Changed();
}

void TRLBackground::SetHeight(int value) {
  if (FHeight == value) return;
  FHeight = value;
  Changed();
}

void TRLBackground::SetStretch(bool value) {
  if (FStretch == value) return;
  FStretch = value;
  Changed();
}

void TRLBackground::SetPicture(const TPicture* value) {
  if (value)
    FPicture->Assign(*value);
  else
    FPicture->SetGraphic(nullptr);
  if (FAutoSize) AdjustSize();
  Changed();
}

TGraphic* TRLBackground::Image() const {
  TGraphic* graphic = FPicture->Graphic();
  return graphic && !graphic->Empty() ? graphic : nullptr;
}

void TRLBackground::AdjustSize() {
  if (TGraphic* graphic = Image()) {
    FWidth = graphic->Width();
    FHeight = graphic->Height();
  }
}

TRect TRLBackground::PlacedRect(const TRect& r) const {
  const int w = FWidth, h = FHeight;
  const int cx = (r.Left + r.Right - w) / 2, cy = (r.Top + r.Bottom - h) / 2;
  TRect d;
  if (FArrange == baCenter) {
    d = TRect(cx, cy, cx + w, cy + h);
  } else {
    switch (FAlign) {
      case faNone: case faLeftTop: d = TRect(r.Left, r.Top, r.Left + w, r.Top + h); break;
      case faLeft: case faLeftMost: d = TRect(r.Left, r.Top, r.Left + w, r.Bottom); break;
      case faTop: d = TRect(r.Left, r.Top, r.Right, r.Top + h); break;
      case faRight: case faRightMost: d = TRect(r.Right - w, r.Top, r.Right, r.Bottom); break;
      case faBottom: d = TRect(r.Left, r.Bottom - h, r.Right, r.Bottom); break;
      case faClient: d = r; break;
      case faRightTop: d = TRect(r.Right - w, r.Top, r.Right, r.Top + h); break;
      case faLeftBottom: d = TRect(r.Left, r.Bottom - h, r.Left + w, r.Bottom); break;
      case faRightBottom: d = TRect(r.Right - w, r.Bottom - h, r.Right, r.Bottom); break;
      case faCenter: d = TRect(cx, cy, cx + w, cy + h); break;
      case faCenterLeft: case faClientLeft: case faLeftOnly: d = TRect(r.Left, cy, r.Left + w, cy + h); break;
      case faCenterTop: case faClientTop: case faTopOnly: d = TRect(cx, r.Top, cx + w, r.Top + h); break;
      case faCenterRight: case faClientRight: case faRightOnly: d = TRect(r.Right - w, cy, r.Right, cy + h); break;
      case faCenterBottom: case faClientBottom: case faBottomOnly: d = TRect(cx, r.Bottom - h, cx + w, r.Bottom); break;
      case faHeight: d = TRect(cx, r.Top, cx + w, r.Bottom); break;
      case faWidth: d = TRect(r.Left, cy, r.Right, cy + h); break;
    }
  }
  if (!FStretch) {
    TGraphic* graphic = Image();
    int pw = graphic ? graphic->Width() : 0, ph = graphic ? graphic->Height() : 0;
    d = TRect(d.Left, d.Top, d.Left + pw, d.Top + ph);
  }
  return d;
}

std::vector<TRect> TRLBackground::TileRects(int areaWidth, int areaHeight) const {
  std::vector<TRect> tiles;
  // A tile that does not advance would never end the rows or the columns.
  if (FWidth <= 0 || FHeight <= 0) return tiles;
  TGraphic* graphic = Image();
  const int pw = graphic ? graphic->Width() : 0, ph = graphic ? graphic->Height() : 0;
  int row = 0;
  for (int y = 0; y <= areaHeight; y += FHeight, ++row) {
    int x = FArrange == baDistributed && row % 2 == 1 ? -(FWidth / 2) : 0;
    for (; x <= areaWidth; x += FWidth)
      tiles.push_back(FStretch ? TRect(x, y, x + FWidth, y + FHeight) : TRect(x, y, x + pw, y + ph));
  }
  return tiles;
}

namespace {
// Canvas and surface both stretch a graphic into a rectangle.
template <typename Target>
void PaintBackground(const TRLBackground& background, TGraphic* graphic, Target& target, const TRect& rect) {
  switch (background.Arrange()) {
    case baAligned:
    case baCenter:
      target.StretchDraw(background.PlacedRect(rect), graphic);
      break;
    case baSidebySide:
    case baDistributed: {
      const std::vector<TRect> places = background.TileRects(rect.Width(), rect.Height());
      if (places.empty()) return;
      TRLBitmap tiles;
      tiles.SetSize(rect.Width(), rect.Height());
      for (const TRect& tile : places) tiles.Canvas()->StretchDraw(tile, graphic);
      target.StretchDraw(rect, &tiles);
      break;
    }
  }
}
}  // namespace

void TRLBackground::PaintTo(TCanvas& canvas, const TRect& rect) const {
  if (TGraphic* graphic = Image()) PaintBackground(*this, graphic, canvas, rect);
}

void TRLBackground::PaintTo(TRLGraphicSurface& surface, const TRect& rect) const {
  if (TGraphic* graphic = Image()) PaintBackground(*this, graphic, surface, rect);
}

void TRLBackground::Assign(const TPersistent& source) {
  auto* other = dynamic_cast<const TRLBackground*>(&source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  FAlign = other->FAlign;
  FArrange = other->FArrange;
  FAutoSize = other->FAutoSize;
  FHeight = other->FHeight;
  FWidth = other->FWidth;
  FStretch = other->FStretch;
  FPicture->Assign(*other->FPicture);
  Changed();
}
