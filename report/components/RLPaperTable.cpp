#include "report/components/RLPaperTable.h"
#include <cmath>

namespace {
constexpr int32_t DMPaperUser = 256;
constexpr double SizeTolerance = 0.01;

// One row per TRLPaperSize, in its order.
constexpr TRLPaperInfo PaperTable[RLPaperSizeCount] = {
    {841, 1189, u"A0 841 x 1189 mm", true, 0},
    {594, 841, u"A1 594 x 841 mm", true, 0},
    {420, 594, u"A2 420 x 594 mm", false, 66},
    {297, 420, u"A3 297 x 420 mm", false, 8},
    {210, 297, u"A4 210 x 297 mm", false, 9},
    {148, 210, u"A5 148 x 210 mm", false, 11},
    {105, 148, u"A6 105 x 148 mm", false, 70},
    {74, 105, u"A7 74 x 105 mm", true, 0},
    {52, 74, u"A8 52 x 74 mm", true, 0},
    {37, 52, u"A9 37 x 52 mm", true, 0},
    {26, 37, u"A10 26 x 37 mm", true, 0},
    {1000, 1414, u"B0 1000 x 1414 mm", true, 0},
    {707, 1000, u"B1 707 x 1000 mm", true, 0},
    {500, 707, u"B2 500 x 707 mm", true, 0},
    {353, 500, u"B3 353 x 500 mm", true, 0},
    {250, 353, u"B4 250 x 353 mm", false, 12},
    {176, 250, u"B5 176 x 250 mm", false, 13},
    {125, 176, u"B6 125 x 176 mm", false, 88},
    {88, 125, u"B7 88 x 125 mm", true, 0},
    {62, 88, u"B8 62 x 88 mm", true, 0},
    {44, 62, u"B9 44 x 62 mm", true, 0},
    {31, 44, u"B10 31 x 44 mm", true, 0},
    {900, 1280, u"SRA0 900 x 1280 mm", true, 0},
    {640, 900, u"SRA1 640 x 900 mm", true, 0},
    {450, 640, u"SRA2 450 x 640 mm", true, 0},
    {320, 450, u"SRA3 320 x 450 mm", true, 0},
    {225, 320, u"SRA4 225 x 320 mm", true, 0},
    {860, 1220, u"RA0 860 x 1220 mm", true, 0},
    {610, 860, u"RA1 610 x 860 mm", true, 0},
    {430, 610, u"RA2 430 x 610 mm", true, 0},
    {305, 430, u"RA3 305 x 430 mm", true, 0},
    {215, 305, u"RA3 215 x 305 mm", true, 0},
    {1189, 1682, u"2A 1189 x 1682 mm", true, 0},
    {1414, 2000, u"2B 1414 x 2000 mm", true, 0},
    {1682, 2378, u"4A 1682 x 2378 mm", true, 0},
    {2000, 2828, u"4B 2000 x 2828 mm", true, 0},
    {228.6, 279.4, u"9x11 228.6 x 279.4 mm", false, 44},
    {254, 279.4, u"10x11 254 x 279.4 mm", false, 45},
    {254, 355.6, u"10x14 254 x 355.6 mm", false, 16},
    {279.4, 431.8, u"11x17 279.4 x 431.8 mm", false, 17},
    {304.8, 279.4, u"12x11 304.8 x 279.4 mm", false, 90},
    {381, 279.4, u"15x11 381 x 279.4 mm", false, 46},
    {322.44, 445.2, u"A3 Extra 322.44 x 445.2 mm", false, 63},
    {322, 445, u"A3 Extra Transverse 322 x 445 mm", false, 68},
    {297, 420, u"A3 Transverse 297 x 420 mm", false, 67},
    {210, 297, u"A4 Small 210 x 297 mm", false, 10},
    {235.3, 322.44, u"A4 Extra 235.3 x 322.44 mm", false, 53},
    {210, 330, u"A4 Plus 210 x 330 mm", false, 60},
    {210, 297, u"A4 Transverse 210 x 297 mm", false, 55},
    {174, 235, u"A5 Extra 174 x 235 mm", false, 64},
    {148, 210, u"A5 Transverse 148 x 210 mm", false, 61},
    {227, 356, u"SuperA/SuperA/A4 227 x 356 mm", false, 57},
    {250, 354, u"B4 (JIS) 250 x 354", true, 0},
    {201, 276, u"B5 (ISO) Extra 201 x 276 mm", false, 65},
    {182, 257, u"B5 (JIS) Transverse 182 x 257 mm", false, 62},
    {128, 182, u"B6 (JIS) 128 x 182 mm", false, 88},
    {305, 487, u"SuperB/SuperB/A3 305 x 487 mm", false, 58},
    {76.2, 203.2, u"Envelope #9 76.2 x 203.2 mm", false, 19},
    {101.6, 228.6, u"Envelope #10 101.6 x 228.6 mm", false, 20},
    {101.6, 254, u"Envelope #11 101.6 x 254 mm", false, 21},
    {101.6, 279.4, u"Envelope #12 101.6 x 279.4 mm", false, 22},
    {127, 279.4, u"Envelope #14 127 x 279.4 mm", false, 23},
    {250, 353, u"Envelope B4 250 x 353 mm", false, 33},
    {176, 250, u"Envelope B5 176 x 250 mm", false, 34},
    {176, 125, u"Envelope B6 176 x 125 mm", false, 35},
    {917, 1297, u"Envelope C0 917 x 1297 mm", true, 0},
    {648, 917, u"Envelope C1 648 x 917 mm", true, 0},
    {458, 648, u"Envelope C2 458 x 648 mm", true, 0},
    {324, 458, u"Envelope C3 324 x 458 mm", false, 29},
    {229, 324, u"Envelope C4 229 x 324 mm", false, 30},
    {162, 229, u"Envelope C5 162 x 229 mm", false, 28},
    {163, 229, u"Envelope C5E 163 x 229 mm", true, 0},
    {114, 162, u"Envelope C6 114 x 162 mm", false, 31},
    {114, 229, u"Envelope C65 114 x 229 mm", false, 32},
    {81, 114, u"Envelope C7 81 x 114 mm", true, 0},
    {57, 81, u"Envelope C8 57 x 81 mm", true, 0},
    {40, 57, u"Envelope C9 40 x 57 mm", true, 0},
    {28, 40, u"Envelope C10 28 x 40 mm", true, 0},
    {110, 220, u"Envelope DL 110 x 220 mm", false, 27},
    {220, 220, u"Envelope Invite 220 x 220 mm", false, 47},
    {110, 230, u"Envelope 110 x 230 mm", false, 36},
    {98.43, 190.5, u"Envelope Monarch 98.43 x 190.5 mm", false, 37},
    {76.2, 152.4, u"Envelope 76.2 x 152.4 mm", false, 38},
    {215.9, 279.4, u"Letter 215.9 x 279.4 mm", false, 1},
    {215.9, 355.6, u"Legal 215.9 x 355.6 mm", false, 5},
    {431.8, 279, u"Ledger 431.8 x 279 mm", false, 4},
    {279, 431.8, u"Tabloid 279 x 431.8 mm", false, 3},
    {190.5, 254, u"Executive 190.5 x 254 mm", false, 7},
    {355.6, 279.4, u"US Std Fanfold 355.6 x 279.4 mm", false, 39},
    {105, 241, u"Comm10E 105 x 241 mm", true, 0},
    {110, 220, u"DLE 110 x 220 mm", true, 0},
    {215.9, 330.2, u"Folio 215.9 x 330.2 mm", false, 14},
    {304.8, 279.4, u"Note 8 304.8 x 279.4 mm", false, 18},
    {100, 148, u"Postcard 100 x 148 mm", true, 0},
    {215, 275, u"Quarto 215 x 275 mm", false, 15},
    {139.7, 215.9, u"Statement 139.7 x 215.9 mm", false, 6},
    {241.3, 381, u"Legal Extra 241.3 x 381 mm", false, 51},
    {215.9, 330.2, u"Legal 3 215.9 x 330.2 mm", true, 0},
    {304.8, 279.4, u"Letter Small 8 304.8 x 279.4 mm", false, 2},
    {241.3, 304.8, u"Letter Extra 241.3 x 304.8 mm", false, 50},
    {241.3, 304.8, u"Letter Extra Transverse 241.3 x 304.8 mm", false, 56},
    {215.9, 322.33, u"Letter Plus 215.9 x 322.33 mm", false, 59},
    {215.9, 279.4, u"Letter Transverse 215.9 x 279.4 mm", false, 54},
    {146, 215, u"PRC 16K 146 x 215 mm", false, 93},
    {97, 151, u"PRC 32K 97 x 151 mm", false, 94},
    {97, 151, u"PRC 32K(Big) 97 x 151 mm", false, 95},
    {102, 165, u"PRC Envelope #1 102 x 165 mm", false, 96},
    {102, 176, u"PRC Envelope #2 102 x 176 mm", false, 97},
    {125, 176, u"PRC Envelope #3 125 x 176 mm", false, 98},
    {110, 208, u"PRC Envelope #4 110 x 208 mm", false, 99},
    {110, 220, u"PRC Envelope #5 110 x 220 mm", false, 100},
    {120, 230, u"PRC Envelope #6 120 x 230 mm", false, 101},
    {160, 230, u"PRC Envelope #7 160 x 230 mm", false, 102},
    {120, 309, u"PRC Envelope #8 120 x 309 mm", false, 103},
    {229, 324, u"PRC Envelope #9 229 x 324 mm", false, 104},
    {324, 458, u"PRC Envelope #10 324 x 458 mm", false, 105},
    {296.93, 457.2, u"Tabloid Extra 296.93 x 457.2 mm", false, 52},
    {203.2, 330.2, u"German Legal Fanfold 203.2 x 330.2 mm", false, 41},
    {203.2, 304.8, u"German Std Fanfold 203.2 x 304.8 mm", false, 40},
    {200, 148, u"Japanese Double Postcard 200 x 148 mm", false, 69},
    {100, 148, u"Japanese Postcard 100 x 148 mm", false, 43},
    {419, 336, u"Foolscap 419 x 336 mm", true, 0},
    {685.8, 431.8, u"Double Foolscap 685.8 x 431.8 mm", true, 0},
    {863.6, 685.8, u"Quad Foolscap 863.6 x 685.8 mm", true, 0},
    {508, 381, u"Crown 508 x 381 mm", true, 0},
    {762, 508, u"Double Crown 762 x 508 mm", true, 0},
    {1016, 762, u"Quad Crown 1016 x 762 mm", true, 0},
    {1524, 1016, u"Double Quad Crown 1524 x 1016 mm", true, 0},
    {488.95, 393.7, u"Post 488.95 x 393.7 mm", true, 0},
    {800.1, 495.3, u"Double Post 800.1 x 495.3 mm", true, 0},
    {838.2, 533.4, u"Double Large Post 838.2 x 533.4 mm", true, 0},
    {571.5, 444.5, u"Demy 571.5 x 17.5 mm", true, 0},
    {889, 571.5, u"Double Demy 889 x 571.5 mm", true, 0},
    {1143, 889, u"Quad Demy 1143 x 889 mm", true, 0},
    {508, 393.7, u"Music Demy 508 x 393.7 mm", true, 0},
    {584.2, 457.2, u"Medium 584.2 x 457.2 mm", true, 0},
    {634, 507, u"Royal 634 x 507 mm", true, 0},
    {698.5, 520.7, u"Super Royal 698.5 x 520.7 mm", true, 0},
    {711.2, 584.2, u"Elephant 711.2 x 584.2 mm", true, 0},
    {761, 559, u"Imperial 761 x 559 mm", true, 0},
    {0, 0, u"User Defined", false, 256},
};
}  // namespace

const TRLPaperInfo& PaperInfo(TRLPaperSize paper) { return PaperTable[paper]; }

TRLPaperSize PaperSizeBySize(double width, double height) {
  TRLPaperSize found = fpCustom;
  double foundDistance = 0;
  for (int i = 0; i < fpCustom; ++i) {
    const TRLPaperInfo& row = PaperTable[i];
    if (row.Emulated) continue;
    double distance = std::fabs(width - row.Width) + std::fabs(height - row.Height);
    if (distance >= SizeTolerance) continue;
    if (found == fpCustom || distance < foundDistance) {
      found = static_cast<TRLPaperSize>(i);
      foundDistance = distance;
    }
  }
  return found;
}

TRLPaperSetup PaperSetupBySize(double width, double height, bool landscape) {
  TRLPaperSize paper = PaperSizeBySize(width, height);
  int32_t orientation = landscape ? 2 : 1;
  if (paper == fpCustom) return {DMPaperUser, width, height, orientation};
  const TRLPaperInfo& row = PaperTable[paper];
  return {row.SystemCode, row.Width, row.Height, orientation};
}
