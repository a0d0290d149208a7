#include "report/pages/RLUtils.h"
#include "report/pages/RLMetaRecords.h"
#include "platform/classes/Component.h"
#include "platform/classes/Streams.h"
#include "platform/data/Field.h"
#include "platform/rtl/NumUtils.h"
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

namespace {
std::unique_ptr<TRLBitmap> GMeasureBitmap;

char16_t UpperAscii(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c; }

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
}  // namespace

String FromAnsiText(const AnsiString& AText) { return AnsiToString(AText); }

TRLBitmap* MeasureBitmap() {
  if (!GMeasureBitmap) {
    GMeasureBitmap = std::make_unique<TRLBitmap>();
    GMeasureBitmap->SetSize(1, 1);
  }
  return GMeasureBitmap.get();
}

void FreeMeasureBitmap() { GMeasureBitmap.reset(); }

namespace {
bool SameFont(const TFont& a, const TFont& b) {
  return a.PixelsPerInch() == b.PixelsPerInch() && a.Height() == b.Height() && a.Name() == b.Name() &&
         a.Style() == b.Style() && a.Charset() == b.Charset() && a.Pitch() == b.Pitch() &&
         a.Orientation() == b.Orientation() && a.Color() == b.Color();
}
}  // namespace

TCanvas* MeasureCanvas(const TFont* AFont) {
  TCanvas* canvas = MeasureBitmap()->Canvas();
  if (!SameFont(*canvas->Font(), *AFont)) canvas->SetFont(AFont);
  return canvas;
}

TSize MeasureRotatedText(const String& AText, TFont* AFont, int AAngle) {
  TCanvas* canvas = MeasureCanvas(AFont);
  TSize size = canvas->TextExtent(AText);
  if (AAngle == 0) return size;
  std::vector<TPoint> corners = {{0, 0}, {size.cx, 0}, {size.cx, size.cy}, {0, size.cy}};
  RotatePointsAboutCentre(corners, AAngle);
  return PointsExtent(corners);
}

String FieldTextForReport(TField* AField, const String& ADisplayMask) {
  if (AField->IsBlob() && !AField->OnGetText) return AField->AsString();
  TFieldType type = AField->DataType();
  bool isFloat = type == ftFloat || type == ftCurrency || type == ftBCD;
  if (isFloat && !ADisplayMask.empty()) return FormatFloat(ADisplayMask, AField->AsFloat());
  return AField->DisplayText();
}

String GetDelimitedItem(const String& AText, int AIndex, char16_t ADelimiter) {
  int item = 1;
  size_t start = 0;
  while (true) {
    size_t end = AText.find(ADelimiter, start);
    if (item == AIndex) return AText.substr(start, end == String::npos ? String::npos : end - start);
    if (end == String::npos) return String();
    start = end + 1;
    ++item;
  }
}

String SetDelimitedItem(const String& AText, int AIndex, const String& AValue, char16_t ADelimiter) {
  std::vector<String> items;
  if (!AText.empty()) {
    size_t start = 0;
    while (true) {
      size_t end = AText.find(ADelimiter, start);
      items.push_back(AText.substr(start, end == String::npos ? String::npos : end - start));
      if (end == String::npos) break;
      start = end + 1;
    }
  }
  if (AIndex < 1) return AText;
  while (static_cast<int>(items.size()) < AIndex) items.emplace_back();
  items[static_cast<size_t>(AIndex - 1)] = AValue;
  String result;
  for (size_t i = 0; i < items.size(); ++i) {
    if (i > 0) result += ADelimiter;
    result += items[i];
  }
  return result;
}

String DottedExtension(const String& AExt) {
  if (AExt.empty() || AExt[0] == u'.') return AExt;
  return u"." + AExt;
}

String NextComponentName(TComponent* AComponent, const String& AClassName) {
  String base = AClassName;
  if (!base.empty() && UpperAscii(base[0]) == u'T') base.erase(0, 1);
  int64_t highest = 0;
  if (TComponent* owner = AComponent ? AComponent->Owner() : nullptr) {
    for (int i = 0; i < owner->ComponentCount(); ++i) {
      const String& name = owner->Components(i)->Name();
      if (name.size() < base.size()) continue;
      bool sameBase = std::equal(base.begin(), base.end(), name.begin(),
                                 [](char16_t a, char16_t b) { return UpperAscii(a) == UpperAscii(b); });
      if (!sameBase) continue;
      int64_t n = StrToInt64Def(StringView(name).substr(base.size()), 0);
      highest = std::max(highest, n);
    }
  }
  return base + IntToStr(highest + 1);
}

TRect MoveRectTo(const TRect& ARect, int AX, int AY) {
  return {AX, AY, AX + RectWidth(ARect), AY + RectHeight(ARect)};
}

TRect ShrinkRectByMargins(const TRect& ARect, int ALeft, int ATop, int ARight, int ABottom) {
  return {ARect.Left + ALeft, ARect.Top + ATop, ARect.Right - ARight, ARect.Bottom - ABottom};
}

