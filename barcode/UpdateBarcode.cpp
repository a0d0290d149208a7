// The encoding step: fill a zint symbol from the settings, encode, and
// either print to a file or copy the rendered RGB buffer into the bitmap.
#include "barcode/FBarcode.h"
#include "barcode/ZintBinding.h"
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

// zint takes colours as RRGGBB; the alpha byte is dropped.
void WriteColour(char (&target)[10], TAlphaColor colour) {
  std::snprintf(target, sizeof target, "%02X%02X%02X", (colour >> 16) & 0xFF,
                (colour >> 8) & 0xFF, colour & 0xFF);
}

String ErrorText(const zint_symbol& symbol) {
  return AnsiToString(std::string(symbol.errtxt, strnlen(symbol.errtxt, sizeof symbol.errtxt)));
}

bool UsesSecurityLevel(TSymbology s) {
  switch (s) {
    case TSymbology::syPDF417:
    case TSymbology::syPDF417Truncated:
    case TSymbology::syQRCode:
    case TSymbology::syMicroPDF417:
    case TSymbology::syMicroQRCode:
    case TSymbology::syHIBC_QRCode:
    case TSymbology::syHIBC_PDF417:
    case TSymbology::syHIBC_MicroPDF417:
      return true;
    default:
      return false;
  }
}

bool UsesEncodingMode(TSymbology s) {
  return s == TSymbology::syMaxicode ||
         (s >= TSymbology::syCompositeEAN && s <= TSymbology::syCompositeGS1_DataBarExpandedStacked);
}

bool UsesSymbolVersion(TSymbology s) {
  return s == TSymbology::syQRCode || s == TSymbology::syMicroQRCode || s == TSymbology::syHIBC_QRCode;
}

class TMapGuard {
public:
  TMapGuard(TPixelBitmap& bitmap, TBitmapData& data) : FBitmap(bitmap), FData(data) {}
  ~TMapGuard() { FBitmap.Unmap(FData); }

private:
  TPixelBitmap& FBitmap;
  TBitmapData& FData;
};

}  // namespace

void TFBarcode::UpdateBarcode(const String* fileName) {
  if (!FChanged) return;
  LoadZint();
  TZintEntryPoints& z = Zint();

  std::unique_ptr<zint_symbol, decltype(z.ZBarcode_Delete)> symbol(z.ZBarcode_Create(),
                                                                   z.ZBarcode_Delete);
  if (!symbol) return;
  z.ZBarcode_Clear(symbol.get());
  zint_symbol& s = *symbol;

  s.symbology = ZintSymbologyNumber(FSymbology);
  s.height = static_cast<float>(FHeight);
  s.whitespace_width = FWhiteSpaceWidth;
  s.border_width = FBorderWidth;

  if (fileName) {
    const std::string name = StringToUtf8(*fileName);
    BarcodeCheck(name.size() < sizeof s.outfile, u"FileName size has to be less than 256 characters");
    std::memcpy(s.outfile, name.c_str(), name.size() + 1);
  }

  s.output_options = static_cast<int>(FOutputOptions.Bits());
  s.fontsize = FFontSize;
  WriteColour(s.fgcolour, FForeColor);
  WriteColour(s.bgcolour, FBackColor);
  s.scale = FScale;
  s.show_hrt = FShowText ? 1 : 0;
  s.input_mode = static_cast<int>(FInputMode) + (FInputEscape ? ESCAPE_MODE : 0);
  if (FEciEncoding != TEciEncoding::enDefault) s.eci = EciNumber(FEciEncoding);
  if (FDotSize > 0) s.dot_size = FDotSize;

  if (UsesSecurityLevel(FSymbology)) {
    if (FSecurityLevel != TSecurityLevel::slDefault) s.option_1 = static_cast<int>(FSecurityLevel);
  } else if (UsesEncodingMode(FSymbology)) {
    if (FEncodingMode != TEncodingMode::emDefault) s.option_1 = static_cast<int>(FEncodingMode) - 1;
  } else if (FRows != 0) {
    s.option_1 = FRows;
  }
  const int option2 = UsesSymbolVersion(FSymbology) ? FSymbolVersion : FColumns;
  if (option2 != 0) s.option_2 = option2;
  if (FDataMatrix == TDataMatrix::dmSquare) s.option_3 = DM_SQUARE;
  if (FDataMatrix == TDataMatrix::dmExtended) s.option_3 = DM_DMRE;

  const std::string primary = StringToUtf8(FPrimaryMessage).substr(0, sizeof s.primary - 1);
  std::memcpy(s.primary, primary.c_str(), primary.size() + 1);

  const std::string text = StringToUtf8(FInputText);
  const int result = z.ZBarcode_Encode(&s, reinterpret_cast<const unsigned char*>(text.data()),
                                       static_cast<int>(text.size()));
  BarcodeCheck(result == 0, ErrorText(s));

  FRowCount = s.rows;
  FWidth = s.width;
  FOutputText = Utf8ToString(std::string(reinterpret_cast<const char*>(s.text),
                                         strnlen(reinterpret_cast<const char*>(s.text), sizeof s.text)));

  if (fileName) {
    BarcodeCheck(z.ZBarcode_Print(&s, FRotation) == 0, ErrorText(s));
    FChanged = true;
    return;
  }

  BarcodeCheck(z.ZBarcode_Buffer(&s, FRotation) == 0 && s.bitmap, ErrorText(s));
  const int width = s.bitmap_width;
  const int height = s.bitmap_height;
  if (!FBitmap)
    FBitmap = std::make_unique<TPixelBitmap>(width, height);
  else
    FBitmap->SetSize(width, height);

  TBitmapData data;
  if (FBitmap->Map(TMapAccess::Write, data)) {
    TMapGuard unmap(*FBitmap, data);
    const unsigned char* rgb = s.bitmap;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x, rgb += 3)
        data.SetPixel(x, y, 0xFF000000u + rgb[0] * 65536u + rgb[1] * 256u + rgb[2]);
  }
  FChanged = false;
}
