#pragma once
// Non-visual component that turns a text into a barcode image through the
// zint library. Encoding is lazy: the next read of Bitmap, OutputText,
// RowCount or Width encodes once, and only after a setting changed.
#include "barcode/BarcodeError.h"
#include "barcode/BarcodeTypes.h"
#include "platform/classes/Component.h"
#include "platform/pixmap/PixelBitmap.h"
#include <memory>

class TFBarcode : public TComponent {
public:
  explicit TFBarcode(TComponent* AOwner);
  ~TFBarcode() override;

  // Published. Setters ignore an equal value; out-of-range values raise
  // EInvalidOperation "TFBarcode property out of range" and are not stored.
  String About() const;
  void SetAbout(const String&) {}
  TAlphaColor BackColor() const { return FBackColor; }
  void SetBackColor(TAlphaColor value);
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int value);  // 0..1000
  int Columns() const { return FColumns; }
  void SetColumns(int value);  // 0..66
  TDataMatrix DataMatrix() const { return FDataMatrix; }
  void SetDataMatrix(TDataMatrix value);
  float DotSize() const { return FDotSize; }
  void SetDotSize(float value);  // >= 0
  TEciEncoding EciEncoding() const { return FEciEncoding; }
  void SetEciEncoding(TEciEncoding value);
  TEncodingMode EncodingMode() const { return FEncodingMode; }
  void SetEncodingMode(TEncodingMode value);
  int FontSize() const { return FFontSize; }
  void SetFontSize(int value);  // 0..100
  TAlphaColor ForeColor() const { return FForeColor; }
  void SetForeColor(TAlphaColor value);
  int Height() const { return FHeight; }
  void SetHeight(int value);  // 0..1000
  bool InputEscape() const { return FInputEscape; }
  void SetInputEscape(bool value);
  TInputMode InputMode() const { return FInputMode; }
  void SetInputMode(TInputMode value);
  const String& InputText() const { return FInputText; }
  void SetInputText(const String& value);
  TOutputOptions OutputOptions() const { return FOutputOptions; }
  void SetOutputOptions(TOutputOptions value);
  const String& PrimaryMessage() const { return FPrimaryMessage; }
  void SetPrimaryMessage(const String& value);
  int Rotation() const { return FRotation; }
  void SetRotation(int value);
  int Rows() const { return FRows; }
  void SetRows(int value);  // 0..44
  float Scale() const { return FScale; }
  void SetScale(float value);  // > 0
  TSecurityLevel SecurityLevel() const { return FSecurityLevel; }
  void SetSecurityLevel(TSecurityLevel value);
  bool ShowText() const { return FShowText; }
  void SetShowText(bool value);
  TSymbology Symbology() const { return FSymbology; }
  void SetSymbology(TSymbology value);
  String SymbologyName() const { return GetSymbologyNames(FSymbology); }
  // Exact display name; an unknown one raises EBarcodeError "Symbology not found".
  void SetSymbologyName(const String& value);
  int SymbolVersion() const { return FSymbolVersion; }
  void SetSymbolVersion(int value);  // 0..84
  int WhiteSpaceWidth() const { return FWhiteSpaceWidth; }
  void SetWhiteSpaceWidth(int value);

  // Encode first when needed; raise EBarcodeError on a library failure.
  // The bitmap is owned by the component (null until the first encoding).
  TPixelBitmap* Bitmap();
  String OutputText();
  int RowCount();
  int Width();

  // Has the library write the image to FileName, in the format its
  // extension names; the next read of Bitmap encodes again.
  void Save(const String& FileName);
  // The zint library's version number (loads the library).
  int Version();

  static String GetSymbologyNames(TSymbology index);

private:
  template <class T>
  void Store(T& field, const T& value) {
    if (field == value) return;
    field = value;
    FChanged = true;
  }
  void AssignInRange(int& field, int value, int low, int high);
  [[noreturn]] static void RangeError();
  // The encoding step; with a file name the library prints to that file.
  void UpdateBarcode(const String* fileName = nullptr);

  TAlphaColor FBackColor = 0xFFFFFFFF;
  int FBorderWidth = 0;
  int FColumns = 0;
  TDataMatrix FDataMatrix = TDataMatrix::dmDefault;
  float FDotSize = 0;
  TEciEncoding FEciEncoding = TEciEncoding::enDefault;
  TEncodingMode FEncodingMode = TEncodingMode::emDefault;
  int FFontSize = 8;
  TAlphaColor FForeColor = 0xFF000000;
  int FHeight = 50;
  bool FInputEscape = false;
  TInputMode FInputMode = TInputMode::imData;
  String FInputText;
  TOutputOptions FOutputOptions;
  String FPrimaryMessage;
  int FRotation = 0;
  int FRows = 0;
  float FScale = 1.0f;
  TSecurityLevel FSecurityLevel = TSecurityLevel::slDefault;
  bool FShowText = true;
  TSymbology FSymbology = TSymbology::syQRCode;
  int FSymbolVersion = 0;
  int FWhiteSpaceWidth = 0;

  bool FChanged = true;
  std::unique_ptr<TPixelBitmap> FBitmap;
  String FOutputText;
  int FRowCount = 0;
  int FWidth = 0;
};
