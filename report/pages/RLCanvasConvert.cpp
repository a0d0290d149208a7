#include <windows.h>
#include "report/pages/RLCanvasConvert.h"
#include "report/pages/RLUtils.h"
#include "platform/rtl/NumUtils.h"
#include "platform/ui/graphics/Bitmap.h"
#include "platform/ui/graphics/Canvas.h"
#include "platform/ui/graphics/Icon.h"
#include <cmath>

TRLMetaColor EncodeMetaColor(TColor AValue) {
  uint32_t rgb = static_cast<uint32_t>(ColorToRGB(AValue));
  return {static_cast<uint8_t>(rgb & 0xFF), static_cast<uint8_t>((rgb >> 8) & 0xFF),
          static_cast<uint8_t>((rgb >> 16) & 0xFF)};
}

TColor DecodeMetaColor(TRLMetaColor AValue) { return RGBColor(AValue.Red, AValue.Green, AValue.Blue); }

uint8_t EncodeMetaPenMode(int AValue) {
  return (AValue >= 0 && AValue <= 15) ? static_cast<uint8_t>(AValue + 1) : RLMeta::PenModeCopy;
}

TPenMode DecodeMetaPenMode(uint8_t AValue) {
  return (AValue >= 1 && AValue <= 16) ? static_cast<TPenMode>(AValue - 1) : pmCopy;
}

uint8_t EncodeMetaPenStyle(int AValue) {
  return (AValue >= psDash && AValue <= psInsideFrame) ? static_cast<uint8_t>(AValue + 1) : RLMeta::PenStyleSolid;
}

TPenStyle DecodeMetaPenStyle(uint8_t AValue) {
  return (AValue >= 2 && AValue <= 7) ? static_cast<TPenStyle>(AValue - 1) : psSolid;
}

uint8_t EncodeMetaBrushStyle(int AValue) {
  return (AValue >= 0 && AValue <= 7) ? static_cast<uint8_t>(AValue + 1) : RLMeta::BrushStyleSolid;
}

TBrushStyle DecodeMetaBrushStyle(uint8_t AValue) {
  return (AValue >= 2 && AValue <= 8) ? static_cast<TBrushStyle>(AValue - 1) : bsSolid;
}

uint8_t EncodeMetaFontPitch(int AValue) {
  switch (AValue) {
    case fpVariable: return 2;
    case fpFixed: return 3;
    default: return 1;
  }
}

TFontPitch DecodeMetaFontPitch(uint8_t AValue) {
  switch (AValue) {
    case 2: return fpVariable;
    case 3: return fpFixed;
    default: return fpDefault;
  }
}

uint8_t EncodeMetaAlignment(int AValue) {
  switch (AValue) {
    case 1: return RLMeta::AlignRight;
    case 2: return RLMeta::AlignCenter;
    case 3: return RLMeta::AlignJustify;
    default: return RLMeta::AlignLeft;
  }
}

uint8_t EncodeMetaLayout(int AValue) {
  switch (AValue) {
    case 1: return RLMeta::LayoutCenter;
    case 2: return RLMeta::LayoutBottom;
    default: return RLMeta::LayoutTop;
  }
}

TRLMetaRect EncodeMetaRect(const TRect& AValue) { return {AValue.Left, AValue.Top, AValue.Right, AValue.Bottom}; }
TRLMetaPoint EncodeMetaPoint(TPoint AValue) { return {AValue.X, AValue.Y}; }

TRLMetaPointArray EncodeMetaPoints(const std::vector<TPoint>& AValue) {
  TRLMetaPointArray points;
  points.reserve(AValue.size());
  for (const TPoint& p : AValue) points.push_back(EncodeMetaPoint(p));
  return points;
}

void EncodeMetaPen(const TPen* ASource, TRLMetaPen* ADest) {
  ADest->SetColor(EncodeMetaColor(ASource->Color()));
  ADest->SetMode(EncodeMetaPenMode(ASource->Mode()));
  ADest->SetStyle(EncodeMetaPenStyle(ASource->Style()));
  ADest->SetWidth(ASource->Width());
}

void EncodeMetaBrush(const TBrush* ASource, TRLMetaBrush* ADest) {
  ADest->SetColor(EncodeMetaColor(ASource->Color()));
  ADest->SetStyle(EncodeMetaBrushStyle(ASource->Style()));
}

void EncodeMetaFont(const TFont* ASource, TRLMetaFont* ADest) {
  ADest->SetPixelsPerInch(ASource->PixelsPerInch());
  ADest->SetCharset(EncodeMetaCharset(ASource->Charset()));
  ADest->SetColor(EncodeMetaColor(ASource->Color()));
  ADest->SetHeight(ASource->Height());
  ADest->SetName(ASource->Name());
  ADest->SetPitch(EncodeMetaFontPitch(ASource->Pitch()));
  ADest->SetSize(ASource->Size());
  ADest->SetStyle(EncodeMetaFontStyles(ASource->Style()));
}

