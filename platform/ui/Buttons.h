#pragma once
// Buttons with glyphs: the owner-drawn TBitBtn and the windowless
// TSpeedButton.
#include "platform/ui/StdCtrls.h"
#include "platform/ui/graphics/Bitmap.h"

enum TButtonLayout : uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TButtonState : uint8_t { bsUp, bsDisabled, bsDown, bsExclusive };
enum TBitBtnKind : uint8_t { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };

// Lays out and draws a glyph (one of numGlyphs images side by side: up,
// disabled, down, exclusive) and a caption inside rect; margin -1 centres
// them, spacing -1 centres the caption in the space left.
void DrawButtonContent(TCanvas* canvas, const TRect& rect, TBitmap* glyph, int numGlyphs, const String& caption,
                       TButtonLayout layout, int margin, int spacing, TButtonState state, bool showAccel = true);
// A button's new glyph: a copy of value (null clears it); a strip of one
// to four square images also sets how many images it holds.
void AssignButtonGlyph(TBitmap* glyph, const TBitmap* value, int& numGlyphs);
// How many images a glyph strip may hold: one to four.
inline int ClampNumGlyphs(int value) { return value < 1 ? 1 : value > 4 ? 4 : value; }

class TBitBtn : public TButton {
public:
  explicit TBitBtn(TComponent* AOwner);
  ~TBitBtn() override;

  // A kind sets the caption, the modal result and a glyph of its own.
  TBitBtnKind Kind() const { return FKind; }
  void SetKind(TBitBtnKind value);
  TBitmap* Glyph() const { return FGlyph.get(); }
  void SetGlyph(const TBitmap* value);
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int value);
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout value);
  int Margin() const { return FMargin; }
  void SetMargin(int value);
  int Spacing() const { return FSpacing; }
  void SetSpacing(int value);

  void Click() override;
  void WndProc(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void SetButtonStyle(bool isDefault) override;

private:
  void DrawItem(const DRAWITEMSTRUCT& dis);

  TBitBtnKind FKind = bkCustom;
  std::unique_ptr<TBitmap> FGlyph;
  int FNumGlyphs = 1;
  TButtonLayout FLayout = blGlyphLeft;
  int FMargin = -1;
  int FSpacing = 4;
};

class TSpeedButton : public TGraphicControl {
public:
  explicit TSpeedButton(TComponent* AOwner);
  ~TSpeedButton() override;

  TBitmap* Glyph() const { return FGlyph.get(); }
  void SetGlyph(const TBitmap* value);
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool value);
  // Buttons of one GroupIndex (not 0) on one parent act as radio buttons.
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int value);
  bool Down() const { return FDown; }
  void SetDown(bool value);
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool value) { FAllowAllUp = value; }
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout value);
  int Margin() const { return FMargin; }
  void SetMargin(int value);
  int Spacing() const { return FSpacing; }
  void SetSpacing(int value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool value);

  void Click() override;
  void WndProc(TMessage& Message) override;

protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
  std::unique_ptr<TBitmap> FGlyph;
  int FNumGlyphs = 1;
  bool FFlat = false;
  int FGroupIndex = 0;
  bool FDown = false;
  bool FAllowAllUp = false;
  TButtonLayout FLayout = blGlyphLeft;
  int FMargin = -1;
  int FSpacing = 4;
  bool FTransparent = true;
  bool FPressed = false;
  bool FDragging = false;
};
