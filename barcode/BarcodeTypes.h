#pragma once
// Settings types of the barcode component and their zint equivalents.
#include "platform/rtl/String.h"
#include <cstdint>
#include <initializer_list>

enum class TSymbology : uint8_t {
  syCode11, syStandardCode2Of5, syInterleaved2Of5, syCode2Of5IATA, syCode2Of5DataLogic,
  syCode2Of5Industrial, syCode3Of9, syExtendedCode3Of9, syEAN, syEAN_Check, syGS1_128,
  syCodabar, syCode128, syDeutschePostLeitcode, syDeutschePostIdentcode, syCode16K, syCode49,
  syCode93, syFlattermarken, syGS1_DataBar14, syGS1_DataBarLimited, syGS1_DataBarExpanded,
  syTelepenAlpha, syUPCA, syUPCA_Check, syUPCE, syUPCE_Check, syPostNet, syMsiPlessey, syFIM,
  syLOGMARS, syPharmacodeOneTrack, syPZN, syPharmacodeTwoTrack, syPDF417, syPDF417Truncated,
  syMaxicode, syQRCode, syCode128SubsetB, syAustraliaPostStandardCustomer,
  syAustraliaPostReplyPaid, syAustraliaPostRouting, syAustraliaPostRedirection, syISBN,
  syRoyalMail4State, syDataMatrix, syEAN14, syVIN, syCodaBlockF, syNVE18, syJapanesePost,
  syKoreaPost, syGS1_DataBar14Stacked, syGS1_DataBar14Omnidirectional,
  syGS1_DataBarExpandedStacked, syPLANET, syMicroPDF417, syUSPSOneCode, syPlesseyCode,
  syTelepenNumeric, syITF14, syDutchPostKIXCode, syAztecCode, syDAFTCode, syMicroQRCode,
  syHIBC_Code128, syHIBC_Code39, syHIBC_DataMatrix, syHIBC_QRCode, syHIBC_PDF417,
  syHIBC_MicroPDF417, syHIBC_BlockF, syHIBC_AztecCode, syDotCode, syHanXin, syMailmark,
  syAztecRunes, syCode32, syCompositeEAN, syCompositeGS1_128, syCompositeGS1_DataBar14,
  syCompositeGS1_DataBarLimited, syCompositeGS1_DataBarExtended, syCompositeUPCA,
  syCompositeUPCE, syCompositeGS1_DataBar14Stacked, syCompositeGS1_DataBar14Omnidirectional,
  syCompositeGS1_DataBarExpandedStacked, syChannelCode, syCodeOne, syGridMatrix, syUPNQR,
};
constexpr int SymbologyCount = static_cast<int>(TSymbology::syUPNQR) + 1;

enum class TInputMode : uint8_t { imData, imUnicode, imGs1, imKanji, imSjis };

enum class TOutputOption : uint8_t {
  opNoAscii, opBars, opBox, opStdout, opReaderInit, opSmallText, opBoldText, opCmyk, opDotty,
};

// A set of output options; its bits are zint's output_options flags.
class TOutputOptions {
public:
  constexpr TOutputOptions() = default;
  constexpr TOutputOptions(std::initializer_list<TOutputOption> options) {
    for (auto option : options) FBits |= Bit(option);
  }
  constexpr bool Contains(TOutputOption option) const { return (FBits & Bit(option)) != 0; }
  constexpr TOutputOptions& Include(TOutputOption option) { FBits |= Bit(option); return *this; }
  constexpr TOutputOptions& Exclude(TOutputOption option) { FBits &= ~Bit(option); return *this; }
  constexpr unsigned Bits() const { return FBits; }
  constexpr bool operator==(const TOutputOptions& other) const { return FBits == other.FBits; }
  constexpr bool operator!=(const TOutputOptions& other) const { return FBits != other.FBits; }

private:
  static constexpr unsigned Bit(TOutputOption option) { return 1u << static_cast<unsigned>(option); }
  unsigned FBits = 0;
};

enum class TSecurityLevel : uint8_t { slDefault, sl1, sl2, sl3, sl4, sl5, sl6, sl7, sl8 };

enum class TEncodingMode : uint8_t { emDefault, em0, em1, em2, em3, em4, em5, em6 };

enum class TEciEncoding : uint8_t {
  enDefault, enLatin1, enLatin2, enLatin3, enLatin4, enLatin5, enLatin6, enLatin7, enLatin8,
  enLatin9, enLatin10, enLatinArabic, enLatinCyrilic, enLatinGreek, enLatinHebrew, enLatinThai,
  enWindowsCyrillic, enWindowsLatin1, enWindowsLatin2, enWindowsArabic, enUtf8,
};

enum class TDataMatrix : uint8_t { dmDefault, dmSquare, dmExtended };

// Display name (compared letter for letter) and zint number of a symbology.
const String& SymbologyDisplayName(TSymbology symbology);
int ZintSymbologyNumber(TSymbology symbology);
// ECI number sent to zint; 0 for enDefault, which sends nothing.
int EciNumber(TEciEncoding encoding);
