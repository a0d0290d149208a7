#pragma once
// The borders of a report control: which sides are drawn, which of them
// are fixed (drawn even by a report that prints fixed sides only), width,
// colour and style.
#include "platform/classes/Component.h"
#include "platform/ui/graphics/Graphics.h"
#include "report/components/RLTypes.h"

class TRLCustomControl;
class TRLGraphicSurface;

class TRLBorders : public TPersistent {
public:
  explicit TRLBorders(TRLCustomControl* AOwner);

  TRLCustomControl* ParentControl() const { return FParentControl; }
  void SetParentControl(TRLCustomControl* value);

  TRLBorderSides Sides() const { return FSides; }
  void SetSides(TRLBorderSides value);
  bool DrawLeft() const { return FDrawLeft; }
  void SetDrawLeft(bool value) { SetDraw(FDrawLeft, FFixedLeft, value); }
  bool DrawTop() const { return FDrawTop; }
  void SetDrawTop(bool value) { SetDraw(FDrawTop, FFixedTop, value); }
  bool DrawRight() const { return FDrawRight; }
  void SetDrawRight(bool value) { SetDraw(FDrawRight, FFixedRight, value); }
  bool DrawBottom() const { return FDrawBottom; }
  void SetDrawBottom(bool value) { SetDraw(FDrawBottom, FFixedBottom, value); }
  bool FixedLeft() const { return FFixedLeft; }
  void SetFixedLeft(bool value) { SetFixed(FDrawLeft, FFixedLeft, value); }
  bool FixedTop() const { return FFixedTop; }
  void SetFixedTop(bool value) { SetFixed(FDrawTop, FFixedTop, value); }
  bool FixedRight() const { return FFixedRight; }
  void SetFixedRight(bool value) { SetFixed(FDrawRight, FFixedRight, value); }
  bool FixedBottom() const { return FFixedBottom; }
  void SetFixedBottom(bool value) { SetFixed(FDrawBottom, FFixedBottom, value); }
  int Width() const { return FWidth; }
  // A negative width is ignored.
  void SetWidth(int value);
  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle value);

  // A side is drawn when its flag is set and it is fixed or the master
  // report prints with full features.
  bool CanDrawLeft() const { return CanDraw(FDrawLeft, FFixedLeft); }
  bool CanDrawTop() const { return CanDraw(FDrawTop, FFixedTop); }
  bool CanDrawRight() const { return CanDraw(FDrawRight, FFixedRight); }
  bool CanDrawBottom() const { return CanDraw(FDrawBottom, FFixedBottom); }

  // The strips of the drawn sides inside rect, in painting order: left,
  // top, right, bottom. None when Width is below 1.
  std::vector<TRect> SideRects(const TRect& rect) const;
  void PaintTo(TCanvas& canvas, const TRect& rect) const;
  void PaintTo(TRLGraphicSurface& surface, const TRect& rect) const;

  // Copies the values of other borders, keeping this owner.
  void Assign(const TPersistent& source) override;

private:
  void SetDraw(bool& draw, bool& fixed, bool value);
  void SetFixed(bool& draw, bool& fixed, bool value);
  bool CanDraw(bool draw, bool fixed) const;
  void Changed();

  TRLCustomControl* FParentControl;
  bool FDrawLeft = false;
  bool FDrawTop = false;
  bool FDrawRight = false;
  bool FDrawBottom = false;
  int FWidth = 1;
  TColor FColor = 0;
  TBrushStyle FStyle = bsSolid;
  TRLBorderSides FSides = sdNone;
  bool FFixedLeft = false;
  bool FFixedTop = false;
  bool FFixedRight = false;
  bool FFixedBottom = false;
};
