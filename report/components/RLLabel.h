#pragma once
// One line of text on a band: measured with the control's font when it
// sizes itself, recorded as one text object aligned in its rectangle. The
// data and system texts derive from it and only compute the caption.
#include "platform/ui/graphics/GraphicsObjects.h"
#include "report/components/RLCustomControl.h"

class TRLCustomLabel : public TRLCustomControl {
public:
  explicit TRLCustomLabel(TComponent* AOwner);

  void MeasureNaturalSize(int& Width, int& Height) override;
  void EmitToSurface() override;

protected:
  void Paint() override;
  // The caption, or the component's name when there is none and no report
  // is being prepared.
  // Valid until the caption or name changes.
  const String& MeasuredText() const;

private:
  // What decides a text's extent, the colour aside.
  struct TFontKey {
    String Name;
    int Height = 0;
    int PixelsPerInch = 0;
    uint8_t Style = 0;
    TFontCharset Charset = 0;
    TFontPitch Pitch = fpDefault;
    int Orientation = 0;
    static TFontKey Of(const TFont& font);
    bool Matches(const TFont& font) const;
  };
  // A record's text is sized when its caption is set and recorded right
  // after with the same font: the extent measured for sizing serves both.
  // The text is kept as measured, with its trailing space.
  TFontKey FMeasuredFont;
  String FMeasuredText;
  TSize FMeasuredSize;
  bool FMeasured = false;
  // The width of a space in the last font asked for.
  TFontKey FSpaceFont;
  int FSpaceWidth = -1;
  bool IsMeasuredText(const String& text) const;
  TSize ExtentOnSurface(TRLGraphicSurface* surface, const String& caption, const AnsiString& text);
  int SpaceWidthOnSurface(TRLGraphicSurface* surface);
};

class TRLLabel : public TRLCustomLabel {
public:
  using TRLCustomLabel::TRLCustomLabel;
};

// The codes a recorded text carries for its alignment and layout.
uint8_t TextAlignmentCode(TRLTextAlignment value);
uint8_t TextLayoutCode(TRLTextLayout value);
