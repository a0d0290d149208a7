#pragma once
// Values the skin library reads after start-up: the Windows version, five
// system metrics and captions taken from the system's string tables, with
// the library's own English texts where the system has none.
#include "platform/rtl/String.h"
#include <windows.h>

extern int WindowsVersion;
extern int MetricCXHScroll, MetricCXFrame, MetricCXDlgFrame, MetricCYCaption, MetricCYSmCaption;

extern String CaptionOk, CaptionCancel, CaptionHelp, CaptionClose, CaptionAddToCustomColors, CaptionDefineColors,
    CaptionAdditionalColors, CaptionDecimal, CaptionRoot, CaptionCreate, CaptionRestore, CaptionSize, CaptionMove,
    CaptionMaximize, CaptionMinimize, CaptionCalculator, CaptionFileOpen, CaptionSelectDirectory, CaptionRed,
    CaptionGreen, CaptionBlue, CaptionColor, CaptionHex, CaptionFont, CaptionFontColor, CaptionInvalidDate,
    CaptionAvailableSkins, CaptionInternal, CaptionDirectoryWithSkins, CaptionSelectSkin, CaptionSkinPreview,
    CaptionFrameAdapterMisplaced;

// The major version, except that 6.2 counts as 8.
int WindowsVersionOf(int Major, int Minor);
// The library's own text of a fallback identifier; empty for an unknown one.
String OwnCaptionString(int Id);
// String Id of Module with Suffix; an empty one, or a module that did not
// load (0), gives the library's text of FallbackId (none for 0).
void LoadModuleString(String& Result, HMODULE Module, UINT Id, int FallbackId, const String& Suffix);
// The same with a default text in place of a fallback identifier.
void LoadModuleStringDef(String& Result, HMODULE Module, UINT Id, const String& Default, const String& Suffix);

// Runs once; later calls do nothing.
void InitSysCaptions();
// Empties the captions; runs once after InitSysCaptions.
void DoneSysCaptions();