TRLMetaRect ShrinkMetaRectByMargins(const TRLMetaRect& ARect, int ALeft, int ATop, int ARight, int ABottom) {
  return {ARect.Left + ALeft, ARect.Top + ATop, ARect.Right - ARight, ARect.Bottom - ABottom};
}

TRect GrowRectByMargins(const TRect& ARect, int ALeft, int ATop, int ARight, int ABottom) {
  return {ARect.Left - ALeft, ARect.Top - ATop, ARect.Right + ARight, ARect.Bottom + ABottom};
}

TRect PointsRect(const std::vector<TPoint>& APoints) {
  if (APoints.empty()) return TRect();
  TRect r(APoints[0].X, APoints[0].Y, APoints[0].X, APoints[0].Y);
  for (const TPoint& p : APoints) {
    r.Left = std::min(r.Left, p.X);
    r.Top = std::min(r.Top, p.Y);
    r.Right = std::max(r.Right, p.X);
    r.Bottom = std::max(r.Bottom, p.Y);
  }
  return r;
}

TSize PointsExtent(const std::vector<TPoint>& APoints) {
  TRect r = PointsRect(APoints);
  return {RectWidth(r), RectHeight(r)};
}

TPoint RotatePointByAngle(TPoint APoint, double ASin, double ACos) {
  return {static_cast<int32_t>(Round(APoint.X * ACos - APoint.Y * ASin)),
          static_cast<int32_t>(Round(APoint.X * ASin + APoint.Y * ACos))};
}

void RotatePointsAboutCentre(std::vector<TPoint>& APoints, double AAngle) {
  if (APoints.empty()) return;
  double a = -AAngle * M_PI / 180.0;
  double s = std::sin(a), c = std::cos(a);
  double sumX = 0, sumY = 0;
  for (const TPoint& p : APoints) {
    sumX += p.X;
    sumY += p.Y;
  }
  TPoint centre(static_cast<int32_t>(Round(sumX / APoints.size())), static_cast<int32_t>(Round(sumY / APoints.size())));
  for (TPoint& p : APoints) {
    TPoint r = RotatePointByAngle({p.X - centre.X, p.Y - centre.Y}, s, c);
    p = {r.X + centre.X, r.Y + centre.Y};
  }
}

TRect FitRectKeepingAspect(const TRect& ASource, const TRect& ATarget, bool ACenter) {
  double sw = RectWidth(ASource) == 0 ? 1 : RectWidth(ASource);
  double sh = RectHeight(ASource) == 0 ? 1 : RectHeight(ASource);
  int tw = RectWidth(ATarget), th = RectHeight(ATarget);
  int width, height;
  if (tw / sw > th / sh) {
    height = th;
    width = static_cast<int>(Round(th * sw / sh));
  } else {
    width = tw;
    height = static_cast<int>(Round(tw * sh / sw));
  }
  TRect r(ATarget.Left, ATarget.Top, ATarget.Left + width, ATarget.Top + height);
  if (ACenter) {
    int dx = (tw - width) / 2, dy = (th - height) / 2;
    r = {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
  }
  return r;
}

bool AddJustifySpace(AnsiString& AText, int& APosition) {
  auto at = [&](int p) { return AText[static_cast<size_t>(p - 1)]; };
  if (APosition > static_cast<int>(AText.size())) APosition = static_cast<int>(AText.size());
  while (APosition > 0 && IsBlank(at(APosition))) --APosition;
  while (APosition > 0 && !IsBlank(at(APosition))) --APosition;
  if (APosition <= 0) return false;
  while (APosition > 0 && IsBlank(at(APosition))) --APosition;
  if (APosition <= 0) return false;
  AText.insert(static_cast<size_t>(APosition), 1, ' ');
  return true;
}

bool AddJustifySpaceWrapping(AnsiString& AText, int& APosition) {
  if (AddJustifySpace(AText, APosition)) return true;
  APosition = static_cast<int>(AText.size());
  return AddJustifySpace(AText, APosition);
}

uint8_t HexPairToByte(const char16_t AChars[2]) {
  static const String digits = u"0123456789ABCDEF";
  auto position = [](char16_t c) {
    size_t p = digits.find(UpperAscii(c));
    return p == String::npos ? 0 : static_cast<int>(p) + 1;
  };
  int value = position(AChars[0]) * 16 + position(AChars[1]) - 17;
  return static_cast<uint8_t>(((value % 256) + 256) % 256);
}

TRLBitmap* BitmapFromHexText(const String& AText) {
  std::string bytes;
  bytes.reserve(AText.size() / 2);
  for (size_t i = 0; i + 1 < AText.size(); i += 2) bytes.push_back(static_cast<char>(HexPairToByte(&AText[i])));
  // The stored-bitmap form: an int32 size, then the bitmap file.
  TRLBitmap* bitmap = MeasureBitmap();
  if (bytes.size() >= 4) bitmap->LoadFromBmpBytes(bytes.substr(4));
  return bitmap;
}

String MillimetresToText(double AValue) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.4f", AValue);
  return AsciiToString(buffer);
}

double TextToMillimetres(const String& AText) {
  TFormatSettings dot = FormatSettings;
  dot.DecimalSeparator = u'.';
  double value = 0;
  return TryStrToFloat(AText, value, dot) ? value : 0;
}
