#pragma once
// Library-wide routines of the report library: the measuring bitmap every
// text is measured on, delimited items, component names, rectangle and
// point geometry, the justification step, hexadecimal bitmaps and the text
// of a data field as a report shows it. UI thread only.
#include "platform/rtl/String.h"
#include "platform/ui/graphics/Bitmap.h"
#include "platform/ui/graphics/Geometry.h"
#include <vector>

class TComponent;
class TField;
struct TRLMetaRect;

// Every bitmap the library creates itself.
class TRLBitmap : public TBitmap {};

String FromAnsiText(const AnsiString& AText);

template <typename T>
void FreeAndClear(T*& AObject) {
  T* object = AObject;
  AObject = nullptr;
  delete object;
}

// The shared 1 x 1 bitmap whose canvas measures texts; created on first use
// and freed by the library's shut-down.
TRLBitmap* MeasureBitmap();
void FreeMeasureBitmap();
// The measuring bitmap's canvas carrying AFont. Selecting a font realises it
// again, which is dear, so the canvas is handed a font only when it differs.
TCanvas* MeasureCanvas(const TFont* AFont);
TSize MeasureRotatedText(const String& AText, TFont* AFont, int AAngle);

String FieldTextForReport(TField* AField, const String& ADisplayMask);

// "|"-separated items, numbered from 1.
String GetDelimitedItem(const String& AText, int AIndex, char16_t ADelimiter = u'|');
String SetDelimitedItem(const String& AText, int AIndex, const String& AValue, char16_t ADelimiter = u'|');
String DottedExtension(const String& AExt);

// The class name without its leading T, followed by one more than the
// largest number already used after it among the owner's components.
String NextComponentName(TComponent* AComponent, const String& AClassName);

TRect MoveRectTo(const TRect& ARect, int AX, int AY);
inline int RectWidth(const TRect& ARect) { return ARect.Right - ARect.Left; }
inline int RectHeight(const TRect& ARect) { return ARect.Bottom - ARect.Top; }
TRect ShrinkRectByMargins(const TRect& ARect, int ALeft, int ATop, int ARight, int ABottom);
TRLMetaRect ShrinkMetaRectByMargins(const TRLMetaRect& ARect, int ALeft, int ATop, int ARight, int ABottom);
TRect GrowRectByMargins(const TRect& ARect, int ALeft, int ATop, int ARight, int ABottom);
TRect PointsRect(const std::vector<TPoint>& APoints);
TSize PointsExtent(const std::vector<TPoint>& APoints);
// Positive angles (degrees) turn counter-clockwise on a y-down canvas.
void RotatePointsAboutCentre(std::vector<TPoint>& APoints, double AAngle);
TPoint RotatePointByAngle(TPoint APoint, double ASin, double ACos);
TRect FitRectKeepingAspect(const TRect& ASource, const TRect& ATarget, bool ACenter);

// One step of spreading a text: widens the gap left of APosition (1-based)
// by one space; false when no gap is left of it.
bool AddJustifySpace(AnsiString& AText, int& APosition);
// Cycles through the gaps from right to left again when the first pass
// runs out; false only for a text without any gap.
bool AddJustifySpaceWrapping(AnsiString& AText, int& APosition);
// Spaces one justification may insert: a font whose space measures 0 would
// otherwise never stop the loop.
constexpr int MaxJustifySpaces = 1024;

uint8_t HexPairToByte(const char16_t AChars[2]);
// Loads the bitmap into the measuring bitmap and returns it: valid only
// until the measuring bitmap's next user.
TRLBitmap* BitmapFromHexText(const String& AText);

// Paper sizes in page macros: exactly 4 decimals with "." ("210.0000");
// text that is no such number reads as 0.
String MillimetresToText(double AValue);
double TextToMillimetres(const String& AText);
