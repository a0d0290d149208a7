#pragma once
// The texts the report library shows, one record per language; start-up
// copies the one of the user's language into CurrentReportTexts.
#include "platform/rtl/String.h"
#include <cstdint>

struct TRLLocaleStrings {
  String LS_PrintingInProgressStr;
  String LS_FilterInProgressStr;
  String LS_PreparingReportStr;
  String LS_PrinterNotFoundStr;
  String LS_NoPathToPrinterStr;
  String LS_LoadDefaultConfigStr;
  String LS_PrinterDriverErrorStr;
  String LS_PageStr;
  String LS_PrepareErrorStr;
  String LS_PageBreakStr;
  String LS_PageMendStr;
  String LS_ReportEndStr;
  String LS_FileNotFoundStr;
  String LS_FileNameStr;
  String LS_AllFileTypesStr;
  String LS_LoadReportStr;
  String LS_NotFoundStr;
  String LS_WaitStr;
  String LS_FinishedStr;
  String LS_CancelStr;
  String LS_CloseStr;
  String LS_SaveStr;
  String LS_SendStr;
  String LS_PrintStr;
  String LS_AboutTheStr;
  String LS_PreviewStr;
  String LS_OfStr;
  String LS_ZoomStr;
  String LS_FirstPageStr;
  String LS_PriorPageStr;
  String LS_NextPageStr;
  String LS_LastPageStr;
  String LS_EntirePageStr;
  String LS_EntireWidthStr;
  String LS_MultiplePagesStr;
  String LS_ConfigPrinterStr;
  String LS_SaveToFileStr;
  String LS_SendToStr;
  String LS_PrinterStr;
  String LS_NameStr;
  String LS_PrintToFileStr;
  String LS_PrintInBackgroundStr;
  String LS_OptionsStr;
  String LS_SaveInBackground;
  String LS_PageRangeStr;
  String LS_CopyAsImageStr;
  String LS_RangeFromStr;
  String LS_RangeToStr;
  String LS_AllStr;
  String LS_PagesStr;
  String LS_SelectionStr;
  String LS_CopiesStr;
  String LS_NumberOfCopiesStr;
  String LS_OkStr;
  String LS_DivideScreenStr;
  String LS_InvalidNameStr;
  String LS_DuplicateNameStr;
  String LS_UseFilterStr;
  String LS_WebPageStr;
  String LS_RichFormatStr;
  String LS_PDFFormatStr;
  String LS_XLSFormatStr97_2013;
  String LS_XLSFormatStr;
  String LS_AtStr;
  String LS_FormStr;
  String LS_DefaultStr;
  String LS_ZoomInStr;
  String LS_ZoomOutStr;
  String LS_CopyStr;
  String LS_EditStr;
  String LS_FindCaptionStr;
  String LS_TextToFindStr;
  String LS_FindNextStr;
  String LS_WholeWordsStr;
  String LS_MatchCaseStr;
  String LS_DirectionUpStr;
  String LS_DirectionDownStr;
  String LS_DirectionCaptionStr;
  String LS_ColumnsStr;
  String LS_SetupStr;
  String LS_FontSizeError;
  String LS_OddPages;
  String LS_EvenPages;
  String LS_OddPagesOnly;
  String LS_EvenPagesOnly;
  String LS_AllOddAndEven;
  String LS_PrintDialogError;
  String LS_PageSelectionHint;
  String LS_DefaultJobTitle;
  String LS_ZoomHint;
  String Ls_Aplicar;
  String Ls_Propriedades;
  String Ls_Salvar_Como;
  String Ls_Nome_Arquivo;
  String Ls_File_corrupted;
  String Ls_File_version;
  String Ls_Page_settings;
  String Ls_Page_margins;
  String Ls_Page_margins_top;
  String Ls_Page_margins_bottom;
  String Ls_Page_margins_rigth;
  String Ls_Page_margins_left;
  String Ls_Page_margins_paper;
  String Ls_Page_paper;
  String Ls_Paper_Size;
  String Ls_Paper_Size_Width;
  String Ls_Paper_Size_Heigth;
  String Ls_Paper_Orientation;
  String Ls_Paper_Orientation_Landscape;
  String Ls_Paper_Orientation_Portrait;
  String LS_LastFooMsg;
};

extern const TRLLocaleStrings ReportTextsEnglish;
extern const TRLLocaleStrings ReportTextsPortuguese;
extern const TRLLocaleStrings ReportTextsFrench;
extern const TRLLocaleStrings ReportTextsSpanish;
extern const TRLLocaleStrings ReportTextsItalian;
extern const TRLLocaleStrings ReportTextsGerman;

// The texts in force; every user reads them here.
extern TRLLocaleStrings CurrentReportTexts;

// The table of a Windows locale identifier's primary language.
const TRLLocaleStrings& LocaleStringsFor(uint32_t ALocaleId);
// Copies the table of the process's locale (or of ALocaleId) into
// CurrentReportTexts.
void SelectLocaleStrings();
void SelectLocaleStrings(uint32_t ALocaleId);
void ReleaseLocaleStrings();
// A text as it shows: through the ANSI code page and back.
String ReportText(const String& AText);
