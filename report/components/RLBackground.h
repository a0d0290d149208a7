#pragma once
// The background picture of a site: aligned like a control, centred, or
// tiled side by side or staggered.
#include "platform/classes/Component.h"
#include "platform/ui/graphics/Picture.h"
#include "report/components/RLTypes.h"
#include <memory>
#include <vector>

class TRLCustomSite;
class TRLGraphicSurface;

class TRLBackground : public TPersistent {
public:
  explicit TRLBackground(TRLCustomSite* AOwner);
  ~TRLBackground() override;

  TRLCustomSite* ParentSite() const { return FParentSite; }
  void SetParentSite(TRLCustomSite* value) { FParentSite = value; }
  TRLControlAlign Align() const { return FAlign; }
  void SetAlign(TRLControlAlign value);
  TRLImageArrange Arrange() const { return FArrange; }
  void SetArrange(TRLImageArrange value);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value);
  int Width() const { return FWidth; }
  void SetWidth(int value);
  int Height() const { return FHeight; }
  void SetHeight(int value);
  bool Stretch() const { return FStretch; }
  void SetStretch(bool value);
  TPicture* Picture() const { return FPicture.get(); }
  // Copies the picture.
  void SetPicture(const TPicture* value);

  // Width and Height become the picture's size when it holds an image.
  void AdjustSize();

  // Where an aligned or centred picture lands in rect.
  TRect PlacedRect(const TRect& rect) const;
  // The tiles of a tiled picture on an area of that size, from (0, 0);
  // none when Width or Height is not positive.
  std::vector<TRect> TileRects(int areaWidth, int areaHeight) const;

  void PaintTo(TCanvas& canvas, const TRect& rect) const;
  void PaintTo(TRLGraphicSurface& surface, const TRect& rect) const;

  // Copies the values and the picture.
  void Assign(const TPersistent& source) override;

private:
  TGraphic* Image() const;
  void Changed();

  TRLCustomSite* FParentSite;
  TRLControlAlign FAlign = faClient;
  TRLImageArrange FArrange = baAligned;
  bool FAutoSize = true;
  int FHeight = 40;
  std::unique_ptr<TPicture> FPicture;
  bool FStretch = false;
  int FWidth = 40;
};
