#pragma once
// The hint windows of the alpha hints: the application's hint window made
// fully transparent, and beside it a borderless, topmost, click-through
// layered window that shows the hint's premultiplied picture.
#include "skin/forms/hints/AlphaHints.h"

class TacCustomHintWindow : public THintWindow {
public:
  explicit TacCustomHintWindow(TComponent* AOwner);
  ~TacCustomHintWindow() override;

  TRect CalcHintRect(int MaxWidth, const String& AHint, void* AData) override;
  void ActivateHint(TRect Rect, const String& AHint) override;
  // Builds AlphaBmp, the finished picture.
  virtual void CreateAlphaBmp(int Width, int Height);

  // A picture window at R, shown without activation.
  static std::unique_ptr<TForm> CreateHintWindow(const TRect& R);
  void OnCloseHint();
  // The corner of the body on which the anchor mPos lies, with Rect's
  // top-left moved to keep the body on mPos's monitor.
  TacMousePosition GetArrowPos(TRect& Rect, const TPoint& mPos);
  // Rebuilds the picture at w x h (0: the window's size) at full opacity.
  void UpdateWnd(int w, int h);

  TPoint HintLocation() const { return FHintLocation; }
  void SetHintLocation(TPoint Value) { FHintLocation = Value; }
  TacMousePosition MousePos() const { return FMousePos; }
  // Skinned: the margin of the section's border image on a side (0 left,
  // 1 top, 2 right, 3 bottom); 0 without a border image.
  int SkinBorderWidth(int Side) const;
  // Whether the picture has transparent parts around its body.
  bool HasAlphaFrame() const;

  String Text;
  std::unique_ptr<TBitmap> AlphaBmp;
  // Skinned: white where the picture is see-through, black elsewhere.
  std::unique_ptr<TBitmap> MaskBmp;
  // Skinned with a frame handed in: the body the frame's controls lie on.
  std::unique_ptr<TBitmap> BodyBmp;
  int SkinIndex = -1, BorderIndex = -1, BGIndex = -1;

protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override {}
  void WndProc(TMessage& Message) override;
  // The hint's text measured from (0, 0), by the template's font.
  TRect MeasureText(const String& AHint);
  // The text (or the caption) into the client area of Bmp.
  void PaintHintContent(TBitmap& Bmp);
  // The parts of the picture around the visible body, for the corner.
  TRect ShadowRect() const;
  // Whether the picture comes from the skin's hint section.
  bool SkinnedRoad() const;
  // The mask of a Width x Height picture; on the skinned road the window's
  // region follows it.
  void MakeMaskBmp(int Width, int Height);
  void SetRegionFromMask();
  // The section, its border image and the content at Width x Height.
  std::unique_ptr<TBitmap> MakeBodyBmp(int Width, int Height);
  void CreateSkinnedAlphaBmp(int Width, int Height);

  TPoint FHintLocation;
  TacMousePosition FMousePos = mpLeftTop;
};

// Draws from the hint templates.
class TacPngHintWindow : public TacCustomHintWindow {
public:
  explicit TacPngHintWindow(TComponent* AOwner);
  ~TacPngHintWindow() override;
  TRect CalcHintRect(int MaxWidth, const String& AHint, void* AData) override;
  void CreateAlphaBmp(int Width, int Height) override;
};

// The anchor of a hint: the point the application gave, else the mouse.
TPoint HintAnchorPoint();
