#pragma once
// The effects label: its caption turned by any angle, with a soft blurred
// drop shadow. Its bounds are the text's widened by the shadow margins, and
// it moves itself when the margins change.
#include "skin/engine/SkinLabels.h"
#include "skin/graphics/TextOutput.h"
#include <memory>
#include <vector>

class TsLabelFX;

enum TsShadowMode : uint8_t { smNone, smCustom, smSkin1 };
enum TsKindType : uint8_t { ktStandard, ktCustom, ktSkin };

struct TShadowData {
  int32_t Blur = 0;
  int32_t Offset = 0;
  int32_t Alpha = 0;
  TColor Color = 0;
};

// Left/top margin (0 or negative) and right/bottom margin (0 or positive).
constexpr int ShadowMarginLT(const TShadowData& d) { return d.Offset - d.Blur < 0 ? d.Offset - d.Blur : 0; }
constexpr int ShadowMarginRB(const TShadowData& d) { return d.Offset + d.Blur > 0 ? d.Offset + d.Blur : 0; }

// The shadow margins the label's current bounds include.
class TacOffsetKeeper : public TPersistent {
public:
  int LeftTop() const { return FLeftTop; }
  void SetLeftTop(int Value) { FLeftTop = Value; }
  int RightBottom() const { return FRightBottom; }
  void SetRightBottom(int Value) { FRightBottom = Value; }

private:
  int FRightBottom = 0;
  int FLeftTop = 0;
};

class TsShadow : public TPersistent {
public:
  explicit TsShadow(TsLabelFX* Parent);
  int Distance() const { return FDistance; }
  void SetDistance(int Value);
  int BlurCount() const { return FBlurCount; }
  void SetBlurCount(int Value);
  // Keeps the first shadow image for later paints.
  bool ShadowBuffered() const { return FBuffered; }
  void SetShadowBuffered(bool Value) { FBuffered = Value; }
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TsShadowMode Mode() const { return FMode; }
  void SetMode(TsShadowMode Value);
  uint8_t AlphaValue() const { return FAlphaValue; }
  void SetAlphaValue(uint8_t Value);
  TacOffsetKeeper& OffsetKeeper() { return FOffsetKeeper; }
  const TacOffsetKeeper& OffsetKeeper() const { return FOffsetKeeper; }

  // Red, green and blue of the current shadow colour.
  int sr = 0, sg = 0, sb = 0;

private:
  void UpdateChannels();
  int FDistance = 1;
  int FBlurCount = 4;
  bool FBuffered = false;
  TColor FColor = clBlack;
  TsLabelFX* ParentControl;
  TsShadowMode FMode = smSkin1;
  uint8_t FAlphaValue = 255;
  TacOffsetKeeper FOffsetKeeper;
};

class TsKind : public TPersistent {
public:
  explicit TsKind(TsLabelFX* Owner) : FOwner(Owner) {}
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TsKindType KindType() const { return FKindType; }
  void SetKindType(TsKindType Value);

private:
  TColor FColor = clWhite;
  TsLabelFX* FOwner;
  TsKindType FKindType = ktSkin;
};

class TsLabelFX : public TsCustomLabel {
public:
  explicit TsLabelFX(TComponent* AOwner);
  ~TsLabelFX() override;

  // Degrees, counter-clockwise; a turned label does not wrap words.
  int Angle() const { return FAngle; }
  void SetAngle(int Value);
  TsKind& Kind() { return *FKind; }
  TsShadow& Shadow() { return *FShadow; }

  TShadowData CurrentShadowData() const;
  TColor CurrentFontColor();
  // Moves the label to the margins of the current shadow.
  void UpdatePosition();
  void Invalidate() override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void WndProc(TMessage& Message) override;

  // The shadow image of the last paint; nil before.
  const TBitmap* ShadowImage() const { return FMask.get(); }

protected:
  void AdjustBounds() override;
  void DoDrawText(TRect& Rect, UINT Flags) override;

private:
  bool Loading() const { return (ComponentState() & (csLoading | csReading)) != 0; }
  void RecordMargins();
  void BuildShadowImage(HDC DC, const String& Text, const TRect& T, TPoint Origin, UINT Flags,
                        const TShadowData& Data, const TRect& Rect);
  void DrawDisabledText(HDC DC, const String& Text, TRect T, TPoint Origin, int Angle, UINT Flags);

  int FAngle = 0;
  int OffsTopLeft = 0;
  bool IntPosChanging = false;
  bool FNeedInvalidate = true;
  std::unique_ptr<TBitmap> FMask;
  std::vector<uint8_t> FMaskBits;  // coverage with a one-pixel border, then the text's own; only grows
  std::unique_ptr<TsShadow> FShadow;
  std::unique_ptr<TsKind> FKind;
  TAngledFontCache FTurnedFont;
};
