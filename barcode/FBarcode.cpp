#include "barcode/FBarcode.h"
#include "barcode/ZintBinding.h"

TFBarcode::TFBarcode(TComponent* AOwner) : TComponent(AOwner) {}

TFBarcode::~TFBarcode() = default;

String TFBarcode::About() const {
  return u"TFBarcode: barcode images of 92 symbologies through the zint library";
}

void TFBarcode::RangeError() { throw EInvalidOperation(u"TFBarcode property out of range"); }

void TFBarcode::AssignInRange(int& field, int value, int low, int high) {
  if (field == value) return;
  if (value < low || value > high) RangeError();
  field = value;
  FChanged = true;
}

void TFBarcode::SetBackColor(TAlphaColor value) { Store(FBackColor, value); }
void TFBarcode::SetBorderWidth(int value) { AssignInRange(FBorderWidth, value, 0, 1000); }
void TFBarcode::SetColumns(int value) { AssignInRange(FColumns, value, 0, 66); }
void TFBarcode::SetDataMatrix(TDataMatrix value) { Store(FDataMatrix, value); }
void TFBarcode::SetEciEncoding(TEciEncoding value) { Store(FEciEncoding, value); }
void TFBarcode::SetEncodingMode(TEncodingMode value) { Store(FEncodingMode, value); }
void TFBarcode::SetFontSize(int value) { AssignInRange(FFontSize, value, 0, 100); }
void TFBarcode::SetForeColor(TAlphaColor value) { Store(FForeColor, value); }
void TFBarcode::SetHeight(int value) { AssignInRange(FHeight, value, 0, 1000); }
void TFBarcode::SetInputEscape(bool value) { Store(FInputEscape, value); }
void TFBarcode::SetInputMode(TInputMode value) { Store(FInputMode, value); }
void TFBarcode::SetInputText(const String& value) { Store(FInputText, value); }
void TFBarcode::SetOutputOptions(TOutputOptions value) { Store(FOutputOptions, value); }
void TFBarcode::SetPrimaryMessage(const String& value) { Store(FPrimaryMessage, value); }
void TFBarcode::SetRotation(int value) { Store(FRotation, value); }
void TFBarcode::SetRows(int value) { AssignInRange(FRows, value, 0, 44); }
void TFBarcode::SetSecurityLevel(TSecurityLevel value) { Store(FSecurityLevel, value); }
void TFBarcode::SetShowText(bool value) { Store(FShowText, value); }
void TFBarcode::SetSymbology(TSymbology value) { Store(FSymbology, value); }
void TFBarcode::SetSymbolVersion(int value) { AssignInRange(FSymbolVersion, value, 0, 84); }
void TFBarcode::SetWhiteSpaceWidth(int value) { Store(FWhiteSpaceWidth, value); }

void TFBarcode::SetDotSize(float value) {
  if (FDotSize == value) return;
  if (!(value >= 0)) RangeError();  // NaN fails too
  FDotSize = value;
  FChanged = true;
}

void TFBarcode::SetScale(float value) {
  if (FScale == value) return;
  if (!(value > 0)) RangeError();
  FScale = value;
  FChanged = true;
}

void TFBarcode::SetSymbologyName(const String& value) {
  if (value == SymbologyName()) return;
  for (int i = 0; i < SymbologyCount; ++i) {
    const auto symbology = static_cast<TSymbology>(i);
    if (SymbologyDisplayName(symbology) == value) {
      SetSymbology(symbology);
      return;
    }
  }
  throw EBarcodeError(u"Symbology not found");
}

String TFBarcode::GetSymbologyNames(TSymbology index) { return SymbologyDisplayName(index); }

TPixelBitmap* TFBarcode::Bitmap() {
  UpdateBarcode();
  return FBitmap.get();
}

String TFBarcode::OutputText() {
  UpdateBarcode();
  return FOutputText;
}

int TFBarcode::RowCount() {
  UpdateBarcode();
  return FRowCount;
}

int TFBarcode::Width() {
  UpdateBarcode();
  return FWidth;
}

void TFBarcode::Save(const String& FileName) {
  FChanged = true;
  UpdateBarcode(&FileName);
}

int TFBarcode::Version() {
  LoadZint();
  return Zint().ZBarcode_Version();
}
