#include "BarcodeTestSupport.h"
#include "barcode/FBarcode.h"
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <limits>
#include <unistd.h>

namespace {

struct RangeCase {
  const char* property;
  std::function<void(TFBarcode&, double)> set;
  std::function<double(TFBarcode&)> get;
  double accepted;
  double refused;
};

#define INT_PROP(name)                                                      \
  #name, [](TFBarcode& b, double v) { b.Set##name(static_cast<int>(v)); }, \
      [](TFBarcode& b) { return static_cast<double>(b.name()); }
#define FLOAT_PROP(name)                                                      \
  #name, [](TFBarcode& b, double v) { b.Set##name(static_cast<float>(v)); }, \
      [](TFBarcode& b) { return static_cast<double>(b.name()); }

}  // namespace

TEST(FBarcodeProperties, DefaultsAreThoseOfAFreshComponent) {
  TFBarcode barcode(nullptr);
  EXPECT_EQ(barcode.Symbology(), TSymbology::syQRCode);
  EXPECT_EQ(barcode.SymbologyName(), u"QR Code");
  EXPECT_EQ(barcode.BackColor(), 0xFFFFFFFFu);
  EXPECT_EQ(barcode.ForeColor(), 0xFF000000u);
  EXPECT_EQ(barcode.Height(), 50);
  EXPECT_EQ(barcode.FontSize(), 8);
  EXPECT_FLOAT_EQ(barcode.Scale(), 1.0f);
  EXPECT_TRUE(barcode.ShowText());
  EXPECT_TRUE(barcode.InputText().empty());
  EXPECT_EQ(barcode.OutputOptions(), TOutputOptions());
  barcode.SetAbout(u"ignored");
  EXPECT_NE(barcode.About(), u"ignored");
}

TEST(FBarcodeProperties, RangesAcceptTheLimitAndRefuseBeyondItKeepingTheOldValue) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const RangeCase cases[] = {
      {INT_PROP(Height), 1000, 1001},
      {INT_PROP(Height), 0, -1},
      {INT_PROP(FontSize), 100, 101},
      {INT_PROP(FontSize), 0, -1},
      {INT_PROP(BorderWidth), 1000, 1001},
      {INT_PROP(BorderWidth), 0, -1},
      {INT_PROP(Columns), 66, 67},
      {INT_PROP(Rows), 44, 45},
      {INT_PROP(Rows), 0, -1},
      {INT_PROP(SymbolVersion), 84, 85},
      {INT_PROP(SymbolVersion), 0, -1},
      {FLOAT_PROP(Scale), 0.01, 0},
      {FLOAT_PROP(Scale), 2.5, -1},
      {FLOAT_PROP(Scale), 3, nan},
      {FLOAT_PROP(DotSize), 0.5, -0.01},
      {FLOAT_PROP(DotSize), 0, nan},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.property);
    TFBarcode barcode(nullptr);
    EXPECT_NO_THROW(c.set(barcode, c.accepted));
    EXPECT_FLOAT_EQ(c.get(barcode), c.accepted);
    try {
      c.set(barcode, c.refused);
      ADD_FAILURE() << "accepted " << c.refused;
    } catch (const EInvalidOperation& e) {
      EXPECT_EQ(e.Message(), u"TFBarcode property out of range");
    }
    EXPECT_FLOAT_EQ(c.get(barcode), c.accepted);
    // An equal value is never range-tested.
    EXPECT_NO_THROW(c.set(barcode, c.accepted));
  }
  TFBarcode barcode(nullptr);
  barcode.SetWhiteSpaceWidth(-5);
  barcode.SetRotation(-90);
  EXPECT_EQ(barcode.WhiteSpaceWidth(), -5);
}

TEST(FBarcodeProperties, SymbologyNameMatchesExactlyOrRaises) {
  TFBarcode barcode(nullptr);
  barcode.SetSymbologyName(u"Data Matrix");
  EXPECT_EQ(barcode.Symbology(), TSymbology::syDataMatrix);
  barcode.SetSymbologyName(u"QR Code");
  EXPECT_EQ(barcode.Symbology(), TSymbology::syQRCode);
  try {
    barcode.SetSymbologyName(u"qr code");
    ADD_FAILURE() << "lower-case name accepted";
  } catch (const EBarcodeError& e) {
    EXPECT_EQ(e.Message(), u"Symbology not found");
  }
  EXPECT_EQ(barcode.Symbology(), TSymbology::syQRCode);
}

