#include "barcode/BarcodeTypes.h"

namespace {

struct SymbologyInfo {
  String Name;
  int Number;
};

static_assert(SymbologyCount == 92);

const SymbologyInfo Symbologies[SymbologyCount] = {
    {u"Code 11", 1},
    {u"Standard Code 2 of 5", 2},
    {u"Interleaved 2 of 5", 3},
    {u"Code 2 of 5 IATA", 4},
    {u"Code 2 of 5 Data Logic", 6},
    {u"Code 2 of 5 Industrial", 7},
    {u"Code 3 of 9 (Code 39)", 8},
    {u"Extended Code 3 of 9 (Code 39+)", 9},
    {u"EAN", 13},
    {u"EAN + Check", 14},
    {u"GS1-128", 16},
    {u"Codabar", 18},
    {u"Code 128 (automatic subset switching)", 20},
    {u"Deutshe Post Leitcode", 21},
    {u"Deutshe Post Identcode", 22},
    {u"Code 16K", 23},
    {u"Code 49", 24},
    {u"Code 93", 25},
    {u"Flattermarken", 28},
    {u"GS1 DataBar-14", 29},
    {u"GS1 DataBar Limited", 30},
    {u"GS1 DataBar Expanded", 31},
    {u"Telepen Alpha", 32},
    {u"UPC-A", 34},
    {u"UPC-A + Check", 35},
    {u"UPC-E", 37},
    {u"UPC-E + Check", 38},
    {u"PostNet", 40},
    {u"MSI Plessey", 47},
    {u"FIM", 49},
    {u"LOGMARS", 50},
    {u"Pharmacode One-Track", 51},
    {u"PZN", 52},
    {u"Pharmacode Two-Track", 53},
    {u"PDF417", 55},
    {u"PDF417 Truncated", 56},
    {u"Maxicode", 57},
    {u"QR Code", 58},
    {u"Code 128 (Subset B)", 60},
    {u"Australia Post Standard Customer", 63},
    {u"Australia Post Reply Paid", 66},
    {u"Australia Post Routing", 67},
    {u"Australia Post Redirection", 68},
    {u"ISBN (EAN-13 with verification stage)", 69},
    {u"Royal Mail 4 State (RM4SCC)", 70},
    {u"Data Matrix", 71},
    {u"EAN-14", 72},
    {u"VIN (North America)", 73},
    {u"Codablock-F", 74},
    {u"NVE-18", 75},
    {u"Japanese Post", 76},
    {u"Korea Post", 77},
    {u"GS1 DataBar-14 Stacked", 79},
    {u"GS1 DataBar-14 Stacked Omnidirectional", 80},
    {u"GS1 DataBar Expanded Stacked", 81},
    {u"PLANET", 82},
    {u"MicroPDF417", 84},
    {u"USPS OneCode", 85},
    {u"Plessey Code", 86},
    {u"Telepen Numeric", 87},
    {u"ITF-14", 89},
    {u"Dutch Post KIX Code", 90},
    {u"Aztec Code", 92},
    {u"DAFT Code", 93},
    {u"Micro QR Code", 97},
    {u"HIBC Code 128", 98},
    {u"HIBC Code 39", 99},
    {u"HIBC Data Matrix", 102},
    {u"HIBC QR Code", 104},
    {u"HIBC PDF417", 106},
    {u"HIBC MicroPDF417", 108},
    {u"HIBC Codablock-F", 110},
    {u"HIBC Aztec Code", 112},
    {u"Dot Code", 115},
    {u"Han Xin", 116},
    {u"RM Mailmark", 121},
    {u"Aztec Runes", 128},
    {u"Code 32", 129},
    {u"Composite Symbol with EAN linear component", 130},
    {u"Composite Symbol with GS1-128 linear component", 131},
    {u"Composite Symbol with GS1 DataBar-14 linear component", 132},
    {u"Composite Symbol with GS1 DataBar Limited component", 133},
    {u"Composite Symbol with GS1 DataBar Extended component", 134},
    {u"Composite Symbol with UPC A linear component", 135},
    {u"Composite Symbol with UPC E linear component", 136},
    {u"Composite Symbol with GS1 DataBar-14 Stacked component", 137},
    {u"Composite Symbol with GS1 DataBar-14 Stacked Omnidirectional component", 138},
    {u"Composite Symbol with GS1 DataBar Expanded Stacked component", 139},
    {u"Channel Code", 140},
    {u"Code One", 141},
    {u"Grid Matrix", 142},
    {u"UPNQR", 143},
};

constexpr int EciNumbers[] = {0, 3, 4, 5, 6, 11, 12, 15, 16, 17, 18,
                              8, 7, 9, 10, 13, 22, 23, 21, 24, 26};
static_assert(sizeof(EciNumbers) / sizeof(EciNumbers[0]) ==
              static_cast<size_t>(TEciEncoding::enUtf8) + 1);

}  // namespace

const String& SymbologyDisplayName(TSymbology symbology) {
  return Symbologies[static_cast<int>(symbology)].Name;
}

int ZintSymbologyNumber(TSymbology symbology) {
  return Symbologies[static_cast<int>(symbology)].Number;
}

int EciNumber(TEciEncoding encoding) { return EciNumbers[static_cast<int>(encoding)]; }
