#pragma once
// The paper sizes the report library knows by name: their size in
// millimetres, display text and Windows paper code.
#include "platform/rtl/String.h"
#include "report/components/RLTypes.h"
#include <cstdint>

enum TRLPaperSize : uint8_t {
  fpA0, fpA1, fpA2, fpA3, fpA4, fpA5, fpA6, fpA7, fpA8, fpA9, fpA10, fpB0, fpB1, fpB2, fpB3, fpB4, fpB5,
  fpB6, fpB7, fpB8, fpB9, fpB10, fpSRA0, fpSRA1, fpSRA2, fpSRA3, fpSRA4, fpRA0, fpRA1, fpRA2, fpRA3, fpRA4,
  fp2A, fp2B, fp4A, fp4B, fp9x11, fp10x11, fp10x14, fp11x17, fp12x11, fp15x11, fpA3_Extra,
  fpA3_Extra_Transverse, fpA3_Transverse, fpA4_Small, fpA4_Extra, fpA4_Plus, fpA4_Transverse, fpA5_Extra,
  fpA5_Transverse, fpA_Plus, fpB4_JIS, fpB5_Extra, fpB5_Transverse, fpB6_JIS, fpB_Plus, fpEnv_9, fpEnv_10,
  fpEnv_11, fpEnv_12, fpEnv_14, fpEnv_B4, fpEnv_B5, fpEnv_B6, fpEnv_C0, fpEnv_C1, fpEnv_C2, fpEnv_C3,
  fpEnv_C4, fpEnv_C5, fpEnv_C5E, fpEnv_C6, fpEnv_C65, fpEnv_C7, fpEnv_C8, fpEnv_C9, fpEnv_C10, fpEnv_DL,
  fpEnv_Invite, fpEnv_Italy, fpEnv_Monarch, fpEnv_Personal, fpLetter, fpLegal, fpLedger, fpTabloid,
  fpExecutive, fpFanfold_US, fpComm10E, fpDLE, fpFolio, fpNote, fpPostcard, fpQuarto, fpStatement,
  fpLegal_Extra, fpLegal3, fpLetter_Small, fpLetter_Extra, fpLetter_Extra_Transverse, fpLetter_Plus,
  fpLetter_Transverse, fpP16K, fpP32K, fpP32KBig, fpPEnv_1, fpPEnv_2, fpPEnv_3, fpPEnv_4, fpPEnv_5, fpPEnv_6,
  fpPEnv_7, fpPEnv_8, fpPEnv_9, fpPEnv_10, fpTabloid_Extra, fpGerman_Legal_Fanfold, fpGerman_Std_Fanfold,
  fpJap_DblPostcard, fpJap_Postcard, fpEng_Foolscap, fpEng_DoubleFoolscap, fpEng_QuadFoolscap, fpEng_Crown,
  fpEng_DoubleCrown, fpEng_QuadCrown, fpEng_DoubleQuad, fpEng_Post, fpEng_DoublePost, fpEng_DoubleLarge,
  fpEng_Demy, fpEng_DoubleDemy, fpEng_QuadDemy, fpEng_MusicDemy, fpEng_Medium, fpEng_Royal, fpEng_SuperRoyal,
  fpEng_Elephant, fpEng_Imperial, fpCustom
};
constexpr int RLPaperSizeCount = fpCustom + 1;

struct TRLPaperInfo {
  double Width;
  double Height;
  const char16_t* Description;
  // True: Windows has no code for this paper and it prints as a custom size.
  bool Emulated;
  // DMPAPER value; 0 for emulated rows.
  int32_t SystemCode;
};

// The row of a paper; the table lives as long as the program.
const TRLPaperInfo& PaperInfo(TRLPaperSize paper);

// The earliest non-emulated paper within 0.01 mm of the size, width and
// height never swapped; fpCustom when none is.
TRLPaperSize PaperSizeBySize(double width, double height);

struct TRLPaperSetup {
  int32_t PaperCode;
  double Width;
  double Height;
  // 1 portrait, 2 landscape, as the printer's device mode wants it.
  int32_t Orientation;
};

// What the printer is given for a page of that size: the paper's own code
// and size, or DMPAPER_USER with the size given.
TRLPaperSetup PaperSetupBySize(double width, double height, bool landscape);