TEST(FBarcodeEncoding, EncodesOnceForSeveralReadsAndAgainOnlyAfterAChange) {
  TFBarcode barcode(nullptr);
  barcode.SetInputText(u"lazy");
  EncodeSpy spy;
  TPixelBitmap* bitmap = barcode.Bitmap();
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(barcode.OutputText(), u"");
  EXPECT_EQ(barcode.RowCount(), 21);
  EXPECT_EQ(barcode.Width(), 21);
  EXPECT_EQ(barcode.Bitmap(), bitmap);
  EXPECT_EQ(EncodeSpy::Count, 1);

  barcode.SetInputText(u"lazy");
  barcode.SetScale(1.0f);
  barcode.Bitmap();
  EXPECT_EQ(EncodeSpy::Count, 1);

  barcode.SetEciEncoding(TEciEncoding::enUtf8);
  EXPECT_EQ(barcode.Bitmap(), bitmap);
  EXPECT_EQ(EncodeSpy::Count, 2);

  barcode.Save(Utf8ToString(ArtifactPath("lazy.png")));
  barcode.Bitmap();
  barcode.Bitmap();
  EXPECT_EQ(EncodeSpy::Count, 4);
}

TEST(FBarcodeEncoding, FailedEncodingRaisesTheLibraryTextKeepsTheBitmapAndRetries) {
  TFBarcode barcode(nullptr);
  barcode.SetInputText(u"first");
  TPixelBitmap* bitmap = barcode.Bitmap();
  const int width = bitmap->Width();
  const TAlphaColor corner = bitmap->Pixel(0, 0);

  EncodeSpy spy;
  barcode.SetInputText(u"");
  try {
    barcode.Bitmap();
    ADD_FAILURE() << "empty text encoded";
  } catch (const EBarcodeError& e) {
    EXPECT_NE(StringToUtf8(e.Message()).find("No input data"), std::string::npos) << e.what();
  }
  EXPECT_THROW(barcode.Width(), EBarcodeError);
  EXPECT_EQ(EncodeSpy::Count, 2);
  EXPECT_EQ(bitmap->Width(), width);
  EXPECT_EQ(bitmap->Pixel(0, 0), corner);

  barcode.SetInputText(u"again");
  EXPECT_EQ(barcode.Bitmap(), bitmap);
}

TEST(FBarcodeEncoding, SettingsReachTheSymbolFields) {
  TFBarcode barcode(nullptr);
  barcode.SetInputText(u"fields");
  barcode.SetForeColor(0x80123ABC);
  barcode.SetBackColor(0x00FEDCBA);
  barcode.SetInputMode(TInputMode::imUnicode);
  barcode.SetInputEscape(true);
  barcode.SetOutputOptions({TOutputOption::opBox, TOutputOption::opDotty});
  barcode.SetSecurityLevel(TSecurityLevel::sl3);
  barcode.SetSymbolVersion(5);
  barcode.SetColumns(9);
  barcode.SetRows(7);
  barcode.SetEciEncoding(TEciEncoding::enWindowsLatin1);
  barcode.SetHeight(30);
  barcode.SetBorderWidth(2);
  barcode.SetWhiteSpaceWidth(3);
  barcode.SetShowText(false);
  barcode.SetPrimaryMessage(String(200, u'7'));
  LoadZint();
  zint_symbol* fresh = Zint().ZBarcode_Create();
  const int defaultOption1 = fresh->option_1;
  Zint().ZBarcode_Delete(fresh);
  EncodeSpy spy;
  barcode.Bitmap();
  const zint_symbol& s = EncodeSpy::Last;
  EXPECT_EQ(s.symbology, BARCODE_QRCODE);
  EXPECT_STREQ(s.fgcolour, "123ABC");
  EXPECT_STREQ(s.bgcolour, "FEDCBA");
  EXPECT_EQ(s.input_mode, UNICODE_MODE | ESCAPE_MODE);
  EXPECT_EQ(s.output_options, BARCODE_BOX | BARCODE_DOTTY_MODE);
  EXPECT_EQ(s.option_1, 3);
  EXPECT_EQ(s.option_2, 5);
  EXPECT_EQ(s.eci, 23);
  EXPECT_FLOAT_EQ(s.height, 30);
  EXPECT_EQ(s.border_width, 2);
  EXPECT_EQ(s.whitespace_width, 3);
  EXPECT_EQ(s.show_hrt, 0);
  EXPECT_EQ(std::strlen(s.primary), 127u);

  // Elsewhere Rows and Columns drive the options; the Data Matrix shape
  // applies to any symbology.
  barcode.SetSymbology(TSymbology::syCode16K);
  barcode.SetDataMatrix(TDataMatrix::dmSquare);
  barcode.SetRows(0);
  barcode.SetEciEncoding(TEciEncoding::enDefault);
  try { barcode.Bitmap(); } catch (const EBarcodeError&) {}
  EXPECT_EQ(EncodeSpy::Last.option_1, defaultOption1);
  EXPECT_EQ(EncodeSpy::Last.option_2, 9);
  EXPECT_EQ(EncodeSpy::Last.option_3, DM_SQUARE);
  EXPECT_EQ(EncodeSpy::Last.eci, 0);

  barcode.SetSymbology(TSymbology::syMaxicode);
  barcode.SetEncodingMode(TEncodingMode::em2);
  try { barcode.Bitmap(); } catch (const EBarcodeError&) {}
  EXPECT_EQ(EncodeSpy::Last.option_1, 2);
}