void DecodeMetaPen(const TRLMetaPen* ASource, TPen* ADest) {
  ADest->SetColor(DecodeMetaColor(ASource->Color()));
  ADest->SetMode(DecodeMetaPenMode(ASource->Mode()));
  ADest->SetStyle(DecodeMetaPenStyle(ASource->Style()));
  ADest->SetWidth(ASource->Width());
}

void DecodeMetaBrush(const TRLMetaBrush* ASource, TBrush* ADest) {
  ADest->SetColor(DecodeMetaColor(ASource->Color()));
  ADest->SetStyle(DecodeMetaBrushStyle(ASource->Style()));
}

void DecodeMetaFont(const TRLMetaFont* ASource, TFont* ADest, double AFactor) {
  ADest->SetCharset(DecodeMetaCharset(ASource->Charset()));
  ADest->SetColor(DecodeMetaColor(ASource->Color()));
  ADest->SetName(ASource->Name());
  ADest->SetPitch(DecodeMetaFontPitch(ASource->Pitch()));
  ADest->SetStyle(DecodeMetaFontStyles(ASource->Style()));
  double p1 = ASource->PixelsPerInch() == 0 ? 96 : ASource->PixelsPerInch();
  double p2 = ADest->PixelsPerInch() == 0 ? 96 : ADest->PixelsPerInch();
  ADest->SetSize(static_cast<int>(Round(ASource->Size() * AFactor * p1 / p2)));
}

AnsiString EncodeMetaGraphic(TGraphic* AGraphic) {
  if (!AGraphic) return "NIL";
  if (auto* bitmap = dynamic_cast<TBitmap*>(AGraphic)) return "BMP" + bitmap->SaveToBmpBytes();
  if (auto* icon = dynamic_cast<TIcon*>(AGraphic)) return "ICO" + icon->SaveToIcoBytes();
  TBitmap bitmap;
  bitmap.SetSize(AGraphic->Width(), AGraphic->Height());
  bitmap.Canvas()->Draw(0, 0, AGraphic);
  return "BMP" + bitmap.SaveToBmpBytes();
}

std::unique_ptr<TGraphic> DecodeMetaGraphic(const AnsiString& AData) {
  if (AData.size() < 3) return nullptr;
  std::string tag = AData.substr(0, 3);
  std::string bytes = AData.substr(3);
  try {
    if (tag == "BMP") {
      auto bitmap = std::make_unique<TBitmap>();
      bitmap->LoadFromBmpBytes(bytes);
      return bitmap;
    }
    if (tag == "ICO") {
      auto icon = std::make_unique<TIcon>();
      icon->LoadFromIcoBytes(bytes);
      return icon;
    }
  } catch (const Exception&) {
    // A damaged image draws nothing; the rest of the page still paints.
  }
  return nullptr;
}

void CanvasSetClip(TCanvas* ACanvas, const TRect& ARect) {
  HDC dc = ACanvas->Handle();
  SelectClipRgn(dc, nullptr);
  if (ARect.Width() == 0 || ARect.Height() == 0) return;
  IntersectClipRect(dc, ARect.Left, ARect.Top, ARect.Right, ARect.Bottom);
}

void CanvasClearClip(TCanvas* ACanvas) { SelectClipRgn(ACanvas->Handle(), nullptr); }

void ScaleCanvasPenWidth(TPen* APen, double AFactor) {
  if (APen->Width() < 2) return;
  APen->SetWidth(std::max(1, static_cast<int>(Round(APen->Width() * AFactor))));
}

void CanvasDrawImageData(TCanvas* ACanvas, TRect ARect, const AnsiString& AData, bool AParity) {
  std::unique_ptr<TGraphic> graphic = DecodeMetaGraphic(AData);
  if (!graphic) return;
  int w = graphic->Width();
  if (AParity && w != 0) ARect.Right = ARect.Left + w * (ARect.Width() / w) + 1;
  ACanvas->StretchDraw(ARect, graphic.get());
}

