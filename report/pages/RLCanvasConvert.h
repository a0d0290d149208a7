#pragma once
// Conversions between the platform canvas's pen, brush, font, colour and
// pictures and the recorded forms, and the canvas routines replay needs:
// clipping, images with parity, aligned and justified text, dashed lines.
#include "report/pages/RLMetaRecords.h"
#include "platform/ui/graphics/Geometry.h"
#include "platform/ui/graphics/GraphicsObjects.h"
#include <memory>
#include <vector>

class TCanvas;
class TGraphic;

TRLMetaColor EncodeMetaColor(TColor AValue);
TColor DecodeMetaColor(TRLMetaColor AValue);
uint8_t EncodeMetaPenMode(int AValue);
TPenMode DecodeMetaPenMode(uint8_t AValue);
uint8_t EncodeMetaPenStyle(int AValue);
TPenStyle DecodeMetaPenStyle(uint8_t AValue);
uint8_t EncodeMetaBrushStyle(int AValue);
TBrushStyle DecodeMetaBrushStyle(uint8_t AValue);
uint8_t EncodeMetaFontPitch(int AValue);
TFontPitch DecodeMetaFontPitch(uint8_t AValue);
inline uint8_t EncodeMetaFontStyles(TFontStyles AValue) { return AValue.Bits(); }
inline TFontStyles DecodeMetaFontStyles(uint8_t AValue) { return TFontStyles::FromBits(AValue); }
inline uint8_t EncodeMetaCharset(TFontCharset AValue) { return AValue; }
inline TFontCharset DecodeMetaCharset(uint8_t AValue) { return AValue; }
// Platform alignment 0 left, 1 right, 2 centre, 3 justified; layout 0 top,
// 1 centre, 2 bottom.
uint8_t EncodeMetaAlignment(int AValue);
uint8_t EncodeMetaLayout(int AValue);
TRLMetaRect EncodeMetaRect(const TRect& AValue);
TRLMetaPoint EncodeMetaPoint(TPoint AValue);
TRLMetaPointArray EncodeMetaPoints(const std::vector<TPoint>& AValue);
inline TRect DecodeMetaRect(const TRLMetaRect& AValue) { return {AValue.Left, AValue.Top, AValue.Right, AValue.Bottom}; }

void EncodeMetaPen(const TPen* ASource, TRLMetaPen* ADest);
void EncodeMetaBrush(const TBrush* ASource, TRLMetaBrush* ADest);
void EncodeMetaFont(const TFont* ASource, TRLMetaFont* ADest);
void DecodeMetaPen(const TRLMetaPen* ASource, TPen* ADest);
void DecodeMetaBrush(const TRLMetaBrush* ASource, TBrush* ADest);
void DecodeMetaFont(const TRLMetaFont* ASource, TFont* ADest, double AFactor);

// "NIL", "BMP" + bitmap file or "ICO" + icon file; other pictures are
// drawn onto a bitmap first.
AnsiString EncodeMetaGraphic(TGraphic* AGraphic);
// nullptr for no image, an unknown tag or a damaged image.
std::unique_ptr<TGraphic> DecodeMetaGraphic(const AnsiString& AData);

// An empty rectangle means no clipping.
void CanvasSetClip(TCanvas* ACanvas, const TRect& ARect);
void CanvasClearClip(TCanvas* ACanvas);
void ScaleCanvasPenWidth(TPen* APen, double AFactor);
void CanvasDrawImageData(TCanvas* ACanvas, TRect ARect, const AnsiString& AData, bool AParity);
// Meta alignment and layout codes; the canvas font and brush already set.
void CanvasTextOutAligned(TCanvas* ACanvas, const TRect& ARect, int AX, int AY, uint16_t ATextFlags,
                          uint8_t ALayout, uint8_t AAlignment, const AnsiString& AText);
// From the pen position; wide dashed pens are drawn dash by dash.
void CanvasDashedLineTo(TCanvas* ACanvas, int AX, int AY);
// Around a surface's replay; they do nothing.
void CanvasStart(TCanvas* ACanvas);
void CanvasStop(TCanvas* ACanvas);
