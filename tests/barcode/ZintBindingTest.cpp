#include "BarcodeTestSupport.h"
#include "barcode/FBarcode.h"
#include "platform/rtl/String.h"
#include <dlfcn.h>
#include <string>

namespace {

// Leaves the binding as a fresh process has it.
class ZintLoading : public ::testing::Test {
protected:
  void SetUp() override { UnloadZint(); }
  void TearDown() override { UnloadZint(); }
};

// What the system's loader says of a missing library, in the machine's own
// language, without the name it starts with.
String MissingLibraryText(const char* name) {
  void* handle = dlopen(name, RTLD_NOW);
  if (handle) dlclose(handle);
  const char* raw = dlerror();
  std::string text = raw ? raw : "";
  const std::string head = std::string(name) + ": ";
  if (text.compare(0, head.size(), head) == 0) text.erase(0, head.size());
  return Utf8ToString(text);
}

bool EndsWith(const String& text, const String& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

TEST_F(ZintLoading, DefaultNameLoadsTheInstalledLibrary) {
  TFBarcode barcode(nullptr);
  EXPECT_GE(barcode.Version(), 21100);
  EXPECT_TRUE(ZintLoaded());
  EXPECT_EQ(ZintLibraryName().rfind(u"libzint.so", 0), 0u);
  // Current releases no longer export it; the binding does without.
  EXPECT_EQ(Zint().ZBarcode_Render, nullptr);
  EXPECT_NE(Zint().ZBarcode_ValidID, nullptr);
}

TEST_F(ZintLoading, MissingLibraryRaisesTheLoaderMessageAndFileNameEachTime) {
  SetZintLibraryName(u"libzint-absent.so");
  TFBarcode barcode(nullptr);
  barcode.SetInputText(u"x");
  for (int attempt = 0; attempt < 2; ++attempt) {
    try {
      barcode.Bitmap();
      ADD_FAILURE() << "loaded a missing library";
    } catch (const EBarcodeError& e) {
      EXPECT_EQ(e.Message(), MissingLibraryText("libzint-absent.so") + u": libzint-absent.so");
    }
    EXPECT_FALSE(ZintLoaded());
  }
  // The component stays changed, so a later read with the library at hand encodes.
  UnloadZint();
  ASSERT_NE(barcode.Bitmap(), nullptr);
  EXPECT_EQ(barcode.RowCount(), 21);
}

TEST_F(ZintLoading, LibraryLackingAnEntryPointIsReleasedAndRefused) {
  SetZintLibraryName(u"libz.so.1");
  try {
    LoadZint();
    ADD_FAILURE() << "bound a library without the entry points";
  } catch (const EBarcodeError& e) {
    EXPECT_TRUE(EndsWith(e.Message(), u": ZBarcode_Create")) << e.what();
    EXPECT_NE(e.Message(), u": ZBarcode_Create");
  }
  EXPECT_FALSE(ZintLoaded());
  EXPECT_EQ(Zint().ZBarcode_Create, nullptr);
}

namespace {
struct Sample {
  TSymbology symbology;
  const char* text;
  const char* primary;
};

constexpr char kComposite[] = "[99]1234-abcd";
constexpr char kGtin[] = "[01]12345678901231";

// Data each symbology accepts as it stands.
const Sample Samples[] = {
    {TSymbology::syCode11, "12345", ""},
    {TSymbology::syStandardCode2Of5, "12345", ""},
    {TSymbology::syInterleaved2Of5, "12345", ""},
    {TSymbology::syCode2Of5IATA, "12345", ""},
    {TSymbology::syCode2Of5DataLogic, "12345", ""},
    {TSymbology::syCode2Of5Industrial, "12345", ""},
    {TSymbology::syCode3Of9, "CODE39", ""},
    {TSymbology::syExtendedCode3Of9, "Code39+", ""},
    {TSymbology::syEAN, "123456789012", ""},
    {TSymbology::syEAN_Check, "1234567890128", ""},
    {TSymbology::syGS1_128, kGtin, ""},
    {TSymbology::syCodabar, "A12345B", ""},
    {TSymbology::syCode128, "Hello", ""},
    {TSymbology::syDeutschePostLeitcode, "1234567890123", ""},
    {TSymbology::syDeutschePostIdentcode, "12345678901", ""},
    {TSymbology::syCode16K, "Hello", ""},
    {TSymbology::syCode49, "HELLO", ""},
    {TSymbology::syCode93, "CODE93", ""},
    {TSymbology::syFlattermarken, "1234", ""},
    {TSymbology::syGS1_DataBar14, "1234567890123", ""},
    {TSymbology::syGS1_DataBarLimited, "1234567890123", ""},
    {TSymbology::syGS1_DataBarExpanded, kGtin, ""},
    {TSymbology::syTelepenAlpha, "Hello", ""},
    {TSymbology::syUPCA, "12345678901", ""},
    {TSymbology::syUPCA_Check, "123456789012", ""},
    {TSymbology::syUPCE, "123456", ""},
    {TSymbology::syUPCE_Check, "01234565", ""},
    {TSymbology::syPostNet, "12345", ""},
    {TSymbology::syMsiPlessey, "12345", ""},
    {TSymbology::syFIM, "A", ""},
    {TSymbology::syLOGMARS, "LOGMARS", ""},
    {TSymbology::syPharmacodeOneTrack, "1234", ""},
    {TSymbology::syPZN, "1234567", ""},
    {TSymbology::syPharmacodeTwoTrack, "1234", ""},
    {TSymbology::syPDF417, "Hello", ""},
    {TSymbology::syPDF417Truncated, "Hello", ""},
    {TSymbology::syMaxicode, "Hello", ""},
    {TSymbology::syQRCode, "Hello", ""},
    {TSymbology::syCode128SubsetB, "Hello", ""},
    {TSymbology::syAustraliaPostStandardCustomer, "12345678", ""},
    {TSymbology::syAustraliaPostReplyPaid, "12345678", ""},
    {TSymbology::syAustraliaPostRouting, "12345678", ""},
    {TSymbology::syAustraliaPostRedirection, "12345678", ""},
    {TSymbology::syISBN, "9780306406157", ""},
    {TSymbology::syRoyalMail4State, "W1J0TR01", ""},
    {TSymbology::syDataMatrix, "Hello", ""},
    {TSymbology::syEAN14, "1234567890123", ""},
    {TSymbology::syVIN, "1M8GDM9AXKP042788", ""},
    {TSymbology::syCodaBlockF, "Hello", ""},
    {TSymbology::syNVE18, "12345678901234567", ""},
    {TSymbology::syJapanesePost, "15400233-16-4-205", ""},
    {TSymbology::syKoreaPost, "123456", ""},
    {TSymbology::syGS1_DataBar14Stacked, "1234567890123", ""},
    {TSymbology::syGS1_DataBar14Omnidirectional, "1234567890123", ""},
    {TSymbology::syGS1_DataBarExpandedStacked, kGtin, ""},
    {TSymbology::syPLANET, "12345678901", ""},
    {TSymbology::syMicroPDF417, "Hello", ""},
    {TSymbology::syUSPSOneCode, "01234567094987654321", ""},
    {TSymbology::syPlesseyCode, "12345ABCDEF", ""},
    {TSymbology::syTelepenNumeric, "1234", ""},
    {TSymbology::syITF14, "1234567890123", ""},
    {TSymbology::syDutchPostKIXCode, "2500GG30250", ""},
    {TSymbology::syAztecCode, "Hello", ""},
    {TSymbology::syDAFTCode, "DAFTFDATF", ""},
    {TSymbology::syMicroQRCode, "12345", ""},
    {TSymbology::syHIBC_Code128, "ABC123", ""},
    {TSymbology::syHIBC_Code39, "ABC123", ""},
    {TSymbology::syHIBC_DataMatrix, "ABC123", ""},
    {TSymbology::syHIBC_QRCode, "ABC123", ""},
    {TSymbology::syHIBC_PDF417, "ABC123", ""},
    {TSymbology::syHIBC_MicroPDF417, "ABC123", ""},
    {TSymbology::syHIBC_BlockF, "ABC123", ""},
    {TSymbology::syHIBC_AztecCode, "ABC123", ""},
    {TSymbology::syDotCode, "Hello", ""},
    {TSymbology::syHanXin, "Hello", ""},
    {TSymbology::syMailmark, "1100000000000XY11", ""},
    {TSymbology::syAztecRunes, "123", ""},
    {TSymbology::syCode32, "12345678", ""},
    {TSymbology::syCompositeEAN, kComposite, "331234567890"},
    {TSymbology::syCompositeGS1_128, kComposite, "[01]03312345678903"},
    {TSymbology::syCompositeGS1_DataBar14, kComposite, "1234567890123"},
    {TSymbology::syCompositeGS1_DataBarLimited, kComposite, "1234567890123"},
    {TSymbology::syCompositeGS1_DataBarExtended, kComposite, kGtin},
    {TSymbology::syCompositeUPCA, kComposite, "12345678901"},
    {TSymbology::syCompositeUPCE, kComposite, "0123456"},
    {TSymbology::syCompositeGS1_DataBar14Stacked, kComposite, "1234567890123"},
    {TSymbology::syCompositeGS1_DataBar14Omnidirectional, kComposite, "1234567890123"},
    {TSymbology::syCompositeGS1_DataBarExpandedStacked, kComposite, kGtin},
    {TSymbology::syChannelCode, "123", ""},
    {TSymbology::syCodeOne, "Hello", ""},
    {TSymbology::syGridMatrix, "Hello", ""},
    {TSymbology::syUPNQR, "Hello", ""},
};
static_assert(sizeof(Samples) / sizeof(Samples[0]) == SymbologyCount);
}  // namespace

TEST(ZintSymbologies, EveryOneIsKnownToTheLibraryAndEncodesItsSample) {
  TFBarcode barcode(nullptr);
  int previousNumber = 0;
  for (int i = 0; i < SymbologyCount; ++i) {
    const Sample& sample = Samples[i];
    ASSERT_EQ(static_cast<int>(sample.symbology), i);
    const String name = TFBarcode::GetSymbologyNames(sample.symbology);
    SCOPED_TRACE(StringToUtf8(name));
    const int number = ZintSymbologyNumber(sample.symbology);
    EXPECT_GT(number, previousNumber);
    previousNumber = number;

    barcode.SetSymbologyName(name);
    EXPECT_EQ(barcode.Symbology(), sample.symbology);
    barcode.SetInputText(AsciiToString(sample.text));
    barcode.SetPrimaryMessage(AsciiToString(sample.primary));
    EXPECT_NO_THROW({
      TPixelBitmap* bitmap = barcode.Bitmap();
      ASSERT_NE(bitmap, nullptr);
      EXPECT_FALSE(bitmap->IsEmpty());
    });
    EXPECT_NE(Zint().ZBarcode_ValidID(number), 0);
  }
  barcode.SetSymbology(TSymbology::syCode128);
  barcode.SetInputText(u"Hello");
  EXPECT_EQ(barcode.OutputText(), u"Hello");
}