void CanvasTextOutAligned(TCanvas* ACanvas, const TRect& ARect, int AX, int AY, uint16_t ATextFlags,
                          uint8_t ALayout, uint8_t AAlignment, const AnsiString& AText) {
  auto width = [&](const AnsiString& s) { return ACanvas->TextWidth(FromAnsiText(s)); };
  int half = width(" ") / 2;
  TSize extent = ACanvas->TextExtent(FromAnsiText(AText + " "));
  int x;
  switch (AAlignment) {
    case RLMeta::AlignRight: x = ARect.Right - extent.cx; break;
    case RLMeta::AlignCenter: x = (ARect.Left + ARect.Right - extent.cx) / 2; break;
    default: x = AX; break;
  }
  x += half;
  int y;
  switch (ALayout) {
    case RLMeta::LayoutBottom: y = ARect.Bottom - extent.cy; break;
    case RLMeta::LayoutCenter: y = (ARect.Top + ARect.Bottom - extent.cy) / 2; break;
    default: y = AY; break;
  }
  AnsiString text = AText;
  if (AAlignment == RLMeta::AlignJustify) {
    int available = ARect.Right - x;
    int position = static_cast<int>(text.size());
    for (int added = 0; added < MaxJustifySpaces && width(text + " ") <= available; ++added)
      if (!AddJustifySpaceWrapping(text, position)) break;
  }
  if (ATextFlags & RLMeta::TextFlagNoClip)
    ACanvas->TextOut(x, y, FromAnsiText(text));
  else
    ACanvas->TextRect(ARect, x, y, FromAnsiText(text));
}

namespace {
// Narrows [AFirst, ALast], distances along the line from AStart in the unit
// direction, to the part inside ABox (Liang-Barsky).
void ClipSegment(TPoint AStart, double AUx, double AUy, const TRect& ABox, double& AFirst, double& ALast) {
  auto edge = [&](double p, double q) {
    if (p == 0) {
      if (q < 0) ALast = AFirst - 1;
      return;
    }
    double t = q / p;
    if (p < 0)
      AFirst = std::max(AFirst, t);
    else
      ALast = std::min(ALast, t);
  };
  edge(-AUx, AStart.X - ABox.Left);
  edge(AUx, ABox.Right - AStart.X);
  edge(-AUy, AStart.Y - ABox.Top);
  edge(AUy, ABox.Bottom - AStart.Y);
  if (ALast < AFirst) AFirst = ALast = 0;
}

std::vector<int> DashPattern(TPenStyle AStyle) {
  switch (AStyle) {
    case psDash: return {3, 1};
    case psDot: return {1, 1};
    case psDashDot: return {2, 1, 1, 1};
    case psDashDotDot: return {3, 1, 1, 1, 1, 1};
    default: return {};
  }
}
}  // namespace

void CanvasDashedLineTo(TCanvas* ACanvas, int AX, int AY) {
  TPen* pen = ACanvas->Pen();
  std::vector<int> pattern = DashPattern(pen->Style());
  if (pattern.empty() || pen->Width() <= 1) {
    ACanvas->LineTo(AX, AY);
    return;
  }
  TPenStyle style = pen->Style();
  int penWidth = pen->Width();
  TColor penColor = pen->Color();
  TPoint start = ACanvas->PenPos();
  double dx = AX - start.X, dy = AY - start.Y;
  int64_t length = Round(std::sqrt(dx * dx + dy * dy));
  double distance = std::sqrt(dx * dx + dy * dy);
  double ux = distance > 0 ? dx / distance : 0, uy = distance > 0 ? dy / distance : 0;
  int64_t unit = 4 * static_cast<int64_t>(penWidth);
  pen->SetStyle(psSolid);
  if (ACanvas->Brush()->Style() != bsClear) {
    pen->SetColor(ACanvas->Brush()->Color());
    ACanvas->LineTo(AX, AY);
  }
  pen->SetColor(penColor);
  // Only the part inside the canvas's clip box is dashed, starting at a
  // whole pattern cycle, so a line far longer than the page stays cheap.
  int64_t cycle = 0;
  for (int part : pattern) cycle += part * unit;
  double first = 0, last = static_cast<double>(length);
  TRect box = ACanvas->ClipRect();
  int margin = static_cast<int>(std::min<int64_t>(unit, 1 << 20));
  ClipSegment(start, ux, uy, GrowRectByMargins(box, margin, margin, margin, margin), first, last);
  int64_t pos = std::max<int64_t>(0, static_cast<int64_t>(first / cycle) * cycle);
  ACanvas->MoveTo(start.X + static_cast<int>(Round(pos * ux)), start.Y + static_cast<int>(Round(pos * uy)));
  int64_t stop = static_cast<int64_t>(std::min<double>(static_cast<double>(length), last + cycle));
  size_t k = 0;
  bool drawing = true;
  while (pos < stop) {
    pos = std::min(length, pos + pattern[k] * unit);
    int x = start.X + static_cast<int>(Round(pos * ux));
    int y = start.Y + static_cast<int>(Round(pos * uy));
    if (drawing)
      ACanvas->LineTo(x, y);
    else
      ACanvas->MoveTo(x, y);
    drawing = !drawing;
    k = (k + 1) % pattern.size();
  }
  ACanvas->MoveTo(AX, AY);
  pen->SetStyle(style);
  pen->SetWidth(penWidth);
}

void CanvasStart(TCanvas*) {}
void CanvasStop(TCanvas*) {}