TEST(FBarcodeEncoding, SaveRefusesFileNamesOf256BytesOrMore) {
  TFBarcode barcode(nullptr);
  barcode.SetInputText(u"file");
  std::string name = ArtifactPath("");
  name += std::string(255 - name.size() - 4, 'n') + ".bmp";
  ASSERT_EQ(name.size(), 255u);
  ::unlink(name.c_str());
  EXPECT_NO_THROW(barcode.Save(Utf8ToString(name)));
  EXPECT_EQ(::access(name.c_str(), F_OK), 0);
  ::unlink(name.c_str());
  try {
    barcode.Save(Utf8ToString(name + "x"));
    ADD_FAILURE() << "256-byte name accepted";
  } catch (const EBarcodeError& e) {
    EXPECT_EQ(e.Message(), u"FileName size has to be less than 256 characters");
  }
}

TEST(FBarcodeEncoding, QrCodeBitmapIsOpaqueBlackOnWhiteAndDecodesBack) {
  const std::string payload =
      "00020126580014br.gov.bcb.pix0136123e4567-e12b-12d1-a456-42665544000052040000"
      "5303986540512.505802BR5904ZIRA6009SAO PAULO62290525000123456780001900503202463045E1C";
  TFBarcode barcode(nullptr);
  barcode.SetInputText(Utf8ToString(payload));
  TPixelBitmap* bitmap = barcode.Bitmap();
  ASSERT_NE(bitmap, nullptr);
  ASSERT_FALSE(bitmap->IsEmpty());
  // The finder pattern takes the top-left corner; the quiet modules inside it are white.
  EXPECT_EQ(bitmap->Pixel(0, 0), 0xFF000000u);
  const int module = bitmap->Width() / barcode.Width();
  EXPECT_EQ(bitmap->Pixel(module, module), 0xFFFFFFFFu);
  for (int y = 0; y < bitmap->Height(); ++y)
    for (int x = 0; x < bitmap->Width(); ++x) {
      const TAlphaColor c = bitmap->Pixel(x, y);
      ASSERT_TRUE(c == 0xFF000000u || c == 0xFFFFFFFFu) << x << "," << y;
    }

  const std::string file = ArtifactPath("QRCode.bmp");
  bitmap->SaveToFile(Utf8ToString(file));
  FILE* pipe = ::popen(("zbarimg --raw -q '" + file + "' 2>/dev/null").c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string decoded;
  char chunk[256];
  while (size_t n = std::fread(chunk, 1, sizeof chunk, pipe)) decoded.append(chunk, n);
  EXPECT_EQ(::pclose(pipe), 0);
  while (!decoded.empty() && decoded.back() == '\n') decoded.pop_back();
  EXPECT_EQ(decoded, payload);
}

TEST(FBarcodeEncoding, ColoursLoseTheirAlphaAndComeBackOpaque) {
  TFBarcode barcode(nullptr);
  barcode.SetInputText(u"colours");
  barcode.SetForeColor(0x20345678);
  barcode.SetBackColor(0x00ABCDEF);
  TPixelBitmap* bitmap = barcode.Bitmap();
  const int module = bitmap->Width() / barcode.Width();
  EXPECT_EQ(bitmap->Pixel(0, 0), 0xFF345678u);
  EXPECT_EQ(bitmap->Pixel(module, module), 0xFFABCDEFu);
}
